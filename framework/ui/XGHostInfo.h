#pragma once
// What the machine the program runs on is called.

#include <string>

namespace yaaf {

// The machine's network name (host name), read once; "localhost" when it has none.
const std::string& XGGetMachineName();

} // namespace yaaf
