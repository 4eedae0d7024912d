#pragma once
// Listing a folder and the dates of files, for the imports and browsers that take in what a
// folder holds.

#include "XGDateTime.h"
#include "XGFileSpecifier.h"

#include <vector>

namespace yaaf {

// The visible entries of a folder (names not beginning with "."), files and folders, sorted by
// name as a person reads a listing. Entries that vanish while the folder is read are left out.
// 0 on success, else the system's error number (the folder is missing or cannot be read).
int16 XGListFolder(const XGFileSpecifier& folder, std::vector<XGFileSpecifier>& entries);

// The last modification of a file or folder; no date when it cannot be read.
XGDateTime XGGetModificationDate(const XGFileSpecifier& spec);

} // namespace yaaf
