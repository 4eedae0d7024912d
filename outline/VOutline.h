#pragma once
// The outline view: it shows one topic list in a browser window and turns the mouse, the keys
// and the menu commands into topic operations. It never draws topics itself: it fills a
// drawing record and asks the list to lay out, draw and hit-test. Drawing goes to an offscreen
// buffer that is copied to the screen.
//
// In hierarchic columns each column is an outline view of its own; a selection in one column
// shows the chosen topic's children in the next (SetSubView), and the arrow keys move within
// and across the columns.

#include "COffscreen.h"
#include "OutlineTypes.h"
#include "XGDragDrop.h"
#include "XGScrollView.h"
#include "XGView.h"

#include <memory>
#include <string>

class COutlineDocLink;
class DoStacksOwner;
class VBrowserWindowView;
class VColContainer;
class VColHeader;

namespace yaaf {
class XGContextMenu;
class XGInlineEdit;
} // namespace yaaf

// The commands the outline view answers.
enum : yaaf::int32 {
    kOutlineCmd_ViewAsIcons = 3,
    kOutlineCmd_ViewAsList = 4,
    kOutlineCmd_ViewAsColumns = 5,
    kOutlineCmd_ViewAsFreeform = 6,
    kOutlineCmd_ViewAsFlatColumns = 7,
    kOutlineCmd_ViewAsZoom = 8,
    kOutlineCmd_ViewAsFreeformNew = 9,
    kOutlineCmd_ViewAsFlatColumnsNew = 10,
    kOutlineCmd_SortAscending = 17,
    kOutlineCmd_ShowToolbar = 19,
    kOutlineCmd_ShowStatus = 20,
    kOutlineCmd_SelectAll = 47,
    kOutlineCmd_SelectNone = 48,
    kOutlineCmd_Rename = 60,
    kOutlineCmd_EditTitle = 61,
    kOutlineCmd_FontPanel = 72,
    kOutlineCmd_Smaller = 78,
    kOutlineCmd_Bigger = 79,
    kOutlineCmd_SortAlphabetically = 106,
    kOutlineCmd_Cut = 16899,
    kOutlineCmd_Copy = 16900,
    kOutlineCmd_Paste = 16901,
    kOutlineCmd_Clear = 16902,
    kOutlineCmd_Preferences = 16909,
    kOutlineCmd_Close = 17674,
    kOutlineCmd_AutoSave = 17925,
    kOutlineCmd_SizeToFit = 18949,
    kOutlineCmd_Locked = 18953,
    kOutlineCmd_Hidden = 18954,
    kOutlineCmd_IgnoreLocks = 18956,
    kOutlineCmd_ShowHidden = 18957,
    kOutlineCmd_AlignLeft = 23041,
    kOutlineCmd_AlignBottom = 23044,
};

// The in-place editor's id (the parameter of its 'icls').
constexpr yaaf::int32 kOutlineRenameEditID = 1302;

class VOutline : public yaaf::XGView, public yaaf::XGScrollable, public yaaf::XGDropper {
    YAAF_DECLARE_DISPATCH()
public:
    explicit VOutline(yaaf::int32 id = 12);
    ~VOutline() override;

    // Registers the view kind 'outl' with the view factory.
    static void Register();

    // --- The list and the document
    // Shows listP (none: nothing); the old list forgets this view.
    void SetTopicList(CTopicList* listP);
    CTopicList* GetTopicList() const;
    // The document the view edits (its lists' document), attached as its editor.
    void SetOutline(COutlineDocLink* outlineP);
    COutlineDocLink* GetOutline() const { return i_outlineP; }
    // The browser window view's mode; a view outside a browser window uses its own.
    O_ViewAsType GetViewAs() const;
    void SetStandaloneViewAs(O_ViewAsType viewAs) { i_standalone_view_as = viewAs; }
    bool ShouldRecurse() const { return GetViewAs() == O_ViewAs_LIST; }
    CTopicList* GetVisibleList();
    CTopicList* GetSelected();
    yaaf::int32 CountSelected();
    void SelectAll(bool setB);
    VBrowserWindowView* GetBrowserView() const;

