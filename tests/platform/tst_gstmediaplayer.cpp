// The GStreamer media player on real files, through a private sound server with a null sink,
// so that playback runs as it does on a desktop: transport, seeks, speed, errors and video.
#include "platform/gstmediaplayer.h"
#include "platform/gstvideoarea.h"
#include "platform/mediastack.h"
#include "tests/fakes/soundserver.h"
#include "tests/fakes/tonefiles.h"
#include "tests/platform/gstplayertesting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
using namespace GstPlayerTesting;

class TestGstMediaPlayer : public QObject {
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
    void video_data();
    void video();
    void newUrlEndsOldPlayback();
    void mouseOverVideo_data();
    void mouseOverVideo();
    void videoAreaDeletedFirst();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestGstMediaPlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(mediaBackendFound(), "GStreamer cannot play");
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
    error = runGst(QStringLiteral("videotestsrc num-buffers=75 ! video/x-raw,width=320,height=240,"
                                  "framerate=25/1 ! jpegenc ! avimux ! filesink location=") +
                   path("clip.avi"));
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void TestGstMediaPlayer::autoStart_data()
{
    QTest::addColumn<bool>("autoStart");
    QTest::newRow("on by default") << true;
    QTest::newRow("off") << false;
}

void TestGstMediaPlayer::autoStart()
{
    QFETCH(bool, autoStart);
    GstMediaPlayer player;
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

void TestGstMediaPlayer::pauseKeepsPosition()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::seek_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("before the media is loaded") << QStringLiteral("before load");
    QTest::newRow("right after play") << QStringLiteral("after play");
    QTest::newRow("stopped, loaded") << QStringLiteral("stopped");
    QTest::newRow("paused") << QStringLiteral("paused");
    QTest::newRow("playing") << QStringLiteral("playing");
}

void TestGstMediaPlayer::seek()
{
    QFETCH(QString, when);
    GstMediaPlayer player;
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
            QCOMPARE(player.currentPosition(), target);
            QTest::qWait(300);
            QVERIFY(std::abs(player.currentPosition() - target) < 0.1);
            QCOMPARE(player.playState(), MediaPlayer::PlayState::Paused);
            player.play();
        } else {
            player.setCurrentPosition(target);
            QCOMPARE(player.currentPosition(), target);
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

void TestGstMediaPlayer::rate_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("when");
    QTest::newRow("half, while playing") << 0.5 << QStringLiteral("playing");
    QTest::newRow("double, while playing") << 2.0 << QStringLiteral("playing");
    QTest::newRow("double, before play") << 2.0 << QStringLiteral("before play");
    QTest::newRow("half, before the URL") << 0.5 << QStringLiteral("before url");
}

void TestGstMediaPlayer::rate()
{
    QFETCH(double, rate);
    QFETCH(QString, when);
    GstMediaPlayer player;
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
    const qsizetype statesBefore = rec.states.size();
    if (when == u"playing") {
        QVERIFY(waitSteady(player, 1.0));
        const double at = player.currentPosition();
        player.setRate(rate);
        // Goes on from where it was, without a state of its own.
        QVERIFY(std::abs(player.currentPosition() - at) < 0.2);
        QTRY_VERIFY(player.currentPosition() > at + 0.1);
        QCOMPARE(rec.states.size(), statesBefore);
    }
    QCOMPARE(player.rate(), rate);
    QVERIFY(waitSteady(player, rate));
    QCOMPARE(rec.states.size(), statesBefore);

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

void TestGstMediaPlayer::stopReturnsToStart()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::endOfMediaThenReplay()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::unplayableFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("missing") << QStringLiteral("nowhere.wav");
    QTest::newRow("text named .mp3") << QStringLiteral("text.mp3");
    QTest::newRow("noise named .wav") << QStringLiteral("noise.wav");
}

void TestGstMediaPlayer::unplayableFile()
{
    QFETCH(QString, file);
    GstMediaPlayer player;
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

void TestGstMediaPlayer::durationAndTimeStrings()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::mp3WithLateDuration()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::video_data()
{
    QTest::addColumn<QSize>("area");
    QTest::newRow("the clip's own size") << QSize(320, 240);
    QTest::newRow("double") << QSize(640, 480);
    QTest::newRow("wider than the clip") << QSize(600, 240);
}

// Frames come scaled by the pipeline to the area's size, their shape kept (black bands where
// the area is wider), and keep coming while the song plays.
void TestGstMediaPlayer::video()
{
    QFETCH(QSize, area);
    GstMediaPlayer player;
    Recorder rec(player);
    QWidget window;
    auto *video = qobject_cast<GstVideoArea *>(player.videoArea());
    QVERIFY(video);
    video->setParent(&window);
    video->setGeometry(0, 0, area.width(), area.height());
    window.resize(area + QSize(40, 40));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int paints = 0;
    PaintCounter counter(video, paints);

    player.setAutoStart(false);
    player.setURL(path("five.wav"));
    QTRY_VERIFY(player.duration() > 0.0);
    QVERIFY(!player.hasVideo());

    player.setURL(path("clip.avi"));
    QTRY_VERIFY(player.hasVideo());
    QTRY_VERIFY(std::abs(player.duration() - 3.0) < 0.1);
    // The paused first frame is there before play.
    QTRY_COMPARE(video->frame().size(), area);
    paints = 0;
    QVERIFY(startPlaying(player));
    QTRY_VERIFY_WITH_TIMEOUT(paints > 10, 3000);
    const QImage frame = video->frame();
    QCOMPARE(frame.size(), area);
    const int pictureWidth = area.height() * 4 / 3;
    const int band = (area.width() - pictureWidth) / 2;
    QVERIFY(qGray(frame.pixel(area.width() / 2, area.height() / 4)) > 40);
    QCOMPARE(qGray(frame.pixel(0, area.height() / 2)) < 20, band > 0);
    QCOMPARE(rec.errors, QStringList());
    QCOMPARE(rec.faults, QStringList());
}

void TestGstMediaPlayer::newUrlEndsOldPlayback()
{
    GstMediaPlayer player;
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

void TestGstMediaPlayer::mouseOverVideo_data()
{
    QTest::addColumn<bool>("release");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("move") << false << Qt::NoButton << QPoint(10, 20);
    QTest::newRow("left release") << true << Qt::LeftButton << QPoint(30, 40);
    QTest::newRow("right release") << true << Qt::RightButton << QPoint(155, 5);
}

void TestGstMediaPlayer::mouseOverVideo()
{
    QFETCH(bool, release);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, at);
    GstMediaPlayer player;
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

void TestGstMediaPlayer::videoAreaDeletedFirst()
{
    GstMediaPlayer player;
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
        TestGstMediaPlayer test;
        return QTest::qExec(&test, argc, argv);
    });
}

#include "tst_gstmediaplayer.moc"
