#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders every control record of a skin at two sizes, the window frame, the
# hint and the popup window, into PNG files and one contact sheet, so the
# whole skin can be looked at without the program.
#   scripts/skin-preview.sh [build-dir] [skin.ini]
# Output: build/skin-preview/ (or $OUT). Needs ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
skin=${2:-$root/skins/default/skin.ini}
out=${OUT:-$root/build/skin-preview}
skinpack=$build/tools/skinpack/skinpack

command -v convert >/dev/null || { echo "skin-preview: ImageMagick is missing (apt-get install -y imagemagick)" >&2; exit 1; }
[ -x "$skinpack" ] || cmake --build "$build" --target skinpack
mkdir -p "$out"
rm -f "$out"/*.png "$out"/*.bmp

render() {  # name record size
  local name=$1 record=$2 size=$3
  if "$skinpack" compose "$skin" "$record" "$size" "$out/$name.bmp" >/dev/null 2>"$out/$name.err"; then
    convert "$out/$name.bmp" -filter point -resize 200% "$out/$name.png"
    rm -f "$out/$name.bmp" "$out/$name.err"
  else
    echo "  $record: $(cat "$out/$name.err")"
    rm -f "$out/$name.err"
  fi
}

# The control records in [SKINCONTROLS] order: "N=name:type".
records=$(tr -d '\r' <"$skin" | awk -F'=' '
  /^\[/ { section = toupper($0); next }
  section == "[SKINCONTROLS]" && $1 ~ /^[0-9]+$/ { split($2, p, ":"); print p[1] }')

echo "skin-preview: $skin -> $out"
for record in $records; do
  render "control-$record-small" "$record" 48x24
  render "control-$record-large" "$record" 180x90
done
render frame-small FORMINFO 177x124
render frame-large FORMINFO 420x260
render hint-small HINTWINDOW 34x15
render hint-large HINTWINDOW 160x22
render popup-small POPUPWINDOW 40x30
render popup-large POPUPWINDOW 150x120
convert "$(dirname "$skin")/$(awk -F'=' 'toupper($1) == "PICTURE" { print $2 }' "$skin" | tr -d '\r')" \
  -filter point -resize 200% "$out/frame-picture.png"

# A window of 420 x 260 as the frame lays it out: caption buttons from the
# right end of the caption row, the system menu at its left, the title, and
# the same window with the pointer on the close button. Only for the
# program's own skin, whose layout is known here.
if [ "$skin" = "$root/skins/default/skin.ini" ]; then
  pics=$(dirname "$skin")
  "$skinpack" compose "$skin" FORMINFO 420x260 "$out/window.bmp" >/dev/null
  cell() { echo "-crop 28x24+$1+$2 +repage"; }
  for hot in 0 24; do
    convert "$out/window.bmp" \
      \( "$pics/caption.bmp" -crop 28x24+0+$hot +repage \) -geometry +391+1 -composite \
      \( "$pics/caption.bmp" -crop 28x24+28+0 +repage \) -geometry +363+1 -composite \
      \( "$pics/caption.bmp" -crop 28x24+56+0 +repage \) -geometry +335+1 -composite \
      \( "$pics/caption.bmp" -crop 28x24+84+0 +repage \) -geometry +307+1 -composite \
      \( "$pics/caption.bmp" -crop 20x24+140+0 +repage \) -geometry +5+1 -composite \
      -font Liberation-Sans -pointsize 14 -fill '#262a30' -annotate +29+18 'Batch renamer' \
      -filter point -resize 200% "$out/window-hot$hot.png"
  done
  rm -f "$out/window.bmp"
fi

if command -v montage >/dev/null; then
  montage -label '%t' "$out"/*.png -tile 6x -geometry '+8+8' -background '#d0d0d0' "$out/contact-sheet.png" 2>/dev/null \
    && echo "skin-preview: $out/contact-sheet.png"
fi
