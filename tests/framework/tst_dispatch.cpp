#include "XGDispatch.h"

#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace yaaf;

namespace {

std::vector<std::string> g_trace;

// A small chain of receivers: Node (base handler for 'ping') and DerivedNode (its own 'ping',
// which may decline), each with a parent to walk to.
class Node : public XGDispatch {
    YAAF_DECLARE_DISPATCH()
public:
    explicit Node(std::string name, Node* parent = nullptr) : fName(std::move(name)), fParent(parent) {}
    XGDispatch* GetParentDispatch() const override { return fParent; }

    int32 DoPing(int32 param, void*) {
        g_trace.push_back(fName + ":base");
        return fBaseAnswer;
    }
    int32 DoOther(int32, void*) {
        g_trace.push_back(fName + ":other");
        return kDispatchNotHandled;
    }
    void DoGainFocus() override { g_trace.push_back(fName + ":gain"); }
    void DoLoseFocus() override { g_trace.push_back(fName + ":lose"); }

    std::string fName;
    Node* fParent;
    int32 fBaseAnswer = kDispatchNotHandled;
    std::function<void()> fOnPing;
};

YAAF_DISPATCH_BEGIN(Node)
YAAF_DISPATCH_ENTRY('ping', Node, DoPing)
YAAF_DISPATCH_ENTRY('ping', Node, DoOther) // a second entry for the same code is never reached
YAAF_DISPATCH_END(Node, XGDispatch)

class DerivedNode : public Node {
    YAAF_DECLARE_DISPATCH()
public:
    using Node::Node;
    int32 DoDerivedPing(int32 param, void*) {
        g_trace.push_back(fName + ":derived");
        if (fOnPing) fOnPing();
        return fDerivedAnswer;
    }
    int32 fDerivedAnswer = kDispatchNotHandled;
};

YAAF_DISPATCH_BEGIN(DerivedNode)
YAAF_DISPATCH_ENTRY('ping', DerivedNode, DoDerivedPing)
YAAF_DISPATCH_END(DerivedNode, Node)

class Trigger : public XGEventTrigger {
public:
    explicit Trigger(std::string name) : fName(std::move(name)) {}
    void TriggerEvent(uint32 value) override {
        g_trace.push_back(fName + ":" + std::to_string(value));
        if (fOnTrigger) fOnTrigger();
    }
    std::string fName;
    std::function<void()> fOnTrigger;
};

class Ticker : public XGPeriodic {
public:
    explicit Ticker(std::string name) : fName(std::move(name)) {}
    void DoPrePeriodic() override {
        g_trace.push_back(fName + ":pre");
        if (fOnTick) fOnTick();
    }
    void DoPostPeriodic() override { g_trace.push_back(fName + ":post"); }
    std::string fName;
    std::function<void()> fOnTick;
};

} // namespace

class TestDispatch : public QObject {
    Q_OBJECT
private slots:
    void init() {
        g_trace.clear();
        gFocus = nullptr;
        _GFocusFallback = nullptr;
    }

    void chainOrderAndFallThrough_data() {
        QTest::addColumn<int>("derivedAnswer");
        QTest::addColumn<int>("baseAnswer");
        QTest::addColumn<int>("parentAnswer");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("result");
        QTest::newRow("derived handles") << 0 << -1 << -1 << QStringList{"view:derived"} << 0;
        QTest::newRow("derived declines, base handles")
            << -1 << 0 << -1 << QStringList{"view:derived", "view:base"} << 0;
        QTest::newRow("whole object declines, parent handles")
            << -1 << -1 << 7 << QStringList{"view:derived", "view:base", "window:base"} << 7;
        QTest::newRow("nobody handles")
            << -1 << -1 << -1 << QStringList{"view:derived", "view:base", "window:base", "app:base"} << -1;
    }
    void chainOrderAndFallThrough() {
        QFETCH(int, derivedAnswer);
        QFETCH(int, baseAnswer);
        QFETCH(int, parentAnswer);
        QFETCH(QStringList, expected);
        QFETCH(int, result);

        Node app("app");
        Node window("window", &app);
        DerivedNode view("view", &window);
        view.fDerivedAnswer = derivedAnswer;
        view.fBaseAnswer = baseAnswer;
        window.fBaseAnswer = parentAnswer;
        view.SetFocus();
        g_trace.clear();

        QCOMPARE(XGDispatch::SendDispatch('ping', 1, nullptr), result);
        QStringList got;
        for (auto& s : g_trace)
            got << QString::fromStdString(s);
        QCOMPARE(got, expected);
    }

