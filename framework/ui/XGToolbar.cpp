#include "XGToolbar.h"

#include "XGToolbarIcons.h"

#include "XGAppCore.h"
#include "XGDispatch.h"
#include "XGIcons.h"
#include "XGMenuBar.h"
#include "XGMenuResource.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QFile>
#include <QPointer>
#include <QToolBar>

#include <map>

namespace yaaf {

namespace {

// Toolbar artwork is data: resources/artwork/toolbar/NAME.png, with NAME@2x.png for dense screens.
QString IconPath(const std::string& name) {
    return QStringLiteral(":/vorn/artwork/toolbar/%1.png").arg(QString::fromStdString(name));
}

QIcon MakeIcon(const std::string& name) {
    QIcon icon;
    icon.addFile(IconPath(name), QSize(24, 24));
    return icon;
}

} // namespace

QIcon XGToolbarIcon(const std::string& name) {
    return MakeIcon(name);
}

struct XGToolbarPlatform {
    QPointer<QToolBar> fBar;
    std::vector<std::pair<int32, QPointer<QAction>>> fButtons;
};

XGToolbar::XGToolbar(QMainWindow* frame) : fPlatform(std::make_unique<XGToolbarPlatform>()) {
    fPlatform->fBar = new QToolBar(QStringLiteral("Toolbar"), frame);
    fPlatform->fBar->setObjectName(QStringLiteral("XGToolbar"));
    fPlatform->fBar->setAccessibleName(QStringLiteral("Toolbar"));
    fPlatform->fBar->setMovable(false);
    fPlatform->fBar->setIconSize(QSize(24, 24));
    if (frame) frame->addToolBar(fPlatform->fBar);
}

XGToolbar::~XGToolbar() {
    if (fPlatform->fBar && !fPlatform->fBar->parent()) delete fPlatform->fBar.data();
}

bool XGToolbar::HasIcon(const std::string& name) {
    return !name.empty() && QFile::exists(IconPath(name));
}

bool XGToolbar::Load(int16 id) {
    auto items = XGLoadToolbar(id);
    if (!items || !fPlatform->fBar) return false;
    fPlatform->fBar->clear();
    fPlatform->fButtons.clear();
    for (const XGToolbarItemRecord& r : *items) {
        if (r.separator) {
            fPlatform->fBar->addSeparator();
            continue;
        }
        // Drawn when the bar is first painted, not while the frame is being built.
        const std::string icon = r.icon;
        QAction* a = fPlatform->fBar->addAction(XGDeferredIcon([icon] { return MakeIcon(icon); }),
                                                QString::fromStdString(r.tip));
        a->setToolTip(QString::fromStdString(r.tip));
        const int32 command = r.id;
        QObject::connect(a, &QAction::triggered, a, [command] { XGSendMenuCommand(command); });
        fPlatform->fButtons.emplace_back(command, a);
    }
    return true;
}

void XGToolbar::UpdateStatus() {
    if (!fPlatform->fBar) return;
    XGDispatch* from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Prst', 0, nullptr, true);
    for (auto& [command, action] : fPlatform->fButtons) {
        if (!action) continue;
        XGSMenuStatus s = XGGetCommandStatus(command);
        if (action->isEnabled() != s.enable) action->setEnabled(s.enable);
        if (action->isCheckable() != s.check) action->setCheckable(s.check);
        if (s.check && !action->isChecked()) action->setChecked(true);
    }
    from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Post', 0, nullptr, true);
}

std::vector<int32> XGToolbar::GetButtonIDs() const {
    std::vector<int32> ids;
    for (auto& b : fPlatform->fButtons)
        ids.push_back(b.first);
    return ids;
}

bool XGToolbar::IsButtonEnabled(int32 command) const {
    for (auto& [id, action] : fPlatform->fButtons)
        if (id == command && action) return action->isEnabled();
    return false;
}

} // namespace yaaf
