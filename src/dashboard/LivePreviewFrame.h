#pragma once

#include <QWidget>

namespace nivora {

class ScenePreview;

// A live preview of the wallpaper in a hand-drawn frame: a sheet with a rough
// ink outline and a hard shadow, and the preview inside it, inset by `inset`
// and rounded by `cornerRadius`. Pages put their own captions and buttons over
// the preview in overlay(), which lies exactly over it and lets clicks through
// where it has no child.
class LivePreviewFrame : public QWidget
{
    Q_OBJECT

public:
    LivePreviewFrame(int height, int inset, double cornerRadius, quint64 seed, QWidget* parent = nullptr);

    ScenePreview* preview() const { return m_preview; }
    QWidget* overlay() const { return m_overlay; }

    // The sheet (without the shadow room) and the preview's rectangle.
    QRectF sheetRect() const;
    QRect previewRect() const;
    double cornerRadius() const { return m_cornerRadius; }
    quint64 seed() const { return m_seed; }

    static constexpr int shadow = 5;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ScenePreview* m_preview = nullptr;
    QWidget* m_overlay = nullptr;
    QWidget* m_rim = nullptr;
    int m_inset;
    double m_cornerRadius;
    quint64 m_seed;
};

} // namespace nivora
