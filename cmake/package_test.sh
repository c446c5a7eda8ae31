#!/usr/bin/env bash
# Makes the Debian package of a build with its own CPack configuration into a
# throw-away folder, unpacks it there with dpkg-deb and checks it as a user of
# it would: sane control data, files only under /usr and only those meant for
# users, a manual page for every program, valid menu entries and AppStream
# files, and every program in usr/bin answering --version from the unpacked
# tree. Each program the build made must be among them.
#   package_test.sh BUILD_DIR PACKAGE_NAME VERSION PROGRAM...
set -euo pipefail

build=$1
name=$2
version=$3
shift 3
built=("$@")
work=$(mktemp -d /tmp/package-test-XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "cpack made ${#debs[@]} packages"
deb=${debs[0]}
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == "$name" ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)'"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture '$(field Architecture)'"
[[ -n $(field Maintainer) && -n $(field Description) ]] || fail "no Maintainer or Description"

# Depends: computed by dpkg-shlibdeps from the programs plus our own list.
# Each entry is a package name with an optional version; every package named
# must be one this machine has installed, since the programs were built and
# their tests run here.
depends=$(field Depends)
echo "Depends: $depends"
[[ -n $depends ]] || fail "Depends is empty"
entry_pattern='^[a-z0-9][a-z0-9.+-]+(:[a-z0-9]+)?( \((<<|<=|=|>=|>>) [0-9A-Za-z.+:~-]+\))?$'
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
  entry=$(echo "$entry" | sed 's/^ *//; s/ *$//')
  first=${entry%%|*}
  first=$(echo "$first" | sed 's/ *$//')
  [[ $first =~ $entry_pattern ]] || fail "Depends entry '$entry' is malformed"
  package=${first%% *}
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    fail "Depends names $package, which is not installed here"
done
grep -q "libc6" <<<"$depends" || fail "Depends lacks libc6: dpkg-shlibdeps did not run"

# The files: everything under ./usr/, nothing of the tests, benches, fuzz
# drivers or build tools.
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
grep -vE '^\./(usr/.*)?$' "$work/files" && fail "files outside /usr"
if grep -E '(-tests|-test|-fuzz|-bench|zorbo-replay|zorbo-content|\.a)$' "$work/files"; then
  fail "test, bench, fuzz or build-tool files in the package"
fi

root=$work/root
dpkg-deb -x "$deb" "$root"
[[ -d $root/usr/bin ]] || fail "no usr/bin"
for program in "${built[@]}"; do
  [[ -e $root/usr/bin/$program ]] || fail "no usr/bin/$program"
done
if [[ " ${built[*]} " == *" WinZorbo "* ]]; then
  [[ -L $root/usr/bin/WinZorbo ]] || fail "usr/bin/WinZorbo is not a link"
  [[ $(readlink "$root/usr/bin/WinZorbo") == ../share/winzorbo/WinZorbo ]] ||
    fail "usr/bin/WinZorbo points to $(readlink "$root/usr/bin/WinZorbo")"
  for data in Zorbo.dat text.txt credits.txt; do
    [[ -s $root/usr/share/winzorbo/$data ]] || fail "no usr/share/winzorbo/$data"
  done
  ls "$root"/usr/share/winzorbo/scn/*.zrb >/dev/null || fail "no playfields"
fi

for desktop in "$root"/usr/share/applications/*.desktop; do
  [[ -e $desktop ]] || break
  desktop-file-validate "$desktop" || fail "$(basename "$desktop") is not valid"
  icon=$(sed -n 's/^Icon=//p' "$desktop" | head -n1)
  [[ -z $icon ]] || ls "$root"/usr/share/icons/hicolor/*/apps/"$icon".* >/dev/null 2>&1 ||
    fail "$(basename "$desktop"): no icon $icon in the package"
done
for metainfo in "$root"/usr/share/metainfo/*.xml; do
  [[ -e $metainfo ]] || break
  appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "$(basename "$metainfo") is not valid"; }
  launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
  [[ -z $launchable || -f $root/usr/share/applications/$launchable ]] ||
    fail "$(basename "$metainfo") launches $launchable, which the package lacks"
done

# Under the sanitizers the programs carry AddressSanitizer; its leak check at
# exit is for the programs' own tests, not for printing a version.
export ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
programs=0
for program in "$root"/usr/bin/*; do
  base=$(basename "$program")
  ls "$root"/usr/share/man/man[1-8]/"$base".[1-8]* >/dev/null 2>&1 || fail "$base has no manual page"
  out=$(cd "$work" && env -u DISPLAY "$program" --version 2>"$work/stderr") ||
    { cat "$work/stderr" >&2; fail "$base --version failed"; }
  # Each program keeps its own version number; the first line names the
  # program and gives it, as the GNU programs do.
  [[ ${out%%$'\n'*} =~ ^$base(\ \([A-Za-z]+\))?\ [0-9]+(\.[0-9]+)+$ ]] ||
    fail "$base --version says '$out'"
  echo "$base: ${out%%$'\n'*}"
  programs=$((programs + 1))
done
echo "package test: all passed ($programs programs)"
