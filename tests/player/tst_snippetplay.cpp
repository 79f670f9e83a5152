#include "tests/player/playerbench.h"

Q_DECLARE_METATYPE(Snippet)

namespace {

// A song of 200 s whose slot plays from 30 s to 60 s, opened in the bench at player volume 80.
void openSnippet(PlayerBench &b, Snippet snippet, bool ripeti = false)
{
    b.memory.varVolume = 80;
    Transport::Opening opening;
    opening.path = b.song;
    opening.tipo = QStringLiteral("Spot 10");
    opening.riprodcontinua = ripeti;
    opening.snippet = snippet;
    b.logic.open(opening);
    b.player.length = 200;
}

// Steps TmrEntrata while it runs, as the window's 10 ms timer would.
void runFadeIn(PlayerBench &b)
{
    for (int limit = 100; b.model().timerOn(Timer::TmrEntrata) && limit > 0; --limit)
        b.logic.transport.snippet.fadeInTick(10);
}

// Playback runs on to position seconds, with a Timer1 tick there.
void playTo(PlayerBench &b, double position)
{
    b.player.position = position;
    b.logic.transport.snippetTick();
}

const Snippet Middle{30000, 60000, QStringLiteral("song.wav")};

} // namespace

class TestSnippetPlay : public QObject {
    Q_OBJECT

private slots:
    void startsAtTheStartPoint_data();
    void startsAtTheStartPoint();
    void fadesOutAtTheEndPoint_data();
    void fadesOutAtTheEndPoint();
    void presenterSeeksAnywhere_data();
    void presenterSeeksAnywhere();
};

void TestSnippetPlay::startsAtTheStartPoint_data()
{
    QTest::addColumn<Snippet>("snippet");
    QTest::addColumn<double>("from");
    QTest::addColumn<bool>("fadeIn");
    QTest::addColumn<double>("rangeFrom");
    QTest::addColumn<double>("rangeTo");

    QTest::newRow("middle") << Middle << 30.0 << true << 15.0 << 30.0;
    QTest::newRow("to the song's end")
        << Snippet{30000, 0, QStringLiteral("song.wav")} << 30.0 << true << 15.0 << 100.0;
    QTest::newRow("end only: from the beginning, no fade-in")
        << Snippet{0, 60000, QStringLiteral("song.wav")} << 0.0 << false << 0.0 << 30.0;
    QTest::newRow("start past the song's end ignored")
        << Snippet{250000, 0, QStringLiteral("song.wav")} << 0.0 << false << 0.0 << 0.0;
    QTest::newRow("none") << Snippet{} << 0.0 << false << 0.0 << 0.0;
}

void TestSnippetPlay::startsAtTheStartPoint()
{
    QFETCH(Snippet, snippet);
    QFETCH(double, from);
    QFETCH(bool, fadeIn);
    PlayerBench b;
    openSnippet(b, snippet);
    b.player.calls.clear();
    b.logic.transport.PlayMouseUp(false, true);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.player.position, from);
    // Silent from before the first sample, then back to the level within the fade-in.
    const QStringList before = b.callsOf({QStringLiteral("volume"), QStringLiteral("play")});
    QCOMPARE(before.mid(0, 2) == QStringList({QStringLiteral("volume 0"), QStringLiteral("play")}),
             fadeIn);
    QCOMPARE(b.model().timerOn(Timer::TmrEntrata), fadeIn);
    b.player.calls.clear();
    runFadeIn(b);
    QCOMPARE(b.player.currentVolume, 80);
    if (fadeIn)
        QCOMPARE(b.callsOf({QStringLiteral("volume")}),
                 QStringList({QStringLiteral("volume 20"), QStringLiteral("volume 40"),
                              QStringLiteral("volume 60"), QStringLiteral("volume 80")}));
    QTEST(b.model().progress().rangeFrom, "rangeFrom");
    QTEST(b.model().progress().rangeTo, "rangeTo");
}

void TestSnippetPlay::fadesOutAtTheEndPoint_data()
{
    QTest::addColumn<bool>("ripeti");
    QTest::addColumn<int>("abbvolume");
    QTest::addColumn<int>("seconds"); // the stop fade's time, 16 - abbvolume

    QTest::newRow("stops") << false << 6 << 10;
    QTest::newRow("fast fade") << false << 14 << 2;
    QTest::newRow("repeat starts again at the start point") << true << 6 << 10;
}

void TestSnippetPlay::fadesOutAtTheEndPoint()
{
    QFETCH(bool, ripeti);
    QFETCH(int, abbvolume);
    QFETCH(int, seconds);
    PlayerBench b;
    b.settings.setNumber(QStringLiteral("abbvolume"), abbvolume);
    b.settings.setNumber(QStringLiteral("sfumadx"), 2); // the stop buttons never fade
    openSnippet(b, Middle, ripeti);
    b.logic.transport.PlayMouseUp(false, true);
    runFadeIn(b);
    playTo(b, 40);
    playTo(b, 59.95);
    QVERIFY(!b.model().timerOn(Timer::TmrStop));
    playTo(b, 60.05);
    QVERIFY(b.model().timerOn(Timer::TmrStop));
    b.player.calls.clear();
    int run = 0;
    while (b.model().timerOn(Timer::TmrStop) && run < 1000) {
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
        b.logic.transport.tmrStop(50);
        ++run;
    }
    // The stop comes on the first tick that finds the volume at 0.
    QVERIFY2(run * 50 >= seconds * 1000 && run * 50 <= seconds * 1000 + 100,
             qPrintable(QString::number(run)));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QVERIFY(b.player.calls.contains(QStringLiteral("volume 0")));
    QCOMPARE(b.logic.volume.value(), 80);
    QCOMPARE(b.model().timerOn(Timer::Timer6), ripeti);
    QCOMPARE(b.model().Fermo, !ripeti);
    if (ripeti) {
        b.logic.transport.timer6();
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
        QCOMPARE(b.player.position, 30.0);
        runFadeIn(b);
        QCOMPARE(b.player.currentVolume, 80);
    }
}

void TestSnippetPlay::presenterSeeksAnywhere_data()
{
    QTest::addColumn<double>("jumpTo"); // seconds, from 45 s into the snippet
    QTest::addColumn<bool>("fades");    // at the next tick

    QTest::newRow("past the end point") << 100.0 << false;
    QTest::newRow("before the start point") << 10.0 << false;
    QTest::newRow("just before the end point, then across") << 59.5 << true;
}

void TestSnippetPlay::presenterSeeksAnywhere()
{
    QFETCH(double, jumpTo);
    QFETCH(bool, fades);
    PlayerBench b;
    openSnippet(b, Middle);
    b.logic.transport.PlayMouseUp(false, true);
    playTo(b, 45);
    playTo(b, jumpTo);
    playTo(b, jumpTo + 0.6);
    QCOMPARE(b.model().timerOn(Timer::TmrStop), fades);

    // A place chosen on the bar before the first play is where the song starts.
    PlayerBench placed;
    openSnippet(placed, Middle);
    placed.logic.progress.ProgressoDaClic(0, false);
    placed.logic.transport.PlayMouseUp(false, true);
    QCOMPARE(placed.player.position, 0.0);
    QVERIFY(!placed.model().timerOn(Timer::TmrEntrata));
}

QTEST_GUILESS_MAIN(TestSnippetPlay)
#include "tst_snippetplay.moc"
