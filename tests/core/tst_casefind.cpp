#include "core/appstate.h"
#include "core/casefind.h"
#include "core/pathsfile.h"
#include "core/restorefile.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Names in the program folder are looked up without regard to letter case on a file system
// that keeps case apart: whatever a slot, a theme or the program itself names must be found in
// whatever case the presenter's copy holds it.
class TestCaseFind : public QObject {
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void restoreFileInOtherCase();
};

// Each row makes the entries (a name ending in "/" is a folder), looks name up in the program
// folder and expects the path below it: straight through CaseFind, or as the program does
// for its data files and Temi (AppState::file), the songs folder, and a slot's song as the song
// check, the board's playback and the copy use it.
void TestCaseFind::lookup_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("lookup"); // resolve, file, songs or slot
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const QString resolve = u"resolve"_s;
    QTest::newRow("exact") << QStringList{u"Temi/Blu/sfondo.jpg"_s} << resolve
                           << u"Temi/Blu/sfondo.jpg"_s << u"Temi/Blu/sfondo.jpg"_s;
    QTest::newRow("file in other case") << QStringList{u"Musiche/canzone.mp3"_s} << resolve
                                        << u"Musiche/Canzone.MP3"_s << u"Musiche/canzone.mp3"_s;
    QTest::newRow("every folder in other case") << QStringList{u"temi/Blu/x.jpg"_s} << resolve
                                                << u"Temi/blu/X.JPG"_s << u"temi/Blu/x.jpg"_s;
    QTest::newRow("missing folder keeps the rest as asked")
        << QStringList{u"Temi/"_s, u"rosso.jpg"_s} << resolve << u"Temi/Rosso/ROSSO.jpg"_s
        << u"Temi/Rosso/ROSSO.jpg"_s;
    QTest::newRow("found folder, missing file")
        << QStringList{u"musiche/"_s} << resolve << u"Musiche/a.mp3"_s << u"musiche/a.mp3"_s;
    QTest::newRow("trailing separator kept")
        << QStringList{u"musiche/"_s} << resolve << u"Musiche/"_s << u"musiche/"_s;
    QTest::newRow("exact name wins over another case")
        << QStringList{u"Canzone.mp3"_s, u"canzone.mp3"_s} << resolve << u"canzone.mp3"_s
        << u"canzone.mp3"_s;
    QTest::newRow("parent step is not matched")
        << QStringList{u"a/"_s} << resolve << u"../A/x"_s << u"../A/x"_s;
    QTest::newRow("empty name") << QStringList{} << resolve << QString() << QString();

    QTest::newRow("settings file") << QStringList{u"impostazioni.INI"_s} << u"file"_s
                                   << u"Impostazioni.ini"_s << u"impostazioni.INI"_s;
    QTest::newRow("themes folder")
        << QStringList{u"temi/"_s} << u"file"_s << u"Temi"_s << u"temi"_s;
    QTest::newRow("songs folder") << QStringList{u"MUSICHE/"_s} << u"songs"_s << QString()
                                  << u"MUSICHE/"_s;
    QTest::newRow("song of a slot") << QStringList{u"Musiche/canzone.mp3"_s} << u"slot"_s
                                    << u"Canzone.MP3"_s << u"Musiche/canzone.mp3"_s;
    QTest::newRow("song of a slot, folder in other case")
        << QStringList{u"musiche/canzone.mp3"_s} << u"slot"_s << u"Canzone.MP3"_s
        << u"musiche/canzone.mp3"_s;
    QTest::newRow("missing song stays missing") << QStringList{u"Musiche/altra.mp3"_s} << u"slot"_s
                                                << u"canzone.mp3"_s << u"Musiche/canzone.mp3"_s;
}

void TestCaseFind::lookup()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, lookup);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString &entry : entries)
        QVERIFY(makeEntry(dir.path(), entry));
    AppState state;
    state.Path = dir.path();
    QString found;
    if (lookup == u"resolve") {
        found = CaseFind::resolve(dir.path(), name);
    } else if (lookup == u"file") {
        found = state.file(name);
    } else if (lookup == u"songs") {
        found = state.songsFolder();
    } else {
        const SongSlot slot{name, state.songsFolder()};
        found = slot.fullPath();
    }
    QCOMPARE(found, dir.path() + u'/' + expected);
}

// The marks of a game come back from a restore file named in another case, and the next mark
// goes into that file rather than into a second one.
void TestCaseFind::restoreFileInOtherCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(RegistraGiocata(dir.path(), category(0).code.toString(), 1).ok);
    QVERIFY(QFile::rename(dir.filePath(u"Ripristino.sav"_s), dir.filePath(u"RIPRISTINO.SAV"_s)));
    QCOMPARE(RipristinaGiocate(dir.path()).size(), 1);
    QVERIFY(RegistraGiocata(dir.path(), category(1).code.toString(), 2).ok);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"RIPRISTINO.SAV"_s});
    QCOMPARE(RipristinaGiocate(dir.path()).size(), 2);
}

QTEST_GUILESS_MAIN(TestCaseFind)
#include "tst_casefind.moc"
