#include "model/SceneCatalog.h"

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
            {"Brume", "Voiles de brouillard", "cloud.fog", "Atmosphère"},
            {"Aurore", "Rideaux de lumière", "sparkles", "Atmosphère"},
            {"Maille", "Grille vivante", "grid", "Géométrie"},
            {"Flux", "Marbrure mouvante", "wind", "Fluide"},
            {"Plasma", "Champs ondulants", "waveform", "Fluide"},
            {"Relief", "Courbes topographiques", "map", "Fluide"},
            {"Vagues", "Houle paisible", "water.waves", "Fluide"},
            {"Lave", "Blobs fondants", "flame.fill", "Fluide"},
            {"Bandes", "Rubans diagonaux", "rectangle.split.3x1.fill", "Géométrie"},
            {"Fumée", "Volutes ascendantes", "smoke.fill", "Atmosphère"},
            {"Soie", "Ondes satinées", "wind", "Atmosphère"},
            {"Dégradé", "Nappe fondue", "circle.lefthalf.filled", "Atmosphère"},
            {"Bulles", "Orbes flottantes", "circle.grid.2x2.fill", "Atmosphère"},
            {"Pluie", "Averse fluide", "cloud.rain.fill", "Météo"},
            {"Neige", "Flocons à la dérive", "snowflake", "Météo"},
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
