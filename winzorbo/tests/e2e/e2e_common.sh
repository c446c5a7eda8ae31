# Shared by the end-to-end scripts: a work folder, a private Xvfb, a
# recording xmessage, copies of the game and ways to look at its window.
# Expects bin (the build's bin folder) and shots (may be empty) to be set.
work=$(mktemp -d /tmp/winzorbo-e2e-XXXXXX)
xvfb_pid=
game_pid=

cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  # WINZORBO_E2E_KEEP=1 keeps the pictures and logs for a look.
  [[ -n ${WINZORBO_E2E_KEEP:-} ]] && echo "kept $work" >&2 || rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A private X server: the display number comes from the server itself, so
# tests of every program can run side by side.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || fail "no X server"
export DISPLAY=":$(cat "$work/display")"
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || fail "no X server"

# allegro_message reaches the user through xmessage; this one only records.
mkdir -p "$work/fakebin"
cat >"$work/fakebin/xmessage" <<'STUB'
#!/bin/sh
printf '%s\n' "$@" >"$XMESSAGE_LOG"
STUB
chmod +x "$work/fakebin/xmessage"
export PATH="$work/fakebin:$PATH"

game_copy() {
  local dir=$work/$1
  mkdir -p "$dir"
  cp "$bin/WinZorbo" "$bin/Zorbo.dat" "$bin/text.txt" "$bin/credits.txt" "$dir/"
  cp -r "$bin/scn" "$dir/"
  echo "$dir"
}


# Colours in a picture; pixels that differ between two pictures.
colours() { convert "$1" -format %k info: 2>/dev/null || echo 0; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }

# The game's window, focused; other programs never share this display, but
# the focus is taken back before typing all the same.
find_window() {
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^WinZorbo$' | head -n1) ||
    fail "no game window"
  focus
}
focus() { xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid" 2>/dev/null || true; }
shot() { import -silent -window "$wid" "$1" 2>/dev/null; }
alive() { kill -0 "$game_pid" 2>/dev/null || { cat "$dir/out.txt" >&2; fail "the game ended: $1"; }; }
tap() {
  focus
  xdotool key --delay 120 "$@"
}

# Photographs the window into $2 until it differs from picture $1 in more
# than $3 pixels and then looks the same in three photographs in a row: the
# next screen has been drawn. Up to 40 s, a loaded machine may be slow.
wait_for_new_screen() {
  local before=$1 out=$2 least=${3:-200} still=0
  rm -f "$out"
  for _ in $(seq 400); do
    alive "waiting for the screen after $before"
    if shot "$out.next.png"; then
      if [[ $(differing "$before" "$out.next.png") -gt $least ]]; then
        if [[ -f $out && $(differing "$out" "$out.next.png") -eq 0 ]]; then
          still=$((still + 1))
          ((still >= 2)) && return 0
        else
          still=0
          cp "$out.next.png" "$out"
        fi
      fi
    fi
    sleep 0.1
  done
  fail "the screen after $before never settled"
}

# Waits up to 40 s for the game to end; its exit code in $rc.
wait_for_exit() {
  rc=0
  for _ in $(seq 400); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not end: $1"
  wait "$game_pid" || rc=$?
  game_pid=
}

# Photographs the window into $2 until it differs from picture $1 in more
# than $3 pixels (for screens that move or stay only briefly).
wait_for_change() {
  local before=$1 out=$2 least=$3
  for _ in $(seq 400); do
    alive "waiting for a change from $before"
    shot "$out" && [[ $(differing "$before" "$out") -gt $least ]] && return 0
    sleep 0.1
  done
  fail "the screen never changed from $before"
}

# Photographs the window into $1 until the results show: the remark box and
# the play-again box, each a rectangle with a one-coloured border.
wait_for_results() {
  local out=$1
  border() { convert "$out" -crop "$1" +repage -format %k info:; }
  for _ in $(seq 200); do
    alive "waiting for the results"
    if shot "$out" && [[ $(border 250x1+195+280) -eq 1 ]] &&
      [[ $(border 250x1+195+370) -eq 1 ]] && [[ $(border 40x1+300+240) -eq 1 ]]; then
      return 0
    fi
    sleep 0.1
  done
  fail "no results after the match"
}
