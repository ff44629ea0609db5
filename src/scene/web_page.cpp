#include "scene/web_page.h"

#include <cstdlib>
#include <filesystem>

#include "core/numbers.h"
#include "scene/export_mesh.h"
#include "scene/scene_files.h"

#ifndef HABITOPIA_WEB_VIEWER_DIR
#define HABITOPIA_WEB_VIEWER_DIR ""
#endif

namespace habitopia {

namespace {

namespace fs = std::filesystem;

constexpr const char* kStyleSheet = "x_ite.css";

// Everything the page may do: run its own scripts (X_ITE compiles its WOFF2
// decoder with Function), use its own styles and its own data.
constexpr const char* kContentPolicy =
    "default-src 'none'; script-src 'unsafe-inline' 'unsafe-eval' 'wasm-unsafe-eval'; "
    "script-src-elem 'unsafe-inline' data:; style-src 'unsafe-inline' data:; img-src data: blob:; "
    "font-src data:; "
    "connect-src data: blob:; worker-src blob:";

constexpr const char* kPageStyle = R"(
body { margin: 0; font-family: sans-serif; color: #202020; background: #ffffff; }
header { padding: 0.6em 1em 0; }
h1 { font-size: 1.3em; margin: 0; }
x3d-canvas { display: block; width: 100%; height: 70vh; min-height: 320px; border: none; outline: none; }
#facts { padding: 0.4em 1em 1.2em; display: flex; flex-wrap: wrap; gap: 0.6em 2.5em; align-items: flex-start; }
#facts h2 { font-size: 1em; margin: 0.6em 0 0.3em; }
#facts table { border-collapse: collapse; }
#facts td, #facts th { padding: 0.1em 0.7em 0.1em 0; text-align: right; font-variant-numeric: tabular-nums; }
#facts th { text-align: left; font-weight: normal; color: #555555; }
#status { list-style: none; margin: 0; padding: 0; }
.absent { color: #888888; }
)";

// Answers X_ITE's requests for the files the page carries, and points its style
// sheet link at the carried copy, before anything reaches the network.
constexpr const char* kCarriedFiles = R"js(
(function () {
  "use strict";
  const nativeFetch = window.fetch.bind(window);
  function bytes(base64) {
    const text = atob(base64);
    const out = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) out[i] = text.charCodeAt(i);
    return out;
  }
  function carried(url) {
    const href = typeof url === "string" ? url : url instanceof URL ? url.href : url && url.url ? url.url : String(url);
    for (const name of Object.keys(habitopiaFiles))
      if (href.endsWith("/" + name)) return name;
    return null;
  }
  window.fetch = function (input, init) {
    const name = carried(input);
    if (name) {
      const type = name.endsWith(".wasm") ? "application/wasm" : "application/octet-stream";
      return Promise.resolve(new Response(bytes(habitopiaFiles[name]), { status: 200, headers: { "Content-Type": type } }));
    }
    return nativeFetch(input, init);
  };
  // The carried style sheet is X_ITE's without its font and image references,
  // so the link keeps no integrity hash.
  const setAttribute = Element.prototype.setAttribute;
  Element.prototype.setAttribute = function (name, value) {
    if (this instanceof HTMLLinkElement) {
      if (name === "integrity") return;
      if (name === "href" && String(value).endsWith("/x_ite.css"))
        value = "data:text/css;base64," + habitopiaFiles["x_ite.css"];
    }
    return setAttribute.call(this, name, value);
  };
  // X_ITE's menus use PT Sans, which the page does not carry: the browser's own
  // sans-serif stands in.
  const NativeFontFace = window.FontFace;
  window.FontFace = class extends NativeFontFace {
    constructor(family, source, descriptors) {
      if (typeof source === "string" && source.includes("/assets/fonts/")) source = "local(sans-serif)";
super(family, source, descriptors);
}
};
})();
)js";

constexpr const char* kLoadScene = R"js(
(function () {
  "use strict";
  const canvas = document.getElementById("crystal");
  const browser = X3D.getBrowser(canvas);
  browser.createX3DFromString(habitopiaScene)
    .then((scene) => browser.replaceWorld(scene))
    .then(() => { document.body.dataset.scene = "loaded"; })
    .catch((error) => {
      document.body.dataset.scene = "failed";
      console.error("The crystal's scene did not load: " + error);
    });
})();
)js";

std::string Escaped(const std::string& text) { return XmlEscaped(text); }

// X_ITE's style sheet without url(...) references: the fonts and icons of its own
// menus, which the page does not show.
std::string WithoutUrls(const std::string& css) {
  std::string out;
  std::size_t at = 0;
  for (std::size_t found; (found = css.find("url(", at)) != std::string::npos;) {
    const std::size_t close = css.find(')', found);
    if (close == std::string::npos) break;
    out += css.substr(at, found - at) + "none";
    at = close + 1;
  }
  return out + css.substr(at);
}

std::string Number(Real v) { return FormatGeneral(Round3(v)); }

