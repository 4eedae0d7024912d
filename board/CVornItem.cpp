#define VORN_UNIT "CVornItem.cpp"
#include "CVornItem.h"

#include "CItemArray.h"
#include "CItemPool.h"
#include "CVornViewLink.h"
#include "MemTracking.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "Utilities.h"
#include "VornBoardAssert.h"
#include "VornErrors.h"
#include "XGFileSpecifier.h"
#include "XGGeometry.h"
#include "XGPicture.h"
#include "XGPictureFetch.h"
#include "XGPlatform.h"
#include "XGThread.h"

#include <cstring>

using namespace yaaf;

yaaf::int32 g_suppressFlushL = 0;

namespace {

bool DefaultLaunchFile(const XGFileSpecifier& spec) {
    return LaunchFilePath(spec.GetFullPath()) == 0;
}

VornLaunchFileProc s_launchFileProc = DefaultLaunchFile;
// Plain HTTP unless something else is installed.
yaaf::XGPicture* FetchPictureOverHTTP(const char* urlZ, yaaf::tagRECT* frameP) {
    return yaaf::XGFetchPicture(urlZ, frameP);
}
VornFetchPictureProc s_fetchPictureProc = &FetchPictureOverHTTP;
VornDisposeInfoDlgProc s_disposeInfoDlgProc = nullptr;


} // namespace

VornLaunchFileProc Vorn_SetLaunchFileProc(VornLaunchFileProc proc) {
    VornLaunchFileProc old = s_launchFileProc;
    s_launchFileProc = proc ? proc : DefaultLaunchFile;
    return old;
}

VornFetchPictureProc Vorn_SetFetchPictureProc(VornFetchPictureProc proc) {
    VornFetchPictureProc old = s_fetchPictureProc;
    s_fetchPictureProc = proc;
    return old;
}

void Vorn_SetDisposeInfoDlgProc(VornDisposeInfoDlgProc proc) {
    s_disposeInfoDlgProc = proc;
}

void Vorn_DisposeInfoDlg(CGetInfoDlg* dlgP) {
    if (dlgP && s_disposeInfoDlgProc) s_disposeInfoDlgProc(dlgP);
}

bool Vorn_LaunchFile(const XGFileSpecifier& spec) {
    return s_launchFileProc(spec);
}

// ---------------------------------------------------------------------------------------------
// Construction and copying

void* CVornItem::operator new(std::size_t size) {
    return CItemPool::Allocate(size);
}

void* CVornItem::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CItemPool::TryAllocate(size);
}

void CVornItem::operator delete(void* p, std::size_t size) noexcept {
    CItemPool::Release(p, size);
}

void CVornItem::operator delete(void* p, const std::nothrow_t&) noexcept {
    CItemPool::Release(p, sizeof(CVornItem));
}

CVornItem::CVornItem(TVornModel* vornP, int32 indexL) : i_finished_loadB(true) {
    NewVornItem(this, vornP, indexL);
}

CVornItem::CVornItem(CVornItem* itemP, TVornModel* vornP) : i_finished_loadB(true) {
    NewVornItem(this, vornP, kNoIndex);
    if (itemP) *this = *itemP;
    if (vornP) i_vornP = vornP;
}

void CVornItem::NewVornItem(CVornItem* itemP, TVornModel* vornP, int32 indexL) {
    itemP->i_indexL = indexL;
    itemP->i_vornP = vornP;
    itemP->i_rgnP = nullptr;
    itemP->i_full_widthB = false;
    itemP->i_b = Vorn_ItemBoolsRec_DISK{};
    itemP->i_boundsR = tagRECT{};
    itemP->i_auto_boundsR = tagRECT{};
    itemP->UseAutoBounds(false);
    if (vornP) itemP->i_font = vornP->GetItemFont();
    NewVornLink(itemP->i_resource.source);
    NewVornLink(itemP->i_resource.dest);
    itemP->i_finished_loadB.store(true);
    itemP->i_set_boundsB = false;
    itemP->i_getInfoP = nullptr;
}

void CVornItem::NewVornLink(Vorn_LinkRef& link) {
    Vorn_LinkContent& c = link.content;
    c.type = LinkType_NONE;
    c.cacheP = nullptr;
    c.cachingB = false;
    c.origR = tagRECT{};
    c.disk_pathP = nullptr;
    c.disk_aliasP = nullptr;
    c.u.textP = nullptr;
    c.TextChanged();
}

