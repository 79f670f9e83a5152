// What the GStreamer media player sounds like at the private sound server's null sink: how
// soon a play is heard, the gap at a speed change, the volume's curve and the output chosen.
#include "platform/gstaudiooutputs.h"
#include "platform/gstmediaplayer.h"
#include "platform/mediastack.h"
#include "tests/fakes/soundmonitor.h"
#include "tests/fakes/soundserver.h"
#include "tests/fakes/tonefiles.h"
#include "tests/platform/gstplayertesting.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace GstPlayerTesting;

namespace {

QString pactl(const QStringList &args)
{
    QProcess run;
    run.start(QStringLiteral("pactl"), args);
    if (!run.waitForFinished(5000) || run.exitCode() != 0)
        return {};
    return QString::fromUtf8(run.readAllStandardOutput()).trimmed() + u'\n';
}

// The name of the sink the one stream playing now goes to.
QString sinkOfOnlyStream()
{
    const QStringList inputs =
        pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")})
            .split(u'\n', Qt::SkipEmptyParts);
    if (inputs.size() != 1)
        return QStringLiteral("%1 streams").arg(inputs.size());
    const QString sink = inputs.first().split(u'\t').value(1);
    const QStringList sinks =
        pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sinks")})
            .split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : sinks) {
        const QStringList fields = line.split(u'\t');
        if (fields.value(0) == sink)
            return fields.value(1);
    }
    return QStringLiteral("sink %1").arg(sink);
}

} // namespace

class TestGstPlayerSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playAfterWaitSoundsAtOnce();
    void speedChangeKeepsSounding();
    void volumeCurve_data();
    void volumeCurve();
    void outputDevice();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestGstPlayerSound::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(mediaBackendFound(), "GStreamer cannot play");
    QVERIFY(ToneFiles::write(path("five.wav"), ToneFiles::wav({5.0, -12.0, 1, 44100, 440.0})));
    QVERIFY(ToneFiles::write(path("thirty.wav"), ToneFiles::wav({30.0, -12.0, 1, 44100, 440.0})));
}

// A song loaded long before its play sounds as soon as one played right after its load: the
// pipeline waits prerolled, its stream ready at the sound server.
void TestGstPlayerSound::playAfterWaitSoundsAtOnce()
{
    QList<double> delays;
    for (const int waitMs : {0, 6000}) {
        GstMediaPlayer player;
        player.setAutoStart(false);
        player.setURL(path("five.wav"));
        QTRY_VERIFY(player.duration() > 0.0);
        QTest::qWait(waitMs);
        SoundMonitor monitor;
        QVERIFY(monitor.waitRunning());
        const int asked = monitor.now();
        player.play();
        QTRY_VERIFY_WITH_TIMEOUT(monitor.firstSound(asked).has_value(), 5000);
        delays << (*monitor.firstSound(asked) - asked) / 100.0;
        player.stop();
    }
    const QString seen = QStringLiteral("first sound %1 s after play right after the load, %2 s "
                                        "after a wait of 6 s")
                             .arg(delays[0])
                             .arg(delays[1]);
    QVERIFY2(delays[1] < delays[0] + 1.0, qPrintable(seen));
}

// A speed change while the song plays leaves at most a short gap at the sound server; the
// song never starts again from its beginning.
void TestGstPlayerSound::speedChangeKeepsSounding()
{
    SoundMonitor monitor;
    QVERIFY(monitor.waitRunning());
    GstMediaPlayer player;
    player.setAutoStart(false);
    player.setURL(path("thirty.wav"));
    QVERIFY(startPlaying(player));
    QVERIFY(waitSteady(player, 1.0));
    QTRY_VERIFY(monitor.firstSound(0).has_value());
    const int changed = monitor.now();
    const double at = player.currentPosition();
    player.setRate(1.5);
    QTest::qWait(1500);
    const QList<double> level = monitor.levels();
    int silent = 0;
    for (qsizetype i = changed; i < level.size(); ++i)
        silent += level[i] < 100.0 ? 1 : 0;
    // The gap measured here is 15-30 ms; a busy machine may add some.
    QVERIFY2(silent <= 25, qPrintable(QStringLiteral("%1 ms of silence").arg(silent * 10)));
    QVERIFY(player.currentPosition() > at + 1.5);
}

void TestGstPlayerSound::volumeCurve_data()
{
    QTest::addColumn<int>("volume");
    QTest::newRow("25") << 25;
    QTest::newRow("50") << 50;
    QTest::newRow("75") << 75;
}

// The volume scales the samples in proportion, as it always has: 50 is 6 dB below 100.
void TestGstPlayerSound::volumeCurve()
{
    QFETCH(int, volume);
    GstMediaPlayer player;
    player.setAutoStart(false);
    player.setURL(path("thirty.wav"));
    SoundMonitor monitor;
    QVERIFY(monitor.waitRunning());
    QVERIFY(startPlaying(player));
    QTRY_VERIFY_WITH_TIMEOUT(monitor.firstSound(0).has_value(), 5000);
    QTest::qWait(300);
    const int full = monitor.now();
    QTest::qWait(500);
    const double fullLevel = monitor.meanLevel(full, monitor.now());
    // At 100 the song plays at its own level: a sine peaking at -12 dBFS.
    const double ownLevel = 32767.0 * std::pow(10.0, -12.0 / 20.0) / std::sqrt(2.0);
    QVERIFY2(std::abs(20.0 * std::log10(fullLevel / ownLevel)) < 1.0,
             qPrintable(
                 QStringLiteral("RMS %1 at 100, the file's own %2").arg(fullLevel).arg(ownLevel)));
    player.setVolume(volume);
    QTest::qWait(300);
    const int from = monitor.now();
    QTest::qWait(500);
    const double level = monitor.meanLevel(from, monitor.now());
    const double db = 20.0 * std::log10(level / fullLevel);
    const double wanted = 20.0 * std::log10(volume / 100.0);
    QVERIFY2(std::abs(db - wanted) < 1.0,
             qPrintable(QStringLiteral("%1 dB against 100, wanted %2 dB").arg(db).arg(wanted)));
}

// Songs play to the output asked for by its sound server name, which the list of outputs
// gives; without one they play to the default.
void TestGstPlayerSound::outputDevice()
{
    QCOMPARE(pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                    QStringLiteral("sink_name=cuffie")})
                 .isEmpty(),
             false);
    const QList<AudioOutput> outputs = audioOutputs();
    QStringList names;
    for (const AudioOutput &output : outputs)
        names << output.name;
    QVERIFY2(names.contains(u"testsink") && names.contains(u"cuffie"),
             qPrintable(names.join(u' ')));

    for (const QString &sink : {QStringLiteral("cuffie"), QString()}) {
        GstMediaPlayer player;
        player.setAutoStart(false);
        player.setOutputDevice(sink);
        player.setURL(path("five.wav"));
        QVERIFY(startPlaying(player));
        QCOMPARE(sinkOfOnlyStream(), sink.isEmpty() ? QStringLiteral("testsink") : sink);
    }
    pactl({QStringLiteral("unload-module"), QStringLiteral("module-null-sink")});
}

int main(int argc, char **argv)
{
    return withSoundServer(argc, argv, [&] {
        TestGstPlayerSound test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_gstplayersound.moc"
