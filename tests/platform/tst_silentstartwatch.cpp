#include "platform/silentstartwatch.h"
#include "tests/fakes/fakemediaplayer.h"

#include <QTest>

class TestSilentStartWatch : public QObject {
    Q_OBJECT

private slots:
    void reportsOnlyASilentStart_data();
    void reportsOnlyASilentStart();
    void aNewRequestWaitsAfresh();
};

void TestSilentStartWatch::reportsOnlyASilentStart_data()
{
    QTest::addColumn<MediaPlayer::PlayState>("state");
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("length");
    // Milliseconds after the request when the start is called silent; -1: never.
    QTest::addColumn<int>("reportedAt");
    QTest::newRow("playing, no sound, no length")
        << MediaPlayer::PlayState::Playing << 0.0 << 0.0 << SilentStartWatch::GraceMs;
    QTest::newRow("never leaves the request")
        << MediaPlayer::PlayState::Transitioning << 0.0 << 0.0 << SilentStartWatch::GraceMs;
    QTest::newRow("length known") << MediaPlayer::PlayState::Playing << 0.0 << 3.0 << -1;
    QTest::newRow("position moving") << MediaPlayer::PlayState::Playing << 0.2 << 0.0 << -1;
    QTest::newRow("paused by the presenter") << MediaPlayer::PlayState::Paused << 0.0 << 0.0 << -1;
    QTest::newRow("stopped") << MediaPlayer::PlayState::Stopped << 0.0 << 0.0 << -1;
}

void TestSilentStartWatch::reportsOnlyASilentStart()
{
    QFETCH(MediaPlayer::PlayState, state);
    QFETCH(double, position);
    QFETCH(double, length);
    QFETCH(int, reportedAt);
    FakeMediaPlayer player;
    player.state = state;
    player.position = position;
    player.length = length;
    SilentStartWatch watch(player);
    watch.arm();
    QList<int> reports;
    for (int elapsed = 250; elapsed <= 3 * SilentStartWatch::GraceMs; elapsed += 250) {
        if (watch.tick(250))
            reports << elapsed;
    }
    QCOMPARE(reports, reportedAt < 0 ? QList<int>{} : QList<int>{reportedAt});
    QVERIFY(!watch.isArmed());
}

// A pause within the grace period and a new play request: the wait starts over, so the
// presenter's pause costs the song no part of its grace.
void TestSilentStartWatch::aNewRequestWaitsAfresh()
{
    FakeMediaPlayer player;
    player.state = MediaPlayer::PlayState::Playing;
    SilentStartWatch watch(player);
    watch.arm();
    QVERIFY(!watch.tick(SilentStartWatch::GraceMs - 500));
    watch.arm();
    QVERIFY(!watch.tick(SilentStartWatch::GraceMs - 500));
    QVERIFY(watch.isArmed());
    QVERIFY(watch.tick(500));
    QVERIFY(!watch.tick(SilentStartWatch::GraceMs));
}

QTEST_GUILESS_MAIN(TestSilentStartWatch)
#include "tst_silentstartwatch.moc"
