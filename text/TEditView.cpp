#include "TEditView.h"

#include "CDo.h"
#include "CDoTask.h"
#include "TEditDoc.h"
#include "TEditForm.h"
#include "TextPrefs.h"
#include "XGAssert.h"
#include "XGEditText.h"
#include "XGGeometry.h"
#include "XGHandle.h"
#include "XGKeyboard.h"
#include "XGMenuBar.h"
#include "XGTextBuffer.h"

#include <algorithm>
#include <cstring>

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TEditView)
YAAF_DISPATCH_ENTRY('keye', TEditView, HandleKey)
YAAF_DISPATCH_ENTRY('menu', TEditView, HandleMenu)
YAAF_DISPATCH_ENTRY('stat', TEditView, HandleStatus)
YAAF_DISPATCH_ENTRY('peri', TEditView, HandlePeriodic)
YAAF_DISPATCH_END(TEditView, XGView)

namespace {

std::vector<TEditView*>& Views() {
    static std::vector<TEditView*> views;
    return views;
}

constexpr uint32 kShiftBit = uint32(kXGMod_Shift) << 16;
constexpr uint32 kCommandBits = uint32(kXGMod_Control | kXGMod_Alt) << 16;

} // namespace

TEditView::TEditView()
    : XGView('txED', 2), fFont(CurrentTextFont()),
      i_context_menuP(std::make_unique<XGContextMenu>(145, 150)) {
    SetFocusable(true);
    SetAccessibleName("Text");
    Views().push_back(this);
    i_do_stacks.state_procP = [this](uint64 stateL) { HistoryStateChanged(stateL); };
}

TEditView::~TEditView() {
    auto& views = Views();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
    if (i_controllerP && i_controllerP->i_viewP == this) i_controllerP->i_viewP = nullptr;
}

const std::vector<TEditView*>& TEditView::AllViews() {
    return Views();
}

void TEditView::InitEdit(XGTextBuffer* text) {
    fEditCore = std::make_unique<XGEditCore>(this, GetLocalBounds(), fFont);
    fEditCore->SetScrollProc([this] { SyncScroller(); });
    const TextPrefsRec prefs = ReadTextPrefs();
    fEditCore->SetAutoIndent(prefs.autoIndentB);
    if (prefs.tabStopL >= kTextTabStopMin && prefs.tabStopL <= kTextTabStopMax)
        fEditCore->SetTabStop(prefs.tabStopL);
    fEditCore->SetWordWrap(prefs.wordWrapB);
    fEditCore->SetText(text);
    SetAutoSaveText(prefs.autoSaveB);
    if (IsFocus()) fEditCore->DoGainFocus();
    RecalcScroll();
}

void TEditView::DoActivate(bool active) {
    i_activeB = active;
    SetStacks(!active);
    if (fEditCore) fEditCore->DoActivate(active);
}

void TEditView::DoGainFocus() {
    DoActivate(true);
    if (fEditCore) fEditCore->DoGainFocus();
}

void TEditView::DoLoseFocus() {
    i_activeB = false;
    if (gDo && gDo->GetActiveStacks() == &i_do_stacks) gDo->SetActiveStacks(nullptr);
    if (fEditCore) fEditCore->DoLoseFocus();
}

int32 TEditView::DoPeriodic() {
    if (fEditCore) fEditCore->DoIdle();
    return kDispatchNotHandled;
}

// ---------------------------------------------------------------------------------------------
// Keys and mouse

