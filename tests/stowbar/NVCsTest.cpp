// The NVCs property and the bar's stored properties, through the host's form streaming: what a
// bar writes, what reading a form does to its entries, its place and its siblings.
#include "support/BarFixture.h"

#include "host/classes/Filer.h"
#include "host/classes/Streaming.h"

#include <variant>

namespace stowtest {

using namespace host;

namespace {

class NVCsTest : public BarTest {
protected:
    // Opens a text form in the designer; returns what was skipped.
    std::vector<std::string> OpenText(const std::string& text) {
        FormFile file = ReadFormFile(text, "t.dfm");
        return env.Open(file.root, {"t.dfm", FormFileFormat::Text, text});
    }
    std::string SaveText() { return WriteText(env.Save()); }
    // The error text of opening a text form, or "opened".
    std::string OpenError(const std::string& text) {
        try {
            OpenText(text);
        } catch (const EFormFileError& e) {
            return e.what();
        }
        return "opened";
    }
    TStowbar* Bar(const std::string& name) {
        return dyn<TStowbar>(env.Root()->FindComponent(name));
    }
    // The names of the properties written for a component of the saved form.
    std::vector<std::string> WrittenNames(const std::string& name) {
        FormObject root = env.Save();
        const FormObject* object = root.FindChild(name);
        std::vector<std::string> names;
        if (object)
            for (const FormProperty& p : object->properties)
                names.push_back(p.name);
        return names;
    }
    static std::string Form(const std::string& body) {
        return "object Form1: TForm1\n  ClientHeight = 480\n  ClientWidth = 640\n"
               "  PixelsPerInch = 96\n  TextHeight = 13\n" +
               body + "end\n";
    }
};

// A reader over a fixed sequence of values, to call a bar's NVCs reader directly.
class ListReader : public TReader {
public:
    struct Begin {};
    struct End {};
    using Token = std::variant<Begin, End, std::string>;
    explicit ListReader(std::vector<Token> tokens) : FTokens(std::move(tokens)) {}
    void DefineProperty(const std::string& name, ReadProc read, WriteProc, bool) override {
        if (name == "NVCs")
            read(*this);
    }
    void ReadListBegin() override { take<Begin>(); }
    bool EndOfList() override { return std::holds_alternative<End>(FTokens.at(FPos)); }
    void ReadListEnd() override { take<End>(); }
    std::string ReadString() override { return take<std::string>(); }
    int64_t ReadInteger() override { throw EReadError("no integers here"); }
    bool ReadBoolean() override { throw EReadError("no booleans here"); }
    std::string ReadIdent() override { throw EReadError("no identifiers here"); }
    long double ReadFloat() override { throw EReadError("no numbers here"); }
    std::vector<std::string> ReadSet() override { throw EReadError("no sets here"); }
    std::string ReadBinary() override { throw EReadError("no data here"); }
    bool NextValue(FormValueKind&) override { return false; }

private:
    template <class T> T take() {
        if (FPos >= FTokens.size() || !std::holds_alternative<T>(FTokens[FPos]))
            throw EReadError("unexpected token");
        return std::get<T>(FTokens[FPos++]);
    }
    std::vector<Token> FTokens;
    size_t FPos = 0;
};

TEST_F(NVCsTest, ABarWithoutEntriesWritesNoNVCs) {
    NewForm();
    DropBar("Stowbar1");
    Wait(1);
    auto names = WrittenNames("Stowbar1");
    EXPECT_EQ(std::count(names.begin(), names.end(), "NVCs"), 0);
}

TEST_F(NVCsTest, EntriesAreWrittenAsThreeStringsEachInButtonOrder) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TOpenDialog>("Dlg");
    TStowbar* bar = DropBar("Stowbar1");
    Wait(1);
    bar->Entry(1)->Title = "Open a file";
    FormObject saved = env.Save();
    ASSERT_NE(saved.FindChild("Stowbar1"), nullptr);
    const FormProperty* nvcs = saved.FindChild("Stowbar1")->FindProperty("NVCs");
    ASSERT_NE(nvcs, nullptr);
    std::vector<std::string> strings;
    for (const FormValue& v : nvcs->value.AsList())
        strings.push_back(v.AsBytes());
    EXPECT_EQ(strings, (std::vector<std::string>{"Timer1", "Timer1", "TTimer", "Dlg", "Open a file",
                                                 "TOpenDialog"}));
}

TEST_F(NVCsTest, ReadingReplacesTheEntriesAndAnEmptyListFreesThem) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TTimer>("Timer2");
    TStowbar* bar = DropBar("Stowbar1");
    Wait(1);
    ASSERT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer1", "Timer2"}));
    using R = ListReader;
    R replace({R::Begin{}, std::string("Timer2"), std::string("Second"), std::string("TTimer"),
               R::End{}});
    bar->DefineProperties(replace);
    EXPECT_EQ(EntryNames(bar), std::vector<std::string>{"Timer2"});
    EXPECT_EQ(bar->Entry(0)->Title, "Second");
    R empty({R::Begin{}, R::End{}});
    bar->DefineProperties(empty);
    EXPECT_EQ(bar->EntryCount(), 0);
}

