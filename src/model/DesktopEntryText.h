#pragma once

#include <QString>

namespace nivora::DesktopEntryText {

// The string values of desktop entry files (`.desktop`, `.directory`), written
// so that any text reads back as itself: a backslash, a line break, a tab and a
// carriage return are escaped, and a leading space becomes `\s`.
QString escape(const QString& value);
// Undoes escape() and any other escape such a value may carry; a lone
// backslash at the end stays as it is.
QString unescape(const QString& value);

// One argument of an `Exec` key: as it is when it holds none of the reserved
// characters, otherwise in double quotes with `"`, `` ` ``, `$` and `\`
// backslashed. The result is still to be escape()d as a string value.
QString quoteExecArgument(const QString& argument);

} // namespace nivora::DesktopEntryText
