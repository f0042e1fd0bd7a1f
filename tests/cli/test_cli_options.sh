#!/usr/bin/env bash
# reelmax-cli's command line: the help text, how unknown options, missing and
# bad values are reported (exit 2, nothing converted), which modes combine,
# repeated options, options after file names and "--" before a name starting
# with "-".  $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"
field() { ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" | head -1; }
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.15}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }

CLI="$(cd "$BIN" && pwd)/reelmax-cli"
cd "$W" || exit 1
gen -f lavfi -i "testsrc2=size=320x240:rate=25:duration=2" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" -pix_fmt yuv420p -shortest "$W/-clip.mp4"
CLIP="$W/-clip.mp4"

# Runs the tool and checks its exit code and the first line on stderr.
# expect CODE "FIRST LINE" ARGS...
expect() {
    local code=$1 line=$2
    shift 2
    "$CLI" "$@" >"$W/out" 2>"$W/err"
    local rc=$?
    if [ $rc -eq "$code" ] && [ "$(head -1 "$W/err")" = "reelmax-cli: $line" ]; then
        ok "$code: $line"
    else
        fail "'$*' gave rc $rc (want $code), stderr '$(cat "$W/err")'"
    fi
}
# A usage error: exit 2, the reason, the hint, nothing printed or written.
refused() { # "REASON" ARGS...
    local line=$1
    shift
    expect 2 "$line" --output "$W/refused" "$@"
    [ "$(sed -n 2p "$W/err")" = "Try reelmax-cli --help." ] || fail "no hint after '$line'"
    [ ! -s "$W/out" ] || fail "'$*' printed $(cat "$W/out")"
}

# --- help and version ---
"$CLI" --help >"$W/help" 2>"$W/err" && [ ! -s "$W/err" ] && ok "--help" || fail "--help: $(cat "$W/err")"
"$CLI" -h | cmp -s - "$W/help" && ok "-h is --help" || fail "-h differs from --help"
"$CLI" --info --list-profiles --help | cmp -s - "$W/help" && ok "--help wins over the modes" || fail "--help with modes"
head -1 "$W/help" | grep -qx "Usage:" || fail "help starts with '$(head -1 "$W/help")'"
order=$(grep -n -e '^Conversion:' -e '^DVD image:' -e '^Profile overrides:' -e '^Splitting:' -e '^Edits:' \
    -e '^Capture:' -e '^Other:' -e '^Exit codes:' "$W/help" | cut -d: -f2- | tr '\n' '|')
[ "$order" = "Conversion:|DVD image:|Profile overrides:|Splitting:|Edits:|Capture:|Other:|Exit codes: 0 done, 2 bad usage, 3 some input unusable, 4 a conversion failed,|" ] &&
    ok "help sections in order" || fail "help sections: $order"
for option in --profile --output --start --end --sections --merge --jobs --threads --gpu --disc-image --disc-label \
    --size --fps --vbitrate --abitrate --samplerate --channels --vcodec --acodec --aspect --split-size --split-time \
    --crop --brightness --contrast --saturation --amplify --effect --deinterlace --subtitle --text-watermark \
    --image-watermark --mirror --capture; do
    grep -qE -- "^  ([^ ]+ [^ ]+, )?$option\b" "$W/help" || fail "help lacks $option"
done
[ "$("$CLI" --version)" = "$("$CLI" --version --info)" ] && "$CLI" --version | grep -qx "reelmax-cli [0-9.]*" &&
    ok "--version" || fail "--version: $("$CLI" --version)"

