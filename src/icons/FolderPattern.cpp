#include "icons/FolderPattern.h"

namespace nivora {

FolderPattern::FolderPattern(const QString& name, const QString& category, PatternKind kind,
                             const QList<QColor>& colors)
    : m_id(QUuid::createUuid()), m_name(name), m_category(category), m_kind(kind), m_colors(colors)
{
}

namespace {

struct Preset
{
    const char* name;
    const char* category;
    PatternKind kind;
    QList<quint32> colors;
};

QList<FolderPattern> buildPresets()
{
    // Ground colour first, then the motif colours, as 0xRRGGBB.
    const QList<Preset> table{
        {"Pois", "Rétro", PatternKind::dots, {0xF3E9D2, 0xD9774A}},
        {"Pois nuit", "Marine", PatternKind::dots, {0x2B3A55, 0xEBD9A6}},
        {"Damier", "Géométrique", PatternKind::checker, {0xE7EDE3, 0x6E9075}},
        {"Arlequin", "Géométrique", PatternKind::harlequin, {0xEAF3F2, 0x2E8B8B, 0x9AD3CE}},
        {"Arlequin or", "Antique", PatternKind::harlequin, {0xF3ECD2, 0xB5862E, 0x8A6A2E}},
        {"Éclats", "Linogravure", PatternKind::triangles, {0xF3ECD9, 0x7A2E1E, 0xC0613F}},
        {"Étoiles", "Nuit", PatternKind::stars, {0x37304F, 0xF2C879}},
        {"Écailles", "Océan", PatternKind::scales, {0xEAF6F6, 0x3E9CAB, 0x7FC6C6}},
        {"Écailles corail", "Corail", PatternKind::scales, {0xFDEDE4, 0xE2674E, 0xF3A98E}},
        {"Quadrillage", "Bureau", PatternKind::grid, {0xF6F0E2, 0x4C6A78}},
        {"Rayures", "Cabine", PatternKind::stripes, {0xF3ECDE, 0xD9774A}},
        {"Vichy", "Pique-nique", PatternKind::gingham, {0xFBF4E6, 0xE2674E}},
        {"Chevron", "Géométrique", PatternKind::chevron, {0xF1ECDD, 0x2E5A6E, 0xD7A23C}},
        {"Terrazzo", "Atelier", PatternKind::terrazzo, {0xF4EFE3, 0xE2674E, 0x3E9CAB, 0xD7A23C}},
        {"Fleurs", "Jardin", PatternKind::petals, {0xF0F4E8, 0xEF87B0, 0xD7A23C}},
        {"Bulles", "Festif", PatternKind::bubbles, {0xFDEFE6, 0xEF9A7E, 0x6FD6C0}},
        {"Mosaïque", "Antique", PatternKind::mosaic, {0xE8D9B5, 0xB5862E, 0x6E5A3A, 0x9A4B2E}},
        {"Houle", "Bord de mer", PatternKind::waves, {0xEAF6FB, 0x4FA3CC, 0x8FCDE6}},
        {"Confettis", "Fête", PatternKind::confetti, {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {"Cœurs", "Tendre", PatternKind::hearts, {0xFDE7EE, 0xEF6F92}},
        {"Pied-de-poule", "Couture", PatternKind::houndstooth, {0xF1ECDE, 0x2B2722}},
        {"Pied-de-poule bleu", "Couture", PatternKind::houndstooth, {0xE6EAF0, 0x2E4257}},
        {"Hachures", "Croquis", PatternKind::crosshatch, {0xF6F0E2, 0x7A2E1E, 0xC0613F}},
        {"Hachures encre", "Croquis", PatternKind::crosshatch, {0xF1ECDE, 0x2B3A55, 0x4C9BDE}},
        {"Zigzag", "Graphique", PatternKind::zigzag, {0xFBF4E6, 0xE2674E, 0x4C9BDE}},
        {"Zigzag menthe", "Graphique", PatternKind::zigzag, {0xEAF8F0, 0x2C8A63, 0x8FD9B6}},
        {"Losanges", "Géométrique", PatternKind::diamonds, {0xF3ECD2, 0xB5862E}},
        {"Losanges nuit", "Marine", PatternKind::diamonds, {0x2B3A55, 0xEBD9A6}},
        {"Nid d'abeille", "Ruche", PatternKind::hexagons, {0xFFF6D5, 0xFFB740}},
        {"Hexagones", "Géométrique", PatternKind::hexagons, {0xEAF6FB, 0x4FA3CC}},
        {"Croix", "Scandinave", PatternKind::plus, {0xF6F0E2, 0xE2674E}},
        {"Croix marine", "Scandinave", PatternKind::plus, {0xEAF6FB, 0x2E4257}},
        {"Anneaux", "Rétro", PatternKind::rings, {0xFDEFE6, 0xE2674E, 0x6FD6C0}},
        {"Anneaux or", "Antique", PatternKind::rings, {0xF3ECD2, 0xB5862E, 0x8A6A2E}},
        {"Fines rayures", "Bureau", PatternKind::pinstripe, {0xF6F0E2, 0x4C6A78}},
        {"Tennis", "Cabine", PatternKind::pinstripe, {0xEAF6F6, 0x216477}},
        {"Feuillage", "Jardin", PatternKind::leaves, {0xE3ECE2, 0x5E8A5A}},
        {"Feuillage automne", "Jardin", PatternKind::leaves, {0xF7E6C9, 0xB3552A}},
        {"Vermicelles", "Gourmand", PatternKind::sprinkles, {0xFDE7EE, 0xEF6F92, 0x22D3EE, 0xFFC15E}},
        {"Vermicelles nuit", "Gourmand", PatternKind::sprinkles, {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {"Pois menthe", "Pastel", PatternKind::dots, {0xEAF8F0, 0x2C8A63}},
        {"Pois lavande", "Pastel", PatternKind::dots, {0xEDE7F6, 0x673AB7}},
        {"Damier corail", "Pique-nique", PatternKind::checker, {0xFDEFE6, 0xE2674E}},
        {"Étoiles or", "Nuit", PatternKind::stars, {0x12132E, 0xF2C879}},
        {"Écailles nuit", "Océan", PatternKind::scales, {0x12233A, 0x4FA3CC, 0x8FCDE6}},
        {"Cœurs nuit", "Tendre", PatternKind::hearts, {0x37304F, 0xEF6F92}},
        {"Houle corail", "Bord de mer", PatternKind::waves, {0xFDEFE6, 0xE2674E, 0xF3A98E}},
        {"Chevron menthe", "Géométrique", PatternKind::chevron, {0xEAF8F0, 0x2C8A63, 0x8FD9B6}},
        {"Terrazzo nuit", "Atelier", PatternKind::terrazzo, {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {"Confettis pastel", "Fête", PatternKind::confetti, {0xFBF4E6, 0xEF87B0, 0x6FD6C0, 0xFFC15E}},
        {"Fleurs bleues", "Jardin", PatternKind::petals, {0xEAF6FB, 0x4C9BDE, 0xD7A23C}},
        {"Mosaïque océan", "Antique", PatternKind::mosaic, {0xEAF6F6, 0x3E9CAB, 0x216477, 0x7FC6C6}},
    };

    QList<FolderPattern> presets;
    presets.reserve(static_cast<qsizetype>(table.size()));
    for (const Preset& preset : table) {
        QList<QColor> colors;
        colors.reserve(static_cast<qsizetype>(preset.colors.size()));
        for (const quint32 hex : preset.colors)
            colors.append(QColor(QRgb(hex)));
        presets.append(FolderPattern(QString::fromUtf8(preset.name), QString::fromUtf8(preset.category),
                                     preset.kind, colors));
    }
    return presets;
}

} // namespace

const QList<FolderPattern>& FolderPattern::all()
{
    // A function-local static is initialised exactly once, even when several
    // threads reach it first at the same time.
    static const QList<FolderPattern> presets = buildPresets();
    return presets;
}

const FolderPattern* FolderPattern::find(const QString& name)
{
    for (const FolderPattern& pattern : all()) {
        if (pattern.name() == name)
            return &pattern;
    }
    for (const FolderPattern& pattern : all()) {
        if (pattern.name().compare(name, Qt::CaseInsensitive) == 0)
            return &pattern;
    }
    return nullptr;
}

QString FolderPattern::nameList()
{
    QString text;
    for (const FolderPattern& pattern : all())
        text += QStringLiteral("  %1\n").arg(pattern.name());
    return text;
}

} // namespace nivora
