#pragma once
// The crystal of a table of one value per form (surface energies, growth rates,
// attachment energies) on a cell and a point group: the wulff command, batch
// runs and the Python module build it the same way.

#include <optional>
#include <string>
#include <string_view>

#include "core/model.h"
#include "prediction/wulff_table.h"
#include "tools/shape_descriptors.h"

namespace habitopia::cli {

struct WulffModel {
  WulffTable table;
  CrystalModel model;
  bool limited = false;          // faces left out at the face limit
  ShapeDescriptors descriptors;  // with the energy figures for surface energies
};

// The message (the table's line and the reason, or how the shape stays open)
// when the table is refused.
std::optional<std::string> BuildWulffModel(const UnitCell& cell, int pointGroup,
                                           std::string_view tableText, WulffKind kind,
                                           WulffModel& out);

}  // namespace habitopia::cli
