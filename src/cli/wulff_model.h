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

// The cell and the symmetry as the wulff command takes them: a cell and one of
// a point-group symbol, a point-group number 1..33 or a space group.
struct WulffSymmetry {
  std::optional<UnitCell> cell;
  std::string group, groupNumber, spaceGroup;
  std::string cif, block;  // a CIF file (and its data block) giving both
};
// The point group, and the cell on its axes with the values its lattice class
// forces; the message when they are not given or not right. A CIF gives the
// cell and the space group it states, on the point group's axes.
std::optional<std::string> ResolveWulffSymmetry(const WulffSymmetry& given, UnitCell& cell,
                                                int& group);

// "model units", or "J/m^2 as lengths" for a table in J/m^2.
std::string WulffLengthUnit(WulffKind kind, const std::string& unit);

// The message (the table's line and the reason, or how the shape stays open)
// when the table is refused.
std::optional<std::string> BuildWulffModel(const UnitCell& cell, int pointGroup,
                                           std::string_view tableText, WulffKind kind,
                                           WulffModel& out);

}  // namespace habitopia::cli
