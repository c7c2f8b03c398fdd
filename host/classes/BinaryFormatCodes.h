#pragma once
// What the binary form's reader and writer share: the value-type codes, the filer flags and the
// signature. Private to BinaryFormatRead.cpp and BinaryFormatWrite.cpp.

#include <cstdint>
#include <string_view>

namespace host::binary_form {

enum ValueCode : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

constexpr uint8_t kFlagInherited = 1;
constexpr uint8_t kFlagChildPos = 2;
constexpr uint8_t kFlagInline = 4;

constexpr std::string_view kSignature = "TPF0";

} // namespace host::binary_form