# --- nothing to do, unknown options, missing values ---
expect 2 "nothing to do: give --profile ID with files, --info or --list-profiles"
[ "$(sed -n 2p "$W/err")" = "Try reelmax-cli --help." ] && ok "the hint" || fail "hint: $(cat "$W/err")"
expect 2 "nothing to do: give --profile ID with files, --info or --list-profiles" --json "$CLIP"
refused "unknown option --bogus" --profile 1004 "$CLIP" --bogus
refused "unknown option -x" --profile 1004 -x "$CLIP"
refused "unknown option --size=320x240" --profile 1004 --size=320x240 "$CLIP"
refused "unknown option --bogus" --help --bogus
refused "--size needs a value" --profile 1004 "$CLIP" --size
refused "--profile needs a value" "$CLIP" --profile
# A value is the next argument, whatever it looks like; the first problem is the one reported.
refused '--start takes a whole number from 0 to 2147483647, not "--end"' --profile 1004 --start --end 5 "$CLIP"
refused '--effect takes a whole number from 0 to 4, not "9"' --profile 1004 --effect 9 --bogus "$CLIP"
refused "unknown option --bogus" --profile 1004 --bogus --effect 9 "$CLIP"

# --- values that are not usable ---
refused '--fps takes frames per second from 0 to 1000, not "nan"' --profile 1004 --fps nan "$CLIP"
refused '--fps takes frames per second from 0 to 1000, not "inf"' --profile 1004 --fps inf "$CLIP"
refused '--fps takes frames per second from 0 to 1000, not "-1"' --profile 1004 --fps -1 "$CLIP"
refused '--fps 0.0004 is too low (0.001 at least, or 0 to keep the source'"'"'s)' --profile 1004 --fps 0.0004 "$CLIP"
refused '--size takes WIDTHxHEIGHT, such as 640x480, not "640x"' --profile 1004 --size 640x "$CLIP"
for size in 1x1 321x240 320x1 20000x240; do
    refused "--size takes even widths and heights up to 16384 pixels (0 follows the source), not \"$size\"" \
        --profile 1004 --size $size "$CLIP"
done
refused '--vbitrate takes a bit rate such as 128000 or 128k, not "0"' --profile 1004 --vbitrate 0 "$CLIP"
refused '--abitrate takes a bit rate such as 128000 or 128k, not "12q"' --profile 1004 --abitrate 12q "$CLIP"
refused '--samplerate takes a whole number from 1000 to 384000, not "999"' --profile 1004 --samplerate 999 "$CLIP"
refused '--channels takes a whole number from 1 to 8, not "9"' --profile 1004 --channels 9 "$CLIP"
refused '--jobs takes a whole number from 1 to 64, not "0"' --profile 1004 --jobs 0 "$CLIP"
refused '--brightness takes a whole number from -100 to 100, not "101"' --profile 1004 --brightness 101 "$CLIP"
refused '--crop takes LEFT,TOP,WIDTH,HEIGHT in pixels, not "0,0,0,10"' --profile 1004 --crop 0,0,0,10 "$CLIP"
refused '--crop takes LEFT,TOP,WIDTH,HEIGHT in pixels, not "1,2,3"' --profile 1004 --crop 1,2,3 "$CLIP"
refused '--mirror takes h, v or hv, not "x"' --profile 1004 --mirror x "$CLIP"
refused '--aspect takes fit, stretch or crop, not "wide"' --profile 1004 --aspect wide "$CLIP"
refused '--vcodec needs an encoder name' --profile 1004 --vcodec " " "$CLIP"
refused '--sections: "5" is not a section START-END (milliseconds or h:mm:ss.mmm)' --profile 1004 --sections 5 "$CLIP"
refused '--disc-image needs a file name' --disc-image " " "$CLIP"
refused '--disc-label takes at most 32 bytes, not "ééééééééééééééééé"' --disc-image x.iso --disc-label \
    "ééééééééééééééééé" "$CLIP"
refused '--profile needs a profile ID (see --list-profiles)' --profile "" "$CLIP"
refused '--output needs a folder name' --profile 1004 "$CLIP" --output ""
refused '--subtitle needs a file name' --profile 1004 --subtitle "" "$CLIP"
refused '--text-watermark needs a text' --profile 1004 --text-watermark "" "$CLIP"
refused '--image-watermark needs a file name' --profile 1004 --image-watermark "" "$CLIP"
refused '--end must be after the start of the file' --profile 1004 --end 0 "$CLIP"

