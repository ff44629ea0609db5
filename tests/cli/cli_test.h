#pragma once
// The fixture of the habitopia-cli tests: a fresh temporary folder per test and
// the program (HABITOPIA_CLI, defined for test_cli) run with its output captured.

#include <string>
#include <utility>

#include "support/cli_runner.h"

namespace habitopia::test {

class CliTest : public ProgramTest {
 protected:
  explicit CliTest(std::string prefix) : ProgramTest(HABITOPIA_CLI, std::move(prefix)) {}
};

}  // namespace habitopia::test