void CVornItem::DisposeVornLink(Vorn_LinkRef& link) {
    Vorn_LinkContent& c = link.content;
    delete c.cacheP;
    c.cacheP = nullptr;
    if (IsTextType(c.type))
        delete c.u.textP;
    else if (IsFileType(c.type))
        delete c.u.fileP;
    c.u.textP = nullptr;
    c.type = LinkType_NONE;
    c.TextChanged();
}

void CVornItem::copy_link(Vorn_LinkRef* destP, const Vorn_LinkRef* srcP) {
    destP->date = srcP->date;
    destP->content.type = srcP->content.type;
    destP->content.origR = srcP->content.origR;
    destP->content.u.textP = nullptr;
    destP->content.TextChanged();
    if (IsTextType(srcP->content.type)) {
        if (srcP->content.u.textP) destP->content.u.textP = new std::string(*srcP->content.u.textP);
    } else if (IsFileType(srcP->content.type)) {
        if (srcP->content.u.fileP) destP->content.u.fileP = new XGFileSpecifier(*srcP->content.u.fileP);
    }
    // The picture is never copied: a copy loads its own when it is put into a board.
}

CVornItem& CVornItem::operator=(const CVornItem& other) {
    if (this == &other) return *this;
    i_vornP = other.i_vornP;
    i_indexL = other.i_indexL;
    i_b = other.i_b;
    i_boundsR = other.i_boundsR;
    UseAutoBounds(other.i_boundsRP != &other.i_boundsR);
    if (i_rgnP) {
        TrackDisposePtr(i_rgnP);
        i_rgnP = nullptr;
    }
    if (i_b.rgnB()) {
        i_rgnP = static_cast<_Vorn_RgnRec*>(TrackNewPtrClear("item region ptr", sizeof(_Vorn_RgnRec)));
        if (i_rgnP && other.i_rgnP)
            std::memcpy(i_rgnP, other.i_rgnP, sizeof(_Vorn_RgnRec));
        else if (!i_rgnP)
            i_b.set_rgnB(false);
    }
    i_font = other.i_font;
    WaitForLoader();
    DisposeVornLink(i_resource.source);
    DisposeVornLink(i_resource.dest);
    copy_link(&i_resource.source, &other.i_resource.source);
    copy_link(&i_resource.dest, &other.i_resource.dest);
    // The board may have changed with the rest.
    HotChanged();
    return *this;
}

CVornItem::~CVornItem() {
    // A running loader writes into this item: it is waited for, never left behind.
    WaitForLoader();
    Vorn_DisposeInfoDlg(i_getInfoP);
    i_getInfoP = nullptr;
    if (i_rgnP) TrackDisposePtr(i_rgnP);
    i_rgnP = nullptr;
    DisposeVornLink(i_resource.source);
    DisposeVornLink(i_resource.dest);
    delete i_loadBaseP;
    if (i_ownerA) i_ownerA->ItemDestroyed(this);
}

void CVornItem::UseAutoBounds(bool autoB) {
    CVornItemRect* rP = autoB ? &i_auto_boundsR : &i_boundsR;
    if (i_boundsRP == rP) return;
    i_boundsRP = rP;
    HotChanged();
}

void CVornItem::HotChangedInOwner() {
    i_ownerA->ItemChanged(this);
}

// The plain operations, then the item hears of the change.
void OffsetRect(CVornItemRect& r, int32 dh, int32 dv) {
    tagRECT moved = r;
    yaaf::OffsetRect(moved, dh, dv);
    r = moved;
}

void InsetRect(CVornItemRect& r, int32 dh, int32 dv) {
    tagRECT inset = r;
    yaaf::InsetRect(inset, dh, dv);
    r = inset;
}

bool SectRect(const tagRECT& a, const tagRECT& b, CVornItemRect& out) {
    tagRECT sect;
    const bool any = yaaf::SectRect(a, b, sect);
    out = sect;
    return any;
}

void UnionRect(const tagRECT& a, const tagRECT& b, CVornItemRect& out) {
    tagRECT both;
    yaaf::UnionRect(a, b, both);
    out = both;
}

// ---------------------------------------------------------------------------------------------
// Text and names

