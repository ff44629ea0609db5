#pragma once
// Reading position in a text file with the conventions of the model readers:
// numbers are blank-separated tokens that may be preceded by any run of blanks and
// line ends; a line ends with CR LF, LF or a lone CR.

#include <string>
#include <string_view>

namespace habitopia {

// A token quoted for a message: at most `limit` characters of it, "..." marking a cut.
std::string QuotedExcerpt(std::string_view text, std::size_t limit = 40);

class TextCursor {
 public:
  explicit TextCursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ >= text_.size(); }
  // 1-based number of the line holding the next character.
  int Line() const { return line_; }

  // Skips blanks, tabs and line ends, then returns the characters up to the next
  // blank, tab or line end. Empty at the end of the text; `line` is set to the
  // line the token starts on.
  std::string_view NextToken(int& line);

  // Skips blanks and tabs on the current line; true when the line (or text) ends there.
  bool SeekLineEnd();

  // The rest of the current line, without its line end; the cursor moves past the line end.
  std::string ReadLine();
  // The rest of the current line; the cursor stays before the line end.
  std::string_view RestOfLine();
  // Moves past the next line end (or to the end of the text).
  void SkipLine();

  // True when only blanks, tabs and line ends remain.
  bool OnlyBlankLeft() const;

 private:
  bool AtLineEnd() const { return AtEnd() || text_[pos_] == '\r' || text_[pos_] == '\n'; }
  void PassLineEnd();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace habitopia
