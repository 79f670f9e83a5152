#include "core/appstate.h"
#include "core/musicpack.h"
#include "core/settingsfile.h"
#include "core/songpaths.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QFileInfo>
#include <QTest>

namespace {

const QString Executable = QStringLiteral("zefiro");
const QString Version = QStringLiteral(ZEFIRO_VERSION);
const QString PackQuestion = QStringLiteral(
    "Vuoi utilizzare le canzoni di Zefiro Music Pack al posto di quelle impostate in precedenza? "
    "NOTA: Le impostazioni delle canzoni precedenti non verranno perse");

QStringList noNames()
{
    return QStringList(SlotCount, QString());
}

// The 34 lines a rewritten paths file must hold, built from the file's documented layout.
QByteArray writtenForm(const QStringList &names)
{
    static const char *const sections[] = {"[Spot]", "[Canto]", "[Colonne Sonore]", "[Ballo]",
                                           "[Scelte dagli educatori]"};
    QByteArray out;
    for (int c = 0; c < 5; ++c) {
        if (c > 0)
            out += "\r\n";
        out += QByteArray(sections[c]) + "\r\n";
        for (int k = 0; k < 5; ++k) {
            const int slot = c * 5 + k;
            out += QByteArray::number(slot) + '=' + names.value(slot).toUtf8() + "\r\n";
        }
    }
    return out;
}

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Entries of folder whose names equal name ignoring case.
QStringList matching(const QString &folder, const QString &name)
{
    QStringList result;
    const QStringList entries = folderEntries(folder);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            result.append(entry);
    }
    return result;
}

} // namespace

class TestMusicPack : public QObject {
    Q_OBJECT

private slots:
    void init();

    void packChoice_data();
    void packChoice();
    void packQuestionAskedOnce();

    void migration_data();
    void migration();
    void oldPathsFiles_data();
    void oldPathsFiles();

    void installMovesEverything();
    void collision_data();
    void collision();
    void entryThatCannotMoveKeepsItsFolder();
    void songsFolderThatIsAFile();
    void svnRemoval_data();
    void svnRemoval();
    void linkedPackFolderSkipped_data();
    void linkedPackFolderSkipped();

    void folderCleanup_data();
    void folderCleanup();

private:
    MusicPack pack() { return MusicPack(m_state, m_questions, m_windows, Executable); }
    QString at(const QString &relative) const { return m_state.file(relative); }
    QString outside(const QString &relative) const { return m_folder.outside(relative); }
    void put(const QString &path, const QByteArray &bytes);
    void putOutsideTree();
    void checkOutsideTree();

    ProgramFolderFixture m_folder;
    AppState m_state;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
};

void TestMusicPack::init()
{
    QVERIFY(m_folder.reset(m_state, false));
    m_state.Avvio = 1;
    m_questions = ScriptedQuestions();
    m_windows = RecordingWindows();
}

void TestMusicPack::put(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY2(writeBytes(path, bytes), qPrintable(path));
}

// A folder outside the program folder that links may point at: it must survive everything.
void TestMusicPack::putOutsideTree()
{
    put(outside(QStringLiteral("fuori/keep.txt")), "keep");
    put(outside(QStringLiteral("fuori/sub/deep.txt")), "deep");
    put(outside(QStringLiteral("solo.txt")), "solo");
}

void TestMusicPack::checkOutsideTree()
{
    const QFileInfo folder(outside(QStringLiteral("fuori")));
    QVERIFY(folder.isDir() && !folder.isSymLink());
    QCOMPARE(readBytes(outside(QStringLiteral("fuori/keep.txt"))), QByteArray("keep"));
    QCOMPARE(readBytes(outside(QStringLiteral("fuori/sub/deep.txt"))), QByteArray("deep"));
    QCOMPARE(readBytes(outside(QStringLiteral("solo.txt"))), QByteArray("solo"));
}

