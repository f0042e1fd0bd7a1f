#!/usr/bin/env bash
# End-to-end checks of reelmax-cli: usage, profile list, file information,
# one conversion per output family, every edit, unusable inputs, merge, and
# interruption.  $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"
clip() { # path seconds size
    gen -f lavfi -i "testsrc2=size=${3:-320x240}:rate=25:duration=$2" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" -pix_fmt yuv420p -shortest "$1"
}
field() { ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" | head -1; }
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.25}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
settings_sum() { find "$HOME" -path '*CorVane*' -type f -exec md5sum {} + 2>/dev/null | sort; }

clip "$W/clip.mp4" 2
mkdir -p "$W/other" && clip "$W/other/clip.mp4" 1
SETTINGS_BEFORE=$(settings_sum)

# --- usage ---
"$CLI" --help | grep -q -- "--list-profiles" && ok help || fail "--help"
"$CLI" --version | grep -q "reelmax-cli " && ok version || fail "--version"
"$CLI" --bogus >/dev/null 2>&1; [ $? -eq 2 ] && ok "unknown option" || fail "unknown option exit code"
"$CLI" --profile 1004 >/dev/null 2>&1; [ $? -eq 2 ] && ok "no files" || fail "no files exit code"
"$CLI" --profile 1004 --effect 9 "$W/clip.mp4" >/dev/null 2>&1; [ $? -eq 2 ] && ok "effect range" || fail "effect range"
"$CLI" --profile 9999 --output "$W/out" "$W/clip.mp4" >/dev/null 2>&1; [ $? -eq 2 ] && ok "unknown profile" || fail "unknown profile"

# --- profiles ---
n=$("$CLI" --list-profiles | wc -l)
[ "$n" -eq 214 ] && ok "214 profiles" || fail "--list-profiles gave $n lines"
n=$("$CLI" --list-profiles --json | grep -c '"id"')
[ "$n" -eq 214 ] && ok "214 profiles as JSON" || fail "--list-profiles --json gave $n"

# --- info ---
info=$("$CLI" --info --json "$W/clip.mp4")
echo "$info" | grep -q "\"width\": $(field "$W/clip.mp4" v:0 width)" && ok "info width" || fail "info width: $info"
echo "$info" | grep -q "\"sampleRate\": $(field "$W/clip.mp4" a:0 sample_rate)" && ok "info rate" || fail "info rate"
ms=$(echo "$info" | sed -n 's/.*"durationMs": \([0-9]*\).*/\1/p')
near "$(awk -v m="$ms" 'BEGIN{print m/1000}')" "$(duration "$W/clip.mp4")" 0.05 && ok "info duration" || fail "info duration $ms"
"$CLI" --info "$W/missing.mp4" >/dev/null 2>&1; [ $? -eq 3 ] && ok "info of a missing file" || fail "info missing"

# --- one conversion per family ---
convert() { # profile expected-extension video-codec audio-codec [extra args]
    local profile=$1 ext=$2 vcodec=$3 acodec=$4; shift 4
    local dir="$W/out$profile"
    local out err
    out=$("$CLI" --profile "$profile" --output "$dir" "$@" "$W/clip.mp4" 2>"$W/err")
    local rc=$?
    if [ $rc -ne 0 ] || [ "$out" != "$dir/clip$ext" ]; then
        fail "profile $profile: rc $rc, output '$out': $(cat "$W/err")"; return
    fi
    grep -q "100%" "$W/err" || fail "profile $profile: no progress lines"
    [ -z "$vcodec" ] && [ -n "$(field "$out" v:0 codec_name)" ] && fail "profile $profile: unexpected video"
    [ -n "$vcodec" ] && [ "$(field "$out" v:0 codec_name)" != "$vcodec" ] && fail "profile $profile: video $(field "$out" v:0 codec_name)"
    [ "$(field "$out" a:0 codec_name)" != "$acodec" ] && fail "profile $profile: audio $(field "$out" a:0 codec_name)"
    decodes "$out" || fail "profile $profile: output does not decode cleanly"
    near "$(duration "$out")" 2.0 0.3 || fail "profile $profile: duration $(duration "$out")"
    ok "profile $profile -> $(basename "$out")"
}
convert 1004 .mp4 h264 aac
convert 1023 .mpg mpeg2video ac3
convert 1007 .avi msmpeg4v3 mp3
convert 1005 .wmv wmv1 wmav2
convert 1200 .mp3 "" mp3
[ "$(field "$W/out1023/clip.mpg" v:0 width)" = 720 ] && ok "DVD size" || fail "DVD size"
# Outputs get the mode of any new file (0666 less the umask), not a private one.
want=$(printf '%o' $((0666 & ~0$(umask))))
[ "$(stat -c %a "$W/out1004/clip.mp4")" = "$want" ] && ok "output mode $want" \
    || fail "output mode $(stat -c %a "$W/out1004/clip.mp4"), expected $want"

