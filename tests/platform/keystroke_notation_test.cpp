#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/keystroke_notation.h"
#include "script/failure.h"

using platform::KeyStroke;
using platform::parseKeystrokes;

namespace {

KeyStroke key(std::uint32_t keysym, bool shift = false, bool control = false, bool alt = false) {
    return {keysym, false, shift, control, alt};
}
KeyStroke character(std::uint32_t keysym, bool shift = false, bool control = false, bool alt = false) {
    return {keysym, true, shift, control, alt};
}

}  // namespace

TEST(KeystrokeNotationTest, TheLauncherStrings) {
    EXPECT_EQ(parseKeystrokes("{ }"), std::vector{character(' ')});
    EXPECT_EQ(parseKeystrokes("%{G}"), std::vector{key(XK_g, false, false, true)});
    EXPECT_EQ(parseKeystrokes("%{O}"), std::vector{key(XK_o, false, false, true)});
    EXPECT_EQ(parseKeystrokes("{enter}"), std::vector{key(XK_Return)});
    EXPECT_EQ(parseKeystrokes("{down 6}"), std::vector<KeyStroke>(6, key(XK_Down)));
}

TEST(KeystrokeNotationTest, NamesAreCaseInsensitiveAndCountsRepeat) {
    EXPECT_EQ(parseKeystrokes("{Enter}{ENTER}~"), std::vector<KeyStroke>(3, key(XK_Return)));
    EXPECT_EQ(parseKeystrokes("{TAB 2}{f16}{PgDn}"),
              (std::vector{key(XK_Tab), key(XK_Tab), key(XK_F16), key(XK_Next)}));
    EXPECT_EQ(parseKeystrokes("{  3}"), std::vector<KeyStroke>(3, character(' ')));
    EXPECT_EQ(parseKeystrokes("{a 0}"), std::vector<KeyStroke>{});
}

TEST(KeystrokeNotationTest, BracesMakeSpecialCharactersLiteral) {
    EXPECT_EQ(parseKeystrokes("{+}{^}{%}{~}{(}{)}{{}{}}"),
              (std::vector{character('+'), character('^'), character('%'), character('~'), character('('),
                           character(')'), character('{'), character('}')}));
}

TEST(KeystrokeNotationTest, ModifiersApplyToTheNextKeyOrGroup) {
    EXPECT_EQ(parseKeystrokes("+ab"), (std::vector{character('a', true), character('b')}));
    EXPECT_EQ(parseKeystrokes("^%{DEL}"), std::vector{key(XK_Delete, false, true, true)});
    EXPECT_EQ(parseKeystrokes("+(ab)c"), (std::vector{character('a', true), character('b', true), character('c')}));
    EXPECT_EQ(parseKeystrokes("^(+(x)y)"), (std::vector{character('x', true, true), character('y', false, true)}));
    EXPECT_EQ(parseKeystrokes("%~"), std::vector{key(XK_Return, false, false, true)});
}

TEST(KeystrokeNotationTest, PlainCharactersAreTypedAsThemselves) {
    EXPECT_EQ(parseKeystrokes("A1 ["), (std::vector{character('A'), character('1'), character(' '), character('[')}));
    EXPECT_EQ(parseKeystrokes("\xE9\x80"), (std::vector{character(0xE9), character(0x010020AC)}));  // é €
}

TEST(KeystrokeNotationTest, MalformedStringsAreInvalidProcedureCalls) {
    for (const char* keys : {"{ENTER", "{}", "}", "{NOSUCHKEY}", "{down x}", "{down 6 }", "(ab", "ab)", "%", "+(a",
                             "(a+)", "{F17}", "{down 99999999}", "a\x01"}) {
        try {
            parseKeystrokes(keys);
            ADD_FAILURE() << "accepted: " << keys;
        } catch (const script::Failure& failure) {
            EXPECT_EQ(failure.kind(), script::FailureKind::InvalidProcedureCall) << keys;
        }
    }
}
