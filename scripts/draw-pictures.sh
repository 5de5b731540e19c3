#!/usr/bin/env bash
# Regenerates every picture under resources/pictures and resources/bitmaps, and the launcher's icons under
# desktop/icons.
# The outputs are committed, so the build never needs ImageMagick; run this
# only after changing a drawing.
#
# Needs: ImageMagick (6 or 7) and fonts-wqy-microhei.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PIC="$ROOT/resources/pictures"
BMP="$ROOT/resources/bitmaps"
FONT="${FONT:-/usr/share/fonts/truetype/wqy/wqy-microhei.ttc}"

if command -v magick >/dev/null 2>&1; then
    IM=(magick)
elif command -v convert >/dev/null 2>&1; then
    IM=(convert)
else
    echo "draw-pictures: ImageMagick (convert or magick) is required" >&2
    exit 1
fi
if [[ ! -f "$FONT" ]]; then
    echo "draw-pictures: font $FONT not found (install fonts-wqy-microhei)" >&2
    exit 1
fi

mkdir -p "$PIC" "$BMP"

# ImageMagick 6 has no command-line switch for line caps and joins, so the
# strokes that need rounded ends carry this MVG prefix in their -draw.
ROUND='stroke-linecap round stroke-linejoin round'

# The program loads these with a plain JPEG decoder and shows them at their
# natural size, so keep them baseline, unannotated and byte-stable.
JPEG_OUT=(-strip -background white -alpha remove -alpha off
          -interlace none -sampling-factor 2x2 -quality 90)
# Old Windows-style 24-bit bitmaps: no alpha channel, no compression.
BMP_OUT=(-strip -background white -alpha remove -alpha off -type TrueColor
         -compress none)

# Prints the three corners of an equilateral triangle with incentre (cx,cy)
# and inradius r; "up" points the apex upwards, "down" downwards.  Nested
# triangles with a common incentre give borders of even width.
tri() {
    awk -v cx="$1" -v cy="$2" -v r="$3" -v dir="$4" 'BEGIN {
        s = (dir == "up") ? 1 : -1; h = r * sqrt(3)
        printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f", cx, cy - s*2*r, cx - h, cy + s*r, cx + h, cy + s*r
    }'
}

# Regular octagon with a flat top, circumradius r.
octagon() {
    awk -v cx="$1" -v cy="$2" -v r="$3" 'BEGIN {
        pi = atan2(0, -1)
        for (k = 0; k < 8; k++) {
            a = pi / 8 + k * pi / 4
            printf "%.1f,%.1f ", cx + r * cos(a), cy + r * sin(a)
        }
    }'
}

# Five-pointed star, outer radius R, inner radius r, one point straight up.
star() {
    awk -v cx="$1" -v cy="$2" -v R="$3" -v r="$4" 'BEGIN {
        pi = atan2(0, -1)
        for (k = 0; k < 10; k++) {
            a = -pi / 2 + k * pi / 5; d = (k % 2) ? r : R
            printf "%.1f,%.1f ", cx + d * cos(a), cy + d * sin(a)
        }
    }'
}

