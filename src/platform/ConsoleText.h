#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace nivora {

// Writes a command's text to a standard stream as UTF-8, whatever the locale,
// and flushes it, so that what a command prints reaches a pipe in the order it
// was printed even when the process ends abruptly after it.
inline void writeText(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace nivora
