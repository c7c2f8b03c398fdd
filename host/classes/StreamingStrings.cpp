// The host's reading of string values of every kind (byte, wide, UTF-8) as its byte strings.
#include "host/classes/StreamingInternal.h"

#include <optional>

namespace host {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 units to code points (a lone surrogate stands for itself).
std::u32string codePoints(const std::u16string& units) {
    std::u32string out;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        out += c;
    }
    return out;
}

// Valid UTF-8 decoded to code points; nullopt for anything else.
std::optional<std::u32string> decodeUtf8(const std::string& bytes) {
    std::u32string out;
    for (size_t i = 0; i < bytes.size();) {
        auto b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0)
            return std::nullopt;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= bytes.size())
                return std::nullopt;
            auto n = static_cast<unsigned char>(bytes[i + k]);
            if ((n & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (n & 0x3F);
        }
        out += c;
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

// Code points as the host's byte strings: each below 256 as that byte when all are; otherwise
// the whole text in UTF-8, so that no character is lost.
std::string narrow(const std::u32string& text) {
    std::string out;
    bool bytes = true;
    for (char32_t c : text)
        bytes = bytes && c < 256;
    for (char32_t c : text) {
        if (bytes)
            out += static_cast<char>(c);
        else
            appendUtf8(out, c);
    }
    return out;
}

} // namespace

// The text of a string value of any kind as the host's byte string.
std::string FormStringBytes(const FormValue& v) {
    switch (v.Kind()) {
    case FormValueKind::WideString:
        return narrow(codePoints(v.AsWide()));
    case FormValueKind::Utf8String:
        if (auto text = decodeUtf8(v.AsBytes()))
            return narrow(*text);
        return v.AsBytes();
    default:
        return v.AsBytes();
    }
}

} // namespace host
