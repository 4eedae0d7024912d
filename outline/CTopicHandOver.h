#pragma once
// The hand-over of subtopics from a topic's worker threads to the user-interface thread. A
// worker adds each new child here (any thread, under the queue's lock); the first addition
// after a drain posts one call to the user-interface thread, which takes everything queued and
// inserts it into the topic's children in sorted position. The queue is shared with the posted
// call: when the topic goes first the call finds the queue closed and deletes what is left.

#include "OutlineTypes.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

class CTopicHandOver : public std::enable_shared_from_this<CTopicHandOver> {
public:
    explicit CTopicHandOver(CTopic* ownerP) : i_ownerP(ownerP) {}
    ~CTopicHandOver();
    CTopicHandOver(const CTopicHandOver&) = delete;
    CTopicHandOver& operator=(const CTopicHandOver&) = delete;

    // Any thread. Takes childP; a closed queue deletes it at once.
    void Add(CTopic* childP, O_SortType sortType, bool reverseB);
    // The user-interface thread: inserts what is queued into the owner's children (at most
    // kMostPerDrain; a further call is posted for the rest). Answers the number of topics
    // inserted.
    yaaf::int32 Drain();
    // The owner is going (user-interface thread, after its workers ended): what is queued is
    // deleted and later drains do nothing.
    void Close();
    // Topics waiting, for tests.
    size_t CountPending();

private:
    struct Pending {
        CTopic* topicP;
        O_SortType sortType;
        bool reverseB;
    };

    // Posts a call to Drain, in waitMs or at once; a call that cannot be posted unmarks it.
    void PostDrain(int waitMs);

    static constexpr int kDrainIntervalMs = 40;
    static constexpr size_t kMostPerDrain = 32768;

    std::mutex i_mutex;
    std::atomic<std::chrono::steady_clock::time_point> i_lastDrain{};
    CTopic* i_ownerP;
    std::vector<Pending> i_pendingA;
    bool i_postedB = false;
};
