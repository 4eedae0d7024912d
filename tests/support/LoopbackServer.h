#pragma once
// An HTTP server on 127.0.0.1 for the network tests, serving from a thread of its own. Each
// connection's request is read (up to its blank line, or its first line for a request without
// a version) and answered as the handler says: a reply, silence until the server stops (for
// timeouts), or a close without a word. A port that cannot be bound fails the running test.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vorntest {

class LoopbackServer {
public:
    struct Answer {
        enum Kind { kReply, kSilent, kClose } kind = kClose;
        std::string bytes;
    };
    static Answer Reply(std::string bytes) { return {Answer::kReply, std::move(bytes)}; }
    static Answer Silent() { return {Answer::kSilent, {}}; }
    static Answer Close() { return {Answer::kClose, {}}; }

    // The handler sees the whole request and runs on the server's thread.
    using Handler = std::function<Answer(const std::string& request)>;
    explicit LoopbackServer(Handler handler);
    // Every connection gets the same answer.
    explicit LoopbackServer(Answer answer);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // Ends silent connections and the thread at once; the port is free afterwards.
    void Stop();

    bool IsListening() const { return fListen >= 0; }
    uint16_t Port() const { return fPort; }
    std::string Address() const; // "127.0.0.1:PORT"
    std::string Url(const std::string& path) const;
    int Connections() const { return fConnections.load(); }
    std::vector<std::string> Requests() const;
    std::string LastRequest() const;

    // A port on 127.0.0.1 where nothing listens (it was bound and let go).
    static uint16_t ClosedPort();

private:
    void Serve();
    void Answer1(int fd);
    // Waits until fd is readable or the server stops; false when stopping or timed out.
    bool WaitReadable(int fd, int timeoutMs) const;

    Handler fHandler;
    int fListen = -1;
    int fWake[2] = {-1, -1};
    uint16_t fPort = 0;
    std::atomic<bool> fStop{false};
    std::atomic<int> fConnections{0};
    mutable std::mutex fMutex;
    std::vector<std::string> fRequests;
    std::thread fThread;
};

// A reply with a status line, the headers given (each ending in CR LF) and the body, with its
// length.
std::string HttpReply(const std::string& body, const std::string& headers = {},
                      const std::string& status = "200 OK");

} // namespace vorntest
