#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/key_log.h"
#include "game/key_name.h"

using zembrot::Input;
using zembrot::inputFor;
using zembrot::keyName;

TEST(KeyName, NamesTheKeysTheLauncherSends) {
    EXPECT_EQ(keyName(Qt::Key_Space, Qt::NoModifier), "Space");
    EXPECT_EQ(keyName(Qt::Key_G, Qt::AltModifier), "Alt+G");
    EXPECT_EQ(keyName(Qt::Key_Return, Qt::NoModifier), "Return");
    EXPECT_EQ(keyName(Qt::Key_Down, Qt::NoModifier), "Down");
    EXPECT_EQ(keyName(Qt::Key_O, Qt::AltModifier), "Alt+O");
    EXPECT_EQ(keyName(Qt::Key_Escape, Qt::NoModifier), "Escape");
}

TEST(KeyName, ModifiersComeFirstInAFixedOrder) {
    EXPECT_EQ(keyName(Qt::Key_S, Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier), "Ctrl+Alt+Shift+S");
    EXPECT_EQ(keyName(Qt::Key_A, Qt::NoModifier), "A");
}

TEST(KeyName, AModifierAloneIsNoKey) {
    EXPECT_EQ(keyName(Qt::Key_Alt, Qt::AltModifier), "");
    EXPECT_EQ(keyName(Qt::Key_Shift, Qt::ShiftModifier), "");
}

TEST(KeyName, OnlyAltGAndAltOOpenMenus) {
    EXPECT_EQ(inputFor(Qt::Key_G, Qt::AltModifier), Input::GameMenu);
    EXPECT_EQ(inputFor(Qt::Key_G, Qt::NoModifier), Input::Other);
    EXPECT_EQ(inputFor(Qt::Key_O, Qt::AltModifier), Input::Options);
    EXPECT_EQ(inputFor(Qt::Key_Enter, Qt::NoModifier), Input::Return);
    EXPECT_EQ(inputFor(Qt::Key_Space, Qt::AltModifier), Input::Other);
}

TEST(KeyLog, AppendsOneLinePerKey) {
    const auto path = std::filesystem::temp_directory_path() / ("zembrot_log_" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    zembrot::KeyLog log(path.string());
    ASSERT_TRUE(log.append("Space"));
    ASSERT_TRUE(log.append("Alt+G"));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "Space\nAlt+G\n");
    std::filesystem::remove(path);
    EXPECT_FALSE(zembrot::KeyLog("/nonexistent-folder/zembrot.log").append("Space"));
}
