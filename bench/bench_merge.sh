#!/usr/bin/env bash
# Merge benchmark: three 5 s clips (1920x1080 at 60 fps H.264, 1280x720 at
# 30 fps, 640x480 at 25 fps, each with sound) joined to 1280x720 at 60 fps,
# against converting each clip alone with the same settings.  Prints the
# times, their ratio, each part's length, the distinct pictures a second of
# the 60 fps part and each part's PSNR against its separate conversion.
# Usage: bench/bench_merge.sh [path/to/reelmax-cli] [runs]
set -euo pipefail
CLI=${1:-build/bin/reelmax-cli}
RUNS=${2:-3}
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export HOME=$W/home XDG_CONFIG_HOME=$W/home/.config XDG_DATA_HOME=$W/home/.local/share
mkdir -p "$HOME"

make_clip() { # name size rate tone
  ffmpeg -v error -f lavfi -i "testsrc2=size=$2:rate=$3:duration=5" \
    -f lavfi -i "sine=frequency=$4:sample_rate=48000:duration=5" \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac -shortest "$W/$1.mp4"
}
make_clip a 1920x1080 60 440
make_clip b 1280x720 30 660
make_clip c 640x480 25 880

settings=(--profile 1004 --size 1280x720 --fps 60 --vcodec libx264 --vbitrate 6000000 --acodec aac)
now() { date +%s.%N; }
best_separate=999999 best_merge=999999
for _ in $(seq "$RUNS"); do
  rm -rf "$W/sep" "$W/merge"
  t0=$(now)
  for c in a b c; do "$CLI" "${settings[@]}" --output "$W/sep" "$W/$c.mp4" >/dev/null 2>&1; done
  t1=$(now)
  "$CLI" "${settings[@]}" --merge --output "$W/merge" "$W/a.mp4" "$W/b.mp4" "$W/c.mp4" >/dev/null 2>&1
  t2=$(now)
  best_separate=$(echo "$t1 - $t0" | bc -l | awk -v b="$best_separate" '{print ($1 < b) ? $1 : b}')
  best_merge=$(echo "$t2 - $t1" | bc -l | awk -v b="$best_merge" '{print ($1 < b) ? $1 : b}')
done
merged=$(ls "$W"/merge/*)
printf 'separate: %.2f s  merge: %.2f s  ratio: %.3f (best of %d)\n' "$best_separate" "$best_merge" \
  "$(echo "$best_merge / $best_separate" | bc -l)" "$RUNS"

dur() { ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"; }
printf 'merged duration: %.3f s (parts: %.3f + %.3f + %.3f)\n' "$(dur "$merged")" \
  "$(dur "$W/sep/a.mp4")" "$(dur "$W/sep/b.mp4")" "$(dur "$W/sep/c.mp4")"
audio=$(ffprobe -v error -select_streams a -show_entries stream=duration -of csv=p=0 "$merged")
echo "merged sound: $audio s"

# Distinct pictures a second in the first (60 fps) part: mpdecimate drops
# each picture that only repeats the one before (coding noise aside).
distinct=$(ffmpeg -v error -t 5 -i "$merged" -an -vf mpdecimate -f framemd5 - | grep -vc '^#')
echo "first part: $distinct distinct pictures in 5 s ($((distinct / 5)) a second)"

offset=0
for c in a b c; do
  len=$(dur "$W/sep/$c.mp4")
  psnr=$(ffmpeg -v info -ss "$offset" -t "$len" -i "$merged" -i "$W/sep/$c.mp4" \
    -filter_complex "[0:v]setpts=PTS-STARTPTS[x];[1:v]setpts=PTS-STARTPTS[y];[x][y]psnr" -an -f null - 2>&1 |
    sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1)
  echo "part $c: PSNR $psnr dB against its own conversion"
  offset=$(echo "$offset + $len" | bc -l)
done
