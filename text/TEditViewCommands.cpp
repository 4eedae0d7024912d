// The text view's menu commands: find and replace, go to line, the text preferences, fonts and
// the clipboard.

#include "CDo.h"
#include "CDoTask.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "TextPrefs.h"
#include "XGAssert.h"
#include "XGFontChange.h"
#include "XGFormDialog.h"
#include "XGKeyboard.h"
#include "XGStdDialogs.h"
#include "XGTextBuffer.h"
#include "XGTextScrap.h"

#include <algorithm>
#include <cstring>

using namespace yaaf;

namespace {

// The data of a font change task: the request, and what an absolute change replaced.
struct TextFontTaskRec {
    XGFontChangeRec request;
    bool restoreB = false;
    XGFont savedFont;
    TextFontPrefsRec savedPrefs;
};

bool IsSizeStep(const XGFontChangeRec& r) {
    return r.set_sizeB && r.size_deltaB;
}

void CopyCString(char* dest, size_t size, const std::string& text) {
    std::strncpy(dest, text.c_str(), size - 1);
    dest[size - 1] = 0;
}

} // namespace

const char* GetFontChangeName(bool set_fontB, bool set_sizeB, bool set_styleB) {
    const int count = int(set_fontB) + int(set_sizeB) + int(set_styleB);
    if (count > 1) return "Set Font Info";
    if (set_fontB) return "Set Font Face";
    if (set_styleB) return "Set Font Style";
    YAAF_ASSERT_DLG(set_sizeB);
    return "Set Font Size";
}

void TEditView::DisposeFontTaskData(void* dataP) {
    delete static_cast<TextFontTaskRec*>(dataP);
}

void TEditView::SetFontChanged(const XGFont& font) {
    fFont = font;
    if (fEditCore) {
        fEditCore->SetFont(font);
        fEditCore->ScrollInRange();
        RecalcScroll();
    }
    InvalView();
}

void TEditView::FontChangeCmd(const XGFontChangeRec& request) {
    auto* fontP = new TextFontTaskRec;
    fontP->request = request;
    auto* dataP = new EditViewTaskRec;
    dataP->thiz = this;
    dataP->commandS = kEditTask_FONT;
    dataP->dataP = fontP;
    // The font is the view's, not the document's: it leaves the document unchanged.
    CDoTask::DoNewTask(&CB_S_DoCommandProc,
                       GetFontChangeName(request.set_fontB, request.set_sizeB, request.set_styleB),
                       &CB_S_DisposeCommandProc, dataP, false);
}

void TEditView::RunFont(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP) {
    auto* fontP = static_cast<TextFontTaskRec*>(dataP->dataP);
    if (!fontP) return;
    XGFontChangeRec* fontRecP = &fontP->request;
    if (IsSizeStep(*fontRecP)) {
        if (fontRecP->set_fontB || fontRecP->set_styleB) {
            YAAF_ASSERT_DLG(!fontRecP->set_fontB && !fontRecP->set_styleB);
            return;
        }
        const int32 before = fFont.GetSize();
        XGFont font = fFont;
        ApplyFontChangeRec(font, *fontRecP);
        // The step actually taken (none at the smallest size), so that undo returns exactly.
        const int16 taken = int16(font.GetSize() - before);
        for (TEditView* view : AllViews()) {
            XGFont each = view->fFont;
            XGFontChangeRec step = *fontRecP;
            step.sizeS = taken;
            ApplyFontChangeRec(each, step);
            view->SetFontChanged(each);
        }
        fontRecP->sizeS = int16(-taken);
        EditViewTaskRec* prevP = TextTaskData(prev_taskP0);
        if (prevP && prevP->commandS == kEditTask_FONT && prevP->dataP) {
            auto* prevFontP = static_cast<TextFontTaskRec*>(prevP->dataP);
            if (IsSizeStep(prevFontP->request) && !prevFontP->request.set_fontB &&
                !prevFontP->request.set_styleB) {
                prevFontP->request.sizeS = int16(prevFontP->request.sizeS + fontRecP->sizeS);
                *collapseBP = true;
            }
        }
        return;
    }
    if (!fontP->restoreB) {
        fontP->savedPrefs = ReadTextFontPrefs();
        fontP->savedFont = fFont;
        XGFont font = fFont;
        ApplyFontChangeRec(font, *fontRecP);
        for (TEditView* view : AllViews())
            view->SetFontChanged(font);
        WriteTextFontPrefs(TextFontPrefsRec{int16(font.GetSize()), font.GetName(), int16(font.GetStyle())});
        fontP->restoreB = true;
    } else {
        for (TEditView* view : AllViews())
            view->SetFontChanged(fontP->savedFont);
        WriteTextFontPrefs(fontP->savedPrefs);
        fontP->restoreB = false;
    }
}

