#include "platform/ScreenInfo.h"

namespace nivora {

quint32 displayIdentifier(const QString& outputName)
{
    if (outputName.isEmpty())
        return 0;
    // FNV-1a over the UTF-8 bytes: cheap, stable across runs and Qt versions
    // (unlike qHash, which is seeded per process).
    quint32 hash = 2166136261u;
    const QByteArray bytes = outputName.toUtf8();
    for (const char c : bytes) {
        hash ^= static_cast<quint8>(c);
        hash *= 16777619u;
    }
    // Zero means "no identifier", so a name must never land on it.
    return hash == 0 ? 1u : hash;
}

QString displaySignatureEntry(const ScreenInfo& screen)
{
    const QRect& f = screen.frame;
    return QStringLiteral("%1|%2,%3,%4,%5")
        .arg(screen.displayID)
        .arg(f.x())
        .arg(f.y())
        .arg(f.width())
        .arg(f.height());
}

QStringList displaySignature(const QList<ScreenInfo>& screens)
{
    QStringList out;
    out.reserve(screens.size());
    for (const ScreenInfo& s : screens)
        out.append(displaySignatureEntry(s));
    return out;
}

} // namespace nivora
