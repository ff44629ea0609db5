#pragma once
// Message boxes, questions and the common dialogs as the controller sees them.
// The window supplies Qt dialogs; tests supply scripted answers.

#include <functional>
#include <optional>
#include <string>

#include "core/display_settings.h"

namespace habitopia {

enum class Answer { Yes, No, Cancel };

// Which buttons a question offers.
enum class QuestionButtons { YesNo, YesNoCancel, YesCancel };

struct FileDialogRequest {
  std::string title;
  std::string filter;            // "Name (*.a *.b)|..." entries separated by '|'
  std::string defaultExtension;  // without the dot, appended when the user types none
  std::string initialDirectory;
  std::string fileName;  // proposed file name (save) or preset name (open)
};

struct FontChoice {
  std::string family;
  int points = 12;
  bool bold = false;
  bool italic = false;
  Rgb colour;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // An information box with one OK button; `caption` empty means the program's name.
  virtual void Message(const std::string& text, const std::string& caption = {}) = 0;
  // A question; Cancel is only answered when the buttons offer it, No only when
  // they offer No.
  virtual Answer Ask(const std::string& text, const std::string& caption,
                     QuestionButtons buttons) = 0;

  // Nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
  virtual std::optional<Rgb> Colour(const Rgb& initial) = 0;
  virtual std::optional<FontChoice> Font(const FontChoice& initial) = 0;
  // The font dialog with a colour and an Apply button, which hands the font
  // shown to `apply` without closing.
  virtual std::optional<FontChoice> LabelFont(
      const FontChoice& initial, const std::function<void(const FontChoice&)>& apply) = 0;
  // A folder chosen starting from `initial`; nothing when the user cancels.
  virtual std::optional<std::string> Folder(const std::string& initial) = 0;
};

}  // namespace habitopia
