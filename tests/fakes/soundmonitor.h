#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTest>

#include <cmath>
#include <cstring>
#include <optional>

// A recording of the test sound server's null sink, as the audience would hear it: mono 16-bit
// samples at 8 kHz, judged by the level of each 10 ms. The monitor delivers silence while
// nothing plays, so a sample's index is its time since the recording started.
class SoundMonitor {
public:
    static constexpr int Rate = 8000;
    static constexpr int Chunk = Rate / 100;

    SoundMonitor()
    {
        m_parec.start(QStringLiteral("parec"),
                      {QStringLiteral("--device=testsink.monitor"), QStringLiteral("--raw"),
                       QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                       QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--latency-msec=10")});
    }
    ~SoundMonitor()
    {
        m_parec.kill();
        m_parec.waitForFinished(3000);
    }
    SoundMonitor(const SoundMonitor &) = delete;
    SoundMonitor &operator=(const SoundMonitor &) = delete;

    // True once samples flow.
    bool waitRunning()
    {
        return QTest::qWaitFor([this] { return read() > Rate / 10; }, 5000);
    }
    // The chunk that is being recorded now.
    int now() { return read() / Chunk; }
    // RMS of each 10 ms chunk recorded so far.
    QList<double> levels()
    {
        read();
        QList<double> out;
        const auto *samples = reinterpret_cast<const qint16 *>(m_raw.constData());
        const int count = int(m_raw.size() / 2);
        for (int from = 0; from + Chunk <= count; from += Chunk) {
            double sum = 0;
            for (int i = from; i < from + Chunk; ++i)
                sum += double(samples[i]) * samples[i];
            out << std::sqrt(sum / Chunk);
        }
        return out;
    }
    // The first chunk at or after from with sound in it.
    std::optional<int> firstSound(int from, double threshold = 100.0)
    {
        const QList<double> level = levels();
        for (int i = from; i < level.size(); ++i) {
            if (level[i] > threshold)
                return i;
        }
        return std::nullopt;
    }
    // The mean RMS over chunks [from, to).
    double meanLevel(int from, int to)
    {
        const QList<double> level = levels();
        double sum = 0;
        int n = 0;
        for (int i = from; i < to && i < level.size(); ++i, ++n)
            sum += level[i];
        return n ? sum / n : 0.0;
    }

private:
    int read()
    {
        m_raw += m_parec.readAllStandardOutput();
        return int(m_raw.size() / 2);
    }

    QProcess m_parec;
    QByteArray m_raw;
};
