// The session's input commands: the mouse, the keyboard, and the answers to popup menus and
// dialogs.
#include "app/Session.h"

#include "host/win32/Windows.h"

namespace app {

using namespace host;
using stow::IBarView;
using stow::TNVC;

namespace {

std::string menuItemText(TMenuItem* item) {
    if (item->IsLine())
        return "-";
    std::string text = item->Caption();
    if (item->Count() > 0) {
        text += " [";
        for (int i = 0; i < item->Count(); ++i)
            text += (i ? " | " : "") + menuItemText(item->Items(i));
        text += "]";
    }
    if (!item->Enabled())
        text = "(" + text + ")";
    return text;
}

json menuItemJson(TMenuItem* item) {
    json items = json::array();
    for (int i = 0; i < item->Count(); ++i)
        items.push_back(menuItemJson(item->Items(i)));
    return json{{"caption", item->Caption()},
                {"tag", item->Tag()},
                {"enabled", item->Enabled()},
                {"items", items}};
}

} // namespace

// ---------------------------------------------------------------- menus

TMenuItem* SessionMenus::TrackPopupMenu(TMenu* menu, TPoint screen) {
    TMenuItem* root = menu->Items();
    std::string line = "menu: ";
    json items = json::array();
    for (int i = 0; i < root->Count(); ++i) {
        line += (i ? " | " : "") + menuItemText(root->Items(i));
        items.push_back(menuItemJson(root->Items(i)));
    }
    Shown.push_back(items);
    if (Say)
        Say(Escape(line));
    std::vector<std::string> choice;
    const bool queued = !Choices.empty();
    if (queued) {
        choice = Choices.front();
        Choices.pop_front();
    }
    if (OnPopup)
        OnPopup(menu, screen, choice);
    TMenuItem* chosen = nullptr;
    if (!queued && Ask) {
        chosen = Ask(menu, screen);
        for (TMenuItem* i = chosen; i && i != root; i = i->Parent())
            choice.insert(choice.begin(), i->Caption());
    } else if (!choice.empty()) {
        TMenuItem* level = root;
        for (const std::string& caption : choice) {
            chosen = nullptr;
            bool found = false;
            for (int i = 0; i < level->Count(); ++i)
                if (level->Items(i)->Caption() == caption) {
                    found = true;
                    if (!level->Items(i)->IsLine())
                        chosen = level->Items(i);
                    break;
                }
            // A caption that names no item is a mistake of the script: said once the command
            // that popped the menu has returned. The menu is dismissed meanwhile.
            if (!found) {
                std::string items;
                for (int i = 0; i < level->Count(); ++i)
                    items += (i ? " | " : "") + menuItemText(level->Items(i));
                Error = "choose: the menu has no item \"" + Escape(caption) +
                        "\" (its items: " + Escape(items) + ")";
            }
            // A disabled item is never chosen, nor is a disabled submenu opened.
            if (chosen && !chosen->Enabled())
                chosen = nullptr;
            if (!chosen)
                break;
            level = chosen;
        }
        // Disabled items, separators and submenu headers are never chosen.
        if (chosen && (!chosen->Enabled() || chosen->Count() > 0))
            chosen = nullptr;
    }
    if (Say) {
        if (chosen) {
            std::string path;
            for (size_t i = 0; i < choice.size(); ++i)
                path += (i ? " > " : "") + choice[i];
            Say("chose: " + Escape(path));
        } else {
            Say("chose: none");
        }
    }
    return chosen;
}

void Session::cmdMouse(const ScriptLine& line) {
    RequireWords(line, 2, 2, "mouse X Y");
    TPoint screen = formToScreen(ToInt(line.Words[1], "X"), ToInt(line.Words[2], "Y"));
    FEnv->desktop().MouseInput(screen, WM_MOUSEMOVE, 0);
    settle();
}

const IBarView& Session::barHolding(const std::string& componentName, const TNVC** entry) const {
    TComponent* root = Root();
    if (!root)
        throw ScriptError("no form is open");
    for (TComponent* c : root->ComponentList())
        if (const IBarView* bar = FBars.Of(c))
            for (int i = 0; i < bar->EntryCount(); ++i)
                if (SameText(bar->Entry(i)->Name, componentName)) {
                    *entry = bar->Entry(i);
                    return *bar;
                }
    throw ScriptError("no bar holds a button for " + componentName);
}

void Session::cmdPress(const ScriptLine& line) {
    RequireWords(line, 1, 2, "press NAME [left|right|middle]");
    std::string which = line.Words.size() == 3 ? line.Words[2] : "left";
    UINT down, up;
    WPARAM keys;
    if (which == "left") {
        down = WM_LBUTTONDOWN, up = WM_LBUTTONUP, keys = MK_LBUTTON;
    } else if (which == "right") {
        down = WM_RBUTTONDOWN, up = WM_RBUTTONUP, keys = MK_RBUTTON;
    } else if (which == "middle") {
        down = WM_MBUTTONDOWN, up = WM_MBUTTONUP, keys = MK_MBUTTON;
    } else {
        throw ScriptError("the mouse button is left, right or middle, not " + which);
    }
    clickButton(line.Words[1], {{down, keys}, {up, 0}});
}

void Session::clickButton(const std::string& componentName,
                          const std::vector<std::pair<UINT, WPARAM>>& messages) {
    // The centre of the button, reached through the bar's window even where a window covers it.
    const TNVC* entry = nullptr;
    TWinControl& bar = barHolding(componentName, &entry).Control();
    const TSpeedButton* b = entry->Button;
    int x = b->Left() + b->Width() / 2, y = b->Top() + b->Height() / 2;
    Desktop& d = FEnv->desktop();
    d.SetCursorPos(bar.ClientToScreen({x, y}));
    HWND h = bar.Handle();
    for (auto [msg, keys] : messages)
        d.SendMessage(h, msg, keys, MakeLParam(x, y));
    settle();
}

void Session::cmdDblClick(const ScriptLine& line) {
    RequireWords(line, 1, 1, "dblclick NAME");
    clickButton(line.Words[1], {{WM_LBUTTONDOWN, MK_LBUTTON},
                                {WM_LBUTTONUP, 0},
                                {WM_LBUTTONDBLCLK, MK_LBUTTON},
                                {WM_LBUTTONUP, 0}});
}

void Session::cmdTab(const ScriptLine& line) {
    RequireWords(line, 2, 2, "tab BAR TAB");
    const IBarView* bar = FBars.Of(component(line.Words[1]));
    if (!bar)
        throw ScriptError(line.Words[1] + " is not a bar");
    TTabSet* tabs = &bar->TabSet();
    int index = tabs->Tabs().IndexOf(line.Words[2]);
    if (index < 0)
        throw ScriptError(line.Words[1] + " has no tab named " + line.Words[2]);
    TRect r = tabs->ItemRect(index);
    int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    Desktop& d = FEnv->desktop();
    d.SetCursorPos(tabs->ClientToScreen({x, y}));
    HWND h = tabs->Handle();
    d.SendMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
    d.SendMessage(h, WM_LBUTTONUP, 0, MakeLParam(x, y));
    settle();
}

void Session::cmdKey(const ScriptLine& line) {
    RequireWords(line, 1, 1, "key KEY");
    WPARAM vk;
    if (SameText(line.Words[1], "Delete"))
        vk = VK_DELETE;
    else if (SameText(line.Words[1], "Enter") || SameText(line.Words[1], "Return"))
        vk = VK_RETURN;
    else if (SameText(line.Words[1], "Escape"))
        vk = VK_ESCAPE;
    else
        throw ScriptError("unknown key " + line.Words[1] + " (Delete, Enter, Escape)");
    PressKey(vk);
}

void Session::PressKey(WPARAM key) {
    FEnv->desktop().SendMessage(surface()->Handle(), WM_KEYDOWN, key, 0);
    settle();
}

void Session::cmdChoose(const ScriptLine& line) {
    if (line.Words.size() < 2)
        throw ScriptError("usage: choose CAPTION [> SUBCAPTION] | choose none");
    if (line.Words.size() == 2 && line.Words[1] == "none") {
        FMenus.Choices.push_back({});
        FChoiceLines.push_back(line.Number);
        return;
    }
    std::vector<std::string> path;
    std::string current;
    bool have = false;
    for (size_t i = 1; i < line.Words.size(); ++i) {
        if (line.Words[i] == ">") {
            if (!have)
                throw ScriptError("usage: choose CAPTION [> SUBCAPTION]");
            path.push_back(current);
            current.clear();
            have = false;
        } else {
            current += (have ? " " : "") + line.Words[i];
            have = true;
        }
    }
    if (!have)
        throw ScriptError("usage: choose CAPTION [> SUBCAPTION]");
    path.push_back(current);
    FMenus.Choices.push_back(path);
    FChoiceLines.push_back(line.Number);
}

void Session::cmdAnswer(const ScriptLine& line) {
    RequireWords(line, 1, 1, "answer TEXT | answer cancel");
    if (line.Words[1] == "cancel" && line.Text.find('"') == std::string::npos)
        FEnv->dialogs().QueueAnswer(std::nullopt);
    else
        FEnv->dialogs().QueueAnswer(line.Words[1]);
    FAnswerLines.push_back(line.Number);
}

} // namespace app
