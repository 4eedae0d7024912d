#include "XGFileSpecifier.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace yaaf {

namespace {
// The path without trailing separators, except for the root itself.
std::string StripTrailingSlashes(const std::string& path) {
    std::string result = path;
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}
} // namespace

bool XGFileSpecifier::SetPath(const std::string& path) {
    fPath = path;
    if (path.empty()) return false;
    std::error_code ec;
    if (!fs::exists(fs::path(path), ec) || ec) return false;
    fs::path abs = fs::absolute(fs::path(path), ec);
    if (ec) return true; // exists, but no absolute form: keep the text
    std::string normal = abs.lexically_normal().string();
    fPath = StripTrailingSlashes(normal);
    return true;
}

bool XGFileSpecifier::Exists() const {
    if (fPath.empty()) return false;
    std::error_code ec;
    return fs::exists(fs::path(fPath), ec) && !ec;
}

bool XGFileSpecifier::IsFolder() const {
    if (fPath.empty()) return false;
    std::error_code ec;
    return fs::is_directory(fs::path(fPath), ec) && !ec;
}

std::string XGFileSpecifier::GetName() const {
    const std::string path = StripTrailingSlashes(fPath);
    if (path == "/") return path;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string XGFileSpecifier::GetExtension() const {
    const std::string name = GetName();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

void XGFileSpecifier::SetExtension(const std::string& ext) {
    if (fPath.empty()) return;
    std::string path = StripTrailingSlashes(fPath);
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot >= nameStart) path.erase(dot);
    SetPath(path + "." + ext);
}

XGFileSpecifier XGFileSpecifier::GetFolder() const {
    const std::string path = StripTrailingSlashes(fPath);
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos || path == "/") return XGFileSpecifier();
    return XGFileSpecifier(slash == 0 ? std::string("/") : path.substr(0, slash));
}

XGFileSpecifier XGFileSpecifier::GetChild(const std::string& name) const {
    if (fPath.empty()) return XGFileSpecifier(name);
    std::string path = StripTrailingSlashes(fPath);
    if (path != "/") path += '/';
    return XGFileSpecifier(path + name);
}

XGFileSpecifier XGFileSpecifier::GetListedChild(const std::string& name) const {
    XGFileSpecifier child;
    if (fPath.empty()) {
        child.fPath = name;
        return child;
    }
    // As StripTrailingSlashes, without a copy of the folder's path for every entry.
    size_t len = fPath.size();
    while (len > 1 && fPath[len - 1] == '/')
        --len;
    child.fPath.reserve(len + 1 + name.size());
    child.fPath.append(fPath, 0, len);
    if (len != 1 || fPath[0] != '/') child.fPath += '/';
    child.fPath += name;
    return child;
}

OSType XGFileSpecifier::FileTypeFromName(const std::string& name) {
    const size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    char code[4] = {' ', ' ', ' ', ' '};
    for (size_t i = 0; i < 4 && i < ext.size(); ++i) {
        const char c = ext[i];
        code[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return MakeFourCC(code[0], code[1], code[2], code[3]);
}

OSType XGFileSpecifier::GetFileType() const {
    if (IsFolder()) return 'fldr';
    return FileTypeFromName(GetName());
}

bool XGFileSpecifier::operator==(const XGFileSpecifier& other) const {
    if (fPath == other.fPath) return true;
    if (fPath.empty() || other.fPath.empty()) return false;
    std::error_code ec;
    const bool same = fs::equivalent(fs::path(fPath), fs::path(other.fPath), ec);
    return !ec && same;
}

} // namespace yaaf
