#include "widgets/Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace nivora {

namespace {

const QString nunito = QStringLiteral("Nunito");

bool loadOnce()
{
    bool loaded = false;
    for (const QString& dir : Fonts::searchDirectories()) {
        const QStringList files =
            QDir(dir).entryList({QStringLiteral("nunito-latin-*-normal.woff")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            if (QFontDatabase::addApplicationFont(QDir(dir).filePath(file)) >= 0)
                loaded = true;
        }
        if (loaded)
            break;
    }
    return loaded || QFontDatabase::families().contains(nunito);
}

} // namespace

QStringList Fonts::searchDirectories()
{
    QStringList dirs;
    if (QCoreApplication::instance()) {
        const QString app = QCoreApplication::applicationDirPath();
        dirs << app + QStringLiteral("/../share/nivora/fonts") << app + QStringLiteral("/fonts");
    }
    dirs << QStringLiteral("/usr/share/nivora/fonts")
         << QStringLiteral(NIVORA_SOURCE_DIR "/assets/npm/node_modules/@fontsource/nunito/files");
    return dirs;
}

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
