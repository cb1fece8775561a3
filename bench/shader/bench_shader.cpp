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
//
// With --readback it times what the shared-memory route to a compositor adds
// to each frame instead: glReadPixels of a drawn framebuffer (BGRA, as the
// desktop reads it) into a shared-memory mapping, and one copy of those bytes
// (what taking the frame into a buffer of one's own costs), at each size
// (default 1920x1080 and 3840x2160); medians over FRAMES.
//   bench_shader --readback [--frames N] [--size WxH ...]
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
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>
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

// Shared memory as a compositor's buffer has it: a memfd mapped in.
struct SharedMemory
{
    explicit SharedMemory(size_t size) : bytes(size)
    {
        fd = memfd_create("bench-readback", MFD_CLOEXEC);
        if (fd >= 0 && ftruncate(fd, off_t(size)) == 0)
            data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    }
    ~SharedMemory()
    {
        if (data && data != MAP_FAILED)
            munmap(data, bytes);
        if (fd >= 0)
            close(fd);
    }
    bool isValid() const { return data && data != MAP_FAILED; }
    size_t bytes;
    int fd = -1;
    void* data = nullptr;
};

int timeReadback(OffscreenSceneRenderer& renderer, const QList<QSize>& sizes, int frames)
{
    if (!renderer.makeCurrent())
        return 1;
    QOpenGLExtraFunctions* gl = renderer.context()->extraFunctions();
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));
    std::printf("median ms over %d frames: glReadPixels (BGRA) into shared memory, then one copy of it\n",
                frames);
    for (QSize size : sizes) {
        QOpenGLFramebufferObjectFormat format;
        format.setInternalTextureFormat(WallpaperRenderer::defaultPixelFormat);
        QOpenGLFramebufferObject framebuffer(size, format);
        const size_t bytes = size_t(size.width()) * size_t(size.height()) * 4;
        SharedMemory shared(bytes);
        std::vector<unsigned char> own(bytes);
        if (!framebuffer.isValid() || !shared.isValid()) {
            std::fprintf(stderr, "bench_shader: no framebuffer or memory at %dx%d\n", size.width(),
                         size.height());
            return 1;
        }
        framebuffer.bind();
        gl->glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        gl->glFinish();
        gl->glPixelStorei(GL_PACK_ALIGNMENT, 4);
        std::vector<double> reads, copies;
        QElapsedTimer timer;
        for (int frame = 0; frame < frames + 3; ++frame) {
            timer.start();
            gl->glReadPixels(0, 0, size.width(), size.height(), GL_BGRA, GL_UNSIGNED_BYTE, shared.data);
            const double read = double(timer.nsecsElapsed()) / 1e6;
            timer.start();
            std::memcpy(own.data(), shared.data, bytes);
            const double copy = double(timer.nsecsElapsed()) / 1e6;
            // The first frames fault the memory in.
            if (frame >= 3) {
                reads.push_back(read);
                copies.push_back(copy);
            }
        }
        framebuffer.release();
        const double read = medianOf(reads);
        const double copy = medianOf(copies);
        std::printf("%dx%d (%.1f MB a frame): read back %.2f ms + copy %.2f ms = %.2f ms a frame;"
                    " at 30 fps %.2f ms x 30 = %.1f ms a second = %.1f %% of one core\n",
                    size.width(), size.height(), double(bytes) / 1e6, read, copy, read + copy, read + copy,
                    (read + copy) * 30, (read + copy) * 30 / 10);
    }
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
    const bool readback = args.removeAll(QStringLiteral("--readback")) > 0;
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
        sizes = readback ? QList<QSize>{QSize(1920, 1080), QSize(3840, 2160)}
                         : QList<QSize>{QSize(1080, 608), QSize(1920, 1080)};

    auto renderer = std::make_unique<OffscreenSceneRenderer>();
    if (!renderer->isValid()) {
        std::fprintf(stderr, "bench_shader: %s\n", qPrintable(renderer->errorString()));
        return 1;
    }
    if (runSeconds > 0)
        return runScene(*renderer, runSceneIndex, sizes.first(), runSeconds, runFPS);
    if (readback)
        return timeReadback(*renderer, sizes, frames);
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
