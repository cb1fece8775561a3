#pragma once

// Shared pieces of the desktop wallpaper tests: a private settings store, the
// real platform services, X property reads and screen captures.

#include "desktop/WallpaperController.h"
#include "palettes/ColorHex.h"
#include "platform/PlatformServices.h"
#include "scene/WallpaperWindow.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>
#include <wayland-client.h>

#if defined(__SANITIZE_ADDRESS__)
#include <cstddef>
// From the sanitizer runtime (GCC ships no header declaring it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace nivora::testing {

// A settings store in a temporary directory, with the app's defaults.
struct TestSettings
{
    QTemporaryDir dir;
    std::unique_ptr<DefaultsStore> store;
    std::unique_ptr<AppState> state;

    TestSettings()
    {
        store = std::make_unique<DefaultsStore>(dir.filePath(QStringLiteral("defaults.json")));
        state = std::make_unique<AppState>(*store, false);
        state->setSaveDelayForTesting(60 * 60 * 1000);
    }
};

// Runs a program and returns its standard output ("" when it fails).
inline QString run(const QString& program, const QStringList& args, int timeoutMs = 10000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString xprop(const QWindow* window, const QString& property)
{
    return run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()), property});
}

// Window ids of _NET_CLIENT_LIST_STACKING, bottom first.
inline QList<quint64> stackingOrder()
{
    const QString out =
        run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<quint64> ids;
    const int hash = out.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return ids;
    const QStringList parts = out.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& part : parts)
        ids.append(part.trimmed().toULongLong(nullptr, 16));
    return ids;
}

// The names of this process's threads.
inline QStringList threadNames()
{
    QStringList names;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& tid : tasks) {
        QFile f(QStringLiteral("/proc/self/task/%1/comm").arg(tid));
        if (f.open(QIODevice::ReadOnly))
            names.append(QString::fromUtf8(f.readAll()).trimmed());
    }
    return names;
}

inline int countThreads(const QString& prefix)
{
    int n = 0;
    for (const QString& name : threadNames())
        n += name.startsWith(prefix) ? 1 : 0;
    return n;
}

// The memory the process holds for itself. AddressSanitizer parks freed
// blocks in a quarantine of up to 256 MB before reusing them, so in a
// sanitized build the resident size grows with whatever earlier cases freed;
// there the heap still in use is what says whether memory stays bounded.
inline qint64 memoryInUseKiB()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
#endif
}

// What is on the X screen in `rect` (root coordinates), as RGB32.
inline QImage captureScreen(const QRect& rect)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen->grabWindow(0, rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// `nivora render` of `state`'s scene at `seconds` and `size`, written to
// `file`; null when the renderer fails.
inline QImage referenceRender(const AppState& state, double seconds, QSize size, const QString& file)
{
    QStringList colors;
    for (const QColor& c : state.paletteColors())
        colors << QStringLiteral("%1").arg(hexValue(c), 6, 16, QLatin1Char('0'));
    QProcess p;
    p.start(qEnvironmentVariable("NIVORA_BINARY"),
            {QStringLiteral("render"),
             QStringLiteral("--scene"),
             QString::number(state.sceneIndex()),
             QStringLiteral("--time"),
             QString::number(seconds, 'f', 3),
             QStringLiteral("--size"),
             QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
             QStringLiteral("--speed"),
             QString::number(state.speed()),
             QStringLiteral("--intensity"),
             QString::number(state.intensity()),
             QStringLiteral("--scale"),
             QString::number(state.scale()),
             QStringLiteral("--color-shift"),
             QString::number(state.colorShift()),
             QStringLiteral("--sharpness"),
             QString::number(state.sharpness()),
             QStringLiteral("--colors"),
             colors.join(QLatin1Char(',')),
             QStringLiteral("--output"),
             file});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << "nivora render failed:" << p.readAllStandardError();
        return {};
    }
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// The platform services as the app makes them on the Wayland compositor at
// `socket`; `swaySocket` is sway's IPC socket, which a sway session gives its
// clients in SWAYSOCK.
// A test client's own connection to the compositor at `socket`, its globals
// announced to `listener` (with `data`) before it returns; null when nobody
// answers.
inline wl_display* connectClient(const QString& socket, const wl_registry_listener* listener, void* data)
{
    wl_display* display = wl_display_connect(QFile::encodeName(socket).constData());
    if (!display)
        return nullptr;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, listener, data);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    return display;
}

inline std::unique_ptr<PlatformServices> platformOn(const QString& socket, const QString& swaySocket = {})
{
    const QByteArray display = qgetenv("WAYLAND_DISPLAY");
    const QByteArray sway = qgetenv("SWAYSOCK");
    qputenv("WAYLAND_DISPLAY", QFile::encodeName(socket));
    qputenv("SWAYSOCK", QFile::encodeName(swaySocket));
    std::unique_ptr<PlatformServices> services = PlatformServices::createDefault();
    for (const auto& [name, value] : {std::pair("WAYLAND_DISPLAY", display), std::pair("SWAYSOCK", sway)}) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    return services;
}

// Mean absolute difference per channel, 0...255.
inline double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255.0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            sum += std::abs(qRed(pa[x]) - qRed(pb[x])) + std::abs(qGreen(pa[x]) - qGreen(pb[x])) +
                   std::abs(qBlue(pa[x]) - qBlue(pb[x]));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

// The average colour of a region of an image.
inline QColor averageColor(const QImage& image, const QRect& region)
{
    qint64 r = 0, g = 0, b = 0, n = 0;
    const QRect area = region.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            ++n;
        }
    }
    if (n == 0)
        return QColor();
    return QColor(int(r / n), int(g / n), int(b / n));
}

} // namespace nivora::testing
