// What a form file's root is when no unit beside it says: a form, a frame or a data module, told
// from what the file holds; and the unknown classes taken for controls or for non-visual
// components.
#include "host/catalogue/Placeholders.h"
#include "host/classes/FormTree.h"
#include "host/designer/RootKinds.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

TEST(RootKind, FromWhatTheFileHolds) {
    struct Case {
        const char* what;
        const char* text;
        RootKind kind;
    };
    const std::vector<Case> cases = {
        {"a form-only property", "object F: TF\n  Caption = 'x'\nend\n", RootKind::Form},
        {"a tab order on the root", "object F: TF\n  TabOrder = 0\nend\n", RootKind::Frame},
        {"a control child",
         "object F: TF\n  object B: TButton\n    Left = 1\n    Top = 2\n    Width = 75\n"
         "    Height = 25\n    Caption = 'OK'\n  end\nend\n",
         RootKind::Frame},
        {"Width before Height", "object F: TF\n  Width = 9\n  Height = 9\nend\n", RootKind::Form},
        {"Height before Width", "object F: TF\n  Height = 9\n  Width = 9\nend\n",
         RootKind::DataModule},
        // An unknown class with a size and a font, whose Left and Top come after its own
        // properties: a non-visual component's icon position (a code completion proposal).
        {"a sized component placed as an icon",
         "object D: TD\n  Height = 280\n  Width = 509\n"
         "  object P: TProposal\n    Options = [a]\n    Width = 340\n    Font.Name = 'X'\n"
         "    Left = 380\n    Top = 104\n  end\nend\n",
         RootKind::DataModule},
        // A Lazarus control: its anchor sides come before its place.
        {"a Lazarus control with anchors",
         "object D: TD\n  Height = 280\n  Width = 509\n"
         "  object E: TFileEdit\n    AnchorSideLeft.Control = D\n    Left = 5\n    Height = 35\n"
         "    Top = 215\n    Width = 100\n  end\nend\n",
         RootKind::Frame},
    };
    for (const Case& c : cases) {
        FormFile file = ReadFormFile(c.text, "t.dfm");
        EXPECT_EQ(RootKindFromContent(file.root), c.kind) << c.what;
    }
}

} // namespace
