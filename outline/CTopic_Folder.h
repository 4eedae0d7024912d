#pragma once
// A folder of the machine in the outline. Its children are listed on the topic's worker thread
// the first time they are wanted, entry by entry, and handed to the user-interface thread, which
// puts each in its sorted place: a large folder shows its first entries at once and the rest
// as they come. A folder that cannot be read lists nothing and says why (GetReadError).

#include "CTopic_File.h"

#include <atomic>

class CTopic_Folder : public CTopic_File {
public:
    CTopic_Folder(const char* nameAC, CTopicList* listP, yaaf::XGFileSpecifier fileSpec);
    CTopic_Folder(const CTopic_Folder* topicP, CTopicList* listP);
    ~CTopic_Folder() override;

    CTopic* New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const override;
    bool IsFolder() const override { return true; }
    void CB_Thread_InitSubtopics() override;

    // 0, or the system's error number of the last listing that could not read the folder.
    int GetReadError() const { return i_readErrorI.load(); }
    // Entries listed by the last listing (handed over, not necessarily inserted yet).
    yaaf::int32 GetListedCount() const { return i_listedL.load(); }

private:
    std::atomic<int> i_readErrorI{0};
    std::atomic<yaaf::int32> i_listedL{0};
};
