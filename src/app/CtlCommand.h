#pragma once

#include <QStringList>

namespace nivora {

// `nivora ctl ...`: sends one command to the running instance and prints its
// answer. 0 done, 1 no running instance, 2 refused or bad arguments.
int runCtlCommand(int argc, char** argv, const QStringList& args);

} // namespace nivora
