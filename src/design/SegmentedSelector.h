#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QList>

namespace nivora {

class SpringAnimation;

// One segment of a SegmentedSelector: a button that shows its option and reports
// itself to assistive technology as a radio button; the selector draws the bar and
// the moving highlight behind it.
class SegmentButton : public QAbstractButton
{
    Q_OBJECT

public:
    SegmentButton(qint64 option, const QString& text, QWidget* parent);

    qint64 option() const { return m_option; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    qint64 m_option;
};

// A title above a bar of equal segments, one per integer option, each showing the
// option followed by `suffix`. The selected segment carries an accent highlight
// that glides to the next selection. A selection that matches no option
// highlights nothing.
//
// The bar takes the keyboard focus as one control: Left/Up and Right/Down move the
// selection, Home and End go to the first and last option.
class SegmentedSelector : public QWidget
{
    Q_OBJECT

public:
    explicit SegmentedSelector(QWidget* parent = nullptr);
    SegmentedSelector(const QString& title, const QList<qint64>& options, const QString& suffix,
                      const QColor& accent, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    QList<qint64> options() const { return m_options; }
    void setOptions(const QList<qint64>& options);
    // Options shown by texts of their own (one per option) instead of the
    // number and suffix.
    void setOptions(const QList<qint64>& options, const QStringList& texts);
    QString suffix() const { return m_suffix; }
    void setSuffix(const QString& suffix);
    QColor accent() const { return m_accent; }
    void setAccent(const QColor& accent);

    qint64 selection() const { return m_selection; }
    void setSelection(qint64 selection);

    // The index of the highlighted segment, or -1 when the selection matches none.
    int selectedIndex() const;
    // Where the highlight is drawn now, in segment indices (fractional while it
    // glides); meaningless while selectedIndex() is -1.
    double highlightPosition() const { return m_highlight; }
    // The segment buttons, in option order.
    QList<SegmentButton*> segments() const { return m_segments; }
    // A segment's rectangle in the selector's coordinates.
    QRectF segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void selectionChanged(qint64 selection);
    // Only for changes made by the user.
    void selectionEdited(qint64 selection);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void init();
    void rebuildSegments();
    void layoutSegments();
    void syncChecks();
    void choose(qint64 option);
    QString optionText(int index) const;
    double titleHeight() const;
    QRectF barRect() const;

    QString m_title;
    QList<qint64> m_options;
    QString m_suffix;
    QStringList m_texts;
    QColor m_accent;
    qint64 m_selection = 0;
    QList<SegmentButton*> m_segments;
    double m_highlight = 0.0;
    SpringAnimation* m_spring = nullptr;
};

} // namespace nivora
