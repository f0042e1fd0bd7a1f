// What the "CPU cores" setting does to one conversion: a generated 720p clip
// is converted (H.264 960x540 + AAC) with 1, 2, ... threads per codec and
// with all cores, each run in a child process; prints wall time, CPU time
// (user + system) and the cores the job kept busy on average (CPU / wall).
//
//   bench_threads [seconds=10]

#include "childrun.h"
#include "engine/transcode/transcoder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

int engineChild(const char *input, const char *output, int threads)
{
    TranscodeJob job;
    TranscodeInput in;
    in.path = input;
    job.inputs.push_back(in);
    OutputSpec &out = job.output;
    out.path = output;
    out.video.codec = "libx264";
    out.video.width = 960;
    out.video.height = 540;
    out.video.rate = RateControl::BitRate{1500000};
    out.audio.codec = "aac";
    out.audio.sampleRate = 44100;
    out.audio.channels = 2;
    out.audio.bitRate = 128000;
    job.processing.threads = threads;
    const TranscodeResult result = Transcoder::run(job);
    if (!result.ok()) {
        std::fprintf(stderr, "engine failed: %s\n", result.reason.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--engine-child") == 0)
        return engineChild(argv[2], argv[3], std::atoi(argv[4]));

    const int length = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const char *tmp = std::getenv("TMPDIR");
    std::string dirTemplate = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_threads.XXXXXX";
    const char *dir = mkdtemp(dirTemplate.data());
    if (!dir) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string src = std::string(dir) + "/src720.mp4";
    const std::string out = std::string(dir) + "/out.mp4";
    std::printf("generating a %d s 1280x720 H.264/AAC clip...\n", length);
    if (!generateClip(src, "1280x720", length)) {
        std::fprintf(stderr, "could not generate the source clip\n");
        return 1;
    }

    const int cores = int(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<int> counts;
    for (int n = 1; n <= cores; ++n)
        counts.push_back(n);
    counts.push_back(0);
    std::printf("%-10s %9s %9s %12s\n", "threads", "wall s", "CPU s", "cores busy");
    int failures = 0;
    for (int n : counts) {
        const ChildRun m = runChild({"/proc/self/exe", "--engine-child", src, out, std::to_string(n)});
        if (m.exitCode != 0) {
            std::printf("%-10s failed\n", n == 0 ? "all" : std::to_string(n).c_str());
            ++failures;
            continue;
        }
        std::printf("%-10s %9.2f %9.2f %12.2f\n", n == 0 ? "all" : std::to_string(n).c_str(), m.wall, m.cpu,
                    m.cpu / std::max(0.001, m.wall));
    }
    std::remove(src.c_str());
    std::remove(out.c_str());
    rmdir(dir);
    return failures == 0 ? 0 : 1;
}
