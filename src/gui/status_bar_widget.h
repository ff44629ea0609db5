#pragma once
// StatusBar1: six panels of the classic widths, the figure panels widened (never
// narrowed) when a text needs more room in the window's font, and the
// calculation's progress bar lying over the first.

#include <array>

#include "app/form_changes.h"
#include "app/form_state.h"

class QLabel;
class QProgressBar;
class QStatusBar;

namespace habitopia::gui {

class StatusBarWidget {
 public:
  explicit StatusBarWidget(QStatusBar& bar);

  QLabel* Panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
  QProgressBar* Progress() const { return progress_; }

  void Show(const FormState& state, const FormChanges& changes);

 private:
  QStatusBar& bar_;
  std::array<QLabel*, kStatusPanelCount> panels_{};
  QProgressBar* progress_ = nullptr;
};

}  // namespace habitopia::gui
