#pragma once
// One running program per user.

namespace habitopia {

class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // True when this process now holds the lock; false when another instance runs.
  virtual bool TryAcquire() = 0;
  virtual void Release() = 0;
};

}  // namespace habitopia