std::string* CVornItem::Vorn_GetTextP(Vorn_LinkContent& content) {
    if (content.type == LinkType_NONE) content.type = LinkType_TEXT;
    if (IsFileType(content.type)) {
        // A file link has no text of its own; it reads as its file's name.
        static thread_local std::string s_name;
        s_name = content.u.fileP ? content.u.fileP->GetName() : std::string();
        if (s_name.empty()) s_name = " ";
        return &s_name;
    }
    if (!content.u.textP) content.u.textP = new std::string();
    if (content.u.textP->empty()) *content.u.textP = " ";
    return content.u.textP;
}

void CVornItem::Vorn_SetText(Vorn_LinkContent& content, const char* textZ) {
    std::string* s = Vorn_GetTextP(content);
    if (IsFileType(content.type)) return;
    *s = textZ ? textZ : "";
    content.TextChanged();
}

void CVornItem::Vorn_GetText(Vorn_LinkContent& content, char* textZ, size_t size) {
    nstrcpy(textZ, Vorn_GetTextP(content)->c_str(), size);
}

Vorn_LinkContent* CVornItem::ResolveRef(Vorn_RefType refType) {
    return refType == Vorn_Ref_SRC ? &i_resource.source.content : &i_resource.dest.content;
}

std::string CVornItem::GetName(Vorn_RefType refType, bool longB) {
    Vorn_LinkContent* c = ResolveRef(refType);
    if (IsTextType(c->type)) return c->u.textP ? *c->u.textP : std::string();
    if (IsFileType(c->type)) {
        if (!c->u.fileP) return std::string();
        return longB ? c->u.fileP->GetFullPath() : c->u.fileP->GetName();
    }
    return std::string();
}

char* CVornItem::GetName(Vorn_RefType refType, char* nameZ, bool longB, size_t size) {
    // Text is copied straight across: numerology and sorting ask every item of a board.
    Vorn_LinkContent* c = ResolveRef(refType);
    if (IsTextType(c->type)) return nstrcpy(nameZ, c->u.textP ? c->u.textP->c_str() : "", size);
    return nstrcpy(nameZ, GetName(refType, longB).c_str(), size);
}

bool CVornItem::IsLineBreak() {
    const Vorn_LinkContent& c = i_resource.source.content;
    return c.type == LinkType_TEXT && c.u.textP && !c.u.textP->empty() && (*c.u.textP)[0] == '\r';
}

// ---------------------------------------------------------------------------------------------
// Flags

bool CVornItem::IsLocked() const {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return i_b.lockedB();
    }
    return i_b.lockedB() && !i_vornP->i_prefs.b.ignore_locksB();
}

bool CVornItem::IsHidden() const {
    if (!i_vornP) {
        VORN_ASSERT_DLG(i_vornP);
        return i_b.hiddenB();
    }
    if (!i_b.hiddenB()) return false;
    return i_vornP->GetMode() == Vorn_Mode_GO || !i_vornP->i_prefs.b.ignore_hiddenB();
}

bool CVornItem::IsMissing() const {
    for (const Vorn_LinkRef* link : {&i_resource.source, &i_resource.dest}) {
        const Vorn_LinkContent& c = link->content;
        if (IsFileType(c.type) && (!c.u.fileP || !c.u.fileP->Exists())) return true;
    }
    return false;
}

void CVornItem::CreateNewRgn() {
    if (!i_rgnP)
        i_rgnP = static_cast<_Vorn_RgnRec*>(TrackNewPtrClear("item region ptr", sizeof(_Vorn_RgnRec)));
    else
        *i_rgnP = _Vorn_RgnRec{};
    i_b.set_rgnB(i_rgnP != nullptr);
}

// ---------------------------------------------------------------------------------------------
// Links

void CVornItem::SetLinkToURL(const char* urlZ) {
    if (!urlZ) urlZ = "";
    DisposeVornLink(i_resource.dest);
    Vorn_LinkContent& d = i_resource.dest.content;
    d.type = StringIsURL(urlZ) ? LinkType_URL : LinkType_TEXT;
    d.u.textP = new std::string(urlZ);

    Vorn_LinkContent& s = i_resource.source.content;
    // An empty text reads as one blank, so a blank title is no title either.
    const bool noTitle = s.type == LinkType_NONE ||
                         (IsTextType(s.type) && (!s.u.textP || s.u.textP->empty() || *s.u.textP == " "));
    if (noTitle) {
        WaitForLoader();
        DisposeVornLink(i_resource.source);
        s.type = LinkType_TEXT;
        s.u.textP = new std::string(urlZ);
        if (URLStringIsPic(urlZ)) {
            s.type = LinkType_PICT_URL;
            ImportPict();
        }
    }
}

