#include "options/teams/teamseditor.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTeamsEditor : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file() const { return m_dir.path() + u"/Squadre.ini"_s; }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QFile::remove(file());
        QDir(file()).removeRecursively();
    }

    // Damaged lines are named with their number and why; the good ones load in their order.
    void loadSaysWhatItLeftOut()
    {
        QVERIFY(writeBytes(file(), "2=Blu;#0000FF;\r\nrumore\r\n1=Rossi;#ff0000;a\r\n"
                                   "3=Verdi;#00FF00;m\r\n2=Gialli;#FFFF00;\r\n4=Viola;rosso;\r\n"
                                   "5=rossi;#00FF00;\r\n6=Neri;#000000;A\r\n"));
        TeamsEditor editor;
        const QStringList words = editor.load(m_dir.path());
        QCOMPARE(words,
                 QStringList({u"Squadre.ini, riga 2 ignorata (non è nella forma "
                              u"N=NOME;#RRGGBB;TASTO): rumore"_s,
                              u"Squadre.ini, riga 4 ignorata (il tasto è già usato dal tabellone "
                              u"o dalla finestra di riproduzione): 3=Verdi;#00FF00;m"_s,
                              u"Squadre.ini, riga 5 ignorata (il suo numero è già in una riga "
                              u"precedente): 2=Gialli;#FFFF00;"_s,
                              u"Squadre.ini, riga 6 ignorata (il colore non è nella forma "
                              u"#RRGGBB): 4=Viola;rosso;"_s,
                              u"Squadre.ini, riga 7 ignorata (il nome è già di un'altra "
                              u"squadra): 5=rossi;#00FF00;"_s,
                              u"Squadre.ini, riga 8 ignorata (il tasto è già di un'altra "
                              u"squadra): 6=Neri;#000000;A"_s}));
        QCOMPARE(editor.teams().size(), 2);
        QCOMPARE(editor.teams().at(0), (Team{u"Rossi"_s, u"#FF0000"_s, u'A'}));
        QCOMPARE(editor.teams().at(1).name, u"Blu"_s);
        QVERIFY(editor.isEditable());
        QVERIFY(!editor.isModified());
        // Nothing changed: the hand-written file, damaged lines and all, stays as it is.
        const QByteArray before = readBytes(file());
        QVERIFY(editor.apply(m_dir.path()).ok);
        QCOMPARE(readBytes(file()), before);
    }

    // A refused edit names the problem and leaves the list as it was.
    void refusedEdits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("problem");
        QTest::newRow("key of the board") << u"Rossi"_s << u"M"_s << int(TeamProblem::ReservedKey);
        QTest::newRow("name of the other team, other case")
            << u" squadra 2 "_s << u""_s << int(TeamProblem::DuplicateName);
        QTest::newRow("taken") << u" Rossi "_s << u"a"_s << int(TeamProblem::None);
    }

    void refusedEdits()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(int, problem);
        TeamsEditor editor;
        QVERIFY(editor.load(m_dir.path()).isEmpty());
        QCOMPARE(editor.add(), TeamProblem::None);
        QCOMPARE(editor.add(), TeamProblem::None);
        const QList<Team> before = editor.teams();
        Team team = before.at(0);
        team.name = name;
        team.key = Teams::normalKey(key);
        QCOMPARE(int(editor.replace(0, team)), problem);
        if (problem == int(TeamProblem::None))
            QCOMPARE(editor.teams().at(0), (Team{u"Rossi"_s, before.at(0).colour, u'A'}));
        else
            QCOMPARE(editor.teams(), before);
    }

    // New teams take the first free name and an unused colour; the ninth is refused.
    void addUpToEight()
    {
        TeamsEditor editor;
        QVERIFY(editor.load(m_dir.path()).isEmpty());
        QCOMPARE(editor.add(), TeamProblem::None);
        QVERIFY(editor.replace(0, {u"Squadra 2"_s, TeamsEditor::palette().at(1), {}}) ==
                TeamProblem::None);
        for (int i = 1; i < MaxTeams; ++i)
            QCOMPARE(editor.add(), TeamProblem::None);
        QCOMPARE(editor.add(), TeamProblem::TooMany);
        QCOMPARE(editor.teams().size(), MaxTeams);
        QCOMPARE(editor.teams().at(1).name, u"Squadra 3"_s);
        QCOMPARE(editor.teams().at(1).colour, TeamsEditor::palette().at(0));
        QCOMPARE(editor.teams().at(2).colour, TeamsEditor::palette().at(2));
        QCOMPARE(Teams::checkAll(editor.teams()).problem, TeamProblem::None);
    }

    // Moving past either end does nothing; apply writes the new order, and removing every team
    // removes the file.
    void moveApplyRemove()
    {
        QVERIFY(writeBytes(file(), "1=Rossi;#FF0000;A\r\n2=Blu;#0000FF;\r\n"));
        TeamsEditor editor;
        QVERIFY(editor.load(m_dir.path()).isEmpty());
        QVERIFY(!editor.move(0, -1));
        QVERIFY(!editor.move(1, 1));
        QVERIFY(!editor.isModified());
        QVERIFY(editor.move(1, -1));
        QVERIFY(editor.isModified());
        QVERIFY(editor.apply(m_dir.path()).ok);
        QVERIFY(!editor.isModified());
        QCOMPARE(readBytes(file()), QByteArray("1=Blu;#0000FF;\r\n2=Rossi;#FF0000;A\r\n"));
        editor.remove(0);
        editor.remove(0);
        QVERIFY(editor.apply(m_dir.path()).ok);
        QVERIFY(!QFileInfo::exists(file()));
    }

    // A file there but too large to read is neither edited nor written over.
    void unreadableFileIsLeftAlone()
    {
        const QByteArray big =
            "1=Rossi;#FF0000;A\r\n" + QByteArray(int(TextFile::MaxDataFileBytes), '#');
        QVERIFY(writeBytes(file(), big));
        TeamsEditor editor;
        const QStringList words = editor.load(m_dir.path());
        QCOMPARE(words.size(), 1);
        QVERIFY(words.first().startsWith(u"Impossibile leggere Squadre.ini: "_s));
        QVERIFY(!editor.isEditable());
        (void)editor.add();
        QVERIFY(editor.teams().isEmpty());
        QVERIFY(!editor.isModified());
        QVERIFY(editor.apply(m_dir.path()).ok);
        QCOMPARE(readBytes(file()), big);
    }
};

QTEST_GUILESS_MAIN(TestTeamsEditor)
#include "tst_teamseditor.moc"
