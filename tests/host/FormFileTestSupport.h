#pragma once
// Helpers shared by the form-file codec tests: the shared folder, file reading, and the error
// message that a piece of input produces.

#include "host/classes/FormTree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace formfile_test {

inline std::filesystem::path SharedDir() {
    return std::filesystem::path(STOW_SOURCE_DIR "/../shared");
}
inline std::filesystem::path SamplesDir() {
    return SharedDir() / "tools/dfmconv/samples";
}
inline std::filesystem::path CorpusDir() {
    return SharedDir() / "corpus/dfm";
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// The what() of the EFormFileError that reading `bytes` raises, or "no error".
inline std::string ErrorOf(std::string_view bytes, const std::string& fileName = "t.dfm") {
    try {
        host::ReadFormFile(bytes, fileName);
    } catch (const host::EFormFileError& e) {
        return e.what();
    }
    return "no error";
}

inline host::FormObject ReadText(std::string_view text) {
    return host::ReadFormFile(text, "t.dfm").root;
}

} // namespace formfile_test
