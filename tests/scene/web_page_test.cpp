// The web page export: what the page carries and shows, and the text encodings
// that keep the scene and the carried files inside their script elements.

#include "scene/web_page.h"

#include <gtest/gtest.h>

#include <string>

#include "core/model.h"
#include "support/sample_faces.h"

namespace habitopia {
namespace {

WebViewerFiles FakeViewer() {
  WebViewerFiles viewer;
  viewer.browser = "/* browser */";
  viewer.version = "15.0.1";
  viewer.assets["x_ite.css"] = ".a { background: url(assets/images/logo.svg) }";
  viewer.assets[kWebViewerScriptingComponent] = "/* scripting */";
  viewer.assets[kWebViewerTextComponent] = "/* text */";
  viewer.assets[kWebViewerWoff2Decoder] = "/* decoder */";
  viewer.assets[kWebViewerTangents] = "wasm";
  viewer.assets["assets/fonts/Droid/DroidSerif-Bold.woff2"] = "font";
  return viewer;
}

struct BuiltCube {
  CrystalModel model;
  Polyhedron polyhedron;
  BuiltCube() {
    test::SetCubeFaces(model);
    model.lastUniqueFace = 0;
    polyhedron = BuildPolyhedron(MakePolyhedronInput(model));
  }
  std::string Page(bool labels) const {
    SceneSwitches switches;
    switches.indiceson = labels;
    const SceneOutput scene = WriteScene(model, polyhedron, model.display, switches);
    return WriteWebPage(model, polyhedron, scene, {"cube <1>", "m-3m"}, FakeViewer());
  }
};

TEST(WebPage, CarriesTheSceneTheViewerAndTheFigures) {
  const BuiltCube cube;
  const std::string page = cube.Page(false);
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(page.find("<title>cube &lt;1&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("Content-Security-Policy\" content=\"default-src 'none';"),
            std::string::npos);
  EXPECT_NE(page.find("<script>\n/* browser */\n</script>"), std::string::npos);
  EXPECT_NE(page.find("<script>\n{\n/* text */\n}\n</script>"), std::string::npos);
  EXPECT_NE(page.find("<script>\n{\n/* scripting */\n}\n</script>"), std::string::npos);
  // The scene text, its "<" kept out of the script element's way.
  EXPECT_NE(page.find("const habitopiaScene = \"#VRML V2.0 utf8\\n"), std::string::npos);
  // The style sheet loses its references; the tangent library always comes along,
  // the label font and its decoder only with labels.
  EXPECT_NE(page.find("\"x_ite.css\": \"" + Base64(".a { background: none }") + "\""),
            std::string::npos);
  EXPECT_NE(page.find(std::string("\"") + kWebViewerTangents + "\": \"" + Base64("wasm")),
            std::string::npos);
  EXPECT_EQ(page.find("DroidSerif-Bold.woff2"), std::string::npos);
  const std::string labelled = cube.Page(true);
  EXPECT_NE(labelled.find("\"assets/fonts/Droid/DroidSerif-Bold.woff2\": \"" + Base64("font")),
            std::string::npos);
  EXPECT_NE(labelled.find(Base64("/* decoder */")), std::string::npos);

  for (const char* item : {"<li>point group = m-3m</li>", "<li>6 Faces</li>", "<li>8 Corners</li>",
                           "<li>Surface= 24</li>", "<li>Volume= 8</li>", "<td>{1 0 0}</td>",
                           "<th>&gamma;</th><td>90</td>"})
    EXPECT_NE(page.find(item), std::string::npos) << item;
  EXPECT_EQ(page.find("<td>{-1 0 0}</td>"), std::string::npos);  // forms: the unique faces
  EXPECT_EQ(page.find(" src="), std::string::npos);
  EXPECT_EQ(page.find(" href="), std::string::npos);
}

TEST(WebPage, TextEncodings) {
  EXPECT_EQ(Base64(""), "");
  EXPECT_EQ(Base64("f"), "Zg==");
  EXPECT_EQ(Base64("fo"), "Zm8=");
  EXPECT_EQ(Base64("foo"), "Zm9v");
  EXPECT_EQ(Base64(std::string("\0\xff\x10", 3)), "AP8Q");
  EXPECT_EQ(ScriptString("a\"b\\c\nd"), "\"a\\\"b\\\\c\\nd\"");
  EXPECT_EQ(ScriptString("</script><!--"), "\"\\u003c/script\\u003e\\u003c!--\"");
  EXPECT_EQ(ScriptString(std::string("\x01", 1)), "\"\\u0001\"");
  EXPECT_EQ(WebViewerFontPath("SERIF", "BOLD"), "assets/fonts/Droid/DroidSerif-Bold.woff2");
  EXPECT_EQ(WebViewerFontPath("serif", "plain"), "assets/fonts/Droid/DroidSerif-Regular.woff2");
  EXPECT_EQ(WebViewerFontPath("SANS", "BOLDITALIC"), "assets/fonts/Ubuntu/Ubuntu-BI.woff2");
  EXPECT_EQ(WebViewerFontPath("TYPEWRITER", "ITALIC"), "assets/fonts/Ubuntu/UbuntuMono-RI.woff2");
  EXPECT_EQ(WebViewerFontPath("Arial", "BOLD"), "assets/fonts/Droid/DroidSerif-Bold.woff2");
}

TEST(WebPage, FindsTheBuildsCopyOfXite) {
  const auto folder = FindWebViewerFolder("");
  ASSERT_TRUE(folder) << "the build copies X_ITE into web-viewer";
  const auto files = LoadWebViewerFiles(*folder);
  ASSERT_TRUE(files);
  EXPECT_EQ(files->version, "15.0.1");
  for (const char* name :
       {"x_ite.css", kWebViewerScriptingComponent, kWebViewerTextComponent, kWebViewerWoff2Decoder,
        kWebViewerTangents, "assets/fonts/Droid/DroidSerif-Bold.woff2"})
    EXPECT_TRUE(files->assets.contains(name)) << name;
  EXPECT_FALSE(LoadWebViewerFiles("/nonexistent"));
}

}  // namespace
}  // namespace habitopia
