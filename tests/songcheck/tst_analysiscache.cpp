#include "core/settings.h"
#include "songcheck/leveller.h"
#include "songcheck/songverdict.h"
#include "tests/fakes/tonefiles.h"
#include "tests/songcheck/countingprobe.h"

#include <QDateTime>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using Outcome = AudioAnalysis::Outcome;

class TstAnalysisCache : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void roundTrip_data();
    void roundTrip();
    void unreadableLinesSkipped_data();
    void unreadableLinesSkipped();
    void changedFileIsAnalysedAgain_data();
    void changedFileIsAnalysedAgain();
    void rangesAreKeptApart();
    void secondCheckDecodesNothing();
    void stopDropsTheRest();
    void gain_data();
    void gain();
    void levellerAnalysesForNextTime();
    void levellerMeasuresTheSnippet();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString cacheFile() const { return path(u"Analisi.ini"_s); }
    QStringList makeSongs();
    // Runs every path through a fresh queue; the results in order of the ids.
    QList<SongAnalysis> check(AudioProbe &probe, AnalysisCache &cache, const QStringList &paths);

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

SongAnalysis sample(const QString &path, Outcome outcome, double loudness, const QString &error)
{
    SongAnalysis a;
    a.path = path;
    a.size = 123456789012;
    a.modified = 1765000000123;
    a.audio.outcome = outcome;
    a.audio.seconds = 205.5;
    a.audio.loudness = loudness;
    a.audio.truePeak = std::isfinite(loudness) ? -0.7 : loudness;
    a.audio.samplePeak = std::isfinite(loudness) ? -1.25 : loudness;
    a.audio.error = error;
    return a;
}

} // namespace

void TstAnalysisCache::roundTrip_data()
{
    QTest::addColumn<QString>("songPath");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<double>("loudness");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("errorRead");

    const double silence = AudioAnalysis::Silence;
    QTest::newRow("plain") << u"/m/Spot/a.mp3"_s << int(Outcome::Decoded) << -14.25 << QString()
                           << QString();
    QTest::newRow("separator and blanks in the name")
        << u"/m/Ballo/a|b = c;d.mp3"_s << int(Outcome::Decoded) << -9.5 << QString() << QString();
    QTest::newRow("accents") << u"/m/Canto/perché è così.wav"_s << int(Outcome::Decoded) << -30.0
                             << QString() << QString();
    QTest::newRow("silence") << u"/m/s.wav"_s << int(Outcome::Decoded) << silence << QString()
                             << QString();
    QTest::newRow("failed with a reason on two lines")
        << u"/m/x.wma"_s << int(Outcome::Failed) << silence << u"Bad | data\nhere"_s
        << u"Bad / data here"_s;
}

void TstAnalysisCache::roundTrip()
{
    QFETCH(QString, songPath);
    QFETCH(int, outcome);
    QFETCH(double, loudness);
    QFETCH(QString, error);
    QFETCH(QString, errorRead);
    AnalysisCache written(cacheFile());
    written.store(sample(songPath, Outcome(outcome), loudness, error));
    QVERIFY(written.save().ok);

    AnalysisCache read(cacheFile());
    read.load();
    const auto a = read.find(songPath, 123456789012, 1765000000123);
    QVERIFY(a.has_value());
    QCOMPARE(int(a->audio.outcome), outcome);
    QCOMPARE(a->audio.seconds, 205.5);
    QCOMPARE(a->audio.loudness, loudness);
    QCOMPARE(a->audio.error, errorRead);
    if (std::isfinite(loudness)) {
        QCOMPARE(a->audio.truePeak, -0.7);
        QCOMPARE(a->audio.samplePeak, -1.25);
    }
    QVERIFY(!read.find(songPath, 123456789013, 1765000000123));
    QVERIFY(!read.find(songPath, 123456789012, 1765000000124));
}