int32 TEditView::DoKey(int32 keyL) {
    if (!fEditCore) return kDispatchNotHandled;
    const uint32 key = uint32(keyL);
    if (key & kXGKeySpecialFlag) {
        const bool extend = (key & kShiftBit) != 0;
        switch (key & 0xFFFF) {
        case kXGKey_Up:
            fEditCore->DoUpArrow(extend);
            break;
        case kXGKey_Down:
            fEditCore->DoDownArrow(extend);
            break;
        case kXGKey_Left:
            fEditCore->DoLeftArrow(extend);
            break;
        case kXGKey_Right:
            fEditCore->DoRightArrow(extend);
            break;
        case kXGKey_Home:
            fEditCore->Select(0, 0);
            fEditCore->ScrollInRange(0);
            break;
        case kXGKey_End: {
            const int32 end = fEditCore->GetTextLength();
            fEditCore->Select(end, end);
            fEditCore->ScrollInRange(end);
            break;
        }
        case kXGKey_Delete:
        case 0x8D:
            AddCharCmd(int32(key & 0xFFFF));
            break;
        case kXGKey_F1 + 9:
            // Shift+F10, the keyboard's right click: the context menu at the text's top left.
            if (!extend || !i_context_menuP) return kDispatchNotHandled;
            i_context_menuP->PopUp(this, MakePoint(8, 8));
            return kDispatchHandled;
        default:
            return kDispatchNotHandled;
        }
        RecalcScroll();
        return kDispatchHandled;
    }
    if (key & kCommandBits) return kDispatchNotHandled; // Control and Alt keys are commands
    const uint32 ch = key & 0xFFFF;
    if (ch == kXGKeyTabProbe) return kDispatchNotHandled; // let Tab arrive as a character
    if (ch == kXGChar_Backspace || ch == '\r' || ch == '\n' || ch == '\t') {
        AddCharCmd(int32(ch));
    } else if (ch < 0x20 || ch == 0x7F || (ch >= 0xD800 && ch <= 0xDFFF)) {
        return kDispatchNotHandled;
    } else if (ch < 0x80) {
        AddCharCmd(int32(ch));
    } else {
        std::string bytes;
        XGAppendUtf8(bytes, ch);
        PasteTextCmd("Typing", bytes);
    }
    RecalcScroll();
    return kDispatchHandled;
}

void TEditView::DoMouseDown(Point where, uint16 modifiers, int clicks) {
    if (!fEditCore) return;
    // The engine leaves the right button alone: it pops up the context menu, whose command goes
    // to this view (it has the focus now) once the menu has closed.
    if (!fEditCore->DoMouseDown(where, XGEditMouseFlags(modifiers, clicks)) && i_context_menuP)
        i_context_menuP->PopUp(this, where);
}

void TEditView::DoMouseMove(Point where, uint16 modifiers) {
    if (fEditCore) fEditCore->DoMouseMove(where, XGEditMouseFlags(modifiers, 1));
}

void TEditView::DoMouseUp(Point where, uint16 modifiers) {
    if (fEditCore) fEditCore->DoMouseUp(where, XGEditMouseFlags(modifiers, 1));
}

void TEditView::DoDraw(XGDraw& draw, const tagRECT& updateRect) {
    if (fEditCore)
        fEditCore->DoDraw(draw, updateRect);
    else
        draw.EraseRect(updateRect);
}

void TEditView::DoResize() {
    if (fEditCore) {
        fEditCore->SetArea(GetLocalBounds());
        RecalcScroll();
    }
}

int32 TEditView::GetMaxXScroll() const {
    if (!fEditCore) return 0;
    const int32 step = std::max<int32>(1, fEditCore->GetPixelStep());
    return std::max(0, (fEditCore->GetMaxWidth() - GetWidth() + step - 1) / step);
}

int32 TEditView::GetMaxYScroll() const {
    if (!fEditCore) return 0;
    const int32 step = std::max<int32>(1, fEditCore->GetPixelStep());
    return std::max(0, (fEditCore->GetMaxHeight() - GetHeight() + step - 1) / step);
}

void TEditView::RecalcScroll() {
    if (!fEditCore) return;
    const int32 x = std::min(fEditCore->GetXScroll(), GetMaxXScroll());
    const int32 y = std::min(fEditCore->GetYScroll(), GetMaxYScroll());
    fEditCore->SetScrollValue(x, y);
    SyncScroller();
}

