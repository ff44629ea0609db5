// Writes, for every space-group setting of the table, its number, symbol, Hall
// symbol, point group and the (h k l) with |h|, |k|, |l| <= 3 it finds absent,
// one setting per line, tab-separated, for a check against another library.

#include <iostream>

#include "prediction/space_groups.h"

int main() {
  using namespace habitopia;
  for (const SpaceGroupEntry& entry : kSpaceGroupTable) {
    const SpaceGroupSymmetry group = SpaceGroupOf(entry);
    std::cout << entry.number << '\t' << entry.Name() << '\t' << entry.hall << '\t'
              << group.pointGroup << '\t' << group.operations.size() << '\t';
    for (int h = -3; h <= 3; ++h)
      for (int k = -3; k <= 3; ++k)
        for (int l = -3; l <= 3; ++l)
          if ((h || k || l) && IsSystematicallyAbsent(group.operations, {h, k, l}))
            std::cout << h << ' ' << k << ' ' << l << ';';
    std::cout << '\n';
  }
  return 0;
}
