#include "widgets/WidgetCalendar.h"

#include "model/UiLanguage.h"

#include <QByteArray>
#include <QStringList>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

namespace nivora {

namespace {

icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()),
                              static_cast<int32_t>(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

UDate toUDate(const QDateTime& date)
{
    return static_cast<UDate>(date.toMSecsSinceEpoch());
}

QDateTime fromUDate(UDate value)
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(value));
}

} // namespace

struct WidgetCalendar::Impl
{
    std::unique_ptr<icu::Calendar> prototype;
    std::unique_ptr<icu::TimeZone> zone;

    // A private calendar set to `date`, or none if ICU refuses.
    std::unique_ptr<icu::Calendar> at(const QDateTime& date) const
    {
        if (!prototype || !date.isValid())
            return nullptr;
        std::unique_ptr<icu::Calendar> cal(prototype->clone());
        if (!cal)
            return nullptr;
        UErrorCode status = U_ZERO_ERROR;
        cal->setTime(toUDate(date), status);
        if (U_FAILURE(status))
            return nullptr;
        return cal;
    }

    static std::optional<QDateTime> timeOf(const icu::Calendar& cal)
    {
        UErrorCode status = U_ZERO_ERROR;
        const UDate value = cal.getTime(status);
        if (U_FAILURE(status))
            return std::nullopt;
        return fromUDate(value);
    }

    static void toMidnight(icu::Calendar& cal)
    {
        cal.set(UCAL_HOUR_OF_DAY, 0);
        cal.set(UCAL_MINUTE, 0);
        cal.set(UCAL_SECOND, 0);
        cal.set(UCAL_MILLISECOND, 0);
    }
};

const WidgetCalendar& WidgetCalendar::system()
{
    static const WidgetCalendar calendar(userLocaleId(), QString());
    return calendar;
}

QString WidgetCalendar::userLocaleId()
{
    // The same precedence as the C library's LC_TIME category: week rules are a
    // matter of time formatting, not of the message language.
    for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
        QString value = QString::fromLocal8Bit(qgetenv(name));
        if (value.isEmpty())
            continue;
        // "fr_FR.UTF-8@euro" → "fr_FR": ICU does not know POSIX encodings and
        // modifiers.
        value = value.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
        if (value == QLatin1String("C") || value == QLatin1String("POSIX"))
            return QStringLiteral("en_US_POSIX");
        return value;
    }
    return QString();
}

WidgetCalendar::WidgetCalendar(const QString& localeId, const QString& timeZoneId) : m_localeId(localeId)
{
    auto impl = std::make_shared<Impl>();
    impl->zone.reset(timeZoneId.isEmpty() ? icu::TimeZone::createDefault()
                                          : icu::TimeZone::createTimeZone(toIcu(timeZoneId)));
    const icu::Locale locale =
        localeId.isEmpty() ? icu::Locale::getDefault() : icu::Locale(localeId.toLatin1().constData());
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> cal(icu::Calendar::createInstance(*impl->zone, locale, status));
    if (U_SUCCESS(status) && cal) {
        cal->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        cal->setSkippedWallTimeOption(UCAL_WALLTIME_NEXT_VALID);
        impl->prototype = std::move(cal);
    }
    m_impl = std::move(impl);
}

QString WidgetCalendar::timeZoneId() const
{
    icu::UnicodeString id;
    m_impl->zone->getID(id);
    return fromIcu(id);
}

std::optional<WidgetCalendar::Components> WidgetCalendar::components(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    Components c;
    c.year = cal->get(UCAL_YEAR, status);
    c.month = cal->get(UCAL_MONTH, status) + 1;
    c.day = cal->get(UCAL_DATE, status);
    c.weekday = cal->get(UCAL_DAY_OF_WEEK, status);
    c.weekOfYear = cal->get(UCAL_WEEK_OF_YEAR, status);
    c.dayOfYear = cal->get(UCAL_DAY_OF_YEAR, status);
    c.hour = cal->get(UCAL_HOUR_OF_DAY, status);
    c.minute = cal->get(UCAL_MINUTE, status);
    c.second = cal->get(UCAL_SECOND, status);
    if (U_FAILURE(status))
        return std::nullopt;
    return c;
}

