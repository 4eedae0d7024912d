#include "VornImport.h"

#include <cstring>

namespace {

const GSpec kSpecs[Vorn_Import_NUMTYPES - 1] = {
    {"Save Folder", "Folders|*.*", "", "Open Folder", "Folders|*.*", ""},
    {"Vorn Document", "Vorn Documents (*.2dv)|*.2dv", "2dv", "Open Vorn Document", "Vorn Documents|*.2dv", "2dv"},
    {"Save Text (CR) Document", "Text Documents|*.txt", "txt", "Open Text (CR) Document", "Text Documents|*.txt",
     "txt"},
    {"Save Text Document", "Text Documents|*.txt", "txt", "Open Text Document", "Text Documents|*.txt", "txt"},
    {"Save Text Flower Document", "Text Documents|*.txt", "txt", "Open Text (Flowers) Document",
     "Text Documents|*.txt", "txt"},
    {"Save HTS Document", "HTS Documents|*.db", "db", "Open HTS Document", "HTS Documents|*.db", "db"},
    {"Save HTML Document", "HTML Documents|*.htm;*.html", "htm", "Open HTML Document",
     "HTML Documents|*.htm;*.html", "htm"},
    {"Save RTF Document", "RTF Documents|*.rtf", "rtf", "Open RTF Document", "RTF Documents|*.rtf", "rtf"},
    {"Save PDF Document", "PDF Documents|*.pdf", "pdf", "Open PDF Document", "PDF Documents|*.pdf", "pdf"},
    {"Save PICT Document", "BMP Files|*.bmp", "bmp", "Open Picture Document",
     "Picture Files|*.pct;*.jpg;*.png;*.ico;*.bmp", "pct"},
};

struct CmdType {
    yaaf::int32 cmd;
    Vorn_ImportType type;
    const char* title;
};

const CmdType kCommands[] = {
    {kVornCmd_ImportFolder, Vorn_Import_FILE_SYSTEM, "Import Folder"},
    {kVornCmd_ImportVorn, Vorn_Import_VORN, "Import Vorn"},
    {kVornCmd_ImportTextCR, Vorn_Import_CR, "Import Text (CR)"},
    {kVornCmd_ImportText, Vorn_Import_TEXT, "Import Text"},
    {kVornCmd_ImportFlowers, Vorn_Import_FLOWERS, "Import Text (Flowers)"},
    {kVornCmd_ImportHTS, Vorn_Import_HTS, "Import HTS"},
    {kVornCmd_ImportHTML, Vorn_Import_HTML, "Import HTML"},
    {kVornCmd_ImportRTF, Vorn_Import_RTF, "Import RTF"},
    {kVornCmd_ImportPDF, Vorn_Import_PDF, "Import PDF"},
    {kVornCmd_ImportPicture, Vorn_Import_PICT, "Import picture"},
};

} // namespace

Vorn_ImportType Import_CmdToType(yaaf::int32 cmd, char* titleZ) {
    for (const CmdType& c : kCommands) {
        if (c.cmd != cmd) continue;
        if (titleZ) std::strcpy(titleZ, c.title);
        return c.type;
    }
    return Vorn_Import_NONE;
}

bool Import_HasReader(Vorn_ImportType type) {
    switch (type) {
    case Vorn_Import_FILE_SYSTEM:
    case Vorn_Import_VORN:
    case Vorn_Import_CR:
    case Vorn_Import_TEXT:
    case Vorn_Import_FLOWERS:
    case Vorn_Import_HTS:
    case Vorn_Import_PICT:
        return true;
    default:
        return false;
    }
}

const GSpec& GetImportSpecification(Vorn_ImportType type) {
    if (type < Vorn_Import_FILE_SYSTEM || type >= Vorn_Import_NUMTYPES) return GetDocSpecification();
    return kSpecs[type - 1];
}

const GSpec& GetDocSpecification() {
    return kSpecs[Vorn_Import_VORN - 1];
}

std::string ImportFilterForDialog(const char* filter) {
    const std::string f = filter ? filter : "";
    const size_t bar = f.find('|');
    if (bar == std::string::npos) return f;
    std::string name = f.substr(0, bar);
    std::string patterns = f.substr(bar + 1);
    for (char& c : patterns)
        if (c == ';') c = ' ';
    // A name that already lists its patterns keeps them once.
    if (name.find('(') != std::string::npos) return name;
    return name + " (" + patterns + ")";
}

Vorn_ImportType ImportTypeFromName(const std::string& name) {
    static const struct {
        const char* name;
        Vorn_ImportType type;
    } kNames[] = {
        {"folder", Vorn_Import_FILE_SYSTEM}, {"board", Vorn_Import_VORN}, {"words", Vorn_Import_TEXT},
        {"phrases", Vorn_Import_CR},         {"flowers", Vorn_Import_FLOWERS}, {"hts", Vorn_Import_HTS},
        {"picture", Vorn_Import_PICT},
    };
    for (const auto& n : kNames)
        if (name == n.name) return n.type;
    return Vorn_Import_NONE;
}
