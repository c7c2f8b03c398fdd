// The editor's layout, the routing of input, the palette and the composed picture.
#include "app/edit/Editor.h"

#include "host/designer/Packages.h"
#include "host/win32/Font.h"

#include <algorithm>

namespace app::edit {

using namespace host;

namespace {

constexpr Colour kDesktop = 0x008080;
constexpr UINT WM_MOUSEWHEEL = 0x020A;

bool isMouse(UINT msg) {
    return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}

} // namespace

WindowLayout LayoutWindow(int width, int height) {
    WindowLayout l;
    l.Palette = {0, 0, width, PaletteHeight};
    l.Status = {0, std::max(PaletteHeight, height - StatusLineHeight), width, height};
    l.Inspector = {std::max(0, width - InspectorWidth), PaletteHeight, width, l.Status.Top};
    l.Design = {0, PaletteHeight, l.Inspector.Left, l.Status.Top};
    l.FormAt = {l.Design.Left + DesignMargin, l.Design.Top + DesignMargin};
    return l;
}

Editor::Editor(Session& session, std::filesystem::path out)
    : FSession(session), FOut(std::move(out)) {
    Desktop::CreateParams cp;
    cp.ClassName = "TEditorWindow";
    cp.Visible = false;
    cp.Proc = this;
    cp.Bind = [this](HWND h) { FHandle = h; };
    desktop().CreateWindowEx(cp);
    FSession.Menus().Ask = [this](TMenu* menu, TPoint screen) { return TrackMenu(menu, screen); };
    FSession.env().dialogs().SetAnswerer(this);
    FSession.ExtendDump = [this](json& dump) { dump["window"] = WindowJson(); };
    FLayout = LayoutWindow(FWidth, FHeight);
    refreshPalette();
}

Editor::~Editor() {
    FSession.ExtendDump = nullptr;
    FSession.env().dialogs().SetAnswerer(nullptr);
    FSession.Menus().Ask = nullptr;
    if (FHandle)
        desktop().DestroyWindow(FHandle);
}

void Editor::WindowDestroyed(HWND handle) {
    if (handle == FHandle)
        FHandle = 0;
}

Desktop& Editor::desktop() const {
    return FSession.env().desktop();
}

TCustomForm* Editor::form() const {
    return FSession.env().Form();
}

TPoint Editor::PreferredSize() const {
    int w = 640, h = 480;
    if (TCustomForm* f = form()) {
        w = f->Width();
        h = f->Height();
    }
    return {std::max(800, w + 2 * DesignMargin + InspectorWidth),
            std::max(600, h + 2 * DesignMargin + PaletteHeight + StatusLineHeight)};
}

TPoint Editor::toScreen(TPoint client) const {
    TPoint origin{};
    if (TCustomForm* f = form()) {
        const TRect r = desktop().WindowRectOnScreen(const_cast<TCustomForm*>(f)->Handle());
        origin = {r.Left, r.Top};
    }
    return {client.X - FLayout.FormAt.X + origin.X, client.Y - FLayout.FormAt.Y + origin.Y};
}

TPoint Editor::toClient(TPoint screen) const {
    const TPoint zero = toScreen({0, 0});
    return {screen.X - zero.X, screen.Y - zero.Y};
}

bool Editor::overForm(TPoint at) const {
    return form() && FLayout.Design.Contains(at.X, at.Y);
}

void Editor::invalidate() {
    desktop().Invalidate();
}

bool Editor::run(const std::string& text) {
    try {
        ScriptLine line = ParseLine(text, 0);
        FSession.Execute(line);
        return true;
    } catch (const std::exception& e) {
        MessageDlg(e.what(), mtError, {TMsgDlgBtn::mbOK}, 0);
        return false;
    }
}

// ---------------------------------------------------------------- input from the front

void Editor::Resize(int width, int height) {
    FWidth = std::max(1, width);
    FHeight = std::max(1, height);
    FLayout = LayoutWindow(FWidth, FHeight);
    invalidate();
}

void Editor::Pointer(UINT msg, TPoint at, WPARAM keys) {
    Desktop& d = desktop();
    FMouse = at;
    const bool modal = FMenu || FDialog;
    if (!modal && (d.GetCapture() || (!FArmed && overForm(at)))) {
        d.MouseInput(toScreen(at), msg, keys);
    } else {
        // The host's cursor follows, so that a bar hides when the mouse goes away from it.
        if (!modal)
            d.SetCursorPos(toScreen(at));
        d.PostInput(FHandle, msg, keys, MakeLParam(at.X, at.Y));
    }
    updateStatus();
}

void Editor::Wheel(TPoint at, int steps) {
    desktop().PostInput(FHandle, WM_MOUSEWHEEL, static_cast<WPARAM>(steps), MakeLParam(at.X, at.Y));
}

void Editor::Key(WPARAM key, WPARAM modifiers) {
    desktop().PostInput(FHandle, WM_KEYDOWN, key, static_cast<LPARAM>(modifiers));
}

void Editor::Text(const std::string& text) {
    for (char c : text)
        desktop().PostInput(FHandle, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void Editor::Close() {
    desktop().PostMessage(FHandle, WM_CLOSE, 0, 0);
}

void Editor::Expose() {
    invalidate();
}

void Editor::WindowProc(TMessage& m) {
    if (isMouse(m.Msg)) {
        const TPoint at{LParamX(m.LParam), LParamY(m.LParam)};
        // A second click soon after the first is a double click; where that means nothing more
        // (the palette, the form while a class is chosen, menus, dialogs), it is a click.
        const UINT click = m.Msg == WM_LBUTTONDBLCLK ? WM_LBUTTONDOWN : m.Msg;
        if (FMenu) {
            menuMouse(click, at);
        } else if (FDialog) {
            dialogMouse(click, at);
        } else {
            if (FListOpen || FLayout.Inspector.Contains(at.X, at.Y))
                inspectorMouse(m.Msg, at);
            else if (FEditing && click == WM_LBUTTONDOWN)
                commit(*FEditing); // a click elsewhere takes what was typed
            paletteMouse(click, at, m.WParam);
            if (FArmed && overForm(at)) {
                if (click == WM_LBUTTONDOWN)
                    drop(at);
                else if (m.Msg == WM_RBUTTONDOWN)
                    FArmed = nullptr, invalidate();
            }
        }
        updateStatus();
        return;
    }
    switch (m.Msg) {
    case WM_MOUSEWHEEL: {
        const int steps = static_cast<int>(static_cast<int64_t>(m.WParam));
        FRowTop = std::max(0, FRowTop - 3 * steps);
        invalidate();
        break;
    }
    case WM_KEYDOWN: {
        const WPARAM mods = static_cast<WPARAM>(m.LParam);
        if (m.WParam == VK_F12) {
            Snapshot();
            break;
        }
        if (FMenu) {
            menuKey(m.WParam);
            break;
        }
        if (FDialog) {
            dialogKey(m.WParam);
            break;
        }
        if ((mods & MK_CONTROL) && (m.WParam == 'S' || m.WParam == 's')) {
            save((mods & MK_SHIFT) != 0);
            break;
        }
        if (inspectorKey(m.WParam))
            break;
        if (m.WParam == VK_ESCAPE && FArmed) {
            FArmed = nullptr;
            invalidate();
            break;
        }
        if ((m.WParam == VK_DELETE || m.WParam == VK_ESCAPE || m.WParam == VK_RETURN) && form())
            FSession.PressKey(m.WParam);
        break;
    }
    case WM_CHAR: {
        const char c = static_cast<char>(m.WParam);
        if (FDialog)
            dialogChar(c);
        else if (!FMenu)
            inspectorChar(c);
        break;
    }
    case WM_CLOSE:
        if (FMenu || FDialog) {
            // Close what is up first; the window closes when the loop comes back here.
            if (FMenu)
                FMenu->Done = true;
            if (FDialog)
                FDialog->Done = true;
            desktop().PostMessage(FHandle, WM_CLOSE, 0, 0);
        } else {
            closeWindow();
        }
        break;
    default:
        break;
    }
    updateStatus();
}

// ---------------------------------------------------------------- the palette

void Editor::refreshPalette() {
    const std::string active = FActivePage < FPages.size() ? FPages[FActivePage] : "";
    FPages.clear();
    for (const TPalettePage& page : PalettePages())
        FPages.push_back(page.Name);
    auto it = std::find(FPages.begin(), FPages.end(), active);
    FActivePage = it == FPages.end() ? 0 : static_cast<size_t>(it - FPages.begin());
}

PaletteView Editor::paletteView() const {
    PaletteView view;
    view.Pages = FPages;
    view.ActivePage = FActivePage;
    if (FActivePage < FPages.size())
        if (const TPalettePage* page = FindPalettePage(FPages[FActivePage]))
            view.Classes = page->Classes;
    for (size_t i = 0; i < view.Classes.size(); ++i)
        if (view.Classes[i] == FArmed)
            view.Armed = static_cast<int>(i);
    view.Hot = FPaletteHot;
    return view;
}

void Editor::paletteMouse(UINT msg, TPoint at, WPARAM) {
    refreshPalette();
    const PaletteView view = paletteView();
    const PaletteLayout layout = LayoutPalette(view, FLayout.Palette);
    int hot = -1;
    for (size_t i = 0; i < layout.Buttons.size(); ++i)
        if (layout.Buttons[i].Contains(at.X, at.Y))
            hot = static_cast<int>(i);
    if (hot != FPaletteHot) {
        FPaletteHot = hot;
        invalidate();
    }
    if (msg != WM_LBUTTONDOWN || !FLayout.Palette.Contains(at.X, at.Y))
        return;
    for (size_t i = 0; i < layout.Tabs.size(); ++i)
        if (layout.Tabs[i].Contains(at.X, at.Y)) {
            FActivePage = i;
            FArmed = nullptr;
            FPaletteHot = -1;
            invalidate();
            return;
        }
    if (hot >= 0) {
        const TClass* cls = view.Classes[static_cast<size_t>(hot)];
        FArmed = FArmed == cls ? nullptr : cls;
        invalidate();
    }
}

void Editor::drop(TPoint at) {
    TCustomForm* f = form();
    if (!f || !FArmed)
        return;
    const TPoint p = f->ScreenToClient(toScreen(at));
    if (p.X < 0 || p.Y < 0 || p.X >= f->ClientWidth() || p.Y >= f->ClientHeight())
        return;
    const std::string cls = FArmed->ClassName();
    FArmed = nullptr;
    invalidate();
    run("drop " + cls + " at " + std::to_string(p.X) + " " + std::to_string(p.Y));
}

// ---------------------------------------------------------------- the status line

std::string Editor::hoverText() const {
    if (FLayout.Palette.Contains(FMouse.X, FMouse.Y)) {
        const PaletteView view = paletteView();
        const PaletteLayout layout = LayoutPalette(view, FLayout.Palette);
        for (size_t i = 0; i < layout.Buttons.size(); ++i)
            if (layout.Buttons[i].Contains(FMouse.X, FMouse.Y))
                return view.Classes[i]->ClassName();
        return "";
    }
    TCustomForm* f = form();
    if (!f || !FLayout.Design.Contains(FMouse.X, FMouse.Y))
        return "";
    const TPoint screen = toScreen(FMouse);
    const TPoint p = f->ScreenToClient(screen);
    std::string what;
    if (HWND h = desktop().WindowFromPoint(screen)) {
        IWindowProc* proc = desktop().ProcOf(h);
        if (auto* icon = dynamic_cast<TDesignerIcon*>(proc))
            what = icon->Component()->Name() + ": " + icon->Component()->ClassName();
        else if (auto* control = dynamic_cast<TWinControl*>(proc)) {
            const TPoint cp = control->ScreenToClient(screen);
            TControl* hit = control->ControlAtPos(cp, true);
            TControl* shown = hit && !dyn<TWinControl>(hit) ? hit : control;
            if (TFormDesigner* designer = FSession.env().Designer())
                if (TComponent* c = designer->DesignedComponentOf(shown))
                    what = c->Name() + ": " + c->ClassName();
        }
    }
    return (what.empty() ? "" : what + " ") + "(" + std::to_string(p.X) + ", " +
           std::to_string(p.Y) + ")";
}

bool Editor::Modified() const {
    TFormDesigner* designer = FSession.env().Designer();
    return designer && designer->ModifiedCount() != FSavedCount;
}

void Editor::updateStatus() {
    std::string selection;
    if (TFormDesigner* designer = FSession.env().Designer())
        for (TComponent* c : designer->Selection())
            selection += (selection.empty() ? "" : ", ") + c->Name();
    std::string file = FFile.empty() ? "(new form)" : FFile.filename().string();
    if (Modified())
        file += " (modified)";
    std::string text = hoverText();
    for (const std::string& part :
         {std::string(selection.empty() ? "" : "selected: " + selection), file, FMessage})
        if (!part.empty())
            text += (text.empty() ? "" : "  |  ") + part;
    if (text != FStatus) {
        FStatus = text;
        invalidate();
    }
}

std::string Editor::Title() const {
    std::string name = FFile.empty() ? "new form" : FFile.filename().string();
    return "stowdesign - " + name + (Modified() ? " *" : "");
}

// ---------------------------------------------------------------- the picture

Surface Editor::Compose() {
    Surface s(FWidth, FHeight, kDesktop);
    refreshPalette();
    PaintPalette(s, paletteView(), FLayout.Palette);
    {
        Surface::State keep = s.SaveState();
        s.SetClipRect(FLayout.Design);
        if (TFormDesigner* designer = FSession.env().Designer()) {
            if (designer->Form()) {
                Surface picture = RenderDesignSurface(*designer);
                s.Draw(FLayout.FormAt.X, FLayout.FormAt.Y, picture);
            } else if (TComponent* root = FSession.env().Root()) {
                BitmapFont::SansSerif().DrawText(
                    s, FLayout.FormAt.X, FLayout.FormAt.Y,
                    root->Name() + ": a data module has no design surface", colours::White);
            }
        }
        s.RestoreState(keep);
    }
    PaintInspector(s, inspectorView(), FLayout.Inspector);
    PaintStatusLine(s, FStatus, FLayout.Status);
    if (FPaletteHot >= 0 && !FMenu && !FDialog) {
        const PaletteView view = paletteView();
        const PaletteLayout layout = LayoutPalette(view, FLayout.Palette);
        if (static_cast<size_t>(FPaletteHot) < layout.Buttons.size()) {
            const PixelRect& b = layout.Buttons[static_cast<size_t>(FPaletteHot)];
            PaintHint(s, view.Classes[static_cast<size_t>(FPaletteHot)]->ClassName(),
                      {b.Left + 4, b.Bottom + 4}, clientRect());
        }
    }
    if (FMenu)
        PaintPopupMenu(s, FMenu->Menu->Items(), FMenu->At, menuHot(), clientRect());
    if (FDialog)
        PaintDialog(s, FDialog->Record, clientRect());
    return s;
}

// ---------------------------------------------------------------- the dump

namespace {

json rectJson(const PixelRect& r) {
    if (r.IsEmpty())
        return nullptr;
    return json::array({r.Left, r.Top, r.Width(), r.Height()});
}

} // namespace

json Editor::WindowJson() {
    json w;
    w["clientWidth"] = FWidth;
    w["clientHeight"] = FHeight;
    json origin = nullptr;
    if (TCustomForm* f = form()) {
        const TPoint o = toClient(f->ClientOrigin());
        origin = json::array({o.X, o.Y});
    }
    w["formOrigin"] = origin;
    refreshPalette();
    const PaletteView view = paletteView();
    const PaletteLayout layout = LayoutPalette(view, FLayout.Palette);
    json tabs = json::array();
    for (size_t i = 0; i < layout.Tabs.size(); ++i)
        tabs.push_back(json{{"page", view.Pages[i]}, {"bounds", rectJson(layout.Tabs[i])}});
    json classes = json::array();
    for (size_t i = 0; i < layout.Buttons.size(); ++i)
        classes.push_back(
            json{{"class", view.Classes[i]->ClassName()}, {"bounds", rectJson(layout.Buttons[i])}});
    w["palette"] = json{{"page", FActivePage < FPages.size() ? json(FPages[FActivePage]) : json()},
                        {"armed", FArmed ? json(FArmed->ClassName()) : json()},
                        {"tabs", tabs},
                        {"classes", classes}};
    const InspectorView iv = inspectorView();
    const InspectorLayout il = LayoutInspector(iv, FLayout.Inspector);
    json rows = json::array();
    for (size_t i = 0; i < FRows.size(); ++i)
        rows.push_back(json{{"name", FRows[i].Path},
                            {"value", FRows[i].Value},
                            {"bounds", rectJson(il.Rows[i])},
                            {"valueBounds", rectJson(il.Values[i])}});
    json choices = json::array();
    for (size_t i = 0; i < il.ListItems.size(); ++i)
        choices.push_back(json{{"value", iv.Choices[i]}, {"bounds", rectJson(il.ListItems[i])}});
    TComponent* target = inspected();
    w["inspector"] = json{{"component", target ? json(target->Name()) : json()},
                          {"bounds", rectJson(FLayout.Inspector)},
                          {"rows", rows},
                          {"editing", FEditing ? json(*FEditing) : json()},
                          {"choices", choices}};
    json popup = nullptr;
    if (FMenu) {
        popup = json::array();
        const std::vector<PopupMenuBox> boxes = menuBoxes();
        for (size_t level = 0; level < boxes.size(); ++level)
            for (size_t i = 0; i < boxes[level].Items.size(); ++i) {
                TMenuItem* item = boxes[level].Items[i];
                popup.push_back(json{{"caption", item->Caption()},
                                     {"level", level},
                                     {"enabled", item->Enabled()},
                                     {"bounds", rectJson(boxes[level].ItemRects[i])}});
            }
    }
    w["popup"] = popup;
    json dialog = nullptr;
    if (FDialog) {
        const DialogBox box = LayoutDialog(FDialog->Record, clientRect());
        json buttons = json::array();
        for (size_t i = 0; i < box.Buttons.size(); ++i)
            buttons.push_back(
                json{{"caption", box.Captions[i]}, {"bounds", rectJson(box.Buttons[i])}});
        dialog = json{{"kind", FDialog->Record.Kind},
                      {"text", FDialog->Record.Kind == "query" ? FDialog->Record.Prompt
                                                               : FDialog->Record.Text},
                      {"buttons", buttons}};
    }
    w["dialog"] = dialog;
    w["file"] = FFile.empty() ? json() : json(FFile.string());
    w["modified"] = Modified();
    w["status"] = FStatus;
    return w;
}

} // namespace app::edit
