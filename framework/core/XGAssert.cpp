#include "XGAssert.h"

#include "XGAlert.h"
#include "XGDebug.h"
#include "XGFormat.h"

#include <cstring>
#include <string>

namespace yaaf {

void YAAFInlineError(const char* condition, const char* unit, int line) {
    std::string text;
    yformat(text, "Unexpected error #S at #S(#L)", condition ? condition : "", unit ? unit : "", line);
    YAAFDebugError("YAAFInlineError: %s", text.c_str());
    throw XGYAAFUnexpected(text);
}

void YAAFInlineError_Dlg(const char* condition, const char* unit, int line) {
    std::string text;
    yformat(text, "#S at #S(#L)", condition ? condition : "", unit ? unit : "", line);
    XGAlertRequest request;
    request.kind = XGAlertKind::kError;
    request.title = "Assert Fail:";
    request.text = text;
    // Also on the debug output: an alert answered silently (tests, no display) must leave a trace.
    YAAFDebugError("YAAFInlineError: %s", text.c_str());
    XGShowAlert(request);
}

void XGReportAssertion(const char* condition, const char* unit, int line) {
    YAAFInlineError_Dlg(condition, unit, line);
}

const char* XGUnitName(const char* path, char* buffer, int size) {
    if (!buffer || size <= 0) return "";
    buffer[0] = '\0';
    if (!path) return buffer;
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') base = p + 1;
    const char* dot = std::strrchr(base, '.');
    size_t n = dot ? size_t(dot - base) : std::strlen(base);
    if (n > size_t(size - 1)) n = size_t(size - 1);
    std::memcpy(buffer, base, n);
    buffer[n] = '\0';
    return buffer;
}

} // namespace yaaf
