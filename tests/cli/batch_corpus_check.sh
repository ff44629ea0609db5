#!/usr/bin/env bash
# habitopia-cli batch over a collection of real CIF files (good and broken): every
# file gets its rows and no run fails; one thread and two give the same bytes, as
# do three shards merged and a run resumed after a cut in the middle of a row.
#   batch_corpus_check.sh HABITOPIA_CLI CORPUS_FOLDER
set -euo pipefail
cli="$1"
corpus="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

run() {  # batch ARGS...: the exit status must count refusals, not a failure
  local status=0
  "$cli" batch "$@" 2>>"$work/stderr" || status=$?
  if [ "$status" -ge 125 ]; then
    echo "batch $* ended with status $status:"; cat "$work/stderr"; exit 1
  fi
}

run "$corpus" -o "$work/one.jsonl" --jobs 1
run "$corpus" -o "$work/two.jsonl" --jobs 2
cmp "$work/one.jsonl" "$work/two.jsonl" || { echo "--jobs 1 and --jobs 2 differ"; exit 1; }

files=$(find "$corpus" -type f \( -iname '*.cif' -o -iname '*.cif.gz' \) | wc -l)
covered=$(grep -o '"index":[0-9]*' "$work/one.jsonl" | sort -u | wc -l)
[ "$files" -eq "$covered" ] || { echo "$files files, but rows for $covered"; exit 1; }

for k in 1 2 3; do run "$corpus" -o "$work/shard$k.jsonl" --shard "$k/3"; done
"$cli" batch-merge "$work/shard3.jsonl" "$work/shard1.jsonl" "$work/shard2.jsonl" \
  -o "$work/merged.jsonl" 2>/dev/null
cmp "$work/one.jsonl" "$work/merged.jsonl" || { echo "three shards merged differ"; exit 1; }

half=$(($(wc -c <"$work/one.jsonl") / 2))
head -c "$half" "$work/one.jsonl" >"$work/resumed.jsonl"
run "$corpus" -o "$work/resumed.jsonl" --resume
cmp "$work/one.jsonl" "$work/resumed.jsonl" || { echo "the resumed run differs"; exit 1; }

echo "batch over $files files: $(wc -l <"$work/one.jsonl") rows," \
  "$(grep -c '"status":"refused"' "$work/one.jsonl") refused; threads, shards and resume agree"
