#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "script/field_reader.h"
#include "script/reading_rule.h"
#include "script/writer.h"

using namespace script;

namespace {

EditorSnapshot filledSnapshot() {
    EditorSnapshot s;
    auto& t = s.text;
    t[2] = "5";        t[1] = "2";          t[3] = "Zembrot, the Game";  t[4] = "Return of the Keys";
    t[5] = "0,0,128";  t[9] = "Comic Sans MS";  t[10] = "255,255,198";  t[11] = "24";
    t[7] = "Press Play";  t[8] = "2";  t[12] = "3";  t[25] = "help.bmp";
    t[13] = "192,0,0";  t[14] = "Play";  t[15] = "play.bmp";
    t[16] = "0,128,0";  t[17] = "Setup";  t[18] = "";
    t[19] = "0,0,192";  t[20] = " ";     t[21] = "help_btn.bmp";
    t[22] = "128,128,128";  t[23] = "Stop";  t[24] = "";
    t[30] = "";  t[31] = "theme.mid";  t[6] = "click.wav";
    t[26] = "p.wav";  t[27] = "s.wav";  t[28] = "h.wav";  t[29] = "x.wav";
    s.blnFontBold = true;     s.intFontBold = 1;
    s.blnCmd3Visible = true;  s.intCmd3Visible = 1;
    s.blnCmd2Visible = true;  s.intCmd2Visible = 1;
    s.intSplash = 0;
    s.intButtonSound = 1;     s.varButtonSound = Untyped::number(1);
    return s;
}

std::string golden(const std::string& name) {
    std::ifstream in(std::string(GOLDEN_DIR) + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t crlf; (crlf = bytes.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        out.push_back(bytes.substr(start, crlf - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return out;
}

// Reads a state file by the editor's rule: one holder per keyword, field texts from holders.
EditorSnapshot readBack(const std::string& bytes) {
    std::map<std::string, Untyped, std::less<>> holder;
    FieldReader reader(bytes, "kelo.bak");
    do {
        Record r = readRecord(reader, editorKeywords());
        if (r.kind == Record::Kind::Matched) holder[std::string(r.keyword)] = Untyped::fromField(r.values[0]);
    } while (!reader.atEnd());
    EditorSnapshot s;
    const std::pair<int, const char*> fields[] = {
        {3, "TITLE"}, {4, "TITLE2"}, {5, "BACKCOLOR"}, {6, "BSNDH"}, {2, "TIMEDELAY"}, {1, "TIMEDELAY3"},
        {9, "FNT"}, {10, "LBL1-2"}, {11, "FONTSIZE"}, {7, "SPLTXT"}, {8, "SPTIM"}, {12, "SLIDE"},
        {25, "INFOP"}, {14, "CMD1"}, {17, "CMD2"}, {20, "CMD3"}, {23, "CMD5"}, {15, "CMD1P"},
        {18, "CMD2P"}, {21, "CMD3P"}, {24, "CMD5P"}, {13, "CMD1BC"}, {16, "CMD2BC"}, {19, "CMD3BC"},
        {22, "CMD5BC"}, {30, "BGWAV"}, {31, "BGMID"}, {26, "PLAWV"}, {27, "SETUWV"}, {28, "HELWV"},
        {29, "STOWV"}};
    for (auto [index, keyword] : fields) s.text[index] = holder[keyword].toText();
    auto integer = [&](const char* k) { return static_cast<std::int16_t>(holder[k].asNumber()); };
    s.intFontBold = integer("FTB");         s.blnFontBold = s.intFontBold == 1;
    s.intCmd3Visible = integer("CMD3V");    s.blnCmd3Visible = s.intCmd3Visible == 1;
    s.intCmd7Visible = integer("CMD7V");    s.blnCmd7Visible = s.intCmd7Visible == 1;
    s.intCmd2Visible = integer("CMD2V");    s.blnCmd2Visible = s.intCmd2Visible == 1;
    s.intSplash = integer("SPLASH");
    s.varButtonSound = holder["BSND"];
    s.intButtonSound = integer("BSND");
    return s;
}

}  // namespace

TEST(Writer, FilledWindowGivesTheGoldenFilesByteForByte) {
    const EditorSnapshot s = filledSnapshot();
    EXPECT_EQ(writeMenuScript(s, "12/8/2026 7:05:00 AM"), golden("filled.pod"));
    EXPECT_EQ(writeStateFile(s, "12/8/2026 7:05:00 AM"), golden("filled.bak"));
}

TEST(Writer, EmptyWindowWritesEmptyValuesAndDefaults) {
    const EditorSnapshot empty;
    auto pod = lines(writeMenuScript(empty, "D"));
    auto bak = lines(writeStateFile(empty, "D"));
    ASSERT_EQ(pod.size(), 77u);
    ASSERT_EQ(bak.size(), 77u);
    EXPECT_EQ(pod[0], ";Date Compiled-D");
    EXPECT_EQ(pod[1], ";");
    EXPECT_EQ(pod[2], ";Do NOT Place Comments on Same Line as Commands");
    EXPECT_EQ(pod[3], "TIMEDELAY,");
    EXPECT_EQ(pod[7], "TITLE,\"\"");
    EXPECT_EQ(pod[76], ";");
    auto record = [](const std::vector<std::string>& file, const std::string& keyword) {
        for (auto& line : file)
            if (line.rfind(keyword + ",", 0) == 0) return line.substr(keyword.size() + 1);
        return std::string("<absent>");
    };
    EXPECT_EQ(record(pod, "INFOP"), "Data\\");
    EXPECT_EQ(record(pod, "BACKCOLOR"), "");
    for (const char* k : {"FTB", "CMD3V", "CMD7V", "CMD2V"}) {
        EXPECT_EQ(record(pod, k), "False") << k;
        EXPECT_EQ(record(bak, k), "0") << k;
    }
    EXPECT_EQ(record(pod, "SPLASH"), "0");
    EXPECT_EQ(record(bak, "SPLASH"), "0");
    EXPECT_EQ(record(pod, "BSND"), "0");
    EXPECT_EQ(record(bak, "BSND"), "");
    EXPECT_EQ(record(bak, "BACKCOLOR"), "\"\"");
    EXPECT_EQ(record(bak, "INFOP"), "");
}

TEST(Writer, TwoCompilationsDifferOnlyInTheDateLine) {
    const EditorSnapshot s = filledSnapshot();
    auto first = lines(writeMenuScript(s, "12/8/2026 7:05:00 AM"));
    auto second = lines(writeMenuScript(s, "12/8/2026 7:06:13 AM"));
    ASSERT_EQ(first.size(), second.size());
    EXPECT_NE(first[0], second[0]);
    EXPECT_TRUE(std::equal(first.begin() + 1, first.end(), second.begin() + 1));
}

TEST(Writer, StateFileReadBackRestoresEveryFieldAndSwitch) {
    EditorSnapshot s = filledSnapshot();
    s.text[2] = "007";  // an unquoted number comes back in its plain form
    s.intSplash = 1;
    s.blnCmd7Visible = true;
    s.intCmd7Visible = 1;
    EditorSnapshot back = readBack(writeStateFile(s, "D"));
    s.text[2] = "7";
    for (int i = 1; i <= 31; ++i) EXPECT_EQ(back.text[i], s.text[i]) << "Text" << i;
    EXPECT_EQ(back.intFontBold, 1);
    EXPECT_EQ(back.intCmd3Visible, 1);
    EXPECT_EQ(back.intCmd7Visible, 1);
    EXPECT_EQ(back.intCmd2Visible, 1);
    EXPECT_EQ(back.intSplash, 1);
    EXPECT_EQ(back.varButtonSound, Untyped::number(1));
    EXPECT_EQ(back.text[20], " ");            // the single-blank caption survives, quoted
    EXPECT_EQ(back.text[10], "255,255,198");  // a colour is one quoted field
}

TEST(DateTime, ShortDateAndTimeOrTheDateAloneAtMidnight) {
    std::tm t{};
    t.tm_year = 126; t.tm_mon = 11; t.tm_mday = 8; t.tm_hour = 14; t.tm_min = 5; t.tm_sec = 9;
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(formatDateTime(t), "2026-12-08 14:05:09");
    t.tm_hour = t.tm_min = t.tm_sec = 0;
    EXPECT_EQ(formatDateTime(t), "2026-12-08");
    unsetenv("LC_ALL");
}
