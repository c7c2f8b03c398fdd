#pragma once
// Presses on a bar's buttons and a menu service that records each popup menu and answers it
// from a queue of caption paths.

#include "support/BarFixture.h"

#include <deque>

namespace stowtest {

// Records each popup menu as text, one string per item: "-" for the separator, "(caption)" for
// a disabled item, "caption [sub | sub]" for a submenu.
class TestMenus : public host::IMenuService {
public:
    host::TMenuItem* TrackPopupMenu(host::TMenu* menu, host::TPoint) override {
        std::vector<std::string> shown;
        host::TMenuItem* root = menu->Items();
        for (int i = 0; i < root->Count(); ++i)
            shown.push_back(text(root->Items(i)));
        Shown.push_back(shown);
        std::vector<std::string> path;
        if (!Choices.empty()) {
            path = Choices.front();
            Choices.pop_front();
        }
        host::TMenuItem* level = root;
        host::TMenuItem* chosen = nullptr;
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
    static std::string text(host::TMenuItem* item) {
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
        host::CurrentEditorEvents().OnVerb = [this](host::TComponent* c, const std::string& verb) {
            events.push_back("verb: " + c->Name() + " " + verb);
        };
        host::CurrentEditorEvents().OnEdit = [this](host::TComponent* c,
                                                    const std::string& handler) {
            events.push_back("edit: " + c->Name() + " " + handler);
        };
    }
    ~MenuTest() override {
        host::CurrentEditorEvents() = {};
        env.application().SetMenuService(nullptr);
    }

    // Sends a press and release of a mouse button at the centre of the component's button on
    // the bar, then handles what the press posted (the chosen command among it).
    void Press(TStowbar* bar, const std::string& name, host::TMouseButton which = host::mbLeft) {
        host::TSpeedButton* b = ButtonOf(bar, name);
        ASSERT_NE(b, nullptr) << name;
        host::UINT down = which == host::mbLeft    ? host::WM_LBUTTONDOWN
                          : which == host::mbRight ? host::WM_RBUTTONDOWN
                                                   : host::WM_MBUTTONDOWN;
        host::UINT up = which == host::mbLeft    ? host::WM_LBUTTONUP
                        : which == host::mbRight ? host::WM_RBUTTONUP
                                                 : host::WM_MBUTTONUP;
        host::WPARAM keys = which == host::mbLeft    ? host::MK_LBUTTON
                            : which == host::mbRight ? host::MK_RBUTTON
                                                     : host::MK_MBUTTON;
        host::LPARAM at = host::MakeLParam(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
        env.desktop().SendMessage(bar->Handle(), down, keys, at);
        env.desktop().SendMessage(bar->Handle(), up, 0, at);
        Settle();
    }
    // Queues the answer to the next popup, then right-clicks the component's button.
    void Choose(TStowbar* bar, const std::string& name, std::vector<std::string> path) {
        menus.Choices.push_back(std::move(path));
        Press(bar, name, host::mbRight);
    }
    void DblClick(TStowbar* bar, const std::string& name) {
        host::TSpeedButton* b = ButtonOf(bar, name);
        ASSERT_NE(b, nullptr) << name;
        host::LPARAM at = host::MakeLParam(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
        for (host::UINT m :
             {host::WM_LBUTTONDOWN, host::WM_LBUTTONUP, host::WM_LBUTTONDBLCLK, host::WM_LBUTTONUP})
            env.desktop().SendMessage(bar->Handle(), m,
                                      m == host::WM_LBUTTONUP ? 0 : host::MK_LBUTTON, at);
        Settle();
    }
    host::TSpeedButton* ButtonOf(TStowbar* bar, const std::string& name) {
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
        auto* probe = host::New<host::TMenuItem>(nullptr);
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
        for (host::TComponent* c : designer().Selection())
            names.push_back(c->Name());
        return names;
    }

    TestMenus menus;
    std::vector<std::string> events;
};

} // namespace stowtest
