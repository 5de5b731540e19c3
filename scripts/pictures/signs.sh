# Road signs: warning, prohibitory and mandatory signs.
# Sourced by ../draw-pictures.sh, which supplies sign, round_sign, tri, octagon and the colours.
#
# The symbols shared by several families (arrows, bicycle, pedestrian, horn)
# are written once as MVG in a frame centred on the sign, where the disc of a
# round sign has radius 100; each sign places them with "translate X,Y
# scale S,S", so the stroke widths scale along with the shapes.

# Red ring and white face of a prohibitory disc; the symbol goes on top.
prohibitory_sign() {
    local out=$1
    shift
    round_sign "$out" "$SIGN_RED" \
        -fill white -draw "circle 217,153 217,42" \
        -stroke none -fill "$SIGN_BLACK" "$@"
}

# The red bar from top left to bottom right that crosses out the symbol of
# a prohibitory sign; its ends stop inside the red ring.
SLASH="stroke '$SIGN_RED' stroke-width 24 line 135.7,71.7 298.3,234.3"
# The second bar of a cross.
SLASH_BACK="stroke '$SIGN_RED' stroke-width 24 line 298.3,71.7 135.7,234.3"

# Yellow equilateral triangle with a black border and a thin yellow edge.
warning_sign() {
    local out=$1
    shift
    sign "$out" \
        -fill "$SIGN_YELLOW" -stroke '#c9a100' -strokewidth 2 \
        -draw "$ROUND polygon $(tri 217 190 89 up)" \
        -fill "$SIGN_BLACK" -stroke "$SIGN_BLACK" -strokewidth 10 -draw "$ROUND polygon $(tri 217 190 80 up)" \
        -fill "$SIGN_YELLOW" -stroke "$SIGN_YELLOW" -strokewidth 8 -draw "$ROUND polygon $(tri 217 190 63 up)" \
        -stroke none -fill "$SIGN_BLACK" "$@"
}

# Blue disc with a white symbol.
mandatory_sign() {
    local out=$1
    shift
    round_sign "$out" "$SIGN_BLUE" -stroke none -fill white "$@"
}

# Placement prefixes: the black symbol inside the white face of a
# prohibitory disc, the white symbol on a blue disc, the black symbol on a
# warning triangle (its inner yellow field is centred lower than the canvas).
IN_RING='translate 217,158'
ON_BLUE='translate 217,153 scale 1.22,1.22'
ON_TRIANGLE='translate 217,192 scale 0.86,0.86'

# --- symbols, each taking its colour -------------------------------------

# arrow COLOUR X BOTTOM TOP R ANGLE RUN: one arrow as a filled outline, a
# stem rising at X from BOTTOM to TOP, a bend of radius R to the left
# through ANGLE degrees (0 = straight on, 90 = a left turn, 180 = back
# down), a straight run of RUN, then the head.  The outline is offset from
# the centre line along its normals, since ImageMagick 6 strokes arcs
# unevenly.
arrow() {
    awk -v c="$1" -v sx="$2" -v y0="$3" -v yc="$4" -v R="$5" -v sweep="$6" -v L="$7" 'BEGIN {
        pi = atan2(0, -1); rad = pi / 180; w = 13; hl = 48; hh = 34
        n = 0
        px[n] = sx; py[n] = y0; tx[n] = 0; ty[n] = -1; n++
        for (d = 0; d <= sweep; d += 5) {
            a = -d * rad
            px[n] = sx - R + R * cos(a); py[n] = yc + R * sin(a)
            tx[n] = sin(a); ty[n] = -cos(a); n++
        }
        if (sweep == 0) { px[n] = sx; py[n] = yc; tx[n] = 0; ty[n] = -1; n++ }
        fx = px[n-1] + L * tx[n-1]; fy = py[n-1] + L * ty[n-1]
        px[n] = fx; py[n] = fy; tx[n] = tx[n-1]; ty[n] = ty[n-1]; n++
        printf "stroke none fill \047%s\047 polygon ", c
        for (i = 0; i < n; i++)
            printf "%.1f,%.1f ", px[i] - w * ty[i], py[i] + w * tx[i]
        T = n - 1
        printf "%.1f,%.1f ", fx - hh * ty[T], fy + hh * tx[T]
        printf "%.1f,%.1f ", fx + hl * tx[T], fy + hl * ty[T]
        printf "%.1f,%.1f ", fx + hh * ty[T], fy - hh * tx[T]
        for (i = n - 1; i >= 0; i--)
            printf "%.1f,%.1f ", px[i] + w * ty[i], py[i] - w * tx[i]
        printf "\n"
    }'
}

