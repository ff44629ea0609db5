#pragma once
// The drawing and the stereogram are written as SVG, or as PDF when the output
// file's extension is .pdf.

#include <string>

#include "cli/scene_model.h"

namespace habitopia::cli {

// Whether the output file names a drawing format (.svg or .pdf).
bool IsDrawingOutput(const std::string& path);

// Writes the SVG, or its PDF for a .pdf output; the exit status as WriteBuiltOutput.
int WriteDrawing(const InputOutput& arguments, const std::string& svg, const std::string& title,
                 const BuiltModel& built);

}  // namespace habitopia::cli
