#pragma once
// The board file (".2dv"): one version byte, one preferences record, then per item a fixed
// record, its polygon when it has one, and the trailers of its two links. Numbers are
// big-endian, except the flag words (kept in little-endian memory order) and the scroll values
// of the window records, whose mixed order comes from swapping only the first six 16-bit units
// of each window record. The records below are built in memory order and then swapped in place
// by the swap_ routines, as the format was first written.
//
// Versions 0 to 2 use the older, larger records and are converted on reading; versions 3 to 5
// share the present records. The writer always writes version 5.

#include "VornItemTypes.h"
#include "VornPrefsTypes.h"
#include "XGFile.h"
#include "XGTypes.h"

#include <bit>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CVornItem;

static_assert(std::endian::native == std::endian::little,
              "the board file keeps its flag words in little-endian memory order");

// The version this program writes (the file's first byte).
constexpr yaaf::uint8 kVornFileVersion = 5;
constexpr yaaf::uint8 kVornFileVersion_LastOld = 2; // versions 0-2 use the old records
constexpr const char* kVornFileExtension = "2dv";
// The file type codes that open as boards: board files and folders.
constexpr yaaf::OSType kVornFileType = '2dv ';
constexpr yaaf::OSType kVornFolderType = 'fldr';
bool Vorn_IsBoardFileType(yaaf::OSType type);

#pragma pack(push, 1)

// top, left, bottom, right.
struct Rect_DISK {
    yaaf::int16 top;
    yaaf::int16 left;
    yaaf::int16 bottom;
    yaaf::int16 right;
};

struct XGSFontResource_DISK {
    yaaf::int16 size;
    yaaf::int16 fBold;
    yaaf::int16 fItalic;
    yaaf::int16 fUnderline;
    yaaf::int16 fFixed;
    yaaf::int16 fSerif;
    char name[64];
};

struct Vorn_WindowModelRec_DISK {
    Rect_DISK posR;
    yaaf::uint32 h_scroll;
    yaaf::uint32 v_scroll;
};

struct Vorn_PrefsRec_DISK_2 {
    yaaf::uint16 b_flags; // Vorn_PrefBoolsRec: the flag word, then unused2
    yaaf::uint16 b_unused2;
    yaaf::int16 num_columnsS;
    yaaf::uint8 mode;
    XGSFontResource_DISK font;
    yaaf::int16 array_sizeS;
    Vorn_WindowModelRec_DISK wind_go;
    Vorn_WindowModelRec_DISK wind_edit;
    Vorn_WindowModelRec_DISK wind_gen;
    yaaf::uint8 view_as;
    yaaf::uint8 sort_by;
    yaaf::uint16 unused1;
    yaaf::uint8 extraL[124];
};

// Calendar fields of a link's date, in memory order: swapping the four 16-bit units gives the
// file's order month, day, year (big-endian), hour, day of week, second, minute.
struct Vorn_DateRec_DISK {
    yaaf::uint8 day;
    yaaf::uint8 month;
    yaaf::uint16 year;
    yaaf::uint8 dayOfWeek;
    yaaf::uint8 hour;
    yaaf::uint8 minute;
    yaaf::uint8 second;
};

struct Vorn_LinkContent_DISK_2 {
    yaaf::uint8 type;
    yaaf::uint8 extra1[3];
    Rect_DISK origR;
    yaaf::int32 path_lenS;
    yaaf::int32 mac_lenS;
    yaaf::int32 win_lenS;
    yaaf::uint8 extra[64];
};

struct Vorn_LinkRef_DISK_2 {
    Vorn_DateRec_DISK date;
    Vorn_LinkContent_DISK_2 content;
};

struct Vorn_Item_DISK_2 {
    yaaf::uint32 b; // Vorn_ItemBoolsRec_DISK
    Rect_DISK boundsR;
    XGSFontResource_DISK font;
    Vorn_LinkRef_DISK_2 source;
    Vorn_LinkRef_DISK_2 dest;
    yaaf::uint8 unused[32];
};

struct Vorn_PrefsRec_DISK_1 {
    yaaf::uint8 mode;
    yaaf::int16 array_sizeS;
    yaaf::uint32 b;
    Rect_DISK edit_window_posR;
    yaaf::int16 h_scroll;
    yaaf::int16 v_scroll;
    yaaf::int16 num_columnsS;
    yaaf::int16 font_sizeS;
    Rect_DISK go_window_posR;
    Rect_DISK new_text_window_posR;
    yaaf::uint8 extraL[104];
};

