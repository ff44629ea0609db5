#!/usr/bin/env bash
# The rate of "habitopia-cli batch" over a folder of CIF files, with one thread
# and with every core, and their ratio. Not a test: it prints figures.
#   bench/batch/batch_rate.sh HABITOPIA_CLI [FOLDER] [HKL_MAX]
# FOLDER defaults to ../shared/cif-corpus/files beside the source tree.
set -euo pipefail
cli="$1"
folder="${2:-$(dirname "$0")/../../../shared/cif-corpus/files}"
hkl="${3:-2}"
cores="$(nproc)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

rate() {  # jobs -> structures per second (the median of three runs)
  local jobs="$1" runs=()
  for run in 1 2 3; do
    local start end rows
    start=$(date +%s.%N)
    "$cli" batch "$folder" -o "$work/rows.jsonl" --jobs "$jobs" --hkl-max "$hkl" 2>/dev/null || true
    end=$(date +%s.%N)
    rows=$(wc -l <"$work/rows.jsonl")
    runs+=("$(awk -v r="$rows" -v a="$start" -v b="$end" 'BEGIN { print r / (b - a) }')")
  done
  printf '%s\n' "${runs[@]}" | sort -g | sed -n 2p
}

one=$(rate 1)
all=$(rate "$cores")
printf 'batch over %s (hkl-max %s): %.0f structures/s with 1 thread, %.0f with %s threads, ratio %.2f\n' \
  "$folder" "$hkl" "$one" "$all" "$cores" "$(awk -v a="$all" -v b="$one" 'BEGIN { print a / b }')"
