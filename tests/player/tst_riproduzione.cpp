#include "player/skinimage.h"
#include "tests/player/windowbench.h"

#include <QAccessible>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

class TestRiproduzione : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening_data();
    void opening();
    void autoplayStartsHalfASecondLater();
    void bigPlayButtonWithTheMouse();
    void releaseOutsideTheBigButton();
    void missingFileWarnsAtEveryPlay();
    void missingFileWithAutoplayWarnsOnce();
    void fileThatCannotPlayIsReportedOnce_data();
    void fileThatCannotPlayIsReportedOnce();
    void closeButtonStopsAndKeepsTheComputerVolume_data();
    void closeButtonStopsAndKeepsTheComputerVolume();
    void closingFromOutsideEndsTheModalRun();
    void videoFollowsThePanelWhenDocked_data();
    void videoFollowsThePanelWhenDocked();
    void clickOnTheBarSeeks();
    void infoLineFollowsTheMouse();
    void picturesComeFromTheSkinFolder();
    void controlsHaveNames_data();
    void controlsHaveNames();
    void buttonNamesFollowTheirState();
    void revealButtonAndKey();
};

// The captions below are the Italian ones; other locales have their own rows.
void TestRiproduzione::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

void TestRiproduzione::opening_data()
{
    QTest::addColumn<QString>("ckvolprinc");
    QTest::addColumn<QString>("volprinc");
    QTest::addColumn<int>("computer");
    QTest::addColumn<int>("varVolume");
    QTest::newRow("volume kept") << "1"
                                 << "80" << 80 << 35;
    QTest::newRow("volume not kept") << "0"
                                     << "80" << 50 << 50;
}

void TestRiproduzione::opening()
{
    QFETCH(QString, ckvolprinc);
    QFETCH(QString, volprinc);
    QFETCH(int, computer);
    QFETCH(int, varVolume);
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("ckvolprinc"), ckvolprinc);
    b.state.settings.setValue(QStringLiteral("volprinc"), volprinc);
    b.memory.varVolume = varVolume;
    QVERIFY(b.open());

    QCOMPARE(b.window->windowTitle(), QStringLiteral("Riproduzione  Spot 10  00,0%"));
    QCOMPARE(b.window->size(), QSize(659, 490));
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Play2N"));
    QCOMPARE(b.picture("imgPlayMini"), QStringLiteral("PlayMN"));
    QCOMPARE(b.picture("imgRipeti"), QStringLiteral("NRipetiNPN"));
    QCOMPARE(b.picture("imgAggancia"), QStringLiteral("AgganciatoN"));
    QCOMPARE(b.text("lblCPUUsage"), QStringLiteral("???"));
    QCOMPARE(qobject_cast<QSlider *>(b.child("VolPrinc"))->value(), computer);
    QCOMPARE(b.player.currentVolume, varVolume);
    // Panel hidden below the window; video area and strip fill it.
    QCOMPARE(b.child("SchedaControlli")->y(), 490);
    QCOMPARE(b.child("WMPlayFintoSfondo")->geometry(), QRect(25, 16, 607, 420));
    QCOMPARE(b.child("imgWMPlaySotto")->y(), 436);
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
    qobject_cast<QSlider *>(b.child("Velocita"))->setValue(0);
    QCOMPARE(b.player.currentRate, 0.5);
}

