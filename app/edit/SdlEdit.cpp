// The edit command: the session on the real clock, the editor, and the SDL window as the source
// of input and the painter of the host's message loop.
#include "app/edit/Edit.h"

#include "app/edit/SdlFront.h"

namespace app::edit {

int RunEdit(const EditOptions& options, std::ostream& out, std::ostream& err) {
    std::filesystem::path dir = options.Out.empty() ? std::filesystem::current_path() : options.Out;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    Session session(out, dir, std::nullopt, std::make_unique<host::RealClock>());
    if (!session.PackageError().empty())
        err << "stowdesign: " << session.PackageError() << "\n";
    host::Desktop& desktop = session.env().desktop();
    Editor editor(session, dir);
    std::unique_ptr<SdlFront> front;
    try {
        front = std::make_unique<SdlFront>(editor, desktop, editor.PreferredSize());
    } catch (const WindowError& e) {
        err << "stowdesign: edit: " << e.what() << "\n";
        return 2;
    }
    desktop.SetEventSource(front.get());
    desktop.OnPaint = [&] { front->Present(editor.Compose()); };
    editor.Start(options.Form);
    front->SetSize(editor.PreferredSize());
    if (options.Play) {
        // A played script may open and close forms; it runs on the real clock, so its waits
        // show the slides and timers as they happen.
        session.RunFile(*options.Play, err);
        out.flush();
    }
    desktop.Invalidate();
    desktop.Run([&] { return editor.Closed(); });
    desktop.OnPaint = nullptr;
    desktop.SetEventSource(nullptr);
    return 0;
}

} // namespace app::edit

extern "C" int StowRunEdit(const app::edit::EditOptions& options, std::ostream& out,
                           std::ostream& err) {
    return app::edit::RunEdit(options, out, err);
}
