#!/usr/bin/env bash
# End-to-end checks of reelmax-cli --capture against a web server on
# 127.0.0.1 started here: pages with a video, an HLS stream, a page without
# media, an address typed without its scheme, playlists naming another
# protocol or restarting their clock, capture then conversion, and
# interruption.  $1 is the folder holding the programs.
set -u
BIN=${1:?bin dir}
CLI="$BIN/reelmax-cli"
HERE=$(cd "$(dirname "$0")" && pwd)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
W=$(mktemp -d)
SERVER=
cleanup() {
    [ -n "$SERVER" ] && kill "$SERVER" 2>/dev/null && wait "$SERVER" 2>/dev/null
    rm -rf "$W"
}
trap cleanup EXIT
export HOME="$W/home" XDG_CONFIG_HOME="$W/home/.config" XDG_DATA_HOME="$W/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME" "$W/site/hls"
umask 022
FAILS=0

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }
gen() { ffmpeg -y -v error -nostdin "$@" || { echo "ffmpeg could not make test media"; exit 1; }; }
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.2}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
good() { [ -f "$1" ] && near "$(duration "$1")" "$2" && decodes "$1"; }
# Every file in a folder, hidden ones too.
files() { ls -A "$1" 2>/dev/null; }

gen -f lavfi -i "testsrc2=size=320x240:rate=25:duration=2" -f lavfi -i "sine=frequency=440:duration=2" \
    -pix_fmt yuv420p -g 25 "$W/site/clip.mp4"
gen -f lavfi -i "testsrc2=size=160x120:rate=25:duration=6" -f lavfi -i "sine=frequency=440:duration=6" \
    -c:v libvpx -b:v 400k -c:a libvorbis "$W/site/long.webm"
gen -i "$W/site/clip.mp4" -c copy -f hls -hls_time 1 -hls_playlist_type vod \
    -hls_segment_filename "$W/site/hls/seg%d.ts" "$W/site/hls/index.m3u8"
echo '<html><head><title>Sunset Clip</title></head><body><video src="clip.mp4"></video></body></html>' \
    >"$W/site/page.html"
echo '<title>Stream</title><video id=v></video><script>load("hls/index.m3u8")</script>' >"$W/site/stream.html"
echo '<title>Nothing here</title><p>text</p>' >"$W/site/plain.html"

python3 "$HERE/../common/mediaserver.py" "$W/site" --ignore-stdin --lifetime 600 >"$W/server.out" &
SERVER=$!
for _ in $(seq 100); do grep -q '^PORT ' "$W/server.out" 2>/dev/null && break; sleep 0.1; done
PORT=$(sed -n 's/^PORT //p' "$W/server.out")
[ -n "$PORT" ] || { echo "FAIL: the test web server did not start"; exit 1; }
URL="http://127.0.0.1:$PORT"

