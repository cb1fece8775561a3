#include "platform/freedesktop/KdeDirectoryFile.h"

#include "model/DesktopEntryText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <utility>

namespace nivora {

namespace {

const QByteArray desktopEntry = QByteArrayLiteral("[Desktop Entry]");
// Larger files are not `.directory` files anyone wrote by hand; reading them
// whole would only cost memory.
constexpr qint64 maxFileSize = 1024 * 1024;

bool isGroupHeader(const QByteArray& trimmed)
{
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

// `Icon`, also with KConfig's option flags (`Icon[$e]`), which name the same
// key; a locale (`Icon[fr]`) names another one.
bool isIconKey(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.startsWith('#'))
        return false;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0)
        return false;
    QByteArray key = trimmed.left(equals).trimmed();
    if (!key.startsWith("Icon"))
        return false;
    key = key.mid(4);
    while (key.startsWith("[$")) {
        const qsizetype close = key.indexOf(']');
        if (close < 0)
            return false;
        key = key.mid(close + 1);
    }
    return key.isEmpty();
}

bool isBlankOrComment(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith('#');
}

// One line of the file and the line end that followed it ("\n", "\r\n", or
// nothing for a last line without one), so that lines left alone are written
// back byte for byte whatever system wrote them.
struct Line
{
    QByteArray text;
    QByteArray end;
};

QList<Line> linesOf(const QByteArray& bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.append({bytes.mid(start), {}});
            break;
        }
        const qsizetype textEnd = newline > start && bytes.at(newline - 1) == '\r' ? newline - 1 : newline;
        lines.append({bytes.mid(start, textEnd - start), bytes.mid(textEnd, newline + 1 - textEnd)});
        start = newline + 1;
    }
    return lines;
}

QByteArray join(const QList<Line>& lines)
{
    QByteArray out;
    for (const Line& line : lines)
        out += line.text + line.end;
    return out;
}

// The line end new lines get: the file's own, or "\n" for a new file.
QByteArray lineEndOf(const QList<Line>& lines)
{
    for (const Line& line : lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return QByteArrayLiteral("\n");
}

// The ranges [begin, end) of the lines of every `[Desktop Entry]` group,
// header included. KConfig reads them as one group in which the last value of
// a key wins.
QList<std::pair<qsizetype, qsizetype>> desktopEntryRanges(const QList<Line>& lines)
{
    QList<std::pair<qsizetype, qsizetype>> ranges;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines.at(i).text.trimmed();
        if (!isGroupHeader(trimmed))
            continue;
        if (!ranges.isEmpty() && ranges.last().second < 0)
            ranges.last().second = i;
        if (trimmed == desktopEntry)
            ranges.append({i, -1});
    }
    if (!ranges.isEmpty() && ranges.last().second < 0)
        ranges.last().second = lines.size();
    return ranges;
}

// The index of the `Icon` line KConfig reads, or -1.
qsizetype effectiveIconLine(const QList<Line>& lines)
{
    qsizetype found = -1;
    for (const auto& [begin, end] : desktopEntryRanges(lines)) {
        for (qsizetype i = begin + 1; i < end; ++i) {
            if (isIconKey(lines.at(i).text))
                found = i;
        }
    }
    return found;
}

struct ReadResult
{
    bool exists = false;
    QByteArray text;
    QString error;
};

ReadResult readFile(const QString& path)
{
    ReadResult result;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return result;
    result.exists = true;
    if (!info.isFile()) {
        result.error = QCoreApplication::translate("KdeDirectoryFile", "« .directory » n'est pas un fichier");
        return result;
    }
    if (info.size() > maxFileSize) {
        result.error = QCoreApplication::translate("KdeDirectoryFile", "« .directory » est trop grand");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error =
            QCoreApplication::translate("KdeDirectoryFile", "lecture de « .directory » impossible : %1")
                .arg(file.errorString());
        return result;
    }
    result.text = file.read(maxFileSize + 1);
    return result;
}

QString writeFile(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    // Replaced atomically, so a full disk or a crash never leaves the user's
    // other settings half written.
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("KdeDirectoryFile", "écriture de « .directory » impossible : %1")
            .arg(file.errorString());
    if (file.write(text) != text.size() || !file.commit())
        return QCoreApplication::translate("KdeDirectoryFile", "écriture de « .directory » impossible : %1")
            .arg(file.errorString());
    return {};
}

} // namespace

QString KdeDirectoryFile::icon(const QByteArray& text)
{
    const QList<Line> lines = linesOf(text);
    const qsizetype at = effectiveIconLine(lines);
    if (at < 0)
        return {};
    const QByteArray& line = lines.at(at).text;
    // An empty value is still a key the file holds, unlike a missing one: it
    // must come back on reset.
    const QString value =
        DesktopEntryText::unescape(QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed()));
    return value.isNull() ? QString(QLatin1String("")) : value;
}

