#include "VornLog.h"

#include <cstdio>

const char* const kLogFileName = "Vorn log.txt";

namespace {
std::FILE* s_logFileP = nullptr;
}

void OpenLogFile() {
    if (!s_logFileP) s_logFileP = std::fopen(kLogFileName, "a");
}

void CloseLogFile() {
    if (s_logFileP) {
        std::fclose(s_logFileP);
        s_logFileP = nullptr;
    }
}

bool LogIsOpen() {
    return s_logFileP != nullptr;
}

void Log(const char* text) {
    if (!s_logFileP || !text) return;
    std::fputs(text, s_logFileP);
    std::fflush(s_logFileP);
}

void Log(const std::string& text) {
    if (!s_logFileP) return;
    std::fwrite(text.data(), 1, text.size(), s_logFileP);
    std::fflush(s_logFileP);
}

void Log_Number(yaaf::int16 n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%hd", n);
    Log(buffer);
}
