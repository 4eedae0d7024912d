#include "XGFontChange.h"

#include "XGFont.h"
#include "XGMenuBar.h"
#include "XGWindow.h"

#include <QFont>
#include <QFontDialog>
#include <QWidget>

#include <cstring>

namespace yaaf {

namespace {
XGFontDialogHook s_hook = nullptr;

void CopyName(XGFontChangeRec& rec, const std::string& name) {
    std::strncpy(rec.nameAC, name.c_str(), sizeof(rec.nameAC) - 1);
    rec.nameAC[sizeof(rec.nameAC) - 1] = 0;
}
} // namespace

XGFontDialogHook XGSetFontDialogHook(XGFontDialogHook hook) {
    XGFontDialogHook old = s_hook;
    s_hook = hook;
    return old;
}

bool ChooseFontPanel(XGWindow* window, XGFontChangeRec& rec) {
    if (s_hook) return s_hook(rec);
    QFont start(QString::fromLocal8Bit(rec.nameAC));
    if (rec.sizeS > 0) start.setPointSize(rec.sizeS);
    start.setWeight((rec.styleS & kXGStyle_Bold) ? QFont::Bold : QFont::Normal);
    start.setItalic(rec.styleS & kXGStyle_Italic);
    start.setUnderline(rec.styleS & kXGStyle_Underline);
    QWidget* parent = window ? window->GetFrameWidget() : nullptr;
    QFontDialog dialog(start, parent);
    // The dialog shows the closest of its own families and styles ("Arial" may show as "Sans
    // Serif"): only what the person changed from what was shown is asked for, so that OK alone
    // changes nothing.
    const QFont shown = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted) return false;
    const QFont chosen = dialog.selectedFont();
    const auto styleOf = [](const QFont& f) {
        return int16((f.weight() > 500 ? kXGStyle_Bold : 0) | (f.italic() ? kXGStyle_Italic : 0) |
                     (f.underline() ? kXGStyle_Underline : 0));
    };
    rec.size_deltaB = false;
    rec.set_sizeB = chosen.pointSize() > 0 && chosen.pointSize() != shown.pointSize();
    if (rec.set_sizeB) rec.sizeS = int16(chosen.pointSize());
    rec.set_fontB = !chosen.family().isEmpty() && chosen.family() != shown.family();
    if (rec.set_fontB) CopyName(rec, chosen.family().toStdString());
    rec.set_styleB = styleOf(chosen) != styleOf(shown);
    if (rec.set_styleB) rec.styleS = styleOf(chosen);
    return true;
}

void FontCommandToRecord(int32 command, int32 param, XGFontChangeRec& rec) {
    static const int16 kSizes[] = {9, 12, 16, 18, 24, 36, 72};
    static const int16 kStyles[] = {0, kXGStyle_Bold, kXGStyle_Italic, kXGStyle_Underline};
    if (command == kXGCmd_FontMenuItem) {
        rec.set_fontB = true;
        CopyName(rec, XGGetFontMenuItemText(param));
    } else if (command == 78 || command == 79) {
        rec.set_sizeB = true;
        rec.size_deltaB = true;
        rec.sizeS = command == 78 ? -1 : 1;
    } else if (command >= 80 && command <= 86) {
        rec.set_sizeB = true;
        rec.sizeS = kSizes[command - 80];
    } else if (command >= 87 && command <= 90) {
        rec.set_styleB = true;
        rec.styleS = kStyles[command - 87];
    } else {
        // The size as the request already holds it.
        rec.set_sizeB = true;
    }
}

} // namespace yaaf
