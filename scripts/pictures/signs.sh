# Road signs: prohibitory, warning, mandatory and guide signs.
# Sourced by ../draw-pictures.sh, which supplies sign, round_sign, tri, octagon and the colours.

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
}
