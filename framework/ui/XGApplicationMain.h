#pragma once
// The program's entry into the framework: sets up the platform, makes the application object,
// runs it and deletes it.

#include <functional>

namespace yaaf {

class XGAppCore;

// Returns the program's exit code. makeApp runs once the platform is ready.
int XGApplicationMain(int argc, char** argv, const std::function<XGAppCore*()>& makeApp);

} // namespace yaaf
