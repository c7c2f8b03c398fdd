#pragma once
// Controls: TControl, TWinControl (a window made on demand, messages dispatched to its
// handlers), TCustomControl and TGraphicControl (no window: the parent routes its mouse).

#include "host/classes/Classes.h"
#include "host/vcl/Graphics.h"
#include "host/win32/Desktop.h"

#include <functional>
#include <string>
#include <vector>

namespace host {

class TWinControl;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;
extern const TEnumInfo AlignInfo;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using enum TShiftStateFlag;
using TShiftState = TSet<TShiftStateFlag>;

enum class TControlStyleFlag {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using enum TControlStyleFlag;
using TControlStyle = TSet<TControlStyleFlag>;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
    HOST_CLASS(TControl, TComponent)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Destroy() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    // Changes position and size in one step; nothing happens when nothing differs. A negative
    // size, or an edge beyond the 32-bit range, is refused with EPropertyError.
    virtual void SetBounds(int left, int top, int width, int height);
    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    virtual void SetClientSize(int width, int height);
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The client origin on the screen.
    virtual TPoint ClientOrigin() const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    // Whether the control is seen: visible (or designing) with all its parents showing.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    TControlStyle& ControlStyle() { return FControlStyle; }
    const TControlStyle& ControlStyle() const { return FControlStyle; }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    TColor Color() const { return FColor; }
    // Setting the colour makes it the control's own (ParentColor false).
    void SetColor(TColor value);
    // The control takes its parent's colour, and follows it.
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    bool IsFontStored() const { return !FParentFont; }
    const std::string& Hint() const { return FHint; }
    int Cursor() const { return FCursor; }
    int64_t HelpContext() const { return FHelpContext; }

    virtual void BringToFront();
    void Invalidate();
    void Repaint() { Invalidate(); }
    // How often the control was asked to repaint (for tests: a move that changes nothing
    // repaints nothing).
    int InvalidateCount() const { return FInvalidates; }
    // Calls the control's own message dispatch directly.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // Mouse handling, in the control's client coordinates.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    // Paints the control onto its canvas (controls with a canvas override it).
    virtual void PaintTo(IPaintTarget* target) {}

protected:
    virtual void BoundsChanged() {}
    virtual void FontChanged();
    void ParentFontChanged();
    void ParentColorChanged();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    std::string FCaption;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    std::string FHint;
    int FCursor = 0;
    int64_t FHelpContext = 0;
    int FInvalidates = 0;
    friend class TWinControl;
};

struct TCreateParams {
    std::string Caption;
    std::string WinClassName;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = 0;
};

class TWinControl : public TControl, public IWindowProc {
    HOST_CLASS(TWinControl, TControl)
public:
    static void DeclareProperties(PropList& props);
    void Destroy() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != 0; }
    void HandleNeeded();
    void DestroyHandle();
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool value) override;
    void BringToFront() override;
    TPoint ClientOrigin() const override;

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int i) const { return FControls.at(static_cast<size_t>(i)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    // Tab order, as the platform keeps it: a parent's windowed controls are numbered 0, 1, 2...
    // in the order they came in; setting a control's TabOrder moves it there and renumbers its
    // siblings (a value out of range puts it last). While the control is being read the value is
    // only noted; Loaded puts the parent's controls in the order read (FixupTabList). -1 for a
    // control without a parent.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }
    // The windowed controls in tab order.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }
    void Loaded() override;
    // The controls parented here that root owns, in this control's order.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // Positions the aligned children.
    void Realign();
    // The topmost visible child control (graphic or windowed) at a point of the client area.
    TControl* ControlAtPos(TPoint p, bool allowDisabled = false) const;

    void WindowProc(TMessage& message) override;
    void WindowDestroyed(HWND handle) override;
    void WndProc(TMessage& message) override;
    // A mouse message that a designed control got for itself is offered to the designer of
    // its form first (the form answers); true when the designer took it.
    virtual bool DesignMessage(TControl* sender, TMessage& message) { return false; }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    void UpdateTabOrder(int value);
    void FixupTabList();
    // The frame around the client area (forms have one).
    virtual TRect ClientInset() const { return {}; }
    void FontChanged() override;
    void updateShowing();

    HWND FHandle = 0;
    std::vector<TControl*> FControls; // z-order: later above earlier
    std::vector<TWinControl*> FTabList;
    int FTabOrder = -1; // the value read, until Loaded
    bool FTabStop = false;
    TControl* FMouseControl = nullptr; // the graphic child holding the mouse capture
    bool FInRealign = false;
    bool FDestroyingHandle = false;
    friend class TControl;
};

class TCustomControl : public TWinControl {
    HOST_CLASS(TCustomControl, TWinControl)
public:
    TCanvas& Canvas() { return FCanvas; }
    virtual void Paint() {}
    void PaintTo(IPaintTarget* target) override;

protected:
    TCanvas FCanvas;
};

class TGraphicControl : public TControl {
    HOST_CLASS(TGraphicControl, TControl)
public:
    TCanvas& Canvas() { return FCanvas; }
    virtual void Paint() {}
    void PaintTo(IPaintTarget* target) override;

protected:
    TCanvas FCanvas;
};

TShiftState KeysToShiftState(WPARAM keys);

} // namespace host
