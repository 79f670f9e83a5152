#include "core/appstate.h"
#include "core/songpaths.h"
#include "core/textfile.h"
#include "maintenance/pulizia.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Sets or clears the immutable flag, which stops even root from deleting the file.
bool setImmutable(const QString &path, bool on)
{
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

} // namespace

class TestPulizia : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void texts();
    void allAssigned();
    void details();
    void twoOfFiveUntickedLeavesTwo();
    void keepsEverySongInUse_data();
    void keepsEverySongInUse();
    void nameNotUtf8Deleted();
    void selectAllAfterDeselectAll();
    void unsafeEntriesSurvive();
    void lockedFileNamedAndListedAgain();
    void opensModally();

private:
    void addSongs(const QStringList &names);
    Pulizia *open();
    template <typename T> T *child(const char *name) const
    {
        T *found = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QListWidget *files() const { return child<QListWidget>("ListMusic"); }
    QString count() const { return child<QLabel>("lblNFiles")->text(); }
    void click(const char *name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void clickTick(int row);
    QStringList listed() const;
    QStringList ticked() const;

    ProgramFolderFixture m_folder;
    AppState m_state;
    ScriptedQuestions m_questions;
    Pulizia *m_window = nullptr;
    int m_redraws = 0;
    QString m_locked;
};

namespace {

// Where the list lies each time the progress bar is drawn while files are deleted.
class ListWhileDeleting : public QObject {
public:
    ListWhileDeleting(QWidget *bar, QWidget *list) : m_list(list) { bar->installEventFilter(this); }
    QList<QRect> seen;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            seen.append(m_list->geometry());
        return false;
    }

private:
    QWidget *m_list;
};

} // namespace

void TestPulizia::init()
{
    QVERIFY(m_folder.reset(m_state));
    m_questions = ScriptedQuestions();
    m_redraws = 0;
}

void TestPulizia::cleanup()
{
    delete m_window;
    m_window = nullptr;
    if (!m_locked.isEmpty())
        QVERIFY(setImmutable(m_locked, false));
    m_locked.clear();
}

void TestPulizia::addSongs(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(touch(m_state.songsFolder() + name));
}

Pulizia *TestPulizia::open()
{
    m_window = new Pulizia(m_state, m_questions, [this] { ++m_redraws; });
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        qFatal("cleanup window not shown");
    return m_window;
}

