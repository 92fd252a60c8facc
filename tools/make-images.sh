#!/usr/bin/env bash
# Draws the main window's pictures with ImageMagick into the given folder:
#   outline.bmp  the outline images, 13 of 16 x 16 on a fuchsia (transparent) ground:
#                documents 0 untitled, 1 named, 2 with an owner file; ".bib" entries 3 and 4
#                (selected); headings 5 (selected) and 6-12 for the levels part to subparagraph
#   close.bmp    the outline panel's close button, 8 x 8: a cross inside a 1-pixel margin of
#                fuchsia, so that the lower-left pixel gives the transparent colour
#   fontapply.bmp, fontseries.bmp, fontshape.bmp
#                the font tool's buttons, 16 x 16 on fuchsia (lower-left pixel kept): a tick,
#                a bold "B" and a slanted "I"
#   back.bmp, forward.bmp
#                the find-and-open browser's history buttons, 16 x 16 on fuchsia (lower-left
#                pixel kept): an arrow to the left and one to the right
#   pin.bmp      the find dialog's keep-open button, 16 x 16 on fuchsia (lower-left pixel
#                kept): a push pin seen from the side, its head up and its needle down
#   quolin.ico   the program's icon, 32 x 32 and 16 x 16
#   credits.bmp  the about box's credits picture, 240 x 80
# Usage: make-images.sh <folder>
set -euo pipefail
out=$1
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
mkdir -p "$out"

# A page with a folded corner at x offset $1, its fill $2 and its lines' colour $3.
page() {
  local x=$1 fill=$2 lines=$3
  echo "-stroke '#404040' -fill '$fill' -draw 'polygon $((x+3)),1 $((x+10)),1 $((x+13)),4 $((x+13)),14 $((x+3)),14'" \
    "-stroke '$lines' -draw 'line $((x+5)),6 $((x+11)),6' -draw 'line $((x+5)),8 $((x+11)),8' -draw 'line $((x+5)),10 $((x+9)),10'"
}
# A heading mark at x offset $1: a bar of length $2 after a square.
heading() {
  local x=$1 length=$2
  echo "-stroke none -fill '#1d5c63' -draw 'rectangle $((x+2)),6 $((x+5)),9' -fill '#417d7a' -draw 'rectangle $((x+7)),7 $((x+7+length)),8'"
}

draw=(
  "$(page 0 '#e8e8e8' '#e8e8e8')"
  "$(page 16 white '#7a8b8a')"
  "$(page 32 white '#7a8b8a') -stroke none -fill '#1d5c63' -draw 'rectangle 32,10 37,15'"
  "-stroke '#5a3a1a' -fill '#c89858' -draw 'rectangle 51,2 60,13' -stroke '#f4ecd8' -draw 'line 53,3 53,12'"
  "-stroke '#5a3a1a' -fill '#f4ecd8' -draw 'polygon 65,3 72,5 72,14 65,12' -draw 'polygon 72,5 79,3 79,12 72,14'"
  "-stroke none -fill '#c0392b' -draw 'polygon 84,4 92,8 84,12'"
)
for level in 1 2 3 4 5 6 7; do
  draw+=("$(heading $((80 + 16 * level)) $((8 - level)))")
done

eval convert -size 208x16 xc:'#ff00ff' +antialias "${draw[*]}" -type TrueColor BMP3:"'$out/outline.bmp'"

convert -size 8x8 xc:'#ff00ff' +antialias -stroke black -draw 'line 1,1 6,6' \
  -draw 'line 1,6 6,1' -type TrueColor BMP3:"$out/close.bmp"

glyph() {
  eval convert -size 16x16 xc:'#ff00ff' +antialias "$1" -type TrueColor BMP3:"'$out/$2'"
}
glyph "-stroke '#1d7a3a' -strokewidth 2 -fill none -draw 'polyline 3,8 6,11 12,4'" fontapply.bmp
glyph "-fill black -stroke black -strokewidth 1 -font '$font' -pointsize 15 -gravity center \
  -annotate +0+0 B" fontseries.bmp
glyph "-fill black -stroke none \
  -draw 'polygon 7,2 13,2 13,3 11,3 8,12 10,12 10,13 4,13 4,12 6,12 9,3 7,3'" fontshape.bmp
glyph "-stroke none -fill '#1d5c63' -draw 'polygon 2,8 8,2 8,5 13,5 13,11 8,11 8,14'" back.bmp
glyph "-stroke none -fill '#1d5c63' -draw 'polygon 13,8 7,2 7,5 2,5 2,11 7,11 7,14'" forward.bmp
glyph "-stroke '#7a1f16' -fill '#c0392b' -draw 'rectangle 5,1 10,3' -draw 'rectangle 6,4 9,7' \
  -draw 'rectangle 3,8 12,9' -stroke '#404040' -draw 'line 7,10 7,14' -draw 'line 8,10 8,14'" pin.bmp

convert -size 32x32 xc:'#1d5c63' -fill '#417d7a' -draw 'rectangle 0,26 31,31' \
  -fill white -font "$font" -pointsize 28 -gravity center -annotate +0-2 'Q' \
  -define icon:auto-resize=32,16 "$out/quolin.ico"

convert -size 240x80 xc:'#f4ecd8' -fill '#1d5c63' -draw 'rectangle 0,0 239,5' \
  -draw 'rectangle 0,74 239,79' -fill '#1d5c63' -font "$font" -pointsize 30 -gravity center \
  -annotate +0-8 'Quolin' -fill '#417d7a' -pointsize 12 -annotate +0+22 'TeX / LaTeX' \
  -type TrueColor BMP3:"$out/credits.bmp"
