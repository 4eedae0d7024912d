#include "VornWindowInit.h"

namespace {
VornWindowInitProc s_windowInitProc = nullptr;
} // namespace

void SetWindowInitProc(VornWindowInitProc proc) {
    s_windowInitProc = proc;
}

yaaf::XGWindow* InitWindow_Vorn(Vorn_WindowInit kind, const yaaf::XGFileSpecifier* fileSpec,
                                yaaf::XGDocForm** outForm) {
    if (outForm) *outForm = nullptr;
    return s_windowInitProc ? s_windowInitProc(kind, fileSpec, outForm) : nullptr;
}
