#include "XGFileIcons.h"

#include "XGPicture.h"

#include <QApplication>
#include <QFile>
#include <QFileIconProvider>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QStyle>

#include <map>
#include <memory>

namespace yaaf {

namespace {

constexpr int kIconSide = 16;

std::unique_ptr<XGPicture> PictureOf(const QIcon& icon) {
    auto pictP = std::make_unique<XGPicture>();
    if (!pictP->Allocate(kIconSide, kIconSide)) return pictP;
    if (!icon.isNull()) {
        QPainter painter(&pictP->GetImage());
        icon.paint(&painter, QRect(0, 0, kIconSide, kIconSide));
    }
    return pictP;
}

QIcon StyleIcon(QStyle::StandardPixmap which) {
    QStyle* styleP =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    return styleP ? styleP->standardIcon(which) : QIcon();
}

QMimeType MimeOf(const std::string& path, bool folderB) {
    static QMimeDatabase db;
    if (folderB) return db.mimeTypeForName(QStringLiteral("inode/directory"));
    // By the name only: a listing of many files opens none of them.
    return db.mimeTypeForFile(QFile::decodeName(QByteArray::fromStdString(path)),
                              QMimeDatabase::MatchExtension);
}

} // namespace

const XGPicture* XGFileTypeIcon(const std::string& path, bool folderB) {
    static std::map<QString, std::unique_ptr<XGPicture>> s_byType;
    const QMimeType mime = MimeOf(path, folderB);
    const QString key = mime.isValid() ? mime.name() : QString();
    auto found = s_byType.find(key);
    if (found != s_byType.end()) return found->second.get();
    QIcon icon = QIcon::fromTheme(mime.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(mime.genericIconName());
    if (icon.isNull()) {
        static QFileIconProvider s_provider;
        icon = s_provider.icon(folderB ? QAbstractFileIconProvider::Folder : QAbstractFileIconProvider::File);
    }
    if (icon.isNull()) icon = StyleIcon(folderB ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    return s_byType.emplace(key, PictureOf(icon)).first->second.get();
}

std::string XGFileTypeName(const std::string& path, bool folderB) {
    if (folderB) return "Folder";
    const QMimeType mime = MimeOf(path, false);
    const QString comment = mime.isValid() ? mime.comment() : QString();
    return comment.isEmpty() ? std::string("Document") : comment.toStdString();
}

const XGPicture* XGKindIcon(FourCharCode kind) {
    static std::map<FourCharCode, std::unique_ptr<XGPicture>> s_byKind;
    auto found = s_byKind.find(kind);
    if (found != s_byKind.end()) return found->second.get();
    QStyle::StandardPixmap which = QStyle::SP_FileIcon;
    const char* theme = "text-x-generic";
    switch (kind) {
    case 'fldr':
        which = QStyle::SP_DirIcon;
        theme = "folder";
        break;
    case 'hdsk':
        which = QStyle::SP_DriveHDIcon;
        theme = "drive-harddisk";
        break;
    case 'srvr':
    case 'cnct':
        which = QStyle::SP_DriveNetIcon;
        theme = "network-server";
        break;
    case 'MaIc':
        which = QStyle::SP_ComputerIcon;
        theme = "computer";
        break;
    case 'user':
        which = QStyle::SP_DirHomeIcon;
        theme = "user-home";
        break;
    case 'PrIc':
        which = QStyle::SP_FileDialogDetailedView;
        theme = "printer";
        break;
    case 'docs':
        which = QStyle::SP_FileIcon;
        theme = "x-office-document";
        break;
    default:
        break;
    }
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(theme));
    if (icon.isNull()) icon = StyleIcon(which);
    return s_byKind.emplace(kind, PictureOf(icon)).first->second.get();
}

} // namespace yaaf
