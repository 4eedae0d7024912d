#define OUTLINE_UNIT "CTopicList"
// Sorting, sorted insertion, reordering and cloning of topic lists.
#include "CTopicList.h"

#include "CTopic.h"
#include "OutlineAssert.h"
#include "VOutline.h"
#include "VornErrors.h"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace yaaf;

TOPIC_SortRec CTopicList::s_sort_rec;

namespace {

// A topic with the first sixteen bytes of its sort key as two numbers: most comparisons of a
// sort by name end there, without reaching into the topics.
struct KeyedTopic {
    uint64 prefix;
    uint64 prefix2;
    const std::string* key;
    CTopic* topicP;
};

// Bytes from..from+8 of the key, the first the highest; past the end as zeros.
uint64 KeyWord(const std::string& key, size_t from) {
    uint64 p = 0;
    for (size_t i = from; i < from + 8; ++i)
        p = (p << 8) | (i < key.size() ? uint8(key[i]) : 0);
    return p;
}

KeyedTopic Keyed(CTopic* t) {
    const std::string& key = t->GetSortKey();
    return KeyedTopic{KeyWord(key, 0), KeyWord(key, 8), &key, t};
}

// Topics far apart in memory: the one a loop reaches a few steps later is asked for early.
constexpr int32 kPrefetchAhead = 8;

void PrefetchKey(const CTopic* t) {
    __builtin_prefetch(t);
    __builtin_prefetch(&t->GetSortKey());
}

bool KeyLess(const KeyedTopic& a, const KeyedTopic& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    if (a.prefix2 != b.prefix2) return a.prefix2 < b.prefix2;
    return a.key->compare(*b.key) < 0;
}

// Sorts topics that all sort by key on the keys' leading bytes held side by side (fetched ahead),
// not through the topics; equal keys keep their order.
void SortByKey(std::vector<CTopic*>& topics, bool reverseB) {
    std::vector<KeyedTopic> keyed;
    keyed.reserve(topics.size());
    for (size_t i = 0; i < topics.size(); ++i) {
        if (i + kPrefetchAhead < topics.size()) PrefetchKey(topics[i + kPrefetchAhead]);
        keyed.push_back(Keyed(topics[i]));
    }
    if (reverseB)
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const KeyedTopic& a, const KeyedTopic& b) { return KeyLess(b, a); });
    else
        std::stable_sort(keyed.begin(), keyed.end(), KeyLess);
    for (size_t i = 0; i < keyed.size(); ++i)
        topics[i] = keyed[i].topicP;
}

} // namespace

int16 CTopicList::SortCB(O_SortType sortType, CTopic* elem1P, CTopic* elem2P, int16* resultI) {
    if (resultI) *resultI = elem1P ? elem1P->SortCB(sortType, elem2P) : 0;
    return 0;
}

int16 CTopicList::CompareTopics(const CTopic* a, const CTopic* b, O_SortType sortType, bool reverseB) {
    const int16 r = a->SortCB(sortType, b);
    return reverseB ? int16(-r) : r;
}

int16 CTopicList::Sort(O_SortType sortType, bool reverseB) {
    OUTLINE_ASSERT_TEXT(s_sort_rec.semaphoreL >= 0, "s_sort_rec.semaphoreL >= 0");
    ++s_sort_rec.semaphoreL;
    if (s_sort_rec.semaphoreL == 1) {
        s_sort_rec.err = 0;
        s_sort_rec.reverseB = reverseB;
        s_sort_rec.sortType = sortType;
        s_sort_rec.thiz = this;
        const bool byKey = std::all_of(i_list.begin(), i_list.end(),
                                       [sortType](const CTopic* t) { return t->SortsByKey(sortType); });
        if (byKey) {
            SortByKey(i_list, reverseB);
        } else {
            // Equal topics keep their order: sorting by a key that compares all alike changes
            // nothing.
            std::stable_sort(i_list.begin(), i_list.end(), [this](CTopic* a, CTopic* b) {
                if (s_sort_rec.err != 0) return false;
                int16 result = 0;
                // A nested sort refused inside the comparison has set the error already.
                const int16 err = SortCB(s_sort_rec.sortType, a, b, &result);
                if (err != 0) s_sort_rec.err = err;
                if (s_sort_rec.err != 0) return false;
                if (s_sort_rec.reverseB) result = int16(-result);
                return result < 0;
            });
        }
    } else {
        ReportErrorStr(-1, "the sort function is not reentrant.");
        s_sort_rec.err = 1;
    }
    LayoutChanged();
    const int16 err = s_sort_rec.err;
    OUTLINE_ASSERT_TEXT(s_sort_rec.semaphoreL > 0, "s_sort_rec.semaphoreL > 0");
    --s_sort_rec.semaphoreL;
    if (s_sort_rec.semaphoreL == 0) s_sort_rec.thiz = nullptr;
    return err;
}

