#include "engine/transcode/tempoutput.h"

#include "engine/av/avptr.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

std::string randomTag()
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 engine{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, int(sizeof(kChars)) - 2);
    std::string tag(6, 'x');
    for (char &c : tag)
        c = kChars[pick(engine)];
    return tag;
}

// Creates "<dir>/.<name>.<tag><ending>" exclusively; the open descriptor,
// or -1 with the reason in error.
int createHidden(const std::string &dir, const std::string &name, const std::string &ending,
                 std::string *path, std::string *error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = dir + "/." + name + "." + randomTag() + ending;
        // Not mkstemp: its files are private to the owner, and the finished
        // output keeps the mode of this file.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            *path = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            av::failWith(error, "cannot write into the folder [" + dir + "]: " + std::strerror(errno));
            return -1;
        }
    }
    av::failWith(error, "cannot create a temporary file in [" + dir + "]");
    return -1;
}

void splitPath(const std::string &path, std::string *dir, std::string *name)
{
    const size_t slash = path.find_last_of('/');
    *dir = slash == std::string::npos ? "." : path.substr(0, slash);
    *name = slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string TempOutput::reserve(const std::string &dir, const std::string &name, const std::string &ending,
                                std::string *error)
{
    std::string path;
    const int fd = createHidden(dir, name, ending, &path, error);
    if (fd < 0)
        return {};
    ::close(fd);
    return path;
}

TempOutput::~TempOutput()
{
    discard();
}

TempOutput::TempOutput(TempOutput &&other) noexcept
    : m_path(std::move(other.m_path)), m_finalPath(std::move(other.m_finalPath)), m_lockFd(other.m_lockFd)
{
    other.m_path.clear();
    other.m_lockFd = -1;
}

TempOutput &TempOutput::operator=(TempOutput &&other) noexcept
{
    if (this != &other) {
        discard();
        m_path = std::move(other.m_path);
        m_finalPath = std::move(other.m_finalPath);
        m_lockFd = other.m_lockFd;
        other.m_path.clear();
        other.m_lockFd = -1;
    }
    return *this;
}

bool TempOutput::create(const std::string &finalPath, std::string *error)
{
    discard();
    std::string dir, base;
    splitPath(finalPath, &dir, &base);
    const int fd = createHidden(dir, base, ".part", &m_path, error);
    if (fd < 0)
        return false;
    // The descriptor stays open, locked, until the file is committed or
    // discarded; the muxer writes through a descriptor of its own.
    ::flock(fd, LOCK_EX | LOCK_NB);
    m_lockFd = fd;
    m_finalPath = finalPath;
    return true;
}

bool TempOutput::commit(std::string *error)
{
    if (m_path.empty())
        return av::failWith(error, "no output was written");
    if (std::rename(m_path.c_str(), m_finalPath.c_str()) != 0)
        return av::failWith(error, "cannot rename the output to [" + m_finalPath + "]");
    m_path.clear();
    unlock();
    return true;
}

bool TempOutput::commitAsNew(const std::string &finalPath, std::string *error)
{
    if (m_path.empty())
        return av::failWith(error, "no output was written");
    int ret = ::renameat2(AT_FDCWD, m_path.c_str(), AT_FDCWD, finalPath.c_str(), RENAME_NOREPLACE);
    if (ret != 0 && errno == EINVAL) {
        // A file system without that kind of rename: a hard link is just as
        // unwilling to replace a file.
        ret = ::link(m_path.c_str(), finalPath.c_str());
        if (ret == 0)
            ::unlink(m_path.c_str());
    }
    if (ret != 0) {
        const bool taken = errno == EEXIST;
        return av::failWith(error, taken ? "[" + finalPath + "] already exists"
                                         : "cannot rename the output to [" + finalPath + "]");
    }
    m_path.clear();
    unlock();
    return true;
}

void TempOutput::discard()
{
    if (!m_path.empty())
        std::remove(m_path.c_str());
    m_path.clear();
    unlock();
}

void TempOutput::unlock()
{
    if (m_lockFd >= 0)
        ::close(m_lockFd);
    m_lockFd = -1;
}
