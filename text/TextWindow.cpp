#include "TextWindow.h"

#include "TEditDoc.h"
#include "TEditForm.h"
#include "TEditView.h"
#include "XGFileSpecifier.h"
#include "XGScrollView.h"
#include "XGViewFactory.h"
#include "XGWindow.h"

#include <memory>

using namespace yaaf;

void RegisterTextViews() {
    XGViewFactory::Register<TEditView>('txED');
}

XGWindow* MakeTextWindow(TEditForm* form) {
    if (!form) return nullptr;
    auto* window = new XGWindow(form, false, 'wind');
    window->SetBounds(tagRECT{20, 20, 620, 470});
    window->SetMenuBarResID(kTextMenuBarID);
    auto* scroller = new XGScrollView(kTextScrollViewID);
    scroller->SetContentView(new TEditView());
    window->SetContentView(scroller);
    form->DoFormInitialize();
    form->DoDocumentInitialize();
    return window;
}

bool IsTextFileType(OSType type) {
    return type == 'text' || type == 'txt ' || type == 'TEXT';
}

XGWindow* OpenTextWindow(Vorn_WindowInit kind, const XGFileSpecifier* fileSpec, XGDocForm** outForm) {
    auto document = std::make_unique<TEditDoc>();
    if (kind == Vorn_WindowInit_OPEN_FILE) {
        if (!fileSpec || !document->DoOpenDocument(*fileSpec)) return nullptr;
    } else if (kind != Vorn_WindowInit_NEW_TEXT || !document->DoNewDocument()) {
        return nullptr;
    }
    auto* form = new TEditForm(document.release());
    if (outForm) *outForm = form;
    XGWindow* window = MakeTextWindow(form);
    if (!outForm && window) window->Select();
    return window;
}
