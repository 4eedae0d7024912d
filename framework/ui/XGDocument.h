#pragma once
// A document that may be kept in a file: its file, its changed state and its name.

#include "XGDocData.h"
#include "XGFileSpecifier.h"
#include "XGStdDialogs.h"

#include <string>

namespace yaaf {

class XGDocForm;

class XGDocument : public XGDocData {
    YAAF_DECLARE_DISPATCH()
public:
    // Takes the next number of the untitled counter.
    XGDocument();
    ~XGDocument() override;

    bool HasFile() const { return !fFile.IsEmpty(); }
    const XGFileSpecifier& GetFile() const { return fFile; }
    void SetFile(const XGFileSpecifier& file) { fFile = file; }
    void ClearFile() { fFile = XGFileSpecifier(); }

    bool IsDirty() const { return fDirty; }
    // Marks the document changed or unchanged (saved, or read again). A change made while no
    // undo task runs is outside the undo history and keeps the document changed until the next
    // save; unchanged also makes the history's current state the saved one. The document's
    // window shows the state.
    virtual void SetDirty(bool dirty = true);

    // The undo history of the document's window reached `state`: a number that names the
    // document's state in that history (undoing back to a state gives its number again; a new
    // change, also one merged into the previous task, gives a new number). The document is
    // changed while the state differs from the one it was saved in, or after a change outside
    // the history.
    void NoteHistoryState(uint64 state);
    // Tells SetDirty whether an undo task is running; whoever runs the undo history sets it.
    static void SetHistoryProbe(bool (*probe)());

    // The file's name, else "untitled" for the first document and "untitled N" after it.
    std::string GetDocumentName() const;
    int32 GetUntitledNumber() const { return fUntitledNumber; }

    // What the save dialog offers for documents of this kind: its title, the file filters and
    // the suffix a name without an extension gets.
    virtual XGSaveDialogSpec GetSaveDialogSpec() const { return {"Save As", {}, {}}; }

    // Reads or writes fFile; false on failure (the document reports its own errors).
    virtual bool ReadDocument() { return false; }
    virtual bool WriteDocument() { return false; }

    // Whether the document's window may close now. A clean document may.
    virtual bool CanClose() { return !fDirty; }

    virtual int32 DoMenuCommand(int32 command) { return kDispatchNotHandled; }
    virtual int32 DoGetMenuStatus(int32 command, XGSMenuStatus* status) { return kDispatchNotHandled; }

    // The untitled counter: the number the last document took. Winding back lets a document
    // that was made only as a candidate give its number back.
    static void RewindUntitledCounter();
    static int32 GetUntitledCounter() { return sUntitledCounter; }
    static void ResetUntitledCounter() { sUntitledCounter = 0; }

protected:
    // The changed state turned; the base has already marked the windows.
    virtual void DoDirtyChanged() {}

    XGFileSpecifier fFile;
    bool fDirty = false;

private:
    friend class XGDocForm;

    void ApplyDirty(bool dirty);
    int32 HandleMenu(int32 param, void*) { return DoMenuCommand(param); }
    int32 HandleStatus(int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<XGSMenuStatus*>(data));
    }

    XGDocForm* fForm = nullptr;
    uint64 fHistoryState = 0;
    uint64 fSavedState = 0;
    bool fChangedOutsideHistory = false;
    int32 fUntitledNumber;
    static int32 sUntitledCounter;
    static bool (*sHistoryProbe)();
};

} // namespace yaaf
