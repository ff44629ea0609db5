#pragma once
// The donation box: text only.

#include <QGroupBox>

class QLabel;

namespace habitopia::gui {

class DonationBox : public QGroupBox {
  Q_OBJECT

 public:
  explicit DonationBox(QWidget* parent = nullptr);

  QLabel* Text() const { return text_; }

 private:
  QLabel* text_ = nullptr;
};

}  // namespace habitopia::gui
