#include "cli/json_writer.h"

#include <charconv>
#include <cmath>

#include "core/numbers.h"

namespace habitopia::cli {

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_.push_back(',');
    first_.back() = 0;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  first_.push_back(1);
}

void JsonWriter::Close(char bracket) {
  out_ += bracket;
  first_.pop_back();
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  AppendQuoted(name);
  out_.push_back(':');
  afterKey_ = true;
}

void JsonWriter::String(std::string_view text) {
  BeforeValue();
  AppendQuoted(text);
}

void JsonWriter::AppendQuoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out_ += '"';
  bool plain = true;
  for (const char c : text)
    plain = plain && c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20;
  if (plain) {
    out_ += text;
    out_ += '"';
    return;
  }
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (code < 0x20) {
      out_ += "\\u00";
      out_ += kHex[code >> 4];
      out_ += kHex[code & 15];
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

void JsonWriter::Number(long double value) {
  BeforeValue();
  if (std::isfinite(value))
    AppendSignificant(out_, value, 17);
  else
    out_ += "null";
}

void JsonWriter::Integer(long long value) {
  BeforeValue();
  char text[24];
  out_.append(text, std::to_chars(text, text + sizeof text, value).ptr);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

}  // namespace habitopia::cli
