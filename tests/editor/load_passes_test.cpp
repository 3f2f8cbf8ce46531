// Switch rules and the reading of the state file into passes, without a window.

#include <gtest/gtest.h>

#include "editor/load_passes.h"
#include "editor/switch_variables.h"
#include "script/failure.h"

using editor::LoadPass;
using editor::readLoadPasses;
using editor::SwitchVariables;
using script::Untyped;

namespace {

int field(std::string_view keyword) { return script::textFieldOf(keyword); }
std::size_t box(std::string_view keyword) {
    return static_cast<std::size_t>(script::keywordInfo(keyword).field.number);
}

}  // namespace

TEST(SwitchVariables, TickThenUntickLeavesButtonSoundZeroInsteadOfEmpty) {
    SwitchVariables s;
    EXPECT_TRUE(s.varButtonSound.isEmpty());
    s.fromCheck(1, editor::Checked);
    EXPECT_TRUE(s.blnFontBold);
    EXPECT_EQ(s.intFontBold, 1);
    s.fromCheck(1, editor::Unchecked);
    s.fromCheck(6, editor::Checked);
    s.fromCheck(6, editor::Unchecked);
    EXPECT_FALSE(s.blnFontBold);
    EXPECT_EQ(s.intFontBold, 0);
    EXPECT_EQ(s.varButtonSound, Untyped::number(0));
}

// A grayed box is set only by the program; whether it counts as on depends on
// how its keyword is written, and boxes that show no keyword keep nothing.
TEST(SwitchVariables, GrayedCountsAsOnOnlyForSwitchesWrittenAsNumbers) {
    SwitchVariables s;
    for (int n = 1; n <= 8; ++n) s.fromCheck(n, editor::Grayed);
    EXPECT_FALSE(s.blnFontBold);
    EXPECT_EQ(s.intFontBold, 0);
    EXPECT_FALSE(s.blnCmd7Visible || s.blnCmd2Visible || s.blnCmd3Visible);
    EXPECT_EQ(s.intSplash, 1);
    EXPECT_EQ(s.intButtonSound, 1);
    EXPECT_EQ(s.varButtonSound, Untyped::number(1));

    SwitchVariables ticked;
    ticked.fromCheck(3, editor::Checked);
    ticked.fromCheck(4, editor::Checked);
    ticked.fromCheck(7, editor::Checked);
    EXPECT_TRUE(ticked.blnCmd7Visible && ticked.blnCmd2Visible && ticked.blnCmd3Visible);
    EXPECT_EQ(ticked.intCmd7Visible + ticked.intCmd2Visible + ticked.intCmd3Visible, 3);
    EXPECT_FALSE(ticked.blnFontBold);

    SwitchVariables untouched;
    untouched.fromCheck(5, editor::Checked);
    untouched.fromCheck(8, editor::Checked);
    EXPECT_EQ(untouched, SwitchVariables{});
}

TEST(LoadPasses, EachRecordIsOneStepCarryingOnlyWhatItChanges) {
    const auto passes = readLoadPasses(
        ";Date Compiled-x\r\nTIMEDELAY,007\r\n;\r\ntitle,\"Hello, world\"\r\nCMD1,\" \"\r\n"
        "BACKCOLOR,\"0,0,128\"\r\nFTB,1\r\nSPLASH,2\r\nTITLE,Second\r\n;\r\n",
        "kelo.bak");
    ASSERT_EQ(passes.size(), 8u);  // the comment before the first record, then one step per record
    EXPECT_EQ(passes[0].field, 0);
    EXPECT_EQ(passes[1].field, field("TIMEDELAY"));
    EXPECT_EQ(passes[1].text, "7");  // a plain number comes back in plain form
    EXPECT_EQ(passes[1].passes, 2u);  // and the comment after it
    EXPECT_EQ(passes[2].text, "Hello, world");
    EXPECT_EQ(passes[3].text, " ");
    EXPECT_EQ(passes[4].text, "0,0,128");
    ASSERT_NE(passes[5].switchRead, nullptr);
    EXPECT_EQ(passes[5].switchRead->name, "FTB");
    EXPECT_EQ(passes[5].value, Untyped::number(1));
    EXPECT_EQ(passes[5].box[box("SPLASH")], 0);
    EXPECT_EQ(passes[6].field, 0);
    EXPECT_EQ(passes[6].box[box("SPLASH")], 2);
    EXPECT_EQ(passes[7].field, field("TITLE"));
    EXPECT_EQ(passes[7].text, "Second");  // the later value wins
    EXPECT_EQ(passes[7].box[box("SPLASH")], 2);
}

TEST(LoadPasses, TitleKeepsItsTextWhileOtherNumbersAreReadAsNumbers) {
    const auto passes = readLoadPasses("TITLE,007\r\nFONTSIZE,12.50\r\n", "kelo.bak");
    EXPECT_EQ(passes.at(0).text, "007");
    EXPECT_EQ(passes.at(1).text, "12.5");
}

TEST(LoadPasses, FieldsWithoutRecordsCostOneStepNotOneEach) {
    const std::string title(100 * 1024, 'T');
    const auto passes = readLoadPasses("TITLE,\"" + title + "\"\r\n" + std::string(200000, ','), "kelo.bak");
    ASSERT_EQ(passes.size(), 1u);
    EXPECT_EQ(passes[0].text, title);
    EXPECT_EQ(passes[0].passes, 200001u);
}

TEST(LoadPasses, AFileWithoutRecordsGivesNoPasses) {
    EXPECT_TRUE(readLoadPasses(";Date Compiled-x\r\n;\r\nFOO\r\n\r\n", "kelo.bak").empty());
}

TEST(LoadPasses, EmptyTruncatedOrImpossibleFilesFailNamingTheFile) {
    auto failure = [](const std::string& text) {
        try {
            readLoadPasses(text, "~/Varno/kelo.bak");
        } catch (const script::Failure& f) {
            EXPECT_EQ(f.script(), "~/Varno/kelo.bak");
            return f.kind();
        }
        ADD_FAILURE() << "no failure for " << text;
        return script::FailureKind::DeviceIOError;
    };
    EXPECT_EQ(failure(""), script::FailureKind::InputPastEndOfFile);
    EXPECT_EQ(failure("TITLE,A\r\nSLIDE"), script::FailureKind::InputPastEndOfFile);
    EXPECT_EQ(failure("FTB,5\r\n"), script::FailureKind::InvalidProcedureCall);
    EXPECT_EQ(failure("BSND,yes\r\n"), script::FailureKind::TypeMismatch);
    EXPECT_EQ(failure("SPLASH,70000\r\n"), script::FailureKind::Overflow);
}
