#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QUuid>

namespace nivora {

// A named list of colour integers in ramp order. Every construction gets a fresh
// id, so two palettes with the same name and colours are different values:
// compare names to find out whether a preset is the current palette.
struct WallpaperPalette
{
    WallpaperPalette(QString name, QList<quint32> hex);

    QUuid id;
    QString name;
    QList<quint32> hex;

    QList<QColor> colors() const;

    bool operator==(const WallpaperPalette& other) const
    {
        return id == other.id && name == other.name && hex == other.hex;
    }

    // The 44 presets; the first, "Silver Sage", is the default palette.
    static const QList<WallpaperPalette>& presets();
    // Preset by exact name, or nullptr.
    static const WallpaperPalette* preset(const QString& name);
};

} // namespace nivora
