#include "MemTracking.h"

#include "CVornPrefs.h"
#include "FormatSize.h"
#include "VornErrors.h"
#include "VornLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

using namespace yaaf;

DataTrackerRec gTrackHandles{MemTrack_HANDLE, 0, 0, 0, {}};
DataTrackerRec gTrackPtrs{MemTrack_POINTER, 0, 0, 0, {}};

namespace {

// Room to retry an allocation would come from caches; nothing here holds any.
bool MakeRoom(int32 /*size*/) {
    return false;
}

std::string Formatted(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

std::string Formatted(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        out.resize(size_t(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, ap2);
        out.resize(size_t(n));
    }
    va_end(ap2);
    return out;
}

std::string SizeText(int32 size) {
    return FormatSize(uint32(size));
}

void LogSizeLine(const char* prefix, const TrackNode& node, const DataTrackerRec& tracker) {
    std::string line = prefix;
    line += node.whatZ;
    line += Formatted(", size: %s, Num tracked: %ld, total size: %s\n", SizeText(node.sizeL).c_str(),
                      long(tracker.tracksA.size()), SizeText(tracker.totalSizeL).c_str());
    Log(line);
}

void Record(DataTrackerRec& tracker, const char* description, void* block, int32 size, XGHandle* h) {
    TrackNode node;
    node.whatZ = description ? description : "";
    node.dataP = block;
    node.sizeL = size;
    node.h = h;
    tracker.tracksA.push_back(std::move(node));
    tracker.maxTrackedL = std::max(tracker.maxTrackedL, int32(tracker.tracksA.size()));
    tracker.totalSizeL += size;
    tracker.peakSizeL = std::max(tracker.peakSizeL, tracker.totalSizeL);
    if (LogMemory())
        LogSizeLine(tracker.trackType == MemTrack_HANDLE ? "NewHandle: " : "NewPointr: ",
                    tracker.tracksA.back(), tracker);
}

// The bookkeeping of a release; answers whether the block was tracked here.
bool Forget(DataTrackerRec& tracker, void* block) {
    const char* typeName = MemTrackTypeName(tracker.trackType);
    if (!block) {
        Error("Error:", Formatted("Disposing a NULL %s, eh?", typeName).c_str());
        return false;
    }
    if (tracker.trackType != MemTrack_HANDLE && tracker.trackType != MemTrack_POINTER) {
        Error("Error:", "disposing something very strange");
        return false;
    }
    auto it = std::find_if(tracker.tracksA.begin(), tracker.tracksA.end(),
                           [block](const TrackNode& n) { return n.dataP == block; });
    if (it == tracker.tracksA.end()) {
        // The block may already have been released, so its size cannot be asked for.
        Error("Error:",
              Formatted("Disposing an untracked %s.  Size = %s\nBeware size may have extra padding\n",
                        typeName, SizeText(0).c_str())
                  .c_str());
        return false;
    }
    const int32 size = it->sizeL;
    if (size > tracker.totalSizeL)
        Error(Formatted("Error: %d", int(size)).c_str(), "Disposing more pointer data than we got?");
    tracker.totalSizeL -= size;
    TrackNode node = std::move(*it);
    tracker.tracksA.erase(it);
    if (LogMemory())
        LogSizeLine(tracker.trackType == MemTrack_HANDLE ? "DisHandle: " : "DisPointr: ", node, tracker);
    return true;
}

void* NewPtr(const char* description, int32 size, bool clear) {
    if (size < 0) return nullptr;
    const size_t bytes = size ? size_t(size) : 1;
    void* block = clear ? std::calloc(bytes, 1) : std::malloc(bytes);
    for (int attempt = 0; !block && attempt < 2; ++attempt) {
        if (!MakeRoom(size)) break;
        block = clear ? std::calloc(bytes, 1) : std::malloc(bytes);
    }
    if (!block) return nullptr;
    Record(gTrackPtrs, description, block, size, nullptr);
    return block;
}

XGHandle* NewHandle(const char* description, int32 size, XGHandle** slotP) {
    if (size < 0) return nullptr;
    XGHandle* h = slotP ? *slotP : nullptr;
    if (!h) {
        h = new (std::nothrow) XGHandle();
        if (!h) return nullptr;
        try {
            if (!h->SetSize(size)) {
                delete h;
                return nullptr;
            }
        } catch (const std::exception&) {
            delete h;
            return nullptr;
        }
        if (slotP) *slotP = h;
    }
    Record(gTrackHandles, description, h, size, h);
    return h;
}

} // namespace

const char* MemTrackTypeName(MemTrackType type) {
    switch (type) {
    case MemTrack_HANDLE:
        return "Handle";
    case MemTrack_POINTER:
        return "Pointer";
    case MemTrack_OBJECT:
        return "Object";
    default:
        return "None";
    }
}

void StartTracking() {
    gTrackHandles = DataTrackerRec{};
    gTrackHandles.trackType = MemTrack_HANDLE;
    gTrackPtrs = DataTrackerRec{};
    gTrackPtrs.trackType = MemTrack_POINTER;
}

void* TrackNewPtr(const char* description, int32 size) {
    return NewPtr(description, size, false);
}

void* TrackNewPtrClear(const char* description, int32 size) {
    return NewPtr(description, size, true);
}

void TrackDisposePtr(void* block) {
    if (Forget(gTrackPtrs, block)) std::free(block);
}

XGHandle* TrackNewHandle(const char* description, int32 size, XGHandle** slotP) {
    return NewHandle(description, size, slotP);
}

XGHandle* TrackNewHandleClear(const char* description, int32 size, XGHandle** slotP) {
    // New handles are zero-filled already; a handle from the slot is cleared to match.
    XGHandle* h = NewHandle(description, size, slotP);
    if (h && h->GetData() && h->GetSize() > 0) std::memset(h->GetData(), 0, size_t(h->GetSize()));
    return h;
}

void TrackDisposeHandle(XGHandle* h) {
    if (Forget(gTrackHandles, h)) delete h;
}

bool LogMemory() {
    return gVornPrefsP && gVornPrefsP->i_prefs.b.logMemB;
}

void ReportTracking() {
    Log("---- Tracking Info ----\n");
    for (DataTrackerRec* tracker : {&gTrackHandles, &gTrackPtrs}) {
        const char* typeName = MemTrackTypeName(tracker->trackType);
        Log(Formatted("Tracked a maximum of %ld %ss.  Peak useage: %s\n", long(tracker->maxTrackedL),
                      typeName, SizeText(tracker->peakSizeL).c_str()));
        const std::string lost =
            Formatted("Lost %ld %ss totalling %s in size.\n", long(tracker->tracksA.size()), typeName,
                      SizeText(tracker->totalSizeL).c_str());
        if (tracker->tracksA.empty())
            Log(lost);
        else
            Error("Error:", lost.c_str());
        for (const TrackNode& node : tracker->tracksA)
            Log(Formatted("  Lost a \xD2%s\xD3 %s, that was %s in size.\n", node.whatZ.c_str(), typeName,
                          SizeText(node.sizeL).c_str()));
        Log("\n");
    }
}
