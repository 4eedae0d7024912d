#include "VornScanner.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <unordered_set>

using namespace yaaf;

namespace {

struct Center {
    int64 h;
    int64 v;
};

Center CenterOf(CVornItem* itemP) {
    const tagRECT r = itemP->GetScreenBounds();
    return Center{(int64(r.left) + r.right) / 2, (int64(r.top) + r.bottom) / 2};
}

} // namespace

CVornScanner::CVornScanner(XGClock& clock) : i_clock(clock) {
    i_timerP = i_clock.NewTimer([this] { OnTimer(); });
}

CVornScanner::~CVornScanner() {
    i_timerP.reset();
}

bool CVornScanner::NeedsBuild(TVornModel* modelP) const {
    if (modelP != i_modelP) return true;
    if (!modelP) return false;
    const bool goB = modelP->GetMode() == Vorn_Mode_GO;
    return goB != i_builtGoB || modelP->i_list->Count() != i_builtCount;
}

void CVornScanner::Build(TVornModel* modelP) {
    CVornItem* const keptP = HasHighlight() && !i_rowPhaseB ? i_order[size_t(i_index)] : nullptr;
    i_modelP = modelP;
    i_order.clear();
    i_rowStarts.clear();
    i_builtCount = modelP ? modelP->i_list->Count() : -1;
    i_builtGoB = modelP && modelP->GetMode() == Vorn_Mode_GO;
    if (i_builtGoB && modelP->i_hiddenA) {
        // In Go Mode the board shows as one picture: the items that were visible when it began
        // are the board's hidden array, in the board's order.
        std::unordered_set<const CVornItem*> visible;
        for (int32 i = 0, n = modelP->i_hiddenA->Count(); i < n; ++i)
            visible.insert(modelP->i_hiddenA->GetIndItem(i));
        const bool rowsB = modelP->IsFlatColumns();
        bool breakB = true;
        int32 lastTop = 0, lastLeft = 0;
        for (int32 i = 0, n = modelP->i_list->Count(); i < n; ++i) {
            CVornItem* itemP = modelP->i_list->GetIndItem(i);
            if (!visible.count(itemP)) continue;
            // A line break ends a row of flat columns and generates no word.
            if (itemP->IsLineBreak()) {
                breakB = true;
                continue;
            }
            if (itemP->IsLocked()) continue;
            const tagRECT r = itemP->GetScreenBounds();
            // A row of flat columns: the items side by side on one line of a column; the next
            // line, or the next column, begins further left or at another height.
            if (rowsB && (breakB || r.top != lastTop || r.left <= lastLeft || i_rowStarts.empty()))
                i_rowStarts.push_back(int32(i_order.size()));
            breakB = false;
            lastTop = r.top;
            lastLeft = r.left;
            i_order.push_back(itemP);
        }
    }
    if (i_rowStarts.empty() && !i_order.empty()) i_rowStarts.push_back(0);
    // A single row needs no choosing of rows.
    const auto kept = keptP ? std::find(i_order.begin(), i_order.end(), keptP) : i_order.end();
    if (kept != i_order.end()) {
        i_index = int32(kept - i_order.begin());
        i_row = RowOf(i_index);
        i_rowPhaseB = false;
    } else {
        ResetToStart();
    }
    if (i_order.empty() && i_timerP) i_timerP->Stop();
    Changed();
}

void CVornScanner::ResetToStart() {
    i_row = 0;
    i_index = 0;
    // By hand the arrows pick items; only scanning goes by rows.
    i_rowPhaseB = i_autoB && IsRowColumn();
}

int32 CVornScanner::RowEnd(int32 row) const {
    return size_t(row + 1) < i_rowStarts.size() ? i_rowStarts[size_t(row + 1)] : int32(i_order.size());
}

int32 CVornScanner::RowOf(int32 index) const {
    const auto it = std::upper_bound(i_rowStarts.begin(), i_rowStarts.end(), index);
    return std::max<int32>(0, int32(it - i_rowStarts.begin()) - 1);
}

std::vector<CVornItem*> CVornScanner::Highlighted() const {
    if (!HasHighlight()) return {};
    if (!i_rowPhaseB) return {i_order[size_t(i_index)]};
    return std::vector<CVornItem*>(i_order.begin() + i_rowStarts[size_t(i_row)],
                                   i_order.begin() + RowEnd(i_row));
}

void CVornScanner::Changed() {
    if (i_changedProc) i_changedProc();
}

void CVornScanner::SetAuto(bool onB) {
    if (onB == i_autoB) return;
    i_autoB = onB;
    if (!onB) {
        i_timerP->Stop();
        return;
    }
    ResetToStart();
    i_shownB = true;
    i_lastStepMs = i_clock.NowMs();
    Schedule(i_lastStepMs + i_intervalMs);
    Changed();
}

