#pragma once
// Files a test writes and reads back whole.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace vorntest {

// Replaces the file at path with bytes; false when it cannot be written in full.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The file's bytes, or none when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace vorntest
