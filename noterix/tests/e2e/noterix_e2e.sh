#!/usr/bin/env bash
# Noterix as a person uses it, under a private X server with trayer as the
# tray and openbox as the window manager: a double click on the icon makes a
# note; typed text reaches the notes file at the next autosave and on SIGTERM;
# a restart shows the note where it was, as large and in its colour; Escape
# hides it and the icon's notes list brings it back; the close box asks and
# Yes deletes; a second copy says so and leaves the notes file alone.
# Screenshots of a note, the icon menu and the options dialog are kept.
#   noterix_e2e.sh BIN_DIR SCREENSHOT_DIR
set -euo pipefail

bin=$1
shots=$2
mkdir -p "$shots"
work=$(mktemp -d /tmp/noterix-e2e-XXXXXX)
xvfb_pid= tray_pid= wm_pid= app_pid= second_pid=

cleanup() {
  for pid in $second_pid $app_pid $tray_pid $wm_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [[ -n ${DISPLAY:-} ]] && import -window root "$shots/noterix-failure.png" 2>/dev/null || true
  [[ -f $notes ]] && sed 's/^/  notes: /' "$notes" >&2
  [[ -f $work/out.txt ]] && sed 's/^/  noterix: /' "$work/out.txt" >&2
  exit 1
}

# shellcheck source=private_x.sh
source "$(dirname "$0")/private_x.sh"
# shellcheck source=private_desktop.sh
source "$(dirname "$0")/private_desktop.sh"
start_private_x 1280x1024

# Only the XEmbed tray: no session bus, so no StatusNotifierItem. A home of
# its own, the notes in its Documents folder, and no shipped first-run note.
unset DBUS_SESSION_BUS_ADDRESS
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export NOTERIX_AUTOSAVE_MS=1000
mkdir -p "$HOME/Documents" "$XDG_CONFIG_HOME/Tallowbrook" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[System]\nFirstRun=dword:0\n' >"$XDG_CONFIG_HOME/Tallowbrook/Noterix.conf"
notes=$HOME/Documents/Noterix.notes

start_private_desktop

windows() { xdotool search --onlyvisible --classname '^noterix$' 2>/dev/null | sort -n || true; }
geometry() { xdotool getwindowgeometry --shell "$1"; }
others() { windows | grep -vx "$icon" || true; } # everything but the icon
count() { others | wc -l; }
note_count() {
  if [[ -f $notes ]]; then grep -c '^\[start:note\]' "$notes" || true; else echo 0; fi
}
focus() { xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true; }
# A picture of a window and a margin around it, kept on the screen.
shot() {
  local name=$1 margin=$2
  eval "$(geometry "$3" | sed 's/^/SHOT_/')"
  local x=$((SHOT_X - margin)) y=$((SHOT_Y - margin))
  ((x < 0)) && x=0
  ((y < 0)) && y=0
  import -window root -crop "$((SHOT_WIDTH + 2 * margin))x$((SHOT_HEIGHT + 2 * margin))+$x+$y" \
    +repage "$shots/$name.png"
}

start() {
  "$bin/Noterix" >"$work/out.txt" 2>&1 &
  app_pid=$!
  wait_for "no icon window appeared" 60 'test -n "$(windows)"'
  inside_tray() {
    local w
    eval "$(geometry "$(tray_window)" | sed 's/^/TRAY_/')"
    for w in $(windows); do
      eval "$(geometry "$w" | sed 's/^/ICON_/')"
      if ((ICON_X >= TRAY_X && ICON_X + ICON_WIDTH <= TRAY_X + TRAY_WIDTH &&
        ICON_Y >= TRAY_Y && ICON_Y + ICON_HEIGHT <= TRAY_Y + TRAY_HEIGHT)); then
        icon=$w
        return 0
      fi
    done
    return 1
  }
  wait_for "the icon never came into the tray" 60 'inside_tray'
  click_x=$((ICON_WIDTH / 2)) click_y=$((ICON_HEIGHT / 2))
}

stop() {
  kill -TERM "$app_pid"
  wait_for "Noterix did not end on SIGTERM" 60 '! kill -0 "$app_pid" 2>/dev/null'
  local rc=0
  wait "$app_pid" || rc=$?
  app_pid=
  ((rc == 0)) || fail "exit code $rc after SIGTERM"
}

# The colour of the note's text area at a spot away from the text.
colour_at() {
  eval "$(geometry "$1" | sed 's/^/AT_/')"
  import -window root -crop "1x1+$((AT_X + 12))+$((AT_Y + AT_HEIGHT - 12))" txt:- |
    grep -o '#[0-9A-F]\{6\}' | head -n1
}

# --- a double click on the icon makes a note --------------------------------
start
(($(count) == 0)) || fail "a window besides the icon at the first start"
xdotool mousemove --window "$icon" "$click_x" "$click_y" click --repeat 2 --delay 80 1
wait_for "a double click did not open a note" 30 'test "$(count)" -eq 1'
note=$(others)
eval "$(geometry "$note" | sed 's/^/NOTE_/')"
((NOTE_WIDTH >= 100 && NOTE_HEIGHT >= 40)) || fail "the note is only ${NOTE_WIDTH}x$NOTE_HEIGHT"

