#include "platform/freedesktop/GioCustomIcon.h"

#include <QCoreApplication>
#include <QFile>
#include <gio/gio.h>

namespace nivora {

namespace {

constexpr const char* attribute = "metadata::custom-icon";

// Owns one GLib object reference.
template <typename T> struct GObjectRef
{
    explicit GObjectRef(T* object) : ptr(object) {}
    ~GObjectRef()
    {
        if (ptr)
            g_object_unref(ptr);
    }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    T* ptr;
};

GFile* fileFor(const QString& path)
{
    return g_file_new_for_path(QFile::encodeName(path).constData());
}

GioCustomIcon::Result resultOf(GError* error)
{
    GioCustomIcon::Result result;
    result.status = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED)
                        ? GioCustomIcon::Status::Unsupported
                        : GioCustomIcon::Status::Failed;
    result.error = QString::fromUtf8(error->message);
    g_error_free(error);
    return result;
}

GioCustomIcon::Result failed(const QString& error)
{
    return {GioCustomIcon::Status::Failed, error};
}

} // namespace

QString GioCustomIcon::uriOf(const QString& iconFile)
{
    GObjectRef<GFile> file(fileFor(iconFile));
    gchar* uri = g_file_get_uri(file.ptr);
    const QString result = QString::fromUtf8(uri);
    g_free(uri);
    return result;
}

GioCustomIcon::Result GioCustomIcon::set(const QString& path, const QString& iconFile)
{
    return setUri(path, uriOf(iconFile));
}

GioCustomIcon::Result GioCustomIcon::setUri(const QString& path, const QString& uri)
{
    GObjectRef<GFile> file(fileFor(path));
    GError* error = nullptr;
    if (!g_file_set_attribute_string(file.ptr, attribute, uri.toUtf8().constData(), G_FILE_QUERY_INFO_NONE,
                                     nullptr, &error))
        return resultOf(error);
    if (read(path) != uri)
        return failed(QCoreApplication::translate("GioCustomIcon",
                                                  "le gestionnaire de fichiers n'a pas gardé l'icône"));
    return {Status::Done, {}};
}

GioCustomIcon::Result GioCustomIcon::unset(const QString& path)
{
    GObjectRef<GFile> file(fileFor(path));
    GError* error = nullptr;
    if (!g_file_set_attribute(file.ptr, attribute, G_FILE_ATTRIBUTE_TYPE_INVALID, nullptr,
                              G_FILE_QUERY_INFO_NONE, nullptr, &error))
        return resultOf(error);
    if (!read(path).isNull())
        return failed(
            QCoreApplication::translate("GioCustomIcon", "le gestionnaire de fichiers a gardé l'icône"));
    return {Status::Done, {}};
}

QString GioCustomIcon::read(const QString& path)
{
    GObjectRef<GFile> file(fileFor(path));
    GError* error = nullptr;
    GObjectRef<GFileInfo> info(
        g_file_query_info(file.ptr, attribute, G_FILE_QUERY_INFO_NONE, nullptr, &error));
    if (!info.ptr) {
        g_error_free(error);
        return {};
    }
    const char* value = g_file_info_get_attribute_string(info.ptr, attribute);
    return value ? QString::fromUtf8(value) : QString();
}

} // namespace nivora
