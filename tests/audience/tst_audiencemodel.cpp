#include "audience/model/audiencemodel.h"
#include "audience/model/songreveal.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TstAudienceModel : public QObject {
    Q_OBJECT

private slots:
    void numberNames_data();
    void numberNames();
    void teams_data();
    void teams();
    void reveal_data();
    void reveal();
};

void TstAudienceModel::numberNames_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("free");
    QTest::addColumn<QString>("played");
    QTest::newRow("first") << 0 << u"Spot 10"_s << u"Spot 10, giocato"_s;
    QTest::newRow("row end") << 14 << u"Colonne Sonore 50"_s << u"Colonne Sonore 50, giocato"_s;
    QTest::newRow("last") << 24 << u"Scelte dagli Educatori 50"_s
                          << u"Scelte dagli Educatori 50, giocato"_s;
    QTest::newRow("past the board") << 25 << QString() << QString();
    QTest::newRow("negative") << -1 << QString() << QString();
}

// The name follows the mark the model holds, and a slot off the board marks nothing.
void TstAudienceModel::numberNames()
{
    QFETCH(int, slot);
    QFETCH(QString, free);
    QFETCH(QString, played);
    AudienceModel model;
    QSignalSpy changed(&model, &AudienceModel::changed);
    QCOMPARE(AudienceModel::numberName(slot, model.isPlayed(slot)), free);
    model.setPlayed(slot, true);
    QCOMPARE(AudienceModel::numberName(slot, model.isPlayed(slot)), played);
    QCOMPARE(changed.size(), free.isEmpty() ? 0 : 1);
    model.clearPlayed();
    QCOMPARE(model.isPlayed(slot), false);
}

void TstAudienceModel::teams_data()
{
    QTest::addColumn<QList<int>>("scores");
    QTest::addColumn<int>("book");
    QTest::addColumn<int>("teamsAfter"); // the list cut to this many teams after booking
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("booked");

    const QStringList both{u"Rossi: 30 punti"_s, u"Blu: -10 punti"_s};
    QTest::newRow("booked") << QList<int>{30, -10} << 1 << 2 << both << u"Prenotata: Blu"_s;
    QTest::newRow("none") << QList<int>{30, -10} << -1 << 2 << both << QString();
    QTest::newRow("off the list") << QList<int>{30, -10} << 2 << 2 << both << QString();
    QTest::newRow("missing score is 0")
        << QList<int>{5} << 0 << 2 << QStringList{u"Rossi: 5 punti"_s, u"Blu: 0 punti"_s}
        << u"Prenotata: Rossi"_s;
    QTest::newRow("booked team removed")
        << QList<int>{30, -10} << 1 << 1 << QStringList{u"Rossi: 30 punti"_s} << QString();
}

void TstAudienceModel::teams()
{
    QFETCH(QList<int>, scores);
    QFETCH(int, book);
    QFETCH(int, teamsAfter);
    QFETCH(QStringList, names);
    QFETCH(QString, booked);
    const QList<Team> teams{{u"Rossi"_s, u"#FF0000"_s, u'R'}, {u"Blu"_s, u"#0000FF"_s, u'B'}};
    AudienceModel model;
    model.setTeams(teams);
    model.setScores(scores);
    model.setBooked(book);
    model.setTeams(teams.first(teamsAfter));
    QStringList shown;
    for (int team = 0; team < model.teamCount(); ++team)
        shown << model.scoreName(team);
    QCOMPARE(shown, names);
    QCOMPARE(model.bookedName(), booked);
}

void TstAudienceModel::reveal_data()
{
    // Steps: "play" (a number is played), "reveal", "read N TEXT" (the title of ticket N).
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("shown");
    QTest::newRow("title read, not revealed")
        << QStringList{u"play"_s, u"read 1 Nel blu"_s} << QString();
    QTest::newRow("revealed") << QStringList{u"play"_s, u"read 1 Nel blu"_s, u"reveal"_s}
                              << u"Nel blu"_s;
    QTest::newRow("revealed before the title is read")
        << QStringList{u"play"_s, u"reveal"_s, u"read 1 Nel blu"_s} << u"Nel blu"_s;
    QTest::newRow("next number hides it")
        << QStringList{u"play"_s, u"read 1 Nel blu"_s, u"reveal"_s, u"play"_s} << QString();
    QTest::newRow("reveal is for one song only")
        << QStringList{u"play"_s, u"reveal"_s, u"read 1 A"_s, u"play"_s, u"read 2 B"_s}
        << QString();
    QTest::newRow("an older song's title is dropped")
        << QStringList{u"play"_s, u"play"_s, u"read 1 Vecchio"_s, u"reveal"_s} << QString();
    QTest::newRow("the newer title still comes")
        << QStringList{u"play"_s, u"play"_s, u"read 1 Vecchio"_s, u"reveal"_s, u"read 2 Nuovo"_s}
        << u"Nuovo"_s;
    QTest::newRow("nothing played yet")
        << QStringList{u"reveal"_s, u"read 0 Niente"_s} << QString();
}

void TstAudienceModel::reveal()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, shown);
    AudienceModel model;
    SongReveal songs(model);
    for (const QString &step : std::as_const(steps)) {
        if (step == u"play")
            songs.songStarted();
        else if (step == u"reveal")
            songs.reveal();
        else
            songs.titleRead(step.section(u' ', 1, 1).toInt(), step.section(u' ', 2));
    }
    QCOMPARE(model.revealed(), shown);
}

QTEST_GUILESS_MAIN(TstAudienceModel)
#include "tst_audiencemodel.moc"
