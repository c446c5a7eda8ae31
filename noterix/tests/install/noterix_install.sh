#!/usr/bin/env bash
# Installs Noterix into a throw-away prefix and checks what a desktop looks
# for there: the program, its manual, the menu entry and the autostart entry,
# the icon in every hicolor size, the AppStream metainfo, one id for all of
# them, each valid for the desktop's own tools, and nothing else installed.
#   noterix_install.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/noterix-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" --component noterix >"$prefix.log" 2>&1 ||
  fail "the install failed: $(cat "$prefix.log")"
rm -f "$prefix.log"

id=org.noterix.Noterix
sizes=(16 22 24 32 48 64 128 256)
expected=(bin/Noterix share/man/man1/Noterix.1 "share/applications/$id.desktop"
  "share/noterix/autostart/$id.desktop" "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg")
for size in "${sizes[@]}"; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
missing=$(comm -13 <(echo "$installed") <(printf '%s\n' "${expected[@]}" | sort))
extra=$(comm -23 <(echo "$installed") <(printf '%s\n' "${expected[@]}" | sort))
[[ -z $missing ]] || fail "not installed: $missing"
[[ -z $extra ]] || fail "installed besides (tests, benches and examples stay out): $extra"
[[ -x $prefix/bin/Noterix ]] || fail "bin/Noterix is not executable"

# Drawn at each size, not one picture under many names.
for size in "${sizes[@]}"; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png")
  [[ $got == "${size}x$size" ]] || fail "the ${size}x$size icon is $got"
done
[[ $(cmp -s "$prefix/share/icons/hicolor/16x16/apps/$id.png" \
  "$prefix/share/icons/hicolor/32x32/apps/$id.png" && echo same) != same ]] ||
  fail "the icons of two sizes are the same file"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "the SVG icon is no SVG"

for entry in "share/applications/$id.desktop" "share/noterix/autostart/$id.desktop"; do
  report=$(desktop-file-validate "$prefix/$entry" 2>&1) || fail "$entry: $report"
  [[ -z $report ]] || fail "$entry: $report"
  grep -qx 'Exec=Noterix' "$prefix/$entry" || fail "$entry does not start Noterix"
  grep -qx "Icon=$id" "$prefix/$entry" || fail "$entry does not name the icon $id"
done
# The menu entry is shown; the autostart entry is not, until copied.
! grep -q '^NoDisplay=true' "$prefix/share/applications/$id.desktop" || fail "the menu entry is hidden"
grep -qx 'Type=Application' "$prefix/share/noterix/autostart/$id.desktop" || fail "the autostart entry has no type"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "the metainfo: $report"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"

# The manual renders without a warning and tells how to enable the autostart.
warnings=$(groff -man -Tutf8 -ww -z "$prefix/share/man/man1/Noterix.1" 2>&1)
[[ -z $warnings ]] || fail "the manual: $warnings"
manual=$(groff -man -Tutf8 -P-c -P-b -P-u "$prefix/share/man/man1/Noterix.1" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES SIGNALS ENVIRONMENT; do
  grep -q "^$section" <<<"$manual" || fail "the manual has no $section section"
done
grep -q "cp /usr/share/noterix/autostart/$id.desktop ~/.config/autostart/" <<<"$manual" ||
  fail "the manual does not say how to enable the autostart entry"
echo "noterix install: passed"
