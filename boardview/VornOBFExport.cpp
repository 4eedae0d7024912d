// Writing boards in the Open Board Format: one board as an OBF file, or a package (OBZ) of the
// board, every board reachable from it through its links, and their pictures.
#include "VornOBF.h"
#include "VornOBFShared.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "CVornOffscreenView.h"
#include "TVornController.h"
#include "TVornModel.h"
#include "VornBoardJson.h"
#include "VornFileFormat.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"
#include "XGHandle.h"
#include "XGJson.h"
#include "XGZip.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>

using namespace yaaf;

namespace {

// Where each item stands in the grid: row and column, or -1 for an item outside it.
struct GridPlace {
    int32 row = -1;
    int32 col = -1;
};

struct Grid {
    int32 rows = 0;
    int32 columns = 0;
    std::vector<GridPlace> places; // one per item, in board order
};

bool IsReturnItem(CVornItem* itemP) {
    const Vorn_LinkContent& s = itemP->i_resource.source.content;
    return s.type == LinkType_TEXT && s.u.textP && *s.u.textP == "\r";
}

// Groups the values (with their indices) into runs no wider than `gap` between neighbours;
// answers each index's run number.
std::vector<int32> Cluster(std::vector<std::pair<int32, size_t>> values, int32 gap, size_t count) {
    std::vector<int32> run(count, -1);
    std::sort(values.begin(), values.end());
    int32 current = -1;
    int32 last = 0;
    for (const auto& [v, index] : values) {
        if (current < 0 || v - last > gap) ++current;
        last = v;
        run[index] = current;
    }
    return run;
}

// The grid a board's window suggests: its items laid out as the window lays them out (a copy
// of the board in a view of its Edit Mode size). Flat columns: the columns, each item's row its
// place in its column. Freeform: rows of items at about the same height, each row in the order
// of the left edges. Line-break items are not in the grid.
Grid ComputeGrid(TVornModel& board) {
    Grid grid;
    const int32 count = board.i_list->Count();
    grid.places.resize(size_t(count));
    std::unique_ptr<TVornModel> copy = VornOBF_ReadQuietly([&] { return VornExport_CopyBoard(board); });
    if (!copy || copy->i_list->Count() != count) return grid;

    int32 width = board.i_prefs.wind_edit.posR.Width(), height = board.i_prefs.wind_edit.posR.Height();
    std::string ignored;
    if (!VornExport_CheckSize(width, height, ignored)) {
        width = 640;
        height = 480;
    }
    auto view = std::make_unique<CVornOffscreenView>(width, height);
    TVornModel* modelP = copy.release();
    modelP->i_prefs.mode = Vorn_Mode_EDIT;
    std::unique_ptr<TVornController> controller(view->Attach(modelP));
    const bool flatB = modelP->IsFlatColumns();
    if (flatB) modelP->AutoLayout(false, Vorn_Mode_EDIT);

    std::vector<std::pair<int32, size_t>> lefts, tops;
    int32 minHeight = 32000;
    for (int32 i = 0; i < count; ++i) {
        CVornItem* itemP = modelP->i_list->GetIndItem(i);
        if (IsReturnItem(itemP)) continue;
        const CVornItemRect& r = *itemP->i_boundsRP;
        lefts.emplace_back(r.left, size_t(i));
        tops.emplace_back(r.top, size_t(i));
        minHeight = std::min(minHeight, std::max(1, r.bottom - r.top));
    }
    controller.reset();
    view.reset();
    if (lefts.empty()) return grid;

    if (flatB) {
        // A column's items share their left edge; its rows follow their tops.
        const std::vector<int32> col = Cluster(lefts, 4, size_t(count));
        std::map<int32, std::vector<std::pair<int32, size_t>>> columns;
        for (const auto& [top, index] : tops)
            columns[col[index]].emplace_back(top, index);
        for (auto& [c, items] : columns) {
            std::stable_sort(items.begin(), items.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
            for (size_t r = 0; r < items.size(); ++r)
                grid.places[items[r].second] = GridPlace{int32(r), c};
            grid.rows = std::max(grid.rows, int32(items.size()));
            grid.columns = std::max(grid.columns, c + 1);
        }
        return grid;
    }
    const std::vector<int32> row = Cluster(tops, std::max(4, minHeight / 2), size_t(count));
    std::map<int32, std::vector<std::pair<int32, size_t>>> rows;
    for (const auto& [left, index] : lefts)
        rows[row[index]].emplace_back(left, index);
    for (auto& [r, items] : rows) {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t c = 0; c < items.size(); ++c)
            grid.places[items[c].second] = GridPlace{r, int32(c)};
        grid.rows = std::max(grid.rows, r + 1);
        grid.columns = std::max(grid.columns, int32(items.size()));
    }
    return grid;
}

// One board of the export, with the id it is known by.
struct BoardEntry {
    std::string id;
    std::string key; // the board file's canonical path ("" for the board being exported)
    std::string name;
    TVornModel* boardP = nullptr;
    std::unique_ptr<TVornModel> owned; // a linked board read for the export
};

class Exporter {
public:
    Exporter(VornExportFormat format) : i_packageB(format == VornExportFormat::kOBZ) {}