void TestMusicPack::packChoice_data()
{
    QTest::addColumn<QString>("usazmp");
    QTest::addColumn<QString>("packFile"); // empty: no pack file
    QTest::addColumn<QString>("userFile");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("filePercorsi");
    QTest::addColumn<QString>("usazmpAfter");

    const auto row = [](const char *name, const char *usazmp, const char *packFile,
                        const char *userFile, bool answerYes, bool asked, const char *chosen,
                        const char *after) {
        QTest::newRow(name) << usazmp << packFile << userFile << answerYes << asked << chosen
                            << after;
    };
    const char *const pack = "PercorsiZMP.ini";
    const char *const user = "Percorsi.ini";
    row("undecided, pack, no", "2", pack, user, false, true, "/Percorsi.ini", "0");
    row("undecided, pack, yes", "2", pack, user, true, true, "/PercorsiZMP.ini", "1");
    row("undecided, lower-case pack, yes", "2", "percorsizmp.ini", user, true, true,
        "/percorsizmp.ini", "1");
    row("undecided, no, user file in capitals", "2", pack, "PERCORSI.INI", false, true,
        "/PERCORSI.INI", "0");
    row("undecided, no pack", "2", "", user, true, false, "/Percorsi.ini", "2");
    row("pack chosen, present", "1", pack, user, true, false, "/PercorsiZMP.ini", "1");
    row("pack chosen, pack gone", "1", "", user, true, false, "/Percorsi.ini", "2");
    row("pack chosen, pack gone, user file in capitals", "1", "", "PERCORSI.INI", true, false,
        "/PERCORSI.INI", "2");
    row("user chosen, present", "0", pack, "PERCORSI.INI", true, false, "/PERCORSI.INI", "0");
    row("user chosen, pack gone", "0", "", user, true, false, "/Percorsi.ini", "2");
    row("not a number counts as 0", "si", pack, user, true, false, "/Percorsi.ini", "si");
}

void TestMusicPack::packChoice()
{
    QFETCH(QString, usazmp);
    QFETCH(QString, packFile);
    QFETCH(QString, userFile);
    QFETCH(bool, answerYes);
    QFETCH(bool, asked);
    QFETCH(QString, filePercorsi);
    QFETCH(QString, usazmpAfter);

    if (!packFile.isEmpty())
        put(at(packFile), "0=pack.mp3\r\n");
    put(at(userFile), "0=mine.mp3\r\n");
    m_state.settings.setValue(QStringLiteral("usazmp"), usazmp);
    m_questions.answers = {answerYes ? QuestionPort::Answer::Yes : QuestionPort::Answer::No};
    pack().ScegliPack();

    QCOMPARE(m_questions.asked.size(), asked ? 1 : 0);
    if (asked) {
        const auto &question = m_questions.asked.first();
        QCOMPARE(question.text, PackQuestion);
        QCOMPARE(question.title, QStringLiteral("Zefiro"));
        QCOMPARE(question.icon, QuestionPort::Icon::None);
        QCOMPARE(question.buttons, QuestionPort::Buttons::YesNo);
    }
    QCOMPARE(m_state.FilePercorsi, filePercorsi);
    QCOMPARE(m_state.settings.value(QStringLiteral("usazmp")), usazmpAfter);
    // The chosen name must lead to the file that is there, whatever its letter case.
    CaricaPercorsi(m_state);
    const bool packUsed = filePercorsi.compare(u'/' + packFile, Qt::CaseInsensitive) == 0;
    QCOMPARE(m_state.PercorsiSalvati[0].file,
             packUsed ? QStringLiteral("pack.mp3") : QStringLiteral("mine.mp3"));
}

void TestMusicPack::packQuestionAskedOnce()
{
    put(at(QStringLiteral("PercorsiZMP.ini")), "0=pack.mp3\r\n");
    m_questions.answers = {QuestionPort::Answer::No};
    pack().ScegliPack();
    pack().ScegliPack();
    QCOMPARE(m_questions.texts(), QStringList{PackQuestion});
    QCOMPARE(m_state.settings.value(QStringLiteral("usazmp")), QStringLiteral("0"));

    // The answer survives a normal end and the next start.
    QVERIFY(SalvaImpostazioni(m_state).ok);
    QVERIFY(readBytes(at(QStringLiteral("Impostazioni.ini"))).contains("\r\nusazmp=0\r\n"));
    m_state = AppState();
    m_state.Path = m_folder.path();
    m_state.Avvio = 1;
    FakeProgress progress;
    CaricaImpostazioni(m_state, progress);
    pack().ScegliPack();
    QCOMPARE(m_questions.asked.size(), 1);
    QCOMPARE(m_state.FilePercorsi, QStringLiteral("/Percorsi.ini"));
}