###########################################################################
# Start picture
###########################################################################
# The main window covers rows 0-59 with its banner and everything from row
# 513 with its status bar, so every meaningful element stays in 60..505;
# only sky, grass and asphalt run under the covered strips.  The font has
# no bold face, so the title gets a thin outline in its own colour instead.
draw_start() {
    local W=641 H=529 HZ=268
    # Lane dashes of equal length and spacing on the ground only look right
    # if depth d maps to row HZ + K/d; their width, like the road's, grows
    # linearly with the distance below the horizon.
    local road
    road=$(awk -v hz=$HZ -v H=$H 'BEGIN {
        K = 1300
        # the asphalt runs from x 296..344 at the horizon to 20..620 at
        # the bottom row; lane lines sit at one and two thirds of it
        for (d = 4.2; d < 160; d += 7) {
            d2 = d + 3.4
            y1 = hz + K / d; y2 = hz + K / d2
            if (y1 > H) y1 = H
            for (f = 1; f <= 2; f++) {
                fr = f / 3
                printf "polygon "
                yA = y2; yB = y1
                tA = (yA - hz) / (H - hz); tB = (yB - hz) / (H - hz)
                lA = 296 - 276 * tA; rA = 344 + 276 * tA
                lB = 296 - 276 * tB; rB = 344 + 276 * tB
                xA = lA + fr * (rA - lA); xB = lB + fr * (rB - lB)
                wA = 5.5 * tA + 0.3; wB = 5.5 * tB + 0.3
                printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f ", xA - wA, yA, xA + wA, yA, xB + wB, yB, xB - wB, yB
            }
        }
    }')

    "${IM[@]}" -size ${W}x${H} xc:'#eef7fd' \
        \( -size ${W}x$((HZ + 2)) gradient:'#8ec5ec-#f2f9fe' \) -geometry +0+0 -composite \
        \( -size ${W}x$((H - HZ)) gradient:'#a9d895-#6fb36a' \) -geometry +0+${HZ} -composite \
        -fill 'rgba(255,255,255,0.85)' -stroke none \
        -draw "ellipse 520,196 46,13 0,360" -draw "ellipse 555,188 34,15 0,360" \
        -draw "ellipse 118,206 40,11 0,360" -draw "ellipse 90,200 26,12 0,360" \
        -fill '#bfe0b4' -draw "ellipse 150,276 190,30 180,360" \
        -fill '#a7d39c' -draw "ellipse 500,278 210,36 180,360" \
        -fill '#93c98a' -draw "ellipse 330,274 110,16 180,360" \
        -fill '#8a6b4e' \
        -draw "rectangle 186,258 189,272" -draw "rectangle 226,262 229,274" \
        -draw "rectangle 452,256 455,272" -draw "rectangle 490,262 493,276" \
        -fill '#4f9e57' -draw "circle 187.5,250 187.5,238" -draw "circle 227.5,256 227.5,247" \
        -fill '#5aa862' -draw "circle 453.5,247 453.5,233" -draw "circle 491.5,255 491.5,245" \
        -fill '#6e7884' -draw "polygon 296,$HZ 344,$HZ 620,$H 20,$H" \
        -stroke white -strokewidth 1 -fill white \
        -draw "polygon 297,$HZ 299,$HZ 36,$H 24,$H" \
        -draw "polygon 341,$HZ 343,$HZ 616,$H 604,$H" \
        -stroke none -fill '#f4f6f8' -draw "$road" \
        \
        -fill 'rgba(0,0,0,0.25)' -draw "ellipse 320,447 70,9 0,360" \
        -fill '#1f262e' -draw "roundrectangle 268,424 290,450 3,3" -draw "roundrectangle 350,424 372,450 3,3" \
        -fill '#2f7fc9' -stroke '#245f97' -strokewidth 1.5 \
        -draw "polygon 283,386 295,356 345,356 357,386" \
        -fill '#cfe6f7' -stroke '#245f97' -draw "polygon 290,384 299,361 341,361 350,384" \
        -fill '#3a8fd8' -stroke '#245f97' -draw "roundrectangle 262,382 378,438 10,10" \
        -stroke none -fill '#e23b32' -draw "roundrectangle 268,392 292,404 3,3" -draw "roundrectangle 348,392 372,404 3,3" \
        -fill '#ffd27a' -draw "rectangle 270,394 276,402" -draw "rectangle 364,394 370,402" \
        -fill '#1c4f91' -stroke white -strokewidth 1 -draw "rectangle 300,413 340,427" \
        -fill '#2a6cad' -stroke none -draw "rectangle 268,430 372,434" \
        -font "$FONT" -pointsize 9 -fill white -annotate +304+424 "京A·V13" \
        \
        -fill '#8f9aa5' -draw "rectangle 37,236 43,472" -draw "rectangle 30,468 50,474" \
        -fill '#2b3238' -draw "roundrectangle 22,184 58,292 8,8" \
        -fill '#5a2724' -draw "circle 40,203 40,191" \
        -fill '#5a4a20' -draw "circle 40,238 40,226" \
        -fill 'rgba(70,230,120,0.35)' -draw "circle 40,273 40,255" \
        -fill '#3ee07a' -draw "circle 40,273 40,261" \
        -fill '#b9f7cf' -draw "circle 37,270 37,266" \
        \
        -fill '#8f9aa5' -draw "rectangle 585,278 590,448" \
        -fill white -stroke '#b8c0c8' -strokewidth 1 -draw "circle 587.5,248 587.5,214" \
        -fill '#d8261f' -stroke none -draw "circle 587.5,248 587.5,217" \
        -fill white -draw "circle 587.5,248 587.5,223" \
        -fill '#1a1a1a' -pointsize 28 -annotate +570+258 "60" \
        \
        -fill 'rgba(255,255,255,0.82)' -stroke 'rgba(47,127,201,0.55)' -strokewidth 1.5 \
        -draw "roundrectangle 34,70 606,160 16,16" \
        -fill '#1b5c9c' -stroke '#1b5c9c' -strokewidth 0.8 -pointsize 33 \
        -gravity north -annotate +0+82 "Vexa机动车驾照模拟考试系统 V1.3" \
        -stroke none -fill '#4b7aa3' -pointsize 15 -annotate +0+131 "道路交通安全法律法规与驾驶理论 · 练习与模拟考试" \
        -gravity northwest \
        -fill 'rgba(255,255,255,0.93)' -stroke '#2f7fc9' -strokewidth 2 \
        -draw "roundrectangle 182,462 459,500 18,18" \
        -stroke none -fill '#2f7fc9' -draw "polygon 200,481 214,471 214,491" \
        -fill '#1b5c9c' -pointsize 21 -annotate +224+469 "请在左侧选择练习方式" \
        "${JPEG_OUT[@]}" "$PIC/JPG112233.jpg"
}

