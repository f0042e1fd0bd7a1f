#!/usr/bin/env bash
# What the programs load: the command-line tool (the conversion path) holds
# no widget, web or graphics code; the program links no web engine (its
# module loads with the download dialog); and a conversion through the tool
# starts no process of its own.  $1 is the folder holding the programs.
set -u
BIN=${1:?bin dir}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export HOME="$W/home" XDG_CONFIG_HOME="$W/home/.config"
mkdir -p "$XDG_CONFIG_HOME"
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }

heavy='libQt6Widgets|WebEngine|libQt6Quick|libQt6Qml|libQt6OpenGL'
found=$(ldd "$BIN/reelmax-cli" | grep -E "$heavy" | awk '{print $1}' | tr '\n' ' ')
[ -z "$found" ] && ok "reelmax-cli loads no widget, web or graphics library" || fail "reelmax-cli loads $found"

found=$(ldd "$BIN/reelmax" | grep -E 'WebEngine|libQt6Quick|libQt6Qml' | awk '{print $1}' | tr '\n' ' ')
[ -z "$found" ] && ok "the program links no web engine" || fail "the program links $found"
[ -f "$BIN/reelmax-webview.so" ] && ok "the web view module is beside the program" ||
    fail "no reelmax-webview.so beside the program"
ldd "$BIN/reelmax-webview.so" | grep -q WebEngineWidgets && ok "the module brings the web engine" ||
    fail "the module does not link the web engine"

ffmpeg -y -v error -nostdin -f lavfi -i "testsrc2=size=320x240:rate=25:duration=2" \
    -f lavfi -i "sine=duration=2" -pix_fmt yuv420p -shortest "$W/clip.mp4" || exit 1
mkdir -p "$W/out"
"$BIN/reelmax-cli" --profile 1004 --output "$W/out" "$W/clip.mp4" >"$W/paths" 2>"$W/err" &
pid=$!
children=0
while kill -0 "$pid" 2>/dev/null; do
    # Programs started by the conversion; a clone of the tool itself (the
    # leak checker of a sanitizer build stops the world from one) is none.
    n=$(ps -o comm= --ppid "$pid" | grep -vc '^reelmax-cli$')
    [ "$n" -gt "$children" ] && children=$n
    sleep 0.05
done
wait "$pid"
code=$?
[ "$code" -eq 0 ] && ok "converted" || fail "exit code $code: $(tail -2 "$W/err")"
out=$(head -1 "$W/paths")
[ -n "$out" ] && [ "$(ffprobe -v error -select_streams v -show_entries stream=width -of csv=p=0 "$out")" = 640 ] &&
    ok "the output is 640 wide" || fail "no usable output: $out"
[ "$children" -eq 0 ] && ok "no process started by the conversion" || fail "$children child processes"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
