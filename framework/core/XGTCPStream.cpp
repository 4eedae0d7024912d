#include "XGTCPStream.h"

#include "XGExceptions.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace yaaf {

namespace {

// Waits are cut into slices this long so that the interrupt flag is seen promptly.
constexpr int32 kSliceMs = 50;

std::atomic<int32> sDefaultTimeoutMs{10000};
std::atomic<int32> sOpenStreams{0};
std::atomic<int64> sStreamTimeStamp{0};

int64 NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RenewTimeStamp() {
    sStreamTimeStamp.store(NowMs() + 2000);
}

} // namespace

XGTCPStream::XGTCPStream(bool noSocket) : fTimeoutMs(sDefaultTimeoutMs.load()) {
    InitProtocol();
    if (!noSocket) {
        if (!MakeSocket(AF_INET))
            throw XGYAAFUnexpected("XGTCPStream::XGTCPStream: Unable to initialize socket");
    }
    ++sOpenStreams;
    RenewTimeStamp();
}

XGTCPStream::~XGTCPStream() {
    SetCanceller(nullptr);
    Close();
    --sOpenStreams;
    RenewTimeStamp();
}

int16 XGTCPStream::InitProtocol() {
    return kXGTCP_NoErr;
}

void XGTCPStream::EndProtocol() {}

void XGTCPStream::SetDefaultTimeout(int32 ms) {
    sDefaultTimeoutMs.store(std::max<int32>(ms, 1));
}
int32 XGTCPStream::GetDefaultTimeout() {
    return sDefaultTimeoutMs.load();
}
int32 XGTCPStream::GetOpenStreamCount() {
    return sOpenStreams.load();
}
int64 XGTCPStream::GetStreamTimeStamp() {
    return sStreamTimeStamp.load();
}

void XGStreamCanceller::Cancel() {
    fCancelled.store(true);
    std::lock_guard<std::mutex> lock(fMutex);
    for (XGTCPStream* stream : fStreams)
        stream->Cancel();
}

void XGStreamCanceller::Attach(XGTCPStream* stream) {
    std::lock_guard<std::mutex> lock(fMutex);
    fStreams.push_back(stream);
}

void XGStreamCanceller::Detach(XGTCPStream* stream) {
    std::lock_guard<std::mutex> lock(fMutex);
    fStreams.erase(std::remove(fStreams.begin(), fStreams.end(), stream), fStreams.end());
}

void XGTCPStream::SetCanceller(XGStreamCanceller* canceller) {
    if (fCanceller == canceller) return;
    if (fCanceller) fCanceller->Detach(this);
    fCanceller = canceller;
    if (fCanceller) fCanceller->Attach(this);
}

void XGTCPStream::Cancel() {
    fInterrupt.store(true);
    // Shutting the socket down wakes a poll on it at once, a connect still under way included;
    // the flag keeps every later wait from starting.
    std::lock_guard<std::mutex> lock(fSocketMutex);
    if (fSocket >= 0) ::shutdown(fSocket, SHUT_RDWR);
}

bool XGTCPStream::Interrupted() const {
    return fInterrupt.load() || (fCanceller && fCanceller->IsCancelled());
}

bool XGTCPStream::MakeSocket(int family) {
    std::lock_guard<std::mutex> lock(fSocketMutex);
    if (fSocket >= 0) ::close(fSocket);
    fSocket = ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    fState = fSocket >= 0 ? State::kOpen : State::kNone;
    return fSocket >= 0;
}

int XGTCPStream::WaitFor(short events, int32 timeoutMs) {
    fTimedOut = false;
    if (fSocket < 0) return -1;
    const int64 deadline = NowMs() + timeoutMs;
    for (;;) {
        if (Interrupted()) return -1;
        const int64 left = deadline - NowMs();
        if (left <= 0) {
            fTimedOut = true;
            return 0;
        }
        pollfd p{fSocket, events, 0};
        const int n = ::poll(&p, 1, int(std::min<int64>(left, kSliceMs)));
        if (n > 0) return 1; // errors and hang-ups are picked up by the call that follows
        if (n < 0 && errno != EINTR) return -1;
    }
}

