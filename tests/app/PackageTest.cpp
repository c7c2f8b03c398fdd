// The package as the designer meets it: loaded from next to the program, registering the bar on
// its palette page with its editor, starting and stopping its units once per load, carrying its
// resources, and missed cleanly when it is not there.
#include "app/Session.h"
#include "host/designer/Packages.h"
#include "host/rtl/Units.h"
#include "host/win32/Dib.h"
#include "host/win32/Windows.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include <dlfcn.h>

namespace {

using namespace host;

const std::string Description = "TStowbar Administrate Non-Visual Components";
const std::string Aliases =
    "WinTypes=Windows;WinProcs=Windows;DbiTypes=BDE;DbiProcs=BDE;DbiErrs=BDE;";

class PackageTest : public ::testing::Test {
protected:
    PackageTest() {
        SetUnitObserver([this](std::string_view unit, bool init) {
            trace.push_back((init ? "init " : "fin ") + std::string(unit));
        });
    }
    ~PackageTest() override { SetUnitObserver(nullptr); }

    TPackage& Load() { return env.LoadPackage(app::DefaultPackagePath()); }
    const TResource& Resource(TPackage& p, uint16_t type, const TResId& name) {
        const TResource* r = p.FindResource(type, name);
        if (!r)
            throw std::runtime_error("no resource " + name.ToString());
        return *r;
    }

    std::vector<std::string> trace;
    DesignEnvironment env;
};

TEST_F(PackageTest, RegistersTheBarAloneOnItsPageWithItsPictureAndEditor) {
    TPackage& p = Load();
    const TPalettePage* page = FindPalettePage("Varnowe");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->Classes.size(), 1u);
    const TClass* bar = page->Classes[0];
    EXPECT_EQ(bar->ClassName(), "TStowbar");
    EXPECT_EQ(FindClass("TStowbar"), bar); // drops and form reading find it
    ASSERT_EQ(p.Editors().size(), 1u);
    EXPECT_EQ(p.Editors()[0].first, bar);
    EXPECT_EQ(p.Editors()[0].second->ClassName(), "TStowbarEditor");

    HBITMAP h = PaletteBitmapOf(bar);
    const GdiBitmap* b = env.desktop().Bitmap(h);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Resource, "TSTOWBAR");
    EXPECT_EQ(b->Module, "StowPkg");
    Surface expected = DecodeDib(Resource(p, RT_BITMAP, {0, "TSTOWBAR"}).Data);
    EXPECT_EQ(b->Pixels, expected.Pixels());
    env.desktop().DeleteObject(h);
}

TEST_F(PackageTest, UnitsStartFirstToLastAndStopLastToFirstOncePerLoad) {
    std::vector<std::string> names;
    for (int round = 0; round < 2; ++round) {
        trace.clear();
        TPackage& p = Load();
        names = p.UnitNames();
        ASSERT_EQ(names.size(), 35u);
        EXPECT_EQ(names.front(), "System");
        EXPECT_EQ(names[1], "SysInit");
        EXPECT_EQ(names[33], "Stowbar");
        EXPECT_EQ(names[34], "StowReg");
        std::vector<std::string> expected;
        for (const std::string& n : names)
            expected.push_back("init " + n);
        EXPECT_EQ(trace, expected) << "round " << round;

        // Registration runs after, and apart from, the units' start.
        EXPECT_NE(FindClass("TStowbar"), nullptr);
        trace.clear();
        env.UnloadPackage(p);
        expected.clear();
        for (auto it = names.rbegin(); it != names.rend(); ++it)
            expected.push_back("fin " + *it);
        EXPECT_EQ(trace, expected) << "round " << round;
        EXPECT_EQ(FindClass("TStowbar"), nullptr);
        EXPECT_EQ(FindPalettePage("Varnowe"), nullptr);
        for (TLibModule* m = env.desktop().LibModuleList(); m; m = m->Next)
            EXPECT_NE(m->Name, "StowPkg");
        // The module is really gone, so the next load starts from fresh statics.
        EXPECT_EQ(dlopen(app::DefaultPackagePath().c_str(), RTLD_NOLOAD | RTLD_LAZY), nullptr);
    }
}

TEST_F(PackageTest, ALoadedAgainPackageCollectsAgain) {
    // The table of excluded classes goes with the first unload and must come back with the
    // second load: a bar then collects the timer and still refuses itself.
    env.UnloadPackage(Load());
    app::BarViews bars(Load());
    env.NewForm("Form1");
    env.Designer()->Drop(FindClass("TTimer"), "Timer1", 0, 0);
    TComponent* bar = env.Designer()->Drop(FindClass("TStowbar"), "Stowbar1", 0, 0);
    env.desktop().RunFor(1);
    const stow::IBarView* b = bars.Of(bar);
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->EntryCount(), 1);
    EXPECT_EQ(b->Entry(0)->Name, "Timer1");
}

