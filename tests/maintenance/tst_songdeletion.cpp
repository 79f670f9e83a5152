#include "core/appstate.h"
#include "core/textfile.h"
#include "maintenance/cleanuplist.h"
#include "maintenance/songdeletion.h"
#include "tests/core/testfiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using SongFile = UnusedSongs::SongFile;

namespace {

// The files of a list of names, "/" (a file to keep) left out.
QList<SongFile> songFiles(const QStringList &names)
{
    QList<SongFile> result;
    for (const QString &name : names) {
        if (name != u"/")
            result.append({name, QFile::encodeName(name)});
    }
    return result;
}

} // namespace

// Three songs a.mp3, b.mp3, c.mp3 lie in Musiche when the deletion starts, after b.mp3 has been
// turned into what the row names; the list asks to delete all three.
class TestSongDeletion : public QObject {
    Q_OBJECT

private slots:
    void init();
    void deletion_data();
    void deletion();
    void progressCountsDeletions();
    void failureText_data();
    void failureText();
    void list_data();
    void list();

private:
    QString songs() const { return m_state.songsFolder(); }

    ProgramFolderFixture m_folder;
    AppState m_state;
};

void TestSongDeletion::init()
{
    QVERIFY(m_folder.reset(m_state));
    for (const char *name : {"a.mp3", "b.mp3", "c.mp3"})
        QVERIFY(touch(songs() + QLatin1String(name)));
}

void TestSongDeletion::deletion_data()
{
    QTest::addColumn<QString>("middle");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<QStringList>("failed");
    QTest::addColumn<bool>("middleLeft");
    QTest::newRow("plain file") << u"file"_s << 3 << QStringList() << false;
    QTest::newRow("kept") << u"kept"_s << 2 << QStringList() << true;
    QTest::newRow("now a folder") << u"folder"_s << 2 << QStringList{u"b.mp3"_s} << true;
    QTest::newRow("now a link") << u"link"_s << 2 << QStringList{u"b.mp3"_s} << true;
    QTest::newRow("already gone") << u"gone"_s << 2 << QStringList() << false;
    QTest::newRow("used by a saved slot now") << u"used"_s << 2 << QStringList() << true;
    QTest::newRow("used in other case") << u"usedcase"_s << 2 << QStringList() << true;
    QTest::newRow("used only by the working table") << u"working"_s << 2 << QStringList() << true;
    QTest::newRow("named only by the paths file not in use")
        << u"otherpaths"_s << 2 << QStringList() << true;
    QTest::newRow("name with a separator")
        << u"escape"_s << 2 << QStringList{u"../b.mp3"_s} << true;
}

void TestSongDeletion::deletion()
{
    QFETCH(QString, middle);
    QFETCH(int, deleted);
    QFETCH(QStringList, failed);
    QFETCH(bool, middleLeft);
    QStringList list{u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s};
    const QString b = songs() + u"b.mp3"_s;
    const QString target = m_folder.outside(u"target.mp3"_s);
    QVERIFY(touch(target));
    if (middle == u"kept") {
        list[1] = u"/"_s;
    } else if (middle == u"folder") {
        QVERIFY(QFile::remove(b) && QDir().mkpath(b + u"/inner"_s));
    } else if (middle == u"link") {
        QVERIFY(QFile::remove(b) && QFile::link(target, b));
    } else if (middle == u"gone") {
        QVERIFY(QFile::remove(b));
    } else if (middle == u"used") {
        m_state.PercorsiSalvati[7] = {u"b.mp3"_s, songs()};
    } else if (middle == u"usedcase") {
        m_state.PercorsiSalvati[7] = {u"B.MP3"_s, songs()};
    } else if (middle == u"working") {
        m_state.PercorsiModifica[7] = {u"b.mp3"_s, m_folder.outside()};
    } else if (middle == u"otherpaths") {
        QVERIFY(TextFile::writeLines(m_state.Path + u"/PercorsiZMP.ini"_s, {u"7=B.mp3"_s}).ok);
    } else if (middle == u"escape") {
        // A name reaching out of Musiche: the file beside Musiche must survive.
        QVERIFY(touch(m_state.Path + u"/b.mp3"_s));
        list[1] = u"../b.mp3"_s;
    }
    const SongDeletion::Result result = SongDeletion::deleteUnused(m_state, songFiles(list));
    QCOMPARE(result.deleted, deleted);
    QCOMPARE(result.failed, failed);
    QVERIFY(!QFileInfo::exists(songs() + u"a.mp3"_s));
    QVERIFY(!QFileInfo::exists(songs() + u"c.mp3"_s));
    QCOMPARE(QFileInfo(b).exists() || QFileInfo(b).isSymLink(), middleLeft);
    QVERIFY(QFileInfo::exists(target));
    if (middle == u"escape")
        QVERIFY(QFileInfo::exists(m_state.Path + u"/b.mp3"_s));
}

