#pragma once
// The outline document: the root topic list of an outline window, the topics that want idle
// time, and the file the outline would be kept in. Outlines have no file format: reading and
// writing fail, so a saved outline cannot be opened and a folder never becomes one.

#include "COutlineDocLink.h"
#include "CTopicList.h"
#include "XGDocument.h"

namespace yaaf {
class XGDocForm;
}

// i_flags: an opened document becomes unnamed; the document is always dirty.
constexpr unsigned long kOutlineFlag_UNNAMED = 0x2;
constexpr unsigned long kOutlineFlag_ALWAYS_DIRTY = 0x4;

class COutlineModel : public yaaf::XGDocument, public COutlineDocLink {
public:
    COutlineModel();
    // With i_ownerB, the root list's topics (reverse order) and the list itself are deleted.
    ~COutlineModel() override;

    bool DoNewDocument() { return true; }
    // Makes the root list: a plain list of this document with no parent, owned.
    void Init_Subtopics();
    // Replaces the root list by listP (owned from now on); the old one, if owned, is deleted
    // with its topics.
    void SetRootList(CTopicList* listP);

    bool DoOpenDocument(const yaaf::XGFileSpecifier& spec);
    bool ReadModel() { return false; }
    bool WriteModel() { return false; }
    bool ReadDocument() override { return ReadModel(); }
    bool WriteDocument() override { return WriteModel(); }
    // Saves through the framework unless the document's file is a folder.
    bool DoDocumentSave();

    // "Untitled Outline N", or the file's name.
    std::string GetOutlineName() const;
    bool IsDocumentDirty() const;
    const yaaf::XGFileSpecifier* GetDocSpecification() const { return nullptr; }
    // Gives the file the outline extension "hvs" unless it has it.
    static void AppendExtension(yaaf::XGFileSpecifier& spec);

    // Idle time for the topics that asked for it.
    void Idle();
    // Adds the topic to the idle topics once (insertB), or takes it out (it must be there).
    void IdleMe(CTopic* itemP, bool insertB);
    bool IsIdling(const CTopic* itemP) const { return i_idle_list.IndexOf(itemP) >= 0; }

    // Prints the outline on one page, board-style, when its root list is shown.
    bool DoPrintDocument();

    unsigned long i_flags = 0;
    bool i_ownerB = false;
    CTopicList* i_listP = nullptr;
    CTopicList i_idle_list;
    yaaf::XGDocForm* i_target_controllerP = nullptr;

private:
    void DeleteRootList();
};
