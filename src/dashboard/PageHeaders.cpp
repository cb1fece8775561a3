#include "dashboard/PageHeaders.h"

#include "design/PageHeader.h"
#include "design/Theme.h"

#include <QCoreApplication>

namespace nivora {

PageHeaderText pageHeaderText(NavSection section)
{
    switch (section) {
    case NavSection::Scenes:
        return {
            QCoreApplication::translate("PageHeaders", "Galerie vivante"),
            QCoreApplication::translate("PageHeaders", "Scènes"),
            QCoreApplication::translate("PageHeaders", "Choisissez une ambiance et façonnez-la en direct."),
            Theme::coral()};
    case NavSection::Media:
        return {
            QCoreApplication::translate("PageHeaders", "Source du fond"),
            QCoreApplication::translate("PageHeaders", "Média"),
            QCoreApplication::translate("PageHeaders", "Une scène animée, ou votre propre vidéo ou image."),
            Theme::blue()};
    case NavSection::Icons:
        return {QCoreApplication::translate("PageHeaders", "Dossiers"),
                QCoreApplication::translate("PageHeaders", "Icônes"),
                QCoreApplication::translate("PageHeaders", "Habillez un ou plusieurs dossiers à la fois."),
                Theme::green()};
    case NavSection::Colors:
        return {QCoreApplication::translate("PageHeaders", "Identité chromatique"),
                QCoreApplication::translate("PageHeaders", "Couleurs"),
                QCoreApplication::translate("PageHeaders",
                                            "Appliquez une palette ou composez la vôtre — en direct."),
                Theme::blue()};
    case NavSection::Widgets:
        return {QCoreApplication::translate("PageHeaders", "Bureau"),
                QCoreApplication::translate("PageHeaders", "Widgets"),
                QCoreApplication::translate(
                    "PageHeaders", "Activez des modules et glissez-les où vous voulez sur le bureau."),
                Theme::pink()};
    case NavSection::Displays:
        return {QCoreApplication::translate("PageHeaders", "Affichage"),
                QCoreApplication::translate("PageHeaders", "Écrans"),
                QCoreApplication::translate("PageHeaders", "Activez le fond animé écran par écran."),
                Theme::green()};
    case NavSection::Performance:
        return {QCoreApplication::translate("PageHeaders", "Moteur"),
                QCoreApplication::translate("PageHeaders", "Performance"),
                QCoreApplication::translate("PageHeaders", "Fluidité et économie d'énergie."),
                Theme::yellow()};
    case NavSection::About:
        return {QCoreApplication::translate("PageHeaders", "Le projet"),
                QCoreApplication::translate("PageHeaders", "À propos"),
                QCoreApplication::translate("PageHeaders", "Nivora — fonds animés GPU, faits main."),
                Theme::purple()};
    case NavSection::Account:
        return {QCoreApplication::translate("PageHeaders", "Compte"),
                QCoreApplication::translate("PageHeaders", "Connexion"),
                QCoreApplication::translate("PageHeaders", "Connecte-toi avec le compte créé sur le site."),
                Theme::blue()};
    }
    return {};
}

PageHeader* makePageHeader(NavSection section, QWidget* parent)
{
    const PageHeaderText text = pageHeaderText(section);
    return new PageHeader(text.eyebrow, text.title, text.subtitle, text.accent, parent);
}

} // namespace nivora
