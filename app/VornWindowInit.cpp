#include "VornWindowInit.h"

#include "TVornApp.h"

yaaf::XGWindow* InitWindow_Vorn(Vorn_WindowInit kind, const yaaf::XGFileSpecifier* fileSpec,
                                yaaf::XGDocForm** outForm) {
    return TVornApp::InitWindow_Vorn(kind, fileSpec, outForm);
}
