# Road markings, traffic lights and traffic police hand signals.
# Sourced by ../draw-pictures.sh, which supplies sign and the colours.

draw_markings() {
    :
}
