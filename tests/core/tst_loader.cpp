#include "core/appstate.h"
#include "core/loader.h"
#include "core/restorefile.h"
#include "core/settingsfile.h"
#include "core/songpaths.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString SongCheckQuestion = QStringLiteral(
    "ATTENZIONE!! Alcune caselle non hanno impostato alcun file o il file a cui sono associate "
    "è inesistente. Le vuoi impostare ora?");

QByteArray checkList(const QList<int> &numbers)
{
    QByteArray out;
    for (const int slot : numbers)
        out += QByteArray::number(slot) + ";\r\n";
    return out;
}

QList<int> range(int first, int last)
{
    QList<int> result;
    for (int slot = first; slot <= last; ++slot)
        result.append(slot);
    return result;
}

// What the bar showed when each stage put up its caption.
struct Stage {
    QString caption;
    int value;
    int maximum;
    bool loading;
    bool operator==(const Stage &) const = default;
};

class TracingProgress : public FakeProgress {
public:
    const AppState *state = nullptr;
    QList<Stage> stages;
    void setCaption(const QString &text) override
    {
        FakeProgress::setCaption(text);
        stages.append({text, val, max, state->InCaricamento});
    }
};

// Readable failures for the stage lists.
char *toString(const Stage &stage)
{
    return QTest::toString(QStringLiteral("%1 value %2 of %3%4")
                               .arg(stage.caption)
                               .arg(stage.value)
                               .arg(stage.maximum)
                               .arg(stage.loading ? QString() : QStringLiteral(" (not loading)")));
}

} // namespace

class TestLoader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void prepare_data();
    void prepare();
    void progress_data();
    void progress();
    void packQuestionBeforeSongCheck_data();
    void packQuestionBeforeSongCheck();
    void migrationThenInstallThenPaths();
    void reloadSkipsMigration_data();
    void reloadSkipsMigration();
    void noValidTheme_data();
    void noValidTheme();
    void unreadDataFilesAreNamedAndKept_data();
    void unreadDataFilesAreNamedAndKept();
    void linkOutOfTheFolderIsNamedAndReplaced();

private:
    Loader loader()
    {
        return Loader(m_state, m_progress, m_questions, m_windows, QStringLiteral("zefiro"));
    }
    QString at(const QString &relative) const { return m_state.file(relative); }
    void put(const QString &relative, const QByteArray &bytes);
    // Four theme folders: A and C valid, B with an invalid theme file, D without one.
    void addThemes();

    QTemporaryDir *m_dir = nullptr;
    AppState m_state;
    TracingProgress m_progress;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
};

void TestLoader::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_state = AppState();
    m_state.Path = m_dir->path();
    m_state.Avvio = 1;
    m_progress = TracingProgress();
    m_progress.state = &m_state;
    m_questions = ScriptedQuestions();
    m_windows = RecordingWindows();
    QVERIFY(QDir().mkpath(at(QStringLiteral("Temi"))));
}

void TestLoader::put(const QString &relative, const QByteArray &bytes)
{
    const QString path = at(relative);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY2(writeBytes(path, bytes), qPrintable(path));
}

void TestLoader::addThemes()
{
    put(QStringLiteral("Temi/A/A.ini"), "tabella=a.jpg\r\nesci=e.jpg\r\nsfondo=1\r\n");
    put(QStringLiteral("Temi/B/b.ini"), "tabella=a.jpg\r\n");
    put(QStringLiteral("Temi/C/c.INI"), "tabella=a.jpg\r\nesci=e.jpg\r\ncoloresfondo=2\r\n");
    put(QStringLiteral("Temi/D/altro.ini"), "tabella=a.jpg\r\nesci=e.jpg\r\nsfondo=1\r\n");
    put(QStringLiteral("Temi/leggimi.txt"), "not a theme folder");
}

void TestLoader::prepare_data()
{
    QTest::addColumn<bool>("themes");
    QTest::addColumn<bool>("settings");
    QTest::addColumn<bool>("paths");
    QTest::addColumn<int>("maximum");
    QTest::newRow("all three") << true << true << true << 4 + 3 + 25;
    QTest::newRow("none") << false << false << false << 1;
    QTest::newRow("themes") << true << false << false << 5;
    QTest::newRow("settings") << false << true << false << 4;
    QTest::newRow("paths") << false << false << true << 25;
}

