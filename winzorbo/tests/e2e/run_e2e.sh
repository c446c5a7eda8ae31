#!/usr/bin/env bash
# End-to-end run of the real game under X, as a player goes through it: the
# two start-up failures with their bilingual messages, a wrong "--play" name
# refused before a window opens, and then a first start from the language
# menu through the intro, the menus, a match, its results and the credits to
# Quit, with the settings written at the end. Screenshots of each screen go
# to SCREENSHOT_DIR.
#   run_e2e.sh BIN_DIR [SCREENSHOT_DIR]
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

# --- a playfield the catalogue does not list -----------------------------
dir=$(game_copy wrongname)
rc=0
(cd "$work" && timeout 60 "$dir/WinZorbo" --play nosuch) >"$dir/out.txt" 2>&1 || rc=$?
[[ $rc -eq 2 ]] || { cat "$dir/out.txt" >&2; fail "--play nosuch: exit code $rc, expected 2"; }
grep -qF "no playfield called nosuch" "$dir/out.txt" || { cat "$dir/out.txt" >&2; fail "--play nosuch: no reason given"; }
grep -qF "twobase" "$dir/out.txt" || fail "--play nosuch: the listed playfields are not named"
[[ ! -e $dir/WinZorbo.ini ]] || fail "a refused start wrote settings"

# --- a first start, the whole way through --------------------------------
dir=$(game_copy first)
export XMESSAGE_LOG=$dir/message.txt
(cd "$work" && exec "$dir/WinZorbo") >"$dir/out.txt" 2>&1 &
game_pid=$!
find_window

# Nothing is stored yet: the language menu comes first, before the intro.
blank=$work/blank.png
convert -size 640x480 xc:black "$blank"
language=$work/language-menu.png
wait_for_new_screen "$blank" "$language" 20000
[[ $(colours "$language") -gt 64 ]] || fail "the language menu does not show the title picture"
# Escape cannot leave it.
tap Escape
sleep 0.5
shot "$work/after-escape.png"
[[ $(differing "$language" "$work/after-escape.png") -eq 0 ]] || fail "Escape left the language menu"
tap Down Return

# The intro: the first picture, then the title; a key cuts each short.
picture1=$work/intro1.png
wait_for_change "$language" "$picture1" 50000
sleep 0.5
shot "$picture1"
tap space
picture2=$work/intro2.png
wait_for_change "$picture1" "$picture2" 50000
sleep 0.5
shot "$picture2"
tap space
main=$work/main-menu.png
wait_for_new_screen "$picture2" "$main" 200

# Play, Bouncy: the playfield menu.
tap Return
play=$work/play-menu.png
wait_for_new_screen "$main" "$play"
tap Return
fields=$work/playfield-menu.png
wait_for_new_screen "$play" "$fields"

# The first playfield of the list.
tap Down Down Down Down Down Return
match=$work/match.png
for _ in $(seq 200); do
  alive "loading the match"
  shot "$match" && [[ $(differing "$fields" "$match") -gt 100000 ]] && break
  sleep 0.1
done
[[ $(differing "$fields" "$match") -gt 100000 ]] || fail "no match after the playfield menu"
sleep 0.5
shot "$match"
# Both players fly a little.
focus
xdotool keydown s d Down Left
sleep 1.2
flying=$work/match-flying.png
shot "$flying"
xdotool keyup s d Down Left
for side in left:300x480+0+0 right:300x480+340+0; do
  name=${side%%:*}
  convert "$match" -crop "${side#*:}" +repage "$work/$name-before.png"
  convert "$flying" -crop "${side#*:}" +repage "$work/$name-during.png"
  [[ $(differing "$work/$name-before.png" "$work/$name-during.png") -gt 5000 ]] ||
    fail "the $name view did not follow its rocket"
done

# Escape leaves the match for the results: the remark box and the
# play-again box, each a rectangle with a one-coloured border.
focus
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
results=$work/results.png
wait_for_results "$results"

# Right, Enter: back to the menu; Escape from the playfield menu to the main
# menu, then the credits.
tap Right Return
back=$work/back.png
wait_for_new_screen "$results" "$back" 20000
[[ $(differing "$back" "$fields") -lt 2000 ]] || fail "the menu did not come back after the results"
tap Escape
menu_again=$work/menu-again.png
wait_for_new_screen "$back" "$menu_again"
[[ $(differing "$menu_again" "$main") -lt 2000 ]] || fail "Escape did not lead to the main menu"
tap Down Down Return
credits=$work/credits.png
for _ in $(seq 200); do
  alive "waiting for the credits"
  # Names on black, with two small figures walking.
  shot "$credits" && [[ $(colours "$credits") -lt 40 ]] &&
    [[ $(convert "$credits" -crop 640x20+0+150 +repage -format %k info:) -gt 1 ]] && break
  sleep 0.1
done
[[ $(colours "$credits") -lt 40 ]] || fail "no credits"
sleep 2.5
shot "$credits"
tap space
after_credits=$work/after-credits.png
wait_for_new_screen "$credits" "$after_credits" 20000
[[ $(differing "$after_credits" "$main") -lt 2000 ]] || fail "the credits did not lead back to the main menu"

# Quit, just below the credits.
tap Down Return
wait_for_exit "after Quit"
[[ $rc -eq 0 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc after Quit"; }

ini=$dir/WinZorbo.ini
[[ -f $ini ]] || fail "WinZorbo.ini not written"
for line in "language = en" "left1 = 1" "right1 = 4" "gas1 = 19" "fire1 = 17" \
  "left2 = 82" "right2 = 83" "gas2 = 85" "fire2 = 84" "vol0 = 255" "vol1 = 255"; do
  grep -qxF "$line" "$ini" || { cat "$ini" >&2; fail "WinZorbo.ini lacks '$line'"; }
done

if [[ -n $shots ]]; then
  mkdir -p "$shots"
  cp "$language" "$main" "$fields" "$results" "$credits" "$flying" "$shots/"
  cp "$picture1" "$shots/intro-first-picture.png"
  cp "$picture2" "$shots/intro-title-picture.png"
fi
echo "winzorbo e2e: all passed"
