#include "PageTestSupport.h"
#include "dashboard/CircleIconButton.h"
#include "dashboard/ColorsPage.h"
#include "dashboard/DialogFilePickers.h"
#include "dashboard/MediaPage.h"
#include "dashboard/ModeCard.h"
#include "dashboard/PerformancePage.h"
#include "dashboard/SceneHero.h"
#include "dashboard/ScenesPage.h"
#include "dashboard/StyleChip.h"
#include "dashboard/WidgetTile.h"
#include "dashboard/WidgetsPage.h"
#include "design/ColorWellRow.h"
#include "design/FluidSlider.h"
#include "design/PaperCard.h"
#include "design/PillToggle.h"
#include "design/PresetChip.h"
#include "design/SceneCard.h"
#include "design/SegmentedSelector.h"
#include "design/SketchButton.h"
#include "model/SceneCatalog.h"
#include "palettes/WallpaperPalette.h"
#include "scene/ScenePreview.h"
#include "scene/WallpaperRenderer.h"
#include "state/LaunchAtLogin.h"
#include "state/MediaStatus.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QJsonArray>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace nivora;
using namespace nivora::test;

namespace {

QTemporaryDir* configDir()
{
    static QTemporaryDir dir;
    return &dir;
}

// Hands out prepared answers and remembers what it was asked.
class ScriptedPicker : public FilePickers
{
public:
    explicit ScriptedPicker(std::optional<QString> answer, QList<WallpaperMode>* asked)
        : m_answer(std::move(answer)), m_asked(asked)
    {
    }

    std::optional<QString> chooseMedia(WallpaperMode mode, const QString&, QWidget*) override
    {
        m_asked->append(mode);
        return m_answer;
    }
    std::optional<QStringList> chooseFolders(QWidget*) override
    {
        QTest::qFail("the Media page asked for folders", __FILE__, __LINE__);
        return std::nullopt;
    }
    std::optional<QString> chooseFolder(const QString&, QWidget*) override
    {
        m_asked->append(WallpaperMode::Scene); // no kind of file
        return m_answer;
    }
    std::optional<QString> chooseImage(QWidget*) override
    {
        QTest::qFail("the Media page asked for an image to dress folders", __FILE__, __LINE__);
        return std::nullopt;
    }

private:
    std::optional<QString> m_answer;
    QList<WallpaperMode>* m_asked;
};

int selectedCount(const QList<SceneCard*>& cards)
{
    return int(std::count_if(cards.begin(), cards.end(), [](SceneCard* c) { return c->isSelected(); }));
}

} // namespace

class TestDashboardPages : public QObject
{
    Q_OBJECT

public:
    static void initMain()
    {
        // Pages read AppState::shared(): keep it, and the autostart entry,
        // away from the user's own.
        qputenv("XDG_CONFIG_HOME", configDir()->path().toLocal8Bit());
        WallpaperRenderer::configureApplication();
    }

private Q_SLOTS:
    void init() { AppState::shared().flushPendingSave(); }

