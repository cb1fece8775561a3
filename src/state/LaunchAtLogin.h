#pragma once

#include <QLatin1String>
#include <QString>

namespace nivora {

// Launch at login through XDG autostart: the app is registered when
// $XDG_CONFIG_HOME/autostart/<app-id>.desktop exists, is not Hidden=true and not
// X-GNOME-Autostart-enabled=false. Stateless; never fails towards its caller.
namespace LaunchAtLogin {

bool isEnabled();

// The argument the entry's Exec passes: a start by the session at login shows
// no window, only the desktop and the tray item.
inline constexpr QLatin1String autostartArgument{"--autostart"};

// Registers (writes the autostart entry) or unregisters (removes it). Does
// nothing when the status already matches; a failure is logged once as
// "Nivora: launch at login: " followed by the error's text.
void set(bool on);

// Where the autostart entry lives for the current environment.
QString autostartFilePath();

// The Exec value the entry gets: the bare name "nivora" when the running binary
// is the one PATH finds (an installed copy, so the entry survives upgrades and a
// move to another prefix), otherwise the running binary's full path (a build
// tree, or a copy outside PATH).
QString launchCommand();

// Called once the app runs, when launch at login is on: points Exec at this
// binary again when the entry's program no longer exists (a version installed
// elsewhere was removed), and adds the autostart argument when it lacks it (an
// entry written by an older version, whose login starts opened the
// dashboard). The entry's other lines are kept.
void repair();

} // namespace LaunchAtLogin
} // namespace nivora
