#include "XGMenuBar.h"

#include "XGAppCore.h"
#include "XGAppMultiWindow.h"
#include "XGDispatch.h"
#include "XGView.h"
#include "XGWindow.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <map>

namespace yaaf {

namespace {

XGMenuBar* s_currentBar = nullptr;
std::vector<XGAcceleratorRecord> s_accelerators;
bool s_playerOnly = false;
XGContextMenu::PopUpHook s_popUpHook;

constexpr const char* kCommandProperty = "xgCommand";
constexpr const char* kPositionProperty = "xgPosition";
constexpr const char* kWindowEntryProperty = "xgWindowEntry";
constexpr const char* kFontListProperty = "xgFontList";
constexpr const char* kRecentListProperty = "xgRecentList";
constexpr const char* kRecentEntryProperty = "xgRecentEntry";
XGRecentListProvider s_recentProvider;

int32 CommandOf(const QAction* action) {
    QVariant v = action->property(kCommandProperty);
    return v.isValid() ? v.toInt() : 0;
}

QString TitleWithoutShortcut(const QString& text) {
    int tab = text.indexOf('\t');
    return tab >= 0 ? text.left(tab) : text;
}

void ConnectCommand(QAction* action, int32 command, int32 position) {
    action->setProperty(kCommandProperty, command);
    if (position) action->setProperty(kPositionProperty, position);
    QObject::connect(action, &QAction::triggered, action,
                     [command, position] { XGSendMenuCommand(command, position); });
}

// Makes the recent list's entries again in front of its anchor: "&1 name" to "&9 name", then
// "1&0 name"; each carries the list's command and its position from 1.
void FillRecentList(QMenu* menu, QAction* anchor, int32 command) {
    for (QAction* a : menu->actions())
        if (a->property(kRecentEntryProperty).isValid()) delete a;
    if (!s_recentProvider) return;
    int32 position = 1;
    for (const std::string& label : s_recentProvider()) {
        QString name = QString::fromStdString(label);
        name.replace("&", "&&");
        const QString text = position <= 9
                                 ? QString("&%1 %2").arg(position).arg(name)
                                 : QString("%1&%2 %3").arg(position / 10).arg(position % 10).arg(name);
        auto* a = new QAction(text, menu);
        ConnectCommand(a, command, position++);
        a->setProperty(kRecentEntryProperty, true);
        menu->insertAction(anchor, a);
    }
}

QAction* FindRecentAnchor(QMenu* menu) {
    for (QAction* a : menu->actions()) {
        if (QMenu* sub = a->menu()) {
            if (QAction* found = FindRecentAnchor(sub)) return found;
        } else if (a->property(kRecentListProperty).isValid()) {
            return a;
        }
    }
    return nullptr;
}

// Fills a menu from its records. Returns the window list's anchor (a separator-less marker
// action) when the menu holds the window list.
void FillMenu(QMenu* menu, const std::vector<XGMenuItemRecord>& items, QAction** windowAnchor) {
    for (const XGMenuItemRecord& r : items) {
        switch (r.kind) {
        case XGMenuItemRecord::kItem: {
            QAction* a = menu->addAction(QString::fromStdString(r.title));
            ConnectCommand(a, r.id, 0);
            break;
        }
        case XGMenuItemRecord::kSeparator:
            menu->addSeparator();
            break;
        case XGMenuItemRecord::kSubmenu: {
            QMenu* sub = menu->addMenu(QString::fromStdString(r.title));
            FillMenu(sub, r.items, windowAnchor);
            break;
        }
        case XGMenuItemRecord::kFontList: {
            // Asking the system for its fonts takes long; the list is made when first shown.
            menu->setProperty(kFontListProperty, r.id);
            const int32 command = r.id;
            QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, command] {
                if (!menu->property(kFontListProperty).isValid()) return;
                menu->setProperty(kFontListProperty, QVariant());
                int32 position = 1;
                for (const std::string& name : XGGetFontMenuNames()) {
                    QAction* a = menu->addAction(QString::fromStdString(name));
                    ConnectCommand(a, command, position++);
                }
            });
            break;
        }
        case XGMenuItemRecord::kRecentList: {
            // The list changes between showings, so its entries are made each time the menu
            // opens, in front of an invisible anchor that keeps the items after them in place.
            QAction* anchor = menu->addSeparator();
            anchor->setVisible(false);
            anchor->setProperty(kRecentListProperty, r.id);
            menu->setProperty(kRecentListProperty, r.id);
            const int32 command = r.id;
            QObject::connect(menu, &QMenu::aboutToShow, anchor,
                             [menu, anchor, command] { FillRecentList(menu, anchor, command); });
            break;
        }
        case XGMenuItemRecord::kWindowList: {
            // An invisible anchor: entries go in front of it.
            QAction* anchor = menu->addSeparator();
            anchor->setVisible(false);
            if (windowAnchor) *windowAnchor = anchor;
            break;
        }
        }
    }
}

