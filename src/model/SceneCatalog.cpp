#include "model/SceneCatalog.h"

#include <QCoreApplication>

namespace nivora {

const QList<SceneInfo>& availableScenes()
{
    static const QList<SceneInfo> scenes = [] {
        struct Row
        {
            const char* name;
            const char* subtitle;
            const char* symbol;
            const char* category;
        };
        const Row rows[] = {
            {QT_TRANSLATE_NOOP("SceneCatalog", "Brume"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Voiles de brouillard"), "cloud.fog",
             QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Aurore"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Rideaux de lumière"), "sparkles",
             QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Maille"), QT_TRANSLATE_NOOP("SceneCatalog", "Grille vivante"),
             "grid", QT_TRANSLATE_NOOP("SceneCatalog", "Géométrie")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Flux"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Marbrure mouvante"), "wind",
             QT_TRANSLATE_NOOP("SceneCatalog", "Fluide")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Plasma"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Champs ondulants"), "waveform",
             QT_TRANSLATE_NOOP("SceneCatalog", "Fluide")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Relief"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Courbes topographiques"), "map",
             QT_TRANSLATE_NOOP("SceneCatalog", "Fluide")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Vagues"), QT_TRANSLATE_NOOP("SceneCatalog", "Houle paisible"),
             "water.waves", QT_TRANSLATE_NOOP("SceneCatalog", "Fluide")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Lave"), QT_TRANSLATE_NOOP("SceneCatalog", "Blobs fondants"),
             "flame.fill", QT_TRANSLATE_NOOP("SceneCatalog", "Fluide")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Bandes"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Rubans diagonaux"), "rectangle.split.3x1.fill",
             QT_TRANSLATE_NOOP("SceneCatalog", "Géométrie")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Fumée"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Volutes ascendantes"), "smoke.fill",
             QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Soie"), QT_TRANSLATE_NOOP("SceneCatalog", "Ondes satinées"),
             "wind", QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Dégradé"), QT_TRANSLATE_NOOP("SceneCatalog", "Nappe fondue"),
             "circle.lefthalf.filled", QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Bulles"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Orbes flottantes"), "circle.grid.2x2.fill",
             QT_TRANSLATE_NOOP("SceneCatalog", "Atmosphère")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Pluie"), QT_TRANSLATE_NOOP("SceneCatalog", "Averse fluide"),
             "cloud.rain.fill", QT_TRANSLATE_NOOP("SceneCatalog", "Météo")},
            {QT_TRANSLATE_NOOP("SceneCatalog", "Neige"),
             QT_TRANSLATE_NOOP("SceneCatalog", "Flocons à la dérive"), "snowflake",
             QT_TRANSLATE_NOOP("SceneCatalog", "Météo")},
        };
        QList<SceneInfo> list;
        int id = 0;
        for (const Row& r : rows) {
            list.append(SceneInfo{id++, QString::fromUtf8(r.name), QString::fromUtf8(r.subtitle),
                                  QString::fromUtf8(r.symbol), QString::fromUtf8(r.category)});
        }
        return list;
    }();
    return scenes;
}

const QStringList& sceneCategories()
{
    static const QStringList names{QStringLiteral("Atmosphère"), QStringLiteral("Fluide"),
                                   QStringLiteral("Géométrie"), QStringLiteral("Météo")};
    return names;
}

QString sceneCategorySymbol(const QString& category)
{
    if (category == QStringLiteral("Atmosphère"))
        return QStringLiteral("cloud.fill");
    if (category == QStringLiteral("Fluide"))
        return QStringLiteral("drop.fill");
    if (category == QStringLiteral("Géométrie"))
        return QStringLiteral("triangle.fill");
    if (category == QStringLiteral("Météo"))
        return QStringLiteral("cloud.rain.fill");
    return QStringLiteral("circle.fill");
}

QList<SceneInfo> scenesInCategory(const QString& category)
{
    QList<SceneInfo> out;
    for (const SceneInfo& s : availableScenes()) {
        if (s.category == category)
            out.append(s);
    }
    return out;
}

} // namespace nivora
