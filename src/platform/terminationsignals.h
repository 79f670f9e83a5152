#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the user-interface thread, so
// that the system ending the program closes the board as a normal end. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False when the handlers could not be installed (the program then ends on the default
    // action of those signals, as a crash would).
    bool isInstalled() const { return m_notifier != nullptr; }

signals:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier *m_notifier = nullptr;
};