    void unchainedDispatchStopsAtTheObject() {
        QCOMPARE(XGDispatch::SendDispatch('ping'), -1); // no focus: nobody
        Node app("app");
        DerivedNode view("view", &app);
        QCOMPARE(view.DoDispatch('ping', 0, nullptr, false), -1);
        QCOMPARE(g_trace, (std::vector<std::string>{"view:derived", "view:base"}));
        QCOMPARE(view.DoDispatch('none', 0, nullptr, true), -1);
    }

    void focusChangesAndFallsBackWhenDestroyed() {
        Node app("app");
        _GFocusFallback = &app;
        {
            Node a("a");
            a.SetFocus();
            a.SetFocus(); // setting the same focus again does nothing
            Node b("b");
            b.SetFocus();
            QCOMPARE(g_trace, (std::vector<std::string>{"a:gain", "a:lose", "b:gain"}));
            QCOMPARE(gFocus, &b);
        }
        QCOMPARE(gFocus, &app);
    }

    void broadcastSurvivesRemovalDuringSend_data() {
        QTest::addColumn<int>("removerIndex");
        QTest::addColumn<int>("removedIndex");
        QTest::newRow("removes itself first") << 0 << 0;
        QTest::newRow("removes an earlier one") << 2 << 0;
        QTest::newRow("removes a later one") << 1 << 3;
        QTest::newRow("removes itself last") << 4 << 4;
    }
    void broadcastSurvivesRemovalDuringSend() {
        QFETCH(int, removerIndex);
        QFETCH(int, removedIndex);
        XGSend send;
        std::vector<std::unique_ptr<DerivedNode>> nodes;
        for (int i = 0; i < 5; ++i) {
            nodes.push_back(std::make_unique<DerivedNode>("n" + std::to_string(i)));
            nodes.back()->fDerivedAnswer = 0;
            send.AddReceiver(nodes.back().get());
        }
        nodes[removerIndex]->fOnPing = [&] { send.RemoveReceiver(nodes[removedIndex].get()); };
        send.SendMessage('ping');

        // Every receiver present at the start got the message exactly once; a receiver removed
        // before its turn was not reached.
        std::map<std::string, int> counts;
        for (auto& s : g_trace)
            counts[s]++;
        for (int i = 0; i < 5; ++i) {
            const std::string key = "n" + std::to_string(i) + ":derived";
            const bool removedBeforeTurn = (i == removedIndex && removedIndex > removerIndex);
            QCOMPARE(counts[key], removedBeforeTurn ? 0 : 1);
        }
        QCOMPARE(send.CountReceivers(), size_t(4));
    }

    void broadcastSkipsLateAndDestroyedReceivers() {
        XGSend send;
        DerivedNode a("a"), late("late");
        send.AddReceiver(&a);
        send.AddReceiver(&a); // no effect the second time
        a.fOnPing = [&] { send.AddReceiver(&late); };
        {
            DerivedNode gone("gone");
            send.AddReceiver(&gone);
        }
        send.SendMessage('ping'); // must not touch the destroyed receiver
        QCOMPARE(g_trace, (std::vector<std::string>{"a:derived", "a:base"}));
        QCOMPARE(send.CountReceivers(), size_t(2)); // the late one hears the next message
    }

    void triggerDestroyedBeforeOrDuringPass() {
        auto a = std::make_unique<Trigger>("a");
        auto b = std::make_unique<Trigger>("b");
        Trigger c("c");
        a->SetTrigger(1);
        b->SetTrigger(2);
        c.SetTrigger(3);
        a.reset();                                // its record goes with it
        b->fOnTrigger = [&] { c.SetTrigger(9); }; // set during the pass: kept for the next one
        XGEventTrigger::Periodic();
        QCOMPARE(g_trace, (std::vector<std::string>{"b:2", "c:3"}));
        g_trace.clear();
        XGEventTrigger::Periodic();
        QCOMPARE(g_trace, (std::vector<std::string>{"c:9"}));
    }

    void periodicRunsNewestFirstAndSurvivesDeletion() {
        Ticker first("first");
        auto second = std::make_unique<Ticker>("second");
        Ticker third("third");
        third.fOnTick = [&] { second.reset(); }; // deletes the next one in the pass
        XGPeriodic::SendPeriodic(false);
        QCOMPARE(g_trace, (std::vector<std::string>{"third:pre", "first:pre"}));
        g_trace.clear();
        XGPeriodic::SendPeriodic(true);
        QCOMPARE(g_trace, (std::vector<std::string>{"third:post", "first:post"}));
    }

    void postedBroadcastsGoThroughGSendOnce() {
        DerivedNode a("a");
        a.fDerivedAnswer = 0;
        gSend.AddReceiver(&a);
        XGPostBroadcast('ping', 5);
        XGSendPostedBroadcasts();
        XGSendPostedBroadcasts();
        QCOMPARE(g_trace, (std::vector<std::string>{"a:derived"}));
        gSend.RemoveReceiver(&a);
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
