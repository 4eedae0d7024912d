#pragma once
// The view of a text window: keys, mouse and menu commands, find and replace, and the undo
// tasks through which every change of the text is made. Layout, drawing and the selection are
// the text engine's.

#include "CDoStacksOwner.h"
#include "XGEditCore.h"
#include "XGFont.h"
#include "XGScrollView.h"
#include "XGView.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TEditForm;
class CDoTask;

namespace yaaf {
class XGContextMenu;
class XGTextBuffer;
} // namespace yaaf

// Commands of the text view.
enum : yaaf::int32 {
    kTextCmd_Find = 37,
    kTextCmd_FindAgain = 38,
    kTextCmd_Replace = 39,
    kTextCmd_ReplaceFind = 40,
    kTextCmd_GotoLine = 41,
    kTextCmd_SelectAll = 47,
    kTextCmd_SelectNone = 48,
    kTextCmd_FontPanel = 72,
    kTextCmd_FontFirst = 73,
    kTextCmd_FontItem = 74,
    kTextCmd_FontLast = 76,
    kTextCmd_Smaller = 78,
    kTextCmd_Bigger = 79,
    kTextCmd_Size9 = 80,
    kTextCmd_Size72 = 86,
    kTextCmd_Plain = 87,
    kTextCmd_Underline = 90,
    kTextCmd_Cut = 16899,
    kTextCmd_Copy = 16900,
    kTextCmd_Paste = 16901,
    kTextCmd_Clear = 16902,
    kTextCmd_Preferences = 16909,
    kTextCmd_SetTarget = 17931,
};

// Task kinds of text changes.
enum : yaaf::int16 {
    kEditTask_INSERT = 9,
    kEditTask_DELETE = 10,
    kEditTask_FONT = 14,
};

class TEditView;

struct EditViewTaskRec {
    TEditView* thiz = nullptr;
    yaaf::int16 commandS = 0;
    yaaf::EditSelection prev_sel;
    yaaf::EditSelection sel;
    void* dataP = nullptr; // a font change: TextFontTaskRec
};

// The dialogs' item numbers (the form dialog numbers its fields from 3).
enum : int {
    kFindItem_Find = 3,
    kFindItem_Replace = 4,
    kGotoItem_Line = 3,
    kTextPrefsItem_TabSize = 3,
    kTextPrefsItem_AutoIndent = 4,
    kTextPrefsItem_WordWrap = 5,
    kTextPrefsItem_AutoSave = 6,
};

class TEditView : public yaaf::XGView, public DoStacksOwner, public yaaf::XGScrollable {
    YAAF_DECLARE_DISPATCH()
public:
    TEditView();
    ~TEditView() override;

    // Makes the engine over the view's area and font, gives it the text and applies the
    // text preferences.
    void InitEdit(yaaf::XGTextBuffer* text);
    yaaf::XGEditCore* GetEditCore() const { return fEditCore.get(); }
    const yaaf::XGFont& GetFont() const { return fFont; }

    yaaf::int32 DoKey(yaaf::int32 key);
    yaaf::int32 DoPeriodic();
    void DoActivate(bool active);
    void DoGainFocus() override;
    void DoLoseFocus() override;

    // Types text at the start of the selection as an undoable "Typing" task.
    void AddWordCmd(const char* textZ);
    void AddCharCmd(yaaf::int32 character);
    void PasteTextCmd(const char* undoNameZ, const std::string& text);

    yaaf::int32 DoMenuCommand(yaaf::int32 command, yaaf::int32 param = 0);
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* status);

    void FindNext();
    void Replace();
    void SetFontChanged(const yaaf::XGFont& font);
    // Keeps the scroll position inside the text after a change, and the scroll bars in step.
    void RecalcScroll();
    // A scroll bar, the wheel or a page key moved the text.
    void DoScrollChanged(yaaf::int32 xUnits, yaaf::int32 yUnits) override;
    yaaf::int32 GetMaxXScroll() const;
    yaaf::int32 GetMaxYScroll() const;

    void SetFindText(const std::string& findZ, const std::string& replaceZ);
    const char* GetFindText() const { return fSearch; }
    const char* GetReplaceText() const { return fReplace; }

    // Every text view, for changes that apply to all text windows.
    static const std::vector<TEditView*>& AllViews();

    static yaaf::int32 CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
    static void CB_S_DisposeCommandProc(CDoTask* taskP);
    // The text task record of a task, or none when the task is not a text task.
    static EditViewTaskRec* TextTaskData(CDoTask* taskP);

    yaaf::XGFont fFont;
    char fSearch[256] = {};
    char fReplace[256] = {};
    std::unique_ptr<yaaf::XGEditCore> fEditCore;
    TEditForm* i_controllerP = nullptr;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
    void DoMouseDown(yaaf::Point where, yaaf::uint16 modifiers, int clicks) override;
    void DoMouseMove(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoMouseUp(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoResize() override;

private:
    yaaf::int32 CB_DoCommandProc(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP);
    void RunInsert(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP);
    void RunDelete(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP);
    void RunFont(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP);
    void AfterTask();
    // The undo history reached a state: the document is changed unless it is the saved one;
    // with auto-save a change is saved at once.
    void HistoryStateChanged(yaaf::uint64 stateL);
    // Gives the enclosing scroll view the text's extent and the engine's position.
    void SyncScroller();
    static void DisposeFontTaskData(void* dataP);
    void FontChangeCmd(const yaaf::XGFontChangeRec& request);
    void DoFindDialog();
    void DoGotoLineDialog();
    void DoPrefsDialog();

    int32_t HandleKey(int32_t param, void*) { return DoKey(param); }
    // A font menu item's command carries the item's 1-based position in the data.
    int32_t HandleMenu(int32_t param, void* data) {
        return DoMenuCommand(param, data ? *static_cast<int32_t*>(data) : 0);
    }
    int32_t HandleStatus(int32_t param, void* data) {
        return DoGetMenuStatus(param, static_cast<yaaf::XGSMenuStatus*>(data));
    }
    int32_t HandlePeriodic(int32_t, void*) { return DoPeriodic(); }

    bool i_activeB = false;
    bool i_syncingB = false;
    // Layout 145, or 150 in player-only use; the right button pops it up.
    std::unique_ptr<yaaf::XGContextMenu> i_context_menuP;
};