// The levels of a song and of a part of it are two entries; an old line is the whole song's.
void TstAnalysisCache::rangesAreKeptApart()
{
    AnalysisCache written(cacheFile());
    written.store(sample(u"/m/a.mp3"_s, Outcome::Decoded, -14.0, {}));
    SongAnalysis part = sample(u"/m/a.mp3"_s, Outcome::Decoded, -20.0, {});
    part.range = {1000, 5000};
    written.store(part);
    QVERIFY(written.save().ok);
    const QStringList lines = TextFile::readLines(cacheFile());
    QVERIFY2(lines.contains(u"123456789012|1765000000123|205.500|-20.00|-0.70|-1.25|ok||"
                            u"@1000-5000|/m/a.mp3"_s),
             qPrintable(lines.join(u'\n')));

    AnalysisCache read(cacheFile());
    read.load();
    const qint64 size = 123456789012;
    const qint64 modified = 1765000000123;
    QCOMPARE(read.find(u"/m/a.mp3"_s, size, modified)->audio.loudness, -14.0);
    QCOMPARE(read.find(u"/m/a.mp3"_s, size, modified, {1000, 5000})->audio.loudness, -20.0);
    QVERIFY(!read.find(u"/m/a.mp3"_s, size, modified, {1000, 0}));
}

void TstAnalysisCache::unreadableLinesSkipped_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("too few fields") << u"1|2|3|-14|-1|-1|ok|/a.mp3"_s;
    QTest::newRow("size not a number") << u"x|2|3|-14|-1|-1|ok||/a.mp3"_s;
    QTest::newRow("negative size") << u"-5|2|3|-14|-1|-1|ok||/a.mp3"_s;
    QTest::newRow("length not a number") << u"1|2|long|-14|-1|-1|ok||/a.mp3"_s;
    QTest::newRow("loudness not a number") << u"1|2|3|loud|-1|-1|ok||/a.mp3"_s;
    QTest::newRow("infinite loudness") << u"1|2|3|inf|-1|-1|ok||/a.mp3"_s;
    QTest::newRow("unknown outcome") << u"1|2|3|-14|-1|-1|maybe||/a.mp3"_s;
    QTest::newRow("no path") << u"1|2|3|-14|-1|-1|ok||"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("range without its end") << u"1|2|3|-14|-1|-1|ok||@5000|/a.mp3"_s;
    QTest::newRow("range not a number") << u"1|2|3|-14|-1|-1|ok||@5-x|/a.mp3"_s;
}

void TstAnalysisCache::unreadableLinesSkipped()
{
    QFETCH(QString, line);
    const QString good = u"7|8|3.5|-14.00|-1.00|-1.00|ok||/b.mp3"_s;
    QVERIFY(TextFile::writeLines(cacheFile(), {line, good}).ok);
    AnalysisCache cache(cacheFile());
    cache.load();
    QCOMPARE(cache.count(), 1);
    QVERIFY(cache.find(u"/b.mp3"_s, 7, 8).has_value());
}

QStringList TstAnalysisCache::makeSongs()
{
    const QStringList songs{path(u"good.wav"_s), path(u"silent.wav"_s), path(u"short.wav"_s),
                            path(u"corrupt.wav"_s), path(u"missing.wav"_s)};
    const double silence = AudioAnalysis::Silence;
    [&] {
        QVERIFY(ToneFiles::write(songs[0], ToneFiles::wav({2.0, -20.0, 2, 44100, 1000.0})));
        QVERIFY(ToneFiles::write(songs[1], ToneFiles::wav({2.0, silence, 2, 44100, 1000.0})));
        QVERIFY(ToneFiles::write(songs[2], ToneFiles::wav({0.5, -20.0, 2, 44100, 1000.0})));
        QVERIFY(ToneFiles::write(songs[3], QByteArray(4096, 'z')));
    }();
    return songs;
}

QList<SongAnalysis> TstAnalysisCache::check(AudioProbe &probe, AnalysisCache &cache,
                                            const QStringList &paths)
{
    ProbeQueue queue(probe, cache);
    QList<SongAnalysis> results(paths.size());
    connect(&queue, &ProbeQueue::analysed, this,
            [&](int id, const SongAnalysis &a) { results[id] = a; });
    QSignalSpy idle(&queue, &ProbeQueue::idle);
    for (int i = 0; i < paths.size(); ++i)
        queue.enqueue(i, paths[i]);
    [&] { QVERIFY(idle.wait(30000)); }();
    return results;
}

void TstAnalysisCache::changedFileIsAnalysedAgain_data()
{
    QTest::addColumn<bool>("newTime");
    QTest::addColumn<bool>("newSize");
    QTest::addColumn<int>("decodes");
    QTest::newRow("unchanged") << false << false << 0;
    QTest::newRow("touched") << true << false << 1;
    QTest::newRow("rewritten longer") << false << true << 1;
}

