// The version check: version texts and order, the version document, the HTTP reply reader, and
// whole checks against small servers this test runs on 127.0.0.1.

#include "AlertRecorder.h"
#include "CCheckVersion.h"
#include "CVornPrefs.h"
#include "LaunchRecorder.h"
#include "LoopbackServer.h"
#include "XGAlert.h"
#include "XGPlatform.h"
#include "XGTCPStream.h"

#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace yaaf;
using namespace vorntest;

Q_DECLARE_METATYPE(Vorn_VersionRec)

namespace {

std::string Keypairs(const std::vector<std::pair<std::string, std::string>>& pairs, const char* sep = "") {
    std::string doc = "<xml>";
    for (const auto& [key, value] : pairs)
        doc += sep + ("<keypair key=\"" + key + "\" value=\"" + value + "\"/>");
    return doc + sep + "</xml>";
}

std::string VersionDoc(const char* major, const char* minor, const char* dot, const char* stage,
                       const char* build, const char* rogue, const char* roguebuild, const char* sep = "") {
    return Keypairs({{"major", major},
                     {"minor", minor},
                     {"dot", dot},
                     {"stage", stage},
                     {"build", build},
                     {"rogue", rogue},
                     {"roguebuild", roguebuild}},
                    sep);
}

std::string HttpOK(const std::string& body) {
    return HttpReply(body, "Content-Type: text/xml\r\n");
}

using V = Vorn_VersionRec;
const V kNewer{1, 0, 0, 0x40, 51, '.', 3};

std::string NewerDoc(const char* sep = "") {
    return VersionDoc("1", "0", "0", "0x40", "51", ".", "3", sep);
}

// Waits until the worker's result is there, then lets Idle report it.
bool ReportWhenDone(CCheckVersion& check, int timeoutMs = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!check.i_checkedB.load()) {
        if (timer.elapsed() > timeoutMs) return false;
        QTest::qWait(5);
    }
    check.Idle();
    return true;
}

} // namespace

