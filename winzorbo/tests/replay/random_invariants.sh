#!/usr/bin/env bash
# Random input for 2000 frames on every shipped playfield in every game
# style: zorbo-replay --check stops at the first frame where a rocket leaves
# the world, a score goes below zero or the shot ring is overrun, and the
# sanitizers of the build stop it at the first memory or undefined-behaviour
# fault. Each run prints the command that repeats it.
#   random_invariants.sh BIN_DIR [PLAYFIELD]   (all shipped playfields without one)
set -euo pipefail
bin=$1
only=${2:-}
work=$(mktemp -d /tmp/winzorbo-invariants-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

styles=(strict lenient bouncy)
if [[ -n $only ]]; then
  [[ -f $bin/scn/$only.zrb ]] || fail "no playfield $bin/scn/$only.zrb"
  fields=("$bin/scn/$only.zrb")
else
  fields=("$bin"/scn/*.zrb)
fi
n=0
for field in "${fields[@]}"; do
  name=$(basename "$field" .zrb)
  # Seeds of their own for each playfield, also when it runs alone.
  seed=$(cksum <<<"$name" | cut -d' ' -f1)
  for style in "${styles[@]}"; do
    n=$(( n + 1 ))
    seed=$(( (seed + 7919) % 1000000 ))
    args=("$name" --style "$style" --seed "$seed" --random "$(( seed + 1 ))" --frames 2000 --target 999 --check)
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
[[ -n $only || $n -ge 15 ]] || fail "only $n runs"