TEST_F(NVCsTest, ATitleOtherThanTheNameSurvivesSavingAndOpening) {
    NewForm();
    Drop<TTimer>("Timer1");
    TStowbar* bar = DropBar("Stowbar1");
    Wait(1);
    bar->Entry(0)->Title = "Don't stop";
    std::string text = SaveText();
    OpenText(text);
    Wait(1);
    TStowbar* again = Bar("Stowbar1");
    ASSERT_EQ(again->EntryCount(), 1);
    EXPECT_EQ(again->Entry(0)->Title, "Don't stop");
    EXPECT_EQ(again->Entry(0)->Component, env.Root()->FindComponent("Timer1"));
    EXPECT_EQ(SaveText(), text);
}

TEST_F(NVCsTest, ANameListedByTwoBarsIsKeptByTheFirstAndExcludedByTheSecond) {
    OpenText(Form("  object A: TStowbar\n    NVCs = (\n      'Timer1'\n      'One'\n"
                  "      'TTimer')\n  end\n"
                  "  object B: TStowbar\n    NVCs = (\n      'Timer1'\n      'Two'\n"
                  "      'TTimer')\n  end\n"
                  "  object Timer1: TTimer\n  end\n"));
    EXPECT_EQ(EntryNames(Bar("A")), std::vector<std::string>{"Timer1"});
    EXPECT_EQ(Bar("A")->Entry(0)->Title, "One");
    EXPECT_EQ(Bar("B")->EntryCount(), 0);
    EXPECT_EQ(Excluded(Bar("B")), std::vector<std::string>{"Timer1"});
}

