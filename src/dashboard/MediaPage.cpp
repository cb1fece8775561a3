#include "dashboard/MediaPage.h"

#include "dashboard/AdaptiveGridLayout.h"
#include "dashboard/DialogFilePickers.h"
#include "dashboard/MediaFileTypes.h"
#include "dashboard/ModeCard.h"
#include "dashboard/PageBindings.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "design/Eyebrow.h"
#include "design/FluidSlider.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/PillToggle.h"
#include "design/SegmentedSelector.h"
#include "design/SketchButton.h"
#include "design/Theme.h"
#include "model/MediaLocation.h"
#include "state/AppState.h"
#include "state/MediaStatus.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;
constexpr qint64 kLongestSlide = 1440;

} // namespace

MediaPage::MediaPage(QWidget* parent) : MediaPage(AppState::shared(), MediaStatus::shared(), parent) {}

MediaPage::MediaPage(AppState& state, MediaStatus& mediaStatus, QWidget* parent)
    : QWidget(parent), m_state(state), m_mediaStatus(mediaStatus),
      m_picker(std::make_shared<DialogFilePickers>())
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Media, this));
    page->addWidget(buildModes());
    page->addWidget(buildFile());
    page->addWidget(buildQuality());
    page->addStretch(1);

    connect(&m_state, &AppState::wallpaperModeChanged, this, &MediaPage::showMode);
    connect(&m_state, &AppState::mediaPathChanged, this, &MediaPage::showFile);
    connect(&m_state, &AppState::wallpaperModeChanged, this, &MediaPage::showFile);
    connect(&m_mediaStatus, &MediaStatus::changed, this, &MediaPage::showFile);
    showMode();
    showFile();
}

MediaPage::~MediaPage() = default;

void MediaPage::setFilePicker(std::shared_ptr<FilePickers> picker)
{
    if (picker)
        m_picker = std::move(picker);
}

QWidget* MediaPage::buildModes()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(
        new Eyebrow(QCoreApplication::translate("MediaPage", "Type de fond"), Theme::coral(), content));
    auto* grid = new AdaptiveGridLayout(150, 14, 14);
    for (WallpaperMode mode : WallpaperModes::all()) {
        auto* card = new ModeCard(mode, content);
        connect(card, &QAbstractButton::clicked, this, [this, mode] { m_state.setWallpaperMode(mode); });
        grid->addWidget(card);
        m_modeCards.append(card);
    }
    column->addLayout(grid);
    auto* card = new PaperCard(content, this);
    card->setSeed(12);
    return card;
}

QWidget* MediaPage::buildFile()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(
        new Eyebrow(QCoreApplication::translate("MediaPage", "Fichier"), Theme::coral(), content));
    m_fileName = PageText::label(QString(), 13, QFont::DemiBold, Theme::inkSoft(), content);
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_fileName);
    // The stored path is kept as it is even when the file went away; the page
    // only says so.
    m_fileMissing = PageText::label(QCoreApplication::translate("MediaPage", "Fichier introuvable"), 11,
                                    QFont::Bold, Theme::coral(), content);
    column->addWidget(m_fileMissing);
    // The file is there but the wallpaper could not show it; the scene shows
    // meanwhile.
    m_fileUnreadable = PageText::label(QCoreApplication::translate("MediaPage", "Fichier illisible"), 11,
                                       QFont::Bold, Theme::coral(), content);
    column->addWidget(m_fileUnreadable);
    m_fileCrashed =
        PageText::label(QCoreApplication::translate(
                            "MediaPage", "Ce fichier a fait planter Nivora ; le fond animé le remplace."),
                        11, QFont::Bold, Theme::coral(), content);
    m_fileCrashed->setWordWrap(true);
    column->addWidget(m_fileCrashed);
    auto* choices = new QHBoxLayout;
    choices->setSpacing(10);
    m_choose = new SketchButton(QCoreApplication::translate("MediaPage", "Choisir un fichier…"), content);
    m_choose->setFill(Theme::yellow());
    connect(m_choose, &QAbstractButton::clicked, this, &MediaPage::pickFile);
    choices->addWidget(m_choose);
    m_chooseFolder =
        new SketchButton(QCoreApplication::translate("MediaPage", "Choisir un dossier…"), content);
    m_chooseFolder->setFill(Theme::yellow());
    connect(m_chooseFolder, &QAbstractButton::clicked, this, &MediaPage::pickFolder);
    choices->addWidget(m_chooseFolder);
    choices->addStretch(1);
    column->addLayout(choices);
    column->addWidget(buildPlaylist(content));
    m_span =
        new PillToggle(QCoreApplication::translate("MediaPage", "Étendre sur tous les écrans"),
                       QCoreApplication::translate("MediaPage", "Une seule image sur l'ensemble des écrans"),
                       QStringLiteral("rectangle.split.3x1.fill"), Theme::blue(), content);
    PageBindings::bindToggle(m_span, m_state, &AppState::spanScreens, &AppState::setSpanScreens,
                             &AppState::spanScreensChanged);
    column->addWidget(m_span);
    m_fileCard = new PaperCard(content, this);
    m_fileCard->setSeed(18);
    return m_fileCard;
}

