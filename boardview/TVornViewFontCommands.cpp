#define VORN_UNIT "TVornViewFontCommands.cpp"
// The Font menu on a board: the font dialog, a face from the font list, the sizes and the styles,
// with the check marks that tell what the selected items show. Each change is made to deep
// copies of the selected items, which take the items' places as one task; the board's font for
// new items takes the same change and is kept as the default for new boards.
//
// A style is asked for as a state, not as a toggle: choosing "Bold" on a selection that is not
// all bold (its item unchecked or dashed) makes every item bold, choosing it when all are bold
// makes them all plain again, so that a mixed selection never ends up half toggled.
#include "TVornView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornPrefs.h"
#include "TVornModel.h"
#include "VornBoardTask.h"
#include "XGFont.h"
#include "XGFontChange.h"
#include "XGMenuBar.h"

#include <cstring>
#include <string>

using namespace yaaf;

namespace {

enum : int32 {
    kCmd_FontPanel = 72,
    kCmd_FontFace = 74,
    kCmd_Size9 = 80,
    kCmd_Size72 = 86,
    kCmd_StylePlain = 87,
    kCmd_StyleUnderline = 90,
};

constexpr int16 kMenuSizes[] = {9, 12, 16, 18, 24, 36, 72};
constexpr uint16 kMenuStyles[] = {kXGStyle_Plain, kXGStyle_Bold, kXGStyle_Italic, kXGStyle_Underline};
constexpr uint16 kFaceBits = kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline;
constexpr char kMark_Check = 0x12;
constexpr char kMark_Dash = 0x2D;

bool IsSizeCommand(int32 command) {
    return command >= kCmd_Size9 && command <= kCmd_Size72;
}

bool IsStyleCommand(int32 command) {
    return command >= kCmd_StylePlain && command <= kCmd_StyleUnderline;
}

// What a font command asks of every item: a face, a size, and the style bits of styleMask set
// to those of styleBits.
struct FontRequest {
    bool faceB = false;
    std::string face;
    bool sizeB = false;
    int16 size = 0;
    uint16 styleMask = 0;
    uint16 styleBits = 0;
};

// Whether the item's font shows what a size or style command stands for.
bool Shows(const XGFont& font, int32 command) {
    if (IsSizeCommand(command)) return font.GetSize() == kMenuSizes[command - kCmd_Size9];
    const uint16 style = font.GetStyle() & kFaceBits;
    const uint16 bit = kMenuStyles[command - kCmd_StylePlain];
    return bit == kXGStyle_Plain ? style == 0 : (style & bit) != 0;
}

int32 CountShowing(CItemArray& items, int32 command) {
    int32 count = 0;
    for (int32 i = 0; i < items.Count(); ++i)
        if (Shows(items.GetIndItem(i)->i_font, command)) ++count;
    return count;
}

// The item's own request: the shared change rule toggles style bits, so the bits that differ
// from the state asked for are the ones to toggle.
XGFontChangeRec RecordFor(const XGFont& font, const FontRequest& r) {
    XGFontChangeRec rec;
    if (r.faceB) {
        rec.set_fontB = true;
        std::strncpy(rec.nameAC, r.face.c_str(), sizeof(rec.nameAC) - 1);
    }
    if (r.sizeB) {
        rec.set_sizeB = true;
        rec.sizeS = r.size;
    }
    const uint16 have = font.GetStyle() & kFaceBits;
    const uint16 want = uint16((have & ~r.styleMask) | (r.styleBits & r.styleMask));
    if (want != have) {
        rec.set_styleB = true;
        rec.styleS = int16(want == 0 ? 0 : want ^ have);
    }
    return rec;
}

void ApplyToDefault(XGSFontResource& font, const FontRequest& r) {
    if (r.faceB) {
        std::strncpy(font.name, r.face.c_str(), sizeof(font.name) - 1);
        font.name[sizeof(font.name) - 1] = 0;
    }
    if (r.sizeB && r.size > 1) font.size = r.size;
    const uint16 word = font.GetStyleWord();
    font.SetStyleWord(uint16((word & ~r.styleMask) | (r.styleBits & r.styleMask)));
}

const char* TaskName(const FontRequest& r) {
    const int parts = int(r.faceB) + int(r.sizeB) + int(r.styleMask != 0);
    if (parts > 1) return "Set Font Info";
    if (r.faceB) return "Set Font Face";
    if (r.sizeB) return "Set Font Size";
    return "Set Font Style";
}

// The request of the font dialog, started from the first selected item's font, with only the
// parts that change some selected item; false when it was cancelled or changes nothing.
bool DialogRequest(XGWindow* windowP, CItemArray& sel, FontRequest& r) {
    const XGFont& first = sel.GetIndItem(0)->i_font;
    XGFontChangeRec rec;
    GetFontRecord(first, rec);
    if (!ChooseFontPanel(windowP, rec)) return false;
    const std::string face = rec.nameAC;
    const uint16 style = uint16(rec.styleS) & kFaceBits;
    for (int32 i = 0; i < sel.Count(); ++i) {
        const XGFont& font = sel.GetIndItem(i)->i_font;
        r.faceB |= rec.set_fontB && !face.empty() && font.GetName() != face;
        r.sizeB |= rec.set_sizeB && rec.sizeS > 1 && font.GetSize() != rec.sizeS;
        if (rec.set_styleB && (font.GetStyle() & kFaceBits) != style) r.styleMask = kFaceBits;
    }
    r.face = face;
    r.size = rec.sizeS;
    r.styleBits = style;
    return r.faceB || r.sizeB || r.styleMask;
}

} // namespace

