#include "model/DesktopEntryText.h"

#include <QTest>

using namespace nivora;

// The one escaping of desktop entry values, which the login item and the KDE
// folder icon both write and read back.
class TstDesktopEntryText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapesWhatTheFormatReserves()
    {
        QCOMPARE(DesktopEntryText::escape(QStringLiteral(" a b\\c\nd\te\r")),
                 QStringLiteral("\\sa b\\\\c\\nd\\te\\r"));
        // Only a leading space needs \s; the others are plain.
        QCOMPARE(DesktopEntryText::escape(QStringLiteral("a  b")), QStringLiteral("a  b"));
    }

    void readsBackWhatItWrites_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("leading space and backslashes") << QStringLiteral(" /home/me/a\\\\b");
        QTest::newRow("line breaks and tabs") << QStringLiteral("/tmp/x\ny\tz\r");
        QTest::newRow("escape-like text") << QStringLiteral("\\s\\n literal");
        QTest::newRow("non-ASCII") << QStringLiteral("/home/zoé/Images/été.png");
    }

    void readsBackWhatItWrites()
    {
        QFETCH(QString, value);
        QCOMPARE(DesktopEntryText::unescape(DesktopEntryText::escape(value)), value);
    }

    void aTrailingBackslashStays()
    {
        QCOMPARE(DesktopEntryText::unescape(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
    }

    void quotesAnExecArgumentOnlyWhenItMust()
    {
        QCOMPARE(DesktopEntryText::quoteExecArgument(QStringLiteral("/usr/bin/nivora")),
                 QStringLiteral("/usr/bin/nivora"));
        QCOMPARE(DesktopEntryText::quoteExecArgument(QStringLiteral("/opt/my apps/$x`y\"\\nivora")),
                 QStringLiteral("\"/opt/my apps/\\$x\\`y\\\"\\\\nivora\""));
        // Quoted and then escaped as a string value, a backslash doubles twice.
        QCOMPARE(DesktopEntryText::escape(DesktopEntryText::quoteExecArgument(QStringLiteral("/a b\\c"))),
                 QStringLiteral("\"/a b\\\\\\\\c\""));
    }
};

QTEST_APPLESS_MAIN(TstDesktopEntryText)
#include "tst_desktop_entry_text.moc"
