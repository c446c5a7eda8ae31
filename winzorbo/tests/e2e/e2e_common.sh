# Shared by the end-to-end scripts: a work folder, an X display (the given
# one, or a private Xvfb), a recording xmessage and copies of the game.
# Expects bin (the build's bin folder) and shots (may be empty) to be set.
work=$(mktemp -d /tmp/winzorbo-e2e-XXXXXX)
xvfb_pid=
game_pid=

cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [[ -z ${DISPLAY:-} ]]; then
  for n in $(seq 91 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdpyinfo >/dev/null 2>&1 || fail "no X server"
fi

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
