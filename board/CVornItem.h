#pragma once
// One board item: a titled box that shows a line of text or a picture and links to something.
// A board owns its items through its item array; most bulk work reaches an item as a numbered
// walk command (CB_Iterate).

#include "VornItemTypes.h"
#include "XGFont.h"
#include "XGTypes.h"

#include <atomic>
#include <cstddef>
#include <new>
#include <string>

namespace yaaf {
class XGThread;
class XGFileSpecifier;
class XGPicture;
class XGRegion;
} // namespace yaaf

class CGetInfoDlg;
class CItemArray;
class TVornModel;

// Opening links goes through these, so that tests can see what would be opened. The file
// opener answers true when something opened the file.
using VornLaunchFileProc = bool (*)(const yaaf::XGFileSpecifier& spec);
VornLaunchFileProc Vorn_SetLaunchFileProc(VornLaunchFileProc proc);
// Opens the file through the installed opener (the desktop's default handler).
bool Vorn_LaunchFile(const yaaf::XGFileSpecifier& spec);

// Fetching a picture from a web address: plain HTTP (XGFetchPicture) unless another fetcher is
// installed. Runs on a loader thread; answers a new picture and fills frameP, or none.
using VornFetchPictureProc = yaaf::XGPicture* (*)(const char* urlZ, yaaf::tagRECT* frameP);
VornFetchPictureProc Vorn_SetFetchPictureProc(VornFetchPictureProc proc);

// The destroyer of information dialogs (the dialogs' code installs itself here).
using VornDisposeInfoDlgProc = void (*)(CGetInfoDlg* dlgP);
void Vorn_SetDisposeInfoDlgProc(VornDisposeInfoDlgProc proc);
void Vorn_DisposeInfoDlg(CGetInfoDlg* dlgP);

// The counter that holds back drawing to the screen while a change is half done.
extern yaaf::int32 g_suppressFlushL;

// The item's flag word and its two rectangles tell their item of every change: the board's
// item list keeps a copy of them beside each item pointer (CItemArray), which the item brings
// up to date (CVornItem::HotChanged). Whole-value assignment, the flag setters and the
// rectangle operations below are seen; a rectangle bound to a plain tagRECT& and changed
// through it is not, so item code changes a copy and assigns it back.

class CVornItemFlags {
public:
    using Bit = Vorn_ItemBoolsRec_DISK::Bit;
    explicit CVornItemFlags(CVornItem* itemP) : fItemP(itemP) {}
    // A copy belongs to no item.
    CVornItemFlags(const CVornItemFlags& other) : fWord(other.fWord) {}
    CVornItemFlags& operator=(const CVornItemFlags& other) { return *this = other.fWord; }
    inline CVornItemFlags& operator=(const Vorn_ItemBoolsRec_DISK& word);

    const Vorn_ItemBoolsRec_DISK& Disk() const { return fWord; }
    operator const Vorn_ItemBoolsRec_DISK&() const { return fWord; }
    bool operator==(const CVornItemFlags& other) const { return fWord == other.fWord; }

    bool Get(Bit bit) const { return fWord.Get(bit); }
    inline void Set(Bit bit, bool on);
    YAAF_FLAG_ACCESSORS(backgroundB, Vorn_ItemBoolsRec_DISK::kBackground)
    YAAF_FLAG_ACCESSORS(twirledB, Vorn_ItemBoolsRec_DISK::kTwirled)
    YAAF_FLAG_ACCESSORS(rgnB, Vorn_ItemBoolsRec_DISK::kRgn)
    YAAF_FLAG_ACCESSORS(hiddenB, Vorn_ItemBoolsRec_DISK::kHidden)
    YAAF_FLAG_ACCESSORS(lockedB, Vorn_ItemBoolsRec_DISK::kLocked)
    YAAF_FLAG_ACCESSORS(selectedB, Vorn_ItemBoolsRec_DISK::kSelected)
    yaaf::uint32 GetWord() const { return fWord.GetWord(); }
    void SetWord(yaaf::uint32 word) {
        Vorn_ItemBoolsRec_DISK w;
        w.SetWord(word);
        *this = w;
    }

private:
    friend class CItemArray; // sets a flag and its copy in one step
    void SetQuiet(Bit bit, bool on) { fWord.Set(bit, on); }

    Vorn_ItemBoolsRec_DISK fWord;
    CVornItem* fItemP = nullptr;
};

class CVornItemRect : public yaaf::tagRECT {
public:
    explicit CVornItemRect(CVornItem* itemP) : fItemP(itemP) {}
    // A copy belongs to no item.
    CVornItemRect(const CVornItemRect& other) : tagRECT(other) {}
    CVornItemRect& operator=(const CVornItemRect& other) { return *this = static_cast<const tagRECT&>(other); }
    inline CVornItemRect& operator=(const yaaf::tagRECT& r);

private:
    CVornItem* fItemP = nullptr;
};

