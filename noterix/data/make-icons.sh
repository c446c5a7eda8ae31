#!/usr/bin/env bash
# Draws Noterix's icon, the yellow note with the folded corner that the tray
# shows, as an SVG and as PNGs for the hicolor theme's usual sizes. The
# outputs are committed beside this script; run it again only to change them.
#   make-icons.sh       (needs ImageMagick's convert)
set -euo pipefail
cd "$(dirname "$0")"
id=org.noterix.Noterix
mkdir -p icons

# The shape on a 64-unit square: the note, its folded corner, and a few lines
# of writing.
paper='#FFF06A' fold='#D8C040' edge='#806000' ink='#B89A30'
note='4,4 46,4 60,18 60,60 4,60'
corner='46,4 46,18 60,18'
lines=(14,26,50,26 14,36,50,36 14,46,40,46)

{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">'
  echo "  <polygon points=\"$note\" fill=\"$paper\" stroke=\"$edge\" stroke-width=\"3\" stroke-linejoin=\"round\"/>"
  echo "  <polygon points=\"$corner\" fill=\"$fold\" stroke=\"$edge\" stroke-width=\"3\" stroke-linejoin=\"round\"/>"
  for l in "${lines[@]}"; do
    IFS=, read -r x1 y1 x2 y2 <<<"$l"
    echo "  <line x1=\"$x1\" y1=\"$y1\" x2=\"$x2\" y2=\"$y2\" stroke=\"$ink\" stroke-width=\"3\" stroke-linecap=\"round\"/>"
  done
  echo '</svg>'
} >"icons/$id.svg"

# Each PNG is drawn at its own size, not scaled from another, so that the
# small ones stay sharp: the edge never thinner than a pixel, no writing
# below 32 pixels.
scale() { # scale "x,y x,y ..." SIZE
  local point out=() s=$2
  for point in $1; do
    IFS=, read -r x y <<<"$point"
    out+=("$(((x * s + 32) / 64)),$(((y * s + 32) / 64))")
  done
  echo "${out[*]}"
}
for size in 16 22 24 32 48 64 128 256; do
  width=$(((size * 3 + 32) / 64))
  ((width < 1)) && width=1
  draw=(-stroke "$edge" -strokewidth "$width"
    -fill "$paper" -draw "polygon $(scale "$note" "$size")"
    -fill "$fold" -draw "polygon $(scale "$corner" "$size")")
  if ((size >= 32)); then
    for l in "${lines[@]}"; do
      IFS=, read -r x1 y1 x2 y2 <<<"$l"
      draw+=(-stroke "$ink" -draw "line $(scale "$x1,$y1 $x2,$y2" "$size")")
    done
  fi
  convert -size "${size}x$size" xc:none "${draw[@]}" -strip "PNG32:icons/$id-$size.png"
done