TEST_F(NVCsTest, OutsideTheDesignerTheListIsConsumedAndNothingIsMade) {
    std::string text = Form("  object Stowbar1: TStowbar\n    AutoHide = False\n"
                            "    NVCs = (\n      'Timer1'\n      'Timer1'\n      'TTimer')\n"
                            "  end\n  object Timer1: TTimer\n  end\n");
    FormFile file = ReadFormFile(text, "t.dfm");
    const TClass* cls = env.MakeClass("TForm1", TForm::StaticClass());
    TComponent* root = NewComponent(cls, nullptr); // run time: no designer
    ReadComponents(file.root, root, {"t.dfm", FormFileFormat::Text, text});
    auto* bar = dyn<TStowbar>(root->FindComponent("Stowbar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->Designing());
    EXPECT_EQ(bar->EntryCount(), 0);
    EXPECT_FALSE(bar->AutoHide()); // the properties after and before the list are read
    EXPECT_FALSE(bar->Visible());
    root->Free();
}

TEST_F(NVCsTest, ADroppedBarWritesItsPlaceAndButtonHeightOnly) {
    NewForm();
    DropBar("Stowbar1");
    EXPECT_EQ(WrittenNames("Stowbar1"),
              (std::vector<std::string>{"Left", "Top", "Width", "Height", "ButtonHeight"}));
    FormObject saved = env.Save();
    ASSERT_NE(saved.FindChild("Stowbar1"), nullptr);
    const FormProperty* h = saved.FindChild("Stowbar1")->FindProperty("ButtonHeight");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->value.AsInteger(), 28);
}

TEST_F(NVCsTest, AnAutoHideTakenFromASiblingIsWritten) {
    NewForm();
    TStowbar* first = DropBar("Stowbar1");
    first->SetAutoHide(false);
    DropBar("Stowbar2");
    EXPECT_EQ(WrittenNames("Stowbar2"), (std::vector<std::string>{"Left", "Top", "Width", "Height",
                                                                  "AutoHide", "ButtonHeight"}));
}

TEST_F(NVCsTest, VersionInfoIsNeverWrittenAndIsReadIntoTheInputField) {
    OpenText(Form("  object Stowbar1: TStowbar\n    VersionInfo = 'typed'\n  end\n"));
    TStowbar* bar = Bar("Stowbar1");
    EXPECT_EQ(bar->VersionInfoInput(), "typed");
    EXPECT_EQ(bar->VersionInfo(), "2.1 (Delphi 3)");
    auto names = WrittenNames("Stowbar1");
    EXPECT_EQ(std::count(names.begin(), names.end(), "VersionInfo"), 0);
}

TEST_F(NVCsTest, ButtonHeight27SurvivesAndAnAbsentOneStays28) {
    OpenText(Form("  object A: TStowbar\n    ButtonHeight = 27\n  end\n"
                  "  object B: TStowbar\n  end\n"));
    EXPECT_EQ(Bar("A")->ButtonHeight(), 27);
    EXPECT_EQ(Bar("B")->ButtonHeight(), 28);
    OpenText(SaveText());
    EXPECT_EQ(Bar("A")->ButtonHeight(), 27);
    EXPECT_EQ(Bar("B")->ButtonHeight(), 28);
}

TEST_F(NVCsTest, LoadedPutsADockedBarAtItsHiddenPlaceUntilTheFirstTick) {
    OpenText(Form("  object Top1: TStowbar\n    Left = 0\n    Top = 5\n    Width = 640\n"
                  "    Height = 60\n  end\n"
                  "  object Free1: TStowbar\n    Left = 20\n    Top = 30\n    Width = 200\n"
                  "    Height = 60\n    AttachSide = asNone\n  end\n"));
    EXPECT_EQ(Bar("Top1")->Top(), -57);
    EXPECT_EQ(Bar("Free1")->Left(), 20);
    EXPECT_EQ(Bar("Free1")->Top(), 30);
    EXPECT_TRUE(Bar("Top1")->HandleAllocated()); // the designer shows the form at once
    EXPECT_FALSE(Bar("Free1")->Hidden());
    // Saved and opened again, the undocked bar does not wander.
    OpenText(SaveText());
    EXPECT_EQ(Bar("Free1")->Top(), 30);
    Wait(400);
    EXPECT_EQ(Bar("Free1")->Top(), 30);
}

TEST_F(NVCsTest, ReadingPostsNothingAndTheFirstTickCompletesTheEntries) {
    OpenText(Form("  object Stowbar1: TStowbar\n    NVCs = (\n      'Gone'\n      'Gone'\n"
                  "      'TTimer'\n      'Timer1'\n      'Timer1'\n      'TTimer')\n  end\n"
                  "  object Timer1: TTimer\n  end\n  object Timer2: TTimer\n  end\n"));
    EXPECT_EQ(env.desktop().PendingCount(), 0u); // no CM_COLLECT while loading
    TStowbar* bar = Bar("Stowbar1");
    EXPECT_EQ(EntryNames(bar), (std::vector<std::string>{"Gone", "Timer1"}));
    EXPECT_NE(designer().IconOf(env.Root()->FindComponent("Timer2")), 0);
    Wait(1);
    EXPECT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer1", "Timer2"}));
    EXPECT_NE(bar->Entry(0)->Button->Glyph().Handle(), 0);
}

TEST_F(NVCsTest, ASecondBarWithAutoHideOffSwitchesTheFirstOffAtOnce) {
    OpenText(Form("  object A: TStowbar\n  end\n  object B: TStowbar\n    AutoHide = False\n"
                  "  end\n"));
    EXPECT_FALSE(Bar("A")->AutoHide());
    EXPECT_FALSE(Bar("B")->AutoHide());
}

TEST_F(NVCsTest, MalformedNVCsListsFailNamingThePlace) {
    struct Case {
        const char* list;
        const char* error;
    } cases[] = {
        {"'Timer1'\n      'Title')",
         "t.dfm:9:14: Form1.Stowbar1.NVCs: string expected but end of list found"},
        {"'Timer1'\n      5\n      'TTimer')",
         "t.dfm:9:7: Form1.Stowbar1.NVCs: string expected but integer 5 found"},
        {"'Timer1' 'A' 'TTimer' ('x'))",
         "t.dfm:8:29: Form1.Stowbar1.NVCs: string expected but list found"},
    };
    for (const Case& c : cases) {
        NewForm();
        std::string text = Form(std::string("  object Stowbar1: TStowbar\n    NVCs = (\n      ") +
                                c.list + "\n  end\n");
        EXPECT_EQ(OpenError(text), c.error) << c.list;
        EXPECT_EQ(env.Root()->Name(), "Form1"); // the open form stays
        EXPECT_EQ(env.Root()->ComponentCount(), 0);
    }
}

TEST_F(NVCsTest, ANonStringInTheBinaryListNamesItsByteOffset) {
    NewForm();
    std::string text =
        Form("  object Stowbar1: TStowbar\n    NVCs = (\n      'Timer1'\n      7)\n  end\n");
    std::string binary = WriteBinary(ReadFormFile(text, "t.dfm").root, false);
    FormFile file = ReadFormFile(binary, "t.bin");
    try {
        env.Open(file.root, {"t.bin", FormFileFormat::Binary, {}});
        FAIL() << "opened";
    } catch (const EFormFileError& e) {
        size_t at = binary.find("Timer1") + 6; // the integer's code follows the first string
        EXPECT_EQ(std::string(e.what()), "t.bin: byte " + std::to_string(at) +
                                             ": Form1.Stowbar1.NVCs: string expected but "
                                             "integer 7 found");
    }
}

} // namespace
} // namespace stowtest
