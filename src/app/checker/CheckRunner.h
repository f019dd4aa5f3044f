#pragma once

#include "core/check/PageCheck.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>

class QThread;

namespace qw {

// Runs the page check on a worker thread, on a copy of the text, so the
// window never waits for the library. A newer text cancels the run still
// going; a run past its time limit gives the one finding that says the page
// could not be checked.
class CheckRunner : public QObject
{
    Q_OBJECT
public:
    explicit CheckRunner(QObject* parent = nullptr);
    ~CheckRunner() override;

    // Starts checking utf8 (the page saved at documentPath, or without a
    // file when that is empty); an earlier run that has not finished is
    // cancelled and its findings never arrive.
    void start(const QByteArray& utf8, const QString& documentPath);
    // Cancels the run going on, if any.
    void cancel();
    bool isRunning() const { return m_current != nullptr; }

    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }
    std::chrono::milliseconds timeLimit() const { return m_timeLimit; }

Q_SIGNALS:
    // The findings of the latest run started.
    void finished(const QList<qw::PageFinding>& findings);

private:
    struct Run;
    void deliver(const std::shared_ptr<Run>& run);
    void giveUp();

    std::chrono::milliseconds m_timeLimit{10000};
    std::shared_ptr<Run> m_current;
    QList<QThread*> m_threads;
    // Watches the run from the window's side: should the library not come
    // back even past its own limit, the window does not wait for it.
    QTimer m_watchdog;
};

} // namespace qw