QWidget* MediaPage::buildPlaylist(QWidget* parent)
{
    m_playlist = new QWidget(parent);
    auto* column = new QVBoxLayout(m_playlist);
    column->setContentsMargins(0, 6, 0, 0);
    column->setSpacing(10);
    m_interval = new FluidSlider(QCoreApplication::translate("MediaPage", "Intervalle"),
                                 QStringLiteral("timer"), Theme::green(), m_playlist);
    m_interval->setValueText([](double value) { return minutesText(minutesAt(value)); });
    m_interval->setValue(sliderValue(m_state.slideMinutes()));
    connect(m_interval, &FluidSlider::valueEdited, this,
            [this](double value) { m_state.setSlideMinutes(minutesAt(value)); });
    // A change made elsewhere moves the knob; the store's own value is never
    // rewritten by showing it.
    connect(&m_state, &AppState::slideMinutesChanged, this, [this](qint64 minutes) {
        if (minutesAt(m_interval->value()) != minutes)
            m_interval->setValue(sliderValue(minutes));
    });
    column->addWidget(m_interval);
    m_shuffle =
        new PillToggle(QCoreApplication::translate("MediaPage", "Aléatoire"),
                       QCoreApplication::translate("MediaPage", "Les fichiers du dossier dans le désordre"),
                       QStringLiteral("die.face.5.fill"), Theme::purple(), m_playlist);
    PageBindings::bindToggle(m_shuffle, m_state, &AppState::slideShuffle, &AppState::setSlideShuffle,
                             &AppState::slideShuffleChanged);
    column->addWidget(m_shuffle);
    m_next = new SketchButton(QCoreApplication::translate("MediaPage", "Suivant"), m_playlist);
    m_next->setFill(Theme::green());
    MediaStatus* status = &m_mediaStatus;
    connect(m_next, &QAbstractButton::clicked, this, [status] { status->requestNext(); });
    column->addWidget(m_next, 0, Qt::AlignLeft);
    return m_playlist;
}

double MediaPage::sliderValue(qint64 minutes)
{
    const double clamped = double(std::clamp<qint64>(minutes, 1, kLongestSlide));
    return std::log(clamped) / std::log(double(kLongestSlide));
}

qint64 MediaPage::minutesAt(double value)
{
    if (!std::isfinite(value))
        return 10;
    const double minutes = std::exp(std::clamp(value, 0.0, 1.0) * std::log(double(kLongestSlide)));
    return std::clamp<qint64>(std::llround(minutes), 1, kLongestSlide);
}

QString MediaPage::minutesText(qint64 minutes)
{
    if (minutes < 60)
        return QCoreApplication::translate("MediaPage", "%1 min").arg(minutes);
    const qint64 rest = minutes % 60;
    return rest == 0 ? QStringLiteral("%1 h").arg(minutes / 60)
                     : QStringLiteral("%1 h %2").arg(minutes / 60).arg(rest, 2, 10, QLatin1Char('0'));
}

