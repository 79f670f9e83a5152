#include "platform/alsamixer.h"
#include "tests/fakes/soundserverenvironment.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <cstdio>
#include <unistd.h>

namespace {

// Sends this process's stderr to a file for as long as it lives.
class StderrCapture {
public:
    StderrCapture()
    {
        if (!m_file.open()) {
            return;
        }
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    bool isCapturing() const { return m_saved >= 0; }

    QByteArray takeText()
    {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0) {
            return;
        }
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

struct SinkVolume {
    QList<int> values;
    QList<int> percents;
};

} // namespace

class TestAlsaMixer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void chooseVolumeControl_data();
    void chooseVolumeControl();
    void scaling_data();
    void scaling();
    void withoutSoundServer();
    void serverStartedLater();
    void setVolume_data();
    void setVolume();
    void closedMixerSetsNothing();

private:
    bool startServer(QString *why);
    void useServer(bool on);
    std::optional<SinkVolume> sinkVolume(QString *why);
    QProcessEnvironment serverEnvironment() const;

    QTemporaryDir m_serverDir; // XDG_RUNTIME_DIR of our own PulseAudio
    QTemporaryDir m_emptyDir;  // XDG_RUNTIME_DIR with no server in it
    QTemporaryDir m_clientDir; // client configuration: never start a server on demand
    QString m_pulseaudio;
    QString m_pactl;
    bool m_serverRunning = false;
};

void TestAlsaMixer::initTestCase()
{
    QVERIFY(m_serverDir.isValid() && m_emptyDir.isValid() && m_clientDir.isValid());
    QFile clientConfig(m_clientDir.filePath(QStringLiteral("client.conf")));
    QVERIFY(clientConfig.open(QIODevice::WriteOnly));
    clientConfig.write("autospawn = no\n");
    clientConfig.close();
    qputenv("PULSE_CLIENTCONFIG", QFile::encodeName(clientConfig.fileName()));
    qunsetenv("PULSE_SERVER");
    useServer(false);

    m_pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    m_pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (m_pulseaudio.isEmpty() || m_pactl.isEmpty()) {
        return;
    }
    QString why;
    QVERIFY2(startServer(&why), qPrintable(why));
}

void TestAlsaMixer::cleanupTestCase()
{
    if (!m_serverRunning) {
        return;
    }
    QProcess kill;
    kill.setProcessEnvironment(serverEnvironment());
    kill.start(m_pulseaudio, {QStringLiteral("--kill")});
    QVERIFY(kill.waitForFinished(5000));
    // Wait until it is really gone, so that nothing is left behind when the folder goes.
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(m_serverDir.filePath(QStringLiteral("pulse/pid"))),
                             5000);
    m_serverRunning = false;
}

QProcessEnvironment TestAlsaMixer::serverEnvironment() const
{
    return soundServerEnvironment(m_serverDir.path());
}

bool TestAlsaMixer::startServer(QString *why)
{
    QProcess server;
    server.setProcessEnvironment(serverEnvironment());
    // The server leaves by itself 20 s after its last client, in case this test dies before
    // cleanupTestCase() stops it.
    server.start(m_pulseaudio,
                 {QStringLiteral("--daemonize=yes"), QStringLiteral("--exit-idle-time=20"),
                  QStringLiteral("-n"), QStringLiteral("--load=module-native-protocol-unix"),
                  QStringLiteral("--load=module-null-sink sink_name=nullsink")});
    if (!server.waitForFinished(10000) || server.exitCode() != 0) {
        *why = QStringLiteral("pulseaudio did not start: ") +
               QString::fromLocal8Bit(server.readAllStandardError());
        return false;
    }
    m_serverRunning = true;
    for (int attempt = 0; attempt < 50; ++attempt) {
        QProcess info;
        info.setProcessEnvironment(serverEnvironment());
        info.start(m_pactl, {QStringLiteral("info")});
        if (info.waitForFinished(5000) && info.exitCode() == 0) {
            return true;
        }
        QTest::qWait(100);
    }
    *why = QStringLiteral("pulseaudio started but pactl info never answered");
    return false;
}

// Points this process, and with it alsa-lib's sound-server plugin, at our server or at an
// empty folder where no server listens.
void TestAlsaMixer::useServer(bool on)
{
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(on ? m_serverDir.path() : m_emptyDir.path()));
}

std::optional<SinkVolume> TestAlsaMixer::sinkVolume(QString *why)
{
    QProcess pactl;
    pactl.setProcessEnvironment(serverEnvironment());
    pactl.start(m_pactl, {QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        *why = QString::fromLocal8Bit(pactl.readAllStandardError());
        return std::nullopt;
    }
    // "Volume: front-left: 19660 /  30% / -31.37 dB,   front-right: 19660 /  30% / ..."
    const QString text = QString::fromLocal8Bit(pactl.readAllStandardOutput());
    static const QRegularExpression channel(QStringLiteral("([\\w-]+): (\\d+) /\\s*(\\d+)%"));
    SinkVolume volume;
    for (const QRegularExpressionMatch &match : channel.globalMatch(text)) {
        volume.values.append(match.captured(2).toInt());
        volume.percents.append(match.captured(3).toInt());
    }
    if (volume.values.isEmpty()) {
        *why = QStringLiteral("no channel in: ") + text;
        return std::nullopt;
    }
    return volume;
}

void TestAlsaMixer::scaling_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");

    QTest::newRow("truncated, not rounded") << 37 << 65535 << 24247;
    QTest::newRow("sound server 30") << 30 << 65536 << 19660;
    QTest::newRow("sound server 75") << 75 << 65536 << 49152;
    QTest::newRow("top") << 100 << 65536 << 65536;
    QTest::newRow("bottom") << 0 << 65536 << 0;
    QTest::newRow("small card, below one step") << 1 << 87 << 0;
    QTest::newRow("small card, half a step") << 50 << 87 << 43;
    QTest::newRow("no control") << 50 << 0 << 0;
}

