// vorn-board: looks into and makes board files from the command line.
//
//   vorn-board dump FILE          the board as JSON on standard output
//   vorn-board make JSON OUT.2dv  a board file (version 5) from JSON of the same shape
//   vorn-board render FILE OUT.png [--go] [--size WIDTHxHEIGHT]  the board drawn into a PNG

#include "VornBoardTool.h"
#include "vorn_board_render.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "VornFileFormat.h"
#include "XGAlert.h"
#include "XGDateTime.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstring>
#include <string>

using namespace yaaf;

namespace {

const VornBoardSubcommand kSubcommands[] = {
    {"dump", "FILE", RunDump},
    {"make", "JSON OUT.2dv", RunMake},
    {"render", "FILE OUT.png [--go] [--size WIDTHxHEIGHT]", RunRender},
};

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage:\n");
    for (const VornBoardSubcommand& sub : kSubcommands)
        std::fprintf(out, "  vorn-board %s %s\n", sub.name, sub.usage);
}


// ---- to JSON --------------------------------------------------------------------------------

QJsonArray RectJson(const tagRECT& r) {
    return QJsonArray{r.left, r.top, r.right, r.bottom};
}

QJsonObject FontJson(const XGSFontResource& f) {
    QJsonObject o;
    o["size"] = f.size;
    o["bold"] = f.fBold;
    o["italic"] = f.fItalic;
    o["underline"] = f.fUnderline;
    o["fixed"] = f.fFixed;
    o["serif"] = f.fSerif;
    o["name"] = QString::fromUtf8(f.name, int(strnlen(f.name, sizeof f.name)));
    return o;
}

QJsonObject WindowJson(const Vorn_WindowModelRec& w) {
    QJsonObject o;
    o["rect"] = RectJson(w.posR);
    o["h_scroll"] = w.h_scroll;
    o["v_scroll"] = w.v_scroll;
    return o;
}

QJsonValue DateJson(const XGDateTime& date) {
    if (date.GetDayCount() == 0 && date.GetSecondCount() == 0) return QJsonValue::Null;
    XGDateFields f;
    date.GetFields(f);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", int(f.year), f.month, f.day, f.hour,
                  f.minute, f.second);
    return QString::fromLatin1(text);
}

QJsonObject LinkJson(const Vorn_LinkRef& link) {
    const Vorn_LinkContent& c = link.content;
    QJsonObject o;
    o["type"] = int(c.type);
    o["date"] = DateJson(link.date);
    o["orig"] = RectJson(c.origR);
    if (IsTextType(c.type))
        o["text"] = c.u.textP ? QString::fromStdString(*c.u.textP) : QString();
    else if (IsFileType(c.type))
        o["path"] = c.u.fileP ? QString::fromStdString(c.u.fileP->GetFullPath()) : QString();
    return o;
}

QJsonObject ItemJson(CVornItem* itemP) {
    QJsonObject o;
    o["flags"] = qint64(itemP->i_b.GetWord());
    o["bounds"] = RectJson(itemP->i_boundsR);
    o["font"] = FontJson(itemP->i_font.GetFontResource());
    if (itemP->i_b.rgnB() && itemP->i_rgnP) {
        QJsonArray pts;
        for (const Point& p : itemP->i_rgnP->pts)
            pts.append(QJsonArray{p.v, p.h});
        o["polygon"] = pts;
    } else {
        o["polygon"] = QJsonValue::Null;
    }
    o["source"] = LinkJson(itemP->i_resource.source);
    o["dest"] = LinkJson(itemP->i_resource.dest);
    return o;
}

QJsonObject BoardJson(TVornModel& board, int version) {
    const Vorn_PrefsRec& p = board.i_prefs;
    QJsonObject prefs;
    prefs["flags"] = int(p.b.flags);
    prefs["num_columns"] = p.num_columnsS;
    prefs["mode"] = int(p.mode);
    prefs["font"] = FontJson(p.font);
    prefs["wind_go"] = WindowJson(p.wind_go);
    prefs["wind_edit"] = WindowJson(p.wind_edit);
    prefs["wind_gen"] = WindowJson(p.wind_gen);
    prefs["view_as"] = int(p.view_as);
    prefs["sort_by"] = int(p.sort_by);
    QJsonArray items;
    for (int32 i = 0; i < board.i_list->Count(); ++i)
        items.append(ItemJson(board.i_list->GetIndItem(i)));
    QJsonObject o;
    o["version"] = version;
    o["prefs"] = prefs;
    o["items"] = items;
    return o;
}

// ---- from JSON ------------------------------------------------------------------------------

// Each reader changes only what the JSON names; a wrong shape is an error.
struct JsonError {
    std::string what;
};

qint64 Int(const QJsonValue& v, const char* what) {
    if (!v.isDouble()) throw JsonError{std::string(what) + " must be a number"};
    return v.toInteger();
}

void ReadInt16(const QJsonObject& o, const char* key, int16& out) {
    if (o.contains(key)) out = int16(Int(o[key], key));
}

