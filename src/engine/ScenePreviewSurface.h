#pragma once

#include "engine/Scalars.h"

#include <QOpenGLWidget>
#include <memory>

namespace nivora {

class AppState;
class WallpaperRenderer;

// The GL surface inside a ScenePreview: draws one frame of the current scene,
// read from the settings store, each time it is repainted. When the scene
// program cannot be had for its context it logs
// "Lumeris: Metal indisponible ou shader invalide" and paints itself blank.
class ScenePreviewSurface : public QOpenGLWidget
{
    Q_OBJECT

public:
    ScenePreviewSurface(AppState& state, QWidget* parent);
    ~ScenePreviewSurface() override;

    bool hasRenderer() const { return m_renderer != nullptr; }
    qint64 framesDrawn() const { return m_framesDrawn; }
    // The shader's record of the last frame drawn.
    Scalars lastScalars() const { return m_lastScalars; }

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void releaseRenderer();

    AppState& m_state;
    std::unique_ptr<WallpaperRenderer> m_renderer;
    qint64 m_framesDrawn = 0;
    Scalars m_lastScalars;
};

} // namespace nivora
