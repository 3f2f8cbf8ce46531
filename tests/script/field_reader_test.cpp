#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/failure.h"
#include "script/field_reader.h"

using script::Failure;
using script::FailureKind;
using script::FieldReader;

namespace {

// All fields of `bytes`, read the way every reader does: read, then test the end.
std::vector<std::string> fields(const std::string& bytes) {
    FieldReader reader(bytes, "t.pod");
    std::vector<std::string> out;
    do out.push_back(reader.next().text);
    while (!reader.atEnd());
    return out;
}

using Fields = std::vector<std::string>;

}  // namespace

TEST(FieldReader, CutsAtCommasAndLineEndsOfEveryKind) {
    EXPECT_EQ(fields("A,B\r\nC\nD\rE"), (Fields{"A", "B", "C", "D", "E"}));
    EXPECT_EQ(fields("TIMEDELAY,5\r\n;\r\n"), (Fields{"TIMEDELAY", "5", ";"}));
    // A comma before the line end leaves an empty field; a blank line is one too.
    EXPECT_EQ(fields("TIMEDELAY,\r\n\r\nX\r\n"), (Fields{"TIMEDELAY", "", "", "X"}));
}

TEST(FieldReader, SkipsLeadingBlanksAndDropsTrailingBlanksOfPlainFields) {
    EXPECT_EQ(fields("   TITLE ,  Hello World  \r\n"), (Fields{"TITLE", "Hello World"}));
    EXPECT_EQ(fields("CMD1, \r\n"), (Fields{"CMD1", ""}));
    EXPECT_EQ(fields("\tA\t,B"), (Fields{"A", "B"}));
}

TEST(FieldReader, QuotedFieldKeepsCommasAndDropsWhatFollowsTheQuote) {
    EXPECT_EQ(fields("TITLE,\"Hello, World; ok\"\r\n"), (Fields{"TITLE", "Hello, World; ok"}));
    EXPECT_EQ(fields("\"a\"junk,b"), (Fields{"a", "b"}));
    EXPECT_EQ(fields("\" \",x"), (Fields{" ", "x"}));
    FieldReader reader("\"\"\r\n", "t");
    auto field = reader.next();
    EXPECT_TRUE(field.quoted);
    EXPECT_TRUE(field.empty());
    EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReader, EndOfFileRule) {
    FieldReader empty("", "Data/kelo.pod");
    try {
        empty.next();
        FAIL() << "an empty file must fail at its first read";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), FailureKind::InputPastEndOfFile);
        EXPECT_EQ(f.report(), "Input past end of file in Data/kelo.pod, line 1");
    }
    FieldReader one("X\r\n", "t");
    one.next();
    EXPECT_TRUE(one.atEnd());
    EXPECT_THROW(one.next(), Failure);
    // Blanks alone at the end still form one (empty) field.
    FieldReader blanks("X,   ", "t");
    blanks.next();
    EXPECT_FALSE(blanks.atEnd());
    EXPECT_EQ(blanks.next().text, "");
    EXPECT_TRUE(blanks.atEnd());
}

TEST(FieldReader, CountsLinesForReports) {
    FieldReader reader("A\r\nB\nC\r\"D\r\nE\"\r\nF", "t");
    std::vector<int> lines;
    do lines.push_back(reader.next().line);
    while (!reader.atEnd());
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 3, 4, 6}));
}

TEST(FieldReader, SurvivesHostileBytes) {
    EXPECT_EQ(fields(std::string("A\0B,C", 5)), (Fields{std::string("A\0B", 3), "C"}));
    EXPECT_EQ(fields("TITLE,\"never closed"), (Fields{"TITLE", "never closed"}));
    EXPECT_EQ(fields(",,,"), (Fields{"", "", ""}));
    EXPECT_EQ(fields("\r\r\r"), (Fields{"", "", ""}));
    EXPECT_EQ(fields("\""), (Fields{""}));
}

TEST(FieldReader, IsLinearInItsInput) {
    // 100,000 records and a single 10 MB field: a quadratic reader would take minutes.
    std::string records;
    for (int i = 0; i < 100000; ++i) records += "TITLE,\"x\"\r\n";
    EXPECT_EQ(fields(records).size(), 200000u);
    std::string big(10 * 1024 * 1024, 'a');
    EXPECT_EQ(fields(big).front().size(), big.size());
    EXPECT_EQ(fields("\"" + big + "\"").front().size(), big.size());
}
