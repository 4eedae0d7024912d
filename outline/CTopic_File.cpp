#include "CTopic_File.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "XGDateTime.h"
#include "XGDraw.h"
#include "XGFileIcons.h"
#include "XGPicture.h"

#include <algorithm>
#include <sys/stat.h>
#include <utility>

using namespace yaaf;

CTopic_File::CTopic_File(const char* nameAC, CTopicList* listP, XGFileSpecifier fileSpec)
    : CTopic(nameAC, listP, kNoIndex), i_file(std::move(fileSpec)) {}

CTopic_File::CTopic_File(const CTopic_File* topicP, CTopicList* listP)
    : CTopic(topicP, listP), i_file(topicP ? topicP->i_file : XGFileSpecifier()),
      i_iconKind(topicP ? topicP->i_iconKind : 0) {}

CTopic* CTopic_File::New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const {
    const auto* fileP = dynamic_cast<const CTopic_File*>(copy_topicP);
    if (!fileP) return CTopic::New_CTopic(copy_topicP, listP);
    return new CTopic_File(fileP, listP);
}

std::string CTopic_File::ShownName(const std::string& entryName, bool folderB) {
    static const std::string kBundle = ".app";
    if (!folderB && entryName.size() > kBundle.size() &&
        entryName.compare(entryName.size() - kBundle.size(), kBundle.size(), kBundle) == 0)
        return entryName.substr(0, entryName.size() - kBundle.size());
    return entryName;
}

void CTopic_File::Launch() {
    // The same way a board item opens its file: the desktop's handler, or a test's recorder.
    Vorn_LaunchFile(i_file);
}

void CTopic_File::Draw_Icon(XGDraw* drawP) {
    if (!drawP) return;
    if (i_iconP && i_iconP->IsValid()) {
        CTopic::Draw_Icon(drawP);
        return;
    }
    if (!i_icon)
        i_icon = i_iconKind ? XGKindIcon(i_iconKind) : XGFileTypeIcon(i_file.GetFullPath(), IsFolder());
    if (i_icon && i_icon->IsValid())
        drawP->DrawPicture(*i_icon, GetRect(TOPIC_Widget_ICON));
    else
        CTopic::Draw_Icon(drawP);
}

bool CTopic_File::GetLocation(std::string& location) const {
    location = i_file.GetFullPath();
    return !location.empty();
}

void CTopic_File::ReadStat() const {
    std::call_once(i_statOnce, [this] {
        struct stat st;
        // A file that went away since the listing keeps no size and no date.
        if (stat(i_file.GetFullPath().c_str(), &st) != 0) return;
        i_sizeL = int64(st.st_size);
        i_blocksL = int64(st.st_blocks) * 512;
        i_mtimeL = int64(st.st_mtime);
    });
}

uint32 CTopic_File::Get_Size_Logical() const {
    ReadStat();
    return uint32(std::min<int64>(i_sizeL, 0xFFFFFFFF));
}

uint32 CTopic_File::Get_Size_Physical() const {
    ReadStat();
    return uint32(std::min<int64>(i_blocksL, 0xFFFFFFFF));
}

void CTopic_File::Get_Date_Modified(XGDateTime* dateP) const {
    if (!dateP) return;
    ReadStat();
    *dateP = i_mtimeL >= 0 ? XGDateTime::FromSystemTime(i_mtimeL) : XGDateTime();
}

std::string CTopic_File::Get_Kind() const {
    return XGFileTypeName(i_file.GetFullPath(), IsFolder());
}
