#include "VornOBFShared.h"

#include "TVornModel.h"
#include "VornFileFormat.h"
#include "XGAlert.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <cctype>
#include <cstring>
#include <filesystem>

using namespace yaaf;

bool VornOBF_SetQuiet(bool quietB) {
    const bool wasQuiet = !VornFile_GetLoadPicturesOnRead();
    VornFile_SetLoadPicturesOnRead(!quietB);
    return wasQuiet;
}

std::unique_ptr<TVornModel> VornOBF_LoadBoardFile(const std::string& path) {
    const XGFileSpecifier spec(path);
    if (!spec.Exists() || spec.IsFolder()) return nullptr;
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) return nullptr;
    auto board = std::make_unique<TVornModel>();
    // The note about an old file version is for a board being opened, not for one exported.
    XGScopedAlertResponder quiet([](const XGAlertRequest& r) { return r.cancelIndex; });
    if (!board->ReadModel(file)) return nullptr;
    return board;
}

bool VornOBF_SaveBoard(TVornModel& board, const std::string& path, std::string& errorZ) {
    XGAtomicFile file{XGFileSpecifier(path)};
    int16 err = file.Open();
    if (err == 0 && !board.WriteModel(file)) err = file.GetLastError() ? file.GetLastError() : int16(EIO);
    if (err == 0) err = file.Commit();
    if (err != 0) {
        file.Abort();
        errorZ = path + ": cannot write: " + std::strerror(err);
        return false;
    }
    return true;
}

std::string VornOBF_CanonicalPath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p =
        std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
    return ec ? path : p.string();
}

std::string VornOBF_BoardName(const std::string& fileName) {
    std::string name = fileName;
    const size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? std::string("Untitled") : name;
}

bool VornOBF_IsBoardPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".2dv";
}

bool VornOBF_ReadFile(const std::string& path, std::vector<uint8>& out, int64 maxBytes) {
    const XGFileSpecifier spec(path);
    if (!spec.Exists() || spec.IsFolder()) return false;
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) return false;
    out.clear();
    uint8 buffer[65536];
    for (;;) {
        const int32 n = file.Read(int32(sizeof buffer), buffer);
        if (n < 0) return false;
        if (n == 0) break;
        if (int64(out.size()) + n > maxBytes) return false;
        out.insert(out.end(), buffer, buffer + n);
    }
    return true;
}

VornOBFPictureKind VornOBF_PictureKind(const std::vector<uint8>& b) {
    auto starts = [&](const char* sig, size_t n, size_t at = 0) {
        return b.size() >= at + n && std::memcmp(b.data() + at, sig, n) == 0;
    };
    if (starts("\x89PNG", 4)) return {"image/png", "png"};
    if (starts("\xFF\xD8\xFF", 3)) return {"image/jpeg", "jpg"};
    if (starts("GIF8", 4)) return {"image/gif", "gif"};
    if (starts("BM", 2)) return {"image/bmp", "bmp"};
    if (starts("RIFF", 4) && starts("WEBP", 4, 8)) return {"image/webp", "webp"};
    if (starts("II*\0", 4) || starts("MM\0*", 4)) return {"image/tiff", "tif"};
    if (starts("\0\0\1\0", 4)) return {"image/x-icon", "ico"};
    // SVG: XML whose first element is svg.
    const std::string head(reinterpret_cast<const char*>(b.data()), std::min<size_t>(b.size(), 512));
    if (head.find("<svg") != std::string::npos) return {"image/svg+xml", "svg"};
    return {};
}

std::string VornOBF_ExtensionForType(const std::string& contentType) {
    static const struct {
        const char* type;
        const char* ext;
    } kTypes[] = {{"image/png", "png"},  {"image/jpeg", "jpg"},    {"image/jpg", "jpg"},
                  {"image/gif", "gif"},  {"image/bmp", "bmp"},     {"image/webp", "webp"},
                  {"image/tiff", "tif"}, {"image/svg+xml", "svg"}, {"image/x-icon", "ico"}};
    for (const auto& t : kTypes)
        if (contentType == t.type) return t.ext;
    return std::string();
}

std::string VornOBF_TypeForName(const std::string& name) {
    std::string ext = name.substr(0, name.find_first_of("?#"));
    const size_t dot = ext.rfind('.');
    ext = dot == std::string::npos ? std::string() : ext.substr(dot + 1);
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
    if (ext == "gif" || ext == "bmp" || ext == "webp" || ext == "tiff") return "image/" + ext;
    if (ext == "tif") return "image/tiff";
    if (ext == "svg") return "image/svg+xml";
    if (ext == "ico") return "image/x-icon";
    return "image/png";
}