void ReadRect(const QJsonValue& v, const char* what, tagRECT& r) {
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 4)
        throw JsonError{std::string(what) + " must be [left, top, right, bottom]"};
    r.left = int32(Int(a[0], what));
    r.top = int32(Int(a[1], what));
    r.right = int32(Int(a[2], what));
    r.bottom = int32(Int(a[3], what));
}

void ReadFont(const QJsonValue& v, XGSFontResource& f) {
    if (!v.isObject()) throw JsonError{"font must be an object"};
    const QJsonObject o = v.toObject();
    ReadInt16(o, "size", f.size);
    ReadInt16(o, "bold", f.fBold);
    ReadInt16(o, "italic", f.fItalic);
    ReadInt16(o, "underline", f.fUnderline);
    ReadInt16(o, "fixed", f.fFixed);
    ReadInt16(o, "serif", f.fSerif);
    if (o.contains("name")) {
        const QByteArray name = o["name"].toString().toUtf8();
        std::memset(f.name, 0, sizeof f.name);
        std::memcpy(f.name, name.constData(), size_t(qMin<qsizetype>(name.size(), sizeof f.name - 1)));
    }
}

void ReadWindow(const QJsonValue& v, const char* what, Vorn_WindowModelRec& w) {
    if (!v.isObject()) throw JsonError{std::string(what) + " must be an object"};
    const QJsonObject o = v.toObject();
    if (o.contains("rect")) ReadRect(o["rect"], what, w.posR);
    if (o.contains("h_scroll")) w.h_scroll = int32(Int(o["h_scroll"], "h_scroll"));
    if (o.contains("v_scroll")) w.v_scroll = int32(Int(o["v_scroll"], "v_scroll"));
}

XGDateTime ReadDate(const QJsonValue& v) {
    if (v.isNull()) return XGDateTime();
    const QByteArray text = v.toString().toLatin1();
    XGDateFields f;
    int y, mo, d, h, mi, s;
    char tail = 0;
    if (!v.isString() ||
        std::sscanf(text.constData(), "%d-%d-%dT%d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        throw JsonError{"date must be \"YYYY-MM-DDTHH:MM:SS\" or null"};
    f.year = y;
    f.month = int16(mo);
    f.day = int16(d);
    f.hour = int16(h);
    f.minute = int16(mi);
    f.second = int16(s);
    XGDateTime date;
    if (!date.SetFields(f)) throw JsonError{"date " + text.toStdString() + " does not exist"};
    return date;
}

void ReadLink(const QJsonValue& v, const char* what, Vorn_LinkRef& link) {
    if (!v.isObject()) throw JsonError{std::string(what) + " must be an object"};
    const QJsonObject o = v.toObject();
    CVornItem::DisposeVornLink(link);
    const qint64 type = o.contains("type") ? Int(o["type"], "type") : 0;
    if (type < 0 || type > 255) throw JsonError{"link type must be 0 to 255"};
    link.content.type = uint8(type);
    if (o.contains("date")) link.date = ReadDate(o["date"]);
    if (o.contains("orig")) ReadRect(o["orig"], "orig", link.content.origR);
    if (IsTextType(link.content.type)) {
        if (o.contains("text")) link.content.u.textP = new std::string(o["text"].toString().toStdString());
    } else if (IsFileType(link.content.type)) {
        link.content.u.fileP = new XGFileSpecifier(o["path"].toString().toStdString());
    }
}

void ReadItem(const QJsonObject& o, CVornItem* itemP) {
    if (o.contains("flags")) itemP->i_b.SetWord(uint32(Int(o["flags"], "flags")));
    if (o.contains("bounds")) ReadRect(o["bounds"], "bounds", itemP->i_boundsR);
    if (o.contains("font")) {
        XGSFontResource f = itemP->i_font.GetFontResource();
        ReadFont(o["font"], f);
        itemP->i_font.SetFontResource(f);
    }
    const QJsonValue poly = o["polygon"];
    if (poly.isArray()) {
        const QJsonArray pts = poly.toArray();
        if (pts.size() != kVornRgnPoints) throw JsonError{"polygon must have 16 points"};
        itemP->CreateNewRgn();
        for (int i = 0; i < kVornRgnPoints; ++i) {
            const QJsonArray pt = pts[i].toArray();
            if (pt.size() != 2) throw JsonError{"a polygon point must be [v, h]"};
            itemP->i_rgnP->pts[i].v = int16(Int(pt[0], "polygon"));
            itemP->i_rgnP->pts[i].h = int16(Int(pt[1], "polygon"));
        }
    } else if (!poly.isNull() && !poly.isUndefined()) {
        throw JsonError{"polygon must be a list or null"};
    }
    if (o.contains("source")) ReadLink(o["source"], "source", itemP->i_resource.source);
    if (o.contains("dest")) ReadLink(o["dest"], "dest", itemP->i_resource.dest);
}

void ReadBoard(const QJsonObject& o, TVornModel& board) {
    if (o.contains("prefs")) {
        if (!o["prefs"].isObject()) throw JsonError{"prefs must be an object"};
        const QJsonObject p = o["prefs"].toObject();
        Vorn_PrefsRec& rec = board.i_prefs;
        if (p.contains("flags")) rec.b.flags = uint16(Int(p["flags"], "flags"));
        ReadInt16(p, "num_columns", rec.num_columnsS);
        if (p.contains("mode")) rec.mode = Vorn_ModeType(Int(p["mode"], "mode"));
        if (p.contains("font")) ReadFont(p["font"], rec.font);
        if (p.contains("wind_go")) ReadWindow(p["wind_go"], "wind_go", rec.wind_go);
        if (p.contains("wind_edit")) ReadWindow(p["wind_edit"], "wind_edit", rec.wind_edit);
        if (p.contains("wind_gen")) ReadWindow(p["wind_gen"], "wind_gen", rec.wind_gen);
        if (p.contains("view_as")) rec.view_as = O_ViewAsType(Int(p["view_as"], "view_as"));
        if (p.contains("sort_by")) rec.sort_by = O_SortType(Int(p["sort_by"], "sort_by"));
    }
    if (!o.contains("items")) return;
    if (!o["items"].isArray()) throw JsonError{"items must be a list"};
    const QJsonArray items = o["items"].toArray();
    if (items.size() > INT16_MAX) throw JsonError{"a board holds at most 32767 items"};
    for (const QJsonValue& v : items) {
        if (!v.isObject()) throw JsonError{"an item must be an object"};
        // Made after the settings, so that it takes the board's font as a new item does.
        auto* itemP = new CVornItem(&board, kNoIndex);
        try {
            ReadItem(v.toObject(), itemP);
        } catch (...) {
            delete itemP;
            throw;
        }
        board.InsertItem(itemP, -1);
    }
}

} // namespace

