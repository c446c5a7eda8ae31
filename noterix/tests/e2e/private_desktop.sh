# Sourced after private_x.sh: openbox as the window manager and trayer as the
# notification area on the private X server, as a person's desktop has them.
# Sets wm_pid and tray_pid; the caller ends them.

# trayer's panel, where the icons are embedded.
tray_window() { xdotool search --onlyvisible --classname '^panel$' 2>/dev/null | head -n1; }

start_private_desktop() {
  openbox --sm-disable >"$work/openbox.txt" 2>&1 &
  wm_pid=$!
  trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 \
    --SetDockType false --transparent false >"$work/trayer.txt" 2>&1 &
  tray_pid=$!
  wait_for "trayer did not start" 30 'test -n "$(tray_window)"'
}