// The rectangle operations on an item's rectangle, seen by the item (they are chosen before
// the plain tagRECT ones).
void OffsetRect(CVornItemRect& r, yaaf::int32 dh, yaaf::int32 dv);
void InsetRect(CVornItemRect& r, yaaf::int32 dh, yaaf::int32 dv);
bool SectRect(const yaaf::tagRECT& a, const yaaf::tagRECT& b, CVornItemRect& out);
void UnionRect(const yaaf::tagRECT& a, const yaaf::tagRECT& b, CVornItemRect& out);

// Which of the item's two rectangles is current; changed only through CVornItem::UseAutoBounds.
class CVornItemBoundsRef {
public:
    CVornItemRect& operator*() const { return *fP; }
    CVornItemRect* operator->() const { return fP; }
    operator CVornItemRect*() const { return fP; }

private:
    friend class CVornItem;
    explicit CVornItemBoundsRef(CVornItemRect* rP) : fP(rP) {}
    CVornItemBoundsRef& operator=(CVornItemRect* rP) {
        fP = rP;
        return *this;
    }
    CVornItemRect* fP;
};

class CVornItem {
public:
    CVornItem(TVornModel* vornP, yaaf::int32 indexL);
    // A copy for another board (vornP) or outside any board (null); the picture is not copied.
    CVornItem(CVornItem* itemP, TVornModel* vornP);
    virtual ~CVornItem();
    CVornItem(const CVornItem&) = delete;
    CVornItem& operator=(const CVornItem& other);

    // Items are kept side by side in a pool of their own (CItemPool).
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p, std::size_t size) noexcept;
    static void operator delete(void* p, const std::nothrow_t&) noexcept;

    static void NewVornItem(CVornItem* itemP, TVornModel* vornP, yaaf::int32 indexL);
    static void NewVornLink(Vorn_LinkRef& link);
    static void DisposeVornLink(Vorn_LinkRef& link);
    static void copy_link(Vorn_LinkRef* destP, const Vorn_LinkRef* srcP);

    // Text and names.
    static std::string* Vorn_GetTextP(Vorn_LinkContent& content);
    static void Vorn_SetText(Vorn_LinkContent& content, const char* textZ);
    static void Vorn_GetText(Vorn_LinkContent& content, char* textZ, size_t size);
    Vorn_LinkContent* ResolveRef(Vorn_RefType refType);
    // The name cut to fit size bytes; answers nameZ.
    char* GetName(Vorn_RefType refType, char* nameZ, bool longB, size_t size = 256);
    std::string GetName(Vorn_RefType refType, bool longB = false);
    // A title of one carriage return first: the item ends a line of flat columns.
    bool IsLineBreak();

    // Flags.
    bool IsLocked() const;
    bool IsHidden() const;
    bool IsMissing() const;
    void CreateNewRgn();

    // Links.
    void SetLinkToURL(const char* urlZ);
    // Takes ownership of fileSpecP.
    void SetLinkToFile(yaaf::XGFileSpecifier* fileSpecP);
    void ImportPict();

    // The picture cache.
    void CacheItem(bool forcedB, bool set_boundsB, yaaf::int16 block_timeS);
    void NewCacheItemThread();
    void CB_CacheItemProc();
    static yaaf::int32 CB_S_CacheItemProc(void* itemP);
    void Idle();
    void UnCacheItem();
    bool HasPicture() const { return i_resource.source.content.cacheP != nullptr; }
    bool IsLoading() const { return !i_finished_loadB.load(std::memory_order_acquire); }
    // Waits for a running load to end (no hand-over: Idle still does that).
    void WaitForLoader();

    // Board membership.
    void InsertToList(TVornModel* vornP);
    void DeleteFromList(bool uncacheB);
    // As DeleteFromList; hintL is where a walk of the board's own list stands (no index when
    // the walk is over another array).
    void DeleteFromList(bool uncacheB, yaaf::int32 hintL);
    void Flush();

    // Go Mode and numerology.
    void Generate();
    yaaf::int32 Numerology_Sum();
    // How far a selected item's handles reach outside its bounds.
    static constexpr yaaf::int32 kHandleReach = 6;
    static yaaf::tagRECT GetItemHandle(const yaaf::tagRECT* rectP, yaaf::int16 type);

    // Geometry (board coordinates in, view coordinates out).
    yaaf::tagRECT GetScreenBounds();
    yaaf::tagRECT GetTextBox(const yaaf::tagRECT& itemR, bool clipB);
    void SetTextBox(const yaaf::tagRECT& textR);
    void SizeToFit();
    void DrawSource(const yaaf::tagRECT* itemRP);
    // Outlines the screen rectangle grown by 2 by inversion with a 2-pixel pen; a second call
    // removes the mark.
    void Hilight();
    // The same mark widthS pixels wide, outside the item (a highlight seen from a distance).
    void Hilight(yaaf::int16 widthS);
    // The outline polygon mapped onto itemR (the caller owns it), or null without one.
    yaaf::XGRegion* GetOutlineRgn(const yaaf::tagRECT& itemR);
    // Adds the area to copy to the screen when the item changes.
    void GetBlitRgn(yaaf::XGRegion* rgnP);

    // The walk step; answers 0 to go on, 0xFACE to stop with success, else an error.
    yaaf::uint16 CB_Iterate(CItemArray* list, yaaf::int32 index, yaaf::int16 taType, void* cbData);
    // The walks that run over whole boards (selecting, collecting the selection, redrawing,
    // hit testing) as one tight loop with the same steps and results as CB_Iterate item by
    // item. Answers false, doing nothing, for the commands it leaves to CB_Iterate.
    static bool WalkFast(CItemArray* list, yaaf::int16 taType, void* cbData, bool reverseB,
                         yaaf::int16* statusP);

    static yaaf::int16 CB_S_ItemSort(CVornItem* itemA, CVornItem* itemB, void* refcon, int* resultS);

    // i_boundsRP names i_auto_boundsR when true, else i_boundsR.
    void UseAutoBounds(bool autoB);
    // Brings the board's copy of the item's flags and bounds up to date (see CItemArray).
    void HotChanged() {
        if (i_ownerA) HotChangedInOwner();
    }
    // The item's part of that copy, for the array that owns it: the low half of the flag word
    // with the CItemArray::kHot_ bits, and the current rectangle the right way round.
    void GetHotData(const TVornModel* boardP, yaaf::uint32* wordP, yaaf::tagRECT* boundsP) const;
    // The array that keeps the copy for this item, if any.
    CItemArray* GetOwnerArray() const { return i_ownerA; }

    TVornModel* i_vornP;
    yaaf::int32 i_indexL;
    bool i_full_widthB;
    CVornItemFlags i_b{this};
    CVornItemBoundsRef i_boundsRP{&i_boundsR};
    CVornItemRect i_boundsR{this};
    CVornItemRect i_auto_boundsR{this};
    _Vorn_RgnRec* i_rgnP;
    yaaf::XGFont i_font;
    Vorn_Resource i_resource;
    // The hand-over flag of the loader: cleared before the loader starts, set by it last.
    std::atomic<bool> i_finished_loadB;
    bool i_set_boundsB;
    CGetInfoDlg* i_getInfoP;

