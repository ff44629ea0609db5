// The binding: Python values in, the engine run without the GIL, Python values out.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "core/numbers.h"
#include "crystal.h"
#include "files/file_io.h"
#include "files/model_writer.h"
#include "symmetry/point_groups.h"

namespace py = pybind11;

namespace habitopia::python {

namespace {

// `count` numbers from a Python sequence; `notNumbers` or `wrongCount` when it is not that.
std::vector<double> NumbersArgument(const py::handle& value, std::size_t count,
                                    const std::string& notNumbers, const std::string& wrongCount) {
  std::vector<double> values;
  try {
    values = py::cast<std::vector<double>>(value);
  } catch (const py::cast_error&) {
    Refuse(notNumbers);
  }
  if (values.size() != count) Refuse(wrongCount);
  return values;
}

std::array<Real, 6> CellArgument(const py::handle& cell) {
  const std::vector<double> values =
      NumbersArgument(cell, 6, "cell: six numbers a b c alpha beta gamma",
                      "--cell needs six values: a b c alpha beta gamma");
  std::array<Real, 6> out{};
  for (int i = 0; i < 6; ++i) out[i] = values[i];
  return out;
}

// A symbol, or a number 1..33.
int PointGroupArgument(const py::handle& group) {
  if (py::isinstance<py::bool_>(group)) Refuse("point_group: a symbol or a number 1..33");
  if (py::isinstance<py::int_>(group))
    return PointGroupOf(py::str(group).cast<std::string>(), true);
  if (py::isinstance<py::str>(group)) return PointGroupOf(group.cast<std::string>(), false);
  Refuse("point_group: a symbol or a number 1..33");
}

std::vector<FaceInput> FacesArgument(const py::handle& faces) {
  std::vector<FaceInput> out;
  std::vector<std::vector<double>> rows;
  try {
    rows = py::cast<std::vector<std::vector<double>>>(faces);
  } catch (const py::cast_error&) {
    Refuse("faces: a list of (h, k, l, distance)");
  }
  for (const auto& row : rows) {
    if (row.size() != 4) Refuse("faces: a list of (h, k, l, distance)");
    out.push_back({row[0], row[1], row[2], row[3]});
  }
  return out;
}

std::array<std::string, 3> TripleText(const py::handle& values, const char* what) {
  const std::string wrong = std::string(what) + ": three numbers";
  const std::vector<double> v = NumbersArgument(values, 3, wrong, wrong);
  return {FormatGeneral(v[0]), FormatGeneral(v[1]), FormatGeneral(v[2])};
}

std::string Joined(const std::array<std::string, 3>& t) { return t[0] + " " + t[1] + " " + t[2]; }

py::tuple CellTuple(const UnitCell& c) {
  return py::make_tuple(static_cast<double>(c.a), static_cast<double>(c.b),
                        static_cast<double>(c.c), static_cast<double>(c.alpha),
                        static_cast<double>(c.beta), static_cast<double>(c.gamma));
}

}  // namespace

}  // namespace habitopia::python

using namespace habitopia;
using namespace habitopia::python;

