#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <optional>

namespace nivora {

class AppState;
class DefaultsStore;

// The settings as the settings file and the command line see them: the keys,
// their order and their ranges come from the schema; this binds each key to the
// store's property, in one table for reading, writing and loading.
namespace SettingsCodec {

// Every key `toJson` produces, in the settings' declaration order.
const QStringList& keys();

QJsonObject toJson(const AppState& state);
// The settings file's content: toJson() without the settings the schema marks
// as kept elsewhere.
QJsonObject storedJson(const AppState& state);
// Reads every stored setting of `store` into `state` as the settings file is
// loaded: leniently (a value of another kind is coerced or skipped), then every
// number the schema does not allow goes back to its default.
void load(AppState& state, const DefaultsStore& store);

// Parses one JSON value of any kind (scalars included). Non-finite numbers and
// trailing garbage are errors.
std::optional<QJsonValue> parseValue(const QString& text, QString* error);

// Checks `value` with the same rules the settings file is loaded with, but
// strictly (a wrong type is refused rather than coerced), and assigns it through
// the store as a dashboard control would. Returns an error message naming the key
// and what is allowed, or nothing on success; on error nothing changes.
std::optional<QString> apply(AppState& state, const QString& key, const QJsonValue& value);

// The values one screen shows: every per-screen setting in schema order, the
// screen's own where it has one and the main one otherwise.
QJsonObject screenJson(const AppState& state, const QString& screen);
// Checks `value` as apply() does and makes it the screen's own value, keeping
// its other ones. Returns the refusal, or nothing on success.
std::optional<QString> applyToScreen(AppState& state, const QString& screen, const QString& key,
                                     const QJsonValue& value);
// The screen follows the main settings again. False when it already did.
bool resetScreen(AppState& state, const QString& screen);

// A JSON value printed the way `ctl get KEY` prints it.
QString format(const QJsonValue& value);

} // namespace SettingsCodec
} // namespace nivora
