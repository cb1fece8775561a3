#include "dashboard/PerformancePage.h"

#include "dashboard/PageBindings.h"
#include "dashboard/PageHeaders.h"
#include "dashboard/PageText.h"
#include "dashboard/SymbolView.h"
#include "design/Eyebrow.h"
#include "design/PageHeader.h"
#include "design/PaperCard.h"
#include "design/PillToggle.h"
#include "design/SegmentedSelector.h"
#include "design/Theme.h"
#include "desktop/ShellBackgroundSync.h"
#include "desktop/WallpaperController.h"
#include "platform/PlatformServices.h"
#include "platform/gnome/GnomeFullscreenWatch.h"
#include "scene/ScaledDrawable.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace nivora {

namespace {

constexpr int kPageSpacing = 26;

QWidget* infoRow(const QString& symbol, const QColor& color, const QString& title, const QString& text,
                 QWidget* parent, QLabel** titleLabel = nullptr, QLabel** textLabel = nullptr)
{
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(14);
    line->addWidget(new SymbolView(symbol, 24, color, row), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    QLabel* titleShown = PageText::label(title, 13, QFont::Bold, Theme::ink(), row);
    QLabel* textShown = PageText::paragraph(text, 11, QFont::Normal, Theme::inkSoft(), row);
    texts->addWidget(titleShown);
    texts->addWidget(textShown);
    if (titleLabel)
        *titleLabel = titleShown;
    if (textLabel)
        *textLabel = textShown;
    line->addLayout(texts, 1);
    return row;
}

QString gnomeFullscreenNote(GnomeFullscreenWatch::State state)
{
    switch (state) {
    case GnomeFullscreenWatch::State::NotInstalled:
        return QCoreApplication::translate(
            "PerformancePage",
            "Sous GNOME, la pause sous les apps Wayland en plein écran passe par l'extension "
            "de Nivora : déconnecte-toi puis reconnecte-toi une fois pour que GNOME la charge.");
    case GnomeFullscreenWatch::State::Failed:
        return QCoreApplication::translate(
            "PerformancePage",
            "GNOME n'a pas activé l'extension de Nivora : seules les fenêtres X11 en plein "
            "écran mettent le fond en pause. Vérifie l'app Extensions.");
    case GnomeFullscreenWatch::State::NoShell:
    case GnomeFullscreenWatch::State::Enabling:
    case GnomeFullscreenWatch::State::Active:
        break;
    }
    return {};
}

} // namespace

PerformancePage::PerformancePage(QWidget* parent)
    : PerformancePage(AppState::shared(), ShellBackgroundSync::shared(), PlatformServices::shared(), parent)
{
}

PerformancePage::PerformancePage(AppState& state, ShellBackgroundSync& shellBackground,
                                 PlatformServices& platform, QWidget* parent)
    : QWidget(parent), m_state(state), m_background(shellBackground), m_platform(platform)
{
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(kPageSpacing);
    page->addWidget(makePageHeader(NavSection::Performance, this));
    page->addWidget(buildSettings());
    page->addWidget(buildEngineCard());
    page->addStretch(1);
}

QWidget* PerformancePage::buildSettings()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);

    // A stored rate that is not an option highlights no segment and stays
    // stored until the user picks one.
    m_fps = new SegmentedSelector(QCoreApplication::translate("PerformancePage", "Images par seconde"),
                                  {30, 60, 120}, QCoreApplication::translate("PerformancePage", " FPS"),
                                  Theme::purple(), content);
    PageBindings::bindSelector(m_fps, m_state, &AppState::fps, &AppState::setFps, &AppState::fpsChanged);
    column->addWidget(m_fps);

    m_battery = new PillToggle(
        QCoreApplication::translate("PerformancePage", "Économie de batterie"),
        QCoreApplication::translate("PerformancePage", "Limite à 30 FPS en mode économie d'énergie"),
        QStringLiteral("leaf.fill"), Theme::green(), content);
    PageBindings::bindToggle(m_battery, m_state, &AppState::batterySaver, &AppState::setBatterySaver,
                             &AppState::batterySaverChanged);
    column->addWidget(m_battery);

    m_pause = new PillToggle(QCoreApplication::translate("PerformancePage", "Pause en plein écran"),
                             QCoreApplication::translate(
                                 "PerformancePage", "Met le rendu en pause quand une app couvre le bureau"),
                             QStringLiteral("rectangle.inset.filled"), Theme::blue(), content);
    PageBindings::bindToggle(m_pause, m_state, &AppState::pauseOnFullscreen, &AppState::setPauseOnFullscreen,
                             &AppState::pauseOnFullscreenChanged);
    column->addWidget(m_pause);
    if (GnomeFullscreenWatch* watch = m_platform.gnomeFullscreen.get()) {
        // X11 cannot see GNOME's Wayland windows; what it takes to see them
        // is said here, where the switch is.
        auto* note = PageText::paragraph(QString(), 11, QFont::Normal, Theme::inkSoft(), content);
        note->setObjectName(QStringLiteral("gnomeFullscreenNote"));
        auto show = [note](GnomeFullscreenWatch::State state) {
            note->setText(gnomeFullscreenNote(state));
            note->setVisible(!note->text().isEmpty());
        };
        connect(watch, &GnomeFullscreenWatch::stateChanged, note, show);
        show(watch->state());
        column->addWidget(note);
    }
    ShellBackgroundSync& background = m_background;
    if (background.isOffered()) {
        m_shellBackground = new PillToggle(
            QCoreApplication::translate("PerformancePage", "Assortir l'aperçu et l'écran de verrouillage"),
            QCoreApplication::translate("PerformancePage", "Montre ton fond Nivora dans l'aperçu de GNOME et "
                                                           "sur l'écran de verrouillage"),
            QStringLiteral("photo.fill"), Theme::purple(), content);
        m_shellBackground->setCheckable(true);
        m_shellBackground->setChecked(background.isEnabled());
        connect(&background, &ShellBackgroundSync::enabledChanged, m_shellBackground,
                &PillToggle::setChecked);
        connect(m_shellBackground, &PillToggle::clicked, &background,
                [&background](bool on) { background.setEnabled(on); });
        column->addWidget(m_shellBackground);
        auto* failed = PageText::paragraph(
            QCoreApplication::translate("PerformancePage", "L'image de l'aperçu n'a pas pu être rendue ; "
                                                           "GNOME garde la précédente."),
            11, QFont::Bold, Theme::coral(), content);
        failed->setObjectName(QStringLiteral("shellStillFailed"));
        failed->setVisible(background.renderFailed());
        connect(&background, &ShellBackgroundSync::renderFailedChanged, failed, &QWidget::setVisible);
        column->addWidget(failed);
    }

    m_login = new PillToggle(
        QCoreApplication::translate("PerformancePage", "Lancer au démarrage"),
        QCoreApplication::translate("PerformancePage", "Démarre Nivora à l'ouverture de session"),
        QStringLiteral("power"), Theme::coral(), content);
    PageBindings::bindToggle(m_login, m_state, &AppState::launchAtLogin, &AppState::setLaunchAtLogin,
                             &AppState::launchAtLoginChanged);
    column->addWidget(m_login);

    auto* card = new PaperCard(content, this);
    card->setSeed(61);
    return card;
}

