#pragma once
// The crystal as one self-contained web page: the scene text the window shows,
// the pinned X_ITE browser that shows it (with its text component, the WOFF2
// decoder and the label font when the scene has labels) written into the page,
// and below the crystal its cell, point group, forms and the status bar's
// figures. The page loads nothing: a content security policy forbids every
// request, and the few files X_ITE asks for are answered from the page itself.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/polyhedron.h"
#include "scene/scene_writer.h"

namespace habitopia {

// The parts of X_ITE's distribution the page carries, by their paths in it.
struct WebViewerFiles {
  std::string browser;                        // x_ite.min.js
  std::string version;                        // "15.0.1", from the script's first line
  std::map<std::string, std::string> assets;  // "assets/...": bytes
};

inline constexpr const char* kWebViewerScript = "x_ite.min.js";
inline constexpr const char* kWebViewerScriptingComponent =
    "assets/components/ScriptingComponent.min.js";
inline constexpr const char* kWebViewerTextComponent = "assets/components/TextComponent.min.js";
inline constexpr const char* kWebViewerWoff2Decoder = "assets/lib/woff2_decoder.js";
inline constexpr const char* kWebViewerTangents = "assets/lib/mikktspace_bg.wasm";

inline constexpr const char* kWebViewerMissing =
    "The web page needs X_ITE, which is not installed: run tools/ensure-viewer and build again.";

// The folder of X_ITE's files: $HABITOPIA_WEB_VIEWER_DIR, "web-viewer" beside the
// program or in ../share/habitopia, or the build's copy; nothing when none holds
// x_ite.min.js.
std::optional<std::string> FindWebViewerFolder(const std::string& programDirectory);

// Reads the script and the assets a page may need from the folder.
std::optional<WebViewerFiles> LoadWebViewerFiles(const std::string& folder);

// X_ITE's font file for a FontStyle family and style ("SERIF", "BOLD"), as its
// text component maps them; unknown families take the serif.
std::string WebViewerFontPath(const std::string& family, const std::string& style);

struct WebPageFacts {
  std::string title;             // the model's name
  std::string pointGroupSymbol;  // "32"
};

std::string WriteWebPage(const CrystalModel& model, const Polyhedron& polyhedron,
                         const SceneOutput& scene, const WebPageFacts& facts,
                         const WebViewerFiles& viewer);

// The text as a JavaScript string literal safe inside a script element.
std::string ScriptString(const std::string& text);
// The bytes in Base64.
std::string Base64(const std::string& bytes);

}  // namespace habitopia
