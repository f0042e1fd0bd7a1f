#include "childrun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

} // namespace

ChildRun runChild(const std::vector<std::string> &args, const std::vector<std::string> &env, bool quiet)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    ChildRun m;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        for (const std::string &e : env)
            putenv(const_cast<char *>(e.c_str()));
        // The children's chatter would drown the table.
        if (FILE *null = std::fopen("/dev/null", "w")) {
            dup2(fileno(null), STDOUT_FILENO);
            if (quiet)
                dup2(fileno(null), STDERR_FILENO);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return m;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) < 0)
        return m;
    m.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    m.peakKb = usage.ru_maxrss;
    m.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m;
}

bool generateClip(const std::string &path, const std::string &size, int seconds,
                  const std::vector<std::string> &extraVideo)
{
    const std::string dur = std::to_string(seconds);
    std::vector<std::string> args = {"ffmpeg",
                                     "-y",
                                     "-v",
                                     "error",
                                     "-nostdin",
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "testsrc2=size=" + size + ":rate=25:duration=" + dur,
                                     "-f",
                                     "lavfi",
                                     "-i",
                                     "sine=frequency=440:sample_rate=48000:duration=" + dur,
                                     "-c:v",
                                     "libx264",
                                     "-preset",
                                     "veryfast",
                                     "-pix_fmt",
                                     "yuv420p"};
    args.insert(args.end(), extraVideo.begin(), extraVideo.end());
    args.insert(args.end(), {"-c:a", "aac", "-ac", "2", path});
    return runChild(args).exitCode == 0;
}
