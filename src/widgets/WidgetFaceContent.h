#pragma once

#include "model/WidgetCatalog.h"
#include "widgets/WidgetCalendar.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>

namespace nivora {

// What each widget face shows, computed from an instant, a calendar and a few
// settings. Pure functions: the views only lay these texts out and paint them,
// so every text can be checked without drawing.
namespace WidgetFaceContent {

struct Clock
{
    QString time;     // "09:05"
    QString dateLine; // "Dimanche 6 Décembre"; empty when the date line is off
};
Clock clock(const QDateTime& now, const WidgetCalendar& calendar, bool showsDate);

struct Date
{
    QString weekday;   // "DIMANCHE"
    QString day;       // "6"
    QString monthYear; // "Décembre 2026"
};
Date date(const QDateTime& now, const WidgetCalendar& calendar);

struct Week
{
    QString number; // "49"
};
Week week(const QDateTime& now, const WidgetCalendar& calendar);

// The month and year faces: a title, a truncated percentage and "Jour d sur n".
struct Progress
{
    QString title;
    QString percent; // "19 %"
    int value = 1;
    int total = 1;
    QString dayLine; // "Jour 6 sur 31"
};
Progress month(const QDateTime& now, const WidgetCalendar& calendar);
Progress year(const QDateTime& now, const WidgetCalendar& calendar);

struct Weekend
{
    enum class Mode
    {
        Celebration,
        Countdown,
        Soon
    };
    Mode mode = Mode::Countdown;
    int days = 0;
    int hours = 0;
    QString countdown; // "2 j 14 h" in countdown mode
};
Weekend weekend(const QDateTime& now, const WidgetCalendar& calendar);

// "h h m min" of the system uptime, hours not wrapped into days.
QString uptime(qint64 uptimeMilliseconds);

struct Season
{
    QString name;
    QString emoji;
    QColor color;
};
Season season(const QDateTime& now, const WidgetCalendar& calendar);
Season seasonForMonth(int month);

struct NewYear
{
    QString title;     // "NOUVEL AN 2027"
    QString countdown; // "J-26"
    QString daysLine;  // "26 jours restants"
    int daysLeft = 0;
};
NewYear newYear(const QDateTime& now, const WidgetCalendar& calendar);

struct Ambiance
{
    QString sceneName;
    QList<QColor> swatches;
};
Ambiance ambiance(qint64 sceneIndex, const QList<QColor>& paletteColors);

// "mm:ss" with minutes not wrapped into hours ("125:03").
QString timerText(qint64 seconds);

// Milliseconds until what the face of `kind` shows may next change, never more
// than the face's own refresh interval; -1 for faces redrawn by their model or
// by the settings store instead of by time.
qint64 msUntilRefresh(WidgetKind kind, const QDateTime& now, qint64 uptimeMilliseconds,
                      const WidgetCalendar& calendar);

} // namespace WidgetFaceContent
} // namespace nivora
