// The machine in the outline: folders listed from a real tree made here (an unreadable folder,
// links in circles, a name that is not UTF-8, entries that vanish), the names entries are shown
// by, volumes as the machine and tests give them, the host's tree, the outline document, the
// outline tasks and the form-field topic.

#include "CDo.h"
#include "COutlineModel.h"
#include "CTopic_File.h"
#include "CTopic_Folder.h"
#include "CTopic_GUI.h"
#include "CTopic_Host.h"
#include "CTopic_Volumes.h"
#include "HostInfo.h"
#include "LaunchRecorder.h"
#include "OutlineTask.h"
#include "OutlineTestSupport.h"
#include "TestFiles.h"
#include "UndoCheck.h"
#include "XGFileSpecifier.h"
#include "XGHostInfo.h"
#include "XGPlatform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace yaaf;
using namespace vorntest;

namespace {

// Lets the workers hand their children over until the folder's list holds `count` topics or
// the worker has ended with nothing more queued.
bool WaitForChildren(CTopic* topicP, int count, int ms = 10000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const int have = topicP->i_childrenP ? topicP->i_childrenP->Count() : 0;
        if (count >= 0 && have >= count) return true;
        if (count < 0 && !topicP->ThreadExists(TOPIC_Thread_INIT_SUBTOPICS) && have >= 0) {
            QCoreApplication::processEvents();
            return true;
        }
    }
    return false;
}

const CTopic* Find(const CTopicList* listP, const std::string& name) {
    for (const CTopic* t : listP->Topics())
        if (t->GetNameRef() == name) return t;
    return nullptr;
}

} // namespace

class TestBrowser : public QObject {
    Q_OBJECT
    QTemporaryDir fDir;

private slots:
    void initTestCase() { QVERIFY(fDir.isValid()); }
    void cleanup() { Host_UseMachineVolumes(); }

