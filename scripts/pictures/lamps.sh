# Instrument panel warning and indicator lamps.
# Sourced by ../draw-pictures.sh, which supplies sign, $ROUND and $FONT.

# Lamp colours as they light up on a real panel: red for warnings that call
# for stopping, amber for faults and cautions, green and blue for lights.
LAMP_PANEL='#1e2329'
LAMP_RED='#f03a2e'
LAMP_AMBER='#ffae1a'
LAMP_GREEN='#31d158'
LAMP_BLUE='#2f8cff'

# One lamp: the dark panel, then the symbol drawn by the remaining arguments
# (the symbol sits around the centre 217,153 of the drawing canvas).
lamp() {
    local out=$1
    shift
    sign "$out" \
        -fill "$LAMP_PANEL" -stroke '#5d6670' -strokewidth 4 -draw "roundrectangle 87,21 347,285 30,30" \
        "$@"
}

# The brake family: a ring with an arc on either side, a sign inside it.
# $1 output, $2 colour, then the arguments that draw the inner sign.
brake_lamp() {
    local out=$1 colour=$2
    shift 2
    lamp "$out" \
        -fill none -stroke "$colour" -strokewidth 12 -draw "circle 217,153 217,92" \
        -draw "$ROUND path 'M 148,94 A 88,88 0 0,0 148,212'" \
        -draw "$ROUND path 'M 286,94 A 88,88 0 0,1 286,212'" \
        "$@"
}

# The head lamp family: a lamp outline whose flat lens faces the beams.
# $1 output, $2 colour, $3 "left" or "right" (where the beams go), then the
# arguments that draw the beams.
head_lamp() {
    local out=$1 colour=$2 side=$3 body
    shift 3
    if [[ $side == left ]]; then
        body="M 206,96 C 306,96 306,210 206,210 Z"
    else
        body="M 228,96 C 128,96 128,210 228,210 Z"
    fi
    lamp "$out" \
        -fill none -stroke "$colour" -strokewidth 12 -draw "$ROUND path '$body'" \
        "$@"
}

# Horizontal wavy line from x1 to x2 at height y (two half waves per 40 px).
wave() {
    awk -v x1="$1" -v x2="$2" -v y="$3" -v a="${4:-7}" 'BEGIN {
        pi = atan2(0, -1)
        printf "polyline"
        for (x = x1; x <= x2 + 0.01; x += 4)
            printf " %.1f,%.1f", x, y - a * sin((x - x1) * pi / 20)
    }'
}

# Vertical wavy line from y1 to y2 at x.
vwave() {
    awk -v y1="$1" -v y2="$2" -v x="$3" -v a="${4:-7}" 'BEGIN {
        pi = atan2(0, -1)
        printf "polyline"
        for (y = y1; y <= y2 + 0.01; y += 4)
            printf " %.1f,%.1f", x + a * sin((y - y1) * pi / 20), y
    }'
}

