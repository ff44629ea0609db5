#pragma once
// Opening documents and addresses with the desktop's default programs.

#include <string>

namespace habitopia {

class Shell {
 public:
  virtual ~Shell() = default;
  // A local file path or a URL; false when nothing could open it.
  virtual bool Open(const std::string& documentOrUrl) = 0;
};

}  // namespace habitopia
