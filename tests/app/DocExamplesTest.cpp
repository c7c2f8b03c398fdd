// Every example in docs/ runs: a ```stow block is played as a session, and the ```transcript
// block that follows it, if any, must be its transcript.
#include "app/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

struct Example {
    std::string file;
    int line = 0;
    std::string script;
    std::optional<std::string> transcript;
};

std::vector<Example> examplesIn(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<Example> list;
    std::string line;
    int number = 0;
    std::string* target = nullptr;
    while (std::getline(in, line)) {
        ++number;
        if (!target) {
            if (line == "```stow") {
                list.push_back({path.filename().string(), number, {}, std::nullopt});
                target = &list.back().script;
            } else if (line == "```transcript" && !list.empty() && !list.back().transcript) {
                list.back().transcript = "";
                target = &*list.back().transcript;
            }
        } else if (line == "```") {
            target = nullptr;
        } else {
            *target += line + "\n";
        }
    }
    return list;
}

TEST(DocExamplesTest, EveryExampleRunsAndPrintsItsTranscript) {
    std::filesystem::path docs = std::filesystem::path(STOW_SOURCE_DIR) / "docs";
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(docs)) {
        if (entry.path().extension() != ".md")
            continue;
        for (const Example& ex : examplesIn(entry.path())) {
            ++count;
            std::filesystem::path dir =
                std::filesystem::temp_directory_path() /
                ("stow-doc-" + std::to_string(::getpid()) + "-" + std::to_string(count));
            std::filesystem::create_directories(dir);
            // Form files that examples open are found as forms/NAME, as in the scenarios.
            std::filesystem::copy(std::filesystem::path(STOW_SOURCE_DIR) / "tests/scenarios/forms",
                                  dir / "forms");
            std::ostringstream out, err;
            int rc;
            {
                app::Session session(out, dir);
                rc = session.RunText(ex.script, ex.file, err);
            }
            std::filesystem::remove_all(dir);
            EXPECT_EQ(rc, 0) << ex.file << ":" << ex.line << "\n" << out.str() << err.str();
            if (ex.transcript) {
                EXPECT_EQ(out.str(), *ex.transcript) << ex.file << ":" << ex.line;
            }
        }
    }
    EXPECT_GT(count, 0);
}

} // namespace
