#!/usr/bin/env bash
# On every shipped playfield each kind of creature it has does something of
# its own within 2000 replayed frames, as zorbo-replay --actors shows it:
# swimmers and carriers get somewhere, bombs land and blast, hoppers fall,
# jump or look around.
#   creatures_act.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d /tmp/winzorbo-creatures-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

n=0
for field in "$bin"/scn/*.zrb; do
  name=$(basename "$field" .zrb)
  n=$(( n + 1 ))
  "$bin/zorbo-replay" "$name" --seed 7 --frames 2000 --actors >"$work/$name.txt" ||
    fail "$name: zorbo-replay failed"
  # The kind of an actor is told by the state it starts the match in.
  awk -v field="$name" '
    function kind_of(s) {
      if (s >= 46 && s <= 55) return "swimmer"
      if (s >= 62 && s <= 66) return "bomb"
      if (s >= 67 && s <= 73) return "hopper"
      if (s >= 74 && s <= 83) return "carrier"
      return ""
    }
    function bad(why) { print "FAIL: " field ": " why > "/dev/stderr"; failed = 1; exit 1 }
    /^checksum / { next }
    $1 != "actor" {
      if (frames > 0 && listed != count) bad("frame " frames - 1 " lists " listed " actors, not " count)
      frames++; listed = 0; next
    }
    {
      if (NF != 7) bad("an actor line has " NF " fields: " $0)
      if ($2 != listed) bad("actor " $2 " listed as number " listed)
      listed++
      i = $2
      if (frames == 1) { count = listed; kind[i] = kind_of($3); x0[i] = $4; y0[i] = $5 }
      if (kind[i] == "") next
      if ($4 != x0[i]) moved_x[i] = 1
      if ($5 != y0[i]) moved_y[i] = 1
      seen[i, $3] = 1
    }
    END {
      if (failed) exit 1
      if (listed != count) bad("the last frame lists " listed " actors, not " count)
      if (frames != 2000) bad(frames " frames, not 2000")
      for (i in kind) {
        k = kind[i]
        if (k == "") continue
        kinds[k]++
        what = k " " i " (from " x0[i] "," y0[i] ")"
        if (k == "swimmer" && !moved_x[i]) bad(what " never swam")
        if (k == "carrier" && !moved_x[i]) bad(what " never walked")
        if (k == "bomb" && !(seen[i, 63] && seen[i, 64])) bad(what " never landed and blasted")
        if (k == "hopper" && !(moved_y[i] || seen[i, 69] || seen[i, 70]))
          bad(what " never fell, jumped or looked around")
      }
      for (k in kinds) printf "%s: %d %s\n", field, kinds[k], k
      if (field == "lagoon" && !(kinds["swimmer"] && kinds["bomb"]))
        bad("the lagoon has lost its swimmers or its bomb")
    }' "$work/$name.txt" || fail "$name: a creature did nothing"
done
[[ $n -ge 5 ]] || fail "only $n playfields"

# Without --actors the output stays one line a frame.
"$bin/zorbo-replay" lagoon --seed 7 --frames 5 >"$work/plain.txt"
grep -q '^actor ' "$work/plain.txt" && fail "actor lines without --actors"
echo "creatures act on $n playfields"