###########################################################################
# Answer marks and mode tiles
###########################################################################
# Drawn at 4x and averaged down: plain anti-aliasing at 22 px leaves the
# strokes looking thin and fuzzy.
draw_marks() {
    "${IM[@]}" -size 88x88 xc:white -fill none -stroke '#1c9b3c' -strokewidth 13 \
        -draw "$ROUND polyline 17,46 36,66 72,22" \
        -filter Box -resize 22x22 "${BMP_OUT[@]}" "BMP3:$BMP/BMPdui.bmp"
    "${IM[@]}" -size 88x88 xc:white -fill none -stroke '#d9302a' -strokewidth 13 \
        -draw "$ROUND line 22,22 66,66" -draw "$ROUND line 66,22 22,66" \
        -filter Box -resize 22x22 "${BMP_OUT[@]}" "BMP3:$BMP/BMPcuo.bmp"
}

# One mode tile: $1 index, $2 label, $3 tile colour, $4 border colour, then
# the -draw arguments of the symbol in 272x272 coordinates (symbol area is
# the upper 208 rows; the label goes underneath after scaling down, since
# text rendered at 12 px directly stays sharper than scaled text).
tile() {
    local idx=$1 label=$2 bg=$3 border=$4
    shift 4
    "${IM[@]}" -size 272x272 xc:white \
        -fill "$bg" -stroke "$border" -strokewidth 6 -draw "roundrectangle 6,6 265,265 40,40" \
        "$@" \
        -filter Box -resize 68x68 \
        -font "$FONT" -pointsize 12 -fill '#23415f' -stroke none \
        -gravity south -annotate +0+3 "$label" \
        "${BMP_OUT[@]}" "BMP3:$BMP/GROUP$idx.bmp"
}

draw_groups() {
    # 0 category practice: two filed folders
    tile 0 "分类练习" '#e4f0fb' '#8db8df' \
        -stroke '#2d6fae' -strokewidth 5 -fill '#5b9bd5' \
        -draw "$ROUND polygon 50,30 106,30 120,46 192,46 192,132 50,132" \
        -stroke '#c98a12' -fill '#f6bd45' \
        -draw "$ROUND polygon 80,66 136,66 150,82 222,82 222,180 80,180" \
        -stroke none -fill '#fff4d6' -draw "roundrectangle 122,112 198,130 6,6" \
        -fill '#fde2a0' -draw "roundrectangle 122,142 178,158 6,6"

    # 1 sequential practice: a numbered list 1-2-3
    tile 1 "顺序练习" '#e5f5e7' '#93c99b' \
        -stroke none -fill '#3a9a50' \
        -draw "circle 78,48 78,26" -draw "circle 78,108 78,86" -draw "circle 78,168 78,146" \
        -fill '#7fbf8b' \
        -draw "roundrectangle 118,38 220,58 10,10" \
        -draw "roundrectangle 118,98 204,118 10,10" \
        -draw "roundrectangle 118,158 212,178 10,10" \
        -font "$FONT" -pointsize 34 -fill white \
        -annotate +68+61 "1" -annotate +68+121 "2" -annotate +68+181 "3"

    # 2 random practice: a pair of dice
    tile 2 "随机练习" '#fdf1dc' '#e4bd7c' \
        -stroke '#9b6a22' -strokewidth 5 -fill white \
        -draw "translate 88,98 rotate -14 roundrectangle -44,-44 44,44 14,14" \
        -draw "translate 184,122 rotate 18 roundrectangle -42,-42 42,42 14,14" \
        -stroke none -fill '#d9302a' \
        -draw "translate 88,98 rotate -14 circle 0,0 0,10" \
        -draw "translate 88,98 rotate -14 circle -23,-23 -23,-15" \
        -draw "translate 88,98 rotate -14 circle 23,23 23,31" \
        -fill '#2b2b2b' \
        -draw "translate 184,122 rotate 18 circle -20,-20 -20,-12" \
        -draw "translate 184,122 rotate 18 circle 20,-20 20,-12" \
        -draw "translate 184,122 rotate 18 circle -20,20 -20,28" \
        -draw "translate 184,122 rotate 18 circle 20,20 20,28"

    # 3 mock exam: an answer sheet with a clock
    tile 3 "模拟考试" '#fbe7e7' '#e0a3a3' \
        -stroke '#8a6d6d' -strokewidth 5 -fill white \
        -draw "roundrectangle 56,24 168,178 10,10" \
        -stroke none -fill '#b9a5a5' \
        -draw "rectangle 76,52 148,62" -draw "rectangle 76,80 148,90" \
        -draw "rectangle 76,108 128,118" -draw "rectangle 76,136 118,146" \
        -stroke '#c0392b' -strokewidth 8 -fill white -draw "circle 182,136 182,86" \
        -stroke '#3a3a3a' -strokewidth 7 \
        -draw "$ROUND line 182,136 182,104" -draw "$ROUND line 182,136 204,146" \
        -stroke none -fill '#c0392b' -draw "circle 182,136 182,129"

    # 4 key-point practice: a star on a target
    tile 4 "重点练习" '#efe8fa' '#b9a2dc' \
        -stroke none -fill '#e05a4f' -draw "circle 136,104 136,24" \
        -fill white -draw "circle 136,104 136,42" \
        -fill '#e05a4f' -draw "circle 136,104 136,60" \
        -fill white -draw "circle 136,104 136,78" \
        -fill '#f7c531' -stroke '#c98a12' -strokewidth 5 \
        -draw "$ROUND polygon $(star 136 108 52 21)"
}

