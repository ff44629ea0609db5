#pragma once
// Older and unusual spellings of Hermann-Mauguin symbols that gemmi's table does
// not read, rewritten the way it does: subscripts marked with "~", "_" or
// parentheses ("P2~1~/n", "P2_1/n", "P2(1)/n" for "P21/n"), blanks around "/"
// ("P 21 /m"), remarks in parentheses ("P 21 21 21 (No. 19)"), cubic symbols without the bar on the
// three-fold ("Fm3m", "F d 3 m", "Ia3d" for "Fm-3m", "Fd-3m", "Ia-3d"), full symbols of the
// orthorhombic and higher systems ("P 21/n 21/m 21/a" for "P n m a"), and the
// rhombohedral-group setting letter without a colon ("R -3 m H" for "R -3 m:H").

#include <string>
#include <string_view>

namespace habitopia {

// The text without outer blanks and without quotes around it (a CIF value may
// carry both, more than once).
std::string UnquotedSymbol(std::string_view text);

// The rewritten symbol; a symbol none of the rules applies to comes back
// unchanged, apart from its quotes and outer blanks.
std::string NormaliseHermannMauguin(std::string_view symbol);

}  // namespace habitopia
