#include "tests/player/playerbench.h"

namespace {

// A song playing in the bench at the player volume given.
void playAt(PlayerBench &b, int volume, bool ripeti = false)
{
    b.memory.varVolume = volume;
    b.open(ripeti);
    b.player.length = 200;
    b.logic.transport.PlayMouseUp(false, true);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
}

// Ticks tmrStop while it runs, at most limit times; the slider's value after each tick.
QList<int> runFade(PlayerBench &b, int intervalMs = 50, int limit = 1000)
{
    QList<int> seen;
    while (b.model().timerOn(Timer::TmrStop) && limit-- > 0) {
        b.logic.transport.tmrStop(intervalMs);
        seen.append(b.logic.volume.value());
    }
    return seen;
}

QList<int> ints(const char *list)
{
    QList<int> result;
    for (const QString &n : QString::fromLatin1(list).split(u' '))
        result.append(n.toInt());
    return result;
}

} // namespace

class TestFade : public QObject {
    Q_OBJECT

private slots:
    void whichButtonFades_data();
    void whichButtonFades();
    void fadeLasts_data();
    void fadeLasts();
    void slidesRoundHalvesToEven();
    void fadeStopsForGoodAndKeepsTheLevel();
    void stopPressedAgainDuringAFade_data();
    void stopPressedAgainDuringAFade();
    void fadeWhilePausedOrStopped_data();
    void fadeWhilePausedOrStopped();
    void playAfterAFadeIsSilent();
    void fadeWhileMutedStaysSilent();
    void closingDuringAFade();
};

void TestFade::whichButtonFades_data()
{
    QTest::addColumn<QString>("sfumadx");
    QTest::addColumn<bool>("mini");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("fades");
    QTest::newRow("left fades, left") << "0" << false << Qt::LeftButton << true;
    QTest::newRow("left fades, right") << "0" << false << Qt::RightButton << false;
    QTest::newRow("right fades, left") << "1" << false << Qt::LeftButton << false;
    QTest::newRow("right fades, right") << "1" << false << Qt::RightButton << true;
    QTest::newRow("right fades, right on mini stop") << "1" << true << Qt::RightButton << true;
    QTest::newRow("right fades, middle") << "1" << false << Qt::MiddleButton << false;
    QTest::newRow("none fades, left") << "2" << false << Qt::LeftButton << false;
    QTest::newRow("none fades, right on mini stop") << "2" << true << Qt::RightButton << false;
    QTest::newRow("both fade, left on mini stop") << "3" << true << Qt::LeftButton << true;
    QTest::newRow("both fade, right") << "3" << false << Qt::RightButton << true;
    QTest::newRow("not a number: left fades") << "x" << false << Qt::LeftButton << true;
    QTest::newRow("out of range, right") << "9" << false << Qt::RightButton << false;
}

void TestFade::whichButtonFades()
{
    QFETCH(QString, sfumadx);
    QFETCH(bool, mini);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, fades);
    PlayerBench b;
    b.settings.setValue(QStringLiteral("sfumadx"), sfumadx);
    playAt(b, 60, true);
    TransportButtons &t = b.logic.buttons;
    if (mini) {
        t.miniStopPressed();
        t.miniStopReleased(true, button);
    } else {
        t.stopPressed();
        t.stopReleased(true, button);
    }
    QCOMPARE(b.model().timerOn(Timer::TmrStop), fades);
    QCOMPARE(b.player.state,
             fades ? MediaPlayer::PlayState::Playing : MediaPlayer::PlayState::Stopped);
    // A stop at once is final even with repeat on.
    QVERIFY(!b.model().timerOn(Timer::Timer6));
    QCOMPARE(b.logic.volume.value(), 60);
}

