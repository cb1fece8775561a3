#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// What every fuzz target shares: one QCoreApplication, Qt's log lines
// silenced (parsers log every refusal, which would drown libFuzzer's output),
// and a private scratch directory that XDG_CONFIG_HOME, XDG_DATA_HOME and
// XDG_CACHE_HOME point into, so no input can touch the real user's files.
namespace nivora::fuzz {

// The scratch directory of this process, removed at exit.
const QString& scratchDir();

// Reports a broken property and aborts, which libFuzzer records as a crash
// and keeps the input for.
[[noreturn]] void fail(const char* what);

inline void check(bool holds, const char* what)
{
    if (!holds)
        fail(what);
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace nivora::fuzz
