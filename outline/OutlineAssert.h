#pragma once
// The reporting assertion of the outline sources: the report names the class the file belongs
// to, as the file defines it in OUTLINE_UNIT ("CTopic"), and the program goes on. The text form
// reports a condition under a name of its own.

#include "XGAssert.h"

#define OUTLINE_ASSERT_DLG(cond)                                                                             \
    do {                                                                                                     \
        if (!(cond)) ::yaaf::YAAFInlineError_Dlg(#cond, OUTLINE_UNIT, __LINE__);                             \
    } while (0)

#define OUTLINE_ASSERT_TEXT(cond, text)                                                                      \
    do {                                                                                                     \
        if (!(cond)) ::yaaf::YAAFInlineError_Dlg(text, OUTLINE_UNIT, __LINE__);                              \
    } while (0)
