#include "tests/player/playerbench.h"

using namespace PlayerLayout;

namespace {

QList<double> numbers(const char *list)
{
    QList<double> result;
    for (const QString &n : QString::fromLatin1(list).split(u' '))
        result.append(n.toDouble());
    return result;
}

// Ticks Timer8 while it runs; where the player's slider stands after each tick.
QList<double> runSwap(PlayerBench &b)
{
    QList<double> seen;
    while (b.model().timerOn(Timer::Timer8) && seen.size() < 60) {
        b.logic.swap.timer8Tick();
        seen.append(b.model().volume().playerLeft);
    }
    return seen;
}

} // namespace

class TestVolume : public QObject {
    Q_OBJECT

private slots:
    void knobDrag_data();
    void knobDrag();
    void clickOnTheTrackThenDrag();
    void sliderAndKnobInStep_data();
    void sliderAndKnobInStep();
    void muteSurvivesTheWindow();
    void muteButton_data();
    void muteButton();
    void knobInfoRestoresTheMiniButton();
    void swapSequences();
    void captionChangesAtTheTop();
    void swapAgainWhileTheCaptionSinks();
    void computerVolume_data();
    void computerVolume();
    void damagedComputerVolume_data();
    void damagedComputerVolume();
    void mixerWithoutVolumeControl();
    void mixerButton_data();
    void mixerButton();
    void cpuMeter_data();
    void cpuMeter();
};

void TestVolume::knobDrag_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("grab");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("volume");
    QTest::addColumn<double>("knobLeft");
    // The knob is 180 wide; its centre travels the track from 8010 to 9240.
    QTest::newRow("past the right end") << 50 << 90.0 << 2090.0 << 100 << 9150.0;
    QTest::newRow("past the left end") << 50 << 90.0 << -1910.0 << 0 << 7920.0;
    QTest::newRow("a tenth of the track, grabbed off centre")
        << 50 << 30.0 << 153.0 << 60 << 8658.0;
    QTest::newRow("a little, to the nearest step") << 20 << 90.0 << 97.0 << 21 << 8173.0;
}

void TestVolume::knobDrag()
{
    QFETCH(int, start);
    QFETCH(double, grab);
    QFETCH(double, to);
    QFETCH(int, volume);
    QFETCH(double, knobLeft);
    PlayerBench b;
    b.memory.varVolume = start;
    b.open();
    PlayerVolume &v = b.logic.volume;
    v.knobPressed(grab);
    v.knobMoved(to, Qt::LeftButton);
    QVERIFY(b.model().timerOn(Timer::Timer7));
    v.timer7Tick();
    QCOMPARE(b.model().volume().knobLeft, knobLeft);
    QCOMPARE(v.value(), volume);
    QCOMPARE(b.player.currentVolume, volume);
    QCOMPARE(b.memory.varVolume, volume);
    // Resting ticks change nothing.
    const qsizetype calls = b.player.calls.size();
    v.timer7Tick();
    QCOMPARE(b.player.calls.size(), calls);
    // Pushing on against an end stops the timer; moving back starts it again.
    if (volume == 0 || volume == 100) {
        const double further = volume == 100 ? 400 : -400;
        v.knobMoved(further, Qt::LeftButton);
        QVERIFY(!b.model().timerOn(Timer::Timer7));
        v.knobMoved(-further, Qt::LeftButton);
        QVERIFY(b.model().timerOn(Timer::Timer7));
    }
    v.knobReleased();
    QVERIFY(!b.model().timerOn(Timer::Timer7));
}

void TestVolume::clickOnTheTrackThenDrag()
{
    PlayerBench b;
    b.open();
    PlayerVolume &v = b.logic.volume;
    v.trackPressed(300, Qt::RightButton);
    QCOMPARE(v.value(), 50);
    // A click a fifth along the track centres the knob there.
    v.trackPressed(246, Qt::LeftButton);
    QCOMPARE(b.model().volume().knobLeft, 8010 + 246 - 90.0);
    QCOMPARE(v.value(), 20);
    QCOMPARE(b.player.currentVolume, 20);
    QCOMPARE(v.VPosX, 90);
    // Dragging on from the track: the knob's centre follows the pointer.
    v.trackMoved(984, Qt::LeftButton);
    v.timer7Tick();
    QCOMPARE(b.model().volume().knobLeft, 8010 + 984 - 90.0);
    QCOMPARE(v.value(), 80);
    v.trackReleased();
    QVERIFY(!b.model().timerOn(Timer::Timer7));
    QCOMPARE(b.memory.varVolume, 80);
}

