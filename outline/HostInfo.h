#pragma once
// The only place where the outline browser asks about the machine: its name and its volumes.
// The volumes are counted once per run, on first use (from any thread).

#include "XGFileSpecifier.h"
#include "XGTypes.h"

#include <string>
#include <vector>

// One volume: the name it is shown by and where it is mounted.
struct Host_VolRec {
    char display_nameAC[256] = {};
    yaaf::XGFileSpecifier dirSpec;
};

const std::string& Host_GetMachineName();
yaaf::int32 Host_CountVolumes();
// True when the volume at indexL has a root path; its name (the label, else the system's name
// for it, else the root path: a volume without a label still shows) goes into nameAC.
bool Host_GetIndVolume(yaaf::int32 indexL, char nameAC[256], yaaf::XGFileSpecifier* dirSpecP = nullptr);

// Tests give the volumes instead of the machine (an empty root path stands for one that cannot
// be read); Host_UseMachineVolumes goes back to the machine's, counted again on next use.
void Host_SetVolumesForTest(const std::vector<Host_VolRec>& volumes);
void Host_UseMachineVolumes();
