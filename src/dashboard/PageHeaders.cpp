#include "dashboard/PageHeaders.h"

#include "design/PageHeader.h"
#include "design/Theme.h"

namespace nivora {

PageHeaderText pageHeaderText(NavSection section)
{
    switch (section) {
    case NavSection::Scenes:
        return {QStringLiteral("Galerie vivante"), QStringLiteral("Scènes"),
                QStringLiteral("Choisissez une ambiance et façonnez-la en direct."), Theme::coral()};
    case NavSection::Media:
        return {QStringLiteral("Source du fond"), QStringLiteral("Média"),
                QStringLiteral("Une scène animée, ou votre propre vidéo ou image."), Theme::blue()};
    case NavSection::Icons:
        return {QStringLiteral("Dossiers"), QStringLiteral("Icônes"),
                QStringLiteral("Habillez un ou plusieurs dossiers à la fois."), Theme::green()};
    case NavSection::Colors:
        return {QStringLiteral("Identité chromatique"), QStringLiteral("Couleurs"),
                QStringLiteral("Appliquez une palette ou composez la vôtre — en direct."), Theme::blue()};
    case NavSection::Widgets:
        return {QStringLiteral("Bureau"), QStringLiteral("Widgets"),
                QStringLiteral("Activez des modules et glissez-les où vous voulez sur le bureau."),
                Theme::pink()};
    case NavSection::Displays:
        return {QStringLiteral("Affichage"), QStringLiteral("Écrans"),
                QStringLiteral("Activez le fond animé écran par écran."), Theme::green()};
    case NavSection::Performance:
        return {QStringLiteral("Moteur"), QStringLiteral("Performance"),
                QStringLiteral("Fluidité et économie d'énergie."), Theme::yellow()};
    case NavSection::About:
        return {QStringLiteral("Le projet"), QStringLiteral("À propos"),
                QStringLiteral("Nivora — fonds animés GPU, faits main."), Theme::purple()};
    case NavSection::Account:
        return {QStringLiteral("Compte"), QStringLiteral("Connexion"),
                QStringLiteral("Connecte-toi avec le compte créé sur le site."), Theme::blue()};
    }
    return {};
}

PageHeader* makePageHeader(NavSection section, QWidget* parent)
{
    const PageHeaderText text = pageHeaderText(section);
    return new PageHeader(text.eyebrow, text.title, text.subtitle, text.accent, parent);
}

} // namespace nivora
