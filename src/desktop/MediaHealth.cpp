#include "desktop/MediaHealth.h"

#include "media/ImageWallpaperView.h"
#include "media/MediaPathCheck.h"
#include "model/MediaLocation.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/MediaStatus.h"
#include "state/ScreenSource.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace nivora {

MediaHealth::MediaHealth(AppState& state, QObject* parent)
    : QObject(parent), m_state(state), m_marker(state.store().filePath())
{
}

void MediaHealth::takeLeftBehindMarker()
{
    const QString crashed = m_marker.read();
    if (crashed.isEmpty())
        return;
    // A folder's file took the run down when it lies in the folder chosen.
    const QString& chosen = m_state.mediaPath();
    if (crashed != chosen && !(MediaLocation::kind(chosen) == MediaLocation::Kind::Folder &&
                               QDir(QFileInfo(crashed).absolutePath()) == QDir(chosen))) {
        m_marker.remove();
        return;
    }
    // The marker stays until the user picks a file, so every start keeps
    // away from this one until then.
    qWarning().noquote() << QStringLiteral(
                                "Nivora: this file made Nivora crash, the scene takes its place: %1")
                                .arg(QFileInfo(crashed).fileName());
    MediaStatus::shared().setCrashedPath(crashed);
    // Picking a file on the Media page, even this one again, tries it afresh.
    connect(&MediaStatus::shared(), &MediaStatus::changed, this, [this] {
        if (MediaStatus::shared().crashedPath().isEmpty() && !m_markerOwned && !m_marker.read().isEmpty()) {
            m_marker.remove();
            Q_EMIT rebuildWanted();
        }
    });
}

void MediaHealth::review(const QList<ScreenSource>& wanted)
{
    // A file is tried afresh once no screen asks for it any more, so another
    // file, or the same one chosen again, gets its chance.
    QSet<QString> inUse;
    for (const ScreenSource& source : wanted)
        inUse.insert(source.mediaKey());
    for (auto it = m_unreadable.begin(); it != m_unreadable.end();) {
        if (inUse.contains(*it))
            ++it;
        else
            it = m_unreadable.erase(it);
    }
    // A playlist or an address would have the player open other files or
    // the network: the scene shows in its place, with one log line per file.
    QSet<QString> refused;
    for (const ScreenSource& source : wanted) {
        if (source.mode == WallpaperMode::Video && !refused.contains(source.mediaPath)) {
            const QString refusal =
                MediaPathCheck::refusal(source.mediaPath, MediaPathCheck::check(source.mediaPath));
            if (!refusal.isEmpty()) {
                qWarning().noquote() << refusal;
                refused.insert(source.mediaPath);
            }
        }
        if (source.mode == WallpaperMode::Image && QFileInfo(source.mediaPath).isFile() &&
            !isUnreadable(source.mode, source.mediaPath) && !ImageWallpaperView::canShow(source.mediaPath))
            markUnreadable(source.mode, source.mediaPath);
    }
    // A file that took the last run down is set aside until no screen asks
    // for it any more: another file chosen is tried.
    const QString crashed = MediaStatus::shared().crashedPath();
    const auto media = [](const ScreenSource& s) { return s.mode != WallpaperMode::Scene; };
    if (!crashed.isEmpty() &&
        std::none_of(wanted.begin(), wanted.end(),
                     [&](const ScreenSource& s) { return media(s) && s.mediaPath == crashed; }) &&
        std::any_of(wanted.begin(), wanted.end(), media))
        forgetCrash();
}

bool MediaHealth::isUnreadable(WallpaperMode mode, const QString& path) const
{
    return mode != WallpaperMode::Scene && m_unreadable.contains(unreadableKey(mode, path));
}

QString MediaHealth::unreadableKey(WallpaperMode mode, const QString& path)
{
    return WallpaperModes::id(mode) + QLatin1Char('|') + path;
}

void MediaHealth::markUnreadable(WallpaperMode mode, const QString& path)
{
    if (isUnreadable(mode, path))
        return;
    m_unreadable.insert(unreadableKey(mode, path));
    qWarning().noquote() << QStringLiteral("Nivora: unreadable file, the scene takes its place: %1")
                                .arg(QFileInfo(path).fileName());
}

WallpaperMode MediaHealth::shownFor(const ScreenSource& source) const
{
    const QString& path = source.mediaPath;
    if (source.mode == WallpaperMode::Scene || isUnreadable(source.mode, path) ||
        (!path.isEmpty() && path == MediaStatus::shared().crashedPath()))
        return WallpaperMode::Scene;
    // A file that went away (an unmounted drive) or a path that names no
    // file leaves the scene rather than a black desktop; the Media page says
    // "Fichier introuvable".
    if (!path.isEmpty() && !MediaLocation::usable(path))
        return WallpaperMode::Scene;
    // A player would redraw a still every second for as long as it shows.
    if (source.mode == WallpaperMode::Video && ImageWallpaperView::canShow(path))
        return WallpaperMode::Image;
    return source.mode;
}

void MediaHealth::publishUnreadable(const QList<ScreenSource>& wanted) const
{
    const ScreenSource main = ScreenSource::resolve(m_state, QString());
    QString unreadablePath = isUnreadable(main.mode, main.mediaPath) ? main.mediaPath : QString();
    for (const ScreenSource& source : wanted) {
        if (unreadablePath.isEmpty() && isUnreadable(source.mode, source.mediaPath))
            unreadablePath = source.mediaPath;
    }
    MediaStatus::shared().setUnreadablePath(unreadablePath);
}

bool MediaHealth::opening(const QString& path)
{
    if (path.isEmpty() || m_markerOwned || m_shownMedia.contains(path))
        return false;
    m_marker.write(path);
    m_markerOwned = true;
    return true;
}

void MediaHealth::forgetCrash()
{
    m_marker.remove();
    MediaStatus::shared().setCrashedPath(QString());
}

void MediaHealth::mediaShown(const QString& path)
{
    if (!path.isEmpty())
        m_shownMedia.insert(path);
    releaseMarker();
}

void MediaHealth::releaseMarker()
{
    if (!m_markerOwned)
        return;
    m_markerOwned = false;
    m_marker.remove();
}

} // namespace nivora
