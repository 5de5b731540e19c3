# Instrument panel warning and indicator lamps.
# Sourced by ../draw-pictures.sh, which supplies sign and the colours.

draw_lamps() {
    # 燃油量不足 warning lamp: amber fuel pump on a dark instrument panel
    sign JPG615.jpg \
        -fill '#1e2329' -stroke '#5d6670' -strokewidth 4 -draw "roundrectangle 87,21 347,285 30,30" \
        -stroke none -fill '#ffae1a' \
        -draw "roundrectangle 156,78 236,234 8,8" \
        -draw "roundrectangle 142,226 250,248 4,4" \
        -fill '#1e2329' -draw "roundrectangle 170,94 222,136 4,4" \
        -fill none -stroke '#ffae1a' -strokewidth 10 \
        -draw "$ROUND polyline 236,180 258,180 270,168 270,110 250,92" \
        -strokewidth 14 -draw "$ROUND line 250,92 240,82"
}
