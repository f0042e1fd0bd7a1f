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
