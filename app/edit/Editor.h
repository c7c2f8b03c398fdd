#pragma once
// The designer's window, without the windowing library: what `stowdesign edit` shows (the
// component palette, the design surface, the property panel, the status line, and the popup menu
// or dialog that is up) and what a person's input does there. The designer, the bar and the host
// are the same that scripts drive: the editor runs the commands of the session (drop, set, save,
// open, dump) and hands mouse input over the form to the host's windows as the script command
// `mouse` does. Its own input arrives as messages to a hidden window of the editor's, so it is
// handled in order with everything else in the host's message loop; popup menus and dialogs are
// modal loops of the same loop. A front (SdlFront) feeds it input and shows what it composes.

#include "app/Session.h"
#include "app/edit/Inspector.h"
#include "host/designer/Panels.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace app::edit {

// Where the window's parts lie for a client size.
struct WindowLayout {
    host::PixelRect Palette;
    host::PixelRect Design; // the desktop around the form
    host::PixelRect Inspector;
    host::PixelRect Status;
    host::TPoint FormAt; // the form window's top-left corner
};
constexpr int InspectorWidth = 250;
constexpr int DesignMargin = 8;
WindowLayout LayoutWindow(int width, int height);

class Editor : public host::IWindowProc, public host::IDialogAnswerer {
public:
    // Edits in session's designer; F12 writes into out.
    Editor(Session& session, std::filesystem::path out);
    ~Editor() override;
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // Opens the form file (absolute, or relative to the current folder); one that fails to open
    // is reported in a message box, and a new form is made instead. Without a file, a new form.
    void Start(const std::optional<std::filesystem::path>& form);
    // The client size that shows the whole form with the panels.
    host::TPoint PreferredSize() const;

    // ---- what the front tells (each queued as input for the editor or the host's windows)
    void Resize(int width, int height);
    // The mouse at a point of the client area: msg is WM_MOUSEMOVE, WM_LBUTTONDOWN,
    // WM_LBUTTONDBLCLK, ...; keys the MK_ flags. Over the form, with no menu, dialog or palette
    // choice pending, it goes to the host's windows; elsewhere to the editor.
    void Pointer(host::UINT msg, host::TPoint at, host::WPARAM keys);
    // The mouse wheel over a point: positive turns away from the person (scrolls up).
    void Wheel(host::TPoint at, int steps);
    // A key (VK_ code) with MK_SHIFT and MK_CONTROL, and typed text.
    void Key(host::WPARAM key, host::WPARAM modifiers);
    void Text(const std::string& text);
    // The window's close box: asks to save unsaved changes.
    void Close();
    // The picture needs drawing again (the window was uncovered).
    void Expose();
    bool Closed() const { return FClosed; }

    // ---- what the front shows
    host::Surface Compose();
    host::TPoint ClientSize() const { return {FWidth, FHeight}; }
    std::string Title() const;
    const std::string& StatusText() const { return FStatus; }
    // The window's parts for the dump (`window`): sizes and rectangles in client coordinates.
    json WindowJson();
    // Writes dump.json and window.png into the output folder (F12).
    void Snapshot();

    // The file being edited (empty for a new form) and whether it differs from it.
    const std::filesystem::path& File() const { return FFile; }
    bool Modified() const;

    // IWindowProc: the editor's own input, dispatched by the host's loop.
    void WindowProc(host::TMessage& message) override;
    void WindowDestroyed(host::HWND handle) override;
    // IDialogAnswerer: message boxes and the input box, shown until the person answers.
    int AnswerMessage(const host::DialogRecord& dialog,
                      const host::TMsgDlgButtons& buttons) override;
    std::optional<std::string> AnswerQuery(const host::DialogRecord& dialog) override;
    // The popup menu, until the person chooses or dismisses it.
    host::TMenuItem* TrackMenu(host::TMenu* menu, host::TPoint screen);

private:
    struct MenuState {
        host::TMenu* Menu = nullptr;
        host::TPoint At;       // in client coordinates
        std::vector<int> Path; // the lit item at each open level (index in the shown items)
        bool Moved = false;    // the mouse moved since the menu popped up
        bool Done = false;
        host::TMenuItem* Chosen = nullptr;
    };
    struct DialogState {
        host::DialogRecord Record;
        host::TMsgDlgButtons Buttons;
        bool Done = false;
        int Result = host::mrCancel;
    };

    // ---- Editor.cpp: layout, routing, palette, composing
    host::Desktop& desktop() const;
    host::TCustomForm* form() const;
    host::TPoint toScreen(host::TPoint client) const;
    host::TPoint toClient(host::TPoint screen) const;
    bool overForm(host::TPoint at) const;
    void refreshPalette();
    host::PaletteView paletteView() const;
    void paletteMouse(host::UINT msg, host::TPoint at, host::WPARAM keys);
    void drop(host::TPoint at);
    void updateStatus();
    std::string hoverText() const;
    void invalidate();
    // Runs a session command; a refusal is shown in an error box. True when it ran.
    bool run(const std::string& line);

    // ---- EditorPanel.cpp: the property panel
    host::TComponent* inspected() const;
    host::InspectorView inspectorView();
    void inspectorMouse(host::UINT msg, host::TPoint at);
    bool inspectorKey(host::WPARAM key);
    bool inspectorChar(char c);
    void selectRow(int index);
    void beginEdit(const std::optional<std::string>& text);
    void commit(std::string typed); // by value: it may be the text being edited, which goes
    void cancelEdit();

    // ---- EditorModal.cpp: menus and dialogs
    void runModal(const std::function<bool()>& done);
    std::vector<host::PopupMenuBox> menuBoxes() const;
    std::vector<std::string> menuHot() const;
    void menuMouse(host::UINT msg, host::TPoint at);
    void menuKey(host::WPARAM key);
    void menuChoose(host::TMenuItem* item, size_t level);
    host::PixelRect clientRect() const { return {0, 0, FWidth, FHeight}; }
    void dialogMouse(host::UINT msg, host::TPoint at);
    void dialogKey(host::WPARAM key);
    void dialogChar(char c);
    void dialogPress(size_t button);

    // ---- EditorFiles.cpp: opening, saving, closing, snapshots
    void save(bool askName);
    bool saveTo(const std::filesystem::path& path);
    void closeWindow();
    void markSaved();

    Session& FSession;
    std::filesystem::path FOut;
    host::HWND FHandle = 0;
    int FWidth = 800;
    int FHeight = 600;
    WindowLayout FLayout;
    host::TPoint FMouse{-1, -1};

    // the palette
    std::vector<std::string> FPages;
    size_t FActivePage = 0;
    const host::TClass* FArmed = nullptr;
    int FPaletteHot = -1;

    // the property panel
    std::string FRowPath; // the selected row
    int FRowTop = 0;
    std::optional<std::string> FEditing;
    bool FListOpen = false;
    int FListHot = -1;
    std::vector<PropertyRow> FRows;

    std::optional<MenuState> FMenu;
    std::optional<DialogState> FDialog;

    std::filesystem::path FFile;
    int FSavedCount = 0;
    std::string FStatus;
    std::string FMessage; // the last thing the editor said (saved, wrote the snapshot...)
    bool FClosed = false;
};

} // namespace app::edit
