// Measures the scene shader the way the desktop draws it: one full-screen
// triangle per frame with the shared program, offscreen at the wallpaper's
// usual drawable sizes. For each scene and size it draws a few warm-up frames,
// then times FRAMES frames one by one (each waits for the GPU with glFinish)
// and prints the median in milliseconds.
//
// With --per-scene-programs it times instead what a program specialised to
// each scene would cost (the scene number made a compile-time constant). The
// application does not do that; the figures show what the single program's
// branching costs on a renderer that runs every branch, as llvmpipe does.
//   bench_shader [--frames N] [--warmup N] [--size WxH ...] [--per-scene-programs]
#include "engine/OffscreenSceneRenderer.h"
#include "engine/SceneCatalog.h"
#include "engine/SceneShader.h"
#include "engine/WallpaperRenderer.h"
#include "palettes/ColorHex.h"
#include "palettes/WallpaperPalette.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace nivora;

namespace {

double medianOf(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
}

} // namespace

int main(int argc, char** argv)
{
    WallpaperRenderer::configureApplication();
    QGuiApplication app(argc, argv);

    int frames = 30;
    int warmup = 5;
    QList<QSize> sizes;
    QStringList args = app.arguments().mid(1);
    const bool perScenePrograms = args.removeAll(QStringLiteral("--per-scene-programs")) > 0;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--frames"))
            frames = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--warmup"))
            warmup = std::max(0, args[i + 1].toInt());
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
