// Popup menus and dialogs in the window: each is a modal loop of the host's own message loop,
// which goes on dispatching (timers, posted messages, repaints) while the person chooses, and
// hands the person's input to the menu or dialog alone.
#include "app/edit/Editor.h"

namespace app::edit {

using namespace host;

void Editor::runModal(const std::function<bool()>& done) {
    desktop().Run([&] { return done() || !FHandle; });
}

// ---------------------------------------------------------------- popup menus

TMenuItem* Editor::TrackMenu(TMenu* menu, TPoint screen) {
    if (!menu || !menu->Items() || menu->Items()->Count() == 0 || FMenu)
        return nullptr;
    // The menu takes the mouse: the press that popped it up gets no release.
    desktop().ReleaseCapture();
    FMenu = MenuState{};
    FMenu->Menu = menu;
    FMenu->At = toClient(screen);
    invalidate();
    runModal([this] { return FMenu->Done; });
    TMenuItem* chosen = FMenu->Chosen;
    FMenu.reset();
    invalidate();
    return chosen;
}

std::vector<PopupMenuBox> Editor::menuBoxes() const {
    return LayoutPopupMenu(FMenu->Menu->Items(), FMenu->At, menuHot(), clientRect());
}

std::vector<std::string> Editor::menuHot() const {
    std::vector<std::string> hot;
    TMenuItem* level = FMenu->Menu->Items();
    for (int index : FMenu->Path) {
        std::vector<TMenuItem*> shown;
        for (int i = 0; level && i < level->Count(); ++i)
            if (level->Items(i)->Visible())
                shown.push_back(level->Items(i));
        if (index < 0 || index >= static_cast<int>(shown.size()))
            break;
        level = shown[static_cast<size_t>(index)];
        hot.push_back(level->Caption());
    }
    return hot;
}

void Editor::menuChoose(TMenuItem* item, size_t level) {
    if (!item || item->IsLine() || !item->Enabled())
        return; // never chosen; the menu stays up
    if (item->Count() > 0) {
        // A submenu opens with its first item lit.
        FMenu->Path.resize(level + 1);
        FMenu->Path.push_back(0);
        invalidate();
        return;
    }
    FMenu->Chosen = item;
    FMenu->Done = true;
}

void Editor::menuMouse(UINT msg, TPoint at) {
    const std::vector<PopupMenuBox> boxes = menuBoxes();
    // The deepest open menu under the mouse, and the item there.
    for (size_t level = boxes.size(); level-- > 0;) {
        const PopupMenuBox& box = boxes[level];
        if (!box.Rect.Contains(at.X, at.Y))
            continue;
        for (size_t i = 0; i < box.Items.size(); ++i) {
            if (!box.ItemRects[i].Contains(at.X, at.Y))
                continue;
            TMenuItem* item = box.Items[i];
            if (!item->IsLine()) {
                std::vector<int> path(FMenu->Path.begin(),
                                      FMenu->Path.begin() +
                                          static_cast<long>(std::min(level, FMenu->Path.size())));
                path.push_back(static_cast<int>(i));
                if (path != FMenu->Path) {
                    FMenu->Path = path;
                    invalidate();
                }
            }
            if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
                FMenu->Moved = true;
            // A release chooses, unless it ends the very press that popped the menu up.
            if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && FMenu->Moved && item->Count() == 0)
                menuChoose(item, level);
            return;
        }
        return;
    }
    // A press outside every open menu dismisses it.
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN)
        FMenu->Done = true;
}

