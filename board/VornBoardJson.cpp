#include "VornBoardJson.h"

#include "CItemArray.h"
#include "CVornItem.h"
#include "TVornModel.h"
#include "XGDateTime.h"
#include "XGFileSpecifier.h"

#include <cstdio>
#include <cstring>

using namespace yaaf;

namespace {

// ---- to JSON --------------------------------------------------------------------------------

XGJson RectJson(const tagRECT& r) {
    XGJson a = XGJson::Array();
    a.Append(r.left);
    a.Append(r.top);
    a.Append(r.right);
    a.Append(r.bottom);
    return a;
}

XGJson FontJson(const XGSFontResource& f) {
    XGJson o = XGJson::Object();
    o.Set("size", int(f.size));
    o.Set("bold", int(f.fBold));
    o.Set("italic", int(f.fItalic));
    o.Set("underline", int(f.fUnderline));
    o.Set("fixed", int(f.fFixed));
    o.Set("serif", int(f.fSerif));
    o.Set("name", std::string(f.name, strnlen(f.name, sizeof f.name)));
    return o;
}

XGJson WindowJson(const Vorn_WindowModelRec& w) {
    XGJson o = XGJson::Object();
    o.Set("rect", RectJson(w.posR));
    o.Set("h_scroll", int64(w.h_scroll));
    o.Set("v_scroll", int64(w.v_scroll));
    return o;
}

XGJson DateJson(const XGDateTime& date) {
    if (date.GetDayCount() == 0 && date.GetSecondCount() == 0) return XGJson();
    XGDateFields f;
    date.GetFields(f);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", int(f.year), f.month, f.day, f.hour,
                  f.minute, f.second);
    return XGJson(text);
}

XGJson LinkJson(const Vorn_LinkRef& link) {
    const Vorn_LinkContent& c = link.content;
    XGJson o = XGJson::Object();
    o.Set("type", int(c.type));
    o.Set("date", DateJson(link.date));
    o.Set("orig", RectJson(c.origR));
    if (IsTextType(c.type))
        o.Set("text", c.u.textP ? *c.u.textP : std::string());
    else if (IsFileType(c.type))
        o.Set("path", c.u.fileP ? c.u.fileP->GetFullPath() : std::string());
    return o;
}

XGJson ItemJson(CVornItem* itemP) {
    XGJson o = XGJson::Object();
    o.Set("flags", int64(itemP->i_b.GetWord()));
    o.Set("bounds", RectJson(itemP->i_boundsR));
    o.Set("font", FontJson(itemP->i_font.GetFontResource()));
    if (itemP->i_b.rgnB() && itemP->i_rgnP) {
        XGJson pts = XGJson::Array();
        for (const Point& p : itemP->i_rgnP->pts) {
            XGJson pt = XGJson::Array();
            pt.Append(int(p.v));
            pt.Append(int(p.h));
            pts.Append(std::move(pt));
        }
        o.Set("polygon", std::move(pts));
    } else {
        o.Set("polygon", XGJson());
    }
    o.Set("source", LinkJson(itemP->i_resource.source));
    o.Set("dest", LinkJson(itemP->i_resource.dest));
    return o;
}

// ---- from JSON ------------------------------------------------------------------------------

// Each reader changes only what the JSON names; a wrong shape is an error.
struct JsonError {
    std::string what;
};

int64 Int(const XGJson& v, const char* what) {
    if (!v.IsNumber()) throw JsonError{std::string(what) + " must be a number"};
    return v.GetInt();
}

void ReadInt16(const XGJson& o, const char* key, int16& out) {
    if (const XGJson* v = o.Find(key)) out = int16(Int(*v, key));
}

void ReadRect(const XGJson& v, const char* what, tagRECT& r) {
    if (!v.IsArray() || v.Size() != 4)
        throw JsonError{std::string(what) + " must be [left, top, right, bottom]"};
    r.left = int32(Int(v.At(0), what));
    r.top = int32(Int(v.At(1), what));
    r.right = int32(Int(v.At(2), what));
    r.bottom = int32(Int(v.At(3), what));
}

