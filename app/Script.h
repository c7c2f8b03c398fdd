#pragma once
// Session scripts: one command a line, words separated by blanks, double-quoted words with
// escapes, '#' comments.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// A script or input error: the run stops with exit status 2 and this message.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

struct ScriptLine {
    int Number = 0;
    std::vector<std::string> Words;
    // Each word's offset in the line, so that a command can take the raw rest of the line.
    std::vector<size_t> Offsets;
    std::string Text;
    // The line's text from word i on, as written.
    std::string RestFrom(size_t i) const;
};

// Splits one line into words; raises ScriptError on an unterminated quote or a bad escape.
ScriptLine ParseLine(const std::string& text, int number);
// The lines of a script's text, split at line feeds (a carriage return before one stays with its
// line, where ParseLine takes it for a blank); a final line without a line feed counts too.
std::vector<std::string_view> SplitLines(std::string_view text);

// A word as an integer (within a billion either way); raises ScriptError naming what it is.
int ToInt(const std::string& word, const char* what);
// Checks that the command has between min and max arguments; raises ScriptError with usage.
void RequireWords(const ScriptLine& line, size_t min, size_t max, const char* usage);

// An error as the program reports it: "stowdesign: TEXT" and a line feed, on one readable line
// (bytes outside printable ASCII as \xNN, a very long text cut with "...").
std::string ErrorLine(std::string_view text);

// A text as one double-quoted word of a script line (quotes, backslashes and control characters
// escaped), so that any text can be handed to a command.
std::string QuoteWord(const std::string& text);

// Writes a text for the transcript: carriage return as \r, line feed as \n.
std::string Escape(const std::string& text);

} // namespace app