arrow_ahead() { arrow "$1" 0 68 -28 0 0 0; }
arrow_left() { arrow "$1" 32 68 0 36 90 16; }
arrow_uturn() { arrow "$1" 30 66 -14 35 180 22; }
arrow_ahead_or_left() {
    arrow "$1" 30 68 -30 0 0 0
    arrow "$1" 30 68 56 40 90 10
}

# Three arrows chasing each other anticlockwise round the centre.  Each is
# one filled outline: ImageMagick 6 strokes curved polylines and lone arcs
# unevenly.
roundabout_arrows() {
    awk -v c="$1" 'BEGIN {
        pi = atan2(0, -1); rad = pi / 180; R = 52; w = 11; h = 26
        printf "stroke none fill \047%s\047 ", c
        for (k = 0; k < 3; k++) {
            s = k * 120 + 30; e = s - 68; t = e - 36
            printf "polygon "
            for (d = s; d >= e; d -= 4)
                printf "%.1f,%.1f ", (R + w) * cos(d * rad), (R + w) * sin(d * rad)
            # the head follows the circle: base across it, tip on it further on
            printf "%.1f,%.1f ", (R + h) * cos(e * rad), (R + h) * sin(e * rad)
            printf "%.1f,%.1f ", R * cos(t * rad), R * sin(t * rad)
            printf "%.1f,%.1f ", (R - h) * cos(e * rad), (R - h) * sin(e * rad)
            for (d = e; d <= s; d += 4)
                printf "%.1f,%.1f ", (R - w) * cos(d * rad), (R - w) * sin(d * rad)
        }
    }'
}

bicycle() {
    echo "stroke '$1' fill none stroke-linecap round stroke-linejoin round stroke-width 8
          circle -44,11 -44,39 circle 44,11 44,39
          stroke-width 9
          polyline -44,11 -4,11 -14,-27 -44,11
          polyline -4,11 30,-23 -12,-23
          line 44,11 28,-31
          polyline 28,-31 24,-45 38,-47
          stroke-width 10 line -26,-31 -6,-31"
}

pedestrian() {
    echo "stroke '$1' fill none stroke-linecap round stroke-linejoin round
          stroke-width 19 line 1,-35 -10,9
          stroke-width 13 polyline -1,-29 15,-9 29,1 polyline -1,-29 -17,-13 -28,3
          stroke-width 16 polyline -10,9 13,31 18,61 polyline -10,9 -22,38 -44,57
          stroke none fill '$1' circle 6,-59 6,-46"
}

horn() {
    echo "stroke none fill '$1'
          polygon -62,-10 -46,-10 -46,-6 -8,-12 22,-28 40,-44 40,44 22,28 -8,12 -46,6 -46,10 -62,10
          roundrectangle 38,-48 48,48 3,3"
}

