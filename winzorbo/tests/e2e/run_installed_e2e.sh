#!/usr/bin/env bash
# The installed game: "cmake --install" of the game alone into a prefix the
# player cannot write to, started through bin/WinZorbo from another folder.
# Its data is found beside the executable the link resolves to, it opens its
# window, and at the close button it keeps WinZorbo.ini in
# $XDG_CONFIG_HOME/WinZorbo/, started from the copy an administrator put
# beside the executable; the prefix stays as installed.
#   run_installed_e2e.sh BUILD_DIR CMAKE CLOSE_WINDOW_TOOL
set -euo pipefail

build=$1
cmake=$2
close_window=$3
shots=
# shellcheck source=e2e_common.sh
source "$(dirname "$0")/e2e_common.sh"

prefix=$work/prefix
# The prefix is made read-only below; give it back before the work folder goes.
trap 'chmod -R u+w "$prefix" 2>/dev/null || true; cleanup' EXIT
"$cmake" --install "$build" --prefix "$prefix" --component winzorbo >"$work/install.log" ||
  { cat "$work/install.log" >&2; fail "cmake --install failed"; }
[[ $(readlink "$prefix/bin/WinZorbo") == ../share/winzorbo/WinZorbo ]] ||
  fail "bin/WinZorbo is not the link to ../share/winzorbo/WinZorbo"
# The keys a system administrator left beside the installed game.
printf 'language = en\nvol0 = 100\n' >"$prefix/share/winzorbo/WinZorbo.ini"

# The player: an ordinary user, for whom the prefix is read-only. Root may
# write anywhere, so when the test runs as root the game runs as nobody.
chmod -R a+rX,a-w "$prefix"
chmod 755 "$work"
player=()
if [[ $(id -u) -eq 0 ]]; then
  player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
mkdir -p "$work/home" "$work/config" "$work/elsewhere"
[[ $(id -u) -eq 0 ]] && chown 65534:65534 "$work/home" "$work/config" "$work/elsewhere"
"${player[@]}" test -w "$prefix/share/winzorbo" && fail "the prefix is writable for the player"
find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix-before.txt"
as_player() {
  (cd "$work/elsewhere" &&
    exec "${player[@]}" env HOME="$work/home" XDG_CONFIG_HOME="$work/config" "$@")
}

# A name the game does not list: refused with the folder it looked in, which
# must be the one beside the real executable, not beside the link.
rc=0
as_player "$prefix/bin/WinZorbo" --play no-such-field >"$work/refused.txt" 2>&1 || rc=$?
[[ $rc -eq 2 ]] || { cat "$work/refused.txt" >&2; fail "exit code $rc for an unlisted playfield"; }
grep -qF "in $prefix/share/winzorbo/scn (listed now: " "$work/refused.txt" ||
  { cat "$work/refused.txt" >&2; fail "the game did not look beside its real executable"; }
grep -q "twobase" "$work/refused.txt" || fail "the installed playfields are not listed"

export XMESSAGE_LOG=$work/elsewhere/message.txt
dir=$work/elsewhere
as_player "$prefix/bin/WinZorbo" >"$dir/out.txt" 2>&1 &
game_pid=$!
find_window
# The window fills with the intro, drawn from the installed data.
blank=$work/blank.png
convert -size 640x480 xc:black "$blank"
wait_for_change "$blank" "$work/intro.png" 50000

"$close_window" "$wid" || fail "the close request was not sent"
wait_for_exit "after the close button"
[[ $rc -eq 0 ]] || { cat "$dir/out.txt" >&2; fail "exit code $rc after the close button"; }
kept=$work/config/WinZorbo/WinZorbo.ini
[[ -f $kept ]] || { cat "$dir/out.txt" >&2; fail "no $kept"; }
for line in "language = en" "vol0 = 100"; do
  grep -qxF "$line" "$kept" || { cat "$kept" >&2; fail "the kept WinZorbo.ini lacks '$line'"; }
done
find "$prefix" -printf '%p %s %T@\n' | sort >"$work/prefix-after.txt"
diff "$work/prefix-before.txt" "$work/prefix-after.txt" >&2 || fail "the game changed its prefix"
ls "$work/elsewhere"/*.ini 2>/dev/null && fail "an ini file in the working folder"
echo "winzorbo installed e2e: all passed"
