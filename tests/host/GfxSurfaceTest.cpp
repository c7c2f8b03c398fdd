// The pixel surface: clipping and origin, fills and lines, blits, and DrawEdge's pixel rules.

#include "host/win32/Surface.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <ostream>
#include <string>
#include <vector>

using namespace host;

namespace {

constexpr Colour Paper = 0x123456;

// clang-format off
// Every system colour distinct, so a test sees which role painted a pixel.
const EdgeColours Scheme{/*Face*/ 0xF00001, /*Highlight*/ 0xF00002, /*Shadow*/ 0xF00003,
                         /*DarkShadow*/ 0xF00004, /*Light*/ 0xF00005, /*Window*/ 0xF00006,
                         /*WindowFrame*/ 0xF00007};

// clang-format on

char letterOf(Colour c) {
    static const std::map<Colour, char> letters = {{Paper, '-'},
                                                   {Scheme.Face, 'F'},
                                                   {Scheme.Highlight, 'H'},
                                                   {Scheme.Shadow, 'S'},
                                                   {Scheme.DarkShadow, 'K'},
                                                   {Scheme.Light, 'L'},
                                                   {Scheme.Window, 'W'},
                                                   {Scheme.WindowFrame, 'M'},
                                                   {0xFF0000, 'r'},
                                                   {0x0000FF, 'b'},
                                                   {0x00FF00, 'g'}};
    auto it = letters.find(c);
    return it == letters.end() ? '?' : it->second;
}

std::vector<std::string> picture(const Surface& s) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x)
            row += letterOf(s.RawPixel(x, y));
        rows.push_back(row);
    }
    return rows;
}

struct EdgeCase {
    const char* name;
    unsigned edge;
    unsigned flags;
    bool result;
    std::vector<std::string> expected; // the 8x8 surface after drawing into (1,1)-(7,7)
};

// clang-format off
const EdgeCase EdgeCases[] = {
    {"raised",
     EDGE_RAISED, BF_RECT, true,
     {"--------",
      "-LLLLLK-",
      "-LHHHSK-",
      "-LH--SK-",
      "-LH--SK-",
      "-LSSSSK-",
      "-KKKKKK-",
      "--------"}},
    {"sunken",
     EDGE_SUNKEN, BF_RECT, true,
     {"--------",
      "-SSSSSH-",
      "-SKKKLH-",
      "-SK--LH-",
      "-SK--LH-",
      "-SLLLLH-",
      "-HHHHHH-",
      "--------"}},
    {"etched",
     EDGE_ETCHED, BF_RECT, true,
     {"--------",
      "-SSSSSH-",
      "-SHHHSH-",
      "-SH--SH-",
      "-SH--SH-",
      "-SSSSSH-",
      "-HHHHHH-",
      "--------"}},
    {"bump",
     EDGE_BUMP, BF_RECT, true,
     {"--------",
      "-LLLLLK-",
      "-LKKKLK-",
      "-LK--LK-",
      "-LK--LK-",
      "-LLLLLK-",
      "-KKKKKK-",
      "--------"}},
    {"raised outer alone",
     BDR_RAISEDOUTER, BF_RECT, true,
     {"--------",
      "-LLLLLK-",
      "-L----K-",
      "-L----K-",
      "-L----K-",
      "-L----K-",
      "-KKKKKK-",
      "--------"}},
    {"raised inner alone takes the outer line",
     BDR_RAISEDINNER, BF_RECT, true,
     {"--------",
      "-HHHHHS-",
      "-H----S-",
      "-H----S-",
      "-H----S-",
      "-H----S-",
      "-SSSSSS-",
      "--------"}},
    {"sunken outer alone",
     BDR_SUNKENOUTER, BF_RECT, true,
     {"--------",
      "-SSSSSH-",
      "-S----H-",
      "-S----H-",
      "-S----H-",
      "-S----H-",
      "-HHHHHH-",
      "--------"}},
    {"top and left only: inner lines run to the far ends",
     EDGE_RAISED, BF_TOPLEFT, true,
     {"--------",
      "-LLLLLL-",
      "-LHHHHH-",
      "-LH-----",
      "-LH-----",
      "-LH-----",
      "-LH-----",
      "--------"}},
    {"bottom and right only",
     EDGE_RAISED, BF_BOTTOMRIGHT, true,
     {"--------",
      "-----SK-",
      "-----SK-",
      "-----SK-",
      "-----SK-",
      "-SSSSSK-",
      "-KKKKKK-",
      "--------"}},
    {"bottom and left: the bottom inner line stops short of the left inner line",
     EDGE_RAISED, BF_BOTTOMLEFT, true,
     {"--------",
      "-LH-----",
      "-LH-----",
      "-LH-----",
      "-LH-----",
      "-LSSSSS-",
      "-KKKKKK-",
      "--------"}},
    {"top alone",
     EDGE_SUNKEN, BF_TOP, true,
     {"--------",
      "-SSSSSS-",
      "-KKKKKK-",
      "--------",
      "--------",
      "--------",
      "--------",
      "--------"}},
    {"right alone",
     EDGE_SUNKEN, BF_RIGHT, true,
     {"--------",
      "-----LH-",
      "-----LH-",
      "-----LH-",
      "-----LH-",
      "-----LH-",
      "-----LH-",
      "--------"}},
    {"top and right: the corner belongs to the right",
     EDGE_RAISED, BF_TOPRIGHT, true,
     {"--------",
      "-LLLLLK-",
      "-HHHHSK-",
      "-----SK-",
      "-----SK-",
      "-----SK-",
      "-----SK-",
      "--------"}},
    {"middle fills with the face",
     EDGE_SUNKEN, BF_RECT | BF_MIDDLE, true,
     {"--------",
      "-SSSSSH-",
      "-SKKKLH-",
      "-SKFFLH-",
      "-SKFFLH-",
      "-SLLLLH-",
      "-HHHHHH-",
      "--------"}},
    {"soft",
     EDGE_RAISED, BF_RECT | BF_SOFT, true,
     {"--------",
      "-HHHHHK-",
      "-HLLLSK-",
      "-HL--SK-",
      "-HL--SK-",
      "-HSSSSK-",
      "-KKKKKK-",
      "--------"}},
    {"flat",
     EDGE_SUNKEN, BF_RECT | BF_FLAT | BF_MIDDLE, true,
     {"--------",
      "-SSSSSS-",
      "-SFFFFS-",
      "-SFFFFS-",
      "-SFFFFS-",
      "-SFFFFS-",
      "-SSSSSS-",
      "--------"}},
    {"mono",
     EDGE_RAISED, BF_RECT | BF_MONO | BF_MIDDLE, true,
     {"--------",
      "-MMMMMM-",
      "-MWWWWM-",
      "-MWWWWM-",
      "-MWWWWM-",
      "-MWWWWM-",
      "-MMMMMM-",
      "--------"}},
    {"raised and sunken outer at once draws nothing and fills nothing",
     BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE, false,
     {"--------",
      "--------",
      "--------",
      "--------",
      "--------",
      "--------",
      "--------",
      "--------"}},
};
// clang-format on

