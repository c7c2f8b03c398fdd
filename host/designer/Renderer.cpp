// The composer of design-surface pictures: the form window, its controls in z-order, designer
// icons and selection handles; the popup menu and dialog are in RenderPopups.cpp.
#include "host/designer/Renderer.h"

#include "host/designer/PaletteBitmaps.h"
#include "host/designer/RenderControls.h"
#include "host/vcl/Graphics.h"
#include "host/vcl/SurfaceTarget.h"
#include "host/win32/Font.h"

#include <algorithm>

namespace host {

namespace {

constexpr Colour kDesktop = 0x008080;
constexpr Colour kActiveCaption = 0x000080;
constexpr Colour kInactiveCaption = 0x808080;
constexpr Colour kInactiveCaptionText = 0xC0C0C0;
constexpr int kGridStep = 8;
constexpr int kHandle = 5;

// A caption button (minimise, maximise, close): a small raised face with its mark.
void paintCaptionButton(Surface& s, const PixelRect& r, char kind) {
    PixelRect face = r;
    s.FillRect(face, colours::Silver);
    s.DrawEdge(face, EDGE_RAISED, BF_RECT | BF_SOFT);
    const int cx = r.Left + (r.Width() - 1) / 2;
    const int cy = r.Top + (r.Height() - 1) / 2;
    switch (kind) {
    case 'x':
        for (int i = -3; i <= 3; ++i) {
            s.FillRect({cx + i - 1, cy + i, cx + i + 1, cy + i + 1}, colours::Black);
            s.FillRect({cx - i - 1, cy + i, cx - i + 1, cy + i + 1}, colours::Black);
        }
        break;
    case 'm': // maximise: a window outline with a thick top
        s.FrameRect({r.Left + 3, r.Top + 2, r.Right - 4, r.Bottom - 3}, colours::Black);
        s.HLine(r.Left + 3, r.Right - 4, r.Top + 3, colours::Black);
        break;
    case '_': // minimise: a bar at the bottom
        s.FillRect({r.Left + 4, r.Bottom - 5, r.Left + 10, r.Bottom - 3}, colours::Black);
        break;
    }
}

// The little window picture at the left of a caption bar.
void paintSystemIcon(Surface& s, int x, int y) {
    s.FillRect({x + 1, y + 2, x + 15, y + 14}, colours::White);
    s.FrameRect({x + 1, y + 2, x + 15, y + 14}, colours::Black);
    s.FillRect({x + 2, y + 3, x + 14, y + 6}, kActiveCaption);
    s.FillRect({x + 3, y + 8, x + 8, y + 9}, colours::Gray);
    s.FillRect({x + 3, y + 10, x + 11, y + 11}, colours::Gray);
}

// A grab handle centred on (x, y).
void paintHandle(Surface& s, int x, int y, Colour colour) {
    s.FillRect({x - kHandle / 2, y - kHandle / 2, x + kHandle / 2 + 1, y + kHandle / 2 + 1},
               colour);
}

void paintHandles(Surface& s, const PixelRect& r, Colour colour) {
    const int l = r.Left - 1, t = r.Top - 1, rr = r.Right, b = r.Bottom;
    const int mx = (l + rr) / 2, my = (t + b) / 2;
    for (auto [x, y] :
         {std::pair{l, t}, {mx, t}, {rr, t}, {l, my}, {rr, my}, {l, b}, {mx, b}, {rr, b}})
        paintHandle(s, x, y, colour);
}

class Composer {
public:
    explicit Composer(Surface& surface) : FSurface(surface) {}

