#pragma once
// The home-page box: what the program is and where its manual is, with a way to
// the donation box.

#include <QGroupBox>

class QPushButton;
class QTextBrowser;

namespace habitopia {
class MainForm;
}

namespace habitopia::gui {

class HomePageBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit HomePageBox(MainForm& form, QWidget* parent = nullptr);

  QTextBrowser* Page() const { return page_; }
  QPushButton* DonationsButton() const { return donations_; }

 private:
  QTextBrowser* page_ = nullptr;
  QPushButton* donations_ = nullptr;
};

}  // namespace habitopia::gui
