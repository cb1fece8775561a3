#include "design/Theme.h"
#include "icons/FolderIconReport.h"

#include <QTest>

using namespace nivora;

class TestFolderIconReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the operation, the folders as "path:ok" or "path:fail", the
    // expected message. Only folders that really changed are counted.
    void message_data()
    {
        QTest::addColumn<bool>("apply");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("green");

        QTest::newRow("one applied") << true << QStringList{"/h/Photos:ok"} << "Icône appliquée ✓" << true;
        QTest::newRow("four applied") << true << QStringList{"/a:ok", "/b:ok", "/c:ok", "/d:ok"}
                                      << "Icône appliquée à 4 dossiers ✓" << true;
        QTest::newRow("two of three")
            << true << QStringList{"/h/A:ok", "/h/Photos:fail", "/h/B:ok"}
            << "Icône appliquée à 2 dossiers sur 3 — échec pour « Photos »" << false;
        QTest::newRow("one of three")
            << true << QStringList{"/h/A:fail", "/h/B:ok", "/h/C:fail"}
            << "Icône appliquée à 1 dossier sur 3 — échec pour « A » et « C »" << false;
        QTest::newRow("names capped at three")
            << true << QStringList{"/a:ok", "/x/A:fail", "/x/B:fail", "/x/C:fail", "/x/D:fail", "/x/E/:fail"}
            << "Icône appliquée à 1 dossier sur 6 — échec pour « A », « B », « C » et 2 autres" << false;
        QTest::newRow("one other")
            << true << QStringList{"/a:ok", "/x/A:fail", "/x/B:fail", "/x/C:fail", "/x/D:fail"}
            << "Icône appliquée à 1 dossier sur 5 — échec pour « A », « B », « C » et 1 autre" << false;
        QTest::newRow("the only one failed") << true << QStringList{"/h/Photos/:fail"}
                                             << "Impossible de changer l'icône de « Photos »" << false;
        QTest::newRow("all three failed") << true << QStringList{"/a:fail", "/b:fail", "/c:fail"}
                                          << "Impossible de changer l'icône de ces 3 dossiers" << false;
        QTest::newRow("reset all")
            << false << QStringList{"/a:ok", "/b:ok"}
            << "Icônes d'origine restaurées ✓ (relance le gestionnaire de fichiers si besoin)" << true;
        QTest::newRow("reset partial")
            << false << QStringList{"/h/Photos:fail", "/a:ok", "/b:ok"}
            << "Icônes d'origine restaurées pour 2 dossiers sur 3 — échec pour « Photos »" << false;
        QTest::newRow("reset one failed") << false << QStringList{"/h/Photos:fail"}
                                          << "Impossible de restaurer l'icône de « Photos »" << false;
        QTest::newRow("reset all failed") << false << QStringList{"/a:fail", "/b:fail", "/c:fail"}
                                          << "Impossible de restaurer l'icône de ces 3 dossiers" << false;
        QTest::newRow("root folder") << true << QStringList{"/:fail"}
                                     << "Impossible de changer l'icône de « / »" << false;
    }

    void message()
    {
        QFETCH(bool, apply);
        QFETCH(QStringList, folders);
        QFETCH(QString, message);
        QFETCH(bool, green);

        FolderIconReport report(apply ? FolderIconReport::Operation::Apply
                                      : FolderIconReport::Operation::Reset);
        for (const QString& folder : folders) {
            const qsizetype colon = folder.lastIndexOf(QLatin1Char(':'));
            report.add(folder.left(colon), folder.mid(colon + 1) == QLatin1String("ok"),
                       QStringLiteral("raison"));
        }
        QCOMPARE(report.message(), message);
        QCOMPARE(report.messageColor(), green ? Theme::green() : Theme::coral());
        QCOMPARE(report.allSucceeded(), green);
    }

    void unreadableImage()
    {
        QCOMPARE(FolderIconReport::unreadableImageMessage(QStringLiteral("/tmp/x/vacances été.jpg")),
                 QStringLiteral("Image illisible : « vacances été.jpg »"));
    }
};

QTEST_GUILESS_MAIN(TestFolderIconReport)
#include "tst_folder_icon_report.moc"
