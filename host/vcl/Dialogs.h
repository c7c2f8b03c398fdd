#pragma once
// Dialogs through a service: the session, a test or a person answers them, and everything shown
// is recorded.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using enum TMsgDlgType;
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = std::vector<TMsgDlgBtn>;
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

// One dialog as it was shown.
struct DialogRecord {
    std::string Kind; // message, error, warning, information, confirm, query
    std::string Text;
    std::string Caption;               // query dialogs
    std::string Prompt;                // query dialogs
    std::string Value;                 // query dialogs: the value offered
    std::optional<std::string> Answer; // query dialogs: what was entered; none when cancelled
    int64_t HelpContext = 0;
    std::vector<std::string> Buttons; // message boxes: the buttons' captions, the default first
};

// The modal result of a message box button, and its caption.
int ModalResultOf(TMsgDlgBtn button);
std::string ButtonCaption(TMsgDlgBtn button);

// Who answers the dialogs that RecordingDialogs records when no queued answer waits: the
// interactive window shows real boxes and waits for the person.
class IDialogAnswerer {
public:
    virtual ~IDialogAnswerer() = default;
    // A message box is up with its buttons; returns the modal result of the one pressed.
    virtual int AnswerMessage(const DialogRecord& dialog, const TMsgDlgButtons& buttons) = 0;
    // An input dialog is up with the value offered; returns the text entered, none for Cancel.
    virtual std::optional<std::string> AnswerQuery(const DialogRecord& dialog) = 0;
};

class IDialogService {
public:
    virtual ~IDialogService() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
                           int64_t helpContext) = 0;
    // Returns true when confirmed; value holds the entered text then.
    virtual bool InputQuery(const std::string& caption, const std::string& prompt,
                            std::string& value) = 0;
};

// The service used by sessions, tests and the window: records each dialog, answers input dialogs
// from a queue, else asks the answerer (with none, an input dialog is cancelled), and
// acknowledges message boxes through the answerer, else with their default button.
class RecordingDialogs : public IDialogService {
public:
    void ShowMessage(const std::string& text) override;
    int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
                   int64_t helpContext) override;
    bool InputQuery(const std::string& caption, const std::string& prompt,
                    std::string& value) override;

    // Queues the answer to the next input dialog; none cancels it.
    void QueueAnswer(std::optional<std::string> answer) { FAnswers.push_back(std::move(answer)); }
    void SetAnswerer(IDialogAnswerer* answerer) { FAnswerer = answerer; }
    // How many queued answers no dialog has taken yet.
    size_t PendingAnswers() const { return FAnswers.size(); }
    const std::vector<DialogRecord>& Shown() const { return FShown; }
    void Clear() { FShown.clear(); }
    // Called after each dialog is recorded (the transcript).
    std::function<void(const DialogRecord&)> OnShown;

private:
    void record(DialogRecord r);
    std::vector<DialogRecord> FShown;
    std::deque<std::optional<std::string>> FAnswers;
    IDialogAnswerer* FAnswerer = nullptr;
};

void ShowMessage(const std::string& text);
int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int64_t helpContext);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

} // namespace host
