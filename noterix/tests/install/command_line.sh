#!/usr/bin/env bash
# The programs' answers on the command line, from a table, without a display:
# --help and --version answer before anything is shown; a wrong argument is
# an error (status 2) that says what was wrong and where to look.
#   command_line.sh BIN_DIR
set -uo pipefail
bin=$1
failures=0
work=$(mktemp -d /tmp/noterix-command-line-XXXXXX)
trap 'rm -rf "$work"' EXIT

# program | arguments | status | stdout | stderr: Perl regular expressions over
# the whole output, ^ and $ at each line; ^$ is no output at all.
cases=$(
  cat <<'TABLE'
Noterix|--help|0|^Usage: Noterix \[--help\] \[--version\]$.*More in Noterix\(1\)\.|^$
Noterix|-h|0|^Usage: Noterix |^$
Noterix|--version|0|^Noterix 1\.06$|^$
Noterix|--frobnicate|2|^$|^Noterix: unknown option '--frobnicate'$.*^Try 'Noterix --help'\.$
Noterix|notes.txt|2|^$|^Noterix: unexpected argument 'notes\.txt'$
Noterix|-display|2|^$|^Noterix: -display needs a value$
Noterix|--frobnicate --help|2|^$|unknown option '--frobnicate'
wkit-example|--help|0|^Usage: wkit-example |^$
wkit-example|--version|0|^wkit-example [0-9]+\.[0-9]+\.[0-9]+$|^$
wkit-example|-x|2|^$|^wkit-example: unknown option '-x'$
TABLE
)

matches() {
  if [[ $1 == '^$' ]]; then
    [[ ! -s $2 ]]
  else
    grep -Pzq "(?sm)$1" "$2"
  fi
}

while IFS='|' read -r program arguments status out err; do
  read -ra argv <<<"$arguments"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 \
    "$bin/$program" "${argv[@]}" >"$work/out" 2>"$work/err"
  got=$?
  problem=
  ((got == status)) || problem="status $got, not $status"
  matches "$out" "$work/out" || problem+=" stdout does not match /$out/"
  matches "$err" "$work/err" || problem+=" stderr does not match /$err/"
  if [[ -n $problem ]]; then
    echo "FAIL: $program $arguments:$problem" >&2
    sed 's/^/  stdout: /' "$work/out" >&2
    sed 's/^/  stderr: /' "$work/err" >&2
    failures=$((failures + 1))
  fi
done <<<"$cases"
((failures == 0)) || exit 1
echo "command line: passed"
