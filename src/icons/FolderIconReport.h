#pragma once

#include <QColor>
#include <QList>
#include <QString>

namespace nivora {

// The result of applying or removing an icon on a list of folders: one entry
// per folder, in the order given, and the status message the Icons page and
// `nivora folder-icon` show for it. Only folders whose icon really changed are
// counted as done.
class FolderIconReport
{
public:
    enum class Operation
    {
        Apply,
        Reset,
    };

    struct Entry
    {
        QString path;
        bool ok = false;
        QString reason;
    };

    explicit FolderIconReport(Operation operation = Operation::Apply) : m_operation(operation) {}

    Operation operation() const { return m_operation; }
    const QList<Entry>& entries() const { return m_entries; }
    void add(const QString& path, bool ok, const QString& reason = {});

    int succeeded() const;
    int failed() const { return int(m_entries.size()) - succeeded(); }
    bool allSucceeded() const { return !m_entries.isEmpty() && failed() == 0; }

    // "Icône appliquée à 2 dossiers sur 3 — échec pour « Photos »" and its
    // siblings; see the .cpp for every form.
    QString message() const;
    // Theme green when every folder succeeded, coral otherwise.
    QColor messageColor() const;

    // The folder's name as the messages show it: the last component of its
    // cleaned path ("/" for the root).
    static QString folderName(const QString& path);
    // "Image illisible : « name »" for an image that could not be read.
    static QString unreadableImageMessage(const QString& imagePath);

private:
    QString failedNames() const;

    Operation m_operation;
    QList<Entry> m_entries;
};

} // namespace nivora
