#include "tests/player/playerbench.h"

#include <QDir>
#include <QLocale>

Q_DECLARE_METATYPE(TransportButtons::Piece)
Q_DECLARE_METATYPE(PlayHover)

class TestTransport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening_data();
    void opening();
    void playAndPauseRequests_data();
    void playAndPauseRequests();
    void pauseSetsRateOneAndPlayRestoresIt();
    void missingFileWarnsAtEveryPlay_data();
    void missingFileWarnsAtEveryPlay();
    void delayedStartWarnsOnceAboutAMissingFile();
    void songStops_data();
    void songStops();
    void repeatRestartsWhereTheBarStands();
    void secondRequestDuringTheYieldIsDropped();
    void bouncedPlayRequestIsOne_data();
    void bouncedPlayRequestIsOne();
    void bigButtonRelease_data();
    void bigButtonRelease();
    void insideBigPlay_data();
    void insideBigPlay();
    void repeatToggle();
    void pausaCommandButton();
    void unloadStopsForGood();
    void titleSpinner_data();
    void titleSpinner();
    void percentFollowsTheLocale_data();
    void percentFollowsTheLocale();
    void missingFileNeverReachesThePlayer_data();
    void missingFileNeverReachesThePlayer();
    void repeatRestartsFromTheStart();
    void delayedStartLeavesAStartedSongPlaying_data();
    void delayedStartLeavesAStartedSongPlaying();
};

// The captions below are the Italian ones; other locales have their own rows.
void TestTransport::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestTransport::opening_data()
{
    QTest::addColumn<bool>("riprodcontinua");
    QTest::addColumn<bool>("autoplay");
    QTest::addColumn<int>("dock");
    QTest::addColumn<QString>("path"); // "song", "missing" or "folder"
    QTest::addColumn<QString>("ripeti");
    QTest::addColumn<QString>("aggancia");

    QTest::newRow("defaults") << false << true << 1 << "song"
                              << "NRipetiNPN"
                              << "AgganciatoN";
    QTest::newRow("repeat, undocked") << true << false << 0 << "song"
                                      << "RipetiNPN"
                                      << "SganciatoN";
    QTest::newRow("missing file") << false << true << 1 << "missing"
                                  << "NRipetiNPN"
                                  << "AgganciatoN";
    QTest::newRow("folder for a file") << false << false << 1 << "folder"
                                       << "NRipetiNPN"
                                       << "AgganciatoN";
}

void TestTransport::opening()
{
    QFETCH(bool, riprodcontinua);
    QFETCH(bool, autoplay);
    QFETCH(int, dock);
    QFETCH(QString, path);
    QFETCH(QString, ripeti);
    QFETCH(QString, aggancia);

    PlayerBench b;
    QString file = b.song;
    if (path == u"missing") {
        file = b.dir.filePath(QStringLiteral("gone.mp3"));
    } else if (path == u"folder") {
        QVERIFY(QDir(b.dir.path()).mkdir(QStringLiteral("folder.mp3")));
        file = b.dir.filePath(QStringLiteral("folder.mp3"));
    }
    b.open(riprodcontinua, autoplay, dock, file);

    PlayerModel &m = b.model();
    QCOMPARE(m.FileInesistente, path != u"song");
    QCOMPARE(m.Ripeti, riprodcontinua);
    QCOMPARE(m.WMPSempreVisib, dock);
    QCOMPARE(b.picture(Image::Play1), QStringLiteral("Play1N"));
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2N"));
    QCOMPARE(b.picture(Image::Play3), QStringLiteral("Play3N"));
    QCOMPARE(b.picture(Image::Ripeti), ripeti);
    QCOMPARE(b.picture(Image::Aggancia), aggancia);
    QCOMPARE(b.picture(Image::PlayMini), QStringLiteral("PlayMN"));
    QCOMPARE(m.text(Text::Caption), QStringLiteral("Riproduzione  Spot 10  00,0%"));
    // Nothing may start before the player has been told not to start by itself, and the
    // song loads at the remembered volume; a path that is not a file never reaches it.
    QCOMPARE(b.player.calls,
             QStringList({QStringLiteral("autostart 0"), QStringLiteral("volume 50"),
                          QStringLiteral("url ") + (path == u"song" ? file : QString()),
                          QStringLiteral("enabled 1")}));
    QCOMPARE(m.timerOn(Timer::Timer6), autoplay);
    QVERIFY(!m.timerOn(Timer::Timer1));
    QVERIFY(!m.timerOn(Timer::Timer2));
    QVERIFY(m.Fermo);
    QVERIFY(m.AggiornaProgresso);
    QCOMPARE(m.VelocitaCorrente, 1.0);
    // Knob centred at the bar's start, panel hidden, video area at its largest.
    QCOMPARE(m.progress().knobLeft, 150 + 30 - 240 / 2.0);
    QCOMPARE(m.progress().miniWidth, 0.0);
    QCOMPARE(m.panel().panelTop, 7350.0);
    QCOMPARE(m.panel().backdropHeight, 6300.0);
    QCOMPARE(m.panel().stripTop, 6540.0);
}

