#include "dashboard/DashboardPages.h"

#include "dashboard/AboutPage.h"
#include "dashboard/AccountPage.h"
#include "dashboard/ColorsPage.h"
#include "dashboard/DisplaysPage.h"
#include "dashboard/IconsPage.h"
#include "dashboard/MediaPage.h"
#include "dashboard/PerformancePage.h"
#include "dashboard/ScenesPage.h"
#include "dashboard/WidgetsPage.h"
#include "design/PageHeader.h"
#include "design/Theme.h"

#include <QVBoxLayout>

namespace nivora {

QWidget* createHeaderOnlyPage(NavSection section, QWidget* parent)
{
    struct Header
    {
        const char* eyebrow;
        const char* title;
        const char* subtitle;
        QColor (*accent)();
    };
    Header header{};
    switch (section) {
    case NavSection::Scenes:
        header = {"Galerie vivante", "Scènes", "Choisissez une ambiance et façonnez-la en direct.",
                  &Theme::coral};
        break;
    case NavSection::Media:
        header = {"Source du fond", "Média", "Une scène animée, ou votre propre vidéo ou image.",
                  &Theme::blue};
        break;
    case NavSection::Icons:
        header = {"Dossiers", "Icônes", "Habillez un ou plusieurs dossiers à la fois.", &Theme::green};
        break;
    case NavSection::Colors:
        header = {"Identité chromatique", "Couleurs",
                  "Appliquez une palette ou composez la vôtre — en direct.", &Theme::blue};
        break;
    case NavSection::Widgets:
        header = {"Bureau", "Widgets", "Activez des modules et glissez-les où vous voulez sur le bureau.",
                  &Theme::pink};
        break;
    case NavSection::Displays:
        header = {"Affichage", "Écrans", "Activez le fond animé écran par écran.", &Theme::green};
        break;
    case NavSection::Performance:
        header = {"Moteur", "Performance", "Fluidité et économie d'énergie.", &Theme::yellow};
        break;
    case NavSection::About:
        header = {"Le projet", "À propos", "Nivora — fonds animés GPU, faits main.", &Theme::purple};
        break;
    case NavSection::Account:
        header = {"Compte", "Connexion", "Connecte-toi avec le compte créé sur le site.", &Theme::blue};
        break;
    }
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new PageHeader(QString::fromUtf8(header.eyebrow), QString::fromUtf8(header.title),
                                     QString::fromUtf8(header.subtitle), header.accent(), page));
    layout->addStretch(1);
    return page;
}

QWidget* createPage(NavSection section, QWidget* parent)
{
    QWidget* page = nullptr;
    switch (section) {
    case NavSection::About:
        page = new AboutPage(parent);
        break;
    case NavSection::Account:
        page = new AccountPage(parent);
        break;
    case NavSection::Icons:
        page = new IconsPage(parent);
        break;
    case NavSection::Scenes:
        page = new ScenesPage(parent);
        break;
    case NavSection::Colors:
        page = new ColorsPage(parent);
        break;
    case NavSection::Displays:
        page = new DisplaysPage(parent);
        break;
    case NavSection::Performance:
        page = new PerformancePage(parent);
        break;
    case NavSection::Media:
        page = new MediaPage(parent);
        break;
    case NavSection::Widgets:
        page = new WidgetsPage(parent);
        break;
    default:
        page = createHeaderOnlyPage(section, parent);
        break;
    }
    page->setObjectName(QStringLiteral("page-") + NavSections::rawValue(section));
    return page;
}

} // namespace nivora
