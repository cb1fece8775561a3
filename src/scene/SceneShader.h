#pragma once

namespace nivora {

// The one GLSL program behind every animated wallpaper and every live preview.
//
// The text holds both stages. It carries no #version line: the program cache
// prepends "#version 330 core" and defines NIVORA_VERTEX_STAGE or
// NIVORA_FRAGMENT_STAGE, so that one constant compiles as either stage. The
// stages' entry points are v_main and f_main; each stage's main() only calls its
// entry point.
//
// Inputs of the fragment stage, bound by WallpaperRenderer:
//   uniform block "Scalars" (std140, binding point 0): the 40-byte Scalars record;
//   uniform block "Palette" (std140, binding point 1): five vec4 colours, of
//   which only red, green and blue are read.
// The draw is three vertices as triangles with no vertex buffer.
extern const char* const sceneShaderSource;

} // namespace nivora