    // --- Layout, drawing and hit testing
    // The topic under the point (view coordinates) with a fresh layout, and the widget hit.
    CTopic* HitTest(yaaf::Point where, yaaf::int16 flags0 = 0, O_DrawRec* recP0 = nullptr);
    // Lays the list out for the view's mode now.
    void UpdateRects();
    yaaf::tagRECT GetContentRect() const { return GetLocalBounds(); }
    // The context topics measure and draw with: the drawing pass's, the buffer's, or a small
    // one of the view's own when there is no buffer (a view of no size).
    yaaf::XGDraw* GetDrawContext();
    // Draws the area into the buffer.
    void DoDrawView(const yaaf::tagRECT& updateR);
    // Board-style drawing of the list into the current context (mode 0: the list's mode).
    void Draw(const yaaf::tagRECT& boundsR, Vorn_ModeType mode);
    CTopic* GetFirstPict() const;
    void DocChanged(bool invalB);
    // Copies the buffer to the screen again.
    void FlushRect(const yaaf::tagRECT& r);
    void InvalView();
    void InvalRect(const yaaf::tagRECT& r) override;
    void InvalTopic(CTopic* topicP, bool whole_viewB);
    // New topics went into a list shown here from index firstL on.
    void TopicsInserted(CTopicList* listP, yaaf::int32 firstL);
    // The list or document is being destroyed: the view lets go of it.
    void ListGone(CTopicList* listP);
    void DocumentGone(COutlineDocLink* outlineP);
    // A topic is being destroyed: every view forgets it.
    static void ForgetTopicEverywhere(const CTopic* topicP);

    // --- Scrolling
    yaaf::XGScrollView* GetScrollView() const;
    void UpdateScrollInfo();
    yaaf::tagRECT GetScrollExtents();
    void RecalcScroll();
    void DoScrollChanged(yaaf::int32 xUnits, yaaf::int32 yUnits) override;

    // --- Hierarchic columns (VOutlineColumns.cpp)
    // Shows listP in the column after this one (none: the empty filler); answers the column's
    // view, or none for the filler. A column already showing listP is kept (*skippedBP true).
    VOutline* SetSubView(CTopicList* listP, bool* skippedBP = nullptr);
    // The column after (false) or before (true) this one, or none.
    VOutline* GetPrevNextColView(bool previousB) const;
    // "vorn://" and the machine name for the first column; for the others the previous
    // column's path, "/" and this column's label.
    void GetFullPath(std::string& path) const;
    std::string GetFullPath() const;
    // The column header: view 11 in list mode, view 14 of the column in columns mode.
    VColHeader* GetHeader() const;
    // The column view (13) holding this outline view in columns mode, or none.
    yaaf::XGView* GetColumnView() const;
    // Brings the topic into view and shows its path in the path bar.
    void RevealTopic(CTopic* topicP);
    yaaf::int32 CB_Column(V_IterColType type, yaaf::int32 indexL, V_IterCol_CountRec* recP);
    yaaf::int32 CB_View(O_IterViewType type, yaaf::int32 indexL, void* data);

    // --- Editing in place (VOutlineCommands.cpp)
    void Rename(CTopic* topicP);
    yaaf::int32 DoInlineClose();
    yaaf::XGInlineEdit* GetRenameEdit() const { return i_renameTE; }
    void CloseRename();

