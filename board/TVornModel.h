#pragma once
// The board document: it owns the board's items, its selection and settings, switches between
// Edit Mode and Go Mode, lays items out in flat columns and resolves where generated output
// goes.

#include "VornImportType.h"
#include "VornItemTypes.h"
#include "VornPrefsTypes.h"
#include "XGDocument.h"
#include "XGFont.h"
#include "XGTypes.h"

#include <memory>
#include <string>

namespace yaaf {
class XGDraw;
class XGDocForm;
class XGFileSpecifier;
class XGFile;
class XGFileStream;
} // namespace yaaf

class CItemArray;
class CVornItem;
class CVornViewLink;
class TVornController;

constexpr int kVornMaxColumns = 20;

class TVornModel : public yaaf::XGDocument {
    YAAF_DECLARE_DISPATCH()
public:
    TVornModel();
    ~TVornModel() override;

    // Items.
    void InsertItem(CVornItem* itemP, yaaf::int32 indexL);
    void DeleteItem(CVornItem* itemP, bool uncacheB);
    // As DeleteItem, with the item's position in i_list when the caller knows it (no index
    // when it does not).
    void DeleteItemAt(CVornItem* itemP, yaaf::int32 indexL, bool uncacheB);
    CVornItem* AddItem(CVornItem* new_itemP);
    CVornItem* AddWord(const char* wordZ);
    CVornItem* AddFileItem(const yaaf::XGFileSpecifier* fileSpecP);
    CVornItem* AddReturnBeforeSelection();
    CVornItem* AddNumerology(bool summationB);
    static yaaf::int32 Numer_Reduce(yaaf::int32 numberL);
    // The numerology sum over every item of the board.
    yaaf::int32 NumerologyTotal();

    // Selection and groups (the caller owns the arrays answered).
    CItemArray* GetItemGroup(yaaf::int16 taType);
    CItemArray* GetItemSelection();
    CItemArray* GetBackgrounds();
    void SetFlags(yaaf::int16 taType, bool value);
    void SelectAll(bool selectB);
    void SetSelection(CItemArray* arrayP);
    void RedrawItems(CItemArray* arrayP);
    CVornItem* HitTest(const yaaf::Point* pointP, yaaf::int32* subHitType);
    CVornItem* GetFirstPict();

    // Generator target.
    bool IsTargetVorn() const;
    yaaf::XGDocForm* GetTargetController(bool* is_newBP0);
    TVornModel* GetTarget(bool* newBP);
    void GenerateList(CItemArray* listP, TVornModel* dest_vornP);

    // Modes, layout, drawing.
    Vorn_ModeType GetMode() const { return i_prefs.mode; }
    void SetGoMode(bool goB);
    void UpdateInGoMode();
    void AutoLayout(bool doc_changedB, Vorn_ModeType mode);
    // The column rectangles for a content rectangle (what AutoLayout computes first).
    void ComputeColumns(const yaaf::tagRECT& contentR);
    yaaf::tagRECT GetColumn(yaaf::int16 indexS) const;
    void GetScrollExtents(yaaf::tagRECT* rectP);
    void Draw(yaaf::XGDraw* drawP, const yaaf::tagRECT* inRectP, Vorn_ModeType mode);
    bool IsFlatColumns() const { return i_prefs.view_as == O_ViewAs_FLAT_COL; }

    Vorn_WindowModelRec* GetWindowModelP(Vorn_ModeType mode);
    void StoreScrollPos(yaaf::int32 h, yaaf::int32 v);
    void RetrieveScrollPos(yaaf::int32* hP, yaaf::int32* vP);
    void StoreWindowR(Vorn_ModeType mode, const yaaf::tagRECT* rectP);
    void RetrieveWindowR(Vorn_ModeType mode, yaaf::tagRECT* rectP);

    // Idle.
    void IdleMe(CVornItem* itemP, bool addB);
    void Idle();

    // Document.
    std::string GetDocumentName();
    char* GetDocumentName(char* nameZ, size_t size);
    bool IsDocumentDirty() const { return i_slightly_dirtyB || IsDirty(); }
    void DocumentChanged() { SetDirty(true); }
    void DocumentSaved();
    bool IsFolderDocument() const;
    // Writes the board to its file; a board without one (new, converted from an old version, or
    // read from a folder) asks for a name first. False when cancelled or failed (reported).
    bool DoDocumentSave();
    bool DoDocumentSaveAs();
    yaaf::XGSaveDialogSpec GetSaveDialogSpec() const override;
    // Prints the board as its window shows it, on one page; answers the pages printed (0 when
    // cancelled or without a view to draw through).
    yaaf::int32 DoPrintDocument();
    void ConvertToHeir() {}

    // The board file (TVornModelFile.cpp). The document's read and write report their own
    // failures; the others answer false.
    bool ReadDocument() override;
    bool WriteDocument() override;
    bool DoOpenDocument(const yaaf::XGFileSpecifier& spec);
    bool DoReadDocument(yaaf::XGFile& f);
    bool DoWriteDocument(yaaf::XGFile& f);
    bool ReadModel(yaaf::XGFileStream& f);
    bool WriteModel(yaaf::XGFileStream& f);
    static void AppendExtension(yaaf::XGFileSpecifier* specP);

    // Appends the items read from a file or folder and selects them; true on success. Items
    // taken in before a failure stay (built with the board view's import).
    bool Import(Vorn_ImportType importType, const yaaf::XGFileSpecifier* cfileSpecP);

    // The font of the board's settings (i_prefs.font) that new items take: one font, which
    // the items share until one of them is changed.
    const yaaf::XGFont& GetItemFont();

    // The board view, through the form; none without a window.
    CVornViewLink* GetView() const;
    yaaf::int32 DoMenuCommand(yaaf::int32 command) override;
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* status) override;

    TVornController* i_controllerP;
    yaaf::XGDocForm* i_target_controllerP;
    yaaf::XGDraw* i_drawP;
    double i_scaleX;
    double i_scaleY;
    // The board point shown at the window's corner in Go Mode: the corner of the Go Mode picture,
    // which need not be the board's origin when a background item gives the picture its area.
    yaaf::int32 i_go_originH = 0;
    yaaf::int32 i_go_originV = 0;
    yaaf::int32 i_scrollH;
    yaaf::int32 i_scrollV;
    bool i_importingB;
    bool i_can_be_dirtyB;
    bool i_slightly_dirtyB;
    bool i_update_in_go_modeB;
    CItemArray* i_idle_list;
    CItemArray* i_list;
    CItemArray* i_hiddenA;
    CItemArray* i_picsA;
    yaaf::int16 i_columnS;
    yaaf::tagRECT i_colA[kVornMaxColumns];
    bool i_old_versB;
    bool i_init_firstB;
    Vorn_PrefsRec i_prefs;

    // Set while the flat-column walk has passed the last column: the remaining items stay.
    bool i_layout_fullB = false;

private:
    std::unique_ptr<yaaf::XGFont> i_itemFontP;
    yaaf::XGSFontResource i_itemFontRes{};

    void RedrawArea(CItemArray* arrayP);
    void DeselectFromCopy();
    void DisposeItems();
    // Invalidates the area of the board that items cover, with room for their handles.
    void InvalArea(yaaf::tagRECT r);
    void EnterGoMode();
    void LeaveGoMode();
};