void TstAnalysisCache::changedFileIsAnalysedAgain()
{
    QFETCH(bool, newTime);
    QFETCH(bool, newSize);
    QFETCH(int, decodes);
    const QString song = path(u"song.wav"_s);
    QVERIFY(ToneFiles::write(song, ToneFiles::wav({1.5, -20.0, 2, 44100, 1000.0})));
    CountingProbe probe;
    AnalysisCache cache(cacheFile());
    QCOMPARE(check(probe, cache, {song}).at(0).audio.outcome, Outcome::Decoded);
    QCOMPARE(probe.decodes.load(), 1);

    if (newSize)
        QVERIFY(ToneFiles::write(song, ToneFiles::wav({3.0, -20.0, 2, 44100, 1000.0})));
    if (newTime || newSize) {
        QFile file(song);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    }
    const SongAnalysis again = check(probe, cache, {song}).at(0);
    QCOMPARE(probe.decodes.load(), 1 + decodes);
    QCOMPARE(again.audio.seconds, newSize ? 3.0 : 1.5);
}

// The check of the five kinds of song, then again from the written file in a new run.
void TstAnalysisCache::secondCheckDecodesNothing()
{
    const QStringList songs = makeSongs();
    CountingProbe probe;
    QList<SongAnalysis> first;
    {
        AnalysisCache cache(cacheFile());
        cache.load();
        first = check(probe, cache, songs);
        QVERIFY(cache.save().ok);
    }
    // The missing file is not decoded and not kept.
    QCOMPARE(probe.decodes.load(), 4);
    const QStringList states{u"OK"_s, u"Silenzioso"_s, u"Troppo breve"_s};
    for (int i = 0; i < states.size(); ++i)
        QCOMPARE(SongVerdict::text(SongVerdict::state(first[i].audio), {}), states[i]);
    QCOMPARE(SongVerdict::state(first[3].audio), SongVerdict::State::Unplayable);
    QCOMPARE(SongVerdict::state(first[4].audio), SongVerdict::State::Missing);

    AnalysisCache reread(cacheFile());
    reread.load();
    QCOMPARE(reread.count(), 4);
    const QList<SongAnalysis> second = check(probe, reread, songs);
    QCOMPARE(probe.decodes.load(), 4);
    for (int i = 0; i < songs.size(); ++i) {
        QCOMPARE(second[i].audio.outcome, first[i].audio.outcome);
        QCOMPARE(second[i].audio.error, first[i].audio.error);
        QVERIFY(qAbs(second[i].audio.seconds - first[i].audio.seconds) < 0.001);
    }
}

void TstAnalysisCache::stopDropsTheRest()
{
    QStringList songs;
    for (int i = 0; i < 6; ++i) {
        songs << path(u"s%1.wav"_s.arg(i));
        QVERIFY(ToneFiles::write(songs.last(), ToneFiles::wav({20.0, -20.0, 2, 44100, 1000.0})));
    }
    CountingProbe probe;
    AnalysisCache cache(cacheFile());
    ProbeQueue queue(probe, cache);
    QSignalSpy analysed(&queue, &ProbeQueue::analysed);
    for (int i = 0; i < songs.size(); ++i)
        queue.enqueue(i, songs[i]);
    QVERIFY(analysed.wait(30000));
    queue.stop();
    QVERIFY(!queue.isBusy());
    const int decoded = probe.decodes.load();
    const qsizetype delivered = analysed.size();
    QVERIFY2(decoded < songs.size(), "the queue stopped before the end");
    QCoreApplication::processEvents();
    QCOMPARE(analysed.size(), delivered);
    QVERIFY(cache.count() <= decoded);
}

void TstAnalysisCache::gain_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<double>("loudness");
    QTest::addColumn<double>("truePeak");
    QTest::addColumn<double>("peak");
    QTest::addColumn<double>("gain");

    const int ok = int(Outcome::Decoded);
    QTest::newRow("loud song turned down") << ok << -8.0 << -0.1 << -0.2 << -8.0;
    QTest::newRow("on target") << ok << -16.0 << -3.0 << -3.0 << 0.0;
    QTest::newRow("quiet, boost limited") << ok << -30.0 << -20.0 << -20.0 << 6.0;
    QTest::newRow("quiet, held by its peak") << ok << -20.0 << -2.5 << -2.6 << 2.5;
    QTest::newRow("over full scale, held below it") << ok << -17.0 << 0.8 << 0.0 << -0.8;
    QTest::newRow("silent") << ok << AudioAnalysis::Silence << AudioAnalysis::Silence
                            << AudioAnalysis::Silence << 0.0;
    QTest::newRow("unplayable") << int(Outcome::Failed) << -30.0 << -20.0 << -20.0 << 0.0;
}

