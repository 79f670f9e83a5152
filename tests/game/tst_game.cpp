#include "game/buzzerarbiter.h"
#include "game/game.h"
#include "tests/game/gamescript.h"

#include <QTest>

using Press = BuzzerArbiter::Press;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Press)

namespace {

// "1:+30 6:off": each score moved and each number whose mark changed.
QString described(const GameChange &change)
{
    QStringList parts;
    for (const GameChange::Score &s : change.scores)
        parts.append(QString::asprintf("%d:%+d", s.team, s.delta));
    for (const GameChange::Mark &m : change.marks)
        parts.append(QString::number(m.slot) + (m.marked ? u":on" : u":off"));
    return parts.join(u' ');
}

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void lastChange();
    void race_data();
    void race();
    void settlements();
};

// Slot 2 is worth 30 points, slot 4 50, slot 5 10 (the second row starts again at 10).
void TestGame::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("scores");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<int>("done");
    QTest::addColumn<int>("total");

    QTest::newRow("award and penalty")
        << u"a 2 0,p 5 1,a 4 0"_s << u"80 -10 0"_s << u""_s << 3 << 3;
    QTest::newRow("undo to the start")
        << u"a 2 0,s 1 7,m 3,z,z,z,z"_s << u"0 0 0"_s << u""_s << 0 << 3;
    QTest::newRow("redo all") << u"a 2 0,s 1 7,m 3,z,z,z,y,y,y,y"_s << u"30 7 0"_s << u"3"_s << 3
                              << 3;
    QTest::newRow("new step drops the redo tail")
        << u"a 2 0,a 4 1,z,a 5 2,y"_s << u"30 0 10"_s << u""_s << 2 << 2;
    QTest::newRow("set score undoes to what it replaced")
        << u"a 4 1,s 1 12,a 2 1,z,z"_s << u"0 50 0"_s << u""_s << 1 << 3;
    QTest::newRow("mark and unmark by hand")
        << u"m 3,m 9,u 3,z"_s << u"0 0 0"_s << u"3 9"_s << 2 << 3;
    QTest::newRow("a mark that changes nothing is no step")
        << u"play 3,m 3,u 8,s 0 0"_s << u"0 0 0"_s << u"3"_s << 0 << 0;
    QTest::newRow("reset clears, undo brings all back")
        << u"a 2 0,play 2,m 7,a 4 2,reset,z"_s << u"30 0 50"_s << u"2 7"_s << 3 << 4;
    QTest::newRow("reset by mistake, plays since are kept")
        << u"a 2 0,play 2,reset,play 9,a 5 1,z,z"_s << u"30 0 0"_s << u"2 9"_s << 1 << 3;
    QTest::newRow("redo of reset clears what is there then")
        << u"a 2 0,play 2,reset,z,play 11,y"_s << u"0 0 0"_s << u""_s << 2 << 2;
    QTest::newRow("undo stops at the start")
        << u"a 2 0,reset,z,z,z,z"_s << u"0 0 0"_s << u""_s << 0 << 2;
    QTest::newRow("buzzer settlements")
        << u"ok 4 0,no 2 1,no! 2 2"_s << u"50 0 -30"_s << u""_s << 3 << 3;
    QTest::newRow("out-of-range team or slot leaves no step")
        << u"a 2 3,a 25 0,a -1 0,s 9 5"_s << u"0 0 0"_s << u""_s << 0 << 0;
}

void TestGame::steps()
{
    QFETCH(QString, script);
    QFETCH(QString, scores);
    QFETCH(QString, marks);
    QFETCH(int, done);
    QFETCH(int, total);
    Game game(3);
    QVERIFY(runScript(game, script));
    QCOMPARE(joinedNumbers(game.scores()), scores);
    QCOMPARE(joinedNumbers(game.markedSlots()), marks);
    QCOMPARE(game.done(), done);
    QCOMPARE(game.steps().size(), total);
}

void TestGame::lastChange()
{
    Game game(2);
    QVERIFY(runScript(game, u"a 2 1"_s));
    QCOMPARE(described(game.lastChange()), u"1:+30"_s);
    QVERIFY(!game.lastChange().undone);
    QVERIFY(!game.setScore(1, 30).happened); // no change, no step, last change kept
    QCOMPARE(described(game.lastChange()), u"1:+30"_s);
    QVERIFY(runScript(game, u"s 0 12,z"_s));
    QCOMPARE(described(game.lastChange()), u"0:-12"_s);
    QVERIFY(game.lastChange().undone);
    QCOMPARE(game.lastChange().kind, GameStep::Kind::SetScore);
    QVERIFY(runScript(game, u"play 6,reset"_s));
    QCOMPARE(described(game.lastChange()), u"1:-30 6:off"_s);
    const GameChange back = game.undo();
    QCOMPARE(described(back), u"1:+30 6:on"_s);
    QVERIFY(!Game(2).undo().happened);
}

