#include "platform/gstaudioprobe.h"
#include "tests/fakes/tonefiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using Outcome = AudioAnalysis::Outcome;
using ToneFiles::Tone;
using namespace Qt::StringLiterals;

class TstGstAudioProbe : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void tones_data();
    void tones();
    void unplayable_data();
    void unplayable();
    void encoded_data();
    void encoded();
    void levelsFollowTheSignal();
    void rangeMeasuresItsPart_data();
    void rangeMeasuresItsPart();
    void stopsOnRequest();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    AudioAnalysis analyse(const QString &file)
    {
        std::atomic_bool stop{false};
        return m_probe.analyse(file, stop);
    }

    QTemporaryDir m_dir;
    GstAudioProbe m_probe;
};

void TstGstAudioProbe::tones_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("peakDb");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("rate");
    // A 1 kHz sine in both channels measures its own peak level in LUFS.
    QTest::addColumn<double>("loudness");

    const double silence = AudioAnalysis::Silence;
    QTest::newRow("good stereo") << 2.0 << -20.0 << 2 << 44100 << -20.0;
    QTest::newRow("good mono counts on both speakers") << 2.0 << -20.0 << 1 << 44100 << -20.0;
    QTest::newRow("48 kHz") << 1.5 << -10.0 << 2 << 48000 << -10.0;
    QTest::newRow("8 kHz mono") << 3.0 << -30.0 << 1 << 8000 << -30.0;
    QTest::newRow("silent") << 2.0 << silence << 2 << 44100 << silence;
    QTest::newRow("half a second") << 0.5 << -20.0 << 2 << 44100 << -20.0;
}

void TstGstAudioProbe::tones()
{
    QFETCH(double, seconds);
    QFETCH(double, peakDb);
    QFETCH(int, channels);
    QFETCH(int, rate);
    QFETCH(double, loudness);
    const QString file = path(QString::fromLatin1(QTest::currentDataTag()) + u".wav");
    QVERIFY(ToneFiles::write(file, ToneFiles::wav({seconds, peakDb, channels, rate, 1000.0})));

    const AudioAnalysis a = analyse(file);
    QCOMPARE(a.outcome, Outcome::Decoded);
    QVERIFY2(qAbs(a.seconds - seconds) < 0.01, qPrintable(QString::number(a.seconds)));
    if (std::isfinite(peakDb)) {
        QVERIFY2(qAbs(a.samplePeak - peakDb) < 0.1, qPrintable(QString::number(a.samplePeak)));
        QVERIFY(a.truePeak >= a.samplePeak - 0.01 && a.truePeak < peakDb + 0.5);
        QVERIFY2(qAbs(a.loudness - loudness) < 0.5, qPrintable(QString::number(a.loudness)));
    } else {
        QCOMPARE(a.samplePeak, AudioAnalysis::Silence);
        QCOMPARE(a.loudness, AudioAnalysis::Silence);
    }
}

void TstGstAudioProbe::unplayable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("outcome");

    QByteArray noise(64 * 1024, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    const QByteArray header = ToneFiles::wav({1.0, -20.0, 2, 44100, 1000.0}).left(20);
    QTest::newRow("corrupt") << u"corrupt.wav"_s << noise << int(Outcome::Failed);
    QTest::newRow("header only") << u"header.wav"_s << header << int(Outcome::Failed);
    QTest::newRow("empty file") << u"empty.mp3"_s << QByteArray() << int(Outcome::Failed);
    QTest::newRow("text") << u"note.mp3"_s << QByteArray("not a song\n") << int(Outcome::Failed);
    QTest::newRow("missing") << u"nowhere.wav"_s << QByteArray() << int(Outcome::Missing);
    QTest::newRow("folder") << u"folder.wav"_s << QByteArray() << int(Outcome::Missing);
    QTest::newRow("no path") << QString() << QByteArray() << int(Outcome::Missing);
}

void TstGstAudioProbe::unplayable()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, outcome);
    const QString file = name.isEmpty() ? QString() : path(name);
    if (name == u"folder.wav")
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    else if (outcome == int(Outcome::Failed))
        QVERIFY(ToneFiles::write(file, bytes));

    const AudioAnalysis a = analyse(file);
    QCOMPARE(int(a.outcome), outcome);
    if (a.outcome == Outcome::Failed)
        QVERIFY2(!a.error.trimmed().isEmpty(), "the back end's reason is given");
}

// Files as presenters bring them, made by GStreamer's own encoders.
void TstGstAudioProbe::encoded_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pipeline");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<bool>("sound");

    const QString video = u"videotestsrc num-buffers=75 ! video/x-raw,width=160,height=120,"
                          u"framerate=25/1 ! jpegenc ! "_s;
    const QString tone = u"audiotestsrc num-buffers=100 samplesperbuffer=882 volume=0.3 ! "
                         u"audio/x-raw,rate=44100,channels=2 ! audioconvert ! "_s;
    QTest::newRow("mp3") << u"tone.mp3"_s << tone + u"lamemp3enc ! filesink location=%1"_s << 2.0
                         << true;
    QTest::newRow("video with sound")
        << u"clip.avi"_s
        << video + u"mux. "_s + tone + u"mux. avimux name=mux ! filesink location=%1"_s << 2.0
        << true;
    QTest::newRow("video without sound")
        << u"mute.avi"_s << video + u"avimux ! filesink location=%1"_s << 0.0 << false;
}

