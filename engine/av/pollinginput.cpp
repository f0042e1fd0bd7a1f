#include "engine/av/pollinginput.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kBufferSize = 64 * 1024;
constexpr int kPollMs = 50;
} // namespace

PollingInput::~PollingInput()
{
    m_io.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PollingInput::needed(const std::string &path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode));
}

bool PollingInput::open(const std::string &path, const AVIOInterruptCB &interrupt, std::string *error)
{
    m_interrupt = interrupt;
    // Non-blocking: opening a FIFO for reading would otherwise wait for a writer.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        if (error)
            *error = "cannot open [" + path + "]: " + av::errorText(AVERROR(errno));
        return false;
    }
    auto *buffer = static_cast<unsigned char *>(av_malloc(kBufferSize));
    if (buffer)
        m_io.reset(
            avio_alloc_context(buffer, kBufferSize, 0, this, &PollingInput::readPacket, nullptr, nullptr));
    if (!m_io) {
        av_free(buffer);
        if (error)
            *error = "out of memory";
        return false;
    }
    return true;
}

bool PollingInput::interrupted() const
{
    return m_interrupt.callback && m_interrupt.callback(m_interrupt.opaque) != 0;
}

int PollingInput::readPacket(void *opaque, uint8_t *buffer, int size)
{
    auto *self = static_cast<PollingInput *>(opaque);
    for (;;) {
        const ssize_t n = ::read(self->m_fd, buffer, size_t(size));
        if (n > 0)
            return int(n);
        if (n == 0)
            return AVERROR_EOF;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return AVERROR(errno);
        if (self->interrupted())
            return AVERROR_EXIT;
        pollfd p{self->m_fd, POLLIN, 0};
        ::poll(&p, 1, kPollMs);
    }
}
