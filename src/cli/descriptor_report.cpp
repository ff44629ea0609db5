#include "cli/descriptor_report.h"

#include "core/numbers.h"

namespace habitopia::cli {

namespace {

void NumberItem(JsonWriter& json, const char* key, Real value) {
  json.Key(key);
  json.Number(value);
}

}  // namespace

void PrintDescriptors(const ShapeDescriptors& d, const std::string& lengthUnit, std::ostream& out) {
  out << DescriptorReport(d, lengthUnit);
}

void WriteDescriptorsJson(const ShapeDescriptors& d, const std::string& lengthUnit,
                          JsonWriter& json) {
  json.BeginObject();
  json.Key("length_unit");
  json.String(lengthUnit);
  json.Key("closed");
  json.Bool(d.closed);
  if (!d.closed) {
    json.Key("open_along");
    json.String(d.openAlong);
    json.EndObject();
    return;
  }
  NumberItem(json, "volume", d.volume);
  NumberItem(json, "surface", d.surface);
  NumberItem(json, "surface_to_volume", d.surfaceToVolume);
  NumberItem(json, "shape_factor", d.shapeFactor);
  NumberItem(json, "effective_radius", d.effectiveRadius);
  NumberItem(json, "sphericity", d.sphericity);
  json.Key("corners");
  json.Integer(d.corners);
  json.Key("edges");
  json.Integer(d.edges);
  json.Key("lengths");
  json.BeginArray();
  for (Real v : d.lengths) json.Number(v);
  json.EndArray();
  json.Key("principal_axes");
  json.BeginArray();
  for (const Vec3& axis : d.principalAxes) {
    json.BeginArray();
    for (Real v : axis) json.Number(v);
    json.EndArray();
  }
  json.EndArray();
  json.Key("bounding_box");
  json.BeginArray();
  for (Real v : d.boundingBox) json.Number(v);
  json.EndArray();
  json.Key("zingg");
  json.BeginObject();
  NumberItem(json, "s_over_m", d.zinggSM);
  NumberItem(json, "m_over_l", d.zinggML);
  json.Key("class");
  json.String(d.zinggClass);
  json.EndObject();
  NumberItem(json, "elongation", d.zinggML);
  NumberItem(json, "flatness", d.zinggSM);
  if (d.weightedSurfaceEnergy) {
    NumberItem(json, "weighted_surface_energy", *d.weightedSurfaceEnergy);
    NumberItem(json, "total_surface_energy", *d.totalSurfaceEnergy);
    NumberItem(json, "anisotropy", *d.anisotropy);
  }
  json.Key("forms");
  json.BeginArray();
  for (const FormDescriptor& form : d.forms) {
    json.BeginObject();
    json.Key("hkl");
    json.String(form.indices);
    json.Key("faces");
    json.Integer(form.faces);
    json.Key("present_faces");
    json.Integer(form.presentFaces);
    NumberItem(json, "distance", form.distance);
    NumberItem(json, "area", form.area);
    NumberItem(json, "area_fraction", form.areaFraction);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace habitopia::cli
