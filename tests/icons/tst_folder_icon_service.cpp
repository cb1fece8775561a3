#include "FolderIconTestSupport.h"
#include "icons/FolderIconService.h"
#include "icons/FolderPattern.h"
#include "icons/PatternFolderImage.h"
#include "platform/freedesktop/DesktopFolderIconStore.h"
#include "platform/freedesktop/GioCustomIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;
using namespace nivora::test;

namespace {

const FolderPattern& preset(const QString& name)
{
    for (const FolderPattern& pattern : FolderPattern::all()) {
        if (pattern.name() == name)
            return pattern;
    }
    qFatal("no preset %s", qPrintable(name));
}

std::unique_ptr<FolderIconStore> desktopStore(bool kde)
{
    return std::make_unique<DesktopFolderIconStore>(kde, FolderIconService::iconDirectory(),
                                                    FolderIconService::originalsFile());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestFolderIconService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_home.isValid());
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        if (!hasSessionBus())
            QSKIP("needs a session bus with gvfs (run under scripts/with-display)");
    }

    void init()
    {
        QDir(FolderIconService::iconDirectory()).removeRecursively();
        QFile::remove(FolderIconService::originalsFile());
    }

    // The written icon: 1024 × 1024, transparent outside the folder, and
    // inside it the folder with the pattern over it at 60 %.
    void iconIsPatternOnFolderShape()
    {
        FolderIconService service;
        const FolderPattern& pattern = preset(QStringLiteral("Rayures"));
        const QImage icon = service.renderPattern(pattern);
        QCOMPARE(icon.size(), QSize(1024, 1024));
        const QImage folder = service.folderImage(1024).convertToFormat(QImage::Format_ARGB32);
        const QImage bare =
            PatternFolderImage::renderPattern(pattern, 1024).convertToFormat(QImage::Format_ARGB32);
        const QImage written = icon.convertToFormat(QImage::Format_ARGB32);

        for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 1023), QPoint(1023, 1023)})
            QCOMPARE(qAlpha(written.pixel(corner)), 0);
        int inside = 0;
        for (int y = 8; y < 1024; y += 61) {
            for (int x = 8; x < 1024; x += 61) {
                const QRgb f = folder.pixel(x, y);
                const QRgb w = written.pixel(x, y);
                if (qAlpha(f) == 0) {
                    QCOMPARE(qAlpha(w), 0);
                    continue;
                }
                if (qAlpha(f) < 255)
                    continue;
                ++inside;
                const QRgb p = bare.pixel(x, y);
                QCOMPARE(qAlpha(w), 255);
                QVERIFY2(qAbs(qRed(w) - (0.4 * qRed(f) + 0.6 * qRed(p))) <= 3 &&
                             qAbs(qGreen(w) - (0.4 * qGreen(f) + 0.6 * qGreen(p))) <= 3 &&
                             qAbs(qBlue(w) - (0.4 * qBlue(f) + 0.6 * qBlue(p))) <= 3,
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY2(inside > 50, "the folder silhouette covers most of the icon");
    }

    // Three folders get the same file, and gio reads the icon back; a reset
    // takes it away again. The same pattern later reuses the file.
    void applyAndResetThroughGio()
    {
        QTemporaryDir root;
        QStringList folders;
        for (const QString& name :
             {QStringLiteral("Photos"), QStringLiteral("Musique"), QStringLiteral("été 2024")}) {
            QVERIFY(QDir(root.path()).mkdir(name));
            folders << QDir(root.path()).filePath(name);
        }
        FolderIconService service(desktopStore(false));
        const FolderPattern& pattern = preset(QStringLiteral("Pois"));
        const FolderIconReport applied = service.apply(service.renderPattern(pattern), folders);
        QCOMPARE(applied.message(), QStringLiteral("Icône appliquée à 3 dossiers ✓"));

        const QStringList files = QDir(FolderIconService::iconDirectory()).entryList(QDir::Files);
        QCOMPARE(files.size(), 1);
        const QString iconFile = QDir(FolderIconService::iconDirectory()).filePath(files.first());
        QCOMPARE(QImage(iconFile).size(), QSize(1024, 1024));
        for (const QString& folder : folders) {
            QCOMPARE(gioCustomIcon(folder), GioCustomIcon::uriOf(iconFile));
            QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral(".directory"))));
        }

        service.apply(service.renderPattern(pattern), folders.mid(0, 1));
        QCOMPARE(QDir(FolderIconService::iconDirectory()).entryList(QDir::Files), files);

        const FolderIconReport reset = service.reset(folders);
        QVERIFY(reset.allSucceeded());
        for (const QString& folder : folders)
            QCOMPARE(gioCustomIcon(folder), QString());
    }

    // In a KDE session the `.directory` gets `Icon=`; everything else in it
    // survives apply and reset; a folder that refuses the file is reported as
    // failed and keeps its old icon everywhere.
    void kdeDirectoryFile()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString& name :
             {QStringLiteral("Projets"), QStringLiteral("Vide"), QStringLiteral("Verrouillé")})
            QVERIFY(dir.mkdir(name));
        const QString projets = dir.filePath(QStringLiteral("Projets"));
        const QString vide = dir.filePath(QStringLiteral("Vide"));
        const QString locked = dir.filePath(QStringLiteral("Verrouillé"));
        const QByteArray original =
            "# made by Dolphin\n[Desktop Entry]\nIcon[fr]=folder-blue\nType=Directory\n\n"
            "[Dolphin]\nViewMode=1\nIcon=keep-me\n";
        writeAll(QDir(projets).filePath(QStringLiteral(".directory")), original);

        FolderIconService service(desktopStore(true));
        const bool canLock = makeUnwritable(locked);
        const FolderIconReport applied =
            service.apply(service.renderPattern(preset(QStringLiteral("Damier"))), {projets, vide, locked});
        makeWritable(locked);
        const QString iconFile =
            QDir(FolderIconService::iconDirectory())
                .filePath(QDir(FolderIconService::iconDirectory()).entryList(QDir::Files).first());

        const QByteArray written = readAll(QDir(projets).filePath(QStringLiteral(".directory")));
        QCOMPARE(written,
                 "# made by Dolphin\n[Desktop Entry]\nIcon=" + iconFile.toUtf8() +
                     "\nIcon[fr]=folder-blue\nType=Directory\n\n[Dolphin]\nViewMode=1\nIcon=keep-me\n");
        QCOMPARE(readAll(QDir(vide).filePath(QStringLiteral(".directory"))),
                 "[Desktop Entry]\nIcon=" + iconFile.toUtf8() + "\n");
        QCOMPARE(gioCustomIcon(projets), GioCustomIcon::uriOf(iconFile));
        if (canLock) {
            QCOMPARE(applied.succeeded(), 2);
            QCOMPARE(applied.entries().at(2).status, FolderIconReport::Status::Failed);
            QVERIFY(applied.entries().at(2).reason.contains(QStringLiteral(".directory")));
            QCOMPARE(applied.message(),
                     QStringLiteral("Icône appliquée à 2 dossiers sur 3 — échec pour « Verrouillé »"));
            QCOMPARE(gioCustomIcon(locked), QString());
        }

        const FolderIconReport reset = service.reset({projets, vide});
        QVERIFY(reset.allSucceeded());
        QCOMPARE(readAll(QDir(projets).filePath(QStringLiteral(".directory"))),
                 QByteArray("# made by Dolphin\n[Desktop Entry]\nIcon[fr]=folder-blue\nType=Directory\n\n"
                            "[Dolphin]\nViewMode=1\nIcon=keep-me\n"));
        QVERIFY(!QFile::exists(QDir(vide).filePath(QStringLiteral(".directory"))));
        QCOMPARE(gioCustomIcon(projets), QString());
        if (!canLock)
            QSKIP("this folder cannot be made unwritable here (root without chattr)");
    }

    // An icon the user had, set with another program, comes back on reset,
    // also after Nivora changed the folder twice and from another process (a
    // new service); a folder never touched, or whose icon the user changed
    // since, is left alone and counted apart.
    void ownIconsComeBack()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString& name : {QStringLiteral("Perso"), QStringLiteral("Nu"), QStringLiteral("Autre")})
            QVERIFY(dir.mkdir(name));
        const QString perso = dir.filePath(QStringLiteral("Perso"));
        const QString nu = dir.filePath(QStringLiteral("Nu"));
        const QString autre = dir.filePath(QStringLiteral("Autre"));
        const QString mine = QStringLiteral("file:///usr/share/icons/mine/soleil.png");
        const QString theirs = QStringLiteral("file:///usr/share/icons/other/lune.png");
        QVERIFY(setGioCustomIcon(perso, mine));
        QVERIFY(setGioCustomIcon(autre, theirs));
        QCOMPARE(gioCustomIcon(perso), mine);

        {
            FolderIconService service(desktopStore(false));
            QVERIFY(service.apply(service.renderPattern(preset(QStringLiteral("Pois"))), {perso, nu})
                        .allSucceeded());
            QVERIFY(service.apply(service.renderPattern(preset(QStringLiteral("Damier"))), {perso})
                        .allSucceeded());
            QVERIFY(
                gioCustomIcon(perso).startsWith(GioCustomIcon::uriOf(FolderIconService::iconDirectory())));
            QVERIFY(QFile::exists(FolderIconService::originalsFile()));
        }
        FolderIconService service(desktopStore(false));
        const FolderIconReport reset = service.reset({perso, nu, autre});
        QCOMPARE(reset.message(),
                 QStringLiteral(
                     "Icônes d'origine restaurées pour 2 dossiers sur 3 — rien à restaurer pour « Autre »"));
        QCOMPARE(gioCustomIcon(perso), mine);
        QCOMPARE(gioCustomIcon(nu), QString());
        QCOMPARE(gioCustomIcon(autre), theirs);
        QCOMPARE(service.reset({perso}).message(),
                 QStringLiteral("Rien à restaurer : « Perso » n'a pas d'icône de Nivora"));
        QCOMPARE(gioCustomIcon(perso), mine);

        // The user replaces our icon: a reset keeps theirs.
        QVERIFY(service.apply(service.renderPattern(preset(QStringLiteral("Pois"))), {nu}).allSucceeded());
        QVERIFY(setGioCustomIcon(nu, theirs));
        QCOMPARE(service.reset({nu}).unchanged(), 1);
        QCOMPARE(gioCustomIcon(nu), theirs);
        QVERIFY(!QFile::exists(FolderIconService::originalsFile()));
    }

    // Dolphin's files as KConfig reads them: CRLF line ends stay CRLF, the last
    // `Icon` of two `[Desktop Entry]` groups is the one replaced, a file
    // without a final line end keeps its lines. Reset gives every file back
    // byte for byte, the user's icon included, even one ending in a space or
    // an empty one. A key above every group belongs to none: the new group
    // must not take it in.
    void directoryFilesKeepTheirBytes()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        const QList<std::pair<QString, QByteArray>> files{
            {QStringLiteral("Windows"),
             "[Desktop Entry]\r\nIcon=folder-red\r\nType=Directory\r\n\r\n[Dolphin]\r\nTimestamp=1\r\n"},
            {QStringLiteral("Deux groupes"),
             "[Desktop Entry]\nIcon=folder-old\n\n[Dolphin]\nViewMode=1\n\n[Desktop "
             "Entry]\nIcon=folder-green\n"
             "Type=Directory\n"},
            {QStringLiteral("Sans icône"), "[Dolphin]\r\nViewMode=1"},
            {QStringLiteral("Espace finale"), "[Desktop Entry]\nIcon=folder\\s\n"},
            {QStringLiteral("Hors groupe"), "Icon=hors-groupe\n[Dolphin]\nViewMode=1\n"},
            {QStringLiteral("Icône vide"), "[Desktop Entry]\nIcon=\nType=Directory\n"},
        };
        QStringList folders;
        for (const auto& [name, bytes] : files) {
            QVERIFY(dir.mkdir(name));
            folders << dir.filePath(name);
            writeAll(QDir(folders.last()).filePath(QStringLiteral(".directory")), bytes);
        }
        FolderIconService service(desktopStore(true));
        QVERIFY(
            service.apply(service.renderPattern(preset(QStringLiteral("Damier"))), folders).allSucceeded());
        const QByteArray icon =
            QDir(FolderIconService::iconDirectory())
                .filePath(QDir(FolderIconService::iconDirectory()).entryList(QDir::Files).first())
                .toUtf8();
        const auto directory = [&](int i) {
            return readAll(QDir(folders.at(i)).filePath(QStringLiteral(".directory")));
        };
        QCOMPARE(directory(0), "[Desktop Entry]\r\nIcon=" + icon +
                                   "\r\nType=Directory\r\n\r\n[Dolphin]\r\nTimestamp=1\r\n");
        QCOMPARE(directory(1),
                 "[Desktop Entry]\nIcon=folder-old\n\n[Dolphin]\nViewMode=1\n\n[Desktop Entry]\nIcon=" +
                     icon + "\nType=Directory\n");
        QCOMPARE(directory(2), "[Desktop Entry]\r\nIcon=" + icon + "\r\n\r\n[Dolphin]\r\nViewMode=1");
        QCOMPARE(directory(3), "[Desktop Entry]\nIcon=" + icon + "\n");
        QCOMPARE(directory(4),
                 "Icon=hors-groupe\n[Desktop Entry]\nIcon=" + icon + "\n\n[Dolphin]\nViewMode=1\n");
        QCOMPARE(directory(5), "[Desktop Entry]\nIcon=" + icon + "\nType=Directory\n");

        QVERIFY(service.reset(folders).allSucceeded());
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(directory(i), files.at(i).second);
    }

    void missingPathsAndFilesFail()
    {
        QTemporaryDir root;
        const QString file = QDir(root.path()).filePath(QStringLiteral("notes.txt"));
        writeAll(file, "x");
        const QString missing = QDir(root.path()).filePath(QStringLiteral("Absent"));
        FolderIconService service(desktopStore(true));
        const FolderIconReport applied =
            service.apply(service.renderPattern(preset(QStringLiteral("Pois"))), {missing, file});
        QCOMPARE(applied.succeeded(), 0);
        QCOMPARE(applied.entries().at(0).reason, QStringLiteral("dossier introuvable"));
        QCOMPARE(applied.entries().at(1).reason, QStringLiteral("ce n'est pas un dossier"));
        QCOMPARE(applied.message(), QStringLiteral("Impossible de changer l'icône de ces 2 dossiers"));
        QCOMPARE(gioCustomIcon(file), QString());
        QCOMPARE(readAll(file), QByteArray("x"));
        QCOMPARE(service.reset({missing}).message(),
                 QStringLiteral("Impossible de restaurer l'icône de « Absent »"));
    }

    // A user image: fitted into the square keeping its aspect; a bomb or a
    // truncated file is refused with the message and nothing is made.
    void importedImages()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        QImage wide(400, 100, QImage::Format_RGB32);
        wide.fill(QColor(10, 200, 30));
        QVERIFY(wide.save(dir.filePath(QStringLiteral("wide.png"))));
        const FolderIconService::ImportedImage fitted =
            FolderIconService::importImage(dir.filePath(QStringLiteral("wide.png")));
        QVERIFY(fitted.error.isEmpty());
        QCOMPARE(fitted.image.size(), QSize(1024, 1024));
        QCOMPARE(qAlpha(fitted.image.pixel(512, 100)), 0);
        QCOMPARE(fitted.image.pixelColor(512, 512), QColor(10, 200, 30));
        QCOMPARE(fitted.image.pixelColor(2, 512), QColor(10, 200, 30));

        writeAll(dir.filePath(QStringLiteral("bomb.png")), pngClaiming(60000, 60000));
        QByteArray complete;
        {
            QImage big(300, 300, QImage::Format_RGB32);
            for (int y = 0; y < 300; ++y)
                for (int x = 0; x < 300; ++x)
                    big.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
            QVERIFY(big.save(dir.filePath(QStringLiteral("full.png"))));
            complete = readAll(dir.filePath(QStringLiteral("full.png")));
        }
        writeAll(dir.filePath(QStringLiteral("coupée.png")), complete.left(complete.size() / 2));
        writeAll(dir.filePath(QStringLiteral("texte.png")), "bonjour");
        for (const QString& name : {QStringLiteral("bomb.png"), QStringLiteral("coupée.png"),
                                    QStringLiteral("absente.png"), QStringLiteral("texte.png")}) {
            const FolderIconService::ImportedImage refused =
                FolderIconService::importImage(dir.filePath(name));
            QVERIFY2(refused.image.isNull(), qPrintable(name));
            QCOMPARE(refused.error, QStringLiteral("Image illisible : « %1 »").arg(name));
        }
    }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_home;
};

QTEST_MAIN(TestFolderIconService)
#include "tst_folder_icon_service.moc"
