#include "host/win32/Windows.h"

#include <algorithm>
#include <cstring>

namespace host {

HWND GetWindow(HWND hwnd, UINT cmd) {
    return Desktop::Current().GetWindow(hwnd, cmd);
}

int GetClassNameA(HWND hwnd, char* buffer, int maxCount) {
    if (!buffer || maxCount <= 0)
        return 0;
    std::string name = Desktop::Current().ClassNameOf(hwnd);
    int n = std::min(static_cast<int>(name.size()), maxCount - 1);
    std::memcpy(buffer, name.data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

bool GetClientRect(HWND hwnd, TRect* rect) {
    Desktop& d = Desktop::Current();
    if (!d.IsWindow(hwnd) || !rect)
        return false;
    *rect = d.ClientRect(hwnd);
    return true;
}

bool GetWindowRect(HWND hwnd, TRect* rect) {
    Desktop& d = Desktop::Current();
    if (!d.IsWindow(hwnd) || !rect)
        return false;
    *rect = d.WindowRectOnScreen(hwnd);
    return true;
}

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    Desktop& d = Desktop::Current();
    if (!d.IsWindow(hwnd))
        return false;
    d.SetWindowPos(hwnd, insertAfter, x, y, cx, cy, flags);
    return true;
}

bool PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Desktop::Current().PostMessage(hwnd, msg, wParam, lParam);
}

bool PostMessageAfterInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Desktop::Current().PostMessageAfterInput(hwnd, msg, wParam, lParam);
}

bool PeekMessageA(HWND hwnd, UINT first, UINT last) {
    return Desktop::Current().PeekMessage(hwnd, first, last);
}

bool DispatchDueTimerMessage() {
    return Desktop::Current().DispatchDueTimer();
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Desktop::Current().SendMessage(hwnd, msg, wParam, lParam);
}

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapse, void*) {
    return Desktop::Current().SetTimer(hwnd, id, elapse) ? id : 0;
}

bool KillTimer(HWND hwnd, uintptr_t id) {
    return Desktop::Current().KillTimer(hwnd, id);
}

DWORD GetTickCount() {
    return Desktop::Current().GetTickCount();
}

bool GetCursorPos(TPoint* point) {
    if (!point)
        return false;
    *point = Desktop::Current().CursorPos();
    return true;
}

bool UpdateWindow(HWND hwnd) {
    Desktop& d = Desktop::Current();
    if (!d.IsWindow(hwnd))
        return false;
    d.UpdateWindow(hwnd);
    return true;
}

HBITMAP LoadBitmapA(HINSTANCE instance, const char* name) {
    if (!name)
        return 0;
    return Desktop::Current().LoadBitmap(instance, name);
}

bool DeleteObject(HGDIOBJ object) {
    return Desktop::Current().DeleteObject(object);
}

} // namespace host
