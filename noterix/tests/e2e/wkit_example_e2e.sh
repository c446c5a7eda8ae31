#!/usr/bin/env bash
# The GUI library's example under a private X server with a real tray host:
# the icon sits in the tray, a right click shows its menu at the cursor, a
# click shows the dialog, a double click runs the default command once, and
# "Exit" from the menu ends the program, and so does SIGTERM, through the same
# end sequence.
#   wkit_example_e2e.sh BIN_DIR SCREENSHOT_DIR
set -euo pipefail

bin=$1
shots=$2
mkdir -p "$shots"
work=$(mktemp -d /tmp/wkit-e2e-XXXXXX)
xvfb_pid= tray_pid= example_pid=

cleanup() {
  for pid in $example_pid $tray_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  # What the screen showed, for whoever reads the failure.
  [[ -n ${DISPLAY:-} ]] && import -window root "$shots/wkit-failure.png" 2>/dev/null || true
  [[ -n ${DISPLAY:-} ]] && xdotool search --onlyvisible --classname '^wkit-example$' 2>/dev/null |
    while read -r w; do xdotool getwindowgeometry "$w" | tr '\n' ' ' >&2; echo >&2; done || true
  [[ -f $work/out.txt ]] && sed 's/^/  example: /' "$work/out.txt" >&2
  exit 1
}

# shellcheck source=private_x.sh
source "$(dirname "$0")/private_x.sh"
start_private_x 1024x768

# Only the XEmbed tray: no session bus, so no StatusNotifierItem.
unset DBUS_SESSION_BUS_ADDRESS
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 \
  --SetDockType false --transparent false >"$work/trayer.txt" 2>&1 &
tray_pid=$!
tray_window() { xdotool search --onlyvisible --classname '^panel$' 2>/dev/null | head -n1; }
wait_for "trayer did not start" 30 'test -n "$(tray_window)"'

"$bin/wkit-example" >"$work/out.txt" 2>&1 &
example_pid=$!

said() { grep -c -- "$1" "$work/out.txt" || true; }
windows() { xdotool search --onlyvisible --classname '^wkit-example$' 2>/dev/null || true; }
window_count() { windows | wc -l; }
geometry() { xdotool getwindowgeometry --shell "$1"; }

wait_for "the example never said its icon was added" 60 'test "$(said "the icon is in the notification area")" -ge 1'
wait_for "no icon window appeared" 30 'test "$(window_count)" -ge 1'
icon=$(windows | head -n1)
(($(window_count) == 1)) || fail "more than the icon's window is visible at start"

# The icon comes to lie inside the tray's window: the tray embedded it. (It
# may be mapped for a moment elsewhere before the tray takes it.)
inside_tray() {
  eval "$(geometry "$(tray_window)" | sed 's/^/TRAY_/')"
  eval "$(geometry "$icon" | sed 's/^/ICON_/')"
  ((ICON_X >= TRAY_X && ICON_X + ICON_WIDTH <= TRAY_X + TRAY_WIDTH &&
    ICON_Y >= TRAY_Y && ICON_Y + ICON_HEIGHT <= TRAY_Y + TRAY_HEIGHT))
}
wait_for "the icon never came into the tray" 30 'inside_tray'
import -window root "$shots/wkit-tray.png"

# --- right click: the menu, its bottom-right corner at the cursor -----------
click_x=$((ICON_WIDTH / 2)) click_y=$((ICON_HEIGHT / 2))
xdotool mousemove --window "$icon" "$click_x" "$click_y" click 3
wait_for "no menu after a right click" 30 'test "$(window_count)" -ge 2'
menu=$(windows | grep -vx "$icon" | head -n1)
eval "$(geometry "$menu" | sed 's/^/MENU_/')"
cursor_x=$((ICON_X + click_x)) cursor_y=$((ICON_Y + click_y))
((MENU_X + MENU_WIDTH >= cursor_x - 2 && MENU_X + MENU_WIDTH <= cursor_x + 2)) ||
  fail "menu right edge $((MENU_X + MENU_WIDTH)) is not at the cursor $cursor_x"
((MENU_Y + MENU_HEIGHT >= cursor_y - 2 && MENU_Y + MENU_HEIGHT <= cursor_y + 2)) ||
  fail "menu bottom $((MENU_Y + MENU_HEIGHT)) is not at the cursor $cursor_y"
((MENU_HEIGHT > 60 && MENU_WIDTH > 80)) || fail "the menu is only ${MENU_WIDTH}x$MENU_HEIGHT"
import -window root "$shots/wkit-menu.png"
# A menu of text: many shades where it stands, not one flat colour.
shades=$(convert "$shots/wkit-menu.png" -crop "${MENU_WIDTH}x${MENU_HEIGHT}+${MENU_X}+${MENU_Y}" \
  -format %k info:)
((shades > 8)) || fail "the menu area shows only $shades colours"

xdotool key Escape
wait_for "Escape did not close the menu" 30 'test "$(window_count)" -eq 1'
[[ $(said 'showing the dialog') -eq 0 ]] || fail "closing the menu ran a command"

# --- a click shows the dialog; a double click runs the command once ---------
xdotool mousemove --window "$icon" "$click_x" "$click_y" click 1
wait_for "a click did not show the dialog" 30 'test "$(said "showing the dialog")" -eq 1'
wait_for "the dialog did not appear" 30 'test "$(window_count)" -ge 2'
import -window root "$shots/wkit-dialog.png"

xdotool mousemove --window "$icon" "$click_x" "$click_y" click --repeat 2 --delay 80 1
wait_for "a double click did not run the default command" 30 'test "$(said "showing the dialog")" -ge 2'
sleep 1 # past the double-click interval: a stray single click would show by now
[[ $(said 'showing the dialog') -eq 2 ]] || fail "a double click ran the command $(($(said 'showing the dialog') - 1)) times"

# --- Exit from the menu ends the program ------------------------------------
xdotool mousemove --window "$icon" "$click_x" "$click_y" click 3
wait_for "no menu for Exit" 30 'test "$(window_count)" -ge 3'
xdotool key x
rc=0
for _ in $(seq 300); do
  kill -0 "$example_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$example_pid" 2>/dev/null && fail "the example did not end after Exit"
wait "$example_pid" || rc=$?
example_pid=
((rc == 0)) || fail "exit code $rc"
[[ $(said 'exit chosen') -eq 1 && $(said 'ending') -eq 1 ]] || fail "the end sequence did not run once"

# --- asked politely to stop, it runs the same end sequence ------------------
"$bin/wkit-example" >"$work/out.txt" 2>&1 &
example_pid=$!
wait_for "the second start never added its icon" 60 'test "$(said "the icon is in the notification area")" -ge 1'
kill -TERM "$example_pid"
for _ in $(seq 300); do
  kill -0 "$example_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$example_pid" 2>/dev/null && fail "the example did not end on SIGTERM"
rc=0
wait "$example_pid" || rc=$?
example_pid=
((rc == 0)) || fail "exit code $rc after SIGTERM"
[[ $(said 'ending') -eq 1 ]] || fail "SIGTERM did not run the end sequence"
echo "wkit example e2e: passed"
