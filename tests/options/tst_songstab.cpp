#include "core/appstate.h"
#include "core/settingsfile.h"
#include "core/textfile.h"
#include "maintenance/pulizia.h"
#include "options/cellanimations.h"
#include "options/opzioni.h"
#include "options/songcell.h"
#include "options/songstab.h"
#include "platform/mediastack.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"
#include "widgets/twips.h"

#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Runs act on the first modal dialog or popup menu that opens, from inside its event loop.
template <typename Widget, typename Act> void whenOpen(Act act, bool *done)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, done] {
        // Found among the top-level windows: on the offscreen platform a new window is not
        // always made the active one.
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget *open : windows) {
            auto *widget = qobject_cast<Widget *>(open);
            if (widget && widget->isVisible()) {
                poll->deleteLater();
                *done = true;
                act(widget);
                return;
            }
        }
    });
    poll->start(20);
}

// What is wrong with the file's row in the dialog's detailed list: a text cut by its column,
// or a date not in Italian. Empty when all is right.
QString detailsShown(QFileDialog *dialog, const QString &file)
{
    auto *view = dialog->findChild<QTreeView *>(u"treeView"_s);
    if (!view)
        return u"no detailed list"_s;
    dialog->setViewMode(QFileDialog::Detail);
    const QModelIndex root = view->rootIndex();
    const QString name = QFileInfo(file).fileName();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        if (view->model()->index(row, 0, root).data().toString() != name)
            continue;
        const QString date = view->model()->index(row, 3, root).data().toString();
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        if (date != italian.toString(QFileInfo(file).lastModified(), QLocale::ShortFormat))
            return u"date "_s + date;
        for (int column = 0; column < 4; ++column) {
            const QString text = view->model()->index(row, column, root).data().toString();
            const int room = view->header()->sectionSize(column);
            if (view->fontMetrics().horizontalAdvance(text) > room)
                return u"cut: "_s + text + u" in "_s + QString::number(room);
        }
        return {};
    }
    return u"no row for "_s + name;
}

// Saves a picture of the widget when ZEFIRO_SCREENSHOTS names a folder, to look at by hand.
void keepPicture(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZEFIRO_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(widget->grab().save(folder + u'/' + name));
}

// When a widget was shown and hidden, in milliseconds from the start.
class VisibilityLog : public QObject {
public:
    explicit VisibilityLog(QWidget *watched)
    {
        watched->installEventFilter(this);
        clock.start();
    }
    QList<std::pair<bool, qint64>> changes;
    QElapsedTimer clock;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            changes.append({event->type() == QEvent::Show, clock.elapsed()});
        return false;
    }
};

// A program folder of the built themes and 25 songs, slot 0 without one.
bool makeProgramFolder(AppState &state, const QString &program, const QString &folder)
{
    QDir(folder).removeRecursively();
    if (!QDir().mkpath(folder) || !copyTree(program + u"/Temi"_s, folder + u"/Temi"_s))
        return false;
    state = AppState();
    state.Path = folder;
    if (!QDir().mkpath(state.songsFolder()))
        return false;
    QStringList lines;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QString name = u"song%1.wav"_s.arg(slot);
        if (!writeBytes(state.songsFolder() + name, "RIFF"))
            return false;
        lines.append(QString::number(slot) + u'=' + (slot == 0 ? QString() : name));
    }
    return TextFile::writeLines(state.pathsFile(), lines).ok;
}

struct Peers {
    ScriptedQuestions questions;
    RecordingWindows windows;
    RecordingTheme board;
};

// The options window, shown, on the songs tab chosen with the mouse as a presenter does.
Opzioni *openSongsTab(AppState &state, Peers &peers)
{
    OpzioniPorts ports{peers.questions, peers.windows, peers.board, {}, {}, u"zefiro"_s, {}};
    auto *window = new Opzioni(state, std::move(ports));
    window->resize(700, 640);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return nullptr;
    auto *tabs = window->findChild<QTabWidget *>(u"SelOpzioni"_s);
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    return tabs->currentIndex() == 1 ? window : nullptr;
}

