// One process showing desktop widget windows and then idling, for measuring
// what idle widgets cost from outside (bench/widgets/run_widget_bench.sh):
//   widget_idle [--running] [--qt-shm] [--shape SHAPE] [KIND ...]
// With no kind it shows no window (the baseline of an idle Qt process).
// --running starts the timer of pomodoro and stopwatch faces. --shape gives the
// windows that follow it another frame shape than "card".
// The process is configured as the application configures itself
// (WidgetWindow::configureApplication); --qt-shm leaves Qt's default way of
// handing repaints to the X server instead, for comparison.
#include "assets/Fonts.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/TimerFaceView.h"
#include "widgets/WidgetFaceFactory.h"
#include "widgets/WidgetPlacement.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace nivora;

int main(int argc, char** argv)
{
    bool qtShm = false;
    for (int i = 1; i < argc; ++i)
        qtShm = qtShm || std::strcmp(argv[i], "--qt-shm") == 0;
    if (!qtShm)
        WidgetWindow::configureApplication();
    QApplication app(argc, argv);
    Fonts::load();
    QTemporaryDir tmp;
    DefaultsStore store(tmp.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);

    bool running = false;
    WidgetShape shape = WidgetShape::Card;
    std::vector<std::unique_ptr<WidgetWindow>> windows;
    int y = 40;
    const QStringList args = app.arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--running")) {
            running = true;
            continue;
        }
        if (arg == QLatin1String("--shape") && i + 1 < args.size()) {
            const auto chosen = WidgetShapes::fromId(args.at(++i));
            if (!chosen) {
                std::fprintf(stderr, "unknown widget shape: %s\n", qPrintable(args.at(i)));
                return 2;
            }
            shape = *chosen;
            continue;
        }
        if (arg == QLatin1String("--qt-shm"))
            continue;
        const auto kind = WidgetKinds::fromId(arg);
        if (!kind) {
            std::fprintf(stderr, "unknown widget kind: %s\n", qPrintable(arg));
            return 2;
        }
        auto window = std::make_unique<WidgetWindow>(*kind, shape, WidgetFaceFactory::create(*kind, state));
        const QSize size = WidgetPlacement::windowSize(*kind, shape, WidgetSize::Medium);
        window->place(QPoint(40, y), size);
        y += size.height() + 10;
        window->present();
        windows.push_back(std::move(window));
    }
    if (running) {
        for (const auto& window : windows) {
            if (auto* face = qobject_cast<TimerFaceView*>(window->face()))
                face->model().toggle();
        }
    }
    std::printf("ready %lld\n", static_cast<long long>(QCoreApplication::applicationPid()));
    std::fflush(stdout);
    return app.exec();
}
