#pragma once
// A machine in the outline. For this machine its children are "Volumes" (the mounted volumes,
// listed when first opened) and the fixed demonstration groups "Devices", "Network" and
// "Services"; made for another name it shows as a server. The children are built at once, on
// the thread that makes the topic.

#include "CTopic_Kind.h"

// Which tree a host topic builds: the machine's, or one of three get-info outlines of a board
// item (the third with form fields).
enum Vorn_OutlineType : yaaf::int16 {
    Vorn_Outline_HOST = 0,
    Vorn_Outline_GET_INFO_1 = 1,
    Vorn_Outline_GET_INFO_2 = 2,
    Vorn_Outline_GET_INFO_3 = 3,
};

class CTopic_Host : public CTopic_Kind {
public:
    CTopic_Host(const char* urlZ, CTopicList* listP);
    ~CTopic_Host() override;

    // A host topic named after this machine, appended to listP.
    static CTopic_Host* AddHost(CTopicList* listP);

    void Init_Subtopics() override;

    void* i_networkP = nullptr;

    // Nothing in the program sets these; they choose a get-info outline instead of the machine.
    static bool s_get_info_outlineB;
    static char s_get_info_nameAC[256];
    static Vorn_OutlineType s_get_info_type;
};

// Builds the demonstration groups and the get-info outlines under a topic (HostDemoTree.cpp).
void Host_BuildMachineTree(CTopic* hostP);
void Host_BuildGetInfoTree(CTopic* hostP, Vorn_OutlineType type, const char* itemNameAC);
// Topics in the tree below a topic, the topic itself not counted.
yaaf::int32 Host_CountTopicsBelow(CTopic* topicP);
