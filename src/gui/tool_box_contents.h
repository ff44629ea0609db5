#pragma once
// The contents of the tool boxes the tool-box host lays over the tables.

#include "app/main_form.h"

namespace habitopia::gui {

class CalculationsBox;
class CleavageFaceBox;
class GroupWizardBox;
class ShapePredictionBox;
class ToolBoxHost;
class TwinToolBox;

class ToolBoxContents {
 public:
  // The boxes belong to the host's group boxes.
  ToolBoxContents(MainForm& form, ToolBoxHost& host);
  void Show(const FormState& state, const FormChanges& changes);

  ShapePredictionBox& Prediction() const { return *prediction_; }
  CalculationsBox& Calculations() const { return *calculations_; }
  TwinToolBox& Twin() const { return *twin_; }
  CleavageFaceBox& Cleavage() const { return *cleavage_; }
  GroupWizardBox& Wizard() const { return *wizard_; }

 private:
  ShapePredictionBox* prediction_;
  CalculationsBox* calculations_;
  TwinToolBox* twin_;
  CleavageFaceBox* cleavage_;
  GroupWizardBox* wizard_;
};

}  // namespace habitopia::gui
