#!/usr/bin/env sh
# Runs the scene tests with their scenes kept in a folder, then parses every kept
# scene with X_ITE's VRML parser.  usage: run-check.sh TEST_SCENE_BINARY DUMP_FOLDER
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
binary="$1"
dump="$2"
if [ ! -d "$here/node_modules/x_ite" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
rm -rf "$dump"
mkdir -p "$dump"
HABITOPIA_SCENE_DUMP="$dump" "$binary" --gtest_brief=1 >/dev/null
node "$here/check-vrml.js" "$dump"