// ---------------------------------------------------------------------------------------------
// Find and replace

void TEditView::SetFindText(const std::string& findZ, const std::string& replaceZ) {
    CopyCString(fSearch, sizeof(fSearch), findZ);
    CopyCString(fReplace, sizeof(fReplace), replaceZ);
}

void TEditView::FindNext() {
    if (!fEditCore || !fEditCore->GetText()) return;
    const int32 length = int32(std::strlen(fSearch));
    XGTextBuffer* text = fEditCore->GetText();
    if (length == 0 || text->GetSize() == 0) return;
    const int32 at = text->Find(fSearch, length, fEditCore->GetSelEnd());
    if (at < 0) return;
    fEditCore->Select(at, at + length, at + length);
    fEditCore->ScrollInRange();
}

void TEditView::Replace() {
    if (!fEditCore) return;
    CDo_ScGroup group("Replace Text");
    // The found text goes, and the replacement is typed as it was entered.
    if (fEditCore->GetSelStart() != fEditCore->GetSelEnd()) AddCharCmd(kXGChar_Backspace);
    if (fReplace[0]) PasteTextCmd("Typing", fReplace);
}

void TEditView::DoFindDialog() {
    XGFormDialog dialog(134, "Find");
    dialog.AddTextField(kFindItem_Find, "Find", fSearch);
    dialog.AddTextField(kFindItem_Replace, "Replace", fReplace);
    if (dialog.Run() != XGFormDialog::kItemOK) return;
    SetFindText(dialog.GetText(kFindItem_Find), dialog.GetText(kFindItem_Replace));
    FindNext();
}

void TEditView::DoGotoLineDialog() {
    XGFormDialog dialog(133, "Goto Line");
    dialog.AddNumberField(kGotoItem_Line, "Line", 1, 1, 0x7FFFFFFF);
    if (dialog.Run() != XGFormDialog::kItemOK || !fEditCore) return;
    const int32 line = std::clamp(dialog.GetNumber(kGotoItem_Line), 1, fEditCore->GetNumLines()) - 1;
    const int32 start = fEditCore->GetLineOffset(line);
    fEditCore->Select(start, start + fEditCore->GetLineLength(line));
    fEditCore->ScrollInRange(start);
}

void TEditView::DoPrefsDialog() {
    TextPrefsRec prefs = ReadTextPrefs();
    XGFormDialog dialog(135, "Text Preferences");
    dialog.AddNumberField(kTextPrefsItem_TabSize, "&Tab Size", prefs.tabStopL, -32768, 32767);
    dialog.AddCheckBox(kTextPrefsItem_AutoIndent, "&Autoindent Text", prefs.autoIndentB);
    dialog.AddCheckBox(kTextPrefsItem_WordWrap, "&Word Wrap", prefs.wordWrapB);
    dialog.AddCheckBox(kTextPrefsItem_AutoSave, "Auto&save", GetAutoSaveText());
    if (dialog.Run() != XGFormDialog::kItemOK) return;
    prefs.tabStopL = dialog.GetNumber(kTextPrefsItem_TabSize);
    prefs.autoIndentB = dialog.GetCheck(kTextPrefsItem_AutoIndent);
    prefs.wordWrapB = dialog.GetCheck(kTextPrefsItem_WordWrap);
    prefs.autoSaveB = dialog.GetCheck(kTextPrefsItem_AutoSave);
    // The options are the same for every text window.
    for (TEditView* view : AllViews()) {
        XGEditCore* core = view->GetEditCore();
        if (!core) continue;
        if (prefs.tabStopL >= kTextTabStopMin && prefs.tabStopL <= kTextTabStopMax)
            core->SetTabStop(prefs.tabStopL);
        core->SetAutoIndent(prefs.autoIndentB);
        core->SetWordWrap(prefs.wordWrapB);
        view->RecalcScroll();
    }
    WriteTextPrefs(prefs);
    SetAutoSaveText(prefs.autoSaveB);
}

// ---------------------------------------------------------------------------------------------
// The command table