void TestMusicPack::migration_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("names"); // empty: the file must stay as it was

    QByteArray numbered;
    QStringList renumbered = noNames();
    for (int c = 0; c < 5; ++c) {
        // The two numbers in front of each category's songs carried no song.
        numbered += QByteArray::number(c * 7) + "=vuoto" + QByteArray::number(c) + "\r\n";
        numbered += QByteArray::number(c * 7 + 1) + "=vuoto\r\n";
        for (int k = 0; k < 5; ++k) {
            const QString name = QStringLiteral("c%1k%2.mp3").arg(c).arg(k);
            numbered += QByteArray::number(c * 7 + 2 + k) + '=' + name.toUtf8() + "\r\n";
            renumbered[c * 5 + k] = name;
        }
    }
    QTest::newRow("numbered, all 35 numbers") << "Percorsi.ini" << numbered << renumbered;

    QStringList last = noNames();
    last[24] = QStringLiteral("ultima.mp3");
    QTest::newRow("numbered, only 34") << "Percorsi.ini" << QByteArray("34=ultima.mp3\n") << last;

    QStringList first = noNames();
    first[0] = QStringLiteral("a.mp3");
    first[1] = QStringLiteral("b.mp3");
    first[17] = QStringLiteral("x.mp3");
    QTest::newRow("numbered pack file, 25 present")
        << "PercorsiZMP.ini" << QByteArray("2=a.mp3\r\n3=b.mp3\r\n25=x.mp3\r\n") << first;

    QStringList comments = noNames();
    comments[0] = QStringLiteral("a.mp3");
    comments[1] = QStringLiteral("b.mp3 "); // text before ";" is not trimmed again
    comments[2] = QStringLiteral("c.mp3");
    comments[3] = QStringLiteral("d.mp3");
    QTest::newRow("commented")
        << "Percorsi.ini"
        << QByteArray("[Spot]\r\n0=a.mp3;vecchio\r\n1= b.mp3 ; nota\r\n;2=c.mp3\r\n3=d.mp3\r\n")
        << comments;

    QStringList inName = noNames();
    inName[4] = QStringLiteral("Rock");
    QTest::newRow("semicolon only in a song name")
        << "Percorsi.ini" << QByteArray("4=Rock;Roll.mp3\r\n") << inName;

    // Renumbering ends the migration: comments are not stripped in the same start.
    QStringList both = noNames();
    both[0] = QStringLiteral("a.mp3;x");
    both[20] = QStringLiteral("z.mp3");
    QTest::newRow("numbers win over comments")
        << "Percorsi.ini" << QByteArray("2=a.mp3;x\r\n30=z.mp3\r\n") << both;

    QTest::newRow("current layout untouched")
        << "Percorsi.ini" << QByteArray("3=a.mp3\n24=z.mp3\n") << QStringList();
}

