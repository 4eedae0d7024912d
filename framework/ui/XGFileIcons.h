#pragma once
// The desktop's icons for files by their type, and icons for kinds of places (a disk, a server,
// this machine), as small pictures for lists of files. The type is told by the name alone, so
// that drawing a folder of many files reads none of them. Pictures are made once per type and
// kept for the run. User-interface thread only.

#include "XGTypes.h"

#include <string>

namespace yaaf {

class XGPicture;

// The icon of a file's type ("text/plain" by its ".txt"), or of a folder; 16 by 16.
const XGPicture* XGFileTypeIcon(const std::string& path, bool folderB);
// The type's description for people ("plain text document"), or "Folder".
std::string XGFileTypeName(const std::string& path, bool folderB);

// The icon for a four-character kind: 'fldr' folder, 'hdsk' disk, 'srvr' and 'cnct' another
// machine or a connection, 'MaIc' this machine, 'user' a person, 'PrIc' a printer, 'docs' a
// document; anything else a plain file. 16 by 16.
const XGPicture* XGKindIcon(FourCharCode kind);

} // namespace yaaf
