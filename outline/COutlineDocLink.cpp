#include "COutlineDocLink.h"

#include "VOutline.h"

#include <algorithm>

using namespace yaaf;

COutlineDocLink::~COutlineDocLink() {
    // A view that outlives the document must not reach it.
    const std::vector<VOutline*> views = i_viewsA;
    i_viewsA.clear();
    for (VOutline* viewP : views)
        viewP->DocumentGone(this);
}

void COutlineDocLink::AttachView(VOutline* viewP) {
    if (viewP && std::find(i_viewsA.begin(), i_viewsA.end(), viewP) == i_viewsA.end()) i_viewsA.push_back(viewP);
}

void COutlineDocLink::DetachView(VOutline* viewP) {
    i_viewsA.erase(std::remove(i_viewsA.begin(), i_viewsA.end(), viewP), i_viewsA.end());
}

int32 COutlineDocLink::IterateViews(O_IterViewType type, void* data) {
    // A step may attach or detach views: walk a copy.
    const std::vector<VOutline*> views = i_viewsA;
    for (size_t i = 0; i < views.size(); ++i) {
        if (std::find(i_viewsA.begin(), i_viewsA.end(), views[i]) == i_viewsA.end()) continue;
        const int32 result = views[i]->CB_View(type, int32(i), data);
        if (result != 0) return result == int32(kTopicIterStop) ? 0 : result;
    }
    return 0;
}

void COutlineDocLink::InvalTopic(CTopic* topicP, bool whole_viewB) {
    O_IterView_InvalRec rec{topicP, whole_viewB};
    IterateViews(O_IterView_INVAL, &rec);
}
