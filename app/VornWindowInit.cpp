#include "VornWindowInit.h"

// Until the application object can make document windows, nothing is made.
yaaf::XGWindow* InitWindow_Vorn(Vorn_WindowInit, const yaaf::XGFileSpecifier*, yaaf::XGDocForm**) {
    return nullptr;
}
