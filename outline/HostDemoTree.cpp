// The fixed trees under a host topic: the demonstration groups beside "Volumes", and the
// get-info outlines of a board item. They are data, written as indented lines ("name|kind",
// one space per level) and built in one pass, each topic appended to its parent's list.
#include "CTopicList.h"
#include "CTopic_GUI.h"
#include "CTopic_Host.h"
#include "CTopic_Volumes.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

using namespace yaaf;

namespace {

constexpr const char* kMachineTree = R"(Devices|fldr
 Phone|cnct
  Pictures|fldr
  Contacts|docs
  Sent|fldr
  Received|fldr
  Ring Tones|fldr
 Organiser|cnct
  Contacts|docs
  Calendar|docs
  Notes|docs
  To Do|docs
 Music Player|cnct
  Playlists|fldr
  Songs|fldr
  Podcasts|fldr
 Camera|cnct
  Pictures|fldr
  Movies|fldr
 Microphone|cnct
  Audio stream|docs
 Speakers|cnct
  Audio stream|docs
 Fax|cnct
  Sent|fldr
  Received|fldr
 Web Camera|cnct
  Video stream|docs
  Snapshots|fldr
 Printer|PrIc
  Nothing in Print Queue|docs
 Serial Adapter|cnct
  Port 1|cnct
   Remote Control|cnct
    Buttons|docs
    Learned Codes|docs
  Port 2|cnct
   Emulated Computer|MaIc
    Volumes|hdsk
     System Disk|hdsk
     Data Disk|hdsk
    Devices|fldr
     Keyboard|cnct
     Screen|cnct
 Icons|fldr
  @icons 24
Network|srvr
 Quorvale Office|srvr
  Volumes|hdsk
   Projects|hdsk
   Archive|hdsk
  Users|fldr
   anna|user
   ben|user
   guest|user
  Services|fldr
   File Sharing|cnct
   Printing|PrIc
 Home Server|srvr
  Volumes|hdsk
   Media|hdsk
   Backups|hdsk
  Users|fldr
   family|user
  Services|fldr
   Music Sharing|cnct
 FTP|fldr
  * Add New FTP Server|cnct
  ftp.example.org|srvr
  mirror.example.net|srvr
 SMB|fldr
  * Add New SMB Server|cnct
  Office Share|srvr
  Media Share|srvr
 HTTP|fldr
  * Add New Web Server|cnct
  www.quorvale.com|srvr
  www.example.org|srvr
 NNTP|fldr
  * Add New News Server|cnct
  news.example.org|srvr
 POP|fldr
  * Add New POP Mail Server|cnct
  pop.example.org|srvr
 IMAP|fldr
  * Add New IMAP Mail Server|cnct
  imap.example.org|srvr
 RSS|fldr
  * Add New RSS Site|cnct
  Quorvale News|docs
  Example Headlines|docs
 LDAP|fldr
  * Add New LDAP|cnct
  directory.example.org|srvr
 Internet Radio Stations|fldr
  * Add New Music Station Server|cnct
  Classical Stream|cnct
  Jazz Stream|cnct
 Streaming Video Stations|fldr
  * Add New Video Station|cnct
  Nature Channel|cnct
Services|fldr
 Icons|fldr
  @icons 16
 Vorn|docs
  Documents|fldr
  Instant Messenger|cnct
 Music Library|docs
  Artists|fldr
  Albums|fldr
  Playlists|fldr
 Address Book|docs
  People|fldr
  Groups|fldr
 Photo Library|docs
  Albums|fldr
  Events|fldr
 Mail Archive|docs
  Inbox|fldr
  Sent|fldr
  Drafts|fldr
 Television Recordings|docs
  Series|fldr
  Films|fldr
 Keys|docs
  Passwords|docs
  Certificates|docs
 Calendar|docs
  Home|fldr
  Work|fldr
 Chat|docs
  Buddies|fldr
  Rooms|fldr
 Notes|docs
  Recent|fldr
 Browser Favourites|docs
  Bookmarks Bar|fldr
  Reading List|fldr
 Power Outlets|cnct
  Lamp|cnct
  Heater|cnct
 System Settings|docs
  Display|docs
  Sound|docs
  Network|docs
)";

