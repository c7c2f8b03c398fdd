#include "host/vcl/Dialogs.h"

#include "host/vcl/Forms.h"

namespace host {

void RecordingDialogs::record(DialogRecord r) {
    FShown.push_back(std::move(r));
    if (OnShown)
        OnShown(FShown.back());
}

void RecordingDialogs::ShowMessage(const std::string& text) {
    DialogRecord r;
    r.Kind = "message";
    r.Text = text;
    record(std::move(r));
}

int RecordingDialogs::MessageDlg(const std::string& text, TMsgDlgType type,
                                 const TMsgDlgButtons& buttons, int64_t helpContext) {
    DialogRecord r;
    switch (type) {
    case mtWarning:
        r.Kind = "warning";
        break;
    case mtError:
        r.Kind = "error";
        break;
    case mtInformation:
        r.Kind = "information";
        break;
    case mtConfirmation:
        r.Kind = "confirm";
        break;
    case mtCustom:
        r.Kind = "message";
        break;
    }
    r.Text = text;
    r.HelpContext = helpContext;
    record(std::move(r));
    // The default button: the first one offered.
    if (buttons.empty())
        return mrOk;
    switch (buttons.front()) {
    case TMsgDlgBtn::mbCancel:
        return mrCancel;
    case TMsgDlgBtn::mbYes:
        return 6;
    case TMsgDlgBtn::mbNo:
        return 7;
    default:
        return mrOk;
    }
}

bool RecordingDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                  std::string& value) {
    DialogRecord r;
    r.Kind = "query";
    r.Caption = caption;
    r.Prompt = prompt;
    r.Value = value;
    std::optional<std::string> answer;
    if (!FAnswers.empty()) {
        answer = FAnswers.front();
        FAnswers.pop_front();
    }
    r.Answer = answer;
    record(std::move(r));
    if (!answer)
        return false;
    value = *answer;
    return true;
}

void ShowMessage(const std::string& text) {
    Application().Dialogs().ShowMessage(text);
}

int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int64_t helpContext) {
    return Application().Dialogs().MessageDlg(text, type, buttons, helpContext);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    return Application().Dialogs().InputQuery(caption, prompt, value);
}

} // namespace host
