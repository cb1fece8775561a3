#include "desktop/ShellBackgroundSync.h"

#include "model/SettingsSchema.h"
#include "platform/gnome/GnomeBackgroundSettings.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/WallpaperMode.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

namespace nivora {

namespace {

bool gnomeDesktop()
{
    return qgetenv("XDG_CURRENT_DESKTOP").toLower().split(':').contains("gnome");
}

QString hex(const QColor& colour)
{
    return colour.name(QColor::HexRgb).mid(1);
}

} // namespace

ShellBackgroundSync& ShellBackgroundSync::shared()
{
    static ShellBackgroundSync* sync = new ShellBackgroundSync(AppState::shared());
    return *sync;
}

ShellBackgroundSync::ShellBackgroundSync(AppState& state, QObject* parent) : QObject(parent), m_state(state)
{
    m_throttle.setSingleShot(true);
    connect(&m_throttle, &QTimer::timeout, this, &ShellBackgroundSync::update);
}

bool ShellBackgroundSync::isOffered() const
{
    return gnomeDesktop() && GnomeBackgroundSettings::available();
}

bool ShellBackgroundSync::isEnabled() const
{
    const QJsonValue stored = m_state.store().value(QLatin1String(enabledKey));
    return stored.isBool() ? stored.toBool() : gnomeDesktop();
}

void ShellBackgroundSync::setEnabled(bool on)
{
    if (on == isEnabled() && m_state.store().value(QLatin1String(enabledKey)).isBool())
        return;
    m_state.store().setValue(QLatin1String(enabledKey), on);
    if (on) {
        m_lastUpdate = {};
        scheduleUpdate();
    } else {
        restore();
    }
    Q_EMIT enabledChanged(on);
}

void ShellBackgroundSync::start()
{
    if (m_started || !isOffered())
        return;
    m_started = true;
    connect(&m_state, &AppState::sceneIndexChanged, this, &ShellBackgroundSync::scheduleUpdate);
    for (auto signal : {&AppState::speedChanged, &AppState::intensityChanged, &AppState::scaleChanged,
                        &AppState::colorShiftChanged, &AppState::sharpnessChanged})
        connect(&m_state, signal, this, &ShellBackgroundSync::scheduleUpdate);
    connect(&m_state, &AppState::paletteColorsChanged, this, &ShellBackgroundSync::scheduleUpdate);
    connect(&m_state, &AppState::wallpaperModeChanged, this, &ShellBackgroundSync::scheduleUpdate);
    connect(&m_state, &AppState::mediaPathChanged, this, &ShellBackgroundSync::scheduleUpdate);
    if (isEnabled())
        scheduleUpdate();
}

void ShellBackgroundSync::scheduleUpdate()
{
    if (!m_started || !isEnabled())
        return;
    // A burst of changes (a slider dragged, presets tried one after another)
    // sets one picture at the end of it, and never more than one a minute.
    const qint64 sinceLast = m_lastUpdate.isValid() ? m_lastUpdate.msecsTo(QDateTime::currentDateTimeUtc())
                                                    : qint64(minimumIntervalMs);
    const int wait = int(qBound(qint64(0), qint64(minimumIntervalMs) - sinceLast, qint64(minimumIntervalMs)));
    if (!m_throttle.isActive())
        m_throttle.start(qMax(wait, 500));
}

void ShellBackgroundSync::update()
{
    if (!isEnabled())
        return;
    if (m_render) {
        m_pending = true;
        return;
    }
    m_lastUpdate = QDateTime::currentDateTimeUtc();

    // The user's own background, kept once: ours is never taken for theirs.
    if (!m_state.store().contains(QLatin1String(savedKey))) {
        const auto current = GnomeBackgroundSettings::read();
        if (!current)
            return;
        const QString ours = QUrl::fromLocalFile(folder()).toString();
        if (!current->light.startsWith(ours))
            m_state.store().setValue(QLatin1String(savedKey),
                                     QJsonObject{{QStringLiteral("picture-uri"), current->light},
                                                 {QStringLiteral("picture-uri-dark"), current->dark}});
    }

    const WallpaperMode mode = m_state.wallpaperMode();
    if (mode == WallpaperMode::Image && !m_state.mediaPath().isEmpty() &&
        QFileInfo(m_state.mediaPath()).isReadable()) {
        setPictures(QUrl::fromLocalFile(m_state.mediaPath()).toString());
        return;
    }
    if (mode == WallpaperMode::Video)
        return; // the last still stays: a frame of a video says little about it

    QDir().mkpath(folder());
    // A new name each time: the shell reloads a picture when its address
    // changes, not when the file does.
    const QString file = stillPath(++m_generation % 2);
    QSize size(1920, 1080);
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        size = primary->size() * primary->devicePixelRatio();
        if (size.width() > 1920)
            size = size.scaled(1920, 1920, Qt::KeepAspectRatio);
    }
    QStringList colours;
    for (const QColor& colour : m_state.paletteColors())
        colours << hex(colour);
    // The values the wallpaper itself draws with: a settings file may hold
    // more than `render` accepts, and the wallpaper clamps what it reads.
    auto tuning = [](const char* key, double value) {
        return QString::number(SettingsSchema::forRenderer(SettingsSchema::get(QLatin1String(key)), value));
    };
    const QStringList args{QStringLiteral("render"),
                           QStringLiteral("--scene"),
                           QString::number(m_state.sceneIndex()),
                           QStringLiteral("--time"),
                           QStringLiteral("12"),
                           QStringLiteral("--size"),
                           QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                           QStringLiteral("--output"),
                           file,
                           QStringLiteral("--speed"),
                           tuning("speed", m_state.speed()),
                           QStringLiteral("--intensity"),
                           tuning("intensity", m_state.intensity()),
                           QStringLiteral("--scale"),
                           tuning("scale", m_state.scale()),
                           QStringLiteral("--color-shift"),
                           tuning("colorShift", m_state.colorShift()),
                           QStringLiteral("--sharpness"),
                           tuning("sharpness", m_state.sharpness()),
                           QStringLiteral("--colors"),
                           colours.join(QLatin1Char(','))};
    auto* render = new QProcess(this);
    m_render = render;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The same window system as this process, whatever the session's default.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QGuiApplication::platformName());
    render->setProcessEnvironment(env);
    render->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    render->setStandardOutputFile(QProcess::nullDevice());
    connect(render, &QProcess::finished, this, [this, render, file](int code, QProcess::ExitStatus status) {
        render->deleteLater();
        finishRender(file, status == QProcess::NormalExit && code == 0);
    });
    connect(render, &QProcess::errorOccurred, this, [this, render, file](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            render->deleteLater();
            finishRender(file, false);
        }
    });
    render->start(m_renderProgram.isEmpty() ? QCoreApplication::applicationFilePath() : m_renderProgram,
                  args);
}

