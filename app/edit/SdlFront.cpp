#include "app/edit/SdlFront.h"

#include <SDL.h>

#include <algorithm>

namespace app::edit {

using namespace host;

namespace {

WPARAM keyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<WPARAM>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<WPARAM>('0' + (key - SDLK_0));
    switch (key) {
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_END:
        return VK_END;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_F2:
        return VK_F2;
    case SDLK_F12:
        return VK_F12;
    default:
        return 0;
    }
}

WPARAM modifiers(Uint16 mod) {
    WPARAM keys = 0;
    if (mod & KMOD_SHIFT)
        keys |= MK_SHIFT;
    if (mod & KMOD_CTRL)
        keys |= MK_CONTROL;
    return keys;
}

WPARAM buttons(Uint32 state) {
    WPARAM keys = modifiers(static_cast<Uint16>(SDL_GetModState()));
    if (state & SDL_BUTTON_LMASK)
        keys |= MK_LBUTTON;
    if (state & SDL_BUTTON_RMASK)
        keys |= MK_RBUTTON;
    if (state & SDL_BUTTON_MMASK)
        keys |= MK_MBUTTON;
    return keys;
}

} // namespace

SdlFront::SdlFront(Editor& editor, Desktop& desktop, TPoint size)
    : FEditor(editor), FDesktop(desktop) {
    // The picture is drawn by the host and copied to the window as it is: the window system's
    // own framebuffer, no renderer (which would make the window anew for OpenGL).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    ReportWindowSystemErrors();
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        throw WindowError(std::string("cannot open a window: ") + SDL_GetError());
    FTitle = editor.Title();
    FWindow = SDL_CreateWindow(FTitle.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               size.X, size.Y, SDL_WINDOW_RESIZABLE);
    if (!FWindow) {
        std::string why = SDL_GetError();
        SDL_Quit();
        throw WindowError("cannot open a window: " + why);
    }
    SDL_StartTextInput();
    int w = 0, h = 0;
    SDL_GetWindowSize(FWindow, &w, &h);
    FEditor.Resize(w, h);
}

SdlFront::~SdlFront() {
    SDL_DestroyWindow(FWindow);
    SDL_Quit();
}

void SdlFront::SetSize(TPoint size) {
    SDL_SetWindowSize(FWindow, size.X, size.Y);
    int w = 0, h = 0;
    SDL_GetWindowSize(FWindow, &w, &h);
    FEditor.Resize(w, h);
}

void SdlFront::WaitForInput(uint64_t until) {
    SDL_Event event;
    const uint64_t now = FDesktop.Now();
    int got;
    if (until == NoDeadline)
        got = SDL_WaitEvent(&event);
    else if (until <= now)
        got = SDL_PollEvent(&event);
    else
        got = SDL_WaitEventTimeout(&event,
                                   static_cast<int>(std::min<uint64_t>(until - now, 1u << 30)));
    if (!got)
        return;
    handle(event);
    while (SDL_PollEvent(&event))
        handle(event);
}

void SdlFront::handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT:
        FEditor.Close();
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            FEditor.Resize(e.window.data1, e.window.data2);
        else if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
            FEditor.Expose();
        else if (e.window.event == SDL_WINDOWEVENT_CLOSE)
            FEditor.Close();
        break;
    case SDL_MOUSEMOTION:
        FEditor.Pointer(WM_MOUSEMOVE, {e.motion.x, e.motion.y}, buttons(e.motion.state));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        const bool twice = down && e.button.clicks >= 2;
        UINT msg;
        switch (e.button.button) {
        case SDL_BUTTON_LEFT:
            msg = twice ? WM_LBUTTONDBLCLK : down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            break;
        case SDL_BUTTON_RIGHT:
            msg = twice ? WM_RBUTTONDBLCLK : down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            break;
        case SDL_BUTTON_MIDDLE:
            msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            break;
        default:
            return;
        }
        FEditor.Pointer(msg, {e.button.x, e.button.y},
                        buttons(SDL_GetMouseState(nullptr, nullptr)));
        break;
    }
    case SDL_MOUSEWHEEL: {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        FEditor.Wheel({x, y}, e.wheel.y);
        break;
    }
    case SDL_KEYDOWN:
        if (WPARAM key = keyOf(e.key.keysym.sym))
            FEditor.Key(key, modifiers(e.key.keysym.mod));
        break;
    case SDL_TEXTINPUT:
        FEditor.Text(e.text.text);
        break;
    default:
        break;
    }
}

void SdlFront::Present(const Surface& picture) {
    const std::string title = FEditor.Title();
    if (title != FTitle) {
        FTitle = title;
        SDL_SetWindowTitle(FWindow, FTitle.c_str());
    }
    SDL_Surface* target = SDL_GetWindowSurface(FWindow);
    if (!target || picture.Width() == 0 || picture.Height() == 0)
        return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<Colour*>(picture.Pixels().data()), picture.Width(), picture.Height(), 32,
        picture.Width() * 4, SDL_PIXELFORMAT_RGB888);
    if (!source)
        return;
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(FWindow);
}

} // namespace app::edit
