// The settings file as the application loads it at start, then the schema's
// promises about what it loaded: choices and ranges hold, every value `ctl get`
// prints is one `ctl set` accepts back unchanged, and what is saved loads back
// the same.
#include "FuzzSupport.h"
#include "model/SettingsSchema.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/SettingsCodec.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <cstdio>

using namespace nivora;
using namespace nivora::fuzz;

namespace {

QString settingsDir()
{
    return scratchDir() + QStringLiteral("/settings");
}

// The values the settings file holds: launchAtLogin and enabledDisplays live
// elsewhere.
QJsonObject storedPart(QJsonObject json)
{
    for (const SettingsSchema::Setting& setting : SettingsSchema::settings()) {
        if (!setting.stored)
            json.remove(setting.key);
    }
    return json;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A fresh directory each time: a refused file is moved aside next to it.
    QDir(settingsDir()).removeRecursively();
    QDir().mkpath(settingsDir());
    const QString path = settingsDir() + QStringLiteral("/defaults.json");
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly) && file.write(bytes(data, size)) == qint64(size),
              "cannot write the settings file");
    }

    DefaultsStore store(path);
    check(store.movedAsidePath().isEmpty() || !QFile::exists(path), "a refused file was left in place");
    AppState state(store, false);

    using SettingsSchema::allows;
    using SettingsSchema::get;
    check(allows(get(QStringLiteral("fps")), double(state.fps())), "fps outside its choices");
    check(allows(get(QStringLiteral("renderQuality")), double(state.renderQuality())),
          "renderQuality outside its choices");
    check(allows(get(QStringLiteral("autopilotMinutes")), double(state.autopilotMinutes())),
          "autopilotMinutes outside its choices");
    check(allows(get(QStringLiteral("sceneIndex")), double(state.sceneIndex())), "sceneIndex out of range");
    check(allows(get(QStringLiteral("slideMinutes")), double(state.slideMinutes())),
          "slideMinutes out of range");
    check(state.paletteColors().size() == 5 && state.paletteRGBACache().size() == 5,
          "palette is not five colours");

    const QJsonObject loaded = SettingsCodec::toJson(state);
    check(loaded.keys().size() == SettingsCodec::keys().size(), "toJson does not name every key");

    // What `ctl get KEY` prints, `ctl set KEY` takes back without change. Tuning
    // values are kept as stored even out of range, and only those in range are
    // accepted by `set`.
    for (const QString& key : SettingsCodec::keys()) {
        if (key == QLatin1String("launchAtLogin"))
            continue;
        const QJsonValue value = loaded.value(key);
        const QString printed = SettingsCodec::format(value);
        const std::optional<QJsonValue> parsed = SettingsCodec::parseValue(printed, nullptr);
        check(parsed && *parsed == value, "a printed value does not parse back to itself");
        const SettingsSchema::Setting& setting = get(key);
        if (setting.type == SettingsSchema::Type::Tuning && !allows(setting, value.toDouble()))
            continue;
        const QJsonObject before = SettingsCodec::toJson(state);
        if (const std::optional<QString> refusal = SettingsCodec::apply(state, key, *parsed)) {
            // Widget entries are kept as stored even when no widget, shape or
            // size has that name (every reader falls back on its own), while
            // `set` takes only names it knows. Refused, they change nothing.
            // Likewise a media path, the main one or a screen's, is kept as
            // stored when its file has gone (an unmounted drive), while `set`
            // takes only a file that is there.
            check(SettingsCodec::toJson(state) == before, "a refused value changed the settings");
            if (setting.type == SettingsSchema::Type::WidgetList ||
                setting.type == SettingsSchema::Type::WidgetMap || key == QLatin1String("mediaPath") ||
                key == QLatin1String("screenOverrides"))
                continue;
            std::fprintf(stderr, "%s\n", qPrintable(*refusal));
            fail("ctl set refuses a value ctl get printed");
        }
        // Naming a preset chooses its colours, and editing colours makes the
        // palette custom: those two change more than themselves on purpose.
        if (key != QLatin1String("paletteName") && key != QLatin1String("paletteHex"))
            check(SettingsCodec::toJson(state) == before, "setting a printed value changed the settings");
    }

    // Saved and read back, the settings are the same.
    const QJsonObject saved = SettingsCodec::toJson(state);
    state.setIsRunning(state.isRunning());
    state.flushPendingSave();
    DefaultsStore reread(path);
    check(reread.movedAsidePath().isEmpty(), "a saved settings file is refused on reading");
    AppState reloaded(reread, false);
    check(storedPart(SettingsCodec::toJson(reloaded)) == storedPart(saved),
          "saved settings load back different");
    return 0;
}
