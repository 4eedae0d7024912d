#define OUTLINE_UNIT "CTopicList"
#include "OutlineTask.h"

#include "CDoTask.h"
#include "CTopic.h"
#include "CTopicList.h"
#include "CVornItem.h"
#include "OutlineAssert.h"
#include "VOutline.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace yaaf;

namespace {

class ScSuppressOutlineFlush {
public:
    ScSuppressOutlineFlush() { ++g_suppressFlushL; }
    ~ScSuppressOutlineFlush() { --g_suppressFlushL; }
    ScSuppressOutlineFlush(const ScSuppressOutlineFlush&) = delete;
    ScSuppressOutlineFlush& operator=(const ScSuppressOutlineFlush&) = delete;
};

void InsertAll(CTopicList* selP) {
    // Forward: each topic goes back to its own index.
    for (CTopic* topicP : std::vector<CTopic*>(selP->Topics()))
        if (!topicP->IsInserted() && topicP->i_siblingsP)
            topicP->i_siblingsP->Insert(topicP, topicP->i_indexL, true);
}

void RemoveAll(CTopicList* selP) {
    const std::vector<CTopic*> topics = selP->Topics();
    for (auto it = topics.rbegin(); it != topics.rend(); ++it)
        if ((*it)->IsInserted() && (*it)->i_siblingsP) (*it)->i_siblingsP->Remove(*it, true, false);
}

void Select(CTopicList* listP, CTopicList* selP) {
    if (listP && selP) listP->SetSelection(selP);
}

void ApplyFont(CTopicList* selP, const XGFontChangeRec& rec) {
    for (CTopic* topicP : selP->Topics()) {
        XGSFontResource font = topicP->i_font;
        if (rec.set_sizeB)
            font.size = int16(std::max(1, rec.size_deltaB ? font.size + rec.sizeS : rec.sizeS));
        if (rec.set_fontB) {
            std::strncpy(font.name, rec.nameAC, sizeof font.name - 1);
            font.name[sizeof font.name - 1] = 0;
        }
        if (rec.set_styleB) font.SetStyleWord(uint16(rec.styleS));
        topicP->SetFont(font);
        topicP->Inval(false);
    }
}

// The topics of a list that the record owns (9: those put in; 12: those out of the list).
void DeleteTopics(CTopicList* listP) {
    if (!listP) return;
    for (CTopic* topicP : std::vector<CTopic*>(listP->Topics()))
        if (!topicP->IsInserted()) delete topicP;
    listP->RemoveAll();
}

void FreeData(int16 kind, void* dataP) {
    switch (kind) {
    case O_Task_RENAME:
        delete static_cast<std::string*>(dataP);
        break;
    case O_Task_FONT:
        delete static_cast<XGFontChangeRec*>(dataP);
        break;
    case O_Task_MOVE:
        delete static_cast<O_MoveRec*>(dataP);
        break;
    case O_Task_LOCK_HIDE:
        delete static_cast<O_SetMenuInfoRec*>(dataP);
        break;
    default:
        break;
    }
}

} // namespace

int32 OutlineTask_CB_S_DoCommandProc(CDoTask* prev_taskP0, CDoTask* taskP, bool* collapseBP) {
    auto* recP = taskP ? static_cast<DoCommandDataRec*>(taskP->i_dataP) : nullptr;
    return recP ? OutlineTask_CB_DoCommandProc(prev_taskP0, recP, collapseBP) : 0;
}

void OutlineTask_CB_S_DisposeCommandProc(CDoTask* taskP) {
    if (!taskP) return;
    auto* recP = static_cast<DoCommandDataRec*>(taskP->i_dataP);
    taskP->i_dataP = nullptr;
    OutlineTask_CB_DisposeCommandProc(recP);
}

