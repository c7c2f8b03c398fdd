#pragma once
// The glyph drawings of the host's bitmap font (see Font.h); internal to Font.cpp and its tests.

#include "host/win32/Font.h"

namespace host::font_data {

struct GlyphSource {
    int Code; // 32..126, or -1 for the fallback glyph
    const char* Rows[BitmapFont::CellHeight];
};

extern const GlyphSource Glyphs[];
extern const int GlyphCount;

} // namespace host::font_data
