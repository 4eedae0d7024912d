#define VORN_UNIT "TVornModel.cpp"
#include "TVornModel.h"

#include "CDo.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornList.h"
#include "CVornPrefs.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "VornBoardAssert.h"
#include "VornBoardWindows.h"
#include "VornErrors.h"
#include "VornFileFormat.h"
#include "VornLog.h"
#include "VornRecentFiles.h"
#include "VornWindowInit.h"
#include "XGAlert.h"
#include "XGDocForm.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TVornModel)
YAAF_DISPATCH_END(TVornModel, XGDocument)

namespace {
constexpr int32 kCmd_PageSetup = 35;
constexpr int32 kCmd_Print = 36;
constexpr int32 kCmd_Save = 17675;

// Groups are usually a good part of the board: room for all at once keeps filling them linear.
int32 GroupCapacity(int32 count) {
    return count <= kItemArray_Grow ? kItemArray_Grow
                                    : ((count + kItemArray_Grow - 1) / kItemArray_Grow) * kItemArray_Grow;
}

// The dialog asked about replacing the name chosen, not the one with ".2dv" added: a file of
// that name is replaced only when the user says so.
bool AskReplace(const XGFileSpecifier& spec) {
    const ErrorMessageText message = GetErrorMessage(kErr_FileExists);
    XGAlertRequest request;
    request.kind = XGAlertKind::kCaution;
    request.title = message.title.empty() ? std::string("File exists") : message.title;
    request.text = "\"" + spec.GetName() + "\": " + message.text;
    request.buttons = {{"No", 'N'}, {"Yes", 'Y'}};
    request.defaultIndex = 0;
    request.cancelIndex = 0;
    return XGShowAlert(request) == 1;
}

// UnionRect of an area with one rectangle after another, from an empty area, in registers: an
// empty area is replaced by the next rectangle, an empty rectangle leaves a non-empty area.
class AreaUnion {
public:
    void Add(const tagRECT& r) {
        if (!EmptyRect(r)) {
            if (i_emptyB) {
                i_r = r;
                i_emptyB = false;
                return;
            }
            i_r.left = std::min(i_r.left, r.left);
            i_r.top = std::min(i_r.top, r.top);
            i_r.right = std::max(i_r.right, r.right);
            i_r.bottom = std::max(i_r.bottom, r.bottom);
        } else if (i_emptyB) {
            i_r = r;
        }
    }
    tagRECT Get() const { return i_r; }

private:
    tagRECT i_r{};
    bool i_emptyB = true;
};

bool FormIsAlive(const XGDocForm* formP) {
    return VornWindow_FormIsOpen(formP);
}
} // namespace

TVornModel::TVornModel()
    : i_controllerP(nullptr), i_target_controllerP(nullptr), i_drawP(nullptr), i_scaleX(1.0), i_scaleY(1.0),
      i_scrollH(0), i_scrollV(0), i_importingB(false), i_can_be_dirtyB(true), i_slightly_dirtyB(false),
      i_update_in_go_modeB(false), i_idle_list(nullptr), i_list(nullptr), i_hiddenA(nullptr),
      i_picsA(nullptr), i_columnS(1), i_colA{}, i_old_versB(false), i_init_firstB(true), i_prefs{} {
    i_list = new CItemArray;
    i_idle_list = new CItemArray;
    if (!i_list->IsValid() || !i_idle_list->IsValid()) Log("oops, that didn't work\n");
    // The board's walks read the list's copy of its items' flags and bounds.
    i_list->KeepHotData(this);
    if (gVornPrefsP) {
        gVornPrefsP->Get_VornModelPrefs(i_prefs);
    } else {
        i_prefs.num_columnsS = 4;
        i_prefs.view_as = O_ViewAs_FREEFORM;
        i_prefs.sort_by = O_Sort_NAME;
        std::strcpy(i_prefs.font.name, "Arial");
        i_prefs.font.size = 12;
    }
    // The count, the mode and the window records are the board's own, not the defaults'.
    i_prefs.array_sizeS = 0;
    i_prefs.mode = Vorn_Mode_EDIT;
    i_prefs.wind_go = Vorn_WindowModelRec{};
    i_prefs.wind_edit = Vorn_WindowModelRec{};
    i_prefs.wind_gen = Vorn_WindowModelRec{};
    if (gVornListP) gVornListP->Add(this);
}