struct Vorn_DateRec_DISK_1 {
    yaaf::int16 year;
    yaaf::int16 month;
    yaaf::int16 day;
    yaaf::int16 hour;
    yaaf::int16 minute;
    yaaf::int16 second;
    yaaf::int16 dayOfWeek;
};

struct Vorn_LinkContent_DISK_1 {
    yaaf::uint8 type;
    yaaf::uint8 extra1[7];
    Rect_DISK origR;
    yaaf::uint8 extra[64];
    // Text types: a NUL-terminated string. File types: vRefNum (2), parID (4), then the name as
    // a length byte and its characters.
    yaaf::uint8 u[262];
    yaaf::uint8 extra3[2];
};

struct Vorn_LinkRef_DISK_1 {
    yaaf::uint32 user_id;
    Vorn_DateRec_DISK_1 date;
    yaaf::uint8 extra1[2];
    Vorn_LinkContent_DISK_1 content;
};

struct Vorn_Item_DISK_1 {
    Rect_DISK boundsR;
    yaaf::uint32 b;
    yaaf::int16 rgn[16]; // 8 points, v then h
    yaaf::uint8 unused[32];
    Vorn_LinkRef_DISK_1 source;
    Vorn_LinkRef_DISK_1 dest;
};

#pragma pack(pop)

static_assert(sizeof(Rect_DISK) == 8);
static_assert(sizeof(XGSFontResource_DISK) == 76);
static_assert(sizeof(Vorn_WindowModelRec_DISK) == 16);
static_assert(sizeof(Vorn_PrefsRec_DISK_2) == 261);
static_assert(offsetof(Vorn_PrefsRec_DISK_2, array_sizeS) == 83);
static_assert(offsetof(Vorn_PrefsRec_DISK_2, wind_gen) == 117);
static_assert(offsetof(Vorn_PrefsRec_DISK_2, extraL) == 137);
static_assert(sizeof(Vorn_DateRec_DISK) == 8);
static_assert(sizeof(Vorn_LinkRef_DISK_2) == 96);
static_assert(sizeof(Vorn_Item_DISK_2) == 312);
static_assert(offsetof(Vorn_Item_DISK_2, dest) == 184);
static_assert(sizeof(Vorn_PrefsRec_DISK_1) == 143);
static_assert(sizeof(Vorn_LinkRef_DISK_1) == 364);
static_assert(sizeof(Vorn_Item_DISK_1) == 804);
static_assert(offsetof(Vorn_Item_DISK_1, dest) == 440);

constexpr yaaf::int32 kVornFilePrefsSize = 1 + int(sizeof(Vorn_PrefsRec_DISK_2)); // 262

// Reads a board file held in memory. Every read is checked against what is left, so that no
// length or count in a damaged file can lead past its end or to an allocation larger than it.
class CVornFileReader {
public:
    CVornFileReader(const yaaf::uint8* data, size_t size) : i_dataP(data), i_sizeL(size) {}

    size_t Remaining() const { return i_sizeL - i_posL; }
    // False, and nothing consumed, when fewer than n bytes are left.
    bool Read(void* outP, size_t n);
    bool Skip(size_t n);
    // The next n bytes in place (consumed), or null when fewer are left.
    const yaaf::uint8* Take(size_t n);

private:
    const yaaf::uint8* i_dataP;
    size_t i_sizeL;
    size_t i_posL = 0;
};

// Collects the file in memory and hands it to the stream in large pieces. After the first
// short write every further call answers false.
class CVornFileWriter {
public:
    explicit CVornFileWriter(yaaf::XGFileStream& f) : i_f(f) { i_bufA.reserve(kChunk); }

    bool Put(const void* dataP, size_t n);
    bool Flush();
    bool IsOK() const { return i_okB; }

private:
    static constexpr size_t kChunk = 256 * 1024;
    yaaf::XGFileStream& i_f;
    std::vector<char> i_bufA;
    bool i_okB = true;
};

// A stream over bytes in memory: for reading a board held in memory and for writing one into
// memory (clipboard, tests, fuzzing).
class CVornMemoryStream : public yaaf::XGFileStream {
public:
    CVornMemoryStream() = default;
    CVornMemoryStream(const void* dataP, size_t size)
        : i_dataA(static_cast<const yaaf::uint8*>(dataP), static_cast<const yaaf::uint8*>(dataP) + size) {}

    const std::vector<yaaf::uint8>& Data() const { return i_dataA; }

