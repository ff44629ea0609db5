#pragma once
// The undo history: numbered snapshot files "Habitopia.tmp.N" in the working
// directory, a position (the snapshot of the model shown) and a top (the highest
// number written in this run). Snapshots are only appended; undo and redo move
// the position.

#include <string>

namespace habitopia {

class UndoHistory {
 public:
  explicit UndoHistory(std::string workDirectory = {}) : workDirectory_(std::move(workDirectory)) {}

  void SetWorkDirectory(std::string workDirectory) { workDirectory_ = std::move(workDirectory); }
  std::string SnapshotPath(int number) const;

  int Position() const { return position_; }
  int Top() const { return top_; }
  // Callers that return to a remembered state set the position before an undo.
  void SetPosition(int position);

  // Writes `text` as snapshot top + 1. Only a snapshot that is on disk enters
  // the history: on failure position and top stay and `error` says why.
  bool Append(const std::string& text, std::string& error);

  // The position one step back or forward (clamped to 1..top).
  int Previous() const { return position_ > 1 ? position_ - 1 : position_; }
  int Next() const { return position_ < top_ ? position_ + 1 : position_; }

  // Deletes the snapshots 0..top and "addmor.tmp"; missing files are skipped.
  void RemoveAll() const;

 private:
  std::string workDirectory_;
  int position_ = 0;
  int top_ = 0;
};

}  // namespace habitopia
