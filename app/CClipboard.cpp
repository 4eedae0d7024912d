#include "CClipboard.h"

#include "XGClipboard.h"

#include <cstdio>
#include <new>

using namespace yaaf;

CClipboard* gClipboard = nullptr;

CClipboard::CClipboard() : i_boardP(std::make_unique<XGClipboard>()) {}

CClipboard::~CClipboard() {
    Purge();
}

std::string CClipboard::FlavorName(FourCharCode flavor) {
    char name[16];
    std::snprintf(name, sizeof name, "0x%lX", static_cast<unsigned long>(flavor));
    return name;
}

std::string CClipboard::TextToClip(const char* bytes, size_t length) {
    std::string out;
    out.reserve(length + length / 8 + 1);
    for (size_t i = 0; i < length && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            out.push_back(c);
            continue;
        }
        out.append("\r\n");
        // CR LF and LF CR are one line end each.
        const char other = c == '\r' ? '\n' : '\r';
        if (i + 1 < length && bytes[i + 1] == other) ++i;
    }
    out.push_back('\0');
    return out;
}

std::string CClipboard::TextFromClip(const char* bytes, size_t length) {
    std::string out;
    out.reserve(length);
    for (size_t i = 0; i < length && bytes[i] != '\0'; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            out.push_back(c);
            continue;
        }
        out.push_back('\n');
        const char other = c == '\r' ? '\n' : '\r';
        if (i + 1 < length && bytes[i + 1] == other) ++i;
    }
    return out;
}

void CClipboard::Open() {
    i_boardP->Open();
}

void CClipboard::Close() {
    i_boardP->Close();
}

void CClipboard::AddFlavor(FourCharCode flavor, XGHandle* handleP) {
    const char* data = handleP ? handleP->GetData() : nullptr;
    const size_t size = handleP && data ? size_t(handleP->GetSize()) : 0;
    std::string block;
    if (flavor == kFlavor_TEXT) {
        block = TextToClip(data ? data : "", size);
        i_clipA.emplace_back(flavor, block.size());
        block.pop_back(); // the system's text carries its length instead of the zero byte
        i_boardP->AddText(block);
    } else {
        block.assign(data ? data : "", size);
        i_clipA.emplace_back(flavor, block.size());
        i_boardP->AddData(FlavorName(flavor), block);
    }
}

bool CClipboard::FindFlavor(FourCharCode flavor) {
    return flavor == kFlavor_TEXT ? XGClipboard::HasText() : XGClipboard::HasData(FlavorName(flavor));
}

bool CClipboard::FindFlavor(FourCharCode flavor, XGHandle* handleP) {
    std::string bytes;
    bool found;
    if (flavor == kFlavor_TEXT) {
        found = XGClipboard::GetText(bytes);
        if (found) bytes = TextFromClip(bytes.data(), bytes.size());
    } else {
        found = XGClipboard::GetData(FlavorName(flavor), bytes);
    }
    if (!handleP) return found;
    if (!found) {
        handleP->SetSize(0);
        return false;
    }
    if (bytes.size() > size_t(INT32_MAX) || !handleP->SetData(bytes.data(), int32(bytes.size())))
        throw std::bad_alloc();
    return true;
}

void CClipboard::Purge() {
    i_clipA.clear();
}
