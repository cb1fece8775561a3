#include "app/LogPrefix.h"

#include <QtGlobal>

namespace nivora::LogPrefix {

namespace {

QtMessageHandler qtHandler = nullptr;

void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // Qt's handler writes a category ("qt.qpa.xcb") ahead of the message: it
    // goes inside the line instead, after the prefix.
    if (context.category && qstrcmp(context.category, "default") != 0) {
        const QMessageLogContext plain(context.file, context.line, context.function, "default");
        qtHandler(type, plain,
                  prefixed(QString::fromLatin1(context.category) + QLatin1String(": ") + message));
        return;
    }
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
