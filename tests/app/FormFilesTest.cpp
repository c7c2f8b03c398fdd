// Saving form files so that a failed save leaves the old file, and converting them.
#include "app/FormFiles.h"
#include "app/Session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace host;

class FormFilesTest : public ::testing::Test {
protected:
    FormFilesTest()
        : dir(fs::temp_directory_path() / ("stow-formfiles-" + std::to_string(getpid()))) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~FormFilesTest() override {
        std::error_code ec;
        fs::permissions(dir / "ro", fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    std::string SaveError(const fs::path& path, const std::string& name) {
        try {
            app::WriteFileReplacing(path, "new", name);
        } catch (const EWriteError& e) {
            return e.what();
        }
        return "saved";
    }
    void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path dir;
};

TEST_F(FormFilesTest, ASaveReplacesTheFileAndLeavesNoTemporaryFile) {
    Write(dir / "f.dfm", "old");
    app::WriteFileReplacing(dir / "f.dfm", "new", "f.dfm");
    EXPECT_EQ(app::ReadFileBytes(dir / "f.dfm", "f.dfm"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FormFilesTest, FailedSavesSayWhyAndLeaveTheOldFile) {
    Write(dir / "plain", "a file");
    fs::create_directories(dir / "f.dfm");
    EXPECT_EQ(SaveError(dir / "missing" / "f.dfm", "missing/f.dfm"),
              "cannot save missing/f.dfm: the folder missing does not exist");
    EXPECT_EQ(SaveError(dir / "plain" / "f.dfm", "plain/f.dfm"),
              "cannot save plain/f.dfm: plain is not a folder");
    EXPECT_EQ(SaveError(dir / "f.dfm", "f.dfm"), "cannot save f.dfm: it is a folder");
    EXPECT_EQ(app::ReadFileBytes(dir / "plain", "plain"), "a file");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST_F(FormFilesTest, ASaveIntoAReadOnlyFolderFailsAndLeavesTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    fs::create_directories(dir / "ro");
    Write(dir / "ro" / "f.dfm", "old");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveError(dir / "ro" / "f.dfm", "ro/f.dfm"),
              "cannot save ro/f.dfm: cannot write in the folder ro (Permission denied)");
    fs::permissions(dir / "ro", fs::perms::owner_all);
    EXPECT_EQ(app::ReadFileBytes(dir / "ro" / "f.dfm", "f.dfm"), "old");
}

TEST_F(FormFilesTest, ConvertGoesToTheOtherFormatUnlessTold) {
    Write(dir / "a.dfm", "object A: TA\n  Tag = 1\nend\n");
    app::ConvertFormFile(dir / "a.dfm", dir / "a.bin", nullptr);
    std::string binary = app::ReadFileBytes(dir / "a.bin", "a.bin");
    EXPECT_EQ(binary.substr(0, 3), std::string("\xFF\x0A\x00", 3)); // the resource header
    FormFileFormat text = FormFileFormat::Text;
    app::ConvertFormFile(dir / "a.bin", dir / "b.dfm", nullptr);
    app::ConvertFormFile(dir / "a.bin", dir / "c.dfm", &text);
    EXPECT_EQ(app::ReadFileBytes(dir / "b.dfm", "b"), "object A: TA\r\n  Tag = 1\r\nend\r\n");
    EXPECT_EQ(app::ReadFileBytes(dir / "c.dfm", "c"), app::ReadFileBytes(dir / "b.dfm", "b"));
    Write(dir / "bad.dfm", "object A: TA\n  Tag = \nend\n");
    EXPECT_THROW(app::ConvertFormFile(dir / "bad.dfm", dir / "x.bin", nullptr), EFormFileError);
    EXPECT_FALSE(fs::exists(dir / "x.bin"));
}

TEST_F(FormFilesTest, ConvertIntoItsOwnFormatCopiesTheFileAsItIs) {
    std::string text = "\xEF\xBB\xBFobject A: TA\n\n    Tag   =  1 \r\nend";
    Write(dir / "a.dfm", text);
    FormFileFormat format = FormFileFormat::Text;
    app::ConvertFormFile(dir / "a.dfm", dir / "b.dfm", &format);
    EXPECT_EQ(app::ReadFileBytes(dir / "b.dfm", "b"), text);
}

TEST_F(FormFilesTest, ReadingAFileThatIsNotThereOrTooLargeSaysSo) {
    EXPECT_THROW(app::ReadFileBytes(dir / "none.dfm", "none.dfm"), EReadError);
    EXPECT_THROW(app::ConvertFormFile(dir / "none.dfm", dir / "x.bin", nullptr), EReadError);
    // A file past the limit is refused before anything is read (sparse: it takes no room).
    {
        std::ofstream big(dir / "big.dfm", std::ios::binary);
        big.seekp(static_cast<std::streamoff>(app::kMaxFormFileSize));
        big.put('x');
    }
    try {
        app::ReadFileBytes(dir / "big.dfm", "big.dfm");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "cannot read big.dfm: 1073741825 bytes, more than the 1073741824 bytes a file "
                  "may hold here");
    }
}

// save without a format writes the format the form was opened from; a new form, text.
TEST_F(FormFilesTest, SaveKeepsTheFormatTheFormWasOpenedFrom) {
    Write(dir / "a.dfm", "object Form1: TForm1\n  Caption = 'x'\nend\n");
    std::ostringstream out, err;
    app::Session session(out, dir, "");
    std::string script = "open a.dfm\n"
                         "save b.bin binary\n"
                         "open b.bin\n"
                         "save c\n"
                         "new form F2\n"
                         "save d\n";
    ASSERT_EQ(session.RunText(script, "t.stow", err), 0) << err.str();
    EXPECT_EQ(app::ReadFileBytes(dir / "c", "c").substr(0, 3), std::string("\xFF\x0A\x00", 3));
    EXPECT_EQ(app::ReadFileBytes(dir / "d", "d").substr(0, 10), "object F2:");
}

} // namespace