void TEditView::SyncScroller() {
    XGScrollView* scroller = XGScrollView::FromContent(this);
    if (!scroller || !fEditCore || i_syncingB) return;
    i_syncingB = true;
    // The bars' unit is the engine's: a line, unless it scrolls by pixels.
    scroller->SetScrollLimits(fEditCore->GetMaxWidth(), fEditCore->GetMaxHeight(), fEditCore->GetPixelStep());
    scroller->SetLineStep(1);
    scroller->SetScrollPosition(fEditCore->GetXScroll(), fEditCore->GetYScroll());
    i_syncingB = false;
}

void TEditView::DoScrollChanged(int32 xUnits, int32 yUnits) {
    if (fEditCore) fEditCore->SetScrollValue(xUnits, yUnits);
}

// ---------------------------------------------------------------------------------------------
// Typing

void TEditView::AddCharCmd(int32 character) {
    if (!fEditCore) return;
    const bool backwards = character == kXGChar_Backspace || character == 0x8D;
    const bool forwards = character == kXGKey_Delete;
    if (!backwards && !forwards) {
        const char one[2] = {char(character), 0};
        AddWordCmd(one);
        return;
    }
    auto* dataP = new EditViewTaskRec;
    dataP->thiz = this;
    dataP->commandS = kEditTask_DELETE;
    fEditCore->GetSelection(dataP->sel, false);
    if (dataP->sel.sel_startL == dataP->sel.sel_endL) {
        const int32 caret = dataP->sel.sel_startL;
        const int32 size = fEditCore->GetTextLength();
        if ((backwards && caret == 0) || (forwards && caret >= size)) {
            delete dataP;
            return;
        }
        // A whole character, so that no UTF-8 sequence is cut in two.
        if (backwards)
            dataP->sel.sel_startL = fEditCore->PrevCharOffset(caret);
        else
            dataP->sel.sel_endL = caret + fEditCore->CharLength(caret);
    }
    dataP->sel.sel_headL = dataP->sel.sel_startL;
    CDoTask::DoNewTask(&CB_S_DoCommandProc, "Delete", &CB_S_DisposeCommandProc, dataP);
}

void TEditView::AddWordCmd(const char* textZ) {
    if (!fEditCore || !textZ) return;
    std::string text(textZ);
    if (text.size() >= 2) {
        const size_t first = text.find_first_not_of(' ');
        text.erase(0, first == std::string::npos ? text.size() : first);
        if (!text.empty() && text.back() == ',') text.pop_back();
    }
    if (!text.empty() && text[0] == '\r') text[0] = '\n';
    if (text.empty()) return;
    if (text[0] == '\n' && gDo) gDo->ForceNotCollapse();
    PasteTextCmd("Typing", text);
}

void TEditView::PasteTextCmd(const char* undoNameZ, const std::string& text) {
    if (!fEditCore || text.empty()) return;
    auto* dataP = new EditViewTaskRec;
    dataP->thiz = this;
    dataP->commandS = kEditTask_INSERT;
    fEditCore->GetSelection(dataP->sel, false);
    dataP->sel.sel_endL = dataP->sel.sel_startL + int32(text.size());
    dataP->sel.sel_headL = dataP->sel.sel_endL;
    dataP->sel.clipH = new XGHandle(text.data(), int32(text.size()));
    CDoTask::DoNewTask(&CB_S_DoCommandProc, undoNameZ, &CB_S_DisposeCommandProc, dataP);
}

// ---------------------------------------------------------------------------------------------
// Tasks

int32 TEditView::CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP) {
    auto* dataP = static_cast<EditViewTaskRec*>(taskP->i_dataP);
    if (!dataP || !dataP->thiz) return 0;
    return dataP->thiz->CB_DoCommandProc(prev_taskP0, dataP, collapseBP);
}

void TEditView::CB_S_DisposeCommandProc(CDoTask* taskP) {
    auto* dataP = static_cast<EditViewTaskRec*>(taskP->i_dataP);
    if (!dataP) return;
    delete dataP->sel.clipH;
    delete dataP->prev_sel.clipH;
    if (dataP->commandS == kEditTask_FONT) DisposeFontTaskData(dataP->dataP);
    delete dataP;
    taskP->i_dataP = nullptr;
}

