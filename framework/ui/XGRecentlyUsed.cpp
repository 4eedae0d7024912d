#include "XGRecentlyUsed.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace yaaf {

namespace {

constexpr const char* kBookmarkNamespace = "http://www.freedesktop.org/standards/desktop-bookmarks";
constexpr const char* kMimeNamespace = "http://www.freedesktop.org/standards/shared-mime-info";
constexpr const char* kFreedesktopOwner = "http://freedesktop.org";

// The desktop's readers match the prefixed names literally rather than by namespace, so the
// file is copied with its names as written and ours are written with the usual prefixes.
constexpr const char* kEmptyList =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n>\n"
    "</xbel>\n";

struct Update {
    const XGRecentlyUsedEntry& entry;
    QString href;
    QString now;
};

void WriteApplication(QXmlStreamWriter& w, const Update& u, int count) {
    w.writeEmptyElement("bookmark:application");
    w.writeAttribute("name", QString::fromStdString(u.entry.appName));
    w.writeAttribute("exec", "'" + QString::fromStdString(u.entry.appExec) + "'");
    w.writeAttribute("modified", u.now);
    w.writeAttribute("count", QString::number(count));
}

void WriteApplications(QXmlStreamWriter& w, const Update& u) {
    w.writeStartElement("bookmark:applications");
    WriteApplication(w, u, 1);
    w.writeEndElement();
}

void WriteBookmark(QXmlStreamWriter& w, const Update& u) {
    w.writeStartElement("bookmark");
    w.writeAttribute("href", u.href);
    w.writeAttribute("added", u.now);
    w.writeAttribute("modified", u.now);
    w.writeAttribute("visited", u.now);
    w.writeStartElement("info");
    w.writeStartElement("metadata");
    w.writeAttribute("owner", kFreedesktopOwner);
    w.writeEmptyElement("mime:mime-type");
    w.writeAttribute("type", QString::fromStdString(u.entry.mimeType));
    WriteApplications(w, u);
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
}

// The writer's own copy would drop the prefixes, which namespace processing (off) keeps only
// in the qualified names.
void CopyStartElement(const QXmlStreamReader& r, QXmlStreamWriter& w) {
    w.writeStartElement(r.qualifiedName().toString());
    w.writeAttributes(r.attributes());
}

// Copies the bookmark file, with the entry's bookmark marked used again (or added at the end).
// Answers false, with `out` unusable, for text that is not a well-formed bookmark file.
bool Rewrite(const QByteArray& in, const Update& u, QByteArray& out) {
    QXmlStreamReader r(in);
    r.setNamespaceProcessing(false);
    QXmlStreamWriter w(&out);
    int depth = 0;
    bool inTarget = false, found = false, sawApplications = false, inOwnMetadata = false;
    int skipDepth = 0; // inside our own old application record
    int oldCount = 0;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::Invalid) break;
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (skipDepth) continue;
            const QStringView name = r.qualifiedName();
            const QXmlStreamAttributes attrs = r.attributes();
            if (depth == 1) {
                if (name != QLatin1String("xbel")) return false;
                CopyStartElement(r, w);
                if (!attrs.hasAttribute("xmlns:bookmark"))
                    w.writeAttribute("xmlns:bookmark", kBookmarkNamespace);
                if (!attrs.hasAttribute("xmlns:mime")) w.writeAttribute("xmlns:mime", kMimeNamespace);
                continue;
            }
            if (depth == 2 && name == QLatin1String("bookmark") && !found && attrs.value("href") == u.href) {
                inTarget = true;
                w.writeStartElement("bookmark");
                for (const QXmlStreamAttribute& a : attrs) {
                    const QStringView key = a.qualifiedName();
                    if (key != QLatin1String("modified") && key != QLatin1String("visited"))
                        w.writeAttribute(a);
                }
                w.writeAttribute("modified", u.now);
                w.writeAttribute("visited", u.now);
                continue;
            }
            if (inTarget && name == QLatin1String("metadata"))
                inOwnMetadata = attrs.value("owner") == QLatin1String(kFreedesktopOwner);
            if (inTarget && name == QLatin1String("bookmark:applications")) sawApplications = true;
            if (inTarget && name == QLatin1String("bookmark:application") &&
                attrs.value("name") == QString::fromStdString(u.entry.appName)) {
                oldCount = attrs.value("count").toInt();
                skipDepth = depth;
                continue;
            }
            CopyStartElement(r, w);
            continue;
        }
        if (token == QXmlStreamReader::EndElement) {
            const int closing = depth--;
            if (skipDepth) {
                if (closing == skipDepth) skipDepth = 0;
                continue;
            }
            const QStringView name = r.qualifiedName();
            if (inTarget && name == QLatin1String("bookmark:applications")) {
                WriteApplication(w, u, oldCount > 0 ? oldCount + 1 : 1);
            } else if (inTarget && inOwnMetadata && name == QLatin1String("metadata")) {
                if (!sawApplications) WriteApplications(w, u);
                sawApplications = true;
                inOwnMetadata = false;
            } else if (inTarget && closing == 2) {
                inTarget = false;
                found = true;
            } else if (closing == 1 && !found) {
                WriteBookmark(w, u);
                found = true;
            }
            w.writeEndElement();
            continue;
        }
        if (skipDepth) continue;
        w.writeCurrentToken(r);
        if (token == QXmlStreamReader::StartDocument) w.writeCharacters("\n");
    }
    return !r.hasError() && found && !w.hasError();
}

} // namespace

std::string XGRecentlyUsedPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dir.isEmpty()) return {};
    return (dir + "/recently-used.xbel").toStdString();
}

bool XGNoteRecentlyUsed(const XGRecentlyUsedEntry& entry) {
    const QString path = QString::fromStdString(XGRecentlyUsedPath());
    if (path.isEmpty() || entry.path.empty()) return false;
    QByteArray in;
    QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile() || info.size() > kXGRecentlyUsedMaxBytes) return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        in = file.read(kXGRecentlyUsedMaxBytes + 1);
        if (in.size() > kXGRecentlyUsedMaxBytes) return false;
    }
    if (in.trimmed().isEmpty()) in = kEmptyList;
    const Update u{entry,
                   QString::fromLatin1(QUrl::fromLocalFile(QString::fromStdString(entry.path)).toEncoded()),
                   QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)};
    QByteArray out;
    if (!Rewrite(in, u, out)) return false;
    if (!QDir().mkpath(info.absolutePath())) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace yaaf