void CVornScanner::SetInterval(int32 ms) {
    ms = std::max<int32>(1, ms);
    if (ms == i_intervalMs) return;
    i_intervalMs = ms;
    // The step under way takes the new length at once, measured from where it began.
    if (i_autoB) Schedule(std::max(i_lastStepMs + i_intervalMs, i_clock.NowMs()));
}

void CVornScanner::Schedule(int64 dueMs) {
    i_dueMs = dueMs;
    if (!i_order.empty()) i_timerP->StartAt(dueMs);
}

void CVornScanner::OnTimer() {
    if (!i_autoB || i_order.empty()) return;
    ++i_autoSteps;
    Advance();
    // The pace is kept from step to step, not from whenever the timer came; a loop that fell
    // a whole interval behind starts afresh rather than racing to catch up.
    i_lastStepMs = i_dueMs;
    const int64 now = i_clock.NowMs();
    int64 next = i_dueMs + i_intervalMs;
    if (next <= now) {
        i_lastStepMs = now;
        next = now + i_intervalMs;
    }
    Schedule(next);
    Changed();
}

void CVornScanner::Advance() {
    if (i_order.empty()) return;
    i_shownB = true;
    if (i_rowPhaseB) {
        i_row = (i_row + 1) % int32(i_rowStarts.size());
        i_index = i_rowStarts[size_t(i_row)];
        return;
    }
    const int32 end = RowEnd(i_row);
    if (i_index + 1 < end) {
        ++i_index;
    } else if (IsRowColumn()) {
        // One pass over a row without a choice goes back to the rows, at the same row.
        i_rowPhaseB = true;
        i_index = i_rowStarts[size_t(i_row)];
    } else {
        i_index = 0;
    }
}

CVornItem* CVornScanner::Choose() {
    if (!HasHighlight()) return nullptr;
    const int64 now = i_clock.NowMs();
    if (i_rowPhaseB) {
        i_rowPhaseB = false;
        i_index = i_rowStarts[size_t(i_row)];
        if (i_autoB) {
            i_lastStepMs = now;
            Schedule(now + i_intervalMs);
        }
        Changed();
        return nullptr;
    }
    CVornItem* itemP = i_order[size_t(i_index)];
    if (i_autoB) {
        ResetToStart();
        i_lastStepMs = now;
        Schedule(now + i_intervalMs);
        Changed();
    }
    return itemP;
}

void CVornScanner::Show() {
    if (i_order.empty() || i_shownB) return;
    i_shownB = true;
    i_rowPhaseB = false;
    Changed();
}

void CVornScanner::Hide() {
    i_autoB = false;
    i_timerP->Stop();
    if (!i_shownB) return;
    i_shownB = false;
    Changed();
}

void CVornScanner::Step(Direction dir) {
    if (i_order.empty()) return;
    if (!i_shownB) {
        Show();
        return;
    }
    const int32 n = int32(i_order.size());
    switch (dir) {
    case kDir_Switch:
        Advance();
        break;
    case kDir_SwitchBack:
        if (i_rowPhaseB) {
            i_row = (i_row + int32(i_rowStarts.size()) - 1) % int32(i_rowStarts.size());
            i_index = i_rowStarts[size_t(i_row)];
        } else {
            // Back within the row, as the switch goes forward within it.
            const int32 first = i_rowStarts[size_t(i_row)], end = RowEnd(i_row);
            i_index = i_index > first ? i_index - 1 : end - 1;
        }
        break;
    case kDir_Left:
    case kDir_Right:
        i_rowPhaseB = false;
        i_index = (i_index + (dir == kDir_Right ? 1 : n - 1)) % n;
        i_row = RowOf(i_index);
        break;
    case kDir_Up:
        StepVertical(-1);
        break;
    case kDir_Down:
        StepVertical(1);
        break;
    }
    if (i_autoB) {
        i_lastStepMs = i_clock.NowMs();
        Schedule(i_lastStepMs + i_intervalMs);
    }
    Changed();
}

// The nearest item above or below, going sideways as little as possible.
void CVornScanner::StepVertical(int dv) {
    i_rowPhaseB = false;
    const Center from = CenterOf(i_order[size_t(i_index)]);
    int64 best = std::numeric_limits<int64>::max();
    int32 bestI = -1;
    for (int32 i = 0, n = int32(i_order.size()); i < n; ++i) {
        const Center c = CenterOf(i_order[size_t(i)]);
        const int64 dy = (c.v - from.v) * dv;
        if (dy <= 0) continue;
        const int64 score = dy + 2 * std::llabs(c.h - from.h);
        if (score < best) {
            best = score;
            bestI = i;
        }
    }
    if (bestI < 0) return;
    i_index = bestI;
    i_row = RowOf(i_index);
}
