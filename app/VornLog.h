#pragma once
// The log: "Vorn log.txt" in the working folder, appended to, written only while logging is on.

#include "XGTypes.h"

#include <string>

extern const char* const kLogFileName;

// Opens the log when it is not open; when it cannot be opened nothing happens and a later call
// tries again.
void OpenLogFile();
void CloseLogFile();
bool LogIsOpen();

// Writes the text as it stands (no formatting) and flushes at once; nothing while closed.
void Log(const char* text);
void Log(const std::string& text);
// A 16-bit signed number in decimal.
void Log_Number(yaaf::int16 n);
