#!/usr/bin/env python3
"""Robustness pass over damaged media: mutates generated files (flipped
bytes, cuts, splices, repeated or zeroed chunks) and runs each through
`reelmax-cli --info` and a conversion, with a time limit.  Reports how many
cases ran, how the tool ended, and every crash or hang (the inputs that
caused them are kept for a rerun).

    python3 scripts/fuzz_inputs.py [--cases N] [--seed S] [--bin DIR] [--keep DIR]

A crash is an end by a signal or a sanitizer report; a hang is a run that
outlived its time limit.  Refusing a damaged file (exit 3 or 4) is fine.
"""

import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

SEEDS = [
    # name, ffmpeg arguments after the lavfi inputs
    ("mp4", ["-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac"]),
    ("mkv", ["-c:v", "libx264", "-preset", "ultrafast", "-c:a", "libvorbis"]),
    ("webm", ["-c:v", "libvpx", "-deadline", "realtime", "-c:a", "libopus"]),
    ("flv", ["-c:v", "flv", "-r", "15", "-c:a", "libmp3lame", "-ar", "22050"]),
    ("ts", ["-c:v", "libx264", "-preset", "ultrafast", "-c:a", "mp2"]),
    ("avi", ["-c:v", "mpeg4", "-c:a", "libmp3lame"]),
    ("mov", ["-c:v", "mjpeg", "-c:a", "pcm_s16le"]),
    ("mpg", ["-c:v", "mpeg2video", "-c:a", "mp2"]),
    ("wmv", ["-c:v", "wmv2", "-c:a", "wmav2"]),
    ("3gp", ["-c:v", "h263", "-s", "176x144", "-c:a", "aac", "-ar", "8000", "-ac", "1"]),
    ("flac", ["-vn", "-c:a", "flac"]),
    ("mp3", ["-vn", "-c:a", "libmp3lame"]),
    ("opus", ["-vn", "-c:a", "libopus"]),
    ("wav", ["-vn", "-c:a", "pcm_s16le"]),
]


def make_seeds(folder):
    paths = []
    for ext, args in SEEDS:
        path = os.path.join(folder, "seed." + ext)
        cmd = ["ffmpeg", "-y", "-v", "error", "-nostdin",
               "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=3",
               "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=3"] + args + [path]
        if subprocess.run(cmd).returncode == 0:
            paths.append(path)
        else:
            print("could not make a %s seed; left out" % ext, file=sys.stderr)
    return paths


def mutate(rng, data, other):
    data = bytearray(data)
    kind = rng.choice(["flip", "flip", "truncate", "splice", "repeat", "zero", "flip-header"])
    n = len(data)
    if kind == "flip":
        for _ in range(rng.randint(1, 64)):
            i = rng.randrange(n)
            data[i] ^= 1 << rng.randrange(8)
    elif kind == "flip-header":
        for _ in range(rng.randint(1, 8)):
            i = rng.randrange(min(n, 4096))
            data[i] = rng.randrange(256)
    elif kind == "truncate":
        data = data[: rng.randint(0, n)]
    elif kind == "splice":
        cut = rng.randint(0, n)
        data = data[:cut] + bytearray(other[rng.randint(0, len(other)):])
    elif kind == "repeat":
        a = rng.randrange(n)
        b = min(n, a + rng.randint(1, 65536))
        data = data[:b] + data[a:b] * rng.randint(1, 4) + data[b:]
    elif kind == "zero":
        a = rng.randrange(n)
        b = min(n, a + rng.randint(1, 65536))
        data[a:b] = bytes(b - a)
    return kind, bytes(data)


