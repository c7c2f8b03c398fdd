// What the window system refuses. Xlib's own handler ends the program (exit status 1) at the
// first refused request, and the windowing library chains to the handler set before it starts:
// a request that comes too late (a window already let go of as the editor closes) must not turn
// a clean close into a failure. A refused request is reported and let pass.
#include "app/edit/SdlFront.h"

#include <X11/Xlib.h>

#include <cstdio>

namespace app::edit {

namespace {

int reportXError(Display* display, XErrorEvent* e) {
    char text[160] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr,
                 "stowdesign: edit: the window system refused a request (%s, request %d): "
                 "ignored\n",
                 text, static_cast<int>(e->request_code));
    return 0;
}

} // namespace

void ReportWindowSystemErrors() {
    XSetErrorHandler(reportXError);
}

} // namespace app::edit
