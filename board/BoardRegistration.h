#pragma once
// Hands the application shell what boards offer it so far: the open dialog's filter, the
// open-board registry as a global service with its lookup of open board files, and the
// registry's generator target for documents that can be a target (text windows).

void RegisterBoardDocuments();
