// Where a speed button's glyph and caption go: the platform's placement rules for each layout,
// margin and spacing, worked out by hand.
#include "host/vcl/Buttons.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

struct LayoutCase {
    const char* Name;
    TRect Client;
    TPoint Offset;
    TPoint Glyph;
    TPoint Text;
    TButtonLayout Layout;
    int Margin;
    int Spacing;
    TPoint GlyphPos;
    TPoint TextPos;
};

// A bar's button is 130 by 28 (client 126 by 24 inside the frame) or 96 by 46 with the glyph on
// top (client 92 by 42); the glyph is 24 by 24, the caption 40 (or 50) by 13.
const LayoutCase kCases[] = {
    {"BarDefaults",
     {2, 2, 128, 26},
     {0, 0},
     {24, 24},
     {40, 13},
     blGlyphLeft,
     2,
     2,
     {4, 2},
     {30, 8}},
    {"Pressed", {2, 2, 128, 26}, {1, 1}, {24, 24}, {40, 13}, blGlyphLeft, 2, 2, {5, 3}, {31, 9}},
    {"GlyphRight",
     {2, 2, 128, 26},
     {0, 0},
     {24, 24},
     {40, 13},
     blGlyphRight,
     2,
     2,
     {102, 2},
     {60, 8}},
    {"GlyphTop", {2, 2, 94, 44}, {0, 0}, {24, 24}, {50, 13}, blGlyphTop, 2, 2, {36, 4}, {23, 30}},
    {"GlyphBottom",
     {2, 2, 94, 44},
     {0, 0},
     {24, 24},
     {50, 13},
     blGlyphBottom,
     2,
     2,
     {36, 18},
     {23, 3}},
    {"CentredTogether",
     {2, 2, 128, 26},
     {0, 0},
     {24, 24},
     {40, 13},
     blGlyphLeft,
     -1,
     2,
     {32, 2},
     {58, 8}},
    {"EvenlySpread",
     {2, 2, 128, 26},
     {0, 0},
     {24, 24},
     {40, 13},
     blGlyphLeft,
     -1,
     -1,
     {22, 2},
     {66, 8}},
    {"SpacingFills",
     {2, 2, 128, 26},
     {0, 0},
     {24, 24},
     {40, 13},
     blGlyphLeft,
     5,
     -1,
     {7, 2},
     {59, 8}},
    // No caption: the spacing is ignored and a centred glyph sits in the middle, the odd pixel
    // going right and down.
    {"GlyphOnlyCentred",
     {2, 2, 21, 20},
     {0, 0},
     {16, 16},
     {0, 0},
     blGlyphLeft,
     -1,
     4,
     {4, 3},
     {20, 11}},
    // No glyph: the caption starts at the margin.
    {"CaptionOnly", {2, 2, 128, 26}, {0, 0}, {0, 0}, {40, 13}, blGlyphLeft, 2, 2, {4, 14}, {4, 8}},
};

class ButtonLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ButtonLayout, PlacesGlyphAndCaption) {
    const LayoutCase& c = GetParam();
    TButtonPlacement p =
        CalcButtonLayout(c.Client, c.Offset, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing);
    EXPECT_EQ(p.GlyphPos, c.GlyphPos);
    EXPECT_EQ((TPoint{p.TextBounds.Left, p.TextBounds.Top}), c.TextPos);
    EXPECT_EQ(p.TextBounds.Width(), c.Text.X);
    EXPECT_EQ(p.TextBounds.Height(), c.Text.Y);
}

INSTANTIATE_TEST_SUITE_P(Cases, ButtonLayout, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
