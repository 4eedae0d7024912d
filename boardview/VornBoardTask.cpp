#define VORN_UNIT "VornBoardTask.cpp"
#include "VornBoardTask.h"

#include "CDo.h"
#include "CDoTask.h"
#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "XGDateTime.h"
#include "XGFileSpecifier.h"
#include "XGFont.h"
#include "XGGeometry.h"

#include <limits>
#include <new>
#include <string>
#include <utility>
#include <vector>

using namespace yaaf;

namespace {

// Holds back drawing to the screen while a task is half done.
class ScSuppressFlush {
public:
    ScSuppressFlush() { ++g_suppressFlushL; }
    ~ScSuppressFlush() { --g_suppressFlushL; }
    ScSuppressFlush(const ScSuppressFlush&) = delete;
    ScSuppressFlush& operator=(const ScSuppressFlush&) = delete;
};

// What a lock or hide task sets, and each item's flags from before its last run: undo gives every
// item back its own flag (a mixed selection stays mixed) and the selection from before.
struct VornMenuInfoTaskData {
    ItemA_Iterate_SET_MENU_INFOData info;
    std::vector<uint8> earlierA; // per item of selP: bit 0 locked, bit 1 hidden
    bool appliedB = false;       // the next run undoes
};

// The link that a title or content task puts in place at its next run. It never holds a
// picture: the item's own is released before the two are exchanged.
struct VornTextTaskData {
    Vorn_LinkContent other;
};

// The font change asked for (first, so that the record reads as the change), and the fonts of
// the items from before the last run. Stepping sizes back is not enough to undo: a size that
// would fall to 1 or below is refused, and a face or style set replaces what was there.
struct VornFontTaskData {
    XGFontChangeRec rec;
    std::vector<XGFont> otherA;
    bool savedB = false;
};

// The link of a title or content task holds no picture.
void DisposeLinkPayload(Vorn_LinkContent& content) {
    if (IsTextType(content.type))
        delete content.u.textP;
    else if (IsFileType(content.type))
        delete content.u.fileP;
    content.u.textP = nullptr;
    content.type = LinkType_NONE;
}

// Items off the board are the task's: they go with it.
void DisposeItems(CItemArray* arrayP) {
    if (arrayP) arrayP->IterateReverse(ItemA_Iterate_DISPOSE, nullptr);
}

bool SameItems(const CItemArray* a, const CItemArray* b) {
    return a && b && *a == *b;
}

bool FitsInShort(int32 value) {
    return value >= std::numeric_limits<int16>::min() && value <= std::numeric_limits<int16>::max();
}

bool KeepsSelection(int32 commandL) {
    return commandL == kVornTaskCmd_ViewAsFreeform || commandL == kVornTaskCmd_ViewAsFlatColumns ||
           commandL == kVornTaskCmd_SetBackground || commandL == kVornTaskCmd_SortItems ||
           commandL == kVornTaskCmd_RandomizeItems;
}

// What a text becomes as a link: a web picture, a web address or a plain text.
uint8 ClassifyText(const char* textZ) {
    if (!StringIsURL(textZ)) return LinkType_TEXT;
    return URLStringIsPic(textZ) ? LinkType_PICT_URL : LinkType_URL;
}

// The record of a task made here, or none.
DoVornCommandDataRec* RecordOf(CDoTask* taskP) {
    if (!taskP || taskP->i_task_procP != &BoardTask_CB_S_DoCommandProc) return nullptr;
    return static_cast<DoVornCommandDataRec*>(taskP->i_dataP);
}

// ---------------------------------------------------------------------------------------------
// One run of each kind

void RunInsert(TVornModel* modelP, DoVornCommandDataRec* recP) {
    if (!recP->prev_selP) recP->prev_selP = modelP->GetItemSelection();
    if (recP->selP) recP->selP->Iterate(ItemA_Iterate_INSERT, modelP);
    modelP->SetSelection(recP->selP);
    recP->commandS = VornTask_REMOVE;
}

void RunRemove(TVornModel* modelP, DoVornCommandDataRec* recP) {
    if (recP->selP) recP->selP->IterateReverse(ItemA_Iterate_REMOVE, nullptr);
    if (recP->prev_selP) {
        modelP->SetSelection(recP->prev_selP);
        delete recP->prev_selP;
        recP->prev_selP = nullptr;
    }
    recP->commandS = VornTask_INSERT;
}

void RunExchange(TVornModel* modelP, DoVornCommandDataRec* recP) {
    if (recP->numberL == kVornTaskCmd_ViewAsFreeform || recP->numberL == kVornTaskCmd_ViewAsFlatColumns) {
        const int32 oldL = modelP->i_prefs.view_as;
        modelP->i_prefs.view_as = O_ViewAsType(recP->numberL - 2);
        recP->numberL = oldL + 2;
    }
    if (recP->selP) recP->selP->IterateReverse(ItemA_Iterate_REMOVE, nullptr);
    if (recP->prev_selP) recP->prev_selP->Iterate(ItemA_Iterate_INSERT, modelP);
    std::swap(recP->selP, recP->prev_selP);
    if (!KeepsSelection(recP->numberL)) modelP->SetSelection(recP->selP);
}

void RunText(TVornModel* modelP, DoVornCommandDataRec* recP) {
    auto* dataP = static_cast<VornTextTaskData*>(recP->dataP);
    if (!dataP || !recP->selP || recP->selP->Count() != 1) {
        VORN_ASSERT_DLG(dataP && recP->selP && recP->selP->Count() == 1);
        return;
    }
    CVornItem* itemP = recP->selP->GetIndItem(0);
    const bool titleB = recP->commandS == VornTask_TITLE;
    Vorn_LinkContent& lnk = *itemP->ResolveRef(titleB ? Vorn_Ref_SRC : Vorn_Ref_DEST);
    if (titleB) {
        // The picture goes with the old title; a load that has ended but not been handed over
        // would otherwise be reported as failed once its picture is gone.
        itemP->UnCacheItem();
        if (modelP->i_idle_list && modelP->i_idle_list->Member(itemP)) modelP->IdleMe(itemP, false);
    }
    Vorn_LinkContent& other = dataP->other;
    std::swap(lnk.type, other.type);
    std::swap(lnk.u, other.u);
    std::swap(lnk.origR, other.origR);
    if (titleB && (lnk.type == LinkType_PICT_URL || lnk.type == LinkType_PICT_FILE))
        itemP->CacheItem(false, false, 0);
    modelP->SetSelection(recP->selP);
}

void RunFont(CDoTask* prev_taskP0, TVornModel* modelP, DoVornCommandDataRec* recP, bool* collapseBP) {
    auto* dataP = static_cast<VornFontTaskData*>(recP->dataP);
    if (!dataP || !recP->selP) return;
    CItemArray& items = *recP->selP;
    if (!dataP->savedB) {
        dataP->otherA.reserve(size_t(items.Count()));
        for (int32 i = 0; i < items.Count(); ++i)
            dataP->otherA.push_back(items.GetIndItem(i)->i_font);
        dataP->savedB = true;
        items.Iterate(ItemA_Iterate_SET_FONT, &dataP->rec);
    } else {
        for (int32 i = 0; i < items.Count() && size_t(i) < dataP->otherA.size(); ++i)
            std::swap(items.GetIndItem(i)->i_font, dataP->otherA[size_t(i)]);
    }
    modelP->SetSelection(recP->selP);
    dataP->rec.sizeS = int16(-dataP->rec.sizeS);

    // The task before keeps the fonts from before both changes, so undoing it undoes both.
    DoVornCommandDataRec* prevP = RecordOf(prev_taskP0);
    if (!prevP || prevP->commandS != VornTask_FONT || !SameItems(prevP->selP, recP->selP)) return;
    auto* prevDataP = static_cast<VornFontTaskData*>(prevP->dataP);
    if (!prevDataP || !FitsInShort(int32(prevDataP->rec.sizeS) + dataP->rec.sizeS)) return;
    prevDataP->rec.sizeS = int16(prevDataP->rec.sizeS + dataP->rec.sizeS);
    *collapseBP = true;
}

void RunMove(CDoTask* prev_taskP0, CVornViewLink* viewP, TVornModel* modelP, DoVornCommandDataRec* recP,
             bool* collapseBP) {
    auto* moveP = static_cast<ItemA_Iterate_MOVEData*>(recP->dataP);
    if (!moveP || !recP->selP) return;
    tagRECT updateR{};
    moveP->updateRP = &updateR;
    recP->selP->Iterate(ItemA_Iterate_MOVE, moveP);
    moveP->updateRP = nullptr;
    if (!moveP->dont_set_selB) {
        // What was selected until now is drawn without its selection marks.
        if (CItemArray* curP = modelP->GetItemSelection()) {
            ItemA_Iterate_MOVEData collect;
            collect.updateRP = &updateR;
            curP->Iterate(ItemA_Iterate_MOVE, &collect);
            delete curP;
        }
        modelP->SetSelection(recP->selP);
    }
    InsetRect(updateR, -6, -6);
    OffsetRect(updateR, modelP->i_scrollH, modelP->i_scrollV);
    viewP->RecalcScroll();
    viewP->InvalRect(updateR);
    viewP->DocChanged(false);
    moveP->offset.h = int16(-moveP->offset.h);
    moveP->offset.v = int16(-moveP->offset.v);

    // Mouse moves are fenced by partition marks, so only nudges of the same items meet here.
    DoVornCommandDataRec* prevP = RecordOf(prev_taskP0);
    if (!prevP || prevP->commandS != VornTask_MOVE || !SameItems(prevP->selP, recP->selP)) return;
    auto* prevMoveP = static_cast<ItemA_Iterate_MOVEData*>(prevP->dataP);
    if (!prevMoveP) return;
    const int32 h = int32(prevMoveP->offset.h) + moveP->offset.h;
    const int32 v = int32(prevMoveP->offset.v) + moveP->offset.v;
    // A sum past 16 bits could not be undone: the nudge then stays a task of its own.
    if (!FitsInShort(h) || !FitsInShort(v)) return;
    prevMoveP->offset.h = int16(h);
    prevMoveP->offset.v = int16(v);
    *collapseBP = true;
}

void RunMenuInfo(TVornModel* modelP, DoVornCommandDataRec* recP) {
    auto* dataP = static_cast<VornMenuInfoTaskData*>(recP->dataP);
    if (!dataP || !recP->selP) return;
    CItemArray& items = *recP->selP;
    if (!dataP->appliedB) {
        if (!recP->prev_selP) recP->prev_selP = modelP->GetItemSelection();
        dataP->earlierA.resize(size_t(items.Count()));
        for (int32 i = 0; i < items.Count(); ++i) {
            const CVornItem* itemP = items.GetIndItem(i);
            dataP->earlierA[size_t(i)] =
                uint8((itemP->i_b.lockedB() ? 1 : 0) | (itemP->i_b.hiddenB() ? 2 : 0));
        }
        // Items that become locked or hidden leave the selection.
        items.Iterate(ItemA_Iterate_SET_MENU_INFO, &dataP->info);
        dataP->appliedB = true;
        return;
    }
    for (int32 i = 0; i < items.Count() && size_t(i) < dataP->earlierA.size(); ++i) {
        CVornItem* itemP = items.GetIndItem(i);
        const uint8 earlier = dataP->earlierA[size_t(i)];
        if (dataP->info.set_lockedB) itemP->i_b.set_lockedB((earlier & 1) != 0);
        if (dataP->info.set_hiddenB) itemP->i_b.set_hiddenB((earlier & 2) != 0);
    }
    if (recP->prev_selP) modelP->SetSelection(recP->prev_selP);
    dataP->appliedB = false;
}

void RunColumns(TVornModel* modelP, DoVornCommandDataRec* recP) {
    if (recP->numberL == kVornTaskCmd_AddColumn) {
        ++modelP->i_prefs.num_columnsS;
        recP->numberL = kVornTaskCmd_RemoveColumn;
    } else if (recP->numberL == kVornTaskCmd_RemoveColumn) {
        --modelP->i_prefs.num_columnsS;
        recP->numberL = kVornTaskCmd_AddColumn;
    }
}

void RunShapes(DoVornCommandDataRec* recP) {
    if (recP->selP) recP->selP->Iterate(recP->commandS, nullptr);
    recP->commandS = recP->commandS == VornTask_SHAPES_OFF ? VornTask_SHAPES_ON : VornTask_SHAPES_OFF;
}

// ---------------------------------------------------------------------------------------------
// Making a task

// Frees what the record holds, by the state it is in; the record itself stays.
void FreeRecordParts(DoVornCommandDataRec& rec) {
    switch (rec.commandS) {
    case VornTask_INSERT:
        DisposeItems(rec.selP);
        delete rec.prev_selP;
        break;
    case VornTask_REMOVE:
        delete rec.prev_selP;
        break;
    case VornTask_EXCHANGE:
        DisposeItems(rec.prev_selP);
        delete rec.prev_selP;
        break;
    case VornTask_TITLE:
    case VornTask_CONTENT:
        if (auto* dataP = static_cast<VornTextTaskData*>(rec.dataP)) {
            DisposeLinkPayload(dataP->other);
            delete dataP;
        }
        break;
    case VornTask_FONT:
        delete static_cast<VornFontTaskData*>(rec.dataP);
        break;
    case VornTask_MOVE:
        delete static_cast<ItemA_Iterate_MOVEData*>(rec.dataP);
        break;
    case VornTask_MENU_INFO:
        delete static_cast<VornMenuInfoTaskData*>(rec.dataP);
        delete rec.prev_selP;
        break;
    default:
        break;
    }
    delete rec.selP;
    rec.selP = rec.prev_selP = nullptr;
    rec.dataP = nullptr;
}

// The parts of a task that got no record: freed as a record of that kind would free them.
void DisposeParts(int16 commandS, CItemArray* selP, CItemArray* prev_selP, void* dataP) {
    DoVornCommandDataRec parts;
    parts.commandS = commandS;
    parts.selP = selP;
    parts.prev_selP = prev_selP;
    parts.dataP = dataP;
    FreeRecordParts(parts);
}

// Builds the record around the parts (which it takes) and does it as a new task.
bool DoBoardTask(CVornViewLink* viewP, int16 commandS, CItemArray* selP, CItemArray* prev_selP, void* dataP,
                 int32 numberL, const char* nameZ) {
    if (!viewP || !viewP->GetVornModel()) {
        VORN_ASSERT_DLG(viewP && viewP->GetVornModel());
        DisposeParts(commandS, selP, prev_selP, dataP);
        return false;
    }
    auto* recP = new (std::nothrow) DoVornCommandDataRec;
    if (!recP) {
        DisposeParts(commandS, selP, prev_selP, dataP);
        return false;
    }
    recP->thiz = viewP;
    recP->commandS = commandS;
    recP->selP = selP;
    recP->prev_selP = prev_selP;
    recP->dataP = dataP;
    recP->numberL = numberL;
    // Without a task, or without stacks to file it on, the record is freed by the dispose
    // procedure and the change is not made.
    return CDoTask::DoNewTask(&BoardTask_CB_S_DoCommandProc, nameZ, &BoardTask_CB_S_DisposeCommandProc, recP);
}

// A new array that holds the one item, or none.
CItemArray* ArrayOf(CVornItem* itemP) {
    auto* arrayP = new (std::nothrow) CItemArray;
    if (arrayP && (!arrayP->IsValid() || arrayP->Add(itemP) != 0)) {
        delete arrayP;
        arrayP = nullptr;
    }
    return arrayP;
}

bool IsValidArray(const CItemArray* arrayP) {
    return arrayP && arrayP->IsValid();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The procedures

int32 BoardTask_CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP) {
    auto* recP = taskP ? static_cast<DoVornCommandDataRec*>(taskP->i_dataP) : nullptr;
    if (!recP) return 0;
    return BoardTask_CB_DoCommandProc(prev_taskP0, recP, collapseBP);
}

void BoardTask_CB_S_DisposeCommandProc(CDoTask* taskP) {
    if (!taskP) return;
    auto* recP = static_cast<DoVornCommandDataRec*>(taskP->i_dataP);
    taskP->i_dataP = nullptr;
    BoardTask_CB_DisposeCommandProc(recP);
}

int32 BoardTask_CB_DoCommandProc(CDoTask* prev_taskP0, DoVornCommandDataRec* recP, bool* collapseBP) {
    CVornViewLink* viewP = recP->thiz;
    TVornModel* modelP = viewP ? viewP->GetVornModel() : nullptr;
    if (!modelP) {
        VORN_ASSERT_DLG(modelP);
        return 0;
    }
    bool collapseB = false;
    {
        ScSuppressFlush suppress;
        switch (recP->commandS) {
        case VornTask_INSERT:
            RunInsert(modelP, recP);
            break;
        case VornTask_REMOVE:
            RunRemove(modelP, recP);
            break;
        case VornTask_EXCHANGE:
            RunExchange(modelP, recP);
            break;
        case VornTask_TITLE:
        case VornTask_CONTENT:
            RunText(modelP, recP);
            break;
        case VornTask_FONT:
            RunFont(prev_taskP0, modelP, recP, &collapseB);
            break;
        case VornTask_MOVE:
            RunMove(prev_taskP0, viewP, modelP, recP, &collapseB);
            break;
        case VornTask_MENU_INFO:
            RunMenuInfo(modelP, recP);
            break;
        case VornTask_MODE:
            modelP->SetGoMode(modelP->GetMode() == Vorn_Mode_EDIT);
            break;
        case VornTask_COLUMNS:
            RunColumns(modelP, recP);
            break;
        case VornTask_SHAPES_OFF:
        case VornTask_SHAPES_ON:
            RunShapes(recP);
            break;
        default:
            VORN_ASSERT_DLG(!"a known board task kind");
            return 0;
        }
    }
    // A move has redrawn what it touched; everything else can reflow the whole board.
    if (recP->commandS != VornTask_MOVE) {
        modelP->AutoLayout(true, Vorn_Mode_NONE);
        viewP->RecalcScroll();
        viewP->DocChanged(true);
    }
    if (collapseB && collapseBP) *collapseBP = true;
    return 0;
}

void BoardTask_CB_DisposeCommandProc(DoVornCommandDataRec* recP) {
    if (!recP) return;
    FreeRecordParts(*recP);
    delete recP;
}

DoVornCommandDataRec* BoardTask_Data(CDoTask* taskP) {
    return RecordOf(taskP);
}

const XGFontChangeRec* BoardTask_FontChange(CDoTask* taskP) {
    DoVornCommandDataRec* recP = RecordOf(taskP);
    if (!recP || recP->commandS != VornTask_FONT || !recP->dataP) return nullptr;
    return &static_cast<VornFontTaskData*>(recP->dataP)->rec;
}

const ItemA_Iterate_MOVEData* BoardTask_MoveData(CDoTask* taskP) {
    DoVornCommandDataRec* recP = RecordOf(taskP);
    if (!recP || recP->commandS != VornTask_MOVE) return nullptr;
    return static_cast<ItemA_Iterate_MOVEData*>(recP->dataP);
}

// ---------------------------------------------------------------------------------------------
// Builders

bool BoardTask_Insert(CVornViewLink* viewP, CItemArray* selP, CItemArray* prev_selP, const char* nameZ,
                      bool allow_emptyB) {
    if (!IsValidArray(selP) || (selP->Count() == 0 && !allow_emptyB)) {
        DisposeParts(VornTask_INSERT, selP, prev_selP, nullptr);
        return false;
    }
    return DoBoardTask(viewP, VornTask_INSERT, selP, prev_selP, nullptr, 0, nameZ);
}

bool BoardTask_Remove(CVornViewLink* viewP, CItemArray* selP, const char* nameZ) {
    if (!IsValidArray(selP) || selP->Count() == 0) {
        delete selP;
        return false;
    }
    return DoBoardTask(viewP, VornTask_REMOVE, selP, nullptr, nullptr, 0, nameZ);
}

bool BoardTask_Exchange(CVornViewLink* viewP, CItemArray* selP, CItemArray* otherP, int32 commandL,
                        const char* nameZ) {
    if (!IsValidArray(selP) || !IsValidArray(otherP)) {
        DisposeParts(VornTask_EXCHANGE, selP, otherP, nullptr);
        return false;
    }
    return DoBoardTask(viewP, VornTask_EXCHANGE, selP, otherP, nullptr, commandL, nameZ);
}

bool BoardTask_ChangeText(CVornViewLink* viewP, CVornItem* itemP, Vorn_RefType refType, const char* textZ,
                          const char* nameZ) {
    if (!itemP) return false;
    const char* text = textZ ? textZ : "";
    auto* dataP = new (std::nothrow) VornTextTaskData;
    std::string* stringP = new (std::nothrow) std::string;
    CItemArray* selP = ArrayOf(itemP);
    if (!dataP || !stringP || !selP) {
        delete dataP;
        delete stringP;
        delete selP;
        return false;
    }
    try {
        stringP->assign(text);
    } catch (const std::bad_alloc&) {
        delete dataP;
        delete stringP;
        delete selP;
        return false;
    }
    // An empty text reads as one blank, as every text link does.
    if (stringP->empty()) *stringP = " ";
    dataP->other.type = ClassifyText(stringP->c_str());
    dataP->other.u.textP = stringP;
    const int16 kindS = refType == Vorn_Ref_SRC ? VornTask_TITLE : VornTask_CONTENT;
    return DoBoardTask(viewP, kindS, selP, nullptr, dataP, 0, nameZ);
}

bool BoardTask_ChangeFont(CVornViewLink* viewP, CItemArray* selP, const XGFontChangeRec& rec,
                          const char* nameZ) {
    if (!IsValidArray(selP) || selP->Count() == 0) {
        delete selP;
        return false;
    }
    auto* dataP = new (std::nothrow) VornFontTaskData;
    if (!dataP) {
        delete selP;
        return false;
    }
    dataP->rec = rec;
    return DoBoardTask(viewP, VornTask_FONT, selP, nullptr, dataP, 0, nameZ);
}

bool BoardTask_Move(CVornViewLink* viewP, CItemArray* selP, Point offset, int16 handleType,
                    bool dont_set_selB, const char* nameZ) {
    if (!IsValidArray(selP) || selP->Count() == 0) {
        delete selP;
        return false;
    }
    auto* moveP = new (std::nothrow) ItemA_Iterate_MOVEData;
    if (!moveP) {
        delete selP;
        return false;
    }
    moveP->offset = offset;
    moveP->handleType = handleType;
    moveP->dont_set_selB = dont_set_selB;
    return DoBoardTask(viewP, VornTask_MOVE, selP, nullptr, moveP, 0, nameZ);
}

bool BoardTask_SetMenuInfo(CVornViewLink* viewP, CItemArray* selP,
                           const ItemA_Iterate_SET_MENU_INFOData& info, const char* nameZ) {
    if (!IsValidArray(selP) || selP->Count() == 0) {
        delete selP;
        return false;
    }
    auto* dataP = new (std::nothrow) VornMenuInfoTaskData;
    if (!dataP) {
        delete selP;
        return false;
    }
    dataP->info = info;
    return DoBoardTask(viewP, VornTask_MENU_INFO, selP, nullptr, dataP, 0, nameZ);
}

bool BoardTask_SwitchMode(CVornViewLink* viewP, const char* nameZ) {
    return DoBoardTask(viewP, VornTask_MODE, nullptr, nullptr, nullptr, 0, nameZ);
}

bool BoardTask_Columns(CVornViewLink* viewP, int32 commandL, const char* nameZ) {
    TVornModel* modelP = viewP ? viewP->GetVornModel() : nullptr;
    if (!modelP) return false;
    // At most 20 columns and at least one.
    const int16 columnsS = modelP->i_prefs.num_columnsS;
    if (commandL == kVornTaskCmd_AddColumn ? columnsS >= kVornMaxColumns
                                           : (commandL != kVornTaskCmd_RemoveColumn || columnsS < 2))
        return false;
    return DoBoardTask(viewP, VornTask_COLUMNS, nullptr, nullptr, nullptr, commandL, nameZ);
}

bool BoardTask_Shapes(CVornViewLink* viewP, CItemArray* selP, bool offB, const char* nameZ) {
    if (!IsValidArray(selP) || selP->Count() == 0) {
        delete selP;
        return false;
    }
    return DoBoardTask(viewP, offB ? VornTask_SHAPES_OFF : VornTask_SHAPES_ON, selP, nullptr, nullptr, 0,
                       nameZ);
}

bool BoardTask_AddItemCmd(CVornViewLink* viewP, CVornItem* itemP, const char* doStrZ, CItemArray* prev_selP) {
    TVornModel* modelP = viewP ? viewP->GetVornModel() : nullptr;
    if (!itemP || !modelP) {
        VORN_ASSERT_DLG(itemP && modelP);
        if (itemP) {
            itemP->i_vornP = nullptr;
            itemP->DeleteFromList(true);
        }
        delete prev_selP;
        return false;
    }
    const XGDateTime now = XGDateTime::Now();
    itemP->i_resource.source.date = now;
    if (itemP->i_resource.dest.date.GetDayCount() == 0) itemP->i_resource.dest.date = now;
    // Sizing measures with the board's fonts and drawing.
    itemP->i_vornP = modelP;
    if (EmptyRect(itemP->i_boundsR)) {
        CVornItemRect& r = itemP->i_boundsR;
        OffsetRect(r, -r.left, -r.top);
        if (modelP->i_list->Count() > 0)
            OffsetRect(r, 0, modelP->i_list->GetIndItem(-1)->i_boundsR.bottom + 1);
        const bool autoB = itemP->i_boundsRP != &itemP->i_boundsR;
        itemP->UseAutoBounds(false);
        itemP->SizeToFit();
        itemP->UseAutoBounds(autoB);
    }
    if (itemP->i_indexL == kNoIndex) itemP->i_indexL = -1;
    CItemArray* selP = ArrayOf(itemP);
    if (!selP) {
        itemP->i_vornP = nullptr;
        itemP->DeleteFromList(true);
        delete prev_selP;
        return false;
    }
    return BoardTask_Insert(viewP, selP, prev_selP, doStrZ);
}

bool BoardTask_AddWordCmd(CVornViewLink* viewP, const char* wordZ, const char* doStrZ,
                          CItemArray* prev_selP) {
    TVornModel* modelP = viewP ? viewP->GetVornModel() : nullptr;
    if (!modelP) {
        VORN_ASSERT_DLG(modelP);
        delete prev_selP;
        return false;
    }
    auto* itemP = new (std::nothrow) CVornItem(modelP, kNoIndex);
    if (!itemP) {
        delete prev_selP;
        return false;
    }
    itemP->i_resource.dest.date = XGDateTime::Now();
    CVornItem::Vorn_SetText(itemP->i_resource.source.content, wordZ ? wordZ : "");
    return BoardTask_AddItemCmd(viewP, itemP, doStrZ, prev_selP);
}
