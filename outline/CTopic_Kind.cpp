#include "CTopic_Kind.h"

#include "XGDraw.h"
#include "XGFileIcons.h"
#include "XGPicture.h"

using namespace yaaf;

CTopic_Kind::CTopic_Kind(const char* nameAC, CTopicList* listP, FourCharCode iconKind)
    : CTopic(nameAC, listP, kNoIndex), i_iconKind(iconKind) {}

CTopic_Kind::CTopic_Kind(const CTopic_Kind* topicP, CTopicList* listP)
    : CTopic(topicP, listP), i_iconKind(topicP ? topicP->i_iconKind : 0) {}

CTopic* CTopic_Kind::New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const {
    const auto* kindP = dynamic_cast<const CTopic_Kind*>(copy_topicP);
    if (!kindP) return CTopic::New_CTopic(copy_topicP, listP);
    return new CTopic_Kind(kindP, listP);
}

void CTopic_Kind::Draw_Icon(XGDraw* drawP) {
    if (!drawP) return;
    // A picture of the topic's own goes before the kind's.
    if (i_iconP && i_iconP->IsValid()) {
        CTopic::Draw_Icon(drawP);
        return;
    }
    const XGPicture* pictP = XGKindIcon(i_iconKind);
    if (pictP && pictP->IsValid())
        drawP->DrawPicture(*pictP, GetRect(TOPIC_Widget_ICON));
    else
        CTopic::Draw_Icon(drawP);
}

std::string CTopic_Kind::Get_Kind() const {
    switch (i_iconKind) {
    case 'fldr':
        return "Folder";
    case 'hdsk':
        return "Volume";
    case 'srvr':
        return "Server";
    case 'MaIc':
        return "Computer";
    case 'user':
        return "User";
    case 'cnct':
        return "Connection";
    case 'PrIc':
        return "Printer";
    case 'docs':
        return "Documents";
    default:
        return "Item";
    }
}
