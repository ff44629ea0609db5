#pragma once
// "Shape Prediction": translation selectors, space group, hkl-max and polarity
// sliders, the clean-up switches and the prediction button.

#include <QWidget>
#include <array>
#include <vector>

#include "app/main_form.h"

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace habitopia::gui {

class ShapePredictionBox : public QWidget {
  Q_OBJECT

 public:
  ShapePredictionBox(MainForm& form, QGroupBox* box);
  void Show(const FormState& state, const FormChanges& changes);
  QPushButton* PredictButton() const { return predict_; }

 private:
  struct Choice {
    TranslationSlot slot;
    int value;
    QAbstractButton* button;
  };
  QGroupBox* AddPanel(const QString& name, TranslationSlot slot,
                      const std::vector<std::pair<QString, int>>& choices,
                      TranslationSlot screwSlot,
                      const std::vector<std::pair<QString, int>>& screws);
  void Do(const std::function<void()>& event) { form_.ToolEvent(event); }

  MainForm& form_;
  std::vector<Choice> choices_;
  QGroupBox* bravais_ = nullptr;
  std::array<QGroupBox*, 3> glidePanels_{};
  QLineEdit* spaceGroup_ = nullptr;
  QLabel* spaceGroupNote_ = nullptr;
  QSlider* hklMax_ = nullptr;
  QLabel* hklMaxLabel_ = nullptr;
  QSlider* polarity_ = nullptr;
  QLabel* polarityLabel_ = nullptr;
  QCheckBox* higherOrders_ = nullptr;
  QCheckBox* cleanup_ = nullptr;
  QPushButton* predict_ = nullptr;
};

}  // namespace habitopia::gui