# --- typing reaches the file at the next autosave, and on SIGTERM -----------
focus "$note"
xdotool mousemove --window "$note" $((NOTE_WIDTH / 2)) $((NOTE_HEIGHT / 2)) click 1
xdotool type --delay 30 'Buy milk'
wait_for "the autosave did not write the typed text" 30 'grep -q "^#Buy milk" "$notes" 2>/dev/null'
xdotool key Return
xdotool type --delay 30 'and bread'
# Somewhere of its own, so the restart shows where it was kept.
xdotool windowmove --sync "$note" 300 200 2>/dev/null || xdotool windowmove "$note" 300 200 || true
wait_for "the note did not move" 30 'eval "$(geometry "$note" | sed "s/^/NOTE_/")"; ((NOTE_X == 300 && NOTE_Y == 200))'
shot noterix-note 16 "$note"
colour_before=$(colour_at "$note")
stop
grep -q '^#and bread' "$notes" || fail "the text typed last is not in the file after SIGTERM"
grep -q '^visible: yes' "$notes" || fail "the open note is not saved as visible"

# --- a restart shows the note at the same place, size and colour ------------
start
wait_for "the restart did not show the note" 60 'test "$(count)" -eq 1'
note=$(others)
wait_for "the note is not where it was: $(geometry "$note" | tr '\n' ' ')" 30 \
  'eval "$(geometry "$note" | sed "s/^/AGAIN_/")"; ((AGAIN_X == NOTE_X && AGAIN_Y == NOTE_Y))'
((AGAIN_WIDTH == NOTE_WIDTH && AGAIN_HEIGHT == NOTE_HEIGHT)) ||
  fail "the note was ${NOTE_WIDTH}x$NOTE_HEIGHT and is ${AGAIN_WIDTH}x$AGAIN_HEIGHT"
colour_after=$(colour_at "$note")
[[ -n $colour_before && $colour_after == "$colour_before" ]] ||
  fail "the note was $colour_before and is $colour_after"

# --- Escape hides; the icon's notes list shows it again ----------------------
focus "$note"
xdotool mousemove --window "$note" $((NOTE_WIDTH / 2)) $((NOTE_HEIGHT / 2)) click 1
xdotool key Escape
wait_for "Escape did not hide the note" 30 'test "$(count)" -eq 0'
xdotool mousemove --window "$icon" "$click_x" "$click_y" click 1
wait_for "a click on the icon did not show the notes list" 30 'test "$(count)" -eq 1'
list=$(others)
# "Create new note...", then the notes.
xdotool key Down Down Return
wait_for "choosing the note in the list did not show it" 30 \
  'test "$(count)" -eq 1 && test "$(others)" != "$list"'
note=$(others)
wait_for "the list showed a note of its own making" 30 'test "$(note_count)" -eq 1'
eval "$(geometry "$note" | sed 's/^/SHOWN_/')"
((SHOWN_X == NOTE_X && SHOWN_Y == NOTE_Y)) || fail "the list showed another window at $SHOWN_X,$SHOWN_Y"

# --- the icon menu and the options dialog, for the screenshots --------------
xdotool mousemove --window "$icon" "$click_x" "$click_y" click 3
wait_for "no menu after a right click" 30 'test "$(count)" -eq 2'
menu=$(others | grep -vx "$note")
sleep 0.5 # painted
import -window root "$shots/noterix-icon-menu.png"
xdotool key o
wait_for "Options... did not open the options dialog" 30 \
  'test "$(count)" -eq 2 && ! others | grep -qx "$menu"'
options=$(others | grep -vx "$note")
wait_for "the options dialog has no size" 30 'eval "$(geometry "$options" | sed "s/^/OPT_/")"; ((OPT_WIDTH > 100))'
sleep 0.5 # painted
shot noterix-options 60 "$options"
title=$(xdotool getwindowname "$options")
[[ $title == "Noterix Options" ]] || fail "the options dialog is titled '$title'"
focus "$options"
xdotool key Return
wait_for "OK did not close the options dialog" 30 'test "$(count)" -eq 1'

# --- a second copy tells the user and leaves the notes file alone -----------
wait_for "the file was not saved before the second copy" 30 'grep -q "^#and bread" "$notes"'
cp -p "$notes" "$work/before.notes"
before_stat=$(stat -c '%i %s %Y' "$notes")
first_windows=$(windows)
"$bin/Noterix" >"$work/second.txt" 2>&1 &
second_pid=$!
# The second copy's message: a new window larger than an icon.
message() {
  local w
  for w in $(comm -13 <(echo "$first_windows") <(windows)); do
    eval "$(geometry "$w" | sed 's/^/MSG_/')"
    ((MSG_WIDTH > 100)) && echo "$w" && return 0
  done
  return 1
}
wait_for "the second copy did not say it is already running" 60 'message >/dev/null'
message=$(message)
sleep 0.5 # painted
import -window root "$shots/noterix-second-copy.png"
focus "$message"
xdotool key Return
wait_for "the second copy did not end" 60 '! kill -0 "$second_pid" 2>/dev/null'
second_pid=
cmp -s "$notes" "$work/before.notes" || fail "the second copy changed the notes file"
[[ $(stat -c '%i %s %Y' "$notes") == "$before_stat" ]] || fail "the second copy rewrote the notes file"
kill -0 "$app_pid" 2>/dev/null || fail "the first copy ended with the second"

# --- the close box asks, and Yes deletes -------------------------------------
eval "$(geometry "$note" | sed 's/^/NOTE_/')"
xdotool mousemove --window "$note" $((NOTE_WIDTH - 14)) 14 click 1
wait_for "the close box did not ask" 30 'test "$(count)" -eq 2'
question=$(others | grep -vx "$note")
sleep 0.5 # painted
shot noterix-delete-question 60 "$question"
focus "$question"
xdotool key alt+y
wait_for "Yes did not delete the note" 30 'test "$(count)" -eq 0'
wait_for "the deleted note is still in the file" 30 'test "$(note_count)" -eq 0'
stop
(($(note_count) == 0)) || fail "the deleted note came back at the end"
echo "noterix e2e: passed"