draw_lamps() {
    # 燃油量不足 warning lamp: amber fuel pump on a dark instrument panel
    lamp JPG615.jpg \
        -stroke none -fill "$LAMP_AMBER" \
        -draw "roundrectangle 156,78 236,234 8,8" \
        -draw "roundrectangle 142,226 250,248 4,4" \
        -fill "$LAMP_PANEL" -draw "roundrectangle 170,94 222,136 4,4" \
        -fill none -stroke "$LAMP_AMBER" -strokewidth 10 \
        -draw "$ROUND polyline 236,180 258,180 270,168 270,110 250,92" \
        -strokewidth 14 -draw "$ROUND line 250,92 240,82"

    # 机油压力 warning lamp: red oil can with a drop falling from the spout
    lamp JPG4101.jpg \
        -stroke "$LAMP_RED" -strokewidth 4 -fill "$LAMP_RED" \
        -draw "$ROUND polygon 146,164 240,164 306,136 312,146 262,190 262,206 146,206" \
        -draw "rectangle 184,142 196,164" -draw "$ROUND rectangle 170,136 210,142" \
        -fill none -strokewidth 10 \
        -draw "$ROUND polyline 146,170 114,156 114,190 146,198" \
        -stroke none -fill "$LAMP_RED" \
        -draw "circle 314,190 314,180" -draw "polygon 305,187 323,187 314,164"

    # 冷却液温度 warning lamp: thermometer standing in waves
    lamp JPG4102.jpg \
        -fill none -stroke "$LAMP_RED" -strokewidth 9 \
        -draw "$ROUND $(wave 132 302 214)" -draw "$ROUND $(wave 132 302 240)" \
        -stroke "$LAMP_PANEL" -strokewidth 14 -draw "line 217,160 217,240" \
        -stroke none -fill "$LAMP_PANEL" -draw "circle 217,214 217,184" \
        -fill "$LAMP_RED" -draw "circle 217,214 217,192" \
        -draw "roundrectangle 207,66 227,206 10,10" \
        -fill none -stroke "$LAMP_RED" -strokewidth 8 \
        -draw "line 231,86 258,86" -draw "line 231,114 258,114" -draw "line 231,142 258,142"

    # 充电系统 warning lamp: battery with its minus and plus terminals
    lamp JPG4103.jpg \
        -stroke none -fill "$LAMP_RED" \
        -draw "rectangle 160,86 192,108" -draw "rectangle 242,86 274,108" \
        -fill none -stroke "$LAMP_RED" -strokewidth 12 -draw "rectangle 134,108 300,218" \
        -strokewidth 11 \
        -draw "line 158,160 196,160" \
        -draw "line 240,160 278,160" -draw "line 259,141 259,179"

    # 制动系统 warning lamp: exclamation mark in the brake ring
    brake_lamp JPG4104.jpg "$LAMP_RED" \
        -stroke none -fill "$LAMP_RED" \
        -draw "roundrectangle 210,116 224,168 6,6" -draw "circle 217,186 217,178"

    # 驻车制动 indicator: P in the brake ring
    brake_lamp JPG4105.jpg "$LAMP_RED" \
        -stroke "$LAMP_RED" -strokewidth 3 -fill "$LAMP_RED" -font "$FONT" -pointsize 92 \
        -gravity center -annotate +2+2 "P" -gravity northwest

    # ABS warning lamp: the letters in the brake ring
    brake_lamp JPG4106.jpg "$LAMP_AMBER" \
        -stroke "$LAMP_AMBER" -strokewidth 2 -fill "$LAMP_AMBER" -font "$FONT" -pointsize 46 \
        -gravity center -annotate +0+0 "ABS" -gravity northwest

    # 胎压 warning lamp: tyre section with tread, exclamation mark inside
    lamp JPG4107.jpg \
        -fill none -stroke "$LAMP_AMBER" -strokewidth 13 \
        -draw "$ROUND path 'M 162,86 C 136,116 132,176 162,210 L 272,210 C 302,176 298,116 272,86'" \
        -stroke none -fill "$LAMP_AMBER" -draw "rectangle 160,204 274,232" \
        -fill "$LAMP_PANEL" \
        -draw "rectangle 181,220 189,233" -draw "rectangle 204,220 212,233" \
        -draw "rectangle 222,220 230,233" -draw "rectangle 245,220 253,233" \
        -fill "$LAMP_AMBER" \
        -draw "roundrectangle 210,104 224,162 6,6" -draw "circle 217,182 217,174"

    # 发动机故障 warning lamp: engine outline
    lamp JPG4108.jpg \
        -fill none -stroke "$LAMP_AMBER" -strokewidth 11 \
        -draw "$ROUND polygon 168,124 266,124 282,142 298,142 298,122 316,122 316,206 298,206 298,186 282,186 262,214 188,214 168,194" \
        -draw "$ROUND rectangle 192,100 244,124" \
        -draw "$ROUND line 202,88 234,88" -draw "line 218,88 218,100" \
        -draw "$ROUND line 168,160 140,160" -draw "$ROUND line 140,138 140,182"

    # 远光 indicator: blue lamp with level beams to the left
    head_lamp JPG4109.jpg "$LAMP_BLUE" left \
        -stroke "$LAMP_BLUE" -strokewidth 11 \
        -draw "$ROUND line 120,104 184,104" -draw "$ROUND line 120,128 184,128" \
        -draw "$ROUND line 120,153 184,153" -draw "$ROUND line 120,178 184,178" \
        -draw "$ROUND line 120,202 184,202"

    # 近光 indicator: green lamp with beams slanting down to the left
    head_lamp JPG4110.jpg "$LAMP_GREEN" left \
        -stroke "$LAMP_GREEN" -strokewidth 11 \
        -draw "$ROUND line 184,104 124,124" -draw "$ROUND line 184,128 124,148" \
        -draw "$ROUND line 184,153 124,173" -draw "$ROUND line 184,178 124,198" \
        -draw "$ROUND line 184,202 124,222"

    # 左转向 indicator: green arrow pointing left
    lamp JPG4111.jpg \
        -stroke "$LAMP_GREEN" -strokewidth 6 -fill "$LAMP_GREEN" \
        -draw "$ROUND polygon 120,153 192,90 192,128 310,128 310,178 192,178 192,216"

    # 后雾灯 indicator: amber lamp, level beams to the right crossed by a wave
    head_lamp JPG4112.jpg "$LAMP_AMBER" right \
        -stroke "$LAMP_AMBER" -strokewidth 11 \
        -draw "$ROUND line 250,118 314,118" -draw "$ROUND line 250,153 314,153" \
        -draw "$ROUND line 250,188 314,188" \
        -fill none -strokewidth 9 -draw "$ROUND $(vwave 92 214 282 9)"
}
