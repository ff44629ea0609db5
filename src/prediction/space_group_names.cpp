#include "prediction/space_group_names.h"

#include <cctype>

namespace habitopia {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Trimmed(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.size() >= 2 && (text.front() == '\'' || text.front() == '"') &&
      text.back() == text.front())
    return Trimmed(text.substr(1, text.size() - 2));
  std::string out;
  for (char c : text) out += c == '\t' ? ' ' : c;
  return out;
}

// "2~1~", "2_1" and "2(1)" become "21".
std::string WithPlainSubscripts(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '~') continue;
    if (c == '_' && !out.empty() && IsDigit(out.back()) && i + 1 < s.size() && IsDigit(s[i + 1]))
      continue;
    if (c == '(' && !out.empty() && IsDigit(out.back()) && i + 2 < s.size() && IsDigit(s[i + 1]) &&
        s[i + 2] == ')') {
      out += s[i + 1];
      i += 2;
      continue;
    }
    out += c;
  }
  return out;
}

std::string WithoutBlanksAroundSlash(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ' ') {
      const auto next = s.find_first_not_of(' ', i);
      if ((next != std::string::npos && s[next] == '/') || (!out.empty() && out.back() == '/'))
        continue;
    }
    out += s[i];
  }
  return out;
}

// A three-fold right after a mirror or glide letter is the cubic -3.
std::string WithCubicBar(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '3' && i > 0 && (i + 1 == s.size() || !IsDigit(s[i + 1]))) {
      std::size_t j = out.size();
      while (j > 0 && out[j - 1] == ' ') --j;
      if (j > 1 && std::string_view("mnabcde").find(out[j - 1]) != std::string_view::npos)
        out += '-';
    }
    out += s[i];
  }
  return out;
}

// "R -3 m H" is "R -3 m:H".
std::string WithSettingColon(std::string s) {
  if (s.empty() || (s[0] != 'R' && s[0] != 'r') || s.find(':') != std::string::npos) return s;
  const auto last = s.find_last_not_of(' ');
  if (last == std::string::npos || last < 2 || s[last - 1] != ' ') return s;
  const char setting = static_cast<char>(std::toupper(static_cast<unsigned char>(s[last])));
  if (setting != 'H' && setting != 'R') return s;
  return s.substr(0, last - 1) + ":" + setting;
}

}  // namespace

std::string NormaliseHermannMauguin(std::string_view symbol) {
  std::string s = Trimmed(symbol);
  // Letters after the lattice letter are lower case except the setting after ":".
  for (std::size_t i = 1; i < s.size() && s[i] != ':'; ++i)
    s[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
  s = WithPlainSubscripts(s);
  s = WithoutBlanksAroundSlash(s);
  s = WithCubicBar(s);
  return WithSettingColon(s);
}

}  // namespace habitopia
