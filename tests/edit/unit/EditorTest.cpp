// The window's behaviour without a screen: palette drops, the property panel, menus, dialogs,
// files and what is painted when, driven as a person would through the editor's input.
#include "EditorFixture.h"

#include "app/FormFiles.h"
#include "host/classes/BinaryFormat.h"

#include <fstream>

namespace edittest {

using namespace host;

class EditorTest : public EditorFixture {};

TEST_F(EditorTest, PaletteShowsEveryRegisteredPageAndDropsTheChosenClassWhereTheFormIsClicked) {
    run("new form Form1 400 300");
    const json palette = window()["palette"];
    ASSERT_FALSE(find(palette["tabs"], "page", "Varnowe").is_null());
    ASSERT_FALSE(find(palette["tabs"], "page", "System").is_null());

    struct Case {
        std::string page, cls;
        int x, y;
    };
    for (const Case& c : {Case{"System", "TTimer", 40, 56}, Case{"Standard", "TButton", 120, 80},
                          Case{"Varnowe", "TStowbar", 8, 8}}) {
        SCOPED_TRACE(c.cls);
        click(centre(find(window()["palette"]["tabs"], "page", c.page)["bounds"]));
        const json button = find(window()["palette"]["classes"], "class", c.cls);
        ASSERT_FALSE(button.is_null());
        click(centre(button["bounds"]));
        EXPECT_EQ(window()["palette"]["armed"], c.cls);
        click(onForm(c.x, c.y));
        EXPECT_TRUE(window()["palette"]["armed"].is_null());
        const json d = dump();
        ASSERT_FALSE(d["selection"].empty());
        const std::string name = d["selection"][0];
        const json comp = find(d["components"], "name", name);
        ASSERT_FALSE(comp.is_null());
        EXPECT_EQ(comp["class"], c.cls);
        if (c.cls == "TTimer") {
            EXPECT_EQ(comp["designInfo"], json::array({c.x, c.y}));
        }
        if (c.cls == "TButton") {
            auto* b = dyn<TControl>(session.Root()->FindComponent(name));
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->Left(), c.x);
            EXPECT_EQ(b->Top(), c.y);
        }
    }
}

TEST_F(EditorTest, PropertyPanelEditsValuesThroughSetAndShowsItsErrors) {
    run("new form Form1");
    run("drop TTimer Timer1 at 16 16");
    json rows = window()["inspector"]["rows"];
    EXPECT_EQ(window()["inspector"]["component"], "Timer1");
    ASSERT_FALSE(find(rows, "name", "Interval").is_null());
    EXPECT_EQ(find(rows, "name", "Interval")["value"], "1000");

    // A typed value: click the value, type, Enter.
    click(centre(find(rows, "name", "Interval")["valueBounds"]));
    EXPECT_EQ(window()["inspector"]["editing"], "1000");
    key(VK_BACK);
    key(VK_BACK);
    key(VK_BACK);
    key(VK_BACK);
    editor.Text("250");
    key(VK_RETURN);
    EXPECT_EQ(find(window()["inspector"]["rows"], "name", "Interval")["value"], "250");

    // A click on another row takes what was typed.
    rows = window()["inspector"]["rows"];
    click(centre(find(rows, "name", "Tag")["valueBounds"]));
    editor.Text("7");
    click(centre(find(rows, "name", "Name")["bounds"]));
    EXPECT_EQ(find(window()["inspector"]["rows"], "name", "Tag")["value"], "7");

    // A Boolean offers its values in a list; a second click soon after the first (a double
    // click, to the window) chooses too.
    rows = window()["inspector"]["rows"];
    click(centre(find(rows, "name", "Enabled")["valueBounds"]));
    const json choices = window()["inspector"]["choices"];
    ASSERT_EQ(choices.size(), 2u);
    editor.Pointer(WM_LBUTTONDBLCLK, centre(find(choices, "value", "False")["bounds"]), MK_LBUTTON);
    settle();
    EXPECT_EQ(find(window()["inspector"]["rows"], "name", "Enabled")["value"], "False");

    // A value that `set` refuses is shown in an error box with the same words, and nothing
    // changes.
    rows = window()["inspector"]["rows"];
    input.Steps.push_back([&] { editor.Key(VK_RETURN, 0); }); // OK on the error box
    click(centre(find(rows, "name", "Interval")["valueBounds"]));
    editor.Text("x");
    key(VK_RETURN);
    const json dialogs = dump()["dialogs"];
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back()["kind"], "error");
    EXPECT_NE(dialogs.back()["text"].get<std::string>().find("expected an integer"),
              std::string::npos);
    EXPECT_EQ(find(window()["inspector"]["rows"], "name", "Interval")["value"], "250");
    EXPECT_EQ(input.Idle, 0);
}

