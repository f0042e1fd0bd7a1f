#!/usr/bin/env bash
# The tool and the program as a user can trust them: names taken as they are
# (backslashes included), every refused option an error, files of any name
# that decode accepted, outputs readable, stop signals leaving nothing, the
# leftovers of a killed run cleared at the next start, a quiet stderr.
# $1 is the folder holding the programs.
set -u
BIN=${1:?bin dir}
CLI="$BIN/reelmax-cli"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
W=$(mktemp -d)
PIDS=
cleanup() {
    for p in $PIDS; do kill -9 "$p" 2>/dev/null; done
    rm -rf "$W"
}
trap cleanup EXIT
# A private home and temporary folder: nothing of another run is touched.
export HOME="$W/home" XDG_CONFIG_HOME="$W/home/.config" XDG_DATA_HOME="$W/home/.local/share" TMPDIR="$W/tmp"
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR"
FAILS=0

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }
gen() { ffmpeg -y -v error -nostdin "$@" || { echo "ffmpeg could not make test media"; exit 1; }; }
clip() { # path seconds size
    gen -f lavfi -i "testsrc2=size=${3:-320x240}:rate=25:duration=$2" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" -pix_fmt yuv420p -shortest "$1"
}
duration() { ffprobe -v error -show_entries format=duration -of default=nw=1:nk=1 "$1"; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }
near() { awk -v a="$1" -v b="$2" -v t="${3:-0.3}" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
# Grey picture at 0.5 s, to compare two outputs.
picture() { ffmpeg -v error -nostdin -ss 0.5 -i "$1" -frames:v 1 -f rawvideo -pix_fmt gray - | md5sum; }
empty() { [ -z "$(ls -A "$1" 2>/dev/null)" ]; }
# Waits until a file matching the pattern appears (a conversion is under way).
wait_for() {
    for _ in $(seq 200); do
        compgen -G "$1" >/dev/null && return 0
        sleep 0.05
    done
    return 1
}

clip "$W/clip.mp4" 2
clip "$W/long.mp4" 30 640x480

# --- backslashes are ordinary characters of names ---
cp "$W/clip.mp4" "$W/in\\put.mp4"
printf '1\n00:00:00,000 --> 00:00:01,800\nBACKSLASH\n' >"$W/sub\\titles.srt"
gen -f lavfi -i "color=c=white:size=80x60" -frames:v 1 "$W/water\\mark.png"
"$CLI" --profile 1004 --output "$W/plain" "$W/in\\put.mp4" >/dev/null 2>"$W/err" || fail "plain: $(cat "$W/err")"
out=$("$CLI" --profile 1004 --output "$W/out\\dir" --subtitle "$W/sub\\titles.srt" \
    --image-watermark "$W/water\\mark.png" "$W/in\\put.mp4" 2>"$W/err")
rc=$?
if [ $rc -eq 0 ] && [ "$out" = "$W/out\\dir/in\\put.mp4" ] && [ -f "$out" ]; then
    ok "backslash names: output $out"
    [ ! -e "$W/out" ] || fail "a folder was cut at the backslash"
    decodes "$out" && ok "backslash output decodes" || fail "backslash output does not decode"
    [ "$(picture "$out")" != "$(picture "$W/plain/in\\put.mp4")" ] && ok "subtitle and watermark drawn" ||
        fail "the edits with backslash names left the picture unchanged"
else
    fail "backslash names: rc $rc, '$out': $(cat "$W/err")"
fi

# --- every refusal is an error, nothing is written ---
printf 'not a subtitle at all\n' >"$W/junk.srt"
check_refused() { # expected-code grep-text args...
    local code=$1 text=$2
    shift 2
    "$CLI" --profile 1004 --output "$W/refused" "$@" >"$W/out" 2>"$W/err"
    local rc=$?
    if [ $rc -eq "$code" ] && grep -q -- "$text" "$W/err" && [ ! -s "$W/out" ]; then
        ok "refused ($rc): $*"
    else
        fail "'$*' gave rc $rc, stdout '$(cat "$W/out")', stderr '$(cat "$W/err")'"
    fi
}
check_refused 2 'unknown video encoder "nosuchcodec"' --vcodec nosuchcodec "$W/clip.mp4"
check_refused 2 'did you mean.*libx265' --vcodec libx256 "$W/clip.mp4"
check_refused 2 'unknown audio encoder' --acodec nosuchcodec "$W/clip.mp4"
check_refused 2 'cannot hold' --vcodec vp8 "$W/clip.mp4"
check_refused 2 'cannot be read as subtitles' --subtitle "$W/junk.srt" "$W/clip.mp4"
check_refused 2 'does not fit in the 320x240 picture' --crop 0,0,2000,2000 "$W/clip.mp4"
check_refused 2 'gives no picture' --fps 0.01 "$W/clip.mp4"
check_refused 2 'too low' --fps 0.0001 "$W/clip.mp4"
empty "$W/refused" && ok "refusals wrote nothing" || fail "refusals wrote $(ls -A "$W/refused")"

# --- what counts as input, and how it is reported ---
check_refused 3 "is a folder" "$W"
printf 'shopping list\n' >"$W/notes.txt"
check_refused 3 "notes.txt" "$W/notes.txt"
check_refused 3 "starts at 00:01:00.000, after the end of the file at 00:00:02.000" --start 60000 "$W/clip.mp4"
cp "$W/clip.mp4" "$W/clip.weird"
gen -f lavfi -i "sine=duration=2" -c:a libopus "$W/voice.opus"
for f in "$W/clip.weird" "$W/voice.opus"; do
    out=$("$CLI" --profile 1004 --output "$W/any" "$f" 2>"$W/err")
    [ $? -eq 0 ] && near "$(duration "$out")" 2.0 && decodes "$out" && ok "accepted: $(basename "$f")" ||
        fail "$(basename "$f"): $(cat "$W/err")"
done
out=$("$CLI" --profile 1004 --output "$W/end" --end 60000 "$W/clip.mp4" 2>"$W/err")
[ $? -eq 0 ] && near "$(duration "$out")" 2.0 && ok "--end past the end clamps" || fail "--end past the end: $(cat "$W/err")"

# --- --list-profiles: id, category, name, extension ---
"$CLI" --list-profiles >"$W/list"
[ "$(awk -F'\t' 'NF != 4' "$W/list" | wc -l)" -eq 0 ] && [ "$(head -1 "$W/list")" = "$(printf '1000\tCommon Video\tASF\t.asf')" ] &&
    ok "profile list has four columns" || fail "profile list: $(head -2 "$W/list")"
[ "$(awk -F'\t' '$1 == 1004 { print $2 "|" $4 }' "$W/list")" = "Common Video|.mp4" ] || fail "1004 row"

# --- outputs are readable like any saved file ---
for mask in 022 077; do
    out=$(umask $mask && "$CLI" --profile 1004 --output "$W/mode$mask" "$W/clip.mp4" 2>/dev/null)
    want=$([ $mask = 022 ] && echo 644 || echo 600)
    [ "$(stat -c %a "$out")" = "$want" ] && ok "umask $mask gives $want" || fail "umask $mask gave $(stat -c %a "$out")"
done

# --- stop signals leave nothing behind ---
for sig in TERM HUP INT; do
    mkdir -p "$W/sig$sig"
    "$CLI" --profile 1004 --output "$W/sig$sig" "$W/long.mp4" >/dev/null 2>"$W/err" &
    p=$!
    PIDS="$PIDS $p"
    wait_for "$W/sig$sig/.long.mp4.*.part" || fail "SIG$sig: no conversion seen"
    kill -s $sig $p
    wait $p
    rc=$?
    want=$((128 + $(kill -l $sig)))
    [ $rc -eq $want ] && empty "$W/sig$sig" && ok "SIG$sig: exit $rc, nothing left" ||
        fail "SIG$sig: rc $rc (want $want), left: $(ls -A "$W/sig$sig")"
done
# Two stops in a row (a process-group kill, `timeout`) still clean up.
mkdir -p "$W/sigtwice"
"$CLI" --profile 1004 --output "$W/sigtwice" "$W/long.mp4" >/dev/null 2>"$W/err" &
p=$!
PIDS="$PIDS $p"
wait_for "$W/sigtwice/.long.mp4.*.part" || fail "double SIGTERM: no conversion seen"
kill -TERM $p
kill -TERM $p 2>/dev/null
wait $p
rc=$?
[ $rc -eq 143 ] && empty "$W/sigtwice" && grep -q "interrupted" "$W/err" &&
    ok "double SIGTERM: exit 143, said so, nothing left" ||
    fail "double SIGTERM: rc $rc, left: $(ls -A "$W/sigtwice"), said: $(cat "$W/err")"
# A merge stopped while it encodes leaves no work folder either.
"$CLI" --profile 1004 --output "$W/sigmerge" --merge "$W/long.mp4" "$W/clip.mp4" >/dev/null 2>&1 &
p=$!
PIDS="$PIDS $p"
wait_for "$W/sigmerge/.long.mp4.*.part" || fail "merge: no part seen"
kill -TERM $p
wait $p
[ $? -eq 143 ] && empty "$W/sigmerge" && [ -z "$(ls -d "$TMPDIR"/reelmax-work-* 2>/dev/null)" ] &&
    ok "merge stopped: nothing left" || fail "merge stop left $(ls -A "$W/sigmerge" "$TMPDIR")"

# --- a killed run's leftovers go at the next start, and only those ---
mkdir -p "$W/killed"
"$CLI" --profile 1004 --output "$W/killed" "$W/long.mp4" >/dev/null 2>&1 &
p=$!
wait_for "$W/killed/.long.mp4.*.part" || fail "kill: no conversion seen"
kill -KILL $p
wait $p 2>/dev/null
part=$(ls "$W/killed"/.long.mp4.*.part 2>/dev/null | head -1)
[ -n "$part" ] || fail "SIGKILL left no part file to clear (nothing to test)"
"$CLI" --profile 1004 --output "$W/work" --merge "$W/long.mp4" "$W/clip.mp4" >/dev/null 2>&1 &
p=$!
wait_for "$W/work/.long.mp4.*.part" || fail "kill merge: no part seen"
kill -KILL $p
wait $p 2>/dev/null
work=$(ls -d "$TMPDIR"/reelmax-work-* | head -1)
[ -n "$work" ] || fail "SIGKILL of a merge left no work folder (nothing to test)"
touch "$W/killed/.other.mp4.AbC123.part" "$W/killed/.held.mp4.AbC123.part" "$W/killed/notours.part"
touch -d '1 hour ago' "$part" "$W/killed/.held.mp4.AbC123.part" "$W/killed/notours.part"
find "$work" -depth -exec touch -d '1 hour ago' {} +
# Still written by a live process: never removed.
sleep 60 3<"$W/killed/.held.mp4.AbC123.part" &
holder=$!
PIDS="$PIDS $holder"
"$CLI" --profile 1004 --output "$W/killed" --end 500 "$W/clip.mp4" >/dev/null 2>&1 || fail "the next run failed"
[ ! -e "$part" ] && [ ! -e "$work" ] && ok "the killed run's part file and work folder are gone" ||
    fail "leftovers stayed: $(ls -A "$W/killed") $(ls -d "$TMPDIR"/reelmax-work-* 2>/dev/null)"
[ -e "$W/killed/.other.mp4.AbC123.part" ] && [ -e "$W/killed/.held.mp4.AbC123.part" ] && [ -e "$W/killed/notours.part" ] &&
    ok "recent, held and foreign files stay" || fail "removed too much: $(ls -A "$W/killed")"
kill $holder 2>/dev/null

# --- the program: clears leftovers at start, is quiet, ends cleanly on SIGTERM ---
# In a real X server, as a user runs it (the offscreen platform has chatter of its own).
if [ -x "$BIN/reelmax" ] && command -v xvfb-run >/dev/null; then
    mkdir -p "$W/gui" "$XDG_CONFIG_HOME/CorVane Software"
    printf '[General]\nConvertOutputFolder=%s\n' "$W/gui" >"$XDG_CONFIG_HOME/CorVane Software/Corvane Reelmax.conf"
    touch "$W/gui/.film.mp4.XyZ789.part"
    touch -d '1 hour ago' "$W/gui/.film.mp4.XyZ789.part"
    export XDG_RUNTIME_DIR="$W/run" QTWEBENGINE_DISABLE_SANDBOX=1
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    (cd "$BIN" && QT_QPA_PLATFORM=xcb exec xvfb-run -a -n 220 -s "-screen 0 1280x800x24" \
        sh -c 'echo $$ >"$0"; exec ./reelmax "$1" 2>"$2"' "$W/gui.pid" "$W/clip.mp4" "$W/gui.err") >/dev/null 2>&1 &
    runner=$!
    PIDS="$PIDS $runner"
    for _ in $(seq 100); do [ -s "$W/gui.pid" ] && break; sleep 0.1; done
    p=$(cat "$W/gui.pid" 2>/dev/null)
    PIDS="$PIDS $p"
    for _ in $(seq 100); do [ -e "$W/gui/.film.mp4.XyZ789.part" ] || break; sleep 0.1; done
    sleep 4
    if [ -n "$p" ] && kill -0 "$p" 2>/dev/null; then
        kill -TERM "$p"
        for _ in $(seq 150); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$p" 2>/dev/null && fail "the program did not end on SIGTERM" || ok "the program ended on SIGTERM"
        wait $runner
        rc=$?
        [ $rc -eq 0 ] && ok "... with exit status 0" || fail "the program ended with $rc"
    else
        fail "the program did not start: $(cat "$W/gui.err" 2>/dev/null)"
    fi
    [ ! -e "$W/gui/.film.mp4.XyZ789.part" ] && ok "the program cleared the stale part file" || fail "stale part file stayed"
    [ ! -s "$W/gui.err" ] && ok "a normal session prints nothing on stderr" ||
        fail "stderr of a normal session: $(head -5 "$W/gui.err")"
fi

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
