# Road markings, traffic lights and traffic police hand signals.
# Sourced by ../draw-pictures.sh, which supplies sign, $ROUND and $FONT.
#
# The markings are top views of a short stretch of road with the direction
# of travel pointing up the picture.  They are not to scale: a real lane
# dash is several car lengths long, so dashes, arrows and cars are shrunk
# along the road until a few of them fit in the frame.

MK_ASPHALT='#6c7176'
MK_VERGE='#a9cf8f'
MK_WHITE='#f6f6f6'
MK_YELLOW='#f2bd17'

# Vertical dashes centred on x, w wide, from y0 down to y1, each len long
# and gap apart; the pattern is anchored at y0 so it never shifts.
mk_vdash() {
    awk -v x="$1" -v w="$2" -v y0="$3" -v y1="$4" -v len="$5" -v gap="$6" 'BEGIN {
        for (y = y0; y < y1; y += len + gap) {
            e = y + len; if (e > y1) e = y1
            printf "rectangle %.1f,%.1f %.1f,%.1f ", x - w / 2, y, x + w / 2, e
        }
    }'
}

# The same across the road: horizontal dashes centred on row y.
mk_hdash() {
    awk -v y="$1" -v w="$2" -v x0="$3" -v x1="$4" -v len="$5" -v gap="$6" 'BEGIN {
        for (x = x0; x < x1; x += len + gap) {
            e = x + len; if (e > x1) e = x1
            printf "rectangle %.1f,%.1f %.1f,%.1f ", x, y - w / 2, e, y + w / 2
        }
    }'
}

# Diagonal lines at +45 and -45 degrees, step apart, clipped to the
# rectangle x0,y0 x1,y1: the hatching of a box junction.
mk_crosshatch() {
    awk -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" -v step="$5" 'BEGIN {
        # lines y = x + c and y = -x + c, clipped by walking the border
        for (dir = -1; dir <= 1; dir += 2) {
            for (c = -2000; c <= 2000; c += step) {
                n = 0
                for (k = 0; k < 4; k++) {
                    if (k < 2) { x = (k == 0) ? x0 : x1; y = dir * x + c } else { y = (k == 2) ? y0 : y1; x = (y - c) * dir }
                    if (x >= x0 - 0.01 && x <= x1 + 0.01 && y >= y0 - 0.01 && y <= y1 + 0.01) { px[n] = x; py[n] = y; n++ }
                }
                if (n >= 2 && (px[0] != px[1] || py[0] != py[1]))
                    printf "line %.1f,%.1f %.1f,%.1f ", px[0], py[0], px[1], py[1]
            }
        }
    }'
}

# A car seen from above, centred on (x,y), its nose turned by angle degrees
# from straight up, optionally scaled; one -draw argument.
mk_car() {
    local x=$1 y=$2 angle=$3 colour=$4 scale=${5:-1}
    printf '%s' "translate $x,$y rotate $angle scale $scale,$scale stroke none" \
        " fill #00000040 roundrectangle -27,-49 31,55 14,14" \
        " fill $colour roundrectangle -28,-52 28,52 14,14" \
        " fill #26313b roundrectangle -22,-24 22,-6 5,5 roundrectangle -21,30 21,42 5,5" \
        " fill #ffffff30 roundrectangle -20,-4 20,28 4,4" \
        " fill #fff6c8 rectangle -23,-51 -13,-47 rectangle 13,-51 23,-47"
}

# A T-junction: the main road across the top, a two-way side road coming
# up from the bottom whose right lane (x 221..315) meets the main road at
# row 140; the markings at the mouth of that lane are the arguments.
mk_junction() {
    local out=$1
    shift
    sign "$out" \
        -fill "$MK_VERGE" -draw "rectangle 0,0 433,305" \
        -fill "$MK_ASPHALT" -draw "rectangle 0,10 433,140" -draw "rectangle 112,140 322,305" \
        -fill "$MK_WHITE" -draw "rectangle 0,14 433,20" \
        -draw "rectangle 0,134 115,140" -draw "rectangle 319,134 433,140" \
        -draw "rectangle 112,140 119,305" -draw "rectangle 315,140 322,305" \
        -fill "$MK_YELLOW" -draw "$(mk_hdash 77 8 -10 434 56 40)" -draw "rectangle 213,140 221,305" \
        -draw "$(mk_car 360 105 90 '#2f6db5' 0.8)" \
        "$@"
}

