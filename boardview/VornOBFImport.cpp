// Reading the Open Board Format into a board: a single OBF file, or a package (OBZ) whose
// linked boards are saved beside the board and linked to it.
#include "VornOBF.h"
#include "VornOBFShared.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornViewLink.h"
#include "TVornModel.h"
#include "VornBoardJson.h"
#include "XGFileSpecifier.h"
#include "XGJson.h"
#include "XGZip.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

using namespace yaaf;

namespace {

// How far JSON may nest, and how many boards one package may bring.
constexpr int32 kMaxJsonDepth = 64;
constexpr size_t kMaxBoards = 500;
constexpr int32 kMaxColumns = 20;

const char* const kItemFields[] = {"flags", "bounds", "font", "polygon", "source", "dest"};

// A button's or an image's id: a string, or a whole number written as one.
std::string IdText(const XGJson& v) {
    if (v.IsString()) return v.GetString();
    if (v.IsInteger()) return std::to_string(v.GetInt());
    return std::string();
}

// A name that can stand in a folder: no separators, control characters or leading dot.
std::string SafeFileName(const std::string& name) {
    std::string out;
    for (const char c : name.substr(0, 100)) {
        const bool bad = c == '/' || c == '\\' || uint8(c) < 0x20 || c == 0x7F || c == ':';
        out += bad ? '_' : c;
    }
    while (!out.empty() && (out.front() == '.' || out.front() == ' '))
        out.erase(0, 1);
    return out.empty() ? std::string("board") : out;
}

// A path in the folder that names no file yet: "name.ext", else "name 2.ext", "name 3.ext", ...
std::string FreePath(const std::string& folder, const std::string& name, const std::string& ext) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (int n = 1; n < 100000; ++n) {
        const std::string file = name + (n == 1 ? std::string() : " " + std::to_string(n)) + "." + ext;
        const fs::path p = fs::path(folder) / file;
        if (!fs::exists(p, ec)) return p.string();
    }
    return std::string();
}

bool IsPackage(const std::string& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'P' && bytes[1] == 'K' && (bytes[2] == 3 || bytes[2] == 5);
}

void SetTextLink(Vorn_LinkRef& link, uint8 type, const std::string& text) {
    CVornItem::DisposeVornLink(link);
    link.content.type = type;
    link.content.u.textP = new std::string(text);
}

void SetFileLink(Vorn_LinkRef& link, uint8 type, const std::string& path) {
    CVornItem::DisposeVornLink(link);
    link.content.type = type;
    link.content.u.fileP = new XGFileSpecifier(path);
}

class Importer {
public:
    Importer(const std::string& folder, const std::string& sourceName, const std::string& boardPath)
        : i_folder(VornOBF_CanonicalPath(folder.empty() ? std::string(".") : folder)),
          i_sourceName(sourceName),
          i_boardPath(boardPath.empty() ? std::string() : VornOBF_CanonicalPath(boardPath)) {}

    bool ImportBytes(TVornModel& board, const std::string& bytes, std::string& errorZ) {
        if (!IsPackage(bytes)) {
            XGJson obf;
            if (!ParseJson(bytes, obf, errorZ)) return false;
            return ImportBoard(board, obf, errorZ);
        }
        if (!i_zip.Open(std::vector<uint8>(bytes.begin(), bytes.end()), errorZ)) return false;
        i_packageB = true;
        XGJson manifest;
        if (!ReadPackageJson("manifest.json", manifest, errorZ)) return false;
        if (!manifest.IsObject() || !manifest["root"].IsString()) {
            errorZ = "the package's manifest.json names no root board";
            return false;
        }
        const std::string root = manifest["root"].GetString();
        XGJson obf;
        if (!ReadPackageJson(root, obf, errorZ)) return false;
        i_saved[root] = i_boardPath; // the board being imported into
        if (!i_boardPath.empty() && !XGFileSpecifier(i_boardPath).Exists()) {
            // The board's file is to be made: there already, for the boards that link back.
            TVornModel placeholder;
            std::string ignored;
            if (!VornOBF_SaveBoard(placeholder, i_boardPath, ignored)) i_saved[root] = std::string();
        }
        return ImportBoard(board, obf, errorZ);
    }

private:
    bool ParseJson(const std::string& text, XGJson& out, std::string& errorZ) {
        if (int64(text.size()) > kVornOBFMaxJsonBytes) {
            errorZ = "a board of more than 16 MiB of JSON is refused";
            return false;
        }
        std::string why;
        if (!XGJson::Parse(text, out, why, kMaxJsonDepth)) {
            errorZ = "not JSON (" + why + ")";
            return false;
        }
        return true;
    }

