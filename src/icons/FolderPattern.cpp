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
        {QT_TRANSLATE_NOOP("FolderPattern", "Pois"),
         QT_TRANSLATE_NOOP("FolderPattern", "Rétro"),
         PatternKind::dots,
         {0xF3E9D2, 0xD9774A}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Pois nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Marine"),
         PatternKind::dots,
         {0x2B3A55, 0xEBD9A6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Damier"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::checker,
         {0xE7EDE3, 0x6E9075}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Arlequin"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::harlequin,
         {0xEAF3F2, 0x2E8B8B, 0x9AD3CE}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Arlequin or"),
         QT_TRANSLATE_NOOP("FolderPattern", "Antique"),
         PatternKind::harlequin,
         {0xF3ECD2, 0xB5862E, 0x8A6A2E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Éclats"),
         QT_TRANSLATE_NOOP("FolderPattern", "Linogravure"),
         PatternKind::triangles,
         {0xF3ECD9, 0x7A2E1E, 0xC0613F}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Étoiles"),
         QT_TRANSLATE_NOOP("FolderPattern", "Nuit"),
         PatternKind::stars,
         {0x37304F, 0xF2C879}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Écailles"),
         QT_TRANSLATE_NOOP("FolderPattern", "Océan"),
         PatternKind::scales,
         {0xEAF6F6, 0x3E9CAB, 0x7FC6C6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Écailles corail"),
         QT_TRANSLATE_NOOP("FolderPattern", "Corail"),
         PatternKind::scales,
         {0xFDEDE4, 0xE2674E, 0xF3A98E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Quadrillage"),
         QT_TRANSLATE_NOOP("FolderPattern", "Bureau"),
         PatternKind::grid,
         {0xF6F0E2, 0x4C6A78}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Rayures"),
         QT_TRANSLATE_NOOP("FolderPattern", "Cabine"),
         PatternKind::stripes,
         {0xF3ECDE, 0xD9774A}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Vichy"),
         QT_TRANSLATE_NOOP("FolderPattern", "Pique-nique"),
         PatternKind::gingham,
         {0xFBF4E6, 0xE2674E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Chevron"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::chevron,
         {0xF1ECDD, 0x2E5A6E, 0xD7A23C}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Terrazzo"),
         QT_TRANSLATE_NOOP("FolderPattern", "Atelier"),
         PatternKind::terrazzo,
         {0xF4EFE3, 0xE2674E, 0x3E9CAB, 0xD7A23C}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Fleurs"),
         QT_TRANSLATE_NOOP("FolderPattern", "Jardin"),
         PatternKind::petals,
         {0xF0F4E8, 0xEF87B0, 0xD7A23C}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Bulles"),
         QT_TRANSLATE_NOOP("FolderPattern", "Festif"),
         PatternKind::bubbles,
         {0xFDEFE6, 0xEF9A7E, 0x6FD6C0}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Mosaïque"),
         QT_TRANSLATE_NOOP("FolderPattern", "Antique"),
         PatternKind::mosaic,
         {0xE8D9B5, 0xB5862E, 0x6E5A3A, 0x9A4B2E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Houle"),
         QT_TRANSLATE_NOOP("FolderPattern", "Bord de mer"),
         PatternKind::waves,
         {0xEAF6FB, 0x4FA3CC, 0x8FCDE6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Confettis"),
         QT_TRANSLATE_NOOP("FolderPattern", "Fête"),
         PatternKind::confetti,
         {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Cœurs"),
         QT_TRANSLATE_NOOP("FolderPattern", "Tendre"),
         PatternKind::hearts,
         {0xFDE7EE, 0xEF6F92}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Pied-de-poule"),
         QT_TRANSLATE_NOOP("FolderPattern", "Couture"),
         PatternKind::houndstooth,
         {0xF1ECDE, 0x2B2722}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Pied-de-poule bleu"),
         QT_TRANSLATE_NOOP("FolderPattern", "Couture"),
         PatternKind::houndstooth,
         {0xE6EAF0, 0x2E4257}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Hachures"),
         QT_TRANSLATE_NOOP("FolderPattern", "Croquis"),
         PatternKind::crosshatch,
         {0xF6F0E2, 0x7A2E1E, 0xC0613F}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Hachures encre"),
         QT_TRANSLATE_NOOP("FolderPattern", "Croquis"),
         PatternKind::crosshatch,
         {0xF1ECDE, 0x2B3A55, 0x4C9BDE}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Zigzag"),
         QT_TRANSLATE_NOOP("FolderPattern", "Graphique"),
         PatternKind::zigzag,
         {0xFBF4E6, 0xE2674E, 0x4C9BDE}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Zigzag menthe"),
         QT_TRANSLATE_NOOP("FolderPattern", "Graphique"),
         PatternKind::zigzag,
         {0xEAF8F0, 0x2C8A63, 0x8FD9B6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Losanges"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::diamonds,
         {0xF3ECD2, 0xB5862E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Losanges nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Marine"),
         PatternKind::diamonds,
         {0x2B3A55, 0xEBD9A6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Nid d'abeille"),
         QT_TRANSLATE_NOOP("FolderPattern", "Ruche"),
         PatternKind::hexagons,
         {0xFFF6D5, 0xFFB740}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Hexagones"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::hexagons,
         {0xEAF6FB, 0x4FA3CC}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Croix"),
         QT_TRANSLATE_NOOP("FolderPattern", "Scandinave"),
         PatternKind::plus,
         {0xF6F0E2, 0xE2674E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Croix marine"),
         QT_TRANSLATE_NOOP("FolderPattern", "Scandinave"),
         PatternKind::plus,
         {0xEAF6FB, 0x2E4257}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Anneaux"),
         QT_TRANSLATE_NOOP("FolderPattern", "Rétro"),
         PatternKind::rings,
         {0xFDEFE6, 0xE2674E, 0x6FD6C0}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Anneaux or"),
         QT_TRANSLATE_NOOP("FolderPattern", "Antique"),
         PatternKind::rings,
         {0xF3ECD2, 0xB5862E, 0x8A6A2E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Fines rayures"),
         QT_TRANSLATE_NOOP("FolderPattern", "Bureau"),
         PatternKind::pinstripe,
         {0xF6F0E2, 0x4C6A78}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Tennis"),
         QT_TRANSLATE_NOOP("FolderPattern", "Cabine"),
         PatternKind::pinstripe,
         {0xEAF6F6, 0x216477}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Feuillage"),
         QT_TRANSLATE_NOOP("FolderPattern", "Jardin"),
         PatternKind::leaves,
         {0xE3ECE2, 0x5E8A5A}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Feuillage automne"),
         QT_TRANSLATE_NOOP("FolderPattern", "Jardin"),
         PatternKind::leaves,
         {0xF7E6C9, 0xB3552A}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Vermicelles"),
         QT_TRANSLATE_NOOP("FolderPattern", "Gourmand"),
         PatternKind::sprinkles,
         {0xFDE7EE, 0xEF6F92, 0x22D3EE, 0xFFC15E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Vermicelles nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Gourmand"),
         PatternKind::sprinkles,
         {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Pois menthe"),
         QT_TRANSLATE_NOOP("FolderPattern", "Pastel"),
         PatternKind::dots,
         {0xEAF8F0, 0x2C8A63}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Pois lavande"),
         QT_TRANSLATE_NOOP("FolderPattern", "Pastel"),
         PatternKind::dots,
         {0xEDE7F6, 0x673AB7}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Damier corail"),
         QT_TRANSLATE_NOOP("FolderPattern", "Pique-nique"),
         PatternKind::checker,
         {0xFDEFE6, 0xE2674E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Étoiles or"),
         QT_TRANSLATE_NOOP("FolderPattern", "Nuit"),
         PatternKind::stars,
         {0x12132E, 0xF2C879}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Écailles nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Océan"),
         PatternKind::scales,
         {0x12233A, 0x4FA3CC, 0x8FCDE6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Cœurs nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Tendre"),
         PatternKind::hearts,
         {0x37304F, 0xEF6F92}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Houle corail"),
         QT_TRANSLATE_NOOP("FolderPattern", "Bord de mer"),
         PatternKind::waves,
         {0xFDEFE6, 0xE2674E, 0xF3A98E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Chevron menthe"),
         QT_TRANSLATE_NOOP("FolderPattern", "Géométrique"),
         PatternKind::chevron,
         {0xEAF8F0, 0x2C8A63, 0x8FD9B6}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Terrazzo nuit"),
         QT_TRANSLATE_NOOP("FolderPattern", "Atelier"),
         PatternKind::terrazzo,
         {0x232033, 0xEC4899, 0x22D3EE, 0xFFC15E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Confettis pastel"),
         QT_TRANSLATE_NOOP("FolderPattern", "Fête"),
         PatternKind::confetti,
         {0xFBF4E6, 0xEF87B0, 0x6FD6C0, 0xFFC15E}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Fleurs bleues"),
         QT_TRANSLATE_NOOP("FolderPattern", "Jardin"),
         PatternKind::petals,
         {0xEAF6FB, 0x4C9BDE, 0xD7A23C}},
        {QT_TRANSLATE_NOOP("FolderPattern", "Mosaïque océan"),
         QT_TRANSLATE_NOOP("FolderPattern", "Antique"),
         PatternKind::mosaic,
         {0xEAF6F6, 0x3E9CAB, 0x216477, 0x7FC6C6}},
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
