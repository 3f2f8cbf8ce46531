#pragma once
// The key receiver program, started and holding the focus.

#include <gtest/gtest.h>

#include <chrono>

#include "child_process.h"

namespace platform_tests {

using testing_support::ChildProcess;

// One of the tests' own programs, its standard output read by the test.
inline ChildProcess startReadingOutput(const char* program) {
    return ChildProcess({.arguments = {program}, .out = testing_support::Output::capture()});
}

struct Receiver {
    ChildProcess process = startReadingOutput(KEY_RECEIVER);
    Receiver() {
        std::string line;
        EXPECT_TRUE(process.readLine(line, std::chrono::seconds(15)) && line.rfind("ready", 0) == 0) << line;
    }
};

}  // namespace platform_tests