    bool ReadPackageJson(const std::string& name, XGJson& out, std::string& errorZ) {
        std::vector<uint8> bytes;
        if (!i_zip.Read(name, bytes, errorZ)) return false;
        if (!ParseJson(std::string(bytes.begin(), bytes.end()), out, errorZ)) {
            errorZ = name + ": " + errorZ;
            return false;
        }
        return true;
    }

    // ---- pictures -----------------------------------------------------------------------

    std::string PictureFolder() {
        if (i_pictureFolder.empty()) {
            namespace fs = std::filesystem;
            std::error_code ec;
            const fs::path p =
                fs::path(i_folder) / (SafeFileName(VornOBF_BoardName(i_sourceName)) + " pictures");
            fs::create_directories(p, ec);
            i_pictureFolder = fs::is_directory(p, ec) ? p.string() : i_folder;
        }
        return i_pictureFolder;
    }

    // Saves the picture's bytes beside the board, or names the file that already holds them
    // (where the board's own link says it was, when it is still the same picture).
    std::string SavePicture(const std::vector<uint8>& bytes, const std::string& id,
                            const std::string& wasPath) {
        if (!wasPath.empty()) {
            std::vector<uint8> old;
            if (VornOBF_ReadFile(wasPath, old, kVornOBFMaxPictureBytes) && old == bytes) return wasPath;
        }
        const VornOBFPictureKind kind = VornOBF_PictureKind(bytes);
        if (!kind.contentType) return std::string();
        const std::string path = FreePath(PictureFolder(), SafeFileName(id), kind.extension);
        std::string ignored;
        if (path.empty() || !VornExport_WriteFile(path, bytes, ignored)) return std::string();
        return path;
    }

    // Sets the item's picture from the image; false when the image gives none.
    bool ApplyImage(CVornItem* itemP, const XGJson& image, const std::string& wasPath) {
        Vorn_LinkRef& source = itemP->i_resource.source;
        std::vector<uint8> bytes;
        const std::string id = IdText(image["id"]);
        if (image["data"].IsString()) {
            const std::string& uri = image["data"].GetString();
            const size_t comma = uri.find(',');
            if (uri.compare(0, 5, "data:") == 0 && comma != std::string::npos &&
                uri.substr(0, comma).find(";base64") != std::string::npos &&
                XGBase64Decode(uri.substr(comma + 1), bytes) &&
                int64(bytes.size()) <= kVornOBFMaxPictureBytes) {
                const std::string path = SavePicture(bytes, id, wasPath);
                if (!path.empty()) {
                    SetFileLink(source, LinkType_PICT_FILE, path);
                    return true;
                }
            }
        }
        if (i_packageB && image["path"].IsString()) {
            std::string ignored;
            if (i_zip.Read(image["path"].GetString(), bytes, ignored)) {
                const std::string path = SavePicture(bytes, id, wasPath);
                if (!path.empty()) {
                    SetFileLink(source, LinkType_PICT_FILE, path);
                    return true;
                }
            }
        }
        const std::string& url = image["url"].GetString();
        if (url.compare(0, 7, "http://") == 0 || url.compare(0, 8, "https://") == 0) {
            SetTextLink(source, LinkType_PICT_URL, url);
            return true;
        }
        return false;
    }

    // ---- linked boards ------------------------------------------------------------------

    // The .2dv file a board of the package is saved as (saved once, however often it is
    // linked, cycles included); empty when it cannot be read or saved.
    std::string LinkedBoard(const std::string& pathInPackage) {
        if (const auto it = i_saved.find(pathInPackage); it != i_saved.end()) return it->second;
        if (i_saved.size() >= kMaxBoards || !i_zip.Has(pathInPackage)) return std::string();
        XGJson obf;
        std::string error;
        if (!ReadPackageJson(pathInPackage, obf, error) || !obf.IsObject()) {
            i_saved[pathInPackage] = std::string();
            return std::string();
        }
        const std::string name = obf["name"].IsString() && !obf["name"].GetString().empty()
                                     ? obf["name"].GetString()
                                     : VornOBF_BoardName(pathInPackage);
        const std::string path = FreePath(i_folder, SafeFileName(name), "2dv");
        // Named, and there, before it is read, so that a board that links back finds it (a link to
        // a file that does not exist is kept by its name alone).
        i_saved[pathInPackage] = path;
        TVornModel linked;
        if (!path.empty() && !VornOBF_SaveBoard(linked, path, error)) {
            i_saved[pathInPackage] = std::string();
            return std::string();
        }
        if (path.empty() || !ImportBoard(linked, obf, error) || !VornOBF_SaveBoard(linked, path, error)) {
            i_saved[pathInPackage] = std::string();
            return std::string();
        }
        return path;
    }

