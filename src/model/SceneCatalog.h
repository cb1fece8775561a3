#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace nivora {

// One of the fifteen scenes; `id` is also the shader's scene number.
struct SceneInfo
{
    int id = 0;
    QString name;
    QString subtitle;
    QString systemImage;
    QString category;

    bool operator==(const SceneInfo&) const = default;
};

// The fifteen scenes in index order.
const QList<SceneInfo>& availableScenes();

// Category names in the order the scene library shows them.
const QStringList& sceneCategories();
// Symbol of a category; unknown names get "circle.fill". The accent colour is
// the design's (design/CatalogAccents.h).
QString sceneCategorySymbol(const QString& category);
// Scenes of one category, in catalog order.
QList<SceneInfo> scenesInCategory(const QString& category);

} // namespace nivora
