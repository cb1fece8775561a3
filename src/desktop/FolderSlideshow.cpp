#include "desktop/FolderSlideshow.h"

#include "media/ImageWallpaperView.h"
#include "media/MediaPathCheck.h"
#include "state/MediaStatus.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <utility>

namespace nivora {

namespace {

// How long a folder's changes are gathered before it is looked at, and how
// long a file must have gone unwritten before it is shown.
constexpr int kFolderSettleMs = 300;
constexpr qint64 kFileSettleMs = 1000;
// How long after its expected end a video's last pass is cut regardless.
constexpr int kPassEndGraceMs = 5000;

void logStepOver(const QString& file)
{
    qWarning().noquote() << QStringLiteral("Nivora: unreadable file, the next one takes its place: %1")
                                .arg(QFileInfo(file).fileName());
}

} // namespace

FolderSlideshow::FolderSlideshow(const QString& folder, bool shuffled, QObject* parent)
    : QObject(parent), m_folder(folder), m_playlist(folder, shuffled)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::CoarseTimer);
    m_settle.setSingleShot(true);
    // A folder where watching fails (no inotify there, or its watches used
    // up) still goes on through the timer's reading of it.
    m_watcher.addPath(m_folder);
    connect(&m_timer, &QTimer::timeout, this, &FolderSlideshow::timeUp);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_settle.isActive())
            m_settle.start(kFolderSettleMs);
    });
    connect(&m_settle, &QTimer::timeout, this, &FolderSlideshow::settled);
}

QString FolderSlideshow::pick()
{
    if (m_used)
        return m_shown;
    m_used = true;
    QString file = m_playlist.current();
    for (qsizetype tries = m_playlist.names().size(); !file.isEmpty() && skips(file);) {
        if (--tries < 0) {
            file.clear();
            break;
        }
        file = m_playlist.next(MediaPlaylist::Reread::No);
    }
    m_shown = file;
    return m_shown;
}

bool FolderSlideshow::skips(const QString& file)
{
    if (m_skipped.contains(file))
        return true;
    // Only headers are read: a picture's, or a video's first bytes.
    const bool showable =
        file != MediaStatus::shared().crashedPath() &&
        (MediaPlaylist::isVideo(file) ? MediaPathCheck::check(file) == MediaPathCheck::Verdict::PlainFile
                                      : ImageWallpaperView::canShow(file));
    if (showable)
        return false;
    m_skipped.insert(file);
    logStepOver(file);
    return true;
}

void FolderSlideshow::time(int interval)
{
    if (m_timer.isActive() && m_timed == m_shown)
        return;
    m_timed = m_shown;
    m_finishing = false;
    m_timer.start(interval);
}

void FolderSlideshow::stop()
{
    m_timer.stop();
    m_timed.clear();
}

void FolderSlideshow::finishPass(int millisecondsLeft)
{
    m_finishing = true;
    // In case the player never gets there (a stream cut short, the screens
    // asleep meanwhile).
    m_timer.start(millisecondsLeft + kPassEndGraceMs);
}

void FolderSlideshow::advance()
{
    m_playlist.next();
    m_finishing = false;
    // Taken up by the rebuild, which gives the file its time.
    m_timer.stop();
    Q_EMIT rebuildWanted();
}

bool FolderSlideshow::skipShown(const QString& file)
{
    if (m_shown != file)
        return false;
    m_skipped.insert(file);
    logStepOver(file);
    advance();
    return true;
}

void FolderSlideshow::lookAgain()
{
    QString coming = std::exchange(m_waitingFor, QString());
    if (!coming.isEmpty() && QFileInfo::exists(coming)) {
        // The playlist was moved on to it already.
    } else if (m_shown.isEmpty()) {
        // Nothing of it shows: a file that came is shown at once.
        coming = m_playlist.next();
        if (coming.isEmpty())
            return;
    } else if (QFileInfo::exists(m_shown)) {
        // What else changed counts from the next change.
        return;
    } else {
        // The file shown went away: the one after it, at once.
        coming = m_playlist.next();
    }
    // A file still being written (a photo copied from a phone) is waited
    // for, rather than shown half read and stepped over.
    const qint64 age = QFileInfo(coming).lastModified().msecsTo(QDateTime::currentDateTime());
    if (!coming.isEmpty() && age >= 0 && age < kFileSettleMs) {
        m_waitingFor = coming;
        m_settle.start(int(kFileSettleMs - age) + kFolderSettleMs);
        return;
    }
    m_finishing = false;
    m_timer.stop();
    Q_EMIT rebuildWanted();
}

} // namespace nivora