void TestMusicPack::migration()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, before);
    QFETCH(QStringList, names);

    const QByteArray other("0=della.mp3\r\n30=altro.mp3\r\n");
    const QString otherName = fileName == u"Percorsi.ini" ? QStringLiteral("PercorsiZMP.ini")
                                                          : QStringLiteral("Percorsi.ini");
    put(at(fileName), before);
    put(at(otherName), other);
    m_state.FilePercorsi = u'/' + fileName;

    MusicPack steps = pack();
    steps.MigraPercorsi();
    QCOMPARE(readBytes(at(otherName)), other); // only the file in use is migrated
    if (names.isEmpty()) {
        QCOMPARE(readBytes(at(fileName)), before);
        QVERIFY(m_windows.copyModes.isEmpty());
        return;
    }
    const QByteArray after = readBytes(at(fileName));
    QCOMPARE(after, writtenForm(names));
    QCOMPARE(after.count("\r\n"), 34);
    QCOMPARE(m_windows.copyModes, QList<int>{1});
    QCOMPARE(m_state.ModoCopia, 1);
    QVERIFY(m_windows.copyOpen);

    // The install that follows closes the copy window, and its reload and save trim the names.
    steps.InstallaPack();
    QVERIFY(!m_windows.copyOpen);
    QCOMPARE(m_windows.copyCloses, 1);
    QVERIFY(m_questions.asked.isEmpty());
    for (QString &name : names)
        name = name.trimmed();
    QCOMPARE(readBytes(at(fileName)), writtenForm(names));
    // A renumbered file keeps a ";" of a song name, and the next start then strips it; any other
    // migrated file is left alone from now on.
    if (!names.join(QString()).contains(u';')) {
        pack().MigraPercorsi();
        QCOMPARE(m_windows.copyModes.size(), 1);
        QCOMPARE(readBytes(at(fileName)), writtenForm(names));
    }
}

void TestMusicPack::oldPathsFiles_data()
{
    QTest::addColumn<QString>("percorsi");
    QTest::addColumn<QStringList>("oldFiles");     // in Percorsi/
    QTest::addColumn<QStringList>("presentFiles"); // in the program folder
    QTest::addColumn<QByteArray>("userFile");      // then in the program folder; empty: none
    QTest::addColumn<QByteArray>("packFile");
    QTest::addColumn<QStringList>("leftBehind");
    QTest::addColumn<int>("reports");

    const QStringList none;
    QTest::newRow("named file moved")
        << "vecchio.ini" << QStringList{QStringLiteral("vecchio.ini")} << none
        << QByteArray("old:vecchio.ini") << QByteArray() << none << 0;
    QTest::newRow("named file differs in case")
        << "vecchio.ini" << QStringList{QStringLiteral("Vecchio.ini")} << none << QByteArray()
        << QByteArray() << QStringList{QStringLiteral("Vecchio.ini")} << 0;
    QTest::newRow("pack file moved")
        << "" << QStringList{QStringLiteral("percorsizmp.ini")} << none << QByteArray()
        << QByteArray("old:percorsizmp.ini") << none << 0;
    QTest::newRow("pack file in capitals moved")
        << "" << QStringList{QStringLiteral("PERCORSIZMP.INI")} << none << QByteArray()
        << QByteArray("old:PERCORSIZMP.INI") << none << 0;
    QTest::newRow("both moved") << "a.ini"
                                << QStringList{QStringLiteral("a.ini"),
                                               QStringLiteral("PercorsiZMP.ini")}
                                << none << QByteArray("old:a.ini")
                                << QByteArray("old:PercorsiZMP.ini") << none << 0;
    QTest::newRow("existing paths file kept")
        << "vecchio.ini" << QStringList{QStringLiteral("vecchio.ini")}
        << QStringList{QStringLiteral("Percorsi.ini")} << QByteArray("here:Percorsi.ini")
        << QByteArray() << QStringList{QStringLiteral("vecchio.ini")} << 1;
    QTest::newRow("existing paths file in capitals kept")
        << "vecchio.ini" << QStringList{QStringLiteral("vecchio.ini")}
        << QStringList{QStringLiteral("PERCORSI.INI")} << QByteArray("here:PERCORSI.INI")
        << QByteArray() << QStringList{QStringLiteral("vecchio.ini")} << 1;
    QTest::newRow("existing pack file kept") << "" << QStringList{QStringLiteral("percorsizmp.ini")}
                                             << QStringList{QStringLiteral("PercorsiZMP.ini")}
                                             << QByteArray() << QByteArray("here:PercorsiZMP.ini")
                                             << QStringList{QStringLiteral("percorsizmp.ini")} << 1;
    QTest::newRow("setting names a path out of the folder")
        << "../altro.ini" << none << QStringList{QStringLiteral("altro.ini")} << QByteArray()
        << QByteArray() << none << 0;
    QTest::newRow("setting names a missing file")
        << "manca.ini" << QStringList{QStringLiteral("altro.ini")} << none << QByteArray()
        << QByteArray() << QStringList{QStringLiteral("altro.ini")} << 0;
}

