#pragma once

#include <QStringList>

namespace nivora {

// `nivora pattern NAME --size N --output FILE.png`. `args` excludes the program
// name and the word "pattern". Returns the process exit status.
int runPatternCommand(int argc, char** argv, const QStringList& args);

} // namespace nivora