def run(cmd, limit, env):
    start = time.monotonic()
    try:
        p = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=limit, env=env)
    except subprocess.TimeoutExpired:
        return "hang", None, b"", time.monotonic() - start
    err = p.stderr
    if p.returncode < 0 or b"AddressSanitizer" in err or b"runtime error:" in err or b"LeakSanitizer" in err:
        return "crash", p.returncode, err, time.monotonic() - start
    return "ok", p.returncode, err, time.monotonic() - start


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--bin", default=os.environ.get("REELMAX_BUILD_DIR", os.path.join(here, "..", "build")) + "/bin")
    parser.add_argument("--keep", default=None, help="folder for inputs that crashed or hung")
    parser.add_argument("--info-limit", type=float, default=30.0)
    parser.add_argument("--convert-limit", type=float, default=120.0)
    args = parser.parse_args()

    cli = os.path.join(args.bin, "reelmax-cli")
    if not os.access(cli, os.X_OK):
        sys.exit("no reelmax-cli in %s (build first)" % args.bin)
    rng = random.Random(args.seed)
    work = tempfile.mkdtemp(prefix="reelmax-fuzz-")
    keep = args.keep or os.path.join(work, "kept")
    os.makedirs(keep, exist_ok=True)
    env = dict(os.environ, HOME=os.path.join(work, "home"), TMPDIR=os.path.join(work, "tmp"),
               QT_QPA_PLATFORM="offscreen")
    os.makedirs(env["TMPDIR"], exist_ok=True)
    seeds = make_seeds(work)
    if not seeds:
        sys.exit("no seed files could be made")
    contents = {p: open(p, "rb").read() for p in seeds}

    tally = {}
    problems = []
    crashes = hangs = 0
    accepted = converted = 0
    started = time.monotonic()
    for case in range(args.cases):
        seed = rng.choice(seeds)
        kind, data = mutate(rng, contents[seed], contents[rng.choice(seeds)])
        name = "case%04d.%s" % (case, seed.rsplit(".", 1)[1])
        path = os.path.join(work, name)
        with open(path, "wb") as f:
            f.write(data)
        out = os.path.join(work, "out%04d" % case)
        os.makedirs(out)
        results = []
        for label, cmd, limit in (
            ("info", [cli, "--info", path], args.info_limit),
            ("convert", [cli, "--profile", "1004", "--size", "160x120", "--output", out, path], args.convert_limit),
        ):
            verdict, code, err, seconds = run(cmd, limit, env)
            results.append((label, verdict, code))
            key = (label, verdict if verdict != "ok" else "exit %d" % code)
            tally[key] = tally.get(key, 0) + 1
            crashes += verdict == "crash"
            hangs += verdict == "hang"
            if verdict != "ok":
                shutil.copy(path, os.path.join(keep, name))
                problems.append("%s %s (%s from %s): %s after %.1f s\n%s" % (
                    label, name, kind, os.path.basename(seed), verdict, seconds,
                    err.decode(errors="replace")[-2000:]))
            if label == "info" and verdict == "ok" and code == 0:
                accepted += 1
            if label == "convert" and verdict == "ok" and code == 0:
                converted += 1
                outputs = os.listdir(out)
                leftovers = [o for o in outputs if o.endswith(".part")]
                if leftovers:
                    problems.append("convert %s left %s" % (name, leftovers))
                for o in outputs:
                    probe = subprocess.run(["ffprobe", "-v", "error", os.path.join(out, o)],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
                    if probe.returncode != 0:
                        problems.append("convert %s wrote %s, which ffprobe cannot read" % (name, o))
            elif label == "convert" and os.listdir(out):
                problems.append("convert %s failed yet left %s" % (name, os.listdir(out)))
        shutil.rmtree(out, ignore_errors=True)
        os.remove(path)
        if (case + 1) % 25 == 0:
            print("%d cases, %.0f s" % (case + 1, time.monotonic() - started), flush=True)

    print("\n%d cases from %d seed files (seed %d), %.0f s" % (args.cases, len(seeds), args.seed,
                                                              time.monotonic() - started))
    print("accepted by --info: %d; converted: %d" % (accepted, converted))
    for key in sorted(tally, key=str):
        print("  %-8s %-6s %d" % (key[0], key[1], tally[key]))
    print("crashes: %d, hangs: %d, other problems: %d" % (crashes, hangs, len(problems) - crashes - hangs))
    for p in problems:
        print("---\n" + p)
    if problems:
        print("inputs kept in %s" % keep)
    else:
        shutil.rmtree(work, ignore_errors=True)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
