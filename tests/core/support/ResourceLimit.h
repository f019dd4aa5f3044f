#pragma once

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace qw::test {

// Lowers one of this process's resource limits for as long as it lives.
// Unlike file modes these bind the superuser as well, so a failure they cause
// is seen by tests run as root. Going past RLIMIT_FSIZE makes the write fail
// with EFBIG instead of raising SIGXFSZ.
class ResourceLimit
{
public:
    ResourceLimit(int resource, rlim_t value) : m_resource(resource)
    {
        m_saved = ::getrlimit(resource, &m_old) == 0;
        if (!m_saved)
            return;
        if (resource == RLIMIT_FSIZE)
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = std::min(value, m_old.rlim_max);
        m_set = ::setrlimit(resource, &lowered) == 0;
    }
    ResourceLimit(const ResourceLimit&) = delete;
    ResourceLimit& operator=(const ResourceLimit&) = delete;
    ~ResourceLimit()
    {
        if (!m_saved)
            return;
        ::setrlimit(m_resource, &m_old);
        if (m_resource == RLIMIT_FSIZE)
            std::signal(SIGXFSZ, m_oldHandler);
    }

    // No file can be opened while it lives: the limit is the lowest free
    // descriptor, so every one below it is taken.
    static ResourceLimit noMoreOpenFiles()
    {
        const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (lowestFree >= 0)
            ::close(lowestFree);
        return ResourceLimit(RLIMIT_NOFILE, rlim_t(std::max(lowestFree, 0)));
    }

    bool isSet() const { return m_set; }

private:
    int m_resource;
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_saved = false;
    bool m_set = false;
};

} // namespace qw::test
