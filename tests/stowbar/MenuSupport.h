#pragma once
// Presses on a bar's buttons and a menu service that records each popup menu and answers it
// from a queue of caption paths.

#include "support/BarFixture.h"

#include <deque>

namespace stowtest {

// Records each popup menu as text, one string per item: "-" for the separator, "(caption)" for
// a disabled item, "caption [sub | sub]" for a submenu.
class TestMenus : public IMenuService {
public:
    TMenuItem* TrackPopupMenu(TMenu* menu, TPoint) override {
        std::vector<std::string> shown;
        TMenuItem* root = menu->Items();
        for (int i = 0; i < root->Count(); ++i)
            shown.push_back(text(root->Items(i)));
        Shown.push_back(shown);
        std::vector<std::string> path;
        if (!Choices.empty()) {
            path = Choices.front();
            Choices.pop_front();
        }
        TMenuItem* level = root;
        TMenuItem* chosen = nullptr;
        for (const std::string& caption : path) {
            chosen = nullptr;
            for (int i = 0; i < level->Count(); ++i)
                if (level->Items(i)->Caption() == caption && level->Items(i)->Enabled())
                    chosen = level->Items(i);
            if (!chosen)
                return nullptr;
            level = chosen;
        }
        return chosen;
    }
    static std::string text(TMenuItem* item) {
        if (item->IsLine())
            return "-";
        std::string t = item->Caption();
        if (item->Count() > 0) {
            t += " [";
            for (int i = 0; i < item->Count(); ++i)
                t += (i ? " | " : "") + text(item->Items(i));
            t += "]";
        }
        return item->Enabled() ? t : "(" + t + ")";
    }
    std::vector<std::vector<std::string>> Shown;
    std::deque<std::vector<std::string>> Choices;
};

// A form with a bar fixture whose popup menus are answered by TestMenus, and whose editors
// report what they do.
class MenuTest : public BarTest {
protected:
    MenuTest() {
        env.application().SetMenuService(&menus);
        CurrentEditorEvents().OnVerb = [this](TComponent* c, const std::string& verb) {
            events.push_back("verb: " + c->Name() + " " + verb);
        };
        CurrentEditorEvents().OnEdit = [this](TComponent* c, const std::string& handler) {
            events.push_back("edit: " + c->Name() + " " + handler);
        };
    }
    ~MenuTest() override {
        CurrentEditorEvents() = {};
        env.application().SetMenuService(nullptr);
    }

    // Sends a press and release of a mouse button at the centre of the component's button on
    // the bar, then handles what the press posted (the chosen command among it).
    void Press(TStowbar* bar, const std::string& name, TMouseButton which = mbLeft) {
        TSpeedButton* b = ButtonOf(bar, name);
        ASSERT_NE(b, nullptr) << name;
        UINT down = which == mbLeft    ? WM_LBUTTONDOWN
                    : which == mbRight ? WM_RBUTTONDOWN
                                       : WM_MBUTTONDOWN;
        UINT up = which == mbLeft ? WM_LBUTTONUP : which == mbRight ? WM_RBUTTONUP : WM_MBUTTONUP;
        WPARAM keys = which == mbLeft ? MK_LBUTTON : which == mbRight ? MK_RBUTTON : MK_MBUTTON;
        LPARAM at = MakeLParam(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
        env.desktop().SendMessage(bar->Handle(), down, keys, at);
        env.desktop().SendMessage(bar->Handle(), up, 0, at);
        Settle();
    }
    // Queues the answer to the next popup, then right-clicks the component's button.
    void Choose(TStowbar* bar, const std::string& name, std::vector<std::string> path) {
        menus.Choices.push_back(std::move(path));
        Press(bar, name, mbRight);
    }
    void DblClick(TStowbar* bar, const std::string& name) {
        TSpeedButton* b = ButtonOf(bar, name);
        ASSERT_NE(b, nullptr) << name;
        LPARAM at = MakeLParam(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            env.desktop().SendMessage(bar->Handle(), m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        Settle();
    }
    TSpeedButton* ButtonOf(TStowbar* bar, const std::string& name) {
        for (int i = 0; i < bar->EntryCount(); ++i)
            if (bar->Entry(i)->Name == name)
                return bar->Entry(i)->Button;
        return nullptr;
    }
    TNVC* EntryOf(TStowbar* bar, const std::string& name) {
        for (int i = 0; i < bar->EntryCount(); ++i)
            if (bar->Entry(i)->Name == name)
                return bar->Entry(i);
        return nullptr;
    }
    // Runs the bar's menu handler for an item with any tag and caption, as a click on such an
    // item would.
    void ClickItem(TStowbar* bar, int64_t tag, const std::string& caption = {}) {
        auto* probe = New<TMenuItem>(nullptr);
        probe->OnClick = bar->VerbMenu()->Items()->Items(0)->OnClick;
        probe->SetTag(tag);
        probe->SetCaption(caption);
        probe->Click();
        probe->Free();
    }
    std::vector<std::string> LastMenu() {
        return menus.Shown.empty() ? std::vector<std::string>{} : menus.Shown.back();
    }
    std::vector<std::string> Selected() {
        std::vector<std::string> names;
        for (TComponent* c : designer().Selection())
            names.push_back(c->Name());
        return names;
    }

    TestMenus menus;
    std::vector<std::string> events;
};

} // namespace stowtest