void CollectActions(QMenu* menu, std::vector<QAction*>& out) {
    for (QAction* a : menu->actions()) {
        if (a->menu())
            CollectActions(a->menu(), out);
        else if (CommandOf(a))
            out.push_back(a);
    }
}

constexpr char kMarkCheck = 0x12;
constexpr char kMarkDash = 0x2D;
constexpr char kMarkBullet = char(0xA5);
constexpr const char* kMarkProperty = "xgMark";

// The dash of a mixed selection and the bullet of a choice among several have no check box of
// their own in a menu: they are drawn as the entry's icon, in the menu's text colour.
QIcon MarkIcon(char mark) {
    static QIcon s_icons[2];
    QIcon& icon = s_icons[mark == kMarkDash ? 0 : 1];
    if (icon.isNull()) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QApplication::palette().color(QPalette::Text));
        if (mark == kMarkDash)
            painter.drawRect(QRectF(3, 7, 10, 2));
        else
            painter.drawEllipse(QPointF(8, 8), 3.5, 3.5);
        painter.end();
        icon = QIcon(pixmap);
    }
    return icon;
}

void ShowMark(QAction* a, const XGSMenuStatus& s) {
    const char shown = !s.check ? 0 : s.mark == kMarkDash || s.mark == kMarkBullet ? s.mark : kMarkCheck;
    if (a->property(kMarkProperty).toInt() == shown && a->isChecked() == (shown == kMarkCheck)) return;
    a->setProperty(kMarkProperty, int(shown));
    a->setCheckable(shown == kMarkCheck);
    a->setChecked(shown == kMarkCheck);
    a->setIcon(shown == kMarkDash || shown == kMarkBullet ? MarkIcon(shown) : QIcon());
}

// Applies 'stat' answers to the actions of a menu; answers whether any item is enabled.
bool ApplyStatus(QMenu* menu, std::map<int32, XGSMenuStatus>& cache) {
    bool any = false;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (QMenu* sub = a->menu()) {
            bool subEnabled = ApplyStatus(sub, cache);
            // A font list not made yet, and a recent list, stand for their command.
            QVariant lazy = sub->property(kFontListProperty);
            if (!lazy.isValid()) lazy = sub->property(kRecentListProperty);
            if (lazy.isValid()) {
                auto it = cache.find(lazy.toInt());
                if (it == cache.end())
                    it = cache.emplace(lazy.toInt(), XGGetCommandStatus(lazy.toInt())).first;
                subEnabled |= it->second.enable;
            }
            a->setEnabled(subEnabled);
            any |= subEnabled;
            continue;
        }
        const int32 command = CommandOf(a);
        if (!command) continue;
        auto it = cache.find(command);
        if (it == cache.end()) it = cache.emplace(command, XGGetCommandStatus(command)).first;
        const XGSMenuStatus& s = it->second;
        a->setEnabled(s.enable);
        if (a->property(kWindowEntryProperty).isValid()) {
            // The window list's check follows the front window (set when it is built).
            any |= s.enable;
            continue;
        }
        ShowMark(a, s);
        any |= s.enable;
    }
    return any;
}

} // namespace

int32 XGSendMenuCommand(int32 command, int32 position) {
    int32 data = position;
    void* dataP = position ? &data : nullptr;
    int32 result = XGDispatch::SendDispatch('menu', command, dataP);
    if (result == kDispatchNotHandled && !gFocus && gApplication)
        result = gApplication->DoDispatch('menu', command, dataP, true);
    return result;
}

