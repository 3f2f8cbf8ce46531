#include <gtest/gtest.h>

#include <limits>

#include "script/failure.h"
#include "script/untyped.h"

using namespace script;

namespace {
Field plain(std::string text) { return Field{std::move(text), false, 1}; }
Field quoted(std::string text) { return Field{std::move(text), true, 1}; }
void expectFailure(FailureKind kind, auto&& call) {
    try {
        call();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind(), kind) << f.report();
    }
}
}  // namespace

TEST(NumericRule, AcceptsOnlyOneNumberWithBlanksAround) {
    for (const char* yes : {"12", " 5 ", "-5", "+5", "0.01", ".5", "5.", "1e3", "1E-2", "-1.5e+2", "007"})
        EXPECT_TRUE(isNumeric(yes)) << yes;
    for (const char* no : {"", " ", "-", "+", ".", "1a", "3 sec", "1.2.3", "e5", "1e", "1e+", "--1", "1 2", "0x10"})
        EXPECT_FALSE(isNumeric(no)) << no;
    EXPECT_DOUBLE_EQ(*parseNumber(" -1.5e+2 "), -150.0);
    EXPECT_DOUBLE_EQ(*parseNumber(".5"), 0.5);
}

TEST(NumberText, IsThePlainDecimalForm) {
    EXPECT_EQ(numberToText(*parseNumber("007")), "7");
    EXPECT_EQ(numberToText(*parseNumber("1.50")), "1.5");
    EXPECT_EQ(numberToText(*parseNumber("1e3")), "1000");
    EXPECT_EQ(numberToText(-0.25), "-0.25");
    EXPECT_EQ(numberToText(-0.0), "0");
    EXPECT_EQ(numberToText(1e20), "1E+20");
}

TEST(Int16, RoundsHalvesToEvenAndOverflowsOutsideRange) {
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt16(-2.5), -2);
    EXPECT_EQ(roundToInt16(2.6), 3);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768), -32768);
    expectFailure(FailureKind::Overflow, [] { roundToInt16(32767.5); });
    expectFailure(FailureKind::Overflow, [] { roundToInt16(40000); });
    expectFailure(FailureKind::Overflow, [] { roundToInt16(-32769); });
    EXPECT_EQ(readInt16(plain("five")), 0);
    EXPECT_EQ(readInt16(quoted("12")), 12);
    expectFailure(FailureKind::Overflow, [] { readInt16(plain("40000")); });
    EXPECT_FLOAT_EQ(readSingle(plain("x")), 0.0f);
    EXPECT_FLOAT_EQ(readSingle(plain("9.75")), 9.75f);
    expectFailure(FailureKind::Overflow, [] { readSingle(plain("1e39")); });
}

TEST(UntypedValue, KeepsTheFormOfItsField) {
    EXPECT_TRUE(Untyped::fromField(plain("")).isEmpty());
    EXPECT_TRUE(Untyped::fromField(quoted("")).isEmpty());
    EXPECT_TRUE(Untyped::fromField(plain("12")).isNumber());
    EXPECT_TRUE(Untyped::fromField(quoted("12")).isText());
    EXPECT_TRUE(Untyped::fromField(plain("Play")).isText());
    EXPECT_EQ(Untyped::fromField(plain("007")).toText(), "7");
}

TEST(Colour, ComponentsClampAndBadTextFails) {
    auto n = [](double v) { return Untyped::number(v); };
    EXPECT_EQ(toColour(n(0), n(0), n(128)), 128u * 65536u);
    EXPECT_EQ(toColour(n(300), n(0), n(0)), 255u);
    EXPECT_EQ(toColour(Untyped(), Untyped(), Untyped()), 0u);
    EXPECT_EQ(toColour(n(-5), n(1.5), Untyped::text(" 2 ")), 0u + 2u * 256u + 2u * 65536u);
    expectFailure(FailureKind::TypeMismatch, [&] { toColour(n(0), n(0), Untyped::text("TITLE")); });
    expectFailure(FailureKind::Overflow, [&] { toColour(n(70000), n(0), n(0)); });
}

TEST(Truth, NumbersWordsAndEmpty) {
    EXPECT_FALSE(toTruth(Untyped()));
    EXPECT_FALSE(toTruth(Untyped::number(0)));
    EXPECT_TRUE(toTruth(Untyped::number(-1)));
    EXPECT_TRUE(toTruth(Untyped::text("tRuE")));
    EXPECT_FALSE(toTruth(Untyped::text("FALSE")));
    EXPECT_TRUE(toTruth(Untyped::text("1")));
    expectFailure(FailureKind::TypeMismatch, [] { toTruth(Untyped::text("yes")); });
}

TEST(PictureNameAndSplash, FollowTheirComparisons) {
    EXPECT_FALSE(namesPicture(Untyped::text("Data\\")));
    EXPECT_FALSE(namesPicture(Untyped()));
    EXPECT_FALSE(namesPicture(Untyped::text("Bitmaps\\a.bmp")));  // sorts before "Data\"
    EXPECT_FALSE(namesPicture(Untyped::number(5)));
    EXPECT_TRUE(namesPicture(Untyped::text("Data\\play.bmp")));
    EXPECT_TRUE(namesPicture(Untyped::text("data\\play.bmp")));  // 'd' sorts after 'D'
    EXPECT_TRUE(sortsAfterDataFolder("Data\\\xE9"));            // character codes above 127 sort last
    EXPECT_TRUE(isSplashSet(Untyped::number(1)));
    EXPECT_FALSE(isSplashSet(Untyped::number(2)));
    EXPECT_FALSE(isSplashSet(Untyped()));
    EXPECT_FALSE(isSplashSet(Untyped::text("on")));
}