void TestVolume::sliderAndKnobInStep_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("remember");
    QTest::addColumn<double>("knobLeft");
    QTest::newRow("slider to 0, remembered") << 0 << true << 7920.0;
    QTest::newRow("slider to 100, remembered") << 100 << true << 9150.0;
    QTest::newRow("slider to 37, not remembered") << 37 << false << 7920 + 1230 * 0.37;
}

void TestVolume::sliderAndKnobInStep()
{
    QFETCH(int, value);
    QFETCH(bool, remember);
    QFETCH(double, knobLeft);
    PlayerBench b;
    b.memory.varVolume = 64;
    b.open();
    QCOMPARE(b.model().volume().knobLeft, PlayerVolume::knobLeftFor(64));
    PlayerVolume &v = b.logic.volume;
    if (remember) {
        v.sliderChanged(value);
    } else {
        v.setValue(value);
        v.PosizionaVolume(false, true);
    }
    QVERIFY(qAbs(b.model().volume().knobLeft - knobLeft) < 1e-9);
    QCOMPARE(v.value(), value);
    QCOMPARE(b.player.currentVolume, value);
    QCOMPARE(b.memory.varVolume, remember ? value : 64);
}

void TestVolume::muteSurvivesTheWindow()
{
    PlayerBench b;
    b.memory.varVolume = 70;
    b.open();
    PlayerVolume &v = b.logic.volume;
    QVERIFY(!v.ImpostaMuto(true));
    QVERIFY(!v.ImpostaMuto(false));
    QVERIFY(v.ImpostaMuto(true));
    QVERIFY(b.memory.VolumeMuto);
    QCOMPARE(b.player.currentVolume, 0);
    QVERIFY(!b.model().volume().volumeEnabled);
    QCOMPARE(v.value(), 70);
    // While muted the knob and its track take no clicks.
    v.trackPressed(100, Qt::LeftButton);
    QCOMPARE(v.value(), 70);
    b.logic.unload();

    PlayerBench next;
    next.memory = b.memory;
    next.open();
    QCOMPARE(next.logic.volume.value(), 70);
    QCOMPARE(next.player.currentVolume, 0);
    QVERIFY(!next.model().volume().volumeEnabled);
    QCOMPARE(next.picture(Image::Muto), QStringLiteral("MutoN"));
    QVERIFY(!next.logic.volume.ImpostaMuto(false));
    QCOMPARE(next.player.currentVolume, 70);
    QVERIFY(next.model().volume().volumeEnabled);
    QCOMPARE(next.memory.varVolume, 70);
}

void TestVolume::muteButton_data()
{
    QTest::addColumn<bool>("mutedBefore");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("released");
    QTest::addColumn<bool>("mutedAfter");
    QTest::addColumn<QString>("info");
    QTest::newRow("mute") << false << true << "SonoroP"
                          << "MutoS" << true << "Muto: Attivato|Premere per sentire";
    QTest::newRow("unmute") << true << true << "MutoP"
                            << "SonoroS" << false << "Muto: Disattivato|Premere per non sentire";
    QTest::newRow("released outside") << false << false << "SonoroP"
                                      << "SonoroN" << false << "|";
    QTest::newRow("released outside, muted") << true << false << "MutoP"
                                             << "MutoN" << true << "|";
}

void TestVolume::muteButton()
{
    QFETCH(bool, mutedBefore);
    QFETCH(bool, inside);
    QFETCH(QString, pressed);
    QFETCH(QString, released);
    QFETCH(bool, mutedAfter);
    QFETCH(QString, info);
    PlayerBench b;
    b.memory.VolumeMuto = mutedBefore;
    b.open();
    b.logic.skin.NormalizzaPulsanti(MainHover::Mute);
    PlayerVolume &v = b.logic.volume;
    v.mutoPressed();
    QVERIFY(b.model().PulsantePremuto);
    QCOMPARE(b.picture(Image::Muto), pressed);
    v.mutoReleased(inside);
    QVERIFY(!b.model().PulsantePremuto);
    QCOMPARE(b.picture(Image::Muto), released);
    QCOMPARE(b.memory.VolumeMuto, mutedAfter);
    QCOMPARE(b.model().text(Text::Info0) + u'|' + b.model().text(Text::Info1), info);
    QCOMPARE(b.player.currentVolume, mutedAfter ? 0 : 50);
}

