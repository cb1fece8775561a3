#pragma once

namespace nivora {

// Process entry: dispatches the command line (the app itself, `ctl`, `render`,
// `pattern`, or a nivora:// URL) and returns the process exit status.
int entry(int argc, char** argv);

} // namespace nivora
