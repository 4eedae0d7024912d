#include "VornFileFormat.h"

#include "CVornItem.h"
#include "XGFile.h"
#include "XGFileSpecifier.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

using namespace yaaf;

namespace {

bool s_load_pictures_on_readB = true;


// The same exchange as SwapWord and SwapLong, open-coded: a board of many items runs through
// these some sixty times per item.
inline void SwapWordAt(void* recP, size_t offset) {
    auto* p = static_cast<uint8*>(recP) + offset;
    const uint8 t = p[0];
    p[0] = p[1];
    p[1] = t;
}

inline void SwapWordsAt(void* recP, size_t offset, int count) {
    for (int i = 0; i < count; ++i)
        SwapWordAt(recP, offset + size_t(i) * 2);
}

inline void SwapLongAt(void* recP, size_t offset) {
    auto* p = static_cast<uint8*>(recP) + offset;
    uint8 t = p[0];
    p[0] = p[3];
    p[3] = t;
    t = p[1];
    p[1] = p[2];
    p[2] = t;
}

int16 Cut16(int32 v) {
    return int16(uint16(uint32(v) & 0xFFFF));
}

// The text of a trailer or an old string field: up to its first NUL, at most n bytes.
std::string TextUpToNul(const uint8* p, size_t n) {
    const void* nul = std::memchr(p, 0, n);
    const size_t len = nul ? size_t(static_cast<const uint8*>(nul) - p) : n;
    return std::string(reinterpret_cast<const char*>(p), len);
}

// Most items of a board share a few fonts: a font made once is shared by copying it, which
// costs far less than making it again for every item.
void SetItemFont(CVornItem* itemP, const XGSFontResource& font) {
    struct Cache {
        XGSFontResource resource;
        XGFont font;
        bool validB = false;
    };
    static thread_local Cache s_cache;
    // A new item already has the default font.
    static const XGSFontResource s_default = XGFont().GetFontResource();
    if (std::memcmp(&s_default, &font, sizeof font) == 0) return;
    if (!s_cache.validB || std::memcmp(&s_cache.resource, &font, sizeof font) != 0) {
        s_cache.font = XGFont(); // as a new item's: what the record leaves out stays as there
        s_cache.font.SetFontResource(font);
        s_cache.resource = font;
        s_cache.validB = true;
    }
    itemP->i_font = s_cache.font;
}

} // namespace

bool Vorn_IsBoardFileType(OSType type) {
    return type == kVornFileType || type == kVornFolderType;
}

void VornFile_SetLoadPicturesOnRead(bool loadB) {
    s_load_pictures_on_readB = loadB;
}

bool VornFile_GetLoadPicturesOnRead() {
    return s_load_pictures_on_readB;
}

// ---------------------------------------------------------------------------------------------
// Reader and writer

bool CVornFileReader::Read(void* outP, size_t n) {
    const uint8* p = Take(n);
    if (!p) return false;
    if (n) std::memcpy(outP, p, n);
    return true;
}

bool CVornFileReader::Skip(size_t n) {
    return Take(n) != nullptr || n == 0;
}

const uint8* CVornFileReader::Take(size_t n) {
    if (n > Remaining()) return nullptr;
    const uint8* p = i_dataP + i_posL;
    i_posL += n;
    return p;
}

bool CVornFileWriter::Put(const void* dataP, size_t n) {
    if (!i_okB) return false;
    const char* p = static_cast<const char*>(dataP);
    if (i_bufA.size() + n > kChunk && !Flush()) return false;
    if (n >= kChunk) {
        // Large pieces go straight through.
        while (n > 0 && i_okB) {
            const int32 part = int32(n > size_t(INT32_MAX) ? size_t(INT32_MAX) : n);
            i_okB = i_f.Write(part, p) == part;
            p += part;
            n -= size_t(part);
        }
        return i_okB;
    }
    i_bufA.insert(i_bufA.end(), p, p + n);
    return true;
}

bool CVornFileWriter::Flush() {
    if (!i_okB) return false;
    if (!i_bufA.empty()) {
        const int32 n = int32(i_bufA.size());
        i_okB = i_f.Write(n, i_bufA.data()) == n;
        i_bufA.clear();
    }
    return i_okB;
}

int16 CVornMemoryStream::SetFilePos(int64 pos) {
    if (pos < 0) return Fail(EINVAL);
    i_posL = size_t(pos);
    return 0;
}

