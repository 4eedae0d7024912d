#pragma once
// Work handed to the user-interface thread from any thread: the call runs there, after the
// event being handled, in the order posted. Worker threads use it to give their results to
// objects that only the user-interface thread may touch.

#include <functional>

namespace yaaf {

class XGMainThread {
public:
    // Queues the call for the user-interface thread. Without an application object (nothing
    // would ever run it) the call is dropped and false is answered.
    static bool Post(std::function<void()> call);
    // The same, run no sooner than the time given from now.
    static bool PostDelayed(int milliseconds, std::function<void()> call);
    // Whether the calling thread is the user-interface thread (true without an application).
    static bool IsMainThread();
};

} // namespace yaaf
