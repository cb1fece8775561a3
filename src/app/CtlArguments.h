#pragma once

#include <QStringList>

namespace nivora {

// The commands the running instance answers, and how `nivora ctl` checks its
// arguments before it sends any: a command line it refuses never reaches the bus.
namespace CtlArguments {

enum class Verdict
{
    Ok,
    Usage,    // no command at all
    Help,     // --help or -h
    Unknown,  // not a command `nivora ctl` sends
    BadArity, // a known command with the wrong number of arguments
};

// Every command of the control interface, `open-url` (the desktop's) included.
const QStringList& commands();

Verdict check(const QStringList& args);

} // namespace CtlArguments
} // namespace nivora
