#pragma once
// The information panels laid over the viewer: the history memo, the home-page
// box and the donation box, one at a time, with a button that closes them.

#include <QWidget>

#include "app/form_changes.h"
#include "app/form_state.h"

class QPushButton;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class DonationBox;
class HistoryPanel;
class HomePageBox;

class InformationPanels : public QWidget {
  Q_OBJECT

 public:
  explicit InformationPanels(MainForm& form, QWidget* parent = nullptr);

  void Show(const FormState& state, const FormChanges& changes);

  HistoryPanel& History() const { return *history_; }
  HomePageBox& HomePage() const { return *homePage_; }
  DonationBox& Donation() const { return *donation_; }
  QPushButton* CloseButton() const { return close_; }

 private:
  HistoryPanel* history_ = nullptr;
  HomePageBox* homePage_ = nullptr;
  DonationBox* donation_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace habitopia::gui
