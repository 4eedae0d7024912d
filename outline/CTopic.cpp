#define OUTLINE_UNIT "CTopic"
// The topic: creation, copies, flags, geometry, places in lists, names, worker threads and
// destruction.
#include "CTopic.h"

#include "COutlineDocLink.h"
#include "CTopicHandOver.h"
#include "CTopicList.h"
#include "CVornPrefs.h"
#include "OutlineAssert.h"
#include "VOutline.h"
#include "XGDateTime.h"
#include "XGFont.h"
#include "XGDraw.h"
#include "XGGeometry.h"
#include "XGMainThread.h"
#include "XGRegion.h"
#include "XGPicture.h"
#include "XGThread.h"

#include <algorithm>
#include <cstring>

using namespace yaaf;

namespace {

XGSFontResource DefaultTopicFont() {
    XGSFontResource font;
    if (gVornPrefsP) font = gVornPrefsP->i_prefs.model.font;
    if (font.size <= 0) font.size = 12;
    if (font.name[0] == 0) std::strncpy(font.name, "Arial", sizeof font.name - 1);
    return font;
}

// The lower-case form that sorting by name compares: bytes, so that names that are not UTF-8
// sort as well as any.
std::string LowerBytes(const std::string& s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

} // namespace

CTopic::CTopic(const char* nameAC, CTopicList* listP, int32 indexL) {
    CTopic_Init(listP, indexL);
    // Not through SetName: a topic in no list yet moves no rows, and topics made by the
    // thousand on a worker must not have every list laid out again meanwhile.
    if (nameAC) {
        i_nameZ = nameAC;
        i_sortKeyZ = LowerBytes(i_nameZ);
    }
}

CTopic::CTopic(const CTopic* topicP, CTopicList* listP) {
    CTopic_Init(listP, kNoIndex);
    if (topicP) *this = *topicP;
    if (listP) {
        i_siblingsP = listP;
        i_parentP = listP->i_parentP;
    }
}

CTopic* CTopic::New_CTopic(const CTopic* copy_topicP, CTopicList* listP) const {
    return new CTopic(copy_topicP, listP);
}

void CTopic::CTopic_Init(CTopicList* listP, int32 indexL) {
    i_kill_threadsB = false;
    i_siblingsP = listP;
    i_parentP = listP ? listP->i_parentP : nullptr;
    i_indexL = indexL;
    i_iconP.reset();
    i_finished_loadB = true;
    i_childrenP = nullptr;
    i_nameZ = kUntitled;
    i_sortKeyZ = LowerBytes(i_nameZ);
    i_fitW = -1;
    i_font = DefaultTopicFont();
    i_flags = 0;
    i_ownerB = false;
    i_frameA.fill(tagRECT{});
    i_boundsI = 0;
}

CTopic& CTopic::operator=(const CTopic& other) {
    if (this == &other) return *this;
    i_siblingsP = other.i_siblingsP;
    i_parentP = other.i_parentP;
    i_indexL = other.i_indexL;
    i_nameZ = other.i_nameZ;
    i_sortKeyZ = other.i_sortKeyZ;
    i_fitW = other.i_fitW;
    i_fitH = other.i_fitH;
    i_font = other.i_font;
    i_flags = other.i_flags;
    i_frameA = other.i_frameA;
    i_boundsI = other.i_boundsI;
    // Children are never shared.
    i_childrenP = nullptr;
    i_ownerB = false;
    SetFlag(TOPIC_Flag_INSERTED, false);
    return *this;
}

CTopic::~CTopic() {
    KillThreads();
    // Views keep the topic under the mouse and the one being renamed.
    if (XGMainThread::IsMainThread()) VOutline::ForgetTopicEverywhere(this);
    if (i_handOverP) i_handOverP->Close();
    i_iconP.reset();
    if (i_childrenP && i_ownerB) {
        CTopicList* childrenP = i_childrenP;
        childrenP->Iterate(TOPIC_Iter_DELETE, nullptr, true);
        i_childrenP = nullptr;
        delete childrenP;
    }
    if (GetFlag(TOPIC_Flag_INSERTED) && i_siblingsP) {
        // Straight to the list: the flag change must not reach a view that may be going too.
        i_siblingsP->Remove(this, false, false);
        i_flags &= ~TOPIC_Flag_INSERTED;
    }
    i_parentP = nullptr;
    i_siblingsP = nullptr;
    i_indexL = kNoIndex;
}

// ---------------------------------------------------------------------------------------------
// Worker threads

void CTopic::KillThreads() {
    i_kill_threadsB = true;
    while (true) {
        {
            std::lock_guard<std::mutex> lock(i_thread_mutex);
            if (i_thread_map.empty()) break;
        }
        XGThread::YieldThread(false);
    }
}

void CTopic::Init_Subtopics() {
    // Children handed over and not yet inserted count: the list is not empty any more.
    if (i_childrenP && i_childrenP->Count() == 0 && GetHandOver()->CountPending() == 0)
        NewThread(TOPIC_Thread_INIT_SUBTOPICS, nullptr);
}

void CTopic::CB_Thread(int16 type, void*) {
    switch (type) {
    case TOPIC_Thread_INIT_SUBTOPICS:
        CB_Thread_InitSubtopics();
        break;
    case TOPIC_Thread_CACHE_IMAGE:
        CB_Thread_CacheImage();
        break;
    case TOPIC_Thread_FETCH_ICON:
        CB_Thread_FetchIcon();
        break;
    default:
        break;
    }
}

bool CTopic::ThreadExists(int16 type) const {
    std::lock_guard<std::mutex> lock(i_thread_mutex);
    return i_thread_map.count(type) != 0;
}

bool CTopic::NewThread(int16 type, void* arbP) {
    if (i_kill_threadsB) return false;
    auto* recP = new CTopic_ThreadRec{this, type, arbP};
    auto* threadP = new XGThread(&CB_S_Thread, recP);
    {
        // Recorded before the thread runs: a worker that ends at once erases its own entry.
        std::lock_guard<std::mutex> lock(i_thread_mutex);
        if (i_thread_map.count(type)) {
            delete recP;
            threadP->Release();
            return false;
        }
        i_thread_map[type] = reinterpret_cast<unsigned long>(threadP);
    }
    if (!threadP->Start()) {
        {
            std::lock_guard<std::mutex> lock(i_thread_mutex);
            i_thread_map.erase(type);
        }
        delete recP;
        threadP->Release();
        return false;
    }
    // The running thread keeps itself alive.
    threadP->Release();
    return true;
}

int32 CTopic::CB_S_Thread(void* arg) {
    auto* recP = static_cast<CTopic_ThreadRec*>(arg);
    const CTopic_ThreadRec rec = *recP;
    delete recP;
    rec.thiz->CB_Thread(rec.threadType, rec.arbP);
    std::lock_guard<std::mutex> lock(rec.thiz->i_thread_mutex);
    rec.thiz->i_thread_map.erase(rec.threadType);
    return 0;
}

CTopicHandOver* CTopic::GetHandOver() {
    std::call_once(i_handOverOnce, [this] { i_handOverP = std::make_shared<CTopicHandOver>(this); });
    return i_handOverP.get();
}

void CTopic::HandOverSubtopic(CTopic* childP, O_SortType sortType, bool reverseB) {
    if (!childP) return;
    GetHandOver()->Add(childP, sortType, reverseB);
}

CTopicList* CTopic::GetChildren(bool makeB) {
    if (!i_childrenP && makeB) {
        i_childrenP = new CTopicList(i_siblingsP ? i_siblingsP->i_outlineP : nullptr, this);
        i_ownerB = true;
    }
    return i_childrenP;
}

// ---------------------------------------------------------------------------------------------
// Flags

void CTopic::SetFlag(uint32 flag, bool setB) {
    const uint32 next = setB ? (i_flags | flag) : (i_flags & ~flag);
    if (next == i_flags) return;
    const uint32 changed = next ^ i_flags;
    const O_ViewAsType viewAs = GetViewAs();
    if (viewAs == O_ViewAs_LIST && (changed & TOPIC_Flag_TWIRLED) && setB) Init_Subtopics();
    i_flags = next;
    if (changed & (TOPIC_Flag_INSERTED | TOPIC_Flag_TWIRLED | TOPIC_Flag_HIDDEN)) CTopicList::LayoutChanged();
    const bool layoutB = viewAs == O_ViewAs_LIST || viewAs == O_ViewAs_HEIR_COL || viewAs == O_ViewAs_FLAT_COL;
    Inval(layoutB && (changed & (TOPIC_Flag_INSERTED | TOPIC_Flag_TWIRLED | TOPIC_Flag_HIDDEN)) != 0);
}

bool CTopic::ToggleFlag(uint32 flag) {
    const bool old = GetFlag(flag);
    SetFlag(flag, !old);
    return old;
}

// ---------------------------------------------------------------------------------------------
// Geometry

VOutline* CTopic::GetView() const {
    return i_siblingsP ? i_siblingsP->GetView() : nullptr;
}

tagRECT CTopic::GetScreenBounds() const {
    tagRECT r = *GetFrameP();
    if (const VOutline* viewP = GetView()) OffsetRect(r, viewP->i_scrollH, viewP->i_scrollV);
    return r;
}

tagRECT CTopic::GetItemHandle(const tagRECT* rectP, int32 type) const {
    const tagRECT r = rectP ? *rectP : GetScreenBounds();
    switch (type) {
    case TOPIC_Widget_HANDLE_TL:
        return tagRECT{r.left - 6, r.top - 6, r.left, r.top};
    case TOPIC_Widget_HANDLE_TR:
        return tagRECT{r.right, r.top - 6, r.right + 6, r.top};
    case TOPIC_Widget_HANDLE_BL:
        return tagRECT{r.left - 6, r.bottom, r.left, r.bottom + 6};
    case TOPIC_Widget_HANDLE_BR:
        return tagRECT{r.right, r.bottom, r.right + 6, r.bottom + 6};
    default:
        return tagRECT{};
    }
}

tagRECT CTopic::GetTextBox(const tagRECT& itemR, bool clipB) const {
    tagRECT r = itemR;
    InsetRect(r, 2, 2);
    if (clipB) {
        OUTLINE_ASSERT_TEXT(i_siblingsP && i_siblingsP->i_outlineP, "i_siblingsP->i_outlineP");
        if (i_siblingsP && i_siblingsP->GetView())
            if (XGDraw* drawP = i_siblingsP->GetDraw()) drawP->SetClip(r);
    }
    InsetRect(r, 2, 0);
    r.right -= 5;
    return r;
}

void CTopic::SetTextBox(const tagRECT& textR) {
    tagRECT r = textR;
    r.right += 5;
    r.left -= 2;
    r.right += 2;
    r.left -= 2;
    r.top -= 2;
    r.right += 2;
    r.bottom += 2;
    tagRECT* frameP = GetFrameP();
    frameP->right = frameP->left + r.Width();
    frameP->bottom = frameP->top + r.Height();
}

void CTopic::SizeToFit() {
    if (i_fitW < 0) {
        // Measured once per name and font: a column of many topics is laid out on every draw.
        const XGFont& font = GetXGFont();
        int32 width = 0;
        int32 lines = 1;
        size_t start = 0;
        const std::string& s = i_nameZ;
        for (size_t i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != '\r' && s[i] != '\n') continue;
            // A name of one line (most of them) is measured as it stands, not copied.
            if (i > start)
                width = std::max(width, start == 0 && i == s.size() ? font.TextWidthQuick(s)
                                                                    : font.TextWidthQuick(s.substr(start, i - start)));
            if (i < s.size()) {
                ++lines;
                if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            }
            start = i + 1;
        }
        i_fitW = width;
        i_fitH = lines * font.LineHeight();
    }
    tagRECT* frameP = GetFrameP();
    frameP->right = frameP->left + i_fitW + kTextLeft + 4;
    frameP->bottom = frameP->top + i_fitH + 1;
}

