// Measures the dashboard pages one by one, each hosted as the dashboard hosts
// it: in a scroll area 1040 × 700 on the X display.
//
//   bench_pages --first-paint [--repeat N]
//     For each page: builds it, shows it and waits until its first paint has
//     been drawn; prints one JSON line per page with the median milliseconds
//     from the start of construction to the end of that paint.
//   bench_pages --idle SECONDS --page NAME
//     Shows one page and keeps it open; prints "ready" once it has painted,
//     then one JSON line with the preview frames drawn (0 for pages without a
//     preview). A benchmark script measures the process with procstat.
//   NAME: scenes, colors, displays, performance, media, widgets.
#include "assets/Fonts.h"
#include "dashboard/ColorsPage.h"
#include "dashboard/DisplaysPage.h"
#include "dashboard/LivePreviewFrame.h"
#include "dashboard/MediaPage.h"
#include "dashboard/PerformancePage.h"
#include "dashboard/SceneHero.h"
#include "dashboard/ScenesPage.h"
#include "dashboard/WidgetsPage.h"
#include "scene/ScenePreview.h"
#include "scene/WallpaperRenderer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace nivora;

namespace {

QWidget* makePage(const QString& name)
{
    if (name == "scenes")
        return new ScenesPage;
    if (name == "colors")
        return new ColorsPage;
    if (name == "displays")
        return new DisplaysPage;
    if (name == "performance")
        return new PerformancePage;
    if (name == "media")
        return new MediaPage;
    if (name == "widgets")
        return new WidgetsPage;
    return nullptr;
}

ScenePreview* previewOf(QWidget* page)
{
    if (auto* scenes = qobject_cast<ScenesPage*>(page))
        return scenes->hero()->preview();
    if (auto* colors = qobject_cast<ColorsPage*>(page))
        return colors->preview()->preview();
    return nullptr;
}

// Sets `painted` once `widget` has finished a paint.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The filter runs before the paint; the queued call runs after it.
        if (event->type() == QEvent::Paint && !painted)
            QTimer::singleShot(0, this, [this] { painted = true; });
        return false;
    }
};

double firstPaintMs(const QString& name)
{
    QScrollArea area;
    area.setWidgetResizable(true);
    area.resize(1040, 700);
    area.show();
    QElapsedTimer clock;
    clock.start();
    QWidget* page = makePage(name);
    PaintWatch watch(page);
    area.setWidget(page);
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return clock.nsecsElapsed() / 1e6;
}

const QStringList kPages{"scenes", "colors", "displays", "performance", "media", "widgets"};

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    WallpaperRenderer::configureApplication();
    QApplication app(argc, argv);
    Fonts::load();
    const QStringList args = app.arguments();
    const auto option = [&](const QString& name, const QString& fallback) {
        const qsizetype at = args.indexOf(name);
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : fallback;
    };

    if (args.contains("--first-paint")) {
        const int repeat = option("--repeat", "5").toInt();
        // One page built and shown first, so the costs every page shares
        // (fonts, styles, the GL share context) are not charged to the first.
        firstPaintMs("performance");
        for (const QString& name : kPages) {
            std::vector<double> samples;
            for (int i = 0; i < repeat; ++i)
                samples.push_back(firstPaintMs(name));
            std::sort(samples.begin(), samples.end());
            std::printf("{\"page\":\"%s\",\"firstPaintMs\":%.1f,\"maxMs\":%.1f}\n", qPrintable(name),
                        samples[samples.size() / 2], samples.back());
        }
        return 0;
    }

    const QString name = option("--page", "performance");
    const int seconds = option("--idle", "10").toInt();
    QScrollArea area;
    area.setWidgetResizable(true);
    area.resize(1040, 700);
    QWidget* page = makePage(name);
    if (!page)
        return 2;
    PaintWatch watch(page);
    area.setWidget(page);
    area.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    std::printf("ready\n");
    std::fflush(stdout);
    ScenePreview* preview = previewOf(page);
    const qint64 before = preview ? preview->framesDrawn() : 0;
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const qint64 frames = preview ? preview->framesDrawn() - before : 0;
    const QSize size = preview ? preview->size() * preview->devicePixelRatio() : QSize();
    std::printf("{\"page\":\"%s\",\"previewFrames\":%lld,\"previewSize\":\"%dx%d\"}\n", qPrintable(name),
                static_cast<long long>(frames), size.width(), size.height());
    return 0;
}