    // A window and what it holds; parentClip in surface coordinates, parentClient: the parent's
    // client origin on the surface.
    void paintWindow(HWND h, const PixelRect& parentClip, TPoint parentClient) {
        const WindowTree& windows = Desktop::Current().Windows();
        if (!windows.IsWindow(h) || !visibleFlag(h))
            return;
        IWindowProc* proc = windows.ProcOf(h);
        auto* control = dynamic_cast<TWinControl*>(proc);
        // A window its parent places itself (a page control's sheets) lies where the parent
        // puts it; its client area is all of it.
        const ChildPlace place = control ? PlaceOfChild(*control) : ChildPlace{};
        if (!place.Shown)
            return;
        const TRect wr = windows.WindowRectInParent(h);
        const PixelRect rect =
            (place.Placed ? place.Rect : PixelRect{wr.Left, wr.Top, wr.Right, wr.Bottom})
                .Offset(parentClient.X, parentClient.Y);
        const PixelRect clip = rect.Intersect(parentClip);
        if (clip.IsEmpty())
            return;
        // The client area's offset in the window, from where the window itself is drawn (its
        // parent may lie elsewhere than the windowing system has it: a placed sheet).
        const TRect onScreen = windows.WindowRectOnScreen(h);
        const TPoint inWindow{windows.ClientOriginOnScreen(h).X - onScreen.Left,
                              windows.ClientOriginOnScreen(h).Y - onScreen.Top};
        const TPoint client = place.Placed ? TPoint{rect.Left, rect.Top}
                                           : TPoint{rect.Left + inWindow.X, rect.Top + inWindow.Y};
        const TRect cr = windows.ClientRect(h);
        const PixelRect clientClip = (place.Placed ? PixelRect{0, 0, rect.Width(), rect.Height()}
                                                   : PixelRect{0, 0, cr.Right, cr.Bottom})
                                         .Offset(client.X, client.Y)
                                         .Intersect(clip);

        if (auto* icon = dynamic_cast<TDesignerIcon*>(proc)) {
            Surface::State keep = FSurface.SaveState();
            FSurface.SetClipRect(clip);
            PaintDesignerIcon(FSurface, rect.Left, rect.Top, icon->Component());
            FSurface.RestoreState(keep);
        } else if (control) {
            PaintControl(FSurface, *control, rect, clip);
            paintGraphicChildren(control, clientClip, client);
        }
        // Child windows lie above the graphic controls, the bottom of the z-order first.
        const std::vector<HWND> children = windows.Children(h);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            paintWindow(*it, clientClip, client);
    }

    // The controls without a window of a windowed control, in z-order (later above earlier).
    void paintGraphicChildren(TWinControl* parent, const PixelRect& clientClip, TPoint client) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            TControl* c = parent->Controls(i);
            if (dyn<TWinControl>(c) || !c->Showing())
                continue;
            const PixelRect r =
                PixelRect{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}
                    .Offset(client.X, client.Y);
            const PixelRect clip = r.Intersect(clientClip);
            if (clip.IsEmpty())
                continue;
            PaintControl(FSurface, *c, r, clip);
        }
    }

private:
    static bool visibleFlag(HWND h) {
        // The form being designed is shown by the designer whatever its Visible; its children
        // show as the windowing system says.
        const WindowTree& windows = Desktop::Current().Windows();
        return windows.GetParent(h) == 0 || windows.IsVisible(h);
    }

    Surface& FSurface;
};

} // namespace