void TestTransport::playAndPauseRequests_data()
{
    QTest::addColumn<bool>("playingBefore");
    QTest::addColumn<bool>("mini");
    QTest::addColumn<bool>("untouched");
    QTest::addColumn<PlayHover>("hovered");
    QTest::addColumn<bool>("queued");
    QTest::addColumn<int>("stateAfter");
    QTest::addColumn<QString>("play");
    QTest::addColumn<QString>("playMini");
    QTest::addColumn<QString>("info");

    QTest::newRow("big button, mouse on it")
        << false << false << false << PlayHover::Big << false << 3 << "Pausa2S"
        << "PausaMN"
        << "Pausa";
    QTest::newRow("delayed start")
        << false << false << true << PlayHover::None << false << 3 << "Pausa2N"
        << "PausaMN"
        << "Pausa";
    QTest::newRow("mini button") << false << true << false << PlayHover::Mini << false << 3
                                 << "Pausa2N"
                                 << "PausaMS"
                                 << "Pausa";
    QTest::newRow("player reports later")
        << false << false << false << PlayHover::Big << true << 3 << "Pausa2S"
        << "PausaMN"
        << "Pausa";
    QTest::newRow("big button pauses")
        << true << false << false << PlayHover::Big << false << 2 << "Play2S"
        << "PlayMN"
        << "Play";
    QTest::newRow("mini button pauses")
        << true << true << false << PlayHover::Mini << false << 2 << "Play2N"
        << "PlayMS"
        << "Play";
}

void TestTransport::playAndPauseRequests()
{
    QFETCH(bool, playingBefore);
    QFETCH(bool, mini);
    QFETCH(bool, untouched);
    QFETCH(PlayHover, hovered);
    QFETCH(bool, queued);
    QFETCH(int, stateAfter);
    QFETCH(QString, play);
    QFETCH(QString, playMini);
    QFETCH(QString, info);

    PlayerBench b;
    b.open();
    b.player.queued = queued;
    if (playingBefore) {
        b.logic.transport.PlayMouseUp(false, true);
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    }
    b.model().OggettoXWMP = hovered;
    b.logic.transport.PlayMouseUp(mini, untouched);
    QCoreApplication::processEvents();

    QCOMPARE(b.player.state, MediaPlayer::PlayState(stateAfter));
    QCOMPARE(b.picture(Image::Play), play);
    QCOMPARE(b.picture(Image::PlayMini), playMini);
    QCOMPARE(b.model().text(Text::Info0), info);
    QVERIFY(!b.model().Fermo);
    // The title spinner runs only while playing; the time tick goes on while paused.
    QCOMPARE(b.model().timerOn(Timer::Timer1), stateAfter == 3);
    QVERIFY(b.model().timerOn(Timer::Timer2));
}

void TestTransport::pauseSetsRateOneAndPlayRestoresIt()
{
    PlayerBench b;
    b.open();
    b.logic.progress.speedChanged(0);
    b.player.calls.clear();
    const QStringList watched = {QStringLiteral("rate"), QStringLiteral("play"),
                                 QStringLiteral("pause")};

    b.logic.transport.PlayMouseUp(false, false);
    QCOMPARE(b.callsOf(watched), QStringList({QStringLiteral("rate 0.5"), QStringLiteral("play")}));
    b.player.calls.clear();
    b.logic.transport.PlayMouseUp(false, false);
    // Paused before the rate changes: a rate changed while playing restarts the player.
    QCOMPARE(b.callsOf(watched), QStringList({QStringLiteral("rate 0.5"), QStringLiteral("pause"),
                                              QStringLiteral("rate 1")}));
    QCOMPARE(b.player.currentRate, 1.0);
    b.player.calls.clear();
    b.logic.transport.PlayMouseUp(false, false);
    QCOMPARE(b.callsOf(watched), QStringList({QStringLiteral("rate 0.5"), QStringLiteral("play")}));
    QCOMPARE(b.player.currentRate, 0.5);
}

