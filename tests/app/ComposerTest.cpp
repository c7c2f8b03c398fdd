// The composer of design-surface pictures: z-order, clipping by the parent's client area, the
// frame, icons out of sight, and the paint target's transparent glyph colour.
#include "host/designer/Environment.h"
#include "host/designer/Renderer.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/SurfaceTarget.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

class Composer : public ::testing::Test {
protected:
    Composer() {
        form = env.NewForm("Form1", 200, 120);
        form->SetColor(clWhite);
    }
    template <class T> T* Drop(const std::string& name, int x, int y) {
        return static_cast<T*>(env.Designer()->Drop(T::StaticClass(), name, x, y));
    }
    Surface Client() {
        RenderScene scene;
        scene.Frame = false;
        env.Designer()->SetSelection({});
        return RenderDesignSurface(*env.Designer(), scene);
    }
    DesignEnvironment env;
    TCustomForm* form = nullptr;
};

TEST_F(Composer, LaterWindowsLieAboveEarlierOnesUntilOneIsRaised) {
    auto* red = Drop<TPanel>("Red", 10, 10);
    red->SetColor(clRed);
    auto* blue = Drop<TPanel>("Blue", 30, 30);
    blue->SetColor(clBlue);
    EXPECT_EQ(Client().RawPixel(40, 40), colours::Blue);
    red->BringToFront();
    EXPECT_EQ(Client().RawPixel(40, 40), colours::Red);
}

TEST_F(Composer, ChildrenAreClippedByTheirParentsClientArea) {
    auto* panel = Drop<TPanel>("Panel1", 10, 10);
    panel->SetBounds(10, 10, 50, 50);
    auto* button = Drop<TButton>("Button1", 0, 0);
    button->SetParent(panel);
    button->SetBounds(30, 30, 75, 25);
    Surface s = Client();
    EXPECT_EQ(s.RawPixel(50, 50), colours::Silver); // the button's face inside the panel
    EXPECT_EQ(s.RawPixel(80, 50), colours::White);  // the form beyond the panel's edge
}

TEST_F(Composer, ClientAreaShowsTheGridAndTheFrameSurroundsIt) {
    Surface client = Client();
    EXPECT_EQ(client.Width(), 200);
    EXPECT_EQ(client.RawPixel(8, 16), colours::Black);
    EXPECT_EQ(client.RawPixel(9, 16), colours::White);
    Surface framed = RenderDesignSurface(*env.Designer());
    EXPECT_EQ(framed.Width(), 200 + TCustomForm::Frame.Left + TCustomForm::Frame.Right);
    EXPECT_EQ(framed.Height(), 120 + TCustomForm::Frame.Top + TCustomForm::Frame.Bottom);
    EXPECT_EQ(framed.RawPixel(40, 10), 0x000080u); // the active caption bar
}

TEST_F(Composer, IconsOutOfSightAreNotDrawnAndHalfHiddenOnesAreCut) {
    const Surface empty = Client();
    Drop<TTimer>("Away", -10000, 0);
    EXPECT_EQ(Client(), empty);
    Drop<TTimer>("Half", -14, 40);
    Surface s = Client();
    EXPECT_EQ(s.RawPixel(13, 50), colours::Black); // the icon's right edge
    EXPECT_EQ(s.RawPixel(14, 50), colours::White); // the form beside it
    EXPECT_EQ(s.RawPixel(13, 70), colours::White); // below it
}

TEST(PaintTarget, GlyphBottomLeftColourIsTransparentAndClipHolds) {
    Surface s(10, 10, colours::White);
    GdiBitmap glyph;
    glyph.Width = 2;
    glyph.Height = 2;
    glyph.Pixels = {colours::Red, colours::Lime, colours::Lime, colours::Lime};
    {
        SurfacePaintTarget target(s, {2, 2}, {0, 0, 3, 10});
        target.Draw(0, 0, glyph, true);
    }
    EXPECT_EQ(s.RawPixel(2, 2), colours::Red);   // drawn at the origin
    EXPECT_EQ(s.RawPixel(2, 3), colours::White); // the bottom-left colour left out
    EXPECT_EQ(s.RawPixel(3, 2), colours::White); // beyond the clip
    // The surface's drawing state is back as it was.
    EXPECT_EQ(s.OriginX(), 0);
    EXPECT_EQ(s.ClipRect(), (PixelRect{0, 0, 10, 10}));
}

} // namespace
