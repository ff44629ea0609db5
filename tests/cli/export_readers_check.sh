#!/usr/bin/env bash
# The drawings and 3D exports of habitopia-cli, opened by readers that are not ours:
#  - SVG: xmllint (well-formed XML) and librsvg's rsvg-convert, with no warning;
#    the cube seen along [1 1 1] shows 3 faces and 3 dashed edges;
#  - PDF: poppler's pdfinfo, pdftotext and pdffonts (one page, the title, the
#    labels as text, fonts embedded), and pdftoppm's picture against rsvg-convert's;
#  - glTF: the Khronos glTF validator, no errors;
#  - OBJ: assimp reads it (with its MTL) and writes STL, which admesh finds closed
#    (one part, no edges to fix, no backwards edges) with the STL export's volume;
#  - 3MF: the OPC package and core-schema check, and lib3mf (the 3MF Consortium's
#    library) reads it without warnings into a closed, oriented mesh of that volume.
#   export_readers_check.sh HABITOPIA_CLI PYTHON READ_3MF SOURCE_DIR
set -euo pipefail
cli="$1"
python="$2"
read3mf="$3"
source="$4"
here="$source/tests/scene"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

if [ ! -d "$here/gltf-check/node_modules/gltf-validator" ]; then
  (cd "$here/gltf-check" && npm ci --no-audit --no-fund --loglevel=error)
fi

cat >"$work/cube.cif" <<'CIF'
data_cube
_cell_length_a 1
_cell_length_b 1
_cell_length_c 1
_cell_angle_alpha 90
_cell_angle_beta 90
_cell_angle_gamma 90
_space_group_name_H-M_alt 'P m -3 m'
loop_
 _exptl_crystal_face_index_h
 _exptl_crystal_face_index_k
 _exptl_crystal_face_index_l
 _exptl_crystal_face_perp_dist
  1 0 0 1.0
CIF
"$cli" cif-import "$work/cube.cif" -o "$work/cube.mor" >/dev/null
cp "$source/examples/Quartz.mor" "$work/quartz.mor"

svg_check() {
  local file="$1"
  xmllint --noout "$file" || fail "$file is not well-formed XML"
  local warnings
  warnings="$(rsvg-convert "$file" -o "$file.png" 2>&1)" || fail "rsvg-convert cannot render $file"
  [ -z "$warnings" ] || fail "rsvg-convert warns on $file: $warnings"
  [ -s "$file.png" ] || fail "rsvg-convert wrote no picture for $file"
}

"$cli" drawing "$work/cube.mor" -o "$work/cube.svg" --direction 1 1 1 --hidden dashed --labels
svg_check "$work/cube.svg"
faces="$(grep -c 'class="face"' "$work/cube.svg")"
dashed="$(grep -c 'class="hidden-edge"' "$work/cube.svg")"
[ "$faces" = 3 ] || fail "cube along [1 1 1]: $faces faces, expected 3"
[ "$dashed" = 3 ] || fail "cube along [1 1 1]: $dashed dashed edges, expected 3"
echo "cube along [1 1 1]: $faces faces, $dashed dashed edges"

"$cli" drawing "$work/quartz.mor" -o "$work/quartz.svg" --labels --axes
"$cli" drawing "$work/quartz.mor" -o "$work/quartz-camera.svg" --camera --hidden none
"$cli" drawing "$work/quartz.mor" -o "$work/quartz-persp.svg" --view 1 0 0 --perspective 4
"$cli" stereo "$work/quartz.mor" -o "$work/stereo.svg" --wulff-net --all-faces --zone 0 1 --angle 0 1 >/dev/null
for f in quartz quartz-camera quartz-persp stereo; do svg_check "$work/$f.svg"; done
echo "SVG drawings parse and render with librsvg"

