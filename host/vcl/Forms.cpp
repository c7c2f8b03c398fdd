#include "host/vcl/Forms.h"

#include "host/win32/Windows.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_ABSTRACT_CLASS(TScrollingWinControl, TWinControl)
HOST_IMPLEMENT_CLASS_PROPS(TCustomForm, TScrollingWinControl)
HOST_IMPLEMENT_CLASS(TForm, TCustomForm)
HOST_IMPLEMENT_CLASS(TDataModule, TComponent)
HOST_IMPLEMENT_ABSTRACT_CLASS(TCustomFrame, TScrollingWinControl)
HOST_IMPLEMENT_CLASS(TFrame, TCustomFrame)

void TCustomForm::DeclareProperties(PropList& props) {
    // Published by TForm, with the rest of its properties (the catalogue).
    auto hidden = [&](TPropInfo p) {
        p.Published = false;
        props.push_back(std::move(p));
    };
    TPropInfo clientHeight = IntProp<TCustomForm>(
        "ClientHeight", [](const TCustomForm& f) { return f.ClientHeight(); },
        [](TCustomForm& f, int64_t v) { f.SetClientHeight(static_cast<int>(v)); });
    clientHeight.MinValue = 0;
    hidden(clientHeight);
    TPropInfo clientWidth = IntProp<TCustomForm>(
        "ClientWidth", [](const TCustomForm& f) { return f.ClientWidth(); },
        [](TCustomForm& f, int64_t v) { f.SetClientWidth(static_cast<int>(v)); });
    clientWidth.MinValue = 0;
    hidden(clientWidth);
    hidden(IntProp<TCustomForm>(
        "PixelsPerInch", [](const TCustomForm& f) { return f.FPixelsPerInch; },
        [](TCustomForm& f, int64_t v) { f.FPixelsPerInch = static_cast<int>(v); }));
    hidden(IntProp<TCustomForm>(
        "TextHeight", [](const TCustomForm& f) { return f.FTextHeight; },
        [](TCustomForm& f, int64_t v) { f.FTextHeight = static_cast<int>(v); }));
    hidden(EventProp<TCustomForm>("OnCreate", &TCustomForm::OnCreateName));
}

namespace {
void unparentedChildren(TComponent* self, const std::function<void(TComponent*)>& proc,
                        TComponent* root) {
    if (root != self)
        return;
    for (TComponent* c : std::vector<TComponent*>(self->ComponentList()))
        if (!c->HasParent())
            proc(c);
}
} // namespace

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    inherited::GetChildren(proc, root);
    unparentedChildren(this, proc, root);
}

void TDataModule::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    unparentedChildren(this, proc, root);
}

void TCustomFrame::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    inherited::GetChildren(proc, root);
    unparentedChildren(this, proc, root);
}

void TCustomFrame::Create(TComponent* owner) {
    inherited::Create(owner);
    FControlStyle.include(csAcceptsControls);
    SetBounds(0, 0, 320, 240);
}

void TCustomFrame::Destroy() {
    if (FDesigner) {
        SetDesignerHook(nullptr);
        FDesigner = nullptr;
    }
    inherited::Destroy();
}

void TCustomFrame::SetDesigner(TDesigner* designer) {
    FDesigner = designer;
    SetDesignerHook(designer);
}

bool TCustomFrame::DesignMessage(TControl* sender, TMessage& message) {
    return FDesigner && FDesigner->IsDesignMsg(sender, message);
}

void TCustomFrame::WndProc(TMessage& message) {
    if (FDesigner && FDesigner->IsDesignMsg(this, message))
        return;
    inherited::WndProc(message);
}

void TCustomForm::Create(TComponent* owner) {
    inherited::Create(owner);
    FVisible = false;
    FParentFont = false;  // a form's font is its own, and is stored
    FParentColor = false; // and so is its colour
    SetBounds(0, 0, 640 + Frame.Left + Frame.Right, 480 + Frame.Top + Frame.Bottom);
}

