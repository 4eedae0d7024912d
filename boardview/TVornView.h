#pragma once
// The view of a board window: it shows one board and turns the mouse, the keys, drag and drop
// and the document's events into changes of the board, each an undoable board task. It draws
// the board into an offscreen buffer and copies only what changed to the screen, edits titles
// and contents in place, moves and sizes items live, makes items from a rectangle dragged on
// empty space, takes files, web addresses and items from other boards, and in Go Mode
// generates the clicked item and passes typed keys to the generator target.
//
// The mouse is followed by a small state machine fed by press, move and release: each gesture
// (a click on empty space, a rectangle, a click on an item, a live move or size, a click in Go
// Mode) starts at the press, follows the moves and ends at the release with the same tasks the
// gesture makes when the view follows the mouse itself.

#include "COffscreen.h"
#include "CVornViewLink.h"
#include "VornImportType.h"
#include "VornItemTypes.h"
#include "XGDragDrop.h"
#include "XGScrollView.h"
#include "XGView.h"

#include <memory>
#include <string>

class CDoTask;
class CItemArray;
class CVornScanner;
class CVornItem;
class DoStacksOwner;
class TVornController;
class TVornView;
struct DoVornCommandDataRec;

namespace yaaf {
class XGContextMenu;
class XGDraw;
class XGDragger;
class XGFileSpecifier;
class XGInlineEdit;
} // namespace yaaf

// The flavor of board items dragged from a board.
constexpr yaaf::FourCharCode kVornFlavor_Items = 'VoIt';

// What travels with items dragged from a board (flavor 'VoIt', copied by value). Its pointers
// are only good inside this program while the drag runs: a drop checks it against the drag in
// progress before using it.
struct VornItemDragRec {
    CItemArray* arrayP = nullptr; // the dragged items (the source's selection)
    yaaf::Point offsetPt;         // where the drag began, in the source view
    TVornView* orig_viewP = nullptr;
    bool duplicateB = false; // Alt was held when the drag began
};

// The in-place editor's id (the parameter of its 'icls').
constexpr yaaf::int32 kVornRenameEditID = 1301;

// The board view commands that keys send and that are handled here.
enum : yaaf::int32 {
    kVornCmd_ViewAsFreeform = 6,
    kVornCmd_ViewAsFlatColumns = 7,
    kVornCmd_SelectAll = 47,
    kVornCmd_SelectNone = 48,
    kVornCmd_AddColumn = 58,
    kVornCmd_RemoveColumn = 59,
    kVornCmd_EditTitle = 61,
    kVornCmd_EditContent = 62,
    kVornCmd_Smaller = 78,
    kVornCmd_Bigger = 79,
    kVornCmd_Clear = 16902,
    kVornCmd_GoMode = 17921,
    kVornCmd_EditMode = 17922,
};