void TestFade::fadeLasts_data()
{
    QTest::addColumn<int>("volume");
    QTest::addColumn<QString>("abbvolume");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("seconds");
    QTest::newRow("60 at the default speed") << 60 << "3" << 50 << 13;
    QTest::newRow("100 at the slowest") << 100 << "1" << 50 << 15;
    QTest::newRow("7 at the fastest") << 7 << "15" << 50 << 1;
    QTest::newRow("a slower timer fades as long") << 60 << "3" << 200 << 13;
    QTest::newRow("speed 16 taken as 15") << 80 << "16" << 50 << 1;
    QTest::newRow("speed 40 taken as 15") << 80 << "40" << 50 << 1;
    QTest::newRow("speed 0 follows the formula") << 80 << "0" << 50 << 16;
    QTest::newRow("negative speed follows the formula") << 80 << "-4" << 50 << 20;
    QTest::newRow("from 0 it stops on the first tick") << 0 << "3" << 50 << 0;
}

// The fade lasts 16 - speed seconds whatever the level; the stop comes on the first tick that
// finds the volume at 0.
void TestFade::fadeLasts()
{
    QFETCH(int, volume);
    QFETCH(QString, abbvolume);
    QFETCH(int, interval);
    QFETCH(int, seconds);
    PlayerBench b;
    b.settings.setValue(QStringLiteral("abbvolume"), abbvolume);
    playAt(b, volume);
    b.logic.transport.SfumaStop(Qt::RightButton);
    const QList<int> seen = runFade(b, interval);
    const int elapsed = int(seen.size()) * interval;
    QVERIFY2(elapsed >= seconds * 1000 && elapsed <= seconds * 1000 + 2 * interval,
             qPrintable(QString::number(elapsed)));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QCOMPARE(seen.last(), 0);
    for (qsizetype i = 1; i < seen.size(); ++i)
        QVERIFY(seen.at(i) <= seen.at(i - 1));
    // The player follows the slider at every tick.
    const QStringList volumes = b.callsOf({QStringLiteral("volume ")});
    QStringList followed;
    for (int value : seen)
        followed.append(QStringLiteral("volume %1").arg(value));
    QCOMPARE(volumes.mid(volumes.size() - followed.size()), followed);
}

// From 50 at speed 12 each tick takes 0.625: 47.5 shows 48 and 42.5 shows 42.
void TestFade::slidesRoundHalvesToEven()
{
    PlayerBench b;
    b.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("12"));
    playAt(b, 50);
    b.logic.transport.SfumaStop(Qt::RightButton);
    QList<int> seen;
    for (int i = 0; i < 12; ++i) {
        b.logic.transport.tmrStop(50);
        seen.append(b.logic.volume.value());
    }
    QCOMPARE(seen, ints("49 49 48 48 47 46 46 45 44 44 43 42"));
    QCOMPARE(b.player.currentVolume, 42);
    QCOMPARE(b.logic.transport.fade.VolumeSfumato, 42.5f);
}

void TestFade::fadeStopsForGoodAndKeepsTheLevel()
{
    PlayerBench b;
    playAt(b, 60, true);
    b.logic.transport.SfumaStop(Qt::RightButton);
    QCOMPARE(b.logic.transport.fade.VolumeInizioSfumatura, 60);
    b.logic.transport.tmrStop(50);
    // 60 / 13 / 20 a tick.
    QCOMPARE(b.logic.transport.fade.VolumeSfumato, float(60 - 60.0 / 13 / 20));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    runFade(b);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QCOMPARE(b.player.count(QStringLiteral("stop")), 1);
    // Repeat is on, yet the song does not come back.
    QVERIFY(!b.model().timerOn(Timer::Timer6));
    QVERIFY(!b.model().StopRepeat);
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2N"));
    // The knob went down with the slider; the next window starts at the level before.
    QCOMPARE(b.model().volume().knobLeft, PlayerVolume::knobLeftFor(0));
    QCOMPARE(b.memory.varVolume, 60);
    PlayerBench next;
    next.memory = b.memory;
    next.open();
    QCOMPARE(next.logic.volume.value(), 60);
    QCOMPARE(next.player.currentVolume, 60);
}

void TestFade::stopPressedAgainDuringAFade_data()
{
    QTest::addColumn<Qt::MouseButton>("again");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("with the fading button") << Qt::RightButton << true;
    QTest::newRow("with the other button") << Qt::LeftButton << false;
}