void TCustomForm::Destroy() {
    // Closing: everything is marked first, then destroyed; each component is taken out of the
    // list before it goes, so its siblings hear nothing of it.
    Destroying();
    DestroyComponents();
    if (FDesigner) {
        SetDesignerHook(nullptr);
        FDesigner = nullptr;
    }
    inherited::Destroy();
}

void TCustomForm::SetDesigner(TDesigner* designer) {
    FDesigner = designer;
    SetDesignerHook(designer);
}

int TCustomForm::ClientWidth() const {
    return std::max(0, FWidth - Frame.Left - Frame.Right);
}
int TCustomForm::ClientHeight() const {
    return std::max(0, FHeight - Frame.Top - Frame.Bottom);
}

void TCustomForm::SetClientSize(int width, int height) {
    const int64_t w = int64_t(width) + Frame.Left + Frame.Right;
    const int64_t h = int64_t(height) + Frame.Top + Frame.Bottom;
    if (width < 0 || height < 0 || w > INT32_MAX || h > INT32_MAX)
        throw EPropertyError("invalid value: a client size of " + IntToStr(width) + " x " +
                             IntToStr(height) + " gives a window outside 0.." +
                             IntToStr(INT32_MAX));
    SetBounds(FLeft, FTop, static_cast<int>(w), static_cast<int>(h));
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    if (width >= 0 && height >= 0) {
        width = std::max(width, Frame.Left + Frame.Right);
        height = std::max(height, Frame.Top + Frame.Bottom);
    }
    inherited::SetBounds(left, top, width, height);
}

void TCustomForm::WndProc(TMessage& message) {
    if (FDesigner && FDesigner->IsDesignMsg(this, message))
        return;
    inherited::WndProc(message);
}

bool TCustomForm::DesignMessage(TControl* sender, TMessage& message) {
    return FDesigner && FDesigner->IsDesignMsg(sender, message);
}

void TDataModule::SetDesigner(TDesigner* designer) {
    FDesigner = designer;
    SetDesignerHook(designer);
}

void TDataModule::Destroy() {
    Destroying();
    DestroyComponents();
    SetDesignerHook(nullptr);
    FDesigner = nullptr;
    inherited::Destroy();
}

namespace {
thread_local TApplication* gApplication = nullptr;
}

TApplication::TApplication() : FCommands(std::make_unique<TComponentList>()) {
    FPrevious = gApplication;
    gApplication = this;
    Desktop::CreateParams cp;
    cp.ClassName = "TApplication";
    cp.Visible = false;
    cp.Proc = this;
    cp.Bind = [this](HWND h) { FHandle = h; };
    Desktop::Current().CreateWindowEx(cp);
}

TApplication::~TApplication() {
    if (FHandle)
        if (Desktop* d = Desktop::CurrentOrNull())
            d->DestroyWindow(FHandle);
    if (gApplication == this)
        gApplication = FPrevious;
}

void TApplication::ProcessMessages() {
    Desktop::Current().ProcessMessages();
}

void TApplication::PostCommand(TMenuItem* item) {
    WPARAM id = FNextCommand++;
    FCommands->Add(item);
    FPendingCommands[id] = item;
    PostMessageA(FHandle, WM_COMMAND, id, 0);
}

void TApplication::HandleException(const std::exception& e) {
    if (dynamic_cast<const EAbort*>(&e))
        return;
    FDialogs->MessageDlg(e.what(), mtError, {TMsgDlgBtn::mbOK}, 0);
}

void TApplication::WindowProc(TMessage& m) {
    if (m.Msg != WM_COMMAND)
        return;
    auto it = FPendingCommands.find(m.WParam);
    if (it == FPendingCommands.end())
        return;
    TMenuItem* item = it->second;
    FPendingCommands.erase(it);
    // An item freed since it was chosen has left the list: its command is dropped.
    if (FCommands->IndexOf(item) < 0)
        return;
    FCommands->Remove(item);
    item->Click();
}

void TApplication::WindowDestroyed(HWND handle) {
    if (handle == FHandle)
        FHandle = 0;
}

TApplication& Application() {
    if (!gApplication)
        throw EInvalidOperation("No application");
    return *gApplication;
}

TApplication* ApplicationOrNull() {
    return gApplication;
}

} // namespace host
