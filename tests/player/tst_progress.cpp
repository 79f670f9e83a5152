#include "tests/player/playerbench.h"

using namespace PlayerLayout;

class TestProgress : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void remainingTime_data();
    void remainingTime();
    void tick_data();
    void tick();
    void cancelledPressWithoutDuration();
    void progressoDaClic_data();
    void progressoDaClic();
    void progressoDaCursore_data();
    void progressoDaCursore();
    void barRelease_data();
    void barRelease();
    void pressMoveAwayAndReleaseChangesNothing();
    void clickWhilePausedResumesThere();
    void sensorRelease_data();
    void sensorRelease();
    void knobDrag_data();
    void knobDrag();
    void knobFollowsBackLeft();
    void knobBeforeFirstPlay();
    void speed_data();
    void speed();
};

// The captions below are the Italian ones; other locales have their own rows.
void TestProgress::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestProgress::remainingTime_data()
{
    QTest::addColumn<QString>("duration");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("borrowing a minute") << "04.10"
                                        << "03.25"
                                        << "-00.45";
    QTest::newRow("ten seconds left") << "04.05"
                                      << "03.55"
                                      << "-00.10";
    QTest::newRow("at the start") << "03.07"
                                  << "00.00"
                                  << "-03.07";
    QTest::newRow("over an hour") << "125.07"
                                  << "01.08"
                                  << "-123.59";
    QTest::newRow("a moment past the end") << "03.00"
                                           << "03.02"
                                           << "-00.00";
    QTest::newRow("no duration yet") << ""
                                     << "00.10"
                                     << "-00.00";
    QTest::newRow("not a time") << "04.10"
                                << "abc"
                                << "-00.00";
}

void TestProgress::remainingTime()
{
    QFETCH(QString, duration);
    QFETCH(QString, position);
    QFETCH(QString, remaining);
    QCOMPARE(SongPosition::remainingTime(duration, position), remaining);
}

void TestProgress::tick_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("aggiorna");
    QTest::addColumn<QString>("elapsed");
    QTest::addColumn<QString>("label8");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("avanzamento");
    QTest::addColumn<double>("percent");

    QTest::newRow("playing") << 250.0 << 205.0 << true << "03.25"
                             << "03.25 / 04.10"
                             << "-00.45" << 82.0 << "Avanzamento Traccia: 82,0%" << 82.0;
    QTest::newRow("during a seek press the bar stays")
        << 250.0 << 205.0 << false << "03.25"
        << "03.25 / 04.10"
        << "-00.45" << 0.0 << "Avanzamento Traccia: 0,0%" << 82.0;
    QTest::newRow("duration not known yet")
        << 0.0 << 3.0 << true << "00.03"
        << "00.03 / "
        << "-00.00" << 0.0 << "Avanzamento Traccia: 0,0%" << 0.0;
    QTest::newRow("a fraction") << 200.0 << 15.0 << true << "00.15"
                                << "00.15 / 03.20"
                                << "-03.05" << 7.5 << "Avanzamento Traccia: 7,5%" << 7.5;
}

void TestProgress::tick()
{
    QFETCH(double, duration);
    QFETCH(double, position);
    QFETCH(bool, aggiorna);
    QFETCH(QString, elapsed);
    QFETCH(QString, label8);
    QFETCH(QString, remaining);
    QFETCH(double, value);
    QFETCH(QString, avanzamento);
    QFETCH(double, percent);

    PlayerBench b;
    b.open();
    b.model().setText(Text::DurataRim, QStringLiteral("-00.00"));
    b.player.length = duration;
    b.player.position = position;
    b.model().AggiornaProgresso = aggiorna;
    b.logic.progress.tick();
    PlayerModel &m = b.model();
    QCOMPARE(m.text(Text::DurataCorr), elapsed);
    QCOMPARE(m.text(Text::Label8), label8);
    QCOMPARE(m.text(Text::DurataRim), remaining);
    QCOMPARE(m.progress().value, value);
    QCOMPARE(m.text(Text::Avanzamento), avanzamento);
    QCOMPARE(m.TimerIIProtetto, percent);
    if (aggiorna && duration > 0) {
        // Here the knob's left edge, not its centre, goes to the point.
        QCOMPARE(m.progress().knobLeft, BarLeft + 30 + percent * (BarWidth - 60) / 100);
        QCOMPARE(m.progress().miniWidth, value * (MiniWidth - 30) / 100);
        QCOMPARE(m.text(Text::DurataTot), b.player.durationString());
    } else {
        QCOMPARE(m.progress().knobLeft, SongPosition::knobCentredAt(0));
    }
}