class TestVersionCheck : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The preferences go to a folder of the test's own, also when it runs outside ctest.
        static QTemporaryDir sConfig;
        QVERIFY(sConfig.isValid());
        qputenv("XDG_CONFIG_HOME", sConfig.path().toLocal8Bit());
        fPrefs = new CVornPrefs;
        gVornPrefsP = fPrefs;
    }
    void init() {
        fPrefs->i_prefs.b.auto_vers_checkB = false;
        XGTCPStream::SetDefaultTimeout(10000);
        ::unsetenv(kVornUpdateServerVar);
        fLaunches.launched.clear();
    }
    void cleanupTestCase() {
        gVornPrefsP = nullptr;
        delete fPrefs;
    }

    void versionString_data() {
        QTest::addColumn<Vorn_VersionRec>("version");
        QTest::addColumn<QString>("text");
        Vorn_VersionRec local;
        GetLocalVersion(local);
        QTest::newRow("local") << local << "1.0a50.3";
        QTest::newRow("final hides build and rogue") << V{1, 2, 0, 0x80, 9, '.', 4} << "1.2";
        QTest::newRow("final with dot") << V{2, 0, 1, 0x80, 0, ' ', 0} << "2.0.1";
        QTest::newRow("beta without rogue") << V{1, 2, 3, 0x60, 7, ' ', 0} << "1.2.3b7";
        QTest::newRow("development") << V{0, 9, 0, 0x20, 1, 'r', 2} << "0.9d1r2";
        QTest::newRow("stage without letter") << V{1, 0, 0, 0x50, 5, ' ', 0} << "1.05";
    }
    void versionString() {
        QFETCH(Vorn_VersionRec, version);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(CCheckVersion::GetVersionString(version)), text);
        char small[4];
        CCheckVersion::GetVersionString(version, small, sizeof small);
        QCOMPARE(QString::fromLatin1(small), text.left(3));
    }
    void order_data() {
        QTest::addColumn<Vorn_VersionRec>("a");
        QTest::addColumn<Vorn_VersionRec>("b");
        QTest::addColumn<bool>("less");
        const Vorn_VersionRec local = V{1, 0, 0, 0x40, 50, '.', 3};
        auto row = [](const char* name, Vorn_VersionRec a, Vorn_VersionRec b, bool less) {
            QTest::newRow(name) << a << b << less;
        };
        row("equal", local, local, false);
        row("newer build", local, V{1, 0, 0, 0x40, 51, '.', 3}, true); // and so the older is not newer
        row("beta after alpha", local, V{1, 0, 0, 0x60, 1, ' ', 0}, true);
        row("final after beta", V{1, 0, 0, 0x60, 99, '.', 9}, V{1, 0, 0, 0x80, 0, ' ', 0}, true);
        row("minor beats build", V{1, 0, 0, 0x80, 200, ' ', 0}, V{1, 1, 0, 0x20, 0, ' ', 0}, true);
        row("major beats all", V{1, 255, 255, 0x80, 255, 'z', 255}, V{2, 0, 0, 0x20, 0, ' ', 0}, true);
        row("roguebuild last", local, V{1, 0, 0, 0x40, 50, '.', 4}, true);
        row("rogue before roguebuild", V{1, 0, 0, 0x40, 50, '.', 9}, V{1, 0, 0, 0x40, 50, '/', 0}, true);
        // A field above 255 must not spill into the field before it.
        row("wide build", V{1, 0, 0, 0x60, 1, ' ', 0}, V{1, 0, 0, 0x40, 300, ' ', 0}, false);
        row("wide roguebuild", V{1, 0, 0, 0x40, 51, '.', 0}, V{1, 0, 0, 0x40, 50, '.', 1000}, false);
    }
    void order() {
        QFETCH(Vorn_VersionRec, a);
        QFETCH(Vorn_VersionRec, b);
        QFETCH(bool, less);
        QCOMPARE(a < b, less);
        if (less) QVERIFY(!(b < a));
    }
    void document_data() {
        QTest::addColumn<QByteArray>("doc");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<Vorn_VersionRec>("version");
        auto row = [&](const char* name, const std::string& doc, bool ok) {
            QTest::newRow(name) << QByteArray::fromStdString(doc) << ok << (ok ? kNewer : Vorn_VersionRec());
        };
        auto doc = [](const char* stage, const char* rogue = ".", const char* sep = "") {
            return VersionDoc("1", "0", "0", stage, "51", rogue, "3", sep);
        };
        row("one line", doc("0x40"), true);
        row("pretty printed",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- Vorn -->\n" + doc("0x40", ".", "\n  ") +
                "\n",
            true);
        row("stage in decimal", doc("64"), true);
        row("stage in octal", doc("0100"), true);
        QTest::newRow("stage 0x60 is beta")
            << QByteArray::fromStdString(VersionDoc("2", "1", "4", "0x60", "7", " ", "0")) << true
            << V{2, 1, 4, 96, 7, ' ', 0};
        row("keys named differently",
            Keypairs(
                {{"a", "1"}, {"b", "0"}, {"c", "0"}, {"d", "0x40"}, {"e", "51"}, {"f", "."}, {"g", "3"}}),
            true);
        row("entity in value", doc("0x40", "&#46;"), true);
        row("open and close tags",
            QString::fromStdString(doc("0x40")).replace("/>", "></keypair>").toStdString(), true);
        std::string eight = doc("0x40");
        row("eighth keypair ignored", eight.insert(eight.size() - 6, "<keypair key=\"x\" value=\"9\"/>"),
            true);
        std::string six = doc("0x40");
        row("six keypairs", six.erase(six.rfind("<keypair"), six.size() - 6 - six.rfind("<keypair")), false);
        row("cut short", doc("0x40").substr(0, 150), false);
        row("empty", "", false);
        row("not xml first", "<keypair value=\"1\"/>", false);
        row("html page", "<html><body>Not Found</body></html>", false);
        row("closing tag mismatch", "<xml><keypair value=\"1\"></xml><keypair value=\"0\"/></xml>", false);
        row("unterminated quote", "<xml><keypair key=\"major\" value=\"1/><keypair value=\"0\"/></xml>",
            false);
        row("text between keypairs", doc("0x40", ".", " x "), false);
        row("missing value", Keypairs({{"major", "1"}, {"minor", "0"}}).insert(5, "<keypair key=\"k\"/>"),
            false);
        row("not a number", VersionDoc("one", "0", "0", "0x40", "51", ".", "3"), false);
        row("negative", VersionDoc("1", "-1", "0", "0x40", "51", ".", "3"), false);
        row("too large", VersionDoc("1", "0", "0", "0x40", "99999", ".", "3"), false);
    }
    void document() {
        QFETCH(QByteArray, doc);
        Vorn_VersionRec got;
        QTEST(CCheckVersion::ParseVersionDocument(doc.toStdString(), got), "ok");
        QTEST(got, "version"); // a failed read leaves the record as it was
    }
    void hostPort_data() {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::newRow("name") << "www.example.org" << true << "www.example.org" << 80;
        QTest::newRow("name and port") << "127.0.0.1:8080" << true << "127.0.0.1" << 8080;
        QTest::newRow("v6") << "[::1]:81" << true << "[::1]" << 81;
        QTest::newRow("bare v6") << "::1" << true << "::1" << 80;
        QTest::newRow("port zero") << "host:0" << false << "" << 0;
        QTest::newRow("port too large") << "host:65536" << false << "" << 0;
        QTest::newRow("port not a number") << "host:http" << false << "" << 0;
        QTest::newRow("empty port") << "host:" << false << "" << 0;
        QTest::newRow("no host") << ":80" << false << "" << 0;
        QTest::newRow("unclosed bracket") << "[::1:80" << false << "" << 0;
    }
    void hostPort() {
        QFETCH(QString, spec);
        QFETCH(bool, ok);
        std::string h;
        uint16 p = 0;
        QCOMPARE(XGSplitHostPort(spec.toStdString(), 80, h, p), ok);
        if (ok) {
            QTEST(QString::fromStdString(h), "host");
            QTEST(int(p), "port");
        }
    }
    void httpReply_data() {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        auto row = [](const char* name, const char* raw, XGHTTPReadResult result, int status,
                      const char* body) {
            QTest::newRow(name) << QByteArray(raw) << int(result) << status << QByteArray(body);
        };
        row("bare document", "<xml/>", kXGHTTPRead_OK, 200, "<xml/>");
        row("ok with length", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", kXGHTTPRead_OK, 200,
            "abc");
        row("lf only", "HTTP/1.0 200 OK\nX: y\n\nbody", kXGHTTPRead_OK, 200, "body");
        row("not found", "HTTP/1.0 404 Not Found\r\n\r\n<html/>", kXGHTTPRead_OK, 404, "<html/>");
        row("chunked",
            "HTTP/1.1 200 OK\r\ntransfer-encoding: chunked\r\n\r\n3\r\nabc\r\n2;ext=1\r\nde\r\n0\r\n\r\n",
            kXGHTTPRead_OK, 200, "abcde");
        row("chunk cut short", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nabc",
            kXGHTTPRead_Truncated, 200, "");
        row("body cut short", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nabc", kXGHTTPRead_Truncated, 200,
            "");
        row("headers cut short", "HTTP/1.0 200 OK\r\nContent-", kXGHTTPRead_Truncated, 0, "");
        row("bad status", "HTTP/1.0 2x0 OK\r\n\r\n", kXGHTTPRead_Malformed, 0, "");
        row("bad length", "HTTP/1.0 200 OK\r\nContent-Length: -1\r\n\r\n", kXGHTTPRead_Malformed, 200, "");
    }
    void httpReply() {
        QFETCH(QByteArray, raw);
        QFETCH(int, result);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        XGHTTPResponse response;
        QCOMPARE(int(XGParseHTTPResponse(raw.toStdString(), response)), result);
        QCOMPARE(int(response.status), status);
        if (result == kXGHTTPRead_OK) QCOMPARE(QByteArray::fromStdString(response.body), body);
    }

    // A whole request against a server here; SERVER stands for its address, CLOSED for a port
    // where nothing listens.
    void serverVersion_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("why"); // empty: the newer version is read
        const std::string newer = NewerDoc("\r\n");
        auto row = [](const char* name, const std::string& reply, const char* why,
                      const char* address = "SERVER") {
            QTest::newRow(name) << QByteArray::fromStdString(reply) << QString(address) << QString(why);
        };
        row("newer", HttpOK(newer), "");
        row("bare document, no status line", newer, "");
        row("404 with a version document", "HTTP/1.0 404 Not Found\r\n\r\n" + newer, "server answered 404");
        row("reply cut short", HttpOK(newer).substr(0, 120), "reply cut short");
        row("no reply at all", "", "reply cut short");
        // A valid document followed by padding past the 1 MiB limit.
        row("oversized", "HTTP/1.0 200 OK\r\n\r\n" + newer + std::string(1024 * 1024, ' '),
            "reply too large");
        row("silent", "SILENT", "server did not answer");
        row("refused", "", "no connection", "CLOSED");
        row("port not a number", "", "bad server address", "127.0.0.1:notaport");
        row("no address", "", "bad server address", "");
    }
    void serverVersion() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, address);
        QFETCH(QString, why);
        LoopbackServer server(reply == "SILENT" ? LoopbackServer::Silent()
                                                : LoopbackServer::Reply(reply.toStdString()));
        if (address == "CLOSED") address = "127.0.0.1:" + QString::number(LoopbackServer::ClosedPort());
        XGTCPStream::SetDefaultTimeout(1000);
        QElapsedTimer timer;
        timer.start();
        Vorn_VersionRec version;
        std::string got;
        const bool ok = CCheckVersion::GetServerVersion(
            address == "SERVER" ? server.Address() : address.toStdString(), version, nullptr, &got);
        QCOMPARE(QString::fromStdString(got), why);
        QCOMPARE(ok, why.isEmpty());
        QCOMPARE(XGTCPStream::GetOpenStreamCount(), 0);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        if (reply == "SILENT") QVERIFY(timer.elapsed() >= 900); // waited out the timeout, once
        if (!ok) return;
        QCOMPARE(version, kNewer);
        const std::string request = server.LastRequest();
        QVERIFY2(request.rfind("GET /vorn/downloads/version.xml HTTP/1.0\r\n", 0) == 0, request.c_str());
        const std::string host = "\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) + "\r\n";
        QVERIFY2(request.find(host) != std::string::npos, request.c_str());
    }

    void newerVersionIsAnnounced_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("launched");
        QTest::newRow("OK") << 2 << QString();
        QTest::newRow("Web Site") << 0 << "/vorn/downloads/";
        QTest::newRow("Download") << 1 << "/vorn/downloads/VornWin.zip";
    }
    void newerVersionIsAnnounced() {
        QFETCH(int, answer);
        QFETCH(QString, launched);
        LoopbackServer server(LoopbackServer::Reply(HttpOK(NewerDoc())));
        ::setenv(kVornUpdateServerVar, server.Address().c_str(), 1);
        AlertRecorder log(answer);
        CCheckVersion check;
        QVERIFY(!check.i_checkingB.load()); // no automatic check: the preference is off
        check.DoCheck();
        QVERIFY(ReportWhenDone(check));
        // A newer version is announced even for a check nobody asked to be told about.
        QCOMPARE(log.alerts.size(), size_t(1));
        const XGAlertRequest& alert = log.alerts[0];
        QCOMPARE(QString::fromStdString(alert.title), QString("Version Check"));
        QCOMPARE(QString::fromStdString(alert.text), QString("Vorn version 1.0a51.3 is now available!"));
        QString buttons;
        for (const auto& b : alert.buttons)
            buttons +=
                QString::fromStdString(b.label) + (b.key ? QString(" ") + QChar(b.key) : QString()) + "|";
        QCOMPARE(buttons, QString("Web Site W|Download D|OK|"));
        QCOMPARE(alert.defaultIndex, 2);
        QCOMPARE(alert.cancelIndex, 2);
        if (launched.isEmpty()) {
            QVERIFY(fLaunches.launched.empty());
        } else {
            QCOMPARE(fLaunches.launched.size(), size_t(1));
            QCOMPARE(QString::fromStdString(fLaunches.launched[0]),
                     "http://" + QString::fromStdString(server.Address()) + launched);
        }
        // The next automatic check is a day away.
        QVERIFY(check.i_delayCheckTimeL > XGGetTime() + kVornCheckIntervalMs - 60000);
        QVERIFY(check.i_show_failure_messageB);
    }
    // The first check of a run says nothing unless there is news; a check asked for tells.
    void toldOnlyWhenAsked_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("failure");
        QTest::addColumn<QString>("told");
        QTest::newRow("same version")
            << QByteArray::fromStdString(HttpOK(VersionDoc("1", "0", "0", "0x40", "50", ".", "3"))) << false
            << "No new version available.";
        QTest::newRow("failure") << QByteArray("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found")
                                 << true
                                 << "There was some kind of problem checking the server for a new version.";
    }
    void toldOnlyWhenAsked() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, failure);
        LoopbackServer server(LoopbackServer::Reply(reply.toStdString()));
        ::setenv(kVornUpdateServerVar, server.Address().c_str(), 1);
        AlertRecorder log;
        CCheckVersion check;
        const int64 due = check.i_delayCheckTimeL;
        check.DoCheck();
        QVERIFY(ReportWhenDone(check));
        QVERIFY(log.alerts.empty());
        if (failure) {
            // A failure does not postpone the daily check, but the next try waits a while.
            QVERIFY(check.i_delayCheckTimeL >= due);
            QVERIFY(check.i_delayCheckTimeL > XGGetTime() + kVornCheckRetryMs - 60000);
        }
        check.DoCheck();
        QVERIFY(ReportWhenDone(check));
        QCOMPARE(log.size(), size_t(1));
        QCOMPARE(log[0].kind, failure ? XGAlertKind::kError : XGAlertKind::kCaution);
        QTEST(QString::fromStdString(log[0].text), "told");
        QCOMPARE(server.Connections(), 2);
    }
    void automaticCheckAtStartIsSilent() {
        const uint16 port = LoopbackServer::ClosedPort();
        ::setenv(kVornUpdateServerVar, ("127.0.0.1:" + std::to_string(port)).c_str(), 1);
        fPrefs->i_prefs.b.auto_vers_checkB = true;
        AlertRecorder log;
        CCheckVersion check;
        QVERIFY(check.i_checkingB.load() || check.i_checkedB.load()); // started at once
        QVERIFY(ReportWhenDone(check));
        QVERIFY(log.alerts.empty());
        // The failed automatic check is not repeated on the very next ticks.
        for (int i = 0; i < 20; ++i) {
            check.Idle();
            QTest::qWait(2);
        }
        QVERIFY(!check.i_checkingB.load() && !check.i_checkedB.load());
        // When it is due again, an automatic check clears the "tell me" flag and stays silent too.
        check.i_delayCheckTimeL = XGGetTime() - 1;
        check.Idle();
        QVERIFY(check.i_checkingB.load() || check.i_checkedB.load());
        QVERIFY(!check.i_show_failure_messageB);
        QVERIFY(ReportWhenDone(check));
        QVERIFY(log.alerts.empty());
    }
    void secondCheckWhileRunningIsNotStarted() {
        LoopbackServer server(LoopbackServer::Silent());
        XGTCPStream::SetDefaultTimeout(1000);
        ::setenv(kVornUpdateServerVar, server.Address().c_str(), 1);
        AlertRecorder log;
        CCheckVersion check;
        check.i_show_failure_messageB = true;
        check.DoCheck();
        check.DoCheck();
        QVERIFY(ReportWhenDone(check));
        QCOMPARE(server.Connections(), 1);
        QCOMPARE(log.alerts.size(), size_t(1)); // the silent server's failure, reported once
        QCOMPARE(log.alerts[0].kind, XGAlertKind::kError);
    }
    void cancelEndsTheWaitAtOnce_data() {
        QTest::addColumn<bool>("connecting");
        QTest::newRow("connect that is never answered") << true;
        QTest::newRow("read from a silent server") << false;
    }
    void cancelEndsTheWaitAtOnce() {
        QFETCH(bool, connecting);
        LoopbackServer silent(LoopbackServer::Silent());
        // A listener with a queue of one that is never accepted from: once the queue is full, a
        // connect to it is never answered.
        const int full = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        QVERIFY(::bind(full, reinterpret_cast<sockaddr*>(&addr), len) == 0 && ::listen(full, 0) == 0);
        ::getsockname(full, reinterpret_cast<sockaddr*>(&addr), &len);
        std::vector<int> queued;
        for (int i = 0; i < 3; ++i) {
            queued.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
            ::connect(queued.back(), reinterpret_cast<sockaddr*>(&addr), len);
        }
        const std::string address =
            connecting ? "127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) : silent.Address();

        XGStreamCanceller canceller;
        bool ok = true;
        std::string why;
        std::atomic<bool> done{false};
        std::thread worker([&] {
            Vorn_VersionRec version;
            ok = CCheckVersion::GetServerVersion(address, version, &canceller, &why);
            done.store(true);
        });
        QTest::qWait(300);
        const bool waiting = !done.load(); // with the whole 10-second timeout ahead of it
        QElapsedTimer timer;
        timer.start();
        canceller.Cancel();
        worker.join();
        for (int fd : queued)
            ::close(fd);
        ::close(full);
        QVERIFY(waiting);
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!ok);
        QCOMPARE(QString::fromStdString(why), connecting ? QString("no connection") : QString("interrupted"));
        QCOMPARE(XGTCPStream::GetOpenStreamCount(), 0);
    }

private:
    CVornPrefs* fPrefs = nullptr;
    LaunchRecorder fLaunches;
};

QTEST_MAIN(TestVersionCheck)
#include "tst_versioncheck.moc"
