#pragma once
// Board windows in the running application (see RunningApp.h) as the tests reach them: the
// board, its form and its view, menu commands sent to the view, and New Vorn with words added.

#include "CVornViewLink.h"
#include "RunningApp.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGView.h"

#include <QStringList>

namespace vorntest {

constexpr yaaf::int32 kCmd_NewVorn = 17665;

inline TVornController* BoardFormOf(yaaf::XGWindow* w) {
    return w ? dynamic_cast<TVornController*>(w->GetForm()) : nullptr;
}

inline TVornModel* BoardOf(yaaf::XGWindow* w) {
    TVornController* c = BoardFormOf(w);
    return c ? c->GetModel() : nullptr;
}

// View 12 is the board view only while the window shows the board.
inline yaaf::XGView* BoardViewOf(yaaf::XGWindow* w) {
    yaaf::XGView* root = w ? w->GetContentView() : nullptr;
    yaaf::XGView* viewP = root ? root->FindView(kVornViewID_Board) : nullptr;
    return dynamic_cast<CVornViewLink*>(viewP) ? viewP : nullptr;
}

inline CVornViewLink* LinkOf(yaaf::XGWindow* w) {
    return dynamic_cast<CVornViewLink*>(BoardViewOf(w));
}

inline yaaf::int32 SendToBoard(yaaf::XGWindow* w, yaaf::int32 command) {
    return BoardViewOf(w)->DoDispatch('menu', command, nullptr, true);
}

class RunningBoardApp : public RunningApp {
protected:
    // New Vorn from the menu, with the words added as the user adds them.
    yaaf::XGWindow* NewBoard(const QStringList& words = {}) {
        fApp->DoMenuCommand(kCmd_NewVorn);
        yaaf::XGWindow* w = yaaf::XGWindow::GetFrontWindow();
        for (const QString& word : words)
            LinkOf(w)->AddWordCmd(word.toUtf8().constData(), "Add Item");
        Settle();
        return w;
    }
};

} // namespace vorntest
