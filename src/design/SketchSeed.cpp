#include "design/SketchSeed.h"

#include <QByteArray>

namespace nivora {

quint64 sketchSeed(const QByteArray& utf8)
{
    quint64 h = 0x14650FB0739D0383ULL;
    for (const char c : utf8) {
        h ^= static_cast<quint8>(c);
        h *= 0x100000001B3ULL;
    }
    return h;
}

quint64 sketchSeed(QStringView text)
{
    return sketchSeed(text.toUtf8());
}

} // namespace nivora