class TVornView : public yaaf::XGView,
                  public CVornViewLink,
                  public yaaf::XGDropper,
                  public yaaf::XGScrollable {
    YAAF_DECLARE_DISPATCH()
public:
    TVornView();
    ~TVornView() override;

    // Registers the view kind 'Vorn' with the view factory.
    static void Register();

    // --- CVornViewLink
    yaaf::XGView* GetLinkView() override { return this; }
    TVornModel* GetVornModel() const override { return i_modelP; }
    void AttachModel(TVornModel* modelP, TVornController* controllerP) override;
    void DocChanged(bool invalB) override;
    void SetSelChanged(bool changedB) override { i_sel_changedB = changedB; }
    bool GetSelChanged() const override { return i_sel_changedB; }
    void InvalView() override;
    void InvalRect(const yaaf::tagRECT& r) override;
    void FlushRect(const yaaf::tagRECT& r) override;
    void EndInPlaceEdit() override;
    CVornItem* GetRenameItem() const override { return i_renameItemP; }
    void SetStacks(bool clear) override;
    DoStacksContainer* GetStacks() override;
    void AddItemCmd(CVornItem* itemP, const char* undoNameZ) override;
    void AddWordCmd(const char* wordZ, const char* undoNameZ) override;
    yaaf::tagRECT GetContentRect() const override;
    void* GetDrawContext() override;
    yaaf::int16 GetLastColIndex() const override;
    void DoViewCommand(yaaf::int32 command) override;
    void StoreWindowModel() override;
    void RetrieveWindowModel() override;
    void ShowViewPane(yaaf::int16 pane, bool showB) override;

    // --- Board tasks: the task procedures and the additions that make them.
    static yaaf::int32 CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP);
    static void CB_S_DisposeCommandProc(CDoTask* taskP);
    yaaf::int32 CB_DoCommandProc(CDoTask* prev_taskP0, DoVornCommandDataRec* dataP, bool* collapseBP);
    void CB_DisposeCommandProc(DoVornCommandDataRec* dataP);
    // Take the item (off the board) and prev_selP (the selection to restore on undo, or none).
    bool AddItemCmd(CVornItem* itemP, const char* doStrZ, CItemArray* prev_selP);
    bool AddWordCmd(const char* wordZ, const char* doStrZ, CItemArray* prev_selP);

    // --- Messages
    yaaf::int32 DoKey(yaaf::int32 msg);
    yaaf::int32 DoPeriodic();
    yaaf::int32 DoInlineClose();
    yaaf::int32 DoMenuCommand(yaaf::int32 command, void* dataP = nullptr);
    yaaf::int32 DoGetMenuStatusPre();
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* statusP);
    yaaf::int32 DoGetMenuStatusPost();
    // The Font menu (TVornViewFontCommands.cpp): each answers false for other commands.
    static bool IsFontCommand(yaaf::int32 command);
    bool GetFontCommandStatus(yaaf::int32 command, yaaf::XGSMenuStatus* statusP);
    bool DoFontCommand(yaaf::int32 command, void* dataP);
    // Generating, numerology, repairs and the target; the window's bars and Close
    // (TVornViewGenerateCommands.cpp): each answers false for other commands.
    bool DoGenerateCommand(yaaf::int32 command);
    bool DoWindowCommand(yaaf::int32 command);
    bool IsGeneratorTarget() const;
    // The board as an outline: in this window (as Icons, as List, as Heirarchic Columns, as
    // Zoom) or in a new outline window (15) (TVornViewOutline.cpp). Available when the outline
    // browser is; false for other commands. After showing the board as an outline this view is
    // gone: nothing of it may be touched.
    static bool OutlineCommandsAvailable();
    bool DoOutlineCommand(yaaf::int32 command);
    // Cut, Copy and Paste (TVornViewClipboard.cpp), Import (TVornViewImport.cpp), and the items
    // made or remade by Randomize, Size to Fit, the two inserts and Set as Background
    // (TVornViewItemCommands.cpp, which also passes on to the other two). Each answers -1 for
    // other commands.
    yaaf::int32 DoItemCommand(yaaf::int32 command);
    yaaf::int32 DoClipboardCommand(yaaf::int32 command);
    yaaf::int32 DoImportCommand(yaaf::int32 command);
    // Whether the clipboard holds items of a board.
    static bool ClipboardHoldsItems();
    // The selection to the clipboard; false (the clipboard as it was) when it could not be.
    bool CopySelectionToClipboard();
    // The clipboard's items into the board as one undoable step, in front of the selection; a
    // clipboard that cannot be read is refused with a beep, the board and selection unchanged.
    bool PasteFromClipboard();
    // Imports the file or folder as one undoable step; false (and a beep) when the import failed.
    bool ImportFile(Vorn_ImportType type, const yaaf::XGFileSpecifier& source);

    // --- Window and document events
    void DoActivate(bool active);
    void DoSizeView();
    void WindowMoved() override;
    void DoDocumentInitialize() {}
    void DoDocumentTerminate() {}
    void DoDocumentChanged() {}
    void DoDocumentRevert() { InvalView(); }
    void DoDocumentSaved() {}
    void DoDocumentRenamed() {}

    // --- Drawing and scrolling
    // Draws the board's area rect into the buffer (or, without one, nowhere: the next paint
    // then draws straight onto the view).
    void DoDrawView(const yaaf::tagRECT& rect);
    // The whole view is drawn again.
    void DrawVornModel();
    void UpdateScrollInfo();
    void RecalcScroll() override;
    // The scroll view around the view, or none.
    yaaf::XGScrollView* GetScrollView() const;
    void DoScrollChanged(yaaf::int32 xUnits, yaaf::int32 yUnits) override;

    // --- Editing in place
    // Opens the editor over the item: its title, or its content when i_rename_contentB is set.
    void Rename(CVornItem* itemP);
    yaaf::XGInlineEdit* GetRenameEdit() const { return i_renameTE; }
    bool IsNewItemEdit() const { return i_new_itemB; }

    // --- Selection and dragging
    // Starts following the selection from wherePt: a live move or size in freeform, a drag of
    // the items otherwise (and with Alt).
    void DragSelection(yaaf::Point wherePt, yaaf::int16 handleType);
    void MoveSelection(yaaf::Point wherePt, yaaf::int16 handleType, bool reorderB, CItemArray* in_selP,
                       bool duplicateB);
    yaaf::int32 CountSelected();
    // The selected items (the caller's), or none rather than an empty array.
    CItemArray* NonEmptySelection() const;
    // Whether a gesture of the mouse is being followed.
    bool IsTracking() const { return i_track.state != kTrack_NONE; }
    // The rectangle being dragged on empty space (view coordinates), empty when none.
    yaaf::tagRECT GetMarqueeRect() const;

    // --- Drop target
    bool Accept(yaaf::uint16 modifiers, yaaf::int32 itemRef, yaaf::FourCharCode flavorType) override;
    bool DropStart(yaaf::Point dropPt, yaaf::uint16 mods) override;
    void Drop(yaaf::Point dropPt, yaaf::uint16 mods, yaaf::int32 itemRef, yaaf::FourCharCode flavor,
              const void* dataP, yaaf::int32 dataLen) override;
    void Track(yaaf::Point where, yaaf::uint16 mods) override;
    void DropEnd(yaaf::Point dropPt, yaaf::uint16 mods) override;
    void DragLeave() override;
    CVornItem* GetRecentItem() const { return i_recentItemP; }

    // The text the footer shows for the pointer (the item's content, else its title).
    const std::string& GetHoverText() const { return i_hoverText; }

    // --- Switch scanning and the keyboard highlight in Go Mode (TVornViewScan.cpp)
    // The view's scanner (made when first needed), brought up to date with the board and the
    // preferences: what the periodic tick does.
    CVornScanner* GetScanner();
    void ScanPeriodic();
    // The keys of the highlight: answers whether the key was taken.
    bool DoScanKey(yaaf::uint32 key);
    // The width of the highlight's mark, in pixels.
    static constexpr yaaf::int16 kScanMarkWidth = 6;

    // The drag in progress from any board view, or none.
    static const VornItemDragRec* GetActiveDrag();

    // The view of a board, or none when the board has no view of this class.
    static TVornView* FromModel(TVornModel* modelP);

    TVornController* i_controllerP = nullptr;
    TVornModel* i_modelP = nullptr;
    bool i_sel_changedB = false;
    bool i_inline_closingB = false;
    bool i_startupB = true;
    bool i_new_itemB = false;
    bool i_rename_contentB = false;
    CItemArray* i_new_item_prev_selP = nullptr;
    CVornItem* i_recentItemP = nullptr;
    CVornItem* i_renameItemP = nullptr;
    yaaf::XGInlineEdit* i_renameTE = nullptr;
    yaaf::int32 i_renameFontRefcount = 0;
    CItemArray* i_selectionP = nullptr;
    yaaf::tagRECT i_drawR;

