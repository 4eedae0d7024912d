#pragma once
// Memory tracking: every tracked block carries a label; the report at the end names the blocks
// that were never released.

#include "XGHandle.h"
#include "XGTypes.h"

#include <string>
#include <vector>

enum MemTrackType { MemTrack_NONE = 0, MemTrack_HANDLE = 1, MemTrack_POINTER = 2, MemTrack_OBJECT = 3 };

struct TrackNode {
    std::string whatZ;
    void* dataP = nullptr;
    yaaf::int32 sizeL = 0;
    yaaf::XGHandle* h = nullptr;
};

struct DataTrackerRec {
    MemTrackType trackType = MemTrack_NONE;
    yaaf::int32 maxTrackedL = 0;
    yaaf::int32 peakSizeL = 0;
    yaaf::int32 totalSizeL = 0;
    std::vector<TrackNode> tracksA;
};

extern DataTrackerRec gTrackHandles;
extern DataTrackerRec gTrackPtrs;

const char* MemTrackTypeName(MemTrackType type);

// Resets both trackers. Blocks tracked before are forgotten, not released.
void StartTracking();

// A block of `size` bytes, or null (nothing is recorded then).
void* TrackNewPtr(const char* description, yaaf::int32 size);
void* TrackNewPtrClear(const char* description, yaaf::int32 size);
// Releases a block made by TrackNewPtr. Null is reported. A block the tracker does not know is
// reported and left alone: releasing it could be a second release of the same block.
void TrackDisposePtr(void* block);

// Tracks a handle of `size` bytes. When `slotP` names an empty slot a new handle is made and
// put there; when it already holds a handle, that handle is tracked. Answers the handle.
yaaf::XGHandle* TrackNewHandle(const char* description, yaaf::int32 size, yaaf::XGHandle** slotP = nullptr);
yaaf::XGHandle* TrackNewHandleClear(const char* description, yaaf::int32 size,
                                    yaaf::XGHandle** slotP = nullptr);
// Deletes a handle tracked here (same rules as TrackDisposePtr).
void TrackDisposeHandle(yaaf::XGHandle* h);

// The memory logging switch of the preferences.
bool LogMemory();

// Logs the tracking summary; blocks never released are shown in an error dialog and listed.
void ReportTracking();
