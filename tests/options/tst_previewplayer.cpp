#include "options/songs/previewplayer.h"
#include "platform/qtmediaplayer.h"
#include "tests/fakes/fakemediaplayer.h"
#include "tests/fakes/soundserver.h"
#include "tests/fakes/tonefiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Idle = u"In Riproduzione:"_s;

} // namespace

// The preview on a fake player: the captions tick by tick, the reactions to the player and the
// points following the previewed song. One test plays a real file through the Qt player.
class TestPreviewPlayer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void alternation_data();
    void alternation();
    void songEnds();
    void playingAgainRestartsAtOnce();
    void cellWithoutSong_data();
    void cellWithoutSong();
    void missingFileEndsCaption();
    void renamedChoicePlaysWhereItIs_data();
    void renamedChoicePlaysWhereItIs();
    void stopEndsPreview();
    void following_data();
    void following();
    void movedSongShowsNewPointsAtNextTurn();
    void realPlayerPlaysAndEnds();

private:
    PreviewPlayer::Cell cell(const QString &name, int position = 2, int label = 2) const
    {
        return {u"Ballo"_s, label, position, {name, m_dir.path() + u'/'}, name};
    }
    void playFile(PreviewPlayer &preview, const QString &name, int position = 2)
    {
        QVERIFY(ToneFiles::write(m_dir.filePath(name), "RIFF"));
        preview.PlayWMP(cell(name, position, position));
        m_player.setState(MediaPlayer::PlayState::Playing);
    }

    QTemporaryDir m_dir;
    FakeMediaPlayer m_player;
};

void TestPreviewPlayer::init()
{
    QVERIFY(m_dir.isValid());
    m_player.calls.clear();
    m_player.state = MediaPlayer::PlayState::Stopped;
}

void TestPreviewPlayer::alternation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    const QString thirtyNine = u"Canzone con un nome lungo quaranta .mp3"_s;
    QTest::newRow("short name") << u"Tango.mp3"_s << u"Tango.mp3"_s;
    QTest::newRow("40 characters whole") << thirtyNine + u"x"_s << thirtyNine + u"x"_s;
    QTest::newRow("41 characters cut to 31")
        << thirtyNine + u"xy"_s << u"Canzone con un nome lungo quara..."_s;
}

void TestPreviewPlayer::alternation()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    PreviewPlayer preview(m_player);
    QCOMPARE(preview.caption(), Idle);
    QVERIFY(!preview.timer2().isActive());
    playFile(preview, name);
    QCOMPARE(m_player.url, m_dir.path() + u'/' + name);
    QVERIFY(preview.timer2().isActive());
    QCOMPARE(preview.timer2().interval(), 4);
    const QStringList expected{u"In Riproduzione: Ballo 30"_s, u"In Riproduzione: "_s + shown,
                               u"In Riproduzione: Ballo 30"_s, u"In Riproduzione: "_s + shown};
    QStringList seen;
    for (int tick = 0; tick < 4; ++tick) {
        preview.Timer2_Timer();
        seen << preview.caption();
        QCOMPARE(preview.timer2().interval(), 5000);
    }
    QCOMPARE(seen, expected);
}

void TestPreviewPlayer::songEnds()
{
    PreviewPlayer preview(m_player);
    QStringList captions;
    connect(&preview, &PreviewPlayer::captionChanged, this,
            [&](const QString &text) { captions << text; });
    playFile(preview, u"a.mp3"_s);
    preview.Timer2_Timer();
    m_player.finish();
    QCOMPARE(preview.caption(), Idle);
    QVERIFY(!preview.timer2().isActive());
    QCOMPARE(captions, (QStringList{u"In Riproduzione: Ballo 30"_s, Idle}));
}

void TestPreviewPlayer::playingAgainRestartsAtOnce()
{
    PreviewPlayer preview(m_player);
    playFile(preview, u"a.mp3"_s);
    preview.Timer2_Timer();
    // Pause and resume: the caption keeps its turns.
    m_player.pause();
    m_player.play();
    QVERIFY(preview.timer2().isActive());
    QCOMPARE(preview.timer2().interval(), 5000);
    // Played again after the end: the caption starts at once, where its turns were.
    m_player.finish();
    QVERIFY(!preview.timer2().isActive());
    m_player.play();
    QVERIFY(preview.timer2().isActive());
    QCOMPARE(preview.timer2().interval(), 4);
    preview.Timer2_Timer();
    QCOMPARE(preview.caption(), u"In Riproduzione: a.mp3"_s);
}

