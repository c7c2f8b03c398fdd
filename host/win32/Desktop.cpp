#include "host/win32/Desktop.h"

#include "host/rtl/SysUtils.h"

#include <algorithm>

namespace host {

namespace {
thread_local Desktop* gCurrent = nullptr;
} // namespace

Desktop::Desktop() : FPrevious(gCurrent) {
    gCurrent = this;
}

Desktop::~Desktop() {
    // Whatever windows are left die with the desktop, without messages.
    FWindows.clear();
    if (gCurrent == this)
        gCurrent = FPrevious;
}

Desktop& Desktop::Current() {
    if (!gCurrent)
        throw EInvalidOperation("No desktop");
    return *gCurrent;
}

Desktop* Desktop::CurrentOrNull() {
    return gCurrent;
}

Desktop::Window* Desktop::find(HWND hwnd) {
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? nullptr : &it->second;
}

const Desktop::Window* Desktop::find(HWND hwnd) const {
    auto it = FWindows.find(hwnd);
    return it == FWindows.end() ? nullptr : &it->second;
}

HWND Desktop::CreateWindowEx(const CreateParams& params) {
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
    FWindows.emplace(h, std::move(w));
    // A new window goes on top of its siblings.
    link(h, HWND_TOP);
    if (params.Bind)
        params.Bind(h);
    SendMessage(h, WM_CREATE, 0, 0);
    return h;
}

HWND& Desktop::firstOf(HWND parent) {
    return parent ? find(parent)->FirstChild : FTopFirst;
}
HWND& Desktop::lastOf(HWND parent) {
    return parent ? find(parent)->LastChild : FTopLast;
}

void Desktop::link(HWND hwnd, HWND insertAfter) {
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

void Desktop::unlink(HWND hwnd) {
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

void Desktop::destroyTree(HWND hwnd) {
    if (!find(hwnd))
        return;
    for (HWND c : Children(hwnd))
        destroyTree(c);
    Window* w = find(hwnd);
    if (!w)
        return;
    IWindowProc* proc = w->Proc;
    if (!w->Parent || find(w->Parent))
        unlink(hwnd);
    FWindows.erase(hwnd);
    FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(),
                                 [hwnd](const Timer& t) { return t.Hwnd == hwnd; }),
                  FTimers.end());
    auto dead = [hwnd](const Posted& p) { return p.Hwnd == hwnd; };
    FPosted.erase(std::remove_if(FPosted.begin(), FPosted.end(), dead), FPosted.end());
    FInput.erase(std::remove_if(FInput.begin(), FInput.end(), dead), FInput.end());
    if (proc)
        proc->WindowDestroyed(hwnd);
}

void Desktop::DestroyWindow(HWND hwnd) {
    if (!find(hwnd))
        return;
    // WM_DESTROY goes to the window first, then to its children, as the windowing system does.
    std::function<void(HWND)> tell = [&](HWND h) {
        if (!find(h))
            return;
        SendMessage(h, WM_DESTROY, 0, 0);
        for (HWND c : Children(h))
            tell(c);
    };
    tell(hwnd);
    destroyTree(hwnd);
}

bool Desktop::IsWindow(HWND hwnd) const {
    return find(hwnd) != nullptr;
}

HWND Desktop::GetParent(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Parent : 0;
}

std::vector<HWND> Desktop::Children(HWND hwnd) const {
    std::vector<HWND> list;
    const Window* w = find(hwnd);
    for (HWND c = w ? w->FirstChild : 0; c; c = find(c)->Next)
        list.push_back(c);
    return list;
}

std::vector<HWND> Desktop::TopLevelWindows() const {
    std::vector<HWND> list;
    for (HWND c = FTopFirst; c; c = find(c)->Next)
        list.push_back(c);
    return list;
}

HWND Desktop::GetWindow(HWND hwnd, UINT cmd) const {
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

std::string Desktop::ClassNameOf(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->ClassName : std::string();
}

TRect Desktop::WindowRectInParent(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Rect : TRect{};
}

TRect Desktop::ClientRect(HWND hwnd) const {
    const Window* w = find(hwnd);
    if (!w)
        return {};
    int cw = std::max(0, w->Rect.Width() - w->Inset.Left - w->Inset.Right);
    int ch = std::max(0, w->Rect.Height() - w->Inset.Top - w->Inset.Bottom);
    return {0, 0, cw, ch};
}

TPoint Desktop::ClientOriginOnScreen(HWND hwnd) const {
    const Window* w = find(hwnd);
    if (!w)
        return {};
    TPoint p{w->Rect.Left + w->Inset.Left, w->Rect.Top + w->Inset.Top};
    if (w->Parent) {
        TPoint o = ClientOriginOnScreen(w->Parent);
        p.X += o.X;
        p.Y += o.Y;
    }
    return p;
}

TRect Desktop::WindowRectOnScreen(HWND hwnd) const {
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

bool Desktop::IsVisible(HWND hwnd) const {
    for (const Window* w = find(hwnd); w; w = w->Parent ? find(w->Parent) : nullptr)
        if (!w->Visible)
            return false;
    return find(hwnd) != nullptr;
}

void Desktop::ShowWindow(HWND hwnd, bool visible) {
    if (Window* w = find(hwnd))
        w->Visible = visible;
}

void Desktop::SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Window* w = find(hwnd);
    if (!w)
        return;
    TRect r = w->Rect;
    if (!(flags & SWP_NOMOVE)) {
        OffsetRect(r, x - r.Left, y - r.Top);
    }
    if (!(flags & SWP_NOSIZE)) {
        r.Right = r.Left + std::max(0, cx);
        r.Bottom = r.Top + std::max(0, cy);
    }
    if (!(flags & SWP_NOZORDER) && insertAfter != hwnd) {
        unlink(hwnd);
        link(hwnd, insertAfter);
        w = find(hwnd);
    }
    bool changed = !(r == w->Rect);
    w->Rect = r;
    if (changed)
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
}

HWND Desktop::WindowFromPoint(TPoint screen) const {
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

IWindowProc* Desktop::ProcOf(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Proc : nullptr;
}

uint64_t Desktop::PaintCount(HWND hwnd) const {
    const Window* w = find(hwnd);
    return w ? w->Paints : 0;
}

void Desktop::UpdateWindow(HWND hwnd) {
    if (Window* w = find(hwnd))
        ++w->Paints;
}

bool Desktop::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!find(hwnd))
        return false;
    FPosted.push_back({hwnd, TMessage{msg, wParam, lParam, 0}});
    return true;
}

void Desktop::PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (find(hwnd))
        FInput.push_back({hwnd, TMessage{msg, wParam, lParam, 0}});
}

