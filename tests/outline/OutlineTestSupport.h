#pragma once
// What the outline tests share: topics that count launches or fill their children on a worker
// thread, a document that counts invalidations, trees of topics, a browser window view built
// around an outline view in a given mode, and special keys.

#include "COutlineDocLink.h"
#include "CTopic.h"
#include "CTopicList.h"
#include "OutlineRegistration.h"
#include "VBrowserWindowView.h"
#include "VOutline.h"
#include "VOutlineBrowser.h"
#include "XGKeyboard.h"
#include "XGWindow.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace vorntest {

// A topic that counts its launches.
class LaunchTopic : public CTopic {
public:
    using CTopic::CTopic;
    void Launch() override { ++launches; }
    int launches = 0;
};

// A topic whose fill thread makes a child for each name and hands it over. The thread can be
// held after `holdAt` children until Release (or the topic's destruction).
class FillTopic : public CTopic {
public:
    FillTopic(const char* name, CTopicList* listP, std::vector<std::string> names, int holdAt = -1)
        : CTopic(name, listP, yaaf::kNoIndex), fNames(std::move(names)), fHoldAt(holdAt) {
        GetChildren(true);
    }
    ~FillTopic() override { KillThreads(); }

    void CB_Thread_InitSubtopics() override {
        ++starts;
        for (size_t i = 0; i < fNames.size(); ++i) {
            if (int(i) == fHoldAt) {
                held = true;
                while (!fReleased && !IsKillingThreads())
                    QThread::msleep(1);
            }
            if (IsKillingThreads()) return;
            HandOverSubtopic(new CTopic(fNames[i].c_str(), i_childrenP, yaaf::kNoIndex));
        }
    }
    void Release() { fReleased = true; }

    std::atomic<int> starts{0};
    std::atomic<bool> held{false};

private:
    std::vector<std::string> fNames;
    int fHoldAt;
    std::atomic<bool> fReleased{false};
};

// A document that counts what it is asked to invalidate.
class CountingDoc : public COutlineDocLink {
public:
    void InvalTopic(CTopic* topicP, bool whole_viewB) override {
        ++(whole_viewB ? wholeInvals : topicInvals);
        COutlineDocLink::InvalTopic(topicP, whole_viewB);
    }
    int wholeInvals = 0;
    int topicInvals = 0;
};

// A list that deletes its topics (and their children) when it goes, like a document's root.
struct OwnedList {
    explicit OwnedList(COutlineDocLink* doc = nullptr) : list(std::make_unique<CTopicList>(doc, nullptr)) {}
    ~OwnedList() {
        if (list) list->Iterate(TOPIC_Iter_DELETE, nullptr, true);
    }
    CTopicList* operator->() const { return list.get(); }
    CTopicList* get() const { return list.get(); }
    std::unique_ptr<CTopicList> list;
};

// Appends a placed, inserted topic named `name` to the list.
inline CTopic* AddTopic(CTopicList* listP, const std::string& name, CTopic* topicP = nullptr) {
    if (!topicP) topicP = new CTopic(name.c_str(), listP, yaaf::kNoIndex);
    listP->Insert(topicP, -1, true);
    listP->UpdateIndicesFrom(0);
    return topicP;
}

// Gives each topic of the list `count` children named "<parent>.<i>", `depth` levels down.
inline void AddChildren(CTopicList* listP, int count, int depth) {
    if (depth <= 0) return;
    for (CTopic* t : listP->Topics()) {
        CTopicList* kids = t->GetChildren(true);
        for (int i = 0; i < count; ++i)
            AddTopic(kids, t->GetNameRef() + "." + std::to_string(i));
        AddChildren(kids, count, depth - 1);
    }
}

// A browser window view (not in a window) holding the content of a mode for a list.
struct BrowserFixture {
    BrowserFixture(CTopicList* listP, O_ViewAsType mode, COutlineDocLink* doc = nullptr, int w = 800,
                   int h = 600) {
        RegisterOutlineViews();
        owned = std::make_unique<VBrowserWindowView>();
        bw = owned.get();
        bw->MakePanes();
        bw->SetBounds(yaaf::tagRECT{0, 0, w, h});
        bw->SetViewAs(mode);
        bw->Relayout();
        outline = VOutlineBrowser(bw).MakeContent(listP, doc);
    }
    // Moves the views into a (hidden) window, as the toolbar needs.
    void PutInWindow() {
        window = std::make_unique<yaaf::XGWindow>(nullptr, false);
        window->SetContentView(owned.release());
        window->SetBounds(yaaf::tagRECT{0, 0, bw->GetWidth(), bw->GetHeight()});
        window->LayOutNow();
    }
    VOutlineBrowser Browser() const { return VOutlineBrowser(bw); }
    void Resize(int w, int h) {
        bw->SetBounds(yaaf::tagRECT{0, 0, w, h});
        bw->Relayout();
    }
    std::unique_ptr<VBrowserWindowView> owned;
    std::unique_ptr<yaaf::XGWindow> window;
    VBrowserWindowView* bw = nullptr;
    VOutline* outline = nullptr;
};

// "<prefix><first>", "<prefix><first + 1>", ... `count` names.
inline std::vector<std::string> Numbered(const std::string& prefix, int count, int first = 0) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(prefix + std::to_string(first + i));
    return names;
}

// The key message of a special key, as a view's DoKey takes it.
inline yaaf::int32 Key(yaaf::uint16 code) {
    return yaaf::int32(yaaf::kXGKeySpecialFlag | code);
}

inline QStringList Names(const CTopicList* listP) {
    QStringList names;
    for (const CTopic* t : listP->Topics())
        names << QString::fromStdString(t->GetNameRef());
    return names;
}

} // namespace vorntest
