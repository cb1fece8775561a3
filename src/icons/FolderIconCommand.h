#pragma once

#include <QStringList>

namespace nivora {

// `nivora folder-icon apply (--pattern NAME | --image FILE) DIR...` and
// `nivora folder-icon reset DIR...`. `args` excludes the program name and the
// word "folder-icon". Prints the Icons page's status message, then one line
// per folder that failed with its reason. Returns 0 when every folder
// succeeded, 1 when any failed or the image could not be read, 2 on bad usage.
int runFolderIconCommand(int argc, char** argv, const QStringList& args);

} // namespace nivora
