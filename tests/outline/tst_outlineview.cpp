// The outline view inside a browser window view, offscreen: hit testing per mode, clicks and
// marquees, hierarchic columns with their chain, path and arrow keys, switching modes, the
// bars, subtopics arriving from a worker while the view shows them, and bad sizes and lists.

#include "ImageProbe.h"
#include "OutlineTestSupport.h"
#include "VColContainer.h"
#include "VColHeader.h"
#include "VFooterBar.h"
#include "VPathBar.h"
#include "ViewEvents.h"
#include "XGGeometry.h"
#include "XGHostInfo.h"
#include "XGInlineEdit.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"
#include "XGToolbarView.h"

#include <QDir>
#include <QImage>
#include <QtTest>

using namespace yaaf;
using namespace vorntest;

Q_DECLARE_METATYPE(O_ViewAsType)

namespace {

QPoint At(const CTopic* t, int dx, int dy = 5) {
    const tagRECT r = t->GetScreenBounds();
    return QPoint(r.left + dx, r.top + dy);
}

// Root topics "Alpha topic", "Beta topic", "Gamma topic", each with three children and three
// grandchildren under each child.
void MakeTree(CTopicList* list) {
    for (const char* n : {"Alpha topic", "Beta topic", "Gamma topic"})
        AddTopic(list, n);
    AddChildren(list, 3, 2);
}

} // namespace

class TestOutlineView : public QObject {
    Q_OBJECT
    PopUpRecorder fPopUps; // context menus are answered without showing them

private slots:

    void hitTestPerMode_data() {
        QTest::addColumn<O_ViewAsType>("mode");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("widget"); // TOPIC_Widget_NONE: no topic hit
        QTest::newRow("list twirly") << O_ViewAs_LIST << 8 << int(TOPIC_Widget_TWIRLY);
        QTest::newRow("list icon") << O_ViewAs_LIST << 27 << int(TOPIC_Widget_ICON);
        QTest::newRow("list gap icon-text") << O_ViewAs_LIST << 37 << int(TOPIC_Widget_NONE);
        QTest::newRow("list text") << O_ViewAs_LIST << 60 << int(TOPIC_Widget_TEXT);
        QTest::newRow("columns no twirly") << O_ViewAs_HEIR_COL << 8 << int(TOPIC_Widget_NONE);
        QTest::newRow("columns icon") << O_ViewAs_HEIR_COL << 27 << int(TOPIC_Widget_ICON);
        QTest::newRow("columns gap") << O_ViewAs_HEIR_COL << 37 << int(TOPIC_Widget_NONE);
        QTest::newRow("columns text") << O_ViewAs_HEIR_COL << 60 << int(TOPIC_Widget_TEXT);
        QTest::newRow("icons icon") << O_ViewAs_ICONS << 27 << int(TOPIC_Widget_ICON);
        QTest::newRow("icons text") << O_ViewAs_ICONS << 60 << int(TOPIC_Widget_TEXT);
        QTest::newRow("icons no twirly") << O_ViewAs_ICONS << 8 << int(TOPIC_Widget_NONE);
        QTest::newRow("zoom box") << O_ViewAs_ZOOM << 8 << int(TOPIC_Widget_BODY);
        QTest::newRow("zoom box text") << O_ViewAs_ZOOM << 60 << int(TOPIC_Widget_BODY);
        QTest::newRow("freeform item") << O_ViewAs_FREEFORM_NEW << 8 << int(TOPIC_Widget_BODY);
        QTest::newRow("freeform item gap") << O_ViewAs_FREEFORM_NEW << 37 << int(TOPIC_Widget_BODY);
        QTest::newRow("flat columns word") << O_ViewAs_FLAT_COL_NEW << 37 << int(TOPIC_Widget_BODY);
    }
    void hitTestPerMode() {
        QFETCH(O_ViewAsType, mode);
        QFETCH(int, dx);
        QFETCH(int, widget);
        OwnedList list;
        MakeTree(list.get());
        BrowserFixture f(list.get(), mode);
        QVERIFY(f.outline);
        f.outline->UpdateRects();
        CTopic* beta = list->GetIndItem(1);
        const QPoint p = At(beta, dx);
        O_DrawRec rec;
        CTopic* hit = f.outline->HitTest(MakePoint(p.x(), p.y()), 0, &rec);
        QCOMPARE(hit, widget == TOPIC_Widget_NONE ? nullptr : beta);
        QCOMPARE(rec.widget, widget);
        // Far away from every topic nothing is hit.
        QVERIFY(!f.outline->HitTest(MakePoint(5, 590)));
    }