TVornModel::~TVornModel() {
    delete i_idle_list;
    i_idle_list = nullptr;
    delete i_hiddenA;
    i_hiddenA = nullptr;
    delete i_picsA;
    i_picsA = nullptr;
    if (i_list) DisposeItems();
    delete i_list;
    i_list = nullptr;
    if (gVornListP) gVornListP->Remove(this);
}

const XGFont& TVornModel::GetItemFont() {
    if (!i_itemFontP || std::memcmp(&i_itemFontRes, &i_prefs.font, sizeof i_itemFontRes) != 0) {
        auto fontP = std::make_unique<XGFont>();
        fontP->SetFontResource(i_prefs.font);
        i_itemFontP = std::move(fontP);
        i_itemFontRes = i_prefs.font;
    }
    return *i_itemFontP;
}

// The board's items go with it, last first, each as the reverse walk of ItemA_Iterate_DISPOSE
// takes it (DeleteFromList(true)): it leaves the list, its information dialog is closed, its
// picture released and the item destroyed. The board is going: what it keeps of its list (the
// item count, the other lists, the view's selection mark) is brought up to date once, not after
// every item.
void TVornModel::DisposeItems() {
    if (!i_list->HotReady()) {
        i_list->IterateReverse(ItemA_Iterate_DISPOSE, nullptr);
        return;
    }
    const int32 n = i_list->Count();
    for (int32 i = n - 1; i >= 0; --i) {
        // An item of another board takes its own way out, which may take others with it.
        if (i >= i_list->Count()) continue;
        CVornItem* itemP = i_list->Items()[i];
        if (i_list->HotWords()[i] & CItemArray::kHot_Foreign) {
            itemP->CB_Iterate(i_list, i, ItemA_Iterate_DISPOSE, nullptr);
            continue;
        }
        i_list->RemoveAt(i);
        itemP->i_indexL = i;
        if (itemP->i_getInfoP) {
            CGetInfoDlg* dlgP = itemP->i_getInfoP;
            itemP->i_getInfoP = nullptr;
            Vorn_DisposeInfoDlg(dlgP);
        }
        itemP->UnCacheItem();
        delete itemP;
    }
    i_prefs.array_sizeS = int16(i_list->Count());
    for (CItemArray* listP : {i_idle_list, i_hiddenA, i_picsA})
        if (listP) listP->RemoveAll();
    if (n > 0)
        if (CVornViewLink* view = GetView()) view->SetSelChanged(true);
}

