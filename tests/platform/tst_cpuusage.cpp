#include "platform/cpuusagent.h"
#include "platform/proccpucounters.h"
#include "tests/fakes/fakecpucounters.h"

#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

using Script = QList<std::optional<CpuCounters>>;

std::optional<CpuCounters> counters(qint64 idle, qint64 system, int processors)
{
    return CpuCounters{idle, system, processors};
}

const std::optional<CpuCounters> failedRead;

} // namespace

Q_DECLARE_METATYPE(std::optional<CpuCounters>)

class TestCpuUsage : public QObject {
    Q_OBJECT

private slots:
    void formula_data();
    void formula();
    void sequence_data();
    void sequence();
    void text_data();
    void text();
    void statFile_data();
    void statFile();
    void realStat();
};

void TestCpuUsage::formula_data()
{
    // The first sample goes to Initialize, the second to Query.
    QTest::addColumn<std::optional<CpuCounters>>("first");
    QTest::addColumn<std::optional<CpuCounters>>("second");
    QTest::addColumn<qint32>("usage");

    QTest::newRow("two processors, one busy")
        << counters(0, 0, 2) << counters(1'000'000, 1'000'000, 2) << 50;
    QTest::newRow("two processors, both idle")
        << counters(0, 0, 2) << counters(2'000'000, 1'000'000, 2) << 0;
    QTest::newRow("two processors, both busy")
        << counters(0, 0, 2) << counters(0, 1'000'000, 2) << 100;
    QTest::newRow("four processors, 7 percent")
        << counters(1000, 500, 4) << counters(373'000, 100'500, 4) << 7;
    QTest::newRow("half a percent rounds up")
        << counters(0, 0, 1) << counters(50, 10'000, 1) << 100;
    QTest::newRow("just under a whole percent")
        << counters(0, 0, 1) << counters(51, 10'000, 1) << 99;
    // 0.50504 is kept as 0.5050, which gives 50 where the exact ratio would give 49.
    QTest::newRow("ratio kept to four decimals")
        << counters(0, 0, 1) << counters(50'504, 100'000, 1) << 50;
    QTest::newRow("clock stood still, no idle time")
        << counters(5000, 7000, 2) << counters(5000, 7000, 2) << 100;
    // No division: the idle difference itself, 30000 read as 3.0000, goes into the formula.
    QTest::newRow("clock stood still, idle time advanced")
        << counters(0, 7000, 2) << counters(30'000, 7000, 2) << -50;
    QTest::newRow("idle counter went backwards")
        << counters(100, 0, 1) << counters(90, 100, 1) << 110;
}

void TestCpuUsage::formula()
{
    QFETCH(std::optional<CpuCounters>, first);
    QFETCH(std::optional<CpuCounters>, second);
    QFETCH(qint32, usage);

    FakeCpuCounters source({first, second});
    clsCPUUsageNT meter(source);
    meter.Initialize();
    QCOMPARE(meter.Query(), usage);
    QCOMPARE(source.sampleCalls, 2);
}

void TestCpuUsage::sequence_data()
{
    // The first sample goes to Initialize, each further one to a Query.
    QTest::addColumn<Script>("script");
    QTest::addColumn<QList<qint32>>("results");

    QTest::newRow("each query measures from the one before")
        << Script{counters(0, 0, 2), counters(1'000'000, 1'000'000, 2),
                  counters(3'000'000, 2'000'000, 2)}
        << QList<qint32>{50, 0};
    QTest::newRow("failed read keeps the previous sample")
        << Script{counters(5'000'000, 5'000'000, 2), failedRead, counters(6'000'000, 5'500'000, 2)}
        << QList<qint32>{-1, 0};
    QTest::newRow("no processors counts as a failed read")
        << Script{counters(5'000'000, 5'000'000, 2), counters(9'000'000, 9'000'000, 0),
                  counters(6'000'000, 5'500'000, 2)}
        << QList<qint32>{-1, 0};
    QTest::newRow("failed first sample measures from zero")
        << Script{failedRead, counters(2'000'000, 1'000'000, 2)} << QList<qint32>{0};
    QTest::newRow("failing for good")
        << Script{counters(0, 0, 2), failedRead, failedRead} << QList<qint32>{-1, -1};
}

void TestCpuUsage::sequence()
{
    QFETCH(Script, script);
    QFETCH(QList<qint32>, results);

    FakeCpuCounters source(script);
    clsCPUUsageNT meter(source);
    meter.Initialize();
    QList<qint32> seen;
    for (qsizetype i = 0; i < results.size(); ++i) {
        seen.append(meter.Query());
    }
    meter.Terminate();
    QCOMPARE(seen, results);
    QCOMPARE(source.sampleCalls, results.size() + 1);
}

void TestCpuUsage::text_data()
{
    QTest::addColumn<qint32>("usage");
    QTest::addColumn<QString>("text");

    QTest::newRow("unavailable") << -1 << QStringLiteral("???");
    QTest::newRow("zero") << 0 << QStringLiteral("0%");
    QTest::newRow("one digit") << 7 << QStringLiteral("7%");
    QTest::newRow("full") << 100 << QStringLiteral("100%");
    QTest::newRow("below zero") << -50 << QStringLiteral("-50%");
}

void TestCpuUsage::text()
{
    QFETCH(qint32, usage);
    QFETCH(QString, text);
    QCOMPARE(cpuUsageText(usage), text);
}

void TestCpuUsage::statFile_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<std::optional<CpuCounters>>("expected");

    // The unit is 1/processors of a tick: idle ticks x processors, and all ticks but the
    // guest ones (already inside user and nice).
    QTest::newRow("current kernel") << QByteArray("cpu  10 20 30 400 50 6 7 8 9 11\n"
                                                  "cpu0 5 10 15 200 25 3 3 4 4 5\n"
                                                  "cpu1 5 10 15 200 25 3 4 4 5 6\n"
                                                  "intr 1 2 3\nctxt 99\n")
                                    << counters(900, 531, 2);
    QTest::newRow("old kernel, four fields")
        << QByteArray("cpu 1 2 3 4\ncpu0 1 2 3 4\n") << counters(4, 10, 1);
    QTest::newRow("no line after the processors")
        << QByteArray("cpu 1 2 3 4 5\ncpu0 1 2 3 4 5\ncpu1 0 0 0 0 0") << counters(18, 15, 2);
    QTest::newRow("missing file") << QByteArray() << failedRead;
    QTest::newRow("empty file") << QByteArray("") << failedRead;
    QTest::newRow("no processor lines") << QByteArray("cpu 1 2 3 4\nintr 5\n") << failedRead;
    QTest::newRow("total line missing") << QByteArray("cpu0 1 2 3 4\n") << failedRead;
    QTest::newRow("three fields") << QByteArray("cpu 1 2 3\ncpu0 1 2 3\n") << failedRead;
    QTest::newRow("not a number") << QByteArray("cpu 1 2 x 4\ncpu0 1 2 3 4\n") << failedRead;
    QTest::newRow("negative") << QByteArray("cpu 1 2 3 -4\ncpu0 1 2 3 4\n") << failedRead;
    static const char binary[] = "\x7f"
                                 "ELF\0\0\x01"
                                 "cpu 1 2 3 4\ncpu0 1 2 3 4\n";
    QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1) << failedRead;
}

void TestCpuUsage::statFile()
{
    QFETCH(QByteArray, content);
    QFETCH(std::optional<CpuCounters>, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("stat"));
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
    const std::optional<CpuCounters> seen = ProcCpuCounters(path).sample();
    QCOMPARE(seen.has_value(), expected.has_value());
    if (!expected) {
        return;
    }
    QCOMPARE(seen->idleTime, expected->idleTime);
    QCOMPARE(seen->systemTime, expected->systemTime);
    QCOMPARE(seen->processorCount, expected->processorCount);
}

void TestCpuUsage::realStat()
{
    ProcCpuCounters source;
    const std::optional<CpuCounters> before = source.sample();
    QVERIFY(before);
    QCOMPARE(before->processorCount, static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN)));

    const int waitMs = 300;
    QTest::qSleep(waitMs);
    const std::optional<CpuCounters> after = source.sample();
    QVERIFY(after);

    // systemTime runs in 1/processors of a tick: back in ticks, it must match the wait.
    const double ticks = double(after->systemTime - before->systemTime) / after->processorCount;
    const double expectedTicks = waitMs / 1000.0 * ::sysconf(_SC_CLK_TCK);
    QVERIFY2(ticks >= expectedTicks / 2 && ticks <= expectedTicks * 2,
             qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(waitMs)));
    const qint64 idle = after->idleTime - before->idleTime;
    const qint64 elapsed = after->systemTime - before->systemTime;
    QVERIFY2(idle >= 0 && idle <= elapsed * after->processorCount,
             qPrintable(QStringLiteral("idle %1, elapsed %2").arg(idle).arg(elapsed)));

    clsCPUUsageNT meter(source);
    meter.Initialize();
    QTest::qSleep(waitMs);
    const qint32 usage = meter.Query();
    QVERIFY2(usage >= 0 && usage <= 100, qPrintable(cpuUsageText(usage)));
    meter.Terminate();
}

QTEST_GUILESS_MAIN(TestCpuUsage)
#include "tst_cpuusage.moc"
