// A widget dragged for a while writes its position to the settings file a few
// times, not on every step of the drag, and the position it is dropped at is
// on disk soon after: counted with inotify on a real X server (Xvfb, openbox,
// xdotool).
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/DesktopWidgetController.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <sys/inotify.h>
#include <unistd.h>
#include <utility>

using namespace nivora;

namespace {

// Counts the times a file is replaced or written in its directory.
class WriteCounter
{
public:
    WriteCounter(const QString& directory, const QString& name) : m_name(name.toUtf8())
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_fd >= 0)
            inotify_add_watch(m_fd, directory.toUtf8().constData(), IN_MOVED_TO | IN_CLOSE_WRITE);
    }
    ~WriteCounter()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isValid() const { return m_fd >= 0; }
    int count()
    {
        alignas(inotify_event) char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t at = 0; at < n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && QByteArray(event->name) == m_name)
                    ++m_count;
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
        }
        return m_count;
    }

private:
    int m_fd = -1;
    QByteArray m_name;
    int m_count = 0;
};

void xdotool(const QStringList& args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
}

// The record as the file on disk holds it.
QJsonValue storedRecord(const QString& path, const QString& key)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object().value(key);
}

} // namespace

class TestWidgetDragWrites : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<DefaultsStore> m_store;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DesktopWidgetController> m_controller;

    QString file() const { return m_dir.filePath(QStringLiteral("defaults.json")); }

    WidgetWindow* showClock()
    {
        QSignalSpy spy(m_controller.get(), &DesktopWidgetController::reconciled);
        m_state->setEnabledWidgets({QStringLiteral("clock")});
        if (!spy.wait(3000))
            return nullptr;
        WidgetWindow* window = m_controller->window(QStringLiteral("clock"));
        if (!window || !QTest::qWaitForWindowExposed(window))
            return nullptr;
        QTest::qWait(200);
        // The settings themselves are saved later, on their own schedule.
        m_state->flushPendingSave();
        return window;
    }

    QJsonArray expectedRecord(const WidgetWindow* window) const
    {
        const QRect primary = QGuiApplication::primaryScreen()->geometry();
        return QJsonArray{double(window->x() - primary.x()),
                          double(primary.y() + primary.height() - window->y() - window->height())};
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display with a window manager (scripts/with-display)");
    }

    void init()
    {
        QFile::remove(file());
        m_store = std::make_unique<DefaultsStore>(file());
        m_state = std::make_unique<AppState>(*m_store, false);
        m_state->setSaveDelayForTesting(60 * 60 * 1000);
        m_controller = std::make_unique<DesktopWidgetController>(*m_state);
        m_controller->start();
    }

    void cleanup()
    {
        m_controller.reset();
        m_state.reset();
        m_store.reset();
    }

    void longDragWritesAFewTimes()
    {
        WidgetWindow* window = showClock();
        QVERIFY(window);
        WriteCounter writes(m_dir.path(), QStringLiteral("defaults.json"));
        QVERIFY(writes.isValid());
        const QPoint start = window->pos();
        const QPoint grab = window->mapToGlobal(QPoint(window->width() - 20, 8));
        xdotool({"mousemove", QString::number(grab.x()), QString::number(grab.y())});
        xdotool({"mousedown", "1"});
        // Three seconds of small steps, as a hand drags.
        QElapsedTimer timer;
        timer.start();
        int step = 0;
        while (timer.elapsed() < 3000) {
            ++step;
            const int dx = -(step % 150);
            xdotool({"mousemove", QString::number(grab.x() + dx), QString::number(grab.y() + step % 90)});
            QTest::qWait(25);
        }
        const QPoint last(grab.x() - 123, grab.y() + 45);
        xdotool({"mousemove", QString::number(last.x()), QString::number(last.y())});
        QTest::qWait(50);
        xdotool({"mouseup", "1"});
        // Settled where it was dropped (the window manager may nudge it by a
        // pixel).
        QPoint settled;
        QTRY_VERIFY(std::exchange(settled, window->pos()) == window->pos() && settled != start);
        QVERIFY((window->pos() - (start + (last - grab))).manhattanLength() <= 4);
        QVERIFY2(step > 30, qPrintable(QStringLiteral("%1 steps").arg(step)));

        // The dropped position is on disk within half a second of the drop.
        QTest::qWait(DesktopWidgetController::moveWriteInterval + 150);
        QCOMPARE(storedRecord(file(), QStringLiteral("widgetpos_clock")).toArray(), expectedRecord(window));
        QTest::qWait(500);
        const int count = writes.count();
        QVERIFY2(count >= 1 && count <= 7, qPrintable(QStringLiteral("%1 writes").arg(count)));
    }

    void positionMovedJustBeforeQuittingIsWritten()
    {
        WidgetWindow* window = showClock();
        QVERIFY(window);
        // Moved, as a drag's last step reports it, right before quitting.
        window->move(window->pos() + QPoint(-60, 30));
        Q_EMIT window->moved(window->pos());
        QVERIFY(m_controller->hasPendingMoves());
        const QJsonArray expected = expectedRecord(window);
        // Quitting writes what the quiet period would have written later.
        QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit"));
        QVERIFY(!m_controller->hasPendingMoves());
        QCOMPARE(storedRecord(file(), QStringLiteral("widgetpos_clock")).toArray(), expected);
    }
};

int main(int argc, char** argv)
{
    WidgetWindow::configureApplication();
    QApplication app(argc, argv);
    TestWidgetDragWrites test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_widget_drag_writes.moc"