CVornViewLink* TVornModel::GetView() const {
    return i_controllerP ? i_controllerP->i_viewP : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Items

void TVornModel::InsertItem(CVornItem* itemP, int32 indexL) {
    if (!(itemP->i_vornP && itemP->i_vornP == this)) {
        VORN_ASSERT_DLG(itemP->i_vornP && itemP->i_vornP == this);
        itemP->i_vornP = this;
    }
    if (CVornViewLink* view = GetView()) view->SetSelChanged(true);
    itemP->UseAutoBounds(IsFlatColumns());
    i_list->InsertAt(itemP, indexL);
    i_prefs.array_sizeS = int16(i_list->Count());
    // A load that ran while the item was outside the board is handed over here.
    if (itemP->IsLoading() && i_idle_list && !i_idle_list->Member(itemP)) i_idle_list->Add(itemP);
}

void TVornModel::DeleteItem(CVornItem* itemP, bool uncacheB) {
    DeleteItemAt(itemP, kNoIndex, uncacheB);
}

void TVornModel::DeleteItemAt(CVornItem* itemP, int32 indexL, bool uncacheB) {
    if (indexL >= 0 && indexL < i_list->Count() && i_list->Items()[indexL] == itemP)
        i_list->RemoveAt(indexL);
    else
        i_list->Remove(itemP);
    i_prefs.array_sizeS = int16(i_list->Count());
    // No list of the board may keep an item that leaves it.
    for (CItemArray* listP : {i_idle_list, i_hiddenA, i_picsA})
        if (listP && listP->Count() > 0) listP->Remove(itemP);
    if (CVornViewLink* view = GetView()) view->SetSelChanged(true);
    if (itemP->i_getInfoP) {
        CGetInfoDlg* dlgP = itemP->i_getInfoP;
        itemP->i_getInfoP = nullptr;
        Vorn_DisposeInfoDlg(dlgP);
    }
    if (uncacheB) {
        itemP->UnCacheItem();
        delete itemP;
    } else {
        itemP->i_vornP = nullptr;
    }
}

CVornItem* TVornModel::AddItem(CVornItem* new_itemP) {
    new_itemP->i_b.set_selectedB(false);
    new_itemP->i_b.set_hiddenB(false);
    const XGDateTime now = XGDateTime::Now();
    new_itemP->i_resource.source.date = now;
    if (new_itemP->i_resource.dest.date.GetDayCount() == 0) new_itemP->i_resource.dest.date = now;
    new_itemP->UnCacheItem();
    CVornItemRect& r = new_itemP->i_boundsR;
    OffsetRect(r, -r.left, -r.top);
    if (i_list->Count() > 0) OffsetRect(r, 0, i_list->GetIndItem(-1)->i_boundsR.bottom + 1);
    new_itemP->i_vornP = this;
    InsertItem(new_itemP, -1);
    new_itemP->SizeToFit();
    if (CVornViewLink* view = GetView()) {
        view->SetSelChanged(true);
        view->DocChanged(true);
    } else {
        DocumentChanged();
    }
    return new_itemP;
}

CVornItem* TVornModel::AddWord(const char* wordZ) {
    auto* itemP = new CVornItem(this, kNoIndex);
    CVornItem::Vorn_SetText(itemP->i_resource.source.content, wordZ ? wordZ : "");
    itemP->i_resource.source.date = XGDateTime::Now();
    return AddItem(itemP);
}

CVornItem* TVornModel::AddFileItem(const XGFileSpecifier* fileSpecP) {
    auto* itemP = new CVornItem(this, kNoIndex);
    if (fileSpecP) {
        CVornItem::Vorn_SetText(itemP->i_resource.source.content, fileSpecP->GetName().c_str());
        itemP->i_resource.dest.content.type = LinkType_FILE;
        itemP->i_resource.dest.content.u.fileP = new XGFileSpecifier(*fileSpecP);
    }
    return AddItem(itemP);
}

CVornItem* TVornModel::AddReturnBeforeSelection() {
    CItemArray* selP = GetItemSelection();
    CVornItem* itemP = AddWord("\r");
    if (selP && selP->Count() > 0) i_list->Reorder(itemP, selP->GetIndItem(0));
    delete selP;
    return itemP;
}

int32 TVornModel::NumerologyTotal() {
    int32 sum = 0;
    i_list->Iterate(ItemA_Iterate_NUMEROLOGY, &sum);
    return sum;
}

CVornItem* TVornModel::AddNumerology(bool summationB) {
    int32 total = 0;
    if (CItemArray* selP = GetItemSelection()) {
        selP->Iterate(ItemA_Iterate_NUMEROLOGY, &total);
        delete selP;
    }
    if (!summationB) total = Numer_Reduce(total);
    char text[32];
    std::snprintf(text, sizeof text, "%ld", long(total));
    return AddWord(text);
}

int32 TVornModel::Numer_Reduce(int32 numberL) {
    char text[32];
    std::snprintf(text, sizeof text, "%ld", long(numberL));
    int32 sum = 0;
    for (const char* p = text; *p; ++p)
        sum += *p - '0';
    return sum;
}

// ---------------------------------------------------------------------------------------------
// Selection and groups

CItemArray* TVornModel::GetItemGroup(int16 taType) {
    auto* groupP = new CItemArray(GroupCapacity(i_list->Count()));
    if (!groupP->IsValid()) {
        delete groupP;
        return nullptr;
    }
    i_list->Iterate(taType, groupP);
    return groupP;
}

CItemArray* TVornModel::GetItemSelection() {
    return GetItemGroup(ItemA_Iterate_GET_SELECTED);
}

CItemArray* TVornModel::GetBackgrounds() {
    return GetItemGroup(ItemA_Iterate_GET_BACKGROUNDS);
}

void TVornModel::SetFlags(int16 taType, bool value) {
    bool v = value;
    i_list->Iterate(taType, &v);
    if (CVornViewLink* view = GetView()) view->InvalView();
}

void TVornModel::SelectAll(bool selectB) {
    if (selectB) {
        SetFlags(ItemA_Iterate_SELECT_UNLOCKED, true);
        return;
    }
    if (i_list->HotReady()) {
        DeselectFromCopy();
        return;
    }
    CItemArray* selP = GetItemSelection();
    if (!selP) return;
    bool off = false;
    selP->Iterate(ItemA_Iterate_SELECT_UNLOCKED, &off);
    if (g_suppressFlushL == 0) RedrawArea(selP);
    delete selP;
}

// SelectAll(false) in one pass over the list's copy of the flags: the selected items are
// deselected where unlocked and visible, and the area they all cover (as RedrawArea takes it)
// is redrawn, without gathering them first or reading the others.
void TVornModel::DeselectFromCopy() {
    if (i_list->HotSelectedCount() == 0) return;
    CVornViewLink* view = GetView();
    constexpr uint32 kSelected = CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kSelected);
    // The area the selection covers, from the copy of every item's current rectangle.
    const bool redrawB = g_suppressFlushL == 0 && view;
    AreaUnion area;
    if (redrawB) {
        const uint32* wordsP = i_list->HotWords();
        const tagRECT* boundsP = i_list->HotBounds();
        for (int32 i = 0; i < i_list->Count(); ++i)
            if (wordsP[i] & kSelected) area.Add(boundsP[i]);
    }
    uint32 skipMask = 0;
    if (!i_prefs.b.ignore_locksB()) skipMask |= CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kLocked);
    if (GetMode() == Vorn_Mode_GO || !i_prefs.b.ignore_hiddenB())
        skipMask |= CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kHidden);
    auto foreign = [](void* refcon, int32 i) {
        auto* listP = static_cast<CItemArray*>(refcon);
        bool off = false;
        listP->Items()[i]->CB_Iterate(listP, i, ItemA_Iterate_SELECT_UNLOCKED, &off);
    };
    if (i_list->SetFlagFromCopy(Vorn_ItemBoolsRec_DISK::kSelected, false, kSelected, skipMask, false, foreign, i_list))
        if (view && !view->GetSelChanged()) view->SetSelChanged(true);
    if (redrawB) InvalArea(area.Get());
}

