#pragma once
// One running instance per user: the first start listens on a local socket named after its main
// window class; a later start finds it there, hands its work over and ends. The same socket is
// the shell command channel. A message is text ended by a zero byte; each is answered with
// "ACK" and a zero byte before it is handled.

#include "XGTypes.h"

#include <functional>
#include <memory>
#include <string>

namespace yaaf {

// The message a second start sends after storing its command line (the hand-over).
constexpr const char* kXGInstanceLaunchMessage = "XG-LAUNCH 1";

// Where the socket of `name` lives: `name` itself when it is a path (has a "/"); otherwise in
// $XDG_RUNTIME_DIR, or in the temporary folder with the user id appended, so that each user has
// an instance of their own.
std::string XGInstanceSocketPath(const std::string& name);

struct XGInstanceServerPlatform;

class XGInstanceServer {
public:
    // Runs on the user-interface thread, once per message, after the acknowledgement.
    using Handler = std::function<void(const std::string& message)>;

    XGInstanceServer();
    ~XGInstanceServer();
    XGInstanceServer(const XGInstanceServer&) = delete;
    XGInstanceServer& operator=(const XGInstanceServer&) = delete;

    // Starts listening; false when the name cannot be taken (another instance answers there).
    // A socket left behind by an instance that ended without closing it is removed first.
    bool Listen(const std::string& name);
    void SetHandler(Handler handler);
    bool IsListening() const;

private:
    std::unique_ptr<XGInstanceServerPlatform> fPlatform;
};

// Whether an instance answers on the name.
bool XGInstanceRunning(const std::string& name, int32 timeoutMs = 1000);
// Sends one message to the instance on the name; true when it was delivered and acknowledged.
bool XGSendToInstance(const std::string& name, const std::string& message, int32 timeoutMs = 3000);

} // namespace yaaf
