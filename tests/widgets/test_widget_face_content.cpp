#include "design/Theme.h"
#include "model/SceneCatalog.h"
#include "widgets/WidgetCalendar.h"
#include "widgets/WidgetFaceContent.h"

#include <QTest>
#include <QTimeZone>

using namespace nivora;
namespace Face = nivora::WidgetFaceContent;

namespace {

const QString paris = QStringLiteral("Europe/Paris");

QDateTime at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0, const QString& zone = paris)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone(zone.toUtf8()));
}

WidgetCalendar french()
{
    return WidgetCalendar(QStringLiteral("fr_FR"), paris);
}

} // namespace

class TestWidgetFaceContent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clockTexts_data();
    void clockTexts();
    void dateFace();
    void monthFace_data();
    void monthFace();
    void weekNumber_data();
    void weekNumber();
    void yearFace_data();
    void yearFace();
    void weekendFace_data();
    void weekendFace();
    void uptimeText_data();
    void uptimeText();
    void seasonFace_data();
    void seasonFace();
    void newYearFace_data();
    void newYearFace();
    void ambianceFace();
    void timerText_data();
    void timerText();
    void refreshDelays_data();
    void refreshDelays();
    void userLocaleFromEnvironment_data();
    void userLocaleFromEnvironment();
    void frFmtUsesFrenchNames();
};

void TestWidgetFaceContent::clockTexts_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<bool>("showsDate");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("dateLine");
    QTest::newRow("morning, leading zero") << at(2026, 12, 6, 9, 5) << true << "09:05"
                                           << "Dimanche 6 Décembre";
    QTest::newRow("evening, 24-hour") << at(2026, 12, 6, 21, 30, 59) << true << "21:30"
                                      << "Dimanche 6 Décembre";
    QTest::newRow("date line off") << at(2026, 12, 6, 21, 30) << false << "21:30"
                                   << "";
    QTest::newRow("accented month") << at(2027, 2, 1, 0, 0) << true << "00:00"
                                    << "Lundi 1 Février";
    QTest::newRow("august") << at(2026, 8, 15, 23, 59) << true << "23:59"
                            << "Samedi 15 Août";
}

void TestWidgetFaceContent::clockTexts()
{
    QFETCH(QDateTime, date);
    QFETCH(bool, showsDate);
    const auto c = Face::clock(date, french(), showsDate);
    QTEST(c.time, "time");
    QTEST(c.dateLine, "dateLine");
}

void TestWidgetFaceContent::dateFace()
{
    const auto d = Face::date(at(2026, 12, 6, 8, 0), french());
    QCOMPARE(d.weekday, QStringLiteral("DIMANCHE"));
    QCOMPARE(d.day, QStringLiteral("6"));
    QCOMPARE(d.monthYear, QStringLiteral("Décembre 2026"));

    // The time zone decides the day: 23:30 UTC on 5 December is already the 6th
    // in Paris.
    const QDateTime utc(QDate(2026, 12, 5), QTime(23, 30), QTimeZone::utc());
    QCOMPARE(Face::date(utc, french()).day, QStringLiteral("6"));
    QCOMPARE(Face::date(utc, WidgetCalendar(QStringLiteral("fr_FR"), QStringLiteral("UTC"))).day,
             QStringLiteral("5"));
}

void TestWidgetFaceContent::monthFace_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("dayLine");
    QTest::addColumn<int>("total");
    QTest::newRow("1 January truncates 3.2") << at(2027, 1, 1, 0, 0) << "JANVIER"
                                             << "3 %"
                                             << "Jour 1 sur 31" << 31;
    QTest::newRow("29 February of a leap year") << at(2028, 2, 29, 23, 59) << "FÉVRIER"
                                                << "100 %"
                                                << "Jour 29 sur 29" << 29;
    QTest::newRow("28 February of a common year") << at(2027, 2, 28) << "FÉVRIER"
                                                  << "100 %"
                                                  << "Jour 28 sur 28" << 28;
    QTest::newRow("6 December") << at(2026, 12, 6) << "DÉCEMBRE"
                                << "19 %"
                                << "Jour 6 sur 31" << 31;
    QTest::newRow("30-day month") << at(2026, 4, 15) << "AVRIL"
                                  << "50 %"
                                  << "Jour 15 sur 30" << 30;
}

