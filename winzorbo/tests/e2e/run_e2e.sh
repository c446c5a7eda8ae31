#!/usr/bin/env bash
# End-to-end run of the real game under X: the intro with its two pictures,
# keys that skip them, the settings written at exit, and the two start-up
# failures with their bilingual messages.
#   run_e2e.sh BIN_DIR [SCREENSHOT_DIR]
# Uses $DISPLAY when set, else starts a private Xvfb.
set -euo pipefail

bin=$1
shots=${2:-}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

# --- start-up failures ---------------------------------------------------
expect_failure() {
  local dir=$1 first=$2 second=$3
  export XMESSAGE_LOG=$dir/message.txt
  local rc=0
  (cd "$work" && timeout 60 "$dir/WinZorbo") >"$dir/out.txt" 2>&1 || rc=$?
  [[ $rc -eq 1 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc, expected 1 ($dir)"; }
  [[ -f $XMESSAGE_LOG ]] || fail "no message shown ($dir)"
  grep -qF -- "$first" "$XMESSAGE_LOG" || { cat "$XMESSAGE_LOG" >&2; fail "missing '$first'"; }
  grep -qF -- "$second" "$XMESSAGE_LOG" || { cat "$XMESSAGE_LOG" >&2; fail "missing '$second'"; }
}

dir=$(game_copy nodata)
rm "$dir/Zorbo.dat"
expect_failure "$dir" "Error loading Zorbo.dat!" "Kunde inte ladda Zorbo.dat!"

dir=$(game_copy noscn)
rm "$dir"/scn/*
expect_failure "$dir" "Error: No playfields found in $dir/scn/*.zrb!" "Fel: Inga spelfält funna!"
[[ ! -e $dir/WinZorbo.ini ]] || fail "a failed start wrote settings"

# --- the intro -----------------------------------------------------------

dir=$(game_copy intro)
export XMESSAGE_LOG=$dir/message.txt
(cd "$work" && exec "$dir/WinZorbo") >"$dir/out.txt" 2>&1 &
game_pid=$!

wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^WinZorbo$' | head -n1) ||
  fail "no game window"
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid" || true

# Wait for the first picture to fade in: a screen of many colours.
shot() { import -silent -window "$wid" "$1" 2>/dev/null; }
picture1=$work/intro1.png
for _ in $(seq 200); do
  shot "$picture1" && [[ $(colours "$picture1") -gt 64 ]] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the first picture"
  sleep 0.05
done
[[ $(colours "$picture1") -gt 64 ]] || fail "the first intro picture never showed"
xdotool key --window "$wid" space 2>/dev/null || xdotool key space

# The second picture replaces the first.
picture2=$work/intro2.png
for _ in $(seq 200); do
  if shot "$picture2" && [[ $(colours "$picture2") -gt 64 ]] &&
    [[ $(differing "$picture1" "$picture2") -gt 50000 ]]; then
    break
  fi
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the title picture"
  sleep 0.05
done
[[ $(differing "$picture1" "$picture2") -gt 50000 ]] || fail "the title picture never showed"
pressed=$(date +%s%N)
xdotool key --window "$wid" space 2>/dev/null || xdotool key space

rc=0
for _ in $(seq 300); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after the intro"
wait "$game_pid" || rc=$?
game_pid=
ended=$(date +%s%N)
[[ $rc -eq 0 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc after the intro"; }
# Unskipped, the title stays four seconds and then fades slowly.
echo "title ended $(( (ended - pressed) / 1000000 )) ms after the key"
(( (ended - pressed) / 1000000 < 3500 )) || fail "the key did not cut the title short"

ini=$dir/WinZorbo.ini
[[ -f $ini ]] || fail "WinZorbo.ini not written"
for line in "language = se" "left1 = 1" "right1 = 4" "gas1 = 19" "fire1 = 17" \
  "left2 = 82" "right2 = 83" "gas2 = 85" "fire2 = 84" "vol0 = 255" "vol1 = 255"; do
  grep -qxF "$line" "$ini" || { cat "$ini" >&2; fail "WinZorbo.ini lacks '$line'"; }
done

if [[ -n $shots ]]; then
  mkdir -p "$shots"
  cp "$picture1" "$shots/intro-first-picture.png"
  cp "$picture2" "$shots/intro-title-picture.png"
fi
echo "winzorbo e2e: all passed"
