#pragma once
// Everything a user could see of a designed form's bars, as text to compare: the components with
// their icon positions, each bar with its place, entries, buttons, excluded names and tabs, the
// z-order of the form's child windows, and the dialogs shown.

#include "host/designer/Environment.h"
#include "host/win32/Windows.h"
#include "stowbar/Stowbar.h"

#include <map>
#include <sstream>
#include <string>

namespace stowtest {

inline std::string Rect(const host::TRect& r) {
    std::ostringstream s;
    s << "[" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << "]";
    return s.str();
}

inline std::string BarSnapshot(host::DesignEnvironment& env) {
    using namespace host;
    std::ostringstream s;
    TComponent* root = env.Root();
    if (!root)
        return "no form\n";
    Desktop& d = env.desktop();
    std::map<HWND, std::string> windows;
    for (TComponent* c : root->ComponentList()) {
        TDesignPos p = TDesignPos::Unpack(c->DesignInfo());
        s << c->Name() << ":" << c->ClassName() << " info " << p.Left << "," << p.Top;
        if (HWND icon = env.Designer()->IconOf(c)) {
            windows[icon] = "icon " + c->Name();
            s << " icon " << Rect(d.WindowRectInParent(icon));
        }
        s << "\n";
        auto* bar = dyn<stow::TStowbar>(c);
        if (auto* w = dyn<TWinControl>(c); w && w->HandleAllocated())
            windows[w->Handle()] = c->Name();
        if (!bar)
            continue;
        const stow::TNVCRegistry& entries = bar->Entries();
        s << "  side " << static_cast<int>(bar->AttachSide()) << " hidden " << bar->Hidden()
          << " auto " << bar->AutoHide() << " bounds " << Rect(bar->BoundsRect()) << "\n";
        for (int i = 0; i < entries.Count(); ++i) {
            const stow::TNVC* e = entries.Items(i);
            const GdiBitmap* glyph = d.Bitmap(e->Button->Glyph().Handle());
            s << "  " << e->Name << "|" << e->Title << "|" << e->ClassName << "|"
              << (e->Component ? e->Component->Name() : "-") << "|" << Rect(e->Button->BoundsRect())
              << "|" << e->Button->Caption() << "|" << (glyph ? glyph->Resource : "-") << "\n";
        }
        s << "  excluded";
        for (const std::string& n : bar->ExcludedNames().Items())
            s << " " << n;
        s << "\n  tabs";
        for (const std::string& t : bar->TabSet()->Tabs().Items())
            s << " " << t;
        s << " @" << bar->TabSet()->TabIndex() << "\n";
    }
    s << "z-order:";
    if (auto* form = dyn<TWinControl>(root); form && form->HandleAllocated())
        for (HWND h : d.Children(form->Handle()))
            s << " " << (windows.count(h) ? windows[h] : "?");
    s << "\ndialogs:";
    for (const DialogRecord& r : env.dialogs().Shown())
        s << " [" << r.Text << "]";
    s << "\n";
    return s.str();
}

} // namespace stowtest
