// Writes, for every space-group setting of gemmi's table as our lookup finds it
// by name, its number, symbol, Hall symbol, point group, operation count and the
// (h k l) with |h|, |k|, |l| <= 3 it finds absent, one setting per line,
// tab-separated, for a check against gemmi's own Python module.

#include <iostream>

#include "prediction/space_groups.h"

int main() {
  using namespace habitopia;
  int failures = 0;
  for (const gemmi::SpaceGroup& entry : gemmi::spacegroup_tables::main) {
    std::string error;
    const auto group = FindSpaceGroup(entry.xhm(), &error);
    if (!group) {
      std::cerr << entry.xhm() << ": " << error << "\n";
      ++failures;
      continue;
    }
    std::cout << group->number << '\t' << group->symbol << '\t' << group->hall << '\t'
              << group->pointGroup << '\t' << group->OperationCount() << '\t';
    for (int h = -3; h <= 3; ++h)
      for (int k = -3; k <= 3; ++k)
        for (int l = -3; l <= 3; ++l)
          if ((h || k || l) && group->AbsentOnSettingAxes({h, k, l}))
            std::cout << h << ' ' << k << ' ' << l << ';';
    std::cout << '\n';
  }
  return failures == 0 ? 0 : 1;
}
