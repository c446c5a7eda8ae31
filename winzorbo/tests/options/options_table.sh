#!/usr/bin/env bash
# Every WinZorbo program answers --help on standard output and --version with
# "NAME VERSION" on its first line, both with exit code 0 and nothing on
# standard error; options it cannot use give a message on standard error,
# nothing on standard output and exit code 2. No display: none of these may
# need one.
#   options_table.sh BIN_DIR VERSION
set -euo pipefail
bin=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d /tmp/winzorbo-options-XXXXXX)
trap 'rm -rf "$work"' EXIT
unset DISPLAY

failures=0
# program | arguments | exit code | stream that speaks | text it holds
while IFS='|' read -r program arguments code stream text; do
  [[ -z $program || $program == \#* ]] && continue
  read -ra args <<<"$arguments"
  rc=0
  (cd "$work" && exec "$bin/$program" "${args[@]}") >"$work/out" 2>"$work/err" || rc=$?
  quiet=$([[ $stream == out ]] && echo err || echo out)
  problem=
  if [[ $rc -ne $code ]]; then
    problem="exit code $rc, not $code"
  elif ! grep -qF -- "$text" "$work/$stream"; then
    problem="std$stream lacks '$text'"
  elif [[ -s $work/$quiet ]]; then
    problem="std$quiet is not empty"
  fi
  if [[ -n $problem ]]; then
    echo "FAIL: $program $arguments: $problem" >&2
    sed 's/^/  | /' "$work/out" "$work/err" >&2
    failures=$((failures + 1))
  fi
done <<TABLE
WinZorbo|--version|0|out|WinZorbo $version
WinZorbo|--help|0|out|--play NAME
WinZorbo|--fullscreen --help|0|out|usage: WinZorbo
WinZorbo|--bogus|2|err|WinZorbo: unknown argument: --bogus
WinZorbo|-h|2|err|unknown argument: -h
WinZorbo|--play|2|err|--play needs a value
WinZorbo|--play twobase --style wobbly|2|err|unknown style: wobbly
WinZorbo|--target 1000|2|err|target must be 1..999
zorbo-replay|--version|0|out|zorbo-replay (WinZorbo) $version
zorbo-replay|--help|0|out|--random N
zorbo-replay|--bogus|2|err|unknown argument: --bogus
zorbo-replay||2|err|no playfield
zorbo-replay|twobase --frames x|2|err|bad frame count
zorbo-bench|--version|0|out|zorbo-bench (WinZorbo) $version
zorbo-bench|--help|0|out|usage: zorbo-bench
zorbo-bench|--frames 3|2|err|unknown argument: --frames
zorbo-content|--version|0|out|zorbo-content (WinZorbo) $version
zorbo-content|--help|0|out|--icons DIR NAME
zorbo-content|--bogus|2|err|unknown argument: --bogus
zorbo-content|--source only|2|err|--source and --output are needed
zorbo-content|--output|2|err|--output needs a value
TABLE
# The version line is the first line and exactly "NAME VERSION".
first=$("$bin/WinZorbo" --version | head -n1)
[[ $first == "WinZorbo $version" ]] || { echo "FAIL: WinZorbo --version says '$first'" >&2; failures=$((failures + 1)); }
((failures == 0)) || exit 1
echo "winzorbo options: all passed"
