#include "platform/gnome/GnomeBackgroundSettings.h"

#include <gio/gio.h>

namespace nivora::GnomeBackgroundSettings {

namespace {

constexpr const char* schemaId = "org.gnome.desktop.background";

GSettings* open()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, schemaId, TRUE);
    if (!schema)
        return nullptr;
    // picture-uri-dark came with GNOME 42; an older schema lacks it.
    const bool complete = g_settings_schema_has_key(schema, "picture-uri") &&
                          g_settings_schema_has_key(schema, "picture-uri-dark");
    g_settings_schema_unref(schema);
    return complete ? g_settings_new(schemaId) : nullptr;
}

QString string(GSettings* settings, const char* key)
{
    gchar* value = g_settings_get_string(settings, key);
    const QString result = QString::fromUtf8(value);
    g_free(value);
    return result;
}

} // namespace

bool available()
{
    GSettings* settings = open();
    if (!settings)
        return false;
    g_object_unref(settings);
    return true;
}

std::optional<Pictures> read()
{
    GSettings* settings = open();
    if (!settings)
        return std::nullopt;
    Pictures pictures{string(settings, "picture-uri"), string(settings, "picture-uri-dark")};
    g_object_unref(settings);
    return pictures;
}

bool write(const Pictures& pictures)
{
    GSettings* settings = open();
    if (!settings)
        return false;
    // Both keys change together, so the shell loads the picture once.
    g_settings_delay(settings);
    const bool ok = g_settings_set_string(settings, "picture-uri", pictures.light.toUtf8().constData()) &&
                    g_settings_set_string(settings, "picture-uri-dark", pictures.dark.toUtf8().constData());
    if (ok)
        g_settings_apply(settings);
    else
        g_settings_revert(settings);
    g_settings_sync();
    g_object_unref(settings);
    return ok;
}

} // namespace nivora::GnomeBackgroundSettings