TEST_F(EditorTest, AttachSideIsChosenFromItsListWithTheKeyboard) {
    formWithTimerAndBar();
    run("select none");
    run("wait 400");
    // The bar shown by the mouse and selected by a click on it.
    editor.Pointer(WM_MOUSEMOVE, onForm(300, 1), 0);
    settle();
    click(onForm(500, 8));
    EXPECT_EQ(dump()["selection"], json::array({"Stowbar1"}));
    EXPECT_EQ(dump()["dialogs"].size(), 0u);
    const json row = find(window()["inspector"]["rows"], "name", "AttachSide");
    ASSERT_FALSE(row.is_null());
    EXPECT_EQ(row["value"], "asTop");
    click(centre(row["valueBounds"]));
    ASSERT_FALSE(window()["inspector"]["choices"].empty());
    key(VK_UP); // asTop -> asLeft
    key(VK_RETURN);
    EXPECT_EQ(dump()["bars"]["Stowbar1"]["attachSide"], "asLeft");
}

TEST_F(EditorTest, BarMenuIsAnsweredWithKeysAndTheTitleTypedIntoTheInputBox) {
    formWithTimerAndBar();
    // Down to "Change Title of ...", past the disabled Move To, then Enter; the box opens with
    // the title offered and selected, so typing replaces it.
    for (int i = 0; i < 3; ++i)
        input.Steps.push_back([&] { editor.Key(VK_DOWN, 0); });
    input.Steps.push_back([&] {
        const json popup = window()["popup"];
        ASSERT_FALSE(popup.is_null());
        EXPECT_EQ(popup.size(), 6u);
        editor.Key(VK_RETURN, 0);
    });
    input.Steps.push_back([&] {
        EXPECT_EQ(window()["dialog"]["kind"], "query");
        editor.Text("Clock");
    });
    input.Steps.push_back([&] { editor.Key(VK_RETURN, 0); });
    run("press Timer1 right");
    EXPECT_EQ(dump()["bars"]["Stowbar1"]["entries"][0]["title"], "Clock");
    EXPECT_NE(transcript.str().find("chose: Change Title of \"Timer1\""), std::string::npos);
    EXPECT_TRUE(window()["popup"].is_null());
    EXPECT_EQ(input.Idle, 0);
}

TEST_F(EditorTest, MenuItemsAreAimedWithTheMouseAndAPressOutsideDismisses) {
    formWithTimerAndBar();
    // The release that ends the right click chooses nothing; a click on an item does.
    input.Steps.push_back([&] {
        const json item = find(window()["popup"], "caption", "About \"Timer1\"");
        ASSERT_FALSE(item.is_null());
        editor.Pointer(WM_RBUTTONUP, centre(item["bounds"]), 0);
    });
    input.Steps.push_back([&] {
        ASSERT_FALSE(window()["popup"].is_null());
        const json item = find(window()["popup"], "caption", "About \"Timer1\"");
        editor.Pointer(WM_MOUSEMOVE, centre(item["bounds"]), 0);
        editor.Pointer(WM_LBUTTONDOWN, centre(item["bounds"]), MK_LBUTTON);
        editor.Pointer(WM_LBUTTONUP, centre(item["bounds"]), 0);
    });
    input.Steps.push_back([&] { editor.Key(VK_RETURN, 0); }); // OK on the About box
    run("press Timer1 right");
    EXPECT_EQ(dump()["dialogs"].back()["kind"], "message"); // the About box

    input.Steps.push_back([&] { editor.Pointer(WM_LBUTTONDOWN, {990, 690}, MK_LBUTTON); });
    run("press Timer1 right");
    EXPECT_NE(transcript.str().rfind("chose: none"), std::string::npos);
    EXPECT_EQ(input.Idle, 0);
}

