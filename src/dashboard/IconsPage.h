#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;

namespace nivora {

class AdaptiveGrid;
class FilePickers;
class FolderIconService;
class FolderPattern;
class PatternCell;
class SketchButton;

// The Icons page: choose folders, then dress them with one of the 52 patterns
// or an image, or give them back their own icons. The chosen folders and the
// last status message live only as long as the page. Every operation reports
// how many folders really changed.
class IconsPage : public QWidget
{
    Q_OBJECT

public:
    explicit IconsPage(QWidget* parent = nullptr);
    ~IconsPage() override;

    // Replaces the file dialogs (tests answer them in place of a user).
    void setFilePickers(std::shared_ptr<FilePickers> pickers);

    const QStringList& folderPaths() const { return m_folderPaths; }
    // The status line's text, empty while none is shown.
    QString status() const { return m_status; }
    QColor statusColor() const { return m_statusColor; }
    // "Aucun dossier choisi", the folder's name, or "N dossiers sélectionnés".
    static QString summaryFor(const QStringList& folderPaths);
    QList<PatternCell*> cells() const;

    // Draws the cells' pictures ahead of the page's first visit, one pattern
    // per turn of the event loop, so that neither the window nor that visit
    // waits for all of them.
    static void prepareCells(qreal devicePixelRatio);

    // The buttons' actions.
    void pickFolders();
    void applyPattern(const FolderPattern& pattern);
    void importImage();
    void resetIcons();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFolderPaths(const QStringList& paths);
    void setStatus(const QString& text, const QColor& color);
    void showSummary();

    std::shared_ptr<FilePickers> m_pickers;
    std::unique_ptr<FolderIconService> m_service;
    QStringList m_folderPaths;
    QString m_status;
    QColor m_statusColor;
    QLabel* m_summary = nullptr;
    QLabel* m_statusLabel = nullptr;
    AdaptiveGrid* m_grid = nullptr;
};

} // namespace nivora
