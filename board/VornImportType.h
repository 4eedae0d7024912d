#pragma once
// What a board can take items in from (one byte, as menus and scripts name them).

#include "XGTypes.h"

enum Vorn_ImportType : yaaf::uint8 {
    Vorn_Import_NONE = 0,
    Vorn_Import_FILE_SYSTEM = 1,
    Vorn_Import_VORN = 2,
    Vorn_Import_CR = 3,
    Vorn_Import_TEXT = 4,
    Vorn_Import_FLOWERS = 5,
    Vorn_Import_HTS = 6,
    Vorn_Import_HTML = 7,
    Vorn_Import_RTF = 8,
    Vorn_Import_PDF = 9,
    Vorn_Import_PICT = 10,
    Vorn_Import_NUMTYPES
};
