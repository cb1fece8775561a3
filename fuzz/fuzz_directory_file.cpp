// A folder's `.directory` file as KDE or the user left it, and the icon value
// we write into it. Input: the file's bytes, then optionally a NUL and the
// icon value (UTF-8). What we write we read back, writing twice changes
// nothing more, removing leaves no icon, and every line we do not own stays
// byte for byte as it was.
#include "FuzzSupport.h"
#include "platform/freedesktop/KdeDirectoryFile.h"

#include <QList>

using namespace nivora;
using namespace nivora::fuzz;

namespace {

// Lines with their line ends, so that a changed end counts as a changed line.
QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        lines.append(text.mid(start, end - start));
        start = end;
    }
    return lines;
}

bool isSubsequence(const QList<QByteArray>& part, const QList<QByteArray>& whole)
{
    qsizetype at = 0;
    for (const QByteArray& line : whole) {
        if (at < part.size() && part.at(at) == line)
            ++at;
    }
    return at == part.size();
}

// `after` is `before` with lines added in one place and at most one line of
// `before` replaced there.
bool changedInOnePlace(const QList<QByteArray>& before, const QList<QByteArray>& after)
{
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    return before.size() - prefix - suffix <= 1 && after.size() - prefix - suffix <= 3;
}

// A value the desktop entry format can hold: KConfig trims every value, so
// vertical tabs and form feeds (which it has no escape for) at either end are
// lost by any writer.
bool representable(const QString& value)
{
    const auto edge = [](QChar c) { return c == QLatin1Char('\v') || c == QLatin1Char('\f'); };
    return value.isEmpty() || (!edge(value.front()) && !edge(value.back()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = bytes(data, size);
    const qsizetype nul = input.indexOf('\0');
    const QByteArray text = nul < 0 ? input : input.left(nul);
    const QString value = nul < 0 ? QStringLiteral("/home/u/.local/share/nivora/folder-icons/a b.png")
                                  : QString::fromUtf8(input.mid(nul + 1));

    const QString before = KdeDirectoryFile::icon(text);

    const QByteArray written = KdeDirectoryFile::withIcon(text, value);
    if (representable(value))
        check(KdeDirectoryFile::icon(written) == value, "the icon written does not read back");
    check(KdeDirectoryFile::withIcon(written, value) == written,
          "writing the same icon twice changed the file");
    check(changedInOnePlace(linesOf(text), linesOf(written)),
          "writing the icon changed lines it does not own");

    const QByteArray cleared = KdeDirectoryFile::withoutIcon(text);
    check(KdeDirectoryFile::icon(cleared).isNull(), "an icon is left after removing it");
    check(isSubsequence(linesOf(cleared), linesOf(text)), "removing the icon changed lines it does not own");
    if (before.isNull() && !cleared.isEmpty())
        check(cleared == text, "removing an icon that is not there changed the file");

    const QByteArray clearedWritten = KdeDirectoryFile::withoutIcon(written);
    check(KdeDirectoryFile::icon(clearedWritten).isNull(), "an icon is left after removing the one written");
    return 0;
}
