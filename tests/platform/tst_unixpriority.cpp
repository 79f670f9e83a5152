#include "platform/unixpriority.h"

#include <QTest>

#include <atomic>
#include <cerrno>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

struct Nices {
    int caller = 99;
    int other = 99;
};

// Runs raise() in a child process, so the test's own priority stays as it is. The child sets
// its nice value to start, optionally gives up root, starts a second thread and raises; it
// reports the nice values of both threads afterwards.
Nices raiseInChild(int start, bool dropRoot)
{
    int fds[2];
    if (pipe(fds) != 0)
        qFatal("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        setpriority(PRIO_PROCESS, 0, start);
        if (dropRoot && setuid(65534) != 0)
            _exit(2);
        std::atomic<pid_t> otherId{0};
        std::atomic<bool> done{false};
        std::thread other([&] {
            otherId = gettid();
            while (!done)
                usleep(1000);
        });
        while (otherId == 0)
            usleep(1000);
        UnixPriority().raise();
        Nices seen;
        errno = 0;
        seen.caller = getpriority(PRIO_PROCESS, 0);
        seen.other = getpriority(PRIO_PROCESS, id_t(otherId.load()));
        done = true;
        other.join();
        const bool written = write(fds[1], &seen, sizeof seen) == sizeof seen;
        _exit(written ? 0 : 3);
    }
    close(fds[1]);
    Nices seen;
    const bool read = ::read(fds[0], &seen, sizeof seen) == sizeof seen;
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        qFatal("the child did not report");
    return seen;
}

} // namespace

class TestUnixPriority : public QObject {
    Q_OBJECT

private slots:
    void raise_data();
    void raise();
};

void TestUnixPriority::raise_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("dropRoot");
    QTest::addColumn<int>("caller");
    QTest::addColumn<int>("other");
    QTest::newRow("normal priority") << 0 << false << -10 << -5;
    QTest::newRow("between the two") << -7 << false << -10 << -7;
    QTest::newRow("already higher: left alone") << -15 << false << -15 << -15;
    QTest::newRow("lowered by the user") << 8 << false << -10 << -5;
    QTest::newRow("without privileges: unchanged") << 3 << true << 3 << 3;
}

void TestUnixPriority::raise()
{
    QFETCH(int, start);
    QFETCH(bool, dropRoot);
    QFETCH(int, caller);
    QFETCH(int, other);
    if (geteuid() != 0)
        QSKIP("setting nice values below 0 for the test needs root");
    const Nices seen = raiseInChild(start, dropRoot);
    QCOMPARE(seen.caller, caller);
    QCOMPARE(seen.other, other);
}

QTEST_GUILESS_MAIN(TestUnixPriority)
#include "tst_unixpriority.moc"
