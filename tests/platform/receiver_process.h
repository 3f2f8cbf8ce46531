#pragma once
// The key receiver program, started and holding the focus.

#include <gtest/gtest.h>

#include "child_process.h"

namespace platform_tests {

struct Receiver {
    ChildProcess process{{KEY_RECEIVER}};
    Receiver() {
        std::string line;
        EXPECT_TRUE(process.readLine(line, 15) && line.rfind("ready", 0) == 0) << line;
    }
};

}  // namespace platform_tests