int32 OutlineTask_CB_DoCommandProc(CDoTask* prev_taskP0, DoCommandDataRec* recP, bool* collapseBP) {
    CTopicList* listP = recP ? recP->thiz : nullptr;
    if (!listP || !recP->selP) {
        OUTLINE_ASSERT_DLG(listP);
        return 0;
    }
    {
        ScSuppressOutlineFlush suppress;
        switch (recP->commandS) {
        case O_Task_INSERT:
            if (!recP->prev_selP) recP->prev_selP = listP->GetSelected(false);
            InsertAll(recP->selP);
            Select(listP, recP->selP);
            recP->commandS = O_Task_REMOVE;
            break;
        case O_Task_REMOVE:
            RemoveAll(recP->selP);
            if (recP->prev_selP) {
                Select(listP, recP->prev_selP);
                delete recP->prev_selP;
                recP->prev_selP = nullptr;
            }
            recP->commandS = O_Task_INSERT;
            break;
        case O_Task_EXCHANGE: {
            if (!recP->prev_selP) break;
            RemoveAll(recP->selP);
            InsertAll(recP->prev_selP);
            std::swap(recP->selP, recP->prev_selP);
            const bool keepB = recP->dataP && *static_cast<int32*>(recP->dataP) == 106;
            if (!keepB) Select(listP, recP->selP);
            break;
        }
        case O_Task_RENAME: {
            auto* nameP = static_cast<std::string*>(recP->dataP);
            CTopic* topicP = recP->selP->GetIndItem(0);
            if (nameP && topicP) {
                std::string old = topicP->GetNameRef();
                topicP->SetName(*nameP);
                *nameP = std::move(old);
                topicP->Inval(false);
            }
            Select(listP, recP->selP);
            break;
        }
        case O_Task_FONT: {
            auto* fontP = static_cast<XGFontChangeRec*>(recP->dataP);
            if (!fontP) break;
            // Merged into the previous font change of the same topics: the steps add up.
            auto* prevRecP = prev_taskP0 && prev_taskP0->i_task_procP == &OutlineTask_CB_S_DoCommandProc
                                 ? static_cast<DoCommandDataRec*>(prev_taskP0->i_dataP)
                                 : nullptr;
            ApplyFont(recP->selP, *fontP);
            Select(listP, recP->selP);
            fontP->sizeS = int16(-fontP->sizeS);
            if (prevRecP && prevRecP->commandS == O_Task_FONT && prevRecP->selP &&
                *prevRecP->selP == *recP->selP && prevRecP->dataP && fontP->size_deltaB && collapseBP) {
                static_cast<XGFontChangeRec*>(prevRecP->dataP)->sizeS += fontP->sizeS;
                *collapseBP = true;
            }
            break;
        }
        case O_Task_MOVE:
        case O_Task_LOCK_HIDE:
            // Topics take neither step; the record is kept for what it says.
            if (recP->commandS == O_Task_LOCK_HIDE)
                if (auto* infoP = static_cast<O_SetMenuInfoRec*>(recP->dataP)) {
                    infoP->set_lockedB = !infoP->set_lockedB;
                    infoP->set_hiddenB = !infoP->set_hiddenB;
                }
            break;
        default:
            OUTLINE_ASSERT_DLG(!"a known outline task kind");
            return 0;
        }
    }
    // Topics taken out keep their numbers, so that they go back where they were.
    listP->UpdateIndicesFrom(0);
    if (recP->commandS != O_Task_MOVE)
        if (VOutline* viewP = listP->GetView()) {
            listP->AutoLayout_Dispatch();
            viewP->RecalcScroll();
            viewP->DocChanged(true);
        }
    return 0;
}

void OutlineTask_CB_DisposeCommandProc(DoCommandDataRec* recP) {
    if (!recP) return;
    switch (recP->commandS) {
    case O_Task_INSERT:
        // Topics that are out of the list belong to the record.
        DeleteTopics(recP->selP);
        delete recP->prev_selP;
        break;
    case O_Task_REMOVE:
        delete recP->prev_selP;
        break;
    case O_Task_EXCHANGE:
        DeleteTopics(recP->prev_selP);
        delete recP->prev_selP;
        delete static_cast<int32*>(recP->dataP);
        recP->dataP = nullptr;
        break;
    default:
        break;
    }
    FreeData(recP->commandS, recP->dataP);
    delete recP->selP;
    delete recP;
}

bool OutlineTask_Do(CTopicList* listP, O_TaskKind kind, CTopicList* selP, CTopicList* prev_selP, void* dataP,
                    const char* nameZ) {
    auto* recP = new DoCommandDataRec;
    recP->thiz = listP;
    recP->commandS = kind;
    recP->selP = selP ? selP : new CTopicList(nullptr, nullptr);
    recP->prev_selP = prev_selP;
    recP->dataP = dataP;
    return CDoTask::DoNewTask(&OutlineTask_CB_S_DoCommandProc, nameZ, &OutlineTask_CB_S_DisposeCommandProc,
                              recP);
}