void TestMusicPack::oldPathsFiles()
{
    QFETCH(QString, percorsi);
    QFETCH(QStringList, oldFiles);
    QFETCH(QStringList, presentFiles);
    QFETCH(QByteArray, userFile);
    QFETCH(QByteArray, packFile);
    QFETCH(QStringList, leftBehind);
    QFETCH(int, reports);

    QVERIFY(QDir().mkpath(at(QStringLiteral("Percorsi"))));
    for (const QString &name : oldFiles)
        put(at(QStringLiteral("Percorsi/")) + name, "old:" + name.toUtf8());
    for (const QString &name : presentFiles)
        put(at(name), "here:" + name.toUtf8());
    m_state.settings.setValue(QStringLiteral("percorsi"), percorsi);
    pack().SpostaVecchiPercorsi();

    const auto contentOf = [&](const QString &name) {
        const QStringList found = matching(m_state.Path, name);
        return found.size() == 1 ? readBytes(at(found.first())) : QByteArray();
    };
    // Never a second copy beside one in another letter case.
    QCOMPARE(matching(m_state.Path, QStringLiteral("Percorsi.ini")).size(),
             userFile.isEmpty() ? 0 : 1);
    QCOMPARE(matching(m_state.Path, QStringLiteral("PercorsiZMP.ini")).size(),
             packFile.isEmpty() ? 0 : 1);
    QCOMPARE(contentOf(QStringLiteral("Percorsi.ini")), userFile);
    QCOMPARE(contentOf(QStringLiteral("PercorsiZMP.ini")), packFile);
    QCOMPARE(folderEntries(at(QStringLiteral("Percorsi"))), leftBehind);
    for (const QString &name : presentFiles)
        QCOMPARE(readBytes(at(name)), "here:" + name.toUtf8());
    QCOMPARE(m_questions.asked.size(), reports);
}

void TestMusicPack::installMovesEverything()
{
    putOutsideTree();
    put(at(QStringLiteral("Spot/s.mp3")), "s");
    put(at(QStringLiteral("Spot/.nascosto")), "h");
    QVERIFY(QDir().mkpath(at(QStringLiteral("Canto"))));
    QVERIFY(QFile::link(outside(QStringLiteral("solo.txt")), at(QStringLiteral("Canto/link.mp3"))));
    put(at(QStringLiteral("colson/cs.mp3")), "cs"); // folder names in any letter case
    QVERIFY(QDir().mkpath(at(QStringLiteral("Ballo"))));
    put(at(QStringLiteral("SceEdu/video/clip.avi")), "clip");
    put(at(QStringLiteral("Percorsi.ini")), "0=s.mp3\n");

    pack().InstallaPack();

    const QString songs = m_state.songsFolder();
    QCOMPARE(folderEntries(songs),
             (QStringList{QStringLiteral(".nascosto"), QStringLiteral("cs.mp3"),
                          QStringLiteral("link.mp3"), QStringLiteral("s.mp3"),
                          QStringLiteral("video")}));
    QCOMPARE(readBytes(songs + QStringLiteral("s.mp3")), QByteArray("s"));
    QCOMPARE(readBytes(songs + QStringLiteral("video/clip.avi")), QByteArray("clip"));
    // A link is moved as a link: what it points at stays where it was.
    QVERIFY(QFileInfo(songs + QStringLiteral("link.mp3")).isSymLink());
    checkOutsideTree();

    QCOMPARE(folderEntries(m_state.Path),
             (QStringList{QStringLiteral("Musiche"), QStringLiteral("Percorsi.ini")}));
    QStringList names = noNames();
    names[0] = QStringLiteral("s.mp3");
    QCOMPARE(readBytes(at(QStringLiteral("Percorsi.ini"))), writtenForm(names));
    QCOMPARE(m_state.PercorsiSalvati[0].fullPath(), songs + QStringLiteral("s.mp3"));
    QVERIFY(m_questions.asked.isEmpty());
    QVERIFY(m_windows.copyModes.isEmpty());
    QCOMPARE(m_windows.copyCloses, 0);
}

