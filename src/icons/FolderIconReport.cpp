#include "icons/FolderIconReport.h"

#include "design/Theme.h"

#include <QDir>
#include <QFileInfo>

namespace nivora {

namespace {

// More names than this would push the status line over several lines.
constexpr int maxNames = 3;

QString quoted(const QString& name)
{
    return QStringLiteral("« %1 »").arg(name);
}

QString folders(int count)
{
    return count == 1 ? QStringLiteral("1 dossier") : QStringLiteral("%1 dossiers").arg(count);
}

} // namespace

void FolderIconReport::add(const QString& path, bool ok, const QString& reason)
{
    m_entries.append({path, ok, reason});
}

int FolderIconReport::succeeded() const
{
    int count = 0;
    for (const Entry& entry : m_entries)
        count += entry.ok ? 1 : 0;
    return count;
}

QString FolderIconReport::folderName(const QString& path)
{
    const QString cleaned = QDir::cleanPath(path);
    const QString name = QFileInfo(cleaned).fileName();
    return name.isEmpty() ? cleaned : name;
}

QString FolderIconReport::unreadableImageMessage(const QString& imagePath)
{
    return QStringLiteral("Image illisible : %1").arg(quoted(QFileInfo(imagePath).fileName()));
}

// "« A »", "« A » et « B »", "« A », « B » et « C »", and past three names
// "« A », « B », « C » et 2 autres".
QString FolderIconReport::failedNames() const
{
    QStringList names;
    for (const Entry& entry : m_entries) {
        if (!entry.ok)
            names.append(quoted(folderName(entry.path)));
    }
    if (names.size() > maxNames) {
        const qsizetype others = names.size() - maxNames;
        return names.mid(0, maxNames).join(QStringLiteral(", ")) +
               (others == 1 ? QStringLiteral(" et 1 autre") : QStringLiteral(" et %1 autres").arg(others));
    }
    if (names.size() == 1)
        return names.first();
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") + names.last();
}

QString FolderIconReport::message() const
{
    const int total = int(m_entries.size());
    const int done = succeeded();
    const bool apply = m_operation == Operation::Apply;
    if (total == 0)
        return {};
    if (done == total) {
        if (!apply)
            return QStringLiteral(
                "Icônes d'origine restaurées ✓ (relance le gestionnaire de fichiers si besoin)");
        return total == 1 ? QStringLiteral("Icône appliquée ✓")
                          : QStringLiteral("Icône appliquée à %1 dossiers ✓").arg(total);
    }
    if (done == 0) {
        const QString target = total == 1
                                   ? QStringLiteral("de %1").arg(quoted(folderName(m_entries.first().path)))
                                   : QStringLiteral("de ces %1 dossiers").arg(total);
        return apply ? QStringLiteral("Impossible de changer l'icône %1").arg(target)
                     : QStringLiteral("Impossible de restaurer l'icône %1").arg(target);
    }
    const QString counted = QStringLiteral("%1 sur %2").arg(folders(done)).arg(total);
    const QString failures = QStringLiteral(" — échec pour %1").arg(failedNames());
    return apply ? QStringLiteral("Icône appliquée à %1%2").arg(counted, failures)
                 : QStringLiteral("Icônes d'origine restaurées pour %1%2").arg(counted, failures);
}

QColor FolderIconReport::messageColor() const
{
    return allSucceeded() ? Theme::green() : Theme::coral();
}

} // namespace nivora
