#include "assets/Fonts.h"

#include "assets/BundledAssets.h"

#include <QDir>
#include <QFontDatabase>

namespace nivora {

namespace {

const QString nunito = QStringLiteral("Nunito");

bool loadOnce()
{
    BundledAssets::ensureLoaded();
    const QDir dir(BundledAssets::fontDirectory());
    bool loaded = false;
    for (const QString& file : dir.entryList({QStringLiteral("*.woff")}, QDir::Files, QDir::Name)) {
        if (QFontDatabase::addApplicationFont(dir.filePath(file)) >= 0)
            loaded = true;
    }
    return loaded || QFontDatabase::families().contains(nunito);
}

} // namespace

bool Fonts::load()
{
    static const bool available = loadOnce();
    return available;
}

QString Fonts::family()
{
    return nunito;
}

QFont Fonts::font(int pixelSize, QFont::Weight weight, double tracking)
{
    load();
    QFont f(nunito);
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (tracking != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return f;
}

QFont Fonts::emoji(int pixelSize)
{
    QFont f(QStringLiteral("Noto Color Emoji"));
    f.setFamilies({QStringLiteral("Noto Color Emoji"), nunito});
    f.setPixelSize(pixelSize);
    return f;
}

} // namespace nivora