    void clicksAndMarquees() {
        OwnedList list;
        MakeTree(list.get());
        BrowserFixture f(list.get(), O_ViewAs_LIST);
        ViewEvents ev(f.outline);
        f.outline->UpdateRects();
        CTopic* alpha = list->GetIndItem(0);
        CTopic* beta = list->GetIndItem(1);
        CTopic* gamma = list->GetIndItem(2);
        ev.Click(At(beta, 60));
        QVERIFY(beta->IsSelected() && !alpha->IsSelected());
        ev.Click(At(alpha, 60), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(list->CountSelected(false), 2);
        ev.Click(At(beta, 60), Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(alpha->IsSelected() && !beta->IsSelected());
        ev.Click(At(gamma, 60));
        QVERIFY(gamma->IsSelected() && !alpha->IsSelected());
        // A click on nothing deselects everything; a right click there shows the context menu.
        ev.Click(QPoint(700, 500));
        QCOMPARE(list->CountSelected(true), 0);
        const size_t menus = fPopUps.menus.size();
        ev.Click(QPoint(600, 300), Qt::RightButton);
        QCOMPARE(fPopUps.menus.size(), menus + 1);
        // With Shift a marquee keeps the selection and adds what it crosses.
        ev.Click(At(alpha, 60));
        ev.Drag(QPoint(700, At(gamma, 0).y() + 2), QPoint(70, At(gamma, 0).y() + 4), Qt::ShiftModifier);
        QVERIFY(alpha->IsSelected() && gamma->IsSelected() && !beta->IsSelected());
        // The twirly opens a topic: its children follow it in the list.
        ev.Click(At(alpha, 8));
        QVERIFY(alpha->IsTwirled());
        f.outline->UpdateRects();
        QCOMPARE(f.outline->HitTest(MakePoint(At(beta, 60).x(), At(beta, 60).y())), beta);
        CTopic* firstChild = (*alpha)[0];
        QCOMPARE(f.outline->HitTest(MakePoint(At(firstChild, 60).x(), At(firstChild, 60).y())), firstChild);
        QVERIFY(firstChild->GetScreenBounds().left > alpha->GetScreenBounds().left);
    }

    void columnChainAndKeys() {
        OwnedList list;
        MakeTree(list.get());
        // A topic with an empty children list gives an empty column.
        CTopic* empty = AddTopic(list.get(), "Zeta empty");
        empty->GetChildren(true);
        BrowserFixture f(list.get(), O_ViewAs_HEIR_COL);
        VColContainer* cont = f.Browser().GetColContainer();
        QVERIFY(cont);
        VOutline* col1 = f.outline;
        auto columns = [&] { return cont->GetColumns(); };
        auto path = [&] { return QString::fromStdString(f.bw->GetPathBar()->GetPath()); };
        const QString root = "vorn://" + QString::fromStdString(XGGetMachineName());
        QCOMPARE(columns().size(), size_t(1));
        QCOMPARE(col1->GetFullPath(), root.toStdString());

        // Up and Down within a column.
        QCOMPARE(col1->DoKey(Key(kXGKey_Up)), kDispatchHandled);
        QCOMPARE(col1->CountSelected(), 1);
        QVERIFY(empty->IsSelected());
        QCOMPARE(col1->DoKey(Key(kXGKey_Down)), kDispatchHandled);
        QVERIFY(empty->IsSelected()); // nothing below the last topic
        col1->SelectAll(false);
        col1->DoKey(Key(kXGKey_Down));
        CTopic* alpha = list->GetIndItem(0);
        QVERIFY(alpha->IsSelected());
        QCOMPARE(columns().size(), size_t(2));
        QCOMPARE(columns()[1]->i_listP, alpha->i_childrenP);
        QCOMPARE(path(), root + "/Alpha topic");
        col1->DoKey(Key(kXGKey_Down));
        CTopic* beta = list->GetIndItem(1);
        QCOMPARE(columns()[1]->i_listP, beta->i_childrenP);
        QCOMPARE(list->CountSelected(false), 1);

        // Right goes into the child column and selects its first topic; again to the leaves.
        col1->DoKey(Key(kXGKey_Right));
        VOutline* col2 = columns()[1];
        QCOMPARE(gFocus, static_cast<XGDispatch*>(col2));
        QVERIFY((*beta)[0]->IsSelected());
        QCOMPARE(columns().size(), size_t(3));
        QCOMPARE(path(), root + "/Beta topic/Beta topic.0");
        col2->DoKey(Key(kXGKey_Right));
        VOutline* col3 = columns()[2];
        QVERIFY((*(*beta)[0])[0]->IsSelected());
        QCOMPARE(columns().size(), size_t(3)); // a leaf has no column after it
        col3->DoKey(Key(kXGKey_Right));
        QCOMPARE(gFocus, static_cast<XGDispatch*>(col3));
        // Left goes back and keeps the columns.
        col3->DoKey(Key(kXGKey_Left));
        QCOMPARE(gFocus, static_cast<XGDispatch*>(col2));
        QCOMPARE(columns().size(), size_t(3));
        col2->DoKey(Key(kXGKey_Left));
        QCOMPARE(gFocus, static_cast<XGDispatch*>(col1));
        QVERIFY(beta->IsSelected());

        // A click on another topic of the first column replaces the columns after it.
        ViewEvents ev(col1);
        col1->UpdateRects();
        CTopic* gamma = list->GetIndItem(2);
        ev.Click(At(gamma, 60));
        QCOMPARE(columns().size(), size_t(2));
        QCOMPARE(columns()[1]->i_listP, gamma->i_childrenP);
        QCOMPARE(QString::fromStdString(columns()[1]->GetFullPath()), root + "/Gamma topic");
        // Up in a column where nothing is selected takes the last topic.
        columns()[1]->DoKey(Key(kXGKey_Up));
        QVERIFY((*gamma)[2]->IsSelected());

        // An empty column takes keys and clicks without harm.
        ev.Click(At(empty, 60));
        VOutline* emptyCol = columns()[1];
        QCOMPARE(emptyCol->i_listP->Count(), 0);
        for (uint16 k : {kXGKey_Up, kXGKey_Down, kXGKey_Right})
            columns()[1]->DoKey(Key(k));
        ViewEvents(columns()[1]).Click(QPoint(20, 20));
        columns()[1]->DoKey('\r');
        columns()[1]->DoKey(Key(kXGKey_Left));
        QCOMPARE(gFocus, static_cast<XGDispatch*>(col1));
        QCOMPARE(columns().size(), size_t(2));
    }

    void columnListDestroyed() {
        OwnedList list;
        MakeTree(list.get());
        BrowserFixture f(list.get(), O_ViewAs_HEIR_COL);
        VColContainer* cont = f.Browser().GetColContainer();
        f.outline->DoKey(Key(kXGKey_Down));
        f.outline->DoKey(Key(kXGKey_Right));
        QCOMPARE(cont->GetColumns().size(), size_t(3));
        // The selected topic goes, and with it the lists the next columns show.
        list->Remove(list->GetIndItem(0), true, true);
        // Right to left: a key in the first column may replace the others.
        const std::vector<VOutline*> cols = cont->GetColumns();
        for (auto it = cols.rbegin(); it != cols.rend(); ++it) {
            VOutline* col = *it;
            col->DoKey(Key(kXGKey_Down));
            col->DoKey(Key(kXGKey_Up));
            col->GetWidget()->grab();
        }
        QCOMPARE(cont->GetColumns()[0]->i_listP, list.get());
    }

    void returnLaunches() {
        OwnedList list;
        auto* a = new LaunchTopic("launch me", list.get(), kNoIndex);
        AddTopic(list.get(), "", a);
        AddTopic(list.get(), "other");
        BrowserFixture f(list.get(), O_ViewAs_HEIR_COL);
        QCOMPARE(f.outline->DoKey('\r'), kDispatchHandled);
        QCOMPARE(a->launches, 0);
        f.outline->DoKey(Key(kXGKey_Down));
        f.outline->DoKey('\r');
        QCOMPARE(a->launches, 1);
        // A double click on the name launches too.
        f.outline->UpdateRects();
        ViewEvents(f.outline).DoubleClick(At(a, 60));
        QCOMPARE(a->launches, 2);
    }

    void switchingModes() {
        CountingDoc doc;
        OwnedList list(&doc);
        MakeTree(list.get());
        BrowserFixture f(list.get(), O_ViewAs_LIST, &doc);
        f.PutInWindow();
        QCOMPARE(f.outline->DoMenuCommand(kOutlineCmd_ViewAsColumns), kDispatchHandled);
        VOutline* cols = f.Browser().GetVOutline();
        QCOMPARE(f.bw->GetViewAs(), O_ViewAs_HEIR_COL);
        QCOMPARE(cols->i_listP, list.get());
        QCOMPARE(cols->GetOutline(), &doc);
        QVERIFY(f.Browser().GetColContainer());
        QCOMPARE(f.bw->GetToolbar()->GetStatusTarget(), static_cast<XGView*>(cols));
        XGSMenuStatus s;
        cols->DoGetMenuStatus(kOutlineCmd_ViewAsColumns, &s);
        QVERIFY(s.enable && s.check);

        cols->DoMenuCommand(kOutlineCmd_ViewAsFreeformNew);
        VOutline* free = f.Browser().GetVOutline();
        free->DoMenuCommand(kOutlineCmd_ViewAsFlatColumnsNew);
        QCOMPARE(f.Browser().GetVOutline(), free); // the same layout keeps its view
        QCOMPARE(f.bw->GetViewAs(), O_ViewAs_FLAT_COL_NEW);
        // The board modes have no outline view: nothing changes.
        free->DoMenuCommand(kOutlineCmd_ViewAsFreeform);
        QCOMPARE(f.bw->GetViewAs(), O_ViewAs_FLAT_COL_NEW);
        free->DoMenuCommand(kOutlineCmd_ViewAsList);
        VOutline* listView = f.Browser().GetVOutline();
        QCOMPARE(listView->i_listP, list.get());
        QVERIFY(listView->GetHeader());
        QCOMPARE(listView->GetHeader()->CountColumns(), 5);
        QCOMPARE(listView->GetHeader()->GetColumnID(1), int32(O_Sort_LOG_SIZE));
        QCOMPARE(listView->GetHeader()->GetColumnID(9), 0);

        // Zoom: "[" and "]" shrink and grow the boxes.
        listView->DoMenuCommand(kOutlineCmd_ViewAsZoom);
        VOutline* zoom = f.Browser().GetVOutline();
        zoom->UpdateRects();
        const int32 w0 = list->GetIndItem(0)->GetFrameP()->Width();
        zoom->DoKey(']');
        zoom->UpdateRects();
        QVERIFY(list->GetIndItem(0)->GetFrameP()->Width() > w0);
    }

    void panesAndFooterFollowTheList() {
        OwnedList list;
        MakeTree(list.get());
        BrowserFixture f(list.get(), O_ViewAs_ICONS);
        VFooterBar* footer = f.bw->GetFooterBar();
        f.outline->DoPeriodic();
        QCOMPARE(footer->GetShownText(), std::string());
        f.outline->DoMenuCommand(kOutlineCmd_SelectAll);
        f.outline->DoPeriodic();
        QCOMPARE(footer->GetShownText(), std::string("3 of 3 items selected"));
        footer->SetMessage("hover");
        QCOMPARE(footer->GetShownText(), std::string("hover"));

        f.outline->DoMenuCommand(kOutlineCmd_ShowToolbar);
        QVERIFY(!f.bw->IsPaneShown(kBrowserViewID_ToolbarPane));
        f.outline->DoMenuCommand(kOutlineCmd_SortAscending);
        f.outline->DoMenuCommand(kOutlineCmd_ShowHidden);
        QVERIFY(!f.bw->IsPaneShown(kBrowserViewID_ToolbarPane));
        QVERIFY(f.bw->IsPaneShown(kBrowserViewID_Footer));
        f.outline->DoMenuCommand(kOutlineCmd_ShowStatus);
        QVERIFY(!f.bw->IsPaneShown(kBrowserViewID_Footer));
        f.outline->DoMenuCommand(kOutlineCmd_ShowToolbar);
        QVERIFY(f.bw->IsPaneShown(kBrowserViewID_ToolbarPane));
    }

    void twirlStartsOneFill() {
        OwnedList list;
        auto* folder = new FillTopic("folder", list.get(), Numbered("child ", 40));
        AddTopic(list.get(), "", folder);
        AddTopic(list.get(), "zz below");
        BrowserFixture f(list.get(), O_ViewAs_LIST);
        const int32 h0 = f.outline->GetScrollView()->GetContentHeight();
        folder->SetTwirled(true);
        folder->SetTwirled(false);
        folder->SetTwirled(true);
        QTRY_COMPARE(folder->i_childrenP->Count(), 40);
        QCOMPARE(folder->starts.load(), 1);
        QCOMPARE(folder->i_childrenP->GetIndItem(2)->GetNameRef(), std::string("child 10")); // sorted by name
        // The children are shown inline: the range grows and the topic below moves down.
        QVERIFY(f.outline->GetScrollView()->GetContentHeight() > h0);
        f.outline->UpdateRects();
        QVERIFY(list->GetIndItem(1)->GetFrameP()->top >
                folder->i_childrenP->GetIndItem(-1)->GetFrameP()->top);
    }

    void badSizesAndNames() {
        OwnedList list;
        AddTopic(list.get(), std::string(10000, 'W'));
        AddTopic(list.get(), "");
        AddTopic(list.get(), std::string("\xff\xfe bad", 6));
        AddChildren(list.get(), 2, 1);
        for (O_ViewAsType mode : {O_ViewAs_LIST, O_ViewAs_HEIR_COL, O_ViewAs_ICONS, O_ViewAs_ZOOM,
                                  O_ViewAs_FREEFORM_NEW, O_ViewAs_FLAT_COL_NEW}) {
            for (QSize size : {QSize(1, 1), QSize(1, 400), QSize(300, 200)}) {
                BrowserFixture f(list.get(), mode, nullptr, size.width(), size.height());
                VOutline* v = f.Browser().GetVOutline();
                QVERIFY(v);
                v->GetWidget()->grab();
                f.bw->GetWidget()->grab();
                ViewEvents ev(v);
                ev.Click(QPoint(0, 0));
                ev.Click(QPoint(0, 5), Qt::RightButton);
                for (uint16 k : {kXGKey_Down, kXGKey_Right, kXGKey_Up, kXGKey_Left})
                    if (VOutline* cur = f.Browser().GetVOutline()) cur->DoKey(Key(k));
                f.Resize(2, 2);
            }
        }
        // A long name makes a wide scroll range, not a crash.
        BrowserFixture f(list.get(), O_ViewAs_LIST);
        QVERIFY(f.outline->GetScrollView()->GetContentWidth() > 10000);
    }

    void renameInPlace() {
        OwnedList list;
        MakeTree(list.get());
        BrowserFixture f(list.get(), O_ViewAs_LIST);
        CTopic* beta = list->GetIndItem(1);
        XGSMenuStatus s;
        f.outline->DoGetMenuStatus(kOutlineCmd_Rename, &s);
        QVERIFY(!s.enable);
        beta->Select(true);
        f.outline->DoGetMenuStatus(kOutlineCmd_Rename, &s);
        QVERIFY(s.enable);
        f.outline->DoMenuCommand(kOutlineCmd_Rename);
        QVERIFY(f.outline->GetRenameEdit());
        f.outline->GetRenameEdit()->SetText("Renamed");
        f.outline->GetRenameEdit()->Close(kXGInline_Cancelled);
        QCOMPARE(beta->GetNameRef(), std::string("Beta topic"));
        QVERIFY(!f.outline->GetRenameEdit());
        f.outline->DoMenuCommand(kOutlineCmd_Rename);
        f.outline->GetRenameEdit()->SetText("Renamed");
        f.outline->GetRenameEdit()->Close(kXGInline_Accepted);
        QCOMPARE(beta->GetNameRef(), std::string("Renamed"));
        // The topic goes while its name is being edited: the editor goes with it.
        f.outline->DoMenuCommand(kOutlineCmd_Rename);
        QVERIFY(f.outline->GetRenameEdit());
        list->Remove(beta, true, true);
        QVERIFY(!f.outline->GetRenameEdit());
        QVERIFY(!f.outline->i_renameTopicP);
        f.outline->GetWidget()->grab();
    }

    void documentWalksItsViews() {
        auto doc = std::make_unique<CountingDoc>();
        OwnedList list(doc.get());
        MakeTree(list.get());
        {
            BrowserFixture f(list.get(), O_ViewAs_HEIR_COL, doc.get());
            f.outline->DoKey(Key(kXGKey_Down));
            O_IterView_CountRec count;
            doc->IterateViews(O_IterView_COUNT, &count);
            QCOMPARE(count.countL, 2);
            O_IterView_FindRec find;
            find.viewP = f.Browser().GetColContainer()->GetColumns()[1];
            doc->IterateViews(O_IterView_GET_VIEW_INDEX, &find);
            QCOMPARE(find.indexL, 1);
            // A flag change of a shown topic reaches the document, once; no change, nothing.
            const int topic = doc->topicInvals, whole = doc->wholeInvals;
            list->GetIndItem(2)->SetLocked(false);
            QVERIFY(doc->topicInvals == topic && doc->wholeInvals == whole);
            list->GetIndItem(2)->SetLocked(true);
            QCOMPARE(doc->topicInvals, topic + 1);
        }
        QVERIFY(doc->GetViews().empty());
    }

    void drawsVisibleTopics() {
        OwnedList list;
        for (int i = 0; i < 300; ++i)
            AddTopic(list.get(), "Topic number " + std::to_string(i));
        AddChildren(list.get(), 4, 2);
        list->GetIndItem(2)->SetTwirled(true);
        for (O_ViewAsType mode : {O_ViewAs_LIST, O_ViewAs_HEIR_COL, O_ViewAs_ICONS, O_ViewAs_ZOOM,
                                  O_ViewAs_FREEFORM_NEW, O_ViewAs_FLAT_COL_NEW}) {
            BrowserFixture f(list.get(), mode);
            VOutline* v = f.Browser().GetVOutline();
            if (mode == O_ViewAs_HEIR_COL) {
                v->DoKey(Key(kXGKey_Down));
                v->DoKey(Key(kXGKey_Down));
                v->DoKey(Key(kXGKey_Right));
                v->DoKey(Key(kXGKey_Right));
            } else {
                list->GetIndItem(1)->Select(true);
            }
            v->DoPeriodic();
            const QImage shot = f.bw->GetWidget()->grab().toImage();
            QVERIFY2(DarkPixels(v->GetWidget()->grab().toImage(), QRect(40, 0, 120, 60)) > 0,
                     "no text drawn");
            const QByteArray dir = qgetenv("VORN_OUTLINE_SHOTS");
            if (!dir.isEmpty())
                shot.save(
                    QDir(QString::fromLocal8Bit(dir)).filePath(QString("outline-mode%1.png").arg(int(mode))));
            list->SelectAll(false, true);
        }
        // Scrolled to the end, the last rows are drawn and the first are not.
        BrowserFixture f(list.get(), O_ViewAs_HEIR_COL);
        XGScrollView* sv = f.outline->GetScrollView();
        sv->SetScrollPosition(0, sv->GetMaxYScroll());
        f.outline->UpdateRects();
        const tagRECT last = list->GetIndItem(-1)->GetScreenBounds();
        QVERIFY(last.bottom <= f.outline->GetHeight() + 3 && last.top >= 0);
    }
};

QTEST_MAIN(TestOutlineView)
#include "tst_outlineview.moc"