# PDF: one page of the SVG's size, the title, the labels as text, every font
# embedded, and (rasterised by poppler) the picture librsvg makes of the SVG.
pdf_check() {
  local svg="$1" pdf="$2" title="$3" words="$4"
  local info
  info="$(pdfinfo "$pdf")" || { fail "pdfinfo cannot read $pdf"; return; }
  grep -q '^Pages: *1$' <<<"$info" || fail "$pdf: not one page"
  grep -q "^Title: *$title\$" <<<"$info" || fail "$pdf: title is not \"$title\""
  grep -q '^Page size: *450 x ' <<<"$info" || fail "$pdf: page not 600 pixels (450 points) wide"
  local text
  text="$(pdftotext "$pdf" - | tr -s ' \n' ' ')"
  for word in $words; do
    grep -qF -- "$word" <<<"$text" || fail "$pdf: no text \"$word\" (has: $text)"
  done
  pdffonts "$pdf" | awk 'NR > 2 && $(NF - 4) != "yes" { bad = 1 } END { exit bad }' ||
    fail "$pdf: a font is not embedded"
  [ "$(pdffonts "$pdf" | wc -l)" -gt 2 ] || fail "$pdf: no fonts"
  pdftoppm -r 96 -png -singlefile "$pdf" "$pdf-poppler" || fail "pdftoppm cannot render $pdf"
  rsvg-convert "$svg" -o "$svg-rsvg.png" || fail "rsvg-convert cannot render $svg"
  "$python" - "$svg-rsvg.png" "$pdf-poppler.png" <<'PY' || fail "$pdf does not look like $svg"
import sys
from PIL import Image, ImageChops
svg = Image.open(sys.argv[1]).convert("RGB")
pdf = Image.open(sys.argv[2]).convert("RGB")
if abs(svg.width - pdf.width) > 1 or abs(svg.height - pdf.height) > 1:
    sys.exit("sizes differ: %s and %s" % (svg.size, pdf.size))
pdf = pdf.resize(svg.size)
diff = ImageChops.difference(svg, pdf).convert("L")
values = list(diff.getdata())
mean = sum(values) / len(values)
far = sum(v > 64 for v in values) / len(values)
print("%s against %s: mean difference %.2f, %.2f%% of pixels differ by more than 64"
      % (sys.argv[2], sys.argv[1], mean, 100 * far))
sys.exit(0 if mean < 3 and far < 0.02 else 1)
PY
}
"$cli" drawing "$work/cube.mor" -o "$work/cube-labels.svg" --direction 1 1 1 --labels
"$cli" drawing "$work/cube.mor" -o "$work/cube-labels.pdf" --direction 1 1 1 --labels
pdf_check "$work/cube-labels.svg" "$work/cube-labels.pdf" "cube, seen along \[1 1 1\]" \
  "(1 0 0) (0 1 0) (0 0 1)"
"$cli" stereo "$work/quartz.mor" -o "$work/stereo.pdf" --wulff-net --all-faces --zone 0 1 --angle 0 1 >/dev/null
pdf_check "$work/stereo.svg" "$work/stereo.pdf" "quartz, stereographic projection" \
  "upper hemisphere"
echo "PDF drawings: vector pages with embedded fonts that look like the SVG"

for model in cube quartz; do
  "$cli" stl "$work/$model.mor" -o "$work/$model.stl"
  "$cli" export "$work/$model.mor" -o "$work/$model.glb"
  "$cli" export "$work/$model.mor" -o "$work/$model.obj"
  "$cli" export "$work/$model.mor" -o "$work/$model.3mf"
  stl_volume="$(admesh "$work/$model.stl" | sed -n 's/.*Volume *: *\([0-9.]*\).*/\1/p')"

  node "$here/gltf-check/validate.js" "$work/$model.glb" || fail "$model.glb has glTF errors"

  (cd "$work" && assimp export "$model.obj" "$model-obj.stl" >/dev/null) ||
    fail "assimp cannot read $model.obj"
  report="$(admesh "$work/$model-obj.stl")"
  obj_volume="$(sed -n 's/.*Volume *: *\([0-9.]*\).*/\1/p' <<<"$report")"
  grep -q 'Number of parts *: *1 ' <<<"$report" || fail "$model.obj is not one part"
  for item in 'Edges fixed' 'Backwards edges' 'Facets removed' 'Facets added' 'Degenerate facets'; do
    grep -q "$item *: *0\$" <<<"$report" || fail "$model.obj: admesh reports $(grep "$item" <<<"$report")"
  done

  "$python" "$here/threemf-check/check_package.py" "$work/$model.3mf" || fail "$model.3mf package"
  # libzip under lib3mf keeps a few buffers to the end; that is not ours to report.
  lib3mf_report="$(ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$read3mf" "$work/$model.3mf")" ||
    fail "lib3mf: $lib3mf_report"
  echo "$lib3mf_report"
  mf_volume="$(sed -n 's/.*volume \([0-9.]*\).*/\1/p' <<<"$lib3mf_report" | head -1)"

  "$python" - "$model" "$stl_volume" "$obj_volume" "$mf_volume" <<'PY' || fail "$model volumes differ"
import sys
name, stl, obj, mf = sys.argv[1], *map(float, sys.argv[2:])
# The STL rounds its vertices to 0.01 mm; the other files keep more digits.
for label, v in (("OBJ", obj), ("3MF", mf)):
    assert abs(v - stl) <= 0.002 * stl, (label, v, stl)
print("%s: volume STL %.1f, OBJ (assimp) %.1f, 3MF (lib3mf) %.1f mm^3" % (name, stl, obj, mf))
PY
done

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "every reader accepted every file"
