// Form streaming at the component level: what opening a form file makes, what saving writes,
// the errors of malformed or unknown content, and the corpus of real form files.
#include "host/classes/Streaming.h"
#include "app/FormFiles.h"
#include "host/classes/BinaryFormat.h"
#include "host/designer/Environment.h"
#include "host/vcl/Menus.h"
#include "stowbar/Stowbar.h"

#include "host/FormFileTestSupport.h"

#include <random>
#include <set>

namespace {

using namespace host;
using formfile_test::CorpusDir;
using formfile_test::ReadFileBytes;

class StreamingTest : public ::testing::Test {
protected:
    StreamingTest() { RegisterClass(stow::TStowbar::StaticClass()); }
    std::vector<std::string> Open(const std::string& bytes, const std::string& name = "t.dfm",
                                  UnknownPolicy policy = UnknownPolicy::Fail,
                                  std::optional<RootKind> kind = std::nullopt) {
        FormFile file = ReadFormFile(bytes, name);
        FormReadOptions options;
        options.unknown = policy;
        return env.Open(file.root, {name, file.format, bytes}, options, kind);
    }
    std::string OpenError(const std::string& bytes, const std::string& name = "t.dfm",
                          std::optional<RootKind> kind = std::nullopt) {
        try {
            Open(bytes, name, UnknownPolicy::Fail, kind);
        } catch (const EFormFileError& e) {
            return e.what();
        }
        return "opened";
    }
    TComponent* Find(const std::string& name) { return env.Root()->FindComponent(name); }

    DesignEnvironment env;
};

// A form with something of every kind the writer handles: controls nested in controls, a bar,
// fields nested in their table, a reference to a component read later, a menu with a submenu,
// strings, sets, identifiers of integer properties, events and icon positions.
const char* kForm = R"(object Main: TMain
  Left = 10
  Top = 20
  Width = 500
  Height = 400
  Caption = 'Main form'
  ClientHeight = 373
  ClientWidth = 492
  Font.Charset = ANSI_CHARSET
  Font.Color = clNavy
  Font.Height = -13
  Font.Name = 'Arial'
  Font.Style = [fsBold, fsItalic]
  PixelsPerInch = 96
  TextHeight = 16
  OnCreate = FormCreate
  object Panel1: TPanel
    Left = 8
    Top = 8
    Width = 200
    Height = 100
    Cursor = crHandPoint
    Caption = 'Panel'
    TabOrder = 0
    object Button1: TButton
      Left = 4
      Top = 4
      Width = 75
      Height = 25
      Hint = 'Press'
      Caption = 'OK'
      Default = True
      TabOrder = 0
      OnClick = Button1Click
    end
  end
  object Stowbar1: TStowbar
    Left = -137
    Top = 0
    Width = 140
    Height = 373
    AttachSide = asLeft
    ButtonWidth = 100
    ButtonHeight = 27
    NVCs = (
      'Source'
      'The source'
      'TDataSource')
  end
  object Source: TDataSource
    DataSet = Orders
    Left = 16
    Top = 200
  end
  object Orders: TTable
    DatabaseName = 'DBDEMOS'
    TableName = 'orders.db'
    Left = 48
    Top = 200
    object OrdersNo: TIntegerField
      DisplayWidth = 0
      FieldName = 'OrderNo'
    end
    object OrdersName: TStringField
      DisplayWidth = 30
      FieldName = 'Name'
      Size = 40
    end
  end
  object Query1: TQuery
    SQL.Strings = (
      'select *'
      'from orders')
    Left = 80
    Top = 65436
  end
  object Menu1: TMainMenu
    Left = 112
    Top = 200
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
      end
    end
  end
  object Open1: TOpenDialog
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
    Title = 'Open'
    Left = 144
    Top = 200
  end
end
)";

std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

