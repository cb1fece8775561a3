// Renders every widget face in every frame shape to PNG files, for reviewing the
// look by eye: widget_snapshot OUTPUT_DIR [YYYY-MM-DDTHH:MM]
#include "assets/Fonts.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "widgets/WidgetCalendar.h"
#include "widgets/WidgetFaceFactory.h"
#include "widgets/WidgetPlacement.h"
#include "widgets/WidgetWindow.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>
#include <cstdio>

using namespace nivora;

namespace {

class FixedClock : public WidgetClock
{
public:
    explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    qint64 uptimeMilliseconds() const override { return 5 * 3600 * 1000 + 7 * 60 * 1000; }

private:
    QDateTime m_now;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: widget_snapshot OUTPUT_DIR [YYYY-MM-DDTHH:MM]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    QDateTime when(QDate(2026, 12, 6), QTime(9, 5), QTimeZone("Europe/Paris"));
    if (argc > 2)
        when = QDateTime::fromString(QString::fromLocal8Bit(argv[2]), Qt::ISODate);
    Fonts::load();

    QTemporaryDir tmp;
    DefaultsStore store(tmp.filePath(QStringLiteral("defaults.json")));
    AppState state(store, false);
    FixedClock clock(when);
    WidgetFaceView::Environment env;
    env.clock = &clock;
    env.calendar = WidgetCalendar(QStringLiteral("fr_FR"), QStringLiteral("Europe/Paris"));

    for (WidgetKind kind : WidgetKinds::all()) {
        for (WidgetShape shape : WidgetShapes::all()) {
            WidgetWindow window(kind, shape, WidgetFaceFactory::create(kind, state, env));
            window.place(QPoint(0, 0), WidgetPlacement::windowSize(kind, shape, WidgetSize::Medium));
            window.show();
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            const QString name =
                WidgetKinds::id(kind) + QLatin1Char('-') + WidgetShapes::id(shape) + QStringLiteral(".png");
            window.grab().save(out.filePath(name));
        }
    }
    return 0;
}
