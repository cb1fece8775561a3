#include "design/FocusMark.h"

#include "design/RoughRectangle.h"
#include "design/Theme.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QWidget>

namespace nivora::FocusMark {

namespace {

constexpr double roughness = 1.2;

// Remembers whether the widget that last took the focus took it from the keyboard
// (or from code acting for it, such as arrow keys moving between rows).
// A window coming back to the front restores the focus without saying how it was
// first given, so that reason keeps what was known.
class FocusReasonWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason || watched != lastFocused) {
                lastFocused = static_cast<QWidget*>(watched);
                // Focus that a window hands out as it opens was asked for by no one.
                byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                             reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
            }
        }
        return false;
    }

    QPointer<QWidget> lastFocused;
    bool byKeyboard = false;
};

FocusReasonWatcher* watcher()
{
    static FocusReasonWatcher* instance = [] {
        auto* w = new FocusReasonWatcher;
        if (qApp) {
            w->setParent(qApp);
            qApp->installEventFilter(w);
        }
        return w;
    }();
    return instance;
}

void strokeMark(QPainter& painter, const QRectF& rect, quint64 seed)
{
    const QPainterPath path = RoughRectangle{seed ^ 0x5F0C5ULL, roughness}.path(rect);
    QPen pen(Theme::blue(), lineWidth, Qt::CustomDashLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setDashPattern({3.0, 2.0});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(path, pen);
    painter.restore();
}

} // namespace

void install()
{
    watcher();
}

bool isVisible(const QWidget* widget)
{
    if (!widget || !widget->hasFocus())
        return false;
    const FocusReasonWatcher* w = watcher();
    return w->lastFocused == widget && w->byKeyboard;
}

void paint(QPainter& painter, const QRectF& shape, quint64 seed)
{
    // The rough path insets by roughness + 1.5; growing by that much first puts
    // the mark margin - 1 pixels outside the shape.
    const double grow = margin - 1 + roughness + 1.5 - lineWidth / 2;
    strokeMark(painter, shape.adjusted(-grow, -grow, grow, grow), seed);
}

void paintInside(QPainter& painter, const QRectF& area, quint64 seed)
{
    // Inside the element's own outline (which the rough path insets by about 3).
    const double inset = 3.5 - roughness - 1.5 + lineWidth;
    strokeMark(painter, area.adjusted(inset, inset, -inset, -inset), seed);
}

} // namespace nivora::FocusMark
