#!/usr/bin/env bash
# habitopia-cli wulff against pymatgen's WulffShape (Debian's python3-pymatgen).
#   wulff_pymatgen_check.sh HABITOPIA_CLI PYTHON
set -euo pipefail
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$2" "$(dirname "$0")/wulff_pymatgen_check.py" "$1" "$work"
