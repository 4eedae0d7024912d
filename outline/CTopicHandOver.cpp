#include "CTopicHandOver.h"

#include "CTopic.h"
#include "CTopicList.h"
#include "XGMainThread.h"

using namespace yaaf;

CTopicHandOver::~CTopicHandOver() {
    for (const Pending& p : i_pendingA)
        delete p.topicP;
}

void CTopicHandOver::Add(CTopic* childP, O_SortType sortType, bool reverseB) {
    if (!childP) return;
    bool postB = false;
    {
        std::lock_guard<std::mutex> lock(i_mutex);
        if (!i_ownerP) {
            delete childP;
            return;
        }
        i_pendingA.push_back(Pending{childP, sortType, reverseB});
        postB = !i_postedB;
        i_postedB = true;
    }
    if (!postB) return;
    // One call drains everything added until it runs: a folder of many entries costs a few
    // drains, not one per entry. The first topics show at once; after that the drains come
    // at most every kDrainInterval, so that each takes in many: every drain lays the whole
    // list out again.
    const auto since = std::chrono::steady_clock::now() - i_lastDrain.load();
    PostDrain(int(kDrainIntervalMs - std::chrono::duration_cast<std::chrono::milliseconds>(since).count()));
}

void CTopicHandOver::PostDrain(int waitMs) {
    std::weak_ptr<CTopicHandOver> weak = weak_from_this();
    auto drain = [weak] {
        if (std::shared_ptr<CTopicHandOver> self = weak.lock()) self->Drain();
    };
    const bool posted = waitMs > 0 ? XGMainThread::PostDelayed(waitMs, drain) : XGMainThread::Post(drain);
    if (!posted) {
        std::lock_guard<std::mutex> lock(i_mutex);
        i_postedB = false;
    }
}

int32 CTopicHandOver::Drain() {
    std::vector<Pending> batch;
    CTopic* ownerP = nullptr;
    bool moreB = false;
    {
        std::lock_guard<std::mutex> lock(i_mutex);
        if (i_pendingA.size() > kMostPerDrain) {
            // A drain costs about as much as the topics it takes in: the rest waits for a
            // call of its own, and the user-interface thread answers in between.
            const auto end = i_pendingA.begin() + std::ptrdiff_t(kMostPerDrain);
            batch.assign(i_pendingA.begin(), end);
            i_pendingA.erase(i_pendingA.begin(), end);
            moreB = true;
        } else {
            batch.swap(i_pendingA);
            i_postedB = false;
        }
        ownerP = i_ownerP;
    }
    i_lastDrain = std::chrono::steady_clock::now();
    // Still marked as posted: what is added meanwhile goes with the rest. Not at once: a call
    // posted at once can run before the timers that are due.
    if (moreB) PostDrain(1);
    if (batch.empty()) return 0;
    CTopicList* childrenP = ownerP ? ownerP->GetChildren(true) : nullptr;
    if (!childrenP) {
        for (const Pending& p : batch)
            delete p.topicP;
        return 0;
    }
    // Runs of the same order go in together.
    int32 inserted = 0;
    size_t i = 0;
    while (i < batch.size()) {
        size_t j = i;
        std::vector<CTopic*> run;
        while (j < batch.size() && batch[j].sortType == batch[i].sortType && batch[j].reverseB == batch[i].reverseB)
            run.push_back(batch[j++].topicP);
        inserted += childrenP->InsertSorted(run, batch[i].sortType, batch[i].reverseB);
        i = j;
    }
    return inserted;
}

void CTopicHandOver::Close() {
    std::vector<Pending> left;
    {
        std::lock_guard<std::mutex> lock(i_mutex);
        i_ownerP = nullptr;
        left.swap(i_pendingA);
    }
    for (const Pending& p : left)
        delete p.topicP;
}

size_t CTopicHandOver::CountPending() {
    std::lock_guard<std::mutex> lock(i_mutex);
    return i_pendingA.size();
}