PixelRect PaintWindowFrame(Surface& s, const PixelRect& outer, const std::string& title,
                           bool active, bool sizeable) {
    PixelRect r = outer;
    s.FillRect(r, colours::Silver);
    s.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    if (sizeable)
        r = {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    else
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    const PixelRect caption{r.Left, r.Top, r.Right, r.Top + 18};
    s.FillRect(caption, active ? kActiveCaption : kInactiveCaption);
    int textX = caption.Left + 2;
    if (sizeable) {
        paintSystemIcon(s, caption.Left + 1, caption.Top + 1);
        textX = caption.Left + 20;
    }
    // The caption buttons, 16 by 14, two pixels from the top and right.
    const int by = caption.Top + 2;
    int bx = caption.Right - 2 - 16;
    paintCaptionButton(s, {bx, by, bx + 16, by + 14}, 'x');
    int textRight = bx - 2;
    if (sizeable) {
        bx -= 18;
        paintCaptionButton(s, {bx, by, bx + 16, by + 14}, 'm');
        bx -= 16;
        paintCaptionButton(s, {bx, by, bx + 16, by + 14}, '_');
        textRight = bx - 2;
    }
    Surface::State keep = s.SaveState();
    s.IntersectClipRect({textX, caption.Top, textRight, caption.Bottom});
    BitmapFont::SansSerifBold().DrawText(s, textX, caption.Top + 3, title,
                                         active ? colours::White : kInactiveCaptionText);
    s.RestoreState(keep);
    return {r.Left, caption.Bottom + 1, r.Right, r.Bottom};
}

Surface PalettePictureOf(const TClass* cls) {
    // Its own picture or its palette page's, else its nearest ancestor's (TComponent's at the
    // latest), as the palette shows it.
    for (const TClass* c = cls; c; c = c->ClassParent()) {
        const std::string name = PalettePictureName(c->ClassName());
        Surface picture = name.empty() ? Surface() : PaletteBitmapSurface(name);
        if (picture.Width() > 0)
            return picture;
    }
    // A generic picture: a small raised block on the silver background.
    Surface generic(PaletteBitmapSize, PaletteBitmapSize, colours::Silver);
    PixelRect block{5, 5, 19, 19};
    generic.FillRect(block, colours::Teal);
    generic.DrawEdge(block, EDGE_RAISED, BF_RECT);
    generic.FillRect({9, 9, 15, 15}, colours::Yellow);
    return generic;
}

void PaintDesignerIcon(Surface& s, int x, int y, const TComponent* component) {
    PixelRect r{x, y, x + TDesignerIcon::Size, y + TDesignerIcon::Size};
    s.FillRect(r, colours::Silver);
    s.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_SOFT);
    if (!component)
        return;
    Surface picture = PalettePictureOf(component->ClassType());
    const int px = x + (TDesignerIcon::Size - picture.Width()) / 2;
    const int py = y + (TDesignerIcon::Size - picture.Height()) / 2;
    s.Draw(px, py, picture, picture.RawPixel(0, picture.Height() - 1));
}

namespace {

// A data module's designer window: white, its components' icons where they were placed, big
// enough to show all of them.
Surface renderDataModule(TFormDesigner& designer, const RenderScene& scene) {
    TComponent* root = designer.Root();
    std::vector<std::pair<TComponent*, TDesignPos>> icons;
    int width = 240, height = 160;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (!TFormDesigner::ShowsIcon(c))
            continue;
        const TDesignPos at = TDesignPos::Unpack(c->DesignInfo());
        icons.emplace_back(c, at);
        width = std::max(width, at.Left + TDesignerIcon::Size + 16);
        height = std::max(height, at.Top + TDesignerIcon::Size + 16);
    }
    const int frameW = scene.Frame ? 8 : 0, frameH = scene.Frame ? 27 : 0;
    Surface s(width + frameW, height + frameH, kDesktop);
    PixelRect client{0, 0, width, height};
    if (scene.Frame)
        client = PaintWindowFrame(s, {0, 0, width + frameW, height + frameH}, root->Name(),
                                  !scene.Dialog, true);
    Surface::State keep = s.SaveState();
    s.SetClipRect(client);
    s.FillRect(client, colours::White);
    s.SetOrigin(client.Left, client.Top);
    const auto& selection = designer.Selection();
    for (const auto& [c, at] : icons) {
        PaintDesignerIcon(s, at.Left, at.Top, c);
        if (std::find(selection.begin(), selection.end(), c) != selection.end())
            paintHandles(
                s, {at.Left, at.Top, at.Left + TDesignerIcon::Size, at.Top + TDesignerIcon::Size},
                selection.size() > 1 ? colours::Gray : colours::Black);
    }
    s.RestoreState(keep);
    if (scene.Dialog)
        PaintDialog(s, *scene.Dialog, {0, 0, s.Width(), s.Height()});
    return s;
}

} // namespace

