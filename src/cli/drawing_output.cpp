#include "cli/drawing_output.h"

#include <variant>

#include "drawing/pdf_drawing.h"
#include "files/file_io.h"

namespace habitopia::cli {

bool IsDrawingOutput(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == ".svg" || extension == ".pdf";
}

int WriteDrawing(const InputOutput& arguments, const std::string& svg, const std::string& title,
                 const BuiltModel& built) {
  if (LowerExtension(arguments.output) != ".pdf") return WriteBuiltOutput(arguments, svg, built);
  auto pdf = SvgToPdf(svg, title);
  if (const auto* failure = std::get_if<PdfFailure>(&pdf)) return Fail(failure->message);
  return WriteBuiltOutput(arguments, std::get<std::string>(pdf), built);
}

}  // namespace habitopia::cli
