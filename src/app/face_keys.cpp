#include "app/face_keys.h"

namespace habitopia {

char ConvertSeparator(char key, bool decimalComma) {
  if (decimalComma && key == '.') return ',';
  if (!decimalComma && key == ',') return '.';
  return key;
}

KeyVerdict FilterGridKey(const GridKey& where, char key) {
  KeyVerdict verdict;
  if (key == kSuppressedKey || kAllowedGridKeys.find(key) == std::string_view::npos) {
    verdict.message = kWrongIndicesMessage;
    return verdict;
  }
  if (key == '-' && where.column == 1) {
    verdict.message = kDistanceSignMessage;
    return verdict;
  }
  key = ConvertSeparator(key, where.decimalComma);
  const char separator = where.decimalComma ? ',' : '.';
  const bool separatorInCell = where.cellText.find(separator) != std::string_view::npos;
  if (where.list == FaceList::Full && key == separator && separatorInCell) {
    verdict.message = kWrongIndicesMessage;
    return verdict;
  }
  if (where.list == FaceList::Unique && where.column == 0 && !where.icosahedral &&
      (separatorInCell || key == separator))
    verdict.statusNote = kIntegerIndicesNote;
  verdict.key = key;
  return verdict;
}

}  // namespace habitopia
