// The painters of the standard controls: which class paints what, what the pictures show of a
// control's properties (checks, the active page, pictures in the file), placeholders, hostile
// values, data modules, and every form of the corpus drawn by `stowdesign render`.
#include "host/designer/RenderControls.h"
#include "app/Render.h"
#include "app/Session.h"
#include "host/designer/RenderParts.h"
#include "host/win32/Dib.h"
#include "host/win32/Png.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace host;

// A session without the package in a fresh folder, where form files are written and opened.
class Painting : public ::testing::Test {
protected:
    Painting() {
        dir = fs::temp_directory_path() /
              ("stow-render-" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        session = std::make_unique<app::Session>(transcript, dir, std::string());
    }
    ~Painting() override {
        session.reset();
        fs::remove_all(dir);
    }
    // Runs script lines; fails the test with the errors when the script fails.
    void Run(const std::string& script) {
        std::ostringstream errors;
        ASSERT_EQ(session->RunText(script, "test", errors), 0) << errors.str();
    }
    void OpenText(const std::string& text) {
        std::ofstream(dir / "f.dfm", std::ios::binary) << text;
        Run("open f.dfm\n");
    }
    Surface Client() {
        RenderScene scene;
        scene.Frame = false;
        session->env().Designer()->SetSelection({});
        return session->Render(scene);
    }
    TControl* Control(const std::string& name) {
        TComponent* c = session->Root() ? session->Root()->FindComponent(name) : nullptr;
        return dyn<TControl>(c);
    }

    fs::path dir;
    std::ostringstream transcript;
    std::unique_ptr<app::Session> session;
};

// A form of one control of a class with extra property lines, at (8, 8) sized 120 by 60.
std::string formWith(const std::string& cls, const std::string& lines = {}) {
    return "object Form1: TForm1\n  Left = 0\n  Top = 0\n  Width = 300\n  Height = 200\n"
           "  Caption = 'Form1'\n  PixelsPerInch = 96\n  TextHeight = 13\n"
           "  object C1: " +
           cls + "\n    Left = 8\n    Top = 8\n    Width = 120\n    Height = 60\n" + lines +
           "  end\nend\n";
}

struct PainterCase {
    const char* Class;
    const char* Painter; // "" when the control paints itself
};

TEST_F(Painting, EachStandardClassIsPaintedByItsOwnOrItsAncestorsPainter) {
    const PainterCase cases[] = {
        {"TEdit", "TCustomEdit"},
        {"TMaskEdit", "TCustomEdit"},
        {"TDBEdit", "TCustomEdit"},
        {"TMemo", "TCustomMemo"},
        {"TRichEdit", "TCustomMemo"},
        {"TDBMemo", "TCustomMemo"},
        {"TCheckBox", "TCustomCheckBox"},
        {"TDBCheckBox", "TCustomCheckBox"},
        {"TListBox", "TCustomListBox"},
        {"TCheckListBox", "TCheckListBox"},
        {"TComboBox", "TCustomComboBox"},
        {"TDBComboBox", "TCustomComboBox"},
        {"TStringGrid", "TCustomGrid"},
        {"TDrawGrid", "TCustomGrid"},
        {"TDBGrid", "TDBGrid"},
        {"TTabControl", "TCustomTabControl"},
        {"TPageControl", "TPageControl"},
        {"TTreeView", "TCustomTreeView"},
        {"TPanel", "TPanel"},
        {"TLabel", "TLabel"},
        {"TStatusBar", "TStatusBar"},
        {"TBitBtn", "TBitBtn"},
        {"TButton", "TButton"},
        {"TSpeedButton", ""}, // no glyph data: its own paint
        {"TDBNavigator", "TDBNavigator"},
        {"TDBText", "TDBText"},
    };
    Run("new form Form1 400 300\n");
    for (const PainterCase& c : cases) {
        SCOPED_TRACE(c.Class);
        const TClass* cls = FindClass(c.Class);
        ASSERT_NE(cls, nullptr);
        auto* control = dyn<TControl>(session->env().Designer()->Drop(cls, "", 8, 8));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(PainterOf(*control), c.Painter);
    }
}

TEST_F(Painting, ChecksAndRadioMarksFollowTheirProperties) {
    struct Case {
        const char* Class;
        const char* Lines;
        bool Marked;
    };
    const Case cases[] = {
        {"TCheckBox", "", false},
        {"TCheckBox", "    Checked = True\n    State = cbChecked\n", true},
        {"TRadioButton", "", false},
        {"TRadioButton", "    Checked = True\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Class) + " " + c.Lines);
        OpenText(formWith(c.Class, c.Lines));
        const Surface s = Client();
        // A pixel of both the tick and the radio dot; the mark is centred on the height.
        const Colour mark = s.RawPixel(8 + 5, 8 + (60 - 13) / 2 + 7);
        EXPECT_EQ(mark, c.Marked ? colours::Black : colours::White);
    }
}

TEST_F(Painting, OnlyTheActiveSheetOfAPageControlShows) {
    const std::string sheets =
        "    object Sheet1: TTabSheet\n      Caption = 'One'\n"
        "      object Red: TPanel\n        Left = 0\n        Top = 0\n        Width = 60\n"
        "        Height = 20\n        Color = clRed\n"
        "      end\n    end\n"
        "    object Sheet2: TTabSheet\n      Caption = 'Two'\n"
        "      object Blue: TPanel\n        Left = 0\n        Top = 0\n        Width = 60\n"
        "        Height = 20\n        Color = clBlue\n      end\n    end\n";
    for (const char* active : {"Sheet1", "Sheet2"}) {
        SCOPED_TRACE(active);
        OpenText(
            formWith("TPageControl", "    ActivePage = " + std::string(active) + "\n" + sheets));
        // The sheets fill the display area: 4 pixels in, below the 20-pixel row of tabs.
        const Colour shown = Client().RawPixel(8 + 4 + 30, 8 + 24 + 10);
        EXPECT_EQ(shown, std::string(active) == "Sheet1" ? colours::Red : colours::Blue);
    }
}

// A .bmp file of 4 by 2 pixels of one colour but the bottom-left one (olive: a glyph's
// transparent colour), as a TBitmap's form data (its size, then the file).
std::string bitmapData(Colour colour) {
    Surface picture(4, 2, colour);
    picture.SetPixel(0, 1, colours::Olive);
    const std::vector<uint8_t> dib = EncodeDib4(picture);
    const std::vector<uint8_t> file = DibToBmpFile(dib);
    std::string data;
    const auto size = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        data.push_back(static_cast<char>((size >> (8 * i)) & 0xFF));
    data.append(file.begin(), file.end());
    return data;
}

std::string hexLines(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out = "{\n      ";
    for (unsigned char b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out + "}\n";
}

TEST_F(Painting, PicturesInTheFileAreDrawnAndDamagedOnesLeaveTheFrame) {
    struct Case {
        const char* Name;
        std::string Data;
        bool Drawn; // else the dashed frame of an empty image
    };
    const std::string picture = "\x07TBitmap" + bitmapData(colours::Red);
    const Case cases[] = {
        {"a bitmap", picture, true},
        {"a cut bitmap", picture.substr(0, picture.size() - 9), false},
        {"an icon", "\x05TIcon" + bitmapData(colours::Red), false},
        {"a wrong class-name length", "\x7FTBitmap", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        OpenText(formWith("TImage", "    Picture.Data = " + hexLines(c.Data)));
        const Surface s = Client();
        EXPECT_EQ(s.RawPixel(8 + 1, 8), c.Drawn ? colours::Red : colours::Black); // or a dash
        EXPECT_EQ(s.RawPixel(8 + 3, 8 + 1) == colours::Red, c.Drawn);
    }
}

TEST_F(Painting, BitButtonGlyphsComeFromTheFile) {
    OpenText(formWith("TBitBtn", "    Glyph.Data = " + hexLines(bitmapData(colours::Lime))));
    const Surface s = Client();
    int lime = 0;
    for (int y = 8; y < 68; ++y)
        for (int x = 8; x < 128; ++x)
            lime += s.RawPixel(x, y) == colours::Lime;
    EXPECT_EQ(lime, 7); // the 4 by 2 glyph but its transparent bottom-left pixel
}

TEST_F(Painting, PlaceholdersAreFramesLabelledWithTheirClassName) {
    OpenText(formWith("TSomeThirdPartyGrid", "    TabOrder = 0\n    Align = alNone\n"));
    TControl* c = Control("C1");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(PainterOf(*c), "placeholder");
    const Surface s = Client();
    EXPECT_EQ(s.RawPixel(8 + 50, 8), colours::Gray);      // the frame
    EXPECT_EQ(s.RawPixel(8 + 50, 8 + 1), colours::White); // its light inner line
    // The class name is written in the top-left corner: some ink there.
    int ink = 0;
    for (int y = 10; y < 23; ++y)
        for (int x = 11; x < 100; ++x)
            ink += s.RawPixel(x, y) == colours::Black;
    EXPECT_GT(ink, 20);
}

// Values a file may hold that no painter may trust: huge counts and sizes, zero columns,
// positions outside their range. Each draws (quickly) without failing.
TEST_F(Painting, HostileValuesAreDrawnWithinBounds) {
    const std::pair<const char*, const char*> cases[] = {
        {"TStringGrid", "    ColCount = 2147483647\n    RowCount = 2147483647\n"
                        "    DefaultColWidth = 0\n    DefaultRowHeight = 0\n"},
        {"TStringGrid", "    FixedCols = 0\n    FixedRows = 0\n    DefaultColWidth = 2147483647\n"},
        {"TRadioGroup", "    Columns = 0\n    Items.Strings = (\n      'a'\n      'b')\n"},
        {"TTrackBar", "    Max = 2147483647\n    Min = -2147483647\n    Frequency = 1\n"},
        {"TProgressBar", "    Max = 0\n    Position = 50\n"},
        {"TScrollBar", "    Max = -5\n    Position = 2147483647\n"},
        {"TListBox", "    ItemHeight = 0\n"},
        {"TPanel", "    BevelWidth = 2147483647\n    BorderWidth = 2147483647\n"},
    };
    for (const auto& [cls, lines] : cases) {
        SCOPED_TRACE(cls + std::string(": ") + lines);
        OpenText(formWith(cls, lines));
        EXPECT_EQ(Client().Width(), 300 - 8);
    }
}

TEST_F(Painting, ADataModuleShowsItsComponentsIconsWhereTheyWerePlaced) {
    std::ofstream(dir / "dm.dfm") << "object DM: TDM\n  OldCreateOrder = False\n"
                                     "  Height = 150\n  Width = 215\n"
                                     "  object Timer1: TTimer\n    Left = 40\n    Top = 24\n"
                                     "  end\nend\n";
    Run("open dm.dfm as datamodule\n");
    const Surface s = Client();
    EXPECT_EQ(s.RawPixel(39, 24 + 14), colours::White);      // the module's white window
    EXPECT_EQ(s.RawPixel(40 + 14, 24), colours::White);      // the icon's raised top edge
    EXPECT_EQ(s.RawPixel(40 + 14, 24 + 27), colours::Black); // and its dark bottom edge
}

// The data of Picture, Glyph and Bitmap properties as the writers of the era and Lazarus store
// it: a class name first (TPicture's), then a size and the file (a TBitmap's, a PNG's).
TEST(GraphicData, BitmapsAndPngsDecodeAndTheRestIsLeftEmpty) {
    const std::string bitmap = bitmapData(colours::Red); // size + .bmp file
    const std::vector<uint8_t> png = EncodePng(Surface(3, 5, colours::Blue));
    std::string pngData;
    const auto pngSize = static_cast<uint32_t>(png.size());
    for (int i = 0; i < 4; ++i)
        pngData.push_back(static_cast<char>((pngSize >> (8 * i)) & 0xFF));
    pngData.append(png.begin(), png.end());
    struct Case {
        const char* Name;
        std::string Data;
        bool WithClass;
        int Width; // 0: nothing decoded
    };
    const Case cases[] = {
        {"a bitmap's own data", bitmap, false, 4},
        {"a bitmap without its size", bitmap.substr(4), false, 4},
        {"a picture holding a bitmap", "\x07TBitmap" + bitmap, true, 4},
        {"a Lazarus picture holding a PNG", "\x17TPortableNetworkGraphic" + pngData, true, 3},
        {"a picture holding an icon", "\x05TIcon" + bitmap, true, 0},
        {"a class name longer than the data", "\x30TBitmap", true, 0},
        {"a cut file", bitmap.substr(0, 30), false, 0},
        {"nothing", "", true, 0},
        {"garbage", "\x01\x02\x03\x04\x05\x06", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const Surface picture = render::DecodeGraphicData(c.Data, c.WithClass);
        EXPECT_EQ(picture.Width(), c.Width);
    }
}

TEST(RenderText, WordsWrapAtTheWidthAndLineEnds) {
    TFont font;
    const int word = render::TextWidth("word", font);
    struct Case {
        const char* Text;
        int Width;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"word word word", word * 2, {"word", "word", "word"}},
        {"word word word", word * 3, {"word word", "word"}},
        {"one\r\ntwo\nthree", 1000, {"one", "two", "three"}},
        {"", 100, {""}},
        {"averyveryverylongword", 5, {"averyveryverylongword"}}, // a word wider than the line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(render::WrapWords(c.Text, font, c.Width), c.Lines);
    }
}

TEST(RenderText, UtfEightTextTakesOneGlyphACharacter) {
    TFont font;
    // "é" and "漢" are one character each: as wide as one glyph of the font (its box), not two
    // or three; a byte that is no UTF-8 is drawn as the byte it is.
    EXPECT_EQ(render::TextWidth("a\xC3\xA9"
                                "b",
                                font),
              render::TextWidth("a\x7F"
                                "b",
                                font));
    EXPECT_EQ(render::TextWidth("\xE6\xBC\xA2", font), render::TextWidth("\x7F", font));
    EXPECT_GT(render::TextWidth("\xE9t\xE9", font), render::TextWidth("\x7Ft", font));
}

// ---- the corpus: every form file draws from the command line

fs::path corpusDir() {
    return fs::path(STOW_SOURCE_DIR) / ".." / "shared" / "corpus" / "dfm";
}

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(corpusDir(), ec)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".dfm" || ext == ".lfm")
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CorpusRender : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusRender, DrawsFromTheCommandLine) {
    // Opening every file is the form files' own test; a file that does not open is not drawn.
    {
        std::ostringstream transcript, errors;
        app::Session probe(transcript, fs::temp_directory_path(), std::string());
        if (probe.RunText("open \"" + (corpusDir() / GetParam()).string() + "\"\n", "probe",
                          errors) != 0)
            GTEST_SKIP() << "does not open: " << errors.str();
    }
    const fs::path out = fs::temp_directory_path() / ("stow-corpus-render-" + GetParam() + ".png");
    fs::remove(out);
    std::ostringstream err;
    ASSERT_EQ(app::RenderFormFile((corpusDir() / GetParam()).string(), out.string(), err), 0)
        << err.str();
    ASSERT_TRUE(fs::exists(out));
    const Surface picture = ReadPng(out.string());
    EXPECT_GT(picture.Width(), 0);
    EXPECT_GT(picture.Height(), 0);
    fs::remove(out);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusRender, ::testing::ValuesIn(corpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusRender);

} // namespace