void ReadFont(const XGJson& o, XGSFontResource& f) {
    if (!o.IsObject()) throw JsonError{"font must be an object"};
    ReadInt16(o, "size", f.size);
    ReadInt16(o, "bold", f.fBold);
    ReadInt16(o, "italic", f.fItalic);
    ReadInt16(o, "underline", f.fUnderline);
    ReadInt16(o, "fixed", f.fFixed);
    ReadInt16(o, "serif", f.fSerif);
    if (const XGJson* name = o.Find("name")) {
        const std::string& text = name->GetString();
        std::memset(f.name, 0, sizeof f.name);
        std::memcpy(f.name, text.data(), std::min(text.size(), sizeof f.name - 1));
    }
}

void ReadWindow(const XGJson& o, const char* what, Vorn_WindowModelRec& w) {
    if (!o.IsObject()) throw JsonError{std::string(what) + " must be an object"};
    if (const XGJson* v = o.Find("rect")) ReadRect(*v, what, w.posR);
    if (const XGJson* v = o.Find("h_scroll")) w.h_scroll = int32(Int(*v, "h_scroll"));
    if (const XGJson* v = o.Find("v_scroll")) w.v_scroll = int32(Int(*v, "v_scroll"));
}

XGDateTime ReadDate(const XGJson& v) {
    if (v.IsNull()) return XGDateTime();
    const std::string& text = v.GetString();
    int y, mo, d, h, mi, s;
    char tail = 0;
    if (!v.IsString() ||
        std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6)
        throw JsonError{"date must be \"YYYY-MM-DDTHH:MM:SS\" or null"};
    XGDateFields f;
    f.year = y;
    f.month = int16(mo);
    f.day = int16(d);
    f.hour = int16(h);
    f.minute = int16(mi);
    f.second = int16(s);
    XGDateTime date;
    if (!date.SetFields(f)) throw JsonError{"date " + text + " does not exist"};
    return date;
}

void ReadLink(const XGJson& o, const char* what, Vorn_LinkRef& link) {
    if (!o.IsObject()) throw JsonError{std::string(what) + " must be an object"};
    CVornItem::DisposeVornLink(link);
    const int64 type = o.Has("type") ? Int(o["type"], "type") : 0;
    if (type < 0 || type > 255) throw JsonError{"link type must be 0 to 255"};
    link.content.type = uint8(type);
    if (const XGJson* v = o.Find("date")) link.date = ReadDate(*v);
    if (const XGJson* v = o.Find("orig")) ReadRect(*v, "orig", link.content.origR);
    if (IsTextType(link.content.type)) {
        if (const XGJson* v = o.Find("text")) link.content.u.textP = new std::string(v->GetString());
    } else if (IsFileType(link.content.type)) {
        link.content.u.fileP = new XGFileSpecifier(o["path"].GetString());
    }
}

void ReadItem(const XGJson& o, CVornItem* itemP) {
    if (const XGJson* v = o.Find("flags")) itemP->i_b.SetWord(uint32(Int(*v, "flags")));
    if (const XGJson* v = o.Find("bounds")) ReadRect(*v, "bounds", itemP->i_boundsR);
    if (const XGJson* v = o.Find("font")) {
        XGSFontResource f = itemP->i_font.GetFontResource();
        ReadFont(*v, f);
        itemP->i_font.SetFontResource(f);
    }
    const XGJson& poly = o["polygon"];
    if (poly.IsArray()) {
        if (poly.Size() != size_t(kVornRgnPoints)) throw JsonError{"polygon must have 16 points"};
        itemP->CreateNewRgn();
        for (int i = 0; i < kVornRgnPoints; ++i) {
            const XGJson& pt = poly.At(size_t(i));
            if (!pt.IsArray() || pt.Size() != 2) throw JsonError{"a polygon point must be [v, h]"};
            itemP->i_rgnP->pts[i].v = int16(Int(pt.At(0), "polygon"));
            itemP->i_rgnP->pts[i].h = int16(Int(pt.At(1), "polygon"));
        }
    } else if (!poly.IsNull()) {
        throw JsonError{"polygon must be a list or null"};
    }
    if (const XGJson* v = o.Find("source")) ReadLink(*v, "source", itemP->i_resource.source);
    if (const XGJson* v = o.Find("dest")) ReadLink(*v, "dest", itemP->i_resource.dest);
}

