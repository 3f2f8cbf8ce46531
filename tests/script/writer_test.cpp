#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "script/writer.h"

using namespace script;

namespace {

EditorSnapshot filledSnapshot() {
    EditorSnapshot s;
    const std::pair<const char*, const char*> fields[] = {
        {"TIMEDELAY", "5"},        {"TIMEDELAY3", "2"},     {"TITLE", "Zembrot, the Game"},
        {"TITLE2", "Return of the Keys"}, {"BACKCOLOR", "0,0,128"}, {"FNT", "Comic Sans MS"},
        {"LBL1-2", "255,255,198"}, {"FONTSIZE", "24"},      {"SPLTXT", "Press Play"},
        {"SPTIM", "2"},            {"SLIDE", "3"},          {"INFOP", "help.bmp"},
        {"CMD1BC", "192,0,0"},     {"CMD1", "Play"},        {"CMD1P", "play.bmp"},
        {"CMD2BC", "0,128,0"},     {"CMD2", "Setup"},       {"CMD2P", ""},
        {"CMD3BC", "0,0,192"},     {"CMD3", " "},           {"CMD3P", "help_btn.bmp"},
        {"CMD5BC", "128,128,128"}, {"CMD5", "Stop"},        {"CMD5P", ""},
        {"BGWAV", ""},             {"BGMID", "theme.mid"},  {"BSNDH", "click.wav"},
        {"PLAWV", "p.wav"},        {"SETUWV", "s.wav"},     {"HELWV", "h.wav"},
        {"STOWV", "x.wav"}};
    for (auto [keyword, text] : fields) s.field(keyword) = text;
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

TEST(DateTime, ShortDateAndTimeOrTheDateAloneAtMidnight) {
    std::tm t{};
    t.tm_year = 126; t.tm_mon = 11; t.tm_mday = 8; t.tm_hour = 14; t.tm_min = 5; t.tm_sec = 9;
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(formatDateTime(t), "2026-12-08 14:05:09");
    t.tm_hour = t.tm_min = t.tm_sec = 0;
    EXPECT_EQ(formatDateTime(t), "2026-12-08");
    unsetenv("LC_ALL");
}
