// A board in Go Mode generating its items into a real text window: the exact bytes typed at the
// caret, one undo unit "Insert Generated Info" in the text window's own history, and auto-save.

#include "../board/BoardTestSupport.h"

#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TextPrefs.h"
#include "TextWindow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace yaaf;

class TestGenerate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        gVornListP = new CVornList;
        gDo = new CDo;
        XGSetAlertResponder([](const XGAlertRequest& r) { return r.cancelIndex; });
        TEditForm::s_SetTargetProc = [](XGDocForm* f) { gVornListP->SetTarget(f); };
        TEditForm::s_IsTargetProc = [](XGDocForm* f) { return gVornListP->GetSharedTarget() == f; };
        TEditForm::s_RemoveTargetProc = [](XGDocForm* f) { gVornListP->RemoveTarget(f); };
    }
    void cleanupTestCase() {
        delete gDo;
        delete gVornListP;
    }

    void generateIntoTextWindow_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("sepLines");
        QTest::addColumn<bool>("content");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("content, separate lines") << "Cat" << true << true << QByteArray("Cat: animal\n");
        QTest::newRow("title and a blank") << "Cat" << false << false << QByteArray("Cat ");
        QTest::newRow("line-break item") << "\r" << true << true << QByteArray("\n");
    }

    void generateIntoTextWindow() {
        QFETCH(QString, title);
        QFETCH(bool, sepLines);
        QFETCH(bool, content);
        QFETCH(QByteArray, bytes);
        XGDocForm* formP = nullptr;
        XGWindow* textWindow = OpenTextWindow(Vorn_WindowInit_NEW_TEXT, nullptr, &formP);
        QVERIFY(textWindow);
        auto* form = dynamic_cast<TEditForm*>(formP);
        QVERIFY(form);
        TEditView* view = form->GetView();
        form->GetModel()->fText.SetText("ab", 2);
        view->InitEdit(&form->GetModel()->fText);
        view->GetEditCore()->Select(1, 1);
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
        }
        QCOMPARE(QByteArray::fromStdString(form->GetModel()->fText.ToString()), "a" + bytes + "b");
        QCOMPARE(view->GetEditCore()->GetSelStart(), 1 + int(bytes.size()));
        QVERIFY(form->GetModel()->IsDirty());
        QCOMPARE(CDo::CountTasks(view->i_do_stacks.stack[CDo_Type_UNDO]), 1);
        view->SetFocus();
        char undo[kCDo_MenuTextSize];
        QCOMPARE(QByteArray(gDo->GetString(CDo_Type_UNDO, undo)), QByteArray("Undo Insert Generated Info"));
        gDo->Do(CDo_Type_UNDO);
        QCOMPARE(QByteArray::fromStdString(form->GetModel()->fText.ToString()), QByteArray("ab"));
        form->GetModel()->SetDirty(false);
        textWindow->Close();
        QCOMPARE(gVornListP->GetSharedTarget(), static_cast<XGDocForm*>(nullptr)); // the form took itself out
    }

    void generateWithAutoSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath("target.txt");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("x\r\n");
        }
        const XGFileSpecifier spec(path.toStdString());
        XGDocForm* formP = nullptr;
        XGWindow* textWindow = OpenTextWindow(Vorn_WindowInit_OPEN_FILE, &spec, &formP);
        QVERIFY(textWindow);
        auto* form = static_cast<TEditForm*>(formP);
        form->GetView()->GetEditCore()->Select(2, 2);
        {
            BoardWindow board;
            board.viewP->SetStacks(false);
            gVornListP->SetTarget(form);
            board.modelP->i_target_controllerP = nullptr;
            Vorn_PrefBoolsRec& p = board.modelP->i_prefs.b;
            p = Vorn_PrefBoolsRec{};
            p.set_sep_linesB(true);
            p.set_auto_saveB(true);
            board.modelP->AddWord("Dog")->Generate();
            board.modelP->AddWord("Cat")->Generate();
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("x\r\nDog\r\nCat\r\n"));
        QVERIFY(!form->GetModel()->IsDirty());
        QCOMPARE(CDo::CountTasks(form->GetView()->i_do_stacks.stack[CDo_Type_UNDO]), 2);
        textWindow->Close();
    }
};

QTEST_MAIN(TestGenerate)
#include "tst_generate.moc"
