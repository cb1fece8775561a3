#include "scene/WallpaperRenderer.h"

#include "model/SceneCatalog.h"
#include "model/SettingsSchema.h"
#include "scene/AnimationClock.h"
#include "scene/GLFunctions.h"
#include "scene/SceneShader.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QOpenGLContext>
#include <QThread>
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <memory>

namespace nivora {

// Shader info logs are for developers only; the application reports a failed
// program with its own single log line.
Q_LOGGING_CATEGORY(lcShader, "nivora.shader", QtInfoMsg)

namespace {

constexpr double timeWrap = 100000.0;
constexpr GLuint scalarsBinding = 0;
constexpr GLuint paletteBinding = 1;
constexpr int paletteEntries = 5;
// The std140 block is 36 bytes of fields rounded up to a vec4 boundary; 64
// leaves room for any driver's rounding.
constexpr GLsizeiptr scalarsBufferSize = 64;

struct GroupEntry
{
    // Resolved from the group's first context; every context of a group
    // reaches the same driver.
    std::shared_ptr<const GLFunctions> gl;
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    std::map<GLenum, GLuint> programs;
    // Per-scene builds, made on first use; 0 remembers a failure.
    std::map<int, GLuint> sceneFragments;
    std::map<std::pair<GLenum, int>, GLuint> scenePrograms;
};

int sceneCount()
{
    static const int count = int(availableScenes().size());
    return count;
}

// Every scene number outside the catalog draws snow, like the last scene.
int sceneKey(std::int32_t scene)
{
    const int last = sceneCount() - 1;
    return scene >= 0 && scene < last ? int(scene) : last;
}

struct ProgramCache
{
    QMutex mutex;
    // Keyed by Qt's QOpenGLContextGroup or a native context's group object.
    std::map<const QObject*, GroupEntry> groups;
    const char* source = nullptr; // nullptr: the real scene shader
    WallpaperRenderer::CacheCounters counters;
};

ProgramCache& cache()
{
    static ProgramCache instance;
    return instance;
}

double monotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

GLuint compileStage(const GLFunctions* gl, GLenum stage, const char* define, const char* source,
                    const QByteArray& extraDefines = QByteArray())
{
    const QByteArray text =
        QByteArray("#version 330 core\n#define ") + define + " 1\n" + extraDefines + "#line 1\n" + source;
    const char* data = text.constData();
    const GLint length = GLint(text.size());
    GLuint shader = gl->glCreateShader(stage);
    if (shader == 0)
        return 0;
    gl->glShaderSource(shader, 1, &data, &length);
    gl->glCompileShader(shader);
    GLint ok = GL_FALSE;
    gl->glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    GLint logLength = 0;
    gl->glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    QByteArray log(std::max(logLength, 1), '\0');
    gl->glGetShaderInfoLog(shader, GLsizei(log.size()), nullptr, log.data());
    qCDebug(lcShader) << define << "failed to compile:" << log.constData();
    gl->glDeleteShader(shader);
    return 0;
}

GroupEntry compileForGroup(std::shared_ptr<const GLFunctions> functions, const char* source)
{
    GroupEntry entry;
    entry.gl = std::move(functions);
    const GLFunctions* gl = entry.gl.get();
    if (!gl)
        return entry;
    entry.vertexShader = compileStage(gl, GL_VERTEX_SHADER, "NIVORA_VERTEX_STAGE", source);
    entry.fragmentShader = compileStage(gl, GL_FRAGMENT_SHADER, "NIVORA_FRAGMENT_STAGE", source);
    if (entry.vertexShader == 0 || entry.fragmentShader == 0) {
        // Keep neither half: the group is marked as failed by the empty entry.
        if (entry.vertexShader != 0)
            gl->glDeleteShader(entry.vertexShader);
        if (entry.fragmentShader != 0)
            gl->glDeleteShader(entry.fragmentShader);
        entry.vertexShader = entry.fragmentShader = 0;
    }
    return entry;
}

GLuint linkProgram(const GLFunctions* gl, GLuint vertexShader, GLuint fragmentShader)
{
    GLuint program = gl->glCreateProgram();
    if (program == 0)
        return 0;
    gl->glAttachShader(program, vertexShader);
    gl->glAttachShader(program, fragmentShader);
    gl->glLinkProgram(program);
    GLint ok = GL_FALSE;
    gl->glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        GLint logLength = 0;
        gl->glGetProgramiv(program, GL_INFO_LOG_LENGTH, &logLength);
        QByteArray log(std::max(logLength, 1), '\0');
        gl->glGetProgramInfoLog(program, GLsizei(log.size()), nullptr, log.data());
        qCDebug(lcShader) << "failed to link:" << log.constData();
        gl->glDeleteProgram(program);
        return 0;
    }
    // A program without the two inputs cannot show a scene; treat it like a
    // missing entry point.
    const GLuint scalarsIndex = gl->glGetUniformBlockIndex(program, "Scalars");
    const GLuint paletteIndex = gl->glGetUniformBlockIndex(program, "Palette");
    if (scalarsIndex == GL_INVALID_INDEX || paletteIndex == GL_INVALID_INDEX) {
        qCDebug(lcShader) << "program lacks the Scalars or Palette block";
        gl->glDeleteProgram(program);
        return 0;
    }
    // Binding points are program state shared by every context of the group;
    // they are set once here, before any context can use the program. The
    // buffers bound to those points are per-context state, so renderers on
    // different threads never see each other's uniforms.
    gl->glUniformBlockBinding(program, scalarsIndex, scalarsBinding);
    gl->glUniformBlockBinding(program, paletteIndex, paletteBinding);
    return program;
}

} // namespace

