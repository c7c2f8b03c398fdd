// Chooses a control's painter by its class and ancestors; placeholders; the sheets of page
// controls.
#include "host/designer/RenderControls.h"

#include "host/catalogue/Placeholders.h"
#include "host/designer/RenderParts.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Graphics.h"
#include "host/vcl/SurfaceTarget.h"

#include <unordered_map>

namespace host {

namespace {

using render::Painter;

// A class the host does not know, drawn as what it is: its face, a frame and its class name.
void paintPlaceholder(Surface& s, TControl& c) {
    const PixelRect all = render::Whole(c);
    s.FillRect(all, render::Face(c));
    s.FrameRect(all, colours::Gray);
    PixelRect inner{1, 1, all.Right - 1, all.Bottom - 1};
    s.FrameRect(inner, colours::White);
    TFont font;
    render::TextIn(s, {3, 2, all.Right - 3, all.Bottom - 2}, c.ClassName(), font,
                   render::HAlign::Left, false);
}

const std::unordered_map<std::string, Painter>& painters() {
    static const std::unordered_map<std::string, Painter> table = [] {
        std::unordered_map<std::string, Painter> t;
        for (auto rows :
             {render::StandardPainters(), render::Win32Painters(), render::DataPainters()})
            for (const render::PainterRow& row : rows)
                t.emplace(row.Class, row.Paint);
        return t;
    }();
    return table;
}

// The class whose painter paints c, and the painter; null when c paints itself.
std::pair<const TClass*, Painter> painterFor(const TControl& c) {
    if (c.Is<TPlaceholderControl>() || c.Is<TPlaceholderGraphic>())
        return {c.ClassType(), &paintPlaceholder};
    const auto& table = painters();
    for (const TClass* cls = c.ClassType(); cls; cls = cls->ClassParent()) {
        auto it = table.find(cls->ClassName());
        if (it == table.end())
            continue;
        // A speed button paints its own glyph when the host holds one (the bar's buttons); the
        // renderer draws those whose glyph is only the file's data.
        if (auto* button = dynamic_cast<const TSpeedButton*>(&c);
            button && (!button->Glyph().Empty() || button->Glyph().Data().empty()))
            return {nullptr, nullptr};
        return {cls, it->second};
    }
    return {nullptr, nullptr};
}

bool namedLike(const TControl& c, std::string_view name) {
    for (const TClass* cls = c.ClassType(); cls; cls = cls->ClassParent())
        if (cls->ClassName() == name)
            return true;
    return false;
}

} // namespace

void PaintControl(Surface& surface, TControl& control, const PixelRect& rect,
                  const PixelRect& clip) {
    const Painter painter = painterFor(control).second;
    SurfacePaintTarget target(surface, {rect.Left, rect.Top}, clip);
    if (painter)
        painter(surface, control);
    else
        control.PaintTo(&target);
}

std::string PainterOf(const TControl& control) {
    if (control.Is<TPlaceholderControl>() || control.Is<TPlaceholderGraphic>())
        return "placeholder";
    const TClass* cls = painterFor(control).first;
    return cls ? cls->ClassName() : std::string();
}

ChildPlace PlaceOfChild(const TControl& child) {
    ChildPlace place;
    TWinControl* parent = child.Parent();
    if (!parent || !namedLike(child, "TTabSheet") || !namedLike(*parent, "TPageControl"))
        return place;
    place.Placed = true;
    place.Rect = render::PageDisplayRect(*parent);
    TObject* active = render::Obj(*parent, "ActivePage");
    if (!active) {
        // No page chosen: the first sheet with a tab shows.
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (namedLike(*c, "TTabSheet") && render::Flag(*c, "TabVisible", true)) {
                active = c;
                break;
            }
        }
    }
    place.Shown = active == &child;
    return place;
}

} // namespace host
