#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

namespace nivora {

// Calendar arithmetic of the widget faces, done by ICU in the user's calendar:
// its first weekday and week rules come from the user's locale, the time zone is
// the system's. Tests build one for any locale and zone. Cheap to copy; every
// operation works on a fresh clone of one prototype, so it is reentrant.
class WidgetCalendar
{
public:
    // The calendar of the user's locale (LC_ALL, then LC_TIME, then LANG) in the
    // system time zone. Read once per process.
    static const WidgetCalendar& system();
    // The locale the user's environment names, as an ICU locale identifier, or an
    // empty string for ICU's default.
    static QString userLocaleId();

    // `localeId` in ICU form ("fr_FR", "en_US"); an empty `timeZoneId` means the
    // system's zone.
    WidgetCalendar(const QString& localeId, const QString& timeZoneId);

    QString localeId() const { return m_localeId; }
    QString timeZoneId() const;

    struct Components
    {
        int year = 0;
        int month = 1; // 1 = January
        int day = 1;
        int weekday = 1; // 1 = Sunday ... 7 = Saturday
        int weekOfYear = 1;
        int dayOfYear = 1;
        int hour = 0;
        int minute = 0;
        int second = 0;
    };

    std::optional<Components> components(const QDateTime& date) const;
    std::optional<int> daysInMonth(const QDateTime& date) const;
    std::optional<int> daysInYear(const QDateTime& date) const;

    std::optional<QDateTime> startOfDay(const QDateTime& date) const;
    // The first instant of the next calendar day.
    std::optional<QDateTime> startOfNextDay(const QDateTime& date) const;
    // The first instant of the given year (1 January, 00:00).
    std::optional<QDateTime> startOfYear(int year) const;
    // The first Saturday 00:00:00 strictly after `date`; a midnight skipped by a
    // clock change becomes the next existing time, a repeated one the first.
    std::optional<QDateTime> nextWeekendStart(const QDateTime& date) const;

    // Whole days from `from` to `to`, then whole hours of the rest, counted the
    // calendar's way (a day is a calendar day, not 24 hours).
    struct DaysHours
    {
        int days = 0;
        int hours = 0;
    };
    std::optional<DaysHours> daysAndHours(const QDateTime& from, const QDateTime& to) const;
    std::optional<int> days(const QDateTime& from, const QDateTime& to) const;

    // `date` formatted for a Unicode date pattern in the interface's language
    // ("fr_FR" or "en_US" names of months and weekdays), in this calendar's
    // time zone.
    QString formatFrench(const QDateTime& date, const QString& pattern) const;

private:
    struct Impl;
    std::shared_ptr<const Impl> m_impl;
    QString m_localeId;
};

// `date` formatted with the Unicode pattern in the interface's language, in the
// system time zone: in French, month and weekday names come out lower case.
QString frFmt(const QDateTime& date, const QString& pattern);

// First letter of every word upper case, the rest lower case ("dimanche 6
// décembre" → "Dimanche 6 Décembre").
QString capitalizedWords(const QString& text);

} // namespace nivora