int16 XGTCPStream::InitSend(const char* host, uint16 port) {
    if (!host || !*host || port == 0) return kXGTCP_ConnectErr;
    std::string name(host);
    if (name.size() > 2 && name.front() == '[' && name.back() == ']') name = name.substr(1, name.size() - 2);

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
    addrinfo* list = nullptr;
    const std::string service = std::to_string(port);
    // A dotted address is taken as it stands; a name goes to the resolver.
    if (::getaddrinfo(name.c_str(), service.c_str(), &hints, &list) != 0 || !list) {
        hints.ai_flags = AI_NUMERICSERV;
        if (::getaddrinfo(name.c_str(), service.c_str(), &hints, &list) != 0 || !list)
            return kXGTCP_ConnectErr;
    }
    std::this_thread::yield();

    bool connected = false;
    bool first = true;
    for (addrinfo* a = list; a && !connected && !Interrupted(); a = a->ai_next) {
        // The socket made with the stream can only try one connect; later tries need fresh ones.
        const bool reuse = first && fSocket >= 0 && fState == State::kOpen && a->ai_family == AF_INET;
        first = false;
        if (!reuse && !MakeSocket(a->ai_family)) continue;
        int rc = ::connect(fSocket, a->ai_addr, a->ai_addrlen);
        if (rc != 0 && errno != EINPROGRESS && errno != EINTR) {
            fState = State::kClosed; // a failed connect leaves the socket unusable
            continue;
        }
        if (rc != 0) {
            if (WaitFor(POLLOUT, fTimeoutMs) <= 0) {
                fState = State::kClosed;
                continue;
            }
            int err = 0;
            socklen_t len = sizeof err;
            if (::getsockopt(fSocket, SOL_SOCKET, SO_ERROR, &err, &len) != 0 || err != 0) {
                fState = State::kClosed;
                continue;
            }
        }
        connected = true;
    }
    ::freeaddrinfo(list);
    if (!connected) return kXGTCP_ConnectErr;
    fState = State::kConnected;
    fReadable = fWritable = true;
    fEnded = false;
    return kXGTCP_NoErr;
}

int32 XGTCPStream::Write(int32 length, const void* bytes) {
    if (!fWritable || fState != State::kConnected || length < 0) return -1;
    if (length == 0) return 0;
    if (WaitFor(POLLOUT, fTimeoutMs) <= 0) {
        fWritable = false;
        return -1;
    }
    // MSG_NOSIGNAL: a peer that went away must answer -1, not end the process with SIGPIPE.
    const ssize_t n = ::send(fSocket, bytes, size_t(length), MSG_NOSIGNAL);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
        fWritable = false;
        return -1;
    }
    return int32(n);
}

bool XGTCPStream::WriteAll(int32 length, const void* bytes) {
    const char* p = static_cast<const char*>(bytes);
    int32 done = 0;
    while (done < length) {
        const int32 n = Write(length - done, p + done);
        if (n < 0) return false;
        done += n;
    }
    return true;
}

int32 XGTCPStream::ReadAsync(int32 length, void* bytes) {
    if (!fReadable || fState != State::kConnected || length < 0) return -1;
    if (length == 0) return 0;
    const ssize_t n = ::recv(fSocket, bytes, size_t(length), 0);
    if (n == 0) {
        fReadable = false;
        fEnded = true;
        return -1;
    }
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
        fReadable = false;
        return -1;
    }
    return int32(n);
}

int32 XGTCPStream::ReadSync(int32 length, void* bytes) {
    char* p = static_cast<char*>(bytes);
    int32 got = 0;
    fTimedOut = false;
    while (got < length && !Interrupted()) {
        const int32 n = ReadAsync(length - got, p + got);
        if (n < 0) break;
        if (n > 0) {
            got += n;
            continue;
        }
        if (WaitFor(POLLIN, fTimeoutMs) <= 0) break;
    }
    return got > 0 ? got : -1;
}

void XGTCPStream::Close() {
    std::lock_guard<std::mutex> lock(fSocketMutex);
    if (fSocket >= 0) {
        ::close(fSocket);
        fSocket = -1;
    }
    fState = State::kClosed;
    fReadable = fWritable = false;
}

bool XGSplitHostPort(const std::string& spec, uint16 defaultPort, std::string& host, uint16& port) {
    host.clear();
    port = defaultPort;
    std::string rest;
    if (!spec.empty() && spec.front() == '[') {
        const size_t close = spec.find(']');
        if (close == std::string::npos) return false;
        host = spec.substr(0, close + 1);
        rest = spec.substr(close + 1);
        if (host.size() <= 2) return false;
    } else {
        const size_t colon = spec.find(':');
        if (colon != std::string::npos && spec.find(':', colon + 1) != std::string::npos) {
            host = spec; // a bare IPv6 address without a port
        } else {
            host = spec.substr(0, colon);
            if (colon != std::string::npos) rest = spec.substr(colon);
        }
        if (host.empty()) return false;
    }
    if (rest.empty()) return true;
    if (rest[0] != ':' || rest.size() < 2 || rest.size() > 6) return false;
    long value = 0;
    for (size_t i = 1; i < rest.size(); ++i) {
        if (!std::isdigit((unsigned char)rest[i])) return false;
        value = value * 10 + (rest[i] - '0');
    }
    if (value < 1 || value > 65535) return false;
    port = uint16(value);
    return true;
}

