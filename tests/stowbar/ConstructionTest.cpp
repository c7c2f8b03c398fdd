// A bar's construction: defaults, the data-module guard, the sibling AutoHide rule, the fixed
// menu items, and refused owners.
#include "support/BarFixture.h"

namespace stowtest {

using namespace host;

namespace {

class ConstructionTest : public BarTest {};

TEST_F(ConstructionTest, DroppedBarHasEveryDefault) {
    NewForm();
    TStowbar* bar = DropBar();
    EXPECT_EQ(bar->Name(), "Stowbar1");
    EXPECT_TRUE(bar->AutoHide());
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->AttachSide(), asTop);
    EXPECT_EQ(bar->ButtonWidth(), 130);
    EXPECT_EQ(bar->ButtonHeight(), 28);
    EXPECT_EQ(bar->HiddenBarWidth(), 3);
    EXPECT_EQ(bar->Margin(), 2);
    EXPECT_EQ(bar->Spacing(), 2);
    EXPECT_EQ(bar->ScrollTime(), 400);
    EXPECT_EQ(bar->Layout(), blGlyphLeft);
    EXPECT_TRUE(bar->ShowTitles());
    EXPECT_TRUE(bar->ShowPicture());
    EXPECT_EQ(bar->VersionInfo(), "2.1 (Delphi 3)");
    EXPECT_TRUE(bar->Designing());
    EXPECT_EQ(bar->FormDesigner(), env.Designer());
    EXPECT_TRUE(bar->ControlStyle().contains(csDesignInteractive));
    EXPECT_TRUE(bar->ControlStyle().contains(csOpaque));
    EXPECT_EQ(bar->Parent(), env.Form());
    EXPECT_EQ(bar->TabSet()->Parent(), bar);
    EXPECT_EQ(bar->TabSet()->Height(), 17);
    EXPECT_EQ(bar->TabSet()->Align(), alBottom);
    EXPECT_FALSE(bar->TabSet()->DitherBackground());
    EXPECT_EQ(bar->TabSet()->Owner(), nullptr);
    EXPECT_EQ(bar->EntryCount(), 0);
}

TEST_F(ConstructionTest, VersionInfoKeepsItsShownValue) {
    NewForm();
    TStowbar* bar = DropBar();
    GetPropInfo(bar->ClassType(), "VersionInfo")->SetStr(*bar, "x");
    EXPECT_EQ(bar->VersionInfo(), "2.1 (Delphi 3)");
    EXPECT_EQ(bar->VersionInfoInput(), "x");
    EXPECT_FALSE(GetPropInfo(bar->ClassType(), "VersionInfo")->ShouldWrite(*bar));
}

TEST_F(ConstructionTest, MenuHasSixFixedItems) {
    NewForm();
    TStowbar* bar = DropBar();
    TMenuItem* items = bar->VerbMenu()->Items();
    ASSERT_EQ(items->Count(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(items->Items(i)->Tag(), -1 - i);
        EXPECT_EQ(items->Items(i)->Caption(), "");
        EXPECT_EQ(items->Items(i)->Owner(), bar);
        EXPECT_TRUE(static_cast<bool>(items->Items(i)->OnClick));
    }
    EXPECT_EQ(bar->VerbMenu()->Owner(), bar);
}

TEST_F(ConstructionTest, DataModuleIsRefusedWithTheGuardMessage) {
    env.NewDataModule("DataModule1");
    EXPECT_THROW(designer().Drop(TStowbar::StaticClass(), "", 0, 0), EAbort);
    EXPECT_EQ(env.Root()->ComponentCount(), 0);
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Kind, "message");
    EXPECT_EQ(Dialogs()[0].Text,
              "Stowbar can be used in your TDataModule after you have changed the Class of the "
              "DataModule unit:\r\rFROM THIS:\r   TDataModule1 = class(TDataModule)\rTO THIS:\r"
              "   TDataModule1 = class(TForm)\r\rClose and re-open the module then drop a "
              "Stowbar. Thank you!");
}

TEST_F(ConstructionTest, LongModuleClassNameShortensTheClosingSentence) {
    std::string name = "M" + std::string(30, 'x');
    env.NewDataModule(name);
    EXPECT_THROW(designer().Drop(TStowbar::StaticClass(), "", 0, 0), EAbort);
    ASSERT_EQ(Dialogs().size(), 1u);
    const std::string& text = Dialogs()[0].Text;
    EXPECT_EQ(text.size(), 255u);
    EXPECT_NE(text.find("   T" + name + " = class(TDataModule)\r"), std::string::npos);
    EXPECT_NE(text.find("   T" + name + " = class(TForm)\r\r"), std::string::npos);
    // The closing sentence is cut where the 255 characters end.
    std::string closing = "Close and re-open the module then drop a Stowbar. Thank you!";
    std::string tail = text.substr(text.rfind('\r') + 1);
    EXPECT_LT(tail.size(), closing.size());
    EXPECT_EQ(closing.substr(0, tail.size()), tail);
}

TEST_F(ConstructionTest, OwnersThatAreNotFormsGetAClearException) {
    NewForm();
    try {
        New<TStowbar>(nullptr);
        FAIL() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A TStowbar needs a form as its owner");
    }
    TTimer* timer = Drop<TTimer>();
    try {
        New<TStowbar>(timer);
        FAIL() << "no exception";
    } catch (const EComponentError& e) {
        EXPECT_STREQ(e.what(), "A TStowbar cannot be placed on a TTimer: its owner must be a form");
    }
    EXPECT_EQ(timer->ComponentCount(), 0);
}

TEST_F(ConstructionTest, OutsideTheDesignerABarIsInvisible) {
    TForm* form = New<TForm>(nullptr);
    auto* bar = New<TStowbar>(form);
    EXPECT_FALSE(bar->Designing());
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->FormDesigner(), nullptr);
    form->Free();
}

struct SiblingCase {
    const char* name;
    std::vector<std::pair<stow::TAttachSide, bool>> earlier; // side and AutoHide of earlier bars
    bool autoHide;
    bool hidden;
};

class SiblingRuleTest : public BarTest, public ::testing::WithParamInterface<SiblingCase> {};

TEST_P(SiblingRuleTest, NewBarTakesAutoHideFromBarsOnItsSide) {
    NewForm();
    for (auto [side, autoHide] : GetParam().earlier) {
        TStowbar* b = DropBar();
        b->SetAttachSide(side);
        // Switch this bar alone: the message a bar sends the others of its form.
        env.desktop().SendMessage(b->Handle(), stow::CM_AUTOHIDE, autoHide ? 1 : 0, 0);
        ASSERT_EQ(b->AutoHide(), autoHide);
    }
    TStowbar* bar = DropBar();
    EXPECT_EQ(bar->AutoHide(), GetParam().autoHide);
    EXPECT_EQ(bar->Hidden(), GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SiblingRuleTest,
    ::testing::Values(SiblingCase{"NoSibling", {}, true, true},
                      SiblingCase{"TopSiblingOff", {{asTop, false}}, false, false},
                      SiblingCase{"TopSiblingOn", {{asTop, true}}, true, true},
                      SiblingCase{"LeftIsNoSibling", {{asLeft, false}}, true, true},
                      SiblingCase{"UndockedIsNoSibling", {{asNone, false}}, true, true},
                      SiblingCase{"LastSiblingDecidesButShownStays",
                                  {{asTop, false}, {asTop, true}},
                                  true,
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace stowtest
