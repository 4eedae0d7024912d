#pragma once
// A plain text document: the text, kept with every line end as one line feed, and its file,
// written with CR LF line ends.

#include "XGDocument.h"
#include "XGFileSpecifier.h"
#include "XGTextBuffer.h"

#include <string>

class TEditForm;

// Commands the text document answers.
enum : yaaf::int32 {
    kTextCmd_PageSetup = 35,
    kTextCmd_Print = 36,
    kTextCmd_Save = 17675,
};

class TEditDoc : public yaaf::XGDocument {
    YAAF_DECLARE_DISPATCH()
public:
    // Takes the next number of the untitled text counter.
    TEditDoc();
    ~TEditDoc() override;

    bool IsDocumentDirty() const { return IsDirty(); }
    bool IsDocumentNamed() const { return HasFile(); }
    // The file's name, or "Untitled Text <n>".
    std::string GetDocumentName() const;

    bool DoNewDocument() { return true; }
    // Reports 0x800001 or 0x800002 with the file's name and answers false on failure.
    bool DoOpenDocument(const yaaf::XGFileSpecifier& spec);
    // Reads the file's text in place of the current one; false (text unchanged) on failure.
    bool DoReadDocument(const yaaf::XGFileSpecifier& spec);
    // Writes the text with CR LF line ends through a file beside the target that replaces it
    // only when complete. Reports a failure and answers false.
    bool DoWriteDocument(const yaaf::XGFileSpecifier& spec);
    // Without a file, as Save As; the document is clean after a successful save.
    bool DoDocumentSave();
    bool DoDocumentSaveAs();
    bool DoDocumentRevert();
    // A name whose extension is not exactly "txt" gets it.
    static void AppendExtension(yaaf::XGFileSpecifier& spec);

    bool ReadDocument() override { return HasFile() && DoReadDocument(fFile); }
    bool WriteDocument() override { return HasFile() && DoWriteDocument(fFile); }
    // A changed document asks whether to save first.
    bool CanClose() override;
    // "Save TEXT Document As", text documents (*.txt *.text), "txt" for a name without one.
    yaaf::XGSaveDialogSpec GetSaveDialogSpec() const override;

    yaaf::int32 DoMenuCommand(yaaf::int32 command) override;
    yaaf::int32 DoGetMenuStatus(yaaf::int32 command, yaaf::XGSMenuStatus* status) override;

    // Every CR, LF, CR LF and LF CR becomes one line feed, in place; answers the new size.
    static yaaf::int32 ConvertLineEnds(char* data, yaaf::int32 size);
    // Every CR and every LF becomes CR LF.
    static std::string ToFileLineEnds(yaaf::XGTextBuffer& text);

    // Prints every page of the text (the pages the user chose); answers the pages printed.
    yaaf::int32 PrintText();

    // The text save and open dialog texts.
    static constexpr const char* kSaveTitle = "Save TEXT Document As";
    static constexpr const char* kFileFilter = "Text Documents (*.txt *.text)";
    static constexpr const char* kOpenTitle = "Open File As";
    static constexpr const char* kExtension = "txt";

    TEditForm* i_controllerP = nullptr;
    yaaf::int16 fIndex = 0;
    yaaf::XGTextBuffer fText;

    static yaaf::int16 G_text_Count;

protected:
    void DoDirtyChanged() override;
};
