#pragma once
// The window on the screen, through SDL2: it shows what the editor composes and is the source of
// input of the host's message loop. While the loop has nothing to do it waits in
// SDL_WaitEventTimeout for the person's input or the next timer, so an idle window sleeps; every
// event becomes input for the editor (which hands the mouse over the form to the host's windows).
// All that depends on SDL is here and in SdlEdit.cpp.

#include "app/edit/Editor.h"
#include "host/win32/EventSource.h"

#include <stdexcept>
#include <string>

struct SDL_Window;
union SDL_Event;

namespace app::edit {

// SDL could not open a window (no display); the message says why.
class WindowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SdlFront : public host::IEventSource {
public:
    // Opens a window of the given client size showing the editor; raises WindowError.
    SdlFront(Editor& editor, host::Desktop& desktop, host::TPoint size);
    ~SdlFront() override;
    SdlFront(const SdlFront&) = delete;
    SdlFront& operator=(const SdlFront&) = delete;

    void WaitForInput(uint64_t until) override;
    // Shows a picture of the whole client area, and the editor's title.
    void Present(const host::Surface& picture);
    void SetSize(host::TPoint size);

private:
    void handle(const SDL_Event& event);

    Editor& FEditor;
    host::Desktop& FDesktop;
    SDL_Window* FWindow = nullptr;
    std::string FTitle;
};

// Lets the window system's refused requests pass with a line on stderr instead of ending the
// program; called before the windowing library starts.
void ReportWindowSystemErrors();

} // namespace app::edit
