#include "model/MediaPlaylist.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace nivora;

// A folder's files in turn, on a real folder changed between turns.
class TstMediaPlaylist : public QObject
{
    Q_OBJECT

    static bool touch(const QDir& dir, const QString& name, const QByteArray& data = "not really media")
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
    }

    static QString nameOf(const QString& path) { return path.section(QLatin1Char('/'), -1); }

private Q_SLOTS:
    // Images and videos by name as a file manager sorts them, nothing else;
    // the folder read again at each change, so removed files are stepped
    // over (the shown one included) and added ones take their turn.
    void nameOrderFollowsTheFolder()
    {
        QTemporaryDir tmp;
        QDir dir(tmp.path());
        for (const char* name :
             {"b.png", "A.jpg", "IMG_10.MP4", "IMG_2.mov", "notes.txt", ".hidden.png", "noext"})
            QVERIFY(touch(dir, QLatin1String(name)));
        QVERIFY(dir.mkdir(QStringLiteral("album.png")));

        MediaPlaylist list(tmp.path());
        QVERIFY(list.names().isEmpty()); // nothing read before it is asked
        QCOMPARE(list.current(), dir.filePath(QStringLiteral("A.jpg")));
        QCOMPARE(list.names(), (QStringList{"A.jpg", "b.png", "IMG_2.mov", "IMG_10.MP4"}));
        QVERIFY(MediaPlaylist::isVideo(QStringLiteral("IMG_10.MP4")));
        QVERIFY(!MediaPlaylist::isVideo(QStringLiteral("b.png")));
        QCOMPARE(nameOf(list.next()), QStringLiteral("b.png"));

        // Added and removed while b.png shows.
        QVERIFY(touch(dir, QStringLiteral("c.gif")));
        QVERIFY(dir.remove(QStringLiteral("IMG_2.mov")));
        QCOMPARE(nameOf(list.next()), QStringLiteral("c.gif"));
        QCOMPARE(nameOf(list.next()), QStringLiteral("IMG_10.MP4"));
        QCOMPARE(nameOf(list.next()), QStringLiteral("A.jpg")); // round again

        // The file shown goes: the one after it, not the start again.
        QCOMPARE(nameOf(list.next()), QStringLiteral("b.png"));
        QVERIFY(dir.remove(QStringLiteral("b.png")));
        QCOMPARE(nameOf(list.current()), QStringLiteral("c.gif"));
        QVERIFY(dir.remove(QStringLiteral("c.gif")));
        QCOMPARE(nameOf(list.next()), QStringLiteral("IMG_10.MP4"));

        // Emptied: nothing to show, then a file again.
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
            QVERIFY(dir.remove(name));
        QCOMPARE(list.next(), QString());
        QCOMPARE(list.current(), QString());
        QCOMPARE(list.index(), -1);
        QVERIFY(touch(dir, QStringLiteral("z.webp")));
        QCOMPARE(nameOf(list.next()), QStringLiteral("z.webp"));
        QCOMPARE(nameOf(list.next()), QStringLiteral("z.webp"));

        // A folder that went away is an empty one.
        MediaPlaylist gone(dir.filePath(QStringLiteral("nowhere")));
        QCOMPARE(gone.current(), QString());
        QCOMPARE(gone.next(), QString());
    }

    // Each round plays every file once in a new order, never the same file
    // twice in a row across rounds; a file added during a round plays in
    // it, a removed one never comes; switching orders keeps the file shown.
    void shuffledRoundsArePermutations()
    {
        QTemporaryDir tmp;
        QDir dir(tmp.path());
        QStringList all;
        for (int i = 0; i < 40; ++i) {
            all.append(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
            QVERIFY(touch(dir, all.last()));
        }
        MediaPlaylist list(tmp.path(), true, 7);
        QStringList previousRound;
        QString last;
        for (int round = 0; round < 3; ++round) {
            QStringList played{nameOf(round == 0 ? list.current() : list.next())};
            if (round > 0)
                QVERIFY(played.first() != last);
            for (int i = 1; i < all.size(); ++i)
                played.append(nameOf(list.next()));
            QCOMPARE(QSet<QString>(played.begin(), played.end()).size(), all.size());
            QStringList sorted = played;
            sorted.sort();
            QCOMPARE(sorted, all);
            QVERIFY(played != all);
            QVERIFY(played != previousRound);
            previousRound = played;
            last = played.last();
        }

        // Halfway through a round: one file added, one still to come removed.
        QSet<QString> seen{nameOf(list.next())};
        for (int i = 0; i < 19; ++i)
            seen.insert(nameOf(list.next()));
        const QString later = list.names().at(list.index() + 5);
        QVERIFY(dir.remove(later));
        QVERIFY(touch(dir, QStringLiteral("new.png")));
        QSet<QString> rest;
        for (int i = 0; i < 20; ++i)
            rest.insert(nameOf(list.next()));
        QVERIFY(rest.contains(QStringLiteral("new.png")));
        QVERIFY(!rest.contains(later));
        QCOMPARE(rest.size(), 20);
        QVERIFY(!rest.intersects(seen));

        const QString shown = list.current();
        list.setShuffled(false);
        QCOMPARE(list.current(), shown);
        QVERIFY(std::is_sorted(list.names().begin(), list.names().end()));
        const QString following = list.names().at((list.index() + 1) % list.names().size());
        QCOMPARE(nameOf(list.next()), following);
        const QString again = list.current();
        list.setShuffled(true);
        QCOMPARE(list.current(), again);
        QCOMPARE(list.names().size(), all.size());
    }

    // Ten thousand photos are ten thousand names: listed without opening a
    // file (these hold no picture at all), in order, and walked through.
    void tenThousandFilesAreNames()
    {
        QTemporaryDir tmp;
        QDir dir(tmp.path());
        for (int i = 0; i < 10000; ++i)
            QVERIFY(touch(dir, QStringLiteral("IMG_%1.jpg").arg(i), QByteArray()));
        MediaPlaylist list(tmp.path());
        QCOMPARE(nameOf(list.current()), QStringLiteral("IMG_0.jpg"));
        QCOMPARE(list.names().size(), 10000);
        QCOMPARE(list.names().at(9), QStringLiteral("IMG_9.jpg"));
        QCOMPARE(list.names().at(10), QStringLiteral("IMG_10.jpg"));
        QCOMPARE(list.names().last(), QStringLiteral("IMG_9999.jpg"));
        for (int i = 1; i < 10; ++i)
            QCOMPARE(nameOf(list.next(MediaPlaylist::Reread::No)), QStringLiteral("IMG_%1.jpg").arg(i));
        QCOMPARE(nameOf(list.next()), QStringLiteral("IMG_10.jpg"));
    }
};

QTEST_APPLESS_MAIN(TstMediaPlaylist)
#include "tst_media_playlist.moc"
