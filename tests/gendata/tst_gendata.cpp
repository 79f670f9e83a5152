// The data the build delivers into the program folder, checked with the program's own readers:
// the player's skin pictures, the themes, the demo music pack, and how a first start takes the
// pack over without a later build delivering it again.

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/categories.h"
#include "core/loader.h"
#include "core/musicpack.h"
#include "core/pathsfile.h"
#include "core/settingsfile.h"
#include "core/textfile.h"
#include "core/themes.h"
#include "player/logic/skin/skinnames.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"
#include "tests/fakes/colours.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

namespace {

const QString PackQuestion = QStringLiteral(
    "Vuoi utilizzare le canzoni di Zefiro Music Pack al posto di quelle impostate in "
    "precedenza? NOTA: Le impostazioni delle canzoni precedenti non verranno perse");

struct Wav {
    QString error; // empty when the file is a PCM WAV
    int channels = 0;
    int rate = 0;
    int bits = 0;
    QByteArray data;
    double seconds() const { return double(data.size()) / (rate * channels * (bits / 8.0)); }
};

quint32 le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Walks the RIFF chunks; a file that players would refuse gives a reason.
Wav parseWav(const QByteArray &b)
{
    Wav wav;
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") {
        wav.error = QStringLiteral("no RIFF/WAVE header");
        return wav;
    }
    if (le32(b, 4) != quint32(b.size() - 8)) {
        wav.error = QStringLiteral("RIFF size does not match the file");
        return wav;
    }
    bool format = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype size = le32(b, at + 4);
        if (at + 8 + size > b.size()) {
            wav.error = QStringLiteral("chunk ") + QString::fromLatin1(id) +
                        QStringLiteral(" runs past the end");
            return wav;
        }
        if (id == "fmt " && size >= 16) {
            format = le16(b, at + 8) == 1;
            wav.channels = le16(b, at + 10);
            wav.rate = int(le32(b, at + 12));
            wav.bits = le16(b, at + 22);
        } else if (id == "data") {
            wav.data = b.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    if (!format || wav.channels < 1 || wav.data.isEmpty())
        wav.error = QStringLiteral("no PCM format chunk or no samples");
    return wav;
}

// Every file under a folder with its bytes' hash and modification time.
QMap<QString, QPair<QByteArray, qint64>> snapshot(const QString &folder)
{
    QMap<QString, QPair<QByteArray, qint64>> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(folder.size()),
                     {QCryptographicHash::hash(readBytes(path), QCryptographicHash::Sha1),
                      it.fileInfo().lastModified().toMSecsSinceEpoch()});
    }
    return files;
}

// The strongest contrast with the cell colour across a gap, over the few pixels around its
// middle: the board picture is a JPEG, whose edges are soft.
int gapContrast(const QImage &board, QPoint middle, Qt::Orientation across, QRgb cell)
{
    int best = 0;
    for (int d = -3; d <= 3; ++d) {
        const QPoint p = across == Qt::Horizontal ? middle + QPoint(d, 0) : middle + QPoint(0, d);
        best = qMax(best, colourDistance(board.pixel(p), cell));
    }
    return best;
}

QStringList packFolders(const QString &program)
{
    QStringList found;
    for (const Category &c : categories()) {
        if (QFileInfo::exists(program + u'/' + c.packFolder.toString()))
            found.append(c.packFolder.toString());
    }
    return found;
}

} // namespace

class TestGendata : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void skinPicture_data();
    void skinPicture();
    void skinStatesLookDifferent();
    void themesAreListedAndApply();
    void numbersLandInCells_data();
    void numbersLandInCells();
    void packNamesTwentyFiveDistinctSongs();
    void firstStartTakesThePackOverOnce_data();
    void firstStartTakesThePackOverOnce();
    void rerunWritesNothingAndKeepsPresenterFiles();

private:
    void generate(const QString &folder);
    QString m_program;
};

void TestGendata::initTestCase()
{
    m_program = qEnvironmentVariable("ZEFIRO_PROGRAM_DIR");
    QVERIFY2(QFileInfo(m_program).isDir(), "ZEFIRO_PROGRAM_DIR must name the built program folder");
}

void TestGendata::generate(const QString &folder)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral(GENDATA_EXE), {folder});
    QVERIFY(run.waitForFinished(60000));
    QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
             run.readAll().constData());
}