void TestMusicPack::collision_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QStringList>("taken"); // already in the songs folder
    QTest::addColumn<QString>("newName");

    QTest::newRow("a.mp3 taken") << "a.mp3" << false << QStringList{QStringLiteral("a.mp3")}
                                 << "a(0).mp3";
    QTest::newRow("a(0).mp3 taken too")
        << "a.mp3" << false << QStringList{QStringLiteral("a.mp3"), QStringLiteral("a(0).mp3")}
        << "a(1).mp3";
    QTest::newRow("taken in other letter case")
        << "a.mp3" << false << QStringList{QStringLiteral("A.MP3"), QStringLiteral("A(0).mp3")}
        << "a(1).mp3";
    QTest::newRow("last dot decides")
        << "a.b.mp3" << false << QStringList{QStringLiteral("a.b.mp3")} << "a.b(0).mp3";
    QTest::newRow("no extension") << "leggimi" << false << QStringList{QStringLiteral("leggimi")}
                                  << "leggimi(0)";
    QTest::newRow("folder keeps its dot")
        << "cartella.x" << true << QStringList{QStringLiteral("cartella.x")} << "cartella.x(0)";
}

void TestMusicPack::collision()
{
    QFETCH(QString, entry);
    QFETCH(bool, folder);
    QFETCH(QStringList, taken);
    QFETCH(QString, newName);

    const QString songs = m_state.songsFolder();
    for (const QString &name : taken)
        put(songs + name, "old");
    if (folder)
        put(at(QStringLiteral("Ballo/")) + entry + QStringLiteral("/dentro.txt"), "pack");
    else
        put(at(QStringLiteral("Ballo/")) + entry, "pack");
    // Two Ballo slots and a Spot slot name the entry: only the first Ballo slot follows it.
    const QByteArray name = entry.toUtf8();
    put(at(QStringLiteral("Percorsi.ini")), "0=" + name + "\r\n15=" + name + "\r\n16=" + name);

    pack().InstallaPack();

    const QString expected = folder ? entry : newName;
    for (const PathsTable *table : {&m_state.PercorsiSalvati, &m_state.PercorsiModifica}) {
        QCOMPARE(table->at(0).file, entry);
        QCOMPARE(table->at(15).file, expected);
        QCOMPARE(table->at(16).file, entry);
    }
    QStringList names = noNames();
    names[0] = entry;
    names[15] = expected;
    names[16] = entry;
    QCOMPARE(readBytes(at(QStringLiteral("Percorsi.ini"))), writtenForm(names));
    QCOMPARE(readBytes(songs + newName + (folder ? QStringLiteral("/dentro.txt") : QString())),
             QByteArray("pack"));
    for (const QString &name : taken)
        QCOMPARE(readBytes(songs + name), QByteArray("old"));
    QCOMPARE(folderEntries(songs).size(), taken.size() + 1);
    QVERIFY(!present(at(QStringLiteral("Ballo"))));
    QVERIFY(m_questions.asked.isEmpty());
}

void TestMusicPack::entryThatCannotMoveKeepsItsFolder()
{
    // The free name of a colliding 255-character name is too long for the file system.
    const QString longName = QString(251, u'x') + QStringLiteral(".mp3");
    const QString songs = m_state.songsFolder();
    put(songs + longName, "old");
    put(at(QStringLiteral("Ballo/")) + longName, "pack");
    put(at(QStringLiteral("Ballo/ok.mp3")), "ok");
    put(at(QStringLiteral("Spot/s.mp3")), "s");
    put(at(QStringLiteral("Percorsi.ini")), "15=ok.mp3\r\n");

    pack().InstallaPack();

    QCOMPARE(m_questions.asked.size(), 1);
    QVERIFY(m_questions.asked.first().text.contains(longName));
    QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Warning);
    QCOMPARE(folderEntries(at(QStringLiteral("Ballo"))), QStringList{longName});
    QCOMPARE(readBytes(at(QStringLiteral("Ballo/")) + longName), QByteArray("pack"));
    QCOMPARE(readBytes(songs + longName), QByteArray("old"));
    QCOMPARE(readBytes(songs + QStringLiteral("ok.mp3")), QByteArray("ok"));
    QCOMPARE(readBytes(songs + QStringLiteral("s.mp3")), QByteArray("s"));
    QVERIFY(!present(at(QStringLiteral("Spot"))));
    QStringList names = noNames();
    names[15] = QStringLiteral("ok.mp3");
    QCOMPARE(readBytes(at(QStringLiteral("Percorsi.ini"))), writtenForm(names));
}