void TstGstAudioProbe::encoded()
{
    QFETCH(QString, name);
    QFETCH(QString, pipeline);
    QFETCH(double, seconds);
    QFETCH(bool, sound);
    const QString launch = QStandardPaths::findExecutable(u"gst-launch-1.0"_s);
    QVERIFY2(!launch.isEmpty(), "gst-launch-1.0 makes the encoded files");
    QProcess make;
    make.start(launch, QStringList{u"-q"_s} + pipeline.arg(path(name)).split(u' '));
    QVERIFY(make.waitForFinished(60000));
    QCOMPARE(make.exitCode(), 0);

    const AudioAnalysis a = analyse(path(name));
    QVERIFY2(a.outcome == Outcome::Decoded, qPrintable(a.error));
    // An encoder adds a little silence at the ends.
    QVERIFY2(qAbs(a.seconds - seconds) < 0.1, qPrintable(QString::number(a.seconds)));
    QCOMPARE(a.samplePeak > -20.0, sound);
    QCOMPARE(std::isfinite(a.loudness), sound);
}

// Two tones 12 dB apart measure 12 LU apart, whatever their frequency.
void TstGstAudioProbe::rangeMeasuresItsPart_data()
{
    QTest::addColumn<qint64>("fromMs");
    QTest::addColumn<qint64>("toMs");
    QTest::addColumn<double>("loudness");

    // Relative gating leaves the soft half out of the whole song's loudness.
    QTest::newRow("whole") << qint64(0) << qint64(0) << -10.0;
    QTest::newRow("the soft half") << qint64(0) << qint64(2000) << -30.0;
    QTest::newRow("the loud half") << qint64(2000) << qint64(0) << -10.0;
    QTest::newRow("inside the loud half") << qint64(2500) << qint64(3500) << -10.0;
    QTest::newRow("past the end") << qint64(5000) << qint64(0) << AudioAnalysis::Silence;
}

// Two seconds at -30 dBFS, then two at -10: only the range's frames reach the meter, and the
// length stays the song's.
void TstGstAudioProbe::rangeMeasuresItsPart()
{
    QFETCH(qint64, fromMs);
    QFETCH(qint64, toMs);
    QFETCH(double, loudness);
    const QString file = path(u"steps.wav"_s);
    QVERIFY(ToneFiles::write(
        file, ToneFiles::joined({2.0, -30.0, 2, 44100, 1000.0}, {2.0, -10.0, 2, 44100, 1000.0})));
    std::atomic_bool stop{false};
    const AudioAnalysis a = m_probe.analyse(file, stop, {fromMs, toMs});
    QCOMPARE(a.outcome, Outcome::Decoded);
    QVERIFY2(std::abs(a.seconds - 4.0) < 0.01, qPrintable(QString::number(a.seconds)));
    if (std::isfinite(loudness))
        QVERIFY2(std::abs(a.loudness - loudness) < 0.5, qPrintable(QString::number(a.loudness)));
    else
        QVERIFY(!std::isfinite(a.loudness));
}

void TstGstAudioProbe::levelsFollowTheSignal()
{
    QVERIFY(ToneFiles::write(path(u"loud.wav"_s), ToneFiles::wav({3.0, -6.0, 2, 44100, 440.0})));
    QVERIFY(ToneFiles::write(path(u"soft.wav"_s), ToneFiles::wav({3.0, -18.0, 2, 44100, 440.0})));
    const AudioAnalysis loud = analyse(path(u"loud.wav"_s));
    const AudioAnalysis soft = analyse(path(u"soft.wav"_s));
    QCOMPARE(loud.outcome, Outcome::Decoded);
    QCOMPARE(soft.outcome, Outcome::Decoded);
    QVERIFY2(qAbs(loud.loudness - soft.loudness - 12.0) < 0.2,
             qPrintable(QStringLiteral("%1 %2").arg(loud.loudness).arg(soft.loudness)));
}

void TstGstAudioProbe::stopsOnRequest()
{
    const QString file = path(u"long.wav"_s);
    QVERIFY(ToneFiles::write(file, ToneFiles::wav({600.0, -20.0, 2, 44100, 1000.0})));
    std::atomic_bool stop{false};
    AudioAnalysis a;
    std::thread worker([&] { a = m_probe.analyse(file, stop); });
    QTest::qWait(100);
    stop = true;
    worker.join();
    QCOMPARE(a.outcome, Outcome::Stopped);
}

QTEST_GUILESS_MAIN(TstGstAudioProbe)
#include "tst_gstaudioprobe.moc"
