#include "app/LogPrefix.h"

#include <QtGlobal>

namespace nivora::LogPrefix {

namespace {

QtMessageHandler qtHandler = nullptr;

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    qtHandler(type, context, prefixed(message));
}

} // namespace

QString prefixed(const QString& message)
{
    const QString head = QString::fromLatin1(prefix);
    return message.startsWith(head) ? message : head + message;
}

void install()
{
    // Qt's handler keeps deciding where lines go (the journal or stderr) and
    // how QT_MESSAGE_PATTERN formats them.
    qtHandler = qInstallMessageHandler(&handle);
}

} // namespace nivora::LogPrefix
