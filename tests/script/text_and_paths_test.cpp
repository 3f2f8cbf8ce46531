#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "script/cp1252.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/windows_path.h"

namespace fs = std::filesystem;
using namespace script;

namespace {

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/script-test-XXXXXX";
        root = mkdtemp(pattern);
        oldHome = getenv("HOME") ? getenv("HOME") : "";
        setenv("HOME", (root / "home").c_str(), 1);
        fs::create_directories(root / "home");
    }
    void TearDown() override {
        setenv("HOME", oldHome.c_str(), 1);
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    void touch(const fs::path& p) {
        fs::create_directories(p.parent_path());
        std::ofstream(p) << "x";
    }
    fs::path root;
    std::string oldHome;
};

}  // namespace

TEST(Cp1252, ConvertsBothWaysAndMarksWhatItCannotHold) {
    EXPECT_EQ(cp1252ToUtf8("Caf\xE9 \x80 \x93q\x94"), "Café € “q”");
    EXPECT_EQ(utf8ToCp1252("Café € “q”"), "Caf\xE9 \x80 \x93q\x94");
    EXPECT_EQ(utf8ToCp1252("日本 ok"), "?? ok");
    EXPECT_EQ(utf8ToCp1252("\xFF\xC3"), "??");  // malformed UTF-8
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(one)), one) << b;
    }
}

TEST_F(TempFolder, PathsMatchCaseInsensitivelyAndMapTheDriveToHome) {
    touch(root / "game" / "Data" / "test.avi");
    EXPECT_EQ(mapWindowsPath("data\\TEST.avi", root / "game"), root / "game" / "Data" / "test.avi");
    EXPECT_EQ(mapWindowsPath("Data\\missing\\x.bmp", root / "game"), root / "game" / "Data" / "missing" / "x.bmp");
    EXPECT_EQ(mapWindowsPath("c:\\Varno\\kelo.bak", root), root / "home" / "Varno" / "kelo.bak");
    EXPECT_EQ(mapWindowsPath("\\Varno\\Data\\kelo.pod", root), root / "home" / "Varno" / "Data" / "kelo.pod");
    touch(root / "game" / "Data" / "Café.bmp");
    EXPECT_EQ(mapWindowsPath("Data\\caf\xC9.bmp", root / "game"), root / "game" / "Data" / "Café.bmp");
    touch(root / "home" / "VARNO" / "kelo.bak");
    EXPECT_EQ(mapWindowsPath("C:\\Varno\\kelo.bak", root), root / "home" / "VARNO" / "kelo.bak");
}

TEST_F(TempFolder, WholeFileReadAndReplacingWrite) {
    const fs::path file = root / "kelo.pod";
    EXPECT_THROW(readWholeFile(file, "Data\\kelo.pod"), Failure);
    try {
        readWholeFile(file, "Data\\kelo.pod");
    } catch (const Failure& f) {
        EXPECT_EQ(f.report(), "File not found in Data\\kelo.pod");
    }
    writeFileReplacing(file, std::string("A\0B\r\n", 5), "kelo.pod");
    EXPECT_EQ(readWholeFile(file, "kelo.pod"), std::string("A\0B\r\n", 5));
    writeFileReplacing(file, "new", "kelo.pod");
    EXPECT_EQ(readWholeFile(file, "kelo.pod"), "new");

    // A folder that cannot be written keeps the old file whole.
    if (geteuid() != 0) {
        fs::permissions(root, fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_THROW(writeFileReplacing(file, "lost", "kelo.pod"), Failure);
        EXPECT_EQ(readWholeFile(file, "kelo.pod"), "new");
    }
    EXPECT_THROW(writeFileReplacing(root / "no" / "such" / "f", "x", "f"), Failure);
}
