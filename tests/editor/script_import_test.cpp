// A game folder's script read into the fields: what they hold, and what the
// notice lists of what they cannot.

#include <gtest/gtest.h>

#include "demo_values.h"
#include "editor/compile_save.h"
#include "editor/script_import.h"
#include "editor/switch_variables.h"
#include "script/writer.h"

using namespace editor_testing;

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

script::EditorSnapshot demoSnapshot() {
    editor::SwitchVariables switches;
    for (int n : kDemoTicked) switches.fromCheck(n, editor::Checked);
    return editor::makeSnapshot(demoTexts(), switches);
}

}  // namespace

TEST(ScriptImport, AScriptCompileSaveWroteFillsEveryFieldAndBoxWithoutANotice) {
    const std::string bytes = script::writeMenuScript(demoSnapshot(), "2026-12-09 10:00:00");
    const editor::ImportedScript imported = editor::importScript(bytes, "Data/kelo.pod");
    EXPECT_FALSE(imported.refusal);
    EXPECT_TRUE(imported.notices.empty()) << imported.noticeText();
    const auto texts = demoTexts();
    for (int n = 1; n <= 31; ++n) EXPECT_EQ(imported.text[n], texts[n]) << "Text" << n;
    for (int n : {1, 2, 3, 4, 6, 7}) {
        const bool ticked = std::find(kDemoTicked.begin(), kDemoTicked.end(), n) != kDemoTicked.end();
        EXPECT_EQ(imported.box[n], ticked ? 1 : 0) << "Check" << n;
    }
    EXPECT_EQ(imported.box[5], -1);
    EXPECT_EQ(imported.box[8], -1);
}

TEST(ScriptImport, WhatTheFieldsCannotHoldIsListedAtItsLine) {
    const std::string bytes = joined({
        ";Date Compiled-2026-12-09 10:00:00",  // 1, the editor's own
        "; my own note",                       // 2
        "TITLE,\"First\"",                     // 3
        "LBL1,Other title",                    // 4
        "FOO,bar",                             // 5
        "title,\"Second\"",                    // 6
        "CMD1,A, B",                           // 7
        "TIMEDELAY,soon",                      // 8
        "FTB,-1",                              // 9
        "BGMID,music\\menu.mid",               // 10
        "CMD1P,data\\play.bmp",                // 11
        "SPLASH,1",                            // 12
        "INFOP,Data\\info.bmp",                // 13
    });
    const editor::ImportedScript imported = editor::importScript(bytes, "Data/kelo.pod");
    EXPECT_FALSE(imported.refusal) << *imported.refusal;
    std::vector<std::pair<int, bool>> lines;
    for (const auto& notice : imported.notices) lines.emplace_back(notice.line, notice.drops);
    EXPECT_EQ(lines, (std::vector<std::pair<int, bool>>{
                         {2, true}, {4, true}, {5, true}, {6, true}, {7, true}, {8, true}, {9, false},
                         {10, true}, {11, false}}))
        << imported.noticeText();
    const std::string text = imported.noticeText();
    for (const char* expected :
         {"line 2: the comment \"; my own note\"", "line 4: LBL1 \"Other title\" has no field in the editor; saving drops it",
          "line 5: \"FOO\" is not a keyword the launcher knows; saving drops it",
          "line 6: TITLE given again (first on line 3)", "line 7: \"B\" after CMD1's value",
          "line 8: TIMEDELAY \"soon\" is not a number", "line 9: FTB \"-1\" is saved as True",
          "line 10: BGMID \"music\\menu.mid\" is not below Data\\; saving writes Data\\music\\menu.mid, another file",
          "line 11: CMD1P \"data\\play.bmp\" is saved as Data\\play.bmp, the same file"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_TRUE(imported.dropsSomething());
    EXPECT_EQ(imported.text[3], "Second");  // the later record wins, as in the launcher
    EXPECT_EQ(imported.text[14], "A");
    EXPECT_EQ(imported.text[2], "");
    EXPECT_EQ(imported.text[15], "play.bmp");
    EXPECT_EQ(imported.text[25], "info.bmp");
    EXPECT_EQ(imported.box[1], 1);
    EXPECT_EQ(imported.box[2], 1);
}

TEST(ScriptImport, AScriptTheLauncherRefusesGivesItsReportAndWhatWasRead) {
    // Start-up stops at a keyword without its value, and at a colour it cannot convert.
    editor::ImportedScript cut = editor::importScript(joined({"TITLE,\"Kept\"", "SLIDE"}), "Data/kelo.pod");
    ASSERT_TRUE(cut.refusal);
    EXPECT_NE(cut.refusal->find("Input past end of file"), std::string::npos) << *cut.refusal;
    EXPECT_EQ(cut.text[3], "Kept");
    EXPECT_EQ(cut.noticeText().rfind("Lorvane would stop: ", 0), 0u);

    editor::ImportedScript colour = editor::importScript(joined({"BACKCOLOR,red,0,0", "TITLE,x"}), "Data/kelo.pod");
    ASSERT_TRUE(colour.refusal);
    EXPECT_NE(colour.refusal->find("Type mismatch"), std::string::npos) << *colour.refusal;
    EXPECT_EQ(colour.text[5], "red,0,0");
    EXPECT_EQ(colour.text[3], "x");
}

TEST(ScriptImport, KeysInAnySpellingAndBlankCaptionsComeBackAsTyped) {
    const editor::ImportedScript imported =
        editor::importScript(joined({"cmd2, ", "Cmd3,", "bsnd,1", "ftb,false"}), "Data/kelo.pod");
    EXPECT_TRUE(imported.notices.empty()) << imported.noticeText();
    EXPECT_EQ(imported.text[17], " ");
    EXPECT_EQ(imported.text[20], "");
    EXPECT_EQ(imported.box[6], 1);
    EXPECT_EQ(imported.box[1], 0);
}

TEST(ScriptImport, AScriptInAnotherEncodingIsNamedAndReadDecoded) {
    // TITLE,"Café €" in UTF-16.
    const std::string utf16 = "\xFF\xFE" + std::string("T\0I\0T\0L\0E\0,\0\"\0C\0a\0f\0\xE9\0 \0\xAC\x20\"\0\r\0\n\0", 30);
    const editor::ImportedScript wide = editor::importScript(utf16, "Data/kelo.pod");
    ASSERT_TRUE(wide.encoding);
    EXPECT_NE(wide.encoding->find("UTF-16 (little-endian) with a byte-order mark"), std::string::npos) << *wide.encoding;
    EXPECT_EQ(wide.text[3], "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_TRUE(wide.dropsSomething());  // saving converts it, so Save asks

    const editor::ImportedScript narrow =
        editor::importScript("\xEF\xBB\xBFTITLE,\"Caf\xC3\xA9\"\r\n", "Data/kelo.pod");
    ASSERT_TRUE(narrow.encoding);
    EXPECT_NE(narrow.encoding->find("UTF-8 with a byte-order mark"), std::string::npos) << *narrow.encoding;
    EXPECT_EQ(narrow.text[3], "Caf\xC3\xA9");
    EXPECT_FALSE(editor::importScript("TITLE,\"Caf\xE9\"\r\n", "Data/kelo.pod").encoding);
}
