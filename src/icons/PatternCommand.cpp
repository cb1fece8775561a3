#include "icons/PatternCommand.h"

#include <cstdio>

namespace nivora {

int runPatternCommand(int, char**, const QStringList&)
{
    std::fprintf(stderr, "nivora pattern: not available in this build yet\n");
    return 1;
}

} // namespace nivora
