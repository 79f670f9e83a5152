#include "game/gamesession.h"
#include "player/buzzerdesk.h"
#include "tests/player/windowbench.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;
using State = MediaPlayer::PlayState;

// The teams' buzzers in the playback window, on the fake player: a booking pauses the song
// and shows the team, the settlements move the points and let the song go on or fade it.
class TestBuzzerDesk : public QObject {
    Q_OBJECT

    struct Bench {
        WindowBench b;
        FakeMediaPlayer chime;
        GameSession session{b.dir.path(),
                            {{u"Rossi"_s, u"#E02020"_s, u'A'}, {u"Blu"_s, u"#2050FF"_s, u'B'}},
                            Game(2)};
        QWidget *overlay() const { return b.window->buzzers()->overlay(); }
        QString shown() const
        {
            return b.window->findChild<QLabel *>(u"SquadraPrenotata"_s)->accessibleName();
        }
        // Keys carry their own time stamps, later than any click of the test's mouse, as the
        // window system's do; QTest's key events all carry 0.
        qint64 stamp = 10'000'000;
        void key(Qt::Key code, qint64 at)
        {
            QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
            press.setTimestamp(quint64(at));
            QApplication::sendEvent(b.window.get(), &press);
        }
        // A letter, a settlement key ("Return", "Backspace", "Escape") or a button's caption.
        void act(const QString &what)
        {
            static const QHash<QString, Qt::Key> keys{{u"Return"_s, Qt::Key_Return},
                                                      {u"Backspace"_s, Qt::Key_Backspace},
                                                      {u"Escape"_s, Qt::Key_Escape},
                                                      {u"Space"_s, Qt::Key_Space}};
            stamp += 100;
            if (what.size() == 1) {
                key(Qt::Key(Qt::Key_A + what.front().unicode() - u'A'), stamp);
            } else if (keys.contains(what)) {
                key(keys.value(what), stamp);
            } else {
                auto *button = b.window->findChild<QPushButton *>(what);
                QVERIFY(button && button->isVisible());
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    };

    static std::unique_ptr<Bench> playing(bool penalty)
    {
        auto bench = std::make_unique<Bench>();
        bench->b.state.settings.setValue(u"penalita"_s, penalty ? u"1"_s : u"0"_s);
        bench->b.state.settings.setValue(u"sfumadx"_s, u"0"_s);
        bench->b.state.settings.setValue(u"abbvolume"_s, u"15"_s);
        bench->session.played(2); // Spot 30
        bench->b.window = std::make_unique<Riproduzione>(
            bench->b.state, bench->b.memory, bench->b.questions, bench->b.player,
            bench->b.sound.ports(), bench->b.song_path(), u"Spot 30"_s);
        bench->b.window->setGame(bench->session, &bench->chime);
        bench->b.window->logic().transport.clock = [b = &bench->b] { return b->now += 1000; };
        bench->b.window->load();
        bench->b.window->show();
        if (!QTest::qWaitForWindowExposed(bench->b.window.get()))
            return {};
        bench->act(u"Space"_s);
        return bench;
    }

private slots:
    void booking()
    {
        const auto t = playing(false);
        QVERIFY(t);
        QCOMPARE(t->b.player.state, State::Playing);
        QVERIFY(!t->overlay()->isVisible());
        t->act(u"B"_s);
        const qint64 bluAt = t->stamp;
        QCOMPARE(t->b.player.state, State::Paused);
        QVERIFY(t->overlay()->isVisible());
        QCOMPARE(t->shown(), u"Prenotata: Blu"_s);
        QCOMPARE(t->chime.count(u"play"_s), 1);
        // The other team is locked out, and the window's own keys wait too.
        t->act(u"A"_s);
        t->act(u"Space"_s);
        QCOMPARE(t->shown(), u"Prenotata: Blu"_s);
        QCOMPARE(t->b.player.state, State::Paused);
        QCOMPARE(t->session.buzzers().bookedTeam(), 1);
        QCOMPARE(t->chime.count(u"play"_s), 1);
        // Rossi's press stamped 5 ms before Blu's, handled after it: Rossi was first.
        t->key(Qt::Key_A, bluAt - 5);
        QCOMPARE(t->shown(), u"Prenotata: Rossi"_s);
        QCOMPARE(t->b.player.state, State::Paused);
    }

    void settle_data()
    {
        QTest::addColumn<bool>("penalty");
        QTest::addColumn<QString>("script"); // after Rossi's booking
        QTest::addColumn<int>("rossi");
        QTest::addColumn<int>("blu");
        QTest::addColumn<State>("state");
        QTest::addColumn<bool>("fading");
        QTest::addColumn<int>("booked"); // the team holding the answer at the end, or -1

        QTest::newRow("right by Enter")
            << false << "Return" << 30 << 0 << State::Playing << true << -1;
        QTest::newRow("right by button")
            << false << "Giusta" << 30 << 0 << State::Playing << true << -1;
        QTest::newRow("wrong, the song goes on")
            << false << "Backspace" << 0 << 0 << State::Playing << false << -1;
        QTest::newRow("wrong locks the team out")
            << false << "Backspace,A" << 0 << 0 << State::Playing << false << -1;
        QTest::newRow("wrong opens for the others")
            << false << "Sbagliata,B,Return" << 0 << 30 << State::Playing << true << -1;
        QTest::newRow("wrong with the penalty")
            << true << "Backspace" << -30 << 0 << State::Playing << false << -1;
        QTest::newRow("dropped") << true << "Escape" << 0 << 0 << State::Playing << false << -1;
        QTest::newRow("dropped, the same team again")
            << true << "Annulla,A" << 0 << 0 << State::Paused << false << 0;
    }

    void settle()
    {
        QFETCH(bool, penalty);
        QFETCH(QString, script);
        const auto t = playing(penalty);
        QVERIFY(t);
        // The audience window hears of every booking and of its end.
        QSignalSpy told(t->b.window->buzzers(), &BuzzerDesk::bookingChanged);
        t->act(u"A"_s);
        QCOMPARE(t->b.player.state, State::Paused);
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.first().first().toInt(), 0);
        for (const QString &step : script.split(u','))
            t->act(step);
        QTEST(t->session.game().score(0), "rossi");
        QTEST(t->session.game().score(1), "blu");
        QTEST(t->b.player.state, "state");
        QTEST(t->b.window->findChild<QTimer *>(u"tmrStop"_s)->isActive(), "fading");
        QTEST(t->session.buzzers().bookedTeam(), "booked");
        QCOMPARE(t->overlay()->isVisible(), t->session.buzzers().bookedTeam() >= 0);
        QTEST(told.last().first().toInt(), "booked");
    }

    // A team's key means nothing while the song is paused, fades out or is stopped; the
    // window's keys are its own again once the booking is settled.
    void keysWithoutABooking()
    {
        const auto t = playing(false);
        QVERIFY(t);
        t->act(u"Space"_s);
        QCOMPARE(t->b.player.state, State::Paused);
        t->act(u"A"_s);
        QVERIFY(!t->overlay()->isVisible());
        t->act(u"Space"_s);
        t->act(u"A"_s);
        t->act(u"Escape"_s);
        QCOMPARE(t->b.player.state, State::Playing);
        t->act(u"Escape"_s);
        QVERIFY(t->b.window->findChild<QTimer *>(u"tmrStop"_s)->isActive());
        t->act(u"B"_s);
        QVERIFY(!t->overlay()->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(t->b.player.state, State::Stopped, 5000);
        t->act(u"B"_s);
        QVERIFY(!t->overlay()->isVisible());
        QCOMPARE(t->session.game().score(1), 0);
    }
};

QTEST_MAIN(TestBuzzerDesk)
#include "tst_buzzerdesk.moc"