std::optional<std::string> ReadBytes(const fs::path& path) { return ReadFileText(path.string()); }

std::string FontStyleValue(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string CellTable(const CrystalModel& model) {
  const UnitCell cell = CellAsGiven(model);
  std::string html = "<div><h2>Cell</h2><table id=\"cell\">\n";
  const struct {
    const char* name;
    Real value;
  } rows[] = {{"a", cell.a},           {"b", cell.b},         {"c", cell.c},
              {"&alpha;", cell.alpha}, {"&beta;", cell.beta}, {"&gamma;", cell.gamma}};
  for (const auto& row : rows)
    html += std::string("<tr><th>") + row.name + "</th><td>" + Number(row.value) + "</td></tr>\n";
  return html + "</table></div>\n";
}

std::string FormTable(const CrystalModel& model, const Polyhedron& polyhedron) {
  std::string html =
      "<div><h2>Forms</h2><table id=\"forms\">\n<tr><th>{h k l}</th><th>distance</th></tr>\n";
  const int last = model.lastUniqueFace >= 0 ? model.lastUniqueFace : model.lastFace;
  for (int f = 0; f <= last; ++f) {
    const FaceRecord& face = model.faces[f];
    const bool present = f < static_cast<int>(polyhedron.presentIndex.size()) &&
                         polyhedron.presentIndex[f] != kAbsentFace;
    html += std::string("<tr") + (present ? "" : " class=\"absent\"") + "><td>{" + Number(face.h) +
            " " + Number(face.k) + " " + Number(face.l) + "}</td><td>" + Number(face.distance) +
            "</td></tr>\n";
  }
  return html + "</table></div>\n";
}

std::string StatusList(const Polyhedron& polyhedron, const SceneOutput& scene,
                       const WebPageFacts& facts) {
  const std::string items[] = {
      "point group = " + facts.pointGroupSymbol,
      FormatInteger(polyhedron.PresentFaceCount()) + " Faces",
      FormatInteger(scene.geometry.corners.Count()) + " Corners",
      "Surface= " + Number(scene.geometry.lists.surfaceTotal),
      "Volume= " + Number(scene.geometry.lists.volumeTotal),
  };
  std::string html = "<div><h2>Crystal</h2><ul id=\"status\">\n";
  for (const std::string& item : items) html += "<li>" + Escaped(item) + "</li>\n";
  return html + "</ul></div>\n";
}

}  // namespace

std::string WebViewerFontPath(const std::string& family, const std::string& style) {
  const std::string f = FontStyleValue(family);
  std::string s = FontStyleValue(style);
  if (s != "ITALIC" && s != "BOLD" && s != "BOLDITALIC") s = "PLAIN";
  const bool bold = s == "BOLD" || s == "BOLDITALIC";
  const bool italic = s == "ITALIC" || s == "BOLDITALIC";
  if (f == "SANS")
    return std::string("assets/fonts/Ubuntu/Ubuntu-") + (bold ? "B" : "R") + (italic ? "I" : "") +
           ".woff2";
  if (f == "TYPEWRITER")
    return std::string("assets/fonts/Ubuntu/UbuntuMono-") + (bold ? "B" : "R") +
           (italic ? "I" : "") + ".woff2";
  const char* serif[] = {"Regular", "Italic", "Bold", "BoldItalic"};
  return std::string("assets/fonts/Droid/DroidSerif-") + serif[(bold ? 2 : 0) + (italic ? 1 : 0)] +
         ".woff2";
}

std::optional<std::string> FindWebViewerFolder(const std::string& programDirectory) {
  std::vector<fs::path> candidates;
  if (const char* own = std::getenv("HABITOPIA_WEB_VIEWER_DIR"); own && *own)
    candidates.emplace_back(own);
  if (!programDirectory.empty()) {
    candidates.push_back(fs::path(programDirectory) / "web-viewer");
    candidates.push_back(fs::path(programDirectory) / ".." / "share" / "habitopia" / "web-viewer");
  }
  if (*HABITOPIA_WEB_VIEWER_DIR) candidates.emplace_back(HABITOPIA_WEB_VIEWER_DIR);
  std::error_code error;
  for (const fs::path& folder : candidates)
    if (fs::is_regular_file(folder / kWebViewerScript, error))
      return fs::weakly_canonical(folder, error).string();
  return std::nullopt;
}

std::optional<WebViewerFiles> LoadWebViewerFiles(const std::string& folder) {
  WebViewerFiles files;
  const fs::path root(folder);
  auto script = ReadBytes(root / kWebViewerScript);
  if (!script) return std::nullopt;
  files.browser = std::move(*script);
  // "/* X_ITE v15.0.1 */"
  const auto v = files.browser.find(" v");
  const auto end = files.browser.find(" */");
  if (v != std::string::npos && end != std::string::npos && v < end)
    files.version = files.browser.substr(v + 2, end - v - 2);
  std::error_code error;
  for (const char* name : {kStyleSheet, kWebViewerScriptingComponent, kWebViewerTextComponent,
                           kWebViewerWoff2Decoder, kWebViewerTangents})
    if (auto bytes = ReadBytes(root / name)) files.assets[name] = std::move(*bytes);
  if (fs::is_directory(root / "assets" / "fonts", error))
    for (const auto& entry : fs::recursive_directory_iterator(root / "assets" / "fonts", error))
      if (entry.is_regular_file() && entry.path().extension() == ".woff2")
        if (auto bytes = ReadBytes(entry.path()))
          files.assets[fs::relative(entry.path(), root).generic_string()] = std::move(*bytes);
  return files;
}

