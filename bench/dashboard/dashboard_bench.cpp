// The dashboard window's costs: time from opening to the end of the first
// complete paint, from a reopen and from a section change to the next paint, and
// resident memory over 100 open/close cycles. With --idle or --hidden it opens
// the dashboard (on a page that animates nothing) and waits, so that run.sh can
// measure its wake-ups from outside with procstat.
#include "assets/Fonts.h"
#include "dashboard/DashboardWindow.h"
#include "model/NavSection.h"
#include "state/AppState.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>

using namespace nivora;

namespace {

// Notes when a repaint of the window finished: the end of an expose or update
// request during which widgets painted (Qt paints the whole dirty area and hands
// it to the display in one go there).
class BenchApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::Paint)
            ++paints;
        const bool result = QApplication::notify(receiver, event);
        if ((type == QEvent::UpdateRequest || type == QEvent::Expose) && paints > 0 && firstFlush < 0) {
            firstFlush = clock.nsecsElapsed();
        }
        if (type == QEvent::Paint)
            lastPaint = clock.nsecsElapsed();
        return result;
    }

    QElapsedTimer clock;
    qint64 lastPaint = -1;
    qint64 firstFlush = -1;
    int paints = 0;
};

BenchApplication* app()
{
    return static_cast<BenchApplication*>(QCoreApplication::instance());
}

// Runs `action` and returns the milliseconds until the first complete repaint it
// caused, then lets everything it started (a fade) run out: the burst ends after
// 150 ms without paints, or after a second on a page whose live preview never
// stops painting.
double timeToPaint(const std::function<void()>& action)
{
    app()->lastPaint = -1;
    app()->firstFlush = -1;
    app()->paints = 0;
    const qint64 start = app()->clock.nsecsElapsed();
    action();
    QElapsedTimer quiet;
    quiet.start();
    QElapsedTimer burst;
    burst.start();
    qint64 seen = -1;
    while (quiet.elapsed() < 150 && burst.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (app()->lastPaint != seen) {
            seen = app()->lastPaint;
            quiet.restart();
        }
        QThread::msleep(1);
    }
    return app()->firstFlush < 0 ? -1.0 : (app()->firstFlush - start) / 1e6;
}

long residentKb(const char* field = "VmRSS:")
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    BenchApplication application(argc, argv);
    application.clock.start();
    Fonts::load();
    AppState& state = AppState::shared();
    const QStringList args = QCoreApplication::arguments().mid(1);

    if (!args.isEmpty() &&
        (args.first() == QLatin1String("--idle") || args.first() == QLatin1String("--hidden"))) {
        auto* window = new DashboardWindow(state, true);
        window->setSection(NavSection::About);
        window->present();
        if (args.first() == QLatin1String("--hidden"))
            QTimer::singleShot(500, window, &QWidget::close);
        std::printf("ready\n");
        std::fflush(stdout);
        return application.exec();
    }

    DashboardWindow* window = nullptr;
    const double firstOpen = timeToPaint([&] {
        window = new DashboardWindow(state, true);
        window->present();
    });
    window->close();
    QCoreApplication::processEvents();

    QList<double> reopen;
    for (int i = 0; i < 10; ++i) {
        reopen << timeToPaint([&] { window->present(); });
        window->close();
        timeToPaint([] {});
    }

    window->present();
    timeToPaint([] {});
    // The first round builds each page; the second only shows them again.
    QList<double> switches;
    QString visits[2];
    for (int round = 0; round < 2; ++round) {
        for (NavSection section : NavSections::all()) {
            switches << timeToPaint([&] { window->setSection(section); });
            visits[round] += QStringLiteral("%1\"%2\": %3")
                                 .arg(visits[round].isEmpty() ? QString() : QStringLiteral(", "),
                                      NavSections::rawValue(section))
                                 .arg(switches.last(), 0, 'f', 1);
        }
    }
    window->close();
    timeToPaint([] {});

    // Opens and closes the window 100 times on changing sections, then lets
    // everything settle.
    const auto hundredCycles = [&] {
        for (int i = 0; i < 100; ++i) {
            window->present();
            window->setSection(NavSections::all().at(i % NavSections::all().size()));
            QCoreApplication::processEvents();
            window->close();
            QCoreApplication::processEvents();
        }
        timeToPaint([] {});
    };
    const long afterFirstClose = residentKb();
    const long anonAfterFirstClose = residentKb("RssAnon:");
    hundredCycles();
    const long after100 = residentKb();
    const long anonAfter100 = residentKb("RssAnon:");
    hundredCycles();
    const long after200 = residentKb();

    std::printf("{\"first_open_ms\": %.1f, \"reopen_ms_median\": %.1f, \"reopen_ms_max\": %.1f, "
                "\"switch_ms_median\": %.1f, \"switch_ms_max\": %.1f, \"rss_kb_after_first_close\": %ld, "
                "\"rss_kb_after_100_cycles\": %ld, \"rss_growth_kb\": %ld, \"rss_kb_after_200_cycles\": %ld, "
                "\"anon_growth_kb\": %ld, \"first_visit_ms\": {%s}, \"second_visit_ms\": {%s}}\n",
                firstOpen, median(reopen), *std::max_element(reopen.begin(), reopen.end()), median(switches),
                *std::max_element(switches.begin(), switches.end()), afterFirstClose, after100,
                after100 - afterFirstClose, after200, anonAfter100 - anonAfterFirstClose,
                qPrintable(visits[0]), qPrintable(visits[1]));
    delete window;
    return 0;
}
