#pragma once
// Printing: the platform's page setup and print dialogs, and a print job that draws its pages
// one after another.

#include "XGDraw.h"
#include "XGTypes.h"

#include <functional>
#include <string>

namespace yaaf {

// Draws page `pageIndex` (from 0) into `page` (the printable area in device pixels); answers
// whether another page follows.
using XGPageProc = std::function<bool(XGDraw& draw, const tagRECT& page, int32 pageIndex)>;

// Asks for a print job and prints the pages the user chose (all of them by default). Answers
// the number of pages printed; 0 when cancelled.
int32 XGPrintDocument(const std::string& jobName, const XGPageProc& drawPage);

// Instead of asking, print into this PDF file (tests, unattended printing); empty to ask again.
void XGSetPrintToFile(const std::string& pdfPath);

// The page setup dialog; its choices hold for the next print jobs. False when cancelled.
bool XGRunPageSetup();

// The scale from screen pixels to the printer's pixels of the last job.
double XGPrintScale();

} // namespace yaaf
