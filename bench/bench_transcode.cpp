// Converts one generated 1080p clip to 640x480 H.264 1200 kb/s + AAC
// 128 kb/s 44.1 kHz stereo with the ffmpeg tool, with the engine (pipelined
// and on one thread), and through reelmax-cli (profile "MP4 Video"), and
// prints wall time, CPU time and peak memory of each, the medians of
// interleaved runs and their ratios to the tool's.  Each side runs in a child process of its
// own so that peak memory is measured alike (wait4's rusage).  Also measures
// how long a stop takes to end a running conversion.
//
//   bench_transcode [seconds=10] [runs=5]
//
// Targets: engine <= 0.90x the tool's wall time, reelmax-cli <= 0.95x; peak
// memory <= 1.05x; a stop ends the job within 0.5 s.

#include "childrun.h"
#include "engine/transcode/transcoder.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TranscodeJob benchJob(const char *input, const char *output)
{
    TranscodeJob job;
    TranscodeInput in;
    in.path = input;
    job.inputs.push_back(in);
    OutputSpec &out = job.output;
    out.path = output;
    out.video.codec = "libx264";
    out.video.width = 640;
    out.video.height = 480;
    out.video.rate = RateControl::BitRate{1200000};
    out.audio.codec = "libvo_aacenc";
    out.audio.sampleRate = 44100;
    out.audio.channels = 2;
    out.audio.bitRate = 128000;
    return job;
}

int engineChild(const char *input, const char *output, bool pipelined)
{
    TranscodeJob job = benchJob(input, output);
    job.pipelined = pipelined;
    const TranscodeResult result = Transcoder::run(job);
    if (!result.ok()) {
        std::fprintf(stderr, "engine failed: %s\n", result.reason.c_str());
        return 1;
    }
    return 0;
}

// Starts the conversion, stops it after a while and prints how long the
// stop took to end it (ms).
int stopChild(const char *input, const char *output)
{
    struct FrameCount : TranscodeObserver {
        void onProgress(double, int64_t count) override { frames.store(count); }
        std::atomic<int64_t> frames{0};
    } count;
    const TranscodeJob job = benchJob(input, output);
    StopToken stop;
    TranscodeStatus status = TRANSCODE_FAILED;
    std::thread worker([&] { status = Transcoder::run(job, &count, &stop).status; });
    while (count.frames.load() < 50)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto asked = std::chrono::steady_clock::now();
    stop.request();
    worker.join();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - asked).count();
    std::fprintf(stderr, "%.1f\n", ms);
    return status == TRANSCODE_STOPPED ? 0 : 1;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

