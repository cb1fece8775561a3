#pragma once

#include <QStringList>

namespace nivora {

// `nivora render ...`: draws one frame of a scene to a PNG. `args` excludes the
// program name and the word "render". Returns the process exit status.
int runRenderCommand(int argc, char** argv, const QStringList& args);

} // namespace nivora
