#include "host/vcl/Dialogs.h"

#include "host/vcl/Forms.h"

namespace host {

void RecordingDialogs::record(DialogRecord r) {
    FShown.push_back(std::move(r));
    if (OnShown)
        OnShown(FShown.back());
}

int ModalResultOf(TMsgDlgBtn button) {
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return mrYes;
    case TMsgDlgBtn::mbNo:
        return mrNo;
    case TMsgDlgBtn::mbCancel:
        return mrCancel;
    case TMsgDlgBtn::mbAbort:
        return 3;
    case TMsgDlgBtn::mbRetry:
        return 4;
    case TMsgDlgBtn::mbIgnore:
        return 5;
    case TMsgDlgBtn::mbAll:
        return 8;
    default:
        return mrOk;
    }
}

std::string ButtonCaption(TMsgDlgBtn button) {
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return "&Yes";
    case TMsgDlgBtn::mbNo:
        return "&No";
    case TMsgDlgBtn::mbOK:
        return "OK";
    case TMsgDlgBtn::mbCancel:
        return "Cancel";
    case TMsgDlgBtn::mbAbort:
        return "&Abort";
    case TMsgDlgBtn::mbRetry:
        return "&Retry";
    case TMsgDlgBtn::mbIgnore:
        return "&Ignore";
    case TMsgDlgBtn::mbAll:
        return "&All";
    case TMsgDlgBtn::mbHelp:
        return "&Help";
    }
    return "OK";
}

void RecordingDialogs::ShowMessage(const std::string& text) {
    DialogRecord r;
    r.Kind = "message";
    r.Text = text;
    r.Buttons = {ButtonCaption(TMsgDlgBtn::mbOK)};
    if (FAnswerer)
        FAnswerer->AnswerMessage(r, {TMsgDlgBtn::mbOK});
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
    for (TMsgDlgBtn b : buttons)
        r.Buttons.push_back(ButtonCaption(b));
    if (r.Buttons.empty())
        r.Buttons.push_back(ButtonCaption(TMsgDlgBtn::mbOK));
    // The default button: the first one offered.
    int result = buttons.empty() ? mrOk : ModalResultOf(buttons.front());
    if (FAnswerer)
        result = FAnswerer->AnswerMessage(r, buttons.empty() ? TMsgDlgButtons{TMsgDlgBtn::mbOK}
                                                             : buttons);
    record(std::move(r));
    return result;
}

bool RecordingDialogs::InputQuery(const std::string& caption, const std::string& prompt,
                                  std::string& value) {
    DialogRecord r;
    r.Kind = "query";
    r.Caption = caption;
    r.Prompt = prompt;
    r.Value = value;
    r.Buttons = {ButtonCaption(TMsgDlgBtn::mbOK), ButtonCaption(TMsgDlgBtn::mbCancel)};
    std::optional<std::string> answer;
    if (!FAnswers.empty()) {
        answer = FAnswers.front();
        FAnswers.pop_front();
    } else if (FAnswerer) {
        answer = FAnswerer->AnswerQuery(r);
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