void TestWidgetFaceContent::monthFace()
{
    QFETCH(QDateTime, date);
    const auto p = Face::month(date, french());
    QTEST(p.title, "title");
    QTEST(p.percent, "percent");
    QTEST(p.dayLine, "dayLine");
    QTEST(p.total, "total");
}

void TestWidgetFaceContent::weekNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("week");
    // Monday first, four days in the first week: 2026 has 53 weeks.
    QTest::newRow("fr: 1 Jan 2027 is week 53") << "fr_FR" << at(2027, 1, 1) << "53";
    QTest::newRow("fr: 4 Jan 2027 is week 1") << "fr_FR" << at(2027, 1, 4) << "1";
    QTest::newRow("fr: 6 Dec 2026") << "fr_FR" << at(2026, 12, 6) << "49";
    // Sunday first, one day is enough: the week of 1 January is week 1.
    QTest::newRow("us: 1 Jan 2027 is week 1") << "en_US" << at(2027, 1, 1) << "1";
    QTest::newRow("us: Sunday 6 Dec starts week 50") << "en_US" << at(2026, 12, 6) << "50";
    QTest::newRow("us: Saturday 5 Dec is week 49") << "en_US" << at(2026, 12, 5) << "49";
}

void TestWidgetFaceContent::weekNumber()
{
    QFETCH(QString, locale);
    QFETCH(QDateTime, date);
    QTEST(Face::week(date, WidgetCalendar(locale, paris)).number, "week");
}

void TestWidgetFaceContent::yearFace_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("dayLine");
    QTest::addColumn<int>("value");
    QTest::newRow("31 December") << at(2026, 12, 31, 23, 59, 59) << "100 %"
                                 << "Jour 365 sur 365" << 365;
    QTest::newRow("1 January") << at(2027, 1, 1, 0, 0) << "0 %"
                               << "Jour 1 sur 365" << 1;
    QTest::newRow("leap year end") << at(2028, 12, 31) << "100 %"
                                   << "Jour 366 sur 366" << 366;
    QTest::newRow("leap day") << at(2028, 2, 29) << "16 %"
                              << "Jour 60 sur 366" << 60;
}

void TestWidgetFaceContent::yearFace()
{
    QFETCH(QDateTime, date);
    const auto p = Face::year(date, french());
    QCOMPARE(p.title, QStringLiteral("PROGRESSION DE L'ANNÉE"));
    QTEST(p.percent, "percent");
    QTEST(p.dayLine, "dayLine");
    QTEST(p.value, "value");
}

void TestWidgetFaceContent::weekendFace_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("countdown");
    const int countdown = int(Face::Weekend::Mode::Countdown);
    const int party = int(Face::Weekend::Mode::Celebration);
    QTest::newRow("Wednesday 10:00") << at(2026, 12, 2, 10, 0) << countdown << "2 j 14 h";
    QTest::newRow("Friday 23:30") << at(2026, 12, 4, 23, 30) << countdown << "0 j 0 h";
    QTest::newRow("Monday 00:00") << at(2026, 11, 30, 0, 0) << countdown << "5 j 0 h";
    QTest::newRow("Friday 00:00:01") << at(2026, 12, 4, 0, 0, 1) << countdown << "0 j 23 h";
    QTest::newRow("Saturday 00:00") << at(2026, 12, 5, 0, 0) << party << "";
    QTest::newRow("Sunday 23:59") << at(2026, 12, 6, 23, 59) << party << "";
    // The clocks go back on Sunday 25 October 2026: the week before is unaffected,
    // the hour gained falls after the weekend starts.
    QTest::newRow("Thursday before DST end") << at(2026, 10, 22, 12, 0) << countdown << "1 j 12 h";
}

void TestWidgetFaceContent::weekendFace()
{
    QFETCH(QDateTime, date);
    QFETCH(int, mode);
    const auto w = Face::weekend(date, french());
    QCOMPARE(int(w.mode), mode);
    QTEST(w.countdown, "countdown");
}

