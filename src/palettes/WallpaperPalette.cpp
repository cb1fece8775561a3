#include "palettes/WallpaperPalette.h"

#include "palettes/ColorHex.h"

namespace nivora {

WallpaperPalette::WallpaperPalette(QString name_, QList<quint32> hex_)
    : id(QUuid::createUuid()), name(std::move(name_)), hex(std::move(hex_))
{
}

QList<QColor> WallpaperPalette::colors() const
{
    QList<QColor> out;
    out.reserve(hex.size());
    for (quint32 v : hex)
        out.append(colorFromHex(v));
    return out;
}

const QList<WallpaperPalette>& WallpaperPalette::presets()
{
    struct Row
    {
        const char* name;
        quint32 hex[5];
    };
    static const Row rows[] = {
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Silver Sage"),
         {0xE0E2DB, 0xD2D4C8, 0xB8BDB5, 0x889696, 0x5F7470}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Aurore boréale"),
         {0xE6FBF3, 0xB6F0DC, 0x6FD6C0, 0x2FB6A6, 0x1E6E7E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Bleu industriel"),
         {0xE6EAF0, 0xC2CCDA, 0x8FA3BF, 0x53708F, 0x2E4257}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Crépuscule"),
         {0xF7D9C4, 0xE7A89B, 0xC76B98, 0x6D4A8F, 0x2E2A57}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Lavande"),
         {0xEDE7F6, 0xD1C4E9, 0xB39DDB, 0x9575CD, 0x673AB7}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Corail"), {0xFDE7DD, 0xF7C5AE, 0xEF9A7E, 0xE2674E, 0xB23A2E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Forêt"), {0xE3ECE2, 0xC2D4BE, 0x94B58C, 0x5E8A5A, 0x356135}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Sorbet"), {0xFFF0D9, 0xFFD3A5, 0xFCA17D, 0xDA627D, 0x9A348E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Océan"), {0xEAF6F6, 0xB8E0E0, 0x7FC6C6, 0x3E9CAB, 0x216477}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Crayon"), {0xF2D7A0, 0xF09A5A, 0xE2604E, 0x4C9BDE, 0x46B97E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Sakura"), {0xF9E3EC, 0xF3C0D4, 0xE89BB8, 0xD96A93, 0xA33E66}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Agrumes"),
         {0xFFF6D5, 0xFFE08A, 0xFFB740, 0xFF8C42, 0xE0592A}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Vaporwave"),
         {0xF8E1F4, 0xF3B0E0, 0xC499F2, 0x8A6FE8, 0x5A4FCF}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Terre cuite"),
         {0xF3E1D2, 0xE3B7A0, 0xC98A6E, 0xA45F45, 0x6E3B2A}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Menthe"), {0xEAF8F0, 0xC2EBD7, 0x8FD9B6, 0x56BE8E, 0x2C8A63}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Rubis"), {0xF7DCE0, 0xEEA0AB, 0xDE5C6E, 0xB82E45, 0x7A152B}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Sable"), {0xF6ECD6, 0xE9D2A6, 0xD6B16E, 0xB98A45, 0x8A5E2A}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Nuit étoilée"),
         {0xD7E3FF, 0x8FA8E0, 0x4E5FAE, 0x2B2F6B, 0x12132E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Émeraude"),
         {0xE3F5EC, 0xA9E0C4, 0x5FC79A, 0x1FA875, 0x0B6E4F}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Glacier"),
         {0xEAF6FB, 0xC2E5F2, 0x8FCDE6, 0x4FA3CC, 0x2A6E91}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Automne"),
         {0xF7E6C9, 0xE8B96B, 0xD98A3D, 0xB3552A, 0x7A2E1E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Néon nuit"),
         {0x0B0B16, 0x1E1B3A, 0x6D28D9, 0xEC4899, 0x22D3EE}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Pêche"), {0xFFF1E6, 0xFFD9BE, 0xFFB38A, 0xF98866, 0xD9594C}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Indigo"), {0xE7E9F5, 0xBCC2E8, 0x8088CE, 0x4A4F93, 0x262A5C}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Mojito"), {0xF1FAE5, 0xCDEBA6, 0x9CD66A, 0x5FA63C, 0x356B22}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Cacao"), {0xF3E9E1, 0xD9BBA6, 0xB68A6E, 0x855A40, 0x4A2E1F}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Mer Égée"),
         {0xEAF7FB, 0xB7E2EE, 0x6FC2DA, 0x2E8FB5, 0x14566F}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Tropical"),
         {0xFFF6D8, 0xFFD56B, 0x4ECB8E, 0x1FA0A6, 0x195B7E}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Myrtille"),
         {0xEFE9F4, 0xCBB8E0, 0x9778C2, 0x5E3D93, 0x32184F}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Or rose"),
         {0xFCEDE9, 0xF3CDC4, 0xE2A597, 0xC57863, 0x944B3B}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Pistache"),
         {0xF3F6E2, 0xD7E2A6, 0xB1C96E, 0x80994A, 0x4E632B}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Améthyste"),
         {0xF1EAFB, 0xD3BCF0, 0xAE86E2, 0x7E4ECB, 0x4A1E8F}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Cuivre"), {0xFBEEE0, 0xEFC79E, 0xDC9A5E, 0xB66A33, 0x7A3F1C}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Ardoise"),
         {0xECEFF1, 0xC4CDD3, 0x90A0AA, 0x586870, 0x2E3A40}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Flamant"),
         {0xFFEDF2, 0xFFC3D6, 0xFB8FB3, 0xE85688, 0xAE2A5C}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Jade"), {0xE6F5EF, 0xB3E0CE, 0x6FC3A4, 0x2E9670, 0x135743}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Caramel"),
         {0xFBF0DD, 0xF0CE94, 0xDFA64F, 0xB9772A, 0x7C4A18}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Pervenche"),
         {0xEDF0FC, 0xC6CFF4, 0x93A4E6, 0x5A6FCB, 0x303E91}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Mangue"), {0xFFF7DB, 0xFFE08A, 0xFFBA3E, 0xF38B1C, 0xC85A14}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Lilas givré"),
         {0xF6F0FA, 0xDDCBEC, 0xBFA0DA, 0x9670BE, 0x624089}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Forêt profonde"),
         {0xE5EFE6, 0xB6D2BA, 0x77A87F, 0x40724B, 0x1E3D27}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Brume rosée"),
         {0xFBF2F4, 0xEDD6DC, 0xD6A9B6, 0xB07A8C, 0x744A5B}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Récif"), {0xEAFBF7, 0xB7ECDD, 0x6FD0BC, 0x2E9C97, 0x125E66}},
        {QT_TRANSLATE_NOOP("WallpaperPalette", "Tournesol"),
         {0xFFF8D6, 0xFCE08C, 0xF4B53C, 0xD97A2B, 0x7E4A1E}},
    };
    // Built once, on first use; function-local statics are thread-safe.
    static const QList<WallpaperPalette> list = [] {
        QList<WallpaperPalette> l;
        for (const Row& r : rows)
            l.append(WallpaperPalette(QString::fromUtf8(r.name),
                                      QList<quint32>(std::begin(r.hex), std::end(r.hex))));
        return l;
    }();
    return list;
}

const WallpaperPalette* WallpaperPalette::preset(const QString& name)
{
    for (const WallpaperPalette& p : presets()) {
        if (p.name == name)
            return &p;
    }
    return nullptr;
}

} // namespace nivora
