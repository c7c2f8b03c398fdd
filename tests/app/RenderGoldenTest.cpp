// Golden pictures: scenes of the design surface rendered by session scripts and compared pixel
// for pixel with the committed PNGs in tests/golden. STOW_UPDATE_GOLDEN=1 rewrites the goldens
// from the current pictures on purpose; a failing scene leaves NAME.png and NAME.diff.png (red
// where the pixels differ) in the build folder's golden-actual/.
#include "app/Session.h"
#include "host/win32/Png.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace host;

// An editor with verbs for tables, so that the menus show component verbs.
class TGoldenTableEditor : public TComponentEditor {
    HOST_CLASS(TGoldenTableEditor, TComponentEditor)
public:
    int GetVerbCount() override { return 2; }
    std::string GetVerb(int index) override { return index == 0 ? "Fields Editor..." : "Explore"; }
};
HOST_IMPLEMENT_CLASS(TGoldenTableEditor, TComponentEditor)

struct Scene {
    const char* Name;
    const char* Script; // renders NAME.png into the output folder
};

// Five non-visual components and a bar that has collected them.
#define FIVE_AND_A_BAR                                                                             \
    "new form Form1 400 200\n"                                                                     \
    "drop TTimer Timer1 at 16 16\n"                                                                \
    "drop TTable Customers at 48 16\n"                                                             \
    "drop TDataSource CustomersSource at 80 16\n"                                                  \
    "drop TOpenDialog OpenDialog1 at 112 16\n"                                                     \
    "drop TImageList ImageList1 at 144 16\n"                                                       \
    "drop TStowbar Stowbar1\n"                                                                     \
    "wait 1\n"

// A form of the corpus of real form files (beside the project, in ../shared) with a bar
// dropped on it that has collected its non-visual components and is slid out.
#define CORPUS_FORM_WITH_A_BAR(file, name)                                                         \
    "open \"" STOW_SOURCE_DIR "/../shared/corpus/dfm/" file "\"\n"                                 \
    "drop TStowbar Stowbar1\n"                                                                     \
    "wait 600\n"                                                                                   \
    "mouse 200 1\n"                                                                                \
    "wait 400\n"                                                                                   \
    "select none\n"                                                                                \
    "render " name ".png\n"

const Scene kScenes[] = {
    // A text form, a binary one and a Lazarus one.
    {"corpus_text_search_replace", CORPUS_FORM_WITH_A_BAR("018-HeidiSQL-HeidiSQL-searchreplace.dfm",
                                                          "corpus_text_search_replace")},
    {"corpus_binary_chart_demo",
     CORPUS_FORM_WITH_A_BAR("013-project-jedi-jvcl-JvChartDemoFm.dfm", "corpus_binary_chart_demo")},
    {"corpus_lazarus_multi_rename",
     CORPUS_FORM_WITH_A_BAR("063-doublecmd-doublecmd-fmultirename.lfm",
                            "corpus_lazarus_multi_rename")},
    {"empty_form_icons", "new form Form1 320 200\n"
                         "drop TTimer Timer1 at 16 16\n"
                         "drop TTable Customers at 64 40\n"
                         "drop TOpenDialog OpenDialog1 at 120 80\n"
                         "drop TNestedTable Nested1 at 300 180\n"
                         "drop TImageList ImageList1 at -10000 0\n"
                         "drop TButton Button1 at 200 150\n"
                         "set Button1.Caption 'OK'\n"
                         "drop TLabel Label1 at 16 150\n"
                         "set Label1.Caption 'Name'\n"
                         "select OpenDialog1\n"
                         "render empty_form_icons.png\n"},
    {"top_bar_shown", FIVE_AND_A_BAR "mouse 200 1\n"
                                     "select none\n"
                                     "render top_bar_shown.png\n"},
    {"hidden_strip", FIVE_AND_A_BAR "select none\n"
                                    "render hidden_strip.png\n"},
    {"left_bar_two_columns", "new form Form1 360 200\n"
                             "drop TTimer Timer1\n"
                             "drop TTimer Timer2\n"
                             "drop TTable Table1\n"
                             "drop TQuery Query1\n"
                             "drop TDataSource DataSource1\n"
                             "drop TMainMenu MainMenu1\n"
                             "drop TPopupMenu PopupMenu1\n"
                             "drop TSaveDialog SaveDialog1\n"
                             "drop TStatusBar StatusBar1\n"
                             "drop TStowbar Stowbar1\n"
                             "set Stowbar1.AttachSide asLeft\n"
                             "set Stowbar1.AutoHide False\n"
                             "wait 400\n"
                             "select none\n"
                             "render left_bar_two_columns.png\n"},
    {"popup_menu_verbs", FIVE_AND_A_BAR "mouse 200 1\n"
                                        "choose none\n"
                                        "render menu popup_menu_verbs.png\n"
                                        "press Customers right\n"},
    {"show_titles_off", FIVE_AND_A_BAR "set Stowbar1.ShowTitles False\n"
                                       "set Stowbar1.ButtonWidth 32\n"
                                       "mouse 200 1\n"
                                       "press Timer1\n"
                                       "render show_titles_off.png\n"},
    {"glyph_top", FIVE_AND_A_BAR "set Stowbar1.Layout blGlyphTop\n"
                                 "set Stowbar1.ButtonWidth 96\n"
                                 "mouse 200 1\n"
                                 "wait 200\n"
                                 "select none\n"
                                 "render glyph_top.png\n"},
    {"about_box", FIVE_AND_A_BAR "mouse 200 1\n"
                                 "choose \"About \\\"Timer1\\\"\"\n"
                                 "render dialog about_box.png\n"
                                 "press Timer1 right\n"},
};