// Teams 0 and 1 press 5 ms apart; the window may handle them in either order.
void TestGame::race_data()
{
    QTest::addColumn<QList<int>>("teams"); // in the order the window handles them
    QTest::addColumn<QList<qint64>>("stamps");
    QTest::addColumn<QList<Press>>("results");
    QTest::addColumn<int>("winner");

    QTest::newRow("first handled first") << QList<int>{0, 1} << QList<qint64>{1000, 1005}
                                         << QList<Press>{Press::Booked, Press::Refused} << 0;
    QTest::newRow("first handled second") << QList<int>{0, 1} << QList<qint64>{1005, 1000}
                                          << QList<Press>{Press::Booked, Press::TookOver} << 1;
    QTest::newRow("same stamp keeps the first handled")
        << QList<int>{1, 0} << QList<qint64>{1000, 1000}
        << QList<Press>{Press::Booked, Press::Refused} << 1;
    QTest::newRow("three, the earliest last")
        << QList<int>{2, 1, 0} << QList<qint64>{1010, 1005, 1000}
        << QList<Press>{Press::Booked, Press::TookOver, Press::TookOver} << 0;
    QTest::newRow("before the song started") << QList<int>{0, 1} << QList<qint64>{499, 700}
                                             << QList<Press>{Press::Ignored, Press::Booked} << 1;
    QTest::newRow("no such team") << QList<int>{3, -1} << QList<qint64>{600, 601}
                                  << QList<Press>{Press::Ignored, Press::Ignored} << -1;
}

void TestGame::race()
{
    QFETCH(QList<int>, teams);
    QFETCH(QList<qint64>, stamps);
    QFETCH(QList<Press>, results);
    QFETCH(int, winner);
    BuzzerArbiter arbiter(3);
    QCOMPARE(arbiter.press(0, 600), Press::Ignored); // no song yet
    arbiter.songStarted(500);
    for (qsizetype i = 0; i < teams.size(); ++i)
        QCOMPARE(arbiter.press(teams.at(i), stamps.at(i)), results.at(i));
    QCOMPARE(arbiter.bookedTeam(), winner);
}

// A song with three teams: a wrong answer locks its team out and costs points only with the
// penalty on, a dropped booking locks nobody, a right answer ends the bookings, a new song
// opens every key again.
void TestGame::settlements()
{
    Game game(3);
    BuzzerArbiter arbiter(3);
    const int slot = 3; // 40 points
    arbiter.songStarted(0);
    QCOMPARE(arbiter.press(0, 100), Press::Booked);
    QCOMPARE(arbiter.press(1, 110), Press::Refused);
    game.buzzerWrong(slot, arbiter.wrong(200), true);
    QCOMPARE(arbiter.state(), BuzzerArbiter::State::Open);
    QVERIFY(arbiter.isLocked(0));
    QCOMPARE(arbiter.press(1, 150), Press::Ignored); // pressed while team 0 had it
    QCOMPARE(arbiter.press(0, 210), Press::Ignored);
    QCOMPARE(arbiter.press(1, 220), Press::Booked);
    game.buzzerWrong(slot, arbiter.wrong(300), false);
    QCOMPARE(arbiter.press(2, 310), Press::Booked);
    QCOMPARE(arbiter.drop(400), 2);
    QVERIFY(!arbiter.isLocked(2));
    QVERIFY(!arbiter.allLocked());
    QCOMPARE(arbiter.press(2, 410), Press::Booked);
    game.buzzerRight(slot, arbiter.right());
    QCOMPARE(arbiter.state(), BuzzerArbiter::State::Idle);
    QCOMPARE(arbiter.press(1, 500), Press::Ignored);
    QCOMPARE(arbiter.right(), -1);
    QCOMPARE(joinedNumbers(game.scores()), u"-40 0 40"_s);

    arbiter.songStarted(1000);
    QVERIFY(!arbiter.isLocked(0) && !arbiter.isLocked(1));
    QCOMPARE(arbiter.press(0, 1001), Press::Booked);
    QCOMPARE(arbiter.wrong(1002), 0);
    QCOMPARE(arbiter.press(1, 1003), Press::Booked);
    QCOMPARE(arbiter.wrong(1004), 1);
    QCOMPARE(arbiter.press(2, 1005), Press::Booked);
    QCOMPARE(arbiter.wrong(1006), 2);
    QVERIFY(arbiter.allLocked());
}

QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
