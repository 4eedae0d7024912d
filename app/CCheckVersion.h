#pragma once
// The version check: asks the maker's web server whether a newer Vorn exists, shortly after
// start-up and then once a day when the automatic check is on, and whenever the user asks.
// The network question runs on a worker thread; Idle, on the user-interface thread, picks up
// the answer and tells the user.

#include "XGTCPStream.h"
#include "XGTypes.h"

#include <atomic>
#include <cstddef>
#include <string>

namespace yaaf {
class XGThread;
}

struct Vorn_VersionRec {
    yaaf::int16 major = 0;
    yaaf::int16 minor = 0;
    yaaf::int16 dot = 0;
    yaaf::int16 stage = 0;
    yaaf::int16 build = 0;
    char rogue = ' ';
    yaaf::int16 roguebuild = 0;

    bool operator==(const Vorn_VersionRec&) const = default;
};

constexpr yaaf::int16 kVornStage_DEVELOPMENT = 0x20;
constexpr yaaf::int16 kVornStage_ALPHA = 0x40;
constexpr yaaf::int16 kVornStage_BETA = 0x60;
constexpr yaaf::int16 kVornStage_FINAL = 0x80;

// The running program's version: 1.0a50.3.
constexpr yaaf::int16 kVornVers_MAJOR = 1;
constexpr yaaf::int16 kVornVers_MINOR = 0;
constexpr yaaf::int16 kVornVers_DOT = 0;
constexpr yaaf::int16 kVornVers_STAGE = kVornStage_ALPHA;
constexpr yaaf::int16 kVornVers_BUILD = 50;
constexpr char kVornVers_ROGUE = '.';
constexpr yaaf::int16 kVornVers_ROGUEBUILD = 3;

// The stage's letter ('d', 'a', 'b', 'f'), or 0 for a stage without one.
char StageToChar(yaaf::int16 stage);
void GetLocalVersion(Vorn_VersionRec& version);
// Orders by major, minor, dot, stage, build, rogue and roguebuild.
bool operator<(const Vorn_VersionRec& a, const Vorn_VersionRec& b);

// The maker's server, "host" or "host:port"; VORN_UPDATE_SERVER replaces it when set.
constexpr const char* kVornUpdateServerVar = "VORN_UPDATE_SERVER";
constexpr const char* kVornDefaultUpdateServer = "www.quorvale.com";
constexpr yaaf::uint16 kVornUpdatePort = 80;
constexpr const char* kVornVersionPath = "/vorn/downloads/version.xml";
constexpr const char* kVornDownloadsPath = "/vorn/downloads/";
constexpr const char* kVornDownloadFilePath = "/vorn/downloads/VornWin.zip";

// How long a successful check holds until the next automatic one, and how long a failed
// automatic check waits before it is tried again.
constexpr yaaf::int64 kVornCheckIntervalMs = 86400LL * 1000;
constexpr yaaf::int64 kVornCheckRetryMs = 10LL * 60 * 1000;

class CCheckVersion {
public:
    // Starts a check at once when the automatic check is on.
    CCheckVersion();
    // Cancels a running worker and waits until it has finished.
    ~CCheckVersion();
    CCheckVersion(const CCheckVersion&) = delete;
    CCheckVersion& operator=(const CCheckVersion&) = delete;

    // Starts a worker asking the server. While one runs, another is not started: the running
    // one's answer is reported.
    void DoCheck();
    // "Check for Update...": a check whose answer is told whatever it is, also when no check
    // has finished before in this run.
    void DoCommandCheck();
    bool IsChecking() const { return i_checkingB.load(); }
    // Ends a running worker's network waits at once; its check fails. Callable from any thread.
    void Cancel() { i_cancel.Cancel(); }
    // The periodic work: starts automatic checks that are due and reports finished ones.
    void Idle();
    // Waits until a running worker has finished (its result, if any, still waits for Idle).
    void WaitForWorker();

    // The network question, run on the worker: reads the version document from `server`
    // ("host[:port]"). `cancel`, when given, ends the waits when cancelled. On failure `why`,
    // when given, receives a short reason for the log.
    static bool GetServerVersion(const std::string& server, Vorn_VersionRec& version,
                                 yaaf::XGStreamCanceller* cancel = nullptr, std::string* why = nullptr);
    // What the server's reply (`result` as XGReadHTTPResponse answered) says: true with the
    // version when it holds a readable version document, else false with the reason in `why`.
    static bool VersionFromReply(yaaf::XGHTTPReadResult result, const yaaf::XGHTTPResponse& response,
                                 Vorn_VersionRec& version, std::string* why = nullptr);
    // Reads a version document; true when all seven values were found.
    static bool ParseVersionDocument(const std::string& document, Vorn_VersionRec& version);

    // "1.0a50.3"; a final release shows neither build nor rogue part ("1.2").
    static std::string GetVersionString(const Vorn_VersionRec& version);
    static char* GetVersionString(const Vorn_VersionRec& version, char* out, size_t size);

    // The server the checks ask: VORN_UPDATE_SERVER when set and not empty, else the default.
    static std::string GetUpdateServer();

    bool i_show_failure_messageB = false;
    std::atomic<bool> i_checkingB{false};
    std::atomic<bool> i_checkedB{false};
    std::atomic<bool> i_got_serverB{false};
    Vorn_VersionRec i_serverVers;      // written by the worker before it sets i_checkedB
    yaaf::int64 i_delayCheckTimeL = 0; // XGGetTime() after which the next automatic check is due

private:
    static yaaf::int32 CB_S_VersCheckProc(void* refcon);
    yaaf::int32 CB_VersCheckProc();
    bool AutoCheckIsOn() const;
    void ReportResult();

    yaaf::XGThread* i_threadP = nullptr; // the creator's reference to the worker
    std::string i_serverZ;               // the server of the current check
    std::string i_failureZ;              // why the worker failed, for the log
    yaaf::XGStreamCanceller i_cancel;    // the current worker's stream
};

extern CCheckVersion* gCheckVersion;