TEST_F(PackageTest, UnloadIsRefusedWhileABarIsOnTheForm) {
    TPackage& p = Load();
    env.NewForm("Form1");
    env.Designer()->Drop(FindClass("TStowbar"), "Stowbar1", 0, 0);
    try {
        env.UnloadPackage(p);
        FAIL() << "unloaded while Stowbar1 exists";
    } catch (const EPackageError& e) {
        EXPECT_NE(std::string(e.what()).find("Stowbar1"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(p.Loaded());
    env.desktop().RunFor(400); // the bar still works
    env.Close();
    env.UnloadPackage(p);
    EXPECT_EQ(env.Packages().size(), 0u);
}

TEST_F(PackageTest, ASecondLoadOfTheSamePackageIsRefused) {
    Load();
    EXPECT_THROW(Load(), EPackageError);
    EXPECT_EQ(env.Packages().size(), 1u);
}

TEST_F(PackageTest, TheEditorOffersNoVerbsAndItsDefaultActionDoesNothing) {
    Load();
    env.NewForm("Form1");
    TComponent* bar = env.Designer()->Drop(FindClass("TStowbar"), "Stowbar1", 0, 0);
    TComponentEditor* editor = GetComponentEditor(bar, env.Designer());
    EXPECT_EQ(editor->ClassName(), "TStowbarEditor");
    EXPECT_TRUE(editor->InheritsFrom(TComponentEditor::StaticClass()));
    EXPECT_EQ(editor->GetVerbCount(), 0);
    int edits = 0;
    CurrentEditorEvents().OnEdit = [&](TComponent*, const std::string&) { ++edits; };
    const int modified = env.Designer()->ModifiedCount();
    editor->Edit();
    editor->Free();
    CurrentEditorEvents() = {};
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(env.Designer()->ModifiedCount(), modified);
    EXPECT_TRUE(env.dialogs().Shown().empty());
}

// ---------------------------------------------------------------- resources

TEST_F(PackageTest, PaletteBitmapIsA24By24SixteenColourDib) {
    const std::vector<uint8_t>& d = Resource(Load(), RT_BITMAP, {0, "TSTOWBAR"}).Data;
    ASSERT_EQ(d.size(), 392u);
    auto u32 = [&](size_t at) {
        return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | d[at + 3] << 24;
    };
    auto u16 = [&](size_t at) { return d[at] | d[at + 1] << 8; };
    EXPECT_EQ(u32(0), 40);   // header size
    EXPECT_EQ(u32(4), 24);   // width
    EXPECT_EQ(u32(8), 24);   // height: positive, rows bottom-up
    EXPECT_EQ(u16(12), 1);   // planes
    EXPECT_EQ(u16(14), 4);   // bits per pixel
    EXPECT_EQ(u32(16), 0);   // uncompressed
    EXPECT_EQ(u32(20), 288); // 24 rows of 12 bytes
    EXPECT_EQ(u32(32), 0);   // colours used
    EXPECT_EQ(u32(36), 16);  // colours important
    const auto& palette = StandardPalette16();
    for (size_t i = 0; i < 16; ++i) {
        const Colour c = palette[i];
        EXPECT_EQ(d[40 + i * 4], c & 0xFF) << i;
        EXPECT_EQ(d[41 + i * 4], (c >> 8) & 0xFF) << i;
        EXPECT_EQ(d[42 + i * 4], (c >> 16) & 0xFF) << i;
        EXPECT_EQ(d[43 + i * 4], 0) << i;
    }
    // The first pixel stored is the bottom-left one: silver, palette index 7.
    EXPECT_EQ(d[104] >> 4, 7);
    // Black, gray, aqua and white on silver, and nothing else.
    std::set<int> used;
    for (size_t i = 104; i < d.size(); ++i) {
        used.insert(d[i] >> 4);
        used.insert(d[i] & 0xF);
    }
    EXPECT_EQ(used, (std::set<int>{0, 7, 8, 14, 15}));
}

TEST_F(PackageTest, DescriptionAndOptionsHoldTheirTextsExactly) {
    TPackage& p = Load();
    std::vector<uint8_t> description = Utf16Le(Description);
    description.insert(description.end(), {0, 0});
    EXPECT_EQ(Resource(p, RT_RCDATA, {0, "DESCRIPTION"}).Data, description);
    EXPECT_EQ(p.Description(), Description);

    const std::vector<uint8_t>& o = Resource(p, RT_RCDATA, {0, "PACKAGEOPTIONS"}).Data;
    std::vector<uint8_t> texts;
    for (const std::string& t : {Aliases, Description}) {
        texts.push_back(static_cast<uint8_t>(t.size()));
        texts.insert(texts.end(), t.begin(), t.end());
    }
    ASSERT_GT(o.size(), texts.size());
    EXPECT_EQ(std::vector<uint8_t>(o.end() - static_cast<ptrdiff_t>(texts.size()), o.end()), texts);
}

TEST_F(PackageTest, PackageInfoNamesTheKindRequiredPackagesAndUnits) {
    const TPackageInfo& info = Load().Info();
    EXPECT_EQ(info.Flags, pfPackageModule | pfDesignOnly);
    EXPECT_EQ(info.Requires, (std::vector<std::string>{"vclx30", "vcl30"}));
    std::vector<std::string> units;
    for (const auto& u : info.Contains)
        units.push_back(u.Name);
    EXPECT_EQ(units, (std::vector<std::string>{"StowPkg", "Stowbar", "SysInit", "StowReg"}));
    EXPECT_TRUE(info.Contains[0].Flags & ufMainUnit);
}

TEST_F(PackageTest, VersionInformationIs2100) {
    TVersionInfo v = ParseVersionInfo(Resource(Load(), RT_VERSION, {1, {}}).Data);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v.FileVersion[i], i == 0 ? 2 : i == 1 ? 1 : 0);
        EXPECT_EQ(v.ProductVersion[i], v.FileVersion[i]);
    }
    EXPECT_EQ(v.FileFlagsMask, 0x3Fu);
    EXPECT_EQ(v.FileFlags, 0u);
    EXPECT_EQ(v.FileOS, VOS__WINDOWS32);
    EXPECT_EQ(v.FileType, VFT_APP);
    EXPECT_EQ(v.FileSubtype, 0u);
    EXPECT_EQ(v.FileDateMS | v.FileDateLS, 0u);
    EXPECT_EQ(v.StringTableKey, "040904E4");
    const std::vector<std::pair<const char*, const char*>> strings = {
        {"FileDescription", "TStowbar Administrate Non-Visual Components"},
        {"FileVersion", "2.1.0.0"},
        {"ProductName", "Stowbar Package"},
        {"ProductVersion", "2.1"}};
    for (const auto& [key, value] : strings) {
        ASSERT_NE(v.String(key), nullptr) << key;
        EXPECT_EQ(*v.String(key), value) << key;
    }
    EXPECT_EQ(v.Translations, (std::vector<std::pair<uint16_t, uint16_t>>{{0x0409, 0x04E4}}));
}

// ---------------------------------------------------------------- in the designer

struct Played {
    int Rc;
    std::string Err;
};

Played play(app::Session& s, const std::string& script) {
    std::ostringstream err;
    const int rc = s.RunText(script, "test.stow", err);
    return {rc, err.str()};
}

TEST(PackageInDesignerTest, RightClickOnTheBarOffersNoCommandOfTheBar) {
    std::ostringstream out;
    app::Session s(out, ".");
    ASSERT_EQ(s.PackageError(), "");
    ASSERT_EQ(play(s, "new form Form1\ndrop TTimer Timer1\ndrop TStowbar Stowbar1\nwait 1\n"
                      "drop TButton Button1 at 300 300\n")
                  .Rc,
              0);
    out.str("");
    const stow::IBarView* view = s.Bars().Of(s.Root()->FindComponent("Stowbar1"));
    ASSERT_NE(view, nullptr);
    TWinControl* bar = &view->Control();
    Desktop& d = s.env().desktop();
    // Away from the button, on the bar's own face.
    const LPARAM at = MakeLParam(bar->Width() - 4, bar->Height() - 4);
    d.SendMessage(bar->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    d.SendMessage(bar->Handle(), WM_RBUTTONUP, 0, at);
    d.SendMessage(bar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_EQ(out.str(), "menu: Bring To Front | Delete\nchose: none\n");
    ASSERT_EQ(s.env().Designer()->Selection().size(), 1u);
    EXPECT_EQ(s.env().Designer()->Selection()[0]->Name(), "Stowbar1");

    // The same clicks on a button reach the designer too: its default editor makes a handler.
    out.str("");
    auto* button = dyn<TWinControl>(s.Root()->FindComponent("Button1"));
    d.SendMessage(button->Handle(), WM_RBUTTONUP, 0, MakeLParam(2, 2));
    d.SendMessage(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(2, 2));
    EXPECT_EQ(out.str(), "menu: Bring To Front | Delete\nchose: none\nedit: Button1\n");
}

TEST(PackageInDesignerTest, WithoutThePackageTheDesignerRunsAndNamesTheMissingClass) {
    std::ostringstream out;
    app::Session s(out, ".", "/nonexistent/StowPkg.so");
    EXPECT_EQ(s.PackageError(), "Can't load package /nonexistent/StowPkg.so: no such file");
    EXPECT_EQ(
        play(s, "new form Form1\ndrop TTimer Timer1\nexpect /components/0/class \"TTimer\"\n").Rc,
        0);
    Played p = play(s, "drop TStowbar Stowbar1\n");
    EXPECT_EQ(p.Rc, 2);
    EXPECT_EQ(p.Err, "stowdesign: test.stow:1: unknown class TStowbar (the package StowPkg is "
                     "not loaded)\n");
}

} // namespace
