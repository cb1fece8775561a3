#include "dashboard/AboutPage.h"

#include "assets/Fonts.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "design/BrandMark.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/SegmentedSelector.h"
#include "design/StatBadge.h"
#include "design/Theme.h"
#include "model/UiLanguage.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace nivora {

namespace {

using PageText::label;

} // namespace

QString AboutPage::versionFor(const QString& defined)
{
    const QString trimmed = defined.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("1.0") : trimmed;
}

QString AboutPage::version()
{
#ifdef NIVORA_VERSION
    return versionFor(QStringLiteral(NIVORA_VERSION));
#else
    return versionFor(QString());
#endif
}

AboutPage::AboutPage(AppState& state, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(22);
    layout->addWidget(makePageHeader(NavSection::About, this));

    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    row->addWidget(new BrandMark(60, content), 0, Qt::AlignVCenter);

    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(
        label(QStringLiteral("Nivora"), Fonts::font(20, QFont::ExtraBold), Theme::ink(), content));
    QLabel* version = label(QCoreApplication::translate("AboutPage", "Version ") + AboutPage::version(),
                            Fonts::font(12, QFont::Normal), Theme::inkSoft(), content);
    version->setObjectName(QStringLiteral("version"));
    column->addWidget(version);
    column->addWidget(new StatBadge(QStringLiteral("lock.shield"),
                                    QCoreApplication::translate("AboutPage", "Sans télémétrie"),
                                    Theme::green(), content),
                      0, Qt::AlignLeft);
    row->addLayout(column);
    row->addStretch(1);

    auto* card = new PaperCard(content, this);
    card->setSeed(71);
    layout->addWidget(card);

    // The setting's values in the selector's order. The languages are named
    // in their own language, as people look for them.
    static const QStringList values = UiLanguages::settingValues();
    auto* languageContent = new QWidget;
    auto* languageColumn = new QVBoxLayout(languageContent);
    languageColumn->setContentsMargins(0, 0, 0, 0);
    m_language = new SegmentedSelector(QCoreApplication::translate("AboutPage", "Langue"), {}, QString(),
                                       Theme::purple(), languageContent);
    m_language->setObjectName(QStringLiteral("language"));
    m_language->setOptions({0, 1, 2}, {QCoreApplication::translate("AboutPage", "Système"),
                                       QStringLiteral("Français"), QStringLiteral("English")});
    m_language->setSelection(std::max<qsizetype>(0, values.indexOf(state.language())));
    connect(m_language, &SegmentedSelector::selectionEdited, this,
            [&state](qint64 index) { state.setLanguage(values.value(index, UiLanguages::autoValue())); });
    connect(&state, &AppState::languageChanged, m_language, [this](const QString& value) {
        m_language->setSelection(std::max<qsizetype>(0, values.indexOf(value)));
    });
    languageColumn->addWidget(m_language);
    auto* languageCard = new PaperCard(languageContent, this);
    languageCard->setSeed(72);
    layout->addWidget(languageCard);
    layout->addStretch(1);
}

} // namespace nivora