    // --- Messages
    yaaf::int32 DoKey(yaaf::int32 msg);
    yaaf::int32 DoPeriodic();
    yaaf::int32 DoMenuCommand(yaaf::int32 command);
    yaaf::int32 DoGetMenuStatusPre();
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* statusP);
    yaaf::int32 DoGetMenuStatusPost();
    void SetStacks(bool clearB);
    void ShowBrowserPane(bool showB, yaaf::int32 paneID);
    // Brings the footer and information bar up to date with the counts.
    void UpdateBars();

    // --- Drop target
    bool Accept(yaaf::uint16 modifiers, yaaf::int32 itemRef, yaaf::FourCharCode flavorType) override;
    bool DropStart(yaaf::Point dropPt, yaaf::uint16 mods) override;
    void Drop(yaaf::Point dropPt, yaaf::uint16 mods, yaaf::int32 itemRef, yaaf::FourCharCode flavor,
              const void* dataP, yaaf::int32 dataLen) override;
    void Track(yaaf::Point where, yaaf::uint16 mods) override;
    void DragLeave() override;

    // The marquee being dragged (view coordinates), empty when none.
    yaaf::tagRECT GetMarqueeRect() const { return i_marqueeR; }

    // Fields, in the order of the design, then this system's own.
    CTopicList* i_listP = nullptr;
    yaaf::XGDraw* i_drawP = nullptr;
    yaaf::int32 i_scrollH = 0;
    yaaf::int32 i_scrollV = 0;
    double i_scaleY = 1.0;
    double i_scaleX = 1.0;
    bool i_sel_changedB = false;
    bool i_inline_closingB = false;
    std::unique_ptr<COffscreen> i_offsP;
    yaaf::XGDraw* i_view_contextP = nullptr;
    yaaf::XGDraw* i_self_contextP = nullptr;
    yaaf::tagRECT i_drawR;
    CTopic* i_recentTopicP = nullptr;
    CTopic* i_renameTopicP = nullptr;
    yaaf::XGInlineEdit* i_renameTE = nullptr;
    yaaf::int32 i_renameFontRefcount = 0;
    std::unique_ptr<yaaf::XGDragReceiver> i_dragReceiverP;
    CTopicList* i_selectionP = nullptr;
    bool i_startupB = true;
    bool i_new_itemB = false;
    CTopicList* i_new_item_prev_selP = nullptr;
    std::unique_ptr<yaaf::XGContextMenu> i_context_menuP;
    yaaf::XGView* i_sub_viewP = nullptr;
    // The zoom mode's cell size in percent ("[" and "]").
    yaaf::int32 i_zoomPercentL = 100;
    bool i_live_resizeB = false;

    // Scroll units of the outline view and of the column container, in pixels.
    static constexpr yaaf::int32 kScrollUnit = 21;
    static constexpr yaaf::int32 kZoomMinPercent = 25;
    static constexpr yaaf::int32 kZoomMaxPercent = 400;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
    void DoMouseDown(yaaf::Point where, yaaf::uint16 modifiers, int clicks) override;
    void DoMouseMove(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoMouseUp(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoResize() override;
    void DoGainFocus() override;
    void DoLoseFocus() override;

private:
    // Keys and mouse (VOutlineInput.cpp).
    void ArrowInColumn(bool upB);
    void MoveToColumn(bool rightB);
    void ClickTopic(CTopic* topicP, yaaf::int32 widget, yaaf::int16 flags);
    void AfterColumnClick(CTopic* topicP);
    void LaunchSelection();
    void MarqueeEnd(const yaaf::tagRECT& r);
    static yaaf::int16 ClickFlags(yaaf::uint16 modifiers);

    DoStacksOwner* FindStacksOwner() const;
    void SetRecentTopic(CTopic* topicP);
    static void CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon);

    yaaf::int32 HandleKey(yaaf::int32 param, void*) { return DoKey(param); }
    yaaf::int32 HandlePeriodic(yaaf::int32, void*) { return DoPeriodic(); }
    yaaf::int32 HandleInlineClose(yaaf::int32 param, void* data);
    yaaf::int32 HandleMenu(yaaf::int32 param, void*) { return DoMenuCommand(param); }
    yaaf::int32 HandleStatusPre(yaaf::int32, void*) { return DoGetMenuStatusPre(); }
    yaaf::int32 HandleStatus(yaaf::int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<yaaf::XGSMenuStatus*>(data));
    }
    yaaf::int32 HandleStatusPost(yaaf::int32, void*) { return DoGetMenuStatusPost(); }
    yaaf::int32 HandleHeaderChange(yaaf::int32 param, void* data);
    yaaf::int32 HandleHeaderPass(yaaf::int32, void*) { return yaaf::kDispatchNotHandled; }

    COutlineDocLink* i_outlineP = nullptr;
    O_ViewAsType i_standalone_view_as = O_ViewAs_NONE;
    // Measuring without a buffer.
    std::unique_ptr<COffscreen> i_measureOffsP;
    // The mouse: a press on empty space becomes a click or a marquee.
    enum TrackState { kTrack_NONE, kTrack_PENDING_EMPTY, kTrack_MARQUEE };
    TrackState i_trackState = kTrack_NONE;
    yaaf::Point i_pressPt;
    bool i_rightB = false;
    bool i_keepSelB = false;
    yaaf::tagRECT i_marqueeR;
    std::unique_ptr<DoStacksOwner> i_ownStacksP;
};
