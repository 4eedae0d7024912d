#pragma once
// The import types as the menus offer them, and the file-type table of their dialogs (also used
// for the board file itself and for the picture chooser).

#include "VornImportType.h"
#include "XGTypes.h"

#include <string>
#include <vector>

// One record of the file-type table: a filter is a display name and a pattern list separated by
// "|", the patterns separated by ";".
struct GSpec {
    const char* saveTitle;
    const char* saveFilter;
    const char* saveExtension;
    const char* openTitle;
    const char* openFilter;
    const char* openExtension;
};

// Import commands of the File menu's Import submenu.
enum : yaaf::int32 {
    kVornCmd_ImportFolder = 91,
    kVornCmd_ImportVorn = 92,
    kVornCmd_ImportTextCR = 93,
    kVornCmd_ImportText = 94,
    kVornCmd_ImportFlowers = 95,
    kVornCmd_ImportHTS = 96,
    kVornCmd_ImportHTML = 97,
    kVornCmd_ImportRTF = 98,
    kVornCmd_ImportXML = 99,
    kVornCmd_ImportPDF = 100,
    kVornCmd_ImportPicture = 101,
};

// The type of an import command; copies the open dialog's title into titleZ (at least 64 bytes)
// for the types 1 to 10 and leaves it untouched for any other command (type 0).
Vorn_ImportType Import_CmdToType(yaaf::int32 cmd, char* titleZ);
// True for the types that have a reader.
bool Import_HasReader(Vorn_ImportType type);

// The record of types 1 to 10; the board file's record (type 2) for any other value.
const GSpec& GetImportSpecification(Vorn_ImportType type);
const GSpec& GetDocSpecification();

// A table filter ("Name|*.a;*.b") as the desktop's file dialogs write it ("Name (*.a *.b)").
std::string ImportFilterForDialog(const char* filter);

// The type of an import named on the command line (folder, board, words, phrases, flowers,
// hts, picture); Vorn_Import_NONE for any other name.
Vorn_ImportType ImportTypeFromName(const std::string& name);
