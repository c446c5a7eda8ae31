#!/usr/bin/env bash
# The window's close button ends the game as Quit does: from inside the
# options, after the music volume went down, the game ends with exit code 0
# and the settings it had are written.
#   run_close_e2e.sh BIN_DIR CLOSE_WINDOW_TOOL
set -euo pipefail

bin=$1
close_window=$2
shots=
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

dir=$(game_copy close)
printf 'language = en\n' >"$dir/WinZorbo.ini"
export XMESSAGE_LOG=$dir/message.txt
(cd "$work" && exec "$dir/WinZorbo") >"$dir/out.txt" 2>&1 &
game_pid=$!
find_window

# The intro, cut short; then the main menu.
blank=$work/blank.png
convert -size 640x480 xc:black "$blank"
picture=$work/intro.png
wait_for_change "$blank" "$picture" 50000
tap space
sleep 1
tap space
main=$work/main.png
wait_for_new_screen "$picture" "$main" 200
# Options, the volume panel, music down by 8, out of the panel.
tap Down Return
options=$work/options.png
wait_for_new_screen "$main" "$options"
tap Down Return
panel=$work/panel.png
wait_for_new_screen "$options" "$panel"
tap Left Left Escape
sleep 0.5

"$close_window" "$wid" || fail "the close request was not sent"
wait_for_exit "after the close button"
[[ $rc -eq 0 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc after the close button"; }
for line in "language = en" "vol0 = 247" "vol1 = 255" "left1 = 1"; do
  grep -qxF "$line" "$dir/WinZorbo.ini" || { cat "$dir/WinZorbo.ini" >&2; fail "WinZorbo.ini lacks '$line'"; }
done
echo "winzorbo close e2e: all passed"
