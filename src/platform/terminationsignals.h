#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the user-interface thread, so
// that the system ending the program closes the board as a normal end. Until the program calls
// setReady() (its start-up done) a signal is only remembered: a normal end on half-loaded state
// would write over the files of the run being brought back. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // From now on a signal is delivered as terminationRequested().
    void setReady() { m_ready = true; }
    // The first signal that arrived before setReady(), 0 if none.
    int pendingSignal() const { return m_pending; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier *m_notifier = nullptr;
    bool m_ready = false;
    int m_pending = 0;
};
