#!/usr/bin/env bash
# The web page export in a real browser: Quartz as stored (no labels) and Quartz
# with index labels and a rotation twin (the text component and its font), each
# written by habitopia-cli, must load no other file and show a shaded crystal in
# headless Chromium with networking disabled, without a console error.
#   run-check.sh HABITOPIA_CLI PYTHON SOURCE_DIR
set -euo pipefail
cli="$1"
python="$2"
source="$3"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

cp "$source/examples/Quartz.mor" "$work/quartz.mor"
# Line 10 holds the display switches (the fourth: index labels); lines 14 to 19
# the twin tool's type and texts.
awk 'NR == 10 { $4 = 1 } NR == 14 { $0 = "2" } NR == 16 { $0 = "1 0 0" } NR == 18 { $0 = "90" }
     { print }' "$source/examples/Quartz.mor" >"$work/labelled.mor"

for model in quartz labelled; do
  page="$work/$model.html"
  "$cli" export "$work/$model.mor" -o "$page" || { fail "$model: export failed"; continue; }
  echo "$model.html: $(stat -c %s "$page") bytes"
  if grep -Eq '<(script|link|img|iframe)[^>]* (src|href)=' "$page"; then
    fail "$model.html refers to another file"
  fi
  if [ "$model" = labelled ]; then
    grep -q 'geometry Text' "$page" || fail "labelled.html has no labels in its scene"
    grep -q 'DroidSerif-Bold.woff2' "$page" || fail "labelled.html carries no label font"
  fi
  "$python" "$here/check_web_page.py" "$page" "$work/$model.png" || fail "$model.html in Chromium"
done
exit $((failures > 0))
