#pragma once

#include "icons/FolderIconReport.h"
#include "platform/FolderIconStore.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

namespace nivora {

class FolderPattern;

// Turns patterns and user images into folder icons and sets or removes them on
// folders, through the desktop's FolderIconStore. Icons are PNG files of
// 1024 × 1024 pixels in $XDG_DATA_HOME/nivora/folder-icons/, named by a hash of
// their content: one file however many folders show it, and the same file
// again when the same pattern is applied later. Main thread, synchronous.
class FolderIconService
{
public:
    static constexpr int iconPixels = 1024;

    struct ImportedImage
    {
        QImage image;
        // "Image illisible : « name »" when the image could not be used.
        QString error;
    };

    // Without a store, the desktop's own (FolderIconStore::createDefault) with
    // the directories below.
    explicit FolderIconService(std::unique_ptr<FolderIconStore> store = {});

    // The desktop's generic folder at `pixels` × `pixels` with alpha, or
    // Nivora's own drawing when the icon theme has none. Never null for a
    // positive size.
    QImage folderImage(int pixels) const;
    // The pattern on the folder at iconPixels × iconPixels; null only when
    // memory runs out.
    QImage renderPattern(const FolderPattern& pattern) const;
    // Reads a user image with the media wallpapers' size limit, then scales it
    // to fit iconPixels × iconPixels keeping its aspect, centred on a
    // transparent square.
    static ImportedImage importImage(const QString& path);

    // Sets `icon` on every folder, in order, after writing it once to the icon
    // directory. When the file cannot be written every folder fails with that
    // reason.
    FolderIconReport apply(const QImage& icon, const QStringList& folders);
    // Gives every folder that still shows an icon Nivora set the icon it had
    // before Nivora first changed it (its own, or the file manager's folder);
    // other folders are left as they are and counted apart.
    FolderIconReport reset(const QStringList& folders);

    // $XDG_DATA_HOME/nivora/folder-icons
    static QString iconDirectory();
    // $XDG_DATA_HOME/nivora/original-folder-icons.json: what folders showed
    // before Nivora changed them.
    static QString originalsFile();
    // Writes `icon` as PNG under its content hash (unless that file is already
    // there) and returns its path; a null string and `error` set on failure.
    static QString saveIcon(const QImage& icon, QString* error);

    FolderIconStore& store() const { return *m_store; }

private:
    std::unique_ptr<FolderIconStore> m_store;
    // The folder at iconPixels, made on first use: the theme lookup and its
    // scaling would otherwise be repeated for every render.
    mutable QImage m_folder;
};

} // namespace nivora