    void shownNames_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("bundle file") << "Tool.app" << false << "Tool";
        QTest::newRow("bundle folder keeps its name") << "Box.app" << true << "Box.app";
        QTest::newRow("only the suffix") << ".app" << false << ".app";
        QTest::newRow("suffix inside") << "app.apple" << false << "app.apple";
        QTest::newRow("plain") << "notes.txt" << false << "notes.txt";
    }
    void shownNames() {
        QFETCH(QString, entry);
        QFETCH(bool, folder);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(CTopic_File::ShownName(entry.toStdString(), folder)), shown);
    }

    // One real tree: what a folder lists, sorted, with its kinds, whatever the entries are.
    void listsARealTree() {
        const QString root = fDir.filePath("tree");
        QVERIFY(QDir().mkpath(root + "/Alpha/inner"));
        QVERIFY(QDir().mkpath(root + "/locked"));
        QVERIFY(WriteFile(root + "/beta.txt", "x"));
        QVERIFY(WriteFile(root + "/Tool.app", "x"));
        QVERIFY(WriteFile(root + "/.hidden", "x"));
        const QByteArray rootBytes = QFile::encodeName(root);
        const std::string latin1 = rootBytes.toStdString() + "/caf\xE9.txt";
        const int fd = ::open(latin1.c_str(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        // A link to its own folder, one to itself, and one to nowhere.
        QVERIFY(::symlink(".", (rootBytes + "/up").constData()) == 0);
        QVERIFY(::symlink("self", (rootBytes + "/self").constData()) == 0);
        QVERIFY(::symlink("gone", (rootBytes + "/dangling").constData()) == 0);
        QVERIFY(::chmod((rootBytes + "/locked").constData(), 0) == 0);

        OwnedList list;
        auto* folderP = new CTopic_Folder("tree", list.get(), XGFileSpecifier(rootBytes.toStdString()));
        list->Insert(folderP, -1, true);
        folderP->Init_Subtopics();
        QVERIFY(WaitForChildren(folderP, 8));
        QVERIFY(WaitForChildren(folderP, -1));
        CTopicList* kids = folderP->i_childrenP;
        QCOMPARE(kids->Count(), 8);
        // By name without regard to case; the name that is not UTF-8 keeps its bytes.
        QStringList names = Names(kids);
        QCOMPARE(names.mid(0, 3), QStringList({"Alpha", "beta.txt", QString::fromStdString("caf\xE9.txt")}));
        QVERIFY(Find(kids, "caf\xE9.txt"));
        QCOMPARE(names.mid(3), QStringList({"dangling", "locked", "self", "Tool", "up"}));
        QVERIFY(dynamic_cast<const CTopic_Folder*>(Find(kids, "Alpha")));
        QVERIFY(dynamic_cast<const CTopic_Folder*>(Find(kids, "up")));
        QVERIFY(!dynamic_cast<const CTopic_Folder*>(Find(kids, "self")));
        QVERIFY(!dynamic_cast<const CTopic_Folder*>(Find(kids, "dangling")));
        for (int i = 0; i < kids->Count(); ++i)
            QCOMPARE(kids->GetIndItem(i)->i_indexL, i);
        // Twirled shut and open again: the list is not empty, nothing is listed again.
        QVERIFY(WriteFile(root + "/later.txt", "x"));
        folderP->Init_Subtopics();
        QVERIFY(WaitForChildren(folderP, -1));
        QCOMPARE(kids->Count(), 8);

        // The link in a circle opens like any folder, one level at a time.
        auto* upP = const_cast<CTopic_Folder*>(dynamic_cast<const CTopic_Folder*>(Find(kids, "up")));
        upP->Init_Subtopics();
        QVERIFY(WaitForChildren(upP, 8));
        std::string where;
        QVERIFY(upP->GetLocation(where));
        QCOMPARE(QString::fromStdString(where), root + "/up");

        // A folder that cannot be read lists nothing and says why (the superuser reads all).
        auto* lockedP = const_cast<CTopic_Folder*>(dynamic_cast<const CTopic_Folder*>(Find(kids, "locked")));
        lockedP->Init_Subtopics();
        QVERIFY(WaitForChildren(lockedP, -1));
        QCOMPARE(lockedP->i_childrenP->Count(), 0);
        if (::geteuid() != 0) QCOMPARE(lockedP->GetReadError(), EACCES);
        ::chmod((rootBytes + "/locked").constData(), 0755);

        // A folder that went away in the meantime.
        auto* innerP = const_cast<CTopic_Folder*>(dynamic_cast<const CTopic_Folder*>(Find(kids, "Alpha")));
        QVERIFY(QDir(root + "/Alpha").removeRecursively());
        innerP->Init_Subtopics();
        QVERIFY(WaitForChildren(innerP, -1));
        QCOMPARE(innerP->i_childrenP->Count(), 0);
        QCOMPARE(innerP->GetReadError(), ENOENT);
        // What the temporary folder's own removal cannot name or follow.
        for (const std::string& name :
             {latin1, (rootBytes + "/up").toStdString(), (rootBytes + "/self").toStdString(),
              (rootBytes + "/dangling").toStdString()})
            QVERIFY(::unlink(name.c_str()) == 0);
    }

    // Going while a large folder is read: the worker stops after the entry it is at.
    void closingDuringAReadEndsIt() {
        const QString root = fDir.filePath("many");
        QVERIFY(QDir().mkpath(root));
        for (int i = 0; i < 3000; ++i)
            QVERIFY(WriteFile(root + QString("/f%1").arg(i), "x"));
        QElapsedTimer t;
        t.start();
        {
            OwnedList list;
            auto* folderP = new CTopic_Folder("many", list.get(), XGFileSpecifier(root.toStdString()));
            list->Insert(folderP, -1, true);
            folderP->Init_Subtopics();
        }
        QVERIFY(t.elapsed() < 5000);
        // What was handed over and not yet taken in went with the topic.
        QCoreApplication::processEvents();
    }

    // The desktop gets the file's own bytes, percent-encoded, whatever its name holds.
    void launchAddressesKeepTheBytes_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("url");
        QTest::newRow("blank") << QByteArray("/tmp/a b.txt") << QByteArray("file:///tmp/a%20b.txt");
        QTest::newRow("hash") << QByteArray("/tmp/#1.txt") << QByteArray("file:///tmp/%231.txt");
        QTest::newRow("not UTF-8") << QByteArray("/tmp/caf\xE9") << QByteArray("file:///tmp/caf%E9");
    }
    void launchAddressesKeepTheBytes() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, url);
        LaunchRecorder launches;
        QCOMPARE(LaunchFilePath(path.toStdString()), 0);
        QCOMPARE(launches.launched.size(), size_t(1));
        QCOMPARE(QByteArray::fromStdString(launches.launched[0]), url);
    }

    void systemVolumesAreLeftOut_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("left");
        const auto row = [](const char* name, const char* type, const char* root, bool left) {
            QTest::newRow(name) << QString(type) << QString(root) << left;
        };
        row("root disk", "ext4", "/", false);
        row("usb stick", "vfat", "/media/me/STICK", false);
        row("container root", "overlay", "/", false);
        row("proc", "proc", "/proc", true);
        row("snap package", "squashfs", "/snap/core/1", true);
        row("run", "ext4", "/run/user/1000/doc", true);
        row("dev, not devices", "ext4", "/devices", false);
        row("tmpfs", "tmpfs", "/tmp", true);
    }
    void systemVolumesAreLeftOut() {
        QFETCH(QString, type);
        QFETCH(QString, root);
        QFETCH(bool, left);
        QCOMPARE(XGIsSystemVolume(type.toStdString(), root.toStdString()), left);
    }

    // Volumes in name order; one without a label still shows, one without a root does not.
    void volumesAreListedByName() {
        for (const XGVolumeInfo& v : XGMountedVolumes()) { // those of the machine all have names
            QVERIFY(!v.displayName.empty());
            QVERIFY(!XGIsSystemVolume(v.fsType, v.rootPath));
        }
        std::vector<Host_VolRec> volumes(4);
        const char* names[] = {"Zeta", "", "alpha", "Gone"};
        const QString roots[] = {fDir.path(), fDir.path(), fDir.path(), QString()};
        for (int i = 0; i < 4; ++i) {
            std::strncpy(volumes[size_t(i)].display_nameAC, names[i], 255);
            volumes[size_t(i)].dirSpec = XGFileSpecifier(roots[i].toStdString());
        }
        Host_SetVolumesForTest(volumes);
        QCOMPARE(Host_CountVolumes(), 4);
        OwnedList list;
        auto* volsP = new CTopic_Volumes(list.get());
        list->Insert(volsP, -1, true);
        volsP->Init_Subtopics();
        QVERIFY(WaitForChildren(volsP, 3));
        QVERIFY(WaitForChildren(volsP, -1));
        QCOMPARE(Names(volsP->i_childrenP), QStringList({fDir.path(), "alpha", "Zeta"}));
        QVERIFY(dynamic_cast<CTopic_Folder*>(volsP->i_childrenP->GetIndItem(0)));
    }

    void theHostsTreeAndTheGetInfoOutline() {
        OwnedList list;
        CTopic_Host* hostP = CTopic_Host::AddHost(list.get());
        QCOMPARE(list->Count(), 1);
        QCOMPARE(hostP->GetNameRef(), Host_GetMachineName());
        QCOMPARE(Names(hostP->i_childrenP), QStringList({"Volumes", "Devices", "Network", "Services"}));
        QVERIFY(dynamic_cast<CTopic_Volumes*>(hostP->i_childrenP->GetIndItem(0)));
        QVERIFY(Host_CountTopicsBelow(hostP) > 150);
        // Each protocol group offers to add a server first.
        const CTopic* networkP = hostP->i_childrenP->GetIndItem(2);
        const CTopic* ftpP = Find(networkP->i_childrenP, "FTP");
        QVERIFY(ftpP && ftpP->i_childrenP);
        QCOMPARE(ftpP->i_childrenP->GetIndItem(0)->GetNameRef(), std::string("* Add New FTP Server"));
        // Leaves have no children list; asked again, the tree is not built twice.
        const int before = Host_CountTopicsBelow(hostP);
        hostP->Init_Subtopics();
        QCOMPARE(Host_CountTopicsBelow(hostP), before);

        // The get-info outline instead has form fields.
        CTopic_Host::s_get_info_outlineB = true;
        CTopic_Host::s_get_info_type = Vorn_Outline_GET_INFO_3;
        std::strcpy(CTopic_Host::s_get_info_nameAC, "Apple");
        OwnedList infoList;
        hostP = CTopic_Host::AddHost(infoList.get());
        CTopic_Host::s_get_info_outlineB = false;
        QCOMPARE(Names(hostP->i_childrenP), QStringList({"Title", "Icon", "Content / Link", "Sync List",
                                                         "Item Properties", "Document Properties"}));
        QCOMPARE(hostP->i_childrenP->GetIndItem(0)->i_childrenP->GetIndItem(0)->GetNameRef(),
                 std::string("Apple"));
        const CTopic* refP = hostP->i_childrenP->GetIndItem(3)->i_childrenP->GetIndItem(0);
        int fields = 0;
        for (const CTopic* t : refP->i_childrenP->Topics())
            fields += dynamic_cast<const CTopic_GUI*>(t) ? 1 : 0;
        QCOMPARE(fields, 3);
    }

    // The value beside a form field's name is never narrower than 20 pixels, and its control
    // lives in the list's view until one of them goes.
    void formFieldsHaveTheirControls() {
        OwnedList list;
        auto* checkP = new CTopic_GUI("Pull From Link", list.get(), CTopic_GUIType_CHECKBOX);
        auto* textP = new CTopic_GUI("Note", list.get(), CTopic_GUIType_TEXT);
        AddTopic(list.get(), "", checkP);
        AddTopic(list.get(), "", textP);
        checkP->i_frameA[0] = tagRECT{0, 0, 50, 16};
        const tagRECT valueR = checkP->GetRect(CTopic_GUI::kWidget_VALUE);
        QVERIFY(valueR.Width() >= CTopic_GUI::kMinValueWidth);
        QCOMPARE(checkP->GetRect(TOPIC_Widget_ICON).Width(), 0);
        {
            BrowserFixture fixture(list.get(), O_ViewAs_HEIR_COL);
            fixture.outline->UpdateRects();
            fixture.outline->DoDrawView(fixture.outline->GetContentRect());
            QVERIFY(checkP->GetControl());
            QVERIFY(!textP->GetControl());
        }
        // The view went first: the topic does not reach for its control.
        QVERIFY(!checkP->i_control);
    }

    void outlineDocuments() {
        COutlineModel doc;
        QVERIFY(doc.DoNewDocument());
        doc.Init_Subtopics();
        QVERIFY(doc.i_listP && doc.i_ownerB);
        QCOMPARE(QString::fromStdString(doc.GetOutlineName()),
                 QString("Untitled Outline %1").arg(doc.GetUntitledNumber()));
        QVERIFY(!doc.DoOpenDocument(XGFileSpecifier(fDir.path().toStdString())));
        const QString saved = fDir.filePath("saved.hvs");
        QVERIFY(WriteFile(saved, "x"));
        QVERIFY(!doc.DoOpenDocument(XGFileSpecifier(saved.toStdString())));
        QVERIFY(!doc.HasFile());
        doc.i_flags = kOutlineFlag_ALWAYS_DIRTY;
        QVERIFY(doc.IsDocumentDirty());

        XGFileSpecifier spec(fDir.filePath("plan").toStdString());
        COutlineModel::AppendExtension(spec);
        QVERIFY(QString::fromStdString(spec.GetFullPath()).endsWith("plan.hvs"));
        COutlineModel::AppendExtension(spec);
        QVERIFY(QString::fromStdString(spec.GetFullPath()).endsWith("plan.hvs"));

        CTopic* t = AddTopic(doc.i_listP, "idler");
        doc.IdleMe(t, true);
        doc.IdleMe(t, true);
        QCOMPARE(doc.i_idle_list.Count(), 1);
        doc.IdleMe(t, false);
        QVERIFY(!doc.IsIdling(t));
    }

    // The outline tasks: each done, undone and done again.
    void outlineTasks_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("insert") << int(O_Task_INSERT) << QStringList({"a", "b", "c", "new"});
        QTest::newRow("remove") << int(O_Task_REMOVE) << QStringList({"a", "c"});
        QTest::newRow("exchange") << int(O_Task_EXCHANGE) << QStringList({"a", "B2", "c"});
        QTest::newRow("rename") << int(O_Task_RENAME) << QStringList({"a", "renamed", "c"});
    }
    void outlineTasks() {
        QFETCH(int, kind);
        QFETCH(QStringList, after);
        CDo engine;
        CDo* const oldDo = std::exchange(gDo, &engine);
        const auto restore = qScopeGuard([&] { gDo = oldDo; });
        DoStacksOwner stacks;
        engine.SetActiveStacks(stacks.GetStacks());
        COutlineModel doc;
        doc.Init_Subtopics();
        CTopicList* listP = doc.i_listP;
        for (const char* n : {"a", "b", "c"})
            AddTopic(listP, n);
        // The tasks hold topics of the document: they go first.
        const auto dispose = qScopeGuard([&] { engine.DisposeActiveStacks(); });
        auto* selP = new CTopicList(nullptr, nullptr);
        selP->Insert(kind == O_Task_INSERT ? new CTopic("new", listP, 3) : listP->GetIndItem(1), -1, false);
        CTopicList* otherP = nullptr;
        if (kind == O_Task_EXCHANGE) {
            otherP = new CTopicList(nullptr, nullptr);
            otherP->Insert(new CTopic("B2", listP, 1), -1, false);
        }
        void* dataP = kind == O_Task_RENAME ? new std::string("renamed") : nullptr;
        VORN_CHECK_UNDOABLE(
            [&] { return Names(listP); },
            [&] { QVERIFY(OutlineTask_Do(listP, O_TaskKind(kind), selP, otherP, dataP, "Task")); }, after);
    }
};

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
