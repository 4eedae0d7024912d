#pragma once
// Switch scanning of a board in Go Mode, for people who pick items with one or two switches or
// the keys rather than the mouse. The highlight goes over the visible, unlocked items one after
// another in the board's order, one step per interval. On a board of flat columns it goes over
// the rows (the lines of a column) first, and over the items of a row once that row is chosen.
// The first switch chooses the row, or the item to generate; the second steps by hand. Without
// stepping by itself the same highlight follows the arrow keys.
//
// Time comes from an XGClock, so that tests and benchmarks move it by hand.

#include "XGClock.h"
#include "XGTypes.h"

#include <functional>
#include <memory>
#include <vector>

class CVornItem;
class TVornModel;

class CVornScanner {
public:
    // kDir_Switch and kDir_SwitchBack step as the timer does (rows, then the items of the
    // chosen row); the arrows go from item to item, Left and Right in the board's order.
    enum Direction { kDir_Switch, kDir_SwitchBack, kDir_Left, kDir_Right, kDir_Up, kDir_Down };

    explicit CVornScanner(yaaf::XGClock& clock = yaaf::XGClock::Get());
    ~CVornScanner();
    CVornScanner(const CVornScanner&) = delete;
    CVornScanner& operator=(const CVornScanner&) = delete;

    // Called whenever what is highlighted changes (the view draws the mark again).
    std::function<void()> i_changedProc;

    // Takes the board's items to scan (none outside Go Mode). Kept: the highlighted item when it
    // is still there; otherwise the highlight starts again at the first step.
    void Build(TVornModel* modelP);
    // Whether the board has changed in a way that Build must see.
    bool NeedsBuild(TVornModel* modelP) const;

    // Stepping by itself, one step per interval, from the first step on.
    void SetAuto(bool onB);
    bool IsAuto() const { return i_autoB; }
    // The interval in milliseconds (at least 1); while stepping, the next step is due this long
    // after the last one (at once when that time has passed).
    void SetInterval(yaaf::int32 ms);
    yaaf::int32 GetInterval() const { return i_intervalMs; }

    // What is highlighted: one item, the items of a row, or nothing.
    bool HasHighlight() const { return i_shownB && !i_order.empty(); }
    bool IsRowHighlight() const { return HasHighlight() && i_rowPhaseB; }
    std::vector<CVornItem*> Highlighted() const;
    // The board's items to scan, in scanning order, and where each row begins.
    const std::vector<CVornItem*>& Order() const { return i_order; }
    bool IsRowColumn() const { return i_rowStarts.size() > 1; }
    yaaf::int32 CountRows() const { return yaaf::int32(i_rowStarts.size()); }

    // The first switch: a row becomes the row whose items are scanned (answers none); an item
    // is answered, to be generated, and scanning starts again at the first step.
    CVornItem* Choose();
    // The second switch and the arrow keys: one step by hand (the first one only shows the
    // highlight when it was not shown). The next automatic step is then a whole interval away.
    void Step(Direction dir);
    // Shows the highlight at the first step (it stays where it is when shown).
    void Show();
    // Takes the highlight away and stops stepping by itself.
    void Hide();

    // When the next automatic step is due (none while not stepping by itself).
    yaaf::int64 NextDueMs() const { return i_timerP && i_timerP->IsPending() ? i_dueMs : -1; }
    // Steps taken by the timer since the scanner was made.
    yaaf::int64 CountAutoSteps() const { return i_autoSteps; }

private:
    void OnTimer();
    void Schedule(yaaf::int64 dueMs);
    void Advance();
    void Changed();
    void StepVertical(int dv);
    yaaf::int32 RowEnd(yaaf::int32 row) const;
    yaaf::int32 RowOf(yaaf::int32 index) const;
    void ResetToStart();

    yaaf::XGClock& i_clock;
    std::unique_ptr<yaaf::XGTimer> i_timerP;
    TVornModel* i_modelP = nullptr;
    yaaf::int32 i_builtCount = -1;
    bool i_builtGoB = false;
    std::vector<CVornItem*> i_order;
    std::vector<yaaf::int32> i_rowStarts; // index in i_order of each row's first item
    bool i_rowPhaseB = false;             // the rows are scanned, not the items of one
    yaaf::int32 i_row = 0;
    yaaf::int32 i_index = 0; // in i_order
    bool i_shownB = false;
    bool i_autoB = false;
    yaaf::int32 i_intervalMs = 1500;
    yaaf::int64 i_dueMs = 0;
    yaaf::int64 i_lastStepMs = 0;
    yaaf::int64 i_autoSteps = 0;
};