TEST_F(StreamingTest, OpeningMakesTheComponentsAndSavingWritesTheSameText) {
    Open(kForm);
    auto* form = env.Form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->ClassName(), "TMain");
    EXPECT_EQ(form->Font().Color(), clNavy);
    auto* button = dyn<TButton>(Find("Button1"));
    EXPECT_EQ(button->Parent(), Find("Panel1"));
    EXPECT_EQ(dyn<TControl>(Find("Panel1"))->Cursor(), -21);
    EXPECT_EQ(dyn<TDataSource>(Find("Source"))->DataSet, Find("Orders")); // read before Orders
    EXPECT_EQ(dyn<TTable>(Find("Orders"))->FieldCount(), 2);
    EXPECT_EQ(dyn<TField>(Find("OrdersName"))->DataSet(), Find("Orders"));
    auto* menu = dyn<TMainMenu>(Find("Menu1"));
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Items(0), Find("Exit1"));
    EXPECT_EQ(dyn<TQuery>(Find("Query1"))->SQL->List().Items(),
              (std::vector<std::string>{"select *", "from orders"}));
    for (TComponent* c : form->ComponentList())
        EXPECT_FALSE(c->ComponentState().contains(csLoading)) << c->Name();
    // Written in the IDE's layout, it is the very text read (but for the line ends).
    EXPECT_EQ(WriteText(env.Save()), crlf(kForm));
}

TEST_F(StreamingTest, SavedOpenedAndSavedAgainIsByteIdenticalInBothFormats) {
    Open(kForm);
    env.desktop().RunFor(1); // the first collection pass
    for (bool binary : {false, true}) {
        std::string first = binary ? WriteBinary(env.Save()) : WriteText(env.Save());
        Open(first, binary ? "t.bin" : "t.dfm");
        env.desktop().RunFor(1);
        std::string second = binary ? WriteBinary(env.Save()) : WriteText(env.Save());
        EXPECT_EQ(first, second) << (binary ? "binary" : "text");
    }
}

