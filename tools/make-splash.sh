#!/usr/bin/env bash
# Draws the splash window's picture with ImageMagick: a 24-bit BMP of 415 x 225, the client
# area of the splash window.
# Usage: make-splash.sh <output.bmp>
set -euo pipefail
out=$1
font=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
mkdir -p "$(dirname "$out")"
convert -size 415x225 xc:white \
  -fill '#1d5c63' -draw 'rectangle 0,0 11,224' \
  -fill '#417d7a' -draw 'rectangle 12,0 15,224' \
  -stroke '#c8d9d6' -strokewidth 1 -fill none \
  -draw 'circle 350,70 350,130' -draw 'circle 350,70 350,110' -draw 'line 300,180 410,180' \
  -stroke none -fill '#1d5c63' -font "$font" \
  -pointsize 60 -annotate +40+98 'Quolin' \
  -fill '#417d7a' -pointsize 17 -annotate +44+134 'TeX / LaTeX 統合編集環境' \
  -fill '#7a8b8a' -pointsize 12 -annotate +44+206 'platex  ·  pbibtex  ·  mendex  ·  dvipdfmx' \
  -type TrueColor BMP3:"$out"
