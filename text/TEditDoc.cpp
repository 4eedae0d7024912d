#include "TEditDoc.h"

#include "TEditForm.h"
#include "TEditView.h"
#include "VornErrors.h"
#include "VornRecentFiles.h"
#include "XGEditCore.h"
#include "XGFile.h"
#include "XGHandle.h"
#include "XGPrint.h"
#include "XGStdDialogs.h"

#include <algorithm>

using namespace yaaf;

YAAF_DISPATCH_BEGIN(TEditDoc)
YAAF_DISPATCH_END(TEditDoc, XGDocument)

int16 TEditDoc::G_text_Count = 0;

TEditDoc::TEditDoc() : fIndex(++G_text_Count) {}

TEditDoc::~TEditDoc() = default;

std::string TEditDoc::GetDocumentName() const {
    if (HasFile()) return fFile.GetName();
    return "Untitled Text " + std::to_string(fIndex);
}

int32 TEditDoc::ConvertLineEnds(char* data, int32 size) {
    int32 out = 0;
    for (int32 in = 0; in < size; ++in) {
        const char c = data[in];
        if (c == '\r' || c == '\n') {
            data[out++] = '\n';
            // A pair of the two different bytes is one line end; two equal bytes are two.
            if (in + 1 < size && (data[in + 1] == '\r' || data[in + 1] == '\n') && data[in + 1] != c) ++in;
        } else {
            data[out++] = c;
        }
    }
    return out;
}

std::string TEditDoc::ToFileLineEnds(XGTextBuffer& text) {
    const char* data = text.Contiguous();
    const int32 size = text.GetSize();
    const int32 ends = int32(std::count_if(data, data + size, [](char c) { return c == '\r' || c == '\n'; }));
    std::string out;
    out.reserve(size_t(size) + size_t(ends));
    for (int32 i = 0; i < size; ++i) {
        if (data[i] == '\r' || data[i] == '\n')
            out += "\r\n";
        else
            out += data[i];
    }
    return out;
}

bool TEditDoc::DoReadDocument(const XGFileSpecifier& spec) {
    XGFile file(spec);
    if (spec.IsFolder() || file.Open(XGFile::kRead) != 0) return false;
    XGHandle bytes;
    if (file.ReadAll(bytes) != 0) return false;
    const int32 size = ConvertLineEnds(bytes.GetData(), bytes.GetSize());
    fText.SetText(bytes.GetData(), size);
    fFile = spec;
    if (i_controllerP) i_controllerP->DoDocumentRevert();
    return true;
}

bool TEditDoc::DoOpenDocument(const XGFileSpecifier& spec) {
    const std::string name = spec.GetName();
    {
        XGFile probe(spec);
        if (spec.IsFolder() || probe.Open(XGFile::kRead) != 0) {
            Error(kErr_OpenFile, name.c_str());
            return false;
        }
    }
    if (!DoReadDocument(spec)) {
        Error(kErr_ReadFile, name.c_str());
        return false;
    }
    return true;
}

bool TEditDoc::DoWriteDocument(const XGFileSpecifier& spec) {
    const std::string bytes = ToFileLineEnds(fText);
    XGAtomicFile file(spec);
    bool ok = file.Open() == 0;
    if (ok) ok = file.Write(int32(bytes.size()), bytes.data()) == int32(bytes.size());
    if (ok) ok = file.Commit() == 0;
    if (!ok) {
        file.Abort();
        Error(kErr_WriteFile, spec.GetName().c_str());
    }
    return ok;
}

bool TEditDoc::DoDocumentSave() {
    if (!HasFile()) return DoDocumentSaveAs();
    if (!DoWriteDocument(fFile)) return false;
    SetDirty(false);
    return true;
}

bool TEditDoc::DoDocumentSaveAs() {
    XGFileSpecifier chosen;
    if (!XGRunSaveDialog(GetSaveDialogSpec(), GetDocumentName(), chosen)) return false;
    if (chosen.IsFolder()) {
        Error(kErr_CreateFile, chosen.GetName().c_str());
        return false;
    }
    if (!DoWriteDocument(chosen)) return false;
    // The saved file exists now: take its full path.
    fFile = XGFileSpecifier(chosen.GetFullPath());
    SetDirty(false);
    VornNoteRecentFile(fFile.GetFullPath());
    if (i_controllerP) i_controllerP->DoDocumentRenamed();
    return true;
}

bool TEditDoc::DoDocumentRevert() {
    if (!HasFile()) return false;
    if (!DoReadDocument(fFile)) {
        Error(kErr_ReadFile, fFile.GetName().c_str());
        return false;
    }
    SetDirty(false);
    return true;
}

void TEditDoc::AppendExtension(XGFileSpecifier& spec) {
    if (spec.GetExtension() != kExtension) spec.SetExtension(kExtension);
}

bool TEditDoc::CanClose() {
    if (!IsDirty()) return true;
    switch (SaveAlert(GetDocumentName().c_str())) {
    case SaveAlert_SAVE:
        return DoDocumentSave();
    case SaveAlert_DONT_SAVE:
        return true;
    default:
        return false;
    }
}

XGSaveDialogSpec TEditDoc::GetSaveDialogSpec() const {
    return {kSaveTitle, {kFileFilter}, kExtension};
}

void TEditDoc::DoDirtyChanged() {
    if (!i_controllerP) return;
    if (IsDirty())
        i_controllerP->DoDocumentChanged();
    else
        i_controllerP->DoDocumentSaved();
}

int32 TEditDoc::DoMenuCommand(int32 command) {
    switch (command) {
    case kTextCmd_PageSetup:
        XGRunPageSetup();
        return kDispatchHandled;
    case kTextCmd_Print:
        if (!i_controllerP || !i_controllerP->GetView()) return kDispatchNotHandled;
        PrintText();
        return kDispatchHandled;
    case kTextCmd_Save:
        DoDocumentSave();
        return kDispatchHandled;
    default:
        return XGDocument::DoMenuCommand(command);
    }
}

int32 TEditDoc::DoGetMenuStatus(int32 command, XGSMenuStatus* status) {
    switch (command) {
    case kTextCmd_PageSetup:
    case kTextCmd_Save:
        status->enable = true;
        return kDispatchHandled;
    case kTextCmd_Print:
        status->enable = i_controllerP && i_controllerP->GetView();
        return kDispatchHandled;
    default:
        return XGDocument::DoGetMenuStatus(command, status);
    }
}

int32 TEditDoc::PrintText() {
    TEditView* view = i_controllerP ? i_controllerP->GetView() : nullptr;
    XGEditCore* shown = view ? view->GetEditCore() : nullptr;
    // A layout of its own for the page width: lines longer than the page wrap rather than
    // being cut off at its edge.
    std::unique_ptr<XGEditCore> pages;
    int32 nextLine = 0;
    return XGPrintDocument(GetDocumentName(), [&](XGDraw& draw, const tagRECT& page, int32 index) {
        if (!pages) {
            pages = std::make_unique<XGEditCore>(nullptr, tagRECT{0, 0, page.Width() + 10, page.Height()},
                                                 shown ? shown->GetFont()
                                                       : XGFont("Courier New", 8, kXGStyle_Fixed));
            if (shown) pages->SetTabStop(shown->GetTabStop());
            pages->SetWordWrap(true);
            pages->SetText(&fText);
        }
        if (index == 0) nextLine = 0;
        nextLine = pages->DrawLines(draw, page, nextLine);
        return nextLine < pages->GetNumLines();
    });
}
