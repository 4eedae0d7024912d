// The desktop install: `cmake --install` into a temporary DESTDIR checked file by file, the
// desktop entry and MIME package against the desktop's own checkers, the board file magic as a
// desktop reads it (through Qt's shared-mime-info reader, over only the installed type), and
// scripts/install with its uninstall.
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Run {
    int exit = -1;
    QByteArray out;
    QByteArray err;
};

Run RunProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env = {}) {
    QProcess p;
    if (!env.isEmpty()) p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(300000)) return r;
    r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

bool Have(const char* program) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

QByteArray Fixture(const QString& name) {
    QFile f(QStringLiteral(VORN_TEST_DATA "/boards/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const char* const kBoardType = "application/x-vorn-board";

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir i_dest;
    QString i_prefix; // the install's prefix inside DESTDIR

    QString Installed(const QString& relative) const { return i_prefix + "/" + relative; }

private slots:
    void initTestCase() {
        QVERIFY(i_dest.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", i_dest.path());
        const Run r = RunProgram("cmake", {"--install", VORN_BUILD_DIR, "--prefix", "/usr/local"}, env);
        QVERIFY2(r.exit == 0, r.err.constData());
        i_prefix = i_dest.path() + "/usr/local";

        // From here on the desktop's data is the install's share folder alone, so that the
        // type seen below is only what the installed package says.
        const QString share = Installed("share");
        if (Have("update-mime-database"))
            QCOMPARE(RunProgram("update-mime-database", {share + "/mime"}).exit, 0);
        qputenv("XDG_DATA_DIRS", share.toLocal8Bit());
        qputenv("XDG_DATA_HOME", (i_dest.path() + "/home-data").toLocal8Bit());
    }

    void installedFile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("iconSize"); // a PNG of this size, 0 for no picture
        QTest::newRow("vorn") << "bin/vorn" << 0;
        QTest::newRow("vorn-board") << "bin/vorn-board" << 0;
        QTest::newRow("desktop entry") << "share/applications/vorn.desktop" << 0;
        QTest::newRow("mime package") << "share/mime/packages/vorn-board.xml" << 0;
        QTest::newRow("man vorn") << "share/man/man1/vorn.1" << 0;
        QTest::newRow("man vorn-board") << "share/man/man1/vorn-board.1" << 0;
        QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/vorn.svg" << 0;
        QTest::newRow("scalable file icon")
            << "share/icons/hicolor/scalable/mimetypes/application-x-vorn-board.svg" << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString dir = QStringLiteral("share/icons/hicolor/%1x%1/").arg(size);
            QTest::newRow(qPrintable(QString("icon %1").arg(size))) << dir + "apps/vorn.png" << size;
            QTest::newRow(qPrintable(QString("file icon %1").arg(size)))
                << dir + "mimetypes/application-x-vorn-board.png" << size;
        }
    }

    void installedFile() {
        QFETCH(QString, path);
        QFETCH(int, iconSize);
        const QFileInfo info(Installed(path));
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(path));
        if (path.startsWith("bin/")) QVERIFY(info.isExecutable());
        if (iconSize > 0) {
            QImageReader reader(info.filePath());
            QCOMPARE(reader.format(), QByteArray("png"));
            QCOMPARE(reader.size(), QSize(iconSize, iconSize));
        }
        if (path.endsWith(".svg") || path.endsWith(".xml")) {
            QFile f(info.filePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&f);
            while (!xml.atEnd())
                xml.readNext();
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        }
        if (path.endsWith(".1")) {
            // A manual page that man can lay out without complaint.
            if (!Have("man")) return;
            const Run r = RunProgram("man", {"--warnings", "-l", "-Tutf8", info.filePath()});
            QCOMPARE(r.exit, 0);
            QVERIFY2(r.err.isEmpty(), r.err.constData());
        }
    }

    void desktopEntry() {
        const QString path = Installed("share/applications/vorn.desktop");
        // Key=value lines of the one group; lists are separated by ";".
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(f.readLine().trimmed(), QByteArray("[Desktop Entry]"));
        QMap<QString, QString> entry;
        while (!f.atEnd()) {
            const QString line = QString::fromUtf8(f.readLine()).trimmed();
            const qsizetype eq = line.indexOf('=');
            if (eq > 0) entry.insert(line.left(eq), line.mid(eq + 1));
        }
        QCOMPARE(entry.value("Type"), QString("Application"));
        QCOMPARE(entry.value("Exec"), QString("vorn %F"));
        QCOMPARE(entry.value("Icon"), QString("vorn"));
        const QStringList categories = entry.value("Categories").split(';');
        QVERIFY(categories.contains("Office") && categories.contains("Education"));
        QVERIFY(entry.value("MimeType").split(';').contains(kBoardType));
        if (!Have("desktop-file-validate")) QSKIP("desktop-file-validate is not installed");
        const Run r = RunProgram("desktop-file-validate", {path});
        QVERIFY2(r.exit == 0 && !r.out.contains("error"), r.out.constData());
    }

    void mimePackage() {
        if (!Have("xmllint")) QSKIP("xmllint is not installed");
        const Run r = RunProgram("xmllint", {"--noout", Installed("share/mime/packages/vorn-board.xml")});
        QVERIFY2(r.exit == 0 && r.err.isEmpty(), r.err.constData());
    }

    void magic_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("board");
        for (int v = 0; v <= 5; ++v) {
            const QByteArray bytes = Fixture(QString("v%1.2dv").arg(v));
            QTest::newRow(qPrintable(QString("fixture v%1").arg(v))) << bytes << true;
        }
        const QByteArray v5 = Fixture("v5.2dv");
        const QByteArray v1 = Fixture("v1.2dv");
        auto with = [](QByteArray b, int at, char c) {
            b[at] = c;
            return b;
        };
        QTest::newRow("v5 in Go Mode") << with(v5, 7, 1) << true;
        QTest::newRow("v5 only its settings") << v5.left(262) << true;
        QTest::newRow("later version") << with(v5, 0, 6) << false;
        QTest::newRow("v5 mode 0") << with(v5, 7, 0) << false;
        QTest::newRow("v5 bold 2") << with(v5, 11, 2) << false;
        QTest::newRow("v5 negative count") << with(v5, 84, char(0x80)) << false;
        QTest::newRow("v5 reserved tail set") << with(v5, 260, 1) << false;
        QTest::newRow("v5 cut in its settings") << v5.left(261) << false;
        QTest::newRow("v1 mode 3") << with(v1, 1, 3) << false;
        QTest::newRow("v1 reserved tail set") << with(v1, 41, 1) << false;
        QTest::newRow("v1 cut in its settings") << v1.left(143) << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("zeros") << QByteArray(4096, '\0') << false;
        QTest::newRow("text") << QByteArray("5 boards\nand some words of text to be sure\n").repeated(20)
                              << false;
        // A TrueType font begins 00 01 00 00, as a version 0 board in Go Mode might.
        QByteArray font("\x00\x01\x00\x00\x00\x0c\x00\x80\x00\x03\x00\x40", 12);
        font += QByteArray("GDEF\x12\x34\x56\x78\x00\x00\x01\x2c\x00\x00\x00\x1e", 16).repeated(12);
        QTest::newRow("font header") << font << false;
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImage image(64, 64, QImage::Format_RGB32);
            image.fill(Qt::darkBlue);
            image.save(&buffer, "PNG");
        }
        QTest::newRow("png") << png << false;
    }

    void magic() {
        QFETCH(QByteArray, data);
        QFETCH(bool, board);
        const QMimeDatabase db;
        QCOMPARE(db.mimeTypeForData(data).name() == kBoardType, board);
    }

    void glob() {
        const QMimeDatabase db;
        QCOMPARE(db.mimeTypeForFile("week plan.2dv", QMimeDatabase::MatchExtension).name(),
                 QString(kBoardType));
        const QMimeType type = db.mimeTypeForName(kBoardType);
        QVERIFY(type.isValid());
        QCOMPARE(type.iconName(), QString("application-x-vorn-board"));
    }

    // scripts/install puts everything in a prefix, refreshes the databases there, and its
    // uninstall leaves nothing behind (nor touches what others put there).
    void installScript() {
        QTemporaryDir dir;
        const QString prefix = dir.path() + "/prefix";
        QVERIFY(QDir().mkpath(prefix + "/share/applications"));
        QFile other(prefix + "/share/applications/other.desktop");
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.close();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VORN_INSTALL_BUILD", VORN_BUILD_DIR);
        env.remove("DESTDIR");
        const QString script = QStringLiteral(VORN_SOURCE_DIR "/scripts/install");
        Run r = RunProgram(script, {"--prefix", prefix}, env);
        QVERIFY2(r.exit == 0, r.err.constData());
        QVERIFY(QFile::exists(prefix + "/bin/vorn"));
        QVERIFY(QFile::exists(prefix + "/share/vorn/install_manifest.txt"));
        if (Have("update-desktop-database")) {
            QFile cache(prefix + "/share/applications/mimeinfo.cache");
            QVERIFY(cache.open(QIODevice::ReadOnly));
            QVERIFY(cache.readAll().contains("application/x-vorn-board=vorn.desktop;"));
        }
        if (Have("update-mime-database")) QVERIFY(QFile::exists(prefix + "/share/mime/mime.cache"));

        r = RunProgram(script, {"--uninstall", "--prefix", prefix}, env);
        QVERIFY2(r.exit == 0, r.err.constData());
        QStringList left;
        QDirIterator it(prefix, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            left << it.next().mid(prefix.size());
        left.sort();
        QStringList expected{"/share", "/share/applications", "/share/applications/other.desktop"};
        if (Have("update-desktop-database")) expected << "/share/applications/mimeinfo.cache";
        expected.sort();
        QCOMPARE(left, expected);

        // Nothing left to uninstall: said, and a failure.
        r = RunProgram(script, {"--uninstall", "--prefix", prefix}, env);
        QCOMPARE(r.exit, 1);
        QVERIFY(r.err.contains("nothing to uninstall"));
    }

    void installScriptRefusesUnwritablePrefix() {
        QTemporaryDir dir;
        // A file on the way to the prefix: no user can make the folder (root included).
        QFile blocker(dir.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VORN_INSTALL_BUILD", VORN_BUILD_DIR);
        const Run r = RunProgram(QStringLiteral(VORN_SOURCE_DIR "/scripts/install"),
                                 {"--prefix", blocker.fileName() + "/usr"}, env);
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("cannot write to"), r.err.constData());
        QVERIFY(!QFileInfo(blocker.fileName()).isDir());
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
