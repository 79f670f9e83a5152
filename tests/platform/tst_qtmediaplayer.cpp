// The Qt media player adapter on real files, through the real back end and a private sound
// server with a null sink, so that playback runs as it does on a desktop.
#include "platform/qtmediaplayer.h"
#include "tests/fakes/soundserver.h"
#include "tests/fakes/tonefiles.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QVideoSink>
#include <QVideoWidget>

#include <algorithm>
#include <cmath>
namespace {

// Everything a player tells, checked as it arrives: the state handed to playStateChanged() is
// the one playState() reads, and every signal is a change.
struct Recorder {
    QList<MediaPlayer::PlayState> states;
    QStringList errors;
    QStringList faults;

    explicit Recorder(MediaPlayer &player)
    {
        QObject::connect(&player, &MediaPlayer::playStateChanged, &player,
                         [this, &player](MediaPlayer::PlayState state) {
                             const int s = int(state);
                             if (state != player.playState()) {
                                 faults << QStringLiteral("signal %1 but playState() %2")
                                               .arg(s)
                                               .arg(int(player.playState()));
                             }
                             if (!states.isEmpty() && states.last() == state) {
                                 faults << QStringLiteral("state %1 signalled twice").arg(s);
                             }
                             states << state;
                         });
        QObject::connect(&player, &MediaPlayer::errorOccurred, &player,
                         [this](const QString &message) { errors << message; });
    }
};

QString runGst(const QString &pipeline)
{
    QProcess gst;
    gst.start(QStringLiteral("gst-launch-1.0"),
              QStringList{QStringLiteral("-q")} + QProcess::splitCommand(pipeline));
    if (!gst.waitForFinished(60000) || gst.exitStatus() != QProcess::NormalExit ||
        gst.exitCode() != 0) {
        return QStringLiteral("gst-launch-1.0 failed: ") + gst.errorString() + u' ' +
               QString::fromLocal8Bit(gst.readAllStandardError());
    }
    return {};
}

// Streams the sound server is playing now (a stopped or paused player's stream is corked).
int playingStreams()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
        return -1;
    }
    return static_cast<int>(pactl.readAllStandardOutput().count("Corked: no"));
}

// Plays until the adapter reports playing.
bool startPlaying(QtMediaPlayer &player)
{
    player.play();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        if (player.playState() == MediaPlayer::PlayState::Playing) {
            return true;
        }
        QTest::qWait(20);
    }
    return false;
}

// Waits until the position runs at about the given rate. With the sound server the position
// often sits still for a second or so after playback starts and then catches up; speeds are
// measured only after that.
bool waitSteady(const QtMediaPlayer &player, double rate)
{
    // Each step is measured against the clock, not against the wait asked for: on a busy
    // machine a 250 ms wait can last twice as long, and the position rightly moves further.
    constexpr int step = 250;
    QElapsedTimer clock;
    clock.start();
    qint64 lastAt = clock.elapsed();
    double last = player.currentPosition();
    QStringList advances;
    int steady = 0;
    while (clock.elapsed() < 6000 && steady < 3) {
        QTest::qWait(step);
        const double now = player.currentPosition();
        const qint64 at = clock.elapsed();
        const double expected = rate * static_cast<double>(at - lastAt) / 1000.0;
        const double advance = now - last;
        advances << QStringLiteral("%1/%2").arg(advance, 0, 'f', 2).arg(expected, 0, 'f', 2);
        last = now;
        lastAt = at;
        steady = advance > 0.75 * expected && advance < 1.3 * expected ? steady + 1 : 0;
    }
    if (steady < 3) {
        qWarning("position never ran at rate %g; advance/expected per step: %s", rate,
                 qPrintable(advances.join(u' ')));
    }
    return steady >= 3;
}

} // namespace

