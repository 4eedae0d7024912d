#pragma once
// The File > Export commands of a board window (a file is asked for, then the board is written
// in the chosen form; a failure is told in an alert and leaves no file behind), and File >
// Import > Open Board Format (an OBF file or OBZ package taken into the board).

#include "XGTypes.h"

class CVornViewLink;

enum : yaaf::int32 {
    kVornCmd_ExportPNG = 22785,
    kVornCmd_ExportPDF = 22786,
    kVornCmd_ExportSVG = 22787,
    kVornCmd_ExportJSON = 22788,
    kVornCmd_ExportOBF = 22789,
    kVornCmd_ImportOBF = 102,
};

bool VornExportCommand_IsExport(yaaf::int32 command);
// The menu state of an export command (enabled whenever the board has a view).
bool VornExportCommand_Status(CVornViewLink* viewP, yaaf::int32 command, yaaf::XGSMenuStatus* statusP);
// Runs the command; false when it is not an export command.
bool VornExportCommand_Run(CVornViewLink* viewP, yaaf::int32 command);
