#!/usr/bin/env bash
# reelmax-cli --sections: each section of each file becomes its own output,
# named as the program names the outputs of list entries; --merge joins the
# sections in order.  $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.1}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
# PSNR (dB) between the first picture of $1 and the picture of $2 at $3 seconds.
psnr_at() {
    ffmpeg -v error -nostdin -y -i "$1" -frames:v 1 -pix_fmt rgb24 "$W/a.png" &&
        ffmpeg -v error -nostdin -y -ss "$3" -i "$2" -frames:v 1 -pix_fmt rgb24 "$W/b.png" &&
        ffmpeg -v info -nostdin -i "$W/a.png" -i "$W/b.png" -lavfi psnr -f null - 2>&1 |
        sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1
}
# True when the first picture of output $1 is the source's picture at $2 s:
# clearly closer to it than to the picture half a second later.
starts_at() {
    local here later
    here=$(psnr_at "$1" "$SRC" "$2")
    later=$(psnr_at "$1" "$SRC" "$(awk -v t="$2" 'BEGIN { print t + 0.5 }')")
    awk -v a="$here" -v b="$later" 'BEGIN { if (a == "inf") exit 0; exit !(a >= 25 && a > b + 5) }'
}

# testsrc2 changes every picture, so a picture tells its time.
SRC="$W/src.mp4"
gen -f lavfi -i "testsrc2=size=320x240:rate=25:duration=8" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=8" -pix_fmt yuv420p -shortest "$SRC"
mkdir -p "$W/other" && cp "$SRC" "$W/other/src.mp4"

# --- two sections, two outputs ---
out=$("$CLI" --profile 1004 --output "$W/two" --size 320x240 --sections 1000-3000,5000-6000 "$SRC" 2>"$W/err")
rc=$?
if [ $rc -eq 0 ] && [ "$(echo "$out" | tr '\n' ' ')" = "$W/two/src.mp4 $W/two/src(1).mp4 " ]; then
    a="$W/two/src.mp4" b="$W/two/src(1).mp4"
    near "$(duration "$a")" 2.0 && ok "first section lasts 2.0 s" || fail "first section: $(duration "$a")"
    near "$(duration "$b")" 1.0 && ok "second section lasts 1.0 s" || fail "second section: $(duration "$b")"
    decodes "$a" && decodes "$b" && ok "sections decode" || fail "a section does not decode cleanly"
    starts_at "$a" 1.0 && ok "first section starts at 1 s" || fail "first section's first picture"
    starts_at "$b" 5.0 && ok "second section starts at 5 s" || fail "second section's first picture"
    [ "$(stat -c %a "$a")" = 644 ] || fail "output mode $(stat -c %a "$a")"
else
    fail "two sections: rc $rc, outputs '$out': $(cat "$W/err")"
fi
[ -z "$(find "$W/two" -name '.*')" ] || fail "hidden leftovers: $(ls -A "$W/two")"

# --- merged: one output of the sections' total ---
out=$("$CLI" --profile 1004 --output "$W/merged" --size 320x240 --merge --sections 1000-3000,5000-6000 "$SRC" 2>"$W/err")
rc=$?
if [ $rc -eq 0 ] && [ "$out" = "$W/merged/src.mp4" ]; then
    near "$(duration "$out")" 3.0 && ok "merged sections last 3.0 s" || fail "merged: $(duration "$out")"
    decodes "$out" && ok "merged output decodes" || fail "merged output does not decode"
    starts_at "$out" 1.0 && ok "merge starts with the first section" || fail "merged first picture"
    [ "$(ls "$W/merged" | wc -l)" -eq 1 ] || fail "merge wrote $(ls "$W/merged")"
else
    fail "merged sections: rc $rc, '$out': $(cat "$W/err")"
fi

# --- clock times, several files: every section of every file, in order ---
out=$("$CLI" --profile 1004 --output "$W/clock" --size 160x120 --sections 0:00:00.500-0:00:01.500,0:00:02-0:00:04 \
    "$SRC" "$W/other/src.mp4" 2>"$W/err")
rc=$?
names=$(for f in $out; do basename "$f"; done | tr '\n' ' ')
[ $rc -eq 0 ] && [ "$names" = "src.mp4 src(1).mp4 src(2).mp4 src(3).mp4 " ] && ok "two files, two sections each" \
    || fail "two files: rc $rc '$names' $(cat "$W/err")"
if [ $rc -eq 0 ]; then
    set -- $out
    near "$(duration "$1")" 1.0 && near "$(duration "$2")" 2.0 && near "$(duration "$3")" 1.0 &&
        near "$(duration "$4")" 2.0 && ok "clock sections last 1, 2, 1, 2 s" ||
        fail "clock durations $(duration "$1") $(duration "$2") $(duration "$3") $(duration "$4")"
fi

# --- a section past the end is refused, the others are converted ---
out=$("$CLI" --profile 1004 --output "$W/past" --size 160x120 --sections 1000-2000,7000-9000 "$SRC" 2>"$W/err")
rc=$?
[ $rc -eq 3 ] && grep -q "beyond the duration" "$W/err" && [ "$out" = "$W/past/src.mp4" ] &&
    near "$(duration "$out")" 1.0 && ok "section past the end reported" || fail "past the end: rc $rc '$out' $(cat "$W/err")"

# --- bad usage ---
for args in "--sections 3000-1000" "--sections 1000-1000" "--sections 1000" "--sections 1:75-2:00" \
    "--sections abc" "--sections 1000-2000 --start 500" "--merge --sections 1000-2000" "--sections"; do
    # shellcheck disable=SC2086
    "$CLI" --profile 1004 --output "$W/bad" $args "$SRC" >/dev/null 2>"$W/err"
    rc=$?
    [ $rc -eq 2 ] && [ -s "$W/err" ] && ok "refused: $args" || fail "'$args' gave rc $rc"
done
[ -z "$(ls -A "$W/bad" 2>/dev/null)" ] || fail "bad usage wrote $(ls "$W/bad")"
"$CLI" --help | grep -q -- "--sections" && ok "help names --sections" || fail "help"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
