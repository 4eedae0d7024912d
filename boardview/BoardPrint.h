#pragma once
// Printing a board file without a window (the shell's print): a board of its own for the job,
// drawn as a window of the board's size would show it, and gone afterwards.

namespace yaaf {
class XGFileSpecifier;
}

// False when the file could not be read (the board said why) or nothing was printed.
bool PrintBoardFile(const yaaf::XGFileSpecifier& fileSpec);

// Adds printing and the page set-up to the board's window operations (VornBoardWindows.h).
void InstallBoardPrinting();
