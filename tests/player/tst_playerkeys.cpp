#include "tests/player/windowbench.h"

#include <QApplication>
#include <QLocale>
#include <QSlider>
#include <QTest>
#include <QTimer>

// The playback window from the keyboard: real key presses through the window system, on the
// fake player.
class TestPlayerKeys : public QObject {
    Q_OBJECT

    static void key(WindowBench &b, Qt::Key k, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(b.window->windowHandle(), k, mods);
    }
    static int sliderValue(WindowBench &b, const char *name)
    {
        return qobject_cast<QSlider *>(b.child(name))->value();
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    // Space is the big play button: the same requests to the player and the same pictures.
    void spaceIsTheBigPlayButton_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<MediaPlayer::PlayState>("state");
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("mini");
        QTest::newRow("plays") << 1 << MediaPlayer::PlayState::Playing << "Pausa2N"
                               << "PausaMN";
        QTest::newRow("pauses") << 2 << MediaPlayer::PlayState::Paused << "Play2N"
                                << "PlayMN";
        QTest::newRow("plays again") << 3 << MediaPlayer::PlayState::Playing << "Pausa2N"
                                     << "PausaMN";
    }

    void spaceIsTheBigPlayButton()
    {
        QFETCH(int, presses);
        WindowBench b;
        QVERIFY(b.open());
        for (int i = 0; i < presses; ++i)
            key(b, Qt::Key_Space);
        QTEST(b.player.state, "state");
        QTEST(b.picture("imgPlay"), "play");
        QTEST(b.picture("imgPlayMini"), "mini");
        QCOMPARE(b.player.count(QStringLiteral("play")), (presses + 1) / 2);
    }

    // Esc stops the way the stop button does when pressed with the left button: a fade when
    // one is set for it (sfumadx 0 or 3), at once otherwise. On a stopped player it closes.
    void escape_data()
    {
        QTest::addColumn<QString>("sfumadx");
        QTest::addColumn<bool>("fades");
        QTest::newRow("fade on the left button") << "0" << true;
        QTest::newRow("fade on either button") << "3" << true;
        QTest::newRow("fade on the right button only") << "1" << false;
        QTest::newRow("no fade") << "2" << false;
    }