    bool Run(TVornModel& root, const std::string& outPath, std::string& errorZ) {
        auto first = std::make_unique<BoardEntry>();
        first->id = "1";
        first->boardP = &root;
        first->name = VornOBF_BoardName(root.GetDocumentName());
        if (root.HasFile()) first->key = VornOBF_CanonicalPath(root.GetFile().GetFullPath());
        if (!first->key.empty()) i_byKey[first->key] = first.get();
        i_boards.push_back(std::move(first));

        // A package takes in every board reachable from the first one, each once; a single
        // file only the first.
        for (size_t i = 0; i < i_boards.size(); ++i) {
            BoardEntry& entry = *i_boards[i];
            XGJson obf = BoardObf(entry);
            if (!i_packageB) {
                const std::string text = obf.Write();
                return VornExport_WriteFile(outPath, std::vector<uint8>(text.begin(), text.end()), errorZ);
            }
            const std::string text = obf.Write();
            i_zip.Add(BoardPath(entry.id), std::vector<uint8>(text.begin(), text.end()));
        }
        XGJson manifest = XGJson::Object();
        manifest.Set("format", kVornOBFFormat);
        manifest.Set("root", BoardPath("1"));
        XGJson boards = XGJson::Object(), images = XGJson::Object();
        for (const auto& entry : i_boards)
            boards.Set(entry->id, BoardPath(entry->id));
        for (const auto& [id, path] : i_imagePaths)
            images.Set(id, path);
        XGJson paths = XGJson::Object();
        paths.Set("boards", std::move(boards));
        paths.Set("images", std::move(images));
        paths.Set("sounds", XGJson::Object());
        manifest.Set("paths", std::move(paths));
        const std::string text = manifest.Write();
        i_zip.Add("manifest.json", std::vector<uint8>(text.begin(), text.end()));
        std::vector<uint8> bytes;
        if (!i_zip.Finish(bytes, errorZ)) return false;
        return VornExport_WriteFile(outPath, bytes, errorZ);
    }

private:
    static std::string BoardPath(const std::string& id) { return "boards/" + id + ".obf"; }

    // The id of the board file a link names, taking it into the package when it is new; empty
    // when the file cannot be read as a board.
    std::string LinkedBoardId(const std::string& path) {
        const std::string key = VornOBF_CanonicalPath(path);
        if (const auto it = i_byKey.find(key); it != i_byKey.end()) return it->second->id;
        if (const auto it = i_unreadable.find(key); it != i_unreadable.end()) return std::string();
        std::unique_ptr<TVornModel> board = VornOBF_ReadQuietly([&] { return VornOBF_LoadBoardFile(path); });
        if (!board) {
            i_unreadable.emplace(key, true);
            return std::string();
        }
        auto entry = std::make_unique<BoardEntry>();
        entry->id = std::to_string(i_boards.size() + 1);
        entry->key = key;
        entry->name = VornOBF_BoardName(XGFileSpecifier(path).GetName());
        entry->boardP = board.get();
        entry->owned = std::move(board);
        i_byKey[key] = entry.get();
        i_boards.push_back(std::move(entry));
        return i_boards.back()->id;
    }

    // The image of a picture item, added to the board's images; empty when there is none.
    std::string ImageFor(CVornItem* itemP, XGJson& images) {
        const Vorn_LinkContent& s = itemP->i_resource.source.content;
        XGJson image = XGJson::Object();
        const std::string id = "img" + std::to_string(++i_imageCount);
        image.Set("id", id);
        if (s.type == LinkType_PICT_URL) {
            if (!s.u.textP || s.u.textP->empty()) return std::string();
            image.Set("url", *s.u.textP);
            // The type its name suggests; a picture fetched from the web is decoded from its
            // contents whatever it is called.
            image.Set("content_type", VornOBF_TypeForName(*s.u.textP));
        } else {
            if (!s.u.fileP) return std::string();
            std::vector<uint8> bytes;
            if (!VornOBF_ReadFile(s.u.fileP->GetFullPath(), bytes, kVornOBFMaxPictureBytes))
                return std::string();
            const VornOBFPictureKind kind = VornOBF_PictureKind(bytes);
            if (!kind.contentType) return std::string();
            image.Set("content_type", kind.contentType);
            if (i_packageB) {
                const std::string path = "images/" + id + "." + kind.extension;
                image.Set("path", path);
                i_imagePaths.emplace_back(id, path);
                i_zip.Add(path, std::move(bytes));
            } else {
                image.Set("data", std::string("data:") + kind.contentType + ";base64," +
                                      XGBase64Encode(bytes.data(), bytes.size()));
            }
        }
        images.Append(std::move(image));
        return id;
    }