// Clicks the tick box of a row, where the list's own style draws it.
void TestPulizia::clickTick(int row)
{
    QListWidget *list = files();
    QStyleOptionViewItem option;
    option.initFrom(list->viewport());
    option.rect = list->visualItemRect(list->item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = list->item(row)->text();
    const QRect box =
        list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

QStringList TestPulizia::listed() const
{
    QStringList names;
    for (int i = 0; i < files()->count(); ++i)
        names << files()->item(i)->text();
    return names;
}

QStringList TestPulizia::ticked() const
{
    QStringList names;
    for (int i = 0; i < files()->count(); ++i) {
        if (files()->item(i)->checkState() == Qt::Checked)
            names << files()->item(i)->text();
    }
    return names;
}

void TestPulizia::texts()
{
    addSongs({u"a.mp3"_s});
    open();
    QCOMPARE(m_window->windowTitle(), u"Pulizia file inutili"_s);
    QCOMPARE(child<QLabel>("Label1")->text(),
             u"Attraverso questa operazione verranno eliminati i file multimediali (audio e video) "
             "salvati nella cartella di Zefiro che sono stati usati in precedenza e che adesso non "
             "servono più al programma. Se si è sicuri di continuare premere Prosegui altrimenti "
             "premere Chiudi. Attenzione, i nuovi file inutili verranno considerati tali solo dopo "
             "che le modifiche sono state applicate"_s);
    QCOMPARE(child<QPushButton>("btnProsegui")->text(), u"Prosegui"_s);
    QCOMPARE(child<QPushButton>("btnChiudi")->text(), u"Chiudi"_s);
    QCOMPARE(child<QPushButton>("btnSel")->text(), u"Seleziona tutti"_s);
    QCOMPARE(child<QPushButton>("btnDesel")->text(), u"Deseleziona tutti"_s);
    QCOMPARE(count(), u"Verrà eliminato 1 file"_s);
    QVERIFY(child<QPushButton>("btnProsegui")->isEnabled());
    QVERIFY(!child<QProgressBar>("DelBar")->isVisible());
}

void TestPulizia::allAssigned()
{
    addSongs({u"a.mp3"_s, u"b.mp3"_s});
    m_state.PercorsiSalvati[0] = {u"a.mp3"_s, m_state.songsFolder()};
    m_state.PercorsiSalvati[24] = {u"B.mp3"_s, m_state.songsFolder()};
    open();
    QCOMPARE(count(), u"Nessun file verrà eliminato."_s);
    QVERIFY(!child<QPushButton>("btnProsegui")->isEnabled());
    QCOMPARE(files()->count(), 0);
}

void TestPulizia::details()
{
    addSongs({u"a.mp3"_s});
    open();
    auto *link = child<QLabel>("lblMostraDettagli");
    QCOMPARE(link->text(), u"Mostra Dettagli"_s);
    QCOMPARE(m_window->height(), 200);
    QVERIFY(!files()->isVisible());
    click("lblMostraDettagli");
    QCOMPARE(link->text(), u"Nascondi Dettagli"_s);
    QCOMPARE(m_window->height(), 408);
    QVERIFY(files()->isVisible());
    click("lblMostraDettagli");
    QCOMPARE(link->text(), u"Mostra Dettagli"_s);
    QCOMPARE(m_window->height(), 200);
    QVERIFY(!files()->isVisible());
}

void TestPulizia::twoOfFiveUntickedLeavesTwo()
{
    addSongs({u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s, u"d.mp3"_s, u"e.mp3"_s, u"kept.mp3"_s});
    m_state.PercorsiSalvati[3] = {u"kept.mp3"_s, m_state.songsFolder()};
    open();
    QCOMPARE(count(), u"Verranno eliminati 5 file"_s);
    click("lblMostraDettagli");
    clickTick(1);
    clickTick(3);
    QCOMPARE(count(), u"Verranno eliminati 3 file"_s);
    QCOMPARE(ticked(), (QStringList{u"a.mp3"_s, u"c.mp3"_s, u"e.mp3"_s}));
    // The list stays where it is while the progress bar shows: its first row is never cut.
    const QRect listPlace = files()->geometry();
    ListWhileDeleting places(child<QProgressBar>("DelBar"), files());
    click("btnProsegui");
    QVERIFY(!places.seen.isEmpty());
    QCOMPARE(places.seen, QList<QRect>(places.seen.size(), listPlace));
    QCOMPARE(QDir(m_state.songsFolder()).entryList(QDir::Files, QDir::Name),
             (QStringList{u"b.mp3"_s, u"d.mp3"_s, u"kept.mp3"_s}));
    QCOMPARE(listed(), (QStringList{u"b.mp3"_s, u"d.mp3"_s}));
    QCOMPARE(ticked(), listed());
    QCOMPARE(count(), u"Verranno eliminati 2 file"_s);
    QVERIFY(!child<QProgressBar>("DelBar")->isVisible());
    QCOMPARE(m_redraws, 1);
    QVERIFY(m_questions.asked.isEmpty());
}

// Both paths files are there and the tables come from the one in use; a song picked in the
// working table is not applied yet. Only the file no slot of any of them names goes.
void TestPulizia::keepsEverySongInUse_data()
{
    QTest::addColumn<QString>("inUse");
    QTest::newRow("music pack in use") << u"/PercorsiZMP.ini"_s;
    QTest::newRow("own paths file in use") << u"/Percorsi.ini"_s;
}

void TestPulizia::keepsEverySongInUse()
{
    QFETCH(QString, inUse);
    addSongs({u"own.mp3"_s, u"pack.mp3"_s, u"picked.mp3"_s, u"old.mp3"_s});
    QVERIFY(TextFile::writeLines(m_state.Path + u"/Percorsi.ini"_s, {u"0=own.mp3"_s}).ok);
    QVERIFY(
        TextFile::writeLines(m_state.Path + u"/PercorsiZMP.ini"_s, {u"[Spot]"_s, u"0=pack.mp3"_s})
            .ok);
    m_state.FilePercorsi = inUse;
    CaricaPercorsi(m_state);
    m_state.PercorsiModifica[1] = {u"picked.mp3"_s, m_state.songsFolder()};
    open();
    QCOMPARE(listed(), QStringList{u"old.mp3"_s});
    click("btnProsegui");
    QCOMPARE(QDir(m_state.songsFolder()).entryList(QDir::Files, QDir::Name),
             (QStringList{u"own.mp3"_s, u"pack.mp3"_s, u"picked.mp3"_s}));
}

// A name that is not UTF-8 is listed as Windows-1252 reads it and deleted by its own bytes.
void TestPulizia::nameNotUtf8Deleted()
{
    const QByteArray latin1 = QFile::encodeName(m_state.songsFolder()) + "caf\xe9.mp3";
    const int fd = ::open(latin1.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    close(fd);
    open();
    const QStringList shown = listed();
    click("btnProsegui");
    struct stat status {};
    QCOMPARE(lstat(latin1.constData(), &status), -1);
    QVERIFY(m_questions.asked.isEmpty());
    QCOMPARE(count(), u"Nessun file verrà eliminato."_s);
    QCOMPARE(shown, QStringList{u"caf\u00e9.mp3"_s});
}

void TestPulizia::selectAllAfterDeselectAll()
{
    addSongs({u"a.mp3"_s, u"b.mp3"_s, u"c.mp3"_s});
    open();
    click("lblMostraDettagli");
    click("btnDesel");
    QCOMPARE(count(), u"Nessun file verrà eliminato."_s);
    QVERIFY(!child<QPushButton>("btnProsegui")->isEnabled());
    QVERIFY(ticked().isEmpty());
    click("btnSel");
    QCOMPARE(count(), u"Verranno eliminati 3 file"_s);
    QVERIFY(child<QPushButton>("btnProsegui")->isEnabled());
    QCOMPARE(ticked(), listed());
    QCOMPARE(files()->selectedItems().size(), 0);
    click("btnDesel");
    clickTick(2);
    QCOMPARE(count(), u"Verrà eliminato 1 file"_s);
    QVERIFY(child<QPushButton>("btnProsegui")->isEnabled());
    click("btnProsegui");
    QCOMPARE(QDir(m_state.songsFolder()).entryList(QDir::Files, QDir::Name),
             (QStringList{u"a.mp3"_s, u"b.mp3"_s}));
}

// Between the scan and "Prosegui" one listed file becomes a link to a file outside, another a
// folder and a third gets assigned to a slot: none of them is deleted, nor the link's target.
void TestPulizia::unsafeEntriesSurvive()
{
    addSongs({u"a.mp3"_s, u"link.mp3"_s, u"now used.mp3"_s, u"folder.mp3"_s, u"z.mp3"_s});
    open();
    QCOMPARE(count(), u"Verranno eliminati 5 file"_s);
    const QString songs = m_state.songsFolder();
    const QString target = m_folder.outside(u"presenter song.mp3"_s);
    QVERIFY(touch(target));
    QVERIFY(QFile::remove(songs + u"link.mp3"_s) && QFile::link(target, songs + u"link.mp3"_s));
    QVERIFY(QFile::remove(songs + u"folder.mp3"_s) && QDir().mkdir(songs + u"folder.mp3"_s));
    m_state.PercorsiSalvati[12] = {u"Now Used.mp3"_s, songs};
    click("btnProsegui");
    QVERIFY(QFileInfo::exists(target));
    QVERIFY(QFileInfo(songs + u"link.mp3"_s).isSymLink());
    QVERIFY(QFileInfo(songs + u"folder.mp3"_s).isDir());
    QVERIFY(QFileInfo::exists(songs + u"now used.mp3"_s));
    QVERIFY(!QFileInfo::exists(songs + u"a.mp3"_s));
    QVERIFY(!QFileInfo::exists(songs + u"z.mp3"_s));
    QCOMPARE(m_questions.texts(), QStringList{u"Impossibile eliminare: folder.mp3, link.mp3"_s});
    QCOMPARE(m_questions.asked.first().title, u"Pulizia file inutili"_s);
    QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Warning);
    QCOMPARE(count(), u"Nessun file verrà eliminato."_s);
}

void TestPulizia::lockedFileNamedAndListedAgain()
{
    addSongs({u"a.mp3"_s, u"locked.mp3"_s});
    const QString locked = m_state.songsFolder() + u"locked.mp3"_s;
    if (!setImmutable(locked, true))
        QSKIP("the immutable flag needs root on a file system that has it");
    m_locked = locked;
    open();
    click("btnProsegui");
    QVERIFY(!QFileInfo::exists(m_state.songsFolder() + u"a.mp3"_s));
    QVERIFY(QFileInfo::exists(locked));
    QCOMPARE(m_questions.texts(), QStringList{u"Impossibile eliminare: locked.mp3"_s});
    QCOMPARE(listed(), QStringList{u"locked.mp3"_s});
    QCOMPARE(count(), u"Verrà eliminato 1 file"_s);
}

void TestPulizia::opensModally()
{
    addSongs({u"a.mp3"_s});
    QWidget owner;
    owner.show();
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *modal = qobject_cast<Pulizia *>(QApplication::activeModalWidget());
        seen = modal && modal->windowTitle() == u"Pulizia file inutili"_s;
        if (modal)
            QTest::mouseClick(modal->findChild<QPushButton *>(u"btnChiudi"_s), Qt::LeftButton);
    });
    Pulizia::openModal(m_state, m_questions, {}, &owner);
    QVERIFY(seen);
    QVERIFY(QFileInfo::exists(m_state.songsFolder() + u"a.mp3"_s));
}

QTEST_MAIN(TestPulizia)
#include "tst_pulizia.moc"