void WallpaperRenderer::configureApplication()
{
    // Qt's own application-wide share context (Qt::AA_ShareOpenGLContexts)
    // would be made with the application, whatever it shows.
    QSurfaceFormat::setDefaultFormat(surfaceFormat());
}

namespace {

QMutex shareContextMutex;
QOpenGLContext* theShareContext = nullptr;
bool shareContextTried = false;

void releaseShareContext()
{
    QMutexLocker lock(&shareContextMutex);
    delete theShareContext;
    theShareContext = nullptr;
}

} // namespace

QOpenGLContext* WallpaperRenderer::shareContext()
{
    QMutexLocker lock(&shareContextMutex);
    // A context belongs to the thread it is made on; the share group's root
    // must outlive every render thread.
    if (shareContextTried || !QCoreApplication::instance() ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return theShareContext;
    shareContextTried = true;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(surfaceFormat());
    if (!context->create())
        return nullptr;
    theShareContext = context.release();
    // Before the platform integration goes with the application.
    qAddPostRoutine(releaseShareContext);
    return theShareContext;
}

bool WallpaperRenderer::hasShareContext()
{
    QMutexLocker lock(&shareContextMutex);
    return theShareContext != nullptr;
}

QSurfaceFormat WallpaperRenderer::surfaceFormat()
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(0);
    return format;
}

GLenum WallpaperRenderer::pixelFormatOf(const QSurfaceFormat& format)
{
    return format.alphaBufferSize() > 0 ? GLenum(0x8058) /* GL_RGBA8 */ : GLenum(0x8051) /* GL_RGB8 */;
}

double WallpaperRenderer::epoch()
{
    static const double origin = monotonicSeconds();
    return origin;
}

float WallpaperRenderer::wrapTime(double secondsSinceEpoch)
{
    if (!std::isfinite(secondsSinceEpoch))
        return 0.0f;
    double wrapped = std::fmod(secondsSinceEpoch, timeWrap);
    if (wrapped < 0.0)
        wrapped += timeWrap;
    return float(wrapped);
}

float WallpaperRenderer::animationTime()
{
    return AnimationClock::shared().sample().time;
}

void WallpaperRenderer::pinAnimationTimeForTesting(std::optional<double> secondsSinceEpoch)
{
    AnimationClock::shared().restartForTesting(secondsSinceEpoch);
}