void TestLoader::prepare()
{
    QFETCH(bool, themes);
    QFETCH(bool, settings);
    QFETCH(bool, paths);
    QFETCH(int, maximum);
    addThemes();
    put(QStringLiteral("Impostazioni.ini"), "volprinc=3\r\n\r\n#x");
    m_state.CartelleTemi = {QStringLiteral("prima")};
    m_progress.val = 7;

    loader().PreparaProgresso(themes, settings, paths);
    QCOMPARE(m_progress.maxima, QList<int>{maximum});
    QCOMPARE(m_progress.val, 1);
    QVERIFY(m_state.InCaricamento);
    QCOMPARE(m_state.CartelleTemi, themes ? (QStringList{QStringLiteral("A"), QStringLiteral("B"),
                                                         QStringLiteral("C"), QStringLiteral("D")})
                                          : QStringList{QStringLiteral("prima")});
}

void TestLoader::progress_data()
{
    QTest::addColumn<bool>("settingsFile");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("steps"); // lines that set a key

    QTest::newRow("no settings file") << false << QByteArray() << 0 << 0;
    QTest::newRow("empty settings file") << true << QByteArray("") << 0 << 0;
    QTest::newRow("keys, comment, no equals")
        << true << QByteArray("volprinc=70\r\n# nota=1\r\nsenza uguale\r\nsconosciuta=3\r\n") << 4
        << 2;
    QTest::newRow("blank lines, LF only") << true << QByteArray("\n\nautoplay=0\n") << 3 << 1;
    QTest::newRow("last line without its end")
        << true << QByteArray("autoplay=0\r\nVERAGG = 0") << 2 << 2;
}

void TestLoader::progress()
{
    QFETCH(bool, settingsFile);
    QFETCH(QByteArray, settings);
    QFETCH(int, lines);
    QFETCH(int, steps);
    addThemes();
    if (settingsFile)
        put(QStringLiteral("Impostazioni.ini"), settings);
    m_questions.answers = {QuestionPort::Answer::No};

    QVERIFY(loader().Caricamento(true));

    const int maximum = 4 + lines + 25;
    // One maximum for the whole load: no stage may reopen the window and start over.
    QCOMPARE(m_progress.maxima, QList<int>{maximum});
    const QList<Stage> expected{
        {QStringLiteral("Caricamento Impostazioni..."), 1, maximum, true},
        {QStringLiteral("Caricamento Temi..."), 1 + steps, maximum, true},
        // Three theme files found (one of them invalid), the folder without one not counted.
        {QStringLiteral("Controllo Canzoni..."), 3, maximum, true},
    };
    QCOMPARE(m_progress.stages, expected);
    QCOMPARE(m_progress.val, 3 + 25);
    QVERIFY(!m_progress.visible);
    QCOMPARE(m_progress.shows, 1);
    QVERIFY(!m_state.InCaricamento);
    QCOMPARE(m_state.TemiCartelle, (QStringList{QStringLiteral("A"), QStringLiteral("C")}));

    QCOMPARE(readBytes(at(QStringLiteral("CheckCanzoni.ini"))), checkList(range(0, 24)));
    QCOMPARE(m_questions.texts(), QStringList{SongCheckQuestion});
    QCOMPARE(m_windows.optionsShown, 0);
    QCOMPARE(m_state.FilePercorsi, QStringLiteral("/Percorsi.ini"));
}

void TestLoader::packQuestionBeforeSongCheck_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("filePercorsi");
    QTest::addColumn<QString>("usazmp");
    QTest::addColumn<QString>("song");
    QTest::newRow("yes") << true << "/PercorsiZMP.ini"
                         << "1"
                         << "p.mp3";
    QTest::newRow("no") << false << "/Percorsi.ini"
                        << "0"
                        << "u.mp3";
}

