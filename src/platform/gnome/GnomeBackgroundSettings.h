#pragma once

#include <QString>
#include <optional>

namespace nivora {

// GNOME's own desktop background (org.gnome.desktop.background), which the
// shell shows in the overview and on the lock screen. Main thread.
namespace GnomeBackgroundSettings {

struct Pictures
{
    QString light; // picture-uri
    QString dark;  // picture-uri-dark
};

// Whether the schema (with both keys) is installed; GSettings aborts the
// process on a missing schema, so everything below checks this first.
bool available();
// The current values; empty when unavailable.
std::optional<Pictures> read();
// Sets both keys; false when unavailable or refused.
bool write(const Pictures& pictures);

} // namespace GnomeBackgroundSettings
} // namespace nivora