# --- overrides, section and every edit ---
printf '1\n00:00:00,000 --> 00:00:02,000\nHello there\n' >"$W/subs.srt"
out=$("$CLI" --profile 1004 --output "$W/edits" --start 500 --end 1500 --size 320x240 --fps 15 \
    --vbitrate 400k --abitrate 64k --samplerate 22050 --channels 1 --vcodec mpeg4 --acodec mp3 \
    --crop 10,10,200,150 --brightness 20 --contrast 10 --saturation -20 --amplify 30 --effect 2 \
    --deinterlace 1 --subtitle "$W/subs.srt" --text-watermark "Reelmax" "$W/clip.mp4" 2>"$W/err")
rc=$?
if [ $rc -eq 0 ] && [ -f "$out" ]; then
    [ "$(field "$out" v:0 codec_name)" = mpeg4 ] || fail "edits: video codec"
    [ "$(field "$out" v:0 width)" = 320 ] || fail "edits: width"
    [ "$(field "$out" v:0 r_frame_rate)" = 15/1 ] || fail "edits: frame rate $(field "$out" v:0 r_frame_rate)"
    [ "$(field "$out" a:0 sample_rate)" = 22050 ] || fail "edits: sample rate"
    [ "$(field "$out" a:0 channels)" = 1 ] || fail "edits: channels"
    near "$(duration "$out")" 1.0 0.2 || fail "edits: duration $(duration "$out")"
    decodes "$out" || fail "edits: output does not decode"
    ok "every edit flag"
else
    fail "edits: rc $rc $(cat "$W/err")"
fi
gen -f lavfi -i "color=c=red:size=40x20" -frames:v 1 "$W/mark.png"
out=$("$CLI" --profile 1004 --output "$W/mark" --size 320x240 --image-watermark "$W/mark.png" "$W/clip.mp4" 2>"$W/err")
[ $? -eq 0 ] && decodes "$out" && ok "image watermark" || fail "image watermark: $(cat "$W/err")"

# --- unusable inputs: the good file is still converted ---
: >"$W/zero.avi"
echo "not a video at all" >"$W/text.avi"
head -c 20000 "$W/clip.mp4" >"$W/truncated.mp4"
out=$("$CLI" --profile 1004 --output "$W/bad" --size 160x120 "$W/zero.avi" "$W/text.avi" "$W/truncated.mp4" \
    "$W/missing.mp4" "$W/clip.mp4" 2>"$W/err")
rc=$?
[ $rc -eq 3 ] && ok "unusable inputs exit 3" || fail "unusable inputs: rc $rc"
for f in zero.avi text.avi truncated.mp4 missing.mp4; do
    grep -q "$f" "$W/err" || fail "no message about $f"
done
[ "$out" = "$W/bad/clip.mp4" ] && decodes "$out" && ok "good file converted" || fail "good file: '$out'"

