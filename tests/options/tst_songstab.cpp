#include "core/appstate.h"
#include "core/textfile.h"
#include "options/opzioni.h"
#include "options/songcell.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QDirIterator>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

bool copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target))
            return false;
    }
    return true;
}

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

// Saves a picture of the widget when ZEFIRO_SCREENSHOTS names a folder, to look at by hand.
void keepPicture(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("ZEFIRO_SCREENSHOTS");
    if (!folder.isEmpty())
        QVERIFY(widget->grab().save(folder + u'/' + name));
}

} // namespace

// The songs tab in the real options window, driven with mouse and key events.
class TestSongsTab : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
    AppState m_state;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
    RecordingTheme m_board;

    QString songs() const { return m_state.songsFolder(); }

    Opzioni *open()
    {
        OpzioniPorts ports{m_questions, m_windows, m_board, {}, {}, u"zefiro"_s, {}};
        auto *window = new Opzioni(m_state, std::move(ports));
        window->resize(700, 640);
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            return nullptr;
        // The tab is chosen with the mouse, as a presenter does.
        auto *tabs = window->findChild<QTabWidget *>(u"SelOpzioni"_s);
        QTabBar *bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        return tabs->currentIndex() == 1 ? window : nullptr;
    }

    static SongCell *cell(QWidget *window, int label)
    {
        return window->findChild<SongCell *>(u"imgTabella%1"_s.arg(label));
    }

    QStringList paths() const { return TextFile::readLines(m_state.pathsFile()); }

private slots:
    void init()
    {
        const QString program = qEnvironmentVariable("ZEFIRO_PROGRAM_DIR");
        QVERIFY2(QFileInfo(program + u"/Temi"_s).isDir(), "the built program folder is needed");
        QVERIFY(m_dir.isValid() && m_outside.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        QVERIFY(copyTree(program + u"/Temi"_s, m_dir.path() + u"/Temi"_s));
        m_state = AppState();
        m_state.Path = m_dir.path();
        m_questions = ScriptedQuestions();
        QVERIFY(QDir().mkpath(songs()));
        QStringList lines;
        for (int slot = 0; slot < SlotCount; ++slot) {
            const QString name = u"song%1.wav"_s.arg(slot);
            QVERIFY(writeBytes(songs() + name, "RIFF"));
            lines.append(QString::number(slot) + u'=' + (slot == 0 ? QString() : name));
        }
        QVERIFY(TextFile::writeLines(m_state.pathsFile(), lines).ok);
        QVERIFY(writeBytes(m_outside.path() + u"/fuori.wav"_s, "RIFF fuori"));
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
};

QTEST_MAIN(TestSongsTab)
#include "tst_songstab.moc"
