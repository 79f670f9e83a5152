#include "options/themepreview.h"
#include "tests/options/optionswindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Clicks the tab strip's item index, as the presenter does.
void showTab(QWidget *window, int index)
{
    auto *tabs = window->findChild<QTabWidget *>(u"SelOpzioni"_s);
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    QCOMPARE(tabs->currentIndex(), index);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Percorsi.ini naming a song in each slot, every file present but the missing ones.
bool writeSongs(const AppState &state, const QList<int> &missing)
{
    QByteArray paths;
    const char *sections[] = {"[Spot]", "[Canto]", "[Colonne Sonore]", "[Ballo]",
                              "[Scelte dagli educatori]"};
    if (!QDir().mkpath(state.file(u"Musiche"_s)))
        return false;
    for (int slot = 0; slot < 25; ++slot) {
        if (slot % 5 == 0)
            paths += QByteArray(sections[slot / 5]) + "\r\n";
        const QString song = u"song%1.wav"_s.arg(slot);
        paths += QByteArray::number(slot) + '=' + song.toLatin1() + "\r\n";
        if (!missing.contains(slot) && !writeFile(state.file(u"Musiche/"_s + song), "RIFF"))
            return false;
    }
    return writeFile(state.file(u"Percorsi.ini"_s), paths);
}

bool progressShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget *window) {
        return window->objectName() == u"Progressione"_s && window->isVisible();
    });
}

