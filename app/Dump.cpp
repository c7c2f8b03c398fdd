// The JSON dump of the designer's state, and the readable print of a form or a component.
#include "app/Session.h"

#include <sstream>

namespace app {

using namespace host;
using stow::IBarView;
using stow::TNVC;

namespace {

json pos16(int32_t info) {
    TDesignPos p = TDesignPos::Unpack(info);
    return json::array({p.Left, p.Top});
}

json boundsOf(const TControl* c) {
    return json::array({c->Left(), c->Top(), c->Width(), c->Height()});
}

std::string enumName(const TEnumInfo& info, int value) {
    return value >= 0 && value < static_cast<int>(info.Names.size())
               ? info.Names[static_cast<size_t>(value)]
               : std::to_string(value);
}

json glyphOf(const TSpeedButton* b) {
    if (b->Glyph().Empty())
        return nullptr;
    const GdiBitmap* bmp = Desktop::Current().Bitmap(b->Glyph().Handle());
    if (!bmp)
        return nullptr;
    return json{{"resource", bmp->Resource}, {"module", bmp->Module}};
}

json barJson(const IBarView& bar) {
    json entries = json::array();
    for (int i = 0; i < bar.EntryCount(); ++i) {
        const TNVC* e = bar.Entry(i);
        const TSpeedButton* b = e->Button;
        json button{{"bounds", boundsOf(b)},
                    {"caption", b->Caption()},
                    {"down", b->Down()},
                    {"layout", enumName(ButtonLayoutInfo, static_cast<int>(b->Layout()))},
                    {"margin", b->Margin()},
                    {"spacing", b->Spacing()},
                    {"groupIndex", b->GroupIndex()},
                    {"glyph", glyphOf(b)}};
        entries.push_back(
            json{{"name", e->Name},
                 {"title", e->Title},
                 {"className", e->ClassName},
                 {"component", e->Component ? json(e->Component->Name()) : json(nullptr)},
                 {"button", button}});
    }
    json excluded = json::array();
    for (const std::string& s : bar.ExcludedNames().Items())
        excluded.push_back(s);
    json tabs = json::array();
    for (const std::string& s : bar.TabSet().Tabs().Items())
        tabs.push_back(s);
    json timers = json::array();
    for (uintptr_t id : bar.Timers())
        timers.push_back(id);
    return json{{"attachSide", bar.AttachSideName()},
                {"autoHide", bar.AutoHide()},
                {"hidden", bar.Hidden()},
                {"visible", bar.Control().Visible()},
                {"bounds", boundsOf(&bar.Control())},
                {"buttonWidth", bar.ButtonWidth()},
                {"buttonHeight", bar.ButtonHeight()},
                {"hiddenBarWidth", bar.HiddenBarWidth()},
                {"scrollTime", bar.ScrollTime()},
                {"showTitles", bar.ShowTitles()},
                {"showPicture", bar.ShowPicture()},
                {"layout", enumName(ButtonLayoutInfo, static_cast<int>(bar.Layout()))},
                {"margin", bar.Margin()},
                {"spacing", bar.Spacing()},
                {"versionInfo", bar.VersionInfo()},
                {"entries", entries},
                {"excludedNames", excluded},
                {"tabs", tabs},
                {"tabIndex", bar.TabSet().TabIndex()},
                {"timers", timers},
                {"slide", bar.SlideFrames()}};
}

} // namespace

json Session::Dump() {
    json out;
    Desktop& d = FEnv->desktop();
    out["clock"] = d.Now();
    TComponent* root = Root();
    TFormDesigner* designer = FEnv->Designer();
    if (!root) {
        out["form"] = nullptr;
    } else {
        json f{{"name", root->Name()},
               {"class", root->ClassName()},
               {"kind", std::string(RootKindName(FEnv->Kind()))},
               {"designing", root->IsDesigning()}};
        if (auto* surface = dyn<TControl>(root)) {
            f["width"] = surface->Width();
            f["height"] = surface->Height();
            f["clientWidth"] = surface->ClientWidth();
            f["clientHeight"] = surface->ClientHeight();
        }
        out["form"] = f;
    }
    out["modified"] = designer ? designer->ModifiedCount() : 0;
    json selection = json::array();
    if (designer)
        for (TComponent* c : designer->Selection())
            selection.push_back(c->Name());
    out["selection"] = selection;
    json components = json::array();
    json bars = json::object();
    if (root) {
        for (TComponent* c : root->ComponentList()) {
            json icon = nullptr;
            if (designer)
                if (HWND h = designer->IconOf(c)) {
                    TRect r = d.WindowRectInParent(h);
                    icon = json::array({r.Left, r.Top});
                }
            components.push_back(json{{"name", c->Name()},
                                      {"class", c->ClassName()},
                                      {"designInfo", pos16(c->DesignInfo())},
                                      {"icon", icon}});
            if (const IBarView* bar = FBars.Of(c))
                bars[c->Name()] = barJson(*bar);
        }
    }
    out["components"] = components;
    out["bars"] = bars;
    json dialogs = json::array();
    for (const DialogRecord& r : FEnv->dialogs().Shown()) {
        json j{{"kind", r.Kind}, {"text", r.Text}};
        if (r.Kind == "query") {
            j["caption"] = r.Caption;
            j["prompt"] = r.Prompt;
            j["value"] = r.Value;
            j["answer"] = r.Answer ? json(*r.Answer) : json(nullptr);
        }
        dialogs.push_back(j);
    }
    out["dialogs"] = dialogs;
    out["menus"] = FMenus.Shown;
    if (ExtendDump)
        ExtendDump(out);
    return out;
}

std::string Session::Print(const std::string& name) {
    std::ostringstream out;
    TComponent* root = Root();
    if (!root)
        throw ScriptError("no form is open");
    TComponent* c = name.empty() ? root : component(name);
    if (c == root) {
        out << root->Name() << ": " << root->ClassName();
        if (auto* form = dyn<TCustomForm>(root))
            out << " (" << form->ClientWidth() << " x " << form->ClientHeight() << ")";
        out << "\n";
        for (TComponent* child : root->ComponentList()) {
            out << "  " << child->Name() << ": " << child->ClassName();
            if (const IBarView* bar = FBars.Of(child))
                out << " [" << bar->EntryCount() << " entries]";
            out << "\n";
        }
        return out.str();
    }
    out << c->Name() << ": " << c->ClassName() << "\n";
    if (const IBarView* bar = FBars.Of(c)) {
        const TWinControl& window = bar->Control();
        out << "  side " << bar->AttachSideName() << ", " << (bar->Hidden() ? "hidden" : "shown")
            << ", bounds " << window.Left() << " " << window.Top() << " " << window.Width() << " "
            << window.Height() << "\n";
        for (int i = 0; i < bar->EntryCount(); ++i) {
            const TNVC* e = bar->Entry(i);
            out << "  " << (i + 1) << ". " << e->Name;
            if (e->Title != e->Name)
                out << " \"" << Escape(e->Title) << "\"";
            out << " (" << e->ClassName << ")\n";
        }
    }
    return out.str();
}

} // namespace app
