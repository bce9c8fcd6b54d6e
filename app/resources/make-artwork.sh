#!/bin/bash
# Regenerates the bundled artwork with ImageMagick 6 (convert):
#   pistol.jpg     144x81 baseline true-colour JPEG: side view of a spring-piston air pistol
#   velloran.png   256x256 application icon with transparency
#   icons/velloran-N.png  the same icon at the icon theme's smaller sizes
#   about-icon.png 32x32 icon of the About window
# velloran.svg, the icon for the scalable icon theme, is written by hand after the same shapes.
# Usage: make-artwork.sh [output-directory]   (defaults to this script's directory)
#
# Everything is drawn SS times larger and then scaled down, which gives smooth edges
# at the final size. Shapes are written in design units and scaled with MVG's "scale"
# so the coordinates stay readable.
set -euo pipefail

outDir=${1:-$(cd "$(dirname "$0")" && pwd)}

# Appends to ${layers[@]} a shape filled with a linear gradient.
# $1 = MVG primitives, $2..$7 = x1 y1 colour1 x2 y2 colour2 (integers); all in design units.
# A full-canvas gradient is cut out by a white-on-black mask of the shape (3-image -composite).
Paint() {
    local shape=$1
    local x1=$(($2 * SS)) y1=$(($3 * SS)) x2=$(($5 * SS)) y2=$(($6 * SS))
    layers+=(\( -size "${canvas}" xc: -sparse-color Barycentric "$x1,$y1 $4 $x2,$y2 $7" \)
             \( -size "${canvas}" xc:black -fill white -stroke none -draw "scale $SS,$SS $shape" \)
             -composite)
}

# Appends a plain drawing (strokes, small details) in design units.
Draw() {
    layers+=(-draw "scale $SS,$SS $1")
}

# ---------------------------------------------------------------- pistol.jpg
# Side view, muzzle to the left: barrel and compression cylinder on top, frame with
# trigger guard below, walnut grip slanting down towards the rear.
SS=4
canvas="$((144 * SS))x$((81 * SS))"
layers=()

# Barrel, muzzle block and front sight blade.
Paint "rectangle 8,23.5 40,31.5" 0 23 '#7a8693' 0 32 '#10141a'
Paint "roundrectangle 4,21 15,33 1.5,1.5" 0 21 '#6c7885' 0 33 '#0c0f13'
Paint "polygon 8,21.5 10,15.5 13,15.5 14,21.5" 0 15 '#5c636b' 0 22 '#202428'

# Compression cylinder with a specular band and the rear end cap.
Paint "roundrectangle 30,18.5 118,35.5 3,3" 0 18 '#77838f' 0 36 '#0b0e12'
Paint "roundrectangle 32,21 116,23.5 1,1" 0 21 '#c4ced8' 0 24 '#6d7986'
Paint "roundrectangle 113,19.5 124,34.5 3.5,3.5" 0 19 '#64707c' 0 35 '#080a0d'
Draw "stroke #0b0d10 stroke-width 0.6 line 113.5,20.5 113.5,33.5"

# Rear sight: sloped blade on a short base, with its elevation screw.
Paint "polygon 100,19 103.5,13.5 115,13.5 115,19" 0 13 '#6d757d' 0 19 '#1a1d21'
Draw "fill #0c0e10 circle 110,16.5 110,17.6"

# Barrel pivot where the barrel breaks for cocking.
Draw "fill #2a2f35 stroke #0c0e10 stroke-width 0.5 circle 34,31 34,33.2"

# Frame under the cylinder that carries the trigger.
Paint "polygon 64,35 118,35 118,42.5 68,42.5" 0 35 '#3c4550' 0 43 '#0a0c10'

# Trigger guard, drawn as a filled band (outer curve out, inner curve back) because
# ImageMagick 6 closes open stroked paths.
Paint "path 'M 69.8,42 C 68.5,50 71,56.2 79.5,56.2 L 104,56.2 L 104,54 L 79.5,54 C 73.3,54 71.4,49.5 72.4,42 Z'" 0 42 '#56606b' 0 57 '#0d1014'

# Trigger blade, curved back towards the shooter.
Paint "path 'M 84,42.5 L 88,42.5 C 87.5,46 88.5,49 91,51 L 89.5,52 C 86,50 84.5,46.5 84,42.5 Z'" 84 0 '#6a727b' 91 0 '#15181b'