    void scenesChevronsWrapAndCardsMarkTheScene()
    {
        AppState& state = AppState::shared();
        state.setWallpaperMode(WallpaperMode::Scene);
        state.setSceneIndex(0);
        auto* page = new ScenesPage;
        PageHost host(page);
        QVERIFY(host.exposed());

        host.click(page->hero()->previousButton());
        QCOMPARE(state.sceneIndex(), 14);
        QCOMPARE(page->hero()->nameLabel()->text(), QStringLiteral("Neige"));
        host.click(page->hero()->nextButton());
        QCOMPARE(state.sceneIndex(), 0);
        QCOMPARE(page->hero()->nameLabel()->text(), QStringLiteral("Brume"));
        QCOMPARE(page->hero()->subtitleLabel()->text(), QStringLiteral("Voiles de brouillard"));

        QList<int> counts;
        for (const QString& category : sceneCategories())
            counts.append(int(page->cardsOf(category).size()));
        QCOMPARE(counts, (QList<int>{6, 5, 2, 2}));
        QCOMPARE(page->sceneCards().size(), 15);
        QCOMPARE(selectedCount(page->sceneCards()), 1);

        // A card in video mode changes the scene and keeps the video.
        state.setWallpaperMode(WallpaperMode::Video);
        SceneCard* lava = page->cardsOf(QStringLiteral("Fluide")).at(4);
        QCOMPARE(lava->info().id, 7);
        host.click(lava);
        QCOMPARE(state.sceneIndex(), 7);
        QVERIFY(lava->isSelected());
        QCOMPARE(selectedCount(page->sceneCards()), 1);
        QCOMPARE(page->hero()->nameLabel()->text(), QStringLiteral("Lave"));
        QCOMPARE(storedAfterSave(state, "sceneIndex").toInteger(), 7);
        QCOMPARE(state.store().value("wallpaperMode").toString(), QStringLiteral("video"));

        // A stored index the catalog has no record for shows the first
        // scene's texts and no card, and is not rewritten.
        state.setSceneIndex(42);
        QCOMPARE(page->hero()->nameLabel()->text(), QStringLiteral("Brume"));
        QCOMPARE(selectedCount(page->sceneCards()), 0);
        QCOMPARE(state.sceneIndex(), 42);
        state.setSceneIndex(0);
    }

    void previewDrawsOnlyWhileItCanBeSeen()
    {
        auto* page = new ScenesPage;
        PageHost host(page, QSize(800, 500));
        QVERIFY(host.exposed());
        ScenePreview* preview = page->hero()->preview();
        if (!preview->hasSurface())
            QSKIP("no OpenGL on this display");
        QTRY_VERIFY(preview->framesDrawn() > 3);

        const auto settles = [&] {
            if (!QTest::qWaitFor([&] { return !preview->isAnimating(); }, 3000))
                return false;
            const qint64 frames = preview->framesDrawn();
            QTest::qWait(400);
            return preview->framesDrawn() == frames;
        };
        // Scrolled out of the viewport.
        host.area().verticalScrollBar()->setValue(host.area().verticalScrollBar()->maximum());
        QVERIFY(settles());
        host.area().verticalScrollBar()->setValue(0);
        const qint64 back = preview->framesDrawn();
        QTRY_VERIFY(preview->framesDrawn() > back + 3);

        // Covered by another window.
        {
            QWidget cover;
            cover.setGeometry(host.area().frameGeometry().adjusted(-30, -30, 30, 30));
            cover.show();
            QVERIFY(QTest::qWaitForWindowExposed(&cover));
            QVERIFY(settles());
        }
        const qint64 uncovered = preview->framesDrawn();
        QTRY_VERIFY(preview->framesDrawn() > uncovered + 3);

        // Minimised.
        host.area().showMinimized();
        QVERIFY(settles());
        host.area().showNormal();
        QVERIFY(host.exposed());
        const qint64 restored = preview->framesDrawn();
        QTRY_VERIFY(preview->framesDrawn() > restored + 3);

        // Hidden.
        host.area().hide();
        QVERIFY(!preview->isAnimating());
        const qint64 hidden = preview->framesDrawn();
        QTest::qWait(300);
        QCOMPARE(preview->framesDrawn(), hidden);
    }

