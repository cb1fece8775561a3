#pragma once

#include "dashboard/FilePickers.h"

#include <functional>

class QFileDialog;

namespace nivora {

// The pickers as QFileDialogs. Images and media use the desktop's own dialog
// (the portal where there is one); native dialogs filter by MIME type, Qt's
// own dialog by the file patterns of those types. Folders use Qt's dialog
// with several folders selectable at once, which the desktop dialogs cannot
// offer in folder mode.
//
// Every dialog is made on the heap, parented to the page's window rather than
// to the page, and watched: the page may be deleted while the dialog runs,
// and its answer then goes nowhere.
class DialogFilePickers : public FilePickers
{
public:
    std::optional<QStringList> chooseFolders(QWidget* page) override;
    std::optional<QString> chooseImage(QWidget* page) override;
    std::optional<QString> chooseMedia(WallpaperMode mode, const QString& currentPath,
                                       QWidget* page) override;
    std::optional<QString> chooseFolder(const QString& currentPath, QWidget* page) override;

private:
    // Runs a dialog set up by `prepare` for `page`; the files chosen, or
    // nothing when cancelled or when the page went away meanwhile.
    static std::optional<QStringList> run(QWidget* page, const QString& title,
                                          const std::function<void(QFileDialog&)>& prepare);
};

} // namespace nivora
