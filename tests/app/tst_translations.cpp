// The translation files under i18n/ and the translations bundled in the binary.
#include "app/Translations.h"
#include "widgets/WidgetCalendar.h"
#include "widgets/WidgetFaceContent.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimeZone>
#include <QXmlStreamReader>

using namespace nivora;

Q_DECLARE_METATYPE(nivora::UiLanguage)

namespace {

struct Message
{
    QString context;
    QString source;
    QStringList translations; // one, or one per plural form
    QString type;             // "unfinished", "vanished", "obsolete" or empty
    int line = 0;
};

QList<Message> readTs(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message{context, {}, {}, {}, int(xml.lineNumber())};
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            // A plural message holds its forms in <numerusform> children.
            QString text;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation")) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters())
                    text += xml.text();
                else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                    current.translations.append(xml.readElementText());
            }
            if (current.translations.isEmpty())
                current.translations.append(text);
            messages.append(current);
        }
    }
    if (xml.hasError())
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return messages;
}

// The %1, %2… and %n a text fills in, in a canonical order.
QStringList placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+|n)"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured(0));
    found.sort();
    found.removeDuplicates();
    return found;
}

QString tsPath(const QString& language)
{
    return QStringLiteral(NIVORA_SOURCE_DIR "/i18n/nivora_%1.ts").arg(language);
}

} // namespace

class TstTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("French") << "fr";
        QTest::newRow("English") << "en";
    }

    // An unfinished, empty or leftover entry would show the French source to
    // an English reader, or a blank to anyone; a translation that drops or
    // adds a %1 would show a wrong or missing value.
    void everyTextIsTranslated()
    {
        QFETCH(QString, language);
        QString error;
        const QList<Message> messages = readTs(tsPath(language), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!messages.isEmpty());
        QStringList faults;
        for (const Message& m : messages) {
            const QString where = QStringLiteral("line %1 [%2] \"%3\"").arg(m.line).arg(m.context, m.source);
            if (!m.type.isEmpty())
                faults.append(where + QStringLiteral(": ") + m.type);
            for (const QString& t : m.translations) {
                if (t.trimmed().isEmpty())
                    faults.append(where + QStringLiteral(": no translation"));
                else if (placeholders(t) != placeholders(m.source))
                    faults.append(where + QStringLiteral(": placeholders differ in \"%1\"").arg(t));
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Both files hold the same texts: a text collected into one file only is
    // missing from the other language.
    void bothFilesHoldTheSameTexts()
    {
        QString error;
        QSet<QString> french;
        for (const Message& m : readTs(tsPath(QStringLiteral("fr")), &error))
            french.insert(m.context + QLatin1Char('|') + m.source);
        QSet<QString> english;
        for (const Message& m : readTs(tsPath(QStringLiteral("en")), &error))
            english.insert(m.context + QLatin1Char('|') + m.source);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(french == english,
                 qPrintable(QStringList((french - english).values()).join('\n') + "\n--\n" +
                            QStringList((english - french).values()).join('\n')));
    }

    // The compiled translations travel inside the binary: switching changes
    // a text both ways, with no file installed beside it.
    void bundledTranslationsSwitchBothWays()
    {
        const char* source = "clé inconnue « %1 » ; clés : %2";
        Translations::apply(UiLanguage::English);
        QCOMPARE(UiLanguages::current(), UiLanguage::English);
        QCOMPARE(QCoreApplication::translate("ControlCommands", source).arg("x", "y"),
                 QStringLiteral("unknown key “x”; keys: y"));
        Translations::apply(UiLanguage::French);
        QCOMPARE(QCoreApplication::translate("ControlCommands", source).arg("x", "y"),
                 QStringLiteral("clé inconnue « x » ; clés : y"));
        Translations::apply(UiLanguage::English);
        QCOMPARE(QCoreApplication::translate("ControlCommands", source).arg("x", "y"),
                 QStringLiteral("unknown key “x”; keys: y"));
    }

    // Widget faces name days and months through ICU in the interface's
    // language, with the translated pattern and words around them.
    void widgetFacesFollowTheLanguage_data()
    {
        QTest::addColumn<UiLanguage>("language");
        QTest::addColumn<QString>("dateLine");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QString>("monthYear");
        QTest::addColumn<QString>("daysLeft");
        QTest::newRow("English") << UiLanguage::English << "Sunday, December 6"
                                 << "SUNDAY"
                                 << "December 2026"
                                 << "26 days left";
        QTest::newRow("French") << UiLanguage::French << "Dimanche 6 Décembre"
                                << "DIMANCHE"
                                << "Décembre 2026"
                                << "26 jours restants";
    }

    void widgetFacesFollowTheLanguage()
    {
        QFETCH(UiLanguage, language);
        Translations::apply(language);
        const WidgetCalendar calendar(QStringLiteral("fr_FR"), QStringLiteral("Europe/Paris"));
        const QDateTime noon(QDate(2026, 12, 6), QTime(12, 0), QTimeZone("Europe/Paris"));
        QTEST(WidgetFaceContent::clock(noon, calendar, true).dateLine, "dateLine");
        const auto date = WidgetFaceContent::date(noon, calendar);
        QTEST(date.weekday, "weekday");
        QTEST(date.monthYear, "monthYear");
        QTEST(WidgetFaceContent::newYear(noon, calendar).daysLine, "daysLeft");
    }
};

QTEST_GUILESS_MAIN(TstTranslations)
#include "tst_translations.moc"
