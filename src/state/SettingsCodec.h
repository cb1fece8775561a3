#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <optional>

namespace nivora {

class AppState;

// The settings as the command line sees them: the stored encodings of the
// settings file plus launchAtLogin and enabledDisplays.
namespace SettingsCodec {

// Every key `toJson` produces, in the settings' declaration order.
const QStringList& keys();

QJsonObject toJson(const AppState& state);

// Parses one JSON value of any kind (scalars included). Non-finite numbers and
// trailing garbage are errors.
std::optional<QJsonValue> parseValue(const QString& text, QString* error);

// Checks `value` with the same rules the settings file is loaded with, but
// strictly (a wrong type is refused rather than coerced), and assigns it through
// the store as a dashboard control would. Returns an error message naming the key
// and what is allowed, or nothing on success; on error nothing changes.
std::optional<QString> apply(AppState& state, const QString& key, const QJsonValue& value);

// A JSON value printed the way `ctl get KEY` prints it.
QString format(const QJsonValue& value);

} // namespace SettingsCodec
} // namespace nivora