QWidget* PerformancePage::buildEngineCard()
{
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(new Eyebrow(QCoreApplication::translate("PerformancePage", "Sous le capot"),
                                  Theme::coral(), content));
    column->addWidget(infoRow(QStringLiteral("cpu"), Theme::blue(), QString(), QString(), content,
                              &m_routeTitle, &m_routeText));
    showRenderingRoute();
    connect(&m_state, &AppState::wallpaperModeChanged, this, &PerformancePage::showRenderingRoute);
    if (WallpaperController* wallpaper = WallpaperController::sharedIfMade())
        connect(wallpaper, &WallpaperController::rebuilt, this, &PerformancePage::showRenderingRoute);
    m_routeRefresh = new QTimer(this);
    m_routeRefresh->setInterval(2000);
    m_routeRefresh->setTimerType(Qt::VeryCoarseTimer);
    connect(m_routeRefresh, &QTimer::timeout, this, &PerformancePage::showRenderingRoute);
    column->addWidget(
        infoRow(QStringLiteral("hare.fill"), Theme::green(),
                QCoreApplication::translate("PerformancePage", "Optimisé"),
                QCoreApplication::translate("PerformancePage",
                                            "Résolution plafonnée et shader compilé une seule fois."),
                content));
    column->addWidget(
        infoRow(QStringLiteral("lock.shield"), Theme::purple(),
                QCoreApplication::translate("PerformancePage", "Vie privée"),
                QCoreApplication::translate("PerformancePage", "100 % local, sans compte, sans télémétrie."),
                content));
    auto* card = new PaperCard(content, this);
    card->setSeed(67);
    return card;
}