QByteArray KdeDirectoryFile::withIcon(const QByteArray& text, const QString& value)
{
    QList<Line> lines = linesOf(text);
    const QByteArray entry = "Icon=" + DesktopEntryText::escape(value).toUtf8();
    const QByteArray lineEnd = lineEndOf(lines);
    // The line KConfig reads is the one changed: an earlier `Icon` in another
    // `[Desktop Entry]` would be overridden by it anyway.
    if (const qsizetype at = effectiveIconLine(lines); at >= 0) {
        lines[at].text = entry;
        return join(lines);
    }
    const QList<std::pair<qsizetype, qsizetype>> groups = desktopEntryRanges(lines);
    if (groups.isEmpty()) {
        // Keys above the first group belong to no group: a group put above
        // them would take them in (an `Icon` there would even win), so the
        // new one goes right before the first group, or last.
        qsizetype at = 0;
        while (at < lines.size() && !isGroupHeader(lines.at(at).text.trimmed()))
            ++at;
        bool keysAbove = false;
        for (qsizetype i = 0; i < at; ++i)
            keysAbove = keysAbove || !isBlankOrComment(lines.at(i).text);
        if (!keysAbove) {
            QList<Line> head{{desktopEntry, lineEnd}, {entry, lineEnd}};
            if (!lines.isEmpty())
                head.append({QByteArray(), lineEnd});
            return join(head + lines);
        }
        if (at == lines.size() && lines.last().end.isEmpty())
            lines.last().end = lineEnd;
        QList<Line> group{{desktopEntry, lineEnd}, {entry, lineEnd}};
        if (at < lines.size())
            group.append({QByteArray(), lineEnd});
        for (qsizetype i = 0; i < group.size(); ++i)
            lines.insert(at + i, group.at(i));
        return join(lines);
    }
    const qsizetype header = groups.first().first;
    if (lines.at(header).end.isEmpty())
        lines[header].end = lineEnd;
    lines.insert(header + 1, {entry, lineEnd});
    return join(lines);
}

QByteArray KdeDirectoryFile::withoutIcon(const QByteArray& text)
{
    QList<Line> lines = linesOf(text);
    const QList<std::pair<qsizetype, qsizetype>> groups = desktopEntryRanges(lines);
    // Every `Icon` goes, since an earlier one would take over from the last.
    // Groups are handled from the end so that earlier ranges stay right.
    for (auto group = groups.crbegin(); group != groups.crend(); ++group) {
        const qsizetype begin = group->first;
        qsizetype end = group->second;
        bool removed = false;
        for (qsizetype i = end - 1; i > begin; --i) {
            if (isIconKey(lines.at(i).text)) {
                lines.removeAt(i);
                --end;
                removed = true;
            }
        }
        bool groupEmpty = true;
        for (qsizetype i = begin + 1; i < end; ++i)
            groupEmpty = groupEmpty && isBlankOrComment(lines.at(i).text);
        if (removed && groupEmpty) {
            // Only the blank lines are dropped with the header: a comment
            // might belong to the next group.
            for (qsizetype i = end - 1; i >= begin; --i) {
                if (i == begin || lines.at(i).text.trimmed().isEmpty())
                    lines.removeAt(i);
            }
        }
    }
    bool onlyBlank = true;
    for (const Line& line : lines)
        onlyBlank = onlyBlank && line.text.trimmed().isEmpty();
    return onlyBlank ? QByteArray() : join(lines);
}

QString KdeDirectoryFile::pathFor(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral(".directory"));
}

QString KdeDirectoryFile::readIcon(const QString& folder, QString* error)
{
    const ReadResult read = readFile(pathFor(folder));
    if (error)
        *error = read.error;
    return read.error.isEmpty() ? icon(read.text) : QString();
}

QString KdeDirectoryFile::writeIcon(const QString& folder, const QString& value)
{
    const QString path = pathFor(folder);
    const ReadResult before = readFile(path);
    if (!before.error.isEmpty())
        return before.error;
    if (const QString error = writeFile(path, withIcon(before.text, value)); !error.isEmpty())
        return error;
    const ReadResult after = readFile(path);
    if (!after.error.isEmpty())
        return after.error;
    if (icon(after.text) != value)
        return QCoreApplication::translate("KdeDirectoryFile", "« .directory » n'a pas gardé l'icône");
    return {};
}

QString KdeDirectoryFile::clearIcon(const QString& folder)
{
    const QString path = pathFor(folder);
    const ReadResult before = readFile(path);
    if (!before.exists)
        return {};
    if (!before.error.isEmpty())
        return before.error;
    if (icon(before.text).isNull())
        return {};
    const QByteArray remaining = withoutIcon(before.text);
    if (remaining.isEmpty()) {
        QFile file(path);
        if (!file.remove())
            return QCoreApplication::translate("KdeDirectoryFile",
                                               "suppression de « .directory » impossible : %1")
                .arg(file.errorString());
    } else if (const QString error = writeFile(path, remaining); !error.isEmpty()) {
        return error;
    }
    const ReadResult after = readFile(path);
    if (!after.error.isEmpty())
        return after.error;
    if (!icon(after.text).isNull())
        return QCoreApplication::translate("KdeDirectoryFile", "« .directory » a gardé l'icône");
    return {};
}

} // namespace nivora
