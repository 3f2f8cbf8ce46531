#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

const platform::ProgramIdentity program{"prog", "Prog, a program.", "Run it in a folder."};

struct Outcome {
    std::optional<int> status;
    std::string out, err;
    std::vector<std::optional<std::string>> operandsRun;
};

// A table with one option that takes an optional operand and one that needs one.
Outcome run(std::vector<const char*> arguments) {
    Outcome outcome;
    const std::vector<platform::CommandLineOption> options = {
        {"--check", "[FOLDER]", "check a folder", [&](const auto& operand) {
             outcome.operandsRun.push_back(operand);
             return 5;
         }},
        {"--open", "FILE", "open a file", [&](const auto& operand) {
             outcome.operandsRun.push_back(operand);
             return 0;
         }},
    };
    arguments.insert(arguments.begin(), "prog");
    std::ostringstream out, err;
    outcome.status = platform::handleCommandLine(program, options, static_cast<int>(arguments.size()),
                                                 arguments.data(), out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

TEST(CommandLine, NoArgumentsStartsTheProgramAsUsual) {
    const Outcome outcome = run({});
    EXPECT_FALSE(outcome.status);
    EXPECT_EQ(outcome.out + outcome.err, "");
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutput) {
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.starts_with("Usage: prog [OPTION]\n")) << help.out;
    for (const char* line : {"Run it in a folder.", "--check [FOLDER]  check a folder", "--open FILE",
                             "--help", "--version"})
        EXPECT_NE(help.out.find(line), std::string::npos) << line;

    const Outcome version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "prog " + std::string(platform::projectVersion()) + "\n");
    EXPECT_FALSE(platform::projectVersion().empty());
}

TEST(CommandLine, OperandsReachTheOptionsHandler) {
    Outcome outcome = run({"--check"});
    EXPECT_EQ(outcome.status, 5);
    ASSERT_EQ(outcome.operandsRun.size(), 1u);
    EXPECT_FALSE(outcome.operandsRun[0]);

    outcome = run({"--check", "some folder"});
    EXPECT_EQ(outcome.status, 5);
    ASSERT_EQ(outcome.operandsRun.size(), 1u);
    EXPECT_EQ(outcome.operandsRun[0], "some folder");
}

TEST(CommandLine, AnyOtherArgumentIsAUsageErrorWithOneLineHint) {
    for (const std::vector<const char*>& arguments :
         std::vector<std::vector<const char*>>{{"--bogus"}, {"folder"}, {"-h"}, {"--help", "x"},
                                               {"--check", "a", "b"}, {"--open"}, {"--version", "--help"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[0];
        EXPECT_EQ(outcome.out, "");
        EXPECT_TRUE(outcome.err.starts_with("prog: ")) << outcome.err;
        EXPECT_TRUE(outcome.err.ends_with("(try 'prog --help')\n")) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_TRUE(outcome.operandsRun.empty());
    }
}

}  // namespace