const char *const PreviewChild = "--preview-child";

// Qt picks its media back end once per process: the preview without one runs in a child
// process. It opens the songs tab, asks the 20-point cell for a preview by the glyph, the name
// or the menu, and prints every box shown, then "done".
int previewChild(int argc, char **argv, const QString &how)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppState state;
    if (!dir.isValid() ||
        !makeProgramFolder(state, qEnvironmentVariable("ZEFIRO_PROGRAM_DIR"), dir.path()))
        return 2;
    Peers peers;
    std::unique_ptr<Opzioni> window(openSongsTab(state, peers));
    if (!window)
        return 3;
    auto *cell = window->findChild<SongCell *>(u"imgTabella1"_s);
    if (how == u"glyph") {
        QTest::mouseClick(cell->findChild<QToolButton *>(u"imgPlay1"_s), Qt::LeftButton);
    } else if (how == u"name") {
        auto *name = cell->findChild<QLabel *>(u"Canzoni1"_s);
        QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
    } else {
        bool menuSeen = false;
        whenOpen<QMenu>(
            [](QMenu *menu) {
                menu->findChild<QAction *>(u"mnumod0"_s)->trigger();
                menu->close();
            },
            &menuSeen);
        QTest::mouseClick(cell, Qt::RightButton, {}, QPoint(4, cell->height() / 2));
        if (!menuSeen)
            return 4;
    }
    if (const QString folder = qEnvironmentVariable("ZEFIRO_SCREENSHOTS"); !folder.isEmpty())
        window->grab().save(folder + u"/songs-no-backend.png"_s);
    QTextStream out(stdout);
    for (const ScriptedQuestions::Asked &box : peers.questions.asked) {
        const QString icon =
            box.icon == QuestionPort::Icon::Warning ? u"warning"_s : QString::number(int(box.icon));
        out << u"box "_s << icon << u' ' << box.title << u": "_s << box.text << u'\n';
    }
    out << u"done\n"_s;
    return 0;
}

} // namespace

// The songs tab in the real options window, driven with mouse and key events.
class TestSongsTab : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
    AppState m_state;
    Peers m_peers;
    ScriptedQuestions &m_questions = m_peers.questions;

    QString songs() const { return m_state.songsFolder(); }

    Opzioni *open() { return openSongsTab(m_state, m_peers); }

    static SongCell *cell(QWidget *window, int label)
    {
        return window->findChild<SongCell *>(u"imgTabella%1"_s.arg(label));
    }

    QStringList paths() const { return TextFile::readLines(m_state.pathsFile()); }

    static CellAnimations &animations(QWidget *window)
    {
        return window->findChild<SongsTab *>()->animations();
    }
    // The working songs of the first category, by position.
    QStringList firstCategory() const
    {
        QStringList names;
        for (int slot = 0; slot < 5; ++slot)
            names.append(m_state.PercorsiModifica.at(static_cast<std::size_t>(slot)).file);
        return names;
    }
    static int restTop(int position) { return Twips::toPixels(position * 840); }

