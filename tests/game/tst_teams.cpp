#include "board/boardkeys.h"
#include "game/team.h"
#include "game/teamsfile.h"
#include "player/logic/playerkeys.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Team)
Q_DECLARE_METATYPE(TeamProblem)

namespace {

Team team(const QString &name, const QString &colour = QStringLiteral("#FF0000"),
          const QString &key = {})
{
    return {name, colour, Teams::normalKey(key)};
}

QList<Team> eightTeams()
{
    QList<Team> teams;
    for (int i = 0; i < MaxTeams; ++i)
        teams.append(team(u"Squadra " + QString::number(i + 1), u"#10203" + QString::number(i),
                          QString::number(i + 1)));
    return teams;
}

} // namespace

class TestTeams : public QObject {
    Q_OBJECT

private slots:
    void check_data();
    void check();
    void reservedKeysAreTheBoardsAndThePlayers();
    void roundTrip_data();
    void roundTrip();
    void damagedLines_data();
    void damagedLines();
    void noTeamsNoFile();
};

void TestTeams::check_data()
{
    QTest::addColumn<Team>("candidate");
    QTest::addColumn<int>("index");
    QTest::addColumn<TeamProblem>("problem");

    // The others: Rossi (key A), Blu (no key).
    QTest::newRow("new team") << team(u"Verdi"_s, u"#00ff00"_s, u"b"_s) << 2 << TeamProblem::None;
    QTest::newRow("renaming keeps its own key")
        << team(u"Rossi 2"_s, u"#FF0000"_s, u"A"_s) << 0 << TeamProblem::None;
    QTest::newRow("own entry is not a duplicate")
        << team(u" rossi "_s, u"#ABCDEF"_s, u"a"_s) << 0 << TeamProblem::None;
    QTest::newRow("blank name") << team(u"   "_s) << 2 << TeamProblem::EmptyName;
    QTest::newRow("line break in name") << team(u"Ros\nsi"_s) << 2 << TeamProblem::BadName;
    QTest::newRow("same name other case") << team(u"BLU"_s) << 2 << TeamProblem::DuplicateName;
    QTest::newRow("colour without hash")
        << team(u"Verdi"_s, u"00FF00"_s) << 2 << TeamProblem::BadColour;
    QTest::newRow("colour not hex")
        << team(u"Verdi"_s, u"#00FG00"_s) << 2 << TeamProblem::BadColour;
    QTest::newRow("two letters") << team(u"Verdi"_s, u"#000000"_s, u"ab"_s) << 2
                                 << TeamProblem::BadKey;
    QTest::newRow("accented letter")
        << team(u"Verdi"_s, u"#000000"_s, u"è"_s) << 2 << TeamProblem::BadKey;
    QTest::newRow("M marks numbers")
        << team(u"Verdi"_s, u"#000000"_s, u"m"_s) << 2 << TeamProblem::ReservedKey;
    QTest::newRow("R is repeat") << team(u"Verdi"_s, u"#000000"_s, u"R"_s) << 2
                                 << TeamProblem::ReservedKey;
    QTest::newRow("key of another")
        << team(u"Verdi"_s, u"#000000"_s, u"a"_s) << 2 << TeamProblem::DuplicateKey;
    QTest::newRow("no key twice") << team(u"Verdi"_s) << 2 << TeamProblem::None;
    QTest::newRow("a ninth team") << team(u"Verdi"_s) << 8 << TeamProblem::TooMany;
}

void TestTeams::check()
{
    QFETCH(Team, candidate);
    QFETCH(int, index);
    QFETCH(TeamProblem, problem);
    const QList<Team> teams{team(u"Rossi"_s, u"#FF0000"_s, u"A"_s), team(u"Blu"_s)};
    QCOMPARE(Teams::check(teams, candidate, index), problem);
}

// A team key must never be one the board or the playback window acts on by itself, or a
// buzzer press would also mark a number or mute the song.
void TestTeams::reservedKeysAreTheBoardsAndThePlayers()
{
    QList<int> keys;
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        keys.append(k);
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        keys.append(k);
    for (const int key : keys) {
        BoardKeys board;
        const bool boardUses = board.press(key, Qt::NoModifier, false, false, {}).kind !=
                               BoardKeys::Outcome::Kind::None;
        const bool playerUses =
            PlayerKeys::action(key, Qt::NoModifier, false, MediaPlayer::PlayState::Playing) !=
                PlayerKeys::Action::None ||
            PlayerKeys::action(key, Qt::NoModifier, false, MediaPlayer::PlayState::Paused) !=
                PlayerKeys::Action::None;
        const QChar stored = Teams::keyFromQtKey(key);
        QVERIFY(!stored.isNull());
        QVERIFY2(Teams::isReservedKey(stored) == (boardUses || playerUses),
                 qPrintable(QString(stored)));
    }
    QVERIFY(Teams::keyFromQtKey(Qt::Key_Return).isNull());
}