    XGJson ButtonFor(CVornItem* itemP, int32 index, XGJson& images) {
        XGJson button = XGJson::Object();
        button.Set("id", std::to_string(index + 1));
        const Vorn_LinkContent& s = itemP->i_resource.source.content;
        const Vorn_LinkContent& d = itemP->i_resource.dest.content;
        std::string label;
        if (s.type == LinkType_TEXT && s.u.textP && *s.u.textP != "\r") label = *s.u.textP;
        std::string imageId;
        if (s.type == LinkType_PICT_FILE || s.type == LinkType_PICT_URL) {
            imageId = ImageFor(itemP, images);
            // Speech and text-only tools still have a word for a picture: its file's name.
            if (s.type == LinkType_PICT_FILE && s.u.fileP) label = VornOBF_BoardName(s.u.fileP->GetName());
            if (s.type == LinkType_PICT_URL && s.u.textP) label = VornOBF_BoardName(*s.u.textP);
        }
        button.Set("label", label);
        if (d.type == LinkType_TEXT && d.u.textP && !d.u.textP->empty())
            button.Set("vocalization", *d.u.textP);
        if (!imageId.empty()) button.Set("image_id", imageId);
        if (itemP->i_b.hiddenB()) button.Set("hidden", true);
        if (i_packageB && d.type == LinkType_FILE && d.u.fileP &&
            VornOBF_IsBoardPath(d.u.fileP->GetFullPath())) {
            const std::string id = LinkedBoardId(d.u.fileP->GetFullPath());
            if (!id.empty()) {
                XGJson load = XGJson::Object();
                load.Set("id", id);
                load.Set("name", i_boards[size_t(std::stoi(id) - 1)]->name);
                load.Set("path", BoardPath(id));
                button.Set("load_board", std::move(load));
            }
        }
        // What the format has no field for, as the board holds it.
        const XGJson item = VornBoard_ItemToJson(itemP);
        for (const auto& [key, value] : item.Members())
            button.Set("ext_vorn_" + key, value);
        return button;
    }

    XGJson BoardObf(BoardEntry& entry) {
        TVornModel& board = *entry.boardP;
        XGJson obf = XGJson::Object();
        obf.Set("format", kVornOBFFormat);
        obf.Set("id", entry.id);
        obf.Set("locale", "en");
        obf.Set("name", entry.name);
        XGJson buttons = XGJson::Array(), images = XGJson::Array();
        const int32 count = board.i_list->Count();
        // Line breaks are no buttons: they travel beside them, with their place in the board.
        XGJson breaks = XGJson::Array();
        for (int32 i = 0; i < count; ++i) {
            CVornItem* itemP = board.i_list->GetIndItem(i);
            if (IsReturnItem(itemP)) {
                XGJson b = XGJson::Object();
                b.Set("index", i);
                b.Set("item", VornBoard_ItemToJson(itemP));
                breaks.Append(std::move(b));
                continue;
            }
            buttons.Append(ButtonFor(itemP, i, images));
        }
        const Grid grid = ComputeGrid(board);
        XGJson order = XGJson::Array();
        std::vector<std::vector<XGJson>> cells(size_t(grid.rows), std::vector<XGJson>(size_t(grid.columns)));
        for (int32 i = 0; i < count && size_t(i) < grid.places.size(); ++i) {
            const GridPlace& p = grid.places[size_t(i)];
            if (p.row >= 0 && p.col >= 0) cells[size_t(p.row)][size_t(p.col)] = XGJson(std::to_string(i + 1));
        }
        for (auto& row : cells) {
            XGJson r = XGJson::Array();
            for (XGJson& cell : row)
                r.Append(std::move(cell));
            order.Append(std::move(r));
        }
        XGJson g = XGJson::Object();
        g.Set("rows", grid.rows);
        g.Set("columns", grid.columns);
        g.Set("order", std::move(order));
        obf.Set("buttons", std::move(buttons));
        obf.Set("grid", std::move(g));
        obf.Set("images", std::move(images));
        obf.Set("sounds", XGJson::Array());
        obf.Set("ext_vorn_prefs", VornBoard_PrefsToJson(board.i_prefs));
        if (breaks.Size() > 0) obf.Set("ext_vorn_breaks", std::move(breaks));
        return obf;
    }

    const bool i_packageB;
    std::vector<std::unique_ptr<BoardEntry>> i_boards;
    std::map<std::string, BoardEntry*> i_byKey;
    std::map<std::string, bool> i_unreadable;
    std::vector<std::pair<std::string, std::string>> i_imagePaths;
    int32 i_imageCount = 0;
    XGZipWriter i_zip;
};

} // namespace

bool VornOBF_Export(TVornModel& board, VornExportFormat format, const std::string& outPath,
                    std::string& errorZ) {
    if (format != VornExportFormat::kOBF && format != VornExportFormat::kOBZ) {
        errorZ = "not an Open Board Format kind";
        return false;
    }
    if (CVornViewLink* viewP = board.GetView()) viewP->EndInPlaceEdit();
    Exporter exporter(format);
    return exporter.Run(board, outPath, errorZ);
}
