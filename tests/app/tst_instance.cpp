// One instance per user, between real processes: a second start hands its command line over and
// ends, the shell channel opens files and quits, and nothing answers when nothing runs.

#include "CVornPrefs.h"
#include "TVornApp.h"
#include "XGPreferences.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace yaaf;

class TestInstance : public QObject {
    Q_OBJECT
    QTemporaryDir fDir;
    QString fName;
    int fRun = 0;

    QProcessEnvironment Env() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VORN_SPLASH_MS", "0");
        env.insert("XDG_CONFIG_HOME", fDir.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", fDir.filePath("runtime"));
        env.insert("VORN_INSTANCE_NAME", fName);
        env.insert("VORN_UPDATE_SERVER", "127.0.0.1:1");
        env.insert("VORN_ALERTS", "stderr");
        return env;
    }
    void Start(QProcess& p, const QStringList& args) {
        p.setProcessEnvironment(Env());
        p.setWorkingDirectory(fDir.path());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(VORN_BINARY, args);
        QVERIFY(p.waitForStarted(5000));
    }
    // Runs a short-lived start to its end; answers its exit code.
    int RunToEnd(const QStringList& args, int timeoutMs = 15000) {
        QProcess p;
        Start(p, args);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return -100;
        }
        return p.exitCode();
    }
    QString Log() const {
        QFile f(fDir.filePath("Vorn log.txt"));
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(f.readAll());
    }
    QString WriteText(const QString& name) {
        QFile f(fDir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write("some text\r\n");
        return f.fileName();
    }

private slots:
    void init() {
        QVERIFY(fDir.isValid());
        QDir(fDir.path()).mkpath("config");
        QDir(fDir.path()).mkpath("runtime");
        QFile::setPermissions(fDir.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        fName = QString("vorn-test-%1-%2").arg(::getpid()).arg(++fRun);
        QFile::remove(fDir.filePath("Vorn log.txt"));
        // The running instance writes its log, so that what it did can be seen from here.
        qputenv("XDG_CONFIG_HOME", fDir.filePath("config").toLocal8Bit());
        XGPreferences store(kVornPrefsVendor, kVornPrefsProduct, kVornPrefsVersion);
        store.SetBoolean("logging", true);
        store.SetBoolean("auto version check", false);
        store.Sync();
    }

    void handOverAndShellChannel() {
        QProcess first;
        Start(first, {});
        QTRY_VERIFY_WITH_TIMEOUT(Log().contains("command line args: None"), 15000);

        // A second start without arguments only brings the first to the front.
        QCOMPARE(RunToEnd({}), 0);
        // A second start with one path that has a blank: the first opens it.
        const QString spaced = WriteText("two words.txt");
        QCOMPARE(RunToEnd({spaced}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Log().count("success!") == 1, 10000);
        QVERIFY(Log().contains("Opening that one file."));
        {
            XGPreferences launch(kVornLaunchVendor, kVornLaunchProduct, kVornLaunchVersion);
            QCOMPARE(QString::fromStdString(launch.GetString(kVornLaunchKey)), spaced);
        }
        // Two files with a second start: each opens.
        const QString a = WriteText("a.txt");
        const QString b = WriteText("b.txt");
        QCOMPARE(RunToEnd({a, b}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Log().count("success!") == 3, 10000);

        // The shell channel: open (any case), a missing file and garbled text change nothing.
        QCOMPARE(RunToEnd({"--shell-command", QString("[OPEN(\"%1\")]").arg(a)}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(Log().count("success!") == 4, 10000);
        QCOMPARE(RunToEnd({"--shell-command", "[open(\"/nonexistent/file.txt\")]"}), 0);
        QCOMPARE(RunToEnd({"--shell-command", "[open(\"unterminated"}), 0);
        QCOMPARE(RunToEnd({"--shell-command", "\x01garbage(("}), 0);
        QCOMPARE(RunToEnd({"/nonexistent/one.txt", "/nonexistent/two.2dv"}), 0);
        QTest::qWait(300);
        QCOMPARE(Log().count("success!"), 4);
        QCOMPARE(first.state(), QProcess::Running);

        // exit quits the running instance (the text windows are unchanged, so they close).
        QCOMPARE(RunToEnd({"--shell-command", "[exit]"}), 0);
        QVERIFY(first.waitForFinished(15000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);
        // Nobody listens any more; a shell command without its text is refused apart.
        QCOMPARE(RunToEnd({"--shell-command", "[exit]"}), 1);
        QCOMPARE(RunToEnd({"--shell-command"}), 2);
    }

    // A socket file left behind by an instance that is gone does not block a start, which
    // opens the files on its command line.
    void startWithFilesOverAStaleSocket() {
        QFile stale(fDir.filePath("runtime/" + fName));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QProcess first;
        Start(first, {WriteText("c.txt"), "/nonexistent/x.txt"});
        QTRY_VERIFY_WITH_TIMEOUT(Log().contains("File #1: /nonexistent/x.txt"), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(Log().count("success!") == 1, 10000);
        QCOMPARE(RunToEnd({"--shell-command", "[exit]"}), 0);
        QVERIFY(first.waitForFinished(15000));
        QCOMPARE(first.exitCode(), 0);
    }
};

QTEST_MAIN(TestInstance)
#include "tst_instance.moc"