void CVornItem::SetLinkToFile(XGFileSpecifier* fileSpecP) {
    DisposeVornLink(i_resource.dest);
    Vorn_LinkContent& d = i_resource.dest.content;
    d.type = LinkType_FILE;
    d.u.fileP = fileSpecP;

    Vorn_LinkContent& s = i_resource.source.content;
    if (s.type == LinkType_NONE || s.type == LinkType_TEXT) {
        const bool untitled = !s.u.textP || s.u.textP->empty() || *s.u.textP == " ";
        if (untitled && fileSpecP) {
            s.type = LinkType_TEXT;
            if (!s.u.textP) s.u.textP = new std::string();
            *s.u.textP = fileSpecP->GetName();
            s.TextChanged();
        }
    }
}

void CVornItem::ImportPict() {
    CacheItem(false, true, 0);
    if (i_vornP)
        if (CVornViewLink* view = i_vornP->GetView()) view->DocChanged(true);
}

// ---------------------------------------------------------------------------------------------
// The picture cache. The loader touches only source.content (cacheP, type, cachingB, origR)
// and i_finished_loadB, which it sets last; the main thread reads the results only after it
// has seen that flag set.

void CVornItem::CacheItem(bool forcedB, bool set_boundsB, int16 block_timeS) {
    Vorn_LinkContent& lnk = i_resource.source.content;
    if (IsLoading()) return; // a load is already running (cachingB is the loader's now)
    if (lnk.type != LinkType_PICT_FILE && lnk.type != LinkType_PICT_URL) {
        delete lnk.cacheP;
        lnk.cacheP = nullptr;
        return;
    }
    if (lnk.cachingB) return;
    if (forcedB) {
        delete lnk.cacheP;
        lnk.cacheP = nullptr;
    }
    if (!lnk.cacheP) {
        if (!lnk.u.textP) {
            VORN_ASSERT_DLG(lnk.u.textP);
            return;
        }
        if (i_vornP) {
            i_set_boundsB = set_boundsB;
            lnk.cachingB = true;
            NewCacheItemThread();
        }
    }
    if (block_timeS != 0) {
        const int64 end = XGGetTime() + int64(XGGetSecond()) * block_timeS;
        while (IsLoading() && XGGetTime() < end)
            XGThread::YieldThread(false);
    }
}

void CVornItem::NewCacheItemThread() {
    WaitForLoader();
    i_vornP->IdleMe(this, true);
    delete i_loadBaseP;
    i_loadBaseP = i_vornP->HasFile() ? new XGFileSpecifier(i_vornP->GetFile()) : nullptr;
    i_finished_loadB.store(false, std::memory_order_release);
    auto* thread = new XGThread(&CVornItem::CB_S_CacheItemProc, this);
    if (thread->Start()) {
        i_loaderP = thread; // the creator's reference, kept so that the load can be waited for
        return;
    }
    thread->Release();
    // No thread: the load fails at once and Idle reports it.
    i_resource.source.content.cachingB = false;
    i_finished_loadB.store(true, std::memory_order_release);
}

int32 CVornItem::CB_S_CacheItemProc(void* itemP) {
    static_cast<CVornItem*>(itemP)->CB_CacheItemProc();
    return 0;
}

void CVornItem::CB_CacheItemProc() {
    Vorn_LinkContent& lnk = i_resource.source.content;
    if (lnk.type == LinkType_PICT_FILE) {
        if (lnk.u.fileP) {
            bool found = lnk.u.fileP->Exists();
            if (!found && i_loadBaseP) found = ResolveFileSpec(*lnk.u.fileP, *i_loadBaseP) == 0;
            if (found) {
                auto* pic = new XGPicture;
                if (pic->LoadFromFile(lnk.u.fileP->GetFullPath())) {
                    lnk.origR = pic->GetSrcFrame();
                    lnk.cacheP = pic;
                } else {
                    delete pic;
                }
            }
        }
    } else if (lnk.type == LinkType_PICT_URL) {
        XGPicture* pic = nullptr;
        tagRECT frame;
        if (lnk.u.textP && s_fetchPictureProc) pic = s_fetchPictureProc(lnk.u.textP->c_str(), &frame);
        if (pic && pic->IsValid()) {
            lnk.origR = frame;
            lnk.cacheP = pic;
        } else {
            delete pic;
            lnk.type = LinkType_URL; // kept as a plain web link
        }
    }
    lnk.cachingB = false;
    // Last: after this the item may be gone.
    i_finished_loadB.store(true, std::memory_order_release);
}