# A stretch of two-lane road: green verges, white edge lines, the
# carriageway from x 66 to 368 with its centre at 217.
mk_road() {
    local out=$1
    shift
    sign "$out" \
        -fill "$MK_VERGE" -draw "rectangle 0,0 433,305" \
        -fill "$MK_ASPHALT" -draw "rectangle 52,0 382,305" \
        -fill "$MK_WHITE" -draw "rectangle 58,0 65,305" -draw "rectangle 369,0 376,305" \
        "$@"
}

# Guide arrows in their own frame: origin at the middle, pointing up, about
# 240 long; the stems are strokes, the heads filled triangles.
MK_STEM="stroke $MK_WHITE stroke-width 20 stroke-linecap butt fill none"
MK_HEAD="stroke none fill $MK_WHITE"
mk_arrow() {
    case $1 in
    straight)
        echo "$MK_STEM path 'M 0,120 L 0,-40' $MK_HEAD polygon 0,-122 -36,-38 36,-38" ;;
    left)
        echo "$MK_STEM path 'M 18,120 L 18,-4 C 18,-44 2,-62 -28,-62'" \
             "$MK_HEAD polygon -76,-62 -30,-96 -30,-28" ;;
    right)
        echo "$MK_STEM path 'M -18,120 L -18,-4 C -18,-44 -2,-62 28,-62'" \
             "$MK_HEAD polygon 76,-62 30,-96 30,-28" ;;
    uturn)
        # Round joins: with ImageMagick 6's default miter joins the tiny segments
        # of the arc throw a long spike across the loop.
        echo "$MK_STEM stroke-linejoin round path 'M 34,120 L 34,-40 A 34,34 0 0 0 -34,-40 L -34,-6'" \
             "$MK_HEAD polygon -34,42 -68,-8 0,-8" ;;
    straight-right)
        echo "$MK_STEM path 'M -16,120 L -16,-40 M -16,52 C -16,6 4,-12 30,-12'" \
             "$MK_HEAD polygon -16,-122 -52,-38 20,-38 polygon 74,-12 32,-44 32,20" ;;
    esac
}

# One lane between solid guide lines with a single arrow in it.
mk_lane_arrow() {
    local out=$1 kind=$2
    sign "$out" \
        -fill "$MK_ASPHALT" -draw "rectangle 0,0 433,305" \
        -fill "$MK_WHITE" -draw "rectangle 102,0 109,305" -draw "rectangle 325,0 332,305" \
        -draw "translate 217,156 $(mk_arrow "$kind")"
}

# Signal heads: a black housing with three lamps, red on top, yellow in the
# middle, green below.  Lamps that are off keep a dim tint of their colour
# so the learner can still tell which position is lit.
MK_LIT_RED='#ff3b2f'
MK_LIT_YELLOW='#ffc21c'
MK_LIT_GREEN='#27d36e'
MK_DIM_RED='#4a2220'
MK_DIM_YELLOW='#4a3e1e'
MK_DIM_GREEN='#1c3d2a'

# The arrow symbol of a directional lamp, centred on the origin, pointing left.
MK_LAMP_ARROW='polygon -32,0 -4,-26 -4,-10 30,-10 30,10 -4,10 -4,26'

# mk_head CX LIT [SHAPE]: one head centred on column CX; LIT is red, yellow,
# green or none; SHAPE is round (default) or the direction of the arrows
# (left, up, right), whose lamps show a coloured arrow on black.
mk_head() {
    local cx=$1 lit=$2 shape=${3:-round}
    local angle
    case $shape in left) angle=0 ;; up) angle=90 ;; right) angle=180 ;; esac
    printf '%s' "stroke none fill #3a3d41 rectangle $((cx - 8)),0 $((cx + 8)),16" \
        " fill #1b1d20 roundrectangle $((cx - 50)),14 $((cx + 50)),292 14,14"
    local colour y k
    for k in red yellow green; do
        case $k in red) y=62 ;; yellow) y=153 ;; green) y=244 ;; esac
        if [[ $k == "$lit" ]]; then
            case $k in red) colour=$MK_LIT_RED ;; yellow) colour=$MK_LIT_YELLOW ;; green) colour=$MK_LIT_GREEN ;; esac
        else
            case $k in red) colour=$MK_DIM_RED ;; yellow) colour=$MK_DIM_YELLOW ;; green) colour=$MK_DIM_GREEN ;; esac
        fi
        if [[ $shape == round ]]; then
            printf '%s' " fill $colour circle $cx,$y $cx,$((y - 37))"
            [[ $k == "$lit" ]] && printf '%s' " fill #ffffff50 circle $((cx - 10)),$((y - 10)) $((cx - 10)),$((y - 24))"
        else
            printf '%s' " fill #08090a circle $cx,$y $cx,$((y - 37))" \
                " push graphic-context translate $cx,$y rotate $angle fill $colour $MK_LAMP_ARROW pop graphic-context"
        fi
    done
}

