#pragma once

#include <QString>

namespace nivora {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, ~/.config otherwise (a relative value is to be ignored).
QString configHome();

} // namespace nivora