void TestLoader::packQuestionBeforeSongCheck()
{
    QFETCH(bool, yes);
    QFETCH(QString, filePercorsi);
    QFETCH(QString, usazmp);
    QFETCH(QString, song);
    addThemes();
    put(QStringLiteral("Impostazioni.ini"), "usazmp=2\r\n");
    put(QStringLiteral("PercorsiZMP.ini"), "0=p.mp3\r\n");
    put(QStringLiteral("Percorsi.ini"), "0=u.mp3\r\n");
    put(QStringLiteral("Musiche/") + song, "x");
    m_questions.answers = {yes ? QuestionPort::Answer::Yes : QuestionPort::Answer::No,
                           QuestionPort::Answer::No};

    QVERIFY(loader().Caricamento(true));
    QCOMPARE(m_questions.asked.size(), 2);
    QVERIFY(m_questions.asked.at(0).text.startsWith(QStringLiteral("Vuoi utilizzare")));
    QCOMPARE(m_questions.asked.at(1).text, SongCheckQuestion);
    QCOMPARE(m_state.FilePercorsi, filePercorsi);
    QCOMPARE(m_state.settings.value(QStringLiteral("usazmp")), usazmp);
    QCOMPARE(m_state.PercorsiSalvati[0].file, song);
    QCOMPARE(readBytes(at(QStringLiteral("CheckCanzoni.ini"))), checkList(range(1, 24)));
}

void TestLoader::migrationThenInstallThenPaths()
{
    // Each step needs the one before: the cleanup needs the settings, the migration the pack
    // file chosen, the install the renumbered slots, and the tables the installed names.
    addThemes();
    put(QStringLiteral("Impostazioni.ini"), "cleanpath=1\r\nusazmp=1\r\n");
    put(QStringLiteral("zefiro-0.9.txt"), "stale");
    put(QStringLiteral("zefiro"), "the program");
    put(QStringLiteral("PercorsiZMP.ini"), "2=s.mp3\r\n34=a.mp3\r\n");
    put(QStringLiteral("Percorsi.ini"), "0=mine.mp3\r\n34=theirs.mp3\r\n");
    put(QStringLiteral("Musiche/a.mp3"), "user");
    put(QStringLiteral("Spot/s.mp3"), "s");
    put(QStringLiteral("SceEdu/a.mp3"), "pack");
    m_questions.answers = {QuestionPort::Answer::No};

    QVERIFY(loader().Caricamento(true));

    QVERIFY(!QFileInfo::exists(at(QStringLiteral("zefiro-0.9.txt"))));
    QCOMPARE(readBytes(at(QStringLiteral("zefiro"))), QByteArray("the program"));
    QCOMPARE(m_state.FilePercorsi, QStringLiteral("/PercorsiZMP.ini"));
    QCOMPARE(readBytes(at(QStringLiteral("Percorsi.ini"))),
             QByteArray("0=mine.mp3\r\n34=theirs.mp3\r\n"));
    const QByteArray pack = readBytes(at(QStringLiteral("PercorsiZMP.ini")));
    QVERIFY(pack.startsWith("[Spot]\r\n0=s.mp3\r\n1=\r\n"));
    QVERIFY(pack.endsWith("\r\n23=\r\n24=a(0).mp3\r\n"));
    QCOMPARE(pack.count("\r\n"), 34);
    for (const PathsTable *table : {&m_state.PercorsiSalvati, &m_state.PercorsiModifica}) {
        QCOMPARE(table->at(0).fullPath(), m_state.songsFolder() + QStringLiteral("s.mp3"));
        QCOMPARE(table->at(24).fullPath(), m_state.songsFolder() + QStringLiteral("a(0).mp3"));
    }
    QCOMPARE(readBytes(at(QStringLiteral("Musiche/a.mp3"))), QByteArray("user"));
    QCOMPARE(readBytes(at(QStringLiteral("Musiche/a(0).mp3"))), QByteArray("pack"));
    QVERIFY(!QFileInfo::exists(at(QStringLiteral("Spot"))));
    QVERIFY(!QFileInfo::exists(at(QStringLiteral("SceEdu"))));
    QCOMPARE(m_windows.copyModes, QList<int>{1});
    QCOMPARE(m_windows.copyCloses, 1);
    QCOMPARE(readBytes(at(QStringLiteral("CheckCanzoni.ini"))), checkList(range(1, 23)));
    QCOMPARE(m_questions.texts(), QStringList{SongCheckQuestion});
}

void TestLoader::reloadSkipsMigration_data()
{
    QTest::addColumn<int>("avvio");
    QTest::addColumn<QString>("usazmp");
    QTest::newRow("options window reloading") << 2 << "2";
    QTest::newRow("other reload") << 0 << "0";
}

