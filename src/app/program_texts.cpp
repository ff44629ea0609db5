#include "app/program_texts.h"

#include <filesystem>
#include <system_error>

namespace habitopia {

std::string AboutText() {
  return "Habitopia Vers. 1.56\n"
         "Crystal morphology: build, show and export the habit of crystals from their cell, "
         "point group and faces.\n\n"
         "Built with:\n"
         "  Qt 6 (Widgets, Network, WebEngine), The Qt Company, LGPL v3\n"
         "  X_ITE, a VRML 2.0 and X3D browser, Holger Seelig, MIT licence\n"
         "  zlib, Jean-loup Gailly and Mark Adler\n"
         "  GoogleTest and Google Benchmark for the tests\n";
}

std::string HistoryText() {
  return "1.56  This release: crystal polyhedra from cell, point group and face table; the "
         "33 point groups; unique and full face tables with undo and redo; VRML scenes shown in "
         "the embedded viewer; model files (reading Releases 1.1, 1.2 and 1.5, writing 1.5), CIF, "
         "STL; morphology prediction with reflection conditions; angles, twins, cleavage planes "
         "and growth sectors; pictures from the viewer itself (clipboard, BMP, WMF) and AVI "
         "movies with every frame at its own time; update check with a verified installer; HTML "
         "manual; desktop integration for the user; habitopia-cli for batch work.\n";
}

std::string LogoText() { return "Habitopia\nCrystal morphology\nVers. 1.56"; }

std::string HomePageHtml() {
  return "<h3>Habitopia</h3>"
         "<p>Builds, shows and exports the shapes of crystals.</p>"
         "<p>The user manual comes with the program: <b>Help</b> in the Help menu or the "
         "toolbar's HELP button opens it in your web browser.</p>"
         "<p>The command-line tool <code>habitopia-cli</code> does the same work in batch: "
         "<code>habitopia-cli --help</code>.</p>";
}

std::string DonationText() {
  return "Habitopia is free to use, copy and share.\n\n"
         "If it helps your teaching or research, the best support is to cite it in your work, "
         "to tell colleagues about it, and to report what does not work as you expect.";
}

std::string HelpManualPath(const std::string& programDirectory) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const fs::path candidate :
       {fs::path(programDirectory) / "help" / "index.html",
        fs::path(programDirectory) / ".." / "share" / "habitopia" / "help" / "index.html",
        fs::path(HABITOPIA_HELP_SOURCE_DIR) / "index.html"})
    if (fs::is_regular_file(candidate, ec)) return fs::weakly_canonical(candidate, ec).string();
  return {};
}

}  // namespace habitopia
