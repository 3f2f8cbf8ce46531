#include <gtest/gtest.h>

#include <string>

#include "script/failure.h"
#include "script/menu_settings.h"
#include "script/reading_rule.h"

using namespace script;

namespace {

// Reads a whole script with the launcher's rule; counts the fields taken.
struct LauncherRead {
    MenuSettings settings;
    int fieldsTaken = 0;
};

LauncherRead readLauncher(const std::string& bytes) {
    LauncherRead out;
    out.settings.fileName = "Data/kelo.pod";
    FieldReader reader(bytes, "Data/kelo.pod");
    do {
        Record r = readRecord(reader, launcherKeywords());
        if (r.kind == Record::Kind::Matched) storeLauncherRecord(out.settings, r);
        if (r.kind != Record::Kind::Skipped) ++out.fieldsTaken;
    } while (!reader.atEnd());
    return out;
}

std::string helpPicture(const std::string& bytes) {
    FieldReader reader(bytes, "Data/kelo.pod");
    std::string picture;
    do {
        Record r = readRecord(reader, helpKeywords());
        if (r.kind == Record::Kind::Matched) picture = r.values[0].text;
    } while (!reader.atEnd());
    return picture;
}

}  // namespace

TEST(KeywordTables, HoldTheThreeReadersSets) {
    ASSERT_EQ(editorKeywords().size(), 37u);
    ASSERT_EQ(launcherKeywords().size(), 37u);
    EXPECT_EQ(editorKeywords().front().name, "TITLE");
    EXPECT_EQ(launcherKeywords().front().name, "TIMEDELAY");
    int launcherColours = 0;
    for (auto& k : launcherKeywords()) {
        EXPECT_NE(k.name, "INFOP");
        if (k.values == 3) ++launcherColours;
    }
    EXPECT_EQ(launcherColours, 6);
    for (auto& k : editorKeywords()) EXPECT_EQ(k.values, 1) << k.name;
    ASSERT_EQ(helpKeywords().size(), 1u);
    EXPECT_EQ(helpKeywords()[0].name, "INFOP");
}

TEST(ReadingRule, KeywordsAreCaseInsensitiveButWhole) {
    auto r = readLauncher("title,Hello\r\nTiTlE2,There\r\nTITLE X,no\r\nTIT,no\r\n");
    EXPECT_EQ(r.settings.TITLE, "Hello");
    EXPECT_EQ(r.settings.TITLE2, "There");
}

TEST(ReadingRule, CommasInsideAndOutsideQuotes) {
    auto r = readLauncher("TITLE,\"Hello, World\"\r\nCMD1,A, B\r\n");
    EXPECT_EQ(r.settings.TITLE, "Hello, World");
    EXPECT_EQ(r.settings.CMD1.asText(), "A");  // the stray B is dropped as an unknown field
}

TEST(ReadingRule, CommentIsAFieldNotALine) {
    auto r = readLauncher(";note, TITLE\r\nx\r\n");
    EXPECT_EQ(r.settings.TITLE, "x");
    auto unknown = readLauncher("FOO,bar\r\n;\r\n");
    EXPECT_EQ(unknown.fieldsTaken, 2);  // FOO and bar, each taken and dropped
}

TEST(ReadingRule, LaterRecordWinsAndBlanksChangeNothing) {
    auto r = readLauncher("TITLE,\"One\"\r\n\r\n   TITLE,\"Two\"\r\n");
    EXPECT_EQ(r.settings.TITLE, "Two");
}

TEST(ReadingRule, ColourTakesThreeFieldsWhereverTheyStand) {
    auto r = readLauncher("BACKCOLOR,0,0,128\r\nLBL1-2,1\r\n2\r\n3\r\n");
    EXPECT_EQ(colourSetting(r.settings, "BACKCOLOR"), 128u * 65536u);
    EXPECT_EQ(colourSetting(r.settings, "LBL1-2"), 1u + 2u * 256u + 3u * 65536u);
}

