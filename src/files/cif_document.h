#pragma once
// A CIF file's data blocks as gemmi's parser reads them: the items and loops of
// each block, values as written (quotes and text-field markers kept). Plain
// C++17 so that the parser's translation unit can be built in that dialect.

#include <string>
#include <vector>

namespace habitopia {

struct CifItemText {
  std::string tag;
  std::string value;
};

struct CifLoopText {
  std::vector<std::string> tags;
  std::vector<std::string> values;  // row by row
};

struct CifBlockText {
  std::string name;  // "#" for a block whose heading has no name
  std::vector<CifItemText> items;
  std::vector<CifLoopText> loops;
};

struct CifDocumentText {
  std::vector<CifBlockText> blocks;
  // "line 31, column 53: unterminated 'string'" when the text is no CIF.
  std::string error;
};

// Parses `text`. A text that begins without a "data_" heading is read as one
// block without a name; duplicate tags and blocks are kept (the first counts).
CifDocumentText ParseCifDocument(const std::string& text);

// A value without its quotes or text-field markers.
std::string CifValueText(const std::string& raw);
// "?" (unknown) or "." (not applicable).
bool CifValueIsNull(const std::string& raw);

}  // namespace habitopia
