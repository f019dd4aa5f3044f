#include "app/services/FreedMemory.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <ctime>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qw {

namespace {

qint64 processCpuNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Looks at the process's CPU time every quarter second; a quarter in which
// it used less than a tenth of that time is quiet.
class QuietWatch : public QObject
{
public:
    explicit QuietWatch(QObject* parent) : QObject(parent)
    {
        m_timer.setInterval(kIntervalMs);
        connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
    }

    void arm()
    {
        m_checks = 0;
        if (m_timer.isActive())
            return;
        m_lastCpu = processCpuNanoseconds();
        m_timer.start();
    }

private:
    static constexpr int kIntervalMs = 250;
    // Work that never pauses for ten minutes gets its memory back anyway.
    static constexpr int kMostChecks = 10 * 60 * 4;

    void check()
    {
        const qint64 cpu = processCpuNanoseconds();
        const qint64 used = cpu - m_lastCpu;
        m_lastCpu = cpu;
        if (used >= qint64(kIntervalMs) * 1000000 / 10 && ++m_checks < kMostChecks)
            return;
        m_timer.stop();
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
    }

    QTimer m_timer;
    qint64 m_lastCpu = 0;
    int m_checks = 0;
};

} // namespace

void returnFreedMemoryWhenQuiet()
{
    static QPointer<QuietWatch> watch;
    if (watch.isNull()) {
        if (QCoreApplication::instance() == nullptr)
            return;
        watch = new QuietWatch(QCoreApplication::instance());
    }
    watch->arm();
}

} // namespace qw
