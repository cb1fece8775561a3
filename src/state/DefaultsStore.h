#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

namespace nivora {

// The user's key/value settings file: one JSON object in
// $XDG_CONFIG_HOME/nivora/defaults.json (~/.config when unset). Reads follow the
// absent-value rules the settings rely on: a missing or mistyped scalar reads as
// false / 0 / 0.0 / no string. Every write batch replaces the file atomically
// with mode 0600. A file that is not a JSON object is moved aside, never lost,
// and the store starts empty. Main thread only.
class DefaultsStore
{
public:
    // The store over the standard file of this user.
    static DefaultsStore& standard();
    static QString standardPath();

    explicit DefaultsStore(QString filePath);

    QString filePath() const { return m_path; }

    bool contains(const QString& key) const;
    QJsonValue value(const QString& key) const;
    QJsonObject values() const { return m_values; }

    bool boolValue(const QString& key) const;
    qint64 integerValue(const QString& key) const;
    double doubleValue(const QString& key) const;
    // Strings and numbers (as text); anything else is no string.
    std::optional<QString> stringValue(const QString& key) const;

    // Each call is one atomic write of the whole file.
    void setValue(const QString& key, const QJsonValue& value);
    void setValues(const QJsonObject& values);
    void remove(const QString& key);

    // False after a write failed (the values stay in memory and the next write
    // tries again); the failure is logged once per store.
    bool lastWriteSucceeded() const { return m_lastWriteOk; }
    // Set when the file found at start was unreadable and was moved aside.
    QString movedAsidePath() const { return m_movedAside; }

private:
    void load();
    bool write();

    QString m_path;
    QJsonObject m_values;
    QString m_movedAside;
    bool m_lastWriteOk = true;
    bool m_loggedWriteFailure = false;
};

} // namespace nivora