EditViewTaskRec* TEditView::TextTaskData(CDoTask* taskP) {
    if (!taskP || taskP->i_task_procP != &TEditView::CB_S_DoCommandProc) return nullptr;
    return static_cast<EditViewTaskRec*>(taskP->i_dataP);
}

int32 TEditView::CB_DoCommandProc(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP) {
    if (!fEditCore) return 0;
    switch (dataP->commandS) {
    case kEditTask_INSERT:
        RunInsert(prev_taskP0, dataP, collapseBP);
        break;
    case kEditTask_DELETE:
        RunDelete(prev_taskP0, dataP, collapseBP);
        break;
    case kEditTask_FONT:
        RunFont(prev_taskP0, dataP, collapseBP);
        break;
    default:
        return 0;
    }
    if (dataP->commandS != kEditTask_FONT) AfterTask();
    return 0;
}

void TEditView::RunInsert(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP) {
    if (dataP->prev_sel.clipH) {
        YAAF_ASSERT_DLG(dataP->prev_sel.clipH == NULL);
        delete dataP->prev_sel.clipH;
        dataP->prev_sel.clipH = nullptr;
    }
    fEditCore->GetSelection(dataP->prev_sel, false);
    dataP->prev_sel.existsB = true;
    // The bytes go in before a selection, which stays in the text.
    fEditCore->SetSelection(dataP->sel, true);
    // Auto-indent belongs to the same change, so that Undo takes it away with the line feed.
    if (const int32 indent = fEditCore->GetLastIndent()) {
        dataP->sel.sel_endL += indent;
        dataP->sel.sel_headL = dataP->sel.sel_endL;
    }
    dataP->commandS = kEditTask_DELETE;
    fEditCore->ScrollInRange();
    EditViewTaskRec* prevP = TextTaskData(prev_taskP0);
    if (prevP && prevP->commandS == kEditTask_DELETE && prevP->sel.sel_endL == dataP->sel.sel_startL) {
        // Consecutive typing is one task.
        prevP->sel.sel_endL = dataP->sel.sel_endL;
        prevP->sel.sel_headL = dataP->sel.sel_endL;
        *collapseBP = true;
    }
}

void TEditView::RunDelete(CDoTask* prev_taskP0, EditViewTaskRec* dataP, bool* collapseBP) {
    fEditCore->GetSelection(dataP->sel, true);
    if (dataP->prev_sel.existsB) {
        fEditCore->SetSelection(dataP->prev_sel, false);
        dataP->prev_sel.existsB = false;
    }
    dataP->commandS = kEditTask_INSERT;
    fEditCore->ScrollInRange();
    EditViewTaskRec* prevP = TextTaskData(prev_taskP0);
    if (!prevP) return;
    if (prevP->commandS == kEditTask_INSERT && prevP->sel.sel_startL == dataP->sel.sel_endL &&
        prevP->sel.clipH && dataP->sel.clipH) {
        // A backwards delete just before the one before: one task that holds both bytes.
        prevP->sel.sel_startL = dataP->sel.sel_startL;
        XGHandle* joined = dataP->sel.clipH;
        joined->Append(prevP->sel.clipH->GetData(), prevP->sel.clipH->GetSize());
        delete prevP->sel.clipH;
        prevP->sel.clipH = joined;
        dataP->sel.clipH = nullptr;
        *collapseBP = true;
    } else if (prevP->commandS == kEditTask_DELETE && prevP->sel.sel_endL == dataP->sel.sel_endL &&
               prevP->sel.sel_startL <= dataP->sel.sel_startL) {
        // Deleting the end of just-typed text takes it out of the typing.
        prevP->sel.sel_endL = dataP->sel.sel_startL;
        prevP->sel.sel_headL = dataP->sel.sel_startL;
        *collapseBP = true;
    }
}

void TEditView::AfterTask() {
    RecalcScroll();
}

void TEditView::HistoryStateChanged(uint64 stateL) {
    TEditDoc* docP = i_controllerP ? i_controllerP->GetModel() : nullptr;
    if (!docP) return;
    docP->NoteHistoryState(stateL);
    if (docP->IsDirty() && GetAutoSaveText()) docP->DoDocumentSave();
}
