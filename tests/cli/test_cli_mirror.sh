#!/usr/bin/env bash
# reelmax-cli --mirror: the mirrored conversion equals the ffmpeg tool's
# hflip/vflip of the plain conversion (PSNR over every picture), a crop is
# taken from the mirrored picture, and a bad value is a usage error.
# $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"

ffmpeg -y -v error -nostdin -f lavfi -i "testsrc2=size=320x240:rate=25:duration=2" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" -pix_fmt yuv420p -shortest "$W/clip.mp4" ||
    { echo "ffmpeg could not make test media"; exit 1; }

# Average PSNR of $1 against $2 passed through the filter $3.
psnr() {
    ffmpeg -v info -nostdin -i "$1" -i "$2" -lavfi "[1:v]$3[r];[0:v][r]psnr" -f null - 2>&1 |
        sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p' | tail -1
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 > b + 0) }'; }

# MKV keeps the source size.
plain=$("$CLI" --profile 1006 --output "$W/plain" "$W/clip.mp4" 2>"$W/err") || fail "plain conversion: $(cat "$W/err")"
for m in h v hv; do
    out=$("$CLI" --profile 1006 --output "$W/$m" --mirror "$m" "$W/clip.mp4" 2>"$W/err")
    [ $? -eq 0 ] || { fail "--mirror $m: $(cat "$W/err")"; continue; }
    case $m in h) f=hflip ;; v) f=vflip ;; hv) f=hflip,vflip ;; esac
    p=$(psnr "$out" "$plain" "$f")
    above "$p" 35 && ok "--mirror $m equals $f of the plain conversion ($p dB)" ||
        fail "--mirror $m against $f: $p dB"
    q=$(psnr "$out" "$plain" null)
    above "$q" 25 && fail "--mirror $m looks unmirrored ($q dB against the plain picture)"
done

# A crop is measured on the mirrored picture: the left quarter of the mirror
# is the right quarter of the source, mirrored.
out=$("$CLI" --profile 1006 --output "$W/crop" --mirror h --crop 0,0,80,240 "$W/clip.mp4" 2>"$W/err") ||
    fail "--mirror h --crop: $(cat "$W/err")"
w=$(ffprobe -v error -select_streams v:0 -show_entries stream=width -of default=nw=1:nk=1 "$out")
[ "$w" = 80 ] && ok "crop after mirror keeps the crop size" || fail "crop after mirror: width $w"
p=$(psnr "$out" "$plain" "crop=80:240:240:0,hflip")
above "$p" 35 && ok "crop of the mirrored picture ($p dB)" || fail "crop of the mirrored picture: $p dB"

"$CLI" --profile 1006 --output "$W/bad" --mirror x "$W/clip.mp4" >/dev/null 2>&1
[ $? -eq 2 ] && ok "--mirror x is a usage error" || fail "--mirror x exit code"
"$CLI" --help | grep -q -- "--mirror" && ok "--mirror in the help" || fail "--mirror missing from --help"

[ $FAILS -eq 0 ] || { echo "$FAILS check(s) failed"; exit 1; }
echo "all mirror checks passed"