void TestTransport::missingFileWarnsAtEveryPlay_data()
{
    QTest::addColumn<bool>("mini");
    QTest::newRow("big button") << false;
    QTest::newRow("mini button") << true;
}

void TestTransport::missingFileWarnsAtEveryPlay()
{
    QFETCH(bool, mini);
    PlayerBench b;
    b.open(true, false, 1, b.dir.filePath(QStringLiteral("gone.mp3")));
    TransportButtons &t = b.logic.buttons;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (mini) {
            t.miniPlayPressed();
            t.miniPlayReleased(true);
        } else {
            t.bigPlayPressed();
            t.bigPlayReleased(true);
        }
    }
    QCOMPARE(b.questions.texts(),
             QStringList(2, QStringLiteral(
                                "ATTENZIONE!!! Il file collegato a questo numero è inesistente")));
    QCOMPARE(b.questions.asked.first().icon, QuestionPort::Icon::Warning);
    QCOMPARE(b.questions.asked.first().buttons, QuestionPort::Buttons::Ok);
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
    QCOMPARE(b.picture(Image::PlayMini), QStringLiteral("PlayMN"));
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2N"));
    QCOMPARE(b.picture(Image::Play1), QStringLiteral("Play1N"));
    QCOMPARE(b.picture(Image::Play3), QStringLiteral("Play3N"));
    QCOMPARE(b.picture(Image::Stop), QStringLiteral("StopNPN"));
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("RipetiNPN"));
    QCOMPARE(b.model().text(Text::Caption), QStringLiteral("Riproduzione  Spot 10  00,0%"));
}

// The message box runs its own event loop; the delayed start coming round again meanwhile must
// not stack a second box.
class ReenteringQuestions : public ScriptedQuestions {
public:
    std::function<void()> during;
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons,
               Answer defaultAnswer) override
    {
        if (during)
            std::exchange(during, {})();
        return ScriptedQuestions::ask(text, title, icon, buttons, defaultAnswer);
    }
};

void TestTransport::delayedStartWarnsOnceAboutAMissingFile()
{
    FakeMediaPlayer player;
    ReenteringQuestions questions;
    PlayerMemory memory;
    Settings settings;
    SoundFakes sound;
    PlayerLogic logic(player, questions, memory, settings, sound.ports());
    Transport::Opening opening;
    QTemporaryDir dir;
    opening.path = dir.filePath(QStringLiteral("gone.mp3"));
    opening.tipo = QStringLiteral("Canto 20");
    opening.autoplay = true;
    logic.open(opening);
    QVERIFY(logic.model.timerOn(Timer::Timer6));
    questions.during = [&logic] { logic.transport.timer6(); };
    logic.transport.timer6();
    QCOMPARE(questions.asked.size(), 1);
    QVERIFY(!logic.model.timerOn(Timer::Timer6));
}

void TestTransport::songStops_data()
{
    QTest::addColumn<bool>("ripeti");
    QTest::addColumn<QString>("how"); // "end", "stop button", "Stop command"
    QTest::addColumn<bool>("restart");

    QTest::newRow("song ends, repeat off") << false << "end" << false;
    QTest::newRow("song ends, repeat on") << true << "end" << true;
    QTest::newRow("stop button, repeat on") << true << "stop button" << false;
    QTest::newRow("mini stop button, repeat on") << true << "mini stop button" << false;
    QTest::newRow("Stop command, repeat on") << true << "Stop command" << true;
    QTest::newRow("Stop command, repeat off") << false << "Stop command" << false;
}

