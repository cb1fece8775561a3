#include "state/DefaultsStore.h"

#include "state/ConfigHome.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <cmath>
#include <limits>
#include <sys/stat.h>

namespace nivora {

namespace {

// A settings file should never grow near this; anything larger is not ours.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

qint64 clampToInt64(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 9.2233720368547758e18)
        return std::numeric_limits<qint64>::max();
    if (v <= -9.2233720368547758e18)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(v); // truncates toward zero
}

} // namespace

DefaultsStore& DefaultsStore::standard()
{
    static DefaultsStore store(standardPath());
    return store;
}

QString DefaultsStore::standardPath()
{
    return configHome() + QStringLiteral("/nivora/defaults.json");
}

DefaultsStore::DefaultsStore(QString filePath) : m_path(std::move(filePath))
{
    load();
}

void DefaultsStore::load()
{
    QFile file(m_path);
    if (!file.exists())
        return;

    QString problem;
    QByteArray data;
    if (file.size() > kMaxFileSize) {
        problem = QStringLiteral("fichier trop volumineux");
    } else if (!file.open(QIODevice::ReadOnly)) {
        problem = file.errorString();
    } else {
        data = file.readAll();
        file.close();
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
        if (error.error != QJsonParseError::NoError)
            problem = error.errorString();
        else if (!doc.isObject())
            problem = QStringLiteral("pas un objet JSON");
        else
            m_values = doc.object();
    }
    if (problem.isEmpty())
        return;

    // Keep the unreadable file for the user (or a newer version of us) instead of
    // overwriting it with defaults on the next save.
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = m_path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 1; QFileInfo::exists(aside); ++n)
        aside = m_path + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(m_path, aside)) {
        m_movedAside = aside;
        qWarning().noquote()
            << QStringLiteral("Nivora: unreadable settings (%1), set aside as %2").arg(problem, aside);
    } else {
        qWarning().noquote() << QStringLiteral(
                                    "Nivora: unreadable settings (%1), and they could not be set aside")
                                    .arg(problem);
    }
}

bool DefaultsStore::contains(const QString& key) const
{
    return m_values.contains(key);
}

QJsonValue DefaultsStore::value(const QString& key) const
{
    return m_values.value(key);
}

bool DefaultsStore::boolValue(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (v.isBool())
        return v.toBool();
    if (v.isDouble())
        return v.toDouble() != 0.0;
    if (v.isString()) {
        const QString s = v.toString().trimmed().toLower();
        if (s == QLatin1String("true") || s == QLatin1String("yes"))
            return true;
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok && d != 0.0;
    }
    return false;
}

qint64 DefaultsStore::integerValue(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (v.isDouble())
        return clampToInt64(v.toDouble());
    if (v.isBool())
        return v.toBool() ? 1 : 0;
    if (v.isString()) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? clampToInt64(d) : 0;
    }
    return 0;
}

double DefaultsStore::doubleValue(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (v.isDouble())
        return v.toDouble();
    if (v.isBool())
        return v.toBool() ? 1.0 : 0.0;
    if (v.isString()) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok && std::isfinite(d) ? d : 0.0;
    }
    return 0.0;
}

std::optional<QString> DefaultsStore::stringValue(const QString& key) const
{
    const QJsonValue v = m_values.value(key);
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 17);
    return std::nullopt;
}

void DefaultsStore::setValue(const QString& key, const QJsonValue& value)
{
    m_values.insert(key, value);
    write();
}

void DefaultsStore::setValues(const QJsonObject& values)
{
    for (auto it = values.begin(); it != values.end(); ++it)
        m_values.insert(it.key(), it.value());
    write();
}

void DefaultsStore::remove(const QString& key)
{
    if (!m_values.contains(key))
        return;
    m_values.remove(key);
    write();
}

bool DefaultsStore::write()
{
    QString error;
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("impossible de créer %1").arg(info.absolutePath());
    } else {
        QSaveFile file(m_path);
        // Never fall back to writing in place: a crash half-way would leave a
        // truncated file.
        file.setDirectWriteFallback(false);
        if (!file.open(QIODevice::WriteOnly)) {
            error = file.errorString();
        } else {
            ::fchmod(file.handle(), S_IRUSR | S_IWUSR);
            file.write(QJsonDocument(m_values).toJson(QJsonDocument::Indented));
            if (!file.commit())
                error = file.errorString();
        }
    }
    m_lastWriteOk = error.isEmpty();
    if (!m_lastWriteOk && !m_loggedWriteFailure) {
        m_loggedWriteFailure = true;
        qWarning().noquote()
            << QStringLiteral("Nivora: could not save the settings to %1: %2").arg(m_path, error);
    }
    return m_lastWriteOk;
}

} // namespace nivora
