#include "FolderIconTestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace nivora::test;

namespace {

struct Result
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TestFolderIconCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("NIVORA_BINARY")), "NIVORA_BINARY is not built");
        QVERIFY(m_root.isValid());
        // gvfs keeps metadata under the data home of the process that writes
        // it; gio must look in the same place.
        qputenv("XDG_DATA_HOME", QDir(m_root.path()).filePath(QStringLiteral("data")).toUtf8());
        if (!hasSessionBus())
            QSKIP("needs a session bus with gvfs (run under scripts/with-display)");
        for (const QString& name : {QStringLiteral("Photos"), QStringLiteral("Films")})
            QVERIFY(QDir(m_root.path()).mkdir(name));
    }

    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");

        QTest::newRow("pattern on two") << QStringList{"apply", "--pattern", "Pois", "Photos", "Films"} << 0
                                        << "Icône appliquée à 2 dossiers ✓\n"
                                        << "";
        QTest::newRow("name in any case")
            << QStringList{"apply", "--pattern", "pois", "Photos"} << 0 << "Icône appliquée ✓\n"
            << "";
        QTest::newRow("one missing") << QStringList{"apply", "--pattern", "Pois", "Photos", "Absent"} << 1
                                     << "Icône appliquée à 1 dossier sur 2 — échec pour « Absent »\n"
                                     << "Absent : dossier introuvable\n";
        QTest::newRow("image") << QStringList{"apply", "--image", "image.png", "Films"} << 0
                               << "Icône appliquée ✓\n"
                               << "";
        QTest::newRow("unreadable image") << QStringList{"apply", "--image", "notes.txt", "Films"} << 1
                                          << "Image illisible : « notes.txt »\n"
                                          << "";
        QTest::newRow("reset")
            << QStringList{"reset", "Photos", "Films"} << 0
            << "Icônes d'origine restaurées ✓ (relance le gestionnaire de fichiers si besoin)\n"
            << "";
        QTest::newRow("reset a file")
            << QStringList{"reset", "notes.txt"} << 1 << "Impossible de restaurer l'icône de « notes.txt »\n"
            << "notes.txt : ce n'est pas un dossier\n";
        QTest::newRow("unknown pattern") << QStringList{"apply", "--pattern", "Plaid", "Photos"} << 2 << ""
                                         << "Confettis";
        QTest::newRow("both sources")
            << QStringList{"apply", "--pattern", "Pois", "--image", "image.png", "Photos"} << 2 << ""
            << "either";
        QTest::newRow("no source") << QStringList{"apply", "Photos"} << 2 << ""
                                   << "either";
        QTest::newRow("no folder") << QStringList{"reset"} << 2 << ""
                                   << "at least one folder";
        QTest::newRow("unknown action") << QStringList{"paint", "Photos"} << 2 << ""
                                        << "unknown action";
    }

    void exitStatuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QFile notes(QDir(m_root.path()).filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("du texte");
        notes.close();
        QImage image(50, 80, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QDir(m_root.path()).filePath(QStringLiteral("image.png"))));

        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_root.path());
        process.start(qEnvironmentVariable("NIVORA_BINARY"),
                      QStringList{QStringLiteral("folder-icon")} + args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        const QString stdoutText = QString::fromUtf8(process.readAllStandardOutput());
        const QString stderrText = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(process.exitCode() == status, qPrintable(stdoutText + stderrText));
        if (status == 2) {
            QVERIFY2(stderrText.contains(err), qPrintable(stderrText));
            QVERIFY(stdoutText.isEmpty());
        } else {
            QCOMPARE(stdoutText, out);
            QCOMPARE(stderrText, err);
        }
    }

    // The command leaves gio with the icon of the file it wrote.
    void iconVisibleToGio()
    {
        const QString photos = QDir(m_root.path()).filePath(QStringLiteral("Photos"));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        process.setProcessEnvironment(env);
        process.start(qEnvironmentVariable("NIVORA_BINARY"),
                      {QStringLiteral("folder-icon"), QStringLiteral("apply"), QStringLiteral("--pattern"),
                       QStringLiteral("Étoiles"), photos});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QString uri = gioCustomIcon(photos);
        QVERIFY2(uri.startsWith(QStringLiteral("file://") + m_root.path() +
                                QStringLiteral("/data/nivora/folder-icons/")),
                 qPrintable(uri));
        QCOMPARE(QImage(QUrl(uri).toLocalFile()).size(), QSize(1024, 1024));
    }

private:
    QTemporaryDir m_root;
};

QTEST_GUILESS_MAIN(TestFolderIconCommand)
#include "tst_folder_icon_command.moc"