void TstAnalysisCache::gain()
{
    QFETCH(int, outcome);
    QFETCH(double, loudness);
    QFETCH(double, truePeak);
    QFETCH(double, peak);
    QFETCH(double, gain);
    AudioAnalysis a;
    a.outcome = Outcome(outcome);
    a.seconds = 100;
    a.loudness = loudness;
    a.truePeak = truePeak;
    a.samplePeak = peak;
    QCOMPARE(SongVerdict::levellingGain(a), gain);
}

void TstAnalysisCache::levellerAnalysesForNextTime()
{
    const QString quiet = path(u"quiet.wav"_s);
    const QString loud = path(u"loud.wav"_s);
    QVERIFY(ToneFiles::write(quiet, ToneFiles::wav({2.0, -22.0, 2, 44100, 1000.0})));
    QVERIFY(ToneFiles::write(loud, ToneFiles::wav({2.0, -10.0, 2, 44100, 1000.0})));
    Settings settings;
    CountingProbe probe;
    AnalysisCache cache(cacheFile());
    Leveller leveller(settings, probe, cache);
    QCOMPARE(leveller.outputGain(quiet), 1.0);
    QCOMPARE(probe.decodes.load(), 0);

    settings.setValue(u"uniformavolume"_s, u"1"_s);
    QSignalSpy idle(&leveller.queue(), &ProbeQueue::idle);
    QCOMPARE(leveller.outputGain(quiet), Leveller::factorFor(0.0));
    QCOMPARE(leveller.outputGain(loud), Leveller::factorFor(0.0));
    while (leveller.queue().isBusy() || idle.isEmpty())
        QVERIFY(idle.wait(30000));
    QCOMPARE(probe.decodes.load(), 2);
    QVERIFY(QFile::exists(cacheFile()));

    // Now known: -22 and -10 LUFS are both brought to -16, 12 dB apart in gain.
    const double quietDb = 20.0 * std::log10(leveller.outputGain(quiet));
    const double loudDb = 20.0 * std::log10(leveller.outputGain(loud));
    QVERIFY2(qAbs(quietDb - loudDb - 12.0) < 0.3, qPrintable(u"%1 %2"_s.arg(quietDb).arg(loudDb)));
    QVERIFY(leveller.outputGain(quiet) <= 1.0);
    QCOMPARE(probe.decodes.load(), 2);
}

// A song soft for two seconds, then loud: each half is levelled on its own, and a start past
// the song's end levels the whole song.
void TstAnalysisCache::levellerMeasuresTheSnippet()
{
    const QString song = path(u"steps.wav"_s);
    QVERIFY(ToneFiles::write(
        song, ToneFiles::joined({2.0, -30.0, 2, 44100, 1000.0}, {2.0, -10.0, 2, 44100, 1000.0})));
    Settings settings;
    settings.setValue(u"uniformavolume"_s, u"1"_s);
    CountingProbe probe;
    AnalysisCache cache(cacheFile());
    Leveller leveller(settings, probe, cache);
    const QList<AudioRange> ranges{{}, {0, 2000}, {2000, 0}, {5000, 0}};
    QSignalSpy idle(&leveller.queue(), &ProbeQueue::idle);
    for (const AudioRange range : ranges)
        (void)leveller.outputGain(song, range);
    while (leveller.queue().isBusy() || idle.isEmpty())
        QVERIFY(idle.wait(30000));
    QCOMPARE(probe.decodes.load(), 4);
    QList<double> gains;
    for (const AudioRange range : ranges)
        gains << 20.0 * std::log10(leveller.outputGain(song, range));
    const QString seen = u"%1 %2 %3 %4"_s.arg(gains[0]).arg(gains[1]).arg(gains[2]).arg(gains[3]);
    // -30 LUFS wants the most boost there is, -10 LUFS 6 dB less than nothing.
    QVERIFY2(qAbs(gains[1] - gains[2] - 6.0 - SongVerdict::MaxBoost) < 0.5, qPrintable(seen));
    QVERIFY2(qAbs(gains[2] - gains[0]) < 0.5, qPrintable(seen));
    QCOMPARE(gains[3], gains[0]);
}

QTEST_GUILESS_MAIN(TstAnalysisCache)
#include "tst_analysiscache.moc"
