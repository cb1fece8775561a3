#pragma once

#include "dashboard/MediaFilePicker.h"

namespace nivora {

// The file dialog of the desktop: QFileDialog, which goes through the desktop
// portal or the desktop's own dialog where Qt's platform theme offers one and
// shows Qt's own dialog otherwise. Native dialogs filter by MIME type
// ("image/*", "video/*"); Qt's own dialog by the file patterns of those types.
class DialogMediaFilePicker : public MediaFilePicker
{
public:
    std::optional<QString> pick(WallpaperMode mode, const QString& currentPath, QWidget* parent) override;
};

} // namespace nivora
