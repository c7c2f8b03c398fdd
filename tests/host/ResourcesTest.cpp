// Resource files, version blocks and package information: the bytes other tools read, and
// hostile input refused with a reason.
#include "host/win32/Resources.h"
#include "host/designer/Environment.h"
#include "host/designer/Packages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using namespace host;

std::vector<uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> v;
    for (int b : list)
        v.push_back(static_cast<uint8_t>(b));
    return v;
}

TEST(ResFileTest, StartsWithTheEmptyEntryAndLaysOutEachHeader) {
    TResource r{{RT_RCDATA, {}}, {0, "Ab"}, 0x0409, RES_MOVEABLE | RES_PURE, bytes({1, 2, 3})};
    std::vector<uint8_t> file = WriteResFile(std::span<const TResource>(&r, 1));
    const std::vector<uint8_t> expected =
        bytes({0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, // the empty
                                                                            // entry
               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 36, 0, 0,
               0,                            // data size, header size
               0xFF, 0xFF, 10, 0,            // type: RT_RCDATA
               'A', 0, 'B', 0, 0, 0, 0, 0,   // name, upper case, null, padding to 4
               0, 0, 0, 0, 0x30, 0, 0x09, 4, // data version, memory flags, language
               0, 0, 0, 0, 0, 0, 0, 0,       // version, characteristics
               1, 2, 3, 0});                 // data, padded to 4
    EXPECT_EQ(file, expected);
}

TEST(ResFileTest, RoundTripsNamesAndEverySizeOfData) {
    std::vector<TResource> list;
    for (int size = 0; size < 6; ++size) {
        TResource r{{RT_BITMAP, {}}, {0, std::string(size_t(size + 1), 'N')}, 0, RES_PURE, {}};
        for (int i = 0; i < size; ++i)
            r.Data.push_back(static_cast<uint8_t>(i + 1));
        list.push_back(r);
    }
    list.push_back({{RT_VERSION, {}}, {1, {}}, 0x0409, RES_MOVEABLE, bytes({9, 9, 9, 9, 9})});
    list.push_back({{0, "CUSTOM"}, {7, {}}, 0, 0, bytes({5})});
    std::vector<uint8_t> file = WriteResFile(list);
    EXPECT_EQ(file.size() % 4, 0u);
    std::vector<TResource> back = ReadResFile(file);
    ASSERT_EQ(back.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(back[i].Type.ToString(), list[i].Type.ToString()) << i;
        EXPECT_EQ(back[i].Name.ToString(), list[i].Name.ToString()) << i;
        EXPECT_EQ(back[i].Language, list[i].Language) << i;
        EXPECT_EQ(back[i].MemoryFlags, list[i].MemoryFlags) << i;
        EXPECT_EQ(back[i].Data, list[i].Data) << i;
    }
}

TEST(ResFileTest, MalformedFilesAreRefusedWithAReason) {
    TResource r{{RT_RCDATA, {}}, {0, "X"}, 0, 0, bytes({1, 2, 3, 4, 5, 6, 7, 8})};
    const std::vector<uint8_t> good = WriteResFile(std::span<const TResource>(&r, 1));
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"no leading entry", std::vector<uint8_t>(good.begin() + 32, good.end())},
        {"cut in the data", std::vector<uint8_t>(good.begin(), good.end() - 4)},
        {"cut in a header", std::vector<uint8_t>(good.begin(), good.begin() + 40)}};
    std::vector<uint8_t> hugeHeader = good;
    hugeHeader[36] = 0xFF;
    hugeHeader[37] = 0xFF;
    cases.push_back({"header size past the end", hugeHeader});
    for (const Case& c : cases)
        EXPECT_THROW(ReadResFile(c.file), EResourceError) << c.what;
}

TVersionInfo sampleVersion() {
    TVersionInfo v;
    const uint16_t fv[4] = {2, 1, 0, 7};
    std::copy(fv, fv + 4, v.FileVersion);
    std::copy(fv, fv + 4, v.ProductVersion);
    v.FileFlagsMask = 0x3F;
    v.FileOS = VOS__WINDOWS32;
    v.FileType = VFT_APP;
    v.StringTableKey = "040904E4";
    v.Strings = {{"A", "x"}, {"Longer", "two words"}, {"Empty", ""}};
    v.Translations = {{0x0409, 0x04E4}};
    return v;
}

