#pragma once
// Exceptions and string helpers of the host's run-time library.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// The silent exception: the designer and the message loop swallow it and show nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};
[[noreturn]] void Abort();

class EListError : public Exception {
    using Exception::Exception;
};
class EComponentError : public Exception {
    using Exception::Exception;
};
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
class EConvertError : public Exception {
    using Exception::Exception;
};
class EReadError : public Exception {
    using Exception::Exception;
};
class EWriteError : public Exception {
    using Exception::Exception;
};

// Compares two texts ignoring the letter case of ASCII letters.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
std::string IntToStr(int64_t value);
// The host's Format: %s takes the next string argument literally (a '%' inside an argument is
// printed as it is), %% is a percent sign, %d an integer given as text.
std::string Format(std::string_view fmt, const std::vector<std::string>& args);
bool IsValidIdent(std::string_view name);

// Bytes as they may appear in a one-line message: printable ASCII as it is, every other byte
// (control characters, NUL, bytes of 127 and above) as \xNN; more than maxBytes input bytes are
// cut there and "..." added.
std::string Printable(std::string_view bytes, size_t maxBytes = 80);

} // namespace host
