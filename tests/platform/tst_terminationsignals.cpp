#include "platform/terminationsignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

// Signals raised for real at this process: before the program is ready they are only
// remembered, afterwards each is delivered.
class TestTerminationSignals : public QObject {
    Q_OBJECT

private slots:
    void heldUntilReady_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

    void heldUntilReady()
    {
        QFETCH(int, number);
        TerminationSignals termination;
        QSignalSpy delivered(&termination, &TerminationSignals::terminationRequested);
        QCOMPARE(termination.pendingSignal(), 0);
        QCOMPARE(::raise(number), 0);
        QTRY_COMPARE(termination.pendingSignal(), number);
        QCOMPARE(::raise(SIGTERM), 0); // a second one does not replace the first
        QTest::qWait(50);
        QCOMPARE(termination.pendingSignal(), number);
        QCOMPARE(delivered.count(), 0);

        termination.setReady();
        QCOMPARE(::raise(number), 0);
        QTRY_COMPARE(delivered.count(), 1);
        QCOMPARE(delivered.at(0).at(0).toInt(), number);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