TEST(ReadingRule, ShortColourSwallowsTheNextKeywordAndFailsWhereItStands) {
    auto r = readLauncher(";\r\nBACKCOLOR,0,0\r\nTITLE,\"x\"\r\n");
    try {
        colourSetting(r.settings, "BACKCOLOR");
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), FailureKind::TypeMismatch);
        EXPECT_EQ(f.line(), 2);
        EXPECT_EQ(f.report(),
                  "Type mismatch in Data/kelo.pod, line 2: BACKCOLOR \"TITLE\" is not a number");
    }
}

TEST(ReadingRule, MissingValueAtTheEndIsInputPastEndOfFile) {
    for (const char* script : {"TITLE", "TITLE\r\n", "BACKCOLOR,1,2\r\n"}) {
        try {
            readLauncher(script);
            FAIL() << script;
        } catch (const Failure& f) {
            EXPECT_EQ(f.kind(), FailureKind::InputPastEndOfFile) << script;
            EXPECT_EQ(f.line(), 1);
            EXPECT_FALSE(f.keyword().empty());
        }
    }
    EXPECT_THROW(readLauncher(""), Failure);
}

TEST(ReadingRule, CommentsAndBlankLinesTakeNoField) {
    auto r = readLauncher(";Date Compiled-today\r\n;\r\n\r\n;Do NOT Place Comments on Same Line as Commands\r\n");
    EXPECT_EQ(r.fieldsTaken, 0);
    EXPECT_EQ(r.settings.TITLE, "");
}

TEST(LauncherValues, TypedAndUntypedStorage) {
    auto r = readLauncher(
        "TIMEDELAY,2.5\r\nTIMEDELAY3,five\r\nFONTSIZE,24\r\nSLIDE,007\r\nCMD1,5\r\nCMD2, \r\n"
        "CMD1P,Data\\\r\nCMD2P,Data\\b.bmp\r\nSPLASH,1\r\nFTB,False\r\nCMD2V,True\r\nLBL1,Alt\r\n"
        "INFOP,Data\\help.bmp\r\n");
    EXPECT_EQ(r.settings.TIMEDELAY, 2);   // halves go to the even neighbour
    EXPECT_EQ(r.settings.TIMEDELAY3, 0);  // a word reads as 0
    EXPECT_FLOAT_EQ(r.settings.FONTSIZE, 24.0f);
    EXPECT_EQ(r.settings.SLIDE, 7);
    EXPECT_EQ(toCaption(r.settings.CMD1), "5");
    EXPECT_EQ(toCaption(r.settings.CMD2), "");
    EXPECT_FALSE(namesPicture(r.settings.CMD1P));
    EXPECT_TRUE(namesPicture(r.settings.CMD2P));
    EXPECT_TRUE(isSplashSet(r.settings.SPLASH));
    EXPECT_FALSE(truthSetting(r.settings, "FTB"));
    EXPECT_TRUE(truthSetting(r.settings, "CMD2V"));
    EXPECT_EQ(r.settings.LBL1, "Alt");
    EXPECT_EQ(r.settings.INFOP, "");  // not a keyword of the start-up reader
}

TEST(LauncherValues, IntegerOutOfRangeNamesTheLine) {
    try {
        readLauncher(";\r\n;\r\nTIMEDELAY,40000\r\n");
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), FailureKind::Overflow);
        EXPECT_EQ(f.report(), "Overflow in Data/kelo.pod, line 3: TIMEDELAY 40000 is outside -32768..32767");
    }
}

TEST(HelpReader, FindsTheLastInfopInAnyCase) {
    EXPECT_EQ(helpPicture("TITLE,\"x\"\r\ninfop,Data\\a.bmp\r\nINFOP,Data\\b.bmp\r\n"), "Data\\b.bmp");
    EXPECT_EQ(helpPicture("TITLE,\"x\"\r\n"), "");
    EXPECT_THROW(helpPicture("INFOP\r\n"), Failure);
}