Scalars WallpaperRenderer::makeScalars(QSizeF drawableSize, float time, double speed, double intensity,
                                       double scale, double colorShift, double sharpness, qint64 scene)
{
    Scalars s;
    // The negated comparisons also turn NaN sizes into 1.
    s.resolution[0] = !(drawableSize.width() > 1.0) ? 1.0f : float(drawableSize.width());
    s.resolution[1] = !(drawableSize.height() > 1.0) ? 1.0f : float(drawableSize.height());
    s.time = time;
    // Whatever the settings hold (a file edited by hand, say), the shader gets
    // finite values within the ranges its formulas are made for.
    using SettingsSchema::forRenderer;
    using SettingsSchema::get;
    static const SettingsSchema::Setting& speedSetting = get(QStringLiteral("speed"));
    static const SettingsSchema::Setting& intensitySetting = get(QStringLiteral("intensity"));
    static const SettingsSchema::Setting& scaleSetting = get(QStringLiteral("scale"));
    static const SettingsSchema::Setting& colorShiftSetting = get(QStringLiteral("colorShift"));
    static const SettingsSchema::Setting& sharpnessSetting = get(QStringLiteral("sharpness"));
    s.speed = float(forRenderer(speedSetting, speed));
    s.intensity = float(forRenderer(intensitySetting, intensity));
    s.scale = float(forRenderer(scaleSetting, scale));
    s.colorShift = float(forRenderer(colorShiftSetting, colorShift));
    s.sharpness = float(forRenderer(sharpnessSetting, sharpness));
    s.scene = std::int32_t(std::clamp<qint64>(scene, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
    return s;
}

void WallpaperRenderer::placeOnCanvas(Scalars& s, const QRectF& canvas, QSizeF drawableSize)
{
    if (canvas.isEmpty() || canvas == QRectF(0, 0, 1, 1))
        return;
    const double w = std::max(drawableSize.width(), 1.0);
    const double h = std::max(drawableSize.height(), 1.0);
    s.resolution[0] = float(std::max(canvas.width() * w, 1.0));
    s.resolution[1] = float(std::max(canvas.height() * h, 1.0));
    // The shader counts rows from the bottom: the drawable's bottom edge is
    // as far above the canvas's as the canvas extends below the drawable.
    s.offset[0] = float(-canvas.x() * w);
    s.offset[1] = float((canvas.y() + canvas.height() - 1.0) * h);
}

Scalars WallpaperRenderer::scalarsFromState(const AppState& state, QSizeF drawableSize, float time)
{
    return makeScalars(drawableSize, time, state.speed(), state.intensity(), state.scale(),
                       state.colorShift(), state.sharpness(), state.sceneIndex());
}

Scalars WallpaperRenderer::scalarsFromState(const AppState& state, QSizeF drawableSize,
                                            const AnimationClock::Sample& clock)
{
    return makeScalars(drawableSize, clock.time, clock.speed, state.intensity(), state.scale(),
                       state.colorShift(), state.sharpness(), state.sceneIndex());
}

namespace {

// Whether a Qt context can run the scene at all: OpenGL 3.3 core. A native
// context is made so.
bool isUsable(QOpenGLContext* context)
{
    const QSurfaceFormat format = context->format();
    if (context->isOpenGLES() || format.version() < qMakePair(3, 3)) {
        qCDebug(lcShader) << "context offers OpenGL" << format.majorVersion() << format.minorVersion()
                          << "; 3.3 core is needed";
        return false;
    }
    return true;
}

// The shared program of `group` for the colour format, compiling the source
// the first time the group is seen with the entry points `resolve` makes.
GLuint programOfGroup(QObject* group, const std::function<std::shared_ptr<const GLFunctions>()>& resolve,
                      GLenum pixelFormat)
{
    ProgramCache& c = cache();
    QMutexLocker locker(&c.mutex);

    auto it = c.groups.find(group);
    if (it == c.groups.end()) {
        ++c.counters.compilations;
        it = c.groups.emplace(group, compileForGroup(resolve(), c.source ? c.source : sceneShaderSource))
                 .first;
        // The group's objects die with its last context; forget them then, so
        // that a later group at the same address compiles afresh.
        QObject::connect(group, &QObject::destroyed, [group] {
            ProgramCache& owner = cache();
            QMutexLocker destroyedLocker(&owner.mutex);
            owner.groups.erase(group);
        });
    }
    GroupEntry& entry = it->second;
    if (auto found = entry.programs.find(pixelFormat); found != entry.programs.end())
        return found->second;
    if (entry.vertexShader == 0 || entry.fragmentShader == 0)
        return 0;

    ++c.counters.links;
    const GLuint program = linkProgram(entry.gl.get(), entry.vertexShader, entry.fragmentShader);
    if (program != 0)
        entry.programs.emplace(pixelFormat, program);
    return program;
}

// The program of one scene in `group`, whose shared program exists.
GLuint sceneProgramOfGroup(QObject* group, GLenum pixelFormat, int key)
{
    ProgramCache& c = cache();
    QMutexLocker locker(&c.mutex);
    auto found = c.groups.find(group);
    if (found == c.groups.end())
        return 0;
    GroupEntry& entry = found->second;
    if (auto program = entry.scenePrograms.find({pixelFormat, key}); program != entry.scenePrograms.end())
        return program->second;

    const GLFunctions* gl = entry.gl.get();
    auto fragment = entry.sceneFragments.find(key);
    if (fragment == entry.sceneFragments.end()) {
        ++c.counters.specialisations;
        const QByteArray defines = QByteArray("#define NIVORA_SCENE ") + QByteArray::number(key) + "\n";
        fragment = entry.sceneFragments
                       .emplace(key, compileStage(gl, GL_FRAGMENT_SHADER, "NIVORA_FRAGMENT_STAGE",
                                                  c.source ? c.source : sceneShaderSource, defines))
                       .first;
    }
    GLuint program = 0;
    if (fragment->second != 0) {
        ++c.counters.sceneLinks;
        program = linkProgram(gl, entry.vertexShader, fragment->second);
    }
    // A failed build is remembered: callers fall back to the shared program.
    entry.scenePrograms.emplace(std::make_pair(pixelFormat, key), program);
    return program;
}

std::function<std::shared_ptr<const GLFunctions>()> qtFunctions(QOpenGLContext* context)
{
    return [context]() -> std::shared_ptr<const GLFunctions> {
        if (!isUsable(context))
            return nullptr;
        return GLFunctions::of(context);
    };
}

} // namespace

GLuint WallpaperRenderer::sharedProgram(QOpenGLContext* context, GLenum pixelFormat)
{
    if (context == nullptr || QOpenGLContext::currentContext() != context)
        return 0;
    return programOfGroup(context->shareGroup(), qtFunctions(context), pixelFormat);
}

GLuint WallpaperRenderer::sceneProgram(QOpenGLContext* context, GLenum pixelFormat, std::int32_t scene)
{
    if (sharedProgram(context, pixelFormat) == 0)
        return 0;
    return sceneProgramOfGroup(context->shareGroup(), pixelFormat, sceneKey(scene));
}

WallpaperRenderer::CacheCounters WallpaperRenderer::cacheCounters()
{
    ProgramCache& c = cache();
    QMutexLocker locker(&c.mutex);
    return c.counters;
}

void WallpaperRenderer::setShaderSourceForTesting(const char* source)
{
    ProgramCache& c = cache();
    QMutexLocker locker(&c.mutex);
    c.source = source;
    c.groups.clear();
    c.counters = {};
}

std::unique_ptr<WallpaperRenderer> WallpaperRenderer::create(QOpenGLContext* context, GLenum pixelFormat)
{
    const GLuint program = sharedProgram(context, pixelFormat);
    if (program == 0)
        return nullptr;
    std::unique_ptr<GLFunctions> gl = GLFunctions::of(context);
    if (!gl)
        return nullptr;
    return std::unique_ptr<WallpaperRenderer>(
        new WallpaperRenderer(context, context->shareGroup(), std::move(gl), program, pixelFormat));
}

std::unique_ptr<WallpaperRenderer> WallpaperRenderer::create(const NativeContext& context, GLenum pixelFormat)
{
    if (!context.group || !context.resolve)
        return nullptr;
    std::unique_ptr<GLFunctions> gl = GLFunctions::resolve(context.resolve);
    if (!gl)
        return nullptr;
    const GLuint program = programOfGroup(
        context.group,
        [&context]() -> std::shared_ptr<const GLFunctions> { return GLFunctions::resolve(context.resolve); },
        pixelFormat);
    if (program == 0)
        return nullptr;
    return std::unique_ptr<WallpaperRenderer>(
        new WallpaperRenderer(nullptr, context.group, std::move(gl), program, pixelFormat));
}

WallpaperRenderer::WallpaperRenderer(QOpenGLContext* context, QObject* group, std::unique_ptr<GLFunctions> gl,
                                     GLuint program, GLenum pixelFormat)
    : m_context(context), m_group(group), m_gl(std::move(gl)), m_program(program), m_pixelFormat(pixelFormat),
      m_scenePrograms(size_t(sceneCount()), 0), m_sceneProgramTried(size_t(sceneCount()), false)
{
    // Vertex arrays are not shared between contexts, and core profile draws
    // nothing without one bound, so each renderer keeps its own empty one.
    m_gl->glGenVertexArrays(1, &m_vertexArray);
    m_gl->glGenBuffers(1, &m_scalarsBuffer);
    m_gl->glBindBuffer(GL_UNIFORM_BUFFER, m_scalarsBuffer);
    m_gl->glBufferData(GL_UNIFORM_BUFFER, scalarsBufferSize, nullptr, GL_DYNAMIC_DRAW);
    m_gl->glGenBuffers(1, &m_paletteBuffer);
    m_gl->glBindBuffer(GL_UNIFORM_BUFFER, m_paletteBuffer);
    m_gl->glBufferData(GL_UNIFORM_BUFFER, GLsizeiptr(paletteEntries * sizeof(RGBA)), nullptr,
                       GL_DYNAMIC_DRAW);
    m_gl->glBindBuffer(GL_UNIFORM_BUFFER, 0);
}

WallpaperRenderer::~WallpaperRenderer()
{
    if (m_context && QOpenGLContext::currentContext() != m_context)
        return;
    m_gl->glDeleteBuffers(1, &m_paletteBuffer);
    m_gl->glDeleteBuffers(1, &m_scalarsBuffer);
    m_gl->glDeleteVertexArrays(1, &m_vertexArray);
}

void WallpaperRenderer::setViewport(QSize viewport)
{
    m_gl->glViewport(0, 0, viewport.width(), viewport.height());
}

void WallpaperRenderer::bindDefaultFramebuffer(QSize viewport)
{
    m_gl->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    setViewport(viewport);
}

GLuint WallpaperRenderer::programForScene(std::int32_t scene)
{
    const int key = sceneKey(scene);
    if (!m_sceneProgramTried[key]) {
        m_sceneProgramTried[key] = true;
        m_scenePrograms[key] = sceneProgramOfGroup(m_group, m_pixelFormat, key);
    }
    return m_scenePrograms[key] != 0 ? m_scenePrograms[key] : m_program;
}

void WallpaperRenderer::uploadScalars(const Scalars& scalars)
{
    m_scene = scalars.scene;
    m_gl->glBindBufferBase(GL_UNIFORM_BUFFER, scalarsBinding, m_scalarsBuffer);
    m_gl->glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(Scalars), &scalars);
}

void WallpaperRenderer::uploadPalette(const QList<RGBA>& palette)
{
    std::array<RGBA, paletteEntries> colours;
    colours.fill(RGBA{0.0f, 0.0f, 0.0f, 1.0f});
    std::copy_n(palette.cbegin(), std::min<qsizetype>(palette.size(), paletteEntries), colours.begin());
    m_gl->glBindBufferBase(GL_UNIFORM_BUFFER, paletteBinding, m_paletteBuffer);
    m_gl->glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(colours), colours.data());
}

void WallpaperRenderer::drawTriangle()
{
    m_gl->glDisable(GL_BLEND);
    m_gl->glDisable(GL_DEPTH_TEST);
    m_gl->glDisable(GL_SCISSOR_TEST);
    m_gl->glDisable(GL_CULL_FACE);
    m_gl->glUseProgram(programForScene(m_scene));
    m_gl->glBindBufferBase(GL_UNIFORM_BUFFER, scalarsBinding, m_scalarsBuffer);
    m_gl->glBindBufferBase(GL_UNIFORM_BUFFER, paletteBinding, m_paletteBuffer);
    m_gl->glBindVertexArray(m_vertexArray);
    m_gl->glDrawArrays(GL_TRIANGLES, 0, 3);
    m_gl->glBindVertexArray(0);
    m_gl->glUseProgram(0);
}

void WallpaperRenderer::draw(const Scalars& scalars, const QList<RGBA>& palette)
{
    uploadScalars(scalars);
    uploadPalette(palette);
    drawTriangle();
}

} // namespace nivora
