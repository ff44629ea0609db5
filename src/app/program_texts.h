#pragma once
// The texts of the information commands: "&About", "H&istory", "Lo&go" (the
// start-up picture's caption) and the home-page panel.

#include <string>

namespace habitopia {

// The about box: program, version and the components the program is built on.
std::string AboutText();
// The history panel: the program's changes, newest first, one line each.
std::string HistoryText();
// The start-up picture's lines under the program's name.
std::string LogoText();
// The home-page panel, as HTML with links.
std::string HomePageHtml();
// The donation box.
std::string DonationText();

// The user manual: "help/index.html" beside the program, else the installed
// "../share/habitopia/help/index.html", else the source tree's; empty when none
// exists.
std::string HelpManualPath(const std::string& programDirectory);

}  // namespace habitopia
