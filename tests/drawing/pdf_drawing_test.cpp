// PDF drawings: a page of the SVG's size with its title; SVG librsvg refuses is
// reported, not written.

#include "drawing/pdf_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace habitopia {
namespace {

TEST(PdfDrawing, OnePageOfTheSvgsSizeWithItsTitle) {
  if (!PdfAvailable()) GTEST_SKIP() << "built without librsvg and cairo";
  const std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"200\">"
      "<rect width=\"400\" height=\"200\" fill=\"#ff0000\"/>"
      "<text x=\"20\" y=\"100\" font-family=\"serif\">(1 0 0)</text></svg>";
  const auto pdf = SvgToPdf(svg, "cube, drawing");
  ASSERT_TRUE(std::holds_alternative<std::string>(pdf)) << std::get<PdfFailure>(pdf).message;
  const std::string& bytes = std::get<std::string>(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_NE(bytes.find("/MediaBox [ 0 0 300 150 ]"), std::string::npos);  // 96 pixels an inch
  EXPECT_NE(bytes.find("/Title (cube, drawing)"), std::string::npos);
  EXPECT_NE(bytes.find("/FontFile"), std::string::npos);  // the label's font, embedded

  const auto broken = SvgToPdf("<svg", "broken");
  ASSERT_TRUE(std::holds_alternative<PdfFailure>(broken));
  EXPECT_FALSE(std::get<PdfFailure>(broken).message.empty());
}

}  // namespace
}  // namespace habitopia
