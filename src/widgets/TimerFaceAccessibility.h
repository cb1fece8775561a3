#pragma once

#include <QString>

namespace nivora {

// Makes the drawn start/pause and reset buttons of the focus timer and the
// stopwatch faces visible to assistive technology: the face is a group named
// after its widget ("Focus", "Chrono") whose children are push buttons named
// "Démarrer", "Pause" and "Réinitialiser", each pressable from outside.
namespace TimerFaceAccessibility {

// Installs the factory once; TimerFaceView calls it.
void install();

// The spoken name of a face button's symbol.
QString buttonName(const QString& symbol);

} // namespace TimerFaceAccessibility
} // namespace nivora
