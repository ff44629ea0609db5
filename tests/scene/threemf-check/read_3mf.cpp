// Reads a 3MF file with lib3mf, the 3MF Consortium's reference library, and
// reports what it found: reader warnings, unit, and for each mesh object its
// vertex and triangle counts, whether lib3mf finds it manifold and oriented, its
// volume, and the colours of its triangles' base materials.
//   read_3mf FILE.3mf
// Exit status: 0 read without warnings and every mesh closed; 1 otherwise.

#include <Model/COM/NMR_DLLInterfaces.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace NMR;

namespace {

bool Ok(LIB3MFRESULT result, const char* what) {
  if (result == LIB3MF_OK) return true;
  std::printf("lib3mf failed: %s (0x%lx)\n", what, static_cast<unsigned long>(result));
  return false;
}

double Volume(const std::vector<MODELMESHVERTEX>& v, const std::vector<MODELMESHTRIANGLE>& t) {
  double volume = 0;
  for (const auto& tri : t) {
    const float* a = v[tri.m_nIndices[0]].m_fPosition;
    const float* b = v[tri.m_nIndices[1]].m_fPosition;
    const float* c = v[tri.m_nIndices[2]].m_fPosition;
    volume += double(a[0]) * (double(b[1]) * c[2] - double(b[2]) * c[1]) -
              double(a[1]) * (double(b[0]) * c[2] - double(b[2]) * c[0]) +
              double(a[2]) * (double(b[0]) * c[1] - double(b[1]) * c[0]);
  }
  return volume / 6;
}

// Every directed edge once, and its reverse once.
bool Closed(const std::vector<MODELMESHTRIANGLE>& t) {
  std::map<std::pair<DWORD, DWORD>, int> edges;
  for (const auto& tri : t)
    for (int e = 0; e < 3; ++e) ++edges[{tri.m_nIndices[e], tri.m_nIndices[(e + 1) % 3]}];
  for (const auto& [edge, count] : edges) {
    auto back = edges.find({edge.second, edge.first});
    if (count != 1 || back == edges.end() || back->second != 1) return false;
  }
  return !edges.empty();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: read_3mf FILE.3mf\n");
    return 2;
  }
  PLib3MFModel* model = nullptr;
  PLib3MFModelReader* reader = nullptr;
  if (!Ok(lib3mf_createmodel(&model), "create model")) return 1;
  if (!Ok(lib3mf_model_queryreader(model, "3mf", &reader), "query reader")) return 1;
  if (lib3mf_reader_readfromfileutf8(reader, argv[1]) != LIB3MF_OK) {
    DWORD code = 0;
    LPCSTR message = nullptr;
    lib3mf_getlasterror(reader, &code, &message);
    std::printf("lib3mf cannot read %s: 0x%lx %s\n", argv[1], static_cast<unsigned long>(code),
                message ? message : "");
    return 1;
  }
  bool good = true;
  DWORD warnings = 0;
  lib3mf_reader_getwarningcount(reader, &warnings);
  std::printf("warnings %lu\n", static_cast<unsigned long>(warnings));
  for (DWORD i = 0; i < warnings; ++i) {
    char text[512] = {0};
    DWORD code = 0;
    ULONG needed = 0;
    lib3mf_reader_getwarningutf8(reader, i, &code, text, sizeof text, &needed);
    std::printf("  warning 0x%lx %s\n", static_cast<unsigned long>(code), text);
    good = false;
  }
  DWORD unit = 99;
  lib3mf_model_getunit(model, &unit);
  std::printf("unit %s\n", unit == MODELUNIT_MILLIMETER ? "millimeter" : "other");

  std::map<std::pair<DWORD, DWORD>, std::string> colours;
  PLib3MFModelResourceIterator* groups = nullptr;
  if (Ok(lib3mf_model_getbasematerials(model, &groups), "base materials")) {
    BOOL more = false;
    while (lib3mf_resourceiterator_movenext(groups, &more) == LIB3MF_OK && more) {
      PLib3MFModelResource* group = nullptr;
      lib3mf_resourceiterator_getcurrent(groups, &group);
      DWORD id = 0, count = 0;
      lib3mf_resource_getresourceid(group, &id);
      lib3mf_basematerial_getcount(group, &count);
      for (DWORD m = 0; m < count; ++m) {
        BYTE r = 0, g = 0, b = 0, a = 0;
        lib3mf_basematerial_getdisplaycolor(group, m, &r, &g, &b, &a);
        char hex[16];
        std::snprintf(hex, sizeof hex, "#%02X%02X%02X", r, g, b);
        colours[{id, m}] = hex;
      }
      lib3mf_release(group);
    }
    lib3mf_release(groups);
  }

  PLib3MFModelResourceIterator* meshes = nullptr;
  if (!Ok(lib3mf_model_getmeshobjects(model, &meshes), "mesh objects")) return 1;
  BOOL more = false;
  int count = 0;
  while (lib3mf_resourceiterator_movenext(meshes, &more) == LIB3MF_OK && more) {
    PLib3MFModelResource* mesh = nullptr;
    lib3mf_resourceiterator_getcurrent(meshes, &mesh);
    DWORD vertexCount = 0, triangleCount = 0;
    lib3mf_meshobject_getvertexcount(mesh, &vertexCount);
    lib3mf_meshobject_gettrianglecount(mesh, &triangleCount);
    std::vector<MODELMESHVERTEX> vertices(vertexCount);
    std::vector<MODELMESHTRIANGLE> triangles(triangleCount);
    DWORD got = 0;
    lib3mf_meshobject_getvertices(mesh, vertices.data(), vertexCount, &got);
    lib3mf_meshobject_gettriangleindices(mesh, triangles.data(), triangleCount, &got);
    BOOL manifold = false;
    lib3mf_meshobject_ismanifoldandoriented(mesh, &manifold);
    std::set<std::string> used;
    PLib3MFPropertyHandler* properties = nullptr;
    if (lib3mf_meshobject_createpropertyhandler(mesh, &properties) == LIB3MF_OK) {
      for (DWORD t = 0; t < triangleCount; ++t) {
        DWORD group = 0, index = 0;
        if (lib3mf_propertyhandler_getbasematerial(properties, t, &group, &index) == LIB3MF_OK) {
          auto found = colours.find({group, index});
          used.insert(found == colours.end() ? "?" : found->second);
        }
      }
      lib3mf_release(properties);
    }
    const bool closed = Closed(triangles);
    std::printf("mesh %d vertices %lu triangles %lu manifold %s closed %s volume %.3f colours",
                count, static_cast<unsigned long>(vertexCount),
                static_cast<unsigned long>(triangleCount), manifold ? "yes" : "no",
                closed ? "yes" : "no", Volume(vertices, triangles));
    for (const auto& c : used) std::printf(" %s", c.c_str());
    std::printf("\n");
    good = good && manifold && closed;
    lib3mf_release(mesh);
    ++count;
  }
  lib3mf_release(meshes);
  lib3mf_release(reader);
  lib3mf_release(model);
  if (count == 0) good = false;
  return good ? 0 : 1;
}
