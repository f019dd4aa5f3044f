#include "app/shell/EndSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qw {

namespace {

constexpr std::array kEndSignals{SIGTERM, SIGHUP, SIGINT};

// [0] is read by the window's thread, [1] written by the handler. One pair
// for the process, as the handlers are.
int g_pipe[2] = {-1, -1};

extern "C" void writeSignalNumber(int signalNumber)
{
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: with the pipe full, an end is on its way anyway.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] >= 0)
        return; // one watcher a process
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    ::fcntl(g_pipe[1], F_SETFL, ::fcntl(g_pipe[1], F_GETFL) | O_NONBLOCK);
    ::fcntl(g_pipe[0], F_SETFL, ::fcntl(g_pipe[0], F_GETFL) | O_NONBLOCK);
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kEndSignals)
        ::sigaction(s, &action, nullptr);
}

EndSignals::~EndSignals()
{
    if (m_notifier == nullptr)
        return;
    // Back to the system's way: a signal after the window is gone ends the
    // process as usual instead of writing into a closed pipe.
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : kEndSignals)
        ::sigaction(s, &action, nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void EndSignals::readSignals()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        last = byte;
    if (last != 0)
        Q_EMIT endRequested(last);
}

} // namespace qw