int16 CVornMemoryStream::SetEOF(int64 length) {
    if (length < 0 || length > int64(INT32_MAX)) return Fail(EINVAL);
    i_dataA.resize(size_t(length));
    if (i_posL > i_dataA.size()) i_posL = i_dataA.size();
    return 0;
}

int32 CVornMemoryStream::DoRead(int32 count, void* buffer) {
    if (count <= 0 || !buffer || i_posL >= i_dataA.size()) return 0;
    const size_t n = std::min(size_t(count), i_dataA.size() - i_posL);
    std::memcpy(buffer, i_dataA.data() + i_posL, n);
    i_posL += n;
    return int32(n);
}

int32 CVornMemoryStream::DoWrite(int32 count, const void* buffer) {
    if (count <= 0 || !buffer) return 0;
    if (i_posL + size_t(count) > size_t(INT32_MAX)) {
        Fail(EFBIG);
        return 0;
    }
    if (i_dataA.size() < i_posL + size_t(count)) i_dataA.resize(i_posL + size_t(count));
    std::memcpy(i_dataA.data() + i_posL, buffer, size_t(count));
    i_posL += size_t(count);
    return count;
}

bool VornFile_LoadStream(XGFileStream& f, CVornFileBytes& bytes) {
    bytes.dataP.reset();
    bytes.size = 0;
    if (f.SetFilePos(0) != 0) return false;
    const int64 length = f.GetLength();
    if (length > int64(INT32_MAX)) return false;
    if (length >= 0) {
        // Not zero-filled first: every byte is read over at once.
        bytes.dataP.reset(new uint8[size_t(length) + 1]);
        const int32 got = length ? f.Read(int32(length), bytes.dataP.get()) : 0;
        // A file that shrank while being read is taken as far as it goes; its records then
        // come up short.
        bytes.size = size_t(got < 0 ? 0 : got);
        return true;
    }
    // A stream that does not know its length is read piece by piece.
    std::vector<uint8> dataA;
    constexpr int32 kPiece = 64 * 1024;
    for (;;) {
        const size_t at = dataA.size();
        if (at + kPiece > size_t(INT32_MAX)) return false;
        dataA.resize(at + kPiece);
        const int32 got = f.Read(kPiece, dataA.data() + at);
        dataA.resize(at + size_t(got < 0 ? 0 : got));
        if (got < kPiece) break;
    }
    bytes.dataP.reset(new uint8[dataA.size() + 1]);
    std::memcpy(bytes.dataP.get(), dataA.data(), dataA.size());
    bytes.size = dataA.size();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Byte order

void swap_prefs1(Vorn_PrefsRec_DISK_1* recP) {
    SwapWordAt(recP, 1);      // array_sizeS
    SwapWordsAt(recP, 7, 4);  // edit_window_posR
    SwapWordsAt(recP, 15, 4); // h_scroll, v_scroll, num_columnsS, font_sizeS
    SwapWordsAt(recP, 23, 4); // go_window_posR
    SwapWordsAt(recP, 31, 4); // new_text_window_posR
}

void swap_prefs2(Vorn_PrefsRec_DISK_2* recP) {
    SwapWordAt(recP, 4);       // num_columnsS
    SwapWordsAt(recP, 7, 6);   // the font's six values
    SwapWordAt(recP, 83);      // array_sizeS
    SwapWordsAt(recP, 85, 6);  // wind_go: posR and the first half of each scroll value
    SwapWordsAt(recP, 101, 6); // wind_edit
    SwapWordsAt(recP, 117, 6); // wind_gen
}

void swap_link1(Vorn_LinkRef_DISK_1* recP) {
    SwapWordsAt(recP, offsetof(Vorn_LinkRef_DISK_1, date), 7);
    SwapWordsAt(recP, offsetof(Vorn_LinkRef_DISK_1, content) + offsetof(Vorn_LinkContent_DISK_1, origR), 4);
}

void swap_link2(Vorn_LinkRef_DISK_2* recP) {
    SwapWordsAt(recP, 0, 4);  // the date
    SwapWordsAt(recP, 12, 4); // origR
    SwapLongAt(recP, 20);     // path_lenS
    SwapLongAt(recP, 24);     // mac_lenS
    SwapLongAt(recP, 28);     // win_lenS
}

void swap_item1(Vorn_Item_DISK_1* recP) {
    SwapWordsAt(recP, 0, 4); // boundsR
    Vorn_ItemBoolsRec_DISK b;
    b.SetWord(recP->b);
    if (b.rgnB()) SwapWordsAt(recP, offsetof(Vorn_Item_DISK_1, rgn), 16);
    swap_link1(&recP->source);
    swap_link1(&recP->dest);
}

void swap_item2(Vorn_Item_DISK_2* recP) {
    SwapWordsAt(recP, 4, 4);  // boundsR
    SwapWordsAt(recP, 12, 6); // the font's six values
    swap_link2(&recP->source);
    swap_link2(&recP->dest);
}

void swap_rgn(_Vorn_RgnRec* rgnP) {
    SwapWordsAt(rgnP, 0, 2 * kVornRgnPoints);
}

// ---------------------------------------------------------------------------------------------
// Fields

void Vorn_RectToDisk(const tagRECT& r, Rect_DISK* diskP) {
    diskP->top = Cut16(r.top);
    diskP->left = Cut16(r.left);
    diskP->bottom = Cut16(r.bottom);
    diskP->right = Cut16(r.right);
}

tagRECT Vorn_RectFromDisk(const Rect_DISK& disk) {
    tagRECT r;
    r.left = disk.left;
    r.top = disk.top;
    r.right = disk.right;
    r.bottom = disk.bottom;
    return r;
}

void Vorn_FontToDisk(const XGSFontResource& font, XGSFontResource_DISK* diskP) {
    diskP->size = font.size;
    diskP->fBold = font.fBold;
    diskP->fItalic = font.fItalic;
    diskP->fUnderline = font.fUnderline;
    diskP->fFixed = font.fFixed;
    diskP->fSerif = font.fSerif;
    std::memset(diskP->name, 0, sizeof diskP->name);
    const void* nul = std::memchr(font.name, 0, sizeof font.name);
    const size_t len = nul ? size_t(static_cast<const char*>(nul) - font.name) : sizeof font.name - 1;
    std::memcpy(diskP->name, font.name, len < sizeof diskP->name ? len : sizeof diskP->name - 1);
}

void Vorn_FontFromDisk(const XGSFontResource_DISK& disk, XGSFontResource* fontP) {
    fontP->size = disk.size;
    fontP->fBold = disk.fBold;
    fontP->fItalic = disk.fItalic;
    fontP->fUnderline = disk.fUnderline;
    fontP->fFixed = disk.fFixed;
    fontP->fSerif = disk.fSerif;
    // The bytes after the NUL are undefined; a name without one is cut to fit.
    const std::string name = TextUpToNul(reinterpret_cast<const uint8*>(disk.name), sizeof disk.name - 1);
    std::memset(fontP->name, 0, sizeof fontP->name);
    std::memcpy(fontP->name, name.data(), name.size());
}

void Vorn_DateToDisk(const XGDateTime& date, Vorn_DateRec_DISK* diskP) {
    std::memset(diskP, 0, sizeof *diskP);
    XGDateFields f;
    if (!date.GetFields(f) || f.year > 0xFFFF) return;
    diskP->month = uint8(f.month);
    diskP->day = uint8(f.day);
    diskP->year = uint16(f.year);
    diskP->hour = uint8(f.hour);
    diskP->dayOfWeek = uint8(f.dayOfWeek);
    diskP->second = uint8(f.second);
    diskP->minute = uint8(f.minute);
}

XGDateTime Vorn_DateFromDisk(const Vorn_DateRec_DISK& disk) {
    XGDateTime date;
    XGDateFields f;
    f.year = disk.year;
    f.month = disk.month;
    f.day = disk.day;
    f.hour = disk.hour;
    f.minute = disk.minute;
    f.second = disk.second;
    date.SetFields(f); // a record without a valid date leaves the date zero
    return date;
}

// ---------------------------------------------------------------------------------------------
// Preferences

bool Xfer_mem2disk_Prefs2(const Vorn_PrefsRec& prefs, Vorn_PrefsRec_DISK_2* diskP) {
    std::memset(diskP, 0, sizeof *diskP);
    diskP->b_flags = prefs.b.flags;
    diskP->b_unused2 = prefs.b.unused2;
    diskP->num_columnsS = prefs.num_columnsS;
    diskP->mode = uint8(prefs.mode);
    Vorn_FontToDisk(prefs.font, &diskP->font);
    diskP->array_sizeS = prefs.array_sizeS;
    const Vorn_WindowModelRec* mem[3] = {&prefs.wind_go, &prefs.wind_edit, &prefs.wind_gen};
    Vorn_WindowModelRec_DISK* disk[3] = {&diskP->wind_go, &diskP->wind_edit, &diskP->wind_gen};
    for (int i = 0; i < 3; ++i) {
        Vorn_RectToDisk(mem[i]->posR, &disk[i]->posR);
        disk[i]->h_scroll = uint32(mem[i]->h_scroll);
        disk[i]->v_scroll = uint32(mem[i]->v_scroll);
    }
    diskP->view_as = uint8(prefs.view_as);
    diskP->sort_by = uint8(prefs.sort_by);
    return true;
}

namespace {
// What versions before 4 did not store: the view and sort settings. The toolbar and status
// flags of those files meant something else and are cleared.
void ConvertOldViewFlags(Vorn_PrefsRec* prefsP) {
    prefsP->view_as = prefsP->b.show_toolbarB() ? O_ViewAs_FLAT_COL : O_ViewAs_FREEFORM;
    prefsP->sort_by = O_Sort_NAME;
    prefsP->b.set_show_toolbarB(false);
    prefsP->b.set_show_statusB(false);
    prefsP->b.set_sort_ascendingB(true);
}

Vorn_WindowModelRec WindowFromDisk(const Vorn_WindowModelRec_DISK& disk) {
    Vorn_WindowModelRec w;
    w.posR = Vorn_RectFromDisk(disk.posR);
    w.h_scroll = int32(disk.h_scroll);
    w.v_scroll = int32(disk.v_scroll);
    return w;
}
} // namespace

bool Xfer_disk2mem_Prefs1(const Vorn_PrefsRec_DISK_1* diskP, Vorn_PrefsRec* prefsP) {
    prefsP->b.flags = uint16(diskP->b & 0xFFFF);
    prefsP->b.unused2 = uint16(diskP->b >> 16);
    prefsP->num_columnsS = diskP->num_columnsS == 0 ? int16(4) : diskP->num_columnsS;
    ConvertOldViewFlags(prefsP);
    prefsP->mode = Vorn_ModeType(diskP->mode);
    prefsP->font = XGSFontResource{};
    prefsP->font.size = diskP->font_sizeS;
    std::strcpy(prefsP->font.name, "Arial");
    prefsP->array_sizeS = diskP->array_sizeS;
    prefsP->wind_edit.posR = Vorn_RectFromDisk(diskP->edit_window_posR);
    prefsP->wind_edit.h_scroll = diskP->h_scroll;
    prefsP->wind_edit.v_scroll = diskP->v_scroll;
    prefsP->wind_go = prefsP->wind_edit;
    prefsP->wind_go.posR = Vorn_RectFromDisk(diskP->go_window_posR);
    prefsP->wind_gen = prefsP->wind_edit;
    prefsP->wind_gen.posR = Vorn_RectFromDisk(diskP->new_text_window_posR);
    return true;
}

bool Xfer_disk2mem_Prefs2(uint8 vers, const Vorn_PrefsRec_DISK_2* diskP, Vorn_PrefsRec* prefsP) {
    prefsP->b.flags = diskP->b_flags;
    prefsP->b.unused2 = diskP->b_unused2;
    prefsP->num_columnsS = diskP->num_columnsS;
    prefsP->mode = Vorn_ModeType(diskP->mode);
    Vorn_FontFromDisk(diskP->font, &prefsP->font);
    prefsP->array_sizeS = diskP->array_sizeS;
    prefsP->wind_go = WindowFromDisk(diskP->wind_go);
    prefsP->wind_edit = WindowFromDisk(diskP->wind_edit);
    prefsP->wind_gen = WindowFromDisk(diskP->wind_gen);
    switch (vers) {
    case 3:
        ConvertOldViewFlags(prefsP);
        break;
    case 4:
        prefsP->view_as = O_ViewAsType(diskP->view_as);
        prefsP->sort_by = O_SortType(diskP->sort_by);
        prefsP->b.set_gen_launch_pixB(true);
        break;
    default:
        prefsP->view_as = O_ViewAsType(diskP->view_as);
        prefsP->sort_by = O_SortType(diskP->sort_by);
        break;
    }
    return true;
}

bool write_prefs2(CVornFileWriter& f, const Vorn_PrefsRec& prefs) {
    Vorn_PrefsRec_DISK_2 rec;
    if (!Xfer_mem2disk_Prefs2(prefs, &rec)) return false;
    swap_prefs2(&rec);
    return f.Put(&rec, sizeof rec);
}

// ---------------------------------------------------------------------------------------------
// Links

bool Xfer_mem2disk_Link2(const Vorn_LinkRef& link, Vorn_LinkRef_DISK_2* diskP, Vorn_LinkTrailers* trailersP) {
    std::memset(diskP, 0, sizeof *diskP);
    trailersP->path.clear();
    trailersP->win.clear();
    Vorn_DateToDisk(link.date, &diskP->date);
    const Vorn_LinkContent& c = link.content;
    diskP->content.type = c.type;
    Vorn_RectToDisk(c.origR, &diskP->content.origR);
    if (IsTextType(c.type)) {
        if (c.u.textP) {
            trailersP->path.assign(*c.u.textP);
            trailersP->path.push_back('\0');
        }
    } else if (IsFileType(c.type)) {
        if (c.u.fileP && !c.u.fileP->IsEmpty()) {
            if (c.u.fileP->Exists()) {
                trailersP->path = c.u.fileP->GetFullPath();
                trailersP->path.push_back('\0');
                trailersP->win = trailersP->path;
            } else {
                trailersP->path = c.u.fileP->GetName();
                trailersP->path.push_back('\0');
            }
        }
    }
    if (trailersP->path.size() > size_t(INT32_MAX) || trailersP->win.size() > size_t(INT32_MAX)) return false;
    diskP->content.path_lenS = int32(trailersP->path.size());
    diskP->content.mac_lenS = 0;
    diskP->content.win_lenS = int32(trailersP->win.size());
    return true;
}

bool write_link2(CVornFileWriter& f, const Vorn_LinkTrailers& trailers) {
    if (!trailers.path.empty() && !f.Put(trailers.path.data(), trailers.path.size())) return false;
    if (!trailers.win.empty() && !f.Put(trailers.win.data(), trailers.win.size())) return false;
    return f.IsOK();
}

bool Xfer_disk2mem_Link1(const Vorn_LinkRef_DISK_1* diskP, Vorn_LinkRef* linkP) {
    CVornItem::DisposeVornLink(*linkP);
    XGDateTime date;
    XGDateFields f;
    f.year = diskP->date.year;
    f.month = diskP->date.month;
    f.day = diskP->date.day;
    f.hour = diskP->date.hour;
    f.minute = diskP->date.minute;
    f.second = diskP->date.second;
    date.SetFields(f);
    linkP->date = date;
    Vorn_LinkContent& c = linkP->content;
    c.type = diskP->content.type;
    c.origR = Vorn_RectFromDisk(diskP->content.origR);
    const uint8* u = diskP->content.u;
    if (IsTextType(c.type)) {
        c.u.textP = new std::string(TextUpToNul(u, sizeof diskP->content.u));
    } else if (IsFileType(c.type)) {
        // vRefNum and parID name a folder of the old platform: only the name is of use.
        const size_t len = u[6];
        c.u.fileP = new XGFileSpecifier(std::string(reinterpret_cast<const char*>(u + 7), len));
    }
    return true;
}

bool Xfer_disk2mem_Link2(CVornFileReader& f, Vorn_LinkRef* linkP, const Vorn_LinkRef_DISK_2* link2P) {
    CVornItem::DisposeVornLink(*linkP);
    linkP->date = Vorn_DateFromDisk(link2P->date);
    Vorn_LinkContent& c = linkP->content;
    c.type = link2P->content.type;
    c.origR = Vorn_RectFromDisk(link2P->content.origR);
    const int32 lens[3] = {link2P->content.path_lenS, link2P->content.mac_lenS, link2P->content.win_lenS};
    const uint8* trailers[3] = {nullptr, nullptr, nullptr};
    for (int i = 0; i < 3; ++i) {
        if (lens[i] == 0) continue;
        if (lens[i] < 0) return false;
        trailers[i] = f.Take(size_t(lens[i]));
        if (!trailers[i]) return false;
    }
    if (IsTextType(c.type)) {
        if (trailers[0]) c.u.textP = new std::string(TextUpToNul(trailers[0], size_t(lens[0])));
    } else if (IsFileType(c.type)) {
        // The third trailer is the specifier's own form; the path trailer is what is left of a
        // file that was missing when the board was saved.
        if (trailers[2])
            c.u.fileP = new XGFileSpecifier(TextUpToNul(trailers[2], size_t(lens[2])));
        else if (trailers[0])
            c.u.fileP = new XGFileSpecifier(TextUpToNul(trailers[0], size_t(lens[0])));
        else
            c.u.fileP = new XGFileSpecifier();
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Items

bool Xfer_mem2disk_Item2(CVornItem* itemP, Vorn_Item_DISK_2* diskP, Vorn_LinkTrailers* sourceP,
                         Vorn_LinkTrailers* destP) {
    std::memset(diskP, 0, sizeof *diskP);
    diskP->b = itemP->i_b.GetWord();
    Vorn_RectToDisk(itemP->i_boundsR, &diskP->boundsR);
    Vorn_FontToDisk(itemP->i_font.GetFontResource(), &diskP->font);
    return Xfer_mem2disk_Link2(itemP->i_resource.source, &diskP->source, sourceP) &&
           Xfer_mem2disk_Link2(itemP->i_resource.dest, &diskP->dest, destP);
}

bool write_item2(CVornFileWriter& f, CVornItem* itemP) {
    Vorn_Item_DISK_2 rec;
    // Reused from item to item: most trailers fit in what the previous ones left.
    static thread_local Vorn_LinkTrailers s_source, s_dest;
    if (!Xfer_mem2disk_Item2(itemP, &rec, &s_source, &s_dest)) return false;
    swap_item2(&rec);
    if (!f.Put(&rec, sizeof rec)) return false;
    if (itemP->i_b.rgnB()) {
        // The reader expects the polygon whenever the flag is set; a flag without a polygon
        // writes an empty one.
        _Vorn_RgnRec rgn{};
        if (itemP->i_rgnP) std::memcpy(&rgn, itemP->i_rgnP, sizeof rgn);
        swap_rgn(&rgn);
        if (!f.Put(&rgn, sizeof rgn)) return false;
    }
    return write_link2(f, s_source) && write_link2(f, s_dest);
}

bool Xfer_disk2mem_Item1(const XGSFontResource& fileFont, CVornItem* itemP, const Vorn_Item_DISK_1* item1P) {
    itemP->i_boundsR = Vorn_RectFromDisk(item1P->boundsR);
    itemP->i_b.SetWord(item1P->b);
    if (itemP->i_b.rgnB()) {
        itemP->CreateNewRgn();
        if (!itemP->i_rgnP) return false;
        for (int i = 0; i < 8; ++i) {
            itemP->i_rgnP->pts[i].v = item1P->rgn[2 * i];
            itemP->i_rgnP->pts[i].h = item1P->rgn[2 * i + 1];
        }
    }
    XGSFontResource font;
    font.size = fileFont.size;
    std::memcpy(font.name, fileFont.name, sizeof font.name);
    SetItemFont(itemP, font);
    return Xfer_disk2mem_Link1(&item1P->source, &itemP->i_resource.source) &&
           Xfer_disk2mem_Link1(&item1P->dest, &itemP->i_resource.dest);
}

bool Xfer_disk2mem_Item2(CVornFileReader& f, uint8 vers, int32 indexL, CVornItem* itemP,
                         const Vorn_Item_DISK_2* item2P) {
    itemP->i_b.SetWord(item2P->b);
    itemP->i_boundsR = Vorn_RectFromDisk(item2P->boundsR);
    XGSFontResource font;
    Vorn_FontFromDisk(item2P->font, &font);
    SetItemFont(itemP, font);
    if (itemP->i_b.rgnB()) {
        itemP->CreateNewRgn();
        if (!itemP->i_rgnP) return false;
        if (!f.Read(itemP->i_rgnP, sizeof(_Vorn_RgnRec))) return false;
        swap_rgn(itemP->i_rgnP);
    }
    if (!Xfer_disk2mem_Link2(f, &itemP->i_resource.source, &item2P->source)) return false;
    if (!Xfer_disk2mem_Link2(f, &itemP->i_resource.dest, &item2P->dest)) return false;
    // Version 4 boards kept their background picture as the first item without marking it.
    if (vers == 4 && indexL == 0) {
        const uint8 type = itemP->i_resource.source.content.type;
        if (type == LinkType_PICT_FILE || type == LinkType_PICT_URL) itemP->i_b.set_backgroundB(true);
    }
    return true;
}