    void scenesSurpriseStaysInItsRanges()
    {
        AppState& state = AppState::shared();
        state.setSharpness(0.9);
        auto* page = new ScenesPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QSet<QString> palettes;
        QSet<qint64> scenes;
        QStringList names;
        for (const WallpaperPalette& p : WallpaperPalette::presets())
            names.append(p.name);
        for (int draw = 0; draw < 300; ++draw) {
            state.setWallpaperMode(WallpaperMode::Video);
            host.click(page->surpriseButton());
            QCOMPARE(state.wallpaperMode(), WallpaperMode::Scene);
            QVERIFY2(state.speed() >= 0.3 && state.speed() <= 0.8,
                     qPrintable(QString::number(state.speed())));
            QVERIFY(state.intensity() >= 0.45 && state.intensity() <= 0.85);
            QVERIFY(state.scale() >= 0.35 && state.scale() <= 0.7);
            QVERIFY(state.colorShift() >= 0.0 && state.colorShift() <= 0.3);
            QVERIFY(state.sceneIndex() >= 0 && state.sceneIndex() <= 14);
            QVERIFY(names.contains(state.paletteName()));
            QCOMPARE(selectedCount(page->sceneCards()), 1);
            palettes.insert(state.paletteName());
            scenes.insert(state.sceneIndex());
        }
        // Uniform draws: 300 of them miss one of the 15 scenes with odds near
        // 1e-8, and cover fewer than 30 of the 44 presets with odds far below.
        QVERIFY2(palettes.size() >= 30, qPrintable(QString::number(palettes.size())));
        QCOMPARE(scenes.size(), 15);
        QCOMPARE(state.sharpness(), 0.9);
        // The sliders show what the dice chose.
        QCOMPARE(page->sliders().at(0)->value(), state.speed());
        QCOMPARE(page->sliders().at(3)->value(), state.colorShift());
    }

    void scenesSliderDragWritesOnceAfterTheDrag()
    {
        AppState& state = AppState::shared();
        auto* page = new ScenesPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        FluidSlider* intensity = page->sliders().at(1);
        host.area().ensureWidgetVisible(intensity);
        const QRectF track = intensity->trackRect();
        const int y = int(track.center().y());
        QSignalSpy saved(&state, &AppState::saved);
        QTest::mousePress(intensity, Qt::LeftButton, Qt::NoModifier, QPoint(int(track.left()) + 1, y));
        for (int i = 1; i <= 20; ++i) {
            QTest::mouseMove(intensity, QPoint(int(track.left() + track.width() * i / 20.0) - 1, y), 20);
            QVERIFY(state.intensity() >= (i - 1) / 20.0 - 0.02);
        }
        // Past the end of the track the value stays at 100 %.
        QTest::mouseMove(intensity, QPoint(int(track.right()) + 5, y), 20);
        QTest::mouseRelease(intensity, Qt::LeftButton, Qt::NoModifier, QPoint(int(track.right()) + 5, y));
        QCOMPARE(state.intensity(), 1.0);
        QCOMPARE(saved.count(), 0);
        QVERIFY(saved.wait(2000));
        QTest::qWait(700);
        QCOMPARE(saved.count(), 1);
        QCOMPARE(state.store().value("intensity").toDouble(), 1.0);
    }

    void colorsPresetWellAndReset()
    {
        AppState& state = AppState::shared();
        state.applyPreset(WallpaperPalette::presets().first());
        auto* page = new ColorsPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QCOMPARE(page->presetChips().size(), 44);
        const WallpaperPalette* jade = WallpaperPalette::preset(QStringLiteral("Jade"));
        QVERIFY(jade);
        PresetChip* jadeChip = nullptr;
        for (PresetChip* chip : page->presetChips()) {
            if (chip->name() == jade->name)
                jadeChip = chip;
        }
        QVERIFY(jadeChip);

        host.click(jadeChip);
        QCOMPARE(state.paletteName(), QStringLiteral("Jade"));
        QCOMPARE(state.paletteColors(), jade->colors());
        QVERIFY(jadeChip->isSelected());
        QCOMPARE(std::count_if(page->presetChips().begin(), page->presetChips().end(),
                               [](PresetChip* c) { return c->isSelected(); }),
                 1);
        // The wells glide to the new colours and arrive within the transition.
        QVERIFY(page->colorWells().at(0)->color() != jade->colors().at(0));
        QTRY_COMPARE_WITH_TIMEOUT(page->colorWells().at(4)->color(), jade->colors().at(4), 1000);
        const QJsonArray stored = storedAfterSave(state, "paletteHex").toArray();
        QCOMPARE(stored.size(), 5);
        QCOMPARE(quint32(stored.at(2).toInteger()), jade->hex.at(2));

        // The third well, through its colour picker.
        ColorWellRow* third = page->colorWells().at(2);
        host.click(third->well());
        QTRY_VERIFY(third->picker() && third->picker()->isVisible());
        const QColor picked(0x12, 0x34, 0x56);
        third->picker()->setCurrentColor(picked);
        third->picker()->accept();
        QCOMPARE(state.paletteName(), QStringLiteral("Personnalisée"));
        QCOMPARE(state.paletteColor(2), picked);
        QCOMPARE(state.paletteColor(1), jade->colors().at(1));
        for (PresetChip* chip : page->presetChips())
            QVERIFY(!chip->isSelected());
        QCOMPARE(storedAfterSave(state, "paletteName").toString(), QStringLiteral("Personnalisée"));

        host.click(page->resetButton());
        QCOMPARE(state.paletteName(), QStringLiteral("Silver Sage"));
        QVERIFY(page->presetChips().first()->isSelected());
        QTRY_COMPARE_WITH_TIMEOUT(third->color(), WallpaperPalette::presets().first().colors().at(2), 1000);
    }

