#pragma once
// A form with a document: messages the form does not handle go on to the document.

#include "XGForm.h"

namespace yaaf {

class XGDocument;

class XGDocForm : public XGForm {
    YAAF_DECLARE_DISPATCH()
public:
    // The form owns the document and deletes it with itself.
    explicit XGDocForm(XGDocument* document = nullptr);
    ~XGDocForm() override;

    XGDispatch* GetParentDispatch() const override;
    // Asks the document.
    bool CanClose() override;

    XGDocument* GetDocument() const { return fDocument; }
    // Replaces the document (the old one is deleted).
    void SetDocument(XGDocument* document);
    // Gives the document back to the caller, who then owns it.
    XGDocument* DetachDocument();

protected:
    XGDocument* fDocument;

private:
    friend class XGDocument;
};

} // namespace yaaf
