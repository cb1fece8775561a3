#include "icons/FolderIconReport.h"

#include <QTest>

using namespace nivora;

class TestFolderIconReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the operation, the folders as "path:ok", "path:fail" or
    // "path:same" (a reset found none of our icons there), the expected
    // message. Only folders that really changed are counted.
    void message_data()
    {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("color");

        QTest::newRow("one applied") << true << QStringList{"/h/Photos:ok"} << "Icône appliquée ✓"
                                     << "green";
        QTest::newRow("four applied")
            << true << QStringList{"/a:ok", "/b:ok", "/c:ok", "/d:ok"} << "Icône appliquée à 4 dossiers ✓"
            << "green";
        QTest::newRow("two of three") << true << QStringList{"/h/A:ok", "/h/Photos:fail", "/h/B:ok"}
                                      << "Icône appliquée à 2 dossiers sur 3 — échec pour « Photos »"
                                      << "coral";
        QTest::newRow("one of three") << true << QStringList{"/h/A:fail", "/h/B:ok", "/h/C:fail"}
                                      << "Icône appliquée à 1 dossier sur 3 — échec pour « A » et « C »"
                                      << "coral";
        QTest::newRow("names capped at three")
            << true << QStringList{"/a:ok", "/x/A:fail", "/x/B:fail", "/x/C:fail", "/x/D:fail", "/x/E/:fail"}
            << "Icône appliquée à 1 dossier sur 6 — échec pour « A », « B », « C » et 2 autres"
            << "coral";
        QTest::newRow("one other")
            << true << QStringList{"/a:ok", "/x/A:fail", "/x/B:fail", "/x/C:fail", "/x/D:fail"}
            << "Icône appliquée à 1 dossier sur 5 — échec pour « A », « B », « C » et 1 autre"
            << "coral";
        QTest::newRow("the only one failed")
            << true << QStringList{"/h/Photos/:fail"} << "Impossible de changer l'icône de « Photos »"
            << "coral";
        QTest::newRow("all three failed") << true << QStringList{"/a:fail", "/b:fail", "/c:fail"}
                                          << "Impossible de changer l'icône de ces 3 dossiers"
                                          << "coral";
        QTest::newRow("reset all")
            << false << QStringList{"/a:ok", "/b:ok"}
            << "Icônes d'origine restaurées ✓ (relance le gestionnaire de fichiers si besoin)"
            << "green";
        QTest::newRow("reset partial")
            << false << QStringList{"/h/Photos:fail", "/a:ok", "/b:ok"}
            << "Icônes d'origine restaurées pour 2 dossiers sur 3 — échec pour « Photos »"
            << "coral";
        QTest::newRow("reset one failed")
            << false << QStringList{"/h/Photos:fail"} << "Impossible de restaurer l'icône de « Photos »"
            << "coral";
        QTest::newRow("reset all failed") << false << QStringList{"/a:fail", "/b:fail", "/c:fail"}
                                          << "Impossible de restaurer l'icône de ces 3 dossiers"
                                          << "coral";
        QTest::newRow("reset, nothing of ours") << false << QStringList{"/h/Photos:same"}
                                                << "Rien à restaurer : « Photos » n'a pas d'icône de Nivora"
                                                << "inkSoft";
        QTest::newRow("reset, nothing of ours on two")
            << false << QStringList{"/a:same", "/b:same"}
            << "Rien à restaurer : ces 2 dossiers n'ont pas d'icône de Nivora"
            << "inkSoft";
        QTest::newRow("reset, one of two")
            << false << QStringList{"/a:ok", "/h/Photos:same"}
            << "Icônes d'origine restaurées pour 1 dossier sur 2 — rien à restaurer pour « Photos »"
            << "inkSoft";
        QTest::newRow("reset, one of each") << false << QStringList{"/h/A:same", "/h/B:fail", "/h/C:ok"}
                                            << "Icônes d'origine restaurées pour 1 dossier sur 3 — échec "
                                               "pour « B » — rien à restaurer pour « A »"
                                            << "coral";
        QTest::newRow("reset, none restored") << false << QStringList{"/h/A:same", "/h/B:fail"}
                                              << "Échec pour « B » — rien à restaurer pour « A »"
                                              << "coral";
        QTest::newRow("root folder") << true << QStringList{"/:fail"}
                                     << "Impossible de changer l'icône de « / »"
                                     << "coral";
    }

    void message()
    {
        QFETCH(bool, apply);
        QFETCH(QStringList, folders);
        QFETCH(QString, message);
        QFETCH(QString, color);

        using Status = FolderIconReport::Status;
        FolderIconReport report(apply ? FolderIconReport::Operation::Apply
                                      : FolderIconReport::Operation::Reset);
        int failures = 0;
        for (const QString& folder : folders) {
            const qsizetype colon = folder.lastIndexOf(QLatin1Char(':'));
            const QString outcome = folder.mid(colon + 1);
            const Status status = outcome == QLatin1String("ok")     ? Status::Changed
                                  : outcome == QLatin1String("same") ? Status::Unchanged
                                                                     : Status::Failed;
            failures += status == Status::Failed ? 1 : 0;
            report.add(folder.left(colon), {status, QStringLiteral("raison")});
        }
        QCOMPARE(report.message(), message);
        using Tone = FolderIconReport::Tone;
        const Tone expected = color == QLatin1String("green")   ? Tone::Success
                              : color == QLatin1String("coral") ? Tone::Failure
                                                                : Tone::Partial;
        QCOMPARE(report.messageTone(), expected);
        QCOMPARE(report.allSucceeded(), color == QLatin1String("green"));
        QCOMPARE(report.failed(), failures);
    }

    void unreadableImage()
    {
        QCOMPARE(FolderIconReport::unreadableImageMessage(QStringLiteral("/tmp/x/vacances été.jpg")),
                 QStringLiteral("Image illisible : « vacances été.jpg »"));
    }
};

QTEST_GUILESS_MAIN(TestFolderIconReport)
#include "tst_folder_icon_report.moc"
