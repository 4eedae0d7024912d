#include "CCheckVersion.h"

#include "CVornPrefs.h"
#include "VornLog.h"
#include "XGAlert.h"
#include "XGPlatform.h"
#include "XGTCPStream.h"
#include "XGThread.h"
#include "XGXMLParser.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tuple>

using namespace yaaf;

CCheckVersion* gCheckVersion = nullptr;

namespace {

constexpr int16 kToken_XML = 1;
constexpr int16 kToken_KEYPAIR = 2;

const XGToken kVersionTokens[] = {
    {"xml", kToken_XML},
    {"keypair", kToken_KEYPAIR},
    {nullptr, -1},
};

// A value of the document as a number in 0 to 32767. `base` 0 reads "0x40" as hexadecimal and
// "0100" as octal. Anything else in the value makes the document unreadable.
bool ParseField(const char* text, int base, int16& out) {
    if (!text) return false;
    while (*text == ' ' || *text == '\t')
        ++text;
    if (!*text || *text == '-' || *text == '+') return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, base);
    if (errno != 0 || end == text) return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end || value < 0 || value > 32767) return false;
    out = int16(value);
    return true;
}

std::string ServerURL(const std::string& server, const char* path) {
    return "http://" + server + path;
}

} // namespace

char StageToChar(int16 stage) {
    switch (stage) {
    case kVornStage_DEVELOPMENT:
        return 'd';
    case kVornStage_ALPHA:
        return 'a';
    case kVornStage_BETA:
        return 'b';
    case kVornStage_FINAL:
        return 'f';
    default:
        return 0;
    }
}

void GetLocalVersion(Vorn_VersionRec& version) {
    version.major = kVornVers_MAJOR;
    version.minor = kVornVers_MINOR;
    version.dot = kVornVers_DOT;
    version.stage = kVornVers_STAGE;
    version.build = kVornVers_BUILD;
    version.rogue = kVornVers_ROGUE;
    version.roguebuild = kVornVers_ROGUEBUILD;
}

bool operator<(const Vorn_VersionRec& a, const Vorn_VersionRec& b) {
    // Field by field rather than packed into one number: packing lets a field above 255 spill
    // into its neighbour and order wrongly.
    return std::make_tuple(a.major, a.minor, a.dot, a.stage, a.build, (unsigned char)a.rogue, a.roguebuild) <
           std::make_tuple(b.major, b.minor, b.dot, b.stage, b.build, (unsigned char)b.rogue, b.roguebuild);
}

std::string CCheckVersion::GetVersionString(const Vorn_VersionRec& v) {
    char buf[128];
    return GetVersionString(v, buf, sizeof buf);
}

char* CCheckVersion::GetVersionString(const Vorn_VersionRec& v, char* out, size_t size) {
    if (!out || size == 0) return out;
    char dotPart[16] = "";
    char roguePart[24] = "";
    char stagePart[48] = "";
    if (v.dot != 0) std::snprintf(dotPart, sizeof dotPart, ".%d", v.dot);
    if (v.rogue != ' ') std::snprintf(roguePart, sizeof roguePart, "%c%d", v.rogue, v.roguebuild);
    if (v.stage != kVornStage_FINAL) {
        // A stage without a letter leaves the letter out rather than cutting the text short.
        const char letter = StageToChar(v.stage);
        char letterText[2] = {letter, 0};
        std::snprintf(stagePart, sizeof stagePart, "%s%d%s", letterText, v.build, roguePart);
    }
    std::snprintf(out, size, "%d.%d%s%s", v.major, v.minor, dotPart, stagePart);
    return out;
}

std::string CCheckVersion::GetUpdateServer() {
    const char* env = std::getenv(kVornUpdateServerVar);
    if (env && *env) return env;
    return kVornDefaultUpdateServer;
}