void TestTransport::songStops()
{
    QFETCH(bool, ripeti);
    QFETCH(QString, how);
    QFETCH(bool, restart);

    PlayerBench b;
    b.open(ripeti);
    b.player.length = 250;
    b.logic.transport.PlayMouseUp(false, true);
    b.player.position = 100;
    b.logic.progress.tick();
    QCOMPARE(b.model().progress().value, 40.0);

    Transport &t = b.logic.transport;
    if (how == u"end") {
        b.player.finish();
    } else if (how == u"stop button") {
        b.logic.buttons.stopPressed();
        b.logic.buttons.stopReleased(true, Qt::LeftButton);
    } else if (how == u"mini stop button") {
        b.logic.buttons.miniStopPressed();
        b.logic.buttons.miniStopReleased(true, Qt::LeftButton);
    } else {
        t.stopClicked();
    }

    PlayerModel &m = b.model();
    QCOMPARE(m.timerOn(Timer::Timer6), restart);
    QVERIFY(!m.StopRepeat);
    if (restart) {
        // Restart pending: the pause look stays until the song starts again.
        QCOMPARE(b.picture(Image::Play), QStringLiteral("Pausa2N"));
        QCOMPARE(m.text(Text::Pausa), QStringLiteral("Pausa"));
        QVERIFY(!m.Fermo);
        return;
    }
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2N"));
    QCOMPARE(b.picture(Image::PlayMini), QStringLiteral("PlayMN"));
    QCOMPARE(m.text(Text::Pausa), QStringLiteral("Play"));
    QCOMPARE(m.text(Text::Caption), QStringLiteral("Riproduzione  Spot 10  00,0%"));
    QCOMPARE(m.text(Text::Label8), QStringLiteral("00.00 / 04.10"));
    QCOMPARE(m.text(Text::Avanzamento), QStringLiteral("Avanzamento Traccia: 00,0%"));
    QCOMPARE(m.text(Text::DurataCorr), QStringLiteral("00.00"));
    QCOMPARE(m.text(Text::DurataRim), QStringLiteral("-04.10"));
    QCOMPARE(m.progress().value, 0.0);
    QCOMPARE(m.progress().knobLeft, 60.0);
    QCOMPARE(m.progress().miniWidth, 0.0);
    QCOMPARE(m.TimerIIProtetto, 0.0);
    QVERIFY(!m.timerOn(Timer::Timer1));
    QVERIFY(!m.timerOn(Timer::Timer2));
    QVERIFY(m.Fermo);
}

void TestTransport::repeatRestartsWhereTheBarStands()
{
    PlayerBench b;
    b.open(true);
    b.player.length = 200;
    b.logic.transport.PlayMouseUp(false, false);
    b.player.finish();
    QVERIFY(b.model().timerOn(Timer::Timer6));
    // The presenter moves the bar while the restart is pending.
    b.logic.progress.ProgressoDaClic(PlayerLayout::BarWidth * 0.4, false);
    QCOMPARE(b.model().progress().value, 40.0);
    b.player.calls.clear();
    b.logic.transport.timer6();
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QVERIFY(b.player.calls.contains(QStringLiteral("position 80")));
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Pausa2N"));
    QVERIFY(!b.model().timerOn(Timer::Timer6));
}

void TestTransport::secondRequestDuringTheYieldIsDropped()
{
    PlayerBench b;
    b.open();
    b.view.onYield = [&b] { b.logic.transport.PlayMouseUp(false, false); };
    b.logic.transport.PlayMouseUp(false, false);
    QCOMPARE(b.player.count(QStringLiteral("play")), 1);
    QCOMPARE(b.player.count(QStringLiteral("pause")), 0);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    // The window closing during the yield: nothing starts afterwards.
    PlayerBench c;
    c.open();
    c.view.onYield = [&c] { c.logic.transport.unload(); };
    c.logic.transport.PlayMouseUp(false, false);
    QCOMPARE(c.player.count(QStringLiteral("play")), 0);
    QCOMPARE(c.player.state, MediaPlayer::PlayState::Stopped);
}

void TestTransport::bouncedPlayRequestIsOne_data()
{
    QTest::addColumn<bool>("delayedStart");
    QTest::addColumn<qint64>("gapMs");
    QTest::addColumn<bool>("presenter");
    QTest::addColumn<bool>("paused");

    QTest::newRow("double click") << false << qint64(120) << true << false;
    QTest::newRow("press just inside the bounce") << false << qint64(299) << true << false;
    QTest::newRow("press after the bounce pauses") << false << qint64(300) << true << true;
    QTest::newRow("press right after the delayed start") << true << qint64(200) << true << false;
    QTest::newRow("a booking pauses at once") << false << qint64(50) << false << true;
}

