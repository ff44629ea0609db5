#include "scene/gltf.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "core/cell.h"
#include "core/numbers.h"

namespace habitopia {

namespace {

constexpr float kMetresPerMillimetre = 0.001f;
constexpr int kFloat = 5126;
constexpr int kUnsignedInt = 5125;
constexpr int kArrayBuffer = 34962;
constexpr int kElementArrayBuffer = 34963;

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

// Shortest text that reads back as the same float.
std::string JsonFloat(float v) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(v));
    if (std::strtof(text, nullptr) == v) break;
  }
  return text;
}

std::string JsonInt(long long v) { return FormatInteger(v); }

struct Binary {
  std::string bytes;
  void Align() {
    while (bytes.size() % 4) bytes += '\0';
  }
  void Put(const void* data, std::size_t size) {
    bytes.append(static_cast<const char*>(data), size);
  }
};

struct Accessors {
  std::string bufferViews;
  std::string accessors;
  int viewCount = 0;
  int accessorCount = 0;

  int Add(Binary& bin, const void* data, std::size_t size, int target, int componentType,
          std::size_t count, const char* type, const std::string& extra) {
    bin.Align();
    const std::size_t offset = bin.bytes.size();
    bin.Put(data, size);
    if (viewCount++) bufferViews += ",";
    bufferViews += "{\"buffer\":0,\"byteOffset\":" + JsonInt(static_cast<long long>(offset)) +
                   ",\"byteLength\":" + JsonInt(static_cast<long long>(size)) +
                   ",\"target\":" + JsonInt(target) + "}";
    if (accessorCount) accessors += ",";
    accessors += "{\"bufferView\":" + JsonInt(viewCount - 1) +
                 ",\"componentType\":" + JsonInt(componentType) +
                 ",\"count\":" + JsonInt(static_cast<long long>(count)) + ",\"type\":\"" + type +
                 "\"" + extra + "}";
    return accessorCount++;
  }
};

std::string Vec3Json(const std::array<float, 3>& v) {
  return "[" + JsonFloat(v[0]) + "," + JsonFloat(v[1]) + "," + JsonFloat(v[2]) + "]";
}

std::array<float, 3> GltfAxes(const Vec3& v, float factor) {
  const Vec3 turned = ToSceneAxes(v);
  return {static_cast<float>(turned[0]) * factor, static_cast<float>(turned[1]) * factor,
          static_cast<float>(turned[2]) * factor};
}

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string GlbBytes(const ExportMesh& mesh, const std::string& title) {
  Binary bin;
  Accessors acc;
  std::string meshes, nodes, sceneNodes;
  int nodeCount = 0;
  for (std::size_t b = 0; b < mesh.bodies.size(); ++b) {
    const MeshBody& body = mesh.bodies[b];
    std::string primitives;
    for (std::size_t m = 0; m < mesh.materials.size(); ++m) {
      std::vector<std::array<float, 3>> positions, normals;
      std::vector<std::uint32_t> indices;
      for (const MeshPolygon& polygon : body.polygons) {
        if (polygon.material != static_cast<int>(m)) continue;
        const std::array<float, 3> normal = GltfAxes(polygon.normal, 1);
        const float length =
            std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        if (!(length > 0)) continue;
        const std::array<float, 3> unit{normal[0] / length, normal[1] / length, normal[2] / length};
        const auto first = static_cast<std::uint32_t>(positions.size());
        for (int n : polygon.corners) {
          positions.push_back(GltfAxes(body.vertices[n], kMetresPerMillimetre));
          normals.push_back(unit);
        }
        MeshPolygon local = polygon;
        for (std::size_t i = 0; i < local.corners.size(); ++i)
          local.corners[i] = static_cast<int>(i);
        for (const auto& t : TriangulatePolygon(local))
          for (int v : t) indices.push_back(first + static_cast<std::uint32_t>(v));
      }
      if (indices.empty()) continue;
      std::array<float, 3> lo{}, hi{};
      lo.fill(std::numeric_limits<float>::max());
      hi.fill(std::numeric_limits<float>::lowest());
      for (const auto& p : positions)
        for (int c = 0; c < 3; ++c) {
          lo[c] = std::min(lo[c], p[c]);
          hi[c] = std::max(hi[c], p[c]);
        }
      const int position = acc.Add(bin, positions.data(), positions.size() * 12, kArrayBuffer,
                                   kFloat, positions.size(), "VEC3",
                                   ",\"min\":" + Vec3Json(lo) + ",\"max\":" + Vec3Json(hi));
      const int normal = acc.Add(bin, normals.data(), normals.size() * 12, kArrayBuffer, kFloat,
                                 normals.size(), "VEC3", "");
      const int index = acc.Add(bin, indices.data(), indices.size() * 4, kElementArrayBuffer,
                                kUnsignedInt, indices.size(), "SCALAR", "");
      if (!primitives.empty()) primitives += ",";
      primitives += "{\"attributes\":{\"POSITION\":" + JsonInt(position) +
                    ",\"NORMAL\":" + JsonInt(normal) + "},\"indices\":" + JsonInt(index) +
                    ",\"material\":" + JsonInt(static_cast<long long>(m)) + ",\"mode\":4}";
    }
    if (primitives.empty()) continue;
    if (nodeCount) {
      meshes += ",";
      nodes += ",";
      sceneNodes += ",";
    }
    meshes += "{\"name\":" + JsonString(body.name) + ",\"primitives\":[" + primitives + "]}";
    nodes += "{\"name\":" + JsonString(body.name) + ",\"mesh\":" + JsonInt(nodeCount) + "}";
    sceneNodes += JsonInt(nodeCount);
    ++nodeCount;
  }

  std::string materials;
  for (const MeshMaterial& m : mesh.materials) {
    if (!materials.empty()) materials += ",";
    const std::array<float, 3> rgb{m.rgb[0] / 255.0f, m.rgb[1] / 255.0f, m.rgb[2] / 255.0f};
    materials += "{\"name\":" + JsonString(m.name) +
                 ",\"pbrMetallicRoughness\":{\"baseColorFactor\":[" + JsonFloat(rgb[0]) + "," +
                 JsonFloat(rgb[1]) + "," + JsonFloat(rgb[2]) +
                 ",1],\"metallicFactor\":0,\"roughnessFactor\":0.5}}";
  }
  bin.Align();

  std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Habitopia\"},";
  json += "\"extras\":{\"title\":" + JsonString(title) +
          ",\"note\":\"lengths in metres; the farthest corner lies 25 mm from the centre; +Y is "
          "the c axis\"},";
  json += "\"scene\":0,\"scenes\":[{\"nodes\":[" + sceneNodes + "]}],";
  json += "\"nodes\":[" + nodes + "],\"meshes\":[" + meshes + "],";
  json += "\"materials\":[" + materials + "],";
  json +=
      "\"buffers\":[{\"byteLength\":" + JsonInt(static_cast<long long>(bin.bytes.size())) + "}],";
  json += "\"bufferViews\":[" + acc.bufferViews + "],\"accessors\":[" + acc.accessors + "]}";
  while (json.size() % 4) json += ' ';

  std::string out = "glTF";
  PutU32(out, 2);
  PutU32(out, static_cast<std::uint32_t>(12 + 8 + json.size() + 8 + bin.bytes.size()));
  PutU32(out, static_cast<std::uint32_t>(json.size()));
  out += "JSON";
  out += json;
  PutU32(out, static_cast<std::uint32_t>(bin.bytes.size()));
  out += std::string("BIN\0", 4);
  out += bin.bytes;
  return out;
}

}  // namespace habitopia
