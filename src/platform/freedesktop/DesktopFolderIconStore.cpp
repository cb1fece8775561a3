#include "platform/freedesktop/DesktopFolderIconStore.h"

#include "platform/freedesktop/GioCustomIcon.h"
#include "platform/freedesktop/KdeDirectoryFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QStandardPaths>

namespace nivora {

namespace {

// Checks shared by both operations; a null string when `folder` can be used.
QString folderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists())
        return QStringLiteral("dossier introuvable");
    if (!info.isDir())
        return QStringLiteral("ce n'est pas un dossier");
    return {};
}

QIcon themeFolderIcon()
{
    QIcon icon = QIcon::fromTheme(QStringLiteral("folder"));
    if (!icon.isNull())
        return icon;
    // Without a desktop's platform theme (a bare window manager, the offscreen
    // platform) Qt stays on hicolor, which has no folder. The common desktop
    // themes are the next best thing; their folder is what most file managers
    // show anyway.
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& dir : QStandardPaths::locateAll(
             QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory)) {
        if (!paths.contains(dir))
            paths.append(dir);
    }
    QIcon::setThemeSearchPaths(paths);
    const QString previousFallback = QIcon::fallbackThemeName();
    for (const QString& theme : {QStringLiteral("Adwaita"), QStringLiteral("breeze")}) {
        QIcon::setFallbackThemeName(theme);
        icon = QIcon::fromTheme(QStringLiteral("folder"));
        if (!icon.isNull())
            return icon;
    }
    QIcon::setFallbackThemeName(previousFallback);
    return {};
}

bool hasTransparency(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    return qAlpha(argb.pixel(0, 0)) < 255 || qAlpha(argb.pixel(argb.width() - 1, argb.height() - 1)) < 255;
}

} // namespace

DesktopFolderIconStore::DesktopFolderIconStore(bool kdeSession) : m_kdeSession(kdeSession) {}

bool DesktopFolderIconStore::isKdeSession()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    return desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive);
}

FolderIconOutcome DesktopFolderIconStore::setIcon(const QString& folder, const QString& iconFile)
{
    if (const QString problem = folderProblem(folder); !problem.isNull())
        return {false, problem};
    const bool kde = m_kdeSession || QFileInfo::exists(KdeDirectoryFile::pathFor(folder));
    // Kept only where a second place is written, to undo the first if the
    // second refuses.
    const QString previous = kde ? GioCustomIcon::read(folder) : QString();
    const GioCustomIcon::Result gio = GioCustomIcon::set(folder, iconFile);
    if (gio.status == GioCustomIcon::Status::Failed)
        return {false, gio.error};
    bool written = gio.status == GioCustomIcon::Status::Done;
    if (kde) {
        if (const QString error = KdeDirectoryFile::writeIcon(folder, iconFile); !error.isNull()) {
            // A folder reported as failed keeps the icon it had everywhere,
            // not a new one in some file managers only.
            if (written) {
                if (previous.isNull())
                    GioCustomIcon::unset(folder);
                else
                    GioCustomIcon::setUri(folder, previous);
            }
            return {false, error};
        }
        written = true;
    }
    if (!written)
        return {
            false,
            QStringLiteral("aucun gestionnaire de fichiers ne peut garder d'icône ici (%1)").arg(gio.error)};
    return {true, {}};
}

FolderIconOutcome DesktopFolderIconStore::clearIcon(const QString& folder)
{
    if (const QString problem = folderProblem(folder); !problem.isNull())
        return {false, problem};
    // A `.directory` is cleaned whatever the session, so an icon set while in
    // a KDE session goes away from a GNOME one too.
    const GioCustomIcon::Result gio = GioCustomIcon::unset(folder);
    if (gio.status == GioCustomIcon::Status::Failed)
        return {false, gio.error};
    if (const QString error = KdeDirectoryFile::clearIcon(folder); !error.isNull())
        return {false, error};
    return {true, {}};
}

QImage DesktopFolderIconStore::genericFolderImage(int pixels) const
{
    if (pixels <= 0)
        return {};
    const QIcon icon = themeFolderIcon();
    if (icon.isNull())
        return {};
    // Scalable themes draw at the size asked; bitmap themes give their largest
    // picture, which is scaled from there.
    QImage image = icon.pixmap(QSize(pixels, pixels), 1.0).toImage();
    if (image.isNull())
        return {};
    if (image.size() != QSize(pixels, pixels))
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.size() != QSize(pixels, pixels)) {
        QImage square(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        square.fill(Qt::transparent);
        QPainter painter(&square);
        painter.drawImage((pixels - image.width()) / 2, (pixels - image.height()) / 2, image);
        painter.end();
        image = square;
    }
    // A folder without transparency would turn the whole square into pattern.
    return hasTransparency(image) ? image : QImage();
}

} // namespace nivora
