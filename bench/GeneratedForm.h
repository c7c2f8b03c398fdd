#pragma once
// The large form the benchmarks read: the file named by an environment variable, or one that
// the shared form generator writes into /tmp (20,000 non-visual components and 4 bars).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace stowbench {

inline std::string LoadGeneratedForm(const char* envVar, const std::string& defaultPath) {
    std::string path;
    if (const char* given = std::getenv(envVar)) {
        path = given;
    } else {
        path = defaultPath;
        // The repository's folder, from this file's path (bench/ has no source-folder macro).
        std::filesystem::path repo = std::filesystem::path(__FILE__).parent_path().parent_path();
        std::string command = "python3 " + (repo / "../shared/tools/dfmconv/genform.py").string() +
                              " " + path + " >/dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("cannot generate the form: " + command);
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace stowbench
