#include "dashboard/AboutPage.h"

#include "assets/Fonts.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "design/BrandMark.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/StatBadge.h"
#include "design/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

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

AboutPage::AboutPage(QWidget* parent) : QWidget(parent)
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
    QLabel* version = label(QStringLiteral("Version ") + AboutPage::version(), Fonts::font(12, QFont::Normal),
                            Theme::inkSoft(), content);
    version->setObjectName(QStringLiteral("version"));
    column->addWidget(version);
    column->addWidget(new StatBadge(QStringLiteral("lock.shield"), QStringLiteral("Sans télémétrie"),
                                    Theme::green(), content),
                      0, Qt::AlignLeft);
    row->addLayout(column);
    row->addStretch(1);

    auto* card = new PaperCard(content, this);
    card->setSeed(71);
    layout->addWidget(card);
    layout->addStretch(1);
}

} // namespace nivora
