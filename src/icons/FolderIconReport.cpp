#include "icons/FolderIconReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace nivora {

namespace {

// More names than this would push the status line over several lines.
constexpr int maxNames = 3;

QString quoted(const QString& name)
{
    return QCoreApplication::translate("FolderIconReport", "« %1 »").arg(name);
}

QString folders(int count)
{
    return count == 1 ? QCoreApplication::translate("FolderIconReport", "1 dossier")
                      : QCoreApplication::translate("FolderIconReport", "%1 dossiers").arg(count);
}

} // namespace

void FolderIconReport::add(const QString& path, const FolderIconOutcome& outcome)
{
    m_entries.append({path, outcome.status, outcome.reason});
}

int FolderIconReport::count(Status status) const
{
    int count = 0;
    for (const Entry& entry : m_entries)
        count += entry.status == status ? 1 : 0;
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
    return QCoreApplication::translate("FolderIconReport", "Image illisible : %1")
        .arg(quoted(QFileInfo(imagePath).fileName()));
}

// The names of the folders with `status`: "« A »", "« A » et « B »",
// "« A », « B » et « C »", and past three names "« A », « B », « C » et 2 autres".
QString FolderIconReport::names(Status status) const
{
    QStringList found;
    for (const Entry& entry : m_entries) {
        if (entry.status == status)
            found.append(quoted(folderName(entry.path)));
    }
    if (found.size() > maxNames) {
        const qsizetype others = found.size() - maxNames;
        return found.mid(0, maxNames).join(QStringLiteral(", ")) +
               (others == 1 ? QCoreApplication::translate("FolderIconReport", " et 1 autre")
                            : QCoreApplication::translate("FolderIconReport", " et %1 autres").arg(others));
    }
    if (found.size() == 1)
        return found.first();
    return found.mid(0, found.size() - 1).join(QStringLiteral(", ")) +
           QCoreApplication::translate("FolderIconReport", " et ") + found.last();
}

QString FolderIconReport::message() const
{
    const int total = int(m_entries.size());
    const int done = succeeded();
    const int skipped = unchanged();
    const int failures = failed();
    const bool apply = m_operation == Operation::Apply;
    if (total == 0)
        return {};
    if (done == total) {
        if (!apply)
            return QStringLiteral(
                "Icônes d'origine restaurées ✓ (relance le gestionnaire de fichiers si besoin)");
        return total == 1 ? QCoreApplication::translate("FolderIconReport", "Icône appliquée ✓")
                          : QCoreApplication::translate("FolderIconReport", "Icône appliquée à %1 dossiers ✓")
                                .arg(total);
    }
    if (failures == total) {
        const QString target =
            total == 1 ? QCoreApplication::translate("FolderIconReport", "de %1")
                             .arg(quoted(folderName(m_entries.first().path)))
                       : QCoreApplication::translate("FolderIconReport", "de ces %1 dossiers").arg(total);
        return apply ? QCoreApplication::translate("FolderIconReport", "Impossible de changer l'icône %1")
                           .arg(target)
                     : QCoreApplication::translate("FolderIconReport", "Impossible de restaurer l'icône %1")
                           .arg(target);
    }
    if (skipped == total) {
        return total == 1
                   ? QCoreApplication::translate("FolderIconReport",
                                                 "Rien à restaurer : %1 n'a pas d'icône de Nivora")
                         .arg(quoted(folderName(m_entries.first().path)))
                   : QCoreApplication::translate(
                         "FolderIconReport", "Rien à restaurer : ces %1 dossiers n'ont pas d'icône de Nivora")
                         .arg(total);
    }
    QStringList parts;
    if (done > 0) {
        const QString counted =
            QCoreApplication::translate("FolderIconReport", "%1 sur %2").arg(folders(done)).arg(total);
        parts << (apply
                      ? QCoreApplication::translate("FolderIconReport", "Icône appliquée à %1").arg(counted)
                      : QCoreApplication::translate("FolderIconReport", "Icônes d'origine restaurées pour %1")
                            .arg(counted));
    }
    if (failures > 0)
        parts << QCoreApplication::translate("FolderIconReport", "échec pour %1").arg(names(Status::Failed));
    if (skipped > 0)
        parts << QCoreApplication::translate("FolderIconReport", "rien à restaurer pour %1")
                     .arg(names(Status::Unchanged));
    QString text = parts.join(QStringLiteral(" — "));
    text[0] = text.at(0).toUpper();
    return text;
}

FolderIconReport::Tone FolderIconReport::messageTone() const
{
    if (failed() > 0)
        return Tone::Failure;
    return allSucceeded() ? Tone::Success : Tone::Partial;
}

} // namespace nivora
