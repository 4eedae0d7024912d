#pragma once
// One TCP connection, as used by the version check and by picture fetches over HTTP.
// The socket is non-blocking underneath: every connect, read and write waits at most the
// stream's timeout, and every wait watches an interrupt flag, so that a silent server can
// never keep a worker thread (or the program's shut-down) waiting for ever. Cancelling from
// another thread also shuts the socket down, so that a wait in progress ends at once.

#include "XGTypes.h"

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

namespace yaaf {

constexpr int16 kXGTCP_NoErr = 0;
constexpr int16 kXGTCP_ProtocolErr = 11; // network library could not be started
constexpr int16 kXGTCP_ConnectErr = 13;  // host not found or connection failed

class XGTCPStream;

// Lets one thread cancel the streams another thread works with (a worker's owner shutting down
// while the worker waits on a server). Streams attach themselves with SetCanceller; a stream
// attached after Cancel starts cancelled. Must outlive the streams attached to it.
class XGStreamCanceller {
public:
    XGStreamCanceller() = default;
    XGStreamCanceller(const XGStreamCanceller&) = delete;
    XGStreamCanceller& operator=(const XGStreamCanceller&) = delete;

    // Cancels every attached stream and every stream attached later (callable from any thread).
    void Cancel();
    bool IsCancelled() const { return fCancelled.load(); }
    // Ready for new work: later streams are no longer cancelled.
    void Reset() { fCancelled.store(false); }

private:
    friend class XGTCPStream;
    void Attach(XGTCPStream* stream);
    void Detach(XGTCPStream* stream);

    std::atomic<bool> fCancelled{false};
    std::mutex fMutex; // guards fStreams
    std::vector<XGTCPStream*> fStreams;
};

class XGTCPStream {
public:
    // Makes the stream with an unconnected socket, or without one when `noSocket` is true.
    // Raises XGYAAFUnexpected when no socket can be made.
    explicit XGTCPStream(bool noSocket = false);
    ~XGTCPStream();
    XGTCPStream(const XGTCPStream&) = delete;
    XGTCPStream& operator=(const XGTCPStream&) = delete;

    // The socket interface needs no start-up here; kept so that callers read the same everywhere.
    static int16 InitProtocol();
    static void EndProtocol();

    // Resolves `host` (a dotted or bracketed address is used directly) and connects within the
    // timeout. Answers 0 or kXGTCP_ConnectErr.
    int16 InitSend(const char* host, uint16 port);

    // One send (after waiting for room within the timeout); answers the bytes sent or -1.
    int32 Write(int32 length, const void* bytes);
    // Sends all of `length` bytes; false when the stream failed on the way.
    bool WriteAll(int32 length, const void* bytes);

    // One receive: the bytes read, 0 when nothing is there yet, -1 at the end or on error.
    int32 ReadAsync(int32 length, void* bytes);
    // Reads until `length` bytes came, the stream ended, it timed out (no byte for the timeout)
    // or the interrupt flag was set. Answers the count read, or -1 when nothing was read.
    int32 ReadSync(int32 length, void* bytes);
    int32 Read(int32 length, void* bytes) { return ReadSync(length, bytes); }

    // Closes the socket (once).
    void Close();

    bool IsReadable() const { return fReadable; }
    bool IsWritable() const { return fWritable; }
    // The last wait ended because the timeout passed.
    bool TimedOut() const { return fTimedOut; }
    // The peer closed the connection in order (as opposed to a reset or another error).
    bool Ended() const { return fEnded; }

    // Ends a connect, read or write in progress at once and makes every later one fail
    // (callable from any thread).
    void Cancel();
    // Attaches the stream to the canceller of its owner (none detaches it).
    void SetCanceller(XGStreamCanceller* canceller);
    bool Interrupted() const;

    // Milliseconds a connect, a read or a write may wait.
    void SetTimeout(int32 ms) { fTimeoutMs = ms; }
    int32 GetTimeout() const { return fTimeoutMs; }
    // The timeout new streams start with (10 seconds unless changed, e.g. by tests).
    static void SetDefaultTimeout(int32 ms);
    static int32 GetDefaultTimeout();

