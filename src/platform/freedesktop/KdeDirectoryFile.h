#pragma once

#include <QByteArray>
#include <QString>

namespace nivora {

// The `Icon=` key of the `[Desktop Entry]` group of a folder's `.directory`
// file, the place where Dolphin and other KDE file managers look for a custom
// folder icon. The value read and written is the one KConfig uses: groups of
// the same name are merged and the last `Icon` in them wins. The file is edited
// as text, line by line, so that every other key, group, comment and blank line
// the user or KDE wrote stays exactly as it was, line ends included (CRLF
// stays CRLF). Only the plain `Icon` key is touched (with or without option
// flags such as `Icon[$e]`), never its translations (`Icon[fr]=`).
class KdeDirectoryFile
{
public:
    // The unescaped value of `Icon` in `[Desktop Entry]`, or a null string when
    // the file has none.
    static QString icon(const QByteArray& text);
    // `text` with `Icon` set to `value`: the key KConfig reads replaced in
    // place, or a new key right under the first group's header, or a new group
    // at the start (before the first group, or last, when keys stand outside
    // any group).
    static QByteArray withIcon(const QByteArray& text, const QString& value);
    // `text` without any `Icon` in any `[Desktop Entry]`. A group that held one
    // and is left with nothing but blank lines and comments is dropped too. The result is empty when nothing
    // but blank lines would remain, meaning the file can go.
    static QByteArray withoutIcon(const QByteArray& text);

    // The path of the `.directory` file of `folder`.
    static QString pathFor(const QString& folder);
    // The `Icon` of the `.directory` of `folder`, or a null string when there is
    // none (no file, or no key). `error` is set when the file cannot be read.
    static QString readIcon(const QString& folder, QString* error);
    // Sets `Icon` in the `.directory` of `folder` (creating the file) and reads
    // it back. Returns a null string on success, the reason otherwise.
    static QString writeIcon(const QString& folder, const QString& value);
    // Removes `Icon` from the `.directory` of `folder`, removing the file when
    // nothing else is left in it, and reads it back. A folder without the file
    // or without the key is already clear. Returns a null string on success,
    // the reason otherwise.
    static QString clearIcon(const QString& folder);
};

} // namespace nivora