# --- what combines ---
refused "--list-profiles, --info and --profile (or --capture) cannot be combined" --info --profile 1004 "$CLIP"
refused "--list-profiles takes no files" --list-profiles "$CLIP"
refused "--info needs at least one file" --info --json
refused "--capture needs at least one web address" --capture
refused "no input files" --profile 1004 --size 160x120
refused "--end must be after --start" --profile 1004 --start 900 --end 900 "$CLIP"
refused "give either --sections or --start/--end, not both" --profile 1004 --sections 0-500 --end 900 "$CLIP"
refused "--merge needs at least two files or sections" --profile 1004 --merge "$CLIP"
refused "--merge runs as one job; --jobs cannot be used with it" --profile 1004 --merge --jobs 2 "$CLIP" "$CLIP"
refused "give either --text-watermark or --image-watermark, not both" --profile 1004 --text-watermark a \
    --image-watermark b.png "$CLIP"
refused "give either --split-size or --split-time, not both" --profile 1004 --split-size 5 --split-time 1 "$CLIP"
refused "--disc-image makes a disc of exactly one file" --disc-image x.iso "$CLIP" "$CLIP"
refused "--disc-image takes the whole file; it cannot be split" --disc-image x.iso --split-time 1 "$CLIP"
# Nothing asked for is dropped: an option the mode would leave unused is refused.
expect 2 "--size cannot be used with --info" --info --size 320x240 "$CLIP"
expect 2 "--output cannot be used with --list-profiles" --list-profiles --output "$W/refused"
refused "--json goes with --info or --list-profiles" --profile 1004 --json "$CLIP"
expect 2 "--disc-image needs --profile: without it --capture only saves the files" --capture --output "$W/refused" \
    --disc-image x.iso "http://127.0.0.1:9/a.mp4"
refused "--disc-label needs --disc-image" --profile 1004 --disc-label LABEL "$CLIP"
[ ! -e "$W/refused" ] && [ ! -e "$W/x.iso" ] && ok "refusals wrote nothing" || fail "a refusal wrote $(ls -A "$W/refused" "$W/x.iso" 2>/dev/null)"

# --- "--", names starting with "-", options after file names ---
out=$("$CLI" --profile 1004 -clip.mp4 2>&1)
[ $? -eq 2 ] && [ "$out" = "$(printf 'reelmax-cli: unknown option -clip.mp4\nTry reelmax-cli --help.')" ] &&
    ok "a name starting with - needs --" || fail "-clip.mp4 without --: $out"
"$CLI" --info -- -clip.mp4 --json >"$W/out" 2>"$W/err"
rc=$?
[ $rc -eq 3 ] && grep -q -- "--json" "$W/err" && ! grep -q '^{' "$W/out" && grep -q "320" "$W/out" &&
    ok "after --, every argument is a file" || fail "after --: rc $rc $(cat "$W/out" "$W/err")"
"$CLI" --info "$CLIP" --json >"$W/out" 2>"$W/err"
[ $? -eq 0 ] && grep -q '"width": 320' "$W/out" && ok "an option after a file" || fail "--json after a file: $(cat "$W/err")"

# --- repeated options (the last counts), clock-time sections, "--" before the file ---
out=$("$CLI" --profile 1004 --size 64x48 --fps 10 --output "$W/conv" --size 160*120 --fps " 15 " \
    --sections 0:00:00.200-0:00:01.200 -- -clip.mp4 2>"$W/err")
rc=$?
if [ $rc -eq 0 ] && [ "$out" = "$W/conv/-clip.mp4" ]; then
    [ "$(field "$out" v:0 width)x$(field "$out" v:0 height)" = 160x120 ] && ok "the last --size counts" ||
        fail "size $(field "$out" v:0 width)x$(field "$out" v:0 height)"
    [ "$(field "$out" v:0 r_frame_rate)" = 15/1 ] && ok "the last --fps counts" ||
        fail "rate $(field "$out" v:0 r_frame_rate)"
    near "$(duration "$out")" 1.0 && ok "h:mm:ss.mmm section" || fail "section lasts $(duration "$out")"
    decodes "$out" && ok "output decodes" || fail "output does not decode"
else
    fail "repeated options: rc $rc, '$out': $(cat "$W/err")"
fi

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
