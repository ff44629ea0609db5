// Built as C++17: gemmi 0.5's document header does not compile as C++20 with clang.

#include "files/cif_document.h"

#include <gemmi/cif.hpp>

#include <cstdio>

namespace habitopia {
namespace {

namespace cif = gemmi::cif;

// "cif:31:53: unterminated 'string'" as "line 31, column 53: unterminated 'string'";
// `lineShift` lines were put in front of the file's own.
std::string SyntaxMessage(const std::string& what, int lineShift) {
  int line = 0, column = 0;
  char rest[256] = {};
  if (std::sscanf(what.c_str(), "cif:%d:%d: %255[^\n]", &line, &column, rest) == 3)
    return "line " + std::to_string(line - lineShift) + ", column " + std::to_string(column) +
           ": " + rest;
  return what;
}

CifBlockText Copied(const cif::Block& block) {
  CifBlockText out;
  out.name = block.name;
  for (const cif::Item& item : block.items) {
    if (item.type == cif::ItemType::Pair) {
      out.items.push_back({item.pair[0], item.pair[1]});
    } else if (item.type == cif::ItemType::Loop) {
      out.loops.push_back({item.loop.tags, item.loop.values});
    }
  }
  return out;
}

}  // namespace

CifDocumentText ParseCifDocument(const std::string& text) {
  CifDocumentText result;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const std::string input = attempt == 0 ? text : "data_\n" + text;
    try {
      cif::Document doc;
      tao::pegtl::memory_input<> in(input.data(), input.size(), "cif");
      cif::parse_input(doc, in);
      for (const cif::Block& block : doc.blocks) result.blocks.push_back(Copied(block));
      result.error.clear();
      return result;
    } catch (const tao::pegtl::parse_error& e) {
      result.error = SyntaxMessage(e.what(), attempt);
      if (attempt == 0 && result.error.find("expected block header") == std::string::npos) break;
    } catch (const std::exception& e) {
      result.error = e.what();
      break;
    }
  }
  return result;
}

std::string CifValueText(const std::string& raw) { return cif::as_string(raw); }

bool CifValueIsNull(const std::string& raw) { return cif::is_null(raw); }

}  // namespace habitopia
