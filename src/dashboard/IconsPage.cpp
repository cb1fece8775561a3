#include "dashboard/IconsPage.h"

#include "assets/FaceIcons.h"
#include "assets/Fonts.h"
#include "dashboard/AdaptiveGrid.h"
#include "dashboard/DialogFilePickers.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/PatternCell.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "icons/FolderIconReport.h"
#include "icons/FolderIconService.h"
#include "icons/FolderPattern.h"
#include "icons/PatternFolderView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

namespace {

constexpr int minimumColumnWidth = 96;
constexpr int columnSpacing = 14;
constexpr int rowSpacing = 18;

using PageText::label;

// The report says how its message reads; the page gives it the theme's colour.
QColor reportColor(const FolderIconReport& report)
{
    switch (report.messageTone()) {
    case FolderIconReport::Tone::Success:
        return Theme::green();
    case FolderIconReport::Tone::Failure:
        return Theme::coral();
    case FolderIconReport::Tone::Partial:
        break;
    }
    return Theme::inkSoft();
}

SketchButton* button(const QString& text, const QColor& fill, quint64 seed, QWidget* parent)
{
    auto* b = new SketchButton(text, parent);
    b->setFill(fill);
    b->setSeed(seed);
    b->setAccessibleName(text);
    return b;
}

// The "folder.fill" symbol as a fixed picture, drawn once at the screen's
// pixel ratio.
QLabel* symbol(const QString& name, const QColor& color, int size, QWidget* parent)
{
    auto* l = new QLabel(parent);
    const qreal ratio = parent ? parent->devicePixelRatioF() : 1.0;
    l->setPixmap(FaceIcons::pixmap(name, size, color, ratio));
    l->setFixedSize(size, size);
    return l;
}

struct CellPreparation
{
    QImage folder;
    int pixels = 0;
    qsizetype next = 0;
};

void prepareNextCell(const std::shared_ptr<CellPreparation>& preparation)
{
    const QList<FolderPattern>& all = FolderPattern::all();
    if (preparation->next >= all.size())
        return;
    PatternFolderView::picture(all.at(preparation->next++), preparation->folder, preparation->pixels);
    QTimer::singleShot(0, [preparation] { prepareNextCell(preparation); });
}

} // namespace

IconsPage::IconsPage(QWidget* parent)
    : QWidget(parent), m_pickers(std::make_shared<DialogFilePickers>()),
      m_service(std::make_unique<FolderIconService>()), m_statusColor(Theme::green())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(22);
    layout->addWidget(makePageHeader(NavSection::Icons, this));

    // The folders card.
    auto* folders = new QWidget;
    auto* foldersColumn = new QVBoxLayout(folders);
    foldersColumn->setContentsMargins(0, 0, 0, 0);
    foldersColumn->setSpacing(12);
    foldersColumn->addWidget(
        new Eyebrow(QCoreApplication::translate("IconsPage", "Dossiers cibles"), Theme::green(), folders));
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(symbol(QStringLiteral("folder.fill"), Theme::inkSoft(), 16, folders), 0, Qt::AlignVCenter);
    m_summary = label(QString(), Fonts::font(12, QFont::Medium), Theme::inkSoft(), folders);
    m_summary->setObjectName(QStringLiteral("folderSummary"));
    m_summary->setWordWrap(true);
    m_summary->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_summary->installEventFilter(this);
    row->addWidget(m_summary, 1, Qt::AlignVCenter);
    SketchButton* choose = button(QCoreApplication::translate("IconsPage", "Choisir des dossiers…"),
                                  Theme::yellow(), 102, folders);
    connect(choose, &QAbstractButton::clicked, this, &IconsPage::pickFolders);
    row->addWidget(choose, 0, Qt::AlignVCenter);
    foldersColumn->addLayout(row);
    m_statusLabel = label(QString(), Fonts::font(11, QFont::DemiBold), Theme::green(), folders);
    m_statusLabel->setObjectName(QStringLiteral("status"));
    m_statusLabel->setWordWrap(true);
    m_statusLabel->hide();
    foldersColumn->addWidget(m_statusLabel);
    SketchButton* reset = button(QCoreApplication::translate("IconsPage", "Remettre les icônes d'origine"),
                                 Theme::paper3(), 106, folders);
    connect(reset, &QAbstractButton::clicked, this, &IconsPage::resetIcons);
    foldersColumn->addWidget(reset, 0, Qt::AlignLeft);
    auto* foldersCard = new PaperCard(folders, this);
    foldersCard->setSeed(101);
    layout->addWidget(foldersCard);

    // The patterns card.
    auto* patterns = new QWidget;
    auto* patternsColumn = new QVBoxLayout(patterns);
    patternsColumn->setContentsMargins(0, 0, 0, 0);
    patternsColumn->setSpacing(12);
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new Eyebrow(QCoreApplication::translate("IconsPage", "Motifs (sur dossier système)"),
                                    Theme::coral(), patterns),
                        0, Qt::AlignVCenter);
    titleRow->addStretch(1);
    SketchButton* import = button(QCoreApplication::translate("IconsPage", "Importer une image…"),
                                  Theme::paper3(), 105, patterns);
    connect(import, &QAbstractButton::clicked, this, &IconsPage::importImage);
    titleRow->addWidget(import, 0, Qt::AlignVCenter);
    patternsColumn->addLayout(titleRow);
    patternsColumn->addWidget(
        label(QCoreApplication::translate(
                  "IconsPage", "Chaque motif est plaqué sur la forme exacte du dossier du système."),
              Fonts::font(11, QFont::Normal), Theme::inkFaint(), patterns));
    m_grid = new AdaptiveGrid(minimumColumnWidth, columnSpacing, rowSpacing, patterns);
    m_grid->setObjectName(QStringLiteral("patternGrid"));
    // One folder picture for all cells: each scales it to its size once.
    const QImage folder = m_service->folderImage(FolderIconService::iconPixels);
    for (const FolderPattern& pattern : FolderPattern::all()) {
        auto* cell = new PatternCell(pattern, folder);
        connect(cell, &QAbstractButton::clicked, this, [this, cell] { applyPattern(cell->pattern()); });
        m_grid->addCell(cell);
    }
    patternsColumn->addWidget(m_grid);
    auto* patternsCard = new PaperCard(patterns, this);
    patternsCard->setSeed(104);
    layout->addWidget(patternsCard);
    layout->addStretch(1);

    setFolderPaths({});
}