    void performanceShowsStoredRateAndRealLoginStatus()
    {
        AppState& state = AppState::shared();
        state.setFps(120);
        auto* page = new PerformancePage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QCOMPARE(page->fpsSelector()->selectedIndex(), 2);
        host.click(page->fpsSelector()->segments().at(1));
        QCOMPARE(state.fps(), 60);
        QCOMPARE(storedAfterSave(state, "fps").toInteger(), 60);

        host.click(page->pauseToggle());
        QVERIFY(state.pauseOnFullscreen());
        QVERIFY(page->pauseToggle()->isChecked());

        // The autostart folder cannot be made: a file stands in its place.
        const QString autostart = QFileInfo(LaunchAtLogin::autostartFilePath()).absolutePath();
        QDir(autostart).removeRecursively();
        QFile blocker(autostart);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!page->loginToggle()->isChecked());
        host.click(page->loginToggle());
        QVERIFY(!state.launchAtLogin());
        QVERIFY(!page->loginToggle()->isChecked());

        QVERIFY(QFile::remove(autostart));
        host.click(page->loginToggle());
        QVERIFY(state.launchAtLogin());
        QVERIFY(page->loginToggle()->isChecked());
        QVERIFY(QFile::exists(LaunchAtLogin::autostartFilePath()));
        host.click(page->loginToggle());
        QVERIFY(!QFile::exists(LaunchAtLogin::autostartFilePath()));
        state.setPauseOnFullscreen(false);

