#!/usr/bin/env bash
# Our space-group lookup against gemmi's Python module: every setting of the
# table, looked up by its name, must have the same number, Hall symbol,
# operation count, crystal class and systematic absences for |h|, |k|, |l| <= 3
# as gemmi gives for the same Hermann-Mauguin symbol and setting.
#   space_group_check.sh SPACE_GROUP_DUMP PYTHON
set -euo pipefail
dump="$1"
python="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$dump" >"$work/table.tsv"

"$python" - "$work/table.tsv" <<'PY'
import sys
import gemmi

# Crystal classes in the numbering of the point-group table.
classes = {"1": 1, "-1": 2, "2": 3, "m": 4, "2/m": 5, "222": 6, "mm2": 7, "mmm": 8,
           "3": 9, "32": 10, "-3": 11, "3m": 12, "-3m": 13, "4": 14, "422": 15, "-4": 16,
           "4mm": 17, "-42m": 18, "4/m": 19, "4/mmm": 20, "6": 21, "622": 22, "-6": 23,
           "6mm": 24, "-62m": 25, "6/m": 26, "6/mmm": 27, "23": 28, "m-3": 29, "432": 30,
           "-43m": 31, "m-3m": 32}
hkls = [(h, k, l) for h in range(-3, 4) for k in range(-3, 4) for l in range(-3, 4)
        if (h, k, l) != (0, 0, 0)]
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1])]
assert len(rows) == len(list(gemmi.spacegroup_table())), len(rows)
numbers = set()
failures = []
checked = 0
for number, name, hall, group, order, absent in rows:
    sg = gemmi.find_spacegroup_by_name(name)
    if sg is None or sg.number != int(number) or sg.hall.strip() != hall.strip():
        failures.append(f"{name}: gemmi has {sg and (sg.number, sg.hall)}")
        continue
    numbers.add(sg.number)
    ops = sg.operations()
    ours = {tuple(int(x) for x in t.split()) for t in absent.split(";") if t}
    theirs = {hkl for hkl in hkls if ops.is_systematically_absent(list(hkl))}
    checked += len(hkls)
    if ours != theirs:
        failures.append(f"{name}: absent only here {sorted(ours - theirs)[:5]}, "
                        f"only in gemmi {sorted(theirs - ours)[:5]}")
    if int(order) != len(ops):
        failures.append(f"{name}: {order} operations, gemmi {len(ops)}")
    if int(group) != classes[sg.point_group_hm()]:
        failures.append(f"{name}: point group {group}, gemmi {sg.point_group_hm()}")
assert numbers == set(range(1, 231)), sorted(set(range(1, 231)) - numbers)
for f in failures[:40]:
    print(f)
print(f"{len(rows)} settings, {checked} reflections compared, {len(failures)} differences")
sys.exit(1 if failures else 0)
PY
