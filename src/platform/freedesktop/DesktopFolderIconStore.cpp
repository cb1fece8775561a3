#include "platform/freedesktop/DesktopFolderIconStore.h"

#include "platform/freedesktop/GioCustomIcon.h"
#include "platform/freedesktop/KdeDirectoryFile.h"
#include "platform/freedesktop/OriginalFolderIcons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QStandardPaths>
#include <optional>
#include <utility>

namespace nivora {

namespace {

// Checks shared by both operations; a null string when `folder` can be used.
QString folderProblem(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.exists())
        return QCoreApplication::translate("DesktopFolderIconStore", "dossier introuvable");
    if (!info.isDir())
        return QCoreApplication::translate("DesktopFolderIconStore", "ce n'est pas un dossier");
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

DesktopFolderIconStore::DesktopFolderIconStore(bool kdeSession, QString iconDirectory, QString recordFile)
    : m_kdeSession(kdeSession), m_iconDirectory(QDir::cleanPath(iconDirectory)),
      m_recordFile(std::move(recordFile))
{
}

bool DesktopFolderIconStore::isKdeSession()
{
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'));
    return desktops.contains(QStringLiteral("KDE"), Qt::CaseInsensitive);
}

bool DesktopFolderIconStore::isOwnGio(const QString& uri) const
{
    return !uri.isNull() && uri.startsWith(GioCustomIcon::uriOf(m_iconDirectory) + QLatin1Char('/'));
}

bool DesktopFolderIconStore::isOwnKde(const QString& value) const
{
    return !value.isNull() && QDir::cleanPath(value).startsWith(m_iconDirectory + QLatin1Char('/'));
}

FolderIconOutcome DesktopFolderIconStore::setIcon(const QString& folder, const QString& iconFile)
{
    using Status = FolderIconOutcome::Status;
    if (const QString problem = folderProblem(folder); !problem.isNull())
        return {Status::Failed, problem};
    const bool kde = m_kdeSession || QFileInfo::exists(KdeDirectoryFile::pathFor(folder));
    const QString previous = GioCustomIcon::read(folder);
    QString kdeError;
    const QString previousKde = kde ? KdeDirectoryFile::readIcon(folder, &kdeError) : QString();
    if (!kdeError.isEmpty())
        return {Status::Failed, kdeError};

    // What the folder shows now is its original unless it is ours already; then
    // the original is what was kept when ours came (nothing, for an icon set by
    // a version that kept no record).
    OriginalFolderIcons originals(m_recordFile);
    if (const QString error = originals.load(); !error.isNull())
        return {Status::Failed, error};
    const std::optional<OriginalFolderIcons::Places> kept = originals.find(folder);
    OriginalFolderIcons::Places places = kept.value_or(OriginalFolderIcons::Places());
    const auto original = [&kept](const QString& place, const QString& now, bool own) {
        if (!own)
            return now.isNull() ? std::optional<QString>() : std::optional<QString>(now);
        return kept ? kept->value(place) : std::optional<QString>();
    };
    places.insert(QStringLiteral("gio"), original(QStringLiteral("gio"), previous, isOwnGio(previous)));
    if (kde)
        places.insert(QStringLiteral("kde"),
                      original(QStringLiteral("kde"), previousKde, isOwnKde(previousKde)));
    if (places != kept) {
        originals.put(folder, places);
        if (const QString error = originals.save(); !error.isNull())
            return {Status::Failed, error};
    }

    const GioCustomIcon::Result gio = GioCustomIcon::set(folder, iconFile);
    if (gio.status == GioCustomIcon::Status::Failed)
        return {Status::Failed, gio.error};
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
            return {Status::Failed, error};
        }
        written = true;
    }
    if (!written)
        return {Status::Failed,
                QCoreApplication::translate("DesktopFolderIconStore",
                                            "aucun gestionnaire de fichiers ne peut garder d'icône ici (%1)")
                    .arg(gio.error)};
    return {Status::Changed, {}};
}

FolderIconOutcome DesktopFolderIconStore::restoreIcon(const QString& folder)
{
    using Status = FolderIconOutcome::Status;
    if (const QString problem = folderProblem(folder); !problem.isNull())
        return {Status::Failed, problem};
    OriginalFolderIcons originals(m_recordFile);
    if (const QString error = originals.load(); !error.isNull())
        return {Status::Failed, error};
    const std::optional<OriginalFolderIcons::Places> kept = originals.find(folder);
    const auto original = [&kept](const QString& place) {
        return kept ? kept->value(place) : std::optional<QString>();
    };

    // Each place is given back only while it still shows our icon. A
    // `.directory` is looked at whatever the session, so an icon set while in
    // a KDE session goes away from a GNOME one too.
    bool changed = false;
    if (isOwnGio(GioCustomIcon::read(folder))) {
        const std::optional<QString> before = original(QStringLiteral("gio"));
        const GioCustomIcon::Result gio =
            before ? GioCustomIcon::setUri(folder, *before) : GioCustomIcon::unset(folder);
        if (gio.status != GioCustomIcon::Status::Done)
            return {Status::Failed, gio.error};
        changed = true;
    }
    QString kdeError;
    const QString kdeIcon = KdeDirectoryFile::readIcon(folder, &kdeError);
    if (!kdeError.isEmpty())
        return {Status::Failed, kdeError};
    if (isOwnKde(kdeIcon)) {
        const std::optional<QString> before = original(QStringLiteral("kde"));
        const QString error =
            before ? KdeDirectoryFile::writeIcon(folder, *before) : KdeDirectoryFile::clearIcon(folder);
        if (!error.isNull())
            return {Status::Failed, error};
        changed = true;
    }
    // Nothing of ours is left on the folder, so its entry has served. Should
    // the record not be writable the entry stays; it does no harm, since it is
    // only used where one of our icons shows.
    if (kept) {
        originals.remove(folder);
        originals.save();
    }
    return {changed ? Status::Changed : Status::Unchanged, {}};
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
