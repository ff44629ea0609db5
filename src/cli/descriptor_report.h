#pragma once
// The shape descriptors as "info --descriptors" and "wulff --descriptors" print
// them: a text table, or JSON with snake_case keys.

#include <ostream>
#include <string>

#include "cli/json_writer.h"
#include "tools/shape_descriptors.h"

namespace habitopia::cli {

// `lengthUnit` names the unit of the lengths ("model units", "J/m^2 as lengths").
void PrintDescriptors(const ShapeDescriptors& d, const std::string& lengthUnit, std::ostream& out);
// Writes the descriptors as one JSON object (the writer stands before a value).
void WriteDescriptorsJson(const ShapeDescriptors& d, const std::string& lengthUnit,
                          JsonWriter& json);

}  // namespace habitopia::cli