# A lane-use lamp hanging under a gantry: red cross or green downward arrow.
mk_lane_lamp() {
    local cx=$1 kind=$2
    printf '%s' "stroke none fill #1b1d20 roundrectangle $((cx - 30)),48 $((cx + 30)),108 6,6"
    if [[ $kind == cross ]]; then
        printf '%s' " stroke $MK_LIT_RED stroke-width 9 stroke-linecap round" \
            " line $((cx - 16)),62 $((cx + 16)),94 line $((cx + 16)),62 $((cx - 16)),94"
    else
        printf '%s' " stroke none fill $MK_LIT_GREEN" \
            " polygon $cx,100 $((cx - 20)),78 $((cx - 7)),78 $((cx - 7)),56 $((cx + 7)),56 $((cx + 7)),78 $((cx + 20)),78"
    fi
}

draw_markings() {
    # 可跨越同向车行道分界线: white dashes between two lanes going the same way
    mk_road JPG2601.jpg \
        -fill "$MK_WHITE" -draw "$(mk_vdash 217 8 -20 306 64 52)" \
        -draw "$(mk_car 141 200 0 '#c8372d')" -draw "$(mk_car 292 96 0 '#2f6db5')"

    # 禁止跨越同向车行道分界线: a solid white line between the same lanes
    mk_road JPG2602.jpg \
        -fill "$MK_WHITE" -draw "rectangle 213,0 221,305" \
        -draw "$(mk_car 141 200 0 '#c8372d')" -draw "$(mk_car 292 96 0 '#2f6db5')"

    # 禁止跨越对向车行道分界线: double yellow solid centre line
    mk_road JPG2603.jpg \
        -fill "$MK_YELLOW" -draw "rectangle 203,0 211,305" -draw "rectangle 223,0 231,305" \
        -draw "$(mk_car 141 96 180 '#2f6db5')" -draw "$(mk_car 292 200 0 '#c8372d')"

    # 黄色虚实线: dashed on the side of the red car (going up), solid on the other
    mk_road JPG2604.jpg \
        -fill "$MK_YELLOW" -draw "rectangle 203,0 211,305" -draw "$(mk_vdash 227 8 -20 306 64 52)" \
        -draw "$(mk_car 141 96 180 '#2f6db5')" -draw "$(mk_car 292 200 0 '#c8372d')"

    # 可跨越对向车行道分界线: single yellow dashed centre line
    mk_road JPG2605.jpg \
        -fill "$MK_YELLOW" -draw "$(mk_vdash 217 8 -20 306 64 52)" \
        -draw "$(mk_car 141 96 180 '#2f6db5')" -draw "$(mk_car 292 200 0 '#c8372d')"

    # 人行横道线 with the diamond that announces it in each lane
    mk_road JPG2606.jpg \
        -fill "$MK_WHITE" -draw "$(mk_vdash 217 8 130 306 64 52)" \
        -draw "$(mk_hdash 75 76 72 368 20 22)" \
        -fill none -stroke "$MK_WHITE" -strokewidth 7 \
        -draw "polygon 141,160 171,220 141,280 111,220" -draw "polygon 292,160 322,220 292,280 262,220"

    # 停止线 at the mouth of a signalled junction
    sign JPG2607.jpg \
        -fill "$MK_VERGE" -draw "rectangle 0,0 433,305" \
        -fill "$MK_ASPHALT" -draw "rectangle 0,0 433,116" -draw "rectangle 52,116 382,305" \
        -fill "$MK_WHITE" -draw "rectangle 0,110 52,116" -draw "rectangle 382,110 433,116" \
        -draw "rectangle 58,116 65,305" -draw "rectangle 369,116 376,305" \
        -draw "rectangle 221,124 369,136" \
        -fill "$MK_YELLOW" -draw "rectangle 203,124 211,305" -draw "rectangle 223,136 231,305" \
        -draw "$(mk_car 296 214 0 '#c8372d')"

    # 网状线: a yellow box over the junction
    sign JPG2613.jpg \
        -fill "$MK_VERGE" -draw "rectangle 0,0 433,305" \
        -fill "$MK_ASPHALT" -draw "rectangle 52,0 382,305" -draw "rectangle 0,62 433,244" \
        -fill "$MK_WHITE" -draw "rectangle 0,62 52,68" -draw "rectangle 382,62 433,68" \
        -draw "rectangle 0,238 52,244" -draw "rectangle 382,238 433,244" \
        -draw "rectangle 52,0 58,62" -draw "rectangle 376,0 382,62" \
        -draw "rectangle 52,244 58,305" -draw "rectangle 376,244 382,305" \
        -fill none -stroke "$MK_YELLOW" -strokewidth 7 \
        -draw "rectangle 72,80 362,226" -strokewidth 5 -draw "$(mk_crosshatch 72 80 362 226 58)" \
        -stroke none -draw "$(mk_car 292 284 0 '#c8372d')"

    # 减速让行线: two dashed lines across the lane and the inverted triangle before them
    mk_junction JPG2614.jpg \
        -fill "$MK_WHITE" -draw "$(mk_hdash 151 8 224 315 20 11)" -draw "$(mk_hdash 169 8 224 315 20 11)" \
        -fill none -stroke "$MK_WHITE" -strokewidth 7 -draw "polygon 234,196 302,196 268,292"

    # 停车让行线: two solid lines across the lane and 停 written before them
    mk_junction JPG2615.jpg \
        -fill "$MK_WHITE" -draw "rectangle 221,146 315,153" -draw "rectangle 221,162 315,169" \
        -font "$FONT" -pointsize 64 -stroke "$MK_WHITE" -strokewidth 1.2 \
        -draw "translate 268,282 scale 1,1.7 text -32,0 '停'"

    # 左弯待转区线: dashed lines leading the left-turn lane on into the junction
    sign JPG2617.jpg \
        -fill "$MK_VERGE" -draw "rectangle 0,0 433,305" \
        -fill "$MK_ASPHALT" -draw "rectangle 30,0 404,305" -draw "rectangle 0,24 433,170" \
        -fill "$MK_WHITE" -draw "rectangle 0,164 30,170" -draw "rectangle 404,164 433,170" \
        -draw "rectangle 0,24 30,30" -draw "rectangle 404,24 433,30" \
        -draw "rectangle 30,170 36,305" -draw "rectangle 398,170 404,305" \
        -draw "rectangle 229,178 398,190" -draw "rectangle 310,190 316,305" \
        -draw "$(mk_vdash 121 6 176 306 40 30)" \
        -fill "$MK_YELLOW" -draw "rectangle 203,178 210,305" -draw "rectangle 220,178 227,305" \
        -draw "translate 269,252 scale 0.52,0.52 $(mk_arrow left)" \
        -draw "translate 357,252 scale 0.52,0.52 $(mk_arrow straight)" \
        -fill none -stroke "$MK_WHITE" -strokewidth 6 -draw "stroke-dasharray 16 12 path 'M 232,176 L 210,70 L 290,70 L 312,176'"

    # Guide arrows
    mk_lane_arrow JPG2608.jpg straight
    mk_lane_arrow JPG2609.jpg left
    mk_lane_arrow JPG2610.jpg right
    mk_lane_arrow JPG2611.jpg uturn
    mk_lane_arrow JPG2612.jpg straight-right

    # 机动车信号灯, one picture for each colour that is lit
    sign JPG2650.jpg -draw "$(mk_head 217 red)"
    sign JPG2651.jpg -draw "$(mk_head 217 yellow)"
    sign JPG2652.jpg -draw "$(mk_head 217 green)"

    # 闪光警告信号灯: a one-lamp head, the rays saying that it flashes
    sign JPG2653.jpg \
        -fill '#3a3d41' -draw "rectangle 209,40 225,104" \
        -fill '#1b1d20' -draw "roundrectangle 165,101 269,205 16,16" \
        -fill "$MK_LIT_YELLOW" -draw "circle 217,153 217,113" \
        -fill '#ffffff50' -draw "circle 206,142 206,128" \
        -fill none -stroke "$MK_LIT_YELLOW" -strokewidth 8 \
        -draw "$ROUND line 130,153 100,153 line 304,153 334,153 line 217,240 217,270" \
        -draw "$ROUND line 151,219 132,238 line 283,219 302,238 line 151,87 132,68 line 283,87 302,68"

    # 方向指示信号灯: green left arrow lit beside a head of red straight arrows
    sign JPG2654.jpg -draw "$(mk_head 150 green left)" -draw "$(mk_head 284 red up)"

    # 车道信号灯 over three lanes: red cross over the left lane, green arrows over the others
    local lanes
    lanes=$(awk 'BEGIN {
        hz = 122; H = 306
        # the carriageway runs from x 200..234 at the horizon to -40..474 at the bottom
        for (k = 0; k <= 3; k++) {
            f = k / 3
            xt = 200 + 34 * f; xb = -40 + 514 * f
            if (k == 0 || k == 3) {
                printf "polygon %.1f,%d %.1f,%d %.1f,%d %.1f,%d ", xt - 0.6, hz, xt + 0.6, hz, xb + 8, H, xb - 8, H
                continue
            }
            for (d = 3.2; d < 120; d += 6) {
                y1 = hz + 560 / d; y2 = hz + 560 / (d + 3); if (y1 > H) y1 = H
                t1 = (y1 - hz) / (H - hz); t2 = (y2 - hz) / (H - hz)
                x1 = xt + (xb - xt) * t1; x2 = xt + (xb - xt) * t2
                w1 = 7 * t1 + 0.4; w2 = 7 * t2 + 0.4
                printf "polygon %.1f,%.1f %.1f,%.1f %.1f,%.1f %.1f,%.1f ", x2 - w2, y2, x2 + w2, y2, x1 + w1, y1, x1 - w1, y1
            }
        }
    }')
    sign JPG2656.jpg \
        -fill '#e6f0f8' -draw "rectangle 0,0 433,122" \
        -fill "$MK_VERGE" -draw "rectangle 0,122 433,305" \
        -fill "$MK_ASPHALT" -draw "polygon 199,122 235,122 480,305 -46,305" \
        -fill "$MK_WHITE" -draw "$lanes" \
        -fill '#8d969e' -draw "rectangle 74,30 86,214" -draw "rectangle 348,30 360,214" \
        -draw "rectangle 64,30 370,46" \
        -draw "$(mk_lane_lamp 137 cross)" -draw "$(mk_lane_lamp 217 arrow)" -draw "$(mk_lane_lamp 297 arrow)"

    # 交通警察手势“停止信号”, seen from the front: the officer's left arm (on
    # the viewer's right) held up with the palm forward, the right arm down.
    # Painted back to front: shoes, trousers, sleeves, shirt, head, cap, gloves.
    local shirt='#a9d0f0' seam='#6f9cc4' skin='#f1c7a2'
    sign JPG2660.jpg \
        -fill '#1a1a1a' -draw "ellipse 199,293 15,7 0,360" -draw "ellipse 235,293 15,7 0,360" \
        -fill '#1f2a44' -draw "polygon 185,194 249,194 248,290 223,290 217,218 211,290 186,290" \
        -fill none -stroke "$shirt" -strokewidth 22 -draw "$ROUND line 183,114 170,190" \
        -draw "$ROUND line 251,114 259,50" \
        -stroke none -fill "$skin" -draw "rectangle 208,84 226,106" \
        -fill "$shirt" -stroke "$seam" -strokewidth 2 \
        -draw "polygon 186,102 248,102 256,120 250,200 184,200 178,120" \
        -fill none -draw "line 217,112 217,194" -draw "rectangle 190,130 208,148" -draw "rectangle 226,130 244,148" \
        -stroke none -fill '#1f2a44' -draw "polygon 209,102 225,102 221,112 217,148 213,112" \
        -fill '#222222' -draw "rectangle 184,188 250,198" -fill '#c9ced3' -draw "rectangle 211,189 223,197" \
        -fill "$skin" -draw "ellipse 217,74 19,23 0,360" \
        -fill '#222222' -draw "circle 210,73 210,70.5" -draw "circle 224,73 224,70.5" \
        -fill '#2a2a2a' -draw "rectangle 198,54 236,62" \
        -fill '#f7f7f7' -stroke '#b9bec4' -strokewidth 2 -draw "ellipse 217,44 31,12 0,360" \
        -stroke none -fill '#1f2a44' -draw "rectangle 195,46 239,58" \
        -fill '#111111' -draw "ellipse 217,59 22,6 0,180" \
        -fill '#e0b43c' -draw "circle 217,47 217,41" \
        -fill white -stroke '#aeb4ba' -strokewidth 2 \
        -draw "roundrectangle 246,8 274,52 10,10" -draw "ellipse 243,40 6,11 0,360" \
        -draw "ellipse 170,200 11,13 0,360"
}
