#pragma once

#include "state/WallpaperMode.h"

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace nivora {

// Every file dialog a dashboard page opens, behind one interface so that tests
// can answer them without a dialog on screen. Each call is modal and returns
// once the user has decided, main thread only.
//
// `page` is the page that asks. The dialog runs its own event loop, during
// which the dashboard may replace that page (a section change, a command, a
// second launch): an answer is then never given, as if the user had
// cancelled. Pages hold their pickers shared and keep them alive for the call.
class FilePickers
{
public:
    virtual ~FilePickers() = default;
    // One or more folders, in the dialog's order; nothing when cancelled.
    virtual std::optional<QStringList> chooseFolders(QWidget* page) = 0;
    // One image file; nothing when cancelled.
    virtual std::optional<QString> chooseImage(QWidget* page) = 0;
    // One existing file of the mode's kind (images in image mode, videos in
    // video mode), starting near `currentPath` when it is set; nothing when
    // cancelled or in scene mode.
    virtual std::optional<QString> chooseMedia(WallpaperMode mode, const QString& currentPath,
                                               QWidget* page) = 0;
    // One folder, starting at `currentPath` when it is one; nothing when
    // cancelled. By default the first of chooseFolders().
    virtual std::optional<QString> chooseFolder(const QString& currentPath, QWidget* page)
    {
        Q_UNUSED(currentPath);
        const std::optional<QStringList> folders = chooseFolders(page);
        if (!folders || folders->isEmpty())
            return std::nullopt;
        return folders->first();
    }
};

} // namespace nivora
