#pragma once
// What topics, lists and outline views need of the outline document they belong to: the
// outline views attached to it, walked one step at a time, and the invalidation of a topic in
// every view that shows it. The outline document derives from it.

#include "OutlineTypes.h"

#include <vector>

class COutlineDocLink {
public:
    COutlineDocLink() = default;
    COutlineDocLink(const COutlineDocLink&) = delete;
    COutlineDocLink& operator=(const COutlineDocLink&) = delete;
    virtual ~COutlineDocLink();

    // The views that show lists of this document; a view attaches itself when it is given one
    // of its lists and detaches when it is given another or destroyed.
    void AttachView(VOutline* viewP);
    void DetachView(VOutline* viewP);
    const std::vector<VOutline*>& GetViews() const { return i_viewsA; }

    // Runs VOutline::CB_View on each view until one answers non-zero; a stop (0xFACE) answers 0.
    yaaf::int32 IterateViews(O_IterViewType type, void* data);
    // Invalidates the topic (or the whole view) in every view showing it.
    virtual void InvalTopic(CTopic* topicP, bool whole_viewB);

private:
    std::vector<VOutline*> i_viewsA;
};