void TestTransport::bouncedPlayRequestIsOne()
{
    QFETCH(bool, delayedStart);
    QFETCH(qint64, gapMs);
    QFETCH(bool, presenter);
    QFETCH(bool, paused);

    PlayerBench b;
    b.open();
    qint64 now = 5000;
    b.logic.transport.clock = [&now] { return now; };
    if (delayedStart)
        b.logic.transport.PlayMouseUp(false, true);
    else
        b.logic.buttons.bigPlayReleased(true);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    now += gapMs;
    if (presenter)
        b.logic.buttons.bigPlayReleased(true);
    else
        b.logic.transport.PlayMouseUp(false, true);
    QCOMPARE(b.player.state,
             paused ? MediaPlayer::PlayState::Paused : MediaPlayer::PlayState::Playing);
    QCOMPARE(b.player.count(QStringLiteral("pause")), paused ? 1 : 0);
    QCOMPARE(b.player.count(QStringLiteral("play")), 1);
}

void TestTransport::bigButtonRelease_data()
{
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("ripeti");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("play");
    QTest::addColumn<QString>("ripetiPicture");

    QTest::newRow("inside plays") << true << false << 3 << "Pausa2S"
                                  << "NRipetiNPN";
    QTest::newRow("outside plays nothing") << false << false << 1 << "Play2N"
                                           << "NRipetiNPN";
    QTest::newRow("outside, repeat on") << false << true << 1 << "Play2N"
                                        << "RipetiNPN";
}

void TestTransport::bigButtonRelease()
{
    QFETCH(bool, inside);
    QFETCH(bool, ripeti);
    QFETCH(int, state);
    QFETCH(QString, play);
    QFETCH(QString, ripetiPicture);

    PlayerBench b;
    b.open(ripeti);
    b.logic.skin.NormalizzaPulsanti(MainHover::BigPlay);
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2S"));
    b.logic.buttons.bigPlayPressed();
    QVERIFY(b.model().PulsantePremuto);
    QCOMPARE(b.picture(Image::Play), QStringLiteral("Play2P"));
    QCOMPARE(b.picture(Image::Play1), QStringLiteral("Play1P"));
    QCOMPARE(b.picture(Image::Play3), QStringLiteral("Play3P"));
    QCOMPARE(b.picture(Image::Stop), QStringLiteral("StopNPP"));
    QCOMPARE(b.picture(Image::Ripeti), ripeti ? u"RipetiNPP" : u"NRipetiNPP");

    b.logic.buttons.bigPlayReleased(inside);
    QCOMPARE(b.player.state, MediaPlayer::PlayState(state));
    QVERIFY(!b.model().PulsantePremuto);
    QCOMPARE(b.picture(Image::Play), play);
    QCOMPARE(b.picture(Image::Play1), QStringLiteral("Play1N"));
    QCOMPARE(b.picture(Image::Play3), QStringLiteral("Play3N"));
    QCOMPARE(b.picture(Image::Stop), QStringLiteral("StopNPN"));
    QCOMPARE(b.picture(Image::Ripeti), ripetiPicture);
}

void TestTransport::insideBigPlay_data()
{
    QTest::addColumn<TransportButtons::Piece>("piece");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("inside");
    using P = TransportButtons::Piece;
    // Pieces 16, 56 and 16 wide, 56 high.
    QTest::newRow("left piece, its own left edge") << P::Left << 0.0 << 0.0 << true;
    QTest::newRow("left piece, released over the right cap") << P::Left << 87.0 << 55.0 << true;
    QTest::newRow("left piece, just past the right cap") << P::Left << 88.0 << 10.0 << false;
    QTest::newRow("left piece, left of it") << P::Left << -0.5 << 10.0 << false;
    QTest::newRow("middle, over the left cap") << P::Middle << -16.0 << 10.0 << true;
    QTest::newRow("middle, left of the left cap") << P::Middle << -16.5 << 10.0 << false;
    QTest::newRow("middle, end of the right cap") << P::Middle << 71.9 << 10.0 << true;
    QTest::newRow("middle, past the right cap") << P::Middle << 72.0 << 10.0 << false;
    QTest::newRow("right piece, over the left cap") << P::Right << -72.0 << 10.0 << true;
    QTest::newRow("right piece, past its end") << P::Right << 16.0 << 10.0 << false;
    QTest::newRow("above") << P::Middle << 10.0 << -1.0 << false;
    QTest::newRow("below") << P::Middle << 10.0 << 56.0 << false;
}