// ---- shared ---------------------------------------------------------------------------------

std::unique_ptr<TVornModel> VornTool_LoadBoard(const std::string& path, std::string& errorZ, int* versionP) {
    const XGFileSpecifier spec(path);
    if (!spec.Exists() || spec.IsFolder()) {
        errorZ = path + ": no such board file";
        return nullptr;
    }
    XGFile file(spec);
    if (file.Open(XGFile::kRead) != 0) {
        errorZ = path + ": " + std::strerror(file.GetLastError());
        return nullptr;
    }
    uint8 version = 0;
    if (file.Read(1, &version) != 1) {
        errorZ = path + ": empty file";
        return nullptr;
    }
    auto board = std::make_unique<TVornModel>();
    if (!board->ReadModel(file)) {
        errorZ = path + ": not a readable board file (damaged or cut short)";
        return nullptr;
    }
    if (versionP) *versionP = version;
    return board;
}

bool VornTool_SaveBoard(TVornModel& board, const std::string& path, std::string& errorZ) {
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

int RunDump(int argc, char** argv) {
    if (argc != 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string error;
    int version = 0;
    std::unique_ptr<TVornModel> board = VornTool_LoadBoard(argv[1], error, &version);
    if (!board) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    const QByteArray json = QJsonDocument(BoardJson(*board, version)).toJson(QJsonDocument::Indented);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int RunMake(int argc, char** argv) {
    if (argc != 3) {
        PrintUsage(stderr);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "vorn-board: %s: %s\n", argv[1], in.errorString().toLocal8Bit().constData());
        return 1;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(in.readAll(), &parseError);
    if (doc.isNull() || !doc.isObject()) {
        std::fprintf(stderr, "vorn-board: %s: not a JSON object (%s)\n", argv[1],
                     parseError.errorString().toLocal8Bit().constData());
        return 1;
    }
    TVornModel board;
    try {
        ReadBoard(doc.object(), board);
    } catch (const JsonError& e) {
        std::fprintf(stderr, "vorn-board: %s: %s\n", argv[1], e.what.c_str());
        return 1;
    }
    std::string error;
    if (!VornTool_SaveBoard(board, argv[2], error)) {
        std::fprintf(stderr, "vorn-board: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    // Standard error is for this tool's own one-line reports; Qt's notes stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
    });
    // A tool draws nothing on a screen (fonts and pictures still work offscreen).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Questions a board would ask (the old-version note) have no one to answer here.
    XGScopedAlertResponder quiet([](const XGAlertRequest& r) { return r.cancelIndex; });
    // Reading never starts picture loads; render loads the pictures itself, with a bounded wait.
    VornFile_SetLoadPicturesOnRead(false);
    SetRenderBoardLoader([](const std::string& path, std::string& error) -> TVornModel* {
        return VornTool_LoadBoard(path, error).release();
    });

    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    for (const VornBoardSubcommand& sub : kSubcommands)
        if (std::strcmp(argv[1], sub.name) == 0) return sub.run(argc - 1, argv + 1);
    std::fprintf(stderr, "vorn-board: unknown command \"%s\"\n", argv[1]);
    PrintUsage(stderr);
    return 2;
}