LRESULT Desktop::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!find(hwnd))
        return 0;
    TMessage m{msg, wParam, lParam, 0};
    dispatch(hwnd, m);
    return m.Result;
}

void Desktop::dispatch(HWND hwnd, TMessage& msg) {
    Window* w = find(hwnd);
    if (!w || !w->Proc)
        return;
    IWindowProc* proc = w->Proc;
    if (OnDispatch)
        OnDispatch(hwnd, msg);
    ++FDispatchDepth;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } guard{FDispatchDepth};
    proc->WindowProc(msg);
}

bool Desktop::dispatchOneTimer() {
    Timer* due = nullptr;
    for (Timer& t : FTimers)
        if (t.NextDue <= FNow && (!due || t.NextDue < due->NextDue ||
                                  (t.NextDue == due->NextDue && t.Serial < due->Serial)))
            due = &t;
    if (!due)
        return false;
    // One WM_TIMER however often it came due; the next due time keeps the original rhythm.
    uint64_t late = FNow - due->NextDue;
    due->NextDue += static_cast<uint64_t>(due->Period) * (late / due->Period + 1);
    HWND hwnd = due->Hwnd;
    uintptr_t id = due->Id;
    TMessage m{WM_TIMER, id, 0, 0};
    dispatch(hwnd, m);
    return true;
}

int Desktop::ProcessMessages() {
    int handled = 0;
    for (;;) {
        try {
            if (!FPosted.empty()) {
                Posted p = FPosted.front();
                FPosted.pop_front();
                dispatch(p.Hwnd, p.Msg);
            } else if (!FInput.empty()) {
                Posted p = FInput.front();
                FInput.pop_front();
                dispatch(p.Hwnd, p.Msg);
            } else if (!dispatchOneTimer()) {
                break;
            }
        } catch (const EAbort&) {
            // the silent exception
        } catch (const std::exception& e) {
            if (!OnException)
                throw;
            OnException(e);
        }
        ++handled;
    }
    return handled;
}