std::string loadAverage()
{
    std::ifstream f("/proc/loadavg");
    std::string one, five, fifteen;
    f >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string selfDir()
{
    char buf[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof(buf) - 1);
    std::string path = n > 0 ? std::string(buf, size_t(n)) : std::string();
    return path.substr(0, path.rfind('/'));
}

struct Side {
    const char *name;
    std::vector<double> seconds, cpu, peakMb;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--engine-child") == 0)
        return engineChild(argv[2], argv[3], true);
    if (argc == 4 && std::strcmp(argv[1], "--sequential-child") == 0)
        return engineChild(argv[2], argv[3], false);
    if (argc == 4 && std::strcmp(argv[1], "--stop-child") == 0)
        return stopChild(argv[2], argv[3]);

    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const char *tmp = std::getenv("TMPDIR");
    std::string dirTemplate = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_transcode.XXXXXX";
    const char *dir = mkdtemp(dirTemplate.data());
    if (!dir) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string d = dir;
    const std::string src = d + "/src1080.mp4", toolOut = d + "/tool.mp4", engineOut = d + "/engine.mp4";
    const std::string cliOut = d + "/cli", home = d + "/home";
    mkdir(cliOut.c_str(), 0755);
    mkdir(home.c_str(), 0755);
    std::printf("generating a %d s 1920x1080 H.264/AAC clip...\n", seconds);
    std::fflush(stdout);
    if (!generateClip(src, "1920x1080", seconds, {"-b:v", "8M"})) {
        std::fprintf(stderr, "could not generate the source clip\n");
        return 1;
    }
    const std::string cli = selfDir() + "/reelmax-cli";
    const std::vector<std::string> cliEnv = {"HOME=" + home, "XDG_CONFIG_HOME=" + home + "/.config",
                                             "QT_QPA_PLATFORM=offscreen"};

    const std::string loadBefore = loadAverage();
    Side tool{"ffmpeg tool"}, engine{"engine"}, single{"engine, one thread"}, front{"reelmax-cli"};
    std::vector<double> stops;
    for (int i = 0; i < runs; ++i) {
        const ChildRun t = runChild({"ffmpeg",  "-y",   "-v",    "error", "-nostdin", "-i",   src,   "-c:v",
                                     "libx264", "-b:v", "1200k", "-s",    "640x480",  "-c:a", "aac", "-b:a",
                                     "128k",    "-ar",  "44100", "-ac",   "2",        toolOut});
        const ChildRun e = runChild({"/proc/self/exe", "--engine-child", src, engineOut});
        for (const auto &entry : std::filesystem::directory_iterator(cliOut))
            std::filesystem::remove_all(entry.path());
        const ChildRun c = runChild({cli, "--profile", "1004", "--output", cliOut, src}, cliEnv, true);
        const ChildRun s = runChild({"/proc/self/exe", "--sequential-child", src, engineOut});
        if (t.exitCode != 0 || e.exitCode != 0 || c.exitCode != 0 || s.exitCode != 0) {
            std::fprintf(stderr, "a run failed (tool %d, engine %d, cli %d, one thread %d)\n", t.exitCode,
                         e.exitCode, c.exitCode, s.exitCode);
            return 1;
        }
        std::printf(
            "run %d: tool %.2f s %ld MB | engine %.2f s %ld MB | cli %.2f s %ld MB | one thread %.2f s "
            "%ld MB\n",
            i + 1, t.wall, t.peakKb / 1024, e.wall, e.peakKb / 1024, c.wall, c.peakKb / 1024, s.wall,
            s.peakKb / 1024);
        std::fflush(stdout);
        for (auto [side, m] : {std::pair{&tool, t}, {&engine, e}, {&front, c}, {&single, s}}) {
            side->seconds.push_back(m.wall);
            side->cpu.push_back(m.cpu);
            side->peakMb.push_back(m.peakKb / 1024.0);
        }
    }
    for (int i = 0; i < std::max(3, runs); ++i) {
        // The child prints the latency on stderr; read it back from a file.
        const std::string latency = d + "/stop.txt";
        pid_t pid = fork();
        if (pid == 0) {
            if (FILE *f = std::fopen(latency.c_str(), "w"))
                dup2(fileno(f), STDERR_FILENO);
            execl("/proc/self/exe", "/proc/self/exe", "--stop-child", src.c_str(), engineOut.c_str(),
                  static_cast<char *>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        std::ifstream f(latency);
        double ms = -1;
        if (f >> ms)
            stops.push_back(ms);
    }
    const std::string loadAfter = loadAverage();

    std::printf("median of %d interleaved runs (load average before %s, after %s):\n", runs,
                loadBefore.c_str(), loadAfter.c_str());
    const double toolS = median(tool.seconds), toolMb = median(tool.peakMb);
    for (const Side *side : {&tool, &engine, &front, &single})
        std::printf("  %-20s %6.2f s  CPU %6.2f s  peak %6.1f MB   time %.3f  memory %.3f\n", side->name,
                    median(side->seconds), median(side->cpu), median(side->peakMb),
                    median(side->seconds) / toolS, median(side->peakMb) / toolMb);
    // Each run against the tool's run just before it: the spread shows how
    // much the machine's other work moved the medians.
    for (const Side *side : {&engine, &front}) {
        std::vector<double> ratios;
        for (size_t i = 0; i < side->seconds.size() && i < tool.seconds.size(); ++i)
            ratios.push_back(side->seconds[i] / tool.seconds[i]);
        if (ratios.empty())
            continue;
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        std::printf("  %-20s time run by run: lowest %.3f, median %.3f, highest %.3f\n", side->name, *low,
                    median(ratios), *high);
    }
    std::printf("  targets: engine time <= 0.90, reelmax-cli time <= 0.95, memory <= 1.05\n");
    std::printf("  stop latency: median %.0f ms, worst %.0f ms (target < 500)\n", median(stops),
                stops.empty() ? 0.0 : *std::max_element(stops.begin(), stops.end()));
    std::filesystem::remove_all(d);
    return 0;
}
