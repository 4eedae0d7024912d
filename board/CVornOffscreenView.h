#pragma once
// A board view without a window: it draws its board into an offscreen buffer of a fixed
// size, as a board window of that content size would show it. Used to render boards to
// pictures, to measure drawing, and wherever a board must be drawn without a screen.

#include "COffscreen.h"
#include "CVornViewLink.h"
#include "XGTypes.h"

#include <memory>

class TVornController;

namespace yaaf {
class XGPicture;
}

class CVornOffscreenView : public CVornViewLink {
public:
    CVornOffscreenView(yaaf::int32 width, yaaf::int32 height);
    ~CVornOffscreenView() override;
    CVornOffscreenView(const CVornOffscreenView&) = delete;
    CVornOffscreenView& operator=(const CVornOffscreenView&) = delete;

    // Makes a form for the board (which the form then owns) and links board, form and view;
    // the items take the rectangles of the board's layout. Answers the form (the caller deletes
    // it, and with it the board, before this view).
    TVornController* Attach(TVornModel* modelP);

    // Erases the buffer and draws the board in its current mode (an update area limits what
    // Edit Mode draws).
    void DrawBoard(const yaaf::tagRECT* updateRP = nullptr);
    // Erases and draws only the band, leaving the rest of the buffer as it is: a board drawn
    // band after band from the top can be taken away (encoded) a band at a time. Edit Mode only
    // draws the items that reach into the band.
    void DrawBand(const yaaf::tagRECT& bandR);
    // The buffer (valid while the view lives); null when it could not be allocated.
    const yaaf::XGPicture* GetPicture() const;
    yaaf::XGDraw* GetDraw();
    bool IsValid() const;

    // CVornViewLink
    yaaf::XGView* GetLinkView() override { return nullptr; }
    TVornModel* GetVornModel() const override { return i_modelP; }
    void AttachModel(TVornModel* modelP, TVornController* controllerP) override;
    void DocChanged(bool) override {}
    void SetSelChanged(bool changedB) override { i_sel_changedB = changedB; }
    bool GetSelChanged() const override { return i_sel_changedB; }
    void InvalView() override { ++i_invalCountL; }
    void InvalRect(const yaaf::tagRECT&) override { ++i_invalCountL; }
    void FlushRect(const yaaf::tagRECT&) override {}
    void EndInPlaceEdit() override {}
    CVornItem* GetRenameItem() const override { return nullptr; }
    void SetStacks(bool) override {}
    DoStacksContainer* GetStacks() override { return nullptr; }
    // Generation into a board without a window does not happen; an item given here is deleted.
    void AddItemCmd(CVornItem* itemP, const char* undoNameZ) override;
    void AddWordCmd(const char*, const char*) override {}
    yaaf::tagRECT GetContentRect() const override { return i_contentR; }
    void* GetDrawContext() override;
    yaaf::int16 GetLastColIndex() const override;
    void DoViewCommand(yaaf::int32) override {}
    void StoreWindowModel() override {}
    void RetrieveWindowModel() override {}
    void ShowViewPane(yaaf::int16, bool) override {}

    yaaf::int32 GetInvalCount() const { return i_invalCountL; }

private:
    static void CB_S_Offs(OffscreenCBType cbType, void* cbData, void* refcon);

    yaaf::tagRECT i_contentR;
    std::unique_ptr<COffscreen> i_offsP;
    TVornModel* i_modelP = nullptr;
    TVornController* i_controllerP = nullptr;
    bool i_sel_changedB = false;
    yaaf::int32 i_invalCountL = 0;
};
