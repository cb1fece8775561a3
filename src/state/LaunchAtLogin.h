#pragma once

#include <QString>

namespace nivora {

// Launch at login through XDG autostart: the app is registered when
// $XDG_CONFIG_HOME/autostart/<app-id>.desktop exists, is not Hidden=true and not
// X-GNOME-Autostart-enabled=false. Stateless; never fails towards its caller.
namespace LaunchAtLogin {

bool isEnabled();

// Registers (writes the autostart entry) or unregisters (removes it). Does
// nothing when the status already matches; a failure is logged once as
// "Lumeris: lancement au démarrage — " followed by the error's text.
void set(bool on);

// Where the autostart entry lives for the current environment.
QString autostartFilePath();

} // namespace LaunchAtLogin
} // namespace nivora
