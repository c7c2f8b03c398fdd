// The palette pictures of the standard components.

#include "host/designer/PaletteBitmaps.h"

#include "host/win32/Dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace host;

namespace {

TEST(PaletteBitmaps, TheStandardNonVisualAndControlClassesHavePictures) {
    const std::vector<std::string> expected = {
        "TTIMER",      "TOPENDIALOG",  "TSAVEDIALOG",  "TDATASOURCE", "TTABLE",
        "TMAINMENU",   "TPOPUPMENU",   "TIMAGELIST",   "TBUTTON",     "TPANEL",
        "TSTATUSBAR",  "TQUERY",       "TCOMPONENT",   "TACTIONLIST", "TDATABASE",
        "TFONTDIALOG", "TCOLORDIALOG", "TPRINTDIALOG", "TFINDDIALOG", "TAPPLICATIONEVENTS"};
    EXPECT_EQ(PaletteBitmapNames(), expected);
}

TEST(PaletteBitmaps, EachIsA24Square4BitDibWithASilverCorner) {
    std::set<std::vector<Colour>> seen;
    for (const std::string& name : PaletteBitmapNames()) {
        const std::vector<uint8_t> dib = PaletteBitmapDib(name);
        ASSERT_EQ(dib.size(), 392u) << name;
        const Surface s = DecodeDib(dib);
        ASSERT_EQ(s.Width(), 24) << name;
        ASSERT_EQ(s.Height(), 24) << name;
        EXPECT_EQ(s.RawPixel(0, 23), colours::Silver) << name << ": the transparent colour";
        EXPECT_EQ(PaletteBitmapSurface(name), s) << name;
        const auto drawn = std::count_if(s.Pixels().begin(), s.Pixels().end(),
                                         [](Colour c) { return c != colours::Silver; });
        EXPECT_GT(drawn, 60) << name << " is nearly empty";
        EXPECT_TRUE(seen.insert(s.Pixels()).second) << name << " repeats another picture";
    }
}

TEST(PaletteBitmaps, FieldsAndUnknownClassesHaveNone) {
    for (const char* name :
         {"TSTRINGFIELD", "TINTEGERFIELD", "TFIELD", "TFORM", "TSTOWBAR", "", "TTIMER2", "TIMER"}) {
        EXPECT_TRUE(PaletteBitmapDib(name).empty()) << name;
        EXPECT_EQ(PaletteBitmapSurface(name).Width(), 0) << name;
    }
}

TEST(PaletteBitmaps, NamesMatchWithoutRegardToCase) {
    EXPECT_EQ(PaletteBitmapDib("TTimer"), PaletteBitmapDib("TTIMER"));
    EXPECT_EQ(PaletteBitmapDib("tquery"), PaletteBitmapDib("TQUERY"));
}

} // namespace
