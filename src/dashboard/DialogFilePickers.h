#pragma once

#include "dashboard/FilePickers.h"

namespace nivora {

// The pickers as QFileDialogs. Images use the desktop's own dialog (the portal
// where there is one), filtered to every image type Qt can read. Folders use
// Qt's dialog with several folders selectable at once, which the desktop
// dialogs cannot offer in folder mode.
class DialogFilePickers : public FilePickers
{
public:
    std::optional<QStringList> chooseFolders(QWidget* parent) override;
    std::optional<QString> chooseImage(QWidget* parent) override;
};

} // namespace nivora