void TestGendata::skinPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    struct Group {
        const char *base;
        QStringList states;
        QSize size;
    };
    const QStringList nsp{QStringLiteral("N"), QStringLiteral("S"), QStringLiteral("P")};
    const QStringList withPlay{QStringLiteral("NPN"), QStringLiteral("SPN"), QStringLiteral("PPN"),
                               QStringLiteral("NPP")};
    const QList<Group> groups{
        {"Play1", {QStringLiteral("N"), QStringLiteral("P")}, {16, 56}},
        {"Play2", nsp, {56, 56}},
        {"Pausa2", nsp, {56, 56}},
        {"Play3", {QStringLiteral("N"), QStringLiteral("P")}, {16, 56}},
        {"Stop", withPlay, {40, 40}},
        {"Ripeti", withPlay, {40, 40}},
        {"NRipeti", withPlay, {40, 40}},
        {"Muto", nsp, {40, 40}},
        {"Sonoro", nsp, {40, 40}},
        {"Agganciato", nsp, {35, 34}}, // 525 x 510 twips
        {"Sganciato", nsp, {35, 34}},
        {"ScorriBasso", nsp, {18, 18}}, // 270 x 270
        {"Mixer", nsp, {40, 40}},
        {"Chiudi", nsp, {28, 28}},
        {"PlayM", nsp, {28, 18}},
        {"PausaM", nsp, {28, 18}},
        {"StopM", nsp, {28, 18}},
        {"ScorriAlto", nsp, {27, 14}}, // 405 x 210
    };
    QStringList rows;
    for (const Group &g : groups) {
        for (const QString &state : g.states) {
            const QString name = QString::fromLatin1(g.base) + state;
            QTest::newRow(name.toLatin1().constData()) << name << g.size;
            rows.append(name);
        }
    }
    // The rows cover every picture the player loads, and nothing else.
    QCOMPARE(rows.size(), 55);
    QStringList names = SkinNames::all();
    names.sort();
    rows.sort();
    QCOMPARE(rows, names);
}

void TestGendata::skinPicture()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QImageReader reader(m_program + QStringLiteral("/gr/") + name + QStringLiteral(".jpg"));
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

// Each state must be told from the others, or a button would not react to the mouse; this
// includes the stop and repeat pictures that only show the big play button held down.
void TestGendata::skinStatesLookDifferent()
{
    const QStringList files =
        QDir(m_program + QStringLiteral("/gr")).entryList({QStringLiteral("*.jpg")});
    QVERIFY(files.size() >= 55);
    QList<QImage> images;
    for (const QString &f : files)
        images.append(QImage(m_program + QStringLiteral("/gr/") + f));
    for (qsizetype i = 0; i < images.size(); ++i) {
        for (qsizetype j = i + 1; j < images.size(); ++j) {
            if (images[i].size() != images[j].size())
                continue;
            int differing = 0;
            for (int y = 0; y < images[i].height(); ++y) {
                for (int x = 0; x < images[i].width(); ++x)
                    differing += colourDistance(images[i].pixel(x, y), images[j].pixel(x, y)) > 24;
            }
            QVERIFY2(differing >= 12, qPrintable(files[i] + u" looks like " + files[j]));
        }
    }
}

void TestGendata::themesAreListedAndApply()
{
    AppState state;
    state.Path = m_program;
    FakeProgress progress;
    NoQuestions questions;
    Themes themes(state, progress, questions);
    QVERIFY(themes.CaricaTemi());
    QVERIFY(questions.asked.isEmpty());

    QList<QRgb> means;
    QList<int> colours;
    const QStringList folders{QStringLiteral("Notte"), QStringLiteral("Festa")};
    const QStringList titles{QStringLiteral("Notte blu"), QStringLiteral("Festa")};
    for (qsizetype t = 0; t < folders.size(); ++t) {
        const qsizetype at = state.TemiCartelle.indexOf(folders[t]);
        QVERIFY2(at >= 0, qPrintable(folders[t]));
        QCOMPARE(state.TemiTitoli.at(at), titles[t]);

        RecordingTheme target;
        themes.ApplicaTema(folders[t], target);
        QCOMPARE(target.boards.size(), 1);
        QCOMPARE(target.exits.size(), 1);
        QCOMPARE(target.colours.size(), 1);
        const QImage board(target.boards.first());
        const QImage exit(target.exits.first());
        QVERIFY2(board.width() >= 1200 && board.height() >= 700, qPrintable(target.boards.first()));
        QVERIFY2(!exit.isNull() && exit.height() <= 64 && exit.width() >= exit.height(),
                 qPrintable(target.exits.first()));

        // A played number is told by its pure red; the picture under it never has that colour.
        int red = 0;
        for (int y = 0; y < board.height(); ++y) {
            for (int x = 0; x < board.width(); ++x)
                red += (board.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
        }
        QCOMPARE(red, 0);
        means.append(
            board.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
        colours.append(target.colours.first());
    }
    QVERIFY2(colourDistance(means[0], means[1]) > 60, "the themes should look distinct");
    QVERIFY(colours[0] != colours[1]);
}

void TestGendata::numbersLandInCells_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QSize>("screen");
    for (const char *theme : {"Notte", "Festa"}) {
        for (const QSize screen : {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080)}) {
            QTest::addRow("%s %dx%d", theme, screen.width(), screen.height())
                << QString::fromLatin1(theme) << screen;
        }
    }
}