void TestMusicPack::songsFolderThatIsAFile()
{
    put(at(QStringLiteral("Musiche")), "not a folder");
    put(at(QStringLiteral("Spot/s.mp3")), "s");

    pack().InstallaPack();

    QCOMPARE(m_questions.asked.size(), 2);
    const QStringList texts = m_questions.texts();
    QVERIFY(texts.first().contains(QStringLiteral("Musiche")));
    QVERIFY(texts.last().contains(QStringLiteral("s.mp3")));
    QCOMPARE(readBytes(at(QStringLiteral("Musiche"))), QByteArray("not a folder"));
    QCOMPARE(readBytes(at(QStringLiteral("Spot/s.mp3"))), QByteArray("s"));
}

void TestMusicPack::svnRemoval_data()
{
    QTest::addColumn<bool>("svnIsLink");
    QTest::addColumn<bool>("direct"); // EliminaSvn alone, or through the install
    QTest::newRow("tree, alone") << false << true;
    QTest::newRow("tree, install") << false << false;
    QTest::newRow(".svn is a link out, alone") << true << true;
    QTest::newRow(".svn is a link out, install") << true << false;
}

void TestMusicPack::svnRemoval()
{
    QFETCH(bool, svnIsLink);
    QFETCH(bool, direct);
    putOutsideTree();
    const QString svn = at(QStringLiteral("Ballo/.svn"));
    put(at(QStringLiteral("Ballo/b.mp3")), "b");
    if (svnIsLink) {
        QVERIFY(QFile::link(outside(QStringLiteral("fuori")), svn));
    } else {
        put(svn + QStringLiteral("/entries"), "12");
        QVERIFY(QFile::setPermissions(svn + QStringLiteral("/entries"), QFile::ReadOwner));
        put(svn + QStringLiteral("/.nascosto"), "h");
        put(svn + QStringLiteral("/pristine/ab/abc.svn-base"), "base");
        QVERIFY(QDir().mkpath(svn + QStringLiteral("/tmp")));
        QVERIFY(QFile::link(outside(QStringLiteral("fuori")), svn + QStringLiteral("/fuori")));
        QVERIFY(QFile::link(outside(QStringLiteral("solo.txt")), svn + QStringLiteral("/solo")));
    }

    if (direct) {
        QVERIFY(pack().EliminaSvn(QStringLiteral("Ballo")));
        QCOMPARE(folderEntries(at(QStringLiteral("Ballo"))), QStringList{QStringLiteral("b.mp3")});
    } else {
        pack().InstallaPack();
        QVERIFY(!present(at(QStringLiteral("Ballo"))));
        QCOMPARE(folderEntries(m_state.songsFolder()), QStringList{QStringLiteral("b.mp3")});
    }
    QVERIFY(!present(svn));
    checkOutsideTree();
    QVERIFY(m_questions.asked.isEmpty());
}

void TestMusicPack::linkedPackFolderSkipped_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to a folder outside") << "link";
    QTest::newRow("dangling link") << "dangling";
    QTest::newRow("plain file") << "file";
}

