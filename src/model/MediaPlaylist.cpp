#include "model/MediaPlaylist.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <functional>

namespace nivora {

namespace {

// What cameras, phones and downloads produce. A folder is listed by these
// names alone: opening ten thousand files to learn what they are would cost
// far more than showing one that turns out unreadable.
constexpr const char* kImageSuffixes[] = {"jpg", "jpeg", "jpe",  "png",  "webp", "gif",  "tif", "tiff",
                                          "bmp", "svg",  "svgz", "avif", "heic", "heif", "jxl"};
constexpr const char* kVideoSuffixes[] = {"mp4",  "m4v", "mov",  "mkv", "webm", "avi", "wmv", "flv", "mpg",
                                          "mpeg", "ts",  "m2ts", "mts", "ogv",  "3gp", "3g2", "vob"};

template <size_t N> bool hasSuffix(const QString& name, const char* const (&suffixes)[N])
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return false;
    const QStringView suffix = QStringView(name).mid(dot + 1);
    return std::any_of(std::begin(suffixes), std::end(suffixes), [&suffix](const char* known) {
        return suffix.compare(QLatin1String(known), Qt::CaseInsensitive) == 0;
    });
}

// As a file manager lists names: "IMG_2" before "IMG_10", case aside.
struct NameOrder
{
    QCollator collator;

    NameOrder()
    {
        // The C locale has no collation of its own (and no numeric mode).
        const QLocale system = QLocale::system();
        collator.setLocale(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
    }

    bool operator()(const QString& a, const QString& b) const
    {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    }
};

void sortByName(QStringList& names)
{
    const NameOrder order;
    std::sort(names.begin(), names.end(), std::cref(order));
}

} // namespace

MediaPlaylist::MediaPlaylist(QString folder, bool shuffled, quint32 seed)
    : m_folder(std::move(folder)), m_shuffled(shuffled), m_random(seed)
{
}

bool MediaPlaylist::isMedia(const QString& name)
{
    return hasSuffix(name, kImageSuffixes) || hasSuffix(name, kVideoSuffixes);
}

bool MediaPlaylist::isVideo(const QString& name)
{
    return hasSuffix(name, kVideoSuffixes);
}

QString MediaPlaylist::current()
{
    if (!m_read) {
        reread();
        m_read = true;
        m_index = m_names.isEmpty() ? -1 : 0;
    }
    if (m_index < 0 || m_index >= m_names.size())
        return QString();
    const QString path = QDir(m_folder).filePath(m_names.at(m_index));
    if (QFileInfo::exists(path))
        return path;
    return next();
}

QString MediaPlaylist::next(Reread again)
{
    bool stillThere = true;
    if (!m_read || again == Reread::Yes) {
        const bool first = !m_read;
        stillThere = reread();
        m_read = true;
        if (first)
            m_index = -1;
    }
    if (m_names.isEmpty()) {
        m_index = -1;
        return QString();
    }
    const QString shown = m_index >= 0 && m_index < m_names.size() ? m_names.at(m_index) : QString();
    if (m_index < 0)
        m_index = 0;
    else if (stillThere)
        ++m_index;
    if (m_index >= m_names.size()) {
        m_index = 0;
        if (m_shuffled) {
            // A new round in a new order, which does not open on the file
            // that ended the last one.
            shuffleFrom(0);
            if (m_names.size() > 1 && m_names.first() == shown)
                m_names.swapItemsAt(0, 1 + m_random.bounded(int(m_names.size() - 1)));
        }
    }
    return QDir(m_folder).filePath(m_names.at(m_index));
}

void MediaPlaylist::setShuffled(bool shuffled)
{
    if (shuffled == m_shuffled)
        return;
    m_shuffled = shuffled;
    if (!m_read || m_names.isEmpty())
        return;
    const QString shown = m_index >= 0 ? m_names.at(m_index) : QString();
    if (shuffled) {
        // Every other file is still to come, in a random order.
        if (m_index > 0)
            m_names.swapItemsAt(0, m_index);
        m_index = 0;
        shuffleFrom(1);
    } else {
        sortByName(m_names);
        m_index = shown.isEmpty() ? 0 : m_names.indexOf(shown);
    }
}

QStringList MediaPlaylist::listFolder() const
{
    // Hidden files (editors' and thumbnailers' leftovers) are left out.
    QStringList names = QDir(m_folder).entryList(QDir::Files, QDir::NoSort);
    names.removeIf([](const QString& name) { return !isMedia(name); });
    return names;
}

void MediaPlaylist::shuffleFrom(qsizetype first)
{
    for (qsizetype i = m_names.size() - 1; i > first; --i) {
        const qsizetype j = first + m_random.bounded(int(i - first + 1));
        m_names.swapItemsAt(i, j);
    }
}

bool MediaPlaylist::reread()
{
    QStringList fresh = listFolder();
    const QString shown = m_index >= 0 && m_index < m_names.size() ? m_names.at(m_index) : QString();
    if (!m_shuffled) {
        sortByName(fresh);
        m_names = std::move(fresh);
        if (shown.isEmpty())
            return true;
        const qsizetype at = m_names.indexOf(shown);
        if (at >= 0) {
            m_index = at;
            return true;
        }
        // The file after a removed one is the first that sorted after it.
        const NameOrder order;
        m_index = std::upper_bound(m_names.begin(), m_names.end(), shown, order) - m_names.begin();
        return false;
    }

    // Shuffled: the names still there keep their order, and new ones take a
    // random turn among the files still to come.
    const QSet<QString> present(fresh.begin(), fresh.end());
    const QSet<QString> known(m_names.begin(), m_names.end());
    QStringList kept;
    kept.reserve(fresh.size());
    qsizetype newIndex = -1;
    qsizetype keptBefore = 0;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (!present.contains(m_names.at(i)))
            continue;
        if (i == m_index)
            newIndex = kept.size();
        if (i < m_index)
            ++keptBefore;
        kept.append(m_names.at(i));
    }
    qsizetype added = 0;
    for (const QString& name : std::as_const(fresh)) {
        if (!known.contains(name)) {
            kept.append(name);
            ++added;
        }
    }
    m_names = std::move(kept);
    if (shown.isEmpty()) {
        shuffleFrom(0);
        return true;
    }
    const bool stillThere = newIndex >= 0;
    m_index = stillThere ? newIndex : keptBefore;
    if (added > 0)
        shuffleFrom(stillThere ? m_index + 1 : m_index);
    return stillThere;
}

} // namespace nivora
