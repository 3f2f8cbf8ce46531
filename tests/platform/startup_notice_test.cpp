// The start-up notice's id and messages as window managers parse them.
#include <gtest/gtest.h>

#include "platform/startup_notice.h"

using platform::startupId;
using platform::startupMessage;
using platform::startupMessagePieces;

TEST(StartupNotice, TheIdCarriesTheTimeOfThePlayersClickAndNoBlanks) {
    const std::string id = startupId("lorvane", 4242, "game box", "zembrot.exe", 3, 123456789);
    EXPECT_EQ(id, "lorvane-4242-game_box-zembrot.exe-3_TIME123456789");
    EXPECT_NE(startupId("lorvane", 4242, "host", "my \"game\".exe", 1, 5).find("my__game_.exe-1_TIME5"),
              std::string::npos);
}

TEST(StartupNotice, ValuesAreQuotedWithQuotesAndBackslashesEscaped) {
    EXPECT_EQ(startupMessage("new:", {{"ID", "a-1_TIME9"}, {"NAME", "Zem \"B\" \\x"}}),
              "new: ID=\"a-1_TIME9\" NAME=\"Zem \\\"B\\\" \\\\x\"");
    EXPECT_EQ(startupMessage("remove:", {{"ID", "a"}}), "remove: ID=\"a\"");
}

// Each piece fills one client message; the closing NUL always travels, so a
// message of exactly 20 bytes takes a second piece.
TEST(StartupNotice, MessagesTravelInTwentyBytePiecesEndedByANul) {
    const auto pieces = startupMessagePieces("remove: ID=\"abcdef\"");  // 19 bytes
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], std::string("remove: ID=\"abcdef\"\0", 20));

    const auto twenty = startupMessagePieces("remove: ID=\"abcdefg\"");
    ASSERT_EQ(twenty.size(), 2u);
    EXPECT_EQ(twenty[1], std::string(20, '\0'));

    std::string joined;
    for (const auto& piece : startupMessagePieces(std::string(45, 'x'))) {
        EXPECT_EQ(piece.size(), 20u);
        joined += piece;
    }
    EXPECT_EQ(joined, std::string(45, 'x') + std::string(15, '\0'));
}
