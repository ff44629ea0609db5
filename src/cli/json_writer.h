#pragma once
// A small writer for the CLI's JSON output. Numbers carry 17 significant digits;
// values that are not finite are written as null.

#include <string>
#include <string_view>
#include <vector>

namespace habitopia::cli {

class JsonWriter {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(std::string_view name);
  void String(std::string_view text);
  void Number(long double value);
  void Integer(long long value);
  void Bool(bool value);

  // Room for a text of about this many characters, which saves regrowing it.
  void Reserve(std::size_t characters) { out_.reserve(characters); }
  const std::string& Text() const { return out_; }

 private:
  void BeforeValue();
  void AppendQuoted(std::string_view text);
  void Open(char bracket);
  void Close(char bracket);

  std::string out_;
  std::vector<char> first_;  // per open container: no element written yet
  bool afterKey_ = false;
};

}  // namespace habitopia::cli
