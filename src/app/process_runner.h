#pragma once
// Running a helper program to its end.

#include <string>
#include <vector>

namespace habitopia {

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;
  // Runs `program` (looked up on PATH) with `arguments` and waits for it; its
  // exit status, or -1 when it could not be started or did not exit normally.
  virtual int Run(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// The real one: the program inherits this process's environment; its output
// goes to /dev/null.
class PosixProcessRunner : public ProcessRunner {
 public:
  int Run(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace habitopia