namespace {

bool StartsWithNoCase(const std::string& s, size_t at, const char* word) {
    for (size_t i = 0; word[i]; ++i) {
        if (at + i >= s.size() ||
            std::tolower((unsigned char)s[at + i]) != std::tolower((unsigned char)word[i]))
            return false;
    }
    return true;
}

// Finds the blank line that ends the headers, searching from `from` on: the first one, whether
// the lines end in CR LF or in LF alone. headerEnd is where the blank line starts, bodyStart
// the byte after it. False while no blank line has come.
bool FindHeaderEnd(const std::string& raw, size_t from, size_t& headerEnd, size_t& bodyStart) {
    for (size_t at = raw.find('\n', from); at != std::string::npos; at = raw.find('\n', at + 1)) {
        if (at + 1 < raw.size() && raw[at + 1] == '\n') {
            headerEnd = at;
            bodyStart = at + 2;
            return true;
        }
        if (at > 0 && raw[at - 1] == '\r' && at + 2 < raw.size() && raw[at + 1] == '\r' && raw[at + 2] == '\n') {
            headerEnd = at - 1;
            bodyStart = at + 3;
            return true;
        }
    }
    return false;
}

// Decodes a chunked body; false when it is malformed or cut short.
bool Dechunk(const std::string& in, std::string& out) {
    out.clear();
    size_t at = 0;
    for (;;) {
        const size_t eol = in.find('\n', at);
        if (eol == std::string::npos) return false;
        size_t size = 0;
        size_t i = at;
        bool any = false;
        for (; i < eol && std::isxdigit((unsigned char)in[i]); ++i) {
            if (size > (size_t(1) << 40)) return false;
            size = size * 16 +
                   size_t(std::isdigit((unsigned char)in[i]) ? in[i] - '0' : std::tolower(in[i]) - 'a' + 10);
            any = true;
        }
        if (!any) return false;
        at = eol + 1;
        if (size == 0) return true; // trailers, if any, are of no interest
        if (in.size() - at < size) return false;
        out.append(in, at, size);
        at += size;
        if (at < in.size() && in[at] == '\r') ++at;
        if (at >= in.size() || in[at] != '\n') return false;
        ++at;
    }
}

} // namespace

XGHTTPReadResult XGParseHTTPResponse(const std::string& raw, XGHTTPResponse& out, bool lenientLength) {
    out = XGHTTPResponse{};
    if (raw.compare(0, 5, "HTTP/") != 0) {
        // A server answering an old-style request sends the document alone.
        out.status = 200;
        out.body = raw;
        return kXGHTTPRead_OK;
    }
    out.hasStatusLine = true;
    size_t headerEnd = 0;
    size_t bodyStart = 0;
    if (!FindHeaderEnd(raw, 0, headerEnd, bodyStart)) return kXGHTTPRead_Truncated;

    const size_t sp = raw.find(' ');
    if (sp == std::string::npos || sp > headerEnd || sp + 4 > raw.size()) return kXGHTTPRead_Malformed;
    int32 status = 0;
    for (size_t i = sp + 1; i < sp + 4; ++i) {
        if (!std::isdigit((unsigned char)raw[i])) return kXGHTTPRead_Malformed;
        status = status * 10 + (raw[i] - '0');
    }
    out.status = status;
    const size_t firstEol = raw.find('\n');
    out.headers = raw.substr(firstEol + 1, headerEnd > firstEol ? headerEnd - firstEol - 1 : 0);
    out.body = raw.substr(bodyStart);

    if (StartsWithNoCase(XGHTTPHeaderValue(out, "Transfer-Encoding"), 0, "chunked")) {
        std::string decoded;
        if (!Dechunk(out.body, decoded)) return kXGHTTPRead_Truncated;
        out.body.swap(decoded);
        return kXGHTTPRead_OK;
    }
    const std::string length = XGHTTPHeaderValue(out, "Content-Length");
    if (!length.empty()) {
        char* end = nullptr;
        errno = 0;
        const unsigned long long n = std::strtoull(length.c_str(), &end, 10);
        if (errno != 0 || end == length.c_str() || !std::isdigit((unsigned char)length[0])) {
            if (!lenientLength) return kXGHTTPRead_Malformed;
        } else {
            if (out.body.size() < n) return kXGHTTPRead_Truncated;
            out.body.resize(size_t(n));
        }
    }
    return kXGHTTPRead_OK;
}

