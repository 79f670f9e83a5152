#include "core/appstate.h"
#include "core/songcheck.h"
#include "core/songpaths.h"
#include "options/songs/songeditor.h"
#include "options/songs/songfiledialog.h"
#include "options/songs/songnames.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Answers each file dialog with the next queued path; an empty entry is a cancel.
class ScriptedDialog : public SongFileDialog {
public:
    QStringList paths;
    QStringList startFolders;
    std::optional<QString> open(const QString &startFolder) override
    {
        startFolders.append(startFolder);
        const QString next = paths.isEmpty() ? QString() : paths.takeFirst();
        return next.isEmpty() ? std::nullopt : std::optional<QString>(next);
    }
};

using Answer = QuestionPort::Answer;
} // namespace

class TestSongEditor : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_outside;
    AppState m_state;
    FakeProgress m_progress;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
    ScriptedDialog m_dialog;
    QStringList m_unused;
    std::unique_ptr<SongCheck> m_check;
    std::unique_ptr<SongEditor> m_editor;

    QString songs() const { return m_state.songsFolder(); }
    QString outside() const { return m_outside->path() + u'/'; }
    SongSlot &working(int slot) { return m_state.PercorsiModifica.at(std::size_t(slot)); }
    QString name(int slot) const { return m_state.PercorsiModifica.at(std::size_t(slot)).file; }

    // Every slot but the empty ones holds song<slot>.wav in Musiche, saved and working.
    void assignAll(const QList<int> &empty = {})
    {
        QStringList lines;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QString file = u"song%1.wav"_s.arg(slot);
            QVERIFY(writeBytes(songs() + file, "RIFF"));
            lines.append(QString::number(slot) + u'=' + (empty.contains(slot) ? QString() : file));
        }
        QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        CaricaPercorsi(m_state);
        m_editor->refresh();
        m_questions = ScriptedQuestions();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_outside = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && m_outside->isValid());
        m_state = AppState();
        m_state.Path = m_dir->path();
        m_questions = ScriptedQuestions();
        m_dialog = ScriptedDialog();
        m_unused.clear();
        QVERIFY(QDir().mkpath(songs()));
        m_check = std::make_unique<SongCheck>(m_state, m_progress, m_questions, m_windows);
        m_editor = std::make_unique<SongEditor>(m_state, *m_check, m_questions, m_dialog,
                                                [this] { return m_unused; });
    }

    void chooseFile_data()
    {
        QTest::addColumn<bool>("empty");     // the slot has no song: its cell is red
        QTest::addColumn<QString>("where");  // "out", "in" (Musiche) or "" for a cancel
        QTest::addColumn<QString>("picked"); // the chosen file's name
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("file");   // the working entry afterwards
        QTest::addColumn<QString>("folder"); // "out" or "in"
        QTest::addColumn<QString>("source");

        const QString sure = u"Sei sicuro di voler sostituire il file song7.wav con il file "_s;
        const QString exists = u"Il file %1extra.wav esiste già. Lo vuoi sostituire?"_s;
        QTest::newRow("red cell takes a file without a question")
            << true << u"out"_s << u"nuova.wav"_s << QList<Answer>{} << QStringList{}
            << u"nuova.wav"_s << u"out"_s << QString();
        QTest::newRow("set cell asks, Yes")
            << false << u"out"_s << u"nuova.wav"_s << QList<Answer>{Answer::Yes}
            << QStringList{sure + u"nuova.wav?"_s} << u"nuova.wav"_s << u"out"_s << QString();
        QTest::newRow("set cell asks, No keeps the song")
            << false << u"out"_s << u"nuova.wav"_s << QList<Answer>{Answer::No}
            << QStringList{sure + u"nuova.wav?"_s} << u"song7.wav"_s << u"in"_s << QString();
        QTest::newRow("the file already in Musiche: only the name")
            << true << u"in"_s << u"extra.wav"_s << QList<Answer>{} << QStringList{}
            << u"extra.wav"_s << u"in"_s << QString();
        QTest::newRow("a clash asks, Yes records the source folder")
            << true << u"out"_s << u"extra.wav"_s << QList<Answer>{Answer::Yes}
            << QStringList{exists} << u"extra.wav"_s << u"out"_s << QString();
        const QString free = u"Il nome \"extra.wav\" è già usato da un altro file della cartella "
                             u"Musiche: la canzone verrà copiata nella cartella Musiche come "
                             u"\"extra(0).wav\"."_s;
        QTest::newRow("a clash asks, No stores a free name")
            << true << u"out"_s << u"extra.wav"_s << QList<Answer>{Answer::No}
            << QStringList{exists, free} << u"extra(0).wav"_s << u"out"_s << u"extra.wav"_s;
        QTest::newRow("a clash answered with Enter keeps the file in Musiche")
            << true << u"out"_s << u"extra.wav"_s << QList<Answer>{} << QStringList{exists, free}
            << u"extra(0).wav"_s << u"out"_s << u"extra.wav"_s;
        QTest::newRow("a clash in another letter case keeps the Musiche name")
            << true << u"out"_s << u"EXTRA.WAV"_s << QList<Answer>{Answer::Yes}
            << QStringList{exists} << u"extra.wav"_s << u"out"_s << u"EXTRA.WAV"_s;
        QTest::newRow("cancel changes nothing")
            << false << QString() << QString() << QList<Answer>{} << QStringList{} << u"song7.wav"_s
            << u"in"_s << QString();
    }

    void chooseFile()
    {
        QFETCH(bool, empty);
        QFETCH(QString, where);
        QFETCH(QString, picked);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, asked);
        assignAll(empty ? QList<int>{7} : QList<int>{});
        QVERIFY(writeBytes(songs() + u"extra.wav"_s, "old"));
        const QString from = where == u"in" ? songs() : outside();
        if (where == u"out")
            QVERIFY(writeBytes(from + picked, "new"));
        m_dialog.paths = {where.isEmpty() ? QString() : from + picked};
        m_editor->ComboSelCateg_Click(1);
        QCOMPARE(m_editor->cell(2).red, empty);
        m_questions.answers = answers;

        m_editor->chooseFile(2); // label 2 of "Canto" is slot 7
        for (QString &text : asked)
            text.replace(u"%1"_s, songs());
        QCOMPARE(m_questions.texts(), asked);
        QCOMPARE(m_dialog.startFolders, QStringList{SongNames::startFolder()});
        QTEST(working(7).file, "file");
        QFETCH(QString, folder);
        QCOMPARE(working(7).folder, folder == u"in" ? songs() : outside());
        QTEST(working(7).source, "source");
    }

    void clashReplacesTheFileInMusiche_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::newRow("same case") << u"extra.wav"_s;
        QTest::newRow("other case") << u"Extra.WAV"_s;
    }

    void clashReplacesTheFileInMusiche()
    {
        QFETCH(QString, picked);
        assignAll({3});
        QVERIFY(writeBytes(songs() + u"extra.wav"_s, "old"));
        QVERIFY(writeBytes(outside() + picked, "new"));
        m_dialog.paths = {outside() + picked};
        m_questions.answers = {Answer::Yes};
        m_editor->chooseFile(3);
        QVERIFY(m_editor->ApplicaModifiche());
        QCOMPARE(readBytes(songs() + u"extra.wav"_s), QByteArray("new"));
        QVERIFY(!QFileInfo::exists(songs() + picked) || picked == u"extra.wav");
        QVERIFY(TextFile::readLines(m_state.pathsFile()).contains(u"3=extra.wav"_s));
        QVERIFY(!m_editor->cell(3).red);
    }

    void unsafeNamesReadBack_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("inMusiche");
        QTest::addColumn<QString>("stored");
        QTest::newRow("semicolon") << u"uno;due.wav"_s << false << u"uno_due.wav"_s;
        QTest::newRow("slot key") << u"s07x12=.wav"_s << false << u"s07x12_.wav"_s;
        QTest::newRow("both") << u"a=b;c.mp3"_s << false << u"a_b_c.mp3"_s;
        QTest::newRow("already in Musiche") << u"tre;quattro.wav"_s << true << u"tre_quattro.wav"_s;
        QTest::newRow("leading blanks") << u"  lead.wav"_s << false << u"lead.wav"_s;
        QTest::newRow("trailing blanks") << u"trail.wav  "_s << false << u"trail.wav"_s;
        QTest::newRow("line break") << u"new\nline.wav"_s << false << u"new_line.wav"_s;
        // The partial copy adds 9 bytes: a name keeps at most 246, cut before its extension.
        QTest::newRow("250 bytes")
            << QString(246, u'x') + u".wav"_s << false << QString(242, u'x') + u".wav"_s;
        QTest::newRow("two-byte letters cut whole")
            << QString(125, u'è') + u".mp3"_s << false << QString(121, u'è') + u".mp3"_s;
        QTest::newRow("four-byte letters cut whole")
            << u"🎵"_s.repeated(61) + u".wav"_s << false << u"🎵"_s.repeated(60) + u".wav"_s;
    }

    void unsafeNamesReadBack()
    {
        QFETCH(QString, picked);
        QFETCH(bool, inMusiche);
        QFETCH(QString, stored);
        assignAll({6, 12});
        const QString from = (inMusiche ? songs() : outside()) + picked;
        QVERIFY(writeBytes(from, "song"));
        m_dialog.paths = {from};
        m_editor->ComboSelCateg_Click(1);
        m_editor->chooseFile(1); // slot 6
        QCOMPARE(m_questions.asked.size(), 1);
        // A long name is shown with its middle left out.
        const QString told = m_questions.asked.at(0).text;
        QVERIFY2(told.contains(u'"' + stored.first(std::min<qsizetype>(stored.size(), 40))) &&
                     told.contains(stored.last(std::min<qsizetype>(stored.size(), 16)) + u"\"."_s),
                 qPrintable(told));
        QCOMPARE(m_editor->cell(1).caption, stored);
        QVERIFY(m_editor->ApplicaModifiche());
        QCOMPARE(readBytes(songs() + stored), QByteArray("song"));

        AppState reloaded;
        reloaded.Path = m_state.Path;
        CaricaPercorsi(reloaded);
        QCOMPARE(reloaded.PercorsiSalvati.at(6).file, stored);
        QCOMPARE(reloaded.PercorsiSalvati.at(12).file, QString());
        QCOMPARE(LeggiPercorso(reloaded, 0, false, 1), u"0"_s);
    }

    void unusedSafeName()
    {
        assignAll({0});
        QVERIFY(writeBytes(songs() + u"x;y.wav"_s, "song"));
        m_unused = {u"x;y.wav"_s};
        QVERIFY(m_editor->openMenu(0).nonUtilizzate);
        m_editor->useUnused(u"x;y.wav"_s);
        QVERIFY(m_editor->ApplicaModifiche());
        QCOMPARE(TextFile::readLines(m_state.pathsFile()).at(1), u"0=x_y.wav"_s);
        QCOMPARE(readBytes(songs() + u"x_y.wav"_s), QByteArray("song"));
    }

    // Two choices of a song named alike before applying: the first for slot 5 ("Canto" 10),
    // the second for slot `second`. Paths are under the outside folder; "M/" is Musiche.
    void sameNameChosenTwice_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("second");
        QTest::addColumn<QString>("stored"); // the second song's name in Musiche
        QTest::addColumn<QStringList>("told");
        const QString told = u"Il nome \"%1\" è già usato da un'altra canzone scelta: la canzone "
                             u"verrà copiata nella cartella Musiche come \"%2\"."_s;
        QTest::newRow("two folders")
            << u"a/track.wav"_s << u"b/track.wav"_s << 6 << u"track(0).wav"_s
            << QStringList{told.arg(u"track.wav"_s, u"track(0).wav"_s)};
        QTest::newRow("other letter case")
            << u"a/track.wav"_s << u"b/TRACK.WAV"_s << 6 << u"TRACK(0).WAV"_s
            << QStringList{told.arg(u"TRACK.WAV"_s, u"TRACK(0).WAV"_s)};
        // Musiche holds song7.wav; slot 7 names song7(0).wav, a file that is missing.
        QTest::newRow("the free name skips names in use")
            << u"a/other.wav"_s << u"b/song7.wav"_s << 6 << u"song7(1).wav"_s
            << QStringList{u"Il file %1song7.wav esiste già. Lo vuoi sostituire?"_s,
                           u"Il nome \"song7.wav\" è già usato da un altro file della cartella "
                           u"Musiche: la canzone verrà copiata nella cartella Musiche come "
                           u"\"song7(1).wav\"."_s};
        QTest::newRow("the same file twice stays one")
            << u"a/track.wav"_s << u"a/track.wav"_s << 6 << u"track.wav"_s << QStringList{};
        QTest::newRow("a renamed file twice stays one")
            << u"a/x;y.wav"_s << u"a/x;y.wav"_s << 6 << u"x_y.wav"_s << QStringList{};
        QTest::newRow("the slot's own choice is replaced")
            << u"a/track.wav"_s << u"b/track.wav"_s << 5 << u"track.wav"_s
            << QStringList{u"Sei sicuro di voler sostituire il file track.wav con il file "
                           u"track.wav?"_s};
    }

    void sameNameChosenTwice()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(int, second);
        QFETCH(QString, stored);
        assignAll({5, 6});
        // A slot names song7(0).wav without the file: the name is not free all the same.
        working(7).file = m_state.PercorsiSalvati.at(7).file = u"song7(0).wav"_s;
        QVERIFY(QDir().mkpath(outside() + u"a"_s) && QDir().mkpath(outside() + u"b"_s));
        QVERIFY(writeBytes(outside() + first, "first"));
        QVERIFY(QFileInfo::exists(outside() + then) || writeBytes(outside() + then, "second"));
        m_dialog.paths = {outside() + first, outside() + then};
        QStringList inMusiche = QDir(songs()).entryList(QDir::Files);
        m_editor->ComboSelCateg_Click(1);
        m_editor->chooseFile(0);
        m_questions = ScriptedQuestions();
        m_editor->chooseFile(second - 5);
        QFETCH(QStringList, told);
        for (QString &text : told)
            text.replace(u"%1"_s, songs());
        QCOMPARE(m_questions.texts(), told);
        QCOMPARE(name(second), stored);

        QVERIFY(m_editor->ApplicaModifiche());
        AppState reloaded;
        reloaded.Path = m_state.Path;
        CaricaPercorsi(reloaded);
        QCOMPARE(reloaded.PercorsiSalvati.at(std::size_t(second)).file, stored);
        QCOMPARE(readBytes(songs() + stored), readBytes(outside() + then));
        const QString firstName = reloaded.PercorsiSalvati.at(5).file;
        if (second != 5)
            QCOMPARE(readBytes(songs() + firstName), QByteArray("first"));
        // Nothing but the chosen songs was added to Musiche.
        inMusiche << firstName << stored;
        inMusiche.removeDuplicates();
        inMusiche.sort();
        QStringList after = QDir(songs()).entryList(QDir::Files);
        after.sort();
        QCOMPARE(after, inMusiche);
    }

    void swap_data()
    {
        QTest::addColumn<bool>("move"); // "Sposta in..." rather than "Sostituisci con..."
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("cell");  // slot 1 (the cell whose menu is open) afterwards
        QTest::addColumn<QString>("other"); // slot 17 ("Ballo" 30) afterwards
        QTest::addColumn<bool>("red");
        QTest::newRow("replace No empties the source")
            << false << Answer::No << u"song17.wav"_s << QString() << false;
        QTest::newRow("replace Yes swaps")
            << false << Answer::Yes << u"song17.wav"_s << u"song1.wav"_s << false;
        QTest::newRow("replace Cancel")
            << false << Answer::Cancel << u"song1.wav"_s << u"song17.wav"_s << false;
        QTest::newRow("move No leaves the cell empty")
            << true << Answer::No << QString() << u"song1.wav"_s << true;
        QTest::newRow("move Yes swaps")
            << true << Answer::Yes << u"song17.wav"_s << u"song1.wav"_s << false;
        QTest::newRow("move Cancel")
            << true << Answer::Cancel << u"song1.wav"_s << u"song17.wav"_s << false;
    }

    void swap()
    {
        QFETCH(bool, move);
        QFETCH(Answer, answer);
        QFETCH(bool, red);
        assignAll();
        m_editor->ComboSelCateg_Click(0);
        (void)m_editor->openMenu(1);
        m_questions.answers = {answer};
        if (move)
            m_editor->SpCanzone(2, 3);
        else
            m_editor->StCanzone(2, 3);
        QCOMPARE(m_questions.texts(),
                 QStringList{move ? u"Vuoi invertire le due canzoni anziché semplicemente spostare "
                                    u"[song1.wav] al posto di [song17.wav] ?"_s
                                  : u"Vuoi invertire le due canzoni anziché semplicemente "
                                    u"sostituire [song1.wav] con [song17.wav] ?"_s});
        QCOMPARE(m_questions.asked.at(0).buttons, QuestionPort::Buttons::YesNoCancel);
        QTEST(name(1), "cell");
        QTEST(name(17), "other");
        QCOMPARE(m_editor->cell(1).red, red);
        QCOMPARE(m_editor->cell(1).caption, red ? u"Non Impostata o commentata"_s : name(1));
        if (move && answer == Answer::Yes) {
            QVERIFY(m_editor->ApplicaModifiche());
            const QStringList lines = TextFile::readLines(m_state.pathsFile());
            QVERIFY(lines.contains(u"1=song17.wav"_s) && lines.contains(u"17=song1.wav"_s));
        }
    }

    void swapWithItselfKeepsTheSong()
    {
        assignAll();
        (void)m_editor->openMenu(2);
        m_questions.answers = {Answer::No, Answer::No};
        m_editor->StCanzone(2, 0);
        m_editor->SpCanzone(2, 0);
        QCOMPARE(name(2), u"song2.wav"_s);
        QVERIFY(m_questions.asked.isEmpty());
    }

    void pasteNeedsACopy()
    {
        assignAll();
        QVERIFY(!m_editor->openMenu(0).incolla);
        working(0).file = u"unsaved.wav"_s;
        m_editor->Copia(); // takes the saved entry
        QVERIFY(m_editor->openMenu(4).incolla);
        m_editor->Incolla();
        QCOMPARE(name(4), u"song0.wav"_s);
        // The clipboard outlives the editor, as it does the options window.
        SongEditor again(m_state, *m_check, m_questions, m_dialog, {});
        QVERIFY(again.openMenu(3).incolla);
    }

    void moveEntriesAtTheEnds_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("down");
        QTest::newRow("top") << 0 << false << true;
        QTest::newRow("middle") << 2 << true << true;
        QTest::newRow("bottom") << 4 << true << false;
    }

    void moveEntriesAtTheEnds()
    {
        QFETCH(int, label);
        assignAll();
        const SongEditor::Menu menu = m_editor->openMenu(label);
        QTEST(menu.spostaSu, "up");
        QTEST(menu.spostaGiu, "down");
        QCOMPARE(menu.categories.at(3).at(2), u"30 => song17.wav"_s);
    }

    void nonUtilizzate_data()
    {
        QTest::addColumn<QStringList>("unused");
        QTest::newRow("everything used") << QStringList{};
        QTest::newRow("two unused") << QStringList{u"a.wav"_s, u"b.mp3"_s};
    }

    void nonUtilizzate()
    {
        QFETCH(QStringList, unused);
        assignAll();
        m_unused = unused;
        const SongEditor::Menu menu = m_editor->openMenu(0);
        QCOMPARE(menu.nonUtilizzate, !unused.isEmpty());
        QCOMPARE(menu.unused, unused);
    }

    void moves_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<bool>("selected"); // moved as the selection rather than by its arrow
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("selection");
        QTest::addColumn<QString>("copied"); // what "Copia" on the moved cell takes
        QTest::newRow("top up: nothing")
            << 0 << QList<int>{1} << false << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}
            << 5 << u"song10.wav"_s;
        QTest::newRow("bottom down: nothing")
            << 4 << QList<int>{-1} << false << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}
            << 5 << u"song14.wav"_s;
        QTest::newRow("down twice from 1")
            << 1 << QList<int>{-1, -1} << false
            << QStringList{u"0"_s, u"2"_s, u"3"_s, u"1"_s, u"4"_s} << 5 << u"song13.wav"_s;
        QTest::newRow("selection up stays selected")
            << 3 << QList<int>{1} << true << QStringList{u"0"_s, u"1"_s, u"3"_s, u"2"_s, u"4"_s}
            << 2 << u"song12.wav"_s;
    }

    void moves()
    {
        QFETCH(int, label);
        QFETCH(QList<int>, deltas);
        QFETCH(bool, selected);
        QFETCH(QStringList, order);
        assignAll();
        m_editor->ComboSelCateg_Click(2);
        if (selected)
            m_editor->SelDeselPulsante(label, SongEditor::Button::Left);
        for (int delta : deltas)
            (void)(selected ? m_editor->selectionMove(delta) : m_editor->cellMove(label, delta));
        while (m_editor->stepMove()) {
        }
        QStringList songsShown;
        for (int position = 0; position < 5; ++position)
            songsShown.append(name(10 + position).mid(5, 1));
        QCOMPARE(songsShown, order);
        // The moved cell's label now stands where its song went.
        QCOMPARE(m_editor->cell(label).caption, u"song1%1.wav"_s.arg(label));
        QTEST(m_editor->iSelezionato(), "selection");
        QCOMPARE(m_editor->DiffSposta(), 0);
        // "Copia" takes the saved song of the slot where the cell stands now.
        (void)m_editor->openMenu(label);
        m_editor->Copia();
        QTEST(m_state.Appunti.file, "copied");
    }

    void stepsFollowTheSlide_data()
    {
        // "cell L +1" / "cell L -1": a cell's own arrow; "step U": a step completed on screen
        // in direction U (0: the queue's). Each op's result in results.
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QList<bool>>("results");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("pending");
        QTest::newRow("turned back before the first step ends")
            << QStringList{u"cell 2 +1"_s, u"cell 2 -1"_s, u"step 1"_s, u"step -1"_s}
            << QList<bool>{true, true, true, true}
            << QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s} << 0;
        QTest::newRow("another cell's arrow waits")
            << QStringList{u"cell 1 -1"_s, u"cell 3 +1"_s, u"step -1"_s, u"step 0"_s}
            << QList<bool>{true, false, true, false}
            << QStringList{u"0"_s, u"2"_s, u"1"_s, u"3"_s, u"4"_s} << 0;
        QTest::newRow("the moving cell's arrow queues")
            << QStringList{u"cell 1 -1"_s, u"cell 1 -1"_s, u"step -1"_s}
            << QList<bool>{true, true, true} << QStringList{u"0"_s, u"2"_s, u"1"_s, u"3"_s, u"4"_s}
            << -1;
        QTest::newRow("queued past the top ends there")
            << QStringList{u"cell 1 +1"_s, u"cell 1 +1"_s, u"step 1"_s, u"step 0"_s}
            << QList<bool>{true, true, true, false}
            << QStringList{u"1"_s, u"0"_s, u"2"_s, u"3"_s, u"4"_s} << 0;
    }

    void stepsFollowTheSlide()
    {
        QFETCH(QStringList, ops);
        QFETCH(QList<bool>, results);
        QFETCH(QStringList, order);
        assignAll();
        m_editor->ComboSelCateg_Click(2);
        for (qsizetype i = 0; i < ops.size(); ++i) {
            const QStringList words = ops.at(i).split(u' ');
            const bool done = words[0] == u"cell"
                                  ? m_editor->cellMove(words[1].toInt(), words[2].toInt())
                                  : m_editor->stepMove(words[1].toInt());
            QVERIFY2(done == results.at(i), qPrintable(ops.at(i)));
        }
        QStringList songsShown;
        for (int position = 0; position < 5; ++position)
            songsShown.append(name(10 + position).mid(5, 1));
        QCOMPARE(songsShown, order);
        QTEST(m_editor->DiffSposta(), "pending");
    }

    void rightClickNeverDeselects()
    {
        assignAll();
        m_editor->SelDeselPulsante(2, SongEditor::Button::Left);
        QVERIFY(m_editor->cell(2).selected);
        m_editor->SelDeselPulsante(2, SongEditor::Button::Right);
        QVERIFY(m_editor->cell(2).selected);
        m_editor->SelDeselPulsante(3, SongEditor::Button::Right);
        QVERIFY(!m_editor->cell(2).selected && m_editor->cell(3).selected);
        m_editor->SelDeselPulsante(3, SongEditor::Button::Left);
        QCOMPARE(m_editor->iSelezionato(), SongEditor::NoCell);
    }

    void resetAndRestore_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QString>("after");
        QTest::newRow("OK") << Answer::Ok << u"song0.wav"_s;
        QTest::newRow("Cancel") << Answer::Cancel << QString();
    }

    void resetAndRestore()
    {
        assignAll();
        m_editor->RimuoviCanzone(0);
        QVERIFY(m_editor->cell(0).red);
        QVERIFY(m_editor->noFileShown());
        QFETCH(Answer, answer);
        QFETCH(QString, after);
        m_questions.answers = {answer};
        m_editor->Resetta();
        QCOMPARE(m_questions.texts(),
                 QStringList{u"Rinunci al tuo lavoro? Perderai le impostazioni di quiesta sessione "
                             u"relative alle canzoni"_s});
        QCOMPARE(m_questions.asked.at(0).buttons, QuestionPort::Buttons::OkCancel);
        QCOMPARE(name(0), after);
        QCOMPARE(m_editor->cell(0).red, after.isEmpty());
        // The restore button brings back the saved song either way.
        m_editor->Ripristina(0);
        QCOMPARE(m_editor->cell(0).caption, u"song0.wav"_s);
        QVERIFY(!m_editor->noFileShown());
    }
};

QTEST_GUILESS_MAIN(TestSongEditor)
#include "tst_songeditor.moc"