protected:
    void DoDraw(yaaf::XGDraw& draw, const yaaf::tagRECT& updateRect) override;
    void DoMouseDown(yaaf::Point where, yaaf::uint16 modifiers, int clicks) override;
    void DoMouseMove(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoMouseUp(yaaf::Point where, yaaf::uint16 modifiers) override;
    void DoResize() override;
    void DoGainFocus() override;
    void DoLoseFocus() override;

private:
    // The gestures of the mouse.
    enum TrackState {
        kTrack_NONE,
        kTrack_PENDING_EMPTY, // pressed on empty space: a click or a rectangle
        kTrack_MARQUEE,       // a rectangle follows the pointer
        kTrack_PENDING_ITEM,  // pressed on an item: a click or a drag
        kTrack_MOVE,          // the selection moves or sizes with the pointer
        kTrack_GO_CLICK,      // an item of a board in Go Mode follows the click
    };
    // A point of the board (the view's point less the scroll position): it can lie beyond
    // 16 bits.
    struct BoardPoint {
        yaaf::int32 h = 0;
        yaaf::int32 v = 0;
    };
    struct TrackRec {
        TrackState state = kTrack_NONE;
        yaaf::Point pressPt;     // view coordinates
        BoardPoint pressBoardPt; // the press point on the board
        BoardPoint lastBoardPt;  // where the moving items stand, on the board
        yaaf::Point lastPt;      // the last pointer position, view coordinates
        yaaf::uint16 flags = 0;
        yaaf::int16 tool = 1; // 1 the arrow, 4 select by rectangle
        bool rightB = false;
        bool toggleB = false;
        CItemArray* keptSelP = nullptr; // the selection when a rectangle began
        CVornItem* itemP = nullptr;
        yaaf::int32 subHit = 0;
        bool wasSelectedB = false;
        bool altB = false;
        bool editOpenB = false;
        CItemArray* selP = nullptr; // the items moving
        yaaf::int16 handleType = 1;
        bool insideB = false;
        yaaf::tagRECT marqueeR; // view coordinates, normalized
    };

    // The board draws into the view's context while a press or a drop is handled.
    class ScViewDraw {
    public:
        explicit ScViewDraw(TVornView* viewP);
        ~ScViewDraw();
        ScViewDraw(const ScViewDraw&) = delete;
        ScViewDraw& operator=(const ScViewDraw&) = delete;

    private:
        TVornModel* i_modelP;
        yaaf::XGDraw* i_prevP = nullptr;
    };

    // Mouse (TVornViewMouse.cpp).
    void PressEmpty(yaaf::Point where, yaaf::uint16 flags);
    void PressItem(CVornItem* itemP, yaaf::int32 subHit, yaaf::Point where, yaaf::uint16 flags);
    void ReleaseEmpty();
    void MarqueeStart(yaaf::Point where);
    void MarqueeTrack(yaaf::Point where);
    yaaf::tagRECT MarqueeEnd();
    void FinishMarquee(const yaaf::tagRECT& r);
    void MakeItemFromRect(yaaf::tagRECT r);
    void LiveMoveTrack(yaaf::Point where);
    void LiveMoveEnd(yaaf::Point where);
    void GoClickTrack(yaaf::Point where);
    void GoClickEnd(yaaf::Point where);
    // Ends a gesture that is in the way of a command or key: a live move is kept where it is
    // (as at a release), a rectangle or a click is dropped.
    void FinishTracking();
    void ClearTrack();
    void Hover(yaaf::Point where);
    bool AutoScroll(yaaf::Point where);
    bool ItemContains(CVornItem* itemP, yaaf::Point pt);
    BoardPoint ToBoard(yaaf::Point viewPt) const;
    void PopUpContextMenu(yaaf::Point where);

    // Keys (TVornViewKeys.cpp).
    void Nudge(yaaf::int16 dv, yaaf::int16 dh);
    // Where Shift+F10 opens the context menu.
    yaaf::Point ContextMenuPoint();
    bool PassKeyToTarget(yaaf::int32 msg);

    // Editing (TVornViewEdit.cpp).
    void FindMissingPicture(CVornItem* itemP);
    yaaf::tagRECT EditorBounds(CVornItem* itemP);
    void CloseEditor(bool acceptB);

    // Drops (TVornViewDrop.cpp).
    // Runs the platform's drag loop with the items of the record.
    void RunItemDrag(const VornItemDragRec& rec);
    void DropFromOutside(yaaf::Point dropPt, CVornItem* targetP);
    void DropItems(const VornItemDragRec& rec, yaaf::Point dropPt, CVornItem* targetP, bool copyB);
    void SetRecentItem(CVornItem* itemP);

    // Items (TVornViewItemCommands.cpp).
    void Randomize();
    void SizeSelectionToFit();
    void InsertItemAfterSelection();
    void InsertReturn();
    void SetAsBackground();

    // Scanning (TVornViewScan.cpp).
    void DrawScanHighlight(yaaf::XGDraw& draw);
    yaaf::tagRECT ScanHighlightArea();
    void ScanChanged();
    void GenerateChosen(CVornItem* itemP);
    void StopScanning();

    // Drawing (TVornView.cpp).
    void DrawOverlays(yaaf::XGDraw& draw, const yaaf::tagRECT& r);
    void InvalOverlay(const yaaf::tagRECT& r, yaaf::int32 width);
    yaaf::tagRECT ItemArea(CVornItem* itemP);
    void UpdateBars();
    static void CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon);
    DoStacksOwner* FindStacksOwner() const;
    void ReleaseModel();

    yaaf::int32 HandleKey(yaaf::int32 param, void*) { return DoKey(param); }
    yaaf::int32 HandleSystemKey(yaaf::int32 param, void*);
    yaaf::int32 HandlePeriodic(yaaf::int32, void*) { return DoPeriodic(); }
    yaaf::int32 HandleInlineClose(yaaf::int32 param, void* data);
    yaaf::int32 HandleMenu(yaaf::int32 param, void* data) { return DoMenuCommand(param, data); }
    yaaf::int32 HandleStatusPre(yaaf::int32, void*) { return DoGetMenuStatusPre(); }
    yaaf::int32 HandleStatus(yaaf::int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<yaaf::XGSMenuStatus*>(data));
    }
    yaaf::int32 HandleStatusPost(yaaf::int32, void*) { return DoGetMenuStatusPost(); }

    std::unique_ptr<COffscreen> i_offsP;
    // The drawing context the view draws into: the buffer's, or none without a buffer.
    yaaf::XGDraw* i_self_contextP = nullptr;
    // The context of the paint pass in progress (the view's own), none outside one.
    yaaf::XGDraw* i_view_contextP = nullptr;
    std::unique_ptr<yaaf::XGContextMenu> i_context_menuP;
    std::unique_ptr<yaaf::XGDragReceiver> i_dragReceiverP;
    // Undo stacks of the view's own when it is not inside a board window's root view.
    std::unique_ptr<DoStacksOwner> i_ownStacksP;
    TrackRec i_track;
    // The area of the buffer that must be drawn again before it is copied to the screen.
    yaaf::tagRECT i_pendingR;
    std::string i_hoverText;
    // Closing the editor came from a cancel (Escape).
    bool i_edit_cancelB = false;
    bool i_autosave_failedB = false;
    std::unique_ptr<CVornScanner> i_scannerP;
    // Where the highlight's mark was last drawn (view coordinates), empty when nowhere.
    yaaf::tagRECT i_scanR;
};
