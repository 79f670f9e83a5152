#include "board/principale.h"
#include "core/appstate.h"
#include "game/team.h"
#include "tests/board/recordingpeers.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

// The board with teams: the score strip, the teams' keys, undo and redo, and the game's files.
class TestBoardGame : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<RecordingPeers> m_peers;
    std::unique_ptr<ScriptedQuestions> m_questions;
    std::unique_ptr<Principale> m_board;

    QString file(const QString &name) const { return m_dir->filePath(name); }
    QWidget *child(const QString &name) const { return m_board->findChild<QWidget *>(name); }
    QString scoreName(int team) const
    {
        QWidget *cell = child(u"Squadra_%1"_s.arg(team + 1));
        return cell ? cell->accessibleName() : u"(none)"_s;
    }
    QString flash() const { return qobject_cast<QLabel *>(child(u"UltimoPunteggio"_s))->text(); }
    bool marked(int slot) const { return m_board->isPlayed(slot / 5, slot % 5); }

    void makeBoard(bool teams)
    {
        m_board.reset();
        if (teams)
            QVERIFY(writeBytes(file(u"Squadre.ini"_s), "1=Rossi;#E02020;A\r\n2=Blu;#2050FF;B\r\n"));
        m_board = std::make_unique<Principale>(*m_state, *m_peers, *m_questions);
        m_board->load();
        m_board->showBoard();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
        QTest::qWait(50);
    }

    // One presenter's action: "play 2" left click on slot 2, "mark 7" right click on slot 7,
    // "A" / "+A" a team's key without / with Shift, "click 1" / "rclick 1" on a team's score,
    // "z" / "y" Ctrl+Z / Ctrl+Y, "reset".
    void act(const QString &command)
    {
        const QStringList w = command.split(u' ');
        const int n = w.value(1).toInt();
        QWidget *window = m_board.get();
        if (w[0] == u"play" || w[0] == u"mark") {
            QTest::mouseClick(m_board->number(n / 5, n % 5),
                              w[0] == u"play" ? Qt::LeftButton : Qt::RightButton);
        } else if (w[0] == u"click" || w[0] == u"rclick") {
            QTest::mouseClick(child(u"Squadra_%1"_s.arg(n + 1)),
                              w[0] == u"click" ? Qt::LeftButton : Qt::RightButton);
            // A left click counts once the double-click time is over.
            QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        } else if (w[0] == u"z" || w[0] == u"y") {
            QTest::keyClick(window, w[0] == u"z" ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        } else if (w[0] == u"reset") {
            QTest::mouseClick(m_board->findChild<QPushButton *>(u"Reset"_s), Qt::LeftButton);
        } else {
            const bool shift = w[0].startsWith(u'+');
            QTest::keyClick(window, Qt::Key(Qt::Key_A + w[0].back().unicode() - u'A'),
                            shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_state = std::make_unique<AppState>();
        m_state->Path = m_dir->path();
        m_peers = std::make_unique<RecordingPeers>();
        m_questions = std::make_unique<ScriptedQuestions>();
    }

    void cleanup()
    {
        m_board.reset();
        m_dir.reset();
    }

    // The strip takes the exit button's room; the picture, the numbers and Reset stay.
    void stripMovesOnlyTheExitButton()
    {
        makeBoard(false);
        QVERIFY(!child(u"Punteggi"_s));
        const auto geometryOf = [this](const QString &name) { return child(name)->geometry(); };
        const QStringList kept{u"Tabella"_s, u"Reset"_s, u"spot_0"_s, u"Ballo_4"_s};
        QList<QRect> before;
        for (const QString &name : kept)
            before.append(geometryOf(name));
        const QRect exitBefore = geometryOf(u"btnEsci"_s);
        makeBoard(true);
        for (qsizetype i = 0; i < kept.size(); ++i)
            QCOMPARE(geometryOf(kept[i]), before[i]);
        const QRect strip = geometryOf(u"Punteggi"_s);
        const QRect exit = geometryOf(u"btnEsci"_s);
        QVERIFY(child(u"Punteggi"_s)->isVisible());
        QCOMPARE(exit.top(), exitBefore.top());
        QCOMPARE(exit.width(), geometryOf(u"Reset"_s).width());
        QVERIFY(strip.top() > geometryOf(u"Tabella"_s).bottom());
        QVERIFY(strip.right() < exit.left());
        QVERIFY(strip.bottom() < m_board->height());
        QVERIFY(strip.height() >= 60);
    }

    void steps_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("rossi");
        QTest::addColumn<QString>("blu");
        QTest::addColumn<QString>("flashed");
        QTest::addColumn<QList<int>>("marks");
        QTest::addColumn<bool>("scoresKept"); // Punteggi.sav is there

        QTest::newRow("key awards the number played") << "play 2,A"
                                                      << "30"
                                                      << "0"
                                                      << "+30 Rossi" << QList<int>{2} << true;
        QTest::newRow("shift and key take") << "play 4,+B"
                                            << "0"
                                            << "-50"
                                            << "-50 Blu" << QList<int>{4} << true;
        QTest::newRow("clicks on the scores") << "play 0,click 1,rclick 0"
                                              << "-10"
                                              << "10"
                                              << "-10 Rossi" << QList<int>{0} << true;
        QTest::newRow("no number played yet") << "A"
                                              << "0"
                                              << "0"
                                              << "Nessun numero giocato" << QList<int>{} << false;
        QTest::newRow("undo and redo") << "play 2,A,play 3,B,z,z,y"
                                       << "30"
                                       << "0"
                                       << "+30 Rossi" << QList<int>{2, 3} << true;
        QTest::newRow("undo a mark by hand") << "mark 7,mark 8,z"
                                             << "0"
                                             << "0"
                                             << "" << QList<int>{7} << true;
        QTest::newRow("reset") << "play 2,A,mark 7,reset"
                               << "0"
                               << "0"
                               << "-30 Rossi" << QList<int>{} << false;
        QTest::newRow("reset undone") << "play 2,A,mark 7,reset,z"
                                      << "30"
                                      << "0"
                                      << "+30 Rossi" << QList<int>{2, 7} << true;
    }

    // Each row's file check reads Ripristino.sav back through a new board, as after a crash.
    void steps()
    {
        QFETCH(QString, script);
        QFETCH(QString, rossi);
        QFETCH(QString, blu);
        QFETCH(QString, flashed);
        QFETCH(QList<int>, marks);
        QFETCH(bool, scoresKept);
        makeBoard(true);
        for (const QString &command : script.split(u','))
            act(command);
        QCOMPARE(scoreName(0), u"Rossi: %1 punti"_s.arg(rossi));
        QCOMPARE(scoreName(1), u"Blu: %1 punti"_s.arg(blu));
        QCOMPARE(flash(), flashed);
        QCOMPARE(QFile::exists(file(u"Punteggi.sav"_s)), scoresKept);

        makeBoard(true);
        QList<int> restored;
        for (int slot = 0; slot < 25; ++slot) {
            if (marked(slot))
                restored.append(slot);
        }
        QCOMPARE(restored, marks);
        QCOMPARE(scoreName(0), u"Rossi: %1 punti"_s.arg(rossi));
        QCOMPARE(scoreName(1), u"Blu: %1 punti"_s.arg(blu));
        QVERIFY(m_questions->asked.isEmpty());
    }

    void doubleClickSetsByHand()
    {
        makeBoard(true);
        m_questions->numbers = {75};
        QTest::mouseDClick(child(u"Squadra_2"_s), Qt::LeftButton);
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(scoreName(1), u"Blu: 75 punti"_s);
        QCOMPARE(scoreName(0), u"Rossi: 0 punti"_s);
        QCOMPARE(m_questions->asked.size(), 1);
        QCOMPARE(m_questions->asked[0].text, u"Punteggio di Blu"_s);
        // A cancelled box changes nothing.
        QTest::mouseDClick(child(u"Squadra_2"_s), Qt::LeftButton);
        QTest::qWait(QApplication::styleHints()->mouseDoubleClickInterval() + 100);
        QCOMPARE(scoreName(1), u"Blu: 75 punti"_s);
        act(u"z"_s);
        QCOMPARE(scoreName(1), u"Blu: 0 punti"_s);
    }

    // The options window applies teams while the board runs.
    void teamsFromTheOptions()
    {
        makeBoard(true);
        act(u"play 2"_s);
        act(u"A"_s);
        const QList<Team> renamed{{u"Rossa"_s, u"#E02020"_s, u'Q'}, {u"Blu"_s, u"#2050FF"_s, u'B'}};
        m_board->setTeams(renamed);
        QCOMPARE(scoreName(0), u"Rossa: 30 punti"_s);
        act(u"Q"_s);
        QCOMPARE(scoreName(0), u"Rossa: 60 punti"_s);
        QVERIFY(child(u"Punteggi"_s)->isVisible());

        // Another number of teams: the game so far is a finished one, the marks stay.
        m_board->setTeams(renamed + QList<Team>{{u"Verdi"_s, u"#20A040"_s, u'C'}});
        QCOMPARE(scoreName(0), u"Rossa: 0 punti"_s);
        QCOMPARE(scoreName(2), u"Verdi: 0 punti"_s);
        QVERIFY(marked(2));
        const QString standing = QString::fromUtf8(readBytes(file(u"Classifiche.txt"_s)));
        QVERIFY2(standing.endsWith(u"\r\n1. Rossa: 60 punti\r\n2. Blu: 0 punti\r\n\r\n"_s),
                 qPrintable(standing));

        const int exitWithStrip = child(u"btnEsci"_s)->width();
        m_board->setTeams({});
        QVERIFY(!child(u"Punteggi"_s));
        QVERIFY(child(u"btnEsci"_s)->width() > 2 * exitWithStrip);
        QVERIFY(!QFile::exists(file(u"Punteggi.sav"_s)));
        act(u"A"_s);
        QVERIFY(marked(2));
        QCOMPARE(QString::fromUtf8(readBytes(file(u"Classifiche.txt"_s))), standing);
    }

    void normalEndKeepsTheStanding()
    {
        makeBoard(true);
        act(u"play 3"_s);
        act(u"B"_s);
        m_board->close();
        QVERIFY(!QFile::exists(file(u"Punteggi.sav"_s)));
        const QString standing = QString::fromUtf8(readBytes(file(u"Classifiche.txt"_s)));
        QVERIFY2(standing.startsWith(u"Partita del "_s), qPrintable(standing));
        QVERIFY2(standing.endsWith(u"\r\n1. Blu: 40 punti\r\n2. Rossi: 0 punti\r\n\r\n"_s),
                 qPrintable(standing));
    }
};

QTEST_MAIN(TestBoardGame)
#include "tst_boardgame.moc"
