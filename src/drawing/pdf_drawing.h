#pragma once
// Drawings as PDF: an SVG drawing of ours rendered by librsvg onto a cairo PDF
// surface, so the PDF holds the same vector content, with its fonts embedded
// (as subsets) and the SVG title as the document title. The page keeps the SVG's
// size at 96 pixels to the inch.

#include <string>
#include <variant>

namespace habitopia {

struct PdfFailure {
  std::string message;
};

// The PDF bytes, or why there are none (an SVG librsvg refuses, or a build
// without librsvg and cairo).
std::variant<std::string, PdfFailure> SvgToPdf(const std::string& svg, const std::string& title);

// Whether this build can write PDF.
bool PdfAvailable();

}  // namespace habitopia