Surface RenderDesignSurface(TFormDesigner& designer, const RenderScene& scene) {
    // A form, or a frame (its own area: a frame has no window frame of its own).
    TWinControl* form = designer.Surface();
    if (!designer.Root())
        throw EInvalidOperation("nothing is being designed");
    if (!form)
        return renderDataModule(designer, scene);
    const WindowTree& windows = Desktop::Current().Windows();
    const HWND fh = form->Handle();
    const TRect wr = windows.WindowRectOnScreen(fh);
    const TPoint clientOnScreen = windows.ClientOriginOnScreen(fh);
    const TRect cr = windows.ClientRect(fh);

    // Surface coordinates: the window's top-left corner (or the client's, without the frame).
    const TPoint topLeft = scene.Frame ? TPoint{wr.Left, wr.Top} : clientOnScreen;
    const int width = scene.Frame ? wr.Width() : cr.Width();
    const int height = scene.Frame ? wr.Height() : cr.Height();
    Surface s(width, height, kDesktop);
    const TPoint origin{-topLeft.X, -topLeft.Y};

    if (scene.Frame && designer.Form())
        PaintWindowFrame(s, {0, 0, width, height}, form->Caption(), !scene.Dialog, true);
    const TPoint client{clientOnScreen.X + origin.X, clientOnScreen.Y + origin.Y};
    const PixelRect clientRect =
        PixelRect{0, 0, cr.Width(), cr.Height()}.Offset(client.X, client.Y);

    // The client area: the form's colour with the designer's grid.
    {
        Surface::State keep = s.SaveState();
        s.SetClipRect(clientRect);
        s.FillRect(clientRect, ColorToRGB(form->Color()));
        s.SetOrigin(client.X, client.Y);
        s.DrawDotGrid({0, 0, cr.Width(), cr.Height()}, kGridStep, colours::Black);
        s.RestoreState(keep);
    }

    Composer composer(s);
    composer.paintGraphicChildren(form, clientRect, client);
    const std::vector<HWND> children = windows.Children(fh);
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        composer.paintWindow(*it, clientRect, client);

    // Grab handles round the selection: black for one component, grey for several.
    {
        Surface::State keep = s.SaveState();
        s.SetClipRect(clientRect);
        const auto& selection = designer.Selection();
        const Colour colour = selection.size() > 1 ? colours::Gray : colours::Black;
        for (TComponent* c : selection) {
            PixelRect r;
            if (auto* control = dyn<TControl>(c)) {
                if (c == form || !control->Showing())
                    continue;
                TPoint o = control->Parent() ? control->Parent()->ClientOrigin() : TPoint{};
                r = PixelRect{control->Left(), control->Top(), control->Left() + control->Width(),
                              control->Top() + control->Height()}
                        .Offset(o.X + origin.X, o.Y + origin.Y);
            } else if (HWND icon = designer.IconOf(c)) {
                TRect ir = windows.WindowRectOnScreen(icon);
                r = PixelRect{ir.Left, ir.Top, ir.Right, ir.Bottom}.Offset(origin.X, origin.Y);
            } else {
                continue;
            }
            paintHandles(s, r, colour);
        }
        s.RestoreState(keep);
    }

    const PixelRect screenRect{0, 0, width, height};
    if (scene.Popup && scene.Popup->Menu)
        PaintPopupMenu(s, scene.Popup->Menu->Items(),
                       {scene.Popup->Screen.X + origin.X, scene.Popup->Screen.Y + origin.Y},
                       scene.Popup->Hot, screenRect);
    if (scene.Dialog)
        PaintDialog(s, *scene.Dialog, screenRect);
    return s;
}

} // namespace host
