#pragma once
// A file of the machine in the outline: named as the folder lists it (a program bundle's
// ".app" left off), drawn with the desktop's icon for its type, launched with the desktop's
// default handler. Its size, date and kind are read when a list column first asks for them,
// not when the folder is listed.

#include "CTopic.h"
#include "XGFileSpecifier.h"

#include <mutex>

namespace yaaf {
class XGPicture;
}

class CTopic_File : public CTopic {
public:
    CTopic_File(const char* nameAC, CTopicList* listP, yaaf::XGFileSpecifier fileSpec);
    CTopic_File(const CTopic_File* topicP, CTopicList* listP);

    CTopic* New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const override;
    void Launch() override;
    void Draw_Icon(yaaf::XGDraw* drawP) override;
    bool GetLocation(std::string& location) const override;

    yaaf::uint32 Get_Size_Logical() const override;
    yaaf::uint32 Get_Size_Physical() const override;
    void Get_Date_Modified(yaaf::XGDateTime* dateP) const override;
    std::string Get_Kind() const override;
    std::string Get_Comment() const override { return std::string(); }

    virtual bool IsFolder() const { return false; }
    const yaaf::XGFileSpecifier& GetFile() const { return i_file; }

    // The name a folder entry is shown by: "Tool.app" as "Tool" for a file.
    static std::string ShownName(const std::string& entryName, bool folderB);

    yaaf::XGFileSpecifier i_file;
    // The desktop's icon for the type, looked up when first drawn (kept for the run).
    const yaaf::XGPicture* i_icon = nullptr;
    // A kind's icon instead of the type's (a volume shows as a disk), or 0.
    yaaf::FourCharCode i_iconKind = 0;

private:
    void ReadStat() const;

    mutable std::once_flag i_statOnce;
    mutable yaaf::int64 i_sizeL = 0;
    mutable yaaf::int64 i_blocksL = 0;
    mutable yaaf::int64 i_mtimeL = -1;
};