void TestRiproduzione::autoplayStartsHalfASecondLater()
{
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("autoplay"), QStringLiteral("1"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(b.open());
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
    QTRY_COMPARE_WITH_TIMEOUT(b.player.state, MediaPlayer::PlayState::Playing, 3000);
    QVERIFY2(clock.elapsed() >= 450, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Pausa2N"));
    QCOMPARE(b.picture("imgPlayMini"), QStringLiteral("PausaMN"));
    // The spinner turns after the percentage.
    QTRY_VERIFY(
        b.window->windowTitle().startsWith(QStringLiteral("Riproduzione  Spot 10  00,0%")) &&
        b.window->windowTitle() != QStringLiteral("Riproduzione  Spot 10  00,0%"));
}

void TestRiproduzione::bigPlayButtonWithTheMouse()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    QWidget *play = b.child("imgPlay");
    QTest::mouseMove(play, {20, 20});
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Play2S"));
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Play"));
    QCOMPARE(b.text("lblInfo1"), QStringLiteral("Riproduce la canzone"));
    QTest::mousePress(play, Qt::LeftButton, {}, {20, 20});
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Play2P"));
    QCOMPARE(b.picture("imgPlay1"), QStringLiteral("Play1P"));
    QCOMPARE(b.picture("imgStop"), QStringLiteral("StopNPP"));
    QTest::mouseRelease(play, Qt::LeftButton, {}, {20, 20});
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Pausa2S"));
    QCOMPARE(b.picture("imgPlay1"), QStringLiteral("Play1N"));
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Pausa"));
    // Off the button onto the panel: normal pause look, empty info line.
    QTest::mouseMove(b.child("SchedaControlli"), {200, 190});
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Pausa2N"));
    QCOMPARE(b.text("lblInfo0"), QString());
    // The title spinner turns while the song plays.
    b.player.length = 200;
    b.player.position = 15;
    QTRY_VERIFY_WITH_TIMEOUT(
        b.window->windowTitle().startsWith(QStringLiteral("Riproduzione  Spot 10  07,5%")), 3000);
}

void TestRiproduzione::releaseOutsideTheBigButton()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    QWidget *right = b.child("imgPlay3");
    QTest::mouseMove(right, {8, 20});
    QTest::mousePress(right, Qt::LeftButton, {}, {8, 20});
    QCOMPARE(b.picture("imgPlay3"), QStringLiteral("Play3P"));
    // Dragged off over the left of the whole button, then let go.
    QTest::mouseMove(right, {-80, 20});
    QTest::mouseRelease(right, Qt::LeftButton, {}, {-80, 20});
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
    QCOMPARE(b.picture("imgPlay"), QStringLiteral("Play2N"));
    QCOMPARE(b.picture("imgPlay1"), QStringLiteral("Play1N"));
    QCOMPARE(b.picture("imgPlay3"), QStringLiteral("Play3N"));
    QCOMPARE(b.picture("imgStop"), QStringLiteral("StopNPN"));
    QCOMPARE(b.picture("imgRipeti"), QStringLiteral("NRipetiNPN"));
    // Released over the left cap of the whole button: that plays.
    QTest::mouseMove(right, {8, 20});
    QTest::mousePress(right, Qt::LeftButton, {}, {8, 20});
    QTest::mouseRelease(right, Qt::LeftButton, {}, {-70, 20});
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
}

void TestRiproduzione::missingFileWarnsAtEveryPlay()
{
    WindowBench b;
    QVERIFY(b.open(b.dir.filePath(QStringLiteral("gone.mp3"))));
    QCOMPARE(b.window->windowTitle(), QStringLiteral("Riproduzione  Spot 10  00,0%"));
    b.click("imgPlayMini");
    b.click("imgPlayMini");
    QCOMPARE(b.questions.texts(),
             QStringList(2, QStringLiteral(
                                "ATTENZIONE!!! Il file collegato a questo numero è inesistente")));
    QCOMPARE(b.player.count(QStringLiteral("play")), 0);
    QCOMPARE(b.picture("imgPlayMini"), QStringLiteral("PlayMN"));
}

// No box at the opening, one half a second later, none stacked on it.
void TestRiproduzione::missingFileWithAutoplayWarnsOnce()
{
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("autoplay"), QStringLiteral("1"));
    QVERIFY(b.open(b.dir.filePath(QStringLiteral("gone.mp3"))));
    QTest::qWait(50);
    QVERIFY(b.questions.texts().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!b.questions.texts().isEmpty(), 3000);
    QTest::qWait(700);
    QCOMPARE(b.questions.texts(),
             QStringList{
                 QStringLiteral("ATTENZIONE!!! Il file collegato a questo numero è inesistente")});
}

void TestRiproduzione::fileThatCannotPlayIsReportedOnce_data()
{
    QTest::addColumn<QString>("riprodcontinua");
    QTest::newRow("repeat off") << "0";
    QTest::newRow("repeat on") << "1";
}

