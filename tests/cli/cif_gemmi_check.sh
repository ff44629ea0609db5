#!/usr/bin/env bash
# A CIF written by "habitopia-cli cif-export" must be read by a CIF reader that is
# not ours (gemmi) without error, carry the model's cell, point group and faces,
# and import again to the same model.
#   cif_gemmi_check.sh HABITOPIA_CLI PYTHON
set -euo pipefail
cli="$1"
python="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat >"$work/in.cif" <<'CIF'
data_quartz
_exptl_crystal_colour 'light-yellow'
_exptl_crystal_colour_lustre clear
_cell_length_a 4.9134(2)
_cell_length_b 4.9134(2)
_cell_length_c 5.4052(3)
_cell_angle_alpha 90
_cell_angle_beta 90
_cell_angle_gamma 120
_space_group_name_H-M_alt 'P 32 2 1'
_space_group_IT_number 154
loop_
 _exptl_crystal_face_index_h
 _exptl_crystal_face_index_k
 _exptl_crystal_face_index_l
 _exptl_crystal_face_perp_dist
  1 0 0 1.0
  1 0 1 1.2
  0 1 1 1.35
  -1 1 2.5 0.9
CIF

"$cli" cif-import "$work/in.cif" -o "$work/a.mor"
"$cli" cif-export "$work/a.mor" -o "$work/unique.cif"
"$cli" cif-export "$work/a.mor" --all-faces -o "$work/all.cif"

"$python" - "$work/unique.cif" "$work/all.cif" <<'PY'
import sys
import gemmi

def read(path, faces):
    block = gemmi.cif.read(path).sole_block()  # raises on any syntax error
    cell = [block.find_value(tag) for tag in (
        "_cell_length_a", "_cell_length_b", "_cell_length_c",
        "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma")]
    assert cell == ["4.91340", "4.91340", "5.40520", "90.00000", "90.00000", "120.00000"], cell
    assert block.find_value("_symmetry_point_group_name_H-M") == "32"
    assert block.find_value("_exptl_crystal_colour") == "light-yellow"
    assert block.find_value("_exptl_crystal_colour_lustre") == "clear"
    table = block.find("_exptl_crystal_face_", ["index_h", "index_k", "index_l", "perp_dist"])
    rows = [[row[i] for i in range(4)] for row in table]
    assert len(rows) == faces, rows
    return rows

rows = read(sys.argv[1], 4)
assert rows == [["1", "0", "0", "1.0000"], ["1", "0", "1", "1.2000"],
                ["0", "1", "1", "1.3500"], ["-1", "1", "2.5", "0.9000"]], rows
read(sys.argv[2], 24)
print("gemmi read both files")
PY

"$cli" cif-import "$work/unique.cif" -o "$work/b.mor"
cmp "$work/a.mor" "$work/b.mor"
echo "the exported CIF imports to the same model"