void TestVolume::knobInfoRestoresTheMiniButton()
{
    PlayerBench b;
    b.open();
    b.logic.skin.NormalizzaMiniPulsanti(MiniHover::Stop);
    QCOMPARE(b.picture(Image::StopMini), QStringLiteral("StopMS"));
    b.logic.volume.hovered(Qt::NoButton);
    QCOMPARE(b.picture(Image::StopMini), QStringLiteral("StopMN"));
    QCOMPARE(b.model().text(Text::Info0), QStringLiteral("Volume di WindowsMediaPlayer"));
    QCOMPARE(b.model().text(Text::Info1),
             QStringLiteral("Click destro per il volume del Computer"));
    QCOMPARE(b.model().MiniOggetto, MiniHover::InfoOnly);
    // Moving on over the knob rewrites nothing.
    const int writes = b.model().infoWrites();
    b.logic.volume.hovered(Qt::NoButton);
    b.logic.volume.hovered(Qt::LeftButton);
    QCOMPARE(b.model().infoWrites(), writes);
}

// The designed slide: fast at first, 20-odd twips a tick at the end, then parked.
void TestVolume::swapSequences()
{
    PlayerBench b;
    b.open();
    VolumeSwap &s = b.logic.swap;
    QCOMPARE(VolumeSwap::step(2510), 614);
    QCOMPARE(VolumeSwap::step(0), 20);
    QCOMPARE(b.model().volume().computerLeft, 0.0);
    QCOMPARE(b.model().volume().playerLeft, 2510.0);
    s.swap(false);
    QVERIFY(b.model().timerOn(Timer::Timer8));
    QVERIFY(!b.model().timerOn(Timer::Timer9));
    QCOMPARE(runSwap(b), numbers("1896 1483 1185 959 783 642 527 432 353 286 229 180 137 100 68 "
                                 "40 15 -7 0"));
    QCOMPARE(s.Timer8Tag, VolumeSwap::Shown::Player);
    QCOMPARE(b.model().volume().computerLeft, -2510.0);

    const QList<double> back = runSwap(b);
    QVERIFY(back.isEmpty());
    s.swap(false);
    QCOMPARE(runSwap(b), numbers("614 1027 1325 1551 1727 1868 1983 2078 2157 2224 2281 2330 "
                                 "2373 2410 2442 2470 2495 2517 2510"));
    QCOMPARE(b.model().volume().computerLeft, 0.0);
    QCOMPARE(s.Timer8Tag, VolumeSwap::Shown::Computer);
}

void TestVolume::captionChangesAtTheTop()
{
    PlayerBench b;
    b.open();
    VolumeSwap &s = b.logic.swap;
    QCOMPARE(b.model().text(Text::LblVolume), QStringLiteral("Volume del Computer"));
    s.swap(true);
    QList<double> tops;
    QStringList captions;
    while (b.model().timerOn(Timer::Timer9) && tops.size() < 100) {
        // The two 20 ms timers tick together.
        if (b.model().timerOn(Timer::Timer8))
            s.timer8Tick();
        s.timer9Tick();
        tops.append(b.model().volume().labelTop);
        captions.append(b.model().text(Text::LblVolume));
    }
    QCOMPARE(tops.size(), 32);
    QCOMPARE(tops.at(0), 1375.0);
    QCOMPARE(tops.at(14), 1095.0);
    QCOMPARE(tops.at(15), 1080.0);
    QCOMPARE(tops.at(16), 1100.0);
    QCOMPARE(tops.last(), 1395.0);
    QCOMPARE(captions.at(14), QStringLiteral("Volume del Computer"));
    QCOMPARE(captions.at(15), QStringLiteral("Volume di Windows Media Player"));
    QCOMPARE(captions.last(), QStringLiteral("Volume di Windows Media Player"));
    QCOMPARE(s.Timer8Tag, VolumeSwap::Shown::Player);
    // The caption tells what a click on it does now.
    s.captionHovered();
    QCOMPARE(b.model().text(Text::Info1), QStringLiteral("Premere per il volume del computer"));
    QCOMPARE(b.model().Oggetto, MainHover::InfoOnly);
}