class TestQtMediaPlayer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void autoStart_data();
    void autoStart();
    void pauseKeepsPosition();
    void seek_data();
    void seek();
    void rate_data();
    void rate();
    void stopReturnsToStart();
    void endOfMediaThenReplay();
    void unplayableFile_data();
    void unplayableFile();
    void durationAndTimeStrings();
    void mp3WithLateDuration();
    void video();
    void newUrlEndsOldPlayback();
    void mouseOverVideo_data();
    void mouseOverVideo();
    void videoAreaDeletedFirst();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestQtMediaPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QMediaDevices::defaultAudioOutput().isNull(), "no sound output");
    QVERIFY(ToneFiles::write(path("five.wav"), ToneFiles::wav({5.0, -12.0, 1, 44100, 440.0})));
    QVERIFY(ToneFiles::write(path("thirty.wav"), ToneFiles::wav({30.0, -12.0, 1, 44100, 440.0})));
    QVERIFY(ToneFiles::write(path("two.wav"), ToneFiles::wav({2.0, -12.0, 1, 44100, 440.0})));
    QVERIFY(ToneFiles::write(path("long.wav"), ToneFiles::wav({75.0, -12.0, 1, 8000, 440.0})));
    QVERIFY(ToneFiles::write(path("text.mp3"), "These are not the notes you are looking for.\n"));
    QByteArray noise(qsizetype{64} * 1024, '\0');
    for (int i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919 + i / 13) & 0xff);
    }
    QVERIFY(ToneFiles::write(path("noise.wav"), noise));
    // An MP3 without a header that tells its length: GStreamer learns it only while playing.
    QString error = runGst(QStringLiteral("audiotestsrc num-buffers=259 ! audioconvert ! "
                                          "lamemp3enc ! filesink location=") +
                           path("tone.mp3"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    error = runGst(QStringLiteral("videotestsrc num-buffers=75 ! video/x-raw,width=160,height=120,"
                                  "framerate=25/1 ! jpegenc ! avimux ! filesink location=") +
                   path("clip.avi"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestQtMediaPlayer::autoStart_data()
{
    QTest::addColumn<bool>("autoStart");
    QTest::newRow("on by default") << true;
    QTest::newRow("off") << false;
}

void TestQtMediaPlayer::autoStart()
{
    QFETCH(bool, autoStart);
    QtMediaPlayer player;
    Recorder rec(player);
    if (!autoStart) {
        player.setAutoStart(false);
    }
    player.setURL(path("five.wav"));
    QCOMPARE(player.URL(), path("five.wav"));
    if (autoStart) {
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Playing, 5000);
    } else {
        QTest::qWait(700);
        QCOMPARE(player.playState(), MediaPlayer::PlayState::Stopped);
        QVERIFY(rec.states.isEmpty());
        QCOMPARE(player.currentPosition(), 0.0);
    }
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::pauseKeepsPosition()
{
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    QVERIFY(startPlaying(player));
    QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > 0.5, 5000);
    player.pause();
    QTRY_COMPARE(player.playState(), MediaPlayer::PlayState::Paused);
    const double at = player.currentPosition();
    QTest::qWait(700);
    QVERIFY(std::abs(player.currentPosition() - at) < 0.1);
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Paused);

    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Playing, 3000);
    // Resumes from where it was, not from the start.
    QVERIFY(player.currentPosition() > at - 0.1);
    QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > at + 0.3, 5000);
    QVERIFY(rec.states.contains(MediaPlayer::PlayState::Paused));
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::seek_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("before the media is loaded") << QStringLiteral("before load");
    QTest::newRow("right after play") << QStringLiteral("after play");
    QTest::newRow("stopped, loaded") << QStringLiteral("stopped");
    QTest::newRow("paused") << QStringLiteral("paused");
    QTest::newRow("playing") << QStringLiteral("playing");
}

