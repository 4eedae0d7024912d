// A board in Go Mode generating its items into a real text window: the exact bytes typed at the
// caret, one undo unit "Insert Generated Info" in the text window's own history, and auto-save.

#include "AlertRecorder.h"
#include "BoardFakes.h"
#include "BoardGlobals.h"
#include "BoardProbes.h"
#include "BoardRegistration.h"
#include "CDocumentKinds.h"
#include "TestFiles.h"
#include "TextFixture.h"
#include "TextRegistration.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace yaaf;
using namespace vorntest;

class TestGenerate : public QObject {
    Q_OBJECT
    BoardGlobals fGlobals;
    AlertRecorder fAlerts;

private slots:
    void initTestCase() {
        // The program's own wiring: the text window reaches the registry's target through the
        // shell's target service.
        RegisterTextDocuments();
        RegisterBoardDocuments();
    }

    void generateIntoTextWindow_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("sepLines");
        QTest::addColumn<bool>("content");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("content, separate lines") << "Cat" << true << true << QByteArray("Cat: animal\n");
        QTest::newRow("content and a blank") << "Cat" << false << true << QByteArray("Cat: animal ");
        QTest::newRow("title and a blank") << "Cat" << false << false << QByteArray("Cat ");
        QTest::newRow("line-break item") << "\r" << true << true << QByteArray("\n");
    }

    void generateIntoTextWindow() {
        QFETCH(QString, title);
        QFETCH(bool, sepLines);
        QFETCH(bool, content);
        QFETCH(QByteArray, bytes);
        TextFixture text;
        QVERIFY(text.window);
        TEditView* view = text.View();
        text.SetText("ab");
        text.Core()->Select(1, 1);
        {
            BoardWindow board;
            board.viewP->SetStacks(false); // the board's window is the active one
            view->SetFocus();
            board.viewP->SetFocus();
            board.viewP->SetStacks(false);
            // The text window is the generator target.
            view->DoMenuCommand(kTextCmd_SetTarget);
            XGSMenuStatus status;
            view->DoGetMenuStatus(kTextCmd_SetTarget, &status);
            QVERIFY(status.check);
            board.modelP->i_target_controllerP = nullptr;
            Vorn_PrefBoolsRec& p = board.modelP->i_prefs.b;
            p = Vorn_PrefBoolsRec{};
            p.set_sep_linesB(sepLines);
            p.set_gen_contentB(content);
            CVornItem* item = board.modelP->AddWord(title.toStdString().c_str());
            item->SetLinkToURL("animal");
            item->Generate();
            QCOMPARE(gDo->GetActiveStacks(), board.viewP->GetStacks()); // given back
            QCOMPARE(gDo->GetGroupLevel(), 0);
            QCOMPARE(board.modelP->i_target_controllerP, static_cast<XGDocForm*>(text.form)); // remembered
        }
        QCOMPARE(QByteArray::fromStdString(text.Text()), "a" + bytes + "b");
        QCOMPARE(text.Core()->GetSelStart(), 1 + int(bytes.size()));
        QCOMPARE(text.UndoUnits(), 1);
        view->SetFocus();
        QCOMPARE(UndoText(), std::string("Undo Insert Generated Info"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(text.Text(), std::string("ab"));
        text.Close();
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(nullptr)); // the form took itself out
    }

    // The shell opens a text file only through what the text part registered, and the window
    // reaches the generator target through what the boards registered.
    void registeredKindsOpenATextTarget() {
        QTemporaryDir dir;
        const QString path = dir.filePath("note.txt");
        QVERIFY(WriteFile(path, "hello"));
        const CDocumentKinds& kinds = GetDocumentKinds();
        QVERIFY(kinds.text.IsAvailable());
        QCOMPARE(QByteArray::fromStdString(kinds.board.fileFilter), QByteArray("Vorn Files (*.2dv)"));
        const XGFileSpecifier spec(path.toStdString());
        QVERIFY(!kinds.findOpenBoard(spec));
        XGDocument* doc = kinds.text.makeDocument();
        QVERIFY(kinds.text.openFile(doc, spec));
        auto* form = dynamic_cast<TEditForm*>(kinds.text.makeForm(doc));
        XGWindow* window = form ? kinds.text.makeWindow(form) : nullptr;
        QVERIFY(window);
        QCOMPARE(QByteArray::fromStdString(form->GetModel()->fText.ToString()), QByteArray("hello"));
        QVERIFY(!kinds.target.isTarget(form));
        form->GetView()->DoMenuCommand(kTextCmd_SetTarget);
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(form));
        QVERIFY(kinds.target.isTarget(form));
        window->Close();
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(nullptr));
    }

    // The right button pops up the context menu of layout 145; its Set Generator Target reaches
    // the registry. The menu is answered from inside its own loop, as a user would.
    void contextMenuSetsTheTarget() {
        TextFixture text;
        QVERIFY(text.window);
        gVornListP->SetTarget(nullptr);
        QWidget* widget = text.View()->GetWidget();
        QStringList titles;
        bool answered = false;
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            auto* menu = qobject_cast<QMenu*>(popup);
            if (!menu) return;
            for (QAction* a : menu->actions())
                if (!a->isSeparator()) titles << a->text();
            for (QAction* a : menu->actions())
                if (a->text() == "Set Generator Target") {
                    answered = a->isEnabled();
                    a->trigger();
                }
            menu->close();
        });
        QTest::mouseClick(widget, Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(answered);
        QCOMPARE(titles.first(), QString("Edit Title"));
        QVERIFY(titles.contains("Copy\tCtrl+C"));
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(text.form));
    }

    void generateWithAutoSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath("target.txt");
        QVERIFY(WriteFile(path, "x\r\n"));
        const XGFileSpecifier spec(path.toStdString());
        TextFixture text(&spec);
        QVERIFY(text.window);
        text.Core()->Select(2, 2);
        {
            BoardWindow board;
            board.viewP->SetStacks(false);
            gVornListP->SetTarget(text.form);
            board.modelP->i_target_controllerP = nullptr;
            Vorn_PrefBoolsRec& p = board.modelP->i_prefs.b;
            p = Vorn_PrefBoolsRec{};
            p.set_sep_linesB(true);
            p.set_auto_saveB(true);
            board.modelP->AddWord("Dog")->Generate();
            board.modelP->AddWord("Cat")->Generate();
        }
        QCOMPARE(ReadFile(path), QByteArray("x\r\nDog\r\nCat\r\n"));
        QVERIFY(!text.Doc()->IsDirty());
        QCOMPARE(text.UndoUnits(), 2);
    }
};

QTEST_MAIN(TestGenerate)
#include "tst_generate.moc"