void TestTransport::insideBigPlay()
{
    QFETCH(TransportButtons::Piece, piece);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, inside);
    QCOMPARE(TransportButtons::insideBigPlay(piece, x, y, 16, 56, 16, 56), inside);
}

void TestTransport::repeatToggle()
{
    PlayerBench b;
    b.open(false);
    TransportButtons &t = b.logic.buttons;
    t.ripetiPressed();
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("NRipetiPPN"));
    t.ripetiReleased(true);
    QVERIFY(b.model().Ripeti);
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("RipetiSPN"));
    QCOMPARE(b.model().text(Text::Info0), QStringLiteral("Ripeti: Attivato"));
    QCOMPARE(b.model().text(Text::Info1), QStringLiteral("La canzone verrà ripetuta"));
    t.ripetiPressed();
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("RipetiPPN"));
    t.ripetiReleased(true);
    QVERIFY(!b.model().Ripeti);
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("NRipetiSPN"));
    QCOMPARE(b.model().text(Text::Info0), QStringLiteral("Ripeti: Disattivato"));
    // Released outside: no toggle.
    b.model().Oggetto = MainHover::Repeat;
    t.ripetiPressed();
    t.ripetiReleased(false);
    QVERIFY(!b.model().Ripeti);
    QCOMPARE(b.picture(Image::Ripeti), QStringLiteral("NRipetiNPN"));
    QVERIFY(!b.model().PulsantePremuto);
}

void TestTransport::pausaCommandButton()
{
    PlayerBench b;
    b.open();
    Transport &t = b.logic.transport;
    t.pausaClicked();
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.model().text(Text::Pausa), QStringLiteral("Pausa"));
    QVERIFY(!b.model().Fermo);
    t.pausaClicked();
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Paused);
    QCOMPARE(b.model().text(Text::Pausa), QStringLiteral("Play"));
    QVERIFY(!b.model().timerOn(Timer::Timer1));
}

void TestTransport::unloadStopsForGood()
{
    PlayerBench b;
    b.open(true);
    b.logic.transport.PlayMouseUp(false, false);
    b.logic.transport.unload();
    QCOMPARE(b.player.calls.last(), QStringLiteral("stop"));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    for (int t = 0; t < int(Timer::Count); ++t)
        QVERIFY2(!b.model().timerOn(Timer(t)), qPrintable(QString::number(t)));
    QVERIFY(!b.model().progress().enabled);
    b.logic.transport.PlayMouseUp(false, false);
    b.logic.transport.timer6();
    b.logic.transport.pausaClicked();
    QCOMPARE(b.player.count(QStringLiteral("play")), 1);
}

void TestTransport::titleSpinner_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("phase");
    QTest::addColumn<QString>("caption");
    QTest::newRow("decimal comma") << 7.5 << 0 << "Riproduzione  Ballo 30  07,5% ---";
    QTest::newRow("backslash") << 7.5 << 1 << "Riproduzione  Ballo 30  07,5%  \\";
    QTest::newRow("bar") << 42.0 << 2 << "Riproduzione  Ballo 30  42,0%  |";
    QTest::newRow("slash") << 0.04 << 3 << "Riproduzione  Ballo 30  00,0%  /";
    QTest::newRow("end") << 100.0 << 0 << "Riproduzione  Ballo 30  100,0% ---";
    QTest::newRow("rounds to one digit") << 12.36 << 0 << "Riproduzione  Ballo 30  12,4% ---";
}

void TestTransport::titleSpinner()
{
    QFETCH(double, percent);
    QFETCH(int, phase);
    QFETCH(QString, caption);
    TitleSpinner spinner;
    spinner.FaseTitolo = phase;
    QCOMPARE(QStringLiteral("Riproduzione  Ballo 30  ") + spinner.tick(percent), caption);
    QCOMPARE(spinner.FaseTitolo, (phase + 1) % 4);

    // Timer1 writes the caption from the tick's percentage and yields.
    PlayerBench b;
    b.open();
    b.model().Tipo = QStringLiteral("Ballo 30");
    b.model().TimerIIProtetto = percent;
    b.logic.spinner.FaseTitolo = phase;
    const int yields = b.view.yields;
    b.logic.stepTitleSpinner();
    QCOMPARE(b.model().text(Text::Caption), caption);
    QCOMPARE(b.view.yields, yields + 1);
}

