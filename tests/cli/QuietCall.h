#pragma once
// Runs a command of vantrel-cli in the test's process with its standard
// output swallowed; its exit code.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Cli.h"

namespace vantrel::cli {

inline int Call(int (*command)(Args), std::vector<std::string> args) {
    ::testing::internal::CaptureStdout();
    const int code = command(args);
    ::testing::internal::GetCapturedStdout();
    return code;
}

}  // namespace vantrel::cli