void TestPreviewPlayer::cellWithoutSong_data()
{
    QTest::addColumn<bool>("playing");
    QTest::addColumn<QString>("caption");
    QTest::newRow("while playing") << true << Idle;
    QTest::newRow("while stopped") << false << u"In Riproduzione: Ballo 30"_s;
}

void TestPreviewPlayer::cellWithoutSong()
{
    QFETCH(bool, playing);
    QFETCH(QString, caption);
    PreviewPlayer preview(m_player);
    playFile(preview, u"a.mp3"_s);
    preview.Timer2_Timer();
    if (!playing) {
        // Stopped by the presenter without the stop reaching the caption: only the timer ends.
        m_player.state = MediaPlayer::PlayState::Stopped;
        preview.timer2().stop();
    }
    m_player.calls.clear();
    PreviewPlayer::Cell empty = cell(QString(), 4, 4);
    empty.category = u"Spot"_s;
    preview.PlayWMP(empty);
    QCOMPARE(m_player.calls, QStringList{u"stop"_s});
    QCOMPARE(preview.caption(), caption);
    QCOMPARE(preview.CategRoprod, u"Ballo"_s);
    QCOMPARE(preview.CategENum, u"Ballo 30"_s);
    QCOMPARE(preview.NomeCanzoneRipr, u"a.mp3"_s);
    QCOMPARE(preview.iRiprod, 2);
}

void TestPreviewPlayer::missingFileEndsCaption()
{
    PreviewPlayer preview(m_player);
    preview.PlayWMP(cell(u"not there.mp3"_s));
    QCOMPARE(preview.caption(), Idle);
    QVERIFY(!preview.timer2().isActive());
}

// A chosen song that the songs folder will keep under another name (its caption) is still
// where the presenter found it, under its own name, until the change is applied.
void TestPreviewPlayer::renamedChoicePlaysWhereItIs_data()
{
    QTest::addColumn<QString>("file");   // the name in the songs folder, shown in the cell
    QTest::addColumn<QString>("source"); // its own name where it lies
    QTest::addColumn<QString>("onDisk");
    QTest::newRow("safe name") << u"a_b.mp3"_s << u"a;b.mp3"_s << u"a;b.mp3"_s;
    QTest::newRow("free name") << u"track(0).wav"_s << u"track.wav"_s << u"track.wav"_s;
    QTest::newRow("matched in another letter case")
        << u"track.wav"_s << u"Track.WAV"_s << u"Track.WAV"_s;
    QTest::newRow("own name in another letter case") << u"Song.mp3"_s << QString() << u"song.mp3"_s;
}

void TestPreviewPlayer::renamedChoicePlaysWhereItIs()
{
    QFETCH(QString, file);
    QFETCH(QString, source);
    QFETCH(QString, onDisk);
    QVERIFY(ToneFiles::write(m_dir.filePath(onDisk), "RIFF"));
    PreviewPlayer preview(m_player);
    PreviewPlayer::Cell chosen = cell(file);
    chosen.song.source = source;
    preview.PlayWMP(chosen);
    QCOMPARE(m_player.url, m_dir.filePath(onDisk));
    QVERIFY(preview.timer2().isActive());
    QCOMPARE(preview.NomeCanzoneRipr, file);
}

void TestPreviewPlayer::stopEndsPreview()
{
    PreviewPlayer preview(m_player);
    playFile(preview, u"a.mp3"_s);
    preview.Timer2_Timer();
    preview.stop();
    QCOMPARE(m_player.state, MediaPlayer::PlayState::Stopped);
    QCOMPARE(preview.caption(), Idle);
    QVERIFY(!preview.timer2().isActive());
}