// Our choice: a swap asked while the caption sinks after the last one brings the caption up
// again, so it ends naming the slider shown.
void TestVolume::swapAgainWhileTheCaptionSinks()
{
    PlayerBench b;
    b.open();
    VolumeSwap &s = b.logic.swap;
    s.swap(true);
    for (int i = 0; i < 22; ++i) {
        if (b.model().timerOn(Timer::Timer8))
            s.timer8Tick();
        s.timer9Tick();
    }
    QVERIFY(!b.model().timerOn(Timer::Timer8));
    QVERIFY(b.model().volume().labelTop > 1080);
    s.swap(true);
    for (int i = 0; i < 100 && b.model().timerOn(Timer::Timer9); ++i) {
        if (b.model().timerOn(Timer::Timer8))
            s.timer8Tick();
        s.timer9Tick();
    }
    runSwap(b);
    QCOMPARE(s.Timer8Tag, VolumeSwap::Shown::Computer);
    QCOMPARE(b.model().text(Text::LblVolume), QStringLiteral("Volume del Computer"));
    QCOMPARE(b.model().volume().labelTop, 1395.0);
}

void TestVolume::computerVolume_data()
{
    QTest::addColumn<bool>("mixer");
    QTest::addColumn<QString>("ckvolprinc");
    QTest::addColumn<QString>("volprinc");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QList<int>>("sent");
    QTest::newRow("kept, 37 truncated not rounded") << true << "1"
                                                    << "37" << 37 << QList<int>{24247};
    QTest::newRow("not kept: 50 at every opening") << true << "0"
                                                   << "80" << 50 << QList<int>{32767};
    QTest::newRow("kept at 0") << true << "1"
                               << "0" << 0 << QList<int>{0};
    QTest::newRow("no mixer: never touched") << false << "1"
                                             << "80" << 80 << QList<int>{};
}

void TestVolume::computerVolume()
{
    QFETCH(bool, mixer);
    QFETCH(QString, ckvolprinc);
    QFETCH(QString, volprinc);
    QFETCH(int, slider);
    QFETCH(QList<int>, sent);
    PlayerBench b;
    b.sound.mixer.present = mixer;
    b.settings.setValue(QStringLiteral("ckvolprinc"), ckvolprinc);
    b.settings.setValue(QStringLiteral("volprinc"), volprinc);
    const int yields = b.view.yields;
    b.logic.computer.open();
    QCOMPARE(b.sound.mixer.openCalls, 1);
    QCOMPARE(b.view.yields, yields + 1);
    QCOMPARE(b.model().volume().computer, slider);
    QCOMPARE(b.model().volume().computerEnabled, mixer);
    QCOMPARE(b.sound.mixer.sentValues, sent);
    b.logic.computer.sliderChanged(100);
    if (mixer)
        QCOMPARE(b.sound.mixer.sentValues.last(), 65535);
    b.logic.computer.sliderChanged(64);
    b.logic.unload();
    QCOMPARE(b.settings.value(QStringLiteral("volprinc")), QStringLiteral("64"));
    QCOMPARE(b.sound.mixer.closeCalls, 1);
    QVERIFY(!b.sound.mixer.isAvailable());
}

// A kept volume that reads as no number in 0..100 never silences the computer: its volume is
// left alone, the slider shows it, and the settings keep the text until the slider moves.
void TestVolume::damagedComputerVolume_data()
{
    QTest::addColumn<QString>("volprinc");
    QTest::addColumn<int>("mixerNow");
    QTest::addColumn<int>("slider");
    QTest::addColumn<int>("movedTo");
    QTest::addColumn<QList<int>>("sent");
    QTest::addColumn<QString>("saved");
    QTest::newRow("text") << "abc" << 35 << 35 << -1 << QList<int>{} << "abc";
    QTest::newRow("below 0") << "-50" << 35 << 35 << -1 << QList<int>{} << "-50";
    QTest::newRow("above 100") << "101" << 80 << 80 << -1 << QList<int>{} << "101";
    QTest::newRow("not whole") << "12.5" << 35 << 35 << -1 << QList<int>{} << "12.5";
    QTest::newRow("mixer cannot tell: slider at 50")
        << "abc" << -1 << 50 << -1 << QList<int>{} << "abc";
    QTest::newRow("moved by the presenter: saved")
        << "-50" << 35 << 35 << 64 << QList<int>{41942} << "64";
    QTest::newRow("100 still applied") << "100" << 35 << 100 << -1 << QList<int>{65535} << "100";
}

