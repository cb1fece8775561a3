#include "widgets/WidgetFaceContent.h"

#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "model/UiLanguage.h"
#include "state/SafeIndex.h"

#include <QCoreApplication>
#include <algorithm>

namespace nivora::WidgetFaceContent {

namespace {

QString percentText(int value, int total)
{
    const double p = static_cast<double>(value) / static_cast<double>(total) * 100.0;
    return QStringLiteral("%1 %").arg(static_cast<qint64>(p));
}

// Shortly after a boundary rather than on it, so a timer that fires a little
// early still sees the new minute or day.
constexpr qint64 boundarySlackMs = 20;

qint64 msUntilNextMinute(const QDateTime& now)
{
    const qint64 ms = now.toMSecsSinceEpoch();
    const qint64 intoMinute = ((ms % 60000) + 60000) % 60000;
    return 60000 - intoMinute + boundarySlackMs;
}

qint64 msUntilMidnightOr(const QDateTime& now, const WidgetCalendar& calendar, qint64 intervalMs)
{
    const auto next = calendar.startOfNextDay(now);
    if (!next)
        return intervalMs;
    const qint64 untilMidnight = now.msecsTo(*next) + boundarySlackMs;
    return std::clamp<qint64>(untilMidnight, boundarySlackMs, intervalMs);
}

} // namespace

Clock clock(const QDateTime& now, const WidgetCalendar& calendar, bool showsDate)
{
    Clock c;
    c.time = calendar.formatFrench(now, QStringLiteral("HH:mm"));
    if (showsDate)
        c.dateLine = capitalizedWords(
            calendar.formatFrench(now, QCoreApplication::translate("WidgetFaceContent", "EEEE d MMMM")));
    return c;
}

Date date(const QDateTime& now, const WidgetCalendar& calendar)
{
    Date d;
    d.weekday = calendar.formatFrench(now, QStringLiteral("EEEE")).toUpper();
    d.day = calendar.formatFrench(now, QStringLiteral("d"));
    d.monthYear = capitalizedWords(
        calendar.formatFrench(now, QCoreApplication::translate("WidgetFaceContent", "MMMM yyyy")));
    return d;
}

Week week(const QDateTime& now, const WidgetCalendar& calendar)
{
    const auto c = calendar.components(now);
    return Week{QString::number(c ? c->weekOfYear : 1)};
}

Progress month(const QDateTime& now, const WidgetCalendar& calendar)
{
    const auto c = calendar.components(now);
    Progress p;
    p.title = calendar.formatFrench(now, QStringLiteral("MMMM")).toUpper();
    p.value = c ? c->day : 1;
    p.total = calendar.daysInMonth(now).value_or(30);
    p.percent = percentText(p.value, p.total);
    p.dayLine = QCoreApplication::translate("WidgetFaceContent", "Jour %1 sur %2").arg(p.value).arg(p.total);
    return p;
}

Progress year(const QDateTime& now, const WidgetCalendar& calendar)
{
    const auto c = calendar.components(now);
    Progress p;
    p.title = QCoreApplication::translate("WidgetFaceContent", "PROGRESSION DE L'ANNÉE");
    p.value = c ? c->dayOfYear : 1;
    p.total = calendar.daysInYear(now).value_or(365);
    p.percent = percentText(p.value, p.total);
    p.dayLine = QCoreApplication::translate("WidgetFaceContent", "Jour %1 sur %2").arg(p.value).arg(p.total);
    return p;
}

Weekend weekend(const QDateTime& now, const WidgetCalendar& calendar)
{
    Weekend w;
    const auto c = calendar.components(now);
    if (c && (c->weekday == 7 || c->weekday == 1)) {
        w.mode = Weekend::Mode::Celebration;
        return w;
    }
    const auto start = calendar.nextWeekendStart(now);
    if (!start) {
        w.mode = Weekend::Mode::Soon;
        return w;
    }
    const auto interval = calendar.daysAndHours(now, *start);
    w.mode = Weekend::Mode::Countdown;
    w.days = interval ? interval->days : 0;
    w.hours = interval ? interval->hours : 0;
    w.countdown = QCoreApplication::translate("WidgetFaceContent", "%1 j %2 h").arg(w.days).arg(w.hours);
    return w;
}

QString uptime(qint64 uptimeMilliseconds)
{
    const qint64 s = std::max<qint64>(uptimeMilliseconds, 0) / 1000;
    const qint64 h = s / 3600;
    const qint64 m = (s - 3600 * h) / 60;
    return QCoreApplication::translate("WidgetFaceContent", "%1 h %2 min").arg(h).arg(m);
}

Season seasonForMonth(int month)
{
    switch (month) {
    case 3:
    case 4:
    case 5:
        return {QCoreApplication::translate("WidgetFaceContent", "Printemps"), QStringLiteral("🌸"),
                Theme::pink()};
    case 6:
    case 7:
    case 8:
        return {QCoreApplication::translate("WidgetFaceContent", "Été"), QStringLiteral("☀️"),
                Theme::yellow()};
    case 9:
    case 10:
    case 11:
        return {QCoreApplication::translate("WidgetFaceContent", "Automne"), QStringLiteral("🍂"),
                Theme::coral()};
    default:
        return {QCoreApplication::translate("WidgetFaceContent", "Hiver"), QStringLiteral("❄️"),
                Theme::blue()};
    }
}

Season season(const QDateTime& now, const WidgetCalendar& calendar)
{
    const auto c = calendar.components(now);
    return seasonForMonth(c ? c->month : 0);
}

NewYear newYear(const QDateTime& now, const WidgetCalendar& calendar)
{
    const auto c = calendar.components(now);
    const int y = c ? c->year : now.date().year();
    const QDateTime target = calendar.startOfYear(y + 1).value_or(now);
    const QDateTime dayStart = calendar.startOfDay(now).value_or(now);
    NewYear n;
    n.daysLeft = calendar.days(dayStart, target).value_or(0);
    n.title = QCoreApplication::translate("WidgetFaceContent", "NOUVEL AN %1").arg(y + 1);
    n.countdown = QCoreApplication::translate("WidgetFaceContent", "J-%1").arg(n.daysLeft);
    n.daysLine = QCoreApplication::translate("WidgetFaceContent", "%1 jours restants").arg(n.daysLeft);
    return n;
}

Ambiance ambiance(qint64 sceneIndex, const QList<QColor>& paletteColors)
{
    const auto scene = safeAt(availableScenes(), sceneIndex);
    return Ambiance{scene ? UiLanguages::translate("SceneCatalog", scene->name) : QStringLiteral("—"),
                    paletteColors};
}

QString timerText(qint64 seconds)
{
    const qint64 v = std::max<qint64>(seconds, 0);
    return QStringLiteral("%1:%2").arg(v / 60, 2, 10, QLatin1Char('0')).arg(v % 60, 2, 10, QLatin1Char('0'));
}

qint64 msUntilRefresh(WidgetKind kind, const QDateTime& now, qint64 uptimeMilliseconds,
                      const WidgetCalendar& calendar)
{
    switch (kind) {
    case WidgetKind::Clock:
    case WidgetKind::Weekend:
        return msUntilNextMinute(now);
    case WidgetKind::Uptime: {
        const qint64 intoMinute = std::max<qint64>(uptimeMilliseconds, 0) % 60000;
        return 60000 - intoMinute + boundarySlackMs;
    }
    case WidgetKind::Date:
        return msUntilMidnightOr(now, calendar, 600 * 1000);
    case WidgetKind::Week:
    case WidgetKind::Month:
    case WidgetKind::Year:
    case WidgetKind::Season:
    case WidgetKind::NewYear:
        return msUntilMidnightOr(now, calendar, 3600 * 1000);
    case WidgetKind::Ambiance:
    case WidgetKind::Pomodoro:
    case WidgetKind::Stopwatch:
        return -1;
    }
    return -1;
}

} // namespace nivora::WidgetFaceContent