TEST(VersionInfoTest, RoundTripsWithBlocksOnFourByteBoundaries) {
    const TVersionInfo v = sampleVersion();
    std::vector<uint8_t> block = BuildVersionInfo(v);
    EXPECT_EQ(block[0] | block[1] << 8, int(block.size())); // the root covers everything
    EXPECT_EQ(block[2] | block[3] << 8, 52);                // VS_FIXEDFILEINFO
    // The fixed part starts after the key "VS_VERSION_INFO" and its padding, at byte 40.
    EXPECT_EQ(block[40] | block[41] << 8 | block[42] << 16 | block[43] << 24,
              int(VS_FFI_SIGNATURE));
    TVersionInfo back = ParseVersionInfo(block);
    EXPECT_TRUE(std::equal(v.FileVersion, v.FileVersion + 4, back.FileVersion));
    EXPECT_EQ(back.FileFlagsMask, 0x3Fu);
    EXPECT_EQ(back.FileOS, VOS__WINDOWS32);
    EXPECT_EQ(back.StringTableKey, "040904E4");
    EXPECT_EQ(back.Strings, v.Strings);
    EXPECT_EQ(back.Translations, v.Translations);
}

TEST(VersionInfoTest, DamagedBlocksAreRefused) {
    std::vector<uint8_t> block = BuildVersionInfo(sampleVersion());
    std::vector<uint8_t> shortRoot = block;
    shortRoot[0] = 4;
    shortRoot[1] = 0;
    std::vector<uint8_t> longRoot = block;
    longRoot[1] = 0x7F;
    std::vector<uint8_t> badSignature = block;
    badSignature[40] ^= 1;
    for (const auto& damaged : {std::vector<uint8_t>(block.begin(), block.begin() + 30), shortRoot,
                                longRoot, badSignature})
        EXPECT_THROW(ParseVersionInfo(damaged), EResourceError);
}

TEST(PackageInfoTest, RoundTripsAndRefusesDamage) {
    TPackageInfo info;
    info.Flags = pfPackageModule | pfDesignOnly;
    info.Requires = {"vclx30", "vcl30"};
    info.Contains = {{"StowPkg", ufMainUnit | ufPackageUnit}, {"Stowbar", 0}};
    std::vector<uint8_t> b = BuildPackageInfo(info);
    // Flags, two required packages (hash, name, null), then the contained units.
    EXPECT_EQ(b[0] | b[1] << 8 | b[2] << 16 | b[3] << 24, int(pfPackageModule | pfDesignOnly));
    EXPECT_EQ(b[4], 2);
    EXPECT_EQ(b[8], PackageNameHash("vclx30"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[9])), "vclx30");
    TPackageInfo back = ParsePackageInfo(b);
    EXPECT_EQ(back.Flags, info.Flags);
    EXPECT_EQ(back.Requires, info.Requires);
    ASSERT_EQ(back.Contains.size(), 2u);
    EXPECT_EQ(back.Contains[0].Name, "StowPkg");
    EXPECT_EQ(back.Contains[0].Flags, ufMainUnit | ufPackageUnit);
    EXPECT_EQ(PackageFlagsText(back.Flags), "package module, design-time only");

    std::vector<uint8_t> badHash = b;
    badHash[8] ^= 0x55;
    std::vector<uint8_t> trailing = b;
    trailing.push_back(0);
    for (const auto& damaged : {std::vector<uint8_t>(b.begin(), b.end() - 3), badHash, trailing})
        EXPECT_THROW(ParsePackageInfo(damaged), EPackageError);
}

// ---------------------------------------------------------------- loading what is no package

std::filesystem::path besideProgram(const std::string& name) {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

TEST(PackageLoadTest, WhatIsNoPackageIsRefusedAndLeavesNothingBehind) {
    const auto text = std::filesystem::temp_directory_path() /
                      ("stow-not-a-package-" + std::to_string(::getpid()) + ".so");
    std::ofstream(text) << "not a module\n";
    struct Case {
        std::string path;
        std::string says;
    };
    const std::vector<Case> cases = {
        {"/nonexistent/StowPkg.so", "Can't load package /nonexistent/StowPkg.so: no such file"},
        {text.string(), "Can't load package " + text.string()},
        // A module, but without the entry points.
        {besideProgram("libstowhost.so").string(), "is not a valid package: it lacks"}};
    DesignEnvironment env;
    const int modules = [&] {
        int n = 0;
        for (TLibModule* m = env.desktop().LibModuleList(); m; m = m->Next)
            ++n;
        return n;
    }();
    for (const Case& c : cases) {
        try {
            env.LoadPackage(c.path);
            ADD_FAILURE() << c.path << " loaded";
        } catch (const EPackageError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
    std::filesystem::remove(text);
    EXPECT_TRUE(env.Packages().empty());
    EXPECT_TRUE(LoadedPackageNames().empty());
    int n = 0;
    for (TLibModule* m = env.desktop().LibModuleList(); m; m = m->Next)
        ++n;
    EXPECT_EQ(n, modules);
}

} // namespace
