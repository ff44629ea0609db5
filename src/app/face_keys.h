#pragma once
// Key filters of the face grids and the cell boxes: which typed characters reach
// a cell, which are converted to the user's decimal separator, and what the user
// is told about the others.

#include <string>
#include <string_view>

namespace habitopia {

inline constexpr char kSuppressedKey = '\0';  // nothing is inserted
inline constexpr std::string_view kAllowedGridKeys = " -.,1234567890\b\r";

inline constexpr const char* kWrongIndicesMessage = "wrong input of indices";
inline constexpr const char* kDistanceSignMessage = "distance has to be>0";
inline constexpr const char* kIntegerIndicesNote = "? integer Millerindices";

enum class FaceList { Full, Unique };

struct KeyVerdict {
  char key = kSuppressedKey;  // what reaches the cell
  std::string message;        // a message box, empty for none
  std::string statusNote;     // status bar panel 5, empty for none
};

struct GridKey {
  FaceList list = FaceList::Full;
  int column = 0;             // 0 indices, 1 distance
  std::string_view cellText;  // the cell before the key
  bool decimalComma = false;
  bool icosahedral = false;  // the point group is "-5-32"
};

// The other decimal separator becomes the user's one.
char ConvertSeparator(char key, bool decimalComma);

KeyVerdict FilterGridKey(const GridKey& where, char key);

// The cell boxes a..gamma only convert the separator.
inline char FilterCellBoxKey(char key, bool decimalComma) {
  return ConvertSeparator(key, decimalComma);
}

}  // namespace habitopia