    // ---- boards and buttons -------------------------------------------------------------

    bool ImportButton(TVornModel& board, const XGJson& button,
                      const std::map<std::string, const XGJson*>& images) {
        const std::string& label = button["label"].GetString();
        // What a Vorn export carries beyond the format, as the board held it: such an item is
        // made whole before it goes on the board; any other is made as a word is added.
        XGJson item = XGJson::Object();
        for (const char* field : kItemFields)
            if (const XGJson* v = button.Find(std::string("ext_vorn_") + field)) item.Set(field, *v);
        bool vornB = item.Size() > 0;
        CVornItem* itemP = nullptr;
        if (vornB) {
            itemP = new CVornItem(&board, kNoIndex);
            std::string ignored;
            if (!VornBoard_ItemFromJson(item, itemP, ignored)) {
                // A damaged extension counts for nothing: the item as the format describes it.
                delete itemP;
                itemP = nullptr;
                vornB = false;
            }
        }
        if (!itemP) itemP = board.AddWord(label.c_str());
        if (!itemP) return false;
        Vorn_LinkRef& source = itemP->i_resource.source;
        if (!label.empty() && source.content.type == LinkType_TEXT) SetTextLink(source, LinkType_TEXT, label);

        const std::string imageId = IdText(button["image_id"]);
        bool pictureB = false;
        if (!imageId.empty()) {
            const auto it = images.find(imageId);
            const std::string wasPath = source.content.type == LinkType_PICT_FILE && source.content.u.fileP
                                            ? source.content.u.fileP->GetFullPath()
                                            : std::string();
            pictureB = it != images.end() && ApplyImage(itemP, *it->second, wasPath);
            // A picture that cannot be had leaves its word.
            if (!pictureB && !vornB) SetTextLink(source, LinkType_TEXT, label);
        }

        if (const XGJson* voc = button.Find("vocalization");
            voc && voc->IsString() && !voc->GetString().empty())
            SetTextLink(itemP->i_resource.dest, LinkType_TEXT, voc->GetString());
        if (const XGJson* load = button.Find("load_board"); load && load->IsObject() && i_packageB) {
            const std::string target =
                (*load)["path"].IsString() ? LinkedBoard((*load)["path"].GetString()) : "";
            if (!target.empty()) SetFileLink(itemP->i_resource.dest, LinkType_FILE, target);
        }
        if (button["hidden"].GetBool()) itemP->i_b.set_hiddenB(true);
        if (vornB) board.InsertItem(itemP, -1);
        // A new picture item takes its size from its picture.
        if (pictureB && !vornB) itemP->ImportPict();
        // New items are selected, as every import leaves them; a board Vorn wrote keeps the
        // selection it was written with.
        if (!vornB) itemP->i_b.set_selectedB(true);
        return true;
    }

    // A line break as the board held it (a plain one when its record is damaged).
    static void AddBreak(TVornModel& board, const XGJson& item) {
        auto* itemP = new CVornItem(&board, kNoIndex);
        std::string ignored;
        if (!VornBoard_ItemFromJson(item, itemP, ignored)) {
            delete itemP;
            board.AddWord("\r");
            return;
        }
        board.InsertItem(itemP, -1);
    }

