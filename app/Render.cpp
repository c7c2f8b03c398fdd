// The render command: PNG pictures of the design surface, now or when the next popup menu or
// dialog is up; and `stowdesign render FORM OUT.png`.
#include "app/Render.h"

#include "host/win32/Png.h"

#include <sstream>

namespace app {

using namespace host;

Surface Session::Render(const RenderScene& scene) {
    if (!Root())
        throw ScriptError("no form is open");
    return RenderDesignSurface(designer(), scene);
}

void Session::writePicture(const std::string& name, const RenderScene& scene) {
    const std::filesystem::path path = ResolveOutput(name);
    Surface picture = Render(scene);
    try {
        WritePng(picture, path.string(), name);
    } catch (const Exception& e) {
        throw ScriptError(e.what());
    }
}

void Session::cmdRender(const ScriptLine& line) {
    // render PATH | render menu PATH | render dialog PATH
    if (line.Words.size() == 2) {
        writePicture(line.Words[1], {});
        return;
    }
    if (line.Words.size() == 3 && (line.Words[1] == "menu" || line.Words[1] == "dialog")) {
        form();
        auto& queue = line.Words[1] == "menu" ? FMenuRenders : FDialogRenders;
        queue.push_back({line.Words[2], line.Number});
        return;
    }
    throw ScriptError("usage: render PATH | render menu PATH | render dialog PATH");
}

// These run inside the modal menu or dialog, deep in a message handler: a failure is kept and
// reported when the script command that led here returns.
void Session::renderPopup(TMenu* menu, TPoint screen, const std::vector<std::string>& hot) {
    if (FMenuRenders.empty() || !dyn<TCustomForm>(Root()))
        return;
    QueuedRender next = FMenuRenders.front();
    FMenuRenders.pop_front();
    RenderScene scene;
    scene.Popup = PopupPicture{menu, screen, hot};
    try {
        writePicture(next.Path, scene);
    } catch (const std::exception& e) {
        FRenderError = e.what();
    }
}

void Session::renderDialog(const DialogRecord& dialog) {
    if (FDialogRenders.empty() || !dyn<TCustomForm>(Root()))
        return;
    QueuedRender next = FDialogRenders.front();
    FDialogRenders.pop_front();
    RenderScene scene;
    scene.Dialog = dialog;
    try {
        writePicture(next.Path, scene);
    } catch (const std::exception& e) {
        FRenderError = e.what();
    }
}

std::string Session::unfinishedRenders() {
    std::string message;
    if (!FMenuRenders.empty())
        message = std::to_string(FMenuRenders.front().Line) + ": render menu " +
                  FMenuRenders.front().Path + ": no popup menu popped up";
    else if (!FDialogRenders.empty())
        message = std::to_string(FDialogRenders.front().Line) + ": render dialog " +
                  FDialogRenders.front().Path + ": no dialog was shown";
    FMenuRenders.clear();
    FDialogRenders.clear();
    return message;
}

int RenderFormFile(const std::string& formPath, const std::string& pngPath, std::ostream& err) {
    std::ostringstream transcript;
    Session session(transcript, std::filesystem::current_path());
    const std::string script = "open " + QuoteWord(formPath) +
                               "\n"
                               "wait 600\n"
                               "render " +
                               QuoteWord(pngPath) + "\n";
    std::ostringstream errors;
    int rc = session.RunText(script, "render", errors);
    if (rc == 0)
        return 0;
    std::string message = errors.str();
    // "stowdesign: render:N: message" -> "stowdesign: FORM: message"
    const std::string prefix = "stowdesign: render:";
    if (message.rfind(prefix, 0) == 0) {
        size_t colon = message.find(": ", prefix.size());
        if (colon != std::string::npos)
            message = ErrorLine(formPath + ": " +
                                message.substr(colon + 2, message.find_last_not_of('\n') - colon - 1));
    }
    err << message;
    return 2;
}

} // namespace app