XGSMenuStatus XGGetCommandStatus(int32 command) {
    XGSMenuStatus status;
    status.enable = false;
    status.check = false;
    status.mark = 0x12;
    if (gFocus)
        gFocus->DoDispatch('stat', command, &status, true);
    else if (gApplication)
        gApplication->DoDispatch('stat', command, &status, true);
    return status;
}

struct XGMenuBarPlatform {
    QPointer<QMainWindow> fFrame;
    QPointer<QMenuBar> fBar;
    QPointer<QAction> fWindowAnchor;
    QPointer<QMenu> fWindowMenu;
    std::vector<QPointer<QAction>> fWindowEntries;

    std::vector<QAction*> AllActions() const {
        std::vector<QAction*> out;
        if (!fBar) return out;
        for (QAction* a : fBar->actions())
            if (a->menu()) CollectActions(a->menu(), out);
        return out;
    }
    QAction* Find(int32 command) const {
        for (QAction* a : AllActions())
            if (CommandOf(a) == command) return a;
        return nullptr;
    }
};

XGMenuBar::XGMenuBar(QMainWindow* frame) : fPlatform(std::make_unique<XGMenuBarPlatform>()) {
    fPlatform->fFrame = frame;
    fPlatform->fBar = frame ? frame->menuBar() : new QMenuBar();
    s_currentBar = this;
}

XGMenuBar::~XGMenuBar() {
    if (!fPlatform->fFrame && fPlatform->fBar) delete fPlatform->fBar.data();
    if (s_currentBar == this) s_currentBar = nullptr;
}

XGMenuBar* XGMenuBar::Current() {
    return s_currentBar;
}

bool XGMenuBar::Load(int32 id) {
    auto record = XGLoadMenuBar(kXGResType_MenuBar, int16(id));
    if (!record || !fPlatform->fBar) return false;
    QMenuBar* bar = fPlatform->fBar;
    bar->clear();
    fPlatform->fWindowAnchor = nullptr;
    fPlatform->fWindowMenu = nullptr;
    fPlatform->fWindowEntries.clear();
    for (const XGMenuItemRecord& m : record->menus) {
        QMenu* menu = bar->addMenu(QString::fromStdString(m.title));
        QAction* anchor = nullptr;
        FillMenu(menu, m.items, &anchor);
        if (anchor && !fPlatform->fWindowAnchor) {
            fPlatform->fWindowAnchor = anchor;
            fPlatform->fWindowMenu = qobject_cast<QMenu*>(anchor->parent());
        }
    }
    fLoadedID = id;
    return true;
}

void XGMenuBar::RebuildWindowList(const std::vector<XGWindowListRecord>& list, const void* front) {
    QMenu* menu = fPlatform->fWindowMenu;
    QAction* anchor = fPlatform->fWindowAnchor;
    if (!menu || !anchor) return;
    for (QPointer<QAction>& a : fPlatform->fWindowEntries)
        delete a.data();
    fPlatform->fWindowEntries.clear();
    auto add = [&](const QString& text, int32 command) {
        auto* a = new QAction(text, menu);
        ConnectCommand(a, command, 0);
        a->setProperty(kWindowEntryProperty, true);
        menu->insertAction(anchor, a);
        fPlatform->fWindowEntries.emplace_back(a);
        return a;
    };
    for (const XGWindowListRecord& r : list) {
        if (r.commandID < kXGWindowListFirstID || !r.window) continue;
        QString name = QString::fromStdString(r.window->GetName());
        // A literal "&" of the name is not a mnemonic.
        name.replace("&", "&&");
        QString text = r.digit >= 1 && r.digit <= 9 ? QString("&%1 %2").arg(r.digit).arg(name) : name;
        QAction* a = add(text, r.commandID);
        a->setCheckable(true);
        a->setChecked(r.window == front);
    }
    if (fPlatform->fWindowEntries.empty()) add(QStringLiteral("Empty"), kXGCmd_WindowListEmpty);
}

