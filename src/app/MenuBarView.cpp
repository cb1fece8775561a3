#include "app/MenuBarView.h"

#include "app/PreviewCard.h"
#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "design/BrandMark.h"
#include "design/FluidSlider.h"
#include "design/PillToggle.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "state/AppState.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace nivora {

// The dashboard button's label: a symbol and a text, 8 apart, centred.
class SymbolTextLabel : public QWidget
{
public:
    SymbolTextLabel(const QString& symbol, const QString& text, QWidget* parent = nullptr)
        : QWidget(parent), m_symbol(symbol), m_text(text)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void setText(const QString& text)
    {
        m_text = text;
        updateGeometry();
        update();
    }

    QSize sizeHint() const override
    {
        const QFontMetrics fm(font());
        return QSize(kIcon + kGap + fm.horizontalAdvance(m_text), qMax(kIcon, fm.height()));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QFontMetrics fm(font());
        const int total = kIcon + kGap + fm.horizontalAdvance(m_text);
        const double left = (width() - total) / 2.0;
        FaceIcons::paint(p, m_symbol, QRectF(left, (height() - kIcon) / 2.0, kIcon, kIcon), Theme::ink());
        p.setFont(font());
        p.setPen(Theme::ink());
        p.drawText(QRectF(left + kIcon + kGap, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter,
                   m_text);
    }

private:
    static constexpr int kIcon = 14;
    static constexpr int kGap = 8;
    QString m_symbol;
    QString m_text;
};

namespace {

// "Quitter Nivora": a plain text button.
class PlainTextButton : public QAbstractButton
{
public:
    explicit PlainTextButton(const QString& text, QWidget* parent = nullptr) : QAbstractButton(parent)
    {
        setText(text);
        setFont(Fonts::font(11, QFont::DemiBold));
        setCursor(Qt::PointingHandCursor);
    }

    QSize sizeHint() const override
    {
        const QFontMetrics fm(font());
        return QSize(fm.horizontalAdvance(text()) + 8, fm.height() + 4);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        QColor colour = Theme::inkSoft();
        if (isDown())
            colour.setAlphaF(0.6);
        p.setPen(colour);
        p.drawText(rect(), Qt::AlignCenter, text());
        if (hasFocus()) {
            p.setPen(QPen(Theme::inkSoft(), 1, Qt::DotLine));
            p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
};

} // namespace

MenuBarView::MenuBarView(AppState& state, std::function<void()> openSettings, std::function<void()> quit,
                         QWidget* parent)
    : QWidget(parent), m_state(state)
{
    setFixedWidth(viewWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(14);
    column->addStretch(1);

    auto* header = new QHBoxLayout();
    header->setSpacing(10);
    header->addWidget(new BrandMark(28, this));
    auto* name = new QLabel(QStringLiteral("Nivora"), this);
    name->setFont(Fonts::font(14, QFont::ExtraBold));
    QPalette namePalette = name->palette();
    namePalette.setColor(QPalette::WindowText, Theme::ink());
    name->setPalette(namePalette);
    header->addWidget(name);
    header->addStretch(1);
    column->addLayout(header);

    m_preview = new PreviewCard(state, this);
    column->addWidget(m_preview);

    m_running = new PillToggle(QString(), QString(), QString(), Theme::green(), this);
    m_running->setCheckable(true);
    followRunning(state.isRunning());
    connect(m_running, &QAbstractButton::toggled, this, [this](bool on) {
        if (m_state.isRunning() != on)
            m_state.setIsRunning(on);
    });
    connect(&state, &AppState::isRunningChanged, this, &MenuBarView::followRunning);
    column->addWidget(m_running);

    m_speed = new FluidSlider(QString(), QStringLiteral("speedometer"), Theme::blue(), this);
    m_speed->setValue(state.speed());
    connect(m_speed, &FluidSlider::valueEdited, this, [this](double value) { m_state.setSpeed(value); });
    connect(&state, &AppState::speedChanged, m_speed, &FluidSlider::setValue);
    column->addWidget(m_speed);

    m_dashboard = new SketchButton(this);
    m_dashboard->setFill(Theme::yellow());
    m_dashboard->setSeed(17);
    m_dashboardLabel = new SymbolTextLabel(QStringLiteral("slider.horizontal.3"), QString());
    m_dashboardLabel->setFont(SketchButtonStyle::labelFont(Fonts::font(13, QFont::Bold)));
    m_dashboard->setContent(m_dashboardLabel);
    m_dashboard->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(m_dashboard, &QAbstractButton::clicked, this, [openSettings] {
        if (openSettings)
            openSettings();
    });
    column->addWidget(m_dashboard);

    m_quit = new PlainTextButton(QString(), this);
    connect(m_quit, &QAbstractButton::clicked, this, [quit] {
        if (quit)
            quit();
    });
    column->addWidget(m_quit, 0, Qt::AlignHCenter);
    column->addStretch(1);
    retranslate();
}

void MenuBarView::retranslate()
{
    m_running->setTitle(QCoreApplication::translate("MenuBarView", "Fond animé"));
    followRunning(m_state.isRunning());
    m_speed->setTitle(QCoreApplication::translate("MenuBarView", "Vitesse"));
    const QString dashboard = QCoreApplication::translate("MenuBarView", "Ouvrir le tableau de bord");
    m_dashboard->setAccessibleName(dashboard);
    m_dashboardLabel->setText(dashboard);
    m_quit->setText(QCoreApplication::translate("MenuBarView", "Quitter Nivora"));
    m_quit->setAccessibleName(m_quit->text());
}

void MenuBarView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void MenuBarView::followRunning(bool running)
{
    // The icon shows what the switch would do.
    m_running->setSubtitle(running ? QCoreApplication::translate("MenuBarView", "Actif")
                                   : QCoreApplication::translate("MenuBarView", "En pause"));
    m_running->setSymbol(running ? QStringLiteral("pause.fill") : QStringLiteral("play.fill"));
    if (m_running->isChecked() != running)
        m_running->setChecked(running);
}

} // namespace nivora
