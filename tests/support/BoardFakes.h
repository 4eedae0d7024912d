#pragma once
// Stand-ins for the board view and a text document, and boards made with them: a board with a
// stand-in view and no window, a board in a window of its own, and a text window as the board
// sees one.

#include "CDo.h"
#include "CDoStacksOwner.h"
#include "CTextTarget.h"
#include "CVornItem.h"
#include "CVornList.h"
#include "CVornViewLink.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "XGDocForm.h"
#include "XGDocument.h"
#include "XGGeometry.h"
#include "XGView.h"
#include "XGWindow.h"

#include <string>
#include <vector>

namespace vorntest {

class FakeVornView : public yaaf::XGView, public CVornViewLink {
public:
    FakeVornView() : yaaf::XGView('VorV', kVornViewID_Board) {}
    ~FakeVornView() override {
        // As the real view does: the board must not reach a view that has gone.
        if (controllerP && controllerP->i_viewP == this) controllerP->i_viewP = nullptr;
        for (CVornItem* itemP : addedItems)
            if (!itemP->i_vornP) delete itemP;
    }

    yaaf::XGView* GetLinkView() override { return this; }
    TVornModel* GetVornModel() const override { return modelP; }
    void AttachModel(TVornModel* m, TVornController* c) override {
        modelP = m;
        controllerP = c;
    }
    void DocChanged(bool changedB) override {
        ++docChanged;
        if (modelP && changedB) modelP->SetDirty(true);
    }
    void SetSelChanged(bool changedB) override { selChanged = changedB; }
    bool GetSelChanged() const override { return selChanged; }
    void InvalView() override { ++invalidated; }
    void InvalRect(const yaaf::tagRECT& r) override { invalRects.push_back(r); }
    void FlushRect(const yaaf::tagRECT&) override {}
    void EndInPlaceEdit() override { ++endEdits; }
    CVornItem* GetRenameItem() const override { return nullptr; }
    void SetStacks(bool) override {
        if (gDo) gDo->SetActiveStacks(&stacks.i_do_stacks);
    }
    DoStacksContainer* GetStacks() override { return &stacks.i_do_stacks; }
    // The real view adds through an undoable task; here the item goes straight in.
    void AddItemCmd(CVornItem* itemP, const char* undoNameZ) override {
        undoNames.push_back(undoNameZ);
        itemP->i_vornP = modelP;
        modelP->AddItem(itemP);
    }
    void AddWordCmd(const char* wordZ, const char* undoNameZ) override {
        undoNames.push_back(undoNameZ);
        modelP->AddWord(wordZ);
    }
    yaaf::tagRECT GetContentRect() const override { return content; }
    void* GetDrawContext() override { return nullptr; }
    yaaf::int16 GetLastColIndex() const override { return lastCol; }
    void DoViewCommand(yaaf::int32 command) override { commands.push_back(command); }
    void StoreWindowModel() override {}
    void RetrieveWindowModel() override {}
    void ShowViewPane(yaaf::int16, bool) override {}

    TVornModel* modelP = nullptr;
    TVornController* controllerP = nullptr;
    bool selChanged = false;
    int docChanged = 0;
    int invalidated = 0;
    int endEdits = 0;
    std::vector<yaaf::tagRECT> invalRects;
    std::vector<std::string> undoNames;
    std::vector<CVornItem*> addedItems;
    std::vector<yaaf::int32> commands;
    yaaf::tagRECT content{0, 0, 340, 400};
    yaaf::int16 lastCol = 0;
    DoStacksOwner stacks;
};

// A text document's form as the board sees it.
class FakeTextForm : public yaaf::XGDocForm, public CTextTarget {
public:
    FakeTextForm() : yaaf::XGDocForm(new yaaf::XGDocument) {}
    DoStacksContainer* GetTargetStacks() override { return &stacks.i_do_stacks; }
    void AddWordCmd(const char* textZ, bool autoSaveB) override {
        typed.push_back(textZ);
        autoSaved.push_back(autoSaveB);
        groupLevel = gDo ? gDo->GetGroupLevel() : -1;
    }
    std::vector<std::string> typed;
    std::vector<bool> autoSaved;
    int groupLevel = -1;
    DoStacksOwner stacks;
};

// A board with a form and a stand-in view, without a window. Deleting the controller deletes
// the board.
struct BoardFixture {
    BoardFixture() {
        modelP = new TVornModel;
        controllerP = new TVornController(modelP);
        viewP = new FakeVornView;
        controllerP->AttachView(viewP);
    }
    ~BoardFixture() {
        delete controllerP;
        delete viewP;
    }
    BoardFixture(const BoardFixture&) = delete;
    BoardFixture& operator=(const BoardFixture&) = delete;

    TVornModel* modelP;
    TVornController* controllerP;
    FakeVornView* viewP;
};

// A board in a window of its own (view id 12 under the browser view, id 1).
struct BoardWindow {
    BoardWindow() {
        modelP = new TVornModel;
        controllerP = new TVornController(modelP);
        windowP = new yaaf::XGWindow(controllerP, false);
        auto* root = new yaaf::XGView('root', 0);
        windowP->SetContentView(root);
        auto* browser = new yaaf::XGView(root, 'brow', kVornViewID_Browser);
        viewP = new FakeVornView;
        browser->AddChild(viewP);
        controllerP->DoDocumentInitialize();
    }
    ~BoardWindow() { delete windowP; }
    BoardWindow(const BoardWindow&) = delete;
    BoardWindow& operator=(const BoardWindow&) = delete;

    TVornModel* modelP;
    TVornController* controllerP;
    yaaf::XGWindow* windowP;
    FakeVornView* viewP;
};

struct FakeTextWindow {
    FakeTextWindow() {
        formP = new FakeTextForm;
        windowP = new yaaf::XGWindow(formP, false);
        auto* root = new yaaf::XGView('root', 0);
        windowP->SetContentView(root);
        new yaaf::XGView(root, 'text', kVornViewID_Text);
    }
    ~FakeTextWindow() { delete windowP; }
    FakeTextWindow(const FakeTextWindow&) = delete;
    FakeTextWindow& operator=(const FakeTextWindow&) = delete;

    FakeTextForm* formP;
    yaaf::XGWindow* windowP;
};

} // namespace vorntest