    // The number of streams in existence, and the time stamp (steady clock, milliseconds)
    // renewed to now + 2 seconds whenever a stream is made or destroyed.
    static int32 GetOpenStreamCount();
    static int64 GetStreamTimeStamp();

private:
    enum class State { kNone, kOpen, kConnected, kClosed };

    // Waits for `events` on the socket; 1 ready, 0 timed out, -1 error or interrupted.
    int WaitFor(short events, int32 timeoutMs);
    bool MakeSocket(int family);

    int fSocket = -1;
    // Guards fSocket against Cancel from another thread; only the stream's own thread changes it.
    std::mutex fSocketMutex;
    State fState = State::kNone;
    bool fReadable = true;
    bool fWritable = true;
    bool fTimedOut = false;
    bool fEnded = false;
    int32 fTimeoutMs;
    std::atomic<bool> fInterrupt{false};
    XGStreamCanceller* fCanceller = nullptr;
};

// Splits "host", "host:port", "[v6address]" or "[v6address]:port". Answers false for an empty
// host or a port that is not a number from 1 to 65535.
bool XGSplitHostPort(const std::string& spec, uint16 defaultPort, std::string& host, uint16& port);

// An HTTP reply, or a bare document from a server that answered without a status line.
struct XGHTTPResponse {
    bool hasStatusLine = false;
    int32 status = 0; // 200 for a bare document
    std::string headers;
    std::string body;
};

enum XGHTTPReadResult : int16 {
    kXGHTTPRead_OK = 0,
    kXGHTTPRead_TooLarge,    // the reply passed the size limit
    kXGHTTPRead_TimedOut,    // the server fell silent
    kXGHTTPRead_Truncated,   // the reply ended before its headers or its announced length
    kXGHTTPRead_Failed,      // the connection failed
    kXGHTTPRead_Interrupted, // the interrupt flag was set
    kXGHTTPRead_Malformed,   // an unreadable status line or chunk
};

constexpr size_t kXGHTTPDefaultLimit = 1024 * 1024;

// Reads a whole reply until the peer closes the connection (or the announced length came),
// refusing replies larger than `maxBytes`. The whole read may last at most six times the
// stream's timeout, so that a server trickling bytes cannot hold it for ever either.
// With `lenientLength`, a negative or unreadable Content-Length counts as absent (the body is
// what came before the peer closed) instead of making the reply malformed.
XGHTTPReadResult XGReadHTTPResponse(XGTCPStream& stream, XGHTTPResponse& out,
                                    size_t maxBytes = kXGHTTPDefaultLimit, bool lenientLength = false);

// Parses a reply held in memory (the part of XGReadHTTPResponse after reading).
XGHTTPReadResult XGParseHTTPResponse(const std::string& raw, XGHTTPResponse& out, bool lenientLength = false);

// Collects a reply as its bytes come, in pieces of any size, and tells when it is complete by
// its own Content-Length, so that a server keeping the connection open after the body need
// not be waited for. XGReadHTTPResponse feeds it from the socket; anything else holding a
// server's bytes (tests, fuzz targets) feeds it the same way.
class XGHTTPReplyReader {
public:
    explicit XGHTTPReplyReader(size_t maxBytes = kXGHTTPDefaultLimit) : fMaxBytes(maxBytes) {}

    // Adds the bytes that came; false (nothing added) when the reply would pass the limit.
    bool Add(const char* bytes, size_t length);
    // The headers have come and announced a length that has come in full.
    bool Complete() const { return fComplete; }
    bool Empty() const { return fRaw.empty(); }
    // Parses what came: kXGHTTPRead_Truncated when nothing did, else as XGParseHTTPResponse.
    XGHTTPReadResult Finish(XGHTTPResponse& out, bool lenientLength = false) const;

private:
    std::string fRaw;
    size_t fMaxBytes;
    size_t fScanned = 0; // where the search for the end of the headers goes on
    bool fHeadersDone = false;
    bool fHasLength = false; // a Content-Length that completes the reply when reached
    size_t fWholeSize = 0;   // the reply's size by that Content-Length
    bool fComplete = false;
};

// Answers the value of header `name` (case-insensitive) or an empty string.
std::string XGHTTPHeaderValue(const XGHTTPResponse& response, const char* name);

} // namespace yaaf