bool CCheckVersion::ParseVersionDocument(const std::string& document, Vorn_VersionRec& version) {
    XGXMLMemorySource source(document);
    XGXMLParser parser;
    parser.InitXMLParser(kVersionTokens, &source);
    // Line breaks and indentation between the elements are not values.
    parser.fSkip = true;
    if (parser.GetNextToken() != kToken_XML) return false;

    Vorn_VersionRec found = version;
    int stored = 0;
    for (int i = 0; i < 7; ++i) {
        if (parser.GetNextToken() != kToken_KEYPAIR) break;
        // The key names the value for people; its position is what counts.
        (void)parser.GetArgValue("key");
        const char* value = parser.GetArgValue("value");
        bool ok = value != nullptr;
        if (ok) {
            switch (i) {
            case 0:
                ok = ParseField(value, 10, found.major);
                break;
            case 1:
                ok = ParseField(value, 10, found.minor);
                break;
            case 2:
                ok = ParseField(value, 10, found.dot);
                break;
            case 3:
                ok = ParseField(value, 0, found.stage);
                break;
            case 4:
                ok = ParseField(value, 10, found.build);
                break;
            case 5:
                found.rogue = *value ? *value : ' ';
                break;
            case 6:
                ok = ParseField(value, 10, found.roguebuild);
                break;
            }
        }
        if (!ok) break;
        ++stored;
        if (stored == 7) break;
        if (parser.GetNextToken() != kXMLToken_End) break;
    }
    parser.StopXMLParser();
    if (stored != 7) return false;
    version = found;
    return true;
}

