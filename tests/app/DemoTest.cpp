// The built-in demo runs to the end, writes its pictures and transcript, and the picture in the
// documentation is the demo's own (STOW_UPDATE_GOLDEN=1 copies it there again).
#include "app/Demo.h"
#include "host/win32/Png.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(Demo, WritesPicturesAndTranscriptAndTheDocumentationPicture) {
    const fs::path dir = fs::path(STOW_BINARY_DIR) / "demo-test";
    fs::remove_all(dir);
    std::ostringstream out, err;
    ASSERT_EQ(app::RunDemo(dir.string(), out, err), 0) << err.str() << out.str();
    for (const char* name :
         {"01-cluttered.png", "02-collected.png", "03-revealed.png", "04-menu.png",
          "05-change-title.png", "06-title-changed.png", "07-move-to.png", "08-left-bar.png",
          "09-tabs.png", "10-tab-switched.png", "transcript.txt"})
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    std::ifstream file(dir / "transcript.txt");
    std::stringstream transcript;
    transcript << file.rdbuf();
    EXPECT_NE(transcript.str().find("chose: Move To > Stowbar2"), std::string::npos);
    EXPECT_EQ(out.str().rfind(transcript.str(), 0), 0u) << "the transcript is printed first";

    const fs::path picture = dir / "07-move-to.png";
    const fs::path docs = fs::path(STOW_SOURCE_DIR) / "docs" / "images" / "demo.png";
    const char* update = std::getenv("STOW_UPDATE_GOLDEN");
    if (update && std::string(update) == "1")
        fs::copy_file(picture, docs, fs::copy_options::overwrite_existing);
    ASSERT_TRUE(fs::exists(docs));
    EXPECT_TRUE(host::ReadPng(picture.string()) == host::ReadPng(docs.string()))
        << "docs/images/demo.png is not the demo's picture; run with STOW_UPDATE_GOLDEN=1";
}

} // namespace