void TestSongDeletion::progressCountsDeletions()
{
    QList<int> steps;
    const auto result = SongDeletion::deleteUnused(
        m_state, songFiles({u"a.mp3"_s, u"/"_s, u"c.mp3"_s}), [&](int n) { steps << n; });
    QCOMPARE(result.deleted, 2);
    QCOMPARE(steps, (QList<int>{1, 2}));
}

void TestSongDeletion::failureText_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1 << u"Impossibile eliminare: f1.mp3"_s;
    QTest::newRow("two") << 2 << u"Impossibile eliminare: f1.mp3, f2.mp3"_s;
    QTest::newRow("ten named")
        << 10
        << u"Impossibile eliminare: f1.mp3, f2.mp3, f3.mp3, f4.mp3, f5.mp3, f6.mp3, f7.mp3, "
           "f8.mp3, f9.mp3, f10.mp3"_s;
    QTest::newRow("twelve, two counted")
        << 12
        << u"Impossibile eliminare: f1.mp3, f2.mp3, f3.mp3, f4.mp3, f5.mp3, f6.mp3, f7.mp3, "
           "f8.mp3, f9.mp3, f10.mp3 e altri 2 file"_s;
}

void TestSongDeletion::failureText()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QStringList failed;
    for (int i = 1; i <= count; ++i)
        failed << u"f%1.mp3"_s.arg(i);
    QCOMPARE(SongDeletion::failureText(failed), text);
}

// Ticks are given as "+2" (tick entry 2) or "-2" (untick it), applied in order to five files.
void TestSongDeletion::list_data()
{
    QTest::addColumn<QStringList>("ticks");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("caption");
    const QStringList five{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
    QTest::newRow("as loaded") << QStringList() << five << u"Verranno eliminati 5 file"_s;
    QTest::newRow("two unticked") << QStringList{u"-1"_s, u"-3"_s}
                                  << QStringList{u"a"_s, u"/"_s, u"c"_s, u"/"_s, u"e"_s}
                                  << u"Verranno eliminati 3 file"_s;
    QTest::newRow("untick twice counts once")
        << QStringList{u"-1"_s, u"-1"_s} << QStringList{u"a"_s, u"/"_s, u"c"_s, u"d"_s, u"e"_s}
        << u"Verranno eliminati 4 file"_s;
    QTest::newRow("ticked again") << QStringList{u"-0"_s, u"+0"_s} << five
                                  << u"Verranno eliminati 5 file"_s;
    QTest::newRow("one left") << QStringList{u"-0"_s, u"-1"_s, u"-2"_s, u"-3"_s}
                              << QStringList{u"/"_s, u"/"_s, u"/"_s, u"/"_s, u"e"_s}
                              << u"Verrà eliminato 1 file"_s;
    QTest::newRow("none left") << QStringList{u"-0"_s, u"-1"_s, u"-2"_s, u"-3"_s, u"-4"_s}
                               << QStringList{u"/"_s, u"/"_s, u"/"_s, u"/"_s, u"/"_s}
                               << u"Nessun file verrà eliminato."_s;
    QTest::newRow("index past the end ignored")
        << QStringList{u"-5"_s} << five << u"Verranno eliminati 5 file"_s;
}

void TestSongDeletion::list()
{
    QFETCH(QStringList, ticks);
    QFETCH(QStringList, files);
    QFETCH(QString, caption);
    CleanupList list;
    list.load(songFiles({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}));
    for (const QString &tick : ticks)
        list.setTicked(tick.mid(1).toInt(), tick.startsWith(u'+'));
    QCOMPARE(list.FileInutili(), files);
    QCOMPARE(list.caption(), caption);
    QCOMPARE(list.count(), int(files.size() - files.count(u"/"_s)));
    QCOMPARE(list.ticked(), songFiles(files));
}

QTEST_GUILESS_MAIN(TestSongDeletion)
#include "tst_songdeletion.moc"