void ReadPrefs(const XGJson& p, TVornModel& board) {
    if (!p.IsObject()) throw JsonError{"prefs must be an object"};
    Vorn_PrefsRec& rec = board.i_prefs;
    if (p.Has("flags")) rec.b.flags = uint16(Int(p["flags"], "flags"));
    ReadInt16(p, "num_columns", rec.num_columnsS);
    if (p.Has("mode")) rec.mode = Vorn_ModeType(Int(p["mode"], "mode"));
    if (p.Has("font")) ReadFont(p["font"], rec.font);
    if (p.Has("wind_go")) ReadWindow(p["wind_go"], "wind_go", rec.wind_go);
    if (p.Has("wind_edit")) ReadWindow(p["wind_edit"], "wind_edit", rec.wind_edit);
    if (p.Has("wind_gen")) ReadWindow(p["wind_gen"], "wind_gen", rec.wind_gen);
    if (p.Has("view_as")) rec.view_as = O_ViewAsType(Int(p["view_as"], "view_as"));
    if (p.Has("sort_by")) rec.sort_by = O_SortType(Int(p["sort_by"], "sort_by"));
}

void ReadBoard(const XGJson& o, TVornModel& board) {
    if (!o.IsObject()) throw JsonError{"not a JSON object"};
    if (const XGJson* pv = o.Find("prefs")) ReadPrefs(*pv, board);
    const XGJson* items = o.Find("items");
    if (!items) return;
    if (!items->IsArray()) throw JsonError{"items must be a list"};
    if (items->Size() > size_t(INT16_MAX)) throw JsonError{"a board holds at most 32767 items"};
    for (const XGJson& v : items->Items()) {
        if (!v.IsObject()) throw JsonError{"an item must be an object"};
        auto* itemP = new CVornItem(&board, kNoIndex);
        try {
            ReadItem(v, itemP);
        } catch (...) {
            delete itemP;
            throw;
        }
        board.InsertItem(itemP, -1);
    }
}

} // namespace

XGJson VornBoard_PrefsToJson(const Vorn_PrefsRec& p) {
    XGJson prefs = XGJson::Object();
    prefs.Set("flags", int(p.b.flags));
    prefs.Set("num_columns", int(p.num_columnsS));
    prefs.Set("mode", int(p.mode));
    prefs.Set("font", FontJson(p.font));
    prefs.Set("wind_go", WindowJson(p.wind_go));
    prefs.Set("wind_edit", WindowJson(p.wind_edit));
    prefs.Set("wind_gen", WindowJson(p.wind_gen));
    prefs.Set("view_as", int(p.view_as));
    prefs.Set("sort_by", int(p.sort_by));
    return prefs;
}

XGJson VornBoard_ToJson(TVornModel& board, int version) {
    XGJson prefs = VornBoard_PrefsToJson(board.i_prefs);
    XGJson items = XGJson::Array();
    for (int32 i = 0; i < board.i_list->Count(); ++i)
        items.Append(ItemJson(board.i_list->GetIndItem(i)));
    XGJson o = XGJson::Object();
    o.Set("version", version);
    o.Set("prefs", std::move(prefs));
    o.Set("items", std::move(items));
    return o;
}

namespace {
// Runs a reader that throws on the first fault, answering the fault's text instead.
template <typename Read>
bool ReadCatching(std::string& errorZ, Read read) {
    try {
        read();
    } catch (const JsonError& e) {
        errorZ = e.what;
        return false;
    }
    return true;
}
} // namespace

bool VornBoard_FromJson(const XGJson& json, TVornModel& board, std::string& errorZ) {
    return ReadCatching(errorZ, [&] { ReadBoard(json, board); });
}

XGJson VornBoard_ItemToJson(CVornItem* itemP) {
    return ItemJson(itemP);
}

bool VornBoard_ItemFromJson(const XGJson& json, CVornItem* itemP, std::string& errorZ) {
    return ReadCatching(errorZ, [&] {
        if (!json.IsObject()) throw JsonError{"an item must be an object"};
        ReadItem(json, itemP);
    });
}

bool VornBoard_PrefsFromJson(const XGJson& json, TVornModel& board, std::string& errorZ) {
    return ReadCatching(errorZ, [&] { ReadPrefs(json, board); });
}
