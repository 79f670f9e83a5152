#include "tests/options/optionswindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString MissingSongs =
    u"ATTENZIONE, alcune celle non hanno impostata alcuna canzone, Vuoi continuare ugualmente?"_s;

template <typename Widget = QWidget> Widget *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<Widget *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no control %s", name);
    return widget;
}

// Near the left edge, where a check box has its box and a button its face.
void click(QWidget *window, const char *name)
{
    QWidget *control = child(window, name);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
}

void clickRow(QWidget *window, int row)
{
    auto *list = child<QListWidget>(window, "lstSquadre");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

// Clicks into a field, replaces its text by typing, and confirms with Enter as the presenter.
void type(QWidget *window, const char *name, const QString &text, bool enter)
{
    auto *field = child<QLineEdit>(window, name);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    if (enter)
        QTest::keyClick(field, Qt::Key_Return);
}

QStringList rows(QWidget *window)
{
    auto *list = child<QListWidget>(window, "lstSquadre");
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

class TestTeamsTab : public QObject, private OptionsWindowFixture {
    Q_OBJECT

    // The options window on its "Squadre" tab.
    Opzioni *openTeams()
    {
        Opzioni *window = open();
        auto *tabs = child<QTabWidget>(window, "SelOpzioni");
        QTabBar *bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
        return window;
    }

    QString teamsFile() const { return m_state.file(u"Squadre.ini"_s); }

private slots:
    void init() { QVERIFY2(resetFolder(), "the built program folder with its themes is needed"); }

    // Three teams made with the mouse and the keyboard, a key refused, one moved up, then
    // "Applica" writes them in their order with the penalty setting.
    void threeTeamsApplied()
    {
        QPointer<Opzioni> window = openTeams();
        QVERIFY(child(window, "frOpzioni3")->isVisible());
        QSignalSpy applied(window.data(), &Opzioni::teamsChanged);
        for (int i = 0; i < 3; ++i)
            click(window, "btnAggiungiSquadra");
        const QStringList names{u"Rossi"_s, u"Blu"_s, u"Verdi"_s};
        const QStringList keys{u"a"_s, u"b"_s, u"m"_s};
        for (int row = 0; row < 3; ++row) {
            clickRow(window, row);
            type(window, "txtNomeSquadra", names.at(row), true);
            type(window, "txtTastoSquadra", keys.at(row), false);
        }
        // M marks a number on the board: refused, said, and the field shows no key again.
        auto *refusal = child<QLabel>(window, "lblAvvisoSquadre");
        QCOMPARE(refusal->text(), u"Il tasto M è già usato dal tabellone o dalla finestra di "
                                  u"riproduzione"_s);
        QCOMPARE(child<QLineEdit>(window, "txtTastoSquadra")->text(), QString());
        type(window, "txtTastoSquadra", u"1"_s, false);
        QCOMPARE(refusal->text(), QString());
        click(window, "btnColore6");
        click(window, "btnSquadraSu");
        QCOMPARE(rows(window), QStringList({u"1. Rossi (tasto A)"_s, u"2. Verdi (tasto 1)"_s,
                                            u"3. Blu (tasto B)"_s}));
        // The moved team stays selected.
        QCOMPARE(child<QLineEdit>(window, "txtNomeSquadra")->text(), u"Verdi"_s);
        click(window, "CheckPenalita");
        QVERIFY(window->CheckAnnullaModifiche());
        QVERIFY(!QFileInfo::exists(teamsFile()));
        m_questions.answers = {QuestionPort::Answer::Yes};
        click(window, "btnApplica");
        QCOMPARE(m_questions.texts(), QStringList{MissingSongs});
        QCOMPARE(readBytes(teamsFile()),
                 QByteArray("1=Rossi;#E53935;A\r\n2=Verdi;#00ACC1;1\r\n3=Blu;#1E88E5;B\r\n"));
        QVERIFY(readBytes(m_state.file(u"Impostazioni.ini"_s)).contains("\r\npenalita=1\r\n"));
        QCOMPARE(applied.size(), 1);
        QCOMPARE(applied.first().first().value<QList<Team>>().size(), 3);
        QVERIFY(!window->CheckAnnullaModifiche());
        // Every control of the tab can be found by name and is named for a screen reader.
        const QList<QWidget *> controls = child(window, "frOpzioni3")->findChildren<QWidget *>();
        for (QWidget *control : controls) {
            if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control) ||
                qobject_cast<QListWidget *>(control)) {
                QVERIFY2(!control->objectName().isEmpty(), control->metaObject()->className());
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
            }
        }
        delete window.data();
    }

    // "Annulla" asks before it forgets a change of the tab; the next opening shows the stored
    // state again and nothing was written.
    void annullaForgets_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("a team added") << u"btnAggiungiSquadra"_s;
        QTest::newRow("penalty ticked") << u"CheckPenalita"_s;
        QTest::newRow("a team removed") << u"btnRimuoviSquadra"_s;
    }

    void annullaForgets()
    {
        QFETCH(QString, change);
        const QByteArray stored = "1=Rossi;#FF0000;A\r\n";
        QVERIFY(writeBytes(teamsFile(), stored));
        QPointer<Opzioni> window = openTeams();
        QVERIFY(!window->CheckAnnullaModifiche());
        clickRow(window, 0);
        click(window, change.toLatin1().constData());
        m_questions.answers = {QuestionPort::Answer::Yes};
        click(window, "btnAnnulla");
        QCOMPARE(m_questions.texts(), QStringList{u"Non hai salvato alcune modifiche e se "
                                                  u"continui verranno perse. Vuoi continuare?"_s});
        QTRY_VERIFY(window.isNull());
        QCOMPARE(readBytes(teamsFile()), stored);
        QVERIFY(!QFileInfo::exists(m_state.file(u"Impostazioni.ini"_s)));
        window = openTeams();
        QCOMPARE(rows(window), QStringList{u"1. Rossi (tasto A)"_s});
        QVERIFY(!child<QCheckBox>(window, "CheckPenalita")->isChecked());
        QVERIFY(!window->CheckAnnullaModifiche());
        delete window.data();
    }

    // A damaged line is named on the tab and the rest is used; no question holds up the load.
    void damagedLineSaid()
    {
        QVERIFY(writeBytes(teamsFile(), "1=Rossi;#FF0000;A\r\n2=Blu;blu;\r\n3=Verdi;#00FF00;\r\n"));
        QPointer<Opzioni> window = openTeams();
        QCOMPARE(rows(window),
                 QStringList({u"1. Rossi (tasto A)"_s, u"2. Verdi (nessun tasto)"_s}));
        QCOMPARE(child<QLabel>(window, "lblRigheSquadre")->text(),
                 u"Squadre.ini, riga 2 ignorata (il colore non è nella forma #RRGGBB): "
                 u"2=Blu;blu;"_s);
        QVERIFY(m_questions.asked.isEmpty());
        delete window.data();
    }

    // A failed write is reported and the change stays pending: "OK" leaves the window open, so
    // the teams just typed are not lost.
    void failedWriteReported()
    {
        QVERIFY(QDir().mkpath(teamsFile()));
        QPointer<Opzioni> window = openTeams();
        click(window, "btnAggiungiSquadra");
        m_questions.answers = {QuestionPort::Answer::Yes};
        click(window, "btnOK");
        QCOMPARE(m_questions.asked.size(), 2);
        QVERIFY(m_questions.asked.at(1).text.startsWith(u"Impossibile salvare le squadre: "_s));
        QCOMPARE(m_questions.asked.at(1).icon, QuestionPort::Icon::Critical);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.isNull());
        QVERIFY(window->CheckAnnullaModifiche());
        delete window.data();
    }
};

QTEST_MAIN(TestTeamsTab)
#include "tst_teamstab.moc"
