#pragma once

namespace nivora {

// Makes HEIC, HEIF and AVIF pictures readable by QImageReader, and so by
// every image wallpaper, picker and icon in the application. Call before the
// first image is read.
void registerImageFormats();

} // namespace nivora
