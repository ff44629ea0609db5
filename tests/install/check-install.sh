#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs:
# the programs, the files they read, a valid desktop entry, the icon and the
# model file type, which the desktop's own tools then accept.
# Usage: check-install.sh BUILD_DIR WITH_WINDOW(0|1) [PYTHON PYTHON_DIR]
# With PYTHON, the Python package installed in PREFIX/PYTHON_DIR must import.
set -euo pipefail
build="$1"
window="$2"
python="${3:-}"
python_dir="${4:-}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
need() { [ -e "$prefix/$1" ] || fail "missing $1"; }

need bin/habitopia-cli
need share/habitopia/examples/Quartz.mor
need share/habitopia/help/index.html
need share/habitopia/help/style.css
need share/habitopia/web-viewer/x_ite.min.js
need share/habitopia/web-viewer/assets/components/TextComponent.min.js
need share/applications/habitopia.desktop
need share/icons/hicolor/scalable/apps/habitopia.svg
need share/mime/packages/habitopia-mime.xml
if [ "$window" = 1 ]; then
  need bin/habitopia
  need share/habitopia/viewer/index.html
  need share/habitopia/viewer/x_ite.min.js
  [ ! -e "$prefix/share/habitopia/viewer/.copied" ] || fail "build stamp installed"
fi

"$prefix/bin/habitopia-cli" info "$prefix/share/habitopia/examples/Quartz.mor" >/dev/null ||
  fail "the installed habitopia-cli cannot read the installed example"
desktop-file-validate "$prefix/share/applications/habitopia.desktop" || fail "invalid desktop entry"
if [ -n "$python" ]; then
  need "$python_dir/habitopia/__init__.py"
  need "$python_dir/habitopia/__init__.pyi"
  (cd "$scratch" && PYTHONPATH="$prefix/$python_dir" "$python" -c "
import sys, habitopia
assert habitopia.__file__.startswith(sys.argv[1]), habitopia.__file__
assert habitopia.Crystal.read(sys.argv[2]).closed" "$prefix" "$prefix/share/habitopia/examples/Quartz.mor") ||
    fail "the installed Python package does not import or read the installed example"
fi

update-mime-database "$prefix/share/mime"
grep -q '^[0-9]*:application/x-habitopia-model:\*\.mor' "$prefix/share/mime/globs2" ||
  fail "the type database does not know *.mor"

# A user of this prefix makes the program the default for model files.
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_DIRS="$prefix/share"
unset XDG_CURRENT_DESKTOP
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
xdg-mime default habitopia.desktop application/x-habitopia-model
[ "$(xdg-mime query default application/x-habitopia-model)" = habitopia.desktop ] ||
  fail "xdg-mime does not name habitopia.desktop for model files"
echo "check-install: installed and registered in $prefix"