TEST_F(EditorTest, InputBoxCancelsWithEscapeAndLeavesTheTitle) {
    formWithTimerAndBar();
    run("choose \"Change Title of \\\"Timer1\\\"\"");
    input.Steps.push_back([&] { editor.Text("Nope"); });
    input.Steps.push_back([&] { editor.Key(VK_ESCAPE, 0); });
    run("press Timer1 right");
    EXPECT_EQ(dump()["bars"]["Stowbar1"]["entries"][0]["title"], "Timer1");
    ASSERT_FALSE(dump()["dialogs"].empty());
    EXPECT_TRUE(dump()["dialogs"].back()["answer"].is_null());
}

TEST_F(EditorTest, ClickAndShiftClickSelectAndDeleteDeletesTheSelection) {
    run("new form Form1 400 300");
    run("drop TTimer Timer1 at 16 16");
    run("drop TTimer Timer2 at 80 16");
    run("drop TButton Button1 at 160 160");
    click(onForm(30, 30));
    EXPECT_EQ(dump()["selection"], json::array({"Timer1"}));
    click(onForm(90, 30), MK_SHIFT);
    click(onForm(170, 170), MK_SHIFT);
    EXPECT_EQ(dump()["selection"], json::array({"Timer1", "Timer2", "Button1"}));
    click(onForm(90, 30), MK_SHIFT);
    EXPECT_EQ(dump()["selection"], json::array({"Timer1", "Button1"}));
    key(VK_DELETE);
    const json comps = dump()["components"];
    ASSERT_EQ(comps.size(), 1u);
    EXPECT_EQ(comps[0]["name"], "Timer2");
}