void TestProgress::cancelledPressWithoutDuration()
{
    PlayerBench b;
    b.open();
    b.model().setProgressValue(30);
    SongPosition &p = b.logic.progress;
    p.barPressed(BarWidth * 0.8, Qt::LeftButton);
    QCOMPARE(b.model().progress().value, 80.0);
    p.barReleased(BarWidth * 0.8, -200);
    QVERIFY(!b.player.calls.join(u' ').contains(u"position"));
    // With no duration the next tick puts the bar back where the press found it.
    QCOMPARE(b.model().progress().value, 30.0);
    QVERIFY(!p.ProgressoFalso);
}

void TestProgress::progressoDaClic_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<bool>("mini");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("miniWidth");
    const double span = MiniWidth - 30;
    QTest::newRow("bar, left edge") << 0.0 << false << 0.0 << 0.0;
    QTest::newRow("bar, far outside") << 980000.0 << false << 0.0 << 0.0;
    QTest::newRow("bar, a quarter") << BarWidth / 4 << false << 25.0 << 25 * span / 100;
    QTest::newRow("bar, its end") << BarWidth << false << 100.0 << span;
    QTest::newRow("bar, right of it") << BarWidth + 15 << false << 100.0 << span;
    QTest::newRow("mini, inside the margin") << 15.0 << true << 0.0 << 0.0;
    QTest::newRow("mini, half") << span / 2 << true << 50.0 << span / 2;
    QTest::newRow("mini, past the end") << span + 15 << true << 100.0 << MiniWidth - 40;
}

void TestProgress::progressoDaClic()
{
    QFETCH(double, x);
    QFETCH(bool, mini);
    QFETCH(double, value);
    QFETCH(double, miniWidth);
    PlayerBench b;
    b.open();
    b.model().setProgressValue(60);
    b.model().setMiniWidth(123);
    b.logic.progress.ProgressoDaClic(x, mini);
    QCOMPARE(b.model().progress().value, value);
    QCOMPARE(b.model().progress().miniWidth, miniWidth);
}

void TestProgress::progressoDaCursore_data()
{
    QTest::addColumn<double>("knobLeft");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("avanzamento");
    // c = knob left - 150 - 50 + 120; p = c * 100 / 9075, both rounded.
    QTest::newRow("start") << 80.0 << 0.01 << "Avanzamento Traccia: 0,5%";
    QTest::newRow("left of the start") << 0.0 << 0.01 << "Avanzamento Traccia: 0,5%";
    QTest::newRow("half") << 80.0 + 4537.5 << 49.5 << "Avanzamento Traccia: 50,0%";
    QTest::newRow("a tenth") << 80.0 + 907.0 << 9.5 << "Avanzamento Traccia: 10,0%";
    QTest::newRow("past the end") << 80.0 + 9256.0 << 100.0 << "Avanzamento Traccia: 100,5%";
}

void TestProgress::progressoDaCursore()
{
    QFETCH(double, knobLeft);
    QFETCH(double, value);
    QFETCH(QString, avanzamento);
    PlayerBench b;
    b.open();
    b.model().setKnobLeft(knobLeft);
    b.logic.progress.ProgressoDaCursore();
    QCOMPARE(b.model().progress().value, value);
    QCOMPARE(b.model().text(Text::Avanzamento), avanzamento);
}

void TestProgress::barRelease_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("seconds"); // -1: no seek
    QTest::newRow("a quarter") << BarWidth / 4 << 90.0 << (BarWidth / 4 - 50) * 200 / BarWidth;
    QTest::newRow("right of the bar") << BarWidth + 300 << 0.0 << 200.0;
    QTest::newRow("left of the bar") << -30.0 << BarHeight << 0.0;
    QTest::newRow("before the offset") << 30.0 << 90.0 << 0.0;
    QTest::newRow("above") << BarWidth / 2 << -15.0 << -1.0;
    QTest::newRow("below") << BarWidth / 2 << BarHeight + 15 << -1.0;
}

