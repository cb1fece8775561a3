#include "model/UiLanguage.h"

#include <QMap>
#include <QTest>

using namespace nivora;

Q_DECLARE_METATYPE(nivora::UiLanguage)

// Which language the interface speaks, from the locale variables and the
// `language` setting.
class TstUiLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resolution_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<UiLanguage>("expected");

        const auto fr = UiLanguage::French;
        const auto en = UiLanguage::English;
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "auto" << en;
        QTest::newRow("French LANG") << ""
                                     << ""
                                     << ""
                                     << "fr_FR.UTF-8"
                                     << "auto" << fr;
        QTest::newRow("English LANG") << ""
                                      << ""
                                      << ""
                                      << "en_US.UTF-8"
                                      << "auto" << en;
        QTest::newRow("Canadian French") << ""
                                         << ""
                                         << ""
                                         << "fr_CA.UTF-8"
                                         << "auto" << fr;
        QTest::newRow("modifier") << ""
                                  << ""
                                  << ""
                                  << "fr_FR@euro"
                                  << "auto" << fr;
        QTest::newRow("German falls back to English") << ""
                                                      << ""
                                                      << ""
                                                      << "de_DE.UTF-8"
                                                      << "auto" << en;
        QTest::newRow("C locale") << ""
                                  << ""
                                  << ""
                                  << "C.UTF-8"
                                  << "auto" << en;
        QTest::newRow("LC_MESSAGES over LANG") << ""
                                               << ""
                                               << "en_GB.UTF-8"
                                               << "fr_FR.UTF-8"
                                               << "auto" << en;
        QTest::newRow("LC_ALL over LC_MESSAGES") << ""
                                                 << "fr_BE.UTF-8"
                                                 << "en_GB.UTF-8"
                                                 << "en_US.UTF-8"
                                                 << "auto" << fr;
        QTest::newRow("LANGUAGE over LC_ALL") << "en"
                                              << "fr_FR.UTF-8"
                                              << ""
                                              << "fr_FR.UTF-8"
                                              << "auto" << en;
        QTest::newRow("LANGUAGE French over English LANG") << "fr"
                                                           << ""
                                                           << ""
                                                           << "en_US.UTF-8"
                                                           << "auto" << fr;
        QTest::newRow("colon list, first known wins") << "de:fr:en"
                                                      << ""
                                                      << ""
                                                      << "en_US.UTF-8"
                                                      << "auto" << fr;
        QTest::newRow("colon list, English first") << "en_GB:fr"
                                                   << ""
                                                   << ""
                                                   << ""
                                                   << "auto" << en;
        QTest::newRow("colon list of unknowns") << "de:it"
                                                << ""
                                                << ""
                                                << "fr_FR.UTF-8"
                                                << "auto" << en;
        QTest::newRow("empty entries skipped") << ":fr_FR:"
                                               << ""
                                               << ""
                                               << ""
                                               << "auto" << fr;
        QTest::newRow("whitespace is unset") << "  "
                                             << ""
                                             << ""
                                             << "fr_FR.UTF-8"
                                             << "auto" << fr;
        QTest::newRow("setting French on English system") << "en"
                                                          << ""
                                                          << ""
                                                          << "en_US.UTF-8"
                                                          << "fr" << fr;
        QTest::newRow("setting English on French system") << "fr"
                                                          << ""
                                                          << ""
                                                          << "fr_FR.UTF-8"
                                                          << "en" << en;
        QTest::newRow("unknown setting follows system") << ""
                                                        << ""
                                                        << ""
                                                        << "fr_FR.UTF-8"
                                                        << "de" << fr;
    }

    void resolution()
    {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(QString, setting);
        QFETCH(UiLanguage, expected);
        const QMap<QByteArray, QString> environment{
            {"LANGUAGE", language}, {"LC_ALL", lcAll}, {"LC_MESSAGES", lcMessages}, {"LANG", lang}};
        const UiLanguage system =
            UiLanguages::fromEnvironment([&](const char* name) { return environment.value(name); });
        QCOMPARE(UiLanguages::resolve(setting, system), expected);
    }
};

QTEST_APPLESS_MAIN(TstUiLanguage)
#include "tst_ui_language.moc"
