#include "dashboard/DialogFilePickers.h"

#include "dashboard/MediaFileTypes.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPointer>
#include <QStandardPaths>

namespace nivora {

namespace {

QString mediaStartDirectory(WallpaperMode mode, const QString& currentPath)
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

std::optional<QString> firstFile(const std::optional<QStringList>& files)
{
    if (!files || files->first().isEmpty())
        return std::nullopt;
    return files->first();
}

} // namespace

std::optional<QStringList> DialogFilePickers::run(QWidget* page, const QString& title,
                                                  const std::function<void(QFileDialog&)>& prepare)
{
    // The page is not the parent: deleting it would delete the dialog inside
    // its own event loop. The window outlives its pages; should it go too,
    // exec() notices its dialog went with it.
    const QPointer<QWidget> asker(page);
    const QPointer<QFileDialog> dialog = new QFileDialog(page ? page->window() : nullptr, title);
    dialog->setAttribute(Qt::WA_DeleteOnClose, false);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    prepare(*dialog);
    const int result = dialog->exec();
    if (!dialog)
        return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    delete dialog.data();
    if (!asker || result != QDialog::Accepted || files.isEmpty())
        return std::nullopt;
    return files;
}

std::optional<QStringList> DialogFilePickers::chooseFolders(QWidget* page)
{
    return run(page, QCoreApplication::translate("DialogFilePickers", "Choisir des dossiers"),
               [](QFileDialog& dialog) {
                   dialog.setDirectory(QDir::homePath());
                   dialog.setFileMode(QFileDialog::Directory);
                   dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
                   // Qt's folder mode selects one entry; its views take several once told so.
                   for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
                       if (view->objectName() == QLatin1String("listView") ||
                           view->objectName() == QLatin1String("treeView"))
                           view->setSelectionMode(QAbstractItemView::ExtendedSelection);
                   }
               });
}

std::optional<QString> DialogFilePickers::chooseImage(QWidget* page)
{
    return firstFile(
        run(page, QCoreApplication::translate("DialogFilePickers", "Importer une image"),
            [](QFileDialog& dialog) {
                dialog.setDirectory(QDir::homePath());
                dialog.setFileMode(QFileDialog::ExistingFile);
                // Every image type Qt reads, in one filter, so that no image is hidden
                // behind a type the user must first pick.
                QStringList patterns;
                for (const QByteArray& type : QImageReader::supportedMimeTypes()) {
                    for (const QString& glob :
                         QMimeDatabase().mimeTypeForName(QString::fromLatin1(type)).globPatterns()) {
                        if (!patterns.contains(glob))
                            patterns << glob;
                    }
                }
                dialog.setNameFilter(QCoreApplication::translate("DialogFilePickers", "Images (%1)")
                                         .arg(patterns.join(QLatin1Char(' '))));
            }));
}

std::optional<QString> DialogFilePickers::chooseMedia(WallpaperMode mode, const QString& currentPath,
                                                      QWidget* page)
{
    if (mode == WallpaperMode::Scene)
        return std::nullopt;
    return firstFile(run(page, QCoreApplication::translate("DialogFilePickers", "Choisir un fichier"),
                         [&](QFileDialog& dialog) {
                             dialog.setFileMode(QFileDialog::ExistingFile);
                             dialog.setDirectory(mediaStartDirectory(mode, currentPath));
                             // Native dialogs (the portal among them) read the MIME types; Qt's own
                             // dialog reads the name filter, since it cannot expand "image/*" itself.
                             dialog.setMimeTypeFilters(MediaFileTypes::mimeTypes(mode));
                             dialog.setNameFilter(MediaFileTypes::nameFilter(mode));
                         }));
}

std::optional<QString> DialogFilePickers::chooseFolder(const QString& currentPath, QWidget* page)
{
    return firstFile(run(page, QCoreApplication::translate("DialogFilePickers", "Choisir un dossier"),
                         [&](QFileDialog& dialog) {
                             dialog.setFileMode(QFileDialog::Directory);
                             dialog.setOption(QFileDialog::ShowDirsOnly);
                             // Beside the folder chosen last, which is selected, so that a
                             // neighbour is one click away.
                             const QFileInfo current(currentPath);
                             if (current.isDir()) {
                                 dialog.setDirectory(current.absolutePath());
                                 dialog.selectFile(current.fileName());
                             } else {
                                 dialog.setDirectory(mediaStartDirectory(WallpaperMode::Image, QString()));
                             }
                         }));
}

} // namespace nivora