class RenderGolden : public ::testing::TestWithParam<Scene> {
protected:
    static void SetUpTestSuite() {
        RegisterComponentEditor(TTable::StaticClass(), TGoldenTableEditor::StaticClass());
    }
    static void TearDownTestSuite() {
        UnregisterComponentEditors(TGoldenTableEditor::StaticClass());
    }
};

TEST_P(RenderGolden, MatchesCommittedPicture) {
    const Scene& scene = GetParam();
    if (std::string(scene.Script).find("/shared/corpus/") != std::string::npos &&
        !fs::exists(fs::path(STOW_SOURCE_DIR) / ".." / "shared" / "corpus"))
        GTEST_SKIP() << "no corpus of form files beside the project";
    const fs::path outDir = fs::path(STOW_BINARY_DIR) / "golden-actual";
    fs::create_directories(outDir);
    const fs::path actualPath = outDir / (std::string(scene.Name) + ".png");
    fs::remove(actualPath);
    std::ostringstream transcript, errors;
    {
        app::Session session(transcript, outDir);
        ASSERT_EQ(session.RunText(scene.Script, scene.Name, errors), 0)
            << errors.str() << transcript.str();
    }
    ASSERT_TRUE(fs::exists(actualPath)) << transcript.str();
    const Surface actual = ReadPng(actualPath.string());

    const fs::path goldenPath =
        fs::path(STOW_SOURCE_DIR) / "tests" / "golden" / (std::string(scene.Name) + ".png");
    const char* update = std::getenv("STOW_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        fs::copy_file(actualPath, goldenPath, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "golden picture rewritten: " << goldenPath;
    }
    ASSERT_TRUE(fs::exists(goldenPath))
        << "no golden picture " << goldenPath << "; run with STOW_UPDATE_GOLDEN=1 to make it";
    const Surface golden = ReadPng(goldenPath.string());
    if (actual == golden)
        return;
    int differing = 0;
    const Surface diff = DiffImage(golden, actual, &differing);
    const fs::path diffPath = outDir / (std::string(scene.Name) + ".diff.png");
    WritePng(diff, diffPath.string());
    ADD_FAILURE() << scene.Name << ": " << differing << " pixels differ (golden " << golden.Width()
                  << "x" << golden.Height() << ", actual " << actual.Width() << "x"
                  << actual.Height() << "); see " << actualPath << " and " << diffPath;
}

INSTANTIATE_TEST_SUITE_P(Scenes, RenderGolden, ::testing::ValuesIn(kScenes),
                         [](const ::testing::TestParamInfo<Scene>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