void CTopic::GetBlitRgn(XGRegion* rgnP) const {
    if (!rgnP) return;
    tagRECT r = GetScreenBounds();
    InsetRect(r, -2, -2);
    rgnP->Union(r);
}

const XGFont& CTopic::GetXGFont() const {
    // Most topics share one font: keep the last one made.
    thread_local XGSFontResource s_lastRes;
    thread_local std::unique_ptr<XGFont> s_lastFont;
    if (!s_lastFont || std::memcmp(&s_lastRes, &i_font, sizeof i_font) != 0) {
        s_lastFont = std::make_unique<XGFont>(i_font);
        s_lastRes = i_font;
    }
    return *s_lastFont;
}

// ---------------------------------------------------------------------------------------------
// Properties, links and names

void CTopic::Get_Date_Modified(XGDateTime* dateP) const {
    if (dateP) *dateP = XGDateTime::Now();
}

void CTopic::Inval(bool whole_viewB) {
    if (!i_siblingsP) return;
    if (i_siblingsP->i_outlineP) {
        i_siblingsP->i_outlineP->InvalTopic(this, whole_viewB);
        return;
    }
    // A list without a document still has its view drawn again.
    if (VOutline* viewP = i_siblingsP->GetView()) viewP->InvalTopic(this, whole_viewB);
}

