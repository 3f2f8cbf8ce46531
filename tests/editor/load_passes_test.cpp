// Switch rules and the reading of the state file into passes, without a window.

#include <gtest/gtest.h>

#include "editor/load_passes.h"
#include "editor/switch_variables.h"
#include "script/failure.h"

using editor::LoadPass;
using editor::readLoadPasses;
using editor::SwitchVariables;
using script::Untyped;

TEST(SwitchVariables, TickThenUntickLeavesButtonSoundZeroInsteadOfEmpty) {
    SwitchVariables s;
    EXPECT_TRUE(s.varButtonSound.isEmpty());
    s.fromCheck1(editor::Checked);
    EXPECT_TRUE(s.blnFontBold);
    EXPECT_EQ(s.intFontBold, 1);
    s.fromCheck1(editor::Unchecked);
    s.fromCheck6(editor::Checked);
    s.fromCheck6(editor::Unchecked);
    EXPECT_FALSE(s.blnFontBold);
    EXPECT_EQ(s.intFontBold, 0);
    EXPECT_EQ(s.varButtonSound, Untyped::number(0));
}

TEST(LoadPasses, EveryFieldReadIsOnePassAndTheLastHoldsEveryValue) {
    const auto passes = readLoadPasses(
        ";Date Compiled-x\r\nTIMEDELAY,007\r\n;\r\ntitle,\"Hello, world\"\r\nCMD1,\" \"\r\n"
        "BACKCOLOR,\"0,0,128\"\r\nFTB,1\r\nSPLASH,2\r\nTITLE,Second\r\n;\r\n",
        "kelo.bak");
    ASSERT_EQ(passes.size(), 10u);
    EXPECT_EQ(passes[1].text[2], "7");  // a plain number comes back in plain form
    EXPECT_EQ(passes[1].text[3], "");   // not read yet
    EXPECT_EQ(passes[3].text[3], "Hello, world");
    const LoadPass& last = passes.back();
    EXPECT_EQ(last.text[3], "Second");  // the later value wins
    EXPECT_EQ(last.text[14], " ");
    EXPECT_EQ(last.text[5], "0,0,128");
    EXPECT_EQ(last.splash, 2);
    EXPECT_EQ(passes[6].target, LoadPass::Target::intFontBold);
    EXPECT_EQ(passes[6].value, Untyped::number(1));
    EXPECT_EQ(passes[7].target, LoadPass::Target::None);
}

TEST(LoadPasses, TitleKeepsItsTextWhileOtherNumbersAreReadAsNumbers) {
    const auto last = readLoadPasses("TITLE,007\r\nFONTSIZE,12.50\r\n", "kelo.bak").back();
    EXPECT_EQ(last.text[3], "007");
    EXPECT_EQ(last.text[11], "12.5");
}

TEST(LoadPasses, AFileWithoutRecordsGivesNoPasses) {
    EXPECT_TRUE(readLoadPasses(";Date Compiled-x\r\n;\r\nFOO\r\n\r\n", "kelo.bak").empty());
}

TEST(LoadPasses, EmptyTruncatedOrImpossibleFilesFailNamingTheFile) {
    auto failure = [](const std::string& text) {
        try {
            readLoadPasses(text, "c:\\Varno\\kelo.bak");
        } catch (const script::Failure& f) {
            EXPECT_EQ(f.file(), "c:\\Varno\\kelo.bak");
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
