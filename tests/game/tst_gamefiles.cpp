#include "game/scoresfile.h"
#include "game/standings.h"
#include "tests/core/testfiles.h"
#include "tests/game/gamescript.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ScoresFile::LoadState)

namespace {

const QList<Team> ThreeTeams{{u"Rossi"_s, u"#FF0000"_s, u'A'},
                             {u"Blu"_s, u"#0000FF"_s, u'B'},
                             {u"Verdi; e=basta"_s, u"#00FF00"_s, {}}};

} // namespace

class TestGameFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void restoreAfterCrash_data();
    void restoreAfterCrash();
    void damaged_data();
    void damaged();
    void standings();
    void noTeamsNoFiles();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestGameFiles::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestGameFiles::restoreAfterCrash_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("kept"); // whether Punteggi.sav is there after the script

    QTest::newRow("awards") << u"a 2 0,p 5 1,ok 4 2"_s << true;
    QTest::newRow("with a redo tail") << u"a 2 0,s 1 -15,m 8,no! 3 2,z,z"_s << true;
    QTest::newRow("everything undone") << u"a 2 0,z"_s << true;
    QTest::newRow("reset removes the file") << u"a 2 0,m 4,reset"_s << false;
    QTest::newRow("undone reset writes it again") << u"a 2 0,m 4,reset,z"_s << true;
    QTest::newRow("a step after a reset") << u"a 2 0,reset,a 4 1"_s << true;
}

// The game is stored after every step, as the board does; a crash then loses nothing: a new
// run reads it back with the marks of the restore file, and undo and redo go on as before.
void TestGameFiles::restoreAfterCrash()
{
    QFETCH(QString, script);
    QFETCH(bool, kept);
    Game game(3);
    for (const QString &command : script.split(u',')) {
        QVERIFY(runScript(game, command));
        const auto stored = ScoresFile::store(m_dir->path(), game);
        QVERIFY2(stored.ok, qPrintable(stored.error));
    }
    QCOMPARE(QFile::exists(file(u"Punteggi.sav"_s)), kept);
    if (!kept)
        return;
    const ScoresFile::Loaded loaded = ScoresFile::load(m_dir->path(), 3, game.markedSlots());
    QCOMPARE(loaded.state, ScoresFile::LoadState::Restored);
    Game back = loaded.game;
    QCOMPARE(back.scores(), game.scores());
    QCOMPARE(back.steps(), game.steps());
    QCOMPARE(back.done(), game.done());
    while (game.canUndo()) {
        QCOMPARE(back.undo().scores, game.undo().scores);
        QCOMPARE(back.markedSlots(), game.markedSlots());
    }
    while (game.canRedo()) {
        QCOMPARE(back.redo().marks, game.redo().marks);
        QCOMPARE(back.scores(), game.scores());
    }
    QVERIFY(!back.canRedo());
}

void TestGameFiles::damaged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ScoresFile::LoadState>("state");

    const QByteArray head = "squadre=2\r\npunti=30;0\r\nfatti=1\r\n";
    QTest::newRow("sound") << head + "passo=premio;2;0;30;0;;\r\n"
                           << ScoresFile::LoadState::Restored;
    QTest::newRow("other team count")
        << "squadre=3\r\npunti=0;0;0\r\nfatti=0\r\n"_ba << ScoresFile::LoadState::OtherTeams;
    QTest::newRow("not ours") << "\x00\x01garbage\xff"_ba << ScoresFile::LoadState::Damaged;
    QTest::newRow("empty") << ""_ba << ScoresFile::LoadState::Damaged;
    QTest::newRow("scores short of a team")
        << "squadre=2\r\npunti=30\r\nfatti=0\r\n"_ba << ScoresFile::LoadState::Damaged;
    QTest::newRow("more done than steps") << head << ScoresFile::LoadState::Damaged;
    QTest::newRow("unknown step") << head + "passo=regalo;2;0;30;0;;\r\n"
                                  << ScoresFile::LoadState::Damaged;
    QTest::newRow("team out of range") << head + "passo=premio;2;2;30;0;;\r\n"
                                       << ScoresFile::LoadState::Damaged;
    QTest::newRow("slot out of range") << head + "passo=segno;25;-1;0;0;;\r\n"
                                       << ScoresFile::LoadState::Damaged;
    QTest::newRow("cut short") << head + "passo=premio;2;0;3" << ScoresFile::LoadState::Damaged;
    QTest::newRow("absurd score") << "squadre=1\r\npunti=99999999999\r\nfatti=0\r\n"_ba
                                  << ScoresFile::LoadState::Damaged;
}