# Grip: walnut, slanting rearwards, with a beavertail at the top and a rounded butt.
grip="path 'M 98,35.5 L 121,35.5 C 125,35.5 127,38 126,41 L 136,71 C 137,74.5 135.5,77.5 132,77.5 L 115,77.5 C 111.5,77.5 110,75.5 109.5,73 L 100,42 C 99,39 98,37.5 98,35.5 Z'"
Paint "$grip" 100 40 '#9a5a2c' 134 70 '#3e1f0c'
# Grain and a checkered panel so it reads as wood rather than a flat fill.
Draw "stroke #4a230c stroke-width 0.45 line 103,40 108.5,57 line 108.5,57 114,75 line 110,38 116,57 line 116,57 121,75 line 118,38.5 123.5,57 line 123.5,57 128.5,75"
Draw "stroke #3a1a08 stroke-width 0.35 line 108,49 121,45 line 109.5,53 122.5,49 line 111,57 124,53 line 112.5,61 125.5,57 line 114,65 127,61 line 110,45.5 115.5,65.5 line 113.5,44.5 119,64.5 line 117,43.5 122.5,63.5 line 120.5,42.5 126,62.5"
Draw "fill none stroke #2a1206 stroke-width 0.5 $grip"
Draw "fill #c9a35a stroke #5a3a14 stroke-width 0.4 circle 117.5,54 117.5,55.6"

# Frame screw.
Draw "fill #2b3036 stroke #0b0d10 stroke-width 0.4 circle 76,38.8 76,40.1"

convert -size "$canvas" xc:white "${layers[@]}" \
    -resize 144x81! -type TrueColor -strip \
    -interlace none -sampling-factor 1x1 -quality 90 "jpeg:$outDir/pistol.jpg"

# ------------------------------------------------------------- shared pellet
# A diabolo pellet flying to the right, in 256-unit design space: flared hollow skirt
# on the left, narrow waist, round head on the right. A heavy outline keeps the
# silhouette readable when the icon is shown at 16x16.
pellet="path 'M 84,82 C 108,88 132,98 144,106 L 152,90 C 198,86 220,108 220,128 C 220,148 198,170 152,166 L 144,150 C 132,158 108,168 84,174 Z'"

# Appends the pellet; $1 = MVG transform placing the 256-unit pellet on the canvas,
# $2 $3 = top and bottom of the pellet on the canvas (for its vertical shading).
PaintPellet() {
    local place=$1 top=$2 bottom=$3
    Paint "$place $pellet" 0 "$top" '#c3ccd6' 0 "$bottom" '#6a7582'
    Draw "$place fill #ffffff fill-opacity 0.85 roundrectangle 98,97 136,104 3,3 roundrectangle 162,99 204,107 4,4"
    Draw "$place fill none stroke #17202b stroke-width 7 $pellet"
    Draw "$place fill #2b3440 stroke #17202b stroke-width 5 ellipse 84,128 9,44 0,360"
    Draw "$place stroke #17202b stroke-width 5 line 152,92 152,164"
}

# -------------------------------------------------------------- velloran.png
# Round blue badge, silver pellet, amber speed streaks trailing behind it.
SS=4
canvas="$((256 * SS))x$((256 * SS))"
layers=()
Paint "circle 128,128 128,8" 0 8 '#3f7cc4' 0 248 '#0d2347'
Draw "fill none stroke #0a1a33 stroke-width 6 circle 128,128 128,11"
Paint "roundrectangle 22,94 76,106 6,6" 22 0 '#ffb040' 76 0 '#ffe08a'
Paint "roundrectangle 14,122 70,134 6,6" 14 0 '#ff9a2e' 70 0 '#ffd070'
Paint "roundrectangle 22,150 76,162 6,6" 22 0 '#ffb040' 76 0 '#ffe08a'
PaintPellet "translate 6,0" 82 174
convert -size "$canvas" xc:none "${layers[@]}" \
    -resize 256x256 -strip "png32:$outDir/velloran.png"
mkdir -p "$outDir/icons"
for size in 16 22 24 32 48 64 128; do
    convert "$outDir/velloran.png" -resize "${size}x${size}" -strip \
        "png32:$outDir/icons/velloran-$size.png"
done

# ------------------------------------------------------------ about-icon.png
# Teal "i" badge with a small pellet at its lower right: the About window's own mark.
SS=1
canvas="256x256"
layers=()
Paint "circle 108,108 108,8" 0 8 '#2fb39a' 0 216 '#0c5446'
Draw "fill none stroke #073a30 stroke-width 10 circle 108,108 108,12"
Draw "fill #ffffff circle 108,54 108,76"
Draw "fill #ffffff roundrectangle 90,90 126,178 12,12"
PaintPellet "translate 112,140 scale 0.62,0.62" 191 248
convert -size "$canvas" xc:none "${layers[@]}" \
    -resize 32x32 -strip "png32:$outDir/about-icon.png"
