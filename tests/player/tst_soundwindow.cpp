#include "tests/player/windowbench.h"

#include <QSlider>
#include <QTimer>

namespace {

QSlider *slider(const WindowBench &b, const char *name)
{
    return qobject_cast<QSlider *>(b.child(name));
}

} // namespace

// The playback window's sound controls offscreen, driven with real mouse events.
class TestSoundWindow : public QObject {
    Q_OBJECT

private slots:
    void openingOrder();
    void muteButtonAndTheNextWindow();
    void knobDraggedPastTheEnds_data();
    void knobDraggedPastTheEnds();
    void clickOnTheTrack();
    void playerSliderMovesTheKnob();
    void rightClickSwapsTheSliders_data();
    void rightClickSwapsTheSliders();
    void noMixer();
    void mixerButton();
    void cpuMeter();
    void fadeOnTheRealTimer();
};

// The mixer is open and the computer volume set before the priority is raised, and the CPU
// meter starts after it.
void TestSoundWindow::openingOrder()
{
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("ckvolprinc"), QStringLiteral("1"));
    b.state.settings.setValue(QStringLiteral("volprinc"), QStringLiteral("20"));
    b.sound.cpu.script = {CpuCounters{0, 0, 1}, CpuCounters{30, 100, 1}};
    QList<int> sentBeforeRaise;
    int samplesBeforeRaise = -1;
    b.sound.priority.onRaise = [&] {
        sentBeforeRaise = b.sound.mixer.sentValues;
        samplesBeforeRaise = b.sound.cpu.sampleCalls;
    };
    QVERIFY(b.open());
    QCOMPARE(b.sound.priority.raiseCalls, 1);
    QCOMPARE(sentBeforeRaise, QList<int>{13107});
    QCOMPARE(samplesBeforeRaise, 0);
    QCOMPARE(b.text("lblCPUUsage"), QStringLiteral("70%"));
    QCOMPARE(b.text("lblVolume"), QStringLiteral("Volume del Computer"));
    QCOMPARE(b.child("VolPrinc")->x(), 0);
    QCOMPARE(b.child("volume")->x(), 167);
}

void TestSoundWindow::muteButtonAndTheNextWindow()
{
    WindowBench b;
    b.memory.varVolume = 65;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    QWidget *mute = b.child("imgMuto");
    QTest::mouseMove(mute, {10, 10});
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("SonoroS"));
    // Pressed, then let go outside: nothing toggles.
    QTest::mousePress(mute, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("SonoroP"));
    QTest::mouseRelease(mute, Qt::LeftButton, {}, {10, -30});
    QVERIFY(!b.memory.VolumeMuto);
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("SonoroN"));

    b.click("imgMuto", {10, 10});
    QVERIFY(b.memory.VolumeMuto);
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("MutoS"));
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Muto: Attivato"));
    QCOMPARE(b.player.currentVolume, 0);
    for (const char *name : {"volume", "imgVolume", "SensoreimgSliderVolume", "picVolume"})
        QVERIFY2(!b.child(name)->isEnabled(), name);
    b.window->close();

    QVERIFY(b.open());
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("MutoN"));
    QCOMPARE(b.player.currentVolume, 0);
    QCOMPARE(slider(b, "volume")->value(), 65);
    QVERIFY(!b.child("volume")->isEnabled());
    QVERIFY(!b.child("imgVolume")->isEnabled());
    QVERIFY(b.showPanel());
    b.click("imgMuto", {10, 10});
    QCOMPARE(b.picture("imgMuto"), QStringLiteral("SonoroS"));
    QCOMPARE(b.player.currentVolume, 65);
    QVERIFY(b.child("volume")->isEnabled());
}

void TestSoundWindow::knobDraggedPastTheEnds_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("knobX");
    QTest::newRow("right") << 300 << 100 << 610;
    QTest::newRow("left") << -300 << 0 << 528;
}

void TestSoundWindow::knobDraggedPastTheEnds()
{
    QFETCH(int, dx);
    QFETCH(int, volume);
    QFETCH(int, knobX);
    WindowBench b;
    QVERIFY(b.open());
    QWidget *knob = b.child("imgVolume");
    // Into the window first: the pointer arriving from the window before does not count.
    QTest::mouseMove(b.child("imgWMPlaySotto"), {20, 5});
    QTest::mouseMove(knob, {6, 6});
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Volume di WindowsMediaPlayer"));
    QTest::mousePress(knob, Qt::LeftButton, {}, {6, 6});
    QTest::mouseMove(knob, {6 + dx, 6});
    QTRY_COMPARE_WITH_TIMEOUT(b.player.currentVolume, volume, 2000);
    QCOMPARE(slider(b, "volume")->value(), volume);
    QCOMPARE(knob->x(), knobX);
    QCOMPARE(b.child("picVolume")->x(), knobX);
    QTest::mouseRelease(knob, Qt::LeftButton, {}, {6 + dx, 6});
    QCOMPARE(b.memory.varVolume, volume);
    auto *drag = b.window->findChild<QTimer *>(QStringLiteral("Timer7"));
    QVERIFY(drag && !drag->isActive());
}

void TestSoundWindow::clickOnTheTrack()
{
    WindowBench b;
    QVERIFY(b.open());
    QWidget *track = b.child("SensoreimgSliderVolume");
    QCOMPARE(track->width(), 82);
    // A click at a quarter of the track, then a drag on to three quarters.
    QTest::mousePress(track, Qt::LeftButton, {}, {20, 9});
    QCOMPARE(b.player.currentVolume, 24);
    QTest::mouseMove(track, {61, 9});
    QTRY_COMPARE_WITH_TIMEOUT(b.player.currentVolume, 74, 2000);
    QTest::mouseRelease(track, Qt::LeftButton, {}, {61, 9});
    QCOMPARE(b.memory.varVolume, 74);
}

