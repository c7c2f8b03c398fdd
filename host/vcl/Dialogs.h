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

// One dialog as it was shown.
struct DialogRecord {
    std::string Kind; // message, error, warning, information, confirm, query
    std::string Text;
    std::string Caption;               // query dialogs
    std::string Prompt;                // query dialogs
    std::string Value;                 // query dialogs: the value offered
    std::optional<std::string> Answer; // query dialogs: what was entered; none when cancelled
    int64_t HelpContext = 0;
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

// The service used by sessions and tests: records each dialog, answers input dialogs from a
// queue (an empty queue cancels), acknowledges message boxes with their default button.
class RecordingDialogs : public IDialogService {
public:
    void ShowMessage(const std::string& text) override;
    int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
                   int64_t helpContext) override;
    bool InputQuery(const std::string& caption, const std::string& prompt,
                    std::string& value) override;

    // Queues the answer to the next input dialog; none cancels it.
    void QueueAnswer(std::optional<std::string> answer) { FAnswers.push_back(std::move(answer)); }
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
};

void ShowMessage(const std::string& text);
int MessageDlg(const std::string& text, TMsgDlgType type, const TMsgDlgButtons& buttons,
               int64_t helpContext);
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

} // namespace host
