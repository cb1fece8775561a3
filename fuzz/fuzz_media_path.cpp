// A media file chosen by the user, or named in the settings file, before the
// video player may open it. Input: the file name up to the first newline
// (slashes and NULs become `_`), then the file's bytes. Playlists, by name or
// by content, never pass as a plain file.
#include "FuzzSupport.h"
#include "media/MediaPathCheck.h"

#include <QDir>
#include <QFile>

using namespace nivora;
using namespace nivora::fuzz;

namespace {

bool namedAsPlaylist(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString suffix = name.mid(dot + 1).toLower();
    return suffix == QLatin1String("m3u") || suffix == QLatin1String("m3u8") ||
           suffix == QLatin1String("pls") || suffix == QLatin1String("cue") || suffix == QLatin1String("edl");
}

// The shape every M3U player recognises, wherever it sits in the first line.
bool startsAsM3u(QByteArray content)
{
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    return content.trimmed().toLower().startsWith("#extm3u");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = bytes(data, size);
    const qsizetype newline = input.indexOf('\n');
    QByteArray rawName = (newline < 0 ? input : input.left(newline)).left(200);
    rawName.replace('/', '_').replace('\0', '_');
    QString name = QFile::decodeName(rawName);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("media");
    const QByteArray content = newline < 0 ? QByteArray() : input.mid(newline + 1);

    static const QString dir = [] {
        const QString path = scratchDir() + QStringLiteral("/media");
        QDir().mkpath(path);
        return path;
    }();
    const QString path = dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0; // a name the file system refuses (too long)
    file.write(content);
    file.close();

    const MediaPathCheck::Verdict verdict = MediaPathCheck::check(path);
    check(verdict != MediaPathCheck::Verdict::Address, "an absolute path taken for an address");
    check(verdict != MediaPathCheck::Verdict::Missing, "an existing file taken as missing");
    if (namedAsPlaylist(name) || startsAsM3u(content))
        check(verdict == MediaPathCheck::Verdict::Playlist, "a playlist passed as a plain file");
    check(MediaPathCheck::refusal(path, verdict).isEmpty() == (verdict == MediaPathCheck::Verdict::PlainFile),
          "a refusal without a log line, or a plain file with one");
    file.remove();
    return 0;
}
