#pragma once

#include <QList>
#include <QSet>
#include <optional>

namespace nivora {

// The per-screen wallpaper switch of the displays page, over the stored set of
// enabled display identifiers, in which the empty set means every display.
namespace DisplayToggle {

// Whether the switch of display `id` shows on.
bool isOn(const QSet<quint32>& enabled, quint32 id);

// The set to store when the switch of `id` is turned `on`, given the
// identifiers of the screens connected now; nothing when the change must be
// refused because no connected display would show the wallpaper any more. When every connected
// display ends up enabled the result is the empty set, so displays connected
// later are served too. Identifiers of displays that are disconnected stay in
// the set, so they are served again when they come back.
std::optional<QSet<quint32>> toggled(const QSet<quint32>& enabled, const QList<quint32>& connected,
                                     quint32 id, bool on);

} // namespace DisplayToggle
} // namespace nivora