// A file the player cannot decode: the presenter is told which file, and repeat does not keep
// retrying it.
void TestRiproduzione::fileThatCannotPlayIsReportedOnce()
{
    QFETCH(QString, riprodcontinua);
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("riprodcontinua"), riprodcontinua);
    QVERIFY(b.open());
    b.player.failsToPlay = true;
    b.click("imgPlayMini");
    QTest::qWait(700);
    QCOMPARE(b.questions.texts(),
             QStringList{QStringLiteral("ATTENZIONE!!! Il file collegato a questo numero non può "
                                        "essere riprodotto:\n") +
                         b.player.url + QStringLiteral("\n\nResource not found.")});
    QCOMPARE(b.player.count(QStringLiteral("play")), 1);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QCOMPARE(b.picture("imgPlayMini"), QStringLiteral("PlayMN"));
    QCOMPARE(b.window->windowTitle(), QStringLiteral("Riproduzione  Spot 10  00,0%"));
}

void TestRiproduzione::closeButtonStopsAndKeepsTheComputerVolume_data()
{
    QTest::addColumn<QString>("riprodcontinua");
    QTest::newRow("repeat off") << "0";
    QTest::newRow("repeat on") << "1";
}

void TestRiproduzione::closeButtonStopsAndKeepsTheComputerVolume()
{
    QFETCH(QString, riprodcontinua);
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("riprodcontinua"), riprodcontinua);
    QVERIFY(b.open());
    b.click("imgPlayMini");
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Playing);
    qobject_cast<QSlider *>(b.child("VolPrinc"))->setValue(37);
    QCOMPARE(b.sound.mixer.sentValues.last(), 24247);
    QVERIFY(b.showPanel());
    QWidget *close = b.child("imgChiudi");
    QTest::mouseMove(close, {10, 10});
    QCOMPARE(b.picture("imgChiudi"), QStringLiteral("ChiudiS"));
    QTest::mousePress(close, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(b.picture("imgChiudi"), QStringLiteral("ChiudiP"));
    QTest::mouseRelease(close, Qt::LeftButton, {}, {10, 10});
    QVERIFY(!b.window->isVisible());
    QCOMPARE(b.player.calls.last(), QStringLiteral("stop"));
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QCOMPARE(b.state.settings.value(QStringLiteral("volprinc")), QStringLiteral("37"));
    QCOMPARE(b.sound.mixer.closeCalls, 1);
    // With repeat on, the stop of the closing does not bring the song back.
    QTest::qWait(700);
    QCOMPARE(b.player.count(QStringLiteral("play")), 1);
}

void TestRiproduzione::closingFromOutsideEndsTheModalRun()
{
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("autoplay"), QStringLiteral("1"));
    b.window =
        std::make_unique<Riproduzione>(b.state, b.memory, b.questions, b.player, b.sound.ports(),
                                       b.song_path(), QStringLiteral("Ballo 30"));
    b.window->load();
    bool playedBeforeClose = false;
    QTimer::singleShot(900, b.window.get(), [&] {
        playedBeforeClose = b.player.state == MediaPlayer::PlayState::Playing;
        b.window->close();
    });
    b.window->exec();
    QVERIFY(playedBeforeClose);
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Stopped);
    QVERIFY(!b.window->isVisible());
}

void TestRiproduzione::videoFollowsThePanelWhenDocked_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<int>("heightShown");
    QTest::newRow("docked") << "1" << 218;
    QTest::newRow("undocked") << "0" << 420;
}

void TestRiproduzione::videoFollowsThePanelWhenDocked()
{
    QFETCH(QString, dock);
    QFETCH(int, heightShown);
    WindowBench b;
    b.state.settings.setValue(QStringLiteral("wmpsemprevisib"), dock);
    b.player.video = true;
    QVERIFY(b.open());
    QWidget *video = b.player.area;
    QVERIFY(video);
    QCOMPARE(video->parentWidget(), b.child("WMPlayFintoSfondo"));
    b.click("imgPlayMini");
    QVERIFY(video->isVisible());
    QCOMPARE(video->geometry(), QRect(0, 0, 607, 420));
    QVERIFY(b.showPanel());
    QCOMPARE(video->height(), heightShown);
    QCOMPARE(b.child("WMPlayFintoSfondo")->height(), heightShown);
    // The window hands the video area back when it goes.
    b.window.reset();
    QVERIFY(b.player.area);
    QVERIFY(!b.player.area->parent());
}