std::string XGHTTPHeaderValue(const XGHTTPResponse& response, const char* name) {
    const std::string& h = response.headers;
    const size_t nameLen = std::strlen(name);
    size_t at = 0;
    while (at < h.size()) {
        size_t eol = h.find('\n', at);
        if (eol == std::string::npos) eol = h.size();
        if (StartsWithNoCase(h, at, name) && at + nameLen < eol && h[at + nameLen] == ':') {
            size_t b = at + nameLen + 1;
            size_t e = eol;
            while (b < e && (h[b] == ' ' || h[b] == '\t'))
                ++b;
            while (e > b && (h[e - 1] == '\r' || h[e - 1] == ' ' || h[e - 1] == '\t'))
                --e;
            return h.substr(b, e - b);
        }
        at = eol + 1;
    }
    return {};
}

bool XGHTTPReplyReader::Add(const char* bytes, size_t length) {
    if (length > fMaxBytes - fRaw.size()) return false;
    fRaw.append(bytes, length);
    if (!fHeadersDone && fRaw.compare(0, 5, "HTTP/") == 0) {
        size_t headerEnd = 0;
        size_t bodyStart = 0;
        if (FindHeaderEnd(fRaw, fScanned, headerEnd, bodyStart)) {
            fHeadersDone = true;
            // The headers as the parser takes them; any transfer coding is read to the end.
            XGHTTPResponse head;
            const size_t firstEol = fRaw.find('\n');
            head.headers = fRaw.substr(firstEol + 1, headerEnd > firstEol ? headerEnd - firstEol - 1 : 0);
            const std::string value = XGHTTPHeaderValue(head, "Content-Length");
            if (XGHTTPHeaderValue(head, "Transfer-Encoding").empty() && !value.empty() &&
                std::isdigit((unsigned char)value[0])) {
                errno = 0;
                const unsigned long long n = std::strtoull(value.c_str(), nullptr, 10);
                // A length past the limit is never reached: the reply is read to its end.
                if (errno == 0 && n <= fMaxBytes) {
                    fHasLength = true;
                    fWholeSize = bodyStart + size_t(n);
                }
            }
        } else {
            // A blank line may be split between two pieces: look at the last bytes again.
            fScanned = fRaw.size() < 2 ? 0 : fRaw.size() - 2;
        }
    }
    if (fHasLength && fRaw.size() >= fWholeSize) fComplete = true;
    return true;
}

XGHTTPReadResult XGHTTPReplyReader::Finish(XGHTTPResponse& out, bool lenientLength) const {
    if (fRaw.empty()) {
        out = XGHTTPResponse{};
        return kXGHTTPRead_Truncated;
    }
    return XGParseHTTPResponse(fRaw, out, lenientLength);
}

XGHTTPReadResult XGReadHTTPResponse(XGTCPStream& stream, XGHTTPResponse& out, size_t maxBytes,
                                    bool lenientLength) {
    out = XGHTTPResponse{};
    XGHTTPReplyReader reply(maxBytes);
    char buffer[4096];
    const int64 deadline = NowMs() + int64(stream.GetTimeout()) * 6;
    for (;;) {
        if (stream.Interrupted()) return kXGHTTPRead_Interrupted;
        if (NowMs() > deadline) return kXGHTTPRead_TimedOut;
        const int32 n = stream.ReadSync(int32(sizeof buffer), buffer);
        if (n > 0) {
            if (!reply.Add(buffer, size_t(n))) return kXGHTTPRead_TooLarge;
            if (reply.Complete()) break;
            if (n == int32(sizeof buffer)) continue;
        }
        if (stream.Interrupted()) return kXGHTTPRead_Interrupted;
        if (stream.TimedOut()) return kXGHTTPRead_TimedOut;
        if (stream.Ended()) break; // the peer closed: the reply is complete
        if (n < 0 || !stream.IsReadable()) return kXGHTTPRead_Failed;
    }
    return reply.Finish(out, lenientLength);
}

} // namespace yaaf
