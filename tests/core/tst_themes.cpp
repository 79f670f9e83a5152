#include "core/appstate.h"
#include "core/themes.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestThemes : public QObject {
    Q_OBJECT

private slots:
    void init();
    void validation_data();
    void validation();
    void listKeepsOrderAndSkipsInvalid();
    void noValidThemeIsFatal();
    void choice_data();
    void choice();
    void applyRunsEveryLineInOrder();
    void picturesFoundInAnyCase();

private:
    void addTheme(const QString &folder, const QString &fileName, const QByteArray &text);
    bool load();

    ProgramFolderFixture m_folder;
    AppState m_state;
    FakeProgress m_progress;
    ScriptedQuestions m_questions;
};

void TestThemes::init()
{
    QVERIFY(m_folder.reset(m_state, false));
    m_progress = FakeProgress();
    m_questions = ScriptedQuestions();
    QVERIFY(QDir().mkpath(m_state.file(QStringLiteral("Temi"))));
}

void TestThemes::addTheme(const QString &folder, const QString &fileName, const QByteArray &text)
{
    const QString dir = m_state.file(QStringLiteral("Temi/")) + folder;
    QVERIFY(QDir().mkpath(dir));
    QVERIFY(writeBytes(dir + u'/' + fileName, text));
}

bool TestThemes::load()
{
    return Themes(m_state, m_progress, m_questions).CaricaTemi();
}

void TestThemes::validation_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("title"); // empty: not listed

    QTest::newRow("case differs, sfondo, no title")
        << "blu.INI" << QByteArray("Tabella=t.jpg\r\nESCI=e.jpg\r\nsfondo=255\r\n") << "Blu";
    QTest::newRow("title trimmed, any case")
        << "Blu.ini" << QByteArray("tabella=t.jpg\nesci=e.jpg\ncoloresfondo=1\n TiTolo =  Mare \n")
        << "Mare";
    QTest::newRow("english title key")
        << "Blu.ini" << QByteArray("tabella=t\nesci=e\nsfondo=1\ntitle=Sea\ntitolo=Mare\n")
        << "Sea";
    QTest::newRow("empty colour only")
        << "Blu.ini" << QByteArray("tabella=t\nesci=e\ncoloresfondo=\n") << "";
    QTest::newRow("empty then full colour")
        << "Blu.ini" << QByteArray("tabella=t\nesci=e\ncoloresfondo=\nsfondo=3\n") << "Blu";
    QTest::newRow("no exit picture") << "Blu.ini" << QByteArray("tabella=t\nsfondo=3\n") << "";
    QTest::newRow("file not named after folder")
        << "Altro.ini" << QByteArray("tabella=t\nesci=e\nsfondo=3\n") << "";
}

void TestThemes::validation()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, text);
    QFETCH(QString, title);
    addTheme(QStringLiteral("Blu"), fileName, text);
    addTheme(QStringLiteral("Zz"), QStringLiteral("Zz.ini"), "tabella=a\nesci=b\nsfondo=1\n");
    QVERIFY(load());
    const QStringList expected = title.isEmpty() ? QStringList{QStringLiteral("Zz")}
                                                 : QStringList{title, QStringLiteral("Zz")};
    QCOMPARE(m_state.TemiTitoli, expected);
    QCOMPARE(m_state.ContatoreTemi, static_cast<int>(expected.size()) - 1);
}

void TestThemes::listKeepsOrderAndSkipsInvalid()
{
    addTheme(QStringLiteral("A"), QStringLiteral("A.ini"), "tabella=a\nesci=b\nsfondo=1\n");
    addTheme(QStringLiteral("B"), QStringLiteral("B.ini"), "tabella=a\n");
    addTheme(QStringLiteral("C"), QStringLiteral("C.ini"), "tabella=a\nesci=b\nsfondo=1\n");
    // Letter case does not order the list: "blu" comes before "C".
    addTheme(QStringLiteral("blu"), QStringLiteral("blu.ini"), "tabella=a\nesci=b\nsfondo=1\n");
    m_state.Avvio = 0;
    m_progress.visible = true;
    QVERIFY(load());
    QCOMPARE(m_state.TemiCartelle,
             (QStringList{QStringLiteral("A"), QStringLiteral("blu"), QStringLiteral("C")}));
    QCOMPARE(m_state.ContatoreTemi, 2);
    // Outside the loader: the bar counts the folders and the window closes at the end.
    QCOMPARE(m_progress.maxima.last(), 4);
    QCOMPARE(m_progress.captions.last(), QStringLiteral("Caricamento Temi..."));
    QVERIFY(!m_progress.visible);
}

