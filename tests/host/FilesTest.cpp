// Files written whole or not at all: a failure leaves the old file and no half-written one.
#include "host/rtl/Files.h"
#include "host/rtl/SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using host::EReadError;
using host::EWriteError;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = fs::temp_directory_path() /
               ("stow-files-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(FDir);
        fs::create_directories(FDir);
    }
    void TearDown() override {
        host::testing::ClearWriteFailure();
        fs::remove_all(FDir);
    }
    std::string contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::vector<std::string> names() {
        std::vector<std::string> list;
        for (const auto& e : fs::directory_iterator(FDir))
            list.push_back(e.path().filename().string());
        std::sort(list.begin(), list.end());
        return list;
    }
    std::string messageOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "(nothing raised)";
    }
    fs::path FDir;
};

TEST_F(FilesTest, AWriteReplacesTheFileWhole) {
    host::WriteFileAtomic(FDir / "a.txt", "old", "a.txt");
    host::WriteFileAtomic(FDir / "a.txt", "new contents", "a.txt");
    EXPECT_EQ(contents(FDir / "a.txt"), "new contents");
    EXPECT_EQ(names(), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(host::ReadFileBytes(FDir / "a.txt", "a.txt"), "new contents");
}

// A full disk, a failing device: whenever the write fails, at its start or half-way, the old
// file keeps its bytes, no temporary file is left behind, and the message says why.
TEST_F(FilesTest, AFailedWriteLeavesTheOldFileAndNothingElse) {
    struct Case {
        size_t after;
        int err;
        const char* reason;
    };
    for (const Case& c :
         {Case{0, ENOSPC, "No space left on device"}, Case{3, ENOSPC, "No space left on device"},
          Case{5, EIO, "Input/output error"}}) {
        host::testing::ClearWriteFailure();
        host::WriteFileAtomic(FDir / "dump.json", "{\"good\": true}\n", "dump.json");
        host::testing::InjectWriteFailure(c.after, c.err);
        std::string message = messageOf([&] {
            host::WriteFileAtomic(FDir / "dump.json", "{\"new\": 1234567}\n", "dump.json");
        });
        EXPECT_EQ(message, std::string("cannot write dump.json: ") + c.reason) << c.after;
        EXPECT_EQ(contents(FDir / "dump.json"), "{\"good\": true}\n") << c.after;
        EXPECT_EQ(names(), std::vector<std::string>{"dump.json"}) << c.after;
    }
}

TEST_F(FilesTest, PlacesThatCannotBeWrittenAreSaidPlainly) {
    fs::create_directories(FDir / "folder");
    const std::string missing = (FDir / "nowhere" / "x.dfm").string();
    EXPECT_EQ(messageOf([&] { host::WriteFileAtomic(missing, "x", "nowhere/x.dfm", "save"); }),
              "cannot save nowhere/x.dfm: the folder nowhere does not exist");
    EXPECT_EQ(messageOf([&] { host::WriteFileAtomic(FDir / "folder", "x", "folder"); }),
              "cannot write folder: it is a folder");
    EXPECT_EQ(messageOf([&] { host::ReadFileBytes(FDir / "folder", "folder"); }),
              "cannot read folder: it is a folder");
    EXPECT_EQ(messageOf([&] { host::ReadFileBytes(FDir / "none.dfm", "none.dfm"); }),
              "cannot read none.dfm: No such file or directory");
}

TEST_F(FilesTest, AWrittenFileGetsTheUsualPermissions) {
    host::WriteFileAtomic(FDir / "p.txt", "x", "p.txt");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    auto perms = fs::status(FDir / "p.txt").permissions();
    EXPECT_EQ(static_cast<unsigned>(perms) & 0777u, 0666u & ~static_cast<unsigned>(mask));
}

} // namespace
