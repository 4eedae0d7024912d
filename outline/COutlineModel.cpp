#define OUTLINE_UNIT "COutlineModel"
#include "COutlineModel.h"

#include "CTopic.h"
#include "OutlineAssert.h"
#include "VOutline.h"
#include "XGGeometry.h"
#include "XGPrint.h"

#include <cstdio>

using namespace yaaf;

COutlineModel::COutlineModel() : i_idle_list(nullptr, nullptr) {}

COutlineModel::~COutlineModel() {
    DeleteRootList();
    // The idle list holds topics it does not own.
    i_idle_list.RemoveAll();
}

void COutlineModel::DeleteRootList() {
    if (!i_listP) return;
    CTopicList* listP = i_listP;
    i_listP = nullptr;
    i_idle_list.RemoveAll();
    if (!i_ownerB) return;
    listP->Iterate(TOPIC_Iter_DELETE, nullptr, true);
    delete listP;
}

void COutlineModel::Init_Subtopics() {
    DeleteRootList();
    i_ownerB = true;
    i_listP = new CTopicList(this, nullptr);
}

void COutlineModel::SetRootList(CTopicList* listP) {
    if (listP == i_listP) return;
    DeleteRootList();
    i_listP = listP;
    i_ownerB = listP != nullptr;
}

bool COutlineModel::DoOpenDocument(const XGFileSpecifier& spec) {
    if (spec.IsEmpty() || spec.IsFolder()) return false;
    SetFile(spec);
    if (!ReadDocument()) {
        ClearFile();
        return false;
    }
    if (i_flags & kOutlineFlag_UNNAMED) {
        ClearFile();
        SetDirty(true);
    }
    return true;
}

bool COutlineModel::DoDocumentSave() {
    if (!HasFile() || GetFile().IsFolder()) return false;
    if (!WriteDocument()) return false;
    SetDirty(false);
    return true;
}

std::string COutlineModel::GetOutlineName() const {
    if (HasFile()) return GetFile().GetName();
    char name[64];
    std::snprintf(name, sizeof name, "Untitled Outline %lu", static_cast<unsigned long>(GetUntitledNumber()));
    return name;
}

bool COutlineModel::IsDocumentDirty() const {
    return (i_flags & kOutlineFlag_ALWAYS_DIRTY) != 0 || IsDirty();
}

void COutlineModel::AppendExtension(XGFileSpecifier& spec) {
    const std::string path = spec.GetFullPath();
    if (path.empty()) return;
    static const std::string kExt = ".hvs";
    if (path.size() >= kExt.size() && path.compare(path.size() - kExt.size(), kExt.size(), kExt) == 0) return;
    spec = XGFileSpecifier(path + kExt);
}

void COutlineModel::Idle() {
    i_idle_list.Iterate(TOPIC_Iter_IDLE, nullptr, false);
}

void COutlineModel::IdleMe(CTopic* itemP, bool insertB) {
    if (!itemP) return;
    const int32 at = i_idle_list.IndexOf(itemP);
    if (insertB) {
        // The idle list holds the topic without taking it from its own list.
        if (at < 0) i_idle_list.i_list.push_back(itemP);
        return;
    }
    const bool memberB = at >= 0;
    OUTLINE_ASSERT_DLG(memberB);
    if (memberB) i_idle_list.i_list.erase(i_idle_list.i_list.begin() + at);
}

bool COutlineModel::DoPrintDocument() {
    VOutline* viewP = i_listP ? i_listP->GetView() : nullptr;
    if (!viewP) return true;
    XGPrintDocument(GetOutlineName(), [viewP](XGDraw& draw, const tagRECT& page, int32 pageIndex) {
        if (pageIndex > 0) return false;
        draw.EraseRect(page);
        XGDraw* oldP = viewP->i_drawP;
        viewP->i_drawP = &draw;
        viewP->Draw(page, Vorn_Mode_NONE);
        viewP->i_drawP = oldP;
        return false;
    });
    return true;
}
