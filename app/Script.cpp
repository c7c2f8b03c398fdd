#include "app/Script.h"

#include "host/rtl/SysUtils.h"

namespace app {

std::string ScriptLine::RestFrom(size_t i) const {
    if (i >= Offsets.size())
        return {};
    std::string rest = Text.substr(Offsets[i]);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
        rest.pop_back();
    return rest;
}

ScriptLine ParseLine(const std::string& text, int number) {
    ScriptLine line;
    line.Number = number;
    line.Text = text;
    size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < text.size()) {
        while (i < text.size() && blank(text[i]))
            ++i;
        if (i >= text.size() || text[i] == '#')
            break;
        line.Offsets.push_back(i);
        std::string word;
        if (text[i] == '"') {
            ++i;
            bool closed = false;
            while (i < text.size()) {
                char c = text[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\') {
                    word += c;
                    continue;
                }
                if (i >= text.size())
                    break;
                char e = text[i++];
                switch (e) {
                case '"':
                    word += '"';
                    break;
                case '\\':
                    word += '\\';
                    break;
                case 'r':
                    word += '\r';
                    break;
                case 'n':
                    word += '\n';
                    break;
                case 't':
                    word += '\t';
                    break;
                default:
                    throw ScriptError(std::string("unknown escape \\") + e + " in a quoted word");
                }
            }
            if (!closed)
                throw ScriptError("unterminated quoted word");
        } else {
            while (i < text.size() && !blank(text[i]))
                word += text[i++];
        }
        line.Words.push_back(std::move(word));
    }
    return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

// ---------------------------------------------------------------- argument helpers

int ToInt(const std::string& word, const char* what) {
    try {
        size_t used = 0;
        long long v = std::stoll(word, &used, 10);
        if (used != word.size())
            throw std::invalid_argument(word);
        if (v < -1000000000LL || v > 1000000000LL)
            throw std::out_of_range(word);
        return static_cast<int>(v);
    } catch (const std::exception&) {
        throw ScriptError(std::string(what) + " must be an integer, not '" + word + "'");
    }
}

void RequireWords(const ScriptLine& line, size_t min, size_t max, const char* usage) {
    size_t n = line.Words.size() - 1;
    if (n < min || n > max)
        throw ScriptError(std::string("usage: ") + usage);
}

std::string ErrorLine(std::string_view text) {
    return "stowdesign: " + host::Printable(text, 2000) + "\n";
}

std::string QuoteWord(const std::string& text) {
    std::string q = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
        case '\\':
            q += '\\';
            q += c;
            break;
        case '\r':
            q += "\\r";
            break;
        case '\n':
            q += "\\n";
            break;
        case '\t':
            q += "\\t";
            break;
        default:
            q += c;
        }
    }
    return q + "\"";
}

} // namespace app