void TestThemes::noValidThemeIsFatal()
{
    addTheme(QStringLiteral("A"), QStringLiteral("A.ini"), "titolo=x\n");
    QVERIFY(!load());
    QCOMPARE(m_questions.asked.size(), 1);
    QCOMPARE(m_questions.asked.first().text, QStringLiteral("Errore: Nessun tema esistente"));
    QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Critical);
}

void TestThemes::choice_data()
{
    QTest::addColumn<QString>("indextema");
    QTest::addColumn<int>("chosen");
    QTest::newRow("second") << "1" << 1;
    QTest::newRow("past the last") << "2" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("not a number") << "x" << 0;
}

void TestThemes::choice()
{
    QFETCH(QString, indextema);
    QFETCH(int, chosen);
    addTheme(QStringLiteral("A"), QStringLiteral("A.ini"), "tabella=a.jpg\nesci=b\nsfondo=1\n");
    addTheme(QStringLiteral("B"), QStringLiteral("B.ini"), "tabella=b.jpg\nesci=b\nsfondo=2\n");
    QVERIFY(load());
    m_state.settings.setValue(QStringLiteral("indextema"), indextema);
    Themes themes(m_state, m_progress, m_questions);
    themes.ScegliTema();
    QCOMPARE(m_state.TemaScelto, chosen);
    RecordingTheme board;
    themes.ImpostaTema(board);
    QCOMPARE(m_state.settings.value(QStringLiteral("indextema")), QString::number(chosen));
    QCOMPARE(board.colours, QList<int>{chosen + 1});
}

void TestThemes::applyRunsEveryLineInOrder()
{
    addTheme(QStringLiteral("A"), QStringLiteral("a.ini"),
             "tabella=uno.jpg\nesci=x.jpg\nsfondo=16711680\ntitolo=T\ntabella = due.jpg \n"
             "coloresfondo=\ncoloresfondo=255\n");
    QVERIFY(load());
    RecordingTheme target;
    Themes(m_state, m_progress, m_questions).ApplicaTema(QStringLiteral("A"), target);
    const QString folder = m_state.file(QStringLiteral("Temi/A/"));
    QCOMPARE(target.boards,
             (QStringList{folder + QStringLiteral("uno.jpg"), folder + QStringLiteral("due.jpg")}));
    QCOMPARE(target.exits, QStringList{folder + QStringLiteral("x.jpg")});
    QCOMPARE(target.colours, (QList<int>{16711680, 255}));
}

// A theme written for a system that ignores letter case names its pictures in any case.
void TestThemes::picturesFoundInAnyCase()
{
    addTheme(QStringLiteral("Blu"), QStringLiteral("blu.ini"),
             "tabella=Sfondo.JPG\nesci=img/ESCI.png\nsfondo=1\n");
    const QString folder = m_state.file(QStringLiteral("Temi/Blu/"));
    QVERIFY(writeBytes(folder + QStringLiteral("sfondo.jpg"), "x"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("Img")));
    QVERIFY(writeBytes(folder + QStringLiteral("Img/esci.png"), "x"));
    QVERIFY(load());
    RecordingTheme target;
    Themes(m_state, m_progress, m_questions).ApplicaTema(QStringLiteral("blu"), target);
    QCOMPARE(target.boards, QStringList{folder + QStringLiteral("sfondo.jpg")});
    QCOMPARE(target.exits, QStringList{folder + QStringLiteral("Img/esci.png")});
}

QTEST_GUILESS_MAIN(TestThemes)
#include "tst_themes.moc"
