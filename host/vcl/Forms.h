#pragma once
// Forms, data modules and the application object.

#include "host/vcl/Controls.h"
#include "host/vcl/Dialogs.h"
#include "host/vcl/Menus.h"

#include <map>
#include <memory>

namespace host {

// The designer of a root being designed, as the form sees it.
class TDesigner : public IDesignerHook {
public:
    // Messages to a designed form go to its designer first; true when the designer took it.
    virtual bool IsDesignMsg(TControl* sender, TMessage& message) = 0;
    virtual void Modified() = 0;
};

class TScrollingWinControl : public TWinControl {
    HOST_CLASS(TScrollingWinControl, TWinControl)
};

class TCustomForm : public TScrollingWinControl {
    HOST_CLASS(TCustomForm, TScrollingWinControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Destroy() override;

    TDesigner* Designer() const { return FDesigner; }
    void SetDesigner(TDesigner* designer);
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    // A client size whose window would be larger than the 32-bit range is refused with
    // EPropertyError.
    void SetClientSize(int width, int height) override;
    // A form's window is never smaller than its frame (the windowing system's rule): a smaller
    // size is taken as the frame's, so that its client size is never negative.
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    // The form's controls, then the components it owns that have no parent.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    bool DesignMessage(TControl* sender, TMessage& message) override;
    void Paint() {}
    std::string OnCreateName;

    // The frame of a form window: borders and caption.
    static constexpr TRect Frame{4, 23, 4, 4};

protected:
    TRect ClientInset() const override { return Frame; }

private:
    TDesigner* FDesigner = nullptr;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
};

class TForm : public TCustomForm {
    HOST_CLASS(TForm, TCustomForm)
};

// A frame: a windowed control designed on its own like a form, and placed on forms (inline).
// As the root being designed it has a designer, as forms do.
class TCustomFrame : public TScrollingWinControl {
    HOST_CLASS(TCustomFrame, TScrollingWinControl)
public:
    void Create(TComponent* owner) override;
    void Destroy() override;
    TDesigner* Designer() const { return FDesigner; }
    void SetDesigner(TDesigner* designer);
    // Its controls, then the components it owns that have no parent.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    bool DesignMessage(TControl* sender, TMessage& message) override;
    void WndProc(TMessage& message) override;

private:
    TDesigner* FDesigner = nullptr;
};

class TFrame : public TCustomFrame {
    HOST_CLASS(TFrame, TCustomFrame)
};

class TDataModule : public TComponent {
    HOST_CLASS(TDataModule, TComponent)
public:
    TDesigner* Designer() const { return FDesigner; }
    void SetDesigner(TDesigner* designer);
    void Destroy() override;
    // The components it owns that have no parent.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    TDesigner* FDesigner = nullptr;
};

class TApplication : public IWindowProc {
public:
    TApplication();
    ~TApplication() override;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Handles everything waiting in the message loop; may nest.
    void ProcessMessages();
    IDialogService& Dialogs() { return *FDialogs; }
    void SetDialogs(IDialogService* dialogs) { FDialogs = dialogs ? dialogs : &FDefaultDialogs; }
    RecordingDialogs& DefaultDialogs() { return FDefaultDialogs; }
    IMenuService* MenuService() const { return FMenuService; }
    void SetMenuService(IMenuService* service) { FMenuService = service; }
    // Posts the command of a chosen menu item: its OnClick runs from the message loop.
    void PostCommand(TMenuItem* item);
    // Shows an exception as the application does: an error box (EAbort shows nothing).
    void HandleException(const std::exception& e);
    HWND Handle() const { return FHandle; }

    void WindowProc(TMessage& message) override;
    void WindowDestroyed(HWND handle) override;

private:
    HWND FHandle = 0;
    RecordingDialogs FDefaultDialogs;
    IDialogService* FDialogs = &FDefaultDialogs;
    IMenuService* FMenuService = nullptr;
    std::unique_ptr<TComponentList> FCommands; // chosen items not yet run, dropped when freed
    std::map<WPARAM, TMenuItem*> FPendingCommands;
    WPARAM FNextCommand = 1;
    TApplication* FPrevious = nullptr;
};

// The application of this thread; raises when there is none.
TApplication& Application();
TApplication* ApplicationOrNull();

} // namespace host
