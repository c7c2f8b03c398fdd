#pragma once
// A fresh designer world per test: a form being designed, and helpers to drop components and
// bars and to run the message loop.

#include "host/designer/Environment.h"
#include "stowbar/Stowbar.h"

#include <gtest/gtest.h>

#include <string>

namespace stowtest {

using stow::TAttachSide;
using stow::TNVC;
using stow::TStowbar;
using enum stow::TAttachSide;

class BarTest : public ::testing::Test {
protected:
    // The bar is linked into these tests: its unit starts and stops with each test.
    BarTest() {
        stow::StowbarInitialization();
        host::RegisterClass(TStowbar::StaticClass());
    }
    ~BarTest() override {
        env.Close();
        stow::StowbarFinalization();
    }

    host::TCustomForm* NewForm(int width = 640, int height = 480) {
        return env.NewForm("Form1", width, height);
    }
    host::TFormDesigner& designer() { return *env.Designer(); }
    template <class T> T* Drop(const std::string& name = {}, int x = 0, int y = 0) {
        return static_cast<T*>(designer().Drop(T::StaticClass(), name, x, y));
    }
    TStowbar* DropBar(const std::string& name = {}) { return Drop<TStowbar>(name); }
    // Runs the message loop for ms milliseconds of virtual time.
    void Wait(uint32_t ms) { env.desktop().RunFor(ms); }
    // Handles what is pending without moving time.
    void Settle() { env.desktop().ProcessMessages(); }
    std::vector<std::string> EntryNames(TStowbar* bar) {
        std::vector<std::string> names;
        for (int i = 0; i < bar->EntryCount(); ++i)
            names.push_back(bar->Entry(i)->Name);
        return names;
    }
    std::vector<std::string> Excluded(TStowbar* bar) { return bar->ExcludedNames().Items(); }
    const std::vector<host::DialogRecord>& Dialogs() { return env.dialogs().Shown(); }
    static host::TPoint Pos(const host::TComponent* c) {
        host::TDesignPos p = host::TDesignPos::Unpack(c->DesignInfo());
        return {p.Left, p.Top};
    }

    host::DesignEnvironment env;
};

} // namespace stowtest
