#include "platform/freedesktop/KdeDirectoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

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

bool isIconKey(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    const qsizetype equals = trimmed.indexOf('=');
    return equals > 0 && trimmed.left(equals).trimmed() == "Icon";
}

bool isBlankOrComment(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith('#');
}

// Escapes as the desktop entry format asks for string values, so that a path
// with a backslash or a line break still reads back as itself.
QByteArray escape(const QString& value)
{
    QByteArray out;
    const QByteArray utf8 = value.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8.at(i);
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case ' ':
            out += i == 0 ? QByteArrayLiteral("\\s") : QByteArrayLiteral(" ");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString unescape(const QByteArray& value)
{
    QByteArray out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value.at(++i);
        switch (next) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            out += next;
        }
    }
    return QString::fromUtf8(out);
}

// The lines of `text` without their line ends; a final line end does not make
// an extra empty line.
QList<QByteArray> linesOf(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

QByteArray join(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + '\n';
    return out;
}

// The range [begin, end) of the lines of the first `[Desktop Entry]` group,
// header included; begin is -1 when there is none.
std::pair<qsizetype, qsizetype> desktopEntryRange(const QList<QByteArray>& lines)
{
    qsizetype begin = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines.at(i).trimmed();
        if (begin < 0) {
            if (trimmed == desktopEntry)
                begin = i;
        } else if (isGroupHeader(trimmed)) {
            return {begin, i};
        }
    }
    return {begin, lines.size()};
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
        result.error = QStringLiteral("« .directory » n'est pas un fichier");
        return result;
    }
    if (info.size() > maxFileSize) {
        result.error = QStringLiteral("« .directory » est trop grand");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("lecture de « .directory » impossible : %1").arg(file.errorString());
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
        return QStringLiteral("écriture de « .directory » impossible : %1").arg(file.errorString());
    if (file.write(text) != text.size() || !file.commit())
        return QStringLiteral("écriture de « .directory » impossible : %1").arg(file.errorString());
    return {};
}

} // namespace

QString KdeDirectoryFile::icon(const QByteArray& text)
{
    const QList<QByteArray> lines = linesOf(text);
    const auto [begin, end] = desktopEntryRange(lines);
    if (begin < 0)
        return {};
    for (qsizetype i = begin + 1; i < end; ++i) {
        if (isIconKey(lines.at(i))) {
            const QByteArray line = lines.at(i);
            return unescape(line.mid(line.indexOf('=') + 1).trimmed());
        }
    }
    return {};
}

QByteArray KdeDirectoryFile::withIcon(const QByteArray& text, const QString& value)
{
    QList<QByteArray> lines = linesOf(text);
    const QByteArray entry = "Icon=" + escape(value);
    const auto [begin, end] = desktopEntryRange(lines);
    if (begin < 0) {
        QList<QByteArray> head{desktopEntry, entry};
        if (!lines.isEmpty())
            head.append(QByteArray());
        return join(head + lines);
    }
    for (qsizetype i = begin + 1; i < end; ++i) {
        if (isIconKey(lines.at(i))) {
            lines[i] = entry;
            return join(lines);
        }
    }
    lines.insert(begin + 1, entry);
    return join(lines);
}

QByteArray KdeDirectoryFile::withoutIcon(const QByteArray& text)
{
    QList<QByteArray> lines = linesOf(text);
    auto [begin, end] = desktopEntryRange(lines);
    if (begin >= 0) {
        for (qsizetype i = end - 1; i > begin; --i) {
            if (isIconKey(lines.at(i))) {
                lines.removeAt(i);
                --end;
            }
        }
        bool groupEmpty = true;
        for (qsizetype i = begin + 1; i < end; ++i)
            groupEmpty = groupEmpty && isBlankOrComment(lines.at(i));
        if (groupEmpty) {
            // Only the blank lines are dropped with the header: a comment
            // might belong to the next group.
            for (qsizetype i = end - 1; i >= begin; --i) {
                if (i == begin || lines.at(i).trimmed().isEmpty())
                    lines.removeAt(i);
            }
        }
    }
    bool onlyBlank = true;
    for (const QByteArray& line : lines)
        onlyBlank = onlyBlank && line.trimmed().isEmpty();
    return onlyBlank ? QByteArray() : join(lines);
}

QString KdeDirectoryFile::pathFor(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral(".directory"));
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
        return QStringLiteral("« .directory » n'a pas gardé l'icône");
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
            return QStringLiteral("suppression de « .directory » impossible : %1").arg(file.errorString());
    } else if (const QString error = writeFile(path, remaining); !error.isEmpty()) {
        return error;
    }
    const ReadResult after = readFile(path);
    if (!after.error.isEmpty())
        return after.error;
    if (!icon(after.text).isNull())
        return QStringLiteral("« .directory » a gardé l'icône");
    return {};
}

} // namespace nivora
