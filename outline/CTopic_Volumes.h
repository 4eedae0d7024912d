#pragma once
// "Volumes": the machine's mounted volumes, each a folder topic, listed on the topic's worker
// thread when first wanted and kept in name order.

#include "CTopic_Kind.h"

class CTopic_Volumes : public CTopic_Kind {
public:
    CTopic_Volumes(CTopicList* listP, yaaf::int32 indexL = yaaf::kNoIndex);
    ~CTopic_Volumes() override;

    void CB_Thread_InitSubtopics() override;
};