int32 TEditView::DoMenuCommand(int32 command, int32 param) {
    if (!fEditCore) return kDispatchNotHandled;
    switch (command) {
    case kTextCmd_Find:
        DoFindDialog();
        break;
    case kTextCmd_FindAgain:
        FindNext();
        break;
    case kTextCmd_Replace:
        Replace();
        break;
    case kTextCmd_ReplaceFind:
        Replace();
        FindNext();
        break;
    case kTextCmd_GotoLine:
        DoGotoLineDialog();
        break;
    case kTextCmd_SelectAll:
        fEditCore->DoSelectAll();
        break;
    case kTextCmd_SelectNone: {
        const int32 end = fEditCore->GetTextLength();
        fEditCore->Select(end, end);
        fEditCore->ScrollInRange();
        break;
    }
    case kTextCmd_FontPanel: {
        XGFontChangeRec rec;
        GetFontRecord(fFont, rec);
        if (!ChooseFontPanel(GetWindow(), rec)) break;
        // Styles toggle when applied: ask for the bits that differ from the current ones.
        if (rec.set_styleB) {
            constexpr uint16 kFaceBits = kXGStyle_Bold | kXGStyle_Italic | kXGStyle_Underline;
            const uint16 want = uint16(rec.styleS) & kFaceBits;
            const uint16 have = fFont.GetStyle() & kFaceBits;
            rec.set_styleB = want != have;
            rec.styleS = int16(want == 0 ? 0 : (want ^ have));
        }
        if (rec.set_sizeB || rec.set_fontB || rec.set_styleB) FontChangeCmd(rec);
        break;
    }
    case kTextCmd_Cut: {
        if (fEditCore->GetSelStart() == fEditCore->GetSelEnd()) break;
        CDo_ScGroup group("Cut Text");
        XGScrapSetText(fEditCore->GetSelectedText());
        AddCharCmd(kXGChar_Backspace);
        break;
    }
    case kTextCmd_Copy:
        if (fEditCore->GetSelStart() != fEditCore->GetSelEnd()) XGScrapSetText(fEditCore->GetSelectedText());
        break;
    case kTextCmd_Paste: {
        if (!XGScrapHasText()) break;
        std::string text = XGScrapGetText();
        // Text from elsewhere may end its lines otherwise: here every line end is a line feed.
        text.resize(size_t(TEditDoc::ConvertLineEnds(text.data(), int32(text.size()))));
        if (text.empty()) break;
        if (gDo) gDo->ForceNotCollapse();
        PasteTextCmd("Paste Text", text);
        if (gDo) gDo->ForceNotCollapse();
        break;
    }
    case kTextCmd_Clear:
        if (fEditCore->GetSelStart() != fEditCore->GetSelEnd()) AddCharCmd(kXGChar_Backspace);
        break;
    case kTextCmd_Preferences:
        DoPrefsDialog();
        break;
    case kTextCmd_SetTarget:
        if (TEditForm::s_SetTargetProc && i_controllerP) TEditForm::s_SetTargetProc(i_controllerP);
        break;
    default:
        if (command == kTextCmd_FontItem || (command >= kTextCmd_Smaller && command <= kTextCmd_Underline) ||
            (command >= kTextCmd_FontFirst && command <= kTextCmd_FontLast)) {
            XGFontChangeRec rec;
            GetFontRecord(fFont, rec);
            FontCommandToRecord(command, param, rec);
            // A font menu item without a name (no font menu) changes nothing.
            if (rec.set_fontB && !rec.nameAC[0]) break;
            FontChangeCmd(rec);
            break;
        }
        return kDispatchNotHandled;
    }
    RecalcScroll();
    return kDispatchHandled;
}

int32 TEditView::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    if (!fEditCore || !status) return kDispatchNotHandled;
    const bool hasSelection = fEditCore->GetSelStart() != fEditCore->GetSelEnd();
    switch (command) {
    case kTextCmd_Find:
    case kTextCmd_FindAgain:
    case kTextCmd_Replace:
    case kTextCmd_ReplaceFind:
    case kTextCmd_GotoLine:
    case kTextCmd_SelectAll:
    case kTextCmd_SelectNone:
    case kTextCmd_FontPanel:
    case kTextCmd_Preferences:
        status->enable = true;
        break;
    case kTextCmd_Cut:
    case kTextCmd_Copy:
    case kTextCmd_Clear:
        status->enable = hasSelection;
        break;
    case kTextCmd_Paste:
        status->enable = XGScrapHasText();
        break;
    case kTextCmd_SetTarget:
        status->enable = true;
        status->check =
            TEditForm::s_IsTargetProc && i_controllerP && TEditForm::s_IsTargetProc(i_controllerP);
        break;
    default:
        if ((command >= kTextCmd_FontFirst && command <= kTextCmd_FontLast) ||
            (command >= kTextCmd_Smaller && command <= kTextCmd_Underline)) {
            status->enable = true;
            break;
        }
        return kDispatchNotHandled;
    }
    return kDispatchHandled;
}