O_ViewAsType CTopic::GetViewAs() const {
    const VOutline* viewP = GetView();
    return viewP ? viewP->GetViewAs() : O_ViewAs_NONE;
}

bool CTopic::IsMemberOf(const CTopicList* listP) const {
    if (!listP) return false;
    // A topic's ancestors are few; a cycle (a broken tree) must not hang the walk.
    int guard = 0;
    for (const CTopic* t = this; t && guard < 100000; t = t->i_parentP, ++guard)
        if (t->i_siblingsP == listP) return true;
    return false;
}

void CTopic::GetName(char* name, size_t size) const {
    if (!name || size == 0) return;
    const size_t n = std::min(size - 1, i_nameZ.size());
    std::memcpy(name, i_nameZ.data(), n);
    name[n] = 0;
}

void CTopic::SetName(const std::string& name) {
    i_nameZ = name;
    i_sortKeyZ = LowerBytes(name);
    i_fitW = -1;
    CTopicList::LayoutChanged();
}

void CTopic::SetFont(const XGSFontResource& font) {
    i_font = font;
    i_fitW = -1;
    CTopicList::LayoutChanged();
}

// ---------------------------------------------------------------------------------------------
// Places in lists

void CTopic::Adopt(CTopic* parentP, int32 indexL) {
    i_parentP = parentP;
    i_indexL = indexL;
    i_siblingsP = parentP ? parentP->i_childrenP : nullptr;
}

void CTopic::Orphan() {
    i_parentP = nullptr;
    i_siblingsP = nullptr;
    i_indexL = kNoIndex;
}

void CTopic::Insert() {
    OUTLINE_ASSERT_DLG(i_parentP);
    OUTLINE_ASSERT_DLG(i_siblingsP);
    if (i_siblingsP) i_siblingsP->Insert(this, i_indexL, true);
}

void CTopic::Remove(bool deleteB) {
    OUTLINE_ASSERT_DLG(i_siblingsP);
    if (i_siblingsP) i_siblingsP->Remove(this, true, deleteB);
}

CTopic* CTopic::operator[](int32 indexL) const {
    return i_childrenP ? i_childrenP->GetIndItem(indexL) : nullptr;
}
