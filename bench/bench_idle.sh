#!/usr/bin/env bash
# The idle program: time from launch to its window on screen, resident
# memory once it has settled, and web engine helper processes (there must be
# none before the download dialog opens).  Each run starts the program with
# a fresh home in a virtual X server of its own; medians are printed.
#
#   bench/bench_idle.sh [bin dir=build/bin] [runs=5]
#
# Targets: window shown within 0.8 s, resident memory <= 120 MB, no helper.
# The figures are warm starts (the program's files in the page cache): the
# machine is shared, so the cache is not dropped.
set -u
cd "$(dirname "$0")/.."
BIN=$(cd "${1:-build/bin}" && pwd)
RUNS=${2:-5}

if [ "${3:-}" != "--inside" ]; then
    # -noreset: the server would otherwise reset as the last program of a run
    # closes, and the next run's program could find no display to connect to.
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" bash "$0" "$BIN" "$RUNS" --inside
fi

W=$(mktemp -d)
PID=
cleanup() {
    [ -n "$PID" ] && kill "$PID" 2>/dev/null && wait "$PID" 2>/dev/null
    rm -rf "$W"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

tree() {
    local p=$1
    echo "$p"
    for c in $(ps -o pid= --ppid "$p"); do tree "$c"; done
}
median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }

shown_all=() rss_all=()
for run in $(seq "$RUNS"); do
    # A private home, socket folder and temporary folder: the single-instance
    # guard never meets a program someone else runs.
    export HOME="$W/home$run" XDG_CONFIG_HOME="$W/home$run/.config" XDG_RUNTIME_DIR="$W/run$run"
    export TMPDIR="$W/tmp$run"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$TMPDIR" && chmod 700 "$XDG_RUNTIME_DIR"
    start=$(date +%s%N)
    (cd "$BIN" && exec ./reelmax) >"$W/log$run" 2>&1 &
    PID=$!
    shown=
    for _ in $(seq 1000); do
        if xwininfo -name "Corvane Reelmax" 2>/dev/null | grep -q "Map State: IsViewable"; then
            shown=$((($(date +%s%N) - start) / 1000000))
            break
        fi
        kill -0 "$PID" 2>/dev/null || break
        sleep 0.01
    done
    if [ -z "$shown" ]; then
        echo "run $run: no window; the program said: $(tail -3 "$W/log$run")"
        exit 1
    fi
    sleep 4
    rss=$(($(ps -o rss= -p "$PID" | tr -d ' ') / 1024))
    helpers=$(for p in $(tree "$PID"); do ps -o comm= -p "$p"; done | grep -c QtWebEngine)
    echo "run $run: window shown after $shown ms, resident $rss MB, web engine helpers $helpers"
    kill "$PID" 2>/dev/null
    wait "$PID" 2>/dev/null
    PID=
    shown_all+=("$shown")
    rss_all+=("$rss")
    [ "$helpers" -eq 0 ] || echo "  a web engine helper runs without a download dialog"
done
echo "median of $RUNS (load average $(cut -d' ' -f1-3 /proc/loadavg)):"
echo "  window shown after $(printf '%s\n' "${shown_all[@]}" | median) ms (target <= 800)"
echo "  resident memory $(printf '%s\n' "${rss_all[@]}" | median) MB (target <= 120)"
