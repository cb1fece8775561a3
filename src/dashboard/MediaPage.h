#pragma once

#include <QList>
#include <QWidget>
#include <memory>

class QLabel;

namespace nivora {

class AppState;
class FluidSlider;
class FilePickers;
class MediaStatus;
class ModeCard;
class PaperCard;
class PillToggle;
class SegmentedSelector;
class SketchButton;

// The "Média" page: the wallpaper mode (scene, video, image), the media file
// or folder outside scene mode, and the render resolution and sharpness. The
// file is chosen with the desktop's file dialog, filtered to the mode's kind
// of file; cancelling changes nothing. A folder plays its files in turn, with
// how long each stays, their order and a way to the next one.
class MediaPage : public QWidget
{
    Q_OBJECT

public:
    // The page over the settings it shows and edits.
    MediaPage(AppState& state, MediaStatus& mediaStatus, QWidget* parent = nullptr);
    // The same over the process's settings.
    explicit MediaPage(QWidget* parent = nullptr);
    ~MediaPage() override;

    // Replaces the file dialog (tests pass their own picker).
    void setFilePicker(std::shared_ptr<FilePickers> picker);

    const QList<ModeCard*>& modeCards() const { return m_modeCards; }
    PaperCard* fileCard() const { return m_fileCard; }
    QLabel* fileLabel() const { return m_fileName; }
    // "Fichier illisible": shown while the wallpaper cannot read the chosen file.
    QLabel* unreadableLabel() const { return m_fileUnreadable; }
    QLabel* missingLabel() const { return m_fileMissing; }
    // Shown while the scene stands in for a file that made Nivora crash.
    QLabel* crashedLabel() const { return m_fileCrashed; }
    SketchButton* chooseButton() const { return m_choose; }
    SketchButton* chooseFolderButton() const { return m_chooseFolder; }
    // Shown while the media is a folder.
    QWidget* playlistControls() const { return m_playlist; }
    FluidSlider* intervalSlider() const { return m_interval; }
    PillToggle* shuffleToggle() const { return m_shuffle; }
    SketchButton* nextButton() const { return m_next; }
    PillToggle* spanToggle() const { return m_span; }
    SegmentedSelector* qualitySelector() const { return m_quality; }
    FluidSlider* sharpnessSlider() const { return m_sharpness; }

    // What "Choisir un fichier…" does: asks for a file of the current mode's
    // kind and stores its path unless the user cancels. Nothing in scene mode.
    void pickFile();
    // What "Choisir un dossier…" does: asks for a folder and stores its path
    // unless the user cancels. Nothing in scene mode.
    void pickFolder();

    // The interval slider's scale: minutes from 1 to 1440 spread evenly by
    // ratio, so that a minute, ten minutes and an hour are all within reach.
    static double sliderValue(qint64 minutes);
    static qint64 minutesAt(double value);
    static QString minutesText(qint64 minutes);

private:
    QWidget* buildModes();
    QWidget* buildFile();
    QWidget* buildPlaylist(QWidget* parent);
    QWidget* buildQuality();
    void showMode();
    void showFile();

    AppState& m_state;
    MediaStatus& m_mediaStatus;
    std::shared_ptr<FilePickers> m_picker;
    QList<ModeCard*> m_modeCards;
    PaperCard* m_fileCard = nullptr;
    QLabel* m_fileName = nullptr;
    QLabel* m_fileMissing = nullptr;
    QLabel* m_fileUnreadable = nullptr;
    QLabel* m_fileCrashed = nullptr;
    SketchButton* m_choose = nullptr;
    SketchButton* m_chooseFolder = nullptr;
    QWidget* m_playlist = nullptr;
    FluidSlider* m_interval = nullptr;
    PillToggle* m_shuffle = nullptr;
    SketchButton* m_next = nullptr;
    PillToggle* m_span = nullptr;
    SegmentedSelector* m_quality = nullptr;
    FluidSlider* m_sharpness = nullptr;
};

} // namespace nivora