// The board picture is stretched over the board (the window less 2500 twips each side, 1000
// above and 1400 below) and each 870 x 1005 twips number is centred at its fractions of it: the
// whole number must lie on one cell, with a visible gap to the next one.
void TestGendata::numbersLandInCells()
{
    QFETCH(QString, theme);
    QFETCH(QSize, screen);
    AppState state;
    state.Path = m_program;
    FakeProgress progress;
    NoQuestions questions;
    RecordingTheme target;
    Themes(state, progress, questions).ApplicaTema(theme, target);
    QCOMPARE(target.boards.size(), 1);
    const QImage board = QImage(target.boards.first()).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!board.isNull());

    const double sx = board.width() / (screen.width() - 5000.0 / 15);
    const double sy = board.height() / (screen.height() - 2400.0 / 15);
    const double halfW = 870.0 / 15 / 2 * sx;
    const double halfH = 1005.0 / 15 / 2 * sy;
    const double rows[] = {4, 12, 22, 31.5, 40};
    const double cols[] = {3.2, 4.2, 5.25, 6.24, 7.4};
    for (int c = 0; c < 5; ++c) {
        for (int i = 0; i < 5; ++i) {
            const double cx = board.width() * cols[i] / 8;
            const double cy = board.height() * rows[c] / 45;
            const QRgb centre = board.pixel(int(cx), int(cy));
            const QString where = QStringLiteral("category %1 number %2").arg(c).arg(i);
            for (double t = 0; t <= 1.0; t += 0.02) {
                const QPointF edge[] = {{cx - halfW + 2 * halfW * t, cy - halfH},
                                        {cx - halfW + 2 * halfW * t, cy + halfH},
                                        {cx - halfW, cy - halfH + 2 * halfH * t},
                                        {cx + halfW, cy - halfH + 2 * halfH * t}};
                for (const QPointF &p : edge) {
                    QVERIFY2(colourDistance(board.pixel(p.toPoint()), centre) <= 40,
                             qPrintable(where + u" reaches out of its cell"));
                }
            }
            const int ni = i < 4 ? i + 1 : i - 1;
            const QPoint columnGap(int(board.width() * (cols[i] + cols[ni]) / 16), int(cy));
            QVERIFY2(gapContrast(board, columnGap, Qt::Horizontal, centre) > 40,
                     qPrintable(where + u": no gap to the next cell of its row"));
            const int nc = c < 4 ? c + 1 : c - 1;
            const QPoint rowGap(int(cx), int(board.height() * (rows[c] + rows[nc]) / 90));
            QVERIFY2(gapContrast(board, rowGap, Qt::Vertical, centre) > 40,
                     qPrintable(where + u": no gap to the next cell of its column"));
        }
    }
}

// Before the first start the songs wait in the pack folders; afterwards they are in Musiche.
void TestGendata::packNamesTwentyFiveDistinctSongs()
{
    const QString iniPath = CaseFind::path(m_program, QStringLiteral("PercorsiZMP.ini"));
    QVERIFY(!iniPath.isEmpty());
    const QStringList lines = TextFile::readLines(iniPath);
    QSet<QByteArray> distinct;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const PathsFile::Entry entry = PathsFile::lookup(lines, slot);
        QVERIFY2(entry.found && !entry.commented && !entry.value.isEmpty(),
                 qPrintable(QString::number(slot)));
        const QString pack = m_program + u'/' + category(slot / 5).packFolder.toString();
        const QString folder =
            QFileInfo(pack).isDir() ? pack : m_program + QStringLiteral("/Musiche");
        const QString file = folder + u'/' + entry.value;
        const Wav wav = parseWav(readBytes(file));
        QVERIFY2(wav.error.isEmpty(), qPrintable(file + u": " + wav.error));
        QCOMPARE(wav.rate, 44100);
        QCOMPARE(wav.bits, 16);
        QVERIFY2(wav.seconds() >= 2.0 && wav.seconds() <= 4.0, qPrintable(file));
        distinct.insert(QCryptographicHash::hash(wav.data, QCryptographicHash::Sha1));
    }
    QCOMPARE(distinct.size(), SlotCount);
}