int32 CTopicList::InsertSorted(std::vector<CTopic*>& topicsA, O_SortType sortType, bool reverseB) {
    topicsA.erase(std::remove(topicsA.begin(), topicsA.end(), nullptr), topicsA.end());
    if (topicsA.empty()) return 0;
    auto less = [sortType, reverseB](const CTopic* a, const CTopic* b) {
        return CompareTopics(a, b, sortType, reverseB) < 0;
    };
    const bool byKey = std::all_of(topicsA.begin(), topicsA.end(),
                                   [sortType](const CTopic* t) { return t->SortsByKey(sortType); });
    if (byKey) {
        SortByKey(topicsA, reverseB);
    } else {
        std::stable_sort(topicsA.begin(), topicsA.end(), less);
    }
    // Whether a topic of the list goes after t: by key when both sort so, as SortCB would.
    auto after = [&](const CTopic* t, const CTopic* listed) {
        if (byKey && listed->SortsByKey(sortType)) {
            const int c = t->GetSortKey().compare(listed->GetSortKey());
            return reverseB ? c > 0 : c < 0;
        }
        return less(t, listed);
    };
    // One pass over the list: each new topic goes after everything that does not sort after
    // it. A batch that is large beside the list walks it; a small one finds its places by
    // binary search.
    std::vector<CTopic*> merged;
    merged.reserve(i_list.size() + topicsA.size());
    size_t searchCost = 1;
    for (size_t n = i_list.size(); n > 1; n >>= 1)
        ++searchCost;
    const bool walkB = topicsA.size() * searchCost > i_list.size();
    auto from = i_list.begin();
    int32 first = -1;
    for (CTopic* topicP : topicsA) {
        auto at = from;
        if (walkB)
            while (at != i_list.end() && !after(topicP, *at)) {
                if (i_list.end() - at > kPrefetchAhead) PrefetchKey(*(at + kPrefetchAhead));
                ++at;
            }
        else
            at = std::upper_bound(from, i_list.end(), topicP, after);
        merged.insert(merged.end(), from, at);
        if (first < 0) first = int32(merged.size());
        merged.push_back(topicP);
        from = at;
    }
    merged.insert(merged.end(), from, i_list.end());
    i_list.swap(merged);
    LayoutChanged();
    for (CTopic* topicP : topicsA) {
        topicP->i_siblingsP = this;
        topicP->i_parentP = i_parentP;
        // Set directly: the view is told once below, not once per topic.
        topicP->i_flags |= TOPIC_Flag_INSERTED;
    }
    UpdateIndicesFrom(first);
    if (VOutline* viewP = GetView()) viewP->TopicsInserted(this, first);
    return int32(topicsA.size());
}

void CTopicList::Reorder(CTopic* move_meP, CTopic* in_front_ofP) {
    if (!move_meP) return;
    Reorder(move_meP->i_indexL, in_front_ofP ? in_front_ofP->i_indexL : Count());
}

void CTopicList::Reorder(int32 delIndex, int32 insIndex) {
    const int32 count = Count();
    if (delIndex == insIndex || delIndex < 0 || delIndex >= count || insIndex < 0 || insIndex > count) return;
    CTopic* topicP = i_list[size_t(delIndex)];
    i_list.erase(i_list.begin() + delIndex);
    const int32 at = insIndex > delIndex ? insIndex - 1 : insIndex;
    i_list.insert(i_list.begin() + at, topicP);
    LayoutChanged();
    UpdateIndices();
    if (VOutline* viewP = GetView()) viewP->InvalView();
}

void CTopicList::CloneIndices(CTopicList* ref_listP, CTopicList* clone_listP) {
    OUTLINE_ASSERT_TEXT(clone_listP && clone_listP->Count(), "clone_listP->Count()");
    if (!ref_listP || !clone_listP) return;
    int32 j = 0;
    const int32 refCount = ref_listP->Count();
    for (size_t i = 0; i < i_list.size() && j < refCount; ++i) {
        if (i_list[i] != ref_listP->i_list[size_t(j)]) continue;
        if (CTopic* cloneP = clone_listP->GetIndItem(j)) cloneP->i_indexL = i_list[i]->i_indexL;
        ++j;
    }
}

CTopicList* CTopicList::Duplicate(CTopicList* master_listP) {
    auto listP = std::make_unique<CTopicList>(nullptr, nullptr);
    if (!master_listP) {
        listP->i_list = i_list;
        LayoutChanged();
        return listP.release();
    }
    for (size_t i = 0; i < i_list.size(); ++i) {
        CTopic* copyP = i_list[i]->New_CTopic(i_list[i], nullptr);
        if (!copyP) {
            for (CTopic* madeP : listP->i_list)
                delete madeP;
            return nullptr;
        }
        copyP->i_parentP = nullptr;
        copyP->i_siblingsP = nullptr;
        copyP->i_indexL = int32(i);
        listP->Insert(copyP, -1, false);
    }
    if (master_listP != this && listP->Count() > 0) master_listP->CloneIndices(this, listP.get());
    return listP.release();
}

uint16 CTopicList::CopyGroup(CTopicList* dest_listP, CTopicList* itemArrayP, CTopic* in_front_ofP,
                             CTopicList** itemArrayPP0) {
    if (!dest_listP || !itemArrayP) return 0;
    CTopicList* copiedP = nullptr;
    if (itemArrayPP0) {
        copiedP = new CTopicList(nullptr, nullptr);
        *itemArrayPP0 = copiedP;
    }
    O_ReorderRec rec;
    rec.new_indexL = in_front_ofP ? dest_listP->IndexOf(in_front_ofP) : -1;
    rec.dest_listP = dest_listP;
    rec.copiedP0 = copiedP;
    const uint16 result = itemArrayP->Iterate(TOPIC_Iter_CLONE, &rec, false);
    dest_listP->UpdateIndicesFrom(0);
    return result;
}
