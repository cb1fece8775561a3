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
// outside scene mode, and the render resolution and sharpness. The file is
// chosen with the desktop's file dialog, filtered to the mode's kind of file;
// cancelling changes nothing.
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
    // Shown while the scene stands in for a file that made Nivora crash.
    QLabel* crashedLabel() const { return m_fileCrashed; }
    SketchButton* chooseButton() const { return m_choose; }
    PillToggle* spanToggle() const { return m_span; }
    SegmentedSelector* qualitySelector() const { return m_quality; }
    FluidSlider* sharpnessSlider() const { return m_sharpness; }

    // What "Choisir un fichier…" does: asks for a file of the current mode's
    // kind and stores its path unless the user cancels. Nothing in scene mode.
    void pickFile();

private:
    QWidget* buildModes();
    QWidget* buildFile();
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
    PillToggle* m_span = nullptr;
    SegmentedSelector* m_quality = nullptr;
    FluidSlider* m_sharpness = nullptr;
};

} // namespace nivora