TEST_F(EditorTest, DraggingMovesControlsAndIconsInGridStepsAndMarksTheFormModified) {
    run("new form Form1 400 300");
    run("drop TButton Button1 at 16 16");
    run("drop TTimer Timer1 at 200 200");
    const int before = dump()["modified"];
    auto drag = [&](TPoint from, TPoint to) {
        editor.Pointer(WM_MOUSEMOVE, from, 0);
        editor.Pointer(WM_LBUTTONDOWN, from, MK_LBUTTON);
        settle();
        editor.Pointer(WM_MOUSEMOVE, {(from.X + to.X) / 2, (from.Y + to.Y) / 2}, MK_LBUTTON);
        editor.Pointer(WM_MOUSEMOVE, to, MK_LBUTTON);
        editor.Pointer(WM_LBUTTONUP, to, 0);
        settle();
    };
    drag(onForm(20, 20), onForm(20 + 43, 20 + 18)); // 43 -> 40, 18 -> 16
    auto* b = dyn<TControl>(session.Root()->FindComponent("Button1"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Left(), 56);
    EXPECT_EQ(b->Top(), 32);
    drag(onForm(210, 210), onForm(210 - 100, 210 + 5)); // -100 -> -104, 5 -> 8
    const json timer = find(dump()["components"], "name", "Timer1");
    EXPECT_EQ(timer["designInfo"], json::array({96, 208}));
    EXPECT_EQ(timer["icon"], json::array({96, 208}));
    EXPECT_EQ(dump()["modified"], before + 2);
    EXPECT_EQ(desk().GetCapture(), 0u);
}

TEST_F(EditorTest, MouseAtTheTopEdgeRevealsTheHiddenBar) {
    formWithTimerAndBar();
    run("select none");
    run("wait 400");
    ASSERT_EQ(dump()["bars"]["Stowbar1"]["hidden"], true);
    editor.Pointer(WM_MOUSEMOVE, onForm(100, 1), 0);
    settle();
    EXPECT_EQ(dump()["bars"]["Stowbar1"]["hidden"], false);
    EXPECT_EQ(dump()["bars"]["Stowbar1"]["bounds"][1], 0);
}

TEST_F(EditorTest, AFrameIsPaintedOnlyWhenSomethingChanged) {
    int frames = 0;
    desk().OnPaint = [&] { ++frames; };
    run("new form Form1");
    run("drop TTimer Timer1 at 16 16");
    run("drop TStowbar Stowbar1");
    run("select none");
    run("wait 1000"); // the bar collects, hides and settles
    ASSERT_GT(frames, 0);
    frames = 0;
    run("wait 2000"); // ten heartbeats with nothing to change
    EXPECT_EQ(frames, 0);
    editor.Pointer(WM_MOUSEMOVE, onForm(100, 1), 0); // the bar slides in: frames on the way
    settle();
    EXPECT_GT(frames, 2);
    desk().OnPaint = nullptr;
}

TEST_F(EditorTest, SaveWritesTheOpenedFileInItsOwnFormatAndClosingAsksFirst) {
    for (const bool binary : {false, true}) {
        SCOPED_TRACE(binary ? "binary" : "text");
        const std::filesystem::path file = dir / (binary ? "b.dfm" : "t.dfm");
        run("new form Form1");
        run("save " + app::QuoteWord(file.string()) + (binary ? " binary" : " text"));
        editor.Start(file);
        EXPECT_FALSE(editor.Modified());
        run("drop TTimer Timer1 at 8 8");
        EXPECT_TRUE(editor.Modified());
        key('S', MK_CONTROL);
        EXPECT_FALSE(editor.Modified());
        const std::string bytes = app::ReadFileBytes(file, file.string());
        EXPECT_EQ(LooksLikeBinaryForm(bytes), binary);
        EXPECT_NE(bytes.find("Timer1"), std::string::npos);
    }
    // Cancel keeps the window, No closes it without saving.
    run("drop TTimer Timer2 at 40 8");
    input.Steps.push_back([&] { editor.Key(VK_ESCAPE, 0); });
    editor.Close();
    settle();
    EXPECT_FALSE(editor.Closed());
    EXPECT_EQ(dump()["dialogs"].back()["kind"], "confirm");
    input.Steps.push_back([&] {
        const json dialog = window()["dialog"];
        const json no = find(dialog["buttons"], "caption", "&No");
        ASSERT_FALSE(no.is_null());
        editor.Pointer(WM_LBUTTONDOWN, centre(no["bounds"]), MK_LBUTTON);
        editor.Pointer(WM_LBUTTONUP, centre(no["bounds"]), 0);
    });
    editor.Close();
    settle();
    EXPECT_TRUE(editor.Closed());
    EXPECT_EQ(app::ReadFileBytes(dir / "b.dfm", "b.dfm").find("Timer2"), std::string::npos);
}

TEST_F(EditorTest, SaveAsAsksForANameAndANewFormIsSavedAsText) {
    run("new form Form1");
    editor.Start(std::nullopt);
    run("drop TTimer Timer1 at 8 8");
    const std::filesystem::path file = dir / "saved as.dfm";
    input.Steps.push_back([&] { editor.Text(file.string()); });
    input.Steps.push_back([&] { editor.Key(VK_RETURN, 0); });
    key('S', MK_CONTROL);
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(LooksLikeBinaryForm(app::ReadFileBytes(file, "saved as.dfm")));
    EXPECT_EQ(editor.File(), file);
    EXPECT_NE(window()["status"].get<std::string>().find("Saved"), std::string::npos);
}

TEST_F(EditorTest, AFormThatFailsToOpenIsReportedAndANewFormStarts) {
    const std::filesystem::path bad = dir / "bad.dfm";
    std::ofstream(bad) << "object Form1: TForm1\n  Left = \n";
    input.Steps.push_back([&] {
        EXPECT_EQ(window()["dialog"]["kind"], "error");
        editor.Key(VK_RETURN, 0);
    });
    editor.Start(bad);
    const json d = dump();
    EXPECT_EQ(d["form"]["name"], "Form1");
    EXPECT_EQ(d["components"].size(), 0u);
    ASSERT_FALSE(d["dialogs"].empty());
    EXPECT_NE(d["dialogs"][0]["text"].get<std::string>().find("bad.dfm"), std::string::npos);
    EXPECT_TRUE(editor.File().empty());
}

TEST_F(EditorTest, SnapshotWritesTheDumpWithTheWindowAndThePicture) {
    run("new form Form1 300 200");
    key(VK_F12);
    ASSERT_TRUE(std::filesystem::exists(dir / "window.png"));
    std::ifstream in(dir / "dump.json");
    const json d = json::parse(in);
    const json w = d["window"];
    EXPECT_EQ(w["clientWidth"], 1000);
    EXPECT_EQ(w["clientHeight"], 700);
    // The form's client area: below the palette, past the margin and the form's frame.
    EXPECT_EQ(w["formOrigin"], json::array({app::edit::DesignMargin + 4,
                                            PaletteHeight + app::edit::DesignMargin + 23}));
    EXPECT_NE(w["status"].get<std::string>().find("Wrote dump.json and window.png"),
              std::string::npos);
}

} // namespace edittest
