#include "VornErrors.h"

#include "XGAlert.h"
#include "XGResources.h"

#include <vector>

using namespace yaaf;

ErrorMessageText GetErrorMessage(int32 code) {
    ErrorMessageText result;
    const int32 id = int32(uint32(code) >> 16);
    const int index = int(uint32(code) & 0xFFFF);
    std::vector<uint8> data;
    if (index < 1 || id > 0x7FFF || !XGGetResource('EMsg', int16(id), data) || data.size() < 2) return result;
    const size_t count = (size_t(data[0]) << 8) | data[1];
    if (size_t(index) > count) return result;
    // Walk the length-prefixed pairs; a table cut short yields empty texts, never a read past it.
    size_t at = 2;
    auto readPString = [&](std::string& out) -> bool {
        if (at >= data.size()) return false;
        const size_t len = data[at];
        if (at + 1 + len > data.size()) return false;
        out.assign(reinterpret_cast<const char*>(data.data() + at + 1), len);
        at += 1 + len;
        return true;
    };
    for (int i = 1; i <= index; ++i) {
        std::string title, text;
        if (!readPString(title) || !readPString(text)) return ErrorMessageText{};
        if (i == index) {
            result.title = std::move(title);
            result.text = std::move(text);
        }
    }
    return result;
}

void ErrorV(int32 code, YFormatArgs args) {
    const ErrorMessageText message = GetErrorMessage(code);
    std::string title, text;
    vyformat(title, message.title.c_str(), args);
    vyformat(text, message.text.c_str(), args);
    Error(title.c_str(), text.c_str());
}

namespace {

void ShowOne(XGAlertKind kind, const char* title, const char* text) {
    XGAlertRequest request;
    request.kind = kind;
    request.title = title ? title : "";
    request.text = text ? text : "";
    XGShowAlert(request);
}

} // namespace

void Error(const char* title, const char* text) {
    ShowOne(XGAlertKind::kError, title, text);
}

void Warning(const char* title, const char* text) {
    ShowOne(XGAlertKind::kCaution, title, text);
}

void ReportErrorStr(int number, const char* text) {
    const std::string title = number == -1 ? std::string("Error:") : "Error: " + std::to_string(number);
    Error(title.c_str(), text);
}

int SaveAlert(const char* documentName) {
    XGAlertRequest request;
    request.kind = XGAlertKind::kCaution;
    request.title = "Save Changes?";
    // The name is put in as it stands: a "%" in a document name is not a directive.
    request.text = "Save changes to the document \"";
    request.text += documentName ? documentName : "";
    request.text += "\" before closing?";
    request.buttons = {{"Don't Save", 'D'}, {"Cancel", 0}, {"Save", 'S'}};
    request.defaultIndex = 2;
    request.cancelIndex = 1;
    switch (XGShowAlert(request)) {
    case 0:
        return SaveAlert_DONT_SAVE;
    case 2:
        return SaveAlert_SAVE;
    default:
        return SaveAlert_CANCEL;
    }
}