void TestSoundWindow::playerSliderMovesTheKnob()
{
    WindowBench b;
    QVERIFY(b.open());
    QCOMPARE(b.child("imgVolume")->x(), 569);
    slider(b, "volume")->setValue(100);
    QCOMPARE(b.child("imgVolume")->x(), 610);
    QCOMPARE(b.player.currentVolume, 100);
    QCOMPARE(b.memory.varVolume, 100);
}

void TestSoundWindow::rightClickSwapsTheSliders_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("right click on the computer's slider") << "slider";
    QTest::newRow("click on the caption") << "caption";
}

void TestSoundWindow::rightClickSwapsTheSliders()
{
    QFETCH(QString, how);
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    if (how == u"slider") {
        QTest::mouseMove(b.child("VolPrinc"), {40, 10});
        QCOMPARE(b.text("lblInfo1"), QStringLiteral("Click destro per il volume del player"));
        b.click("VolPrinc", {40, 10}, Qt::RightButton);
    } else {
        QTest::mouseMove(b.child("lblVolume"), {20, 8});
        QCOMPARE(b.text("lblInfo1"), QStringLiteral("Premere per il volume del player"));
        b.click("lblVolume", {20, 8});
    }
    QCOMPARE(slider(b, "VolPrinc")->value(), 50);
    // The last step may pass the end by less than a pixel; the next tick puts both sliders in
    // place, so the slide's end is awaited on both.
    QTRY_COMPARE_WITH_TIMEOUT(b.child("volume")->x(), 0, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(b.child("VolPrinc")->x(), -167, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(b.text("lblVolume"), QStringLiteral("Volume di Windows Media Player"),
                              3000);
    QTRY_COMPARE_WITH_TIMEOUT(b.child("lblVolume")->y(), 5, 3000);
    // The player's slider, now shown, swaps back with its own right click.
    b.click("volume", {40, 10}, Qt::RightButton);
    QTRY_COMPARE_WITH_TIMEOUT(b.child("VolPrinc")->x(), 0, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(b.child("volume")->x(), 167, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(b.text("lblVolume"), QStringLiteral("Volume del Computer"), 3000);
}

void TestSoundWindow::noMixer()
{
    WindowBench b;
    b.sound.mixer.present = false;
    b.state.settings.setValue(QStringLiteral("volprinc"), QStringLiteral("80"));
    QVERIFY(b.open());
    QVERIFY(!b.child("VolPrinc")->isEnabled());
    QCOMPARE(slider(b, "VolPrinc")->value(), 80);
    QVERIFY(b.sound.mixer.sentValues.isEmpty());
    b.window->close();
    QCOMPARE(b.state.settings.value(QStringLiteral("volprinc")), QStringLiteral("80"));
}

void TestSoundWindow::mixerButton()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    QWidget *mixer = b.child("imgMixer");
    QTest::mouseMove(mixer, {10, 10});
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Mixer audio"));
    QTest::mousePress(mixer, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(b.picture("imgMixer"), QStringLiteral("MixerP"));
    QTest::mouseRelease(mixer, Qt::LeftButton, {}, {50, 10});
    QCOMPARE(b.sound.mixerApp.startCalls, 0);
    b.click("imgMixer", {10, 10});
    QCOMPARE(b.sound.mixerApp.startCalls, 1);
    QCOMPARE(b.picture("imgMixer"), QStringLiteral("MixerS"));
}

// The field is filled at opening and by the window's own 1-second timer.
void TestSoundWindow::cpuMeter()
{
    WindowBench b;
    b.sound.cpu.script = {CpuCounters{0, 0, 2}, CpuCounters{100, 100, 2}, CpuCounters{260, 200, 2}};
    QVERIFY(b.open());
    QCOMPARE(b.text("lblCPUUsage"), QStringLiteral("50%"));
    QTRY_COMPARE_WITH_TIMEOUT(b.text("lblCPUUsage"), QStringLiteral("20%"), 2500);
    b.window->close();
    auto *refresh = b.window->findChild<QTimer *>(QStringLiteral("tmrRefresh"));
    QVERIFY(refresh && !refresh->isActive());
}

// A right click on the mini stop fades the song out on the window's own timer.
void TestSoundWindow::fadeOnTheRealTimer()
{
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("15"));
    b.memory.varVolume = 80;
    QVERIFY(b.open());
    b.click("imgPlayMini");
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QElapsedTimer clock;
    clock.start();
    b.click("imgStopMini", {5, 5}, Qt::RightButton);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QTRY_COMPARE_WITH_TIMEOUT(b.player.state, MediaPlayer::PlayState::Stopped, 3000);
    QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(slider(b, "volume")->value(), 0);
    QCOMPARE(b.child("imgVolume")->x(), 528);
    const QStringList volumes = b.player.calls.filter(QStringLiteral("volume "));
    QVERIFY2(volumes.size() >= 15, qPrintable(volumes.join(u',')));
    QCOMPARE(volumes.last(), QStringLiteral("volume 0"));
    QCOMPARE(b.memory.varVolume, 80);
}

QTEST_MAIN(TestSoundWindow)
#include "tst_soundwindow.moc"
