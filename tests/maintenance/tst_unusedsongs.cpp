#include "core/appstate.h"
#include "core/textfile.h"
#include "maintenance/unusedsongs.h"
#include "tests/core/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using Table = UnusedSongs::Table;

Q_DECLARE_METATYPE(UnusedSongs::Table)

// Entries of Musiche in the rows: "name" a file, "name/" a folder, "dir/name" a file inside a
// folder, "@name" a symbolic link to a file outside Musiche. Assigned names fill the slots from
// slot 0; "other:name" lies in a folder outside Musiche.
class TestUnusedSongs : public QObject {
    Q_OBJECT

private slots:
    void init();
    void scan_data();
    void scan();
    void cleanupReadsBothPathsFiles_data();
    void cleanupReadsBothPathsFiles();
    void missingSongsFolder();
    void usedText_data();
    void usedText();

private:
    void makeEntry(const QString &entry);
    void assign(PathsTable &table, const QStringList &assigned) const;

    ProgramFolderFixture m_folder;
    AppState m_state;
};

void TestUnusedSongs::init()
{
    QVERIFY(m_folder.reset(m_state));
}

void TestUnusedSongs::makeEntry(const QString &entry)
{
    const QString songs = m_state.songsFolder();
    if (entry.startsWith(u'@')) {
        const QString target = m_folder.outside(entry.mid(1));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(target, songs + entry.mid(1)));
    } else {
        QVERIFY(::makeEntry(songs, entry));
    }
}

void TestUnusedSongs::assign(PathsTable &table, const QStringList &assigned) const
{
    for (qsizetype i = 0; i < assigned.size(); ++i) {
        const bool outside = assigned[i].startsWith(u"other:");
        table[i].file = outside ? assigned[i].mid(6) : assigned[i];
        table[i].folder = outside ? m_folder.outside() : m_state.songsFolder();
    }
}

void TestUnusedSongs::scan_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("assigned");
    QTest::addColumn<Table>("table");
    QTest::addColumn<QStringList>("unused");

    const QStringList five{u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s, u"d.mp3"_s, u"e.mp3"_s};
    QTest::newRow("everything assigned") << five << five << Table::Saved << QStringList();
    QTest::newRow("nothing assigned") << five << QStringList() << Table::Saved << five;
    QTest::newRow("two of five assigned")
        << five << QStringList{u"b.mp3"_s, u"d.mp3"_s} << Table::Saved
        << QStringList{u"a.mp3"_s, u"c.mp3"_s, u"e.mp3"_s};
    QTest::newRow("part of an assigned name counts as used")
        << QStringList{u"song.mp3"_s, u"other.mp3"_s} << QStringList{u"bigsong.mp3"_s}
        << Table::Saved << QStringList{u"other.mp3"_s};
    QTest::newRow("name across two assigned names counts as used")
        << QStringList{u"3b.mp3"_s, u"x.mp3"_s} << QStringList{u"a.mp3"_s, u"b.mp3"_s}
        << Table::Saved << QStringList{u"x.mp3"_s};
    QTest::newRow("letter case ignored both ways")
        << QStringList{u"Song.MP3"_s, u"tune.wav"_s, u"keep.mp3"_s}
        << QStringList{u"song.mp3"_s, u"TUNE.WAV"_s} << Table::Saved << QStringList{u"keep.mp3"_s};
    QTest::newRow("only plain files directly inside")
        << QStringList{u"sub/"_s, u"deep/inner.mp3"_s, u"@linked.mp3"_s, u".hidden.mp3"_s,
                       u"plain.mp3"_s}
        << QStringList() << Table::Saved << QStringList{u"plain.mp3"_s};
    QTest::newRow("ordered by name without regard to case")
        << QStringList{u"b.mp3"_s, u"C.mp3"_s, u"a.mp3"_s, u"D.mp3"_s} << QStringList()
        << Table::Saved << QStringList{u"a.mp3"_s, u"b.mp3"_s, u"C.mp3"_s, u"D.mp3"_s};
    QTest::newRow("saved table counts slots of any folder")
        << QStringList{u"far.mp3"_s, u"near.mp3"_s} << QStringList{u"other:far.mp3"_s}
        << Table::Saved << QStringList{u"near.mp3"_s};
    QTest::newRow("working table counts only slots in Musiche")
        << QStringList{u"far.mp3"_s, u"near.mp3"_s}
        << QStringList{u"other:far.mp3"_s, u"near.mp3"_s} << Table::Working
        << QStringList{u"far.mp3"_s};
    QTest::newRow("working table ignores the saved one")
        << QStringList{u"a.mp3"_s, u"b.mp3"_s} << QStringList{u"a.mp3"_s} << Table::Working
        << QStringList{u"b.mp3"_s};
}