void TestWidgetFaceContent::uptimeText_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("59 s") << qint64(59'999) << "0 h 0 min";
    QTest::newRow("3661 s") << qint64(3'661'000) << "1 h 1 min";
    QTest::newRow("hours not wrapped into days") << qint64(50LL * 3600 * 1000) << "50 h 0 min";
    QTest::newRow("just booted") << qint64(0) << "0 h 0 min";
}

void TestWidgetFaceContent::uptimeText()
{
    QFETCH(qint64, ms);
    QTEST(Face::uptime(ms), "text");
}

void TestWidgetFaceContent::seasonFace_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("emoji");
    QTest::addColumn<QColor>("color");
    QTest::newRow("1 March") << at(2027, 3, 1, 0, 0) << "Printemps"
                             << "🌸" << Theme::pink();
    QTest::newRow("15 July") << at(2027, 7, 15) << "Été"
                             << "☀️" << Theme::yellow();
    QTest::newRow("30 November") << at(2026, 11, 30, 23, 59) << "Automne"
                                 << "🍂" << Theme::coral();
    QTest::newRow("1 December") << at(2026, 12, 1, 0, 0) << "Hiver"
                                << "❄️" << Theme::blue();
    QTest::newRow("28 February") << at(2027, 2, 28) << "Hiver"
                                 << "❄️" << Theme::blue();
}

void TestWidgetFaceContent::seasonFace()
{
    QFETCH(QDateTime, date);
    const auto s = Face::season(date, french());
    QTEST(s.name, "name");
    QTEST(s.emoji, "emoji");
    QTEST(s.color, "color");
}

void TestWidgetFaceContent::newYearFace_data()
{
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("countdown");
    QTest::addColumn<QString>("daysLine");
    QTest::newRow("31 December") << at(2026, 12, 31, 23, 59) << "NOUVEL AN 2027"
                                 << "J-1"
                                 << "1 jours restants";
    QTest::newRow("6 December") << at(2026, 12, 6, 9, 5) << "NOUVEL AN 2027"
                                << "J-26"
                                << "26 jours restants";
    QTest::newRow("1 January") << at(2027, 1, 1, 0, 0) << "NOUVEL AN 2028"
                               << "J-365"
                               << "365 jours restants";
    QTest::newRow("1 January of a leap year") << at(2028, 1, 1, 18, 0) << "NOUVEL AN 2029"
                                              << "J-366"
                                              << "366 jours restants";
    QTest::newRow("no digit grouping") << at(9998, 12, 30) << "NOUVEL AN 9999"
                                       << "J-2"
                                       << "2 jours restants";
}

void TestWidgetFaceContent::newYearFace()
{
    QFETCH(QDateTime, date);
    const auto n = Face::newYear(date, french());
    QTEST(n.title, "title");
    QTEST(n.countdown, "countdown");
    QTEST(n.daysLine, "daysLine");
}

void TestWidgetFaceContent::ambianceFace()
{
    const QList<QColor> five{Qt::red, Qt::green, Qt::blue, Qt::black, Qt::white};
    const auto first = Face::ambiance(0, five);
    QCOMPARE(first.sceneName, availableScenes().first().name);
    QCOMPARE(first.swatches, five);
    QCOMPARE(Face::ambiance(availableScenes().size(), five).sceneName, QStringLiteral("—"));
    QCOMPARE(Face::ambiance(-1, {}).sceneName, QStringLiteral("—"));
}

void TestWidgetFaceContent::timerText_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("25 minutes") << qint64(1500) << "25:00";
    QTest::newRow("59 s") << qint64(59) << "00:59";
    QTest::newRow("minutes not wrapped") << qint64(2 * 3600 + 5 * 60 + 3) << "125:03";
    QTest::newRow("zero") << qint64(0) << "00:00";
}

void TestWidgetFaceContent::timerText()
{
    QFETCH(qint64, seconds);
    QTEST(Face::timerText(seconds), "text");
}

