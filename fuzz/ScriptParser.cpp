// The session script parser: any text splits into lines and words or is refused with a script
// error; a word's offset always points at it.
#include "FuzzSupport.h"
#include "app/Script.h"

#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text = fuzz::AsText(data, size);
    int number = 0;
    for (std::string_view raw : app::SplitLines(text)) {
        ++number;
        try {
            app::ScriptLine line = app::ParseLine(std::string(raw), number);
            fuzz::Require(line.Words.size() == line.Offsets.size(), "a word without an offset");
            for (size_t i = 0; i < line.Words.size(); ++i) {
                fuzz::Require(line.Offsets[i] <= line.Text.size(), "an offset past the line");
                (void)line.RestFrom(i);
                // Only words that look like numbers: an exception a word costs too much.
                const std::string& w = line.Words[i];
                if (w.empty() || !(std::isdigit(static_cast<unsigned char>(w[0])) || w[0] == '-'))
                    continue;
                try {
                    (void)app::ToInt(line.Words[i], "a number");
                } catch (const app::ScriptError&) {
                }
            }
        } catch (const app::ScriptError&) {
        }
    }
    return 0;
}
