#pragma once
// A document that may be kept in a file: its file, its changed state and its name.

#include "XGDocData.h"
#include "XGFileSpecifier.h"

#include <string>

namespace yaaf {

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
    virtual void SetDirty(bool dirty = true) { fDirty = dirty; }

    // The file's name, else "untitled" for the first document and "untitled N" after it.
    std::string GetDocumentName() const;
    int32 GetUntitledNumber() const { return fUntitledNumber; }

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
    XGFileSpecifier fFile;
    bool fDirty = false;

private:
    int32 HandleMenu(int32 param, void*) { return DoMenuCommand(param); }
    int32 HandleStatus(int32 param, void* data) {
        return DoGetMenuStatus(param, static_cast<XGSMenuStatus*>(data));
    }

    int32 fUntitledNumber;
    static int32 sUntitledCounter;
};

} // namespace yaaf
