#!/usr/bin/env bash
# Shows the advertising at work without an ad host: serves a sample ad page and an animated banner from
# 127.0.0.1 and starts a copy of the trainer that fetches them (ZUVO_AD_HOSTS).
#
#   scripts/ad-demo.sh [BUILD_DIR]      (default: build; needs ImageMagick and python3)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
WORK="$(mktemp -d)"
trap 'kill "${SERVER:-0}" 2>/dev/null || true; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/host" "$WORK/program"
cp "$BUILD/zuvo" "$BUILD/Word.mdb" "$WORK/program/"

# A banner of four frames across the strip: a road sign's red ring that grows, and a line of text.
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
frames=()
for r in 14 18 22 18; do
    convert -size 659x60 xc:'#fff8e7' -fill '#d8261f' -draw "circle 40,30 40,$((30 - r))" \
        -fill white -draw "circle 40,30 40,$((30 - r + 5))" -fill '#1b5c9c' -font "$FONT" -pointsize 22 \
        -annotate +90+38 "文明驾驶，礼让行人 —— 驾驶人理论考试练习" "$WORK/f$r-${#frames[@]}.gif"
    frames+=("$WORK/f$r-${#frames[@]}.gif")
done
convert -delay 40 -loop 0 "${frames[@]}" "$WORK/host/banner1.gif"

python3 - "$WORK/host/raq.htm" <<'PY'
import sys
page = """<html><body><!-- raq address allright -->
<table>
<tr><td width="10%">1</td><td width="50%">http://www.example.com/</td><td width="30%">banner1.gif</td></tr>
</table>
<table>
<tr><td width="5%">1</td><td width="50%">http://www.example.com/a</td><td width="30%">驾校报名，名额有限</td></tr>
<tr><td width="5%">2</td><td width="50%">http://www.example.com/b</td><td width="30%">交通标志速查</td></tr>
<!-文字链部分结束-->
<tr><td width="3%">1</td><td width="50%">http://www.example.com/c</td><td width="30%">安全驾驶小贴士</td></tr>
<tr><td width="3%">2</td><td width="50%">http://www.example.com/d</td><td width="30%">预约科目一考试</td></tr>
<!-文字链2部分结束-->
</table></body></html>"""
open(sys.argv[1], "wb").write(page.encode("gbk"))
PY

PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$PORT" --bind 127.0.0.1 --directory "$WORK/host" >/dev/null 2>&1 &
SERVER=$!
sleep 0.5
ZUVO_AD_HOSTS="http://127.0.0.1:$PORT,http://127.0.0.1:$PORT" "$WORK/program/zuvo"