draw_signs() {
    # 禁止驶入: red disc, white horizontal bar
    round_sign JPG1228.jpg "$SIGN_RED" \
        -fill white -draw "rectangle 115,128 319,178"

    # 限制速度 40: red ring on white, black figures
    round_sign JPG356.jpg "$SIGN_RED" \
        -fill white -draw "circle 217,153 217,42" \
        -font "$FONT" -pointsize 138 -fill '#111111' -stroke '#111111' -strokewidth 5 \
        -gravity center -annotate +0+4 "40"

    # 注意行人: yellow triangle, black border, walking figure
    sign JPG1571.jpg \
        -fill "$SIGN_YELLOW" -stroke '#c9a100' -strokewidth 2 \
        -draw "$ROUND polygon $(tri 217 190 89 up)" \
        -fill '#111111' -stroke '#111111' -strokewidth 10 -draw "$ROUND polygon $(tri 217 190 80 up)" \
        -fill "$SIGN_YELLOW" -stroke "$SIGN_YELLOW" -strokewidth 8 -draw "$ROUND polygon $(tri 217 190 63 up)" \
        -stroke none -fill '#111111' -draw "circle 223,116 223,103" \
        -fill none -stroke '#111111' -strokewidth 19 \
        -draw "$ROUND line 218,140 207,184" \
        -strokewidth 13 \
        -draw "$ROUND polyline 216,146 232,166 246,176" \
        -draw "$ROUND polyline 216,146 200,162 189,178" \
        -strokewidth 16 \
        -draw "$ROUND polyline 207,184 230,206 235,236" \
        -draw "$ROUND polyline 207,184 195,213 173,232"

    # 直行: blue disc, white arrow pointing ahead
    round_sign JPG742.jpg "$SIGN_BLUE" \
        -fill white -draw "polygon 217,48 273,118 235,118 235,254 199,254 199,118 161,118"

    # 停车让行: red octagon, white rim, white 停
    sign JPG1893.jpg \
        -fill white -stroke '#c4c4c4' -strokewidth 2 -draw "polygon $(octagon 217 153 146)" \
        -stroke none -fill "$SIGN_RED" -draw "polygon $(octagon 217 153 140)" \
        -fill none -stroke white -strokewidth 6 -draw "polygon $(octagon 217 153 126)" \
        -stroke white -strokewidth 2 -fill white -font "$FONT" -pointsize 150 \
        -gravity center -annotate +0+0 "停"

    # 减速让行: inverted triangle, red border, black 让
    sign JPG2014.jpg \
        -fill white -stroke '#c4c4c4' -strokewidth 2 \
        -draw "$ROUND polygon $(tri 217 104 92 down)" \
        -fill "$SIGN_RED" -stroke "$SIGN_RED" -strokewidth 10 -draw "$ROUND polygon $(tri 217 104 84 down)" \
        -fill white -stroke white -strokewidth 6 -draw "$ROUND polygon $(tri 217 104 58 down)" \
        -stroke none -fill '#111111' -font "$FONT" -pointsize 78 \
        -gravity center -annotate +0-58 "让"

    # --- warning signs ---------------------------------------------------

    # 十字交叉
    warning_sign JPG2100.jpg \
        -draw "rectangle 202,122 232,252" -draw "rectangle 150,188 284,218"

    # 向左急弯路
    warning_sign JPG2101.jpg -draw "$ON_TRIANGLE $(arrow_left "$SIGN_BLACK")"

    # 向右急弯路
    warning_sign JPG2102.jpg -draw "$ON_TRIANGLE scale -1,1 $(arrow_left "$SIGN_BLACK")"

    # 环形交叉
    warning_sign JPG2103.jpg -draw "translate 217,196 scale 0.96,0.96 $(roundabout_arrows "$SIGN_BLACK")"

    # T形交叉
    warning_sign JPG2104.jpg \
        -draw "rectangle 160,166 274,196" -draw "rectangle 202,166 232,252"

    # 连续弯路: the road swings left, right and left again, then goes on ahead
    warning_sign JPG2105.jpg \
        -draw "$ROUND fill none stroke '$SIGN_BLACK' stroke-width 20
               path 'M 234,252 C 168,236 172,214 212,200 C 260,184 258,164 216,148 L 216,138'" \
        -draw "polygon 216,94 246,144 186,144"

    # 两侧变窄: both edges of the carriageway close in
    warning_sign JPG2106.jpg \
        -draw "$ROUND fill none stroke '$SIGN_BLACK' stroke-width 15
               polyline 166,252 166,216 196,178 196,128
               polyline 268,252 268,216 238,178 238,128"

    # 注意信号灯: red, yellow and green lamps in a black housing
    warning_sign JPG2107.jpg \
        -draw "roundrectangle 191,112 243,250 12,12" \
        -fill "$SIGN_RED" -draw "circle 217,138 217,123" \
        -fill "$SIGN_YELLOW" -draw "circle 217,181 217,166" \
        -fill '#1f9d4d' -draw "circle 217,224 217,209"

    # 注意非机动车
    warning_sign JPG2108.jpg -draw "translate 217,212 scale 0.9,0.9 $(bicycle "$SIGN_BLACK")"

    # 注意危险: exclamation mark
    warning_sign JPG2109.jpg \
        -draw "$ROUND polygon 204,118 230,118 224,208 210,208" \
        -draw "circle 217,236 217,222"

    # 慢行
    warning_sign JPG2110.jpg \
        -stroke "$SIGN_BLACK" -strokewidth 2 -font "$FONT" -pointsize 92 \
        -gravity center -annotate +0+44 "慢"

    # --- prohibitory signs -----------------------------------------------

    # 禁止通行: nothing inside the ring
    prohibitory_sign JPG2130.jpg

    # 禁止向左转弯
    prohibitory_sign JPG2131.jpg -draw "$IN_RING $(arrow_left "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止向右转弯
    prohibitory_sign JPG2132.jpg -draw "$IN_RING scale -1,1 $(arrow_left "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止掉头
    prohibitory_sign JPG2133.jpg -draw "$IN_RING $(arrow_uturn "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止直行
    prohibitory_sign JPG2134.jpg -draw "$IN_RING $(arrow_ahead "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止鸣喇叭
    prohibitory_sign JPG2135.jpg -draw "$IN_RING $(horn "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止停车: blue face, red ring, red cross
    round_sign JPG2136.jpg "$SIGN_RED" \
        -fill "$SIGN_BLUE" -draw "circle 217,153 217,42" \
        -draw "$SLASH" -draw "$SLASH_BACK"

    # 禁止长时停车: blue face, red ring, one red bar
    round_sign JPG2137.jpg "$SIGN_RED" \
        -fill "$SIGN_BLUE" -draw "circle 217,153 217,42" \
        -draw "$SLASH"

    # 限制高度 3.5 m: black wedges above and below the figure
    prohibitory_sign JPG2138.jpg \
        -draw "polygon 187,63 247,63 217,95" -draw "polygon 187,243 247,243 217,211" \
        -stroke "$SIGN_BLACK" -strokewidth 3 -font "$FONT" -pointsize 76 \
        -gravity center -annotate +0+2 "3.5m"

    # 限制宽度 3 m: black wedges left and right of the figure
    prohibitory_sign JPG2139.jpg \
        -draw "polygon 120,125 120,181 148,153" -draw "polygon 314,125 314,181 286,153" \
        -stroke "$SIGN_BLACK" -strokewidth 3 -font "$FONT" -pointsize 80 \
        -gravity center -annotate +0+2 "3m"

    # 限制质量 10 t
    prohibitory_sign JPG2140.jpg \
        -stroke "$SIGN_BLACK" -strokewidth 4 -font "$FONT" -pointsize 110 \
        -gravity center -annotate +0+2 "10t"

    # 禁止非机动车进入
    prohibitory_sign JPG2141.jpg -draw "$IN_RING $(bicycle "$SIGN_BLACK")" -draw "$SLASH"

    # 禁止行人进入
    prohibitory_sign JPG2142.jpg -draw "$IN_RING $(pedestrian "$SIGN_BLACK")" -draw "$SLASH"

    # --- mandatory signs -------------------------------------------------

    # 向左转弯
    mandatory_sign JPG2160.jpg -draw "$ON_BLUE $(arrow_left white)"

    # 向右转弯
    mandatory_sign JPG2161.jpg -draw "$ON_BLUE scale -1,1 $(arrow_left white)"

    # 直行和向左转弯
    mandatory_sign JPG2162.jpg -draw "$ON_BLUE $(arrow_ahead_or_left white)"

    # 靠右侧道路行驶: the arrow points down to the right
    mandatory_sign JPG2163.jpg -draw "$ON_BLUE rotate 135 $(arrow_ahead white)"

    # 环岛行驶
    mandatory_sign JPG2164.jpg -draw "$ON_BLUE $(roundabout_arrows white)"

    # 鸣喇叭
    mandatory_sign JPG2165.jpg -draw "$ON_BLUE $(horn white)"

    # 最低限速 50
    mandatory_sign JPG2166.jpg \
        -stroke white -strokewidth 5 -font "$FONT" -pointsize 138 \
        -gravity center -annotate +0+4 "50"

    # 非机动车行驶
    mandatory_sign JPG2167.jpg -draw "$ON_BLUE $(bicycle white)"

    # 允许掉头
    mandatory_sign JPG2168.jpg -draw "$ON_BLUE $(arrow_uturn white)"

    # 停车位: blue square, white P
    sign JPG2169.jpg \
        -fill white -stroke '#c4c4c4' -strokewidth 2 -draw "roundrectangle 85,21 349,285 18,18" \
        -stroke none -fill "$SIGN_BLUE" -draw "roundrectangle 91,27 343,279 14,14" \
        -fill white -stroke white -strokewidth 4 -font "$FONT" -pointsize 210 \
        -gravity center -annotate +4+4 "P"

    # 单行路 (向右): blue oblong, long white arrow
    sign JPG2170.jpg \
        -fill white -stroke '#c4c4c4' -strokewidth 2 -draw "roundrectangle 29,75 405,231 16,16" \
        -stroke none -fill "$SIGN_BLUE" -draw "roundrectangle 35,81 399,225 12,12" \
        -fill white -draw "polygon 70,137 300,137 300,104 374,153 300,202 300,169 70,169"
}
