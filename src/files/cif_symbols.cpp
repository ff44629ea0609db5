// Colour names and point-group symbols of the CIF exchange.

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

// Crystal-class symbols in every setting and in short and full form.
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

int PointGroupOfClassSymbol(std::string_view classSymbol) {
  for (const SymbolGroup& spelling : kClassSpellings)
    if (spelling.symbol == classSymbol) return spelling.group;
  return 0;
}

}  // namespace habitopia
