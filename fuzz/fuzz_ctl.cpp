// `nivora ctl` argument lists, and the `set KEY JSON` the running instance
// then receives over D-Bus. Input: arguments separated by NUL bytes. A refused
// value changes nothing; an accepted one reads back as a value `set` takes
// again without change.
#include "FuzzSupport.h"
#include "app/CtlArguments.h"
#include "state/AppState.h"
#include "state/DefaultsStore.h"
#include "state/SettingsCodec.h"

#include <QDir>
#include <QJsonObject>

using namespace nivora;
using namespace nivora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList args;
    for (const QByteArray& part : bytes(data, size).split('\0'))
        args.append(QString::fromUtf8(part));
    if (size == 0)
        args.clear();

    const CtlArguments::Verdict verdict = CtlArguments::check(args);
    if (verdict == CtlArguments::Verdict::Ok)
        check(CtlArguments::commands().contains(args.first()) && args.first() != QLatin1String("open-url"),
              "an unknown command passed the check");
    if (verdict != CtlArguments::Verdict::Ok || args.first() != QLatin1String("set"))
        return 0;
    check(args.size() == 3, "set passed the check without exactly a key and a value");

    // A fresh settings file that does not exist yet, as on a first start.
    const QString path = scratchDir() + QStringLiteral("/ctl-defaults.json");
    QFile::remove(path);
    DefaultsStore store(path);
    AppState state(store, false);
    const QString& key = args.at(1);

    QString error;
    const std::optional<QJsonValue> value = SettingsCodec::parseValue(args.at(2), &error);
    check(value.has_value() == error.isEmpty(), "a parse gave both a value and an error, or neither");
    if (!value)
        return 0;

    const QJsonObject before = SettingsCodec::toJson(state);
    const std::optional<QString> refusal = SettingsCodec::apply(state, key, *value);
    const QJsonObject after = SettingsCodec::toJson(state);
    if (refusal) {
        check(!refusal->isEmpty(), "an empty refusal");
        check(after == before, "a refused value changed the settings");
        return 0;
    }
    check(after.contains(key), "an unknown key was accepted");
    const QJsonValue shown = after.value(key);
    const std::optional<QJsonValue> reparsed =
        SettingsCodec::parseValue(SettingsCodec::format(shown), nullptr);
    check(reparsed && *reparsed == shown, "an accepted value does not print and parse back");
    check(!SettingsCodec::apply(state, key, shown), "the value set is not accepted again");
    if (key != QLatin1String("paletteName") && key != QLatin1String("paletteHex"))
        check(SettingsCodec::toJson(state) == after, "setting the shown value again changed the settings");
    return 0;
}
