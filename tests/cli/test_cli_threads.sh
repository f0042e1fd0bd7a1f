#!/usr/bin/env bash
# reelmax-cli --threads and --gpu: one thread per codec keeps a conversion on
# one core; GPU encoding on a machine without a render node converts in
# software and says so once.  $1 is the folder holding the programs.
source "$(dirname "$0")/common.sh"
clip() { # path seconds size
    ffmpeg -y -v error -nostdin -f lavfi -i "testsrc2=size=$3:rate=25:duration=$2" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" -pix_fmt yuv420p -shortest "$1" ||
        { echo "ffmpeg could not make test media"; exit 1; }
}
field() { ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" | head -1; }
decodes() { [ -z "$(ffmpeg -v error -nostdin -i "$1" -f null - 2>&1)" ]; }

clip "$W/big.mp4" 6 1280x720
clip "$W/small.mp4" 2 320x240

# --- usage ---
for bad in -1 257 two ""; do
    "$CLI" --profile 1004 --threads "$bad" --output "$W/bad" "$W/small.mp4" >/dev/null 2>&1
    [ $? -eq 2 ] && ok "--threads '$bad' refused" || fail "--threads '$bad' accepted"
done
"$CLI" --help | grep -q -- "--threads N" && ok "help names --threads" || fail "help lacks --threads"
"$CLI" --help | grep -q -- "--gpu" && ok "help names --gpu" || fail "help lacks --gpu"

# --- one thread: CPU time (user + system) of the tool stays near its wall time ---
read -r status cpu wall < <(python3 - "$CLI" "$W" <<'PY'
import resource, subprocess, sys, time
cli, w = sys.argv[1], sys.argv[2]
start = time.monotonic()
p = subprocess.run([cli, "--profile", "1004", "--threads", "1", "--size", "960x540",
                    "--output", w + "/one", w + "/big.mp4"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
wall = time.monotonic() - start
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print(p.returncode, u.ru_utime + u.ru_stime, wall)
PY
)
out="$W/one/big.mp4"
[ "$status" = 0 ] && ok "--threads 1 converts" || fail "--threads 1 exit $status"
[ "$(field "$out" v:0 codec_name)" = h264 ] && [ "$(field "$out" v:0 width)" = 960 ] && decodes "$out" &&
    ok "--threads 1 output decodes" || fail "--threads 1 output"
echo "one thread: ${cpu} s CPU in ${wall} s"
awk -v c="$cpu" -v w="$wall" 'BEGIN { exit !(c <= 1.3 * w) }' && ok "--threads 1 keeps to one core" ||
    fail "--threads 1 used ${cpu} s CPU in ${wall} s"

# --- GPU encoding without a render node: software, one line on standard error ---
if ls /dev/dri/renderD* >/dev/null 2>&1; then
    echo "skip: this machine has a render node"
else
    out=$("$CLI" --profile 1004 --gpu --output "$W/gpu" "$W/small.mp4" 2>"$W/err")
    [ $? -eq 0 ] && [ "$out" = "$W/gpu/small.mp4" ] && ok "--gpu converts" || fail "--gpu: $out $(cat "$W/err")"
    [ "$(field "$out" v:0 codec_name)" = h264 ] && decodes "$out" && ok "--gpu output is H.264" ||
        fail "--gpu output"
    n=$(grep -c "GPU encoding" "$W/err")
    [ "$n" -eq 1 ] && grep "GPU encoding" "$W/err" | grep -q "in software" && ok "one fallback line" ||
        fail "fallback lines: $n: $(cat "$W/err")"
    # A merge encodes parts and the joined file; it still converts.
    out=$("$CLI" --profile 1004 --gpu --threads 1 --merge --output "$W/gpumerge" "$W/small.mp4" "$W/small.mp4" \
        2>/dev/null)
    [ $? -eq 0 ] && decodes "$out" && ok "--gpu --threads 1 --merge" || fail "--gpu merge: $out"
fi

[ $FAILS -eq 0 ] && echo "all passed" || echo "$FAILS failed"
exit $((FAILS > 0))
