#pragma once

#include <QString>

namespace nivora {

// The `metadata::custom-icon` attribute that GNOME Files, Nemo and Caja read
// for a folder's icon, kept by GIO's metadata store (gvfs) for the user's
// session. Every call is synchronous and talks to the gvfs metadata daemon on
// the session bus. Main thread.
class GioCustomIcon
{
public:
    enum class Status
    {
        Done,
        // GIO has no metadata store here (no gvfs): nothing could be kept.
        Unsupported,
        Failed,
    };

    struct Result
    {
        Status status = Status::Failed;
        QString error;
    };

    // Sets the attribute of `path` to the `file://` URI of `iconFile` and reads
    // it back.
    static Result set(const QString& path, const QString& iconFile);
    // Sets the attribute of `path` to `uri` as it is and reads it back.
    static Result setUri(const QString& path, const QString& uri);
    // Removes the attribute of `path` and reads back that it is gone.
    static Result unset(const QString& path);
    // The attribute's value, or a null string when unset or unreadable.
    static QString read(const QString& path);
    // The `file://` URI GIO gives `iconFile`.
    static QString uriOf(const QString& iconFile);
};

} // namespace nivora
