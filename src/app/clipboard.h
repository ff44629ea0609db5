#pragma once
// The desktop clipboard.

#include <string>

#include "app/viewer.h"

namespace habitopia {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
  virtual bool SetImage(const ViewerImage& image) = 0;
};

}  // namespace habitopia
