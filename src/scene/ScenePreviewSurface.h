#pragma once

#include "scene/AnimationClock.h"
#include "scene/Scalars.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>

class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace nivora {

class AppState;
class WallpaperRenderer;

// The picture inside a ScenePreview: each repaint draws one frame of the
// current scene, read from the settings store, into an offscreen framebuffer
// of the process's one preview context, reads it back and paints it like any
// other widget content.
//
// The window around it stays a plain raster window: a GL widget would make Qt
// recompose and present the whole window through OpenGL for every preview
// frame (several times the cost of the frame itself on a software renderer)
// and recreate the window's native surface the first time one is shown.
//
// When the scene program cannot be had it logs
// "Nivora: OpenGL indisponible ou shader invalide" once and paints itself
// blank.
class ScenePreviewSurface : public QWidget
{
    Q_OBJECT

public:
    ScenePreviewSurface(AppState& state, QWidget* parent);
    ~ScenePreviewSurface() override;

    bool hasRenderer() const { return m_renderer != nullptr; }
    qint64 framesDrawn() const { return m_framesDrawn; }
    // The shader's record of the last frame drawn.
    Scalars lastScalars() const { return m_lastScalars; }
    // Draws a frame now and returns it; blank when there is no renderer.
    QImage grabFrame();
    // The next paint draws a new frame; other paints (an overlay hovered, the
    // window exposed) show the last one again.
    void requestFrame();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool ensureRenderer();
    void releaseRenderer();
    // Draws into m_frame; false when nothing could be drawn.
    bool drawFrame();

    AppState& m_state;
    // For a store whose dynamic property "ownAnimationClock" is true: a copy of
    // one screen's values that runs at a speed of its own, which must not move
    // the shared clock every desktop view of the main settings follows.
    AnimationClock m_ownClock;
    QPointer<QOpenGLContext> m_context;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    std::unique_ptr<QOpenGLFramebufferObject> m_framebuffer;
    QImage m_frame;
    bool m_attempted = false;
    bool m_frameDue = true;
    qint64 m_framesDrawn = 0;
    Scalars m_lastScalars;
};

} // namespace nivora