void TestTransport::percentFollowsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("avanzamento");
    QTest::newRow("Italian") << QLocale(QLocale::Italian) << "Riproduzione  Ballo 30  07,5% ---"
                             << "Avanzamento Traccia: 00,0%";
    QTest::newRow("English") << QLocale(QLocale::English) << "Riproduzione  Ballo 30  07.5% ---"
                             << "Avanzamento Traccia: 00.0%";
    QTest::newRow("German") << QLocale(QLocale::German) << "Riproduzione  Ballo 30  07,5% ---"
                            << "Avanzamento Traccia: 00,0%";
}

void TestTransport::percentFollowsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, caption);
    QFETCH(QString, avanzamento);
    QLocale::setDefault(locale);
    TitleSpinner spinner;
    const QString spun = QStringLiteral("Riproduzione  Ballo 30  ") + spinner.tick(7.5);
    PlayerBench b;
    b.open();
    const QString opened = b.model().text(Text::Caption);
    b.logic.transport.PlayMouseUp(false, true);
    b.player.finish();
    const QString stopped = b.model().text(Text::Avanzamento);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(spun, caption);
    QCOMPARE(opened, QStringLiteral("Riproduzione  Spot 10  00") + locale.decimalPoint() +
                         QStringLiteral("0%"));
    QCOMPARE(stopped, avanzamento);
}

void TestTransport::missingFileNeverReachesThePlayer_data()
{
    QTest::addColumn<bool>("folder");
    QTest::newRow("missing file") << false;
    QTest::newRow("folder for a file") << true;
}

// The player is never handed a path that is not a file, so it has no failure of its own to
// report; the delayed start warns once, as every play request does.
void TestTransport::missingFileNeverReachesThePlayer()
{
    QFETCH(bool, folder);
    PlayerBench b;
    const QString path = b.dir.filePath(QStringLiteral("gone.mp3"));
    if (folder)
        QVERIFY(QDir(b.dir.path()).mkdir(QStringLiteral("gone.mp3")));
    b.open(false, true, 1, path);
    QVERIFY(b.model().FileInesistente);
    QVERIFY(!b.player.calls.contains(QStringLiteral("url ") + path));
    QVERIFY(b.player.url.isEmpty());
    b.logic.transport.timer6();
    QCOMPARE(b.questions.texts(),
             QStringList{
                 QStringLiteral("ATTENZIONE!!! Il file collegato a questo numero è inesistente")});
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
}

// The song ended before a 1-second tick moved the bar off its last second: the restart is
// from the start, not a replay of that last second.
void TestTransport::repeatRestartsFromTheStart()
{
    PlayerBench b;
    b.open(true);
    b.player.length = 200;
    b.logic.transport.PlayMouseUp(false, false);
    b.player.position = 199;
    b.logic.progress.tick();
    QVERIFY(b.model().progress().value > 99);
    b.player.finish();
    b.player.calls.clear();
    b.logic.transport.timer6();
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.callsOf({QStringLiteral("position")}), QStringList{QStringLiteral("position 0")});
    QCOMPARE(b.model().progress().value, 0.0);
    QCOMPARE(b.model().progress().knobLeft, 60.0);
}

void TestTransport::delayedStartLeavesAStartedSongPlaying_data()
{
    QTest::addColumn<bool>("repeat");
    QTest::newRow("autoplay at open") << false;
    QTest::newRow("repeat restart") << true;
}

// A play click within the half second is not undone by the delayed start.
void TestTransport::delayedStartLeavesAStartedSongPlaying()
{
    QFETCH(bool, repeat);
    PlayerBench b;
    b.open(repeat, !repeat);
    b.player.length = 100;
    if (repeat) {
        b.logic.transport.PlayMouseUp(false, false);
        b.player.finish();
    }
    QVERIFY(b.model().timerOn(Timer::Timer6));
    b.logic.transport.PlayMouseUp(false, false);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    b.player.calls.clear();
    b.logic.transport.timer6();
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.player.count(QStringLiteral("pause")), 0);
    QVERIFY(!b.model().timerOn(Timer::Timer6));
}

QTEST_GUILESS_MAIN(TestTransport)
#include "tst_transport.moc"
