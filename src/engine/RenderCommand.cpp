#include "engine/RenderCommand.h"

#include <cstdio>

namespace nivora {

int runRenderCommand(int, char**, const QStringList&)
{
    std::fprintf(stderr, "nivora render: not available in this build yet\n");
    return 1;
}

} // namespace nivora
