#include "platform/program_arguments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

const platform::ProgramIdentity program{"prog", "Prog, a program.", "Run it in a folder."};

struct Outcome {
    std::optional<int> status;
    std::string out, err;
    bool checkSet = false;
    QStringList operands;
};

// A program with one option of its own and an optional operand.
Outcome run(std::vector<const char*> arguments) {
    Outcome outcome;
    QCommandLineParser parser;
    const QCommandLineOption check(QStringLiteral("check"), QStringLiteral("check a folder"));
    parser.addOption(check);
    parser.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("the folder"), QStringLiteral("[FOLDER]"));
    arguments.insert(arguments.begin(), "prog");
    std::ostringstream out, err;
    outcome.status = platform::readCommandLine(parser, program, static_cast<int>(arguments.size()), arguments.data(),
                                               out, err);
    outcome.out = out.str();
    outcome.err = err.str();
    if (!outcome.status) {
        outcome.checkSet = parser.isSet(check);
        outcome.operands = parser.positionalArguments();
    }
    return outcome;
}

TEST(ProgramArguments, NoArgumentsStartTheProgramAsUsual) {
    const Outcome outcome = run({});
    EXPECT_FALSE(outcome.status);
    EXPECT_EQ(outcome.out + outcome.err, "");
    EXPECT_FALSE(outcome.checkSet);
}

TEST(ProgramArguments, HelpAndVersionAnswerOnStandardOutputInBothSpellings) {
    for (const char* spelling : {"--help", "-h"}) {
        const Outcome help = run({spelling});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.err, "");
        EXPECT_TRUE(help.out.starts_with("Usage: prog [options] [FOLDER]\n")) << help.out;
        for (const char* line : {"Prog, a program.", "Run it in a folder.", "--check", "check a folder",
                                 "-h, --help", "show this help and exit", "-v, --version", "FOLDER"})
            EXPECT_NE(help.out.find(line), std::string::npos) << line;
    }
    for (const char* spelling : {"--version", "-v"}) {
        const Outcome version = run({spelling});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, "prog " + std::string(platform::projectVersion()) + "\n");
    }
    EXPECT_FALSE(platform::projectVersion().empty());
}

TEST(ProgramArguments, TheProgramsOwnOptionsAndOperandsAreLeftToIt) {
    Outcome outcome = run({"--check"});
    EXPECT_FALSE(outcome.status);
    EXPECT_TRUE(outcome.checkSet);
    EXPECT_TRUE(outcome.operands.isEmpty());

    outcome = run({"--check", "some folder"});
    EXPECT_FALSE(outcome.status);
    EXPECT_TRUE(outcome.checkSet);
    EXPECT_EQ(outcome.operands, QStringList{QStringLiteral("some folder")});
}

TEST(ProgramArguments, AnUnknownOptionIsAUsageErrorWithOneLineHint) {
    for (const auto& [arguments, problem] : std::vector<std::pair<std::vector<const char*>, std::string>>{
             {{"--bogus"}, "unknown option '--bogus'"}, {{"-x"}, "unknown option '-x'"},
             {{"folder", "--bogus"}, "unknown option '--bogus'"}}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.status, 2) << arguments[0];
        EXPECT_EQ(outcome.out, "");
        EXPECT_EQ(outcome.err, "prog: " + problem + " (try 'prog --help')\n");
    }
    std::ostringstream err;
    EXPECT_EQ(platform::usageError(program, err, "unexpected argument 'x'"), 2);
    EXPECT_EQ(err.str(), "prog: unexpected argument 'x' (try 'prog --help')\n");
}

}  // namespace
