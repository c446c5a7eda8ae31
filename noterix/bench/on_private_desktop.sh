#!/usr/bin/env bash
# Runs one command on a desktop of its own: a private X server, openbox and
# trayer, with no session bus (so tray icons take the XEmbed path). The
# command finds the tray's window id in NOTERIX_TRAY_WINDOW. Everything
# started here ends with the command.
#   on_private_desktop.sh COMMAND [ARGS...]
set -euo pipefail
work=$(mktemp -d /tmp/noterix-desktop-XXXXXX)
xvfb_pid= wm_pid= tray_pid=
trap 'kill $tray_pid $wm_pid $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
  echo "on_private_desktop: $*" >&2
  exit 1
}
helpers=$(dirname "$0")/../tests/e2e
# shellcheck source=../tests/e2e/private_x.sh
source "$helpers/private_x.sh"
# shellcheck source=../tests/e2e/private_desktop.sh
source "$helpers/private_desktop.sh"
unset DBUS_SESSION_BUS_ADDRESS
start_private_x 1280x1024
start_private_desktop
NOTERIX_TRAY_WINDOW=$(tray_window) "$@"