void TestRiproduzione::clickOnTheBarSeeks()
{
    WindowBench b;
    b.player.length = 200;
    QVERIFY(b.open());
    b.click("imgPlayMini");
    b.click("imgPlayMini");
    QCOMPARE(b.player.state, MediaPlayer::PlayState::Paused);
    QWidget *bar = b.child("ProgressoMedia");
    const QPoint quarter(bar->width() / 4, bar->height() / 2);
    b.click("ProgressoMedia", quarter);
    const double x = quarter.x() * 15.0;
    QCOMPARE(b.player.position, (x - 50) * 200 / (bar->width() * 15.0));
    // A press that leaves the bar upwards seeks nowhere.
    const double before = b.player.position;
    QTest::mousePress(bar, Qt::LeftButton, {}, {bar->width() / 2, 4});
    QTest::mouseRelease(bar, Qt::LeftButton, {}, {bar->width() / 2, -20});
    QCOMPARE(b.player.position, before);
}

void TestRiproduzione::infoLineFollowsTheMouse()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    QTest::mouseMove(b.child("DurataRim"), {10, 10});
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Rimanente"));
    QCOMPARE(b.window->model().Oggetto, MainHover::InfoOnly);
    QTest::mouseMove(b.child("imgStop"), {10, 10});
    QCOMPARE(b.picture("imgStop"), QStringLiteral("StopSPN"));
    QTest::mouseMove(b.child("imgAggancia"), {10, 10});
    QCOMPARE(b.picture("imgStop"), QStringLiteral("StopNPN"));
    QCOMPARE(b.picture("imgAggancia"), QStringLiteral("AgganciatoS"));
    QCOMPARE(b.text("lblInfo0"), QStringLiteral("Aggancia player: Attivato"));
    QTest::mouseMove(b.child("Label1"), {5, 5});
    QCOMPARE(b.picture("imgAggancia"), QStringLiteral("AgganciatoN"));
    QCOMPARE(b.text("lblInfo0"), QString());
    QTest::mouseMove(b.child("imgPlayMini"), {5, 5});
    QCOMPARE(b.picture("imgPlayMini"), QStringLiteral("PlayMS"));
}

