#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace nivora {

// The one table of the settings: each key with its type, default and allowed
// values. Loading the settings file, `nivora ctl set`, `nivora render` and the
// renderer's copy of the tuning values all check against it, so a range is
// written down once.
namespace SettingsSchema {

enum class Type
{
    Boolean,
    Tuning,  // a finite number from `minimum` to `maximum`
    Choice,  // an integer among `choices`
    Integer, // an integer from `minimum` to `maximum`
    Mode,    // "scene", "video" or "image"
    Path,    // text, "" for none
    Text,
    Language, // "auto", "fr" or "en"
    ColorList,
    DisplayList,
    WidgetList,
    WidgetMap,
    ScreenMap, // screen name → the settings of `perScreen` that screen has of its own
};

struct Setting
{
    QString key;
    Type type = Type::Boolean;
    // For Boolean (0 or 1), Tuning, Choice and Integer.
    double defaultValue = 0.0;
    QList<qint64> choices;
    double minimum = 0.0;
    double maximum = 0.0;
    // Whether the settings file holds it (launchAtLogin and enabledDisplays
    // live elsewhere).
    bool stored = true;
    // Whether a screen can have a value of its own in `screenOverrides`: the
    // settings that say what a screen shows (mode, media, scene, palette and
    // tuning).
    bool perScreen = false;
};

// Every setting, in declaration order.
const QList<Setting>& settings();
QStringList keys();
// The setting named `key`, or null.
const Setting* find(const QString& key);
// The setting named `key`, which must exist.
const Setting& get(const QString& key);
// The keys a screen can have values of its own for, in declaration order.
QStringList screenKeys();

// Whether a number is a value the setting allows: finite, and within its range
// or among its choices (integers exactly). Only for Tuning, Choice and Integer.
bool allows(const Setting& setting, double value);
// What the setting allows, as refusals print it: "0 à 1", "30, 60, 120".
QString allowedText(const Setting& setting);

// A tuning value as the renderer must receive it, whatever the settings file
// holds: a non-finite number becomes the default, any other is clamped to the
// range.
double forRenderer(const Setting& setting, double value);

} // namespace SettingsSchema
} // namespace nivora