constexpr const char* kGetInfoTree = R"(Title|docs
 @name
Icon|docs
Content / Link|docs
Sync List|fldr
 Sync Reference|cnct
  URL|docs
  username|user
  password|docs
  @popup Format
  @check Pull From Link
   Additions|docs
   Deletions|docs
   Changes|docs
  @check Push To Link
   Additions|docs
   Deletions|docs
   Changes|docs
Item Properties|fldr
 Locked|docs
 Hidden|docs
 Background|docs
Document Properties|fldr
 Mode|docs
 View|docs
)";

FourCharCode KindOf(std::string_view kind) {
    if (kind.size() != 4) return 'docs';
    return MakeFourCC(kind[0], kind[1], kind[2], kind[3]);
}

// A topic of listP's, placed as the tree is built: unplaced, then appended.
CTopic* Append(CTopic* topicP, CTopicList* listP) {
    listP->Insert(topicP, -1, false);
    return topicP;
}

CTopic* MakeNode(std::string_view line, CTopicList* listP, bool formFieldsB, const char* itemNameAC,
                 bool* skipB) {
    *skipB = false;
    static int s_iconCounter = 0;
    if (line.substr(0, 7) == "@icons ") {
        const int n = std::stoi(std::string(line.substr(7)));
        for (int i = 0; i < n; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "Icon %d", ++s_iconCounter);
            Append(new CTopic_Kind(name, listP, 'docs'), listP);
        }
        *skipB = true;
        return nullptr;
    }
    if (line == "@name") {
        return Append(
            new CTopic_Kind(itemNameAC && *itemNameAC ? itemNameAC : "Untitled Item", listP, 'docs'), listP);
    }
    const bool checkB = line.substr(0, 7) == "@check ";
    const bool popupB = line.substr(0, 7) == "@popup ";
    if (checkB || popupB) {
        const std::string name(line.substr(7));
        if (formFieldsB)
            return Append(
                new CTopic_GUI(name.c_str(), listP, checkB ? CTopic_GUIType_CHECKBOX : CTopic_GUIType_POPUP),
                listP);
        return Append(new CTopic_Kind(name.c_str(), listP, 'docs'), listP);
    }
    const size_t bar = line.find('|');
    const std::string name(line.substr(0, bar));
    const FourCharCode kind = bar == std::string_view::npos ? 'docs' : KindOf(line.substr(bar + 1));
    return Append(new CTopic_Kind(name.c_str(), listP, kind), listP);
}

// Builds the indented text under rootP. Each line's depth is its leading spaces.
void BuildTree(CTopic* rootP, const char* text, bool formFieldsB, const char* itemNameAC) {
    std::vector<CTopic*> parents{rootP};
    std::string_view rest(text);
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        size_t depth = 0;
        while (depth < line.size() && line[depth] == ' ')
            ++depth;
        line.remove_prefix(depth);
        if (line.empty()) continue;
        if (depth + 1 > parents.size()) depth = parents.size() - 1;
        parents.resize(depth + 1);
        CTopic* parentP = parents.back();
        bool skipB = false;
        CTopic* topicP = MakeNode(line, parentP->GetChildren(true), formFieldsB, itemNameAC, &skipB);
        // Children lists are made only as children come: a leaf has none.
        if (topicP) parents.push_back(topicP);
    }
}

} // namespace

void Host_BuildMachineTree(CTopic* hostP) {
    if (!hostP) return;
    CTopicList* childrenP = hostP->GetChildren(true);
    Append(new CTopic_Volumes(childrenP), childrenP);
    BuildTree(hostP, kMachineTree, false, nullptr);
}

void Host_BuildGetInfoTree(CTopic* hostP, Vorn_OutlineType type, const char* itemNameAC) {
    if (!hostP) return;
    BuildTree(hostP, kGetInfoTree, type == Vorn_Outline_GET_INFO_3, itemNameAC);
}

int32 Host_CountTopicsBelow(CTopic* topicP) {
    if (!topicP || !topicP->i_childrenP) return 0;
    int32 n = 0;
    for (CTopic* c : topicP->i_childrenP->Topics())
        n += 1 + Host_CountTopicsBelow(c);
    return n;
}