void XGMenuBar::UpdateStatus() {
    if (!fPlatform->fBar) return;
    XGDispatch* from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Prst', 0, nullptr, true);
    std::map<int32, XGSMenuStatus> cache;
    for (QAction* top : fPlatform->fBar->actions()) {
        QMenu* menu = top->menu();
        if (!menu) continue;
        const bool enabled = ApplyStatus(menu, cache);
        // Only a change of a menu's own state redraws the bar.
        if (menu->menuAction()->isEnabled() != enabled) menu->menuAction()->setEnabled(enabled);
    }
    from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Post', 0, nullptr, true);
}

void XGMenuBar::SetItemText(int32 command, const std::string& text) {
    for (QAction* a : fPlatform->AllActions())
        if (CommandOf(a) == command) {
            QString now = a->text();
            QString want = QString::fromStdString(text);
            if (now != want) a->setText(want);
        }
}

std::string XGMenuBar::GetItemTitle(int32 command) const {
    QAction* a = fPlatform->Find(command);
    return a ? TitleWithoutShortcut(a->text()).toStdString() : std::string();
}

std::vector<std::string> XGMenuBar::GetMenuTitles() const {
    std::vector<std::string> out;
    if (fPlatform->fBar)
        for (QAction* a : fPlatform->fBar->actions())
            out.push_back(a->text().toStdString());
    return out;
}

bool XGMenuBar::IsItemEnabled(int32 command) const {
    QAction* a = fPlatform->Find(command);
    return a && a->isEnabled();
}

char XGMenuBar::ItemMark(int32 command) const {
    QAction* a = fPlatform->Find(command);
    return a ? char(a->property(kMarkProperty).toInt()) : 0;
}

bool XGMenuBar::IsItemChecked(int32 command) const {
    QAction* a = fPlatform->Find(command);
    return a && a->isChecked();
}

bool XGMenuBar::HasItem(int32 command) const {
    return fPlatform->Find(command) != nullptr;
}

std::vector<std::string> XGMenuBar::GetWindowListTexts() const {
    std::vector<std::string> out;
    for (const QPointer<QAction>& a : fPlatform->fWindowEntries)
        if (a) out.push_back(a->text().toStdString());
    return out;
}

std::vector<std::string> XGMenuBar::GetRecentListTexts() {
    std::vector<std::string> out;
    if (!fPlatform->fBar) return out;
    for (QAction* top : fPlatform->fBar->actions()) {
        QMenu* menu = top->menu();
        QAction* anchor = menu ? FindRecentAnchor(menu) : nullptr;
        if (!anchor) continue;
        auto* owner = qobject_cast<QMenu*>(anchor->parent());
        if (!owner) continue;
        FillRecentList(owner, anchor, anchor->property(kRecentListProperty).toInt());
        for (QAction* a : owner->actions())
            if (a->property(kRecentEntryProperty).isValid()) out.push_back(a->text().toStdString());
        break;
    }
    return out;
}

bool XGMenuBar::TriggerRecentItem(int32 position) {
    GetRecentListTexts();
    for (QAction* a : fPlatform->AllActions())
        if (a->property(kRecentEntryProperty).isValid() &&
            a->property(kPositionProperty).toInt() == position) {
            a->trigger();
            return true;
        }
    return false;
}

void XGSetRecentListProvider(XGRecentListProvider provider) {
    s_recentProvider = std::move(provider);
}

bool XGMenuBar::TriggerItem(int32 command) {
    QAction* a = fPlatform->Find(command);
    if (!a) return false;
    a->trigger();
    return true;
}

const std::vector<std::string>& XGGetFontMenuNames() {
    static std::vector<std::string> s_names = [] {
        std::vector<std::string> names;
        for (const QString& family : QFontDatabase::families()) {
            if (QFontDatabase::isPrivateFamily(family)) continue;
            names.push_back(family.toStdString());
            // A menu, not a catalogue.
            if (names.size() >= 60) break;
        }
        return names;
    }();
    return s_names;
}

std::string XGGetFontMenuItemText(int32 position) {
    const auto& names = XGGetFontMenuNames();
    if (position < 1 || size_t(position) > names.size()) return {};
    return names[size_t(position - 1)];
}

