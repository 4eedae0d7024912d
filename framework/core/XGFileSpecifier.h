#pragma once
// Names a file or folder. A specifier made from the path of something that exists holds its
// absolute, normalised path; one made from a path that names nothing (yet) keeps the text it was
// given exactly, so that a link to a vanished file can be shown, stored and looked for again.

#include "XGTypes.h"

#include <string>

namespace yaaf {

class XGFileSpecifier {
public:
    XGFileSpecifier() = default;
    explicit XGFileSpecifier(const std::string& path) { SetPath(path); }
    explicit XGFileSpecifier(const char* path) { SetPath(path ? std::string(path) : std::string()); }

    // Always takes the text; answers false when it names nothing that exists (a missing
    // specifier) or is empty.
    bool SetPath(const std::string& path);

    bool IsEmpty() const { return fPath.empty(); }
    bool Exists() const;
    bool IsFolder() const;
    bool IsMissing() const { return !fPath.empty() && !Exists(); }

    std::string GetFullPath() const { return fPath; }
    // The last component of the path (a trailing "/" ignored); the whole text when it has no "/".
    std::string GetName() const;
    // The text after the last "." of the name; empty when the name has none.
    std::string GetExtension() const;
    // Replaces the extension, or appends "." and ext when the name has none.
    void SetExtension(const std::string& ext);
    // The folder that holds this file or folder; empty when the path has no folder part.
    XGFileSpecifier GetFolder() const;
    // The specifier of `name` inside this folder.
    XGFileSpecifier GetChild(const std::string& name) const;
    // The child as named by a listing of this folder, asking nothing of the disk (GetChild
    // looks the path up): for many entries at a time. The name is an entry's, never "." or "..".
    XGFileSpecifier GetListedChild(const std::string& name) const;

    // The four-character type: 'fldr' for a folder, otherwise the first four characters of the
    // extension, lowered, padded with blanks ('txt ', '2dv ', and '    ' with no extension).
    OSType GetFileType() const;
    static OSType FileTypeFromName(const std::string& name);

    // Two specifiers of existing things are equal when they name the same file (also through
    // links); otherwise their texts must be equal.
    bool operator==(const XGFileSpecifier& other) const;

private:
    std::string fPath;
};

} // namespace yaaf
