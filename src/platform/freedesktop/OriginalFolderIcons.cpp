#include "platform/freedesktop/OriginalFolderIcons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <utility>

namespace nivora {

namespace {

// Thousands of folders fit in far less; anything bigger was not written by us.
constexpr qint64 maxFileSize = 4 * 1024 * 1024;

QString unreadable(const QString& file)
{
    return QCoreApplication::translate("OriginalFolderIcons", "registre des icônes d'origine illisible : %1")
        .arg(file);
}

} // namespace

OriginalFolderIcons::OriginalFolderIcons(QString file) : m_file(std::move(file)) {}

QString OriginalFolderIcons::keyFor(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString OriginalFolderIcons::load()
{
    m_folders.clear();
    QFile file(m_file);
    if (!file.exists())
        return {};
    if (file.size() > maxFileSize || !file.open(QIODevice::ReadOnly))
        return unreadable(m_file);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.read(maxFileSize + 1), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        !document.object().value(QLatin1String("folders")).isObject())
        return unreadable(m_file);
    const QJsonObject folders = document.object().value(QLatin1String("folders")).toObject();
    QMap<QString, Places> read;
    for (auto folder = folders.begin(); folder != folders.end(); ++folder) {
        if (!folder.value().isObject())
            return unreadable(m_file);
        const QJsonObject places = folder.value().toObject();
        Places entry;
        for (auto place = places.begin(); place != places.end(); ++place) {
            if (place.value().isNull())
                entry.insert(place.key(), std::nullopt);
            else if (place.value().isString())
                entry.insert(place.key(), place.value().toString());
            else
                return unreadable(m_file);
        }
        read.insert(folder.key(), entry);
    }
    m_folders = read;
    return {};
}

QString OriginalFolderIcons::save() const
{
    if (m_folders.isEmpty()) {
        if (QFile::exists(m_file) && !QFile::remove(m_file))
            return QCoreApplication::translate("OriginalFolderIcons",
                                               "registre des icônes d'origine impossible à effacer : %1")
                .arg(m_file);
        return {};
    }
    QJsonObject folders;
    for (auto folder = m_folders.begin(); folder != m_folders.end(); ++folder) {
        QJsonObject places;
        for (auto place = folder.value().begin(); place != folder.value().end(); ++place)
            places.insert(place.key(), place.value() ? QJsonValue(*place.value()) : QJsonValue());
        folders.insert(folder.key(), places);
    }
    const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("folders"), folders}}).toJson();
    QDir().mkpath(QFileInfo(m_file).absolutePath());
    // Written whole and renamed into place: a crash or a full disk leaves the
    // previous record, never half of one, and the originals it keeps are the
    // only copy of the user's icons.
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QCoreApplication::translate("OriginalFolderIcons",
                                           "registre des icônes d'origine impossible à écrire : %1")
            .arg(file.errorString());
    return {};
}

std::optional<OriginalFolderIcons::Places> OriginalFolderIcons::find(const QString& folder) const
{
    const auto found = m_folders.constFind(keyFor(folder));
    if (found == m_folders.constEnd())
        return std::nullopt;
    return *found;
}

void OriginalFolderIcons::put(const QString& folder, const Places& places)
{
    m_folders.insert(keyFor(folder), places);
}

void OriginalFolderIcons::remove(const QString& folder)
{
    m_folders.remove(keyFor(folder));
}

} // namespace nivora