void TestGendata::firstStartTakesThePackOverOnce_data()
{
    QTest::addColumn<QuestionPort::Answer>("answer");
    QTest::addColumn<QString>("pathsFile");
    QTest::addColumn<QString>("usazmp");
    QTest::newRow("pack taken") << QuestionPort::Answer::Yes << "/PercorsiZMP.ini"
                                << "1";
    QTest::newRow("pack declined") << QuestionPort::Answer::No << "/Percorsi.ini"
                                   << "0";
}

void TestGendata::firstStartTakesThePackOverOnce()
{
    QFETCH(QuestionPort::Answer, answer);
    QFETCH(QString, pathsFile);
    QFETCH(QString, usazmp);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    generate(dir.path());
    QCOMPARE(packFolders(dir.path()).size(), 5);

    const auto start = [&](ScriptedQuestions &questions) {
        AppState state;
        state.Path = dir.path();
        state.Avvio = 1;
        FakeProgress progress;
        RecordingWindows windows;
        bool loaded =
            Loader(state, progress, questions, windows, QStringLiteral("zefiro")).Caricamento(true);
        // What a normal end leaves; a failed save fails the start too.
        const bool saved = SalvaImpostazioni(state).ok;
        return std::make_pair(loaded && saved, state);
    };

    ScriptedQuestions first;
    first.answers = {answer, QuestionPort::Answer::No};
    const auto [loaded, state] = start(first);
    QVERIFY(loaded);
    QCOMPARE(first.asked.value(0).text, PackQuestion);
    QCOMPARE(first.asked.value(0).title, QStringLiteral("Zefiro"));
    QCOMPARE(state.FilePercorsi, pathsFile);
    QCOMPARE(state.settings.value(QStringLiteral("usazmp")), usazmp);
    QCOMPARE(packFolders(dir.path()), QStringList());
    const QString songs = dir.path() + QStringLiteral("/Musiche");
    QCOMPARE(QDir(songs).entryList(QDir::Files).size(), SlotCount);
    if (answer == QuestionPort::Answer::Yes) {
        QCOMPARE(first.asked.size(), 1); // every number has its song: no song check question
        for (const SongSlot &slot : state.PercorsiSalvati)
            QVERIFY2(parseWav(readBytes(slot.fullPath())).error.isEmpty(),
                     qPrintable(slot.fullPath()));
    }

    // A rebuild after the take-over delivers nothing, and the next start asks nothing.
    const auto before = snapshot(dir.path());
    generate(dir.path());
    QCOMPARE(snapshot(dir.path()), before);
    ScriptedQuestions second;
    start(second);
    QVERIFY(!second.texts().contains(PackQuestion));

    // The answer is remembered even once the songs are gone from Musiche.
    for (const QString &song : QDir(songs).entryList(QDir::Files))
        QVERIFY(QFile::remove(songs + u'/' + song));
    generate(dir.path());
    QCOMPARE(packFolders(dir.path()), QStringList());
}

void TestGendata::rerunWritesNothingAndKeepsPresenterFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray paths("0=mia.mp3\r\n");
    const QByteArray settings("usazmp=2\r\ncleanpath=1\r\n");
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Percorsi.ini")), paths));
    QVERIFY(writeBytes(dir.filePath(QStringLiteral("Impostazioni.ini")), settings));

    generate(dir.path());
    const auto first = snapshot(dir.path());
    QVERIFY(first.size() > 55 + 25);
    generate(dir.path());
    QCOMPARE(snapshot(dir.path()), first);
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("Percorsi.ini"))), paths);
    QCOMPARE(readBytes(dir.filePath(QStringLiteral("Impostazioni.ini"))), settings);
    QCOMPARE(packFolders(dir.path()).size(), 5); // the question is still open: pack stays

    // The start-up clean-up of the program folder spares every delivered file.
    AppState state;
    state.Path = dir.path();
    FakeProgress progress;
    CaricaImpostazioni(state, progress);
    NoQuestions questions;
    RecordingWindows windows;
    MusicPack(state, questions, windows, QStringLiteral("zefiro")).PulisciCartella();
    QCOMPARE(snapshot(dir.path()), first);
}

QTEST_MAIN(TestGendata)
#include "tst_gendata.moc"
