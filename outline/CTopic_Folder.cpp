#include "CTopic_Folder.h"

#include "CTopicList.h"
#include "XGFolderReader.h"
#include "XGThread.h"

#include <utility>

using namespace yaaf;

namespace {
// The worker offers the processor to others this often (without sleeping): every entry would
// cost more than the entry.
constexpr int32 kYieldEvery = 256;
} // namespace

CTopic_Folder::CTopic_Folder(const char* nameAC, CTopicList* listP, XGFileSpecifier fileSpec)
    : CTopic_File(nameAC, listP, std::move(fileSpec)) {
    GetChildren(true);
}

CTopic_Folder::CTopic_Folder(const CTopic_Folder* topicP, CTopicList* listP) : CTopic_File(topicP, listP) {
    GetChildren(true);
}

CTopic_Folder::~CTopic_Folder() {
    // The worker reads i_file: it ends before the fields go.
    KillThreads();
}

CTopic* CTopic_Folder::New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const {
    const auto* folderP = dynamic_cast<const CTopic_Folder*>(copy_topicP);
    if (!folderP) return CTopic_File::New_CTopic(copy_topicP, listP);
    return new CTopic_Folder(folderP, listP);
}

void CTopic_Folder::CB_Thread_InitSubtopics() {
    CTopicList* childrenP = i_childrenP;
    if (!childrenP) return;
    XGFolderReader reader(i_file.GetFullPath());
    i_readErrorI = reader.Error();
    i_listedL = 0;
    XGFolderEntry entry;
    int32 n = 0;
    // Entries that appear or vanish while the folder is read are listed or not as the system
    // shows them; nothing here depends on the folder standing still.
    while (!IsKillingThreads() && reader.Next(entry)) {
        XGFileSpecifier spec = i_file.GetListedChild(entry.name);
        const std::string shown = ShownName(entry.name, entry.folderB);
        CTopic* childP = entry.folderB
                             ? static_cast<CTopic*>(new CTopic_Folder(shown.c_str(), childrenP, std::move(spec)))
                             : new CTopic_File(shown.c_str(), childrenP, std::move(spec));
        HandOverSubtopic(childP, O_Sort_NAME, false);
        ++i_listedL;
        if (++n % kYieldEvery == 0) XGThread::YieldThread(true);
    }
    if (reader.Error()) i_readErrorI = reader.Error();
}