// What the file held keeps its order; a new component goes right after the nearest one before
// it in the host's order (a control, which comes before the non-visual components, at the front;
// a timer after the last timer), and one that left is simply gone.
TEST_F(StreamingTest, NewComponentsGoAfterTheirPredecessorAndTheFileKeepsItsOrder) {
    Open("object Form1: TForm1\n"
         "  object Timer3: TTimer\n    Interval = 3\n  end\n"
         "  object Timer1: TTimer\n    Interval = 1\n  end\n"
         "  object Timer2: TTimer\n    Interval = 2\n  end\n"
         "end\n",
         "t.dfm", UnknownPolicy::Fail, RootKind::Form);
    TComponent* root = env.Root();
    Find("Timer1")->Free();
    NewComponent(TTimer::StaticClass(), root)->SetName("Timer4");
    auto* button = dyn<TButton>(NewComponent(TButton::StaticClass(), root));
    button->SetName("Button1");
    button->SetParent(env.Form());
    std::vector<std::string> names;
    for (const FormObject& child : env.Save().children)
        names.push_back(child.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Button1", "Timer3", "Timer2", "Timer4"}));
}

TEST_F(StreamingTest, ErrorsNameTheFileThePlaceAndThePropertyPath) {
    struct Case {
        const char* body;
        const char* error;
    } cases[] = {
        {"  object X1: TFrobnicator\n  end\n", "t.dfm:3:3: F.X1: unknown class TFrobnicator"},
        {"  object T1: TTimer\n    Colour = 5\n  end\n",
         "t.dfm:4:5: F.T1.Colour: unknown property Colour of TTimer"},
        {"  Font.Shade = 1\n", "t.dfm:3:3: F.Font.Shade: unknown property Font.Shade of TF"},
        {"  object T1: TTimer\n    Interval = 'often'\n  end\n",
         "t.dfm:4:16: F.T1.Interval: invalid value for Interval: integer expected but string "
         "found"},
        {"  object T1: TTimer\n    Enabled = 1\n  end\n",
         "t.dfm:4:15: F.T1.Enabled: invalid value for Enabled: True or False expected but "
         "integer 1 found"},
        {"  object B: TStowbar\n    AttachSide = asBottom\n  end\n",
         "t.dfm:4:18: F.B.AttachSide: invalid value for AttachSide: a value of TAttachSide "
         "expected but identifier 'asBottom' found"},
        {"  object D: TOpenDialog\n    Options = [ofFast]\n  end\n",
         "t.dfm:4:15: F.D.Options: invalid value for Options: 'ofFast' is not a value of "
         "TOpenOption"},
        {"  Font.Color = clPlaid\n",
         "t.dfm:3:16: F.Font.Color: invalid value for Color: integer expected but identifier "
         "'clPlaid' found"},
        {"  Font = 5\n",
         "t.dfm:3:10: F.Font: invalid value for Font: an object's properties are stored as "
         "Font.Name = value"},
        {"  object S: TDataSource\n    DataSet = Nowhere\n  end\n",
         "t.dfm:4:15: F.S.DataSet: unknown component Nowhere"},
        {"  object S: TDataSource\n    DataSet = S\n  end\n",
         "t.dfm:4:15: F.S.DataSet: invalid value for DataSet: S is a TDataSource, not a "
         "TDataSet"},
        {"  object T1: TTimer\n  end\n  object t1: TTimer\n  end\n",
         "t.dfm:5:3: F.t1: A component named t1 already exists"},
        {"  object G: TForm\n  end\n",
         "t.dfm:3:3: F.G: a TForm cannot be placed inside another form"},
        {"  object T1: TTimer\n    Left = 'x'\n  end\n",
         "t.dfm:4:12: F.T1.Left: integer expected but string found"},
    };
    for (const Case& c : cases) {
        env.NewForm("Current");
        std::string text = "object F: TF\n  PixelsPerInch = 96\n" + std::string(c.body) + "end\n";
        EXPECT_EQ(OpenError(text), c.error) << c.body;
        EXPECT_EQ(env.Root()->Name(), "Current");
    }
}

TEST_F(StreamingTest, ControlsCannotBeReadIntoADataModule) {
    // A root holding controls is taken for a frame unless it is said to be a data module.
    EXPECT_EQ(
        OpenError("object D: TD\n  object B: TButton\n  end\nend\n", "t.dfm", RootKind::DataModule),
        "t.dfm:2:3: D.B: controls cannot be placed on a TD");
}

TEST_F(StreamingTest, AFailedOpenLeavesTheCurrentFormAsItWas) {
    TCustomForm* form = env.NewForm("Keep");
    TComponent* timer = env.Designer()->Drop(TTimer::StaticClass(), "Timer1", 8, 8);
    TFormDesigner* designer = env.Designer();
    int windows = static_cast<int>(env.desktop().PendingCount());
    EXPECT_NE(OpenError("object F: TF\n  object T: TTimer\n  end\n  object X: TNope\n  end\nend\n"),
              "opened");
    EXPECT_EQ(env.Root(), form);
    EXPECT_EQ(env.Designer(), designer);
    EXPECT_EQ(form->FindComponent("Timer1"), timer);
    EXPECT_NE(designer->IconOf(timer), 0);
    EXPECT_EQ(static_cast<int>(env.desktop().PendingCount()), windows);
    EXPECT_TRUE(env.dialogs().Shown().empty());
}

TEST_F(StreamingTest, UnknownPropertiesAndReferencesCanBeSkippedAndReported) {
    auto skipped = Open("object F: TF\n  Color = clBtnFace\n  object S: TDataSource\n"
                        "    DataSet = Other.Table1\n    Left = 4\n  end\nend\n",
                        "t.dfm", UnknownPolicy::Skip);
    EXPECT_EQ(skipped, (std::vector<std::string>{
                           "t.dfm:2:3: F.Color: unknown property Color of TF",
                           "t.dfm:4:15: F.S.DataSet: unknown component Other.Table1"}));
    EXPECT_EQ(Find("S")->DesignInfo(), 4);
}

TEST_F(StreamingTest, BinaryErrorsNameTheByteOffset) {
    std::string binary =
        WriteBinary(ReadFormFile("object F: TF\n  object T: TTimer\n    Interval = 'x'\n"
                                 "  end\nend\n",
                                 "t.dfm")
                        .root);
    size_t at = binary.find("Interval") + 8;
    EXPECT_EQ(OpenError(binary, "t.bin"),
              "t.bin: byte " + std::to_string(at) +
                  ": F.T.Interval: invalid value for Interval: integer expected but string "
                  "found");
}

TEST_F(StreamingTest, DamagedFormsFailCleanly) {
    // Every kind of damage either opens or fails with a form-file error; nothing else.
    std::mt19937 random(7);
    std::string base = kForm;
    const std::string pieces[] = {"'x'", "5",    "(",     ")", "[", "]", "asNone", "True", "object",
                                  "end", "{00}", "Font.", "<", ">", " ", "1.5",    "nil"};
    for (int i = 0; i < 400; ++i) {
        std::string text = base;
        for (int k = 0; k < 3; ++k) {
            size_t at = random() % text.size();
            size_t cut = random() % 12;
            text.replace(at, std::min(cut, text.size() - at), pieces[random() % std::size(pieces)]);
        }
        try {
            Open(text);
        } catch (const EFormFileError&) {
        }
        try {
            Open(text, "t.dfm", UnknownPolicy::Skip);
        } catch (const EFormFileError&) {
        }
    }
}

// The classes of a tree's objects below the root, in reading order.
void classesOf(const FormObject& object, std::vector<std::string>& out) {
    for (const FormObject& child : object.children) {
        out.push_back(child.className);
        classesOf(child, out);
    }
}

TEST_F(StreamingTest, CorpusFormsWithKnownClassesOpenAndOthersNameTheUnknownClass) {
    int opened = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
        std::string name = entry.path().filename().string();
        if (!name.ends_with(".dfm") && !name.ends_with(".lfm"))
            continue;
        std::string bytes = ReadFileBytes(entry.path());
        FormFile file = ReadFormFile(bytes, name);
        std::vector<std::string> classes;
        classesOf(file.root, classes);
        std::string unknown;
        for (const std::string& c : classes)
            if (!FindClass(c)) {
                unknown = c;
                break;
            }
        try {
            Open(bytes, name, UnknownPolicy::Skip);
            EXPECT_EQ(unknown, "") << name << " opened with an unknown class";
            ++opened;
        } catch (const EFormFileError& e) {
            // A root without a form's properties is read as a data module, which takes no
            // controls.
            if (!e.Detail().starts_with("controls cannot be placed on a ")) {
                EXPECT_EQ(e.Detail(), "unknown class " + unknown) << name;
            }
            EXPECT_NE(unknown, "") << name << ": " << e.what();
        }
    }
    EXPECT_GE(opened, 4);
}

TEST_F(StreamingTest, CorpusTextFilesConvertToBinaryAndBackWithoutLoss) {
    auto dir = std::filesystem::temp_directory_path() / "stow-convert-test";
    std::filesystem::create_directories(dir);
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
        std::string ext = entry.path().extension().string();
        if (ext != ".dfm" && ext != ".lfm")
            continue;
        std::string bytes = ReadFileBytes(entry.path());
        if (LooksLikeBinaryForm(bytes))
            continue;
        FormObject original = ReadFormFile(bytes, "in").root;
        app::ConvertFormFile(entry.path(), dir / "f.bin", nullptr);
        EXPECT_TRUE(LooksLikeBinaryForm(ReadFileBytes(dir / "f.bin")));
        app::ConvertFormFile(dir / "f.bin", dir / "f.dfm", nullptr);
        std::string text = ReadFileBytes(dir / "f.dfm");
        EXPECT_EQ(ReadFormFile(text, "back").root, original) << entry.path().filename();
    }
    std::filesystem::remove_all(dir);
}

} // namespace
