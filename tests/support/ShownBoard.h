#pragma once
// A board in a real board window, shown and past its start-up tick, with the keyboard focus, its
// own undo stacks active and synthesized input ready: the fixture of the tests that drive a board
// through its view and its menus. For test programs linked with the board view library.

#include "BoardProbes.h"
#include "BoardSnapshot.h"
#include "BoardWindow.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "TVornView.h"
#include "ViewEvents.h"
#include "XGMenuBar.h"
#include "XGWindow.h"

#include <QCoreApplication>

#include <memory>
#include <string>
#include <vector>

namespace vorntest {

struct ItemSpec {
    std::string title;
    yaaf::tagRECT bounds;
};

class ShownBoard {
public:
    // One item a letter, 60 by 20 pixels, in a row 100 pixels apart from (20, 20).
    static std::vector<ItemSpec> Row(const std::string& letters) {
        std::vector<ItemSpec> specs;
        for (int i = 0; i < int(letters.size()); ++i)
            specs.push_back({letters.substr(size_t(i), 1), {20 + 100 * i, 20, 80 + 100 * i, 40}});
        return specs;
    }

    explicit ShownBoard(const std::vector<ItemSpec>& items = Row("ab"),
                        O_ViewAsType viewAs = O_ViewAs_FREEFORM, yaaf::tagRECT windowR = {0, 0, 640, 480}) {
        auto* boardP = new TVornModel;
        boardP->i_prefs.view_as = viewAs;
        for (const ItemSpec& spec : items)
            boardP->AddWord(spec.title.c_str())->i_boundsR = spec.bounds;
        Show(boardP, windowR);
    }
    // A board filled by the caller; its window owns it.
    ShownBoard(TVornModel* filledP, yaaf::tagRECT windowR) { Show(filledP, windowR); }
    ~ShownBoard() {
        ev.reset();
        delete windowP;
    }
    ShownBoard(const ShownBoard&) = delete;
    ShownBoard& operator=(const ShownBoard&) = delete;

    CVornItem* Item(const std::string& title) const { return FindItem(modelP, title); }
    yaaf::tagRECT Screen(const std::string& title) const { return Item(title)->GetScreenBounds(); }
    QPoint Center(const std::string& title) const {
        const yaaf::tagRECT r = Screen(title);
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Select(const std::vector<std::string>& titles) const { SelectTitled(modelP, titles); }
    // The titles in the board's order (or the selected ones), with a blank between.
    std::string Titles(bool selectedOnly = false) const { return TitleList(modelP, selectedOnly); }
    std::string Snapshot() const { return BoardSnapshot(*modelP); }
    // "title" or "content" while an editor is open, else "".
    std::string Editing() const {
        if (!viewP->GetRenameEdit()) return {};
        return viewP->i_rename_contentB ? "content" : "title";
    }
    // The menu's view of the command, as the menu bar asks before it opens.
    yaaf::XGSMenuStatus Status(yaaf::int32 command) const {
        yaaf::XGSMenuStatus status;
        viewP->DoGetMenuStatusPre();
        viewP->DoGetMenuStatus(command, &status);
        viewP->DoGetMenuStatusPost();
        return status;
    }

    TVornModel* modelP = nullptr;
    yaaf::XGWindow* windowP = nullptr;
    TVornView* viewP = nullptr;
    std::unique_ptr<ViewEvents> ev;

private:
    void Show(TVornModel* boardP, yaaf::tagRECT windowR) {
        modelP = boardP;
        modelP->SetDirty(false);
        windowP = MakeBoardWindow(new TVornController(modelP));
        if (!windowP) return;
        windowP->SetBounds(windowR);
        windowP->Show();
        QCoreApplication::processEvents();
        viewP = TVornView::FromModel(modelP);
        viewP->DoPeriodic();
        viewP->SetFocus();
        viewP->SetStacks(false);
        ev = std::make_unique<ViewEvents>(viewP);
    }
};

} // namespace vorntest
