// Measures how long the folder patterns take to paint, the way the application
// paints them: each preset alone on a 512 × 512 canvas (an icon render), and the
// Icons page grid of 52 cells of 82 × 82 pixels, each drawn on the 512-unit canvas
// scaled by 82/512. Times are the CPU time of the painting thread, so that other
// processes sharing the core do not count; the median of many rounds is printed,
// with the wall-clock median beside it. With --sheet FILE it writes a contact sheet
// of all presets instead, for looking at.
#include "icons/FolderPattern.h"
#include "icons/PatternDraw.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace nivora;

namespace {

constexpr double canvas = 512.0;

double medianOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Timing
{
    double cpu = 0;
    double wall = 0;
};

// Medians over `rounds` of the thread CPU time and of the wall-clock time of one
// call of `work`, in milliseconds.
template <typename F> Timing timeMs(int rounds, F&& work)
{
    std::vector<double> cpu;
    std::vector<double> wall;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        const double start = threadCpuMs();
        timer.start();
        work();
        wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        cpu.push_back(threadCpuMs() - start);
    }
    return Timing{medianOf(cpu), medianOf(wall)};
}

void renderCell(const FolderPattern& pattern, QImage& image, int pixels)
{
    QPainter painter(&image);
    painter.scale(pixels / canvas, pixels / canvas);
    PatternDraw::render(pattern, painter, QSizeF(canvas, canvas));
}

void writeSheet(const QString& path)
{
    constexpr int cell = 160;
    constexpr int columns = 8;
    const auto& all = FolderPattern::all();
    const int rows = (static_cast<int>(all.size()) + columns - 1) / columns;
    QImage sheet(columns * cell, rows * cell, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < all.size(); ++i) {
        QImage image(cell - 8, cell - 8, QImage::Format_ARGB32_Premultiplied);
        renderCell(all[i], image, cell - 8);
        painter.drawImage((i % columns) * cell + 4, (i / columns) * cell + 4, image);
    }
    painter.end();
    sheet.save(path);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int sheetIndex = static_cast<int>(args.indexOf(QStringLiteral("--sheet")));
    if (sheetIndex > 0 && sheetIndex + 1 < args.size()) {
        writeSheet(args[sheetIndex + 1]);
        return 0;
    }
    const int rounds = 60;

    const auto& all = FolderPattern::all();
    QImage large(512, 512, QImage::Format_ARGB32_Premultiplied);
    QImage small(82, 82, QImage::Format_ARGB32_Premultiplied);

    std::printf("%s %10s %10s %12s %12s\n", qPrintable(QStringLiteral("preset").leftJustified(22)), "512 cpu",
                "82 cpu", "512 wall", "82 wall");
    double worst = 0;
    QString worstName;
    for (const FolderPattern& pattern : all) {
        const Timing big = timeMs(rounds, [&] { renderCell(pattern, large, 512); });
        const Timing little = timeMs(rounds, [&] { renderCell(pattern, small, 82); });
        if (big.cpu > worst) {
            worst = big.cpu;
            worstName = pattern.name();
        }
        std::printf("%s %10.3f %10.3f %12.3f %12.3f\n", qPrintable(pattern.name().leftJustified(22)), big.cpu,
                    little.cpu, big.wall, little.wall);
    }

    // The whole grid as the Icons page redraws it: 52 cells, one after another.
    std::vector<QImage> cells(static_cast<std::size_t>(all.size()), small);
    const Timing grid = timeMs(rounds, [&] {
        for (qsizetype i = 0; i < all.size(); ++i)
            renderCell(all[i], cells[static_cast<std::size_t>(i)], 82);
    });

    std::printf("\nslowest preset at 512 px: %s, %.3f ms CPU (target < 5 ms)\n", qPrintable(worstName),
                worst);
    std::printf("grid of %lld cells at 82 px: %.3f ms CPU, %.3f ms wall (target < 16 ms)\n",
                static_cast<long long>(all.size()), grid.cpu, grid.wall);
    const double gridCpu = grid.cpu;
    return (worst < 5.0 && gridCpu < 16.0) ? 0 : 1;
}