# --- a page with a video, an HLS page, two at once ---
out=$("$CLI" --capture "$URL/page.html" --output "$W/out" 2>"$W/err")
rc=$?
[ $rc -eq 0 ] && [ "$out" = "$W/out/Sunset Clip.mp4" ] && ok "page captured" || fail "page: rc $rc, [$out] $(cat "$W/err")"
good "$out" 2.0 && ok "captured file decodes, 2 s" || fail "captured file: $(duration "$out")"
[ "$(stat -c %a "$out")" = 644 ] && ok "mode 0644" || fail "mode $(stat -c %a "$out")"
mapfile -t two < <("$CLI" --capture "$URL/stream.html" "$URL/page.html" --output "$W/out" 2>/dev/null)
[ ${#two[@]} -eq 2 ] && [ "${two[0]}" = "$W/out/Stream.mp4" ] && [ "${two[1]}" = "$W/out/Sunset Clip(1).mp4" ] \
    && ok "two addresses, unique names" || fail "two addresses: ${two[*]}"
good "${two[0]}" 2.0 && ok "HLS joined into one file" || fail "HLS capture: $(duration "${two[0]}")"

# --- typed without a scheme ---
out=$("$CLI" --capture "127.0.0.1:$PORT/hls/index.m3u8" --output "$W/noscheme" 2>/dev/null)
[ $? -eq 0 ] && good "$out" 2.0 && ok "address without http://" || fail "address without scheme: [$out]"

# --- nothing to capture ---
"$CLI" --capture "$URL/plain.html" --output "$W/none" >"$W/out.txt" 2>"$W/err"
rc=$?
[ $rc -eq 4 ] && grep -q "no video or audio" "$W/err" && [ ! -s "$W/out.txt" ] && [ -z "$(files "$W/none")" ] \
    && ok "page without media: exit 4 with a message" || fail "no media: rc $rc $(cat "$W/err")"
"$CLI" --capture "$URL/missing.html" --output "$W/none" >/dev/null 2>"$W/err"
[ $? -eq 4 ] && grep -q "404" "$W/err" && ok "missing page: exit 4" || fail "missing page: $(cat "$W/err")"
"$CLI" --capture --info "$URL/page.html" >/dev/null 2>&1
[ $? -eq 2 ] && ok "--capture with --info is a usage error" || fail "--capture --info"

# --- playlists a server should not have sent ---
gen -f lavfi -i "testsrc2=size=160x120:rate=25:duration=2" -f lavfi -i "sine=frequency=440:duration=2" \
    -c:v libx264 -g 25 -pix_fmt yuv420p -c:a aac -f mpegts "$W/site/part.ts"
head='#EXTM3U
#EXT-X-TARGETDURATION:2
#EXTINF:2,
part.ts'
printf '%s\n#EXTINF:2,\nconcat:part.ts|part.ts\n#EXT-X-ENDLIST\n' "$head" >"$W/site/other.m3u8"
"$CLI" --capture "$URL/other.m3u8" --output "$W/other" >"$W/out.txt" 2>"$W/err"
rc=$?
[ $rc -eq 4 ] && grep -q "not http or https: concat:part.ts" "$W/err" && [ -z "$(files "$W/other")" ] \
    && ok "playlist naming another protocol: exit 4 with a message" || fail "other protocol: rc $rc $(cat "$W/err")"
printf '%s\n#EXT-X-DISCONTINUITY\n#EXTINF:2,\npart.ts\n#EXT-X-ENDLIST\n' "$head" >"$W/site/twice.m3u8"
out=$("$CLI" --capture "$URL/twice.m3u8" --output "$W/twice" 2>"$W/err")
[ $? -eq 0 ] && near "$(duration "$out")" 4.0 0.5 && decodes "$out" && ok "discontinuous HLS keeps all 4 s" \
    || fail "discontinuous HLS: [$out] $(duration "$out") $(cat "$W/err")"

# --- capture, then convert ---
out=$("$CLI" --capture "$URL/page.html" --profile 1004 --size 160x120 --output "$W/conv" 2>"$W/err")
rc=$?
[ $rc -eq 0 ] && [ "$out" = "$W/conv/Sunset Clip.mp4" ] && good "$out" 2.0 && ok "captured and converted" \
    || fail "capture + convert: rc $rc [$out] $(cat "$W/err")"
[ "$(ffprobe -v error -select_streams v:0 -show_entries stream=width -of csv=p=0 "$out")" = 160 ] \
    && ok "conversion used the profile's options" || fail "converted width"
grep -q "captured $URL/page.html as " "$W/err" && ok "capture reported" || fail "no capture line: $(cat "$W/err")"

# --- interruption ---
"$CLI" --capture "$URL/slow/long.webm" --output "$W/int" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do [ -n "$(files "$W/int")" ] && break; sleep 0.1; done
sleep 0.5
kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 130 ] && ok "interrupted: exit 130" || fail "interrupt: rc $rc"
[ -z "$(files "$W/int")" ] && ok "no partial file" || fail "left behind: $(files "$W/int")"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
