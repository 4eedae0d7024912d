#pragma once
// A preference store: one INI file per vendor, product and version under the user's
// configuration folder ($XDG_CONFIG_HOME/vendor/product/version.ini, or vendor/product.ini
// without a version). Every value is text: numbers in decimal, booleans "true" or "false".
//
// A store that cannot be read reads as its defaults, and writes are not checked, so an
// unwritable configuration folder costs the settings of the run and nothing else. Only a store
// that cannot even be named (no vendor or product, no configuration folder) raises
// XGYAAFPreferencesError.

#include "XGTypes.h"

#include <memory>
#include <string>

class QSettings;

namespace yaaf {

class XGPreferences {
public:
    static constexpr int kStringBufferSize = 256;

    XGPreferences(const char* vendor, const char* product, const char* version = nullptr);
    ~XGPreferences();
    XGPreferences(const XGPreferences&) = delete;
    XGPreferences& operator=(const XGPreferences&) = delete;

    // Reads into a buffer of kStringBufferSize characters. A missing value, or one that does
    // not fit with its terminating zero, gives the default (empty without one).
    void GetString(const char* key, char* buffer, const char* defaultText = nullptr) const;
    std::string GetString(const char* key, const char* defaultText = nullptr) const;
    int32 GetInteger(const char* key, int32 defaultValue) const;
    int16 GetShort(const char* key, int16 defaultValue) const;
    bool GetBoolean(const char* key, bool defaultValue) const;

    void SetString(const char* key, const char* text);
    void SetInteger(const char* key, int32 value);
    void SetShort(const char* key, int32 value); // cut to 16 bits first
    void SetBoolean(const char* key, bool value);
    void RemoveValue(const char* key);
    bool HasValue(const char* key) const;

    // Writes pending changes to the file now (the destructor does it too).
    void Sync();

    bool IsOpen() const { return fKey != nullptr; }
    const std::string& Path() const { return fPath; }

    // The file a store lives in; empty when no configuration folder is known.
    static std::string StorePath(const char* vendor, const char* product, const char* version);

    // The reading rules for stored text. Integers: empty gives the default; otherwise every
    // decimal digit anywhere forms the number, and a "-" anywhere negates it ("1a2" is 12,
    // "5-" is -5). Booleans: exactly "true" is true, other non-empty text false, empty the
    // default.
    static int32 ParseInteger(const std::string& text, int32 defaultValue);
    static bool ParseBoolean(const std::string& text, bool defaultValue);

private:
    bool ReadRaw(const char* key, std::string& out) const;
    void WriteRaw(const char* key, const std::string& text);

    std::unique_ptr<QSettings> fKey;
    std::string fPath;
};

} // namespace yaaf
