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
    bool ok = false;
    QWidget* parent = window ? window->GetFrameWidget() : nullptr;
    QFont chosen = QFontDialog::getFont(&ok, start, parent);
    if (!ok) return false;
    rec.set_sizeB = true;
    rec.size_deltaB = false;
    rec.sizeS = int16(chosen.pointSize() > 0 ? chosen.pointSize() : rec.sizeS);
    if (!chosen.family().isEmpty()) {
        rec.set_fontB = true;
        CopyName(rec, chosen.family().toStdString());
    }
    rec.set_styleB = true;
    rec.styleS = int16((chosen.weight() > 500 ? kXGStyle_Bold : 0) | (chosen.italic() ? kXGStyle_Italic : 0) |
                       (chosen.underline() ? kXGStyle_Underline : 0));
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
