#pragma once
// Sets a flag for the lifetime of a scope and puts the old value back, however
// the scope is left.

namespace habitopia {

class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag, bool value = true) : flag_(flag), old_(flag) { flag_ = value; }
  ~ScopedFlag() { flag_ = old_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace habitopia
