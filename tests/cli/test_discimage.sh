#!/usr/bin/env bash
# reelmax-cli --disc-image: a clip converted with the DVD profile, authored
# and written as a DVD-Video image that libdvdread (lsdvd) reads back; an
# already converted DVD file made into an image directly; and the refusals.
# $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.5}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
# Length in seconds of each title lsdvd finds, one a line.
titles() { lsdvd "$1" 2>/dev/null | sed -n 's/^Title: [0-9]*, Length: \([0-9]*\):\([0-9]*\):\([0-9.]*\).*/\1 \2 \3/p' |
    awk '{ print $1 * 3600 + $2 * 60 + $3 }'; }
volume() { isoinfo -d -i "$1" 2>/dev/null | sed -n 's/^Volume id: //p'; }
dvd_id=$("$CLI" --list-profiles | awk -F'\t' 'tolower($3) == "dvd" { print $1; exit }')
[ -n "$dvd_id" ] || { echo "FAIL: no DVD profile listed"; exit 1; }

# A name with characters XML and shells treat specially.
CLIP="holiday & friends' <2024>.mp4"
gen -f lavfi -i "testsrc2=size=320x240:rate=30:duration=20" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=20" -pix_fmt yuv420p -shortest "$W/$CLIP"

# --- convert, author and write ---
out=$("$CLI" --profile "$dvd_id" --disc-image "$W/discs/out.iso" "$W/$CLIP" 2>"$W/err")
rc=$?
if [ $rc -ne 0 ] || [ "$out" != "$W/discs/out.iso" ]; then
    fail "convert and write: rc $rc, output '$out': $(cat "$W/err")"
else
    t=$(titles "$W/discs/out.iso")
    [ "$(echo "$t" | grep -c .)" -eq 1 ] && ok "one title" || fail "titles: '$t'"
    near "$(echo "$t" | head -1)" 20.0 0.5 && ok "title of 20 s" || fail "title length '$t'"
    [ "$(volume "$W/discs/out.iso")" = "DISC(Video_DVD)" ] && ok "default label" || fail "label $(volume "$W/discs/out.iso")"
    isoinfo -f -i "$W/discs/out.iso" | grep -q "VTS_01_1.VOB" && ok "VIDEO_TS in the image" || fail "no VOB in the image"
    [ "$(stat -c %a "$W/discs/out.iso")" = 644 ] && ok "image readable" || fail "mode $(stat -c %a "$W/discs/out.iso")"
    grep -q "100%" "$W/err" && ok "progress to 100%" || fail "no progress lines"
fi
ls "$W/discs" | grep -q '\.part$' && fail "a .part file was left"

# --- keep the converted file with --output, then make a disc of it alone ---
out=$("$CLI" --profile "$dvd_id" --output "$W/kept" --disc-image "$W/a.iso" --disc-label "Summer 2024" "$W/$CLIP" 2>"$W/err")
rc=$?
mpg=$(echo "$out" | head -1)
if [ $rc -ne 0 ] || [ "$mpg" != "$W/kept/${CLIP%.mp4}.mpg" ] || [ "$(echo "$out" | tail -1)" != "$W/a.iso" ]; then
    fail "--output with --disc-image: rc $rc, output '$out': $(cat "$W/err")"
else
    [ "$(volume "$W/a.iso")" = "Summer 2024" ] && ok "label passed unchanged" || fail "label '$(volume "$W/a.iso")'"
    out=$("$CLI" --disc-image "$W/b.iso" "$mpg" 2>"$W/err")
    rc=$?
    [ $rc -eq 0 ] && [ "$out" = "$W/b.iso" ] && ok "already converted file" || fail "direct: rc $rc: $(cat "$W/err")"
    near "$(titles "$W/b.iso" | head -1)" 20.0 0.5 && ok "direct title of 20 s" || fail "direct title '$(titles "$W/b.iso")'"
fi

# --- refusals ---
"$CLI" --disc-image "$W/c.iso" "$W/$CLIP" >/dev/null 2>"$W/err"
rc=$?
[ $rc -eq 3 ] && grep -q "not a DVD MPEG" "$W/err" && ok "non-DVD input refused" || fail "non-DVD input: rc $rc $(cat "$W/err")"
[ -e "$W/c.iso" ] && fail "an image was written for a refused input"
"$CLI" --profile 1004 --disc-image "$W/d.iso" "$W/$CLIP" >/dev/null 2>&1
[ $? -eq 2 ] && ok "non-DVD profile refused" || fail "non-DVD profile exit code"
"$CLI" --profile "$dvd_id" --disc-image "$W/e.iso" "$W/$CLIP" "$W/$CLIP" >/dev/null 2>&1
[ $? -eq 2 ] && ok "two files refused" || fail "two files exit code"
"$CLI" --disc-image "$W/f.iso" --disc-label "a label that is far longer than thirty-two bytes" "$mpg" >/dev/null 2>&1
[ $? -eq 2 ] && ok "long label refused" || fail "long label exit code"
"$CLI" --disc-image "$W/g.iso" "$W/missing.mpg" >/dev/null 2>&1
[ $? -eq 3 ] && ok "missing input" || fail "missing input exit code"
"$CLI" --help | grep -q -- "--disc-image" && ok "usage" || fail "usage lacks --disc-image"

echo "$FAILS failed"
[ $FAILS -eq 0 ]
