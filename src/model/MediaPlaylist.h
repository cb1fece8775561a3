#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace nivora {

// The images and videos of a folder shown in turn: their names (nothing else
// is kept, so a folder of ten thousand photos costs its names), in name order
// or shuffled, and the one shown now. The folder is read when the first file
// is asked for and again at every change, so files added or removed
// meanwhile count from the next one on. Reads the file system only; no timer
// of its own. Main thread.
class MediaPlaylist
{
public:
    enum class Reread
    {
        Yes,
        No, // steps over a file that cannot be shown without listing the folder again
    };

    // `seed` fixes the shuffled orders (tests); by default they are random.
    explicit MediaPlaylist(QString folder, bool shuffled = false,
                           quint32 seed = QRandomGenerator::global()->generate());

    const QString& folder() const { return m_folder; }

    // The file shown now as an absolute path, reading the folder the first
    // time; empty when the folder holds no image or video (or is gone). A
    // file that went away since is stepped over, the folder read again.
    QString current();

    // Moves on to the next file and returns it (empty as for current()). The
    // folder is read again first: the file after the one shown is the next
    // one still there, and files added since take their turn. After the last
    // file the list starts over, shuffled afresh when shuffled.
    QString next(Reread reread = Reread::Yes);

    // Shuffled, the files after the one shown come in a random order; in name
    // order, they follow it by name. The file shown stays.
    void setShuffled(bool shuffled);
    bool isShuffled() const { return m_shuffled; }

    // The names read last, in playing order, and the place of the one shown
    // (-1 when there is none).
    const QStringList& names() const { return m_names; }
    qsizetype index() const { return m_index; }

    // Whether a file name is one the wallpaper plays (by its extension, so
    // no file is opened to list a folder), and whether it is a video.
    static bool isMedia(const QString& name);
    static bool isVideo(const QString& name);

private:
    // Lists the folder again, keeping the order of the names still there and
    // giving the new ones their place; the file shown keeps its place when it
    // is still there. Returns false when the file shown is gone; `m_index`
    // then points at the file that comes after it.
    bool reread();
    QStringList listFolder() const;
    void shuffleFrom(qsizetype first);

    QString m_folder;
    bool m_shuffled = false;
    bool m_read = false;
    QStringList m_names;
    qsizetype m_index = -1;
    QRandomGenerator m_random;
};

} // namespace nivora
