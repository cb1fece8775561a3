#include "icons/FolderIconService.h"

#include "icons/BuiltInFolderImage.h"
#include "icons/PatternFolderImage.h"
#include "model/ImageBudget.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

namespace nivora {

FolderIconService::FolderIconService(std::unique_ptr<FolderIconStore> store)
    : m_store(store ? std::move(store) : FolderIconStore::createDefault(iconDirectory(), originalsFile()))
{
}

QImage FolderIconService::folderImage(int pixels) const
{
    if (pixels < 1)
        return {};
    if (m_folder.isNull()) {
        m_folder = m_store ? m_store->genericFolderImage(iconPixels) : QImage();
        if (m_folder.isNull())
            m_folder = BuiltInFolderImage::render(iconPixels);
    }
    if (pixels == iconPixels)
        return m_folder;
    return m_folder.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage FolderIconService::renderPattern(const FolderPattern& pattern) const
{
    return PatternFolderImage::render(folderImage(iconPixels), pattern, iconPixels);
}

FolderIconService::ImportedImage FolderIconService::importImage(const QString& path)
{
    const QString unreadable = FolderIconReport::unreadableImageMessage(path);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!QFileInfo(path).isFile() || !reader.canRead() || !withinDecodeBudget(reader.size()))
        return {{}, unreadable};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {{}, unreadable};

    QImage square(iconPixels, iconPixels, QImage::Format_ARGB32_Premultiplied);
    if (square.isNull())
        return {{}, unreadable};
    square.fill(Qt::transparent);
    const QImage fitted = image.scaled(iconPixels, iconPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&square);
    painter.drawImage((iconPixels - fitted.width()) / 2, (iconPixels - fitted.height()) / 2, fitted);
    painter.end();
    return {square, {}};
}

QString FolderIconService::iconDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/nivora/folder-icons");
}

QString FolderIconService::originalsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/nivora/original-folder-icons.json");
}

QString FolderIconService::saveIcon(const QImage& icon, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return QString();
    };
    if (icon.isNull())
        return fail(QCoreApplication::translate("FolderIconService", "aucune icône à écrire"));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(icon))
            return fail(QCoreApplication::translate("FolderIconService", "icône impossible à encoder : %1")
                            .arg(writer.errorString()));
    }
    const QString directory = iconDirectory();
    if (!QDir().mkpath(directory))
        return fail(
            QCoreApplication::translate("FolderIconService", "dossier des icônes impossible à créer : %1")
                .arg(directory));
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(png, QCryptographicHash::Sha256).toHex().left(32));
    const QString path = QDir(directory).filePath(hash + QStringLiteral(".png"));
    // Files are only ever written whole (renamed into place), so a file of the
    // right name and size already holds these bytes.
    if (QFileInfo(path).isFile() && QFileInfo(path).size() == png.size())
        return path;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit())
        return fail(QCoreApplication::translate("FolderIconService", "icône impossible à écrire : %1")
                        .arg(file.errorString()));
    return path;
}

FolderIconReport FolderIconService::apply(const QImage& icon, const QStringList& folders)
{
    FolderIconReport report(FolderIconReport::Operation::Apply);
    QString error;
    const QString iconFile = saveIcon(icon, &error);
    for (const QString& folder : folders) {
        if (iconFile.isNull()) {
            report.add(folder, {FolderIconOutcome::Status::Failed, error});
            continue;
        }
        report.add(folder, m_store->setIcon(folder, iconFile));
    }
    return report;
}

FolderIconReport FolderIconService::reset(const QStringList& folders)
{
    FolderIconReport report(FolderIconReport::Operation::Reset);
    for (const QString& folder : folders) {
        report.add(folder, m_store->restoreIcon(folder));
    }
    return report;
}

} // namespace nivora