    bool ImportBoard(TVornModel& board, const XGJson& obf, std::string& errorZ) {
        if (!obf.IsObject()) {
            errorZ = "not an Open Board Format board (not a JSON object)";
            return false;
        }
        const std::string& format = obf["format"].GetString();
        if (format.compare(0, 11, "open-board-") != 0) {
            errorZ = obf.Has("format") ? "unknown format \"" + format + "\""
                                       : "not an Open Board Format board (no \"format\")";
            return false;
        }
        const XGJson& buttons = obf["buttons"];
        if (!buttons.IsArray()) {
            errorZ = "\"buttons\" must be a list";
            return false;
        }
        const XGJson& imageList = obf["images"];
        if (!imageList.IsNull() && !imageList.IsArray()) {
            errorZ = "\"images\" must be a list";
            return false;
        }
        std::map<std::string, const XGJson*> images;
        for (const XGJson& image : imageList.Items())
            if (image.IsObject() && !IdText(image["id"]).empty()) images.emplace(IdText(image["id"]), &image);

        // The order of the buttons: a board Vorn wrote keeps its own; any other, the grid's
        // reading order, then the buttons the grid leaves out.
        std::vector<const XGJson*> order;
        std::map<std::string, const XGJson*> byId;
        for (const XGJson& b : buttons.Items())
            if (b.IsObject() && !IdText(b["id"]).empty()) byId.emplace(IdText(b["id"]), &b);
        const XGJson& grid = obf["grid"];
        const bool vornB = obf["ext_vorn_prefs"].IsObject();
        std::set<const XGJson*> placed;
        if (!vornB && grid["order"].IsArray()) {
            for (const XGJson& row : grid["order"].Items())
                for (const XGJson& cell : row.Items()) {
                    const auto it = byId.find(IdText(cell));
                    if (it != byId.end() && placed.insert(it->second).second) order.push_back(it->second);
                }
        }
        for (const XGJson& b : buttons.Items())
            if (b.IsObject() && placed.insert(&b).second) order.push_back(&b);

        // A new board takes the settings: those a Vorn export carries, else flat columns of
        // the grid's width.
        if (board.i_list->Count() == 0) {
            std::string ignored;
            if (!vornB || !VornBoard_PrefsFromJson(obf["ext_vorn_prefs"], board, ignored)) {
                board.i_prefs.view_as = O_ViewAs_FLAT_COL;
                const int64 columns = grid["columns"].GetInt(0);
                if (columns >= 1) board.i_prefs.num_columnsS = int16(std::min<int64>(columns, kMaxColumns));
            }
        }
        // The line breaks of a board Vorn wrote, at their places among the buttons.
        std::map<int64, const XGJson*> breaks;
        if (vornB && obf["ext_vorn_breaks"].IsArray())
            for (const XGJson& b : obf["ext_vorn_breaks"].Items())
                if (b["index"].IsInteger() && b["item"].IsObject())
                    breaks.emplace(b["index"].GetInt(), &b["item"]);
        if (order.size() + breaks.size() + size_t(board.i_list->Count()) > size_t(INT16_MAX)) {
            errorZ = "a board holds at most 32767 items";
            return false;
        }
        int64 index = 0;
        auto placeBreaks = [&] {
            for (auto it = breaks.find(index); it != breaks.end(); it = breaks.find(++index)) {
                AddBreak(board, *it->second);
                breaks.erase(it);
            }
        };
        for (const XGJson* button : order) {
            placeBreaks();
            ImportButton(board, *button, images);
            ++index;
        }
        placeBreaks();
        for (const auto& [at, item] : breaks)
            AddBreak(board, *item);
        return true;
    }

    std::string i_folder;
    std::string i_sourceName;
    std::string i_boardPath; // where the board imported into is saved ("" when not known)
    std::string i_pictureFolder;
    bool i_packageB = false;
    XGZipReader i_zip;
    std::map<std::string, std::string> i_saved; // board in the package -> .2dv saved
};

} // namespace

bool VornOBF_ImportBytes(TVornModel& board, const std::string& bytes, const std::string& name,
                         const std::string& folder, std::string& errorZ, const std::string& boardPath) {
    const bool importingB = board.i_importingB;
    board.i_importingB = true;
    if (CVornViewLink* viewP = board.GetView()) viewP->SetSelChanged(true);
    Importer importer(folder, name, boardPath);
    const bool ok = importer.ImportBytes(board, bytes, errorZ);
    board.i_importingB = importingB;
    return ok;
}

bool VornOBF_Import(TVornModel& board, const XGFileSpecifier& source, const std::string& folder,
                    std::string& errorZ, const std::string& boardPath) {
    std::vector<uint8> bytes;
    // A package's limits apply to what it unpacks to; the package itself is read whole first.
    if (!VornOBF_ReadFile(source.GetFullPath(), bytes, int64(512) << 20)) {
        errorZ = source.GetFullPath() + ": cannot be read (missing, a folder, or larger than 512 MiB)";
        return false;
    }
    if (!VornOBF_ImportBytes(board, std::string(bytes.begin(), bytes.end()), source.GetName(), folder, errorZ,
                             boardPath)) {
        errorZ = source.GetFullPath() + ": " + errorZ;
        return false;
    }
    return true;
}