bool CCheckVersion::GetServerVersion(const std::string& server, Vorn_VersionRec& version,
                                     XGStreamCanceller* cancel, std::string* why) {
    auto fail = [why](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    std::string host;
    uint16 port = kVornUpdatePort;
    if (!XGSplitHostPort(server, kVornUpdatePort, host, port)) return fail("bad server address");
    if (XGTCPStream::InitProtocol() != kXGTCP_NoErr) return fail("network unavailable");

    bool ok = false;
    try {
        XGTCPStream stream;
        stream.SetCanceller(cancel);
        if (stream.InitSend(host.c_str(), port) != kXGTCP_NoErr) {
            XGTCPStream::EndProtocol();
            return fail("no connection");
        }
        // HTTP/1.0 with a Host line: servers today refuse a bare request line.
        std::string request = std::string("GET ") + kVornVersionPath + " HTTP/1.0\r\n";
        request += "Host: " + host + (port != kVornUpdatePort ? ":" + std::to_string(port) : "") + "\r\n";
        request += std::string("User-Agent: Vorn/") + XGAppVersionString() + "\r\n";
        request += "Connection: close\r\n\r\n";
        XGHTTPResponse response;
        if (!stream.WriteAll(int32(request.size()), request.data())) {
            if (why) *why = "request not sent";
        } else {
            const XGHTTPReadResult result = XGReadHTTPResponse(stream, response);
            ok = VersionFromReply(result, response, version, why);
        }
        stream.Close();
    } catch (const std::exception& e) {
        if (why) *why = e.what();
        ok = false;
    }
    XGTCPStream::EndProtocol();
    return ok;
}

bool CCheckVersion::VersionFromReply(XGHTTPReadResult result, const XGHTTPResponse& response,
                                     Vorn_VersionRec& version, std::string* why) {
    auto fail = [why](const std::string& reason) {
        if (why) *why = reason;
        return false;
    };
    switch (result) {
    case kXGHTTPRead_OK:
        break;
    case kXGHTTPRead_TooLarge:
        return fail("reply too large");
    case kXGHTTPRead_TimedOut:
        return fail("server did not answer");
    case kXGHTTPRead_Truncated:
        return fail("reply cut short");
    case kXGHTTPRead_Interrupted:
        return fail("interrupted");
    default:
        return fail("reply unreadable");
    }
    if (response.status < 200 || response.status > 299)
        return fail("server answered " + std::to_string(response.status));
    if (!ParseVersionDocument(response.body, version)) return fail("malformed version document");
    return true;
}

CCheckVersion::CCheckVersion() {
    if (AutoCheckIsOn()) {
        i_delayCheckTimeL = XGGetTime() + kVornCheckIntervalMs;
        DoCheck();
    }
}

CCheckVersion::~CCheckVersion() {
    Cancel();
    WaitForWorker();
}

bool CCheckVersion::AutoCheckIsOn() const {
    return gVornPrefsP && gVornPrefsP->i_prefs.b.auto_vers_checkB;
}

void CCheckVersion::WaitForWorker() {
    if (!i_threadP) return;
    i_threadP->Wait();
    i_threadP->Release();
    i_threadP = nullptr;
}

void CCheckVersion::DoCheck() {
    if (i_checkingB.load()) return;
    WaitForWorker(); // the previous worker has finished; let go of it
    i_cancel.Reset();
    // An answer not yet reported is superseded by the new question.
    i_checkedB.store(false);
    i_got_serverB.store(false);
    i_serverZ = GetUpdateServer();
    i_failureZ.clear();
    i_checkingB.store(true);
    auto* thread = new XGThread(&CB_S_VersCheckProc, this);
    if (!thread->Start()) {
        thread->Release();
        i_failureZ = "no worker thread";
        i_checkingB.store(false);
        i_checkedB.store(true);
        return;
    }
    i_threadP = thread;
}

void CCheckVersion::DoCommandCheck() {
    // The user asked: "no newer version" and a failure are told too, not only a newer version.
    i_show_failure_messageB = true;
    DoCheck();
}

int32 CCheckVersion::CB_S_VersCheckProc(void* refcon) {
    return static_cast<CCheckVersion*>(refcon)->CB_VersCheckProc();
}

int32 CCheckVersion::CB_VersCheckProc() {
    Vorn_VersionRec version;
    std::string why;
    const bool got = GetServerVersion(i_serverZ, version, &i_cancel, &why);
    if (got) i_serverVers = version;
    i_failureZ = why;
    i_got_serverB.store(got);
    // Last: Idle reads nothing of the result before it sees this.
    i_checkedB.store(true, std::memory_order_release);
    i_checkingB.store(false);
    return got ? 0 : 1;
}

void CCheckVersion::Idle() {
    if (!i_checkedB.load(std::memory_order_acquire)) {
        if (!i_checkingB.load() && AutoCheckIsOn() && XGGetTime() >= i_delayCheckTimeL) {
            i_show_failure_messageB = false;
            DoCheck();
        }
        return;
    }
    i_checkedB.store(false);
    WaitForWorker(); // it has written its last field; let go of it
    ReportResult();
    i_show_failure_messageB = true;
}

void CCheckVersion::ReportResult() {
    if (i_got_serverB.load()) {
        i_delayCheckTimeL = XGGetTime() + kVornCheckIntervalMs;
        Vorn_VersionRec local;
        GetLocalVersion(local);
        if (local < i_serverVers) {
            XGAlertRequest alert;
            alert.kind = XGAlertKind::kNote;
            alert.title = "Version Check";
            alert.text = "Vorn version " + GetVersionString(i_serverVers) + " is now available!";
            alert.buttons = {{"Web Site", 'W'}, {"Download", 'D'}, {"OK", 0}};
            alert.defaultIndex = 2;
            alert.cancelIndex = 2;
            const int answer = XGShowAlert(alert);
            if (answer == 0)
                LaunchURL(ServerURL(i_serverZ, kVornDownloadsPath).c_str());
            else if (answer == 1)
                LaunchURL(ServerURL(i_serverZ, kVornDownloadFilePath).c_str());
        } else if (i_show_failure_messageB) {
            XGAlertRequest alert;
            alert.kind = XGAlertKind::kCaution;
            alert.title = "Version Check";
            alert.text = "No new version available.";
            XGShowAlert(alert);
        }
        return;
    }
    Log("Version check failed: " + (i_failureZ.empty() ? std::string("unknown") : i_failureZ) + "\n");
    // A failed check is tried again later, not at once: an unreachable or broken server must
    // not be asked over and over in a tight loop.
    i_delayCheckTimeL = std::max(i_delayCheckTimeL, XGGetTime() + kVornCheckRetryMs);
    if (i_show_failure_messageB) {
        XGAlertRequest alert;
        alert.kind = XGAlertKind::kError;
        alert.title = "Version Check";
        alert.text = "There was some kind of problem checking the server for a new version.";
        XGShowAlert(alert);
    }
}