void TestLoader::reloadSkipsMigration()
{
    QFETCH(int, avvio);
    QFETCH(QString, usazmp);
    addThemes();
    const QByteArray paths("0=x.mp3\r\n34=y.mp3;nota\r\n");
    put(QStringLiteral("Impostazioni.ini"),
        "cleanpath=1\r\nusazmp=0\r\nvolprinc=70\r\npercorsi=vecchio.ini\r\n");
    put(QStringLiteral("zefiro-0.9.txt"), "stale");
    put(QStringLiteral("Percorsi/vecchio.ini"), "0=old.mp3\r\n");
    put(QStringLiteral("PercorsiZMP.ini"), "0=p.mp3\r\n");
    put(QStringLiteral("Percorsi.ini"), paths);
    put(QStringLiteral("Spot/s.mp3"), "s");
    put(QStringLiteral("Musiche/x.mp3"), "x");
    m_state.Avvio = avvio;
    m_state.settings.setValue(QStringLiteral("usazmp"), QStringLiteral("2"));
    m_state.settings.setValue(QStringLiteral("volprinc"), QStringLiteral("10"));

    QVERIFY(loader().Caricamento(false));

    QCOMPARE(m_state.settings.value(QStringLiteral("usazmp")), usazmp);
    QCOMPARE(m_state.settings.value(QStringLiteral("volprinc")), QStringLiteral("70"));
    QVERIFY(m_questions.asked.isEmpty());
    QVERIFY(m_windows.copyModes.isEmpty());
    QCOMPARE(m_state.FilePercorsi, QStringLiteral("/Percorsi.ini"));
    QCOMPARE(readBytes(at(QStringLiteral("Percorsi.ini"))), paths);
    QVERIFY(QFileInfo::exists(at(QStringLiteral("zefiro-0.9.txt"))));
    QVERIFY(QFileInfo::exists(at(QStringLiteral("Percorsi/vecchio.ini"))));
    QVERIFY(QFileInfo::exists(at(QStringLiteral("Spot/s.mp3"))));
    QCOMPARE(m_state.PercorsiSalvati[0].file, QStringLiteral("x.mp3"));
    QCOMPARE(m_state.PercorsiModifica[0].file, QStringLiteral("x.mp3"));
    QCOMPARE(readBytes(at(QStringLiteral("CheckCanzoni.ini"))), checkList(range(1, 24)));
    QCOMPARE(m_progress.captions.last(), QStringLiteral("Controllo Canzoni..."));
    QVERIFY(!m_progress.visible);
    QVERIFY(!m_state.InCaricamento);
}

void TestLoader::noValidTheme_data()
{
    QTest::addColumn<QString>("themeFile"); // empty: Temi holds nothing
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty Temi") << "" << QByteArray();
    QTest::newRow("invalid theme") << "Temi/A/A.ini" << QByteArray("tabella=a\r\nesci=b\r\n");
    QTest::newRow("file not named after its folder")
        << "Temi/A/B.ini" << QByteArray("tabella=a\r\nesci=b\r\nsfondo=1\r\n");
}

void TestLoader::noValidTheme()
{
    QFETCH(QString, themeFile);
    QFETCH(QByteArray, text);
    if (!themeFile.isEmpty())
        put(themeFile, text);

    QVERIFY(!loader().Caricamento(true));

    QCOMPARE(m_questions.asked.size(), 1);
    QCOMPARE(m_questions.asked.first().text, QStringLiteral("Errore: Nessun tema esistente"));
    QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Critical);
    QCOMPARE(m_questions.asked.first().buttons, QuestionPort::Buttons::Ok);
    QVERIFY(!m_progress.captions.contains(QStringLiteral("Controllo Canzoni...")));
    QVERIFY(!QFileInfo::exists(at(QStringLiteral("CheckCanzoni.ini"))));
    QVERIFY(!m_progress.visible);
    QVERIFY(!m_state.InCaricamento);
}

