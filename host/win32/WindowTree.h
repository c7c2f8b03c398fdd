#pragma once
// The windows of a desktop: handles, class names, parents and the z-order of siblings,
// rectangles, visibility and paint counts. The tree sends no messages: the desktop (Desktop.h)
// tells the windows' procedures what happens to them.

#include "host/rtl/FlatIndex.h"
#include "host/win32/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {

// What receives a window's messages (a windowed control, a designer icon...).
class IWindowProc {
public:
    virtual ~IWindowProc() = default;
    virtual void WindowProc(TMessage& message) = 0;
    // Told once the window is gone (after WM_DESTROY), so that the handle is not used again.
    virtual void WindowDestroyed(HWND handle) {}
};

class WindowTree {
public:
    WindowTree() = default;
    ~WindowTree();
    WindowTree(const WindowTree&) = delete;
    WindowTree& operator=(const WindowTree&) = delete;
    struct Params {
        std::string ClassName;
        HWND Parent = 0;
        TRect Bounds;      // in the parent's client coordinates (screen for top level)
        TRect ClientInset; // the frame: left, top, right, bottom widths
        bool Visible = true;
        IWindowProc* Proc = nullptr;
    };
    // A new window on top of its siblings. Raises EInvalidOperation for an unknown parent.
    HWND Create(const Params& params);
    // Takes the window and its children out, each child before its parent; gone(handle, proc)
    // is called for each once it is out.
    void Destroy(HWND hwnd, const std::function<void(HWND, IWindowProc*)>& gone);
    // Forgets every window, telling nobody.
    void Clear();

    bool IsWindow(HWND hwnd) const { return find(hwnd) != nullptr; }
    HWND GetParent(HWND hwnd) const;
    HWND GetWindow(HWND hwnd, UINT cmd) const;
    std::string ClassNameOf(HWND hwnd) const;
    IWindowProc* ProcOf(HWND hwnd) const;
    int Count() const { return static_cast<int>(FWindows.Count()); }
    // Children of hwnd, topmost first.
    std::vector<HWND> Children(HWND hwnd) const;
    std::vector<HWND> TopLevelWindows() const;

    TRect WindowRectInParent(HWND hwnd) const;
    TRect ClientRect(HWND hwnd) const; // origin 0,0
    TRect WindowRectOnScreen(HWND hwnd) const;
    TPoint ClientOriginOnScreen(HWND hwnd) const;
    // Visible when it and all its parents are.
    bool IsVisible(HWND hwnd) const;
    void ShowWindow(HWND hwnd, bool visible);
    // Moves, sizes and reorders a window as SetWindowPos's flags say; true when its rectangle
    // changed.
    bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    // The deepest visible window under a screen point, clipped by its parents' client areas.
    HWND WindowFromPoint(TPoint screen) const;

    uint64_t PaintCount(HWND hwnd) const;
    void CountPaint(HWND hwnd);

private:
    struct Window {
        HWND Handle = 0;
        std::string ClassName;
        HWND Parent = 0;
        // The z-order as a linked chain: siblings above (Prev) and below (Next), and the
        // topmost (First) and bottom (Last) children.
        HWND Prev = 0;
        HWND Next = 0;
        HWND FirstChild = 0;
        HWND LastChild = 0;
        TRect Rect;
        TRect Inset;
        bool Visible = true;
        IWindowProc* Proc = nullptr;
        uint64_t Paints = 0;
    };
    Window* find(HWND hwnd);
    const Window* find(HWND hwnd) const;
    void link(HWND hwnd, HWND insertAfter);
    void unlink(HWND hwnd);
    HWND& firstOf(HWND parent);
    HWND& lastOf(HWND parent);

    // The windows (owned) by handle. Handles count up, so the handle itself serves as the hash:
    // windows made one after the other sit in neighbouring slots.
    TFlatIndex<Window*> FWindows;
    HWND FTopFirst = 0;
    HWND FTopLast = 0;
    HWND FNextHandle = 0x100;
};

} // namespace host