// ---- accelerators

bool XGAccelerators::Load(int16 id) {
    auto table = XGLoadAccelerators(id);
    if (!table) return false;
    s_accelerators = std::move(*table);
    return true;
}

const std::vector<XGAcceleratorRecord>& XGAccelerators::Table() {
    return s_accelerators;
}

bool XGAccelerators::TranslateKey(uint16 modifiers, int32 key) {
    const XGAcceleratorRecord* r = XGFindAccelerator(s_accelerators, modifiers, key);
    if (!r) return false;
    // A command nobody answers leaves the key to its normal handling, so that plain keys of the
    // table ("=", "-") can still be typed.
    return XGSendMenuCommand(r->command) != kDispatchNotHandled;
}

bool XGAccelerators::TranslateKey(const QKeyEvent* event) {
    if (!event || event->type() != QEvent::KeyPress || s_accelerators.empty()) return false;
    uint16 mods = 0;
    const Qt::KeyboardModifiers m = event->modifiers();
    if (m & Qt::ControlModifier) mods |= kXGAccel_Ctrl;
    if (m & Qt::AltModifier) mods |= kXGAccel_Alt;
    if (m & Qt::ShiftModifier) mods |= kXGAccel_Shift;
    const int k = event->key();
    int32 key = 0;
    if (k >= 0x21 && k < 0x7F)
        key = k;
    else if (k == Qt::Key_Return || k == Qt::Key_Enter)
        key = kXGAccelKey_Return;
    else if (k == Qt::Key_Tab)
        key = kXGAccelKey_Tab;
    else if (k == Qt::Key_Delete)
        key = kXGAccelKey_Delete;
    else if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        key = kXGAccelKey_F1 + (k - Qt::Key_F1);
    else
        return false;
    return TranslateKey(mods, key);
}

// ---- context menus

XGContextMenu::XGContextMenu(int16 menuID, int16 playerMenuID)
    : fMenuID(menuID), fPlayerMenuID(playerMenuID) {}

void XGContextMenu::SetPlayerOnly(bool playerOnly) {
    s_playerOnly = playerOnly;
}

bool XGContextMenu::IsPlayerOnly() {
    return s_playerOnly;
}

int16 XGContextMenu::CurrentID() const {
    return s_playerOnly ? fPlayerMenuID : fMenuID;
}

void XGContextMenu::SetPopUpHook(PopUpHook hook) {
    s_popUpHook = std::move(hook);
}

int32 XGContextMenu::PopUp(XGView* view, Point where) {
    if (s_popUpHook) {
        const int32 chosen = s_popUpHook(CurrentID(), view, where);
        if (chosen) XGSendMenuCommand(chosen, 0);
        return chosen;
    }
    auto record = XGLoadMenuBar(kXGResType_Menu, CurrentID());
    if (!record || record->menus.empty()) return 0;
    QMenu menu;
    FillMenu(&menu, record->menus.front().items, nullptr);
    // The chosen command goes out once the menu has closed, not from inside it.
    int32 chosen = 0, chosenPosition = 0;
    std::vector<QAction*> actions;
    CollectActions(&menu, actions);
    for (QAction* a : actions) {
        QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
        QObject::connect(a, &QAction::triggered, &menu, [a, &chosen, &chosenPosition] {
            chosen = CommandOf(a);
            chosenPosition = a->property(kPositionProperty).toInt();
        });
    }
    XGDispatch* from = gFocus ? gFocus : gApplication;
    if (from) from->DoDispatch('Prst', 0, nullptr, true);
    std::map<int32, XGSMenuStatus> cache;
    ApplyStatus(&menu, cache);
    if (from && (from = gFocus ? gFocus : gApplication)) from->DoDispatch('Post', 0, nullptr, true);
    QWidget* widget = view ? view->GetWidget() : nullptr;
    QPoint global = widget ? widget->mapToGlobal(QPoint(where.h, where.v)) : QPoint(where.h, where.v);
    menu.exec(global);
    if (chosen) XGSendMenuCommand(chosen, chosenPosition);
    return chosen;
}

} // namespace yaaf
