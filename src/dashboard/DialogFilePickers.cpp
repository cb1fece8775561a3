#include "dashboard/DialogFilePickers.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QImageReader>
#include <QMimeDatabase>

namespace nivora {

std::optional<QStringList> DialogFilePickers::chooseFolders(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Choisir des dossiers"), QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's folder mode selects one entry; its views take several once told so.
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        if (view->objectName() == QLatin1String("listView") ||
            view->objectName() == QLatin1String("treeView"))
            view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList folders = dialog.selectedFiles();
    if (folders.isEmpty())
        return std::nullopt;
    return folders;
}

std::optional<QString> DialogFilePickers::chooseImage(QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Importer une image"), QDir::homePath());
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
    dialog.setNameFilter(QStringLiteral("Images (%1)").arg(patterns.join(QLatin1Char(' '))));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace nivora