std::string ScriptString(const std::string& text) {
  static const char* hex = "0123456789abcdef";
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '<': out += "\\u003c"; break;
      case '>': out += "\\u003e"; break;
      case '&': out += "\\u0026"; break;
      default:
        if (c < 0x20) {
          out += "\\u00";
          out += hex[c >> 4];
          out += hex[c & 15];
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

std::string Base64(const std::string& bytes) {
  static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += digits[(v >> s) & 63];
  }
  if (i < bytes.size()) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += digits[(v >> 18) & 63];
    out += digits[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string WriteWebPage(const CrystalModel& model, const Polyhedron& polyhedron,
                         const SceneOutput& scene, const WebPageFacts& facts,
                         const WebViewerFiles& viewer) {
  // Files X_ITE fetches at run time: its style sheet and tangent library always; the text
  // component's decoder and font only for a scene with labels.
  const bool text = scene.text.find("geometry Text") != std::string::npos;
  std::vector<std::string> carried{kStyleSheet, kWebViewerTangents};
  std::map<std::string, std::string> rewritten;
  if (const auto css = viewer.assets.find(kStyleSheet); css != viewer.assets.end())
    rewritten[kStyleSheet] = WithoutUrls(css->second);
  if (text) {
    carried.push_back(kWebViewerWoff2Decoder);
    carried.push_back(WebViewerFontPath(model.display.fontFamily, model.display.fontStyle));
  }

  std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  html += std::string("<meta http-equiv=\"Content-Security-Policy\" content=\"") + kContentPolicy +
          "\">\n";
  html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  html += "<meta name=\"generator\" content=\"Habitopia, with X_ITE " + Escaped(viewer.version) +
          "\">\n";
  // X_ITE imports the components a VRML 2.0 scene asks for from beside its script;
  // they are written into the page below, so those imports find empty modules.
  html += "<script type=\"importmap\">{\"imports\": {";
  const char* separator = "";
  for (const char* component : {kWebViewerScriptingComponent, kWebViewerTextComponent}) {
    html += std::string(separator) + "\"./" + component + "\": \"data:text/javascript,\"";
    separator = ", ";
  }
  html += "}}</script>\n";
  html += "<title>" + Escaped(facts.title) + "</title>\n<style>" + kPageStyle + "</style>\n";
  html += "</head>\n<body>\n<header><h1>" + Escaped(facts.title) + "</h1></header>\n";
  html +=
      "<x3d-canvas id=\"crystal\" splashScreen=\"false\" contextMenu=\"false\" "
      "notifications=\"false\" timings=\"false\" cache=\"false\" "
      "preserveDrawingBuffer=\"true\"></x3d-canvas>\n";
  html += "<section id=\"facts\">\n" + CellTable(model) + StatusList(polyhedron, scene, facts) +
          FormTable(model, polyhedron) + "</section>\n";

  html += "<script>\nconst habitopiaScene = " + ScriptString(scene.text) + ";\n";
  html += "const habitopiaFiles = {\n";
  for (const std::string& name : carried) {
    const auto own = rewritten.find(name);
    const auto found = viewer.assets.find(name);
    if (own == rewritten.end() && found == viewer.assets.end()) continue;
    html += ScriptString(name) + ": \"" +
            Base64(own != rewritten.end() ? own->second : found->second) + "\",\n";
  }
  html += "};\n" + std::string(kCarriedFiles) + "</script>\n";
  // X_ITE finds its files beside its script; written into the page, it is told
  // of a script beside the page, and those files are answered from the page.
  html +=
      "<script>Object.defineProperty(document, \"currentScript\", {configurable: true, get: () => "
      "({src: new URL(\"x_ite.min.js\", location.href).href})});</script>\n";
  html += "<script>\n" + viewer.browser + "\n</script>\n";
  html += "<script>delete document.currentScript;</script>\n";
  // A VRML 2.0 scene asks for the scripting and text components; written into the
  // page they are there before it asks. Each is a block of its own: their
  // top-level names would clash.
  for (const char* component : {kWebViewerScriptingComponent, kWebViewerTextComponent})
    if (const auto found = viewer.assets.find(component); found != viewer.assets.end())
      html += "<script>\n{\n" + found->second + "\n}\n</script>\n";
  html += "<script>" + std::string(kLoadScene) + "</script>\n</body>\n</html>\n";
  return html;
}

}  // namespace habitopia
