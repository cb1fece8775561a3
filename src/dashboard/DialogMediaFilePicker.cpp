#include "dashboard/DialogMediaFilePicker.h"

#include "dashboard/MediaFileTypes.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace nivora {

namespace {

QString startDirectory(WallpaperMode mode, const QString& currentPath)
{
    if (!currentPath.isEmpty()) {
        const QFileInfo current(currentPath);
        if (current.dir().exists())
            return current.absolutePath();
    }
    const auto location =
        mode == WallpaperMode::Video ? QStandardPaths::MoviesLocation : QStandardPaths::PicturesLocation;
    const QString folder = QStandardPaths::writableLocation(location);
    return QFileInfo::exists(folder) ? folder
                                     : QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

} // namespace

std::optional<QString> DialogMediaFilePicker::pick(WallpaperMode mode, const QString& currentPath,
                                                   QWidget* parent)
{
    if (mode == WallpaperMode::Scene)
        return std::nullopt;
    // On the heap and watched: the dialog runs its own event loop, during
    // which its parent may go away.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, QStringLiteral("Choisir un fichier"));
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDirectory(startDirectory(mode, currentPath));
    // Native dialogs (the portal among them) read the MIME types; Qt's own
    // dialog reads the name filter, since it cannot expand "image/*" itself.
    dialog->setMimeTypeFilters(MediaFileTypes::mimeTypes(mode));
    dialog->setNameFilter(MediaFileTypes::nameFilter(mode));
    const int result = dialog->exec();
    if (!dialog)
        return std::nullopt;
    std::optional<QString> chosen;
    const QStringList files = dialog->selectedFiles();
    if (result == QDialog::Accepted && !files.isEmpty() && !files.first().isEmpty())
        chosen = files.first();
    delete dialog.data();
    return chosen;
}

} // namespace nivora
