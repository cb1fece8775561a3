#pragma once

#include <QFont>
#include <QString>

namespace nivora {

// The faces of the user interface: Nunito (a rounded sans) for every text and
// Noto Color Emoji for emoji. The application calls load() once at start, before
// any window is shown; the other calls load on first use too, so a widget shown
// by a test or a tool still gets Nunito.
class Fonts
{
public:
    // Registers the Nunito weights compiled into the binary with Qt. Returns true when Nunito is
    // available afterwards (bundled or installed on the system); otherwise texts
    // fall back to the system's sans.
    static bool load();

    static QString family();

    // Nunito at `pixelSize` logical pixels and the given weight, with `tracking`
    // extra pixels after each character.
    static QFont font(int pixelSize, QFont::Weight weight, double tracking = 0);
    // Colour emoji at `pixelSize`.
    static QFont emoji(int pixelSize);
};

} // namespace nivora
