#pragma once

#include <QString>
#include <QtGlobal>

namespace nivora {

// Derives a stable drawing seed from a text (a name, a title, an identifier), so
// that each labelled element gets its own wobble that never changes between
// launches. FNV-1a over the UTF-8 bytes, but started from 0x14650FB0739D0383
// instead of the usual offset basis; existing seeds depend on that constant.
quint64 sketchSeed(QStringView text);
quint64 sketchSeed(const QByteArray& utf8);

} // namespace nivora