void TestQtMediaPlayer::seek()
{
    QFETCH(QString, when);
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    const double target = 3.0;

    if (when == u"before load") {
        player.setCurrentPosition(target);
        QCOMPARE(player.currentPosition(), target);
        player.play();
    } else if (when == u"after play") {
        player.play();
        player.setCurrentPosition(target);
    } else if (when == u"stopped") {
        QTRY_VERIFY(player.duration() > 0.0);
        player.setCurrentPosition(target);
        player.play();
    } else {
        QVERIFY(startPlaying(player));
        if (when == u"paused") {
            player.pause();
            player.setCurrentPosition(target);
            QTest::qWait(300);
            QVERIFY(std::abs(player.currentPosition() - target) < 0.1);
            QCOMPARE(player.playState(), MediaPlayer::PlayState::Paused);
            player.play();
        } else {
            player.setCurrentPosition(target);
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Playing, 3000);
    QElapsedTimer playing;
    playing.start();
    QTest::qWait(600);
    // Played on from the new place: no further than the time that really passed allows.
    const double at = player.currentPosition();
    const double passed = static_cast<double>(playing.elapsed()) / 1000.0;
    QVERIFY2(at > target - 0.1 && at < target + passed + 0.4,
             qPrintable(QStringLiteral("at %1 s after %2 s").arg(at).arg(passed)));
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::rate_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("when");
    QTest::newRow("half, while playing") << 0.5 << QStringLiteral("playing");
    QTest::newRow("double, while playing") << 2.0 << QStringLiteral("playing");
    QTest::newRow("double, before play") << 2.0 << QStringLiteral("before play");
    QTest::newRow("half, before the URL") << 0.5 << QStringLiteral("before url");
}

void TestQtMediaPlayer::rate()
{
    QFETCH(double, rate);
    QFETCH(QString, when);
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    if (when == u"before url") {
        player.setRate(rate);
    }
    player.setURL(path("thirty.wav"));
    if (when == u"before play") {
        player.setRate(rate);
    }
    QVERIFY(startPlaying(player));
    if (when == u"playing") {
        QVERIFY(waitSteady(player, 1.0));
        player.setRate(rate);
    }
    QCOMPARE(player.rate(), rate);
    QVERIFY(waitSteady(player, rate));

    const double from = player.currentPosition();
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(1200);
    const double advance = player.currentPosition() - from;
    const double expected = rate * static_cast<double>(clock.elapsed()) / 1000.0;
    QVERIFY2(std::abs(advance - expected) < 0.4,
             qPrintable(QStringLiteral("advanced %1 s, expected %2 s").arg(advance).arg(expected)));
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Playing);

    // Back to normal speed and paused, as the pause button does: the song stays where it was
    // and goes on from there.
    const double before = player.currentPosition();
    player.setRate(1.0);
    player.pause();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Paused, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(std::abs(player.currentPosition() - before) < 0.5, 5000);
    player.play();
    QVERIFY(startPlaying(player));
    QTRY_VERIFY_WITH_TIMEOUT(player.currentPosition() > before + 0.5, 5000);
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::stopReturnsToStart()
{
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    QVERIFY(startPlaying(player));
    QTest::qWait(500);
    player.stop();
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Stopped);
    QCOMPARE(rec.states.last(), MediaPlayer::PlayState::Stopped);
    QCOMPARE(player.currentPosition(), 0.0);
    QCOMPARE(player.currentPositionString(), QStringLiteral("00.00"));

    QVERIFY(startPlaying(player));
    QVERIFY2(player.currentPosition() < 1.0, qPrintable(QString::number(player.currentPosition())));
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::endOfMediaThenReplay()
{
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("two.wav"));
    QVERIFY(startPlaying(player));
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Stopped, 5000);
    QCOMPARE(player.currentPosition(), 0.0);
    QVERIFY(std::abs(player.duration() - 2.0) < 0.05);

    QVERIFY(startPlaying(player));
    QVERIFY2(player.currentPosition() < 1.0, qPrintable(QString::number(player.currentPosition())));
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Stopped, 5000);
    QCOMPARE(rec.states.count(MediaPlayer::PlayState::Playing), 2);
    QCOMPARE(rec.errors, QStringList());
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::unplayableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << QStringLiteral("nowhere.wav");
    QTest::newRow("text named .mp3") << QStringLiteral("text.mp3");
    QTest::newRow("noise named .wav") << QStringLiteral("noise.wav");
}

