#pragma once
// A topic drawn with the icon of a kind of thing (a folder, a disk, a server, this machine),
// given as a four-character code: the machine's topics and the demonstration groups.

#include "CTopic.h"

class CTopic_Kind : public CTopic {
public:
    CTopic_Kind(const char* nameAC, CTopicList* listP, yaaf::FourCharCode iconKind);
    CTopic_Kind(const CTopic_Kind* topicP, CTopicList* listP);

    CTopic* New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const override;
    void Draw_Icon(yaaf::XGDraw* drawP) override;
    std::string Get_Kind() const override;

    yaaf::FourCharCode i_iconKind;
};
