#pragma once

#include "platform/FolderIconStore.h"

#include <QList>
#include <QString>

namespace nivora {

// The result of applying or removing an icon on a list of folders: one entry
// per folder, in the order given, and the status message the Icons page and
// `nivora folder-icon` show for it. Only folders whose icon really changed are
// counted as done; folders a reset had nothing to give back to are named apart
// from those that failed.
class FolderIconReport
{
public:
    enum class Operation
    {
        Apply,
        Reset,
    };

    using Status = FolderIconOutcome::Status;

    struct Entry
    {
        QString path;
        Status status = Status::Failed;
        QString reason;
    };

    explicit FolderIconReport(Operation operation = Operation::Apply) : m_operation(operation) {}

    Operation operation() const { return m_operation; }
    const QList<Entry>& entries() const { return m_entries; }
    void add(const QString& path, const FolderIconOutcome& outcome);

    int succeeded() const { return count(Status::Changed); }
    int unchanged() const { return count(Status::Unchanged); }
    int failed() const { return count(Status::Failed); }
    bool allSucceeded() const { return !m_entries.isEmpty() && succeeded() == int(m_entries.size()); }

    // "Icône appliquée à 2 dossiers sur 3 — échec pour « Photos »" and its
    // siblings; see the .cpp for every form.
    QString message() const;
    // How the message reads: a success when every folder changed, a failure
    // when one failed, partial otherwise (some folders had nothing to give
    // back). The page that shows the message chooses its colour.
    enum class Tone
    {
        Success,
        Failure,
        Partial,
    };
    Tone messageTone() const;

    // The folder's name as the messages show it: the last component of its
    // cleaned path ("/" for the root).
    static QString folderName(const QString& path);
    // "Image illisible : « name »" for an image that could not be read.
    static QString unreadableImageMessage(const QString& imagePath);

private:
    int count(Status status) const;
    QString names(Status status) const;

    Operation m_operation;
    QList<Entry> m_entries;
};

} // namespace nivora
