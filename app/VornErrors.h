#pragma once
// The dialogs that report errors, and the question before closing a changed document.
// Numbered messages live in the "EMsg" resources: a code is resource id * 65536 + index.

#include "XGFormat.h"
#include "XGTypes.h"

#include <string>

struct ErrorMessageText {
    std::string title;
    std::string text;
};

// The raw title and text of message `code`; both empty when the resource or index is missing.
ErrorMessageText GetErrorMessage(yaaf::int32 code);

void ErrorV(yaaf::int32 code, yaaf::YFormatArgs args);

// Shows message `code` with the arguments put into its "#" directives.
template <class... A> void Error(yaaf::int32 code, const A&... args) {
    if constexpr (sizeof...(A) == 0) {
        ErrorV(code, yaaf::YFormatArgs{});
    } else {
        const yaaf::YFormatArg list[] = {yaaf::YFormatArg(args)...};
        ErrorV(code, yaaf::YFormatArgs{list, sizeof...(A)});
    }
}

void Error(const char* title, const char* text);
void Warning(const char* title, const char* text);
// Titled "Error:" for number -1, else "Error: <number>".
void ReportErrorStr(int number, const char* text);

// The codes of the file messages of resource 128.
constexpr yaaf::int32 kErr_OpenFile = 0x800001;
constexpr yaaf::int32 kErr_ReadFile = 0x800002;
constexpr yaaf::int32 kErr_WriteFile = 0x800003;
constexpr yaaf::int32 kErr_CreateFile = 0x800004;
constexpr yaaf::int32 kErr_FileMissing = 0x800005;
constexpr yaaf::int32 kErr_FileExists = 0x800006;

enum SaveAlertAnswer { SaveAlert_SAVE = 1, SaveAlert_CANCEL = 2, SaveAlert_DONT_SAVE = 4 };

// "Save Changes?": answers SaveAlert_SAVE, SaveAlert_CANCEL or SaveAlert_DONT_SAVE.
int SaveAlert(const char* documentName);