void TestRiproduzione::picturesComeFromTheSkinFolder()
{
    WindowBench b;
    QVERIFY(QDir(b.dir.path()).mkdir(QStringLiteral("gr")));
    QImage red(56, 56, QImage::Format_RGB32);
    red.fill(QColor(255, 0, 0));
    QVERIFY(red.save(b.dir.filePath(QStringLiteral("gr/Play2N.jpg")), "JPG"));
    QImage green(16, 56, QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    // Picture names match without regard to case, as files copied from elsewhere may have.
    QVERIFY(green.save(b.dir.filePath(QStringLiteral("gr/play1n.JPG")), "JPG"));
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    const QImage middle = b.child("imgPlay")->grab().toImage();
    QVERIFY(qAbs(middle.pixelColor(28, 28).red() - 255) < 8);
    QVERIFY(middle.pixelColor(28, 28).green() < 8);
    const QImage left = b.child("imgPlay1")->grab().toImage();
    QVERIFY(left.pixelColor(8, 28).green() > 247);
    // A missing picture leaves the panel showing, the name still recorded.
    QCOMPARE(b.picture("imgPlay3"), QStringLiteral("Play3N"));
    QWidget *panel = b.child("SchedaControlli");
    const QImage right = panel->grab(b.child("imgPlay3")->geometry()).toImage();
    QCOMPARE(right.pixelColor(8, 28), QColor(38, 42, 50));
}

// Assistive technology tells the controls apart by name and role: each picture button by the
// title its info line shows, each slider by its caption.
void TestRiproduzione::controlsHaveNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    const int button = QAccessible::Button;
    const int slider = QAccessible::Slider;
    QTest::newRow("big play") << u"imgPlay"_s << u"Play"_s << button;
    QTest::newRow("stop") << u"imgStop"_s << u"Stop"_s << button;
    QTest::newRow("repeat") << u"imgRipeti"_s << u"Ripeti: Disattivato"_s << button;
    QTest::newRow("mute") << u"imgMuto"_s << u"Muto: Disattivato"_s << button;
    QTest::newRow("dock") << u"imgAggancia"_s << u"Aggancia player: Attivato"_s << button;
    QTest::newRow("slide down") << u"imgSlittaBasso"_s << u"Nascondi scheda"_s << button;
    QTest::newRow("slide up") << u"imgSlittaAlto"_s << u"Mostra scheda"_s << button;
    QTest::newRow("mixer") << u"imgMixer"_s << u"Mixer audio"_s << button;
    QTest::newRow("close") << u"imgChiudi"_s << u"Chiudi"_s << button;
    QTest::newRow("mini play") << u"imgPlayMini"_s << u"Play"_s << button;
    QTest::newRow("mini stop") << u"imgStopMini"_s << u"Stop"_s << button;
    QTest::newRow("computer volume") << u"VolPrinc"_s << u"Volume del Computer"_s << slider;
    QTest::newRow("player volume") << u"volume"_s << u"Volume di Windows Media Player"_s << slider;
    QTest::newRow("speed") << u"Velocita"_s << u"Velocità della traccia"_s << slider;
}

void TestRiproduzione::controlsHaveNames()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    WindowBench b;
    QVERIFY(b.open());
    QAccessibleInterface *face =
        QAccessible::queryAccessibleInterface(b.child(control.toLatin1().constData()));
    QVERIFY(face);
    QCOMPARE(face->text(QAccessible::Name), name);
    QCOMPARE(int(face->role()), role);
}

// A button of two states is named by the one it shows; pressing it through the accessibility
// interface does what a click does.
void TestRiproduzione::buttonNamesFollowTheirState()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(b.showPanel());
    const auto nameOf = [&b](const char *control) {
        return QAccessible::queryAccessibleInterface(b.child(control))->text(QAccessible::Name);
    };
    QAccessibleInterface *repeat = QAccessible::queryAccessibleInterface(b.child("imgRipeti"));
    QVERIFY(repeat->actionInterface());
    repeat->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(b.window->model().Ripeti);
    QCOMPARE(nameOf("imgRipeti"), u"Ripeti: Attivato"_s);
    b.click("imgMuto", {10, 10});
    QCOMPARE(nameOf("imgMuto"), u"Muto: Attivato"_s);
    b.click("imgPlay", {20, 20});
    QTRY_COMPARE(nameOf("imgPlay"), u"Pausa"_s);
    QCOMPARE(nameOf("imgPlayMini"), u"Pausa"_s);
}

// "Rivela" is there only when the audience can be shown the title; the button and F6 both
// reveal, and the button never takes the keys from the window.
void TestRiproduzione::revealButtonAndKey()
{
    WindowBench b;
    QVERIFY(b.open());
    QVERIFY(!b.window->findChild<QPushButton *>(QStringLiteral("btnRivela")));
    int reveals = 0;
    b.window->setReveal([&reveals] { ++reveals; });
    auto *button = b.window->findChild<QPushButton *>(QStringLiteral("btnRivela"));
    QVERIFY(button && button->isVisible());
    QCOMPARE(button->text(), QStringLiteral("Rivela"));
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QVERIFY(b.window->rect().contains(button->geometry()));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(reveals, 1);
    QTest::keyClick(b.window.get(), Qt::Key_F6);
    QCOMPARE(reveals, 2);
    QTest::keyClick(b.window.get(), Qt::Key_F6, Qt::ShiftModifier);
    QCOMPARE(reveals, 2);
}

QTEST_MAIN(TestRiproduzione)
#include "tst_riproduzione.moc"