void Editor::menuKey(WPARAM key) {
    const std::vector<PopupMenuBox> boxes = menuBoxes();
    std::vector<int>& path = FMenu->Path;
    if (boxes.empty()) {
        FMenu->Done = true;
        return;
    }
    if (path.size() > boxes.size())
        path.resize(boxes.size());
    const size_t level = path.empty() ? 0 : path.size() - 1;
    const std::vector<TMenuItem*>& items = boxes[level].Items;
    const int count = static_cast<int>(items.size());
    auto step = [&](int from, int delta) {
        for (int n = 0, i = from; n < count; ++n) {
            i = (i + delta + count) % count;
            if (!items[static_cast<size_t>(i)]->IsLine())
                return i;
        }
        return from;
    };
    switch (key) {
    case VK_DOWN:
    case VK_UP: {
        const int delta = key == VK_DOWN ? 1 : -1;
        if (path.empty())
            path.push_back(step(delta > 0 ? -1 : count, delta));
        else
            path.back() = step(path.back(), delta);
        break;
    }
    case VK_RIGHT:
        if (!path.empty() && items[static_cast<size_t>(path.back())]->Count() > 0)
            menuChoose(items[static_cast<size_t>(path.back())], level);
        break;
    case VK_LEFT:
        if (path.size() > 1)
            path.pop_back();
        break;
    case VK_ESCAPE:
        if (path.size() > 1)
            path.pop_back();
        else
            FMenu->Done = true;
        break;
    case VK_RETURN:
        if (!path.empty())
            menuChoose(items[static_cast<size_t>(path.back())], level);
        break;
    default:
        break;
    }
    invalidate();
}

// ---------------------------------------------------------------- dialogs

int Editor::AnswerMessage(const DialogRecord& dialog, const TMsgDlgButtons& buttons) {
    const int fallback = buttons.empty() ? mrOk : ModalResultOf(buttons.front());
    if (!FHandle || FDialog)
        return fallback;
    FDialog = DialogState{dialog, buttons, false, fallback};
    if (FDialog->Buttons.empty())
        FDialog->Buttons = {TMsgDlgBtn::mbOK};
    // The dialog takes the mouse, as a menu does.
    desktop().ReleaseCapture();
    invalidate();
    runModal([this] { return FDialog->Done; });
    const int result = FDialog->Result;
    FDialog.reset();
    invalidate();
    return result;
}

std::optional<std::string> Editor::AnswerQuery(const DialogRecord& dialog) {
    if (!FHandle || FDialog)
        return std::nullopt;
    FDialog = DialogState{dialog, {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}, false, mrCancel};
    FDialog->Record.Answer.reset();
    desktop().ReleaseCapture();
    invalidate();
    runModal([this] { return FDialog->Done; });
    std::optional<std::string> answer;
    if (FDialog->Result == mrOk)
        answer = FDialog->Record.Answer.value_or(FDialog->Record.Value);
    FDialog.reset();
    invalidate();
    return answer;
}

void Editor::dialogPress(size_t button) {
    if (button >= FDialog->Buttons.size())
        return;
    FDialog->Result = ModalResultOf(FDialog->Buttons[button]);
    FDialog->Done = true;
}

void Editor::dialogMouse(UINT msg, TPoint at) {
    if (msg != WM_LBUTTONUP)
        return;
    const DialogBox box = LayoutDialog(FDialog->Record, clientRect());
    for (size_t i = 0; i < box.Buttons.size(); ++i)
        if (box.Buttons[i].Contains(at.X, at.Y))
            dialogPress(i);
}

void Editor::dialogKey(WPARAM key) {
    DialogRecord& r = FDialog->Record;
    switch (key) {
    case VK_RETURN:
        dialogPress(0);
        break;
    case VK_ESCAPE: {
        // Escape is Cancel where there is one; a box with one button takes it as that button.
        for (size_t i = 0; i < FDialog->Buttons.size(); ++i)
            if (FDialog->Buttons[i] == TMsgDlgBtn::mbCancel) {
                dialogPress(i);
                return;
            }
        if (FDialog->Buttons.size() == 1)
            dialogPress(0);
        break;
    }
    case VK_BACK:
        if (r.Kind == "query") {
            // The offered text is selected at first: one key takes all of it away.
            if (!r.Answer)
                r.Answer = "";
            else if (!r.Answer->empty())
                r.Answer->pop_back();
            invalidate();
        }
        break;
    default:
        break;
    }
}

void Editor::dialogChar(char c) {
    DialogRecord& r = FDialog->Record;
    if (r.Kind != "query" || static_cast<unsigned char>(c) < 32)
        return;
    if (!r.Answer)
        r.Answer = ""; // typing replaces the offered text, which is selected
    *r.Answer += c;
    invalidate();
}

} // namespace app::edit