void TestUnusedSongs::scan()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, assigned);
    QFETCH(Table, table);
    QFETCH(QStringList, unused);
    for (const QString &entry : entries)
        makeEntry(entry);
    // The other table names every file, so a scan reading the wrong table finds nothing.
    PathsTable everything;
    for (qsizetype i = 0; i < entries.size(); ++i)
        everything[i] = {entries[i].mid(entries[i].lastIndexOf(u'/') + 1).remove(u'@'),
                         m_state.songsFolder()};
    if (table == Table::Saved) {
        assign(m_state.PercorsiSalvati, assigned);
        m_state.PercorsiModifica = everything;
    } else {
        assign(m_state.PercorsiModifica, assigned);
        m_state.PercorsiSalvati = everything;
    }
    QCOMPARE(UnusedSongs::CercaFileInutili(m_state, table), unused);
}

// Musiche holds a.mp3, b.mp3 and old.mp3; the tables name nothing, so only the two paths files
// (written as the row gives their bytes, empty for none) keep a song.
void TestUnusedSongs::cleanupReadsBothPathsFiles_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QByteArray>("user");
    QTest::addColumn<QByteArray>("pack");
    QTest::addColumn<QStringList>("unused");
    const QString user = u"Percorsi.ini"_s;
    const QStringList old{u"old.mp3"_s};
    QTest::newRow("one song in each file")
        << user << QByteArray("0=a.mp3\r\n") << QByteArray("[Spot]\r\n0=b.mp3\r\n") << old;
    QTest::newRow("older numbering and a commented entry")
        << user << QByteArray("34=a.mp3\r\n") << QByteArray("; 2=B.MP3 ;vecchia\r\n") << old;
    QTest::newRow("paths file named in other case")
        << u"percorsi.INI"_s << QByteArray("0=a.mp3\nx=b.mp3\n") << QByteArray() << old;
    // Too large to be read: which songs it names is unknown, so every song stays.
    QTest::newRow("paths file that cannot be read")
        << user << QByteArray(TextFile::MaxDataFileBytes + 1, 'x') << QByteArray("0=a.mp3")
        << QStringList();
}

void TestUnusedSongs::cleanupReadsBothPathsFiles()
{
    QFETCH(QString, userName);
    QFETCH(QByteArray, user);
    QFETCH(QByteArray, pack);
    QFETCH(QStringList, unused);
    for (const QString &name : {u"a.mp3"_s, u"b.mp3"_s, u"old.mp3"_s})
        makeEntry(name);
    QVERIFY(writeBytes(m_state.Path + u'/' + userName, user));
    if (!pack.isEmpty())
        QVERIFY(writeBytes(m_state.Path + u"/PercorsiZMP.ini"_s, pack));
    QStringList names;
    for (const UnusedSongs::SongFile &file : UnusedSongs::cleanupFiles(m_state))
        names << file.name;
    QCOMPARE(names, unused);
}

void TestUnusedSongs::missingSongsFolder()
{
    QVERIFY(QDir(m_state.songsFolder()).removeRecursively());
    QVERIFY(UnusedSongs::CercaFileInutili(m_state, Table::Saved).isEmpty());
    QVERIFY(UnusedSongs::CercaFileInutili(m_state, Table::Working).isEmpty());
    QVERIFY(UnusedSongs::cleanupFiles(m_state).isEmpty());
}

void TestUnusedSongs::usedText_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<Table>("table");
    QTest::addColumn<QString>("text");
    const QString songs = u"/p/Musiche/"_s;
    QTest::newRow("saved, songs folder") << songs << Table::Saved << u"onetwo.mp3"_s;
    QTest::newRow("saved, other folder") << u"/q/"_s << Table::Saved << u"onetwo.mp3"_s;
    QTest::newRow("working, songs folder") << songs << Table::Working << u"onetwo.mp3"_s;
    QTest::newRow("working, folder in other case")
        << u"/p/MUSICHE/"_s << Table::Working << u"onetwo.mp3"_s;
    QTest::newRow("working, no trailing separator")
        << u"/p/Musiche"_s << Table::Working << u"onetwo.mp3"_s;
    QTest::newRow("working, other folder") << u"/q/"_s << Table::Working << QString();
}

void TestUnusedSongs::usedText()
{
    QFETCH(QString, folder);
    QFETCH(Table, table);
    QFETCH(QString, text);
    PathsTable paths;
    paths[3] = {u"One"_s, folder};
    paths[24] = {u"TWO.mp3"_s, folder};
    QCOMPARE(UnusedSongs::usedText(paths, table, u"/p/Musiche/"_s), text);
}

QTEST_GUILESS_MAIN(TestUnusedSongs)
#include "tst_unusedsongs.moc"
