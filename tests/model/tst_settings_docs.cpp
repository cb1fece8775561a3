#include "model/SettingsSchema.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace nivora;

// The shell completion and the manual page list the settings keys for people;
// the schema is the list the program obeys. These checks hold the two written
// copies to the schema, and print the text to paste when they drift.
class TstSettingsDocs : public QObject
{
    Q_OBJECT

    static QString read(const QString& relative)
    {
        QFile file(QStringLiteral(NIVORA_SOURCE_DIR "/") + relative);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        return QString::fromUtf8(file.readAll());
    }

    static QStringList keysOfType(SettingsSchema::Type type)
    {
        QStringList out;
        for (const SettingsSchema::Setting& s : SettingsSchema::settings()) {
            if (s.type == type)
                out.append(s.key);
        }
        return out;
    }

    static QStringList words(const QString& text)
    {
        return text.split(QRegularExpression(QStringLiteral("[\\s|]+")), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void completionOffersTheSchemaKeys()
    {
        const QString bash = read(QStringLiteral("packaging/nivora.bash"));
        const auto keys = QRegularExpression(QStringLiteral("local keys=\"([^\"]*)\"")).match(bash);
        QVERIFY(keys.hasMatch());
        QVERIFY2(
            words(keys.captured(1)) == SettingsSchema::keys(),
            qPrintable(QStringLiteral("expected: local keys=\"%1\"").arg(SettingsSchema::keys().join(' '))));

        // After `--screen NAME`, only the keys a screen can have its own value for.
        const auto screenKeys =
            QRegularExpression(QStringLiteral("local screen_keys=\"([^\"]*)\"")).match(bash);
        QVERIFY(screenKeys.hasMatch());
        QVERIFY2(words(screenKeys.captured(1)) == SettingsSchema::screenKeys(),
                 qPrintable(QStringLiteral("expected: local screen_keys=\"%1\"")
                                .arg(SettingsSchema::screenKeys().join(' '))));

        // `ctl set KEY` completes true and false for every boolean, and the
        // allowed numbers of every choice.
        const auto booleans =
            QRegularExpression(
                QStringLiteral("\\n\\s*([\\w |]+)\\)\\s*\\n\\s*COMPREPLY=\\(\\$\\(compgen -W \"true false\""))
                .match(bash);
        QVERIFY(booleans.hasMatch());
        QStringList expectedBooleans = keysOfType(SettingsSchema::Type::Boolean);
        QVERIFY2(
            words(booleans.captured(1)) == expectedBooleans,
            qPrintable(QStringLiteral("expected: %1)").arg(expectedBooleans.join(QStringLiteral(" | ")))));
        for (const QString& key : keysOfType(SettingsSchema::Type::Choice)) {
            QStringList choices;
            for (qint64 c : SettingsSchema::get(key).choices)
                choices.append(QString::number(c));
            const QString line = QStringLiteral("%1) COMPREPLY=($(compgen -W \"%2\" -- \"$cur\")) ;;")
                                     .arg(key, choices.join(' '));
            QVERIFY2(bash.contains(line), qPrintable(QStringLiteral("expected: ") + line));
        }
    }

    void manualListsTheSchemaKeys()
    {
        const QString man = read(QStringLiteral("packaging/nivora.1.in"));
        const qsizetype start = man.indexOf(QStringLiteral("\n.B set\nare:\n"));
        const qsizetype end = man.indexOf(QStringLiteral(".SS \"nivora render\""));
        QVERIFY(start > 0 && end > start);
        QStringList expected;
        const QStringList keys = SettingsSchema::keys();
        for (qsizetype i = 0; i < keys.size(); ++i)
            expected.append(QStringLiteral(".BR %1 %2").arg(keys.at(i), i + 1 == keys.size() ? "." : ","));
        const QString block = man.mid(start + 13, end - start - 13).trimmed();
        QVERIFY2(block == expected.join('\n'),
                 qPrintable(QStringLiteral("expected:\n") + expected.join('\n')));

        // The per-screen commands name every key a screen can have its own value for.
        const qsizetype screenStart = man.indexOf(QStringLiteral("\\-\\-screen \" NAME"));
        const qsizetype screenEnd = man.indexOf(QStringLiteral(".BI \"set \\-\\-screen"));
        QVERIFY(screenStart > 0 && screenEnd > screenStart);
        QStringList named;
        const QRegularExpression bold(QStringLiteral("\\n\\.BR? (\\w+)"));
        for (auto it = bold.globalMatch(man.mid(screenStart, screenEnd - screenStart)); it.hasNext();)
            named.append(it.next().captured(1));
        QVERIFY2(named == SettingsSchema::screenKeys(), qPrintable(named.join(' ')));
    }
};

QTEST_APPLESS_MAIN(TstSettingsDocs)
#include "tst_settings_docs.moc"