QByteArray settingsFile(const AppState &state)
{
    QFile file(state.file(u"Impostazioni.ini"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOpzioni : public QObject, private OptionsWindowFixture {
    Q_OBJECT

    struct ThemeTab {
        QPointer<Opzioni> window;
        QListWidget *skin;
        ThemePreview *preview;
    };

    ThemeTab openThemeTab()
    {
        Opzioni *window = open();
        return {window, window->findChild<QListWidget *>(u"Skin"_s),
                window->findChild<ThemePreview *>(u"PictureAnteprimaTema"_s)};
    }

    // Rows of a test run once for each of "Applica", "OK" and one more button.
    static void buttonRows(const char *tag, const QString &button)
    {
        QTest::addColumn<QString>("button");
        QTest::newRow(tag) << button;
        QTest::newRow("Applica") << u"btnApplica"_s;
        QTest::newRow("OK") << u"btnOK"_s;
    }

    static void clickRow(QListWidget *skin, int row)
    {
        QTest::mouseClick(skin->viewport(), Qt::LeftButton, {},
                          skin->visualItemRect(skin->item(row)).center());
    }

private slots:
    void init() { QVERIFY2(resetFolder(), "the built program folder with its themes is needed"); }

    void tabsAndLoad()
    {
        QPointer<Opzioni> window = open();
        QVERIFY(m_state.OpzioniAperte);
        QCOMPARE(m_state.Avvio, 0);
        auto *tabs = window->findChild<QTabWidget *>(u"SelOpzioni"_s);
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(tabs->tabText(0), u"Impostazioni Tema"_s);
        QCOMPARE(tabs->tabText(1), u"Impostazioni delle Canzoni"_s);
        QCOMPARE(tabs->tabText(2), u"Avanzate"_s);
        QCOMPARE(tabs->tabText(3), u"Squadre"_s);
        tabs->setCurrentIndex(2);
        QVERIFY(window->findChild<QWidget *>(u"frOpzioni2"_s)->isVisible());
        QVERIFY(!window->findChild<QWidget *>(u"frOpzioni0"_s)->isVisible());
        const QString shots = qEnvironmentVariable("ZEFIRO_SHOTS");
        if (!shots.isEmpty()) {
            window->resize(900, 700);
            for (int i = 0; i < 4; ++i) {
                tabs->setCurrentIndex(i);
                QVERIFY(
                    window->grab().save(shots + u"/opzioni"_s + QString::number(i) + u".png"_s));
            }
        }
        delete window.data();
        QVERIFY(!m_state.OpzioniAperte);
    }

    void okWritesSettings()
    {
        QPointer<Opzioni> window = open();
        QVERIFY(settingsFile(m_state).isEmpty());
        showTab(window, 2);
        auto *repeat = window->findChild<QCheckBox *>(u"CheckRiproduzioneContinua"_s);
        QCOMPARE(repeat->text(), u"Ripeti il file"_s);
        QVERIFY(!repeat->isChecked());
        QTest::mouseClick(repeat, Qt::LeftButton, {}, QPoint(6, repeat->height() / 2));
        QVERIFY(repeat->isChecked());
        // No songs are assigned here, so the missing-songs question comes first; No (its
        // default) keeps the window open with nothing written.
        QPushButton *ok = window->findChild<QPushButton *>(u"btnOK"_s);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(m_questions.texts(),
                 QStringList{u"ATTENZIONE, alcune celle non hanno impostata alcuna canzone, Vuoi "
                             u"continuare ugualmente?"_s});
        QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Warning);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.isNull());
        QVERIFY(settingsFile(m_state).isEmpty());
        m_questions.answers = {QuestionPort::Answer::Yes};
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(settingsFile(m_state).contains("riprodcontinua=1"));
        // Without teams the game leaves no file behind.
        QVERIFY(!QFileInfo::exists(m_state.file(u"Squadre.ini"_s)));
        QTRY_VERIFY(window.isNull());
        QVERIFY(!m_state.OpzioniAperte);
    }

    void cancelAsks_data()
    {
        QTest::addColumn<bool>("change");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("no change") << false << int(QuestionPort::Answer::No) << true;
        QTest::newRow("change, No") << true << int(QuestionPort::Answer::No) << false;
        QTest::newRow("change, Yes") << true << int(QuestionPort::Answer::Yes) << true;
    }

    void cancelAsks()
    {
        QFETCH(bool, change);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QPointer<Opzioni> window = open();
        if (change) {
            showTab(window, 2);
            window->findChild<QCheckBox *>(u"CheckAllungaCelle"_s)->toggle();
        }
        m_questions.answers = {static_cast<QuestionPort::Answer>(answer)};
        QTest::mouseClick(window->findChild<QPushButton *>(u"btnAnnulla"_s), Qt::LeftButton);
        QCOMPARE(m_questions.asked.size(), change ? 1 : 0);
        if (change)
            QCOMPARE(m_questions.texts().first(),
                     u"Non hai salvato alcune modifiche e se continui verranno perse. Vuoi "
                     u"continuare?"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(window.isNull(), closed);
        QVERIFY(settingsFile(m_state).isEmpty());
        delete window.data();
    }

    // "Nessuno" disables the speed slider and its labels; the choice is taken at once and is
    // no change for "Annulla".
    void fadeButtons()
    {
        QPointer<Opzioni> window = open();
        showTab(window, 2);
        auto *slider = window->findChild<QSlider *>(u"sldStop"_s);
        for (int button : {2, 0, 2, 3}) {
            auto *option =
                window->findChild<QRadioButton *>(u"CheckSfumaDx"_s + QString::number(button));
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            QCOMPARE(m_state.settings.number(u"sfumadx"_s), button);
            QCOMPARE(slider->isEnabled(), button != 2);
            for (const char *name : {"lblLenta", "lblVelocita", "lblVeloce"})
                QCOMPARE(window->findChild<QLabel *>(QString::fromLatin1(name))->isEnabled(),
                         button != 2);
        }
        QVERIFY(!window->CheckAnnullaModifiche());
        delete window.data();
    }

    // The window opens on the songs tab while a slot has no song, else on the theme tab; the
    // reload behind it takes milliseconds and shows no progress window.
    void openingTab_data()
    {
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<int>("tab");
        QTest::newRow("every song present") << QList<int>{} << 0;
        QTest::newRow("one song missing") << QList<int>{7} << 1;
        QTest::newRow("last song missing") << QList<int>{24} << 1;
    }

    void openingTab()
    {
        QFETCH(QList<int>, missing);
        QFETCH(int, tab);
        QVERIFY(writeSongs(m_state, missing));
        QPointer<Opzioni> window = open();
        QCOMPARE(window->findChild<QTabWidget *>(u"SelOpzioni"_s)->currentIndex(), tab);
        QCOMPARE(m_state.SchedaIniziale, 0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(window->findChild<QWidget *>(u"frOpzioni"_s + QString::number(i))->isVisible(),
                     i == tab);
        QVERIFY(!progressShown());
        delete window.data();
    }

    // Opening previews the applied theme; "Applica il tema" applies the clicked one to the board
    // and writes the settings at once.
    void themeTab()
    {
        QVERIFY(writeFile(m_state.file(u"Impostazioni.ini"_s), "indextema=1\r\n"));
        auto [window, skin, preview] = openThemeTab();
        QCOMPARE(skin->count(), 2);
        QCOMPARE(skin->currentRow(), 1);
        QVERIFY(preview->boardPicture().endsWith(u"/Temi/Notte/tabella.jpg"_s));
        QVERIFY(m_board.boards.isEmpty());
        clickRow(skin, 0);
        QCOMPARE(skin->currentRow(), 0);
        QVERIFY(preview->boardPicture().endsWith(u"/Temi/Festa/tabella.jpg"_s));
        QVERIFY(m_board.boards.isEmpty());
        QVERIFY(window->CheckAnnullaModifiche());
        QTest::mouseClick(window->findChild<QPushButton *>(u"btnApplicaTema"_s), Qt::LeftButton);
        QCOMPARE(m_board.boards.size(), 1);
        QVERIFY(m_board.boards.first().endsWith(u"/Temi/Festa/tabella.jpg"_s));
        QVERIFY(settingsFile(m_state).contains("indextema=0\r\n"));
        QVERIFY(!window->CheckAnnullaModifiche());
        delete window.data();
    }

    // A rescan after the applied theme's folder went leaves nothing selected and the preview
    // as it was.
    void rescanPastTheEnd()
    {
        QVERIFY(writeFile(m_state.file(u"Impostazioni.ini"_s), "indextema=1\r\n"));
        auto [window, skin, preview] = openThemeTab();
        const QString shown = preview->boardPicture();
        QVERIFY(QDir(m_state.file(u"Temi/Notte"_s)).removeRecursively());
        QTest::mouseClick(window->findChild<QPushButton *>(u"CambInter"_s), Qt::LeftButton);
        QCOMPARE(skin->count(), 1);
        QCOMPARE(skin->currentRow(), -1);
        QCOMPARE(preview->boardPicture(), shown);
        QVERIFY(m_questions.asked.isEmpty());
        // The list again matches the themes: a click previews.
        clickRow(skin, 0);
        QVERIFY(preview->boardPicture().endsWith(u"/Temi/Festa/tabella.jpg"_s));
        delete window.data();
    }

    // After a rescan left nothing selected, each way of applying applies the theme kept for
    // the stored index (the first one, as the stored one is gone) and stores its index, so
    // nothing is left unsaved.
    void applyAfterRescan_data() { buttonRows("Applica il tema", u"btnApplicaTema"_s); }

    void applyAfterRescan()
    {
        QFETCH(QString, button);
        QVERIFY(writeFile(m_state.file(u"Impostazioni.ini"_s), "indextema=1\r\n"));
        auto [window, skin, preview] = openThemeTab();
        QVERIFY(QDir(m_state.file(u"Temi/Notte"_s)).removeRecursively());
        QTest::mouseClick(window->findChild<QPushButton *>(u"CambInter"_s), Qt::LeftButton);
        QCOMPARE(skin->currentRow(), -1);
        m_questions.answers = {QuestionPort::Answer::Yes}; // no songs here: go on all the same
        QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(m_board.boards.size(), 1);
        QVERIFY(m_board.boards.first().endsWith(u"/Temi/Festa/tabella.jpg"_s));
        QCOMPARE(m_state.settings.number(u"indextema"_s), 0);
        QVERIFY(settingsFile(m_state).contains("indextema=0\r\n"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!window.isNull()) {
            QCOMPARE(skin->currentRow(), 0);
            QVERIFY(!window->CheckAnnullaModifiche());
        }
        delete window.data();
    }

    // The playback window keeps the computer volume of this run in memory only; opening,
    // applying and cancelling the options window keep it, and applying stores it.
    void computerVolumeKept_data() { buttonRows("Annulla", u"btnAnnulla"_s); }

    void computerVolumeKept()
    {
        QFETCH(QString, button);
        QVERIFY(writeFile(m_state.file(u"Impostazioni.ini"_s), "volprinc=30\r\n"));
        m_state.settings.setValue(u"volprinc"_s, u"12"_s);
        QPointer<Opzioni> window = open();
        QCOMPARE(m_state.settings.value(u"volprinc"_s), u"12"_s);
        m_questions.answers = {QuestionPort::Answer::Yes};
        QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(m_state.settings.value(u"volprinc"_s), u"12"_s);
        QCOMPARE(settingsFile(m_state).contains("volprinc=12\r\n"), button != u"btnAnnulla"_s);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete window.data();
        // A second opening still finds it.
        window = open();
        QCOMPARE(m_state.settings.value(u"volprinc"_s), u"12"_s);
        delete window.data();
    }

    void verificaAdesso()
    {
        QPointer<Opzioni> window = open();
        showTab(window, 2);
        QTest::mouseClick(window->findChild<QPushButton *>(u"PulsVerAgg"_s), Qt::LeftButton);
        QCOMPARE(m_updates, 1);
        delete window.data();
    }
};

QTEST_MAIN(TestOpzioni)
#include "tst_opzioni.moc"
