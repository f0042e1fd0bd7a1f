#pragma once

#include <string>
#include <vector>

// What one benchmark child process took: wall time, CPU time (user +
// system), peak resident memory (wait4's rusage) and its exit code (-1 when
// it could not start or did not end normally).
struct ChildRun {
    double wall = 0;
    double cpu = 0;
    long peakKb = 0;
    int exitCode = -1;
};

// Runs args[0] (looked up on PATH) with the rest as its arguments and waits
// for it.  env entries ("NAME=value") are added to the child's environment.
// The child's output goes to /dev/null; with quiet its error output too.
ChildRun runChild(const std::vector<std::string> &args, const std::vector<std::string> &env = {},
                  bool quiet = false);

// Makes a test clip with the ffmpeg tool: testsrc2 pictures of the given
// size ("1920x1080") at 25/s, H.264 (veryfast, yuv420p, with extraVideo
// options such as a bit rate) and a 48 kHz AAC tone.  True when it worked.
bool generateClip(const std::string &path, const std::string &size, int seconds,
                  const std::vector<std::string> &extraVideo = {});