bool TVornView::IsFontCommand(int32 command) {
    return command == kCmd_FontPanel || command == kCmd_FontFace || command == kVornCmd_Smaller ||
           command == kVornCmd_Bigger || IsSizeCommand(command) || IsStyleCommand(command);
}

// The font commands change the selected items and nothing else: without a selection there is
// nothing for them to do. In Go Mode the board shows one picture of itself, and items that
// changed places under it would stay hidden when Edit Mode comes back.
bool TVornView::GetFontCommandStatus(int32 command, XGSMenuStatus* statusP) {
    if (!IsFontCommand(command) || !i_modelP || !statusP) return false;
    CItemArray* selP = i_selectionP ? i_selectionP : i_modelP->GetItemSelection();
    const int32 selected = selP ? selP->Count() : 0;
    statusP->enable = selected > 0 && i_modelP->GetMode() == Vorn_Mode_EDIT;
    if (selected > 0 && (IsSizeCommand(command) || IsStyleCommand(command))) {
        const int32 showing = CountShowing(*selP, command);
        statusP->check = showing > 0;
        statusP->mark = showing > 0 && showing < selected ? kMark_Dash : kMark_Check;
    }
    if (selP != i_selectionP) delete selP;
    return true;
}

bool TVornView::DoFontCommand(int32 command, void* dataP) {
    if (!IsFontCommand(command) || command == kVornCmd_Smaller || command == kVornCmd_Bigger || !i_modelP)
        return false;
    TVornModel& m = *i_modelP;
    EndInPlaceEdit();
    CItemArray* liveP = NonEmptySelection();
    if (!liveP) return true;
    FontRequest r;
    bool goB = true;
    if (command == kCmd_FontPanel) {
        goB = DialogRequest(GetWindow(), *liveP, r);
    } else if (command == kCmd_FontFace) {
        // The font list's items carry their place in the list (from 1).
        r.face = dataP ? XGGetFontMenuItemText(*static_cast<const int32*>(dataP)) : std::string();
        r.faceB = goB = !r.face.empty();
    } else if (IsSizeCommand(command)) {
        r.sizeB = true;
        r.size = kMenuSizes[command - kCmd_Size9];
    } else {
        const uint16 bit = kMenuStyles[command - kCmd_StylePlain];
        r.styleMask = bit == kXGStyle_Plain ? kFaceBits : bit;
        r.styleBits = CountShowing(*liveP, command) == liveP->Count() ? 0 : bit;
    }
    CItemArray* copiesP = goB ? liveP->Duplicate(m.i_list) : nullptr;
    if (!copiesP) {
        delete liveP;
        return true;
    }
    bool changedB = false;
    for (int32 i = 0; i < copiesP->Count(); ++i) {
        CVornItem* copyP = copiesP->GetIndItem(i);
        XGFontChangeRec rec = RecordFor(copyP->i_font, r);
        copyP->CB_Iterate(copiesP, i, ItemA_Iterate_SET_FONT, &rec);
        changedB |= !(copyP->i_font == liveP->GetIndItem(i)->i_font);
    }
    // The items already show what was chosen: no task that would undo nothing.
    if (!changedB) {
        for (int32 i = 0; i < copiesP->Count(); ++i)
            delete copiesP->GetIndItem(i);
        delete copiesP;
        delete liveP;
    } else if (!BoardTask_Exchange(this, liveP, copiesP, command, TaskName(r))) {
        return true;
    }
    ApplyToDefault(m.i_prefs.font, r);
    if (gVornPrefsP) gVornPrefsP->Set_VornModelPrefs(m.i_prefs);
    return true;
}
