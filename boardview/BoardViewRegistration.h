#pragma once
// Hands the application shell the board windows: the board document kind's makers (New Vorn,
// opening ".2dv" files), the shell's print of board files, and the view kinds of board windows.
// app/main.cpp calls it after RegisterBoardDocuments.

void RegisterBoardWindows();
