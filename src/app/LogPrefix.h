#pragma once

#include <QString>

namespace nivora {

// Every line Nivora writes to its log (stderr and the journal) starts with
// "Nivora: ", so that a user can find ours among the session's messages,
// whoever wrote the line: our own code, Qt, or a library through Qt.
namespace LogPrefix {

inline constexpr char prefix[] = "Nivora: ";

// The message as it is logged: with the prefix added unless it already has it.
QString prefixed(const QString& message);

// Installs the message handler that adds the prefix in front of Qt's own
// handler. Once per process, before the first message.
void install();

} // namespace LogPrefix
} // namespace nivora
