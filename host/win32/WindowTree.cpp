#include "host/win32/WindowTree.h"

#include "host/rtl/SysUtils.h"

#include <algorithm>
#include <utility>

namespace host {

WindowTree::Window* WindowTree::find(HWND hwnd) {
    return const_cast<Window*>(std::as_const(*this).find(hwnd));
}

const WindowTree::Window* WindowTree::find(HWND hwnd) const {
    return FWindows.Find(hwnd, [&](const Window* w) { return w->Handle == hwnd; });
}

WindowTree::~WindowTree() {
    Clear();
}

HWND WindowTree::Create(const Params& params) {
    if (params.Parent && !find(params.Parent))
        throw EInvalidOperation("Invalid parent window");
    HWND h = FNextHandle++;
    Window w;
    w.Handle = h;
    w.ClassName = params.ClassName;
    w.Parent = params.Parent;
    w.Rect = params.Bounds;
    w.Inset = params.ClientInset;
    w.Visible = params.Visible;
    w.Proc = params.Proc;
    FWindows.Add(h, new Window(std::move(w)));
    link(h, HWND_TOP);
    return h;
}

HWND& WindowTree::firstOf(HWND parent) {
    return parent ? find(parent)->FirstChild : FTopFirst;
}
HWND& WindowTree::lastOf(HWND parent) {
    return parent ? find(parent)->LastChild : FTopLast;
}

void WindowTree::link(HWND hwnd, HWND insertAfter) {
    Window* w = find(hwnd);
    HWND& first = firstOf(w->Parent);
    HWND& last = lastOf(w->Parent);
    Window* above = nullptr;
    if (insertAfter == HWND_BOTTOM)
        above = last ? find(last) : nullptr;
    else if (insertAfter != HWND_TOP) {
        above = find(insertAfter);
        if (above && above->Parent != w->Parent)
            above = nullptr;
    }
    if (!above) {
        w->Prev = 0;
        w->Next = first;
        if (first)
            find(first)->Prev = hwnd;
        first = hwnd;
        if (!last)
            last = hwnd;
    } else {
        w->Prev = above->Handle;
        w->Next = above->Next;
        if (above->Next)
            find(above->Next)->Prev = hwnd;
        else
            last = hwnd;
        above->Next = hwnd;
    }
}

void WindowTree::unlink(HWND hwnd) {
    Window* w = find(hwnd);
    HWND& first = firstOf(w->Parent);
    HWND& last = lastOf(w->Parent);
    if (w->Prev)
        find(w->Prev)->Next = w->Next;
    else
        first = w->Next;
    if (w->Next)
        find(w->Next)->Prev = w->Prev;
    else
        last = w->Prev;
    w->Prev = w->Next = 0;
}

void WindowTree::Destroy(HWND hwnd, const std::function<void(HWND, IWindowProc*)>& gone) {
    if (!find(hwnd))
        return;
    for (HWND c : Children(hwnd))
        Destroy(c, gone);
    Window* w = find(hwnd);
    if (!w)
        return;
    IWindowProc* proc = w->Proc;
    if (!w->Parent || find(w->Parent))
        unlink(hwnd);
    FWindows.Remove(hwnd, w);
    delete w;
    gone(hwnd, proc);
}

void WindowTree::Clear() {
    FWindows.ForEach([](Window* w) { delete w; });
    FWindows.Clear();
    FTopFirst = FTopLast = 0;
}

HWND WindowTree::GetParent(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Parent : 0;
}

std::vector<HWND> WindowTree::Children(HWND hwnd) const {
    std::vector<HWND> list;
    const Window* w = find(hwnd);
    for (HWND c = w ? w->FirstChild : 0; c; c = find(c)->Next)
        list.push_back(c);
    return list;
}

std::vector<HWND> WindowTree::TopLevelWindows() const {
    std::vector<HWND> list;
    for (HWND c = FTopFirst; c; c = find(c)->Next)
        list.push_back(c);
    return list;
}

HWND WindowTree::GetWindow(HWND hwnd, UINT cmd) const {
    const Window* w = find(hwnd);
    if (!w)
        return 0;
    switch (cmd) {
    case GW_CHILD:
        return w->FirstChild;
    case GW_HWNDFIRST:
        return w->Parent ? find(w->Parent)->FirstChild : FTopFirst;
    case GW_HWNDLAST:
        return w->Parent ? find(w->Parent)->LastChild : FTopLast;
    case GW_HWNDNEXT:
        return w->Next;
    case GW_HWNDPREV:
        return w->Prev;
    default:
        return 0;
    }
}

std::string WindowTree::ClassNameOf(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->ClassName : std::string();
}

TRect WindowTree::WindowRectInParent(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Rect : TRect{};
}

TRect WindowTree::ClientRect(HWND hwnd) const {
    const Window* w = find(hwnd);
    if (!w)
        return {};
    int cw = std::max(0, ClampToInt(int64_t(w->Rect.Width()) - w->Inset.Left - w->Inset.Right));
    int ch = std::max(0, ClampToInt(int64_t(w->Rect.Height()) - w->Inset.Top - w->Inset.Bottom));
    return {0, 0, cw, ch};
}

TPoint WindowTree::ClientOriginOnScreen(HWND hwnd) const {
    const Window* w = find(hwnd);
    if (!w)
        return {};
    int64_t x = int64_t(w->Rect.Left) + w->Inset.Left;
    int64_t y = int64_t(w->Rect.Top) + w->Inset.Top;
    if (w->Parent) {
        TPoint o = ClientOriginOnScreen(w->Parent);
        x += o.X;
        y += o.Y;
    }
    return {ClampToInt(x), ClampToInt(y)};
}

TRect WindowTree::WindowRectOnScreen(HWND hwnd) const {
    const Window* w = find(hwnd);
    if (!w)
        return {};
    TRect r = w->Rect;
    if (w->Parent) {
        TPoint o = ClientOriginOnScreen(w->Parent);
        OffsetRect(r, o.X, o.Y);
    }
    return r;
}

bool WindowTree::IsVisible(HWND hwnd) const {
    for (const Window* w = find(hwnd); w; w = w->Parent ? find(w->Parent) : nullptr)
        if (!w->Visible)
            return false;
    return find(hwnd) != nullptr;
}

void WindowTree::ShowWindow(HWND hwnd, bool visible) {
    if (Window* w = find(hwnd))
        w->Visible = visible;
}

bool WindowTree::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy,
                              UINT flags) {
    Window* w = find(hwnd);
    if (!w)
        return false;
    TRect r = w->Rect;
    if (!(flags & SWP_NOMOVE)) {
        r = Bounds(x, y, r.Width(), r.Height());
    }
    if (!(flags & SWP_NOSIZE)) {
        r.Right = ClampToInt(int64_t(r.Left) + std::max(0, cx));
        r.Bottom = ClampToInt(int64_t(r.Top) + std::max(0, cy));
    }
    if (!(flags & SWP_NOZORDER) && insertAfter != hwnd) {
        unlink(hwnd);
        link(hwnd, insertAfter);
        w = find(hwnd);
    }
    bool changed = !(r == w->Rect);
    w->Rect = r;
    return changed;
}

HWND WindowTree::WindowFromPoint(TPoint screen) const {
    // Walk from the top of the z-order, descending into children that hold the point within
    // their parent's client area.
    std::function<HWND(HWND)> search = [&](HWND first) -> HWND {
        for (HWND h = first; h; h = find(h)->Next) {
            const Window* w = find(h);
            if (!w || !w->Visible)
                continue;
            if (!PtInRect(WindowRectOnScreen(h), screen))
                continue;
            TPoint o = ClientOriginOnScreen(h);
            TRect client = ClientRect(h);
            OffsetRect(client, o.X, o.Y);
            if (PtInRect(client, screen))
                if (HWND c = search(w->FirstChild))
                    return c;
            return h;
        }
        return 0;
    };
    return search(FTopFirst);
}

IWindowProc* WindowTree::ProcOf(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Proc : nullptr;
}

uint64_t WindowTree::PaintCount(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Paints : 0;
}

void WindowTree::CountPaint(HWND hwnd) {
    if (Window* w = find(hwnd))
        ++w->Paints;
}

} // namespace host
