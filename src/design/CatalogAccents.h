#pragma once

#include "model/NavSection.h"

#include <QColor>
#include <QString>

namespace nivora {

// The accent colours of the catalogs' entries: the catalogs name things, the
// design colours them.

// Accent of a scene category; unknown names get ink.
QColor sceneCategoryAccent(const QString& category);

namespace NavSections {
QColor accent(NavSection section);
} // namespace NavSections

} // namespace nivora
