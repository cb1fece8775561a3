#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtEndian>
#include <unistd.h>

namespace nivora::test {

// `gio info -a metadata::custom-icon` of `path`: the value, or a null string
// when the attribute is not set. Read by gio itself, not by the code under test.
inline QString gioCustomIcon(const QString& path)
{
    QProcess gio;
    gio.start(QStringLiteral("gio"),
              {QStringLiteral("info"), QStringLiteral("-a"), QStringLiteral("metadata::custom-icon"), path});
    if (!gio.waitForFinished(20000))
        return QStringLiteral("<gio timed out>");
    const QString out = QString::fromUtf8(gio.readAllStandardOutput());
    const QString key = QStringLiteral("metadata::custom-icon: ");
    const qsizetype at = out.indexOf(key);
    if (at < 0)
        return {};
    return out.mid(at + key.size()).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// Sets `metadata::custom-icon` of `path` with gio itself, as another program or
// the user would.
inline bool setGioCustomIcon(const QString& path, const QString& value)
{
    return QProcess::execute(QStringLiteral("gio"), {QStringLiteral("set"), path,
                                                     QStringLiteral("metadata::custom-icon"), value}) == 0;
}

inline bool hasSessionBus()
{
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS");
}

// Makes `dir` refuse new files: read-only, and immutable as well when running
// as root (root ignores permissions). False when it stays writable here.
inline bool makeUnwritable(const QString& dir)
{
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir});
    QFile probe(QDir(dir).filePath(QStringLiteral(".probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        return false;
    }
    return true;
}

inline void makeWritable(const QString& dir)
{
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir});
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

inline quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG of a few dozen bytes whose header claims `width` × `height` pixels.
inline QByteArray pngClaiming(quint32 width, quint32 height)
{
    auto chunk = [](const QByteArray& type, const QByteArray& data) {
        QByteArray out(4, '\0');
        qToBigEndian(quint32(data.size()), out.data());
        QByteArray body = type + data;
        QByteArray crc(4, '\0');
        qToBigEndian(crc32(body), crc.data());
        return out + body + crc;
    };
    QByteArray ihdr(13, '\0');
    qToBigEndian(width, ihdr.data());
    qToBigEndian(height, ihdr.data() + 4);
    ihdr[8] = 8; // bit depth
    ihdr[9] = 6; // RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", ihdr) +
           chunk("IDAT", QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8)) + chunk("IEND", {});
}

} // namespace nivora::test