void TestWidgetFaceContent::refreshDelays_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<qint64>("uptimeMs");
    QTest::addColumn<qint64>("minMs");
    QTest::addColumn<qint64>("maxMs");
    const QDateTime noonish = at(2026, 12, 6, 12, 0, 30).addMSecs(500);
    QTest::newRow("clock wakes just after the minute")
        << int(WidgetKind::Clock) << noonish << qint64(0) << qint64(29'500) << qint64(29'600);
    QTest::newRow("date sleeps its interval at noon")
        << int(WidgetKind::Date) << noonish << qint64(0) << qint64(600'000) << qint64(600'000);
    QTest::newRow("date wakes at midnight when sooner") << int(WidgetKind::Date) << at(2026, 12, 6, 23, 58)
                                                        << qint64(0) << qint64(120'000) << qint64(120'100);
    QTest::newRow("month wakes at midnight") << int(WidgetKind::Month) << at(2026, 12, 31, 23, 30)
                                             << qint64(0) << qint64(1'800'000) << qint64(1'800'100);
    QTest::newRow("year sleeps an hour")
        << int(WidgetKind::Year) << noonish << qint64(0) << qint64(3'600'000) << qint64(3'600'000);
    QTest::newRow("uptime follows boot time, not the wall clock")
        << int(WidgetKind::Uptime) << noonish << qint64(59'500) << qint64(500) << qint64(600);
    QTest::newRow("weekend each minute")
        << int(WidgetKind::Weekend) << noonish << qint64(0) << qint64(29'500) << qint64(29'600);
    QTest::newRow("stopwatch is driven by its model")
        << int(WidgetKind::Stopwatch) << noonish << qint64(0) << qint64(-1) << qint64(-1);
    QTest::newRow("ambiance is driven by the store")
        << int(WidgetKind::Ambiance) << noonish << qint64(0) << qint64(-1) << qint64(-1);
}

void TestWidgetFaceContent::refreshDelays()
{
    QFETCH(int, kind);
    QFETCH(QDateTime, now);
    QFETCH(qint64, uptimeMs);
    QFETCH(qint64, minMs);
    QFETCH(qint64, maxMs);
    const qint64 delay = Face::msUntilRefresh(WidgetKind(kind), now, uptimeMs, french());
    QVERIFY2(delay >= minMs && delay <= maxMs, qPrintable(QString::number(delay)));
}

void TestWidgetFaceContent::userLocaleFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lcTime");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QString>("locale");
    QTest::newRow("LANG alone") << QByteArray() << QByteArray() << QByteArray("fr_FR.UTF-8") << "fr_FR";
    QTest::newRow("LC_TIME over LANG")
        << QByteArray() << QByteArray("en_US.UTF-8") << QByteArray("fr_FR.UTF-8") << "en_US";
    QTest::newRow("LC_ALL over everything")
        << QByteArray("de_DE@euro") << QByteArray("en_US") << QByteArray("fr_FR") << "de_DE";
    QTest::newRow("C locale") << QByteArray() << QByteArray() << QByteArray("C.UTF-8") << "en_US_POSIX";
}

void TestWidgetFaceContent::userLocaleFromEnvironment()
{
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lcTime);
    QFETCH(QByteArray, lang);
    const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_TIME"), qgetenv("LANG")};
    const char* names[] = {"LC_ALL", "LC_TIME", "LANG"};
    const QByteArray values[] = {lcAll, lcTime, lang};
    for (int i = 0; i < 3; ++i)
        qputenv(names[i], values[i]);
    const QString locale = WidgetCalendar::userLocaleId();
    for (int i = 0; i < 3; ++i)
        qputenv(names[i], saved[i]);
    QTEST(locale, "locale");
}

void TestWidgetFaceContent::frFmtUsesFrenchNames()
{
    const QString text = frFmt(QDateTime(QDate(2026, 12, 6), QTime(12, 0)), QStringLiteral("EEEE MMMM"));
    QCOMPARE(text, QStringLiteral("dimanche décembre"));
    QCOMPARE(capitalizedWords(QStringLiteral("dimanche 6 DÉCEMBRE")), QStringLiteral("Dimanche 6 Décembre"));
}

QTEST_GUILESS_MAIN(TestWidgetFaceContent)
#include "test_widget_face_content.moc"