PerformancePage::RenderingRoute PerformancePage::renderingRoute(bool waylandDesktop, bool softwareOpenGL,
                                                                WallpaperMode mode, const QString& path,
                                                                const QString& hwdec)
{
    if (path == QLatin1String("gpu-video")) {
        if (!hwdec.isEmpty() && hwdec != QLatin1String("no"))
            return {QCoreApplication::translate("PerformancePage", "Vidéo décodée par la carte graphique"),
                    QCoreApplication::translate(
                        "PerformancePage",
                        "Décodage matériel (%1) et rendu OpenGL : les images ne passent pas par "
                        "le processeur.")
                        .arg(hwdec)};
        return {QCoreApplication::translate("PerformancePage",
                                            "Vidéo décodée par le processeur, rendue par OpenGL"),
                softwareOpenGL
                    ? QCoreApplication::translate(
                          "PerformancePage", "Pas d'accélération graphique ici : OpenGL dessine aussi chaque "
                                             "image sur le processeur.")
                    : QCoreApplication::translate(
                          "PerformancePage", "La carte graphique ne décode pas ce format ; elle affiche et "
                                             "met à l'échelle chaque image.")};
    }
    // What runs comes first; the mode only tells the route before anything does.
    if (path == QLatin1String("software-video") || (path.isEmpty() && mode == WallpaperMode::Video))
        return {QCoreApplication::translate("PerformancePage", "Vidéo décodée par le processeur"),
                waylandDesktop
                    ? QCoreApplication::translate(
                          "PerformancePage", "Chaque image est copiée vers le compositeur ; une scène animée "
                                             "coûte moins.")
                    : QCoreApplication::translate("PerformancePage",
                                                  "Décodage logiciel ; une scène animée coûte moins.")};
    if (mode == WallpaperMode::Image && path.isEmpty())
        return {QCoreApplication::translate("PerformancePage", "Image décodée une fois"),
                QCoreApplication::translate("PerformancePage",
                                            "Aucun rendu continu ; seule une image animée change d'image.")};
    if (waylandDesktop)
        return {QCoreApplication::translate("PerformancePage", "Rendu OpenGL, copié vers le compositeur"),
                QCoreApplication::translate("PerformancePage",
                                            "Chaque image passe par la mémoire partagée du compositeur.")};
    if (path == QLatin1String("readback"))
        return softwareOpenGL
                   ? RenderingRoute{QStringLiteral(
                                        "Rendu OpenGL sur le processeur, agrandi par le serveur X"),
                                    QCoreApplication::translate(
                                        "PerformancePage",
                                        "Pas d'accélération graphique ici : le processeur dessine "
                                        "chaque image, à résolution plafonnée, et le serveur X "
                                        "l'agrandit.")}
                   : RenderingRoute{
                         QCoreApplication::translate("PerformancePage",
                                                     "Rendu OpenGL relu par le processeur"),
                         QCoreApplication::translate("PerformancePage",
                                                     "Chaque image est relue en mémoire puis agrandie par le "
                                                     "serveur X.")};
    if (softwareOpenGL)
        return {QCoreApplication::translate("PerformancePage", "Rendu OpenGL sur le processeur"),
                QCoreApplication::translate(
                    "PerformancePage",
                    "Pas d'accélération graphique ici : le processeur dessine chaque image, à "
                    "résolution plafonnée.")};
    return {QCoreApplication::translate("PerformancePage", "Rendu 100 % GPU (OpenGL)"),
            QCoreApplication::translate("PerformancePage",
                                        "Aucun décodage logiciel — léger pour le processeur.")};
}

QString PerformancePage::renderingTitle() const
{
    return m_routeTitle->text();
}

void PerformancePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    showRenderingRoute();
    m_routeRefresh->start();
}

void PerformancePage::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_routeRefresh->stop();
}

void PerformancePage::showRenderingRoute()
{
    const bool wayland = m_platform.backend == QLatin1String("wayland-layer-shell");
    WallpaperController::RenderPath running;
    if (const WallpaperController* wallpaper = WallpaperController::sharedIfMade())
        running = wallpaper->renderPath();
    const RenderingRoute route = renderingRoute(wayland, ScaledDrawable::isOpenGLSoftware(),
                                                m_state.wallpaperMode(), running.path, running.hwdec);
    m_routeTitle->setText(route.title);
    m_routeText->setText(route.text);
}

} // namespace nivora
