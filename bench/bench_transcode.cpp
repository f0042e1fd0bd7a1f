// Converts one generated 1080p clip with the engine and with the ffmpeg tool
// at the same settings (H.264 1200 kb/s 640x480, AAC 128 kb/s 44.1 kHz
// stereo) and prints wall time, peak memory and their ratios.  Each side
// runs in its own child process so that peak memory is measured alike.
//
//   bench_transcode [seconds=10] [runs=3]

#include "engine/transcode/ffmpegtranscode.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Measure {
    double seconds = 0;
    long peakKb = 0;
    int exitCode = -1;
};

Measure runChild(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    Measure m;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return m;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) < 0)
        return m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakKb = usage.ru_maxrss;
    m.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m;
}

int engineChild(const char *input, const char *output)
{
    EncodeInfo info;
    info.constant16 = 16;
    info.msEnd = -1;
    info.width = 640;
    info.height = 480;
    info.videoBitrate = 1200000;
    std::strcpy(info.videoEncoder, "libx264");
    info.sampleRate = 44100;
    info.channels = 2;
    info.audioBitrate = 128000;
    std::strcpy(info.audioEncoder, "libvo_aacenc");
    CFFmpegTranscode t;
    t.SetEncodeInfo(&info);
    t.AddInputFile(input);
    t.Transcode(output);
    if (t.GetLastConvetStatus() != TRANSCODE_FINISHED) {
        std::fprintf(stderr, "engine failed: %s\n", t.GetLastErrorText().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--engine-child") == 0)
        return engineChild(argv[2], argv[3]);
    if (argc == 2 && std::strcmp(argv[1], "--engine-baseline") == 0) {
        CFFmpegTranscode t; // loads the program's libraries, converts nothing
        return 0;
    }

    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const char *tmp = std::getenv("TMPDIR");
    std::string dirTemplate = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_transcode.XXXXXX";
    const char *dir = mkdtemp(dirTemplate.data());
    if (!dir) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string src = std::string(dir) + "/src1080.mp4";
    const std::string toolOut = std::string(dir) + "/tool.mp4";
    const std::string engineOut = std::string(dir) + "/engine.mp4";
    const std::string dur = std::to_string(seconds);
    std::printf("generating a %d s 1920x1080 H.264/AAC clip...\n", seconds);
    Measure gen = runChild({"ffmpeg",
                            "-y",
                            "-v",
                            "error",
                            "-nostdin",
                            "-f",
                            "lavfi",
                            "-i",
                            "testsrc2=size=1920x1080:rate=25:duration=" + dur,
                            "-f",
                            "lavfi",
                            "-i",
                            "sine=frequency=440:sample_rate=48000:duration=" + dur,
                            "-c:v",
                            "libx264",
                            "-preset",
                            "veryfast",
                            "-b:v",
                            "8M",
                            "-pix_fmt",
                            "yuv420p",
                            "-c:a",
                            "aac",
                            "-ac",
                            "2",
                            src});
    if (gen.exitCode != 0) {
        std::fprintf(stderr, "could not generate the source clip\n");
        return 1;
    }

    Measure bestTool, bestEngine;
    for (int i = 0; i < runs; ++i) {
        Measure tool = runChild({"ffmpeg",  "-y",   "-v",    "error", "-nostdin", "-i",   src,   "-c:v",
                                 "libx264", "-b:v", "1200k", "-s",    "640x480",  "-c:a", "aac", "-b:a",
                                 "128k",    "-ar",  "44100", "-ac",   "2",        toolOut});
        Measure engine = runChild({"/proc/self/exe", "--engine-child", src, engineOut});
        // /proc/self/exe resolves in the child to the child's own image: this program.
        if (tool.exitCode != 0 || engine.exitCode != 0) {
            std::fprintf(stderr, "a run failed (tool %d, engine %d)\n", tool.exitCode, engine.exitCode);
            return 1;
        }
        std::printf("run %d: tool %.2f s %ld MB | engine %.2f s %ld MB\n", i + 1, tool.seconds,
                    tool.peakKb / 1024, engine.seconds, engine.peakKb / 1024);
        if (i == 0 || tool.seconds < bestTool.seconds)
            bestTool.seconds = tool.seconds;
        if (i == 0 || engine.seconds < bestEngine.seconds)
            bestEngine.seconds = engine.seconds;
        if (i == 0 || tool.peakKb < bestTool.peakKb)
            bestTool.peakKb = tool.peakKb;
        if (i == 0 || engine.peakKb < bestEngine.peakKb)
            bestEngine.peakKb = engine.peakKb;
    }
    // What each process takes before any work: this program links the whole
    // application (Qt, WebEngine), the tool only FFmpeg.
    Measure engineBase = runChild({"/proc/self/exe", "--engine-baseline"});
    Measure toolBase = runChild(
        {"ffmpeg", "-v", "error", "-nostdin", "-f", "lavfi", "-i", "anullsrc=d=0.01", "-f", "null", "-"});
    std::printf("best of %d:\n", runs);
    std::printf("  ffmpeg tool: %.2f s, peak %ld MB\n", bestTool.seconds, bestTool.peakKb / 1024);
    std::printf("  engine:      %.2f s, peak %ld MB\n", bestEngine.seconds, bestEngine.peakKb / 1024);
    std::printf("  ratio time %.3f (target <= 1.03), memory %.3f (target <= 1.10)\n",
                bestEngine.seconds / bestTool.seconds, double(bestEngine.peakKb) / double(bestTool.peakKb));
    const long toolNet = bestTool.peakKb - toolBase.peakKb;
    const long engineNet = bestEngine.peakKb - engineBase.peakKb;
    std::printf("  start-up memory: tool %ld MB, engine process %ld MB\n", toolBase.peakKb / 1024,
                engineBase.peakKb / 1024);
    std::printf("  memory used by the conversion: tool %ld MB, engine %ld MB, ratio %.3f\n", toolNet / 1024,
                engineNet / 1024, toolNet > 0 ? double(engineNet) / double(toolNet) : 0.0);
    for (const std::string &f : {src, toolOut, engineOut})
        std::remove(f.c_str());
    rmdir(dir);
    return 0;
}
