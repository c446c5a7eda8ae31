# Sourced by the end-to-end tests: polling, and a private X server.
# The test defines fail() and sets $work first.

# Polls for a condition with a generous deadline (the machine may be busy).
# The condition is a command line, evaluated afresh each time.
wait_for() {
  local what=$1 seconds=$2 condition=$3
  local deadline=$((SECONDS + seconds))
  until eval "$condition"; do
    ((SECONDS < deadline)) || fail "$what"
    sleep 0.1
  done
}

# start_private_x WIDTHxHEIGHT: an Xvfb on a display number of its own
# choosing, so tests run side by side; sets DISPLAY and xvfb_pid.
start_private_x() {
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  wait_for "no X server" 30 'test -s "$work/display"'
  export DISPLAY=:$(cat "$work/display")
  wait_for "the X server does not answer" 30 'xdpyinfo >/dev/null 2>&1'
}
