#include "XGToolbarView.h"

#include "XGAppCore.h"
#include "XGMenuBar.h"
#include "XGMenuResource.h"
#include "XGToolbarIcons.h"
#include "XGWindow.h"

#include <QAction>
#include <QIcon>
#include <QPointer>
#include <QToolBar>
#include <QWidget>

namespace yaaf {

struct XGToolbarViewPlatform {
    QPointer<QToolBar> fBar;
    std::vector<std::pair<int32, QPointer<QAction>>> fButtons;
};

namespace {

bool IsInTree(XGView* root, const XGView* view) {
    if (!root) return false;
    if (root == view) return true;
    for (XGView* child : root->GetChildren())
        if (IsInTree(child, view)) return true;
    return false;
}

} // namespace

XGToolbarView::XGToolbarView(int32 id)
    : XGView('tlbr', id), fPlatform(std::make_unique<XGToolbarViewPlatform>()) {
    auto* bar = new QToolBar(GetWidget());
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(20, 20));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // The buttons leave the keyboard focus where it is: in the view they serve.
    bar->setFocusPolicy(Qt::NoFocus);
    fPlatform->fBar = bar;
}

XGToolbarView::~XGToolbarView() = default;

XGView* XGToolbarView::GetStatusTarget() const {
    XGWindow* window = GetWindow();
    if (!fTarget || !window || fTarget->GetWindow() != window) return nullptr;
    // The target may have been replaced and deleted since: only a view still in the tree counts.
    return IsInTree(window->GetContentView(), fTarget) ? fTarget : nullptr;
}

XGDispatch* XGToolbarView::StatusFrom() const {
    if (XGView* target = GetStatusTarget()) return target;
    if (gFocus) return gFocus;
    return gAppDispatch;
}

bool XGToolbarView::Load(int16 resID) {
    auto items = XGLoadToolbar(resID);
    QToolBar* bar = fPlatform->fBar;
    if (!items || !bar) return false;
    bar->clear();
    fPlatform->fButtons.clear();
    for (const XGToolbarItemRecord& r : *items) {
        if (r.separator) {
            bar->addSeparator();
            continue;
        }
        QAction* a = bar->addAction(XGToolbarIcon(r.icon), QString::fromStdString(r.tip));
        a->setToolTip(QString::fromStdString(r.tip));
        const int32 command = r.id;
        QObject::connect(a, &QAction::triggered, a, [this, command] { SendCommand(command); });
        fPlatform->fButtons.emplace_back(command, a);
    }
    DoResize();
    return true;
}

void XGToolbarView::SendCommand(int32 command) {
    if (XGView* target = GetStatusTarget()) {
        target->DoDispatch('menu', command, nullptr, true);
        return;
    }
    XGSendMenuCommand(command);
}

void XGToolbarView::UpdateStatus() {
    XGDispatch* from = StatusFrom();
    if (!from) return;
    from->DoDispatch('Prst', 0, nullptr, true);
    for (auto& [command, action] : fPlatform->fButtons) {
        if (!action) continue;
        XGSMenuStatus s;
        s.enable = false;
        s.check = false;
        s.mark = 0x12;
        from->DoDispatch('stat', command, &s, true);
        if (action->isEnabled() != s.enable) action->setEnabled(s.enable);
        if (action->isCheckable() != s.check) action->setCheckable(s.check);
        if (action->isChecked() != s.check) action->setChecked(s.check);
    }
    from->DoDispatch('Post', 0, nullptr, true);
}

void XGToolbarView::DoPostPeriodic() {
    // Only the front window's bar, when it shows, and not after every single event (a moving
    // pointer makes many): asking a board for its state walks its selection.
    XGWindow* window = GetWindow();
    QWidget* widget = GetWidget();
    if (!window || !window->IsFront() || !widget || !widget->isVisible() || fPlatform->fButtons.empty())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - fLastUpdate < kStatusInterval) return;
    fLastUpdate = now;
    UpdateStatus();
}

std::vector<int32> XGToolbarView::GetButtonIDs() const {
    std::vector<int32> ids;
    for (auto& b : fPlatform->fButtons)
        ids.push_back(b.first);
    return ids;
}

bool XGToolbarView::IsButtonEnabled(int32 command) const {
    for (auto& [id, action] : fPlatform->fButtons)
        if (id == command && action) return action->isEnabled();
    return false;
}

bool XGToolbarView::IsButtonChecked(int32 command) const {
    for (auto& [id, action] : fPlatform->fButtons)
        if (id == command && action) return action->isChecked();
    return false;
}

bool XGToolbarView::PressButton(int32 command) {
    for (auto& [id, action] : fPlatform->fButtons)
        if (id == command && action) {
            if (!action->isEnabled()) return false;
            action->trigger();
            return true;
        }
    return false;
}

int32 XGToolbarView::GetPreferredHeight() const {
    return fPlatform->fBar ? fPlatform->fBar->sizeHint().height() : 0;
}

void XGToolbarView::DoResize() {
    if (fPlatform->fBar) fPlatform->fBar->setGeometry(0, 0, GetWidth(), GetHeight());
}

} // namespace yaaf