void TestLoader::unreadDataFilesAreNamedAndKept_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("tooLarge"); // else: there, but without read permission
    QTest::newRow("settings unreadable") << "Impostazioni.ini" << false;
    QTest::newRow("settings too large") << "Impostazioni.ini" << true;
    QTest::newRow("paths unreadable") << "Percorsi.ini" << false;
    QTest::newRow("paths too large") << "Percorsi.ini" << true;
    QTest::newRow("restore unreadable") << "Ripristino.sav" << false;
    QTest::newRow("restore too large") << "Ripristino.sav" << true;
    QTest::newRow("theme too large") << "Temi/A/A.ini" << true;
}

// A data file that is there but cannot be read is named once at start, and nothing the run
// does afterwards writes over it or deletes it.
void TestLoader::unreadDataFilesAreNamedAndKept()
{
    QFETCH(QString, name);
    QFETCH(bool, tooLarge);
    addThemes();
    put(QStringLiteral("Impostazioni.ini"), "usazmp=0\r\nindextema=1\r\n");
    put(QStringLiteral("Percorsi.ini"), "[Spot]\r\n0=a.mp3\r\n");
    put(QStringLiteral("Ripristino.sav"), "sp0\r\n");
    QByteArray bytes = readBytes(at(name));
    if (tooLarge) {
        bytes += QByteArray(2 * 1024 * 1024, ';');
        put(name, bytes);
    }
    const QString path = at(name);

    // Permissions do not stop root: the run takes an ordinary user's identity, in a folder of
    // its own, with the file closed to its owner.
    const bool asUser = !tooLarge && ::geteuid() == 0;
    if (!tooLarge) {
        if (asUser)
            QCOMPARE(QProcess::execute(
                         QStringLiteral("chown"),
                         {QStringLiteral("-R"), QStringLiteral("65534:65534"), m_dir->path()}),
                     0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
        if (asUser)
            QCOMPARE(::seteuid(65534), 0);
        else if (::geteuid() == 0)
            QSKIP("needs root to act as an ordinary user, or an ordinary user");
    }
    const bool loaded = loader().Caricamento(true);
    const TextFile::WriteResult settings = SalvaImpostazioni(m_state);
    const TextFile::WriteResult paths = SalvaPercorsi(m_state);
    const TextFile::WriteResult mark = RegistraGiocata(m_state.Path, QStringLiteral("ca"), 1);
    const bool removed = EliminaRipristino(m_state.Path);
    if (asUser)
        QCOMPARE(::seteuid(0), 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);

    QVERIFY(loaded);
    const QString prefix =
        u"Il file " + QFileInfo(path).fileName() + QStringLiteral(" non può essere letto: ");
    QStringList named;
    for (const QString &text : m_questions.texts()) {
        if (text.startsWith(u"Il file "))
            named.append(text);
    }
    QCOMPARE(named.size(), 1);
    QVERIFY2(named.first().startsWith(prefix) && named.first().size() > prefix.size() + 5,
             qPrintable(named.first()));
    QCOMPARE(readBytes(path), bytes);
    if (name == u"Impostazioni.ini")
        QVERIFY(!settings.ok && settings.error.contains(u"non viene sovrascritto"));
    else
        QVERIFY2(settings.ok, qPrintable(settings.error));
    if (name == u"Percorsi.ini")
        QVERIFY(!paths.ok);
    if (name == u"Ripristino.sav")
        QVERIFY(!mark.ok && removed);
    if (name.startsWith(u"Temi"))
        QCOMPARE(m_state.TemiCartelle, QStringList{QStringLiteral("C")});
}

void TestLoader::linkOutOfTheFolderIsNamedAndReplaced()
{
    addThemes();
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString target = outside.filePath(QStringLiteral("passwd"));
    QVERIFY(writeBytes(target, "root:x:0:0\n"));
    QVERIFY(QFile::link(target, at(QStringLiteral("Impostazioni.ini"))));

    QVERIFY(loader().Caricamento(true));
    QVERIFY(SalvaImpostazioni(m_state).ok);

    int named = 0;
    for (const QString &text : m_questions.texts())
        named += text.startsWith(u"Il file Impostazioni.ini è un collegamento a ") ? 1 : 0;
    QCOMPARE(named, 1);
    QCOMPARE(readBytes(target), QByteArray("root:x:0:0\n"));
    QVERIFY(!QFileInfo(at(QStringLiteral("Impostazioni.ini"))).isSymLink());
}

QTEST_GUILESS_MAIN(TestLoader)
#include "tst_loader.moc"
