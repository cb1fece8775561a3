#pragma once

#include "icons/FolderPattern.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace nivora {

// A pattern laid on the folder's shape, as it will look as a folder icon:
// the same composite as the icon written onto folders, at the widget's size.
// The picture is drawn once per size and device pixel ratio and kept; paints
// only copy it, so a grid of these costs nothing to scroll or repaint.
class PatternFolderView : public QWidget
{
    Q_OBJECT

public:
    // `folder` is the generic folder image, at any size (usually 1024 pixels);
    // views given the same image share its scaled copies.
    PatternFolderView(const FolderPattern& pattern, const QImage& folder, QWidget* parent = nullptr);

    const FolderPattern& pattern() const { return m_pattern; }
    // How many times the view took a new picture (drawn, or found drawn by an
    // earlier view); repaints take none.
    int renderCount() const { return m_renders; }
    // The strength the kept picture is shown with (dimmed cells); changing it
    // draws nothing again.
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity);

    QSize sizeHint() const override { return {512, 512}; }

    // The picture of `pattern` on `folder`, `pixels` wide: from the process's
    // pixmap cache, drawn and kept there the first time.
    static QPixmap picture(const FolderPattern& pattern, const QImage& folder, int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FolderPattern m_pattern;
    QImage m_folder;
    QPixmap m_cache;
    int m_renders = 0;
    double m_opacity = 1.0;
};

} // namespace nivora