        // The engine card says how frames are really made: here (X11, Mesa's
        // llvmpipe) OpenGL on the processor; a video is decoded by the
        // processor; a graphics card on X11 is the one case of "100 % GPU".
        state.setWallpaperMode(WallpaperMode::Scene);
        QCOMPARE(page->renderingTitle(), QStringLiteral("Rendu OpenGL sur le processeur"));
        state.setWallpaperMode(WallpaperMode::Video);
        QCOMPARE(page->renderingTitle(), QStringLiteral("Vidéo décodée par le processeur"));
        state.setWallpaperMode(WallpaperMode::Scene);
        QCOMPARE(page->renderingTitle(), QStringLiteral("Rendu OpenGL sur le processeur"));
        QCOMPARE(PerformancePage::renderingRoute(false, false, WallpaperMode::Scene).title,
                 QStringLiteral("Rendu 100 % GPU (OpenGL)"));
        QCOMPARE(PerformancePage::renderingRoute(true, false, WallpaperMode::Scene).title,
                 QStringLiteral("Rendu OpenGL, copié vers le compositeur"));
        // Once the wallpaper runs, its own route is told: a video decoded on
        // the card, and a scene standing in for a video it could not play.
        QCOMPARE(PerformancePage::renderingRoute(false, false, WallpaperMode::Video,
                                                 QStringLiteral("gpu-video"), QStringLiteral("vaapi"))
                     .title,
                 QStringLiteral("Vidéo décodée par la carte graphique"));
        QCOMPARE(
            PerformancePage::renderingRoute(false, true, WallpaperMode::Video, QStringLiteral("readback"))
                .title,
            QStringLiteral("Rendu OpenGL sur le processeur, agrandi par le serveur X"));
        state.setWallpaperMode(WallpaperMode::Image);
        QCOMPARE(page->renderingTitle(), QStringLiteral("Image décodée une fois"));
        state.setWallpaperMode(WallpaperMode::Scene);
    }

    void mediaFileCardAndPicker()
    {
        AppState& state = AppState::shared();
        state.setWallpaperMode(WallpaperMode::Scene);
        state.setMediaPath(QString());
        auto* page = new MediaPage;
        QList<WallpaperMode> asked;
        PageHost host(page);
        QVERIFY(host.exposed());
        QVERIFY(!page->fileCard()->isVisible());

        host.click(page->modeCards().at(1));
        QCOMPARE(state.wallpaperMode(), WallpaperMode::Video);
        QVERIFY(page->modeCards().at(1)->isCurrent());
        QVERIFY(!page->modeCards().at(0)->isCurrent());
        QTRY_VERIFY(page->fileCard()->isVisible());
        QCOMPARE(page->fileLabel()->text(), QStringLiteral("Aucun fichier choisi"));

        const QString clip = configDir()->filePath("boucle.mp4");
        QFile(clip).open(QIODevice::WriteOnly);
        page->setFilePicker(std::make_unique<ScriptedPicker>(clip, &asked));
        host.click(page->chooseButton());
        QCOMPARE(asked, QList<WallpaperMode>{WallpaperMode::Video});
        QCOMPARE(state.mediaPath(), clip);
        QCOMPARE(page->fileLabel()->text(), QStringLiteral("boucle.mp4"));
        QCOMPARE(storedAfterSave(state, "mediaPath").toString(), clip);
        // The wallpaper could not read it: the page says so, for that file only.
        QVERIFY(page->unreadableLabel()->isHidden());
        MediaStatus::shared().setUnreadablePath(clip);
        QVERIFY(!page->unreadableLabel()->isHidden());
        QCOMPARE(page->unreadableLabel()->text(), QStringLiteral("Fichier illisible"));
        MediaStatus::shared().setUnreadablePath(clip + QStringLiteral(".old"));
        QVERIFY(page->unreadableLabel()->isHidden());
        MediaStatus::shared().setUnreadablePath(QString());
        // A playlist kept in the settings file: the scene shows in its place
        // and the page says why.
        const QString list = configDir()->filePath("liste.m3u");
        QFile playlist(list);
        QVERIFY(playlist.open(QIODevice::WriteOnly) && playlist.write("#EXTM3U\n/videos/a.mp4\n") > 0);
        playlist.close();
        QVERIFY(page->missingLabel()->isHidden());
        state.setMediaPath(list);
        QTRY_VERIFY(!page->missingLabel()->isHidden());
        QCOMPARE(page->missingLabel()->text(), QStringLiteral("Liste de lecture refusée"));
        state.setMediaPath(clip);
        QTRY_VERIFY(page->missingLabel()->isHidden());
        // The file made the last run crash: the page says so until a file
        // is picked again, even the same one.
        QVERIFY(page->crashedLabel()->isHidden());
        MediaStatus::shared().setCrashedPath(clip);
        QVERIFY(!page->crashedLabel()->isHidden());
        QCOMPARE(page->crashedLabel()->text(),
                 QStringLiteral("Ce fichier a fait planter Nivora ; le fond animé le remplace."));
        host.click(page->chooseButton());
        QCOMPARE(state.mediaPath(), clip);
        QVERIFY(MediaStatus::shared().crashedPath().isEmpty());
        QVERIFY(page->crashedLabel()->isHidden());

        // Cancelling keeps the file; image mode asks for images.
        host.click(page->modeCards().at(2));
        page->setFilePicker(std::make_unique<ScriptedPicker>(std::nullopt, &asked));
        host.click(page->chooseButton());
        QCOMPARE(asked.last(), WallpaperMode::Image);
        QCOMPARE(state.mediaPath(), clip);

        // A file that went away is shown as stored, never rewritten.
        QVERIFY(QFile::remove(clip));
        state.setMediaPath(clip);
        QCOMPARE(page->fileLabel()->text(), QStringLiteral("boucle.mp4"));
        QCOMPARE(state.mediaPath(), clip);

        // A folder: its files' interval, order and the next one, shown only
        // while a folder is chosen.
        QVERIFY(page->playlistControls()->isHidden());
        const QString album = configDir()->filePath("album");
        QVERIFY(QDir().mkpath(album));
        page->setFilePicker(std::make_unique<ScriptedPicker>(album, &asked));
        QCOMPARE(page->chooseFolderButton()->text(), QStringLiteral("Choisir un dossier…"));
        host.click(page->chooseFolderButton());
        QCOMPARE(asked.last(), WallpaperMode::Scene);
        QCOMPARE(state.mediaPath(), album);
        QTRY_VERIFY(page->playlistControls()->isVisible());
        QCOMPARE(page->shuffleToggle()->title(), QStringLiteral("Aléatoire"));
        QCOMPARE(page->nextButton()->text(), QStringLiteral("Suivant"));
        QCOMPARE(page->intervalSlider()->valueText(), QStringLiteral("10 min"));
        state.setSlideMinutes(90);
        QCOMPARE(page->intervalSlider()->valueText(), QStringLiteral("1 h 30"));
        QCOMPARE(state.slideMinutes(), 90); // shown, not rewritten
        QTest::keyClick(page->intervalSlider(), Qt::Key_End);
        QCOMPARE(state.slideMinutes(), 1440);
        QCOMPARE(page->intervalSlider()->valueText(), QStringLiteral("24 h"));
        QTest::keyClick(page->intervalSlider(), Qt::Key_Home);
        QCOMPARE(state.slideMinutes(), 1);
        for (qint64 minutes = 1; minutes <= 1440; ++minutes)
            QCOMPARE(MediaPage::minutesAt(MediaPage::sliderValue(minutes)), minutes);
        host.click(page->shuffleToggle());
        QVERIFY(state.slideShuffle());
        QSignalSpy next(&MediaStatus::shared(), &MediaStatus::nextRequested);
        host.click(page->nextButton());
        QCOMPARE(next.size(), 1);
        state.setSlideShuffle(false);
        state.setSlideMinutes(10);

        host.click(page->qualitySelector()->segments().at(3));
        QCOMPARE(state.renderQuality(), 1920);
        host.click(page->modeCards().at(0));
        QTRY_VERIFY(!page->fileCard()->isVisible());
        QCOMPARE(storedAfterSave(state, "renderQuality").toInteger(), 1920);
        state.setMediaPath(QString());
    }

    void dialogPickerFiltersByKindAndCancels()
    {
        // Qt's own dialog here (no portal on the test bus), driven as a user
        // would: the filter offered, a file chosen, then a cancel.
        const QString folder = configDir()->filePath("media");
        QDir().mkpath(folder);
        const QString picture = folder + "/photo.png";
        QImage(8, 8, QImage::Format_RGB32).save(picture);
        QWidget parent;
        DialogFilePickers picker;
        QStringList filters;
        QString mimes;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            filters = dialog->nameFilters();
            mimes = dialog->mimeTypeFilters().join(',');
            dialog->selectFile(picture);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(picker.chooseMedia(WallpaperMode::Image, QString(), &parent),
                 std::optional<QString>(picture));
        QCOMPARE(mimes, QStringLiteral("image/*"));
        QCOMPARE(filters.size(), 1);
        QVERIFY2(filters.first().contains("*.png") && !filters.first().contains("*.mp4"),
                 qPrintable(filters.first()));

        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QFileDialog*>(QApplication::activeModalWidget()));
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            // It opens where the current file is.
            QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder).canonicalPath());
            mimes = dialog->mimeTypeFilters().join(',');
            dialog->reject();
        });
        QCOMPARE(picker.chooseMedia(WallpaperMode::Video, picture, &parent), std::optional<QString>());
        QCOMPARE(mimes, QStringLiteral("video/*"));
        QCOMPARE(picker.chooseMedia(WallpaperMode::Scene, picture, &parent), std::optional<QString>());
    }

    void widgetsCardsFollowTheEnabledWidgets()
    {
        AppState& state = AppState::shared();
        state.setEnabledWidgets({});
        state.setClockWidgetShowsDate(true);
        DesktopWidgetController& controller = DesktopWidgetController::shared();
        controller.start();
        auto* page = new WidgetsPage;
        PageHost host(page);
        QVERIFY(host.exposed());
        QCOMPARE(page->tiles().size(), 12);
        QVERIFY(!page->styleCard()->isVisible());
        QVERIFY(!page->dateToggle()->isVisible());

        WidgetTile* clock = page->tiles().at(0);
        host.click(clock);
        QCOMPARE(state.enabledWidgets(), QSet<QString>{"clock"});
        QVERIFY(clock->isOn());
        QTRY_VERIFY(page->styleCard()->isVisible());
        QCOMPARE(page->styledKinds(), QList<WidgetKind>{WidgetKind::Clock});
        QVERIFY(page->dateToggle()->isVisible());
        QVERIFY(page->dateToggle()->isChecked());
        host.click(page->dateToggle());
        QVERIFY(!state.clockWidgetShowsDate());

        // Off and on again: the date line keeps its value while hidden.
        host.click(clock);
        QVERIFY(state.enabledWidgets().isEmpty());
        QTRY_VERIFY(!page->styleCard()->isVisible());
        QVERIFY(!page->dateToggle()->isVisible());
        QVERIFY(!state.clockWidgetShowsDate());
        host.click(clock);
        QTRY_VERIFY(page->dateToggle()->isVisible());
        QVERIFY(!page->dateToggle()->isChecked());
        QCOMPARE(storedAfterSave(state, "clockWidgetShowsDate").toBool(), false);

        // The defaults show selected; a shape chip rebuilds the desktop window.
        QTRY_VERIFY(controller.window("clock"));
        QPointer<WidgetWindow> before = controller.window("clock");
        QVERIFY(page->shapeChips(WidgetKind::Clock).at(0)->isSelected());
        QVERIFY(page->sizeChips(WidgetKind::Clock).at(1)->isSelected());
        StyleChip* pill = page->shapeChips(WidgetKind::Clock).at(2);
        QCOMPARE(pill->toolTip(), QStringLiteral("Pilule"));
        QCOMPARE(page->sizeChips(WidgetKind::Clock).at(0)->toolTip(), QStringLiteral("Petit"));
        host.click(pill);
        QCOMPARE(state.widgetShape("clock"), WidgetShape::Pill);
        QVERIFY(pill->isSelected());
        QVERIFY(!page->shapeChips(WidgetKind::Clock).at(0)->isSelected());
        QTRY_COMPARE(controller.configuration("clock"), QStringLiteral("pill|medium"));
        QTRY_VERIFY(before.isNull() || controller.window("clock") != before.data());
        host.click(page->sizeChips(WidgetKind::Clock).at(2));
        QTRY_COMPARE(controller.configuration("clock"), QStringLiteral("pill|large"));
        QCOMPARE(storedAfterSave(state, "widgetSizes").toObject().value("clock").toString(),
                 QStringLiteral("large"));

        host.click(page->tiles().at(3));
        QCOMPARE(page->styledKinds(), (QList<WidgetKind>{WidgetKind::Clock, WidgetKind::Year}));
        state.setEnabledWidgets({});
    }
};

QTEST_MAIN(TestDashboardPages)
#include "test_dashboard_pages.moc"
