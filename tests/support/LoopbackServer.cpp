#include "LoopbackServer.h"

#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace vorntest {

namespace {

constexpr size_t kMaxRequest = 64 * 1024;
constexpr auto kRequestTimeout = std::chrono::seconds(5);

sockaddr_in Loopback(uint16_t port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    return addr;
}

uint16_t BoundPort(int fd) {
    sockaddr_in addr{};
    socklen_t len = sizeof addr;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) return 0;
    return ntohs(addr.sin_port);
}

void Fail(const char* step) {
    const QByteArray message =
        QByteArray("loopback server: ") + step + " on 127.0.0.1 failed: " + std::strerror(errno);
    qWarning("%s", message.constData());
    QTest::qFail(message.constData(), __FILE__, __LINE__);
}

// A request is whole at its blank line; one without a version ends with its first line.
bool IsComplete(const std::string& request) {
    const size_t eol = request.find('\n');
    if (eol == std::string::npos) return false;
    if (request.substr(0, eol).find(" HTTP/") == std::string::npos) return true;
    return request.find("\r\n\r\n") != std::string::npos || request.find("\n\n") != std::string::npos;
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler) : fHandler(std::move(handler)) {
    if (::pipe2(fWake, O_CLOEXEC) != 0) {
        Fail("pipe");
        return;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        Fail("socket");
        return;
    }
    const sockaddr_in addr = Loopback(0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        (fPort = BoundPort(fd)) == 0) {
        Fail("bind/listen");
        ::close(fd);
        return;
    }
    fListen = fd;
    fThread = std::thread([this] { Serve(); });
}

LoopbackServer::LoopbackServer(Answer answer)
    : LoopbackServer([answer](const std::string&) { return answer; }) {}

LoopbackServer::~LoopbackServer() {
    Stop();
    for (int fd : fWake)
        if (fd >= 0) ::close(fd);
}

void LoopbackServer::Stop() {
    if (fStop.exchange(true)) return;
    if (fWake[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(fWake[1], &byte, 1);
    }
    if (fThread.joinable()) fThread.join();
    if (fListen >= 0) ::close(fListen);
    fListen = -1;
}

std::string LoopbackServer::Address() const {
    return "127.0.0.1:" + std::to_string(fPort);
}

std::string LoopbackServer::Url(const std::string& path) const {
    return "http://" + Address() + path;
}

std::vector<std::string> LoopbackServer::Requests() const {
    std::lock_guard<std::mutex> lock(fMutex);
    return fRequests;
}

std::string LoopbackServer::LastRequest() const {
    std::lock_guard<std::mutex> lock(fMutex);
    return fRequests.empty() ? std::string() : fRequests.back();
}

uint16_t LoopbackServer::ClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return 0;
    const sockaddr_in addr = Loopback(0);
    const uint16_t port =
        ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0 ? BoundPort(fd) : 0;
    ::close(fd);
    return port;
}

bool LoopbackServer::WaitReadable(int fd, int timeoutMs) const {
    pollfd p[2] = {{fd, POLLIN, 0}, {fWake[0], POLLIN, 0}};
    while (true) {
        const int n = ::poll(p, 2, timeoutMs);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0 || (p[1].revents & POLLIN) || fStop.load()) return false;
        return (p[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0;
    }
}

void LoopbackServer::Serve() {
    while (!fStop.load()) {
        if (!WaitReadable(fListen, -1)) continue;
        const int fd = ::accept4(fListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        ++fConnections;
        Answer1(fd);
        ::close(fd);
    }
}

void LoopbackServer::Answer1(int fd) {
    std::string request;
    char buf[4096];
    const auto until = std::chrono::steady_clock::now() + kRequestTimeout;
    while (!IsComplete(request) && request.size() < kMaxRequest) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !WaitReadable(fd, int(left.count()))) break;
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) break;
        request.append(buf, size_t(n));
    }
    if (fStop.load()) return;
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fRequests.push_back(request);
    }
    const Answer answer = fHandler ? fHandler(request) : Close();
    if (answer.kind == Answer::kReply) {
        size_t sent = 0;
        while (sent < answer.bytes.size()) {
            const ssize_t n =
                ::send(fd, answer.bytes.data() + sent, answer.bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += size_t(n);
        }
    }
    if (answer.kind == Answer::kSilent) {
        // Until the client hangs up or the server stops.
        while (WaitReadable(fd, -1) && ::recv(fd, buf, sizeof buf, 0) > 0) {
        }
        return;
    }
    // Whatever the client sent beyond its request is read first: a close with unread data
    // would reset the connection and could lose the reply on its way.
    ::shutdown(fd, SHUT_WR);
    while (::recv(fd, buf, sizeof buf, MSG_DONTWAIT) > 0) {
    }
}

std::string HttpReply(const std::string& body, const std::string& headers, const std::string& status) {
    return "HTTP/1.0 " + status + "\r\n" + headers + "Content-Length: " + std::to_string(body.size()) +
           "\r\n\r\n" + body;
}

} // namespace vorntest
