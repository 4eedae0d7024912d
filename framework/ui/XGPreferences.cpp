#include "XGPreferences.h"

#include "XGExceptions.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <cstring>

namespace yaaf {

std::string XGPreferences::StorePath(const char* vendor, const char* product, const char* version) {
    if (!vendor || !*vendor || !product || !*product) return {};
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) return {};
    QString path =
        base + QLatin1Char('/') + QString::fromUtf8(vendor) + QLatin1Char('/') + QString::fromUtf8(product);
    if (version && *version) path += QLatin1Char('/') + QString::fromUtf8(version);
    path += QStringLiteral(".ini");
    return path.toStdString();
}

XGPreferences::XGPreferences(const char* vendor, const char* product, const char* version) {
    fPath = StorePath(vendor, product, version);
    if (fPath.empty()) throw XGYAAFPreferencesError("XGPreferences: Unable to create registry key");
    fKey = std::make_unique<QSettings>(QString::fromStdString(fPath), QSettings::IniFormat);
}

XGPreferences::~XGPreferences() {
    if (fKey) fKey->sync();
}

void XGPreferences::Sync() {
    if (fKey) fKey->sync();
}

bool XGPreferences::ReadRaw(const char* key, std::string& out) const {
    out.clear();
    if (!fKey || !key || !*key) return false;
    const QVariant v = fKey->value(QString::fromUtf8(key));
    if (!v.isValid()) return false;
    // A hand-edited value with an unquoted comma comes back as a list; take the text as written.
    if (v.typeId() == QMetaType::QStringList)
        out = v.toStringList().join(QLatin1Char(',')).toStdString();
    else if (v.canConvert<QString>())
        out = v.toString().toStdString();
    else
        return false;
    return true;
}

void XGPreferences::WriteRaw(const char* key, const std::string& text) {
    if (!fKey || !key || !*key) return;
    fKey->setValue(QString::fromUtf8(key), QString::fromStdString(text));
}

void XGPreferences::GetString(const char* key, char* buffer, const char* defaultText) const {
    if (!buffer) return;
    std::string value;
    if (!ReadRaw(key, value) || value.size() >= size_t(kStringBufferSize)) {
        value = defaultText ? defaultText : "";
        if (value.size() >= size_t(kStringBufferSize)) value.resize(kStringBufferSize - 1);
    }
    std::memcpy(buffer, value.c_str(), value.size() + 1);
}

std::string XGPreferences::GetString(const char* key, const char* defaultText) const {
    char buffer[kStringBufferSize];
    GetString(key, buffer, defaultText);
    return buffer;
}

int32 XGPreferences::ParseInteger(const std::string& text, int32 defaultValue) {
    if (text.empty()) return defaultValue;
    // Unsigned arithmetic: an overlong run of digits wraps instead of overflowing.
    uint32 number = 0;
    bool negative = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            number = number * 10u + uint32(c - '0');
        else if (c == '-')
            negative = true;
    }
    if (negative) number = 0u - number;
    return int32(number);
}

bool XGPreferences::ParseBoolean(const std::string& text, bool defaultValue) {
    if (text.empty()) return defaultValue;
    return text == "true";
}

int32 XGPreferences::GetInteger(const char* key, int32 defaultValue) const {
    std::string text;
    if (!ReadRaw(key, text)) return defaultValue;
    return ParseInteger(text, defaultValue);
}

int16 XGPreferences::GetShort(const char* key, int16 defaultValue) const {
    return int16(uint16(uint32(GetInteger(key, defaultValue))));
}

bool XGPreferences::GetBoolean(const char* key, bool defaultValue) const {
    std::string text;
    if (!ReadRaw(key, text)) return defaultValue;
    return ParseBoolean(text, defaultValue);
}

void XGPreferences::SetString(const char* key, const char* text) {
    WriteRaw(key, text ? text : "");
}

void XGPreferences::SetInteger(const char* key, int32 value) {
    WriteRaw(key, std::to_string(value));
}

void XGPreferences::SetShort(const char* key, int32 value) {
    SetInteger(key, int16(uint16(uint32(value))));
}

void XGPreferences::SetBoolean(const char* key, bool value) {
    WriteRaw(key, value ? "true" : "false");
}

void XGPreferences::RemoveValue(const char* key) {
    if (fKey && key && *key) fKey->remove(QString::fromUtf8(key));
}

bool XGPreferences::HasValue(const char* key) const {
    return fKey && key && *key && fKey->contains(QString::fromUtf8(key));
}

} // namespace yaaf
