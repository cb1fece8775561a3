// Plays a short clip as the video wallpaper and times every frame converted
// around the loop point, for bench/media/loop.sh. The clip's first frame is
// marked (mostly red): a marked frame is the start of a loop. Prints one JSON
// line: the frame period, how many loops were seen, the longest gap between
// two frames at a loop point and anywhere else (in frame periods), and the
// frames that came out black.
//
//   bench_loop --media PATH --fps F [--loops N] [--timeout S]
#include "desktop/WallpaperController.h"
#include "media/SoftwareVideoRenderer.h"
#include "platform/PlatformServices.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace nivora;

namespace {

struct Frame
{
    qint64 ns;
    bool marked;
    bool black;
};

struct Recorder
{
    QMutex mutex;
    std::vector<Frame> frames;
    int marks = 0;
    bool lastMarked = false;
};

void observe(void* data, const unsigned char* pixels, QSize size)
{
    auto* recorder = static_cast<Recorder*>(data);
    const qint64 ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count();
    // bgr0: a few points across the frame tell a marked frame and a black one.
    int red = 0, dark = 0, points = 0;
    for (int y = 1; y < 4; ++y) {
        for (int x = 1; x < 4; ++x) {
            const unsigned char* p =
                pixels + (qsizetype(size.height() * y / 4) * size.width() + size.width() * x / 4) * 4;
            red += (p[2] > 180 && p[1] < 80 && p[0] < 80) ? 1 : 0;
            dark += (p[0] < 16 && p[1] < 16 && p[2] < 16) ? 1 : 0;
            ++points;
        }
    }
    QMutexLocker lock(&recorder->mutex);
    const bool marked = red == points;
    recorder->frames.push_back({ns, marked, dark == points});
    // The marked frame may be drawn twice (an exposure): a loop starts at
    // the first of a run of marked frames.
    recorder->marks += marked && !recorder->lastMarked ? 1 : 0;
    recorder->lastMarked = marked;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString media;
    double fps = 30;
    int loops = 100;
    double timeout = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--media"))
            media = next, ++i;
        else if (a == QLatin1String("--fps"))
            fps = next.toDouble(), ++i;
        else if (a == QLatin1String("--loops"))
            loops = next.toInt(), ++i;
        else if (a == QLatin1String("--timeout"))
            timeout = next.toDouble(), ++i;
        else {
            std::fprintf(stderr, "bench_loop: unknown argument %s\n", qPrintable(a));
            return 2;
        }
    }
    if (media.isEmpty() || fps <= 0 || loops < 1) {
        std::fprintf(stderr, "usage: bench_loop --media PATH --fps F [--loops N] [--timeout S]\n");
        return 2;
    }

    QTemporaryDir dir;
    DefaultsStore store(dir.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);
    state.setSaveDelayForTesting(60 * 60 * 1000);
    state.setBatterySaver(false);
    state.setMediaPath(media);
    state.setWallpaperMode(WallpaperMode::Video);

    Recorder recorder;
    recorder.frames.reserve(size_t(loops + 2) * 4096);
    SoftwareVideoRenderer::setFrameObserverForTesting(observe, &recorder);
    WallpaperController controller(state, PlatformServices::shared());
    controller.start();
    // The first mark starts the first whole loop; `loops` more end the run.
    const auto marks = [&] {
        QMutexLocker lock(&recorder.mutex);
        return recorder.marks;
    };
    const int timeoutMs = int((timeout > 0 ? timeout : 60 + loops * 70.0) * 1000);
    const bool done = QTest::qWaitFor([&] { return marks() > loops; }, timeoutMs);
    SoftwareVideoRenderer::setFrameObserverForTesting(nullptr, nullptr);
    state.setIsRunning(false);
    if (!QTest::qWaitFor([&] { return controller.windowCount() == 0; }, 10000))
        std::fprintf(stderr, "bench_loop: the wallpaper did not stop\n");

    const double period = 1e9 / fps;
    std::vector<Frame> frames;
    {
        QMutexLocker lock(&recorder.mutex);
        frames = recorder.frames;
    }
    // From the first marked frame on: what came before is the opening.
    const auto first = std::find_if(frames.begin(), frames.end(), [](const Frame& f) { return f.marked; });
    double longestAtLoop = 0, longestElsewhere = 0;
    int seen = 0, blackAtLoop = 0, black = 0;
    std::vector<double> gaps;
    for (auto it = first; it != frames.end() && it + 1 != frames.end(); ++it) {
        const Frame& next = *(it + 1);
        const double gap = (next.ns - it->ns) / period;
        gaps.push_back(gap);
        // A loop point: the last frame of one pass and the first of the next,
        // and the one after it (a decoder restarting may hold the first).
        const bool atLoop = next.marked || it->marked;
        if (next.marked && !it->marked)
            ++seen;
        if (atLoop)
            longestAtLoop = std::max(longestAtLoop, gap);
        else
            longestElsewhere = std::max(longestElsewhere, gap);
        if (next.black) {
            ++black;
            // The three frames either side of a loop point.
            bool nearLoop = false;
            for (auto k = std::max(first, it - 2); k != frames.end() && k <= it + 4; ++k)
                nearLoop = nearLoop || k->marked;
            blackAtLoop += nearLoop ? 1 : 0;
        }
    }
    std::sort(gaps.begin(), gaps.end());
    QJsonObject out;
    out.insert(QStringLiteral("media"), media);
    out.insert(QStringLiteral("complete"), done);
    out.insert(QStringLiteral("loops"), seen);
    out.insert(QStringLiteral("frames"), qint64(gaps.size()));
    out.insert(QStringLiteral("median_gap_periods"), gaps.empty() ? 0.0 : gaps[gaps.size() / 2]);
    out.insert(QStringLiteral("longest_gap_at_loop_periods"), longestAtLoop);
    out.insert(QStringLiteral("longest_gap_elsewhere_periods"), longestElsewhere);
    out.insert(QStringLiteral("black_frames"), black);
    out.insert(QStringLiteral("black_frames_at_loop"), blackAtLoop);
    std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return done ? 0 : 1;
}
