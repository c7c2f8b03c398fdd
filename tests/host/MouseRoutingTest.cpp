// Mouse moves find their control as the windowing system and the component library route them:
// the deepest visible window under the point, clipped by each parent's client area, then the
// graphic child under the point within that window, each in its own client coordinates.
#include "host/designer/Environment.h"
#include "host/win32/Windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Move {
    std::string control;
    int x, y;
    bool operator==(const Move&) const = default;
};

std::vector<Move> Only(const std::string& control, int x, int y) {
    return {{control, x, y}};
}

void PrintTo(const Move& m, std::ostream* os) {
    *os << m.control << " " << m.x << "," << m.y;
}

class MouseRoutingTest : public ::testing::Test {
protected:
    MouseRoutingTest() {
        form = env.NewForm("Form1", 640, 480);
        outer = Place(New<TPanel>(form), form, "Outer", 100, 100, 300, 200);
        inner = Place(New<TPanel>(form), outer, "Inner", 250, 20, 100, 50); // 50 beyond Outer
        label = New<TLabel>(form);
        label->SetName("Label1");
        label->SetParent(outer);
        label->SetBounds(10, 150, 65, 13);
        for (TControl* c : std::vector<TControl*>{form, outer, inner, label})
            c->OnMouseMove = [this](TObject* sender, TShiftState, int x, int y) {
                moves.push_back({static_cast<TComponent*>(sender)->Name(), x, y});
            };
    }
    TPanel* Place(TPanel* panel, TWinControl* parent, const std::string& name, int x, int y, int w,
                  int h) {
        panel->SetName(name);
        panel->SetParent(parent);
        panel->SetBounds(x, y, w, h);
        return panel;
    }
    // What the designer program does for `mouse X Y`, X and Y in the form's client area.
    std::vector<Move> MouseAt(int x, int y) {
        moves.clear();
        Desktop& d = env.desktop();
        TPoint screen = form->ClientToScreen({x, y});
        d.SetCursorPos(screen);
        if (HWND h = d.WindowFromPoint(screen)) {
            TPoint o = d.ClientOriginOnScreen(h);
            d.PostInput(h, WM_MOUSEMOVE, 0, MakeLParam(screen.X - o.X, screen.Y - o.Y));
        }
        d.ProcessMessages();
        return moves;
    }

    DesignEnvironment env;
    TCustomForm* form = nullptr;
    TPanel* outer = nullptr;
    TPanel* inner = nullptr;
    TLabel* label = nullptr;
    std::vector<Move> moves;
};

TEST_F(MouseRoutingTest, EachPointReachesOneControlInItsOwnCoordinates) {
    struct Case {
        const char* where;
        int x, y;
        Move expected;
    };
    const Case cases[] = {
        {"the form", 50, 50, {"Form1", 50, 50}},
        {"a panel", 110, 110, {"Outer", 10, 10}},
        {"a panel's last pixel", 399, 299, {"Outer", 299, 199}},
        {"just past a panel", 400, 150, {"Form1", 400, 150}},
        {"a panel in a panel", 360, 130, {"Inner", 10, 10}},
        {"the inner panel's part past its parent", 420, 130, {"Form1", 420, 130}},
        {"a graphic control", 112, 252, {"Label1", 2, 2}},
        {"beside the graphic control", 180, 252, {"Outer", 80, 152}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(MouseAt(c.x, c.y), std::vector<Move>{c.expected});
    }
}

TEST_F(MouseRoutingTest, HiddenWindowsAreSkippedAndTheTopmostSiblingWins) {
    auto* over = Place(New<TPanel>(form), form, "Over", 150, 150, 100, 100);
    over->OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
        moves.push_back({"Over", x, y});
    };
    EXPECT_EQ(MouseAt(160, 160), Only("Over", 10, 10));
    outer->BringToFront();
    EXPECT_EQ(MouseAt(160, 160), Only("Outer", 60, 60));
    // (A designed control stays in sight when made invisible; its window is hidden directly.)
    env.desktop().ShowWindow(outer->Handle(), false);
    EXPECT_EQ(MouseAt(160, 160), Only("Over", 10, 10));
    EXPECT_EQ(MouseAt(120, 120), Only("Form1", 120, 120));
}

TEST_F(MouseRoutingTest, WindowPartOutsideItsParentsClientAreaIsNotFound) {
    // A bar-like child slid up out of its parent: only its bottom rows are in the parent.
    inner->SetBounds(0, -45, 300, 50);
    Desktop& d = env.desktop();
    EXPECT_EQ(d.WindowFromPoint(outer->ClientToScreen({10, 4})), inner->Handle());
    EXPECT_EQ(d.WindowFromPoint(outer->ClientToScreen({10, 5})), outer->Handle());
    EXPECT_EQ(d.WindowFromPoint(outer->ClientToScreen({10, -1})), form->Handle());
    EXPECT_EQ(MouseAt(110, 102), Only("Inner", 10, 47));
}

} // namespace
