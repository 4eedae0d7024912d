#pragma once
// The outline window's form: it ties the outline document to the browser window and its
// outline view, keeps the title, changed mark and path bar in step with the document, and
// gives the document idle time. A browser window (New Browser) also shows the machine's tree;
// one opened at a folder shows that folder.

#include "XGDispatch.h"
#include "XGDocForm.h"

class COutlineModel;
class CTopic;
class VBrowserWindowView;
class VOutline;

namespace yaaf {
class XGFileSpecifier;
class XGWindow;
} // namespace yaaf

class COutlineController : public yaaf::XGDocForm, public yaaf::XGPeriodic {
public:
    // The form owns the document.
    explicit COutlineController(COutlineModel* modelP);
    ~COutlineController() override;

    // Builds the window's content in hierarchic columns around the document's new root list.
    // False when the window has no browser window view or no outline view could be made.
    bool DoDocumentInitialize();
    // The machine's tree: the host topic in the root list, its children in the first column.
    void AddBrowserStuff();
    // A folder of the machine: its topic in the root list, its entries in the first column.
    // False for what is not a folder.
    bool BrowseFolder(const yaaf::XGFileSpecifier& folder);

    void DoDocumentChanged();
    void DoDocumentRevert();
    void DoDocumentSaved();
    void DoDocumentRenamed();
    void DoFormInitialize() {}
    void DoFormTerminate() {}
    void DoDocumentTerminate() {}

    COutlineModel* GetModel() const { return i_modelP; }
    VBrowserWindowView* GetBrowserView() const;
    VOutline* GetOutlineView() const;
    void UpdateWindowTitle();
    void UpdatePathBar();

    void DoPrePeriodic() override;
    void DoPostPeriodic() override;

    COutlineModel* i_modelP;
    yaaf::XGWindow* i_windowP = nullptr;

private:
    // Shows topicP's children in the first column, titled by it.
    void ShowChildrenOf(CTopic* topicP);
    void ApplyPanesAndPlace();
};