void TestFade::stopPressedAgainDuringAFade()
{
    QFETCH(Qt::MouseButton, again);
    QFETCH(bool, restarts);
    PlayerBench b;
    playAt(b, 60);
    Transport &t = b.logic.transport;
    t.SfumaStop(Qt::RightButton);
    for (int i = 0; i < 100; ++i)
        t.tmrStop(50);
    const int reached = b.logic.volume.value();
    QVERIFY(reached > 30 && reached < 40);
    t.SfumaStop(again);
    if (!restarts) {
        QVERIFY(!b.model().timerOn(Timer::TmrStop));
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
        return;
    }
    QCOMPARE(t.fade.VolumeInizioSfumatura, reached);
    // A new full fade from the level reached: 13 seconds again.
    const int ticks = int(runFade(b).size());
    QVERIFY2(ticks >= 260 && ticks <= 262, qPrintable(QString::number(ticks)));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
}

void TestFade::fadeWhilePausedOrStopped_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("paused") << "pause";
    QTest::newRow("stopped by the Stop command") << "stop";
    QTest::newRow("song ended") << "end";
}

// The fade runs to its end and stops nothing that plays; no stop flag is left behind, so a song
// played again with repeat on still repeats.
void TestFade::fadeWhilePausedOrStopped()
{
    QFETCH(QString, meanwhile);
    PlayerBench b;
    b.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("15"));
    playAt(b, 40, true);
    Transport &t = b.logic.transport;
    t.SfumaStop(Qt::RightButton);
    t.tmrStop(50);
    if (meanwhile == u"pause") {
        t.PlayMouseUp(false, true);
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Paused);
    } else if (meanwhile == u"stop") {
        t.stopClicked();
    } else {
        // With repeat on the song is about to start again; the fade's stop prevents that.
        b.player.finish();
        QVERIFY(b.model().timerOn(Timer::Timer6));
    }
    runFade(b);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QVERIFY(!b.model().StopRepeat);
    QVERIFY(!b.model().timerOn(Timer::Timer6));
    QVERIFY(b.model().Fermo);
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2N"));

    b.model().Ripeti = true;
    b.logic.volume.sliderChanged(40);
    t.PlayMouseUp(false, true);
    b.player.finish();
    QVERIFY(b.model().timerOn(Timer::Timer6));
}

void TestFade::playAfterAFadeIsSilent()
{
    PlayerBench b;
    b.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("15"));
    playAt(b, 70);
    b.logic.transport.SfumaStop(Qt::RightButton);
    runFade(b);
    b.logic.transport.PlayMouseUp(false, true);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.player.currentVolume, 0);
    b.logic.volume.sliderChanged(30);
    QCOMPARE(b.player.currentVolume, 30);
    QCOMPARE(b.memory.varVolume, 30);
}

// Our choice: a muted player stays silent through a fade; unmuted, it plays at the slider.
void TestFade::fadeWhileMutedStaysSilent()
{
    PlayerBench b;
    b.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("14"));
    playAt(b, 80);
    b.logic.volume.ImpostaMuto(false);
    const qsizetype before = b.player.calls.size();
    b.logic.transport.SfumaStop(Qt::RightButton);
    for (int i = 0; i < 10; ++i)
        b.logic.transport.tmrStop(50);
    QCOMPARE(b.logic.volume.value(), 60);
    QCOMPARE(b.player.currentVolume, 0);
    QCOMPARE(b.player.calls.size(), before);
    b.logic.volume.ImpostaMuto(false);
    QCOMPARE(b.player.currentVolume, 60);
}

void TestFade::closingDuringAFade()
{
    PlayerBench b;
    playAt(b, 60);
    b.logic.transport.SfumaStop(Qt::RightButton);
    b.logic.transport.tmrStop(50);
    b.logic.unload();
    QVERIFY(!b.model().timerOn(Timer::TmrStop));
    const QStringList calls = b.player.calls;
    // A tick already queued does nothing after the window closed.
    b.logic.transport.tmrStop(50);
    QCOMPARE(b.player.calls, calls);
    QCOMPARE(b.memory.varVolume, 60);
}

QTEST_GUILESS_MAIN(TestFade)
#include "tst_fade.moc"
