#include "core/precondition.h"

#include <cstdio>
#include <cstdlib>

namespace habitopia {

void PreconditionFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: precondition failed: %s\n", file, line, condition);
  std::fflush(stderr);
  std::abort();
}

}  // namespace habitopia
