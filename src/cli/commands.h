#pragma once
// The sub-commands of habitopia-cli. Each returns the process exit status:
// 0 success, 1 the model is fine but the result is incomplete (open hull,
// missing items), 2 bad input or a failed write (with a one-line message on stderr).

#include <string>
#include <vector>

namespace habitopia::cli {

using Arguments = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;
  const char* summary;
  int (*run)(const Arguments& args);
};

int RunInfo(const Arguments& args);
int RunCifImport(const Arguments& args);
int RunCifExport(const Arguments& args);
int RunAngle(const Arguments& args);
int RunScene(const Arguments& args);
int RunStl(const Arguments& args);
int RunExtract(const Arguments& args);
int RunExpand(const Arguments& args);
int RunPredict(const Arguments& args);
int RunDrawing(const Arguments& args);
int RunStereo(const Arguments& args);
int RunExport(const Arguments& args);
int RunWulff(const Arguments& args);
int RunBatch(const Arguments& args);
int RunBatchMerge(const Arguments& args);

}  // namespace habitopia::cli