void TestVolume::damagedComputerVolume()
{
    QFETCH(QString, volprinc);
    QFETCH(int, mixerNow);
    QFETCH(int, slider);
    QFETCH(int, movedTo);
    QFETCH(QList<int>, sent);
    QFETCH(QString, saved);
    PlayerBench b;
    b.sound.mixer.presentSliderValue = mixerNow;
    b.settings.setValue(QStringLiteral("ckvolprinc"), QStringLiteral("1"));
    b.settings.setValue(QStringLiteral("volprinc"), volprinc);
    b.logic.computer.open();
    QCOMPARE(b.model().volume().computer, slider);
    QVERIFY(b.model().volume().computerEnabled);
    if (movedTo >= 0)
        b.logic.computer.sliderChanged(movedTo);
    b.logic.unload();
    QCOMPARE(b.sound.mixer.sentValues, sent);
    QCOMPARE(b.settings.value(QStringLiteral("volprinc")), saved);
}

// A mixer without any playback volume control: the slider stays usable and sets nothing.
void TestVolume::mixerWithoutVolumeControl()
{
    PlayerBench b;
    b.sound.mixer.hasVolumeControl = false;
    b.logic.computer.open();
    QVERIFY(b.model().volume().computerEnabled);
    b.logic.computer.sliderChanged(70);
    QCOMPARE(b.model().volume().computer, 70);
    QVERIFY(b.sound.mixer.sentValues.isEmpty());
}

void TestVolume::mixerButton_data()
{
    QTest::addColumn<bool>("inside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("starts");
    QTest::addColumn<QString>("picture");
    QTest::newRow("released inside") << true << true << 1 << "MixerS";
    QTest::newRow("released inside, no mixer application") << true << false << 1 << "MixerS";
    QTest::newRow("released outside") << false << true << 0 << "MixerN";
}

void TestVolume::mixerButton()
{
    QFETCH(bool, inside);
    QFETCH(bool, installed);
    QFETCH(int, starts);
    QFETCH(QString, picture);
    PlayerBench b;
    b.sound.mixerApp.installed = installed;
    b.open();
    b.logic.skin.NormalizzaPulsanti(MainHover::Mixer);
    b.logic.computer.mixerPressed();
    QCOMPARE(b.picture(Image::Mixer), QStringLiteral("MixerP"));
    QVERIFY(b.model().PulsantePremuto);
    b.logic.computer.mixerReleased(inside);
    QCOMPARE(b.sound.mixerApp.startCalls, starts);
    QCOMPARE(b.picture(Image::Mixer), picture);
    QVERIFY(!b.model().PulsantePremuto);
    QVERIFY(b.questions.asked.isEmpty());
}

void TestVolume::cpuMeter_data()
{
    using Script = QList<std::optional<CpuCounters>>;
    QTest::addColumn<Script>("script");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("running");
    QTest::newRow("no clock tick between the first two samples")
        << Script{CpuCounters{500, 900, 1}, CpuCounters{500, 900, 1}}
        << QStringList{QStringLiteral("100%")} << true;
    QTest::newRow("two processors, one busy, then 7%")
        << Script{CpuCounters{0, 0, 2}, CpuCounters{1000, 1000, 2},
                  CpuCounters{1000 + 1860, 2000, 2}}
        << QStringList{QStringLiteral("50%"), QStringLiteral("7%")} << true;
    QTest::newRow("counters unreadable from the start")
        << Script{} << QStringList{QStringLiteral("???"), QStringLiteral("???")} << false;
    QTest::newRow("a later failure stops the meter")
        << Script{CpuCounters{0, 0, 1}, CpuCounters{10, 100, 1}, std::nullopt,
                  CpuCounters{20, 200, 1}}
        << QStringList{QStringLiteral("90%"), QStringLiteral("???"), QStringLiteral("???")}
        << false;
}

void TestVolume::cpuMeter()
{
    using Script = QList<std::optional<CpuCounters>>;
    QFETCH(Script, script);
    QFETCH(QStringList, texts);
    QFETCH(bool, running);
    PlayerBench b;
    b.sound.cpu.script = script;
    b.logic.cpu.start();
    QStringList seen{b.model().text(Text::CPUUsage)};
    for (qsizetype i = 1; i < texts.size(); ++i) {
        // The window's timer calls refresh only while it runs.
        if (b.model().timerOn(Timer::TmrRefresh))
            b.logic.cpu.refresh();
        seen.append(b.model().text(Text::CPUUsage));
    }
    QCOMPARE(seen, texts);
    QCOMPARE(b.model().timerOn(Timer::TmrRefresh), running);
    b.logic.unload();
    QVERIFY(!b.model().timerOn(Timer::TmrRefresh));
}

QTEST_GUILESS_MAIN(TestVolume)
#include "tst_volume.moc"