    yaaf::int16 SetFilePos(yaaf::int64 pos) override;
    yaaf::int64 GetFilePos() override { return yaaf::int64(i_posL); }
    yaaf::int64 GetLength() override { return yaaf::int64(i_dataA.size()); }
    yaaf::int16 SetEOF(yaaf::int64 length) override;

protected:
    yaaf::int32 DoRead(yaaf::int32 count, void* buffer) override;
    yaaf::int32 DoWrite(yaaf::int32 count, const void* buffer) override;

private:
    std::vector<yaaf::uint8> i_dataA;
    size_t i_posL = 0;
};

// A whole file in memory.
struct CVornFileBytes {
    std::unique_ptr<yaaf::uint8[]> dataP;
    size_t size = 0;
};
// Reads the whole stream from its start. False on a stream error or a stream over 2 GB.
bool VornFile_LoadStream(yaaf::XGFileStream& f, CVornFileBytes& bytes);

// Reading a board starts loading its pictures. Tools and fuzzers that only look at the file
// turn that off.
void VornFile_SetLoadPicturesOnRead(bool loadB);
bool VornFile_GetLoadPicturesOnRead();

// Byte order: each swaps the big-endian units of its record in place (and back again).
void swap_prefs1(Vorn_PrefsRec_DISK_1* recP);
void swap_prefs2(Vorn_PrefsRec_DISK_2* recP);
void swap_item1(Vorn_Item_DISK_1* recP);
void swap_item2(Vorn_Item_DISK_2* recP);
void swap_link1(Vorn_LinkRef_DISK_1* recP);
void swap_link2(Vorn_LinkRef_DISK_2* recP);
void swap_rgn(_Vorn_RgnRec* rgnP);

// Field conversions (memory order on the disk side).
void Vorn_RectToDisk(const yaaf::tagRECT& r, Rect_DISK* diskP);
yaaf::tagRECT Vorn_RectFromDisk(const Rect_DISK& disk);
void Vorn_FontToDisk(const yaaf::XGSFontResource& font, XGSFontResource_DISK* diskP);
void Vorn_FontFromDisk(const XGSFontResource_DISK& disk, yaaf::XGSFontResource* fontP);
// A zero date (or one whose year does not fit) is stored as eight zero bytes, and a record
// without a valid date reads as a zero date.
void Vorn_DateToDisk(const yaaf::XGDateTime& date, Vorn_DateRec_DISK* diskP);
yaaf::XGDateTime Vorn_DateFromDisk(const Vorn_DateRec_DISK& disk);

// Record converters. The items given to the disk2mem converters are new ones (fresh from the
// constructor, without board font).
bool Xfer_mem2disk_Prefs2(const Vorn_PrefsRec& prefs, Vorn_PrefsRec_DISK_2* diskP);
bool Xfer_disk2mem_Prefs1(const Vorn_PrefsRec_DISK_1* diskP, Vorn_PrefsRec* prefsP);
bool Xfer_disk2mem_Prefs2(yaaf::uint8 vers, const Vorn_PrefsRec_DISK_2* diskP, Vorn_PrefsRec* prefsP);
// The trailers of a link: the path trailer and the third trailer (either may be empty).
struct Vorn_LinkTrailers {
    std::string path;
    std::string win;
};
bool Xfer_mem2disk_Link2(const Vorn_LinkRef& link, Vorn_LinkRef_DISK_2* diskP, Vorn_LinkTrailers* trailersP);
bool Xfer_mem2disk_Item2(CVornItem* itemP, Vorn_Item_DISK_2* diskP, Vorn_LinkTrailers* sourceP,
                         Vorn_LinkTrailers* destP);
bool Xfer_disk2mem_Link1(const Vorn_LinkRef_DISK_1* diskP, Vorn_LinkRef* linkP);
bool Xfer_disk2mem_Link2(CVornFileReader& f, Vorn_LinkRef* linkP, const Vorn_LinkRef_DISK_2* link2P);
// Old items carry no font of their own: they take the board's font size and name (fileFont).
bool Xfer_disk2mem_Item1(const yaaf::XGSFontResource& fileFont, CVornItem* itemP,
                         const Vorn_Item_DISK_1* item1P);
bool Xfer_disk2mem_Item2(CVornFileReader& f, yaaf::uint8 vers, yaaf::int32 indexL, CVornItem* itemP,
                         const Vorn_Item_DISK_2* item2P);

// Writers.
bool write_prefs2(CVornFileWriter& f, const Vorn_PrefsRec& prefs);
bool write_link2(CVornFileWriter& f, const Vorn_LinkTrailers& trailers);
bool write_item2(CVornFileWriter& f, CVornItem* itemP);