private:
    friend class CItemArray; // keeps i_ownerA and i_ownerSlotL
    void HotChangedInOwner();
    void FlowColumns(CItemArray* list, yaaf::int32 index);
    yaaf::uint16 HitTest(Vorn_HitTestRec* recP);
    void Move(ItemA_Iterate_MOVEData* recP);
    void Align(ItemA_Iterate_AlignData* recP);
    void Repair(yaaf::int32 code);
    void StripNumerology();
    void SetIndex(CItemArray* list, yaaf::int32* counterP);
    void MarkSelChanged();
    // Tells the board's view that its selection changed (nothing without a board or view).
    static void MarkSelChanged(TVornModel* vornP);
    static void SelectFromCopy(CItemArray* list, yaaf::int16 taType, void* cbData, bool reverseB);
    void GenerateOutput();

    // The running loader, retained while it runs so that it can be waited for.
    yaaf::XGThread* i_loaderP = nullptr;
    // The board's file, copied for the loader so that it never reads the board.
    yaaf::XGFileSpecifier* i_loadBaseP = nullptr;
    // The array that keeps the copy of the flags and bounds (the board's item list while the
    // item is in it), and where the item stood in it when last seen there.
    CItemArray* i_ownerA = nullptr;
    yaaf::int32 i_ownerSlotL = 0;
};

inline CVornItemFlags& CVornItemFlags::operator=(const Vorn_ItemBoolsRec_DISK& word) {
    const bool changedB = !(fWord == word);
    fWord = word;
    if (changedB && fItemP) fItemP->HotChanged();
    return *this;
}

inline void CVornItemFlags::Set(Bit bit, bool on) {
    if (fWord.Get(bit) == on) return;
    fWord.Set(bit, on);
    if (fItemP) fItemP->HotChanged();
}

inline CVornItemRect& CVornItemRect::operator=(const yaaf::tagRECT& r) {
    const bool changedB = !(static_cast<const tagRECT&>(*this) == r);
    static_cast<tagRECT&>(*this) = r;
    if (changedB && fItemP) fItemP->HotChanged();
    return *this;
}
