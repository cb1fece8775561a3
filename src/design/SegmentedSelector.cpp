#include "design/SegmentedSelector.h"

#include "assets/Fonts.h"
#include "design/DesignAccessibility.h"
#include "design/FocusMark.h"
#include "design/RoughRectangle.h"
#include "design/SpringAnimation.h"
#include "design/Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

constexpr double margin = FocusMark::margin;
constexpr double barPadding = 5;
constexpr double segmentSpacing = 6;
constexpr double segmentHeight = 34;

QPen inkPen(double width)
{
    QPen pen(Theme::ink(), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    return pen;
}

QFont titleFont()
{
    return Fonts::font(13, QFont::DemiBold);
}

QFont segmentFont()
{
    return Fonts::font(12, QFont::Bold);
}

} // namespace

SegmentButton::SegmentButton(qint64 option, const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_option(option)
{
    DesignAccessibility::setRole(this, QAccessible::RadioButton);
    setText(text);
    setAccessibleName(text);
    setCheckable(true);
    // The selector takes the focus as a whole and moves the selection with arrows.
    setFocusPolicy(Qt::NoFocus);
}

void SegmentButton::nextCheckState()
{
    // The selector decides which segment is checked.
}

void SegmentButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(segmentFont());
    painter.setPen(Theme::ink());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

SegmentedSelector::SegmentedSelector(QWidget* parent) : QWidget(parent), m_accent(Theme::purple())
{
    init();
}

SegmentedSelector::SegmentedSelector(const QString& title, const QList<qint64>& options,
                                     const QString& suffix, const QColor& accent, QWidget* parent)
    : QWidget(parent), m_title(title), m_options(options), m_suffix(suffix), m_accent(accent)
{
    init();
    setAccessibleName(title);
    rebuildSegments();
}

void SegmentedSelector::init()
{
    DesignAccessibility::install();
    // A group of radio buttons, named by the title.
    DesignAccessibility::setRole(this, QAccessible::Grouping);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_spring = new SpringAnimation(this);
    m_spring->setSpring(Spring(0.3, 0.7, 0.0));
    connect(m_spring, &SpringAnimation::valueChanged, this, [this](double v) {
        m_highlight = v;
        update();
    });
}

void SegmentedSelector::setTitle(const QString& title)
{
    m_title = title;
    setAccessibleName(title);
    update();
}

void SegmentedSelector::setOptions(const QList<qint64>& options)
{
    setOptions(options, {});
}

void SegmentedSelector::setOptions(const QList<qint64>& options, const QStringList& texts)
{
    m_options = options;
    m_texts = texts.size() == options.size() ? texts : QStringList();
    rebuildSegments();
}

QString SegmentedSelector::optionText(int index) const
{
    if (index < m_texts.size())
        return m_texts.at(index);
    return QString::number(m_options.at(index)) + m_suffix;
}

void SegmentedSelector::setSuffix(const QString& suffix)
{
    m_suffix = suffix;
    rebuildSegments();
}

void SegmentedSelector::setAccent(const QColor& accent)
{
    m_accent = accent;
    update();
}

int SegmentedSelector::selectedIndex() const
{
    return static_cast<int>(m_options.indexOf(m_selection));
}

void SegmentedSelector::setSelection(qint64 selection)
{
    if (selection == m_selection)
        return;
    const int before = selectedIndex();
    m_selection = selection;
    const int after = selectedIndex();
    if (after >= 0) {
        // From no highlight the highlight appears in place; otherwise it glides.
        if (before < 0 || !isVisible())
            m_spring->setValue(after);
        else
            m_spring->animateTo(after);
    }
    syncChecks();
    update();
    Q_EMIT selectionChanged(selection);
}

void SegmentedSelector::choose(qint64 option)
{
    if (option == m_selection)
        return;
    setSelection(option);
    Q_EMIT selectionEdited(option);
}

void SegmentedSelector::rebuildSegments()
{
    qDeleteAll(m_segments);
    m_segments.clear();
    for (int i = 0; i < m_options.size(); ++i) {
        const qint64 option = m_options.at(i);
        auto* segment = new SegmentButton(option, optionText(i), this);
        connect(segment, &QAbstractButton::clicked, this, [this, option] {
            setFocus(Qt::MouseFocusReason);
            choose(option);
        });
        segment->show();
        m_segments.append(segment);
    }
    if (selectedIndex() >= 0)
        m_spring->setValue(selectedIndex());
    syncChecks();
    layoutSegments();
    updateGeometry();
    update();
}

void SegmentedSelector::syncChecks()
{
    for (SegmentButton* segment : m_segments)
        segment->setChecked(segment->option() == m_selection);
}

double SegmentedSelector::titleHeight() const
{
    return std::ceil(QFontMetricsF(titleFont()).height());
}

QRectF SegmentedSelector::barRect() const
{
    return QRectF(margin, titleHeight() + 10, std::max(0.0, width() - 2 * margin),
                  segmentHeight + 2 * barPadding);
}

QRectF SegmentedSelector::segmentRect(int index) const
{
    const int n = static_cast<int>(m_options.size());
    if (n == 0 || index < 0 || index >= n)
        return QRectF();
    const QRectF bar = barRect().adjusted(barPadding, barPadding, -barPadding, -barPadding);
    const double w = std::max(0.0, (bar.width() - segmentSpacing * (n - 1)) / n);
    return QRectF(bar.left() + index * (w + segmentSpacing), bar.top(), w, segmentHeight);
}

void SegmentedSelector::layoutSegments()
{
    for (int i = 0; i < m_segments.size(); ++i)
        m_segments[i]->setGeometry(segmentRect(i).toAlignedRect());
}

void SegmentedSelector::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutSegments();
}

