#include "Utilities.h"

#include "XGSpeech.h"

#include <cstring>

using yaaf::int16;
using yaaf::uint16;
using yaaf::uint32;

const char* const g_url_list[] = {"http:", "ftp:", "mailto:", "finger:", "https:", nullptr};

const char* const g_pic_list[] = {".pic",  ".pict", ".gif", ".ico", ".jpg", ".jpeg",
                                  ".qtif", ".qtf",  ".qti", ".png", ".tga", ".tiff",
                                  ".pdf",  ".fpx",  ".psd", ".bmp", ".pct", nullptr};

bool StringIsURL(const char* text) {
    if (!text) return false;
    for (const char* const* prefix = g_url_list; *prefix; ++prefix)
        if (std::strncmp(text, *prefix, std::strlen(*prefix)) == 0) return true;
    return false;
}

bool URLStringIsPic(const char* text) {
    if (!text) return false;
    const char* dot = std::strrchr(text, '.');
    if (!dot) return false;
    const size_t len = std::strlen(dot);
    if (len >= 6) return false;
    char ending[8];
    strlower(ending, dot);
    for (const char* const* pic = g_pic_list; *pic; ++pic)
        if (std::strncmp(ending, *pic, std::strlen(*pic)) == 0) return true;
    return false;
}

unsigned char* cvtc2p(unsigned char* out, const char* text) {
    size_t len = text ? std::strlen(text) : 0;
    if (len > 255) len = 255;
    if (len) std::memmove(out + 1, text, len);
    out[0] = (unsigned char)len;
    return out;
}

char* cvtp2c(char* out, const unsigned char* text) {
    const size_t len = text ? text[0] : 0;
    if (len) std::memmove(out, text + 1, len);
    out[len] = 0;
    return out;
}

char* nstrcpy(char* out, const char* text, size_t size) {
    if (!out || size == 0) return out;
    size_t len = 0;
    if (text)
        while (len < size - 1 && text[len])
            ++len;
    if (len) std::memmove(out, text, len);
    out[len] = 0;
    return out;
}

char* strlower(char* out, const char* text) {
    if (!text) {
        out[0] = 0;
        return out;
    }
    size_t i = 0;
    for (; text[i]; ++i) {
        const char c = text[i];
        out[i] = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    out[i] = 0;
    return out;
}

uint16 SwapWord(uint16 value) {
    return uint16((value >> 8) | (value << 8));
}

uint32 SwapLong(uint32 value) {
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
}

int16 ResolveFileSpec(yaaf::XGFileSpecifier& fileSpec, const yaaf::XGFileSpecifier& baseSpec) {
    if (fileSpec.Exists()) return 0;
    const std::string name = fileSpec.GetName();
    const yaaf::XGFileSpecifier folder = baseSpec.GetFolder();
    // Without a name or a folder to look in there is nothing to find (and an empty name would
    // name the folder itself).
    if (name.empty() || name == "." || name == ".." || folder.IsEmpty()) return 3;
    fileSpec = folder.GetChild(name);
    return fileSpec.Exists() ? 0 : 3;
}

void SpeakCString(const char* text) {
    yaaf::XGSpeech::Get().Say(text);
}

void Idle_DisposeSpeechChannel() {
    yaaf::XGSpeech::Get().Idle();
}