void ShellBackgroundSync::finishRender(const QString& file, bool ok)
{
    setRenderFailed(!ok || !QFileInfo(file).size());
    if (m_renderFailed) {
        qWarning().noquote() << QStringLiteral("GNOME background: the still could not be rendered.");
    } else if (isEnabled() && setPictures(QUrl::fromLocalFile(file).toString())) {
        // The other still is no longer shown.
        const QString other = stillPath((m_generation + 1) % 2);
        QFile::remove(other);
    }
    if (m_pending) {
        m_pending = false;
        scheduleUpdate();
    }
}

bool ShellBackgroundSync::setPictures(const QString& uri)
{
    if (!GnomeBackgroundSettings::write({uri, uri})) {
        qWarning().noquote() << QStringLiteral("GNOME background: the desktop refused the new picture.");
        return false;
    }
    Q_EMIT applied(uri);
    return true;
}

void ShellBackgroundSync::restore()
{
    m_throttle.stop();
    if (m_render)
        m_render->kill();
    const QJsonValue saved = m_state.store().value(QLatin1String(savedKey));
    if (saved.isObject()) {
        const QJsonObject pictures = saved.toObject();
        const GnomeBackgroundSettings::Pictures original{
            pictures.value(QStringLiteral("picture-uri")).toString(),
            pictures.value(QStringLiteral("picture-uri-dark")).toString()};
        if (GnomeBackgroundSettings::write(original)) {
            m_state.store().remove(QLatin1String(savedKey));
            Q_EMIT applied(original.light);
        }
    }
    for (int i = 0; i < 2; ++i)
        QFile::remove(stillPath(i));
}

QString ShellBackgroundSync::stillPath(int slot) const
{
    return QDir(folder()).filePath(QStringLiteral("shell-background-%1.png").arg(slot));
}

QString ShellBackgroundSync::folder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/nivora");
}

void ShellBackgroundSync::setRenderFailed(bool failed)
{
    if (failed == m_renderFailed)
        return;
    m_renderFailed = failed;
    Q_EMIT renderFailedChanged(failed);
}

} // namespace nivora
