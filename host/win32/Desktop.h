#pragma once
// The windowing system's whole state: windows with their z-order, the message queue, timers,
// the clock, the cursor, GDI objects and the module list. One Desktop is current per thread;
// tests make a fresh one each, so nothing leaks from one test into the next.

#include "host/win32/Types.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
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

// A bitmap held by the GDI object table. Pixels are 0xRRGGBB, rows top-down.
struct GdiBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    std::string Resource; // where it was loaded from, for inspection
    std::string Module;
};

// One loaded module (the program or a package) with its bitmap resources by upper-case name.
struct TLibModule {
    TLibModule* Next = nullptr;
    HINSTANCE Instance = 0;
    HINSTANCE ResInstance = 0;
    std::string Name;
    // resource name -> DIB bytes; looked up without building a key string
    std::map<std::string, std::vector<uint8_t>, std::less<>> Bitmaps;
};

class Desktop {
public:
    Desktop();
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The desktop of this thread; raises when there is none.
    static Desktop& Current();
    static Desktop* CurrentOrNull();

    // ---- windows
    struct CreateParams {
        std::string ClassName;
        HWND Parent = 0;
        TRect Bounds;      // in the parent's client coordinates (screen for top level)
        TRect ClientInset; // the frame: left, top, right, bottom widths
        bool Visible = true;
        IWindowProc* Proc = nullptr;
        std::function<void(HWND)> Bind; // called with the new handle before WM_CREATE
    };
    HWND CreateWindowEx(const CreateParams& params);
    void DestroyWindow(HWND hwnd);
    bool IsWindow(HWND hwnd) const;
    HWND GetParent(HWND hwnd) const;
    HWND GetWindow(HWND hwnd, UINT cmd) const;
    std::string ClassNameOf(HWND hwnd) const;
    TRect WindowRectInParent(HWND hwnd) const;
    TRect ClientRect(HWND hwnd) const; // origin 0,0
    TRect WindowRectOnScreen(HWND hwnd) const;
    TPoint ClientOriginOnScreen(HWND hwnd) const;
    bool IsVisible(HWND hwnd) const;
    void ShowWindow(HWND hwnd, bool visible);
    // Moves and sizes a window; tells its procedure with WM_WINDOWPOSCHANGED.
    void SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    // Children of hwnd, topmost first.
    std::vector<HWND> Children(HWND hwnd) const;
    std::vector<HWND> TopLevelWindows() const;
    // The deepest visible window under a screen point, clipped by its parents' client areas.
    HWND WindowFromPoint(TPoint screen) const;
    IWindowProc* ProcOf(HWND hwnd) const;
    int WindowCount() const { return static_cast<int>(FWindows.size()); }
    uint64_t PaintCount(HWND hwnd) const;
    void UpdateWindow(HWND hwnd);

    // ---- messages
    bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Queues input (mouse and keys): handled after the posted messages.
    void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Handles everything waiting (posted messages, input, due timers) until nothing is left.
    // Returns the number of messages handled. May nest.
    int ProcessMessages();
    // Runs the loop for ms milliseconds of virtual time, firing timers as they come due.
    void RunFor(uint32_t ms);
    size_t PendingCount() const { return FPosted.size() + FInput.size(); }
    int DispatchDepth() const { return FDispatchDepth; }
    // Called for every message dispatched (a trace for tests and the transcript).
    std::function<void(HWND, const TMessage&)> OnDispatch;
    // Exceptions that escape a handler land here (the application shows them); EAbort is
    // swallowed before.
    std::function<void(const std::exception&)> OnException;

    // ---- timers
    bool SetTimer(HWND hwnd, uintptr_t id, UINT period);
    bool KillTimer(HWND hwnd, uintptr_t id);
    std::vector<uintptr_t> TimersOf(HWND hwnd) const;

    // ---- the clock
    uint64_t Now() const { return FNow; }
    void Advance(uint64_t ms) { FNow += ms; }
    // Milliseconds since start, 32 bits, wrapping. Each read moves the virtual clock on by
    // TickStep first, so that a busy loop on the tick count ends.
    uint32_t GetTickCount();
    void SetTickBase(uint32_t base) { FTickBase = base; }
    void SetTickStep(uint32_t step) { FTickStep = step; }
    uint32_t TickStep() const { return FTickStep; }

    // ---- the cursor
    TPoint CursorPos() const { return FCursor; }
    void SetCursorPos(TPoint p) { FCursor = p; }

    // ---- GDI objects
    HGDIOBJ AddBitmap(GdiBitmap bitmap);
    const GdiBitmap* Bitmap(HGDIOBJ handle) const;
    bool DeleteObject(HGDIOBJ handle);
    int GdiObjectCount() const { return static_cast<int>(FGdiObjects.size()); }
    int GdiDeleteFailures() const { return FGdiDeleteFailures; }

    // ---- modules
    TLibModule* LibModuleList() const { return FModules; }
    // Adds a module at the end of the list; the desktop owns it.
    TLibModule* AddModule(const std::string& name);
    void RemoveModule(TLibModule* module);
    // A new bitmap from a module's resource, found by name ignoring case; 0 when there is none.
    // A miss allocates nothing (the layout step asks again for glyphs that have no picture).
    HBITMAP LoadBitmap(HINSTANCE instance, std::string_view name);
    // Turns DIB bytes into a bitmap; the graphics layer installs it.
    std::function<bool(const std::vector<uint8_t>&, GdiBitmap&)> DecodeDib;

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
    struct Posted {
        HWND Hwnd;
        TMessage Msg;
    };
    struct Timer {
        HWND Hwnd;
        uintptr_t Id;
        UINT Period;
        uint64_t NextDue;
        uint64_t Serial;
    };
    Window* find(HWND hwnd);
    const Window* find(HWND hwnd) const;
    void dispatch(HWND hwnd, TMessage& msg);
    bool dispatchOneTimer();
    void destroyTree(HWND hwnd);
    void link(HWND hwnd, HWND insertAfter);
    void unlink(HWND hwnd);
    HWND& firstOf(HWND parent);
    HWND& lastOf(HWND parent);

    std::unordered_map<HWND, Window> FWindows;
    HWND FTopFirst = 0;
    HWND FTopLast = 0;
    HWND FNextHandle = 0x100;
    std::deque<Posted> FPosted;
    std::deque<Posted> FInput;
    std::vector<Timer> FTimers;
    uint64_t FTimerSerial = 0;
    uint64_t FNow = 0;
    uint32_t FTickBase = 0;
    uint32_t FTickStep = 10;
    int FDispatchDepth = 0;
    TPoint FCursor{-10000, -10000};
    std::unordered_map<HGDIOBJ, GdiBitmap> FGdiObjects;
    HGDIOBJ FNextGdi = 0x1000;
    int FGdiDeleteFailures = 0;
    TLibModule* FModules = nullptr;
    std::vector<std::unique_ptr<TLibModule>> FModuleStore;
    HINSTANCE FNextInstance = 0x400000;
    Desktop* FPrevious = nullptr;
};

} // namespace host
