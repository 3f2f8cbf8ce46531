#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "script/cp1252.h"
#include "script/failure.h"
#include "script/file_io.h"
#include "script/windows_path.h"
#include "counting_file_queries.h"

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

// A folder's listing is kept between questions; it must follow the folder's
// changes, also for a folder last changed long ago.
TEST_F(TempFolder, ACaseInsensitiveMatchSeesFilesAddedAndRemovedLater) {
    const fs::path data = root / "game" / "Data";
    touch(data / "other.bmp");
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(data, longAgo);
    EXPECT_EQ(mapWindowsPath("Data\\Logo.BMP", root / "game"), data / "Logo.BMP");  // not there
    touch(data / "logo.bmp");
    EXPECT_EQ(mapWindowsPath("Data\\Logo.BMP", root / "game"), data / "logo.bmp");
    fs::last_write_time(data, longAgo);
    EXPECT_EQ(mapWindowsPath("Data\\LOGO.bmp", root / "game"), data / "logo.bmp");
    fs::rename(data / "logo.bmp", data / "LoGo.bmp");
    EXPECT_EQ(mapWindowsPath("Data\\LOGO.bmp", root / "game"), data / "LoGo.bmp");
}

TEST_F(TempFolder, WholeFileReadAndReplacingWrite) {
    const fs::path file = root / "kelo.pod";
    EXPECT_THROW(readWholeFile(file, "kelo.pod"), Failure);
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

// Reports name the file as this system knows it and where it was looked for.
TEST_F(TempFolder, ReportsNameTheFileOnThisSystemAndWhereItWasLookedFor) {
    const fs::path game = root / "Games" / "Zembrot";
    fs::create_directories(game / "Data");
    const fs::path previous = fs::current_path();
    fs::current_path(game);
    auto reportOf = [](auto&& call) {
        try {
            call();
        } catch (const Failure& f) {
            return f.report();
        }
        return std::string("<no failure>");
    };

    EXPECT_EQ(reportOf([] { readWholeFile(mapWindowsPath("Data\\kelo.pod"), "Data\\kelo.pod"); }),
              "File not found: Data/kelo.pod (looked in " + game.string() + ")");
    // A spelling that differs from the file on disk is shown as written.
    EXPECT_EQ(reportOf([] { readWholeFile(mapWindowsPath("data\\Pics\\x.bmp"), "data\\Pics\\x.bmp"); }),
              "File not found: Data/Pics/x.bmp (data\\Pics\\x.bmp, looked in " + game.string() + ")");
    EXPECT_EQ(reportOf([] {
                  try {
                      readWholeFile(mapWindowsPath("c:\\Varno\\kelo.bak"), "c:\\Varno\\kelo.bak");
                  } catch (Failure& f) {
                      throw f.withRemedy("press Compile/Save once to create it");
                  }
              }),
              "File not found: ~/Varno/kelo.bak \u2014 press Compile/Save once to create it");
    EXPECT_EQ(reportOf([] { readWholeFile("/nonexistent/x", {}); }), "File not found: /nonexistent/x");
    EXPECT_EQ(reportOf([&] { readWholeFile(game / "Data", "Data"); }),
              "Path/File access error: Data is a folder (in " + game.string() + ")");

    // A file named by a script line: the file first, then the line that named it.
    EXPECT_EQ(Failure(FailureKind::FileNotFound)
                  .aboutFile(mapWindowsPath("Data\\b.bmp"), "Data\\b.bmp")
                  .inScript("Data/kelo.pod", 4)
                  .forKeyword("CMD1P")
                  .report(),
              "File not found: Data/b.bmp (looked in " + game.string() + "), named by CMD1P in Data/kelo.pod, line 4");
    // Inner layers win: a caller adds only what is still missing.
    Failure inner = Failure(FailureKind::Overflow, "is outside -32768..32767").withValue("40000");
    inner.inScript("Data/kelo.pod", 2).forKeyword("TIMEDELAY").withDetail("other").inScript("x", 9);
    EXPECT_EQ(inner.report(), "Overflow in Data/kelo.pod, line 2: TIMEDELAY 40000 is outside -32768..32767");
    EXPECT_STREQ(inner.what(), inner.report().c_str());
    fs::current_path(previous);
}

// Names that are no plain file fail at once and say what they are.
TEST_F(TempFolder, OnlyPlainFilesOfASaneSizeAreRead) {
    auto kindOf = [](const fs::path& file) {
        try {
            readWholeFile(file, "Data\\kelo.pod");
        } catch (const Failure& f) {
            EXPECT_NE(f.report().find("Data\\kelo.pod"), std::string::npos) << f.report();
            return std::make_pair(f.kind(), f.detail());
        }
        return std::make_pair(FailureKind::DeviceIOError, std::string("read"));
    };
    ASSERT_EQ(mkfifo((root / "pipe").c_str(), 0644), 0);
    EXPECT_EQ(kindOf(root / "pipe"), std::make_pair(FailureKind::PathFileAccessError, std::string("is a pipe, not a file")));
    EXPECT_EQ(kindOf("/dev/zero").first, FailureKind::PathFileAccessError);
    EXPECT_EQ(kindOf(root).first, FailureKind::PathFileAccessError);
    {
        std::ofstream big(root / "big");
    }
    fs::resize_file(root / "big", kLargestReadableFile + 1);  // sparse: costs no disk
    EXPECT_EQ(kindOf(root / "big"), std::make_pair(FailureKind::FileTooLarge, std::string("is 65 MB, more than the 64 MB it may have")));
}

TEST_F(TempFolder, ALinkedFileIsReplacedBehindItsLinkWithItsPermissions) {
    touch(root / "game" / "Data" / "kelo.pod");
    fs::permissions(root / "game" / "Data" / "kelo.pod", fs::perms(0640));
    fs::create_directories(root / "Varno" / "Data");
    fs::create_symlink("../../game/Data/kelo.pod", root / "Varno" / "Data" / "kelo.pod");
    writeFileReplacing(root / "Varno" / "Data" / "kelo.pod", "new", "~/Varno/Data/kelo.pod");
    EXPECT_TRUE(fs::is_symlink(root / "Varno" / "Data" / "kelo.pod"));
    EXPECT_EQ(readWholeFile(root / "game" / "Data" / "kelo.pod", "x"), "new");
    EXPECT_EQ(fs::status(root / "game" / "Data" / "kelo.pod").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "game" / "Data"), fs::directory_iterator()), 1);

    fs::create_directories(root / "Varno" / "kelo.bak");  // a folder where the file belongs
    try {
        writeFileReplacing(root / "Varno" / "kelo.bak", "x", "~/Varno/kelo.bak");
        ADD_FAILURE() << "wrote over a folder";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), FailureKind::PathFileAccessError);
        EXPECT_EQ(f.detail(), "is a folder");
    }
}