# --- a subtitle file that is not one: refused before anything runs ---
# Fixed bytes: now and then random ones happen to read as some text format.
python3 -c 'import random, sys; random.seed(1); sys.stdout.buffer.write(bytes(random.getrandbits(8) for _ in range(3000)))' >"$W/junk.srt"
"$CLI" --profile 1004 --output "$W/failed" --subtitle "$W/junk.srt" "$W/clip.mp4" >/dev/null 2>"$W/err"
rc=$?
[ $rc -eq 2 ] && grep -q "cannot be read as subtitles" "$W/err" && ok "junk subtitle file refused" \
    || fail "junk subtitle: rc $rc $(cat "$W/err")"
[ -z "$(ls -A "$W/failed" 2>/dev/null)" ] || fail "refused subtitle left $(ls "$W/failed")"

# --- a failed conversion: exit 4, nothing left behind, never 100 % ---
# A hardware encoder the machine does not have: it fails when it opens.
"$CLI" --profile 1006 --output "$W/failed" --vcodec h264_nvenc "$W/clip.mp4" >/dev/null 2>"$W/err"
rc=$?
[ $rc -eq 4 ] && grep -q "conversion of .*clip.mp4 failed" "$W/err" && ok "failed conversion exit 4" \
    || fail "failed conversion: rc $rc $(cat "$W/err")"
! grep -q "^100%" "$W/err" && ok "a failed conversion never shows 100 %" || fail "100 % shown for a failure"
[ -z "$(ls -A "$W/failed" 2>/dev/null)" ] || fail "failed conversion left $(ls "$W/failed")"

# --- parallel jobs with clashing names ---
out=$("$CLI" --profile 1004 --output "$W/par" --size 160x120 --jobs 2 "$W/clip.mp4" "$W/other/clip.mp4" 2>/dev/null)
[ "$(echo "$out" | sort | tr '\n' ' ')" = "$W/par/clip(1).mp4 $W/par/clip.mp4 " ] && ok "two jobs, unique names" \
    || fail "two jobs: $out"

# --- merge ---
out=$("$CLI" --profile 1004 --output "$W/merge" --size 320x240 --merge "$W/clip.mp4" "$W/other/clip.mp4" 2>"$W/err")
rc=$?
[ $rc -eq 0 ] && near "$(duration "$out")" 3.0 0.25 && decodes "$out" && ok "merge" \
    || fail "merge: rc $rc '$out' $(cat "$W/err")"
"$CLI" --profile 1004 --output "$W/merge1" --merge "$W/clip.mp4" "$W/missing.mp4" >/dev/null 2>&1
rc=$?
[ $rc -eq 3 ] && [ -z "$(ls -A "$W/merge1" 2>/dev/null)" ] && ok "merge of one usable file" || fail "merge of one: rc $rc"

# --- interruption ---
gen -f lavfi -i "testsrc2=size=640x480:rate=25:duration=40" -c:v mpeg4 -q:v 5 "$W/long.avi"
"$CLI" --profile 1023 --output "$W/int" "$W/long.avi" >/dev/null 2>&1 &
pid=$!
sleep 1.5
kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 130 ] && ok "interrupted exit 130" || fail "interrupt: rc $rc"
[ -z "$(ls -A "$W/int" 2>/dev/null)" ] && ok "no partial file" || fail "partial file left: $(ls "$W/int")"
"$CLI" --profile 1004 --output "$W/intm" --merge "$W/long.avi" "$W/clip.mp4" >/dev/null 2>&1 &
pid=$!
sleep 1.5
kill -INT $pid
wait $pid
rc=$?
[ $rc -eq 130 ] && [ -z "$(ls -A "$W/intm" 2>/dev/null)" ] && ok "interrupted merge" || fail "merge interrupt: rc $rc"

# --- the GUI's settings are untouched ---
[ "$(settings_sum)" = "$SETTINGS_BEFORE" ] && ok "settings untouched" || fail "settings changed"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
