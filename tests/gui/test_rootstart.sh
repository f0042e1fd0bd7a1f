#!/usr/bin/env bash
# The program started as root in a real X server, with no web engine
# variables in its environment: its window shows, and no web engine helper
# process runs (the web engine starts with the download dialog only).
# $1 is the folder holding the programs.
set -u
BIN=${1:?bin dir}
if [ "${2:-}" != "--inside" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "not root: nothing to check"
        exit 0
    fi
    # A display number of its own (others may start X servers meanwhile).
    exec xvfb-run -a -n $((200 + RANDOM % 600)) -s "-screen 0 1280x800x24" bash "$0" "$BIN" --inside
fi

unset QTWEBENGINE_DISABLE_SANDBOX QTWEBENGINE_CHROMIUM_FLAGS
export QT_QPA_PLATFORM=xcb
W=$(mktemp -d)
PID=
cleanup() {
    [ -n "$PID" ] && kill "$PID" 2>/dev/null && wait "$PID" 2>/dev/null
    rm -rf "$W"
}
trap cleanup EXIT
# A private home and socket folder: a running instance is never touched.
export HOME="$W/home" XDG_CONFIG_HOME="$W/home/.config" XDG_RUNTIME_DIR="$W/run" TMPDIR="$W"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }
# The program and every process below it.
tree() {
    local p=$1
    echo "$p"
    for c in $(ps -o pid= --ppid "$p"); do tree "$c"; done
}

for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
# Starts the program and waits for its window; sets PID and shown (ms).
launch() {
    local start
    start=$(date +%s%N)
    (cd "$BIN" && exec ./reelmax) >"$W/log" 2>&1 &
    PID=$!
    shown=
    for _ in $(seq 300); do
        if xwininfo -name "Corvane Reelmax" 2>/dev/null | grep -q "Map State: IsViewable"; then
            shown=$(( ($(date +%s%N) - start) / 1000000 ))
            return
        fi
        kill -0 "$PID" 2>/dev/null || return
        sleep 0.1
    done
}
# A connection to the X server refused under load is the machine's fault,
# not the program's: try again then.
for attempt in 1 2 3; do
    launch
    [ -n "$shown" ] && break
    grep -q "Could not load the Qt platform plugin" "$W/log" || break
    echo "the X connection failed (attempt $attempt); again"
    wait "$PID" 2>/dev/null
    sleep 1
done
[ -n "$shown" ] && ok "window shown after $shown ms" || fail "no window; program said: $(tail -5 "$W/log")"
sleep 2
kill -0 "$PID" 2>/dev/null && ok "still running" || fail "the program ended: $(tail -5 "$W/log")"
helpers=$(for p in $(tree "$PID"); do ps -o comm= -p "$p"; done | grep -c QtWebEngine)
[ "$helpers" -eq 0 ] && ok "no web engine process" || fail "$helpers web engine processes after start"
rss=$(ps -o rss= -p "$PID" | tr -d ' ')
echo "resident memory after start: $((rss / 1024)) MiB"

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
