#pragma once
// The palette pictures' data: 24 rows of 24 colour letters each.

#include "host/designer/PaletteBitmaps.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace host::palette_pictures {

// One letter per colour of the 16-colour palette; '.' is the silver background.
//   k black   m maroon  g green   o olive   n navy    p purple  t teal    . silver
//   d gray    r red     l lime    y yellow  b blue    f fuchsia c aqua    w white
constexpr std::string_view ColourKey = "kmgonpt.drlybfcw";

struct Picture {
    const char* Name;
    std::array<const char*, PaletteBitmapSize> Rows;
};

// The pictures of the catalogue's classes and pages (PalettePictures.cpp).
const Picture* More(size_t& count);

} // namespace host::palette_pictures