std::optional<int> WidgetCalendar::daysInMonth(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int n = cal->getActualMaximum(UCAL_DATE, status);
    if (U_FAILURE(status) || n < 1)
        return std::nullopt;
    return n;
}

std::optional<int> WidgetCalendar::daysInYear(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int n = cal->getActualMaximum(UCAL_DAY_OF_YEAR, status);
    if (U_FAILURE(status) || n < 1)
        return std::nullopt;
    return n;
}

std::optional<QDateTime> WidgetCalendar::startOfDay(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    Impl::toMidnight(*cal);
    return Impl::timeOf(*cal);
}

std::optional<QDateTime> WidgetCalendar::startOfNextDay(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    Impl::toMidnight(*cal);
    cal->add(UCAL_DATE, 1, status);
    Impl::toMidnight(*cal);
    if (U_FAILURE(status))
        return std::nullopt;
    return Impl::timeOf(*cal);
}

std::optional<QDateTime> WidgetCalendar::startOfYear(int year) const
{
    if (!m_impl->prototype)
        return std::nullopt;
    std::unique_ptr<icu::Calendar> cal(m_impl->prototype->clone());
    if (!cal)
        return std::nullopt;
    cal->clear();
    cal->set(UCAL_YEAR, year);
    return Impl::timeOf(*cal);
}

std::optional<QDateTime> WidgetCalendar::nextWeekendStart(const QDateTime& date) const
{
    auto cal = m_impl->at(date);
    if (!cal)
        return std::nullopt;
    Impl::toMidnight(*cal);
    // Eight days always reach a Saturday midnight after `date`, even when `date`
    // is itself a Saturday after midnight.
    for (int i = 0; i <= 8; ++i) {
        UErrorCode status = U_ZERO_ERROR;
        if (i > 0)
            cal->add(UCAL_DATE, 1, status);
        Impl::toMidnight(*cal);
        const int weekday = cal->get(UCAL_DAY_OF_WEEK, status);
        const UDate when = cal->getTime(status);
        if (U_FAILURE(status))
            return std::nullopt;
        if (weekday == UCAL_SATURDAY && when > toUDate(date))
            return fromUDate(when);
    }
    return std::nullopt;
}

std::optional<WidgetCalendar::DaysHours> WidgetCalendar::daysAndHours(const QDateTime& from,
                                                                      const QDateTime& to) const
{
    auto cal = m_impl->at(from);
    if (!cal || !to.isValid())
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    DaysHours result;
    result.days = cal->fieldDifference(toUDate(to), UCAL_DATE, status);
    result.hours = cal->fieldDifference(toUDate(to), UCAL_HOUR_OF_DAY, status);
    if (U_FAILURE(status))
        return std::nullopt;
    return result;
}

std::optional<int> WidgetCalendar::days(const QDateTime& from, const QDateTime& to) const
{
    auto cal = m_impl->at(from);
    if (!cal || !to.isValid())
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int n = cal->fieldDifference(toUDate(to), UCAL_DATE, status);
    if (U_FAILURE(status))
        return std::nullopt;
    return n;
}

QString WidgetCalendar::formatFrench(const QDateTime& date, const QString& pattern) const
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale(UiLanguages::icuLocale(UiLanguages::current()).constData());
    icu::SimpleDateFormat formatter(toIcu(pattern), locale, status);
    if (U_FAILURE(status) || !date.isValid())
        return QString();
    formatter.setTimeZone(*m_impl->zone);
    icu::UnicodeString out;
    formatter.format(toUDate(date), out);
    return fromIcu(out);
}

QString frFmt(const QDateTime& date, const QString& pattern)
{
    return WidgetCalendar::system().formatFrench(date, pattern);
}

QString capitalizedWords(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool atWordStart = true;
    for (const QChar ch : text) {
        if (ch.isSpace()) {
            atWordStart = true;
            out.append(ch);
            continue;
        }
        out.append(atWordStart ? ch.toUpper() : ch.toLower());
        atWordStart = false;
    }
    return out;
}

} // namespace nivora
