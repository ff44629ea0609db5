// Colour names, point-group symbols and the space-group table of the CIF exchange.

#include <algorithm>
#include <cctype>
#include <string>

#include "files/cif.h"

namespace habitopia {

const std::array<NamedColour, 20> kStandardColours{{
    {"Black", 0},        {"Maroon", 128},          {"Green", 32768},
    {"Olive", 32896},    {"Navy", 8388608},        {"Purple", 8388736},
    {"Teal", 8421376},   {"Gray", 8421504},        {"Silver", 12632256},
    {"Red", 255},        {"Lime", 65280},          {"Yellow", 65535},
    {"Blue", 16711680},  {"Fuchsia", 16711935},    {"Aqua", 16776960},
    {"White", 16777215}, {"MoneyGreen", 12639424}, {"SkyBlue", 15780518},
    {"Cream", 15793151}, {"MedGray", 10789024},
}};

const std::array<NamedColour, 34> kCrystalColours{{
    {"light-red", 8421631},     {"light-yellow", 8454143}, {"pale-green", 8454016},
    {"light-blue", 8453888},    {"pale-blue", 16744448},   {"intense-pink", 12615935},
    {"pink", 16744703},         {"intense-green", 65408},  {"intense-green", 4259584},
    {"blue-green", 12615680},   {"gray-blue", 12615808},   {"dark-red", 4210816},
    {"yellow-orange", 4227327}, {"green-blue", 8404992},   {"pale-blue", 16744576},
    {"intense-red", 4194432},   {"dark-pink", 8388863},    {"orange", 33023},
    {"brown-green", 4227072},   {"pink-blue", 10485760},   {"purple-blue", 16711808},
    {"dark-brown", 64},         {"brown", 16512},          {"dark-green", 16384},
    {"blue-green", 4210688},    {"dark-blue", 4194304},    {"dark-purple", 4194368},
    {"blue-pink", 8388672},     {"gold", 4227200},         {"dark-purple", 8421440},
    {"dark-pink", 4194368},     {"colorless", 16777215},   {"colourless", 16777215},
    {"clear", 16777215},
}};

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// Export symbols of the point groups 1..33.
constexpr std::array<std::string_view, 33> kPointGroupSymbols{
    "1",   "-1",        "2",   "m",     "2/m",      "22",   "mm2", "2/m2/m2/m", "3",
    "32",  "-3",        "3m",  "-32/m", "4",        "42",   "-4",  "4m",        "-42m",
    "4/m", "4/m2/m2/m", "6",   "62",    "-6",       "6m",   "-62", "6/m",       "6/m2/m2/m",
    "23",  "2/m-3",     "432", "-43m",  "4/m-32/m", "-5-32"};

struct SymbolGroup {
  std::string_view symbol;
  int group;
};

// Spellings of a space group's symbol reduced to its point group (lattice letter
// dropped, screw subscripts dropped, glide planes written as mirrors), in every
// setting and in short and full form.
constexpr SymbolGroup kClassSpellings[] = {
    {"1", 1},         {"-1", 2},         {"2", 3},          {"121", 3},     {"112", 3},
    {"211", 3},       {"m", 4},          {"1m1", 4},        {"11m", 4},     {"m11", 4},
    {"2/m", 5},       {"12/m1", 5},      {"112/m", 5},      {"2/m11", 5},   {"222", 6},
    {"mm2", 7},       {"m2m", 7},        {"2mm", 7},        {"mmm", 8},     {"2/m2/m2/m", 8},
    {"3", 9},         {"32", 10},        {"321", 10},       {"312", 10},    {"-3", 11},
    {"3m", 12},       {"3m1", 12},       {"31m", 12},       {"-3m", 13},    {"-3m1", 13},
    {"-31m", 13},     {"-32/m", 13},     {"-32/m1", 13},    {"-312/m", 13}, {"4", 14},
    {"422", 15},      {"-4", 16},        {"4mm", 17},       {"-42m", 18},   {"-4m2", 18},
    {"4/m", 19},      {"4/mmm", 20},     {"4/m2/m2/m", 20}, {"6", 21},      {"622", 22},
    {"-6", 23},       {"6mm", 24},       {"-6m2", 25},      {"-62m", 25},   {"6/m", 26},
    {"6/mmm", 27},    {"6/m2/m2/m", 27}, {"23", 28},        {"m-3", 29},    {"m3", 29},
    {"2/m-3", 29},    {"432", 30},       {"-43m", 31},      {"m-3m", 32},   {"m3m", 32},
    {"4/m-32/m", 32}, {"4/m32/m", 32},
};

// Standard short symbols of the 230 space groups, by number.
constexpr std::array<std::string_view, 230> kSpaceGroups{
    "P 1",        "P -1",       "P 2",        "P 21",       "C 2",        "P m",
    "P c",        "C m",        "C c",        "P 2/m",      "P 21/m",     "C 2/m",
    "P 2/c",      "P 21/c",     "C 2/c",      "P 2 2 2",    "P 2 2 21",   "P 21 21 2",
    "P 21 21 21", "C 2 2 21",   "C 2 2 2",    "F 2 2 2",    "I 2 2 2",    "I 21 21 21",
    "P m m 2",    "P m c 21",   "P c c 2",    "P m a 2",    "P c a 21",   "P n c 2",
    "P m n 21",   "P b a 2",    "P n a 21",   "P n n 2",    "C m m 2",    "C m c 21",
    "C c c 2",    "A m m 2",    "A e m 2",    "A m a 2",    "A e a 2",    "F m m 2",
    "F d d 2",    "I m m 2",    "I b a 2",    "I m a 2",    "P m m m",    "P n n n",
    "P c c m",    "P b a n",    "P m m a",    "P n n a",    "P m n a",    "P c c a",
    "P b a m",    "P c c n",    "P b c m",    "P n n m",    "P m m n",    "P b c n",
    "P b c a",    "P n m a",    "C m c m",    "C m c e",    "C m m m",    "C c c m",
    "C m m e",    "C c c e",    "F m m m",    "F d d d",    "I m m m",    "I b a m",
    "I b c a",    "I m m a",    "P 4",        "P 41",       "P 42",       "P 43",
    "I 4",        "I 41",       "P -4",       "I -4",       "P 4/m",      "P 42/m",
    "P 4/n",      "P 42/n",     "I 4/m",      "I 41/a",     "P 4 2 2",    "P 4 21 2",
    "P 41 2 2",   "P 41 21 2",  "P 42 2 2",   "P 42 21 2",  "P 43 2 2",   "P 43 21 2",
    "I 4 2 2",    "I 41 2 2",   "P 4 m m",    "P 4 b m",    "P 42 c m",   "P 42 n m",
    "P 4 c c",    "P 4 n c",    "P 42 m c",   "P 42 b c",   "I 4 m m",    "I 4 c m",
    "I 41 m d",   "I 41 c d",   "P -4 2 m",   "P -4 2 c",   "P -4 21 m",  "P -4 21 c",
    "P -4 m 2",   "P -4 c 2",   "P -4 b 2",   "P -4 n 2",   "I -4 m 2",   "I -4 c 2",
    "I -4 2 m",   "I -4 2 d",   "P 4/m m m",  "P 4/m c c",  "P 4/n b m",  "P 4/n n c",
    "P 4/m b m",  "P 4/m n c",  "P 4/n m m",  "P 4/n c c",  "P 42/m m c", "P 42/m c m",
    "P 42/n b c", "P 42/n n m", "P 42/m b c", "P 42/m n m", "P 42/n m c", "P 42/n c m",
    "I 4/m m m",  "I 4/m c m",  "I 41/a m d", "I 41/a c d", "P 3",        "P 31",
    "P 32",       "R 3",        "P -3",       "R -3",       "P 3 1 2",    "P 3 2 1",
    "P 31 1 2",   "P 31 2 1",   "P 32 1 2",   "P 32 2 1",   "R 3 2",      "P 3 m 1",
    "P 3 1 m",    "P 3 c 1",    "P 3 1 c",    "R 3 m",      "R 3 c",      "P -3 1 m",
    "P -3 1 c",   "P -3 m 1",   "P -3 c 1",   "R -3 m",     "R -3 c",     "P 6",
    "P 61",       "P 65",       "P 62",       "P 64",       "P 63",       "P -6",
    "P 6/m",      "P 63/m",     "P 6 2 2",    "P 61 2 2",   "P 65 2 2",   "P 62 2 2",
    "P 64 2 2",   "P 63 2 2",   "P 6 m m",    "P 6 c c",    "P 63 c m",   "P 63 m c",
    "P -6 m 2",   "P -6 c 2",   "P -6 2 m",   "P -6 2 c",   "P 6/m m m",  "P 6/m c c",
    "P 63/m c m", "P 63/m m c", "P 2 3",      "F 2 3",      "I 2 3",      "P 21 3",
    "I 21 3",     "P m -3",     "P n -3",     "F m -3",     "F d -3",     "I m -3",
    "P a -3",     "I a -3",     "P 4 3 2",    "P 42 3 2",   "F 4 3 2",    "F 41 3 2",
    "I 4 3 2",    "P 43 3 2",   "P 41 3 2",   "I 41 3 2",   "P -4 3 m",   "F -4 3 m",
    "I -4 3 m",   "P -4 3 n",   "F -4 3 c",   "I -4 3 d",   "P m -3 m",   "P n -3 n",
    "P m -3 n",   "P n -3 m",   "F m -3 m",   "F m -3 c",   "F d -3 m",   "F d -3 c",
    "I m -3 m",   "I a -3 d",
};

// Last space-group number of each crystal class, with the class's point group.
struct ClassRange {
  int last;
  int group;
};
constexpr ClassRange kClassRanges[] = {
    {1, 1},    {2, 2},    {5, 3},    {9, 4},    {15, 5},   {24, 6},   {46, 7},   {74, 8},
    {80, 14},  {82, 16},  {88, 19},  {98, 15},  {110, 17}, {122, 18}, {142, 20}, {146, 9},
    {148, 11}, {155, 10}, {161, 12}, {167, 13}, {173, 21}, {174, 23}, {176, 26}, {182, 22},
    {186, 24}, {190, 25}, {194, 27}, {199, 28}, {206, 29}, {214, 30}, {220, 31}, {230, 32},
};

std::string WithoutBlanks(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ' && c != '_' && c != '\t') out += c;
  return out;
}

// The symbol without quotes, without a setting suffix (":H", ":2") or a
// parenthesised remark, blanks trimmed.
std::string CleanSymbol(std::string_view text) {
  std::string s;
  for (char c : text) {
    if (c == ':' || c == '(') break;
    if (c == '\'' || c == '"') continue;
    s += c == '\t' ? ' ' : c;
  }
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Lattice letter, screw subscripts and setting letters dropped, glide planes
// written as mirrors: "P 63/m m c" gives "6/mmm", "P 1 21/c 1" gives "12/m1".
std::string ClassSymbolOf(std::string_view symbol) {
  std::string out;
  bool latticeSeen = false;
  std::size_t i = 0;
  while (i < symbol.size()) {
    if (symbol[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t end = std::min(symbol.find(' ', i), symbol.size());
    bool previousKeptScrewDigit = false;
    for (std::size_t j = i; j < end; ++j) {
      const char c = symbol[j];
      const bool isDigit = c >= '1' && c <= '6';
      if (std::isupper(static_cast<unsigned char>(c))) {
        latticeSeen = true;  // lattice letter or a setting letter
        previousKeptScrewDigit = false;
        continue;
      }
      if (isDigit && previousKeptScrewDigit) {  // screw-axis subscript
        previousKeptScrewDigit = false;
        continue;
      }
      previousKeptScrewDigit = false;
      if (isDigit) {
        out += c;
        previousKeptScrewDigit = c != '1';
      } else if (c == '-' || c == '/' || c == 'm') {
        out += c;
      } else if (c == 'a' || c == 'b' || c == 'c' || c == 'd' || c == 'e' || c == 'n' || c == 'g') {
        out += 'm';
      }
    }
    i = end;
  }
  if (!latticeSeen) return {};
  return out;
}

}  // namespace

std::optional<long long> CifColourValue(std::string_view word) {
  for (const NamedColour& colour : kStandardColours)
    if (EqualIgnoringCase(word, colour.name)) return colour.value;
  std::optional<long long> value;
  for (const NamedColour& colour : kCrystalColours)
    if (word == colour.name) value = colour.value;
  return value;
}

std::optional<std::string> CifColourWord(long long value) {
  for (const NamedColour& colour : kStandardColours)
    if (colour.value == value) return std::string(colour.name);
  std::optional<std::string> word;
  for (std::size_t i = 0; i < 33; ++i)
    if (kCrystalColours[i].value == value) word = std::string(kCrystalColours[i].name);
  return word;
}

std::string CifLustreWord(Real t) {
  if (t <= 0.05L) return "metallic";
  if (t < 0.1L) return "dull";
  return "clear";
}

std::string_view CifPointGroupSymbol(int pointGroup) {
  if (pointGroup < 1 || pointGroup > 33) return {};
  return kPointGroupSymbols[pointGroup - 1];
}

int CifPointGroupFromSymbol(std::string_view symbol) {
  for (int g = 1; g <= 33; ++g)
    if (kPointGroupSymbols[g - 1] == symbol) return g;
  return 0;
}

int CifPointGroupFromDerivedSymbol(std::string_view symbol) {
  if (symbol == "121") return 3;
  if (symbol == "1m1") return 4;
  if (symbol == "12/m1") return 5;
  if (symbol == "mmm") return 8;
  if (symbol == "222") return 6;
  if (symbol == "22") return 0;
  return CifPointGroupFromSymbol(symbol);
}

int PointGroupOfSpaceGroupNumber(int number) {
  if (number < 1 || number > 230) return 0;
  for (const ClassRange& range : kClassRanges)
    if (number <= range.last) return range.group;
  return 0;
}

std::string_view SpaceGroupShortSymbol(int number) {
  if (number < 1 || number > 230) return {};
  return kSpaceGroups[number - 1];
}

int PointGroupOfSpaceGroupSymbol(std::string_view text) {
  const std::string symbol = CleanSymbol(text);
  if (symbol.empty()) return 0;
  // The standard symbols, written with or without blanks.
  const std::string compact = WithoutBlanks(symbol);
  for (int n = 1; n <= 230; ++n)
    if (WithoutBlanks(kSpaceGroups[n - 1]) == compact) return PointGroupOfSpaceGroupNumber(n);
  // Any other setting or spelling: reduce the symbol to its crystal class.
  return PointGroupOfClassSymbol(ClassSymbolOf(symbol));
}

std::string SpaceGroupClassSymbol(std::string_view symbol) {
  return ClassSymbolOf(CleanSymbol(symbol));
}

int PointGroupOfClassSymbol(std::string_view classSymbol) {
  for (const SymbolGroup& spelling : kClassSpellings)
    if (spelling.symbol == classSymbol) return spelling.group;
  return 0;
}

}  // namespace habitopia