void TestTeams::roundTrip_data()
{
    QTest::addColumn<QList<Team>>("teams");
    QTest::addColumn<QByteArray>("bytes"); // empty: not compared

    QTest::newRow("one team, no key")
        << QList<Team>{team(u"Rossi"_s, u"#ff0000"_s)} << QByteArray("1=Rossi;#FF0000;\r\n");
    QTest::newRow("semicolon and equals in names")
        << QList<Team>{team(u"A;B"_s, u"#000001"_s, u"1"_s),
                       team(u"x=y;#FFFFFF;Z"_s, u"#000002"_s, u"z"_s), team(u";"_s)}
        << QByteArray("1=A;B;#000001;1\r\n2=x=y;#FFFFFF;Z;#000002;Z\r\n3=;;#FF0000;\r\n");
    QTest::newRow("accents") << QList<Team>{team(u"Perché sì"_s, u"#123456"_s, u"q"_s)}
                             << QByteArray("1=Perch\xc3\xa9 s\xc3\xac;#123456;Q\r\n");
    QTest::newRow("eight teams") << eightTeams() << QByteArray();
}

void TestTeams::roundTrip()
{
    QFETCH(QList<Team>, teams);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto written = TeamsFile::write(dir.path(), teams);
    QVERIFY2(written.ok, qPrintable(written.error));
    if (!bytes.isEmpty())
        QCOMPARE(readBytes(dir.filePath(u"Squadre.ini"_s)), bytes);
    const TeamsFile::Contents read = TeamsFile::read(dir.path());
    QVERIFY(read.skipped.isEmpty());
    QCOMPARE(read.teams.size(), teams.size());
    for (qsizetype i = 0; i < teams.size(); ++i) {
        QCOMPARE(read.teams.at(i).name, teams.at(i).name);
        QCOMPARE(read.teams.at(i).colour, teams.at(i).colour.toUpper());
        QCOMPARE(read.teams.at(i).key, teams.at(i).key);
    }
}

void TestTeams::damagedLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("skippedLines");
    QTest::addColumn<QList<TeamProblem>>("problems"); // None for a line without the team form

    QTest::newRow("order by number, blank lines mean nothing")
        << QByteArray("2=Blu;#0000FF;B\r\n\r\n1=Rossi;#FF0000;A\r\n")
        << QStringList{u"Rossi"_s, u"Blu"_s} << QList<int>{} << QList<TeamProblem>{};
    QTest::newRow("lines without the team form")
        << QByteArray("Rossi\r\nx=Rossi;#FF0000;\r\n0=Rossi;#FF0000;\r\n1=Rossi;#FF0000\r\n"
                      "1=Blu;#0000FF;\r\n")
        << QStringList{u"Blu"_s} << QList<int>{1, 2, 3, 4}
        << QList<TeamProblem>(4, TeamProblem::None);
    QTest::newRow("a repeated number keeps the first")
        << QByteArray("1=Rossi;#FF0000;\r\n1=Blu;#0000FF;\r\n") << QStringList{u"Rossi"_s}
        << QList<int>{2} << QList<TeamProblem>{TeamProblem::None};
    QTest::newRow("broken rules skip the later team")
        << QByteArray("1=Rossi;#FF0000;A\r\n2=rossi;#00FF00;\r\n3=Blu;#0000FF;a\r\n"
                      "4=Verdi;verde;\r\n5=Gialli;#FFFF00;M\r\n6=Neri;#000000;\r\n")
        << QStringList{u"Rossi"_s, u"Neri"_s} << QList<int>{2, 3, 4, 5}
        << QList<TeamProblem>{TeamProblem::DuplicateName, TeamProblem::DuplicateKey,
                              TeamProblem::BadColour, TeamProblem::ReservedKey};
    QByteArray nine;
    for (int i = 1; i <= 9; ++i)
        nine += QByteArray::number(i) + "=S" + QByteArray::number(i) + ";#000000;\r\n";
    QTest::newRow("a ninth team") << nine << QStringList{u"S1"_s, u"S2"_s, u"S3"_s, u"S4"_s,
                                                         u"S5"_s, u"S6"_s, u"S7"_s, u"S8"_s}
                                  << QList<int>{9} << QList<TeamProblem>{TeamProblem::TooMany};
}

void TestTeams::damagedLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, skippedLines);
    QFETCH(QList<TeamProblem>, problems);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writeBytes(dir.filePath(u"squadre.INI"_s), bytes));
    const TeamsFile::Contents read = TeamsFile::read(dir.path());
    QStringList readNames;
    for (const Team &t : read.teams)
        readNames.append(t.name);
    QCOMPARE(readNames, names);
    QList<int> lines;
    QList<TeamProblem> readProblems;
    for (const TeamsFile::Skipped &s : read.skipped) {
        lines.append(s.lineNumber);
        readProblems.append(s.problem);
    }
    QCOMPARE(lines, skippedLines);
    QCOMPARE(readProblems, problems);
}

void TestTeams::noTeamsNoFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(TeamsFile::write(dir.path(), {team(u"Rossi"_s)}).ok);
    // A list that breaks a rule leaves the file as it was.
    const QByteArray before = readBytes(dir.filePath(u"Squadre.ini"_s));
    QVERIFY(!TeamsFile::write(dir.path(), {team(u"A"_s), team(u"a"_s)}).ok);
    QCOMPARE(readBytes(dir.filePath(u"Squadre.ini"_s)), before);
    QVERIFY(TeamsFile::write(dir.path(), {}).ok);
    QVERIFY(!QFile::exists(dir.filePath(u"Squadre.ini"_s)));
    QVERIFY(TeamsFile::read(dir.path()).teams.isEmpty());
}

QTEST_GUILESS_MAIN(TestTeams)
#include "tst_teams.moc"
