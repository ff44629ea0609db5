#include "files/text_cursor.h"

namespace habitopia {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string QuotedExcerpt(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return "\"" + std::string(text) + "\"";
  return "\"" + std::string(text.substr(0, limit)) + "...\"";
}

void TextCursor::PassLineEnd() {
  if (AtEnd()) return;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (!AtEnd() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  } else {
    return;
  }
  ++line_;
}

std::string_view TextCursor::NextToken(int& line) {
  while (!AtEnd()) {
    if (IsBlank(text_[pos_]))
      ++pos_;
    else if (AtLineEnd())
      PassLineEnd();
    else
      break;
  }
  line = line_;
  const std::size_t start = pos_;
  while (!AtLineEnd() && !IsBlank(text_[pos_])) ++pos_;
  return text_.substr(start, pos_ - start);
}

bool TextCursor::SeekLineEnd() {
  while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  return AtLineEnd();
}

std::string_view TextCursor::RestOfLine() {
  const std::size_t start = pos_;
  while (!AtLineEnd()) ++pos_;
  return text_.substr(start, pos_ - start);
}

std::string TextCursor::ReadLine() {
  std::string line(RestOfLine());
  PassLineEnd();
  return line;
}

void TextCursor::SkipLine() {
  RestOfLine();
  PassLineEnd();
}

bool TextCursor::OnlyBlankLeft() const {
  for (std::size_t i = pos_; i < text_.size(); ++i) {
    const char c = text_[i];
    if (!IsBlank(c) && c != '\r' && c != '\n') return false;
  }
  return true;
}

}  // namespace habitopia