// A damaged file is left aside with a word; the program goes on with a fresh game.
void TestGameFiles::damaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ScoresFile::LoadState, state);
    QVERIFY(writeBytes(file(u"Punteggi.sav"_s), bytes));
    const ScoresFile::Loaded loaded = ScoresFile::load(m_dir->path(), 2, {});
    QCOMPARE(loaded.state, state);
    QCOMPARE(loaded.message.isEmpty(), state == ScoresFile::LoadState::Restored);
    if (state != ScoresFile::LoadState::Restored)
        QCOMPARE(loaded.game.steps().size(), 0);
}

void TestGameFiles::standings()
{
    const QDateTime first(QDate(2026, 12, 10), QTime(21, 5));
    QVERIFY(writeBytes(file(u"Classifiche.txt"_s), "Partita vecchia\r\n1. X: 5 punti"));
    QVERIFY(writeBytes(file(u"Punteggi.sav"_s), "x"));

    Game game(3);
    QVERIFY(runScript(game, u"a 0 0,a 2 2,a 0 1,p 4 1,s 1 1"_s)); // 10, 1, 30
    QVERIFY(Standings::finish(m_dir->path(), ThreeTeams, game, first).ok);
    QVERIFY(!QFile::exists(file(u"Punteggi.sav"_s)));

    Game tie(3);
    QVERIFY(runScript(tie, u"a 1 1,a 1 2,a 0 0"_s)); // 10, 20, 20
    QVERIFY(Standings::finish(m_dir->path(), ThreeTeams, tie, first.addDays(1)).ok);
    // A game without scores adds nothing.
    QVERIFY(Standings::finish(m_dir->path(), ThreeTeams, Game(3), first).ok);

    QCOMPARE(readBytes(file(u"Classifiche.txt"_s)),
             "Partita vecchia\r\n1. X: 5 punti\r\n"
             "Partita del 10/12/2026 alle 21:05\r\n1. Verdi; e=basta: 30 punti\r\n"
             "2. Rossi: 10 punti\r\n3. Blu: 1 punto\r\n\r\n"
             "Partita del 11/12/2026 alle 21:05\r\n1. Blu: 20 punti\r\n"
             "1. Verdi; e=basta: 20 punti\r\n3. Rossi: 10 punti\r\n\r\n"_ba);

    // Standings that cannot be written keep Punteggi.sav for the next start.
    QVERIFY(QFile::remove(file(u"Classifiche.txt"_s)));
    QVERIFY(QDir().mkdir(file(u"Classifiche.txt"_s)));
    QVERIFY(ScoresFile::store(m_dir->path(), game).ok);
    QVERIFY(!Standings::finish(m_dir->path(), ThreeTeams, game, first).ok);
    QVERIFY(QFile::exists(file(u"Punteggi.sav"_s)));
}

// Without teams the program folder looks as it always did.
void TestGameFiles::noTeamsNoFiles()
{
    Game game(0);
    QVERIFY(runScript(game, u"play 3,m 4,reset,z"_s));
    QVERIFY(ScoresFile::store(m_dir->path(), game).ok);
    QVERIFY(Standings::finish(m_dir->path(), {}, game, QDateTime::currentDateTime()).ok);
    QCOMPARE(folderEntries(m_dir->path()), QStringList());
}

QTEST_GUILESS_MAIN(TestGameFiles)
#include "tst_gamefiles.moc"