QWidget* MediaPage::buildQuality()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(
        new Eyebrow(QCoreApplication::translate("MediaPage", "Qualité d'image"), Theme::coral(), content));
    m_quality = new SegmentedSelector(QCoreApplication::translate("MediaPage", "Résolution de rendu"),
                                      {720, 1080, 1440, 1920}, QStringLiteral("p"), Theme::green(), content);
    PageBindings::bindSelector(m_quality, m_state, &AppState::renderQuality, &AppState::setRenderQuality,
                               &AppState::renderQualityChanged);
    column->addWidget(m_quality);
    m_sharpness = new FluidSlider(QCoreApplication::translate("MediaPage", "Netteté"),
                                  QStringLiteral("wand.and.rays"), Theme::purple(), content);
    PageBindings::bindSlider(m_sharpness, m_state, &AppState::sharpness, &AppState::setSharpness,
                             &AppState::sharpnessChanged);
    column->addWidget(m_sharpness);
    column->addWidget(PageText::paragraph(
        QCoreApplication::translate("MediaPage",
                                    "La résolution agit sur les scènes animées (plus bas = plus fluide)."),
        11, QFont::Normal, Theme::inkFaint(), content));
    auto* card = new PaperCard(content, this);
    card->setSeed(24);
    return card;
}

void MediaPage::showMode()
{
    const WallpaperMode mode = m_state.wallpaperMode();
    for (ModeCard* card : std::as_const(m_modeCards))
        card->setCurrent(card->mode() == mode);
    m_fileCard->setVisible(mode != WallpaperMode::Scene);
}

void MediaPage::showFile()
{
    const QString& path = m_state.mediaPath();
    m_fileName->setText(MediaFileTypes::fileLabel(path));
    m_fileName->setToolTip(path);
    // The scene shows in place of a path that cannot work; the line says why.
    const MediaLocation::Kind kind = MediaLocation::kind(path);
    m_fileMissing->setText(kind == MediaLocation::Kind::Playlist
                               ? QCoreApplication::translate("MediaPage", "Liste de lecture refusée")
                           : kind == MediaLocation::Kind::Address
                               ? QCoreApplication::translate("MediaPage", "Adresse refusée")
                               : QCoreApplication::translate("MediaPage", "Fichier introuvable"));
    m_fileMissing->setVisible(!path.isEmpty() && !MediaLocation::usable(path));
    m_fileUnreadable->setVisible(!path.isEmpty() && m_mediaStatus.unreadablePath() == path);
    m_fileCrashed->setVisible(!path.isEmpty() && m_mediaStatus.crashedPath() == path);
    m_playlist->setVisible(m_state.wallpaperMode() != WallpaperMode::Scene &&
                           MediaLocation::kind(path) == MediaLocation::Kind::Folder);
}

void MediaPage::pickFile()
{
    const WallpaperMode mode = m_state.wallpaperMode();
    if (mode == WallpaperMode::Scene)
        return;
    // The picker answers only while this page exists; it is kept alive for
    // the call, since the page that owns it may go meanwhile.
    const std::shared_ptr<FilePickers> picker = m_picker;
    AppState& state = m_state;
    MediaStatus& status = m_mediaStatus;
    if (const std::optional<QString> chosen = picker->chooseMedia(mode, state.mediaPath(), this)) {
        // A file picked, even the one that made Nivora crash, is tried again.
        status.setCrashedPath(QString());
        state.setMediaPath(*chosen);
    }
}

void MediaPage::pickFolder()
{
    if (m_state.wallpaperMode() == WallpaperMode::Scene)
        return;
    // As for a file: the picker is kept alive for the call, and the page may
    // go meanwhile.
    const std::shared_ptr<FilePickers> picker = m_picker;
    AppState& state = m_state;
    MediaStatus& status = m_mediaStatus;
    if (const std::optional<QString> chosen = picker->chooseFolder(state.mediaPath(), this)) {
        status.setCrashedPath(QString());
        state.setMediaPath(*chosen);
    }
}

} // namespace nivora