// Within one start-up, a name costs one question about each path on its way,
// and a folder's names are read once, only for a name not spelled exactly.
TEST_F(TempFolder, TheNameFinderAsksAboutEachPathOnce) {
    const fs::path game = root / "game";
    touch(game / "Data" / "play.bmp");
    touch(game / "Data" / "Quit.BMP");
    fs::create_directories(game / "Data" / "Music");
    testing_support::CountingFileQueries queries;
    NameFinder names(game, queries);

    EXPECT_EQ(names.find("Data\\play.bmp").kind, FileQueries::Kind::File);
    EXPECT_EQ(names.find("Data\\Music").kind, FileQueries::Kind::Folder);
    EXPECT_EQ(queries.folderPasses.size(), 0u);

    const NameFinder::Found quit = names.find("data\\QUIT.bmp");
    EXPECT_EQ(quit.path, game / "Data" / "Quit.BMP");
    EXPECT_TRUE(quit.exists());
    EXPECT_FALSE(names.find("Data\\background.bmp").exists());
    EXPECT_FALSE(names.find("Data\\nowhere\\deeper.bmp").exists());
    EXPECT_FALSE(names.find("").exists());
    // Asked again, everything is answered from what was found.
    const int asked = queries.total();
    for (const char* name : {"Data\\play.bmp", "data\\QUIT.bmp", "Data\\background.bmp", "Data\\nowhere\\deeper.bmp"})
        names.find(name);
    EXPECT_EQ(queries.total(), asked);
    // The game folder once for "data", Data once for all its misspelled and missing names.
    EXPECT_EQ(queries.passesOver(game), 1);
    EXPECT_EQ(queries.passesOver(game / "Data"), 1);
    EXPECT_EQ(queries.mostAskedOnePath(), 1);
    EXPECT_EQ(queries.kindQuestions.count(game / "Data" / "nowhere" / "deeper.bmp"), 0u);
}

// A name spelled otherwise than on disk matches a whole name in any case,
// accented letters too, wherever they stand; a name on disk that only begins
// or ends alike is another file.
TEST_F(TempFolder, TheNameFinderMatchesWholeNamesInAnyCase) {
    const fs::path data = root / "game" / "Data";
    for (const char* name : {"play.bmp.bak", "play.bm", "Écran.BMP", "caféX.bmp", "cafeY.bmp", "Logo.bmp"})
        touch(data / name);
    NameFinder names(root / "game");

    EXPECT_FALSE(names.find("Data\\PLAY.bmp").exists());
    EXPECT_EQ(names.find("data\\LOGO.BMP").path, data / "Logo.bmp");
    EXPECT_EQ(names.find("Data\\\xC9" "CRAN.bmp").path, data / "Écran.BMP");
    EXPECT_EQ(names.find("Data\\\xE9" "cran.bmp").path, data / "Écran.BMP");
    EXPECT_EQ(names.find("Data\\CAF\xC9x.BMP").path, data / "caféX.bmp");
    EXPECT_FALSE(names.find("Data\\CAF\xC9y.bmp").exists());
    EXPECT_FALSE(names.find("Data\\cafeX.bmp").exists());
}