void CVornItem::WaitForLoader() {
    if (!i_loaderP) return;
    i_loaderP->Wait();
    i_loaderP->Release();
    i_loaderP = nullptr;
}

void CVornItem::Idle() {
    if (IsLoading()) return;
    WaitForLoader();
    Vorn_LinkContent& lnk = i_resource.source.content;
    if (!i_vornP) {
        delete lnk.cacheP;
        lnk.cacheP = nullptr;
        return;
    }
    i_vornP->IdleMe(this, false);
    if (!lnk.cacheP) {
        ReportErrorStr(-1, lnk.type == LinkType_URL ? "Trouble loading URL" : "Trouble loading Picture");
        return;
    }
    if (i_set_boundsB || EmptyRect(i_boundsR)) {
        const tagRECT frame = lnk.cacheP->GetSrcFrame();
        i_boundsR = tagRECT{i_boundsR.left, i_boundsR.top, i_boundsR.left + frame.Width(),
                            i_boundsR.top + frame.Height()};
    }
    i_set_boundsB = false;
    if (i_vornP->GetMode() == Vorn_Mode_GO) i_vornP->i_update_in_go_modeB = true;
    if (!lnk.cacheP->GetDest())
        if (CVornViewLink* view = i_vornP->GetView()) lnk.cacheP->UpdateDest(view->GetDrawContext(), true);
    if (CVornViewLink* view = i_vornP->GetView()) view->InvalView();
}

void CVornItem::UnCacheItem() {
    WaitForLoader();
    Vorn_LinkContent& lnk = i_resource.source.content;
    delete lnk.cacheP;
    lnk.cacheP = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Board membership

void CVornItem::InsertToList(TVornModel* vornP) {
    if (!vornP) {
        VORN_ASSERT_DLG(vornP);
        return;
    }
    i_vornP = vornP;
    vornP->InsertItem(this, i_indexL);
    i_indexL = kNoIndex;
}

void CVornItem::DeleteFromList(bool uncacheB) {
    DeleteFromList(uncacheB, kNoIndex);
}

void CVornItem::DeleteFromList(bool uncacheB, int32 hintL) {
    if (i_vornP) {
        // An item is in its board once. Closing a board and clearing a selection take items
        // from the top down, so the search runs from the end (from the front it made both
        // quadratic in the board's size).
        CItemArray* listP = i_vornP->i_list;
        const bool atHint = hintL >= 0 && hintL < listP->Count() && listP->GetIndItem(hintL) == this;
        i_indexL = atHint ? hintL : listP->LastIndexOf(this);
        i_vornP->DeleteItemAt(this, i_indexL, uncacheB);
    } else if (uncacheB) {
        UnCacheItem();
        delete this;
    }
}

void CVornItem::Flush() {
    CVornViewLink* view = i_vornP ? i_vornP->GetView() : nullptr;
    if (!view) {
        VORN_ASSERT_DLG(view);
        return;
    }
    tagRECT r = GetScreenBounds();
    if (i_b.selectedB()) InsetRect(r, -7, -7);
    view->FlushRect(r);
}

tagRECT CVornItem::GetItemHandle(const tagRECT* rectP, int16 type) {
    const tagRECT& r = *rectP;
    switch (type) {
    case 2:
        return tagRECT{r.left - kHandleReach, r.top - kHandleReach, r.left, r.top};
    case 3:
        return tagRECT{r.right, r.top - kHandleReach, r.right + kHandleReach, r.top};
    case 4:
        return tagRECT{r.left - kHandleReach, r.bottom, r.left, r.bottom + kHandleReach};
    case 5:
        return tagRECT{r.right, r.bottom, r.right + kHandleReach, r.bottom + kHandleReach};
    default:
        return r;
    }
}
