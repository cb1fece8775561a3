#include "FolderIconTestSupport.h"
#include "dashboard/FilePickers.h"
#include "dashboard/IconsPage.h"
#include "dashboard/PatternCell.h"
#include "design/Theme.h"
#include "icons/PatternFolderView.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;
using namespace nivora::test;

namespace {

// Answers the page's dialogs from queues, as a user would; an empty answer is
// a cancel.
class ScriptedPickers : public FilePickers
{
public:
    std::optional<QStringList> chooseFolders(QWidget*) override
    {
        ++folderDialogs;
        return folders.isEmpty() ? std::nullopt : folders.takeFirst();
    }
    std::optional<QString> chooseImage(QWidget*) override
    {
        ++imageDialogs;
        return images.isEmpty() ? std::nullopt : images.takeFirst();
    }
    std::optional<QString> chooseMedia(WallpaperMode, const QString&, QWidget*) override
    {
        QTest::qFail("the Icons page asked for a media file", __FILE__, __LINE__);
        return std::nullopt;
    }

    QList<std::optional<QStringList>> folders;
    QList<std::optional<QString>> images;
    int folderDialogs = 0;
    int imageDialogs = 0;
};

QAbstractButton* buttonNamed(const QWidget& page, const QString& text)
{
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestIconsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_root.isValid());
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        if (!hasSessionBus())
            QSKIP("needs a session bus with gvfs (run under scripts/with-display)");
        for (const QString& name :
             {QStringLiteral("Photos"), QStringLiteral("Musique"), QStringLiteral("Films")}) {
            QVERIFY(QDir(m_root.path()).mkdir(name));
            m_folders << QDir(m_root.path()).filePath(name);
        }
    }

    // With no folder: the summary says so, every cell is dimmed and inert,
    // importing asks for folders first without a dialog, and a reset opens
    // the folder dialog (a cancel there changes nothing).
    void withoutFolders()
    {
        QScrollArea area;
        area.setWidgetResizable(true);
        // Owned by the area from here on.
        auto* pagePointer = new IconsPage;
        IconsPage& page = *pagePointer;
        auto* pickers = new ScriptedPickers;
        page.setFilePickers(std::unique_ptr<FilePickers>(pickers));
        area.setWidget(pagePointer);
        area.resize(900, 700);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area, 30000));

        auto* summary = page.findChild<QLabel*>(QStringLiteral("folderSummary"));
        QVERIFY(summary);
        QCOMPARE(summary->text(), QStringLiteral("Aucun dossier choisi"));
        const QList<PatternCell*> cells = page.cells();
        QCOMPARE(cells.size(), 52);
        for (PatternCell* cell : cells) {
            QVERIFY(!cell->isEnabled());
            QCOMPARE(cell->drawnOpacity(), 0.4);
            QCOMPARE(cell->preview()->opacity(), 0.4);
        }
        QTest::mouseClick(cells.first(), Qt::LeftButton);
        QCOMPARE(page.status(), QString());
        QVERIFY(!page.findChild<QLabel*>(QStringLiteral("status"))->isVisible());

        QTest::mouseClick(buttonNamed(page, QStringLiteral("Importer une image…")), Qt::LeftButton);
        QCOMPARE(pickers->imageDialogs, 0);
        QCOMPARE(page.status(), QStringLiteral("Choisissez d'abord un ou plusieurs dossiers."));
        QVERIFY(page.findChild<QLabel*>(QStringLiteral("status"))->isVisible());

        pickers->folders = {std::nullopt};
        QTest::mouseClick(buttonNamed(page, QStringLiteral("Remettre les icônes d'origine")), Qt::LeftButton);
        QCOMPARE(pickers->folderDialogs, 1);
        QCOMPARE(page.status(), QStringLiteral("Choisissez d'abord un ou plusieurs dossiers."));
        QVERIFY(page.folderPaths().isEmpty());

        // Confirmed this time: the chosen folders are restored at once, and
        // since this one carries no icon of ours the status says so.
        pickers->folders = {QStringList{m_folders.at(0)}};
        QTest::mouseClick(buttonNamed(page, QStringLiteral("Remettre les icônes d'origine")), Qt::LeftButton);
        QCOMPARE(pickers->folderDialogs, 2);
        QCOMPARE(page.folderPaths(), QStringList{m_folders.at(0)});
        QCOMPARE(page.status(), QStringLiteral("Rien à restaurer : « Photos » n'a pas d'icône de Nivora"));
        QCOMPARE(summary->text(), QStringLiteral("Photos"));
    }

    // Choosing folders replaces the list and clears the status; a pattern
    // applies to every chosen folder and counts only those that changed.
    void applyingToFolders()
    {
        IconsPage page;
        auto* pickers = new ScriptedPickers;
        page.setFilePickers(std::unique_ptr<FilePickers>(pickers));
        auto* summary = page.findChild<QLabel*>(QStringLiteral("folderSummary"));
        const QString missing = QDir(m_root.path()).filePath(QStringLiteral("Disparu"));

        pickers->folders = {m_folders, QStringList{m_folders.at(1), missing}};
        page.pickFolders();
        QCOMPARE(summary->text(), QStringLiteral("3 dossiers sélectionnés"));
        for (PatternCell* cell : page.cells()) {
            QVERIFY(cell->isEnabled());
            QCOMPARE(cell->drawnOpacity(), 1.0);
        }
        page.cells().at(3)->click();
        QCOMPARE(page.status(), QStringLiteral("Icône appliquée à 3 dossiers ✓"));
        QCOMPARE(page.statusColor(), Theme::green());
        for (const QString& folder : m_folders)
            QVERIFY(gioCustomIcon(folder).startsWith(QStringLiteral("file://")));

        page.pickFolders();
        QCOMPARE(page.folderPaths(), (QStringList{m_folders.at(1), missing}));
        QCOMPARE(page.status(), QString());
        QCOMPARE(summary->text(), QStringLiteral("2 dossiers sélectionnés"));
        page.cells().at(10)->click();
        QCOMPARE(page.status(), QStringLiteral("Icône appliquée à 1 dossier sur 2 — échec pour « Disparu »"));
        QCOMPARE(page.statusColor(), Theme::coral());

        const QString notImage = QDir(m_root.path()).filePath(QStringLiteral("notes.png"));
        QFile file(notImage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pas une image");
        file.close();
        const QString before = gioCustomIcon(m_folders.at(1));
        pickers->images = {notImage};
        QTest::mouseClick(buttonNamed(page, QStringLiteral("Importer une image…")), Qt::LeftButton);
        QCOMPARE(pickers->imageDialogs, 1);
        QCOMPARE(page.status(), QStringLiteral("Image illisible : « notes.png »"));
        QCOMPARE(gioCustomIcon(m_folders.at(1)), before);

        page.resetIcons();
        QCOMPARE(page.status(),
                 QStringLiteral("Icônes d'origine restaurées pour 1 dossier sur 2 — échec pour « Disparu »"));
        QCOMPARE(gioCustomIcon(m_folders.at(1)), QString());
    }

    void summaryTexts()
    {
        QCOMPARE(IconsPage::summaryFor({}), QStringLiteral("Aucun dossier choisi"));
        QCOMPARE(IconsPage::summaryFor({QStringLiteral("/home/léa/Vacances 2024/")}),
                 QStringLiteral("Vacances 2024"));
        QCOMPARE(IconsPage::summaryFor({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}),
                 QStringLiteral("3 dossiers sélectionnés"));
    }

    // Cells are drawn once when first shown, never again on repaints or when
    // they are enabled (only their strength changes).
    void cellsDrawnOnce()
    {
        IconsPage page;
        auto* pickers = new ScriptedPickers;
        page.setFilePickers(std::unique_ptr<FilePickers>(pickers));
        page.resize(900, page.heightForWidth(900) > 0 ? page.heightForWidth(900) : 2400);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page, 30000));
        QTRY_VERIFY(page.cells().last()->preview()->renderCount() == 1);
        pickers->folders = {QStringList{m_folders.at(2)}};
        page.pickFolders();
        page.repaint();
        QCoreApplication::processEvents();
        for (PatternCell* cell : page.cells())
            QCOMPARE(cell->preview()->renderCount(), 1);
    }

private:
    QTemporaryDir m_data;
    QTemporaryDir m_root;
    QStringList m_folders;
};

QTEST_MAIN(TestIconsPage)
#include "tst_icons_page.moc"
