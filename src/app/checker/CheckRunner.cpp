#include "app/checker/CheckRunner.h"

#include <QThread>

namespace qw {

namespace {
// The library's parser descends once for every open element; the check
// refuses pages deep enough to need more than this.
constexpr uint kWorkerStack = 64u * 1024u * 1024u;
// How long past its own limit a run may stay before the window stops
// waiting for it.
constexpr std::chrono::milliseconds kWatchdogGrace{2000};
} // namespace

struct CheckRunner::Run
{
    std::atomic<bool> cancel{false};
    QByteArray utf8;
    QString path;
    PageCheck result;
};

CheckRunner::CheckRunner(QObject* parent) : QObject(parent)
{
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &CheckRunner::giveUp);
}

CheckRunner::~CheckRunner()
{
    cancel();
    // Cancelled runs stop reading at once; none may outlive its runner.
    for (QThread* thread : std::as_const(m_threads)) {
        thread->wait();
        delete thread;
    }
}

void CheckRunner::start(const QByteArray& utf8, const QString& documentPath)
{
    cancel();
    auto run = std::make_shared<Run>();
    run->utf8 = utf8;
    run->path = documentPath;
    m_current = run;
    const auto limit = m_timeLimit;
    QThread* thread = QThread::create([run, limit] {
        CheckControl control;
        control.cancel = &run->cancel;
        control.deadline = std::chrono::steady_clock::now() + limit;
        run->result = checkPage(run->utf8, run->path, control);
        run->utf8.clear();
    });
    thread->setStackSize(kWorkerStack);
    m_threads.append(thread);
    connect(thread, &QThread::finished, this, [this, thread, run] {
        m_threads.removeOne(thread);
        thread->deleteLater();
        deliver(run);
    });
    m_watchdog.start(limit + kWatchdogGrace);
    thread->start(QThread::LowPriority);
}

void CheckRunner::cancel()
{
    if (m_current != nullptr)
        m_current->cancel.store(true);
    m_current.reset();
    m_watchdog.stop();
}

void CheckRunner::deliver(const std::shared_ptr<Run>& run)
{
    if (run != m_current)
        return;
    m_current.reset();
    m_watchdog.stop();
    Q_EMIT finished(run->result.findings);
}

void CheckRunner::giveUp()
{
    if (m_current == nullptr)
        return;
    cancel();
    PageFinding f;
    f.message = uncheckedPageText(CheckOutcome::TimedOut, false);
    Q_EMIT finished({f});
}

} // namespace qw