void TestProgress::barRelease()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, seconds);
    PlayerBench b;
    b.open();
    b.player.length = 200;
    b.player.position = 20;
    SongPosition &p = b.logic.progress;
    p.barPressed(x, Qt::LeftButton);
    QVERIFY(!b.model().AggiornaProgresso);
    b.player.calls.clear();
    p.barReleased(x, y);
    QVERIFY(b.model().AggiornaProgresso);
    if (seconds < 0) {
        QVERIFY(b.player.calls.isEmpty());
        QVERIFY(p.ProgressoFalso);
        // The tick at the release puts the bar back at the real position.
        QCOMPARE(b.model().progress().value, 10.0);
    } else {
        QCOMPARE(b.player.calls, QStringList(QStringLiteral("position %1").arg(seconds)));
        QCOMPARE(b.model().progress().value, seconds / 2);
    }
}

void TestProgress::pressMoveAwayAndReleaseChangesNothing()
{
    PlayerBench b;
    b.open();
    b.player.length = 200;
    b.player.position = 50;
    b.logic.progress.tick();
    SongPosition &p = b.logic.progress;
    p.barPressed(BarWidth * 0.7, Qt::LeftButton);
    p.barMoved(BarWidth * 0.75, Qt::LeftButton);
    QCOMPARE(b.model().progress().value, 75.0);
    // The texts follow the pointer while the bar does not move with the song.
    QCOMPARE(b.model().text(Text::Avanzamento), QStringLiteral("Avanzamento Traccia: 75,0%"));
    QCOMPARE(b.model().MiniOggetto, MiniHover::InfoOnly);
    QCOMPARE(b.model().text(Text::Info0), QStringLiteral("Posizione della traccia"));
    b.player.calls.clear();
    p.barReleased(BarWidth * 0.75, -300);
    QVERIFY(b.player.calls.isEmpty());
    QCOMPARE(b.model().progress().value, 25.0);
}

void TestProgress::clickWhilePausedResumesThere()
{
    PlayerBench b;
    b.open();
    b.player.length = 200;
    Transport &t = b.logic.transport;
    t.PlayMouseUp(false, false);
    t.PlayMouseUp(false, false);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Paused);
    SongPosition &p = b.logic.progress;
    p.barPressed(BarWidth / 4, Qt::LeftButton);
    p.barReleased(BarWidth / 4, 90);
    const double sought = (BarWidth / 4 - 50) * 200 / BarWidth;
    QCOMPARE(b.player.position, sought);
    b.player.calls.clear();
    t.PlayMouseUp(false, false);
    // Playback goes on from the bar: the point clicked, a little before the quarter because of
    // the bar's offset.
    QVERIFY(b.player.calls.contains(QStringLiteral("position %1").arg(sought)));
    QCOMPARE(b.player.position, sought);
    QVERIFY(b.player.position > 48 && b.player.position < 50);
}

void TestProgress::sensorRelease_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("seconds");
    const double span = MiniWidth - 30;
    QTest::newRow("half") << span / 2 << 100.0 << 100.0;
    QTest::newRow("exactly 15") << 15.0 << 0.0 << 200.0;
    QTest::newRow("inside the left margin") << 14.0 << 0.0 << 0.0;
    QTest::newRow("inside the right margin") << MiniWidth - 15 << 0.0 << 200.0;
    QTest::newRow("above") << span / 2 << -1.0 << -1.0;
}

void TestProgress::sensorRelease()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, seconds);
    PlayerBench b;
    b.open();
    b.player.length = 200;
    SongPosition &p = b.logic.progress;
    p.sensorPressed(x, Qt::LeftButton);
    b.player.calls.clear();
    p.sensorReleased(x, y);
    if (seconds < 0) {
        QVERIFY(b.player.calls.isEmpty());
        QVERIFY(p.ProgressoFalso);
    } else {
        QCOMPARE(b.player.calls, QStringList(QStringLiteral("position %1").arg(seconds)));
    }
    QCOMPARE(b.model().Oggetto, MainHover::Background);
}

