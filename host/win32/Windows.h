#pragma once
// The windowing system's functions, as the component calls them, on the current desktop.

#include "host/win32/Desktop.h"

#include <string>

namespace host {

HWND GetWindow(HWND hwnd, UINT cmd);
// Copies the window's class name into buffer (at most maxCount - 1 characters and a zero);
// returns the number of characters copied.
int GetClassNameA(HWND hwnd, char* buffer, int maxCount);
bool GetClientRect(HWND hwnd, TRect* rect);
bool GetWindowRect(HWND hwnd, TRect* rect);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Posts the message behind everything that waits now, the input included: a handler that has to
// let the waiting messages run first puts its message back this way (posted behind the posted
// messages alone, it would come before the input for ever).
bool PostMessageAfterInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Whether a message for hwnd (any window when 0) numbered from first to last waits in the queue;
// it stays there (PM_NOREMOVE).
bool PeekMessageA(HWND hwnd, UINT first, UINT last);
// Removes and dispatches the earliest due WM_TIMER, if any (PeekMessage for WM_TIMER with
// PM_REMOVE, then DispatchMessage); false when no timer was due.
bool DispatchDueTimerMessage();
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapse, void* timerFunc = nullptr);
bool KillTimer(HWND hwnd, uintptr_t id);
DWORD GetTickCount();
bool GetCursorPos(TPoint* point);
bool UpdateWindow(HWND hwnd);
HBITMAP LoadBitmapA(HINSTANCE instance, const char* name);
bool DeleteObject(HGDIOBJ object);

} // namespace host