void Desktop::RunFor(uint32_t ms) {
    uint64_t end = FNow + ms;
    for (;;) {
        ProcessMessages();
        uint64_t next = UINT64_MAX;
        for (const Timer& t : FTimers)
            next = std::min(next, t.NextDue);
        if (next > end || next == UINT64_MAX) {
            if (FNow < end)
                FNow = end;
            ProcessMessages();
            return;
        }
        if (next > FNow)
            FNow = next;
    }
}

bool Desktop::SetTimer(HWND hwnd, uintptr_t id, UINT period) {
    if (!find(hwnd))
        return false;
    UINT p = std::max<UINT>(period, 1);
    for (Timer& t : FTimers)
        if (t.Hwnd == hwnd && t.Id == id) {
            t.Period = p;
            t.NextDue = FNow + p;
            return true;
        }
    FTimers.push_back({hwnd, id, p, FNow + p, FTimerSerial++});
    return true;
}

bool Desktop::KillTimer(HWND hwnd, uintptr_t id) {
    auto it = std::find_if(FTimers.begin(), FTimers.end(),
                           [&](const Timer& t) { return t.Hwnd == hwnd && t.Id == id; });
    if (it == FTimers.end())
        return false;
    FTimers.erase(it);
    return true;
}

std::vector<uintptr_t> Desktop::TimersOf(HWND hwnd) const {
    std::vector<uintptr_t> ids;
    for (const Timer& t : FTimers)
        if (t.Hwnd == hwnd)
            ids.push_back(t.Id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

uint32_t Desktop::GetTickCount() {
    // Only a busy loop reads the tick count (a slide); each read moves the virtual clock on by
    // a fixed step, so that the loop ends and its frames fall on known times.
    FNow += FTickStep;
    return static_cast<uint32_t>(FTickBase + FNow);
}

HGDIOBJ Desktop::AddBitmap(GdiBitmap bitmap) {
    HGDIOBJ h = FNextGdi++;
    FGdiObjects.emplace(h, std::move(bitmap));
    return h;
}

const GdiBitmap* Desktop::Bitmap(HGDIOBJ handle) const {
    auto it = FGdiObjects.find(handle);
    return it == FGdiObjects.end() ? nullptr : &it->second;
}

bool Desktop::DeleteObject(HGDIOBJ handle) {
    if (FGdiObjects.erase(handle) == 1)
        return true;
    ++FGdiDeleteFailures;
    return false;
}

TLibModule* Desktop::AddModule(const std::string& name) {
    auto m = std::make_unique<TLibModule>();
    m->Name = name;
    m->Instance = FNextInstance;
    m->ResInstance = FNextInstance;
    FNextInstance += 0x10000;
    TLibModule* raw = m.get();
    FModuleStore.push_back(std::move(m));
    TLibModule** link = &FModules;
    while (*link)
        link = &(*link)->Next;
    *link = raw;
    return raw;
}

void Desktop::RemoveModule(TLibModule* module) {
    for (TLibModule** link = &FModules; *link; link = &(*link)->Next)
        if (*link == module) {
            *link = module->Next;
            break;
        }
    FModuleStore.erase(std::remove_if(FModuleStore.begin(), FModuleStore.end(),
                                      [module](const auto& m) { return m.get() == module; }),
                       FModuleStore.end());
}

HBITMAP Desktop::LoadBitmap(HINSTANCE instance, std::string_view name) {
    // Resource names are stored upper-case; a name of usual length is raised into a buffer on
    // the stack, a longer one into a string.
    char buffer[256];
    std::string longName;
    std::string_view key;
    if (name.size() <= sizeof buffer) {
        for (size_t i = 0; i < name.size(); ++i)
            buffer[i] = (name[i] >= 'a' && name[i] <= 'z') ? static_cast<char>(name[i] - 'a' + 'A')
                                                           : name[i];
        key = std::string_view(buffer, name.size());
    } else {
        longName = UpperCase(name);
        key = longName;
    }
    for (TLibModule* m = FModules; m; m = m->Next) {
        if (m->ResInstance != instance)
            continue;
        auto it = m->Bitmaps.find(key);
        if (it == m->Bitmaps.end() || !DecodeDib)
            return 0;
        GdiBitmap bmp;
        if (!DecodeDib(it->second, bmp))
            return 0;
        bmp.Resource = it->first;
        bmp.Module = m->Name;
        return AddBitmap(std::move(bmp));
    }
    return 0;
}

} // namespace host
