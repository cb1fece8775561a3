#pragma once

#include <QString>

namespace nivora {

// The icons and fonts compiled into the binary as Qt resources (listed at build
// time from the symbol table in FaceIcons.cpp and the Nunito package). They live
// in a static library, so the resource is registered explicitly before first use
// rather than trusted to a static initialiser the linker may drop.
class BundledAssets
{
public:
    // Registers the resource once; cheap to call again.
    static void ensureLoaded();

    // ":/nivora/icons" — Phosphor files below it keep the package's layout
    // ("fill/play-fill.svg").
    static QString iconRoot();
    // ":/nivora/fonts" — the Nunito WOFF files.
    static QString fontDirectory();
};

} // namespace nivora