IconsPage::~IconsPage() = default;

void IconsPage::setFilePickers(std::shared_ptr<FilePickers> pickers)
{
    m_pickers = std::move(pickers);
}

QList<PatternCell*> IconsPage::cells() const
{
    QList<PatternCell*> result;
    for (QWidget* cell : m_grid->cells())
        result.append(static_cast<PatternCell*>(cell));
    return result;
}

QString IconsPage::summaryFor(const QStringList& folderPaths)
{
    if (folderPaths.isEmpty())
        return QCoreApplication::translate("IconsPage", "Aucun dossier choisi");
    if (folderPaths.size() == 1)
        return FolderIconReport::folderName(folderPaths.first());
    return QCoreApplication::translate("IconsPage", "%1 dossiers sélectionnés").arg(folderPaths.size());
}

void IconsPage::setFolderPaths(const QStringList& paths)
{
    m_folderPaths = paths;
    showSummary();
    for (PatternCell* cell : cells())
        cell->setEnabled(!m_folderPaths.isEmpty());
}

void IconsPage::showSummary()
{
    const QString text = summaryFor(m_folderPaths);
    m_summary->setToolTip(m_folderPaths.join(QLatin1Char('\n')));
    // Two lines at most, cut in the middle: a long folder name keeps both
    // its start and its end.
    const int width = m_summary->width() > 0 ? m_summary->width() : 240;
    m_summary->setText(m_summary->fontMetrics().elidedText(text, Qt::ElideMiddle, 2 * width - 8));
    m_summary->setAccessibleName(text);
}

bool IconsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_summary && event->type() == QEvent::Resize)
        showSummary();
    return QWidget::eventFilter(watched, event);
}

void IconsPage::setStatus(const QString& text, const QColor& color)
{
    m_status = text;
    m_statusColor = color;
    QPalette p = m_statusLabel->palette();
    p.setColor(QPalette::WindowText, color);
    m_statusLabel->setPalette(p);
    m_statusLabel->setText(text);
    m_statusLabel->setVisible(!text.isEmpty());
}

// The pickers answer only while this page exists; each call keeps them alive,
// since the page that owns them may go while a dialog runs.

void IconsPage::pickFolders()
{
    const std::optional<QStringList> chosen = std::shared_ptr(m_pickers)->chooseFolders(this);
    if (!chosen)
        return;
    setFolderPaths(*chosen);
    setStatus(QString(), Theme::green());
}

void IconsPage::applyPattern(const FolderPattern& pattern)
{
    if (m_folderPaths.isEmpty())
        return;
    const QImage icon = m_service->renderPattern(pattern);
    if (icon.isNull())
        return;
    const FolderIconReport report = m_service->apply(icon, m_folderPaths);
    setStatus(report.message(), reportColor(report));
}

void IconsPage::importImage()
{
    if (m_folderPaths.isEmpty()) {
        setStatus(QCoreApplication::translate("IconsPage", "Choisissez d'abord un ou plusieurs dossiers."),
                  Theme::coral());
        return;
    }
    const std::optional<QString> file = std::shared_ptr(m_pickers)->chooseImage(this);
    if (!file)
        return;
    const FolderIconService::ImportedImage imported = FolderIconService::importImage(*file);
    if (!imported.error.isEmpty()) {
        setStatus(imported.error, Theme::coral());
        return;
    }
    const FolderIconReport report = m_service->apply(imported.image, m_folderPaths);
    setStatus(report.message(), reportColor(report));
}

void IconsPage::resetIcons()
{
    if (m_folderPaths.isEmpty()) {
        const std::optional<QStringList> chosen = std::shared_ptr(m_pickers)->chooseFolders(this);
        if (!chosen)
            return;
        setFolderPaths(*chosen);
    }
    const FolderIconReport report = m_service->reset(m_folderPaths);
    setStatus(report.message(), reportColor(report));
}

void IconsPage::prepareCells(qreal devicePixelRatio)
{
    auto preparation = std::make_shared<CellPreparation>();
    preparation->folder = FolderIconService().folderImage(FolderIconService::iconPixels);
    preparation->pixels = qRound(PatternCell::previewSize * devicePixelRatio);
    if (preparation->folder.isNull() || preparation->pixels < 1)
        return;
    QTimer::singleShot(0, [preparation] { prepareNextCell(preparation); });
}

} // namespace nivora
