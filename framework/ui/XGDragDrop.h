#pragma once
// Drag and drop between views, windows and other programs. A drag carries typed blocks
// (flavors): 0 plain text, 1 the path of one file (one block per file), 'url ' a web address, and
// any other four-character code under a MIME type made from the name "CF_YAAF#<number>". The
// source side puts a drag together (XGDragger) and runs the platform's drag loop; the target
// side is a view's drop target (XGDropper), told of a drag entering, moving and dropping, with
// the blocks of a drop collected by an XGDragReceiver.

#include "XGTypes.h"

#include <functional>
#include <string>
#include <vector>

class QEvent;
class QMimeData;

namespace yaaf {

class XGView;

constexpr FourCharCode kXGFlavor_Text = 0;
constexpr FourCharCode kXGFlavor_File = 1;
constexpr FourCharCode kXGFlavor_URL = 'url ';

// The registered name of a flavor ("CF_YAAF#1450134900" for 'VoIt') and the MIME type it travels
// under.
std::string XGDragFlavorName(FourCharCode flavor);
std::string XGDragFlavorMimeType(FourCharCode flavor);

// One block of a drag: itemRef numbers the dragged things (each file is its own thing).
struct XGDragItem {
    int32 itemRef = 0;
    FourCharCode flavor = 0;
    std::string bytes;
};

// The blocks a drag offers, read from the platform's data: files named by a URI list become one
// file block each (their local path); other addresses of the list become 'url ' blocks; plain
// text becomes a text block (when there is none, the first address of the list serves as text);
// the framework's own MIME types become their flavors. At most maxItems file and address
// blocks are taken.
std::vector<XGDragItem> XGDragItemsFromMime(const QMimeData* mime, size_t maxItems = 100000);

// Where the drop operation lands: copied, moved, or not at all.
enum XGDropAction : int16 {
    kXGDrop_None = 0,
    kXGDrop_Copy = 1,
    kXGDrop_Move = 2,
};

// A drag being put together and run by its source.
class XGDragger {
public:
    explicit XGDragger(XGView* source);
    ~XGDragger();
    XGDragger(const XGDragger&) = delete;
    XGDragger& operator=(const XGDragger&) = delete;

    // An outline shown while dragging (view coordinates).
    void AddObject(const tagRECT& r);
    void AddFlavor(FourCharCode flavor, const void* dataP, size_t length);
    void AddText(const std::string& utf8);

    // Runs the platform's drag loop from the press point (view coordinates) until the drop or
    // the cancel; answers what happened. Under a platform without drag and drop (offscreen)
    // nothing is dropped.
    XGDropAction Track(Point start);

    // The data as the platform gets it (the caller owns it).
    QMimeData* MakeMimeData() const;

    // Tests run the drag through this instead of the platform loop; it gets the data (owned by
    // the caller) and answers the action. An empty function restores the platform loop.
    using RunHook = std::function<XGDropAction(QMimeData* mime, XGView* source, Point start)>;
    static void SetRunHook(RunHook hook);

private:
    XGView* fSource;
    std::vector<tagRECT> fOutlines;
    std::vector<XGDragItem> fItems;
};

// A view's drop target. The view installs it with XGView::SetDropper; its widget then passes
// the platform's drag events here, which become the calls below.
class XGDropper {
public:
    virtual ~XGDropper() = default;

    // Whether a block of the flavor is wanted (asked for each block while the drag enters).
    virtual bool Accept(uint16 modifiers, int32 itemRef, FourCharCode flavorType) { return false; }
    // The drop begins; false refuses it.
    virtual bool DropStart(Point dropPt, uint16 mods) { return true; }
    // One accepted block of the drop.
    virtual void Drop(Point dropPt, uint16 mods, int32 itemRef, FourCharCode flavor, const void* dataP,
                      int32 dataLen) {}
    // The drag moves over the view (also when it enters).
    virtual void Track(Point where, uint16 mods) {}
    // Every block has been dropped.
    virtual void DropEnd(Point dropPt, uint16 mods) {}
    // The drag left the view without a drop.
    virtual void DragLeave() {}

    // For the view's widget: handles a drag event; true when it was one.
    bool HandleDragEvent(QEvent* event);

private:
    bool fAccepting = false;
};

// The blocks of one drop, kept until the drop ends.
class XGDragReceiver {
public:
    void Add(int32 itemRef, FourCharCode flavor, const void* dataP, int32 dataLen);
    // The first block of the flavor, or none.
    const XGDragItem* Find(FourCharCode flavor) const;
    size_t Count(FourCharCode flavor) const;
    const std::vector<XGDragItem>& Items() const { return fItems; }

private:
    std::vector<XGDragItem> fItems;
};

} // namespace yaaf