// Steps are "swap Ballo 2 3" (a move step exchanged two positions) and "reset Ballo" (the rows
// of a category are laid out again). The song is previewed at position 2, label 2, of Ballo.
void TestPreviewPlayer::following_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("points");
    QTest::addColumn<int>("label");
    QTest::newRow("nothing moves") << QStringList() << u"Ballo 30"_s << 2;
    QTest::newRow("moved down") << QStringList{u"swap Ballo 2 3"_s} << u"Ballo 40"_s << 2;
    QTest::newRow("moved up") << QStringList{u"swap Ballo 1 2"_s} << u"Ballo 20"_s << 2;
    QTest::newRow("two steps down")
        << QStringList{u"swap Ballo 2 3"_s, u"swap Ballo 3 4"_s} << u"Ballo 50"_s << 2;
    QTest::newRow("neighbours moved") << QStringList{u"swap Ballo 3 4"_s} << u"Ballo 30"_s << 2;
    QTest::newRow("other category") << QStringList{u"swap Spot 2 3"_s} << u"Ballo 30"_s << 2;
    QTest::newRow("moved, rows laid out again")
        << QStringList{u"swap Ballo 2 3"_s, u"reset Ballo"_s} << u"Ballo 40"_s << 3;
    QTest::newRow("moved, other category laid out")
        << QStringList{u"swap Ballo 2 3"_s, u"reset Spot"_s} << u"Ballo 40"_s << 2;
    // Away to another category and back: the song is still found at its own position.
    QTest::newRow("moved, away and back")
        << QStringList{u"swap Ballo 2 3"_s, u"reset Ballo"_s, u"swap Spot 3 4"_s,
                       u"reset Spot"_s,     u"reset Ballo"_s, u"swap Ballo 3 4"_s}
        << u"Ballo 50"_s << 3;
}

void TestPreviewPlayer::following()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, points);
    QFETCH(int, label);
    PreviewPlayer preview(m_player);
    playFile(preview, u"a.mp3"_s);
    for (const QString &step : steps) {
        const QStringList words = step.split(u' ');
        if (words[0] == u"swap")
            preview.cellsSwapped(words[1], words[2].toInt(), words[3].toInt());
        else
            preview.rowsReset(words[1]);
    }
    QCOMPARE(preview.CategENum, points);
    QCOMPARE(preview.iRiprod, label);
}

void TestPreviewPlayer::movedSongShowsNewPointsAtNextTurn()
{
    PreviewPlayer preview(m_player);
    playFile(preview, u"a.mp3"_s, 0);
    preview.Timer2_Timer();
    QCOMPARE(preview.caption(), u"In Riproduzione: Ballo 10"_s);
    preview.cellsSwapped(u"Ballo"_s, 0, 1);
    QCOMPARE(preview.caption(), u"In Riproduzione: Ballo 10"_s);
    preview.Timer2_Timer();
    preview.Timer2_Timer();
    QCOMPARE(preview.caption(), u"In Riproduzione: Ballo 20"_s);
}

// The real player: the caption starts by itself on the timer and ends with the song.
void TestPreviewPlayer::realPlayerPlaysAndEnds()
{
    QVERIFY(ToneFiles::write(m_dir.filePath(u"tone.wav"_s),
                             ToneFiles::wav({1.0, -12.0, 1, 8000, 440.0})));
    QtMediaPlayer player;
    PreviewPlayer preview(player);
    QStringList captions;
    QList<MediaPlayer::PlayState> states;
    QStringList errors;
    connect(&preview, &PreviewPlayer::captionChanged, this,
            [&](const QString &text) { captions << text; });
    connect(&player, &MediaPlayer::playStateChanged, this,
            [&](MediaPlayer::PlayState state) { states << state; });
    connect(&player, &MediaPlayer::errorOccurred, this,
            [&](const QString &message) { errors << message; });
    preview.PlayWMP(cell(u"tone.wav"_s, 4, 4));
    // A new file passes through "transitioning" before it plays.
    QTRY_VERIFY_WITH_TIMEOUT(states.endsWith(MediaPlayer::PlayState::Stopped), 15000);
    QCOMPARE(errors, QStringList());
    states.removeAll(MediaPlayer::PlayState::Transitioning);
    QCOMPARE(states, (QList<MediaPlayer::PlayState>{MediaPlayer::PlayState::Playing,
                                                    MediaPlayer::PlayState::Stopped}));
    QCOMPARE(captions, (QStringList{u"In Riproduzione: Ballo 50"_s, Idle}));
    QVERIFY(!preview.timer2().isActive());
}

int main(int argc, char **argv)
{
    return withSoundServer(argc, argv, [&] {
        TestPreviewPlayer test;
        return QTest::qExec(&test, argc, argv);
    });
}
#include "tst_previewplayer.moc"
