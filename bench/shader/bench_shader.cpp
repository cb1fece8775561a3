// Measures the scene shader the way the desktop draws it: one full-screen
// triangle per frame with the shared program, offscreen at the wallpaper's
// usual drawable sizes. For each scene and size it draws a few warm-up frames,
// then times FRAMES frames one by one (each waits for the GPU with glFinish)
// and prints the median in milliseconds.
//
// With --per-scene-programs the shader source is specialised here rather than
// by the renderer (the figures are the same since the renderer does it too).
//
// With --run SECONDS it draws one scene (--scene N, default 0) at the first
// size with the default settings, frame after frame, for a benchmark script
// to measure from outside with procstat: it prints "ready" once warm, and at
// the end one JSON line with the frames drawn and the seconds they took.
//   bench_shader [--frames N] [--warmup N] [--size WxH ...] [--per-scene-programs]
// --fps N paces the frames to N per second, sleeping in between as the desktop
// does, instead of drawing them back to back.
//   bench_shader --run SECONDS [--scene N] [--size WxH] [--fps N]
#include "model/SceneCatalog.h"
#include "palettes/ColorHex.h"
#include "palettes/WallpaperPalette.h"
#include "scene/OffscreenSceneRenderer.h"
#include "scene/SceneShader.h"
#include "scene/WallpaperRenderer.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

using namespace nivora;

namespace {

double medianOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
}

// Draws `scene` with the settings a new user has, as fast as the renderer
// allows, for `seconds` after a warm-up.
// With `fps` above 0 the frames are paced to that rate (sleeping between
// them, as the desktop does) instead.
int runScene(OffscreenSceneRenderer& renderer, int scene, QSize size, double seconds, int fps)
{
    QTemporaryDir dir;
    DefaultsStore store(dir.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);
    const QList<RGBA> palette = state.paletteRGBACache();
    auto scalarsAt = [&](double time) {
        return WallpaperRenderer::makeScalars(size, float(time), state.speed(), state.intensity(),
                                              state.scale(), state.colorShift(), state.sharpness(), scene);
    };
    for (int frame = 0; frame < 10; ++frame) {
        if (!renderer.drawAndFinish(size, scalarsAt(100.0 + frame / 30.0), palette)) {
            std::fprintf(stderr, "bench_shader: drawing failed at %dx%d\n", size.width(), size.height());
            return 1;
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QElapsedTimer timer;
    timer.start();
    qint64 frames = 0;
    while (timer.elapsed() < qint64(seconds * 1000)) {
        renderer.drawAndFinish(size, scalarsAt(100.0 + double(frames) / 30.0), palette);
        ++frames;
        if (fps > 0) {
            const qint64 due = frames * 1000000000LL / fps;
            const qint64 wait = due - timer.nsecsElapsed();
            if (wait > 0)
                std::this_thread::sleep_for(std::chrono::nanoseconds(wait));
        }
    }
    std::printf("{\"scene\":%d,\"width\":%d,\"height\":%d,\"frames\":%lld,\"seconds\":%.3f}\n", scene,
                size.width(), size.height(), static_cast<long long>(frames), timer.elapsed() / 1000.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    QGuiApplication app(argc, argv);

    int frames = 30;
    int warmup = 5;
    double runSeconds = 0;
    int runFPS = 0;
    int runSceneIndex = 0;
    QList<QSize> sizes;
    QStringList args = app.arguments().mid(1);
    const bool perScenePrograms = args.removeAll(QStringLiteral("--per-scene-programs")) > 0;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--frames"))
            frames = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--warmup"))
            warmup = std::max(0, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--run"))
            runSeconds = args[i + 1].toDouble();
        else if (args[i] == QLatin1String("--fps"))
            runFPS = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--scene"))
            runSceneIndex = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--size")) {
            const QStringList parts = args[i + 1].split(QLatin1Char('x'));
            if (parts.size() == 2)
                sizes.append(QSize(parts[0].toInt(), parts[1].toInt()));
        }
    }
    if (sizes.isEmpty())
        sizes = {QSize(1080, 608), QSize(1920, 1080)};

    auto renderer = std::make_unique<OffscreenSceneRenderer>();
    if (!renderer->isValid()) {
        std::fprintf(stderr, "bench_shader: %s\n", qPrintable(renderer->errorString()));
        return 1;
    }
    if (runSeconds > 0)
        return runScene(*renderer, runSceneIndex, sizes.first(), runSeconds, runFPS);
    renderer->makeCurrent();
    auto* gl = renderer->context()->functions();
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
    std::printf("median ms per frame over %d frames after %d warm-up frames%s\n", frames, warmup,
                perScenePrograms ? ", one specialised program per scene" : "");

    QList<RGBA> palette;
    for (const QColor& colour : WallpaperPalette::presets().first().colors())
        palette.append(rgba(colour));

    std::printf("%-3s %-10s", "id", "scene");
    for (QSize size : sizes)
        std::printf(" %12s", qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    std::printf("\n");

    QByteArray specialised;
    for (const SceneInfo& scene : availableScenes()) {
        if (perScenePrograms) {
            specialised = QByteArray("#define NIVORA_SCENE ") + QByteArray::number(scene.id) + "\n" +
                          QByteArray(sceneShaderSource).replace("u.scene", "NIVORA_SCENE");
            WallpaperRenderer::setShaderSourceForTesting(specialised.constData());
            renderer = std::make_unique<OffscreenSceneRenderer>();
            if (!renderer->isValid()) {
                std::fprintf(stderr, "bench_shader: %s\n", qPrintable(renderer->errorString()));
                return 1;
            }
        }
        std::printf("%-3d %-10s", scene.id, qPrintable(scene.name.leftJustified(10)));
        for (QSize size : sizes) {
            std::vector<double> samples;
            QElapsedTimer timer;
            for (int frame = 0; frame < warmup + frames; ++frame) {
                // Time moves as it does on the desktop at 30 frames per second.
                const float time = 100.0f + float(frame) / 30.0f;
                const Scalars scalars =
                    WallpaperRenderer::makeScalars(size, time, 0.5, 0.6, 0.5, 0.0, 0.5, scene.id);
                timer.start();
                if (!renderer->drawAndFinish(size, scalars, palette)) {
                    std::fprintf(stderr, "bench_shader: drawing failed at %dx%d\n", size.width(),
                                 size.height());
                    return 1;
                }
                if (frame >= warmup)
                    samples.push_back(double(timer.nsecsElapsed()) / 1e6);
            }
            std::printf(" %12.2f", medianOf(samples));
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
