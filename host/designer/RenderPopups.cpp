// Pictures of what pops up over the design surface: popup menus and dialogs, in the look of the
// platform's menus, message boxes and the input query box.
#include "host/designer/Renderer.h"

#include "host/win32/Font.h"

#include <algorithm>
#include <optional>

namespace host {

namespace {

constexpr int kMenuBorder = 3;  // the raised edge and one pixel of face
constexpr int kItemHeight = 17; // a menu item: the 13-pixel text with two pixels above and below
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 18;     // room for a check mark before the caption
constexpr int kTextRightPad = 26; // room for a submenu arrow after the longest caption
constexpr Colour kHighlight = 0x000080;
const BitmapFont& font() {
    return BitmapFont::SansSerif();
}

std::vector<TMenuItem*> shownItems(TMenuItem* items) {
    std::vector<TMenuItem*> list;
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Visible())
            list.push_back(items->Items(i));
    return list;
}

int itemHeight(const TMenuItem* item) {
    return item->IsLine() ? kSeparatorHeight : kItemHeight;
}

void paintArrow(Surface& s, int x, int cy, Colour colour) {
    // A right-pointing triangle, 4 wide and 7 high.
    for (int i = 0; i < 4; ++i)
        s.VLine(x + i, cy - 3 + i, cy + 4 - i, colour);
}

void paintCheck(Surface& s, int x, int cy, Colour colour) {
    // A check mark 7 wide, 3 thick.
    const int ys[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        s.VLine(x + i, cy - 2 + ys[i], cy + 1 + ys[i], colour);
}

PopupMenuBox layoutMenu(TMenuItem* items, TPoint at, const PixelRect& bounds) {
    PopupMenuBox box;
    box.Items = shownItems(items);
    TPoint size = PopupMenuSize(items);
    int x = at.X, y = at.Y;
    // Flipped to the other side of the point when it would leave the screen, as the platform
    // places a popup menu, and kept on the screen.
    if (x + size.X > bounds.Right)
        x -= size.X;
    if (y + size.Y > bounds.Bottom)
        y -= size.Y;
    x = std::max(bounds.Left, std::min(x, bounds.Right - size.X));
    y = std::max(bounds.Top, std::min(y, bounds.Bottom - size.Y));
    box.Rect = {x, y, x + size.X, y + size.Y};
    int top = y + kMenuBorder;
    for (TMenuItem* item : box.Items) {
        box.ItemRects.push_back(
            {x + kMenuBorder, top, box.Rect.Right - kMenuBorder, top + itemHeight(item)});
        top += itemHeight(item);
    }
    return box;
}

void paintMenu(Surface& s, const PopupMenuBox& box, const std::string* hot) {
    PixelRect r = box.Rect;
    s.FillRect(r, colours::Silver);
    s.DrawEdge(r, EDGE_RAISED, BF_RECT);
    for (size_t i = 0; i < box.Items.size(); ++i) {
        TMenuItem* item = box.Items[i];
        const PixelRect& ir = box.ItemRects[i];
        const int left = ir.Left, right = ir.Right, top = ir.Top;
        if (item->IsLine()) {
            const int y = top + kSeparatorHeight / 2 - 1;
            s.HLine(left - 2, right + 2, y, colours::Gray);
            s.HLine(left - 2, right + 2, y + 1, colours::White);
            continue;
        }
        const bool lit = hot && item->Caption() == *hot;
        if (lit)
            s.FillRect({left, top, right, top + kItemHeight}, kHighlight);
        const int ty = top + 2;
        const Colour ink = lit ? colours::White : colours::Black;
        if (!item->Enabled() && !lit)
            font().DrawDisabledText(s, left + kTextLeft, ty, item->Caption(), true);
        else
            font().DrawText(s, left + kTextLeft, ty, item->Caption(),
                            item->Enabled() ? ink : colours::Gray, true);
        const Colour mark = item->Enabled() ? ink : colours::Gray;
        if (item->Checked())
            paintCheck(s, left + 6, top + kItemHeight / 2, mark);
        if (item->Count() > 0)
            paintArrow(s, right - 10, top + kItemHeight / 2, mark);
    }
}

// The pictures of the message box icons, 32 by 32.
void paintDialogIcon(Surface& s, int x, int y, const std::string& kind) {
    auto disc = [&](int cx, int cy, int radius, Colour c) {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (dx * dx + dy * dy <= radius * radius + radius)
                    s.SetPixel(cx + dx, cy + dy, c);
    };
    if (kind == "error") {
        disc(x + 16, y + 16, 14, colours::Black);
        disc(x + 15, y + 15, 14, colours::Red);
        for (int i = -6; i <= 6; ++i) {
            s.FillRect({x + 15 + i - 1, y + 15 + i - 1, x + 15 + i + 2, y + 15 + i + 2},
                       colours::White);
            s.FillRect({x + 15 - i - 1, y + 15 + i - 1, x + 15 - i + 2, y + 15 + i + 2},
                       colours::White);
        }
    } else if (kind == "warning") {
        std::vector<std::pair<int, int>> tri{{x + 16, y + 1}, {x + 31, y + 30}, {x + 1, y + 30}};
        s.FillPolygon(tri, colours::Black);
        std::vector<std::pair<int, int>> inner{{x + 16, y + 4}, {x + 28, y + 28}, {x + 4, y + 28}};
        s.FillPolygon(inner, colours::Yellow);
        s.FillRect({x + 15, y + 11, x + 18, y + 21}, colours::Black);
        s.FillRect({x + 15, y + 23, x + 18, y + 26}, colours::Black);
    } else {
        // Information (and the others): a white speech bubble with a blue letter.
        const bool question = kind == "confirm";
        disc(x + 16, y + 14, 13, colours::Black);
        disc(x + 16, y + 14, 12, colours::White);
        std::vector<std::pair<int, int>> tail{{x + 8, y + 22}, {x + 14, y + 25}, {x + 5, y + 31}};
        s.FillPolygon(tail, colours::White);
        s.Line(x + 5, y + 31, x + 14, y + 26, colours::Black);
        const Colour ink = colours::Blue;
        if (question) {
            s.FillRect({x + 12, y + 6, x + 20, y + 8}, ink);
            s.FillRect({x + 19, y + 7, x + 21, y + 13}, ink);
            s.FillRect({x + 15, y + 12, x + 20, y + 14}, ink);
            s.FillRect({x + 15, y + 13, x + 17, y + 17}, ink);
            s.FillRect({x + 15, y + 19, x + 17, y + 21}, ink);
        } else {
            s.FillRect({x + 15, y + 5, x + 18, y + 8}, ink);
            s.FillRect({x + 13, y + 10, x + 18, y + 12}, ink);
            s.FillRect({x + 15, y + 12, x + 18, y + 21}, ink);
            s.FillRect({x + 13, y + 21, x + 20, y + 23}, ink);
        }
    }
}

void paintPushButton(Surface& s, const PixelRect& r, const std::string& caption, bool isDefault) {
    PixelRect face = r;
    if (isDefault) {
        s.FrameRect(face, colours::Black);
        face = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    s.FillRect(face, colours::Silver);
    s.DrawEdge(face, EDGE_RAISED, BF_RECT | BF_SOFT);
    const int w = font().TextWidth(caption, true);
    font().DrawText(s, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - 13) / 2, caption,
                    colours::Black, true);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string dialogTitle(const DialogRecord& d) {
    if (d.Kind == "query")
        return d.Caption;
    if (d.Kind == "error")
        return "Error";
    if (d.Kind == "warning")
        return "Warning";
    if (d.Kind == "information")
        return "Information";
    if (d.Kind == "confirm")
        return "Confirm";
    return "stowdesign";
}

PixelRect centred(const PixelRect& bounds, int w, int h) {
    int x = bounds.Left + (bounds.Width() - w) / 2;
    int y = bounds.Top + (bounds.Height() - h) / 2;
    return {x, y, x + w, y + h};
}

constexpr int kDialogFrameX = 6;  // left + right: raised edge and one pixel of face each side
constexpr int kDialogFrameY = 25; // top + bottom: the same, the caption bar and its line
constexpr int kButtonWidth = 75;
constexpr int kButtonGap = 6;

} // namespace

TPoint PopupMenuSize(TMenuItem* items) {
    int widest = 0, height = 0;
    for (TMenuItem* item : shownItems(items)) {
        height += itemHeight(item);
        if (!item->IsLine())
            widest = std::max(widest, font().TextWidth(item->Caption(), true));
    }
    return {2 * kMenuBorder + kTextLeft + widest + kTextRightPad, 2 * kMenuBorder + height};
}

std::vector<PopupMenuBox> LayoutPopupMenu(TMenuItem* items, TPoint at,
                                          const std::vector<std::string>& hot,
                                          const PixelRect& bounds) {
    std::vector<PopupMenuBox> boxes;
    if (!items || shownItems(items).empty())
        return boxes;
    boxes.push_back(layoutMenu(items, at, bounds));
    for (size_t level = 0; level < hot.size(); ++level) {
        const PopupMenuBox box = boxes.back();
        size_t lit = box.Items.size();
        for (size_t i = 0; i < box.Items.size(); ++i)
            if (!box.Items[i]->IsLine() && box.Items[i]->Caption() == hot[level]) {
                lit = i;
                break;
            }
        if (lit == box.Items.size())
            break;
        TMenuItem* item = box.Items[lit];
        if (item->Count() == 0 || !item->Enabled() || shownItems(item).empty())
            break;
        const int top = box.ItemRects[lit].Top;
        PopupMenuBox sub = layoutMenu(item, {box.Rect.Right - 3, top - kMenuBorder}, bounds);
        // A submenu that does not fit on the right opens on the left of its menu.
        if (sub.Rect.Left < box.Rect.Right - 3) {
            const int w = sub.Rect.Width();
            sub = layoutMenu(
                item, {std::max(bounds.Left, box.Rect.Left + 3 - w), top - kMenuBorder}, bounds);
        }
        boxes.push_back(sub);
    }
    return boxes;
}

void PaintPopupMenu(Surface& s, TMenuItem* items, TPoint at, const std::vector<std::string>& hot,
                    const PixelRect& bounds) {
    // Each open submenu lies above its menu.
    const std::vector<PopupMenuBox> boxes = LayoutPopupMenu(items, at, hot, bounds);
    for (size_t level = 0; level < boxes.size(); ++level)
        paintMenu(s, boxes[level], level < hot.size() ? &hot[level] : nullptr);
}

DialogBox LayoutDialog(const DialogRecord& d, const PixelRect& bounds) {
    DialogBox box;
    if (d.Kind == "query") {
        const int cw = 270, ch = 101;
        box.Outer = centred(bounds, cw + kDialogFrameX, ch + kDialogFrameY);
        const int cl = box.Outer.Left + kDialogFrameX / 2;
        const int ct = box.Outer.Top + kDialogFrameY - kDialogFrameX / 2;
        box.Edit = {cl + 12, ct + 30, cl + 12 + 246, ct + 51};
        box.Buttons = {{cl + 57, ct + 66, cl + 132, ct + 89},
                       {cl + 138, ct + 66, cl + 213, ct + 89}};
        box.Captions = {"OK", "Cancel"};
        return box;
    }
    box.Captions = d.Buttons.empty() ? std::vector<std::string>{"OK"} : d.Buttons;
    const std::vector<std::string> lines = splitLines(d.Text);
    int textW = 0;
    for (const std::string& line : lines)
        textW = std::max(textW, font().TextWidth(line));
    const int textH = static_cast<int>(lines.size()) * font().TextHeight();
    const bool icon = d.Kind != "message";
    const int textX = icon ? 12 + 32 + 12 : 12;
    const int count = static_cast<int>(box.Captions.size());
    const int buttonsW = count * kButtonWidth + (count - 1) * kButtonGap;
    const int cw = std::max(textX + textW + 12, buttonsW + 24);
    const int bodyH = std::max(icon ? 32 : 0, textH);
    const int buttonTop = 12 + bodyH + 14;
    const int ch = buttonTop + 23 + 10;
    box.Outer = centred(bounds, cw + kDialogFrameX, ch + kDialogFrameY);
    const int cl = box.Outer.Left + kDialogFrameX / 2;
    const int ct = box.Outer.Top + kDialogFrameY - kDialogFrameX / 2;
    int bx = cl + (cw - buttonsW) / 2;
    for (int i = 0; i < count; ++i) {
        box.Buttons.push_back({bx, ct + buttonTop, bx + kButtonWidth, ct + buttonTop + 23});
        bx += kButtonWidth + kButtonGap;
    }
    return box;
}

void PaintDialog(Surface& s, const DialogRecord& d, const PixelRect& bounds) {
    const std::string title = dialogTitle(d);
    const DialogBox box = LayoutDialog(d, bounds);
    PixelRect client = PaintWindowFrame(s, box.Outer, title, true, false);
    if (d.Kind == "query") {
        // The input query box: the prompt, an edit with the text, OK and Cancel.
        font().DrawText(s, client.Left + 12, client.Top + 13, d.Prompt, colours::Black, true);
        const PixelRect edit = box.Edit;
        s.FillRect(edit, colours::White);
        PixelRect edge = edit;
        s.DrawEdge(edge, EDGE_SUNKEN, BF_RECT);
        // The answer as typed before OK is pressed; with none, the offered text selected.
        const int tx = edit.Left + 3, ty = edit.Top + (edit.Height() - 13) / 2;
        Surface::State keep = s.SaveState();
        s.IntersectClipRect({edit.Left + 2, edit.Top + 2, edit.Right - 2, edit.Bottom - 2});
        if (d.Answer) {
            int end = font().DrawText(s, tx, ty, *d.Answer, colours::Black);
            s.VLine(end, ty, ty + 13, colours::Black);
        } else if (!d.Value.empty()) {
            s.FillRect({tx - 1, ty, tx + font().TextWidth(d.Value), ty + 13}, kHighlight);
            font().DrawText(s, tx, ty, d.Value, colours::White);
        }
        s.RestoreState(keep);
    } else {
        // A message box: the icon, the text beside it, the buttons centred below.
        const std::vector<std::string> lines = splitLines(d.Text);
        const int textH = static_cast<int>(lines.size()) * font().TextHeight();
        const bool icon = d.Kind != "message";
        const int textX = icon ? 12 + 32 + 12 : 12;
        const int bodyH = std::max(icon ? 32 : 0, textH);
        if (icon)
            paintDialogIcon(s, client.Left + 12, client.Top + 12, d.Kind);
        int y = client.Top + 12 + (bodyH - textH) / 2;
        for (const std::string& line : lines) {
            font().DrawText(s, client.Left + textX, y, line, colours::Black);
            y += font().TextHeight();
        }
    }
    for (size_t i = 0; i < box.Buttons.size(); ++i)
        paintPushButton(s, box.Buttons[i], box.Captions[i], i == 0);
}

} // namespace host