private slots:
    void init()
    {
        const QString program = qEnvironmentVariable("ZEFIRO_PROGRAM_DIR");
        QVERIFY2(QFileInfo(program + u"/Temi"_s).isDir(), "the built program folder is needed");
        QVERIFY(m_dir.isValid() && m_outside.isValid());
        QVERIFY(makeProgramFolder(m_state, program, m_dir.path()));
        m_questions = ScriptedQuestions();
        QVERIFY(writeBytes(m_outside.path() + u"/fuori.wav"_s, "RIFF fuori"));
    }

    // A failed check leaves its window open: it must not lie under the next test's mouse.
    // Only the options windows: they take their own progress and dialog windows with them.
    void cleanup()
    {
        QList<QPointer<Opzioni>> open;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *options = qobject_cast<Opzioni *>(window))
                open.append(options);
        }
        for (const QPointer<Opzioni> &window : open)
            delete window.data();
    }

    void hoverStretchesTheCell_data()
    {
        QTest::addColumn<QString>("allungacella");
        QTest::addColumn<int>("stretchedWidth");
        QTest::newRow("stretching") << u"1"_s << Twips::toPixels(CellStretch::FullWidth);
        QTest::newRow("colour only") << u"0"_s << Twips::toPixels(CellStretch::RestWidth);
    }

    void hoverStretchesTheCell()
    {
        QFETCH(QString, allungacella);
        QFETCH(int, stretchedWidth);
        // The options window reads the settings file as it opens.
        m_state.settings.setValue(u"allungacella"_s, allungacella);
        QVERIFY(SalvaImpostazioni(m_state).ok);
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        SongCell *second = cell(window, 1);
        const int rest = Twips::toPixels(CellStretch::RestWidth);
        QCOMPARE(second->width(), rest);
        QSignalSpy grown(&animations(window).timerAllunga(), &QTimer::timeout);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseMove(second, QPoint(6, second->height() / 2));
        QTRY_COMPARE(second->property("hot").toBool(), true);
        QTRY_COMPARE(second->width(), stretchedWidth);
        if (stretchedWidth != rest) {
            // 3855 to 7000 by 350 is 9 ticks of 20 ms; allow for timers firing a little early.
            QTRY_VERIFY(!animations(window).timerAllunga().isActive());
            QCOMPARE(grown.count(), 9);
            QVERIFY2(clock.elapsed() >= 150, qPrintable(QString::number(clock.elapsed())));
            keepPicture(window, u"songs-stretched.png"_s);
        } else {
            QVERIFY(!animations(window).timerAllunga().isActive());
        }
        // Off the cells, onto the hint above them: the cell shrinks back and loses its colour.
        auto *hint = window->findChild<QLabel *>(u"IstrImpCanz"_s);
        QTest::mouseMove(hint, hint->rect().center());
        QTRY_COMPARE(second->property("hot").toBool(), false);
        QTRY_COMPARE(second->width(), rest);
        QTRY_VERIFY(!animations(window).timerAccorcia().isActive());
        QCOMPARE(second->width(), rest);
        delete window;
    }

    void glyphPulses()
    {
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        auto *menu = window->findChild<QToolButton *>(u"lblMenu2"_s);
        QTimer &colour = animations(window).tmrColore();
        QSignalSpy ticks(&colour, &QTimer::timeout);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseMove(menu, menu->rect().center());
        QTRY_VERIFY(ticks.count() >= 5);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= 5 * 40 * 3 / 4, qPrintable(QString::number(took)));
        const int grey = animations(window).pulse().LivelloGrigio;
        QVERIFY(grey > 0 && grey <= 240 && grey % 12 == 0);
        QVERIFY2(menu->styleSheet().contains(u"rgb(%1, %1, %1)"_s.arg(grey)),
                 qPrintable(menu->styleSheet()));
        keepPicture(window, u"songs-pulse.png"_s);
        // Onto the cell's name: the pulse ends and the glyph is drawn at rest.
        auto *name = window->findChild<QLabel *>(u"Canzoni2"_s);
        QTest::mouseMove(name, QPoint(4, name->height() / 2));
        QTRY_VERIFY(!colour.isActive());
        QCOMPARE(menu->styleSheet(), QString());
        delete window;
    }

    void moveSlides_data()
    {
        QTest::addColumn<QStringList>("clicks"); // glyphs; "|" waits for the first tick
        QTest::addColumn<int>("selectFirst");    // label clicked first, -1 none
        QTest::addColumn<QList<int>>("order");   // song number at each position after
        QTest::addColumn<int>("movedLabel");
        QTest::addColumn<int>("movedTo");
        QTest::addColumn<bool>("selected");
        QTest::newRow("own arrow, down twice") << QStringList{u"lblGiu1"_s, u"lblGiu1"_s} << -1
                                               << QList<int>{0, 2, 3, 1, 4} << 1 << 3 << false;
        QTest::newRow("selection up")
            << QStringList{u"lblbSu"_s} << 3 << QList<int>{0, 1, 3, 2, 4} << 3 << 2 << true;
        QTest::newRow("turned back during the first step")
            << QStringList{u"lblSu2"_s, u"|"_s, u"lblGiu2"_s} << -1 << QList<int>{0, 1, 2, 3, 4}
            << 2 << 2 << false;
        QTest::newRow("bottom cell down")
            << QStringList{u"lblGiu4"_s} << -1 << QList<int>{0, 1, 2, 3, 4} << 4 << 4 << false;
    }

    void moveSlides()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, selectFirst);
        QFETCH(QList<int>, order);
        QFETCH(int, movedLabel);
        QFETCH(int, movedTo);
        QFETCH(bool, selected);
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        CellAnimations &motion = animations(window);
        if (selectFirst >= 0) {
            SongCell *chosen = cell(window, selectFirst);
            QTest::mouseClick(chosen, Qt::LeftButton, {}, QPoint(4, chosen->height() / 2));
            QCOMPARE(chosen->property("look").toString(), u"selected"_s);
        }
        auto *points = window->findChild<QLabel *>(u"ImposNum2"_s);
        const QRect pointsAt = points->geometry();
        // The moving cell's top after each tick: it slides 8 pixels (120 twips) at a time.
        SongCell *moving = cell(window, movedLabel);
        QList<int> tops;
        connect(&motion.timerSposta(), &QTimer::timeout, moving, [&] { tops.append(moving->y()); });
        QSignalSpy finished(&motion, &CellAnimations::moveFinished);
        for (const QString &glyph : clicks) {
            if (glyph == u"|"_s) {
                QTRY_VERIFY(!tops.isEmpty());
                continue;
            }
            auto *button = window->findChild<QToolButton *>(glyph);
            QVERIFY2(button, qPrintable(glyph));
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        const bool moves = order != QList<int>{0, 1, 2, 3, 4} || clicks.size() > 1;
        if (moves) {
            QTRY_COMPARE(finished.count(), 1);
            QVERIFY(tops.size() >= 7);
            QCOMPARE(std::abs(tops.at(1) - tops.at(0)), Twips::toPixels(CellSlide::Step));
        } else {
            QVERIFY(!motion.timerSposta().isActive());
        }
        QStringList expected;
        for (int song : order)
            expected.append(song == 0 ? QString() : u"song%1.wav"_s.arg(song));
        QCOMPARE(firstCategory(), expected);
        for (int label = 0; label < 5; ++label) {
            const int position = order.indexOf(label);
            QCOMPARE(cell(window, label)->y(), restTop(position));
            QCOMPARE(cell(window, label)->caption(),
                     label == 0 ? u"Non Impostata o commentata"_s : u"song%1.wav"_s.arg(label));
        }
        QCOMPARE(cell(window, movedLabel)->y(), restTop(movedTo));
        QCOMPARE(moving->property("look").toString() == u"selected"_s, selected);
        QCOMPARE(points->geometry(), pointsAt);
        QCOMPARE(points->text(), u"30"_s);
        delete window;
    }

    void noFileBlinks_data()
    {
        QTest::addColumn<bool>("emptySlot");
        QTest::newRow("a slot without a song") << true;
        QTest::newRow("every slot has its song") << false;
    }

    void noFileBlinks()
    {
        QFETCH(bool, emptySlot);
        if (!emptySlot) {
            QStringList lines = paths();
            lines[0] = u"0=song0.wav"_s;
            QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        }
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        auto *warning = window->findChild<QLabel *>(u"lblNoFile"_s);
        auto *timer1 = window->findChild<QTimer *>(u"Timer1"_s);
        QVERIFY(timer1);
        QCOMPARE(QFileInfo::exists(m_state.Path + u"/CheckCanzoni.ini"_s), emptySlot);
        QCOMPARE(warning->isVisible(), emptySlot);
        if (!emptySlot) {
            // Nothing would ever show it again.
            QVERIFY(!timer1->isActive());
            return;
        }
        // Hidden, shown, hidden: the hidden spell lasts 1 s, the shown one 2 s.
        VisibilityLog log(warning);
        QTRY_VERIFY_WITH_TIMEOUT(log.changes.size() >= 3, 8000);
        QCOMPARE(log.changes.at(0).first, false);
        QCOMPARE(log.changes.at(1).first, true);
        QCOMPARE(log.changes.at(2).first, false);
        const qint64 hidden = log.changes.at(1).second - log.changes.at(0).second;
        const qint64 shown = log.changes.at(2).second - log.changes.at(1).second;
        const QByteArray spells = QByteArray::number(hidden) + " / " + QByteArray::number(shown);
        QVERIFY2(hidden >= 900 && hidden < 1900, spells);
        QVERIFY2(shown >= 1900 && shown < 3500, spells);
    }

    void assignThroughTheFileDialog()
    {
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        SongCell *red = cell(window, 0);
        QVERIFY(red && red->isRed());
        QCOMPARE(red->caption(), u"Non Impostata o commentata"_s);
        QVERIFY(window->findChild<QLabel *>(u"lblNoFile"_s)->isVisible());
        keepPicture(window, u"songs-red.png"_s);

        bool dialogSeen = false;
        bool ownDialog = false;
        QString filter;
        const QString chosen = m_outside.path() + u"/fuori.wav"_s;
        whenOpen<QFileDialog>(
            [&](QFileDialog *dialog) {
                filter = dialog->selectedNameFilter();
                ownDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
                if (auto *name = dialog->findChild<QLineEdit *>(u"fileNameEdit"_s)) {
                    // Pasted whole: typed key by key, the dialog's completer may wander into
                    // another folder of the same prefix while its listing loads.
                    name->setText(chosen);
                }
                QMetaObject::invokeMethod(dialog, "accept");
            },
            &dialogSeen);
        // A right click on the name chooses a file; a red cell asks nothing first.
        auto *name = red->findChild<QLabel *>(u"Canzoni0"_s);
        QTest::mouseClick(name, Qt::RightButton, {}, name->rect().center());
        QVERIFY(dialogSeen);
        QVERIFY(ownDialog);
        QVERIFY2(filter.startsWith(u"Tipi supportati"_s), qPrintable(filter));
        QCOMPARE(red->caption(), u"fuori.wav"_s);
        QVERIFY(!red->isRed());
        QVERIFY(m_questions.asked.isEmpty());

        QTest::mouseClick(window->findChild<QPushButton *>(u"btnOK"_s), Qt::LeftButton);
        QTRY_VERIFY(!window);
        QCOMPARE(readBytes(songs() + u"fuori.wav"_s), QByteArray("RIFF fuori"));
        QCOMPARE(paths().at(1), u"0=fuori.wav"_s);
        QCOMPARE(m_questions.texts(), QStringList{u"Copia dei file eseguita con successo!"_s});
    }

    // A song of the working table taken away by other hands while the window is open: once
    // "Pulisci" has deleted files its cell is flagged and "OK" warns before saving.
    void cleanupChecksTheCellsAgain()
    {
        QStringList lines = paths();
        lines[0] = u"0=song0.wav"_s;
        QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        QVERIFY(writeBytes(songs() + u"vecchia.wav"_s, "RIFF"));
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        QVERIFY(!cell(window, 2)->isRed());
        QVERIFY(QFile::remove(songs() + u"song2.wav"_s));
        bool cleanupSeen = false;
        whenOpen<Pulizia>(
            [](Pulizia *cleanup) {
                for (const char *name : {"btnProsegui", "btnChiudi"})
                    QTest::mouseClick(cleanup->findChild<QPushButton *>(QLatin1String(name)),
                                      Qt::LeftButton);
            },
            &cleanupSeen);
        QTest::mouseClick(window->findChild<QPushButton *>(u"btnPulisciCanzoni"_s), Qt::LeftButton);
        QVERIFY(cleanupSeen);
        QVERIFY(!QFileInfo::exists(songs() + u"vecchia.wav"_s));
        QVERIFY(cell(window, 2)->isRed());
        QVERIFY(window->findChild<QLabel *>(u"lblNoFile"_s)->isVisible());
        QTest::mouseClick(window->findChild<QPushButton *>(u"btnOK"_s), Qt::LeftButton);
        QCOMPARE(m_questions.texts(),
                 QStringList{u"ATTENZIONE, alcune celle non hanno impostata alcuna canzone, Vuoi "
                             u"continuare ugualmente?"_s});
    }

    void dialogListsSongsInAnyCase()
    {
        QVERIFY(writeBytes(m_outside.path() + u"/SONG.MP3"_s, "ID3"));
        QVERIFY(writeBytes(m_outside.path() + u"/note.txt"_s, "text"));
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        QStringList listed;
        QString details;
        bool dialogSeen = false;
        whenOpen<QFileDialog>(
            [&](QFileDialog *dialog) {
                dialog->setDirectory(m_outside.path());
                auto *view = dialog->findChild<QListView *>(u"listView"_s);
                // The listing loads in the background: wait for the file that is surely shown.
                const auto names = [view] {
                    QStringList shown;
                    const QModelIndex root = view->rootIndex();
                    for (int row = 0; row < view->model()->rowCount(root); ++row) {
                        const QModelIndex index = view->model()->index(row, 0, root);
                        if (index.flags() & Qt::ItemIsEnabled)
                            shown.append(index.data().toString());
                    }
                    shown.sort();
                    return shown;
                };
                QTRY_VERIFY(names().contains(u"fuori.wav"_s));
                listed = names();
                details = detailsShown(dialog, m_outside.path() + u"/fuori.wav"_s);
                dialog->reject();
            },
            &dialogSeen);
        QTest::mouseClick(window->findChild<QToolButton *>(u"lblBrowse2"_s), Qt::LeftButton);
        QVERIFY(dialogSeen);
        QCOMPARE(listed, (QStringList{u"SONG.MP3"_s, u"fuori.wav"_s}));
        QVERIFY2(details.isEmpty(), qPrintable(details));
        QCOMPARE(cell(window, 2)->caption(), u"song2.wav"_s); // cancelled: nothing changes
    }

    void swapThroughTheMenu()
    {
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        // Slot 1 ("Spot" 20) takes "Canto" 30 (slot 7) and gives it its own song.
        SongCell *second = cell(window, 1);
        bool menuSeen = false;
        QStringList entries;
        bool pasteEnabled = true;
        whenOpen<QMenu>(
            [&](QMenu *menu) {
                keepPicture(menu, u"songs-menu.png"_s);
                for (QAction *action : menu->actions())
                    entries.append(action->isSeparator() ? u"-"_s : action->text());
                pasteEnabled = menu->findChild<QAction *>(u"mnumod5"_s)->isEnabled();
                menu->findChild<QAction *>(u"mnust1_2"_s)->trigger();
                menu->close();
            },
            &menuSeen);
        m_questions.answers = {QuestionPort::Answer::Yes};
        // A right click on the cell, beside the name, opens its menu.
        QTest::mouseClick(second, Qt::RightButton, {}, QPoint(4, second->height() / 2));
        QTRY_VERIFY(menuSeen);
        QCOMPARE(entries,
                 (QStringList{u"Riproduci"_s, u"Modifica"_s, u"Rimuovi"_s, u"-"_s, u"Copia"_s,
                              u"Incolla"_s, u"Sposta in..."_s, u"Sostituisci con..."_s, u"-"_s,
                              u"Sposta Su"_s, u"Sposta Giù"_s}));
        QVERIFY(!pasteEnabled);
        QTRY_COMPARE(second->caption(), u"song7.wav"_s);
        QCOMPARE(m_questions.texts().value(0),
                 u"Vuoi invertire le due canzoni anziché semplicemente sostituire [song1.wav] "
                 u"con [song7.wav] ?"_s);

        // Slot 0 is still empty: the apply asks first; Yes goes on.
        m_questions.answers = {QuestionPort::Answer::Yes};
        QTest::mouseClick(window->findChild<QPushButton *>(u"btnApplica"_s), Qt::LeftButton);
        QCOMPARE(paths().at(2), u"1=song7.wav"_s);
        QCOMPARE(paths().at(10), u"7=song1.wav"_s);
        delete window;
    }

    void namesAtRest_data()
    {
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("file"); // written into slot 1 when not empty
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("whole");
        const QString longName = u"Orchestra Filarmonica della Scala - Sinfonia n. 9.mp3"_s;
        QTest::newRow("slot without a song")
            << 0 << QString() << u"Non Impostata o commentata"_s << QString() << true;
        QTest::newRow("short name") << 2 << QString() << u"song2.wav"_s << QString() << true;
        QTest::newRow("long name") << 1 << longName << u"Orchestra"_s << u".mp3"_s << false;
        // A line break written into Percorsi.ini by hand shows as a blank, on one line.
        QTest::newRow("line separator") << 1 << u"Prima riga\u2028seconda.wav"_s
                                        << u"Prima riga seconda.wav"_s << QString() << true;
        QTest::newRow("next line, twice")
            << 1 << u"Uno\u0085\u0085due.wav"_s << u"Uno due.wav"_s << QString() << true;
    }

    // At the cells' resting width a name is shown whole when it fits, else shortened in the
    // middle so that its start and its type stay; the tooltip has the file with its folder.
    void namesAtRest()
    {
        QFETCH(int, label);
        QFETCH(QString, file);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(bool, whole);
        if (!file.isEmpty()) {
            QVERIFY(writeBytes(songs() + file, "RIFF"));
            QStringList lines = paths();
            lines[1] = u"1="_s + file;
            QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        }
        QPointer<Opzioni> window = open();
        QVERIFY(window);
        keepPicture(window, u"songs-names.png"_s);
        SongCell *shown = cell(window, label);
        QCOMPARE(shown->width(), Twips::toPixels(CellStretch::RestWidth));
        auto *name = shown->findChild<QLabel *>(u"Canzoni%1"_s.arg(label));
        const QString text = name->text();
        QVERIFY2(name->fontMetrics().horizontalAdvance(text) <= name->width(), qPrintable(text));
        if (whole) {
            QCOMPARE(text, start);
        } else {
            QVERIFY2(text.startsWith(start) && text.endsWith(end) && text.contains(u'…'),
                     qPrintable(text));
        }
        const QString song = m_state.PercorsiModifica.at(std::size_t(label)).file;
        QCOMPARE(name->toolTip(), song.isEmpty() ? start : songs() + song);
        delete window;
    }

    void previewWithoutBackEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("play glyph") << u"glyph"_s;
        QTest::newRow("left click on the name") << u"name"_s;
        QTest::newRow("Riproduci in the menu") << u"menu"_s;
    }

    // Qt 6.4 ends the program at its first media player when it has no back end: the tab
    // must open and say why nothing plays, as the board does at a click.
    void previewWithoutBackEnd()
    {
        QFETCH(QString, how);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_MEDIA_BACKEND"_s, u"nessuno"_s);
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(PreviewChild), how});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines,
                 (QStringList{u"box warning Zefiro: "_s + missingMediaStackWarning(), u"done"_s}));
    }
};

int main(int argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], PreviewChild) == 0)
        return previewChild(argc, argv, QString::fromLatin1(argv[2]));
    QApplication app(argc, argv);
    TestSongsTab test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_songstab.moc"
