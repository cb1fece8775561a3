#pragma once

#include <QMap>
#include <QString>
#include <optional>

namespace nivora {

// What folders showed before Nivora first changed their icons, so that a reset
// can give back an icon the user had chosen instead of leaving the folder bare.
// One small JSON file holds every folder, each with the value of every place a
// file manager reads that was about to be written ("gio", "kde"), or null where
// the place held nothing:
//   {"folders": {"/home/léa/Photos": {"gio": "file:///…/soleil.png", "kde": null}}}
// Folders are keyed by their canonical path. Main thread; callers load, change
// and save around each folder, so two processes working on different folders
// keep each other's entries.
class OriginalFolderIcons
{
public:
    // A place's value before the change; no value when it had none.
    using Places = QMap<QString, std::optional<QString>>;

    explicit OriginalFolderIcons(QString file);

    // Reads the file; a missing file is an empty record. A null string on
    // success, the reason otherwise (the record is then left empty, and must
    // not be saved over the unreadable file).
    QString load();
    // Writes the record atomically, or removes the file when no folder is
    // left. A null string on success, the reason otherwise.
    QString save() const;

    std::optional<Places> find(const QString& folder) const;
    void put(const QString& folder, const Places& places);
    void remove(const QString& folder);

    static QString keyFor(const QString& folder);

private:
    QString m_file;
    QMap<QString, Places> m_folders;
};

} // namespace nivora