void PrintTo(const EdgeCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawEdgeRules : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(DrawEdgeRules, PaintsTheWin95Pixels) {
    const EdgeCase& c = GetParam();
    Surface s(8, 8, Paper);
    PixelRect r{1, 1, 7, 7};
    EXPECT_EQ(s.DrawEdge(r, c.edge, c.flags, Scheme), c.result);
    EXPECT_EQ(picture(s), c.expected);
    EXPECT_EQ(r, (PixelRect{1, 1, 7, 7})) << "without BF_ADJUST the rectangle stays";
}

INSTANTIATE_TEST_SUITE_P(Edges, DrawEdgeRules, ::testing::ValuesIn(EdgeCases),
                         [](const auto& info) {
                             std::string n;
                             for (const char* p = info.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

TEST(DrawEdge, AdjustShrinksByTheEdgeWidthOnTheNamedSides) {
    struct Case {
        unsigned edge, flags;
        PixelRect after;
    } cases[] = {
        {EDGE_RAISED, BF_RECT | BF_ADJUST, {3, 3, 7, 7}},
        {EDGE_SUNKEN, BF_LEFT | BF_TOP | BF_ADJUST, {3, 3, 9, 9}},
        {BDR_SUNKENOUTER, BF_RECT | BF_ADJUST, {2, 2, 8, 8}},
        {BDR_RAISEDINNER, BF_BOTTOM | BF_ADJUST, {1, 1, 9, 8}},
        {EDGE_RAISED, BF_RIGHT | BF_ADJUST | BF_FLAT, {1, 1, 7, 9}},
    };
    for (const Case& c : cases) {
        Surface s(10, 10, Paper);
        PixelRect r{1, 1, 9, 9};
        s.DrawEdge(r, c.edge, c.flags, Scheme);
        EXPECT_EQ(r, c.after) << "edge " << c.edge << " flags " << c.flags;
    }
}

TEST(DrawEdge, FollowsTheOriginAndStaysInsideTheClip) {
    Surface s(12, 12, Paper);
    s.SetOrigin(4, 4);
    s.IntersectClipRect({0, 0, 3, 8});
    PixelRect r{0, 0, 6, 6};
    s.DrawEdge(r, EDGE_RAISED, BF_RECT, Scheme);
    EXPECT_EQ(letterOf(s.RawPixel(4, 4)), 'L');
    EXPECT_EQ(letterOf(s.RawPixel(5, 5)), 'H');
    EXPECT_EQ(letterOf(s.RawPixel(6, 9)), 'K') << "bottom line inside the clip";
    EXPECT_EQ(letterOf(s.RawPixel(9, 4)), '-') << "right line lies outside the clip";
    EXPECT_EQ(letterOf(s.RawPixel(7, 9)), '-');
}

TEST(SurfaceClip, OriginMovesDrawingAndClipCutsIt) {
    Surface s(10, 10, Paper);
    s.SetOrigin(3, 2);
    s.FillRect({0, 0, 2, 2}, 0xFF0000);
    EXPECT_EQ(s.RawPixel(3, 2), 0xFF0000u);
    EXPECT_EQ(s.RawPixel(4, 3), 0xFF0000u);
    EXPECT_EQ(s.RawPixel(2, 2), Paper);
    EXPECT_EQ(s.RawPixel(5, 2), Paper);
    EXPECT_EQ(s.GetPixel(0, 0), 0xFF0000u) << "GetPixel reads in logical coordinates";

    s.IntersectClipRect({1, 1, 4, 4}); // surface 4..6, 3..5
    EXPECT_EQ(s.ClipRect(), (PixelRect{4, 3, 7, 6}));
    s.FillRect({-100, -100, 100, 100}, 0x0000FF);
    int blue = 0;
    for (Colour c : s.Pixels())
        blue += c == 0x0000FF;
    EXPECT_EQ(blue, 9);
    EXPECT_EQ(s.GetPixel(0, 0), ColourInvalid) << "outside the clip";
    s.SetPixel(0, 0, 0x00FF00);
    EXPECT_EQ(s.RawPixel(3, 2), 0xFF0000u) << "SetPixel outside the clip is ignored";
}

TEST(SurfaceClip, ClipNeverLeavesTheSurfaceAndStateRestores) {
    Surface s(6, 4, Paper);
    const Surface::State saved = s.SaveState();
    s.SetClipRect({-5, -5, 50, 50});
    EXPECT_EQ(s.ClipRect(), (PixelRect{0, 0, 6, 4}));
    s.SetOrigin(-10, 20);
    s.IntersectClipRect({10, -20, 12, -18});
    EXPECT_EQ(s.ClipRect(), (PixelRect{0, 0, 2, 2}));
    s.IntersectClipRect({100, 100, 101, 101});
    EXPECT_TRUE(s.ClipRect().IsEmpty());
    s.FillRect({-1000, -1000, 1000, 1000}, 0xFF0000);
    EXPECT_EQ(s, Surface(6, 4, Paper)) << "an empty clip draws nothing";
    s.RestoreState(saved);
    EXPECT_EQ(s.OriginX(), 0);
    EXPECT_EQ(s.ClipRect(), (PixelRect{0, 0, 6, 4}));
}

TEST(SurfaceLines, EndPointsFollowTheHalfOpenRule) {
    Surface s(6, 6, Paper);
    s.HLine(1, 4, 0, 0xFF0000);
    s.VLine(5, 2, 5, 0x0000FF);
    s.HLine(4, 1, 1, 0xFF0000); // reversed: nothing
    s.FrameRect({0, 2, 4, 6}, 0x00FF00);
    EXPECT_EQ(picture(s), (std::vector<std::string>{"-rrr--", "------", "gggg-b", "g--g-b",
                                                    "g--g-b", "gggg--"}));
}

TEST(SurfaceFocusRect, AlternatesPixelsAndUndoesItself) {
    Surface s(7, 5, 0x000000);
    s.DrawFocusRect({1, 1, 6, 5});
    std::vector<std::string> rows;
    for (int y = 0; y < 5; ++y) {
        std::string row;
        for (int x = 0; x < 7; ++x)
            row += s.RawPixel(x, y) == 0xFFFFFF ? '#' : '.';
        rows.push_back(row);
    }
    EXPECT_EQ(rows, (std::vector<std::string>{".......", ".#.#.#.", "......." /* odd sums */,
                                              ".#...#.", "..#.#.."}));
    s.DrawFocusRect({1, 1, 6, 5});
    EXPECT_EQ(s, Surface(7, 5, 0x000000));
}

TEST(SurfaceDotGrid, DotsSitOnLogicalMultiplesOfTheStep) {
    Surface s(20, 12, Paper);
    s.SetOrigin(-3, 2); // logical (8, 0) is surface (5, 2)
    s.DrawDotGrid({-10, -2, 30, 30}, 8, 0xFF0000);
    std::vector<std::pair<int, int>> dots;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.RawPixel(x, y) == 0xFF0000)
                dots.emplace_back(x, y);
    EXPECT_EQ(dots, (std::vector<std::pair<int, int>>{{5, 2}, {13, 2}, {5, 10}, {13, 10}}));

    Surface t(9, 1, Paper);
    t.DrawDotGrid({1, 0, 8, 1}, 8, 0xFF0000);
    EXPECT_EQ(picture(t)[0], "---------") << "neither 0 nor 8 lies inside [1, 8)";
}

TEST(SurfaceDraw, TransparentColourIsLeftOutAndEdgesAreCut) {
    Surface src(3, 2, 0xFF0000);
    src.SetPixel(1, 0, 0x00FF00);
    src.SetPixel(0, 1, 0x00FF00);

    Surface s(4, 3, Paper);
    s.Draw(2, 2, src, 0x00FF00u); // hangs over the right and bottom
    s.Draw(-2, -1, src);          // hangs over the left and top
    EXPECT_EQ(picture(s), (std::vector<std::string>{"r---", "----", "--r-"}));
}

TEST(SurfaceDraw, PartOfTheSourceLandsAtTheOriginShiftedPoint) {
    Surface src(4, 4, 0x0000FF);
    src.FillRect({2, 2, 4, 4}, 0xFF0000);
    Surface s(5, 5, Paper);
    s.SetOrigin(1, 1);
    s.Draw(0, 0, src, PixelRect{1, 1, 6, 6}); // cut to the source: (1,1)-(4,4)
    EXPECT_EQ(picture(s), (std::vector<std::string>{"-----", "-bbb-", "-brr-", "-brr-", "-----"}));
}

} // namespace

namespace {

std::vector<std::string> ink(const Surface& s, Colour c) {
    std::vector<std::string> rows;
    for (int y = 0; y < s.Height(); ++y) {
        std::string row;
        for (int x = 0; x < s.Width(); ++x)
            row += s.RawPixel(x, y) == c ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(SurfaceLine, LeavesOutTheEndPointInEveryDirection) {
    Surface s(7, 7, Paper);
    s.Line(0, 0, 4, 4, 0xFF0000); // down-right diagonal
    s.Line(6, 0, 6, 3, 0xFF0000); // down
    s.Line(3, 6, 0, 6, 0xFF0000); // leftwards
    s.Line(6, 6, 4, 4, 0xFF0000); // up-left: (4, 4) is the end, not drawn twice
    s.Line(2, 2, 2, 2, 0x0000FF); // empty
    EXPECT_EQ(ink(s, 0xFF0000),
              (std::vector<std::string>{"#.....#", ".#....#", "..#...#", "...#...", ".......",
                                        ".....#.", ".###..#"}));
}

TEST(SurfacePolygon, PixelCentresDecideAndRectanglesMatchFillRect) {
    Surface a(8, 6, Paper), b(8, 6, Paper);
    a.FillPolygon({{1, 1}, {6, 1}, {6, 5}, {1, 5}}, 0xFF0000);
    b.FillRect({1, 1, 6, 5}, 0xFF0000);
    EXPECT_EQ(a, b);

    Surface t(9, 5, Paper); // a tab: trapezoid wider at the top
    t.FillPolygon({{0, 0}, {9, 0}, {6, 4}, {3, 4}}, 0xFF0000);
    EXPECT_EQ(ink(t, 0xFF0000), (std::vector<std::string>{"#########", ".#######.", "..#####..",
                                                          "...###...", "........."}));

    Surface far(4, 4, Paper); // far-away corners are cut to the clip without overflow
    far.SetOrigin(1, 1);
    far.FillPolygon({{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}},
                    0xFF0000);
    EXPECT_EQ(far.RawPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(far.RawPixel(3, 3), 0xFF0000u);
}

TEST(SurfaceInvert, InvertsInsideTheClipOnly) {
    Surface s(3, 2, 0x123456);
    s.IntersectClipRect({1, 0, 3, 1});
    s.InvertRect({0, 0, 3, 2});
    EXPECT_EQ(s.RawPixel(0, 0), 0x123456u);
    EXPECT_EQ(s.RawPixel(1, 0), 0xEDCBA9u);
    EXPECT_EQ(s.RawPixel(2, 1), 0x123456u);
    s.InvertRect({0, 0, 3, 2});
    EXPECT_EQ(s, Surface(3, 2, 0x123456));
}

} // namespace
