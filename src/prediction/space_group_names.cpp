#include "prediction/space_group_names.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace habitopia {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The symbol without quotes and outer blanks, tabs read as blanks.
std::string Trimmed(std::string_view text) {
  std::string out = UnquotedSymbol(text);
  std::replace(out.begin(), out.end(), '\t', ' ');
  return out;
}

// "2~1~", "2_1" and "2(1)" become "21"; a remark in parentheses is dropped.
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
    // A remark such as "(No. 19)"; a change of basis "(x,y,z)" or "(0 0 1)" is kept.
    if (c == '(' && i + 1 < s.size() && std::isalpha(static_cast<unsigned char>(s[i + 1])) &&
        std::string_view("xyzXYZ").find(s[i + 1]) == std::string_view::npos) {
      const auto close = s.find(')', i);
      if (close == std::string::npos) break;
      while (!out.empty() && out.back() == ' ') out.pop_back();
      i = close;
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

// Full symbols in their short form: "P 21/n 21/m 21/a" is "P n m a", "F 4/m -3 2/m"
// "F m -3 m", "P 63/m 2/m 2/c" "P 63/m m c". Monoclinic full symbols ("P 1 21/c 1")
// are kept: the table reads them as they are.
std::string ShortFromFull(const std::string& s) {
  std::vector<std::string> words;
  std::string word;
  for (char c : s + " ") {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (words.size() < 3 || words[0].find(':') != std::string::npos) return s;
  for (std::size_t i = 1; i < words.size(); ++i)
    if (words[i] == "1") return s;
  const bool cubic = words[2] == "3" || words[2] == "-3";
  const bool principal = !cubic && (words[1][0] == '4' || words[1][0] == '6');
  std::string out = words[0];
  for (std::size_t i = 1; i < words.size(); ++i) {
    std::string w = words[i];
    const auto slash = w.find('/');
    if (slash != std::string::npos && !(principal && i == 1)) w = w.substr(slash + 1);
    out += " " + w;
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

std::string UnquotedSymbol(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.size() >= 2 && (text.front() == '\'' || text.front() == '"') &&
      text.back() == text.front())
    return UnquotedSymbol(text.substr(1, text.size() - 2));
  return std::string(text);
}

std::string NormaliseHermannMauguin(std::string_view symbol) {
  std::string s = Trimmed(symbol);
  // Letters after the lattice letter are lower case except the setting after ":".
  for (std::size_t i = 1; i < s.size() && s[i] != ':'; ++i)
    s[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
  s = WithPlainSubscripts(s);
  s = WithoutBlanksAroundSlash(s);
  s = WithCubicBar(s);
  s = WithSettingColon(s);
  const auto colon = s.find(':');
  return ShortFromFull(s.substr(0, colon)) + (colon == std::string::npos ? "" : s.substr(colon));
}

}  // namespace habitopia
