#pragma once
// The form of a text window: it ties the document, the window and the text view together, and
// is what a board holds as its generator target when the target is a text document.

#include "CTextTarget.h"
#include "XGDocForm.h"

class TEditDoc;
class TEditView;

namespace yaaf {
class XGWindow;
}

class TEditForm : public yaaf::XGDocForm, public CTextTarget {
    YAAF_DECLARE_DISPATCH()
public:
    // Owns the document (as every document form does).
    explicit TEditForm(TEditDoc* document);
    ~TEditForm() override;

    TEditDoc* GetModel() const { return i_modelP; }
    // The text view: view 2 of the window.
    TEditView* GetView() const;

    void DoFormInitialize();
    // Links view, form and document, gives the view the text and the focus, titles the window.
    void DoDocumentInitialize();
    void DoDocumentRenamed();
    void DoDocumentChanged();
    void DoDocumentRevert();
    void DoDocumentSaved();

    // CTextTarget
    DoStacksContainer* GetTargetStacks() override;
    void AddWordCmd(const char* textZ, bool autoSaveB) override;

    // The open-board registry's generator target, reached through procedures that the
    // application sets (text documents do not depend on boards). Remove is called when the
    // form goes away, so that no board keeps it as its target.
    static void (*s_SetTargetProc)(yaaf::XGDocForm* formP);
    static bool (*s_IsTargetProc)(yaaf::XGDocForm* formP);
    static void (*s_RemoveTargetProc)(yaaf::XGDocForm* formP);

    yaaf::int32 foo = 0;
    yaaf::XGWindow* i_windowP = nullptr;
    TEditDoc* i_modelP = nullptr;
    TEditView* i_viewP = nullptr;

private:
    void UpdateChangedMark();
};