void TVornModel::SetSelection(CItemArray* arrayP) {
    SelectAll(false);
    if (!arrayP) return;
    ItemA_Iterate_SELECTData on{true};
    arrayP->Iterate(ItemA_Iterate_SELECT, &on);
    if (g_suppressFlushL == 0) RedrawArea(arrayP);
}

void TVornModel::RedrawItems(CItemArray* arrayP) {
    RedrawArea(arrayP);
}

void TVornModel::RedrawArea(CItemArray* arrayP) {
    CVornViewLink* view = GetView();
    if (!view || !arrayP || arrayP->Count() == 0) return;
    tagRECT r{};
    ItemA_Iterate_MOVEData rec;
    rec.updateRP = &r;
    arrayP->Iterate(ItemA_Iterate_MOVE, &rec);
    InvalArea(r);
}

void TVornModel::InvalArea(tagRECT r) {
    CVornViewLink* view = GetView();
    if (!view) return;
    r.left -= 6;
    r.top -= 6;
    r.right += 6;
    r.bottom += 6;
    OffsetRect(r, i_scrollH, i_scrollV);
    view->InvalRect(r);
}

CVornItem* TVornModel::HitTest(const Point* pointP, int32* subHitType) {
    Vorn_HitTestRec rec;
    rec.subHitTypeP = subHitType;
    rec.thePt = *pointP;
    // The selected items first, last to first, then all of them.
    CVornItem* const* itemsP = i_list->Items();
    if (i_list->HotReady() && i_list->HotSelectedCount() > 0) {
        const uint32* wordsP = i_list->HotWords();
        constexpr uint32 kSelected = CItemArray::HotBit(Vorn_ItemBoolsRec_DISK::kSelected);
        for (int32 i = i_list->Count() - 1; i >= 0 && !rec.returnItemP; --i)
            if (wordsP[i] & kSelected) itemsP[i]->CB_Iterate(i_list, i, ItemA_Iterate_HIT_TEST, &rec);
    }
    for (int32 i = i_list->KeepsHotData() ? -1 : i_list->Count() - 1; i >= 0 && !rec.returnItemP; --i) {
        // The items are separate objects: ask for the coming ones early.
        if (i >= 8) __builtin_prefetch(itemsP[i - 8]);
        CVornItem* itemP = itemsP[i];
        if (itemP->i_b.selectedB()) itemP->CB_Iterate(i_list, i, ItemA_Iterate_HIT_TEST, &rec);
    }
    if (!rec.returnItemP) i_list->IterateReverse(ItemA_Iterate_HIT_TEST, &rec);
    if (rec.returnItemP && GetMode() == Vorn_Mode_GO && i_list->Count() > 0 &&
        rec.returnItemP == i_list->GetIndItem(0))
        return nullptr;
    return rec.returnItemP;
}