void TestQtMediaPlayer::unplayableFile()
{
    QFETCH(QString, file);
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    QElapsedTimer clock;

    clock.start();
    player.setURL(m_dir.filePath(file));
    QVERIFY(clock.elapsed() < 300);
    QTRY_COMPARE_WITH_TIMEOUT(rec.errors.count(), 1, 5000);
    QVERIFY(!rec.errors.first().isEmpty());
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Stopped);

    // Every play request tries again and reports again, once.
    for (int attempt = 2; attempt <= 3; ++attempt) {
        clock.restart();
        player.play();
        QVERIFY(clock.elapsed() < 300);
        QTRY_COMPARE_WITH_TIMEOUT(rec.errors.count(), attempt, 5000);
        QTRY_COMPARE(player.playState(), MediaPlayer::PlayState::Stopped);
        QTest::qWait(300);
        QCOMPARE(rec.errors.count(), attempt);
    }
    clock.restart();
    player.stop();
    player.setCurrentPosition(2.0);
    player.pause();
    QVERIFY(clock.elapsed() < 300);
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Stopped);
    QVERIFY(!rec.states.contains(MediaPlayer::PlayState::Playing));
    QCOMPARE(player.duration(), 0.0);
    QCOMPARE(player.durationString(), QString());
    QCOMPARE(player.currentPositionString(), QString());

    // The same player plays the next good file.
    clock.restart();
    player.setURL(path("five.wav"));
    QVERIFY(clock.elapsed() < 300);
    QVERIFY(startPlaying(player));
    QCOMPARE(rec.errors.count(), 3);
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::durationAndTimeStrings()
{
    QtMediaPlayer player;
    player.setAutoStart(false);
    QCOMPARE(player.currentPositionString(), QString());
    player.setURL(path("long.wav"));
    QCOMPARE(player.duration(), 0.0);
    QCOMPARE(player.durationString(), QString());
    QTRY_VERIFY(player.duration() > 0.0);
    QVERIFY2(std::abs(player.duration() - 75.0) < 0.05,
             qPrintable(QString::number(player.duration())));
    QCOMPARE(player.durationString(), QStringLiteral("01.15"));
    QCOMPARE(player.currentPositionString(), QStringLiteral("00.00"));

    player.setCurrentPosition(61.5);
    QTRY_COMPARE(player.currentPositionString(), QStringLiteral("01.01"));
    QVERIFY(startPlaying(player));
    QTRY_COMPARE_WITH_TIMEOUT(player.currentPositionString(), QStringLiteral("01.02"), 5000);
}

