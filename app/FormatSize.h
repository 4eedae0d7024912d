#pragma once
// A byte count as a short text ("999 b", "1.5 K", "10 K", "2.0 MB").

#include "XGTypes.h"

#include <string>

constexpr int kFormatSizeBufferSize = 16; // enough for every 32-bit count

// Writes the text into `out` (kFormatSizeBufferSize bytes) and answers `out`.
char* FormatSize(yaaf::uint32 bytes, char* out);
std::string FormatSize(yaaf::uint32 bytes);
