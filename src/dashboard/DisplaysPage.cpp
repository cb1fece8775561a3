#include "dashboard/DisplaysPage.h"

#include "dashboard/DisplayList.h"
#include "dashboard/DisplayToggle.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/ScreenSourceEditor.h"
#include "dashboard/SwitchToggle.h"
#include "dashboard/SymbolView.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/RoughRectangle.h"
#include "design/SegmentedSelector.h"
#include "design/Theme.h"
#include "platform/QtScreenProvider.h"
#include "state/AppState.h"
#include "state/SettingsCodec.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;

// The 40 × 40 tile with the display symbol.
class DisplayTile : public QWidget
{
public:
    DisplayTile(quint64 seed, QWidget* parent) : QWidget(parent), m_seed(seed) { setFixedSize(40, 40); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath path = RoughRectangle{m_seed, 1.2}.path(QRectF(rect()));
        painter.fillPath(path, Theme::paper3());
        painter.strokePath(path, QPen(Theme::ink(), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }

private:
    quint64 m_seed;
};

} // namespace

DisplaysPage::DisplaysPage(QWidget* parent) : DisplaysPage(std::make_unique<QtScreenProvider>(), parent) {}

DisplaysPage::DisplaysPage(std::unique_ptr<ScreenProvider> screens, QWidget* parent)
    : DisplaysPage(AppState::shared(), std::move(screens), parent)
{
}

DisplaysPage::DisplaysPage(AppState& state, std::unique_ptr<ScreenProvider> screens, QWidget* parent,
                           ScreenSourceEditor* editor)
    : QWidget(parent), m_state(state), m_screens(std::move(screens)), m_editor(editor)
{
    m_list = std::make_unique<DisplayList>(*m_screens);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Displays, this));
    auto* content = new QWidget;
    m_rows = new QVBoxLayout(content);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(14);
    auto* card = new PaperCard(content, this);
    card->setSeed(52);
    page->addWidget(card);
    page->addWidget(PageText::paragraph(
        QCoreApplication::translate(
            "DisplaysPage",
            "La liste se met à jour automatiquement à la connexion ou déconnexion d'un écran."),
        11, QFont::Normal, Theme::inkFaint(), this));
    page->addStretch(1);

    connect(m_list.get(), &DisplayList::rowsChanged, this, &DisplaysPage::rebuildRows);
    connect(&m_state, &AppState::enabledDisplaysChanged, this, &DisplaysPage::showStates);
    connect(&m_state, &AppState::screenOverridesChanged, this, &DisplaysPage::showStates);
    rebuildRows();
}

DisplaysPage::~DisplaysPage() = default;

void DisplaysPage::rebuildRows()
{
    for (QWidget* row : std::as_const(m_rowWidgets))
        delete row;
    m_rowWidgets.clear();
    m_switches.clear();
    m_sourceChoices.clear();
    m_rowNames.clear();
    m_rowIDs.clear();
    for (const DisplayRow& display : m_list->rows()) {
        auto* row = new QWidget;
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(14);
        auto* tile = new DisplayTile(display.displayID, row);
        auto* tileLayout = new QHBoxLayout(tile);
        tileLayout->setContentsMargins(0, 0, 0, 0);
        tileLayout->addWidget(new SymbolView(QStringLiteral("display"), 18, Theme::ink(), tile), 0,
                              Qt::AlignCenter);
        line->addWidget(tile);
        auto* texts = new QVBoxLayout;
        texts->setSpacing(2);
        texts->addWidget(PageText::label(display.title, 13, QFont::Bold, Theme::ink(), row));
        texts->addWidget(PageText::label(display.detail, 11, QFont::Normal, Theme::inkSoft(), row));
        line->addLayout(texts, 1);
        auto* choice = new SegmentedSelector(QString(), {}, QString(), Theme::purple(), row);
        choice->setOptions({0, 1}, {QCoreApplication::translate("DisplaysPage", "Comme l'écran principal"),
                                    QCoreApplication::translate("DisplaysPage", "Personnalisé")});
        choice->setAccessibleName(
            QCoreApplication::translate("DisplaysPage", "%1 : fond d'écran").arg(display.title));
        const QString name = display.name;
        connect(choice, &SegmentedSelector::selectionEdited, this,
                [this, name](qint64 option) { chooseSource(name, option == 1); });
        line->addWidget(choice);
        auto* toggle = new SwitchToggle(Theme::green(), row);
        toggle->setAccessibleName(display.title);
        const quint32 id = display.displayID;
        connect(toggle, &SwitchToggle::toggleRequested, this, [this, id](bool on) { requestToggle(id, on); });
        line->addWidget(toggle);
        m_rows->addWidget(row);
        m_rowWidgets.append(row);
        m_switches.append(toggle);
        m_sourceChoices.append(choice);
        m_rowNames.append(name);
        m_rowIDs.append(id);
    }
    showStates();
}

void DisplaysPage::showStates()
{
    const QSet<quint32>& enabled = m_state.enabledDisplays();
    for (int i = 0; i < m_switches.size(); ++i)
        m_switches.at(i)->setOn(DisplayToggle::isOn(enabled, m_rowIDs.at(i)));
    for (int i = 0; i < m_sourceChoices.size(); ++i)
        m_sourceChoices.at(i)->setSelection(m_state.screenOverrides().contains(m_rowNames.at(i)) ? 1 : 0);
}

void DisplaysPage::chooseSource(const QString& screen, bool custom)
{
    if (custom) {
        // Custom starts as a copy of nothing: the screen shows the main
        // settings until one of its values is changed on the pages.
        if (!m_state.screenOverrides().contains(screen)) {
            ScreenOverrideMap overrides = m_state.screenOverrides();
            overrides.insert(screen, QJsonObject());
            m_state.setScreenOverrides(overrides);
        }
        if (m_editor)
            m_editor->setTarget(screen);
    } else {
        SettingsCodec::resetScreen(m_state, screen);
    }
    showStates();
}

void DisplaysPage::requestToggle(quint32 id, bool on)
{
    // The screens of this moment, not of the last refresh: a screen that went
    // away while its row was still shown must not count.
    QList<quint32> connected;
    for (const ScreenInfo& screen : m_screens->screens())
        connected.append(screen.displayID);
    const std::optional<QSet<quint32>> stored =
        DisplayToggle::toggled(m_state.enabledDisplays(), connected, id, on);
    if (stored)
        m_state.setEnabledDisplays(*stored);
    // A refused change leaves the switch as the store says.
    showStates();
}

} // namespace nivora
