#pragma once
// The Vorn application object.

#include "XGAppMultiWindow.h"

class TVornApp : public yaaf::XGAppMultiWindow {
    YAAF_DECLARE_DISPATCH()
public:
    TVornApp();
    ~TVornApp() override;

    void Init() override;
};

// The application, or none.
extern TVornApp* gVornApp;
