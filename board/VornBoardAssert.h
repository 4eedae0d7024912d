#pragma once
// The reporting assertion of the board sources: the report names the source file as the file
// defines it in VORN_UNIT ("CVornItem.cpp"), and the program goes on.

#include "XGAssert.h"

#define VORN_ASSERT_DLG(cond)                                                                                \
    do {                                                                                                     \
        if (!(cond)) ::yaaf::YAAFInlineError_Dlg(#cond, VORN_UNIT, __LINE__);                                \
    } while (0)
