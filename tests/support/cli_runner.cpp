#include "support/cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

namespace habitopia::test {
namespace {

// One shell word holding `text` as it is.
std::string ShellWord(const std::string& text) {
  std::string word = "'";
  for (const char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

}  // namespace

CliRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& captureFolder) {
  const std::string outPath = captureFolder + "/stdout";
  const std::string errPath = captureFolder + "/stderr";
  std::string command = ShellWord(program);
  for (const std::string& argument : arguments) command += " " + ShellWord(argument);
  command += " >" + ShellWord(outPath) + " 2>" + ShellWord(errPath);
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(outPath);
  run.err = ReadText(errPath);
  return run;
}

CliRun ProgramTest::Run(const std::vector<std::string>& arguments) const {
  return RunProgram(program_, arguments, Folder());
}

CliRun ProgramTest::Run(const std::string& command, std::vector<std::string> arguments) const {
  arguments.insert(arguments.begin(), command);
  return Run(arguments);
}

}  // namespace habitopia::test