PYBIND11_MODULE(_habitopia, m) {
  m.doc() = "The Habitopia crystal-morphology engine.";

  py::class_<Crystal>(m, "Crystal", R"doc(
A crystal: unit cell, point group and face table, built into its polyhedron.

Crystal(cell, point_group, faces, expand=False, name="crystal")

cell         (a, b, c, alpha, beta, gamma), lengths in any unit, angles in degrees
point_group  a symbol ("m-3m", "4/m3", "-1", "532") or a number 1..33
faces        [(h, k, l, distance), ...], the unique faces; the central distances
             set the shape (their unit is the unit of the corner positions)
expand       complete the faces by the point group, as "to All" does
name         the model's name inside exported files

A crystal does not change: twin() and cleave() give new crystals, and threads
may share one. Bad input
raises ValueError with the message habitopia-cli gives.)doc")
      .def(py::init([](py::object cell, py::object pointGroup, py::object faces, bool expand,
                       std::string name) {
             const auto cellValues = CellArgument(cell);
             const auto faceValues = FacesArgument(faces);
             const int group = PointGroupArgument(pointGroup);
             py::gil_scoped_release release;
             return MakeCrystal(cellValues, group, faceValues, expand, name);
           }),
           py::arg("cell"), py::arg("point_group"), py::arg("faces"), py::arg("expand") = false,
           py::arg("name") = "crystal")
      .def_static(
          "read",
          [](const std::filesystem::path& path, const std::string& block) {
            py::gil_scoped_release release;
            return ReadCrystal(path.string(), block);
          },
          py::arg("path"), py::arg("block") = "",
          "Read a model (.mor), a CIF file's crystal (.cif; `block` names the data block) "
          "or the model embedded in a scene (.wrl, .wrz).")
      .def(
          "write",
          [](const Crystal& c, const std::filesystem::path& path, bool embed) {
            py::gil_scoped_release release;
            WriteCrystal(c, path.string(), embed);
          },
          py::arg("path"), py::arg("embed") = false,
          "Write the file the extension names (.mor .wrl .wrz .stl .glb .obj .3mf .svg .cif), "
          "byte for byte as habitopia-cli writes it from this crystal's model file; `embed` "
          "appends the model to a scene. Nothing is written when the crystal cannot be.")
      .def_property_readonly(
          "vertices",
          [](const Crystal& c) {
            const auto& corners = c.summary->cornerPositions;
            py::array_t<double> out({static_cast<py::ssize_t>(corners.size()), py::ssize_t{3}});
            auto view = out.mutable_unchecked<2>();
            for (std::size_t i = 0; i < corners.size(); ++i)
              for (int j = 0; j < 3; ++j) view(i, j) = static_cast<double>(corners[i][j]);
            return out;
          },
          "Corner positions, N x 3, Cartesian, in the unit of the central distances.")
      .def_property_readonly("_face_rows",
                             [](const Crystal& c) {
                               py::list rows;
                               for (const auto& f : c.summary->faces)
                                 rows.append(py::make_tuple(
                                     f.index, static_cast<double>(f.h), static_cast<double>(f.k),
                                     static_cast<double>(f.l), static_cast<double>(f.distance),
                                     f.present, static_cast<double>(f.area), f.cornerIndices));
                               return rows;
                             })
      .def_property_readonly(
          "volume", [](const Crystal& c) { return static_cast<double>(c.summary->volume); },
          "Volume, in the unit of the central distances cubed.")
      .def_property_readonly(
          "surface", [](const Crystal& c) { return static_cast<double>(c.summary->surface); },
          "Total face area.")
      .def_property_readonly(
          "closed", [](const Crystal& c) { return c.summary->closed; },
          "Whether the faces close the crystal.")
      .def_property_readonly(
          "point_group", [](const Crystal& c) { return c.summary->pointGroup; },
          "The point group's number, 1..33.")
      .def_property_readonly("point_group_symbol",
                             [](const Crystal& c) { return c.summary->pointGroupSymbol; })
      .def_property_readonly(
          "cell", [](const Crystal& c) { return CellTuple(c.document.cell); },
          "(a, b, c, alpha, beta, gamma) as given.")
      .def_property_readonly(
          "unique_faces",
          [](const Crystal& c) {
            py::list rows;
            for (const auto& u : c.document.uniqueFaces)
              rows.append(py::make_tuple(static_cast<double>(u.h), static_cast<double>(u.k),
                                         static_cast<double>(u.l),
                                         static_cast<double>(u.distance)));
            return rows;
          },
          "The unique faces, [(h, k, l, distance), ...].")
      .def_property_readonly(
          "distance_scale",
          [](const Crystal& c) { return static_cast<double>(c.summary->distanceScale); },
          "The mean central distance the construction scales by.")
      .def_readonly("name", &Crystal::name, "The model's name inside exported files.")
      .def_readonly("length_unit", &Crystal::lengthUnit, "The unit of the descriptors' lengths.")
      .def_readonly("source", &Crystal::source,
                    "The file the crystal was read from, else its name.")
      .def(
          "_descriptors_json",
          [](const Crystal& c, py::object energies) {
            const bool asEnergies = energies.is_none() ? c.energies : energies.cast<bool>();
            py::gil_scoped_release release;
            return DescriptorsJson(c, asEnergies);
          },
          py::arg("energies") = py::none())
      .def(
          "model_text",
          [](const Crystal& c) {
            const std::string text = FormatModelText(c.document);
            return py::bytes(text);
          },
          "The model file (.mor) as bytes.")
      .def(
          "svg",
          [](const Crystal& c) {
            py::gil_scoped_release release;
            return DrawingSvg(c);
          },
          "The crystal drawing (clinographic view) as SVG text.")
      .def(
          "angle",
          [](const Crystal& c, long long first, long long second) {
            AngleReport report;
            {
              py::gil_scoped_release release;
              report = FaceAngle(c, first, second);
            }
            py::dict out;
            out["degrees"] = static_cast<double>(report.degrees);
            out["caption"] = report.caption;
            out["edge"] = report.edge ? py::cast(static_cast<double>(*report.edge)) : py::none();
            out["edge_caption"] = report.edgeCaption;
            return out;
          },
          py::arg("f1"), py::arg("f2"),
          "Interfacial angle of faces f1 and f2 (indices into `faces`) and their common edge: "
          "{'degrees', 'caption', 'edge' (model units, None without one), 'edge_caption'}, "
          "as habitopia-cli angle prints them.")
      .def("_twin",
           [](const Crystal& c, int type, std::string face, py::object axis, py::object through,
              double angle, py::object centre) {
             const std::array<std::string, 5> texts{
                 face, Joined(TripleText(axis, "axis")), Joined(TripleText(through, "through")),
                 FormatGeneral(angle), Joined(TripleText(centre, "centre"))};
             py::gil_scoped_release release;
             return Twinned(c, type, texts);
           })
      .def(
          "cleave",
          [](const Crystal& c, py::object hkl, double distance) {
            const std::string wrong = "cut face indices are not typed in correctly";
            const std::vector<double> v = NumbersArgument(hkl, 3, wrong, wrong);
            py::gil_scoped_release release;
            return Cleaved(c, {v[0], v[1], v[2]}, distance);
          },
          py::arg("hkl"), py::arg("distance"),
          "The crystal with the cleavage plane (h k l) laid through it at `distance` (model "
          "units; negative: the reversed plane), as the cleavage tool lays it: one more face, "
          "present where the plane cuts the crystal, which stays whole.");

  m.def("_predict_bfdh", [](std::string cif, std::string block, py::object cell,
                            py::object pointGroup, std::string spaceGroup, long long hklMax,
                            bool higherOrders, bool cleanup, long long seed) {
    PredictInput in;
    in.cif = cif;
    in.block = block;
    if (!cell.is_none()) in.cell = CellArgument(cell);
    if (!pointGroup.is_none()) {
      if (py::isinstance<py::int_>(pointGroup))
        in.pointGroupNumber = PointGroupArgument(pointGroup);
      else
        in.pointGroup = py::str(pointGroup).cast<std::string>();
    }
    in.spaceGroup = spaceGroup;
    in.hklMax = hklMax;
    in.higherOrders = higherOrders;
    in.cleanup = cleanup;
    in.seed = seed;
    py::gil_scoped_release release;
    return PredictBfdh(in);
  });
  m.def("_wulff", [](py::object cell, py::object pointGroup, std::string spaceGroup,
                     std::string table, bool isFile, std::string kind, std::string units) {
    WulffInput in;
    in.cell = CellArgument(cell);
    if (!pointGroup.is_none()) {
      if (py::isinstance<py::int_>(pointGroup))
        in.pointGroupNumber = PointGroupArgument(pointGroup);
      else
        in.pointGroup = py::str(pointGroup).cast<std::string>();
    }
    in.spaceGroup = spaceGroup;
    if (isFile) {
      std::string error;
      if (!ReadWholeFile(table, in.table, error)) Refuse(table + ": " + error);
      in.tableName = table;
    } else {
      in.table = table;
    }
    in.kind = kind;
    in.units = units;
    std::string unit;
    py::gil_scoped_release release;
    return Wulff(in, unit);
  });
  m.def(
      "point_group_symbol",
      [](int number) {
        if (number < 1 || number > kPointGroupCount)
          Refuse("--group-number: \"" + std::to_string(number) + "\" is not a number from 1 to 33");
        return std::string(GetPointGroup(number).symbol);
      },
      py::arg("number"), "The symbol of point group 1..33.");
}
