#!/usr/bin/env bash
# End-to-end match: "WinZorbo --play" on the two-base playfield. Both players
# hold thrust and turning keys, both views follow their rockets, F8 writes a
# 640x480 screenshot into the current folder, F1 shows the map and returns,
# Escape ends the match for its results, and from there the menus lead to
# Quit with exit code 0.
#   run_match_e2e.sh BIN_DIR [SCREENSHOT_DIR]
set -euo pipefail

bin=$1
shots=${2:-}
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

dir=$(game_copy match)
# Not a first start: no language menu before the intro.
printf 'language = en\n' >"$dir/WinZorbo.ini"
run=$work/run
mkdir -p "$run"
export XMESSAGE_LOG=$dir/message.txt
(cd "$run" && exec "$dir/WinZorbo" --play twobase --style lenient --target 3) >"$dir/out.txt" 2>&1 &
game_pid=$!

find_window
view() { convert "$1" -crop "$2" +repage "$3"; }

# Any key cuts the intro short; in the match F8 saves the screen. Keep
# pressing it until the first screenshot appears.
for _ in $(seq 120); do
  [[ -e $run/dump00.pcx ]] && break
  alive "before the match"
  focus
  xdotool key F8
  sleep 0.25
done
[[ -e $run/dump00.pcx ]] || fail "F8 wrote no dump00.pcx"
size=$(identify -format '%w %h' "$run/dump00.pcx")
[[ $size == "640 480" ]] || fail "dump00.pcx is $size"

before=$work/before.png
shot "$before" || fail "no screenshot"
# Player 1 (S gas, D right) and player 2 (Down gas, Left left) fly off.
focus
xdotool keydown s d Down Left
sleep 1.2
during=$work/during.png
shot "$during"
xdotool keyup s d Down Left
alive "while flying"

for side in left:300x480+0+0 right:300x480+340+0; do
  name=${side%%:*}
  view "$before" "${side#*:}" "$work/$name-before.png"
  view "$during" "${side#*:}" "$work/$name-during.png"
  changed=$(differing "$work/$name-before.png" "$work/$name-during.png")
  echo "$name view: $changed pixels changed"
  [[ $changed -gt 5000 ]] || fail "the $name view did not follow its rocket"
done
# The centre column between the views stays.
view "$before" 20x100+310+0 "$work/centre-before.png"
view "$during" 20x100+310+0 "$work/centre-during.png"
[[ $(differing "$work/centre-before.png" "$work/centre-during.png") -eq 0 ]] ||
  fail "the centre column changed"

# F1: the whole screen shows the playfield, the centre column gives way; F1
# again brings both views and the column back.
press() {
  focus
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
  sleep 0.4
}
# Photographs the screen into $1 until the part $2 of the centre column
# differs from before the flight by between $3 and $4 pixels, for up to 10 s:
# on a loaded machine the game may take longer than any fixed pause to redraw.
column_becomes() {
  local changed=-1
  view "$before" "$2" "$1.before.png"
  for _ in $(seq 40); do
    shot "$1" && view "$1" "$2" "$1.column.png" &&
      changed=$(differing "$1.before.png" "$1.column.png")
    ((changed >= $3 && changed <= $4)) && return 0
    sleep 0.25
  done
  echo "centre column: $changed pixels changed" >&2
  return 1
}
press F1
map=$work/map.png
column_becomes "$map" 20x480+310+0 1001 999999 || fail "F1 did not show the map"
press F1
back=$work/back.png
# Above the score box the column never changes; the ammunition and health
# bars below it move with the match.
column_becomes "$back" 20x200+310+0 0 0 || fail "the centre column did not come back after the map"
alive "after the map"

# The match looks at Escape once a frame: hold it for a few frames. The
# results follow; Right and Enter lead to the main menu, where Escape moves
# to Quit.
focus
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
results=$work/results.png
wait_for_results "$results"
tap Right Return
menu=$work/menu.png
wait_for_new_screen "$results" "$menu" 20000
[[ $(colours "$menu") -gt 64 ]] || fail "no menu after the results"
tap Escape Return
wait_for_exit "after Quit"
[[ $rc -eq 0 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc after Quit"; }

if [[ -n $shots ]]; then
  mkdir -p "$shots"
  cp "$before" "$shots/match-start.png"
  cp "$during" "$shots/match-flying.png"
  cp "$map" "$shots/match-map.png"
  cp "$results" "$shots/match-results.png"
  convert "$run/dump00.pcx" "$shots/match-dump00.png"
fi
echo "winzorbo match e2e: all passed"
