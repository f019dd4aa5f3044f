#pragma once

#include <QObject>

class QSocketNotifier;

namespace qw {

// SIGTERM, SIGHUP and SIGINT as an event of the window's thread: the
// handler only writes the signal's number into a pipe (nothing else is safe
// there), and the reading end's notifier turns it into endRequested() once
// the event loop runs. A signal that comes while the window is still being
// built waits in the pipe.
class EndSignals : public QObject
{
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    // False when the pipe could not be made: the signals then end the
    // program as the system does by default.
    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void endRequested(int signalNumber);

private:
    void readSignals();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace qw