void TestMusicPack::linkedPackFolderSkipped()
{
    QFETCH(QString, kind);
    putOutsideTree();
    put(outside(QStringLiteral("fuori/.svn/entries")), "svn");
    const QString spot = at(QStringLiteral("Spot"));
    if (kind == u"link")
        QVERIFY(QFile::link(outside(QStringLiteral("fuori")), spot));
    else if (kind == u"dangling")
        QVERIFY(QFile::link(outside(QStringLiteral("manca")), spot));
    else
        put(spot, "file");
    put(at(QStringLiteral("Canto/c.mp3")), "c");

    pack().InstallaPack();

    QCOMPARE(QFileInfo(spot).isSymLink(), kind != u"file");
    if (kind == u"file")
        QCOMPARE(readBytes(spot), QByteArray("file"));
    checkOutsideTree();
    QCOMPARE(readBytes(outside(QStringLiteral("fuori/.svn/entries"))), QByteArray("svn"));
    QCOMPARE(folderEntries(m_state.songsFolder()), QStringList{QStringLiteral("c.mp3")});
    QVERIFY(!present(at(QStringLiteral("Canto"))));
}

void TestMusicPack::folderCleanup_data()
{
    QTest::addColumn<QString>("cleanpath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind"); // file, folder, link (to a file outside), song
    QTest::addColumn<bool>("kept");

    const QString one = QStringLiteral("1");
    const QString file = QStringLiteral("file");
    QTest::newRow("other version") << one << "zefiro-1.0.txt" << file << false;
    QTest::newRow("current version")
        << one << QStringLiteral("zefiro-%1.txt").arg(Version) << file << true;
    QTest::newRow("running executable") << one << Executable << file << true;
    QTest::newRow("another program file") << one << "zefiro.old" << file << false;
    QTest::newRow("rozefi whatever the version")
        << one << QStringLiteral("rozefiro-%1.zip").arg(Version) << file << false;
    QTest::newRow("name in capitals") << one << "Zefiro-1.0.txt" << file << true;
    QTest::newRow("jpg") << one << "foto.jpg" << file << false;
    QTest::newRow("jpeg") << one << "foto.jpeg" << file << false;
    QTest::newRow("jpg inside the name") << one << "foto.jpg.bak" << file << false;
    QTest::newRow("JPG in capitals") << one << "foto.JPG" << file << true;
    QTest::newRow("jpg of the current version")
        << one << QStringLiteral("zefiro-%1.jpg").arg(Version) << file << true;
    QTest::newRow("jpg of another version") << one << "zefiro-1.0.jpg" << file << false;
    QTest::newRow("settings file") << one << "Impostazioni.ini" << file << true;
    QTest::newRow("paths file") << one << "Percorsi.ini" << file << true;
    QTest::newRow("hidden file") << one << ".anteprima.jpg" << file << true;
    QTest::newRow("folder") << one << "album.jpg" << QStringLiteral("folder") << true;
    QTest::newRow("link goes, its target stays")
        << one << "link.jpg" << QStringLiteral("link") << false;
    QTest::newRow("song in the songs folder")
        << one << "zefiro-1.0.jpg" << QStringLiteral("song") << true;
    QTest::newRow("cleanpath 0") << "0"
                                 << "zefiro-1.0.txt" << file << true;
    QTest::newRow("cleanpath not a number") << "si"
                                            << "foto.jpg" << file << true;
}

void TestMusicPack::folderCleanup()
{
    QFETCH(QString, cleanpath);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, kept);

    putOutsideTree();
    QString path = at(name);
    if (kind == u"folder") {
        put(path + QStringLiteral("/dentro.txt"), "x");
    } else if (kind == u"link") {
        QVERIFY(QFile::link(outside(QStringLiteral("solo.txt")), path));
    } else if (kind == u"song") {
        path = m_state.songsFolder() + name;
        put(path, "x");
    } else {
        put(path, "x");
    }
    put(at(QStringLiteral("Percorsi.ini")), "0=a.mp3\r\n");
    m_state.settings.setValue(QStringLiteral("cleanpath"), cleanpath);

    pack().PulisciCartella();

    QCOMPARE(present(path), kept);
    QVERIFY(present(at(QStringLiteral("Percorsi.ini"))));
    checkOutsideTree();
    QVERIFY(m_questions.asked.isEmpty());
}

QTEST_GUILESS_MAIN(TestMusicPack)
#include "tst_musicpack.moc"
