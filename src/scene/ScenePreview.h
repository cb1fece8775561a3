#pragma once

#include "scene/Scalars.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace nivora {

class AppState;
class ScenePreviewSurface;

// A live preview of the current wallpaper scene, drawn by the desktop's shader
// from the settings store on every frame. It draws continuously while any of it
// can be seen, at its own preferred rate, and ignores the wallpaper's pause
// rules. While hidden, scrolled out of its viewport, or in a window that is
// minimised or covered by other windows, it draws nothing and its frame timer
// stops; the next paint Qt sends it, or the report that its window is no longer
// covered, starts it anew.
//
// It draws with OpenGL only where OpenGL works. When no context or no scene
// program can be had, the preview stays blank and logs
// "Nivora: OpenGL indisponible ou shader invalide" once per preview made.
//
// Needs WallpaperRenderer::configureApplication() before the application
// object exists, so that every preview shares the one compiled program.
class ScenePreview : public QWidget
{
    Q_OBJECT

public:
    // Reads AppState::shared() unless `state` is given; the state must outlive
    // the preview.
    explicit ScenePreview(int fps = 30, QWidget* parent = nullptr, AppState* state = nullptr);
    ~ScenePreview() override;

    int fps() const { return m_fps; }
    // The preferred frame rate; values below 1 count as 1.
    void setFPS(int fps);
    // Milliseconds between two frame requests at the current rate.
    int frameInterval() const { return m_frameTimer.interval(); }

    // False when OpenGL was not available at construction.
    bool hasSurface() const { return m_surface != nullptr; }
    // True once the surface's context has a working scene program.
    bool hasRenderer() const;
    // Frames drawn with the scene program so far.
    qint64 framesDrawn() const;
    // Draws a frame now and returns it; a null image without a surface.
    QImage grabFrame();
    // The shader's record of the last frame drawn.
    Scalars lastScalars() const;

    // Whether this process can make the OpenGL contexts previews need; probed
    // once.
    static bool openGLAvailable();

    // Whether frames are being requested now.
    bool isAnimating() const { return m_frameTimer.isActive(); }
    // Whether any of the preview can be seen: shown, not scrolled or clipped
    // away, in an exposed window.
    bool isOnScreen() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void requestFrame();
    void followAncestors();

    ScenePreviewSurface* m_surface = nullptr;
    QTimer m_frameTimer;
    QMetaObject::Connection m_obscuredConnection;
    QList<QPointer<QWidget>> m_ancestors;
    int m_fps = 30;
};

} // namespace nivora
