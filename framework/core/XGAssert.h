#pragma once
// The two assertions. The fatal one raises XGYAAFUnexpected and ends the current operation;
// the reporting one shows "Assert Fail:" with the condition, the unit and the line, and the
// program goes on.

#include "XGExceptions.h"

namespace yaaf {

[[noreturn]] void YAAFInlineError(const char* condition, const char* unit, int line);
void YAAFInlineError_Dlg(const char* condition, const char* unit, int line);

// The reporting assertion as a plain function, for callers that form their own condition text.
void XGReportAssertion(const char* condition, const char* unit, int line);

// The unit name of a source path: its file name without folders and extension.
const char* XGUnitName(const char* path, char* buffer, int size);

} // namespace yaaf

using yaaf::YAAFInlineError;
using yaaf::YAAFInlineError_Dlg;

// The unit defaults to the source file's name; a file may define YAAF_UNIT before including
// this header to name itself.
#ifndef YAAF_UNIT
#define YAAF_UNIT_NAME(buf) ::yaaf::XGUnitName(__FILE__, buf, sizeof(buf))
#else
#define YAAF_UNIT_NAME(buf) YAAF_UNIT
#endif

#define YAAF_ASSERT(cond)                                                                                    \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            char yaaf_unit_buf_[64];                                                                         \
            ::yaaf::YAAFInlineError(#cond, YAAF_UNIT_NAME(yaaf_unit_buf_), __LINE__);                        \
        }                                                                                                    \
    } while (0)

#define YAAF_ASSERT_DLG(cond)                                                                                \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            char yaaf_unit_buf_[64];                                                                         \
            ::yaaf::YAAFInlineError_Dlg(#cond, YAAF_UNIT_NAME(yaaf_unit_buf_), __LINE__);                    \
        }                                                                                                    \
    } while (0)