CVornItem* TVornModel::GetFirstPict() {
    return i_list->Count() > 0 ? i_list->GetIndItem(0) : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Generator target

bool TVornModel::IsTargetVorn() const {
    return i_prefs.b.numerB() || i_prefs.b.gen_vorn_B();
}

XGDocForm* TVornModel::GetTargetController(bool* is_newBP0) {
    const bool gen_vornB = IsTargetVorn();
    if (i_target_controllerP != nullptr) VORN_ASSERT_DLG(i_target_controllerP == NULL);
    if (!gVornListP) {
        VORN_ASSERT_DLG(gVornListP);
        return nullptr;
    }
    CVornList& reg = *gVornListP;
    XGDocForm* shared = reg.GetSharedTarget();
    // A target whose window has gone is forgotten rather than used.
    if (shared && !FormIsAlive(shared)) {
        reg.RemoveTarget(shared);
        shared = nullptr;
    }
    if (gen_vornB && shared && !dynamic_cast<TVornController*>(shared)) {
        reg.DropSharedTarget();
        shared = nullptr;
    }
    if (!shared) {
        i_target_controllerP = reg.GetTarget(this, gen_vornB);
        if (is_newBP0) *is_newBP0 = false;
    } else {
        i_target_controllerP = shared;
    }
    if (!reg.GetSharedTarget()) {
        XGDocForm* formP = nullptr;
        XGWindow* windowP =
            InitWindow_Vorn(gen_vornB ? Vorn_WindowInit_NEW_VORN : Vorn_WindowInit_NEW_TEXT, nullptr, &formP);
        if (windowP && !formP) formP = dynamic_cast<XGDocForm*>(windowP->GetForm());
        if (windowP && formP) {
            reg.SetSharedTarget(formP);
            i_target_controllerP = formP;
            if (is_newBP0) *is_newBP0 = true;
            if (!EmptyRect(i_prefs.wind_gen.posR)) VornWindow_SetBounds(windowP, i_prefs.wind_gen.posR);
            VornWindow_Show(windowP, VornWindowShow::kShow);
        }
    }
    if (!i_target_controllerP) ReportErrorStr(-1, "Could not open a new window (out of memory?)");
    return i_target_controllerP;
}

TVornModel* TVornModel::GetTarget(bool* newBP) {
    bool localNew = false;
    bool& newB = newBP ? *newBP : localNew;
    newB = false;
    if (i_prefs.b.numerB()) i_target_controllerP = nullptr;
    if (i_target_controllerP && !FormIsAlive(i_target_controllerP)) i_target_controllerP = nullptr;
    if (!i_target_controllerP) {
        GetTargetController(&newB);
        if (i_controllerP) VornWindow_Show(i_controllerP->GetWindow(), VornWindowShow::kFront);
        if (newB) {
            if (auto* tc = dynamic_cast<TVornController*>(i_target_controllerP)) {
                TVornModel* target_vornP = tc->i_modelP;
                if (!target_vornP) {
                    VORN_ASSERT_DLG(target_vornP);
                } else {
                    target_vornP->i_prefs.view_as =
                        i_prefs.b.gen_backgroundB() ? O_ViewAs_FREEFORM : O_ViewAs_FLAT_COL;
                    target_vornP->i_prefs.b.set_sep_linesB(true);
                    target_vornP->i_prefs.b.set_numerB(false);
                }
            }
        }
    }
    if (auto* tc = dynamic_cast<TVornController*>(i_target_controllerP)) return tc->i_modelP;
    return nullptr;
}

void TVornModel::GenerateList(CItemArray* listP, TVornModel* dest_vornP) {
    if (!listP) return;
    CVornViewLink* destViewP = dest_vornP ? dest_vornP->GetView() : nullptr;
    if (!destViewP) {
        listP->Iterate(ItemA_Iterate_GENERATE, nullptr);
        return;
    }
    destViewP->EndInPlaceEdit();
    CDo_ScGroup group("Insert Generated Selection", destViewP->GetStacks());
    listP->Iterate(ItemA_Iterate_GENERATE, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Idle

void TVornModel::IdleMe(CVornItem* itemP, bool addB) {
    if (!i_idle_list) return;
    const bool memberB = i_idle_list->Member(itemP);
    if (addB) {
        if (!memberB) i_idle_list->Add(itemP);
    } else if (!memberB) {
        VORN_ASSERT_DLG(memberB);
    } else {
        i_idle_list->Remove(itemP);
    }
}

void TVornModel::Idle() {
    if (i_idle_list && i_idle_list->Count() > 0) i_idle_list->IterateReverse(ItemA_Iterate_IDLE, nullptr);
}

// ---------------------------------------------------------------------------------------------
// Document

std::string TVornModel::GetDocumentName() {
    if (HasFile()) return GetFile().GetName();
    char name[64];
    std::snprintf(name, sizeof name, "Untitled Vorn %lu", static_cast<unsigned long>(GetUntitledNumber()));
    return name;
}

char* TVornModel::GetDocumentName(char* nameZ, size_t size) {
    const std::string name = GetDocumentName();
    if (size == 0) return nameZ;
    std::strncpy(nameZ, name.c_str(), size - 1);
    nameZ[size - 1] = '\0';
    return nameZ;
}

void TVornModel::DocumentSaved() {
    SetDirty(false);
    i_slightly_dirtyB = false;
}

bool TVornModel::IsFolderDocument() const {
    return HasFile() && GetFile().IsFolder();
}

bool TVornModel::DoDocumentSave() {
    // A board opened from a folder is not saved over the folder: it asks for a file, as a new
    // board does.
    if (!HasFile() || IsFolderDocument()) return DoDocumentSaveAs();
    if (!WriteDocument()) return false;
    if (i_controllerP)
        i_controllerP->DoDocumentSaved();
    else
        DocumentSaved();
    return true;
}

XGSaveDialogSpec TVornModel::GetSaveDialogSpec() const {
    return {"Vorn Document", {"Vorn Documents (*.2dv)"}, kVornFileExtension};
}

bool TVornModel::DoDocumentSaveAs() {
    XGFileSpecifier chosen;
    const VornBoardWindowOps& ops = VornBoardWindows();
    if (!ops.chooseSaveFile || !ops.chooseSaveFile(GetSaveDialogSpec(), GetDocumentName(), chosen))
        return false;
    // A board file always ends in ".2dv": it is added to another extension rather than put in
    // its place, so that the name chosen is kept and no other file is written over unasked.
    if (chosen.GetExtension() != kVornFileExtension) {
        chosen = XGFileSpecifier(chosen.GetFullPath() + "." + kVornFileExtension);
        if (chosen.Exists() && !AskReplace(chosen)) return false;
    }
    if (chosen.IsFolder()) {
        Error(kErr_CreateFile, chosen.GetName().c_str());
        return false;
    }
    const XGFileSpecifier previous = GetFile();
    SetFile(chosen);
    if (!WriteDocument()) {
        SetFile(previous);
        return false;
    }
    VornNoteRecentFile(GetFile().GetFullPath());
    if (i_controllerP) {
        i_controllerP->DoDocumentSaved();
        i_controllerP->DoDocumentRenamed();
    } else {
        DocumentSaved();
    }
    return true;
}

int32 TVornModel::DoPrintDocument() {
    const VornBoardWindowOps& ops = VornBoardWindows();
    return ops.print ? ops.print(*this) : 0;
}

int32 TVornModel::DoMenuCommand(int32 command) {
    switch (command) {
    case kCmd_PageSetup:
        if (VornBoardWindows().pageSetup) VornBoardWindows().pageSetup();
        return kDispatchHandled;
    case kCmd_Print:
        DoPrintDocument();
        return kDispatchHandled;
    case kCmd_Save:
        DoDocumentSave();
        return kDispatchHandled;
    default:
        return kDispatchNotHandled;
    }
}

int32 TVornModel::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    if (command == kCmd_PageSetup || command == kCmd_Print || command == kCmd_Save) {
        if (status) status->enable = true;
        return kDispatchHandled;
    }
    return kDispatchNotHandled;
}
