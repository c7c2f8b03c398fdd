#include "host/rtl/SysUtils.h"

namespace host {

void Abort() {
    throw EAbort();
}

namespace {
char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
char upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

int CompareText(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(upper(a[i]));
        unsigned char y = static_cast<unsigned char>(upper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = upper(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = lower(c);
    return r;
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string Format(std::string_view fmt, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < fmt.size(); ++i) {
        char c = fmt[i];
        if (c != '%' || i + 1 == fmt.size()) {
            out += c;
            continue;
        }
        char conversion = fmt[++i];
        if (conversion == '%') {
            out += '%';
        } else if (conversion == 's' || conversion == 'd') {
            if (next >= args.size())
                throw EConvertError("Format '" + std::string(fmt) +
                                    "' invalid or incompatible with argument");
            out += args[next++];
        } else {
            throw EConvertError("Format '" + std::string(fmt) +
                                "' invalid or incompatible with argument");
        }
    }
    return out;
}

bool IsValidIdent(std::string_view name) {
    if (name.empty())
        return false;
    auto alpha = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    if (!alpha(name[0]))
        return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

std::string Printable(std::string_view bytes, size_t maxBytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    bool cut = bytes.size() > maxBytes;
    if (cut)
        bytes = bytes.substr(0, maxBytes);
    std::string out;
    out.reserve(bytes.size() + 3);
    for (char c : bytes) {
        unsigned char b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    if (cut)
        out += "...";
    return out;
}

} // namespace host
