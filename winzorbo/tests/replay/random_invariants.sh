#!/usr/bin/env bash
# Random input for 2000 frames on every shipped playfield in every game
# style: zorbo-replay --check stops at the first frame where a rocket leaves
# the world, a score goes below zero or the shot ring is overrun, and the
# sanitizers of the build stop it at the first memory or undefined-behaviour
# fault. Each run prints the command that repeats it.
#   random_invariants.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d /tmp/winzorbo-invariants-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

styles=(strict lenient bouncy)
n=0
for field in "$bin"/scn/*.zrb; do
  name=$(basename "$field" .zrb)
  for style in "${styles[@]}"; do
    n=$(( n + 1 ))
    args=("$name" --style "$style" --seed "$n" --random "$(( 1000 + n ))" --frames 2000 --target 999 --check)
    rc=0
    "$bin/zorbo-replay" "${args[@]}" >"$work/out.txt" 2>"$work/err.txt" || rc=$?
    if [[ $rc -ne 0 || -s $work/err.txt ]]; then
      cat "$work/err.txt" >&2
      fail "zorbo-replay ${args[*]} (exit code $rc)"
    fi
    frames=$(grep -vc -e '^checksum ' "$work/out.txt" || true)
    [[ $frames -eq 2000 ]] || fail "zorbo-replay ${args[*]}: $frames frames, not 2000"
    echo "$name $style: 2000 frames, scores $(awk '!/^checksum/ {s = $18 ":" $19} END {print s}' "$work/out.txt")"
  done
done
[[ $n -ge 15 ]] || fail "only $n runs"