void TestQtMediaPlayer::mp3WithLateDuration()
{
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("tone.mp3"));
    // Asked before the length is known: kept until it is, then applied.
    player.setCurrentPosition(3.5);
    player.play();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::PlayState::Playing, 5000);
    QElapsedTimer playing;
    playing.start();
    QTRY_VERIFY_WITH_TIMEOUT(player.duration() > 0.0, 5000);
    // Estimated from the bit rate, so only near the true 6.0 s.
    QVERIFY2(player.duration() > 5.0 && player.duration() < 7.0,
             qPrintable(QString::number(player.duration())));
    QVERIFY(player.durationString() == u"00.05" || player.durationString() == u"00.06");
    QTest::qWait(800);
    const double at = player.currentPosition();
    const double passed = static_cast<double>(playing.elapsed()) / 1000.0;
    QVERIFY2(at > 3.4 && at < 3.5 + passed + 0.7,
             qPrintable(QStringLiteral("at %1 s after %2 s").arg(at).arg(passed)));
    QVERIFY(!player.hasVideo());
    QCOMPARE(rec.errors, QStringList());
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::video()
{
    QtMediaPlayer player;
    Recorder rec(player);
    QWidget window;
    auto *area = qobject_cast<QVideoWidget *>(player.videoArea());
    QVERIFY(area);
    area->setParent(&window);
    area->setGeometry(0, 0, 160, 120);
    window.resize(200, 160);
    window.show();
    int frames = 0;
    connect(area->videoSink(), &QVideoSink::videoFrameChanged, this, [&frames] { ++frames; });

    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    QTRY_VERIFY(player.duration() > 0.0);
    QVERIFY(!player.hasVideo());

    player.setURL(path("clip.avi"));
    QTRY_VERIFY(player.hasVideo());
    // The stream reports its video before its length when the machine is busy.
    QTRY_VERIFY(std::abs(player.duration() - 3.0) < 0.1);
    frames = 0;
    QVERIFY(startPlaying(player));
    QTRY_VERIFY_WITH_TIMEOUT(frames > 10, 3000);
    QCOMPARE(rec.errors, QStringList());
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::newUrlEndsOldPlayback()
{
    QtMediaPlayer player;
    Recorder rec(player);
    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    QVERIFY(startPlaying(player));
    QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 1, 3000);

    // Switched from inside a handler that then lets pending events run, as the windows do:
    // the old player is not deleted before the handler returns, and must be silent already.
    int duringHandler = -2;
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        player.setURL(path("thirty.wav"));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 700) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        duringHandler = playingStreams();
        loop.quit();
    });
    loop.exec();
    QCOMPARE(duringHandler, 0);
    QCOMPARE(player.playState(), MediaPlayer::PlayState::Stopped);
    QCOMPARE(rec.states.last(), MediaPlayer::PlayState::Stopped);
    QCOMPARE(player.URL(), path("thirty.wav"));

    QVERIFY(startPlaying(player));
    QVERIFY(player.duration() > 13.0);
    QTRY_COMPARE_WITH_TIMEOUT(playingStreams(), 1, 3000);
    QTest::qWait(300);
    QCOMPARE(playingStreams(), 1);
    QCOMPARE(rec.faults, QStringList());
}

void TestQtMediaPlayer::mouseOverVideo_data()
{
    QTest::addColumn<bool>("release");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("move") << false << Qt::NoButton << QPoint(10, 20);
    QTest::newRow("left release") << true << Qt::LeftButton << QPoint(30, 40);
    QTest::newRow("right release") << true << Qt::RightButton << QPoint(155, 5);
}

void TestQtMediaPlayer::mouseOverVideo()
{
    QFETCH(bool, release);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    QtMediaPlayer player;
    QWidget window;
    QWidget *area = player.videoArea();
    area->setParent(&window);
    area->setGeometry(20, 10, 160, 120);
    window.resize(220, 160);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QList<QList<int>> moves, releases;
    connect(&player, &MediaPlayer::mouseMoved, this, [&moves](int x, int y) {
        moves.append({x, y});
    });
    connect(&player, &MediaPlayer::mouseReleased, this,
            [&releases](int x, int y, Qt::MouseButton b) {
                releases.append({x, y, int(b)});
            });

    // Sent to the top-level window as the system would, so that Qt routes it through the
    // video area's own children.
    const QPoint inWindow = area->mapTo(&window, at);
    if (release) {
        QTest::mouseClick(window.windowHandle(), button, {}, inWindow);
    } else {
        QTest::mouseMove(window.windowHandle(), inWindow);
    }
    if (release) {
        QCOMPARE(releases, (QList<QList<int>>{{at.x(), at.y(), int(button)}}));
    } else {
        QTRY_VERIFY(!moves.isEmpty());
        QCOMPARE(moves.last(), (QList<int>{at.x(), at.y()}));
        QVERIFY(releases.isEmpty());
    }
}

void TestQtMediaPlayer::videoAreaDeletedFirst()
{
    QtMediaPlayer player;
    Recorder rec(player);
    {
        QWidget window;
        player.videoArea()->setParent(&window);
        window.show();
        player.setAutoStart(false);
        player.setURL(path("clip.avi"));
        QVERIFY(startPlaying(player));
    }
    QCOMPARE(player.videoArea(), nullptr);
    QTest::qWait(300);
    player.stop();
    player.setURL(path("clip.avi"));
    QVERIFY(startPlaying(player));
    QCOMPARE(rec.faults, QStringList());
}

int main(int argc, char **argv)
{
    return withSoundServer(argc, argv, [&] {
        TestQtMediaPlayer test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_qtmediaplayer.moc"
