#include "app/undo_history.h"

#include <algorithm>
#include <filesystem>

#include "files/file_io.h"

namespace habitopia {

namespace fs = std::filesystem;

std::string UndoHistory::SnapshotPath(int number) const {
  return (fs::path(workDirectory_) / ("Habitopia.tmp." + std::to_string(number))).string();
}

void UndoHistory::SetPosition(int position) { position_ = std::clamp(position, 0, top_ + 1); }

bool UndoHistory::Append(const std::string& text, std::string& error) {
  if (!WriteFileAtomically(SnapshotPath(top_ + 1), text, error)) return false;
  position_ = ++top_;
  return true;
}

void UndoHistory::RemoveAll() const {
  std::error_code ignored;
  for (int n = 0; n <= top_; ++n) fs::remove(SnapshotPath(n), ignored);
  fs::remove(fs::path(workDirectory_) / "addmor.tmp", ignored);
}

}  // namespace habitopia