QSize SegmentedSelector::sizeHint() const
{
    const QFontMetricsF metrics(segmentFont());
    double widest = 0;
    for (int i = 0; i < m_options.size(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(optionText(i)));
    const double n = static_cast<double>(m_options.size());
    const double w = 2 * margin + 2 * barPadding + n * (widest + 24) + std::max(0.0, n - 1) * segmentSpacing;
    return QSize(static_cast<int>(std::ceil(std::max(w, 160.0))),
                 static_cast<int>(std::ceil(titleHeight() + 10 + segmentHeight + 2 * barPadding + margin)));
}

QSize SegmentedSelector::minimumSizeHint() const
{
    return QSize(std::min(sizeHint().width(), 160), sizeHint().height());
}

void SegmentedSelector::keyPressEvent(QKeyEvent* event)
{
    const int n = static_cast<int>(m_options.size());
    if (n == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int current = selectedIndex();
    int next = current;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        next = current < 0 ? 0 : std::max(0, current - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        next = current < 0 ? 0 : std::min(n - 1, current + 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = n - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    choose(m_options.at(next));
    event->accept();
}

void SegmentedSelector::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void SegmentedSelector::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void SegmentedSelector::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setFont(titleFont());
    painter.setPen(Theme::inkSoft());
    painter.drawText(QRectF(margin, 0, width() - 2 * margin, titleHeight()), Qt::AlignLeft | Qt::AlignVCenter,
                     m_title);

    const QRectF bar = barRect();
    const QPainterPath barPath = RoughRectangle{73}.path(bar);
    painter.fillPath(barPath, Theme::paper3());
    painter.strokePath(barPath, inkPen(1.5));

    if (selectedIndex() >= 0 && !m_options.isEmpty()) {
        // The highlight slides between the rectangles of the two segments it is
        // between, so a glide over several segments passes over each of them.
        const double position = std::clamp(m_highlight, 0.0, static_cast<double>(m_options.size() - 1));
        const int lower = static_cast<int>(std::floor(position));
        const int upper = std::min(lower + 1, static_cast<int>(m_options.size()) - 1);
        const double t = position - lower;
        const QRectF a = segmentRect(lower);
        const QRectF b = segmentRect(upper);
        const QRectF highlight(a.left() + (b.left() - a.left()) * t, a.top(), a.width(), a.height());
        const QPainterPath path = RoughRectangle{41}.path(highlight);
        QColor fill = m_accent;
        fill.setAlphaF(0.55f);
        painter.fillPath(path, fill);
        painter.strokePath(path, inkPen(2));
    }

    if (FocusMark::isVisible(this))
        FocusMark::paint(painter, bar, 73);
}

} // namespace nivora
