#pragma once
// An editor on virtual time with a scripted source of input: what a person would do while a menu
// or dialog is up is queued as steps, each run when the loop waits for input.

#include "app/edit/Editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace edittest {

using app::json;

class ScriptedInput : public host::IEventSource {
public:
    std::deque<std::function<void()>> Steps;
    host::Desktop* Desk = nullptr;
    app::edit::Editor* Ed = nullptr;
    int Idle = 0; // waits with nothing left to do

    void WaitForInput(uint64_t until) override {
        if (!Steps.empty()) {
            auto step = std::move(Steps.front());
            Steps.pop_front();
            step();
            return;
        }
        if (until != NoDeadline) {
            Desk->Advance(until - Desk->Now());
            return;
        }
        // Nothing more will come: whatever is up is dismissed, as a person walking away would
        // not; a test that gets here has forgotten a step.
        ++Idle;
        Ed->Key(host::VK_ESCAPE, 0);
    }
};

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture()
        : dir(std::filesystem::temp_directory_path() /
              ("stow-edit-" + std::to_string(::getpid()) + "-" + std::to_string(++serial()))),
          session((std::filesystem::create_directories(dir), transcript), dir),
          editor(session, dir) {
        input.Desk = &desk();
        input.Ed = &editor;
        desk().SetEventSource(&input);
        editor.Resize(1000, 700);
    }
    ~EditorFixture() override {
        desk().SetEventSource(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    static int& serial() {
        static int n = 0;
        return n;
    }

    host::Desktop& desk() { return session.env().desktop(); }
    void run(const std::string& line) { session.Execute(app::ParseLine(line, 1)); }
    void settle() { desk().ProcessMessages(); }
    // A new form with a timer and a bar that has collected it.
    void formWithTimerAndBar() {
        for (const char* line :
             {"new form Form1", "drop TTimer Timer1 at 16 16", "drop TStowbar Stowbar1", "wait 1"})
            run(line);
    }
    json window() { return editor.WindowJson(); }
    json dump() { return session.Dump(); }

    static host::TPoint centre(const json& bounds) {
        return {bounds[0].get<int>() + bounds[2].get<int>() / 2,
                bounds[1].get<int>() + bounds[3].get<int>() / 2};
    }
    // A window point of the form's client area.
    host::TPoint onForm(int x, int y) {
        const json origin = window()["formOrigin"];
        return {origin[0].get<int>() + x, origin[1].get<int>() + y};
    }
    void click(host::TPoint p, host::WPARAM keys = 0) {
        editor.Pointer(host::WM_MOUSEMOVE, p, keys);
        editor.Pointer(host::WM_LBUTTONDOWN, p, keys | host::MK_LBUTTON);
        editor.Pointer(host::WM_LBUTTONUP, p, keys);
        settle();
    }
    // The bounds of the element of a window list whose key has the value; null when none.
    static json find(const json& list, const std::string& key, const std::string& value) {
        for (const json& item : list)
            if (item.value(key, json()).is_string() && item[key] == value)
                return item;
        return nullptr;
    }
    void key(host::WPARAM vk, host::WPARAM mods = 0) {
        editor.Key(vk, mods);
        settle();
    }

    std::filesystem::path dir;
    std::ostringstream transcript;
    app::Session session;
    app::edit::Editor editor;
    ScriptedInput input;
};

} // namespace edittest
