#pragma once
// Runs a command-line program from a test and keeps its exit status and output.

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace habitopia::test {

struct CliRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;  // what it wrote to stdout
  std::string err;  // what it wrote to stderr
};

// Runs `program` with `arguments` (each passed as one word) through the shell;
// stdout and stderr go to the files "stdout" and "stderr" in `captureFolder`.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& captureFolder);

// A fixture with a fresh temporary folder per test that runs one program, its
// output captured in that folder.
class ProgramTest : public TempFolderTest {
 protected:
  ProgramTest(std::string program, std::string prefix)
      : TempFolderTest(std::move(prefix)), program_(std::move(program)) {}

  CliRun Run(const std::vector<std::string>& arguments) const;
  // The program with `command` as its first argument.
  CliRun Run(const std::string& command, std::vector<std::string> arguments) const;

 private:
  std::string program_;
};

}  // namespace habitopia::test
