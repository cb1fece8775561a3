// Measures the folder-icon work the way the application does it:
// - applying one pattern to 200 folders through the desktop's real icon store
//   (GIO metadata through gvfs, read back): one render, then every folder;
// - removing those icons again;
// - the Icons page's first show: from show() to the end of its first paint
//   with every visible cell drawn, and how many cells a scroll through the
//   whole grid draws again (none should be).
// Times are wall clock and CPU time of this thread, in milliseconds; the
// median of a few rounds where a round is cheap enough.
#include "dashboard/IconsPage.h"
#include "icons/FolderIconService.h"
#include "icons/FolderPattern.h"
#include "icons/PatternFolderView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

using namespace nivora;

namespace {

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Clock
{
    QElapsedTimer wall;
    double cpuStart = 0;
    void start()
    {
        cpuStart = threadCpuMs();
        wall.start();
    }
    double wallMs() const { return double(wall.nsecsElapsed()) / 1e6; }
    double cpuMs() const { return threadCpuMs() - cpuStart; }
};

// CPU seconds (user + system, as procstat counts them) of a process, from
// /proc; -1 when it cannot be read.
double processCpuMs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields.at(11).toDouble() + fields.at(12).toDouble()) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// The gvfs metadata daemon of this session bus, which does the writing for
// every folder; its CPU is part of the cost of an apply.
qint64 metadataDaemonPid()
{
    const QDBusReply<uint> pid =
        QDBusConnection::sessionBus().interface()->servicePid(QStringLiteral("org.gtk.vfs.Metadata"));
    return pid.isValid() ? qint64(pid.value()) : -1;
}

void benchApply()
{
    constexpr int folders = 200;
    QTemporaryDir root;
    QStringList paths;
    for (int i = 0; i < folders; ++i) {
        const QString name = QStringLiteral("dossier-%1").arg(i, 3, 10, QLatin1Char('0'));
        QDir(root.path()).mkdir(name);
        paths << QDir(root.path()).filePath(name);
    }
    FolderIconService service;
    const FolderPattern& pattern = FolderPattern::all().at(7);
    // The first use looks the folder up in the icon theme; the page does that
    // once at its creation too, so it is reported on its own.
    Clock clock;
    clock.start();
    service.folderImage(FolderIconService::iconPixels);
    std::printf("folder image from the theme: %.1f ms wall, %.1f ms cpu\n", clock.wallMs(), clock.cpuMs());

    std::vector<double> renderWall, renderCpu, applyWall, applyCpu, resetWall, resetCpu, daemonApply,
        daemonReset;
    qint64 daemon = -1;
    for (int round = 0; round < 5; ++round) {
        clock.start();
        const QImage icon = service.renderPattern(pattern);
        renderWall.push_back(clock.wallMs());
        renderCpu.push_back(clock.cpuMs());
        double daemonStart = processCpuMs(daemon);
        clock.start();
        const FolderIconReport applied = service.apply(icon, paths);
        applyWall.push_back(clock.wallMs());
        applyCpu.push_back(clock.cpuMs());
        if (daemon < 0)
            daemon = metadataDaemonPid();
        else
            daemonApply.push_back(processCpuMs(daemon) - daemonStart);
        if (!applied.allSucceeded()) {
            std::printf("apply failed: %s\n", qPrintable(applied.message()));
            return;
        }
        daemonStart = processCpuMs(daemon);
        clock.start();
        const FolderIconReport reset = service.reset(paths);
        resetWall.push_back(clock.wallMs());
        resetCpu.push_back(clock.cpuMs());
        daemonReset.push_back(processCpuMs(daemon) - daemonStart);
        if (!reset.allSucceeded()) {
            std::printf("reset failed: %s\n", qPrintable(reset.message()));
            return;
        }
    }
    std::printf("render one pattern at 1024 px: %.1f ms wall, %.1f ms cpu (median of 5)\n",
                median(renderWall), median(renderCpu));
    std::printf("apply to %d folders (PNG write + set + read back): %.1f ms wall, %.1f ms cpu; "
                "%.2f ms per folder wall\n",
                folders, median(applyWall), median(applyCpu), median(applyWall) / folders);
    std::printf("render + apply per folder: %.2f ms wall\n",
                (median(renderWall) + median(applyWall)) / folders);
    if (!daemonApply.empty())
        std::printf(
            "gvfs metadata daemon cpu: %.1f ms for the apply, %.1f ms for the reset (ticks of 10 ms); "
            "render + apply cpu per folder, both processes: %.2f ms\n",
            median(daemonApply), median(daemonReset),
            (median(renderCpu) + median(applyCpu) + median(daemonApply)) / folders);
    std::printf("reset %d folders: %.1f ms wall, %.1f ms cpu; %.2f ms per folder wall\n", folders,
                median(resetWall), median(resetCpu), median(resetWall) / folders);
}

int renderedCells(const QWidget& page)
{
    int total = 0;
    for (const PatternFolderView* view : page.findChildren<PatternFolderView*>())
        total += view->renderCount();
    return total;
}

void benchPage()
{
    std::vector<double> firstShow, firstShowCpu;
    int visibleCells = 0;
    int scrollRenders = -1;
    for (int round = 0; round < 5; ++round) {
        QScrollArea area;
        area.resize(900, 700);
        area.setWidgetResizable(true);
        Clock clock;
        clock.start();
        auto* page = new IconsPage;
        area.setWidget(page);
        area.show();
        // Until the window's first paint has gone through: exposure, layout
        // and the paint of every visible cell all happen before this returns.
        while (renderedCells(*page) == 0 || !area.windowHandle() || !area.windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        firstShow.push_back(clock.wallMs());
        firstShowCpu.push_back(clock.cpuMs());
        visibleCells = renderedCells(*page);

        if (round == 0) {
            // Down to the bottom and back, a screen at a time: every cell is
            // drawn once when it first appears, never again.
            QScrollBar* bar = area.verticalScrollBar();
            for (int pass = 0; pass < 2; ++pass) {
                for (int v = 0; v <= bar->maximum(); v += area.viewport()->height() / 2) {
                    bar->setValue(v);
                    QTest::qWait(10);
                }
                bar->setValue(bar->maximum());
                QTest::qWait(10);
                bar->setValue(0);
                QTest::qWait(10);
                if (pass == 0)
                    scrollRenders = renderedCells(*page);
            }
            scrollRenders = renderedCells(*page) - scrollRenders;
        }
    }
    std::printf("Icons page first show to end of first paint: %.1f ms wall, %.1f ms cpu (median of 5); "
                "%d cells drawn for it\n",
                median(firstShow), median(firstShowCpu), visibleCells);
    std::printf("Icons page scrolling through the grid a second time: %d cells drawn again\n", scrollRenders);
}

} // namespace

// Saves a picture of the page as first shown, for looking at.
void savePage(const QString& file)
{
    QScrollArea area;
    area.resize(1000, 1400);
    area.setWidgetResizable(true);
    auto* page = new IconsPage;
    area.setWidget(page);
    area.show();
    if (!QTest::qWaitForWindowExposed(&area))
        std::printf("the window was never shown\n");
    QTest::qWait(300);
    page->grab().save(file);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--shot")) {
        savePage(args.at(2));
        return 0;
    }
    benchPage();
    benchApply();
    return 0;
}
