#!/usr/bin/env bash
# zorbo-replay gives the same output for the same arguments, one line per
# frame and a checksum, on every shipped playfield and in every style.
#   replay_determinism.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d /tmp/winzorbo-replay-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Fire and gas for player 1, turning and gas for player 2, then quiet.
for i in $(seq 0 199); do
  echo "$(( i % 5 < 3 ? 3 : 2 )) $(( i % 9 < 4 ? 6 : 10 ))"
done >"$work/input.txt"

styles=(strict lenient bouncy)
n=0
for field in "$bin"/scn/*.zrb; do
  name=$(basename "$field" .zrb)
  style=${styles[$(( n % 3 ))]}
  n=$(( n + 1 ))
  args=("$name" --style "$style" --seed 7 --frames 300 --input "$work/input.txt")
  "$bin/zorbo-replay" "${args[@]}" >"$work/a.txt"
  "$bin/zorbo-replay" "${args[@]}" >"$work/b.txt"
  cmp -s "$work/a.txt" "$work/b.txt" || fail "$name: two runs differ"
  grep -qE '^checksum [0-9a-f]{16}$' <(tail -n1 "$work/a.txt") || fail "$name: no checksum"
  # 19 fields a frame: the frame, 8 per rocket, 2 scores.
  awk '/^checksum/ {next} NF != 19 {bad=1} END {exit bad}' \
    "$work/a.txt" || fail "$name: a frame line has the wrong number of fields"
  # The same playfield as a path to its file.
  "$bin/zorbo-replay" "$field" "${args[@]:1}" >"$work/c.txt"
  cmp -s "$work/a.txt" "$work/c.txt" || fail "$name: by path differs from by name"
  # Another seed or no input is another match.
  "$bin/zorbo-replay" "$name" --style "$style" --seed 7 --frames 300 >"$work/d.txt"
  cmp -s "$work/a.txt" "$work/d.txt" && fail "$name: the input changed nothing"
done
[[ $n -ge 5 ]] || fail "only $n playfields"

rc=0
"$bin/zorbo-replay" nosuchfield --frames 3 >/dev/null 2>&1 || rc=$?
[[ $rc -eq 1 ]] || fail "a missing playfield gave exit code $rc"
rc=0
"$bin/zorbo-replay" arena --style wobbly >/dev/null 2>&1 || rc=$?
[[ $rc -eq 2 ]] || fail "a bad style gave exit code $rc"
echo "zorbo-replay: deterministic on $n playfields"