void TestAlsaMixer::scaling()
{
    QFETCH(int, slider);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QCOMPARE(mixerValueForSlider(slider, maximum), value);
}

void TestAlsaMixer::withoutSoundServer()
{
    if (!QDir(QStringLiteral("/dev/snd"))
             .entryList({QStringLiteral("controlC*")}, QDir::System)
             .isEmpty()) {
        QSKIP("This machine has a sound card, so the mixer is there even without a sound server");
    }
    useServer(false);

    AlsaMixer mixer;
    StderrCapture capture;
    QVERIFY(capture.isCapturing());
    const bool opened = mixer.open();
    mixer.setVolumeFromSlider(50);
    const bool reopened = mixer.open();
    mixer.close();
    mixer.close();
    const QByteArray printed = capture.takeText();

    QVERIFY(!opened);
    QVERIFY(!reopened);
    QVERIFY(!mixer.isAvailable());
    QCOMPARE(mixer.maximum(), 0);
    QCOMPARE(printed, QByteArray());
}

void TestAlsaMixer::serverStartedLater()
{
    if (!m_serverRunning) {
        QSKIP("pulseaudio or pactl is not installed (packages pulseaudio, pulseaudio-utils)");
    }
    if (!QDir(QStringLiteral("/dev/snd"))
             .entryList({QStringLiteral("controlC*")}, QDir::System)
             .isEmpty()) {
        QSKIP("This machine has a sound card, so the mixer is there even without a sound server");
    }

    // One mixer object, as the playback window keeps across its openings.
    AlsaMixer mixer;
    useServer(false);
    QVERIFY(!mixer.open());
    useServer(true);
    QVERIFY(mixer.open());
    QCOMPARE(mixer.maximum(), 65536);
    mixer.close();
    QVERIFY(!mixer.isAvailable());
    useServer(false);
    QVERIFY(!mixer.open());
}

void TestAlsaMixer::setVolume_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("percent");

    QTest::newRow("30") << 30 << 19660 << 30;
    QTest::newRow("75") << 75 << 49152 << 75;
    QTest::newRow("1") << 1 << 655 << 1;
    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("100") << 100 << 65536 << 100;
}

void TestAlsaMixer::setVolume()
{
    if (!m_serverRunning) {
        QSKIP("pulseaudio or pactl is not installed (packages pulseaudio, pulseaudio-utils)");
    }
    QFETCH(int, slider);
    QFETCH(int, value);
    QFETCH(int, percent);

    useServer(true);
    AlsaMixer mixer;
    QVERIFY(mixer.open());
    QVERIFY(mixer.isAvailable());
    QCOMPARE(mixer.maximum(), 65536);
    mixer.setVolumeFromSlider(slider);

    QString why;
    const std::optional<SinkVolume> volume = sinkVolume(&why);
    QVERIFY2(volume, qPrintable(why));
    // Every channel of the stereo sink, not just the first.
    QCOMPARE(volume->values, QList<int>({value, value}));
    QCOMPARE(volume->percents, QList<int>({percent, percent}));
}

void TestAlsaMixer::closedMixerSetsNothing()
{
    if (!m_serverRunning) {
        QSKIP("pulseaudio or pactl is not installed (packages pulseaudio, pulseaudio-utils)");
    }
    useServer(true);
    AlsaMixer mixer;
    QVERIFY(mixer.open());
    mixer.setVolumeFromSlider(40);
    mixer.close();
    QVERIFY(!mixer.isAvailable());
    QCOMPARE(mixer.maximum(), 0);
    mixer.setVolumeFromSlider(90);

    QString why;
    const std::optional<SinkVolume> volume = sinkVolume(&why);
    QVERIFY2(volume, qPrintable(why));
    QCOMPARE(volume->values, QList<int>({26214, 26214}));
}

using Elements = std::vector<AlsaMixer::Element>;
Q_DECLARE_METATYPE(Elements)

void TestAlsaMixer::chooseVolumeControl_data()
{
    QTest::addColumn<Elements>("elements");
    QTest::addColumn<int>("chosen"); // -1: none
    QTest::newRow("Master first of all") << Elements{{"PCM", true, 255}, {"Master", true, 87}} << 1;
    QTest::newRow("no Master: PCM") << Elements{{"Capture", false, 0}, {"PCM", true, 255}} << 1;
    QTest::newRow("Master without volume: Speaker")
        << Elements{{"Master", false, 0}, {"Speaker", true, 31}, {"Headphone", true, 31}} << 1;
    QTest::newRow("empty range skipped")
        << Elements{{"Master", true, 0}, {"Headphone", true, 63}} << 1;
    QTest::newRow("range too large to scale") << Elements{{"PCM", true, 2147483647}} << -1;
    QTest::newRow("capture only") << Elements{{"Capture", false, 0}, {"Mic", false, 0}} << -1;
    QTest::newRow("nothing") << Elements{} << -1;
}

void TestAlsaMixer::chooseVolumeControl()
{
    QFETCH(Elements, elements);
    QFETCH(int, chosen);
    const std::optional<size_t> found = AlsaMixer::chooseVolumeControl(elements);
    QCOMPARE(found ? int(*found) : -1, chosen);
}

QTEST_GUILESS_MAIN(TestAlsaMixer)
#include "tst_alsamixer.moc"
