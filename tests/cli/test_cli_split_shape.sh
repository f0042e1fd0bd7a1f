#!/usr/bin/env bash
# reelmax-cli's --aspect, --split-time and --split-size: the picture fitted
# into the profile's frame (or stretched, or cropped), and outputs cut into
# segments NAME_001.EXT, ... that each play from their start.  $1 is the
# folder holding the programs.
source "$(dirname "$0")/common.sh"
clip() { # path seconds size rate
    gen -f lavfi -i "testsrc2=size=$3:rate=${4:-25}:duration=$2" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" -pix_fmt yuv420p -shortest "$1"
}
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.25}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
# The active picture cropdetect sees most often: w:h:x:y.
active() {
    ffmpeg -v info -nostdin -i "$1" -vf cropdetect=limit=24:round=2:reset=1 -f null - 2>&1 |
        grep -o 'crop=[0-9:]*' | sort | uniq -c | sort -rn | head -1 | sed 's/.*crop=//'
}

clip "$W/wide.mp4" 2 1280x720
clip "$W/long.mp4" 150 160x120 10

# --- usage ---
"$CLI" --profile 1004 --aspect sideways "$W/wide.mp4" >/dev/null 2>&1
[ $? -eq 2 ] && ok "unknown aspect refused" || fail "--aspect sideways accepted"
"$CLI" --profile 1004 --split-size 0 "$W/wide.mp4" >/dev/null 2>&1
[ $? -eq 2 ] && ok "split size 0 refused" || fail "--split-size 0 accepted"
"$CLI" --profile 1004 --split-size 5 --split-time 1 "$W/wide.mp4" >/dev/null 2>&1
[ $? -eq 2 ] && ok "both splits refused" || fail "--split-size with --split-time accepted"
"$CLI" --help | grep -q -- "--aspect MODE" && ok "help names --aspect" || fail "--help lacks --aspect"

# --- aspect: "MP4 Video" is 640x480 ---
for mode in fit stretch crop; do
    out=$("$CLI" --profile 1004 --aspect $mode --output "$W/$mode" "$W/wide.mp4" 2>/dev/null)
    [ "$out" = "$W/$mode/wide.mp4" ] || fail "$mode: printed [$out]"
    got=$(active "$W/$mode/wide.mp4")
    case $mode in
    fit) want=640:360:0:60 ;;
    *) want=640:480:0:0 ;;
    esac
    [ "$got" = "$want" ] && ok "$mode: active picture $got" || fail "$mode: active picture $got, not $want"
done
"$CLI" --profile 1004 --output "$W/default" "$W/wide.mp4" >/dev/null 2>&1
[ "$(active "$W/default/wide.mp4")" = "640:360:0:60" ] && ok "fit is the default" || fail "default is not fit"

# --- split by time: 2.5 minutes by 1 minute ---
out=$("$CLI" --profile 1004 --size 160x120 --fps 10 --split-time 1 --output "$W/time" "$W/long.mp4" 2>/dev/null)
rc=$?
want=$(printf '%s\n' "$W/time/long_001.mp4" "$W/time/long_002.mp4" "$W/time/long_003.mp4")
[ $rc -eq 0 ] && [ "$out" = "$want" ] && ok "three segments printed" || fail "split by time: rc $rc, printed [$out]"
for i in 1 2; do
    f="$W/time/long_00$i.mp4"
    near "$(duration "$f")" 60 0.2 && decodes "$f" && ok "segment $i: 60 s" || fail "segment $i: $(duration "$f") s"
done
near "$(duration "$W/time/long_003.mp4")" 30 0.3 && ok "last segment shorter" || fail "last: $(duration "$W/time/long_003.mp4")"
[ "$(ls -A "$W/time" | wc -l)" -eq 3 ] && ok "nothing else in the folder" || fail "left: $(ls -A "$W/time")"

# --- split by size ---
out=$("$CLI" --profile 1004 --size 320x240 --vbitrate 1200k --split-size 2 --output "$W/size" "$W/long.mp4" 2>/dev/null)
n=$(echo "$out" | grep -c .)
[ "$n" -ge 4 ] && ok "$n segments of at most 2 MB" || fail "split by size gave $n: $out"
for f in $out; do
    size=$(stat -c %s "$f")
    [ "$size" -lt 2000000 ] && decodes "$f" || fail "$f: $size bytes or broken"
done

# --- Ctrl+C while splitting leaves nothing ---
"$CLI" --profile 1004 --split-time 1 --output "$W/int" "$W/long.mp4" >/dev/null 2>&1 &
pid=$!
sleep 2
kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 130 ] && [ -z "$(ls -A "$W/int" 2>/dev/null)" ] && ok "interrupted: nothing left" || fail "interrupt: rc $rc, left $(ls -A "$W/int" 2>/dev/null)"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
