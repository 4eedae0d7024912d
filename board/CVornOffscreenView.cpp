#include "CVornOffscreenView.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGDraw.h"
#include "XGPicture.h"

#include <algorithm>

using namespace yaaf;

CVornOffscreenView::CVornOffscreenView(int32 width, int32 height)
    : i_contentR{0, 0, std::max<int32>(width, 0), std::max<int32>(height, 0)} {
    i_offsP = std::make_unique<COffscreen>(nullptr, 32, &CB_S_Offs, this);
}

CVornOffscreenView::~CVornOffscreenView() {
    // A board that outlives its view must not reach it.
    if (i_controllerP && i_controllerP->i_viewP == this) i_controllerP->i_viewP = nullptr;
}

void CVornOffscreenView::CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon) {
    auto* self = static_cast<CVornOffscreenView*>(refcon);
    if (!Offscreen_AnswerViewRequest(cbType, cbData, self->i_contentR) && cbType == OffscreenCB_CAUSE_UPDATE)
        ++self->i_invalCountL;
}

TVornController* CVornOffscreenView::Attach(TVornModel* modelP) {
    if (!modelP) return nullptr;
    auto* controllerP = new TVornController(modelP);
    bool autoB = modelP->IsFlatColumns();
    modelP->i_list->Iterate(ItemA_Iterate_USE_AUTO_BOUNDS, &autoB);
    controllerP->AttachView(this);
    Vorn_SetPicDestRec rec{Vorn_SetPicDest_UPDATE, GetDrawContext(), false, false};
    modelP->i_list->Iterate(ItemA_Iterate_SET_PIC_DEST, &rec);
    return controllerP;
}

void CVornOffscreenView::AttachModel(TVornModel* modelP, TVornController* controllerP) {
    i_modelP = modelP;
    i_controllerP = controllerP;
}

void CVornOffscreenView::AddItemCmd(CVornItem* itemP, const char*) {
    if (itemP && !itemP->i_vornP) delete itemP;
}

void* CVornOffscreenView::GetDrawContext() {
    return GetDraw();
}

XGDraw* CVornOffscreenView::GetDraw() {
    return i_offsP ? i_offsP->GetSelfContext() : nullptr;
}

bool CVornOffscreenView::IsValid() const {
    return i_offsP && i_offsP->HasBuffer();
}

const XGPicture* CVornOffscreenView::GetPicture() const {
    return i_offsP ? i_offsP->GetPicture() : nullptr;
}

int16 CVornOffscreenView::GetLastColIndex() const {
    return i_modelP ? std::clamp<int16>(i_modelP->i_columnS, 0, kVornMaxColumns - 1) : 0;
}

void CVornOffscreenView::DrawBoard(const tagRECT* updateRP) {
    XGDraw* drawP = GetDraw();
    if (!drawP) return;
    drawP->ClearClip();
    drawP->EraseRect(i_contentR);
    if (i_modelP) i_modelP->Draw(drawP, updateRP, Vorn_Mode_NONE);
    i_offsP->SetInvalid(false);
}

void CVornOffscreenView::DrawBand(const tagRECT& bandR) {
    XGDraw* drawP = GetDraw();
    if (!drawP) return;
    drawP->ClearClip();
    drawP->SetBaseClip(bandR);
    drawP->EraseRect(bandR);
    if (i_modelP) i_modelP->Draw(drawP, &bandR, Vorn_Mode_NONE);
    drawP->ClearBaseClip();
    i_offsP->SetInvalid(false);
}