# The icon at 256 x 256, drawn over the canvas given first.
icon() {
    "${IM[@]}" -size 256x256 "$1" \
        -fill '#2f7fc9' -stroke none -draw "roundrectangle 8,8 247,247 48,48" \
        -fill none -stroke white -strokewidth 22 -draw "circle 122,122 122,40" \
        -fill white -stroke none -draw "circle 122,122 122,96" \
        -stroke white -strokewidth 20 \
        -draw "$ROUND line 46,112 100,118" -draw "$ROUND line 198,112 144,118" -draw "$ROUND line 122,146 122,196" \
        -stroke none -fill '#2f7fc9' -draw "$ROUND circle 122,122 122,110" \
        -fill white -draw "$ROUND circle 190,190 190,136" \
        -fill '#23a455' -draw "$ROUND circle 190,190 190,142" \
        -fill none -stroke white -strokewidth 14 \
        -draw "$ROUND polyline 166,190 184,208 214,172" \
        "${@:2}"
}

draw_icon() {
    icon xc:white -filter Box -resize 64x64 "${BMP_OUT[@]}" "BMP3:$BMP/MAINICON.bmp"
    # The launcher's icon in the sizes of the desktop's icon theme, its corners transparent.
    local size
    for size in 16 24 32 48 64 128 256; do
        mkdir -p "$ROOT/desktop/icons/${size}x${size}"
        icon xc:none -resize "${size}x${size}" -strip -define png:exclude-chunks=date,time \
            "PNG32:$ROOT/desktop/icons/${size}x${size}/org.vexa.zuvo.png"
    done
}

###########################################################################
# Question pictures, 217 x 153 at most: shared helpers
###########################################################################
SIGN_RED='#d8261f'
SIGN_BLUE='#1f5fae'
SIGN_YELLOW='#f7c41b'
SIGN_BLACK='#111111'

# Each sign is drawn at twice its size and halved, which keeps the small
# strokes of the symbols clean.
sign() {
    local out=$1
    shift
    "${IM[@]}" -size 434x306 xc:white "$@" \
        -filter Box -resize 217x153 "${JPEG_OUT[@]}" "$PIC/$out"
}

# A round sign: grey-edged white rim around a disc of the given colour, then the symbol.
round_sign() {
    local out=$1 colour=$2
    shift 2
    sign "$out" \
        -fill white -stroke '#c4c4c4' -strokewidth 2 -draw "circle 217,153 217,9" \
        -stroke none -fill "$colour" -draw "circle 217,153 217,15" \
        "$@"
}

###########################################################################
# Parts
###########################################################################
# The question pictures are drawn by the files under pictures/, one subject
# each; every file defines draw_<its name>.  With arguments only the named
# parts are drawn (start, marks, groups, icon, or a file's name).
for part in "$ROOT"/scripts/pictures/*.sh; do
    # shellcheck source=/dev/null
    source "$part"
done

parts=("$@")
if [[ ${#parts[@]} -eq 0 ]]; then
    parts=(start marks groups icon)
    for part in "$ROOT"/scripts/pictures/*.sh; do
        parts+=("$(basename "$part" .sh)")
    done
fi
for part in "${parts[@]}"; do
    if ! declare -F "draw_$part" >/dev/null; then
        echo "draw-pictures: no part named $part" >&2
        exit 2
    fi
    "draw_$part"
done

echo "draw-pictures: wrote $(ls "$PIC" | wc -l) pictures and $(ls "$BMP" | wc -l) bitmaps"