void TestProgress::knobDrag_data()
{
    QTest::addColumn<double>("moveBy"); // twips the pointer moves right while held
    QTest::addColumn<double>("knobLeft");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("seconds");
    // The knob starts centred at 0 (left 60), grabbed at its centre (120).
    QTest::newRow("a third of the bar") << 3030.0 << 3090.0 << 32.5 << 65.0;
    QTest::newRow("past the right end") << 20000.0 << 9135.0 << 99.5 << 199.0;
    QTest::newRow("past the left end: held at the start") << -500.0 << 60.0 << 0.01 << 0.02;
}

void TestProgress::knobDrag()
{
    QFETCH(double, moveBy);
    QFETCH(double, knobLeft);
    QFETCH(double, value);
    QFETCH(double, seconds);
    PlayerBench b;
    b.open();
    b.player.length = 200;
    b.logic.transport.PlayMouseUp(false, false);
    SongPosition &p = b.logic.progress;
    p.knobPressed(120);
    QVERIFY(!b.model().AggiornaProgresso);
    p.knobMoved(120 + moveBy, Qt::LeftButton);
    QVERIFY(b.model().timerOn(Timer::Timer4));
    p.timer4Tick();
    QCOMPARE(b.model().progress().knobLeft, knobLeft);
    QCOMPARE(b.model().progress().value, value);
    // The pointer has not moved since: further ticks leave the knob where it is.
    for (int i = 0; i < 3; ++i)
        p.timer4Tick();
    QCOMPARE(b.model().progress().knobLeft, knobLeft);
    b.player.calls.clear();
    p.knobReleased();
    QVERIFY(!b.model().timerOn(Timer::Timer4));
    QVERIFY(b.model().AggiornaProgresso);
    QCOMPARE(b.player.calls, QStringList(QStringLiteral("position %1").arg(seconds)));
}

void TestProgress::knobFollowsBackLeft()
{
    PlayerBench b;
    b.open();
    b.player.length = 200;
    b.logic.transport.PlayMouseUp(false, false);
    SongPosition &p = b.logic.progress;
    p.knobPressed(120);
    p.knobMoved(120 + 3030, Qt::LeftButton);
    p.timer4Tick();
    QCOMPARE(b.model().progress().knobLeft, 3090.0);
    // Next move, in the knob's coordinates: 1500 twips back to the left.
    p.knobMoved(120 - 1500, Qt::LeftButton);
    p.timer4Tick();
    QCOMPARE(b.model().progress().knobLeft, 1590.0);
    // c = 1590 - 80 = 1510, p = 17 (16.64 rounded).
    QCOMPARE(b.model().progress().value, 16.5);
    QCOMPARE(b.model().text(Text::Avanzamento), QStringLiteral("Avanzamento Traccia: 17,0%"));
}

void TestProgress::knobBeforeFirstPlay()
{
    PlayerBench b;
    b.open();
    b.player.length = 200;
    SongPosition &p = b.logic.progress;
    p.knobPressed(120);
    p.knobMoved(3000, Qt::LeftButton);
    p.timer4Tick();
    QCOMPARE(b.model().progress().knobLeft, SongPosition::knobCentredAt(0));
    QCOMPARE(b.model().progress().value, 0.0);
    p.knobReleased();
    QCOMPARE(b.player.position, 0.0);
}

void TestProgress::speed_data()
{
    QTest::addColumn<int>("slider");
    QTest::addColumn<double>("rate");
    QTest::newRow("0") << 0 << 0.5;
    QTest::newRow("1") << 1 << 0.75;
    QTest::newRow("2") << 2 << 1.0;
    QTest::newRow("3") << 3 << 1.5;
    QTest::newRow("4") << 4 << 2.0;
    QTest::newRow("5") << 5 << 2.5;
}

void TestProgress::speed()
{
    QFETCH(int, slider);
    QFETCH(double, rate);
    PlayerBench b;
    b.open();
    b.logic.progress.speedChanged(slider);
    QCOMPARE(b.player.currentRate, rate);
    QCOMPARE(b.model().VelocitaCorrente, rate);
}

QTEST_GUILESS_MAIN(TestProgress)
#include "tst_progress.moc"
