#pragma once
// A bare window of the stand-in windowing system for the message loop's tests: its procedure is
// the test's own.
#include "host/win32/Windows.h"

#include <string>

namespace windowtest {

inline host::HWND MakeWindow(host::Desktop& desktop, host::IWindowProc& proc,
                             const std::string& className, host::HWND parent = 0,
                             host::TRect bounds = {}) {
    host::Desktop::CreateParams cp;
    cp.ClassName = className;
    cp.Parent = parent;
    cp.Bounds = bounds;
    cp.Proc = &proc;
    return desktop.CreateWindowEx(cp);
}

} // namespace windowtest