    void escape()
    {
        QFETCH(QString, sfumadx);
        QFETCH(bool, fades);
        WindowBench b;
        b.state.settings.setValue(QStringLiteral("sfumadx"), sfumadx);
        b.state.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("15")); // 1 s
        b.memory.varVolume = 60;
        QVERIFY(b.open());
        key(b, Qt::Key_Space);
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
        key(b, Qt::Key_Escape);
        auto *fade = b.window->findChild<QTimer *>(QStringLiteral("tmrStop"));
        QCOMPARE(fade->isActive(), fades);
        if (fades) {
            QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
            QTRY_VERIFY(b.player.currentVolume > 0 && b.player.currentVolume < 60);
            QTRY_COMPARE_WITH_TIMEOUT(b.player.state, MediaPlayer::PlayState::Stopped, 5000);
            QCOMPARE(b.player.currentVolume, 0);
        } else {
            QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
            QCOMPARE(b.player.currentVolume, 60);
        }
        QCOMPARE(b.player.count(QStringLiteral("stop")), 1);
        QVERIFY(b.window->isVisible());
        // The level before the fade is the next window's.
        QCOMPARE(b.memory.varVolume, 60);
        key(b, Qt::Key_Escape);
        QVERIFY(!b.window->isVisible());
    }

    // A second Esc during the fade, or Esc on a paused song, stops at once.
    void escapeStopsAtOnce_data()
    {
        QTest::addColumn<Qt::Key>("before");
        QTest::newRow("during the fade") << Qt::Key_Escape;
        QTest::newRow("paused") << Qt::Key_Space;
    }

    void escapeStopsAtOnce()
    {
        QFETCH(Qt::Key, before);
        WindowBench b;
        b.state.settings.setValue(QStringLiteral("sfumadx"), QStringLiteral("0"));
        b.state.settings.setValue(QStringLiteral("abbvolume"), QStringLiteral("1")); // 15 s
        QVERIFY(b.open());
        key(b, Qt::Key_Space);
        key(b, before);
        QCOMPARE(b.player.state, before == Qt::Key_Space ? MediaPlayer::PlayState::Paused
                                                         : MediaPlayer::PlayState::Playing);
        key(b, Qt::Key_Escape);
        QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
        QVERIFY(!b.window->findChild<QTimer *>(QStringLiteral("tmrStop"))->isActive());
        QVERIFY(b.window->isVisible());
    }

    // The arrows seek 5 s through the mini bar and move the player volume by 5 through the
    // skinned slider, stopping at the ends.
    void arrows_data()
    {
        QTest::addColumn<Qt::Key>("pressed");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("position");
        QTest::addColumn<int>("fromVolume");
        QTest::addColumn<int>("volume");
        QTest::addColumn<bool>("muted");
        QTest::newRow("right: 5 s on") << Qt::Key_Right << 100.0 << 105.0 << 50 << 50 << false;
        QTest::newRow("left: 5 s back") << Qt::Key_Left << 100.0 << 95.0 << 50 << 50 << false;
        QTest::newRow("left near the start") << Qt::Key_Left << 3.0 << 0.0 << 50 << 50 << false;
        QTest::newRow("right near the end") << Qt::Key_Right << 198.0 << 200.0 << 50 << 50 << false;
        QTest::newRow("up: louder") << Qt::Key_Up << 100.0 << 100.0 << 50 << 55 << false;
        QTest::newRow("down: softer") << Qt::Key_Down << 100.0 << 100.0 << 50 << 45 << false;
        QTest::newRow("up near the top") << Qt::Key_Up << 100.0 << 100.0 << 98 << 100 << false;
        QTest::newRow("down near the bottom") << Qt::Key_Down << 100.0 << 100.0 << 3 << 0 << false;
        QTest::newRow("muted: the slider takes no key")
            << Qt::Key_Up << 100.0 << 100.0 << 50 << 50 << true;
    }

    void arrows()
    {
        QFETCH(Qt::Key, pressed);
        QFETCH(double, from);
        QFETCH(int, fromVolume);
        QFETCH(bool, muted);
        WindowBench b;
        b.player.length = 200;
        b.memory.varVolume = fromVolume;
        b.memory.VolumeMuto = muted;
        QVERIFY(b.open());
        key(b, Qt::Key_Space);
        b.player.position = from;
        const int knobBefore = b.child("imgVolume")->x();
        key(b, pressed);
        QTEST(b.player.position, "position");
        QTEST(sliderValue(b, "volume"), "volume");
        QFETCH(int, volume);
        QCOMPARE(b.memory.varVolume, volume);
        if (!muted)
            QCOMPARE(b.player.currentVolume, volume);
        // The skinned slider's knob moved with the level.
        QCOMPARE(b.child("imgVolume")->x() != knobBefore, volume != fromVolume);
        QFETCH(double, position);
        if (position != from) {
            const double percent = position / 200 * 100;
            QCOMPARE(b.window->model().progress().value, percent);
            QCOMPARE(b.text("DurataCorr"), MediaPlayer::minutesDotSeconds(position));
        }
    }

    // R is the repeat button and M the mute button: the state, the picture and the info line.
    void repeatAndMute()
    {
        WindowBench b;
        b.memory.varVolume = 40;
        QVERIFY(b.open());
        key(b, Qt::Key_Space);
        key(b, Qt::Key_R);
        QVERIFY(b.window->model().Ripeti);
        QCOMPARE(b.picture("imgRipeti"), QStringLiteral("RipetiNPN"));
        key(b, Qt::Key_R);
        QVERIFY(!b.window->model().Ripeti);
        QCOMPARE(b.picture("imgRipeti"), QStringLiteral("NRipetiNPN"));
        key(b, Qt::Key_M);
        QCOMPARE(b.player.currentVolume, 0);
        QVERIFY(b.memory.VolumeMuto);
        QCOMPARE(b.picture("imgMuto"), QStringLiteral("MutoN"));
        key(b, Qt::Key_M);
        QCOMPARE(b.player.currentVolume, 40);
        QCOMPARE(b.picture("imgMuto"), QStringLiteral("SonoroN"));
        // With a modifier, or held down, they are other keys.
        key(b, Qt::Key_R, Qt::ShiftModifier);
        key(b, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!b.window->model().Ripeti);
        QCOMPARE(b.player.currentVolume, 40);
        QKeyEvent held(QEvent::KeyPress, Qt::Key_R, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(b.window.get(), &held);
        QVERIFY(!b.window->model().Ripeti);
    }

    // A slider clicked with the mouse takes no focus, so the arrows still seek and set the
    // player volume rather than move that slider.
    void slidersLeaveTheKeysToTheWindow()
    {
        WindowBench b;
        b.player.length = 200;
        b.memory.varVolume = 50;
        QVERIFY(b.open());
        QVERIFY(b.showPanel());
        QVERIFY(QTest::qWaitForWindowActive(b.window.get()));
        key(b, Qt::Key_Space);
        b.player.position = 100;
        for (const char *name : {"Velocita", "VolPrinc"}) {
            QWidget *slider = b.child(name);
            QTest::mouseClick(slider, Qt::LeftButton, {}, slider->rect().center());
            QVERIFY(QApplication::focusWidget() != slider);
        }
        const int speedAfterClick = sliderValue(b, "Velocita");
        const int computerAfterClick = sliderValue(b, "VolPrinc");
        key(b, Qt::Key_Right);
        key(b, Qt::Key_Up);
        QCOMPARE(b.player.position, 105.0);
        QCOMPARE(sliderValue(b, "volume"), 55);
        QCOMPARE(sliderValue(b, "Velocita"), speedAfterClick);
        QCOMPARE(sliderValue(b, "VolPrinc"), computerAfterClick);
    }

    // Each control names its key in its accessible description.
    void controlsNameTheirKeys()
    {
        WindowBench b;
        QVERIFY(b.open());
        for (const auto &[name, keys] : PlayerKeys::descriptions()) {
            QVERIFY2(!keys.isEmpty(), name);
            QCOMPARE(b.child(name)->accessibleDescription(), keys);
        }
        QVERIFY(b.child("imgPlay")->accessibleDescription().startsWith(u"Spazio"));
        QVERIFY(b.child("imgStop")->accessibleDescription().startsWith(u"Esc"));
    }
};

QTEST_MAIN(TestPlayerKeys)
#include "tst_playerkeys.moc"
