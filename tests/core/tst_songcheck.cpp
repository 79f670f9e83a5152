#include "core/appstate.h"
#include "core/songcheck.h"
#include "core/songpaths.h"
#include "tests/core/startupfakes.h"
#include "tests/core/testfiles.h"

#include <QFileInfo>
#include <QTest>

class TestSongCheck : public QObject {
    Q_OBJECT

private slots:
    void init();
    void check_data();
    void check();
    void checkFromOptionsAsksNothing();
    void slotLookup();
    void copyBringsOutsideSongsIn();
    void failedCopyKeepsFormerEntry();
    void copyRefusesNamesOutsideTheSongsFolder();
    void applyWithNothingToCopy();

private:
    void fillAll();
    SongCheck checker() { return SongCheck(m_state, m_progress, m_questions, m_windows); }
    QString songs() const { return m_state.songsFolder(); }

    ProgramFolderFixture m_folder;
    AppState m_state;
    FakeProgress m_progress;
    ScriptedQuestions m_questions;
    RecordingWindows m_windows;
};

void TestSongCheck::init()
{
    QVERIFY(m_folder.reset(m_state));
    m_progress = FakeProgress();
    m_questions = ScriptedQuestions();
    m_windows = RecordingWindows();
    CaricaPercorsi(m_state);
}

void TestSongCheck::fillAll()
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QString name = QStringLiteral("s%1.wav").arg(slot);
        QVERIFY(writeBytes(songs() + name, "RIFF"));
        m_state.PercorsiModifica.at(static_cast<size_t>(slot)).file = name;
        m_state.PercorsiSalvati.at(static_cast<size_t>(slot)).file = name;
    }
}

void TestSongCheck::check_data()
{
    QTest::addColumn<QString>("name3");
    QTest::addColumn<QString>("name11");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("list");
    QTest::newRow("all present removes an old list")
        << "s3.wav"
        << "s11.wav" << QByteArray("7;\r\n") << QByteArray();
    QTest::newRow("blank and missing")
        << "  "
        << "manca.wav" << QByteArray() << QByteArray("3;\r\n11;\r\n");
    QTest::newRow("path outside replaces an old list")
        << "../s3.wav"
        << "s11.wav" << QByteArray("7;\r\n24;\r\n") << QByteArray("3;\r\n");
    QTest::newRow("dot dot") << ".."
                             << "s11.wav" << QByteArray() << QByteArray("3;\r\n");
}

void TestSongCheck::check()
{
    QFETCH(QString, name3);
    QFETCH(QString, name11);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, list);
    fillAll();
    const QString path = m_state.file(QStringLiteral("CheckCanzoni.ini"));
    if (!before.isEmpty())
        QVERIFY(writeBytes(path, before));
    QVERIFY(writeBytes(m_state.Path + QStringLiteral("/s3.wav"), "RIFF"));
    m_state.PercorsiModifica[3].file = name3;
    m_state.PercorsiModifica[11].file = name11;
    m_state.Avvio = 1;
    m_questions.answers = {QuestionPort::Answer::No};
    checker().ControllaCanzoni();

    QCOMPARE(QFileInfo::exists(path), !list.isEmpty());
    QCOMPARE(readBytes(path), list.isEmpty() ? QByteArray() : list);
    QCOMPARE(checker().EsisteControllo(), !list.isEmpty());
    QCOMPARE(m_questions.asked.size(), list.isEmpty() ? 0 : 1);
    if (!list.isEmpty()) {
        const auto &asked = m_questions.asked.first();
        QCOMPARE(asked.title, QStringLiteral("Controllo Canzoni"));
        QVERIFY(asked.text.startsWith(QStringLiteral("ATTENZIONE!! Alcune caselle")));
        QCOMPARE(asked.icon, QuestionPort::Icon::Warning);
        QCOMPARE(asked.buttons, QuestionPort::Buttons::YesNo);
    }
    QCOMPARE(m_windows.optionsShown, 0); // answered No
    QCOMPARE(m_progress.captions.last(), QStringLiteral("Controllo Canzoni..."));
    QVERIFY(!m_progress.visible);
}

void TestSongCheck::checkFromOptionsAsksNothing()
{
    m_state.Avvio = 2;
    checker().ControllaCanzoni();
    QVERIFY(m_questions.asked.isEmpty());
    QVERIFY(checker().SlotDaControllare(24));

    // At start a Yes opens the options window on its songs tab.
    m_state.Avvio = 1;
    m_questions.answers = {QuestionPort::Answer::Yes};
    checker().ControllaCanzoni();
    QCOMPARE(m_windows.optionsShown, 1);
    QCOMPARE(m_state.SchedaIniziale, 1);
}

void TestSongCheck::slotLookup()
{
    QVERIFY(writeBytes(m_state.file(QStringLiteral("CheckCanzoni.ini")), "11;\r\n"));
    QVERIFY(!checker().SlotDaControllare(1));
    QVERIFY(checker().SlotDaControllare(11));
}

void TestSongCheck::copyBringsOutsideSongsIn()
{
    fillAll();
    const QString outside = m_folder.outside();
    QVERIFY(writeBytes(outside + QStringLiteral("nuova.mp3"), "nuova"));
    QVERIFY(writeBytes(songs() + QStringLiteral("nuova.mp3"), "vecchia"));
    m_state.PercorsiModifica[7] = {QStringLiteral("nuova.mp3"), outside};
    m_state.PercorsiModifica[8].file = QStringLiteral("s3.wav"); // rename inside the folder

    QVERIFY(checker().ApplicaCanzoni());
    QCOMPARE(readBytes(songs() + QStringLiteral("nuova.mp3")), QByteArray("nuova"));
    QCOMPARE(m_state.PercorsiSalvati[7].file, QStringLiteral("nuova.mp3"));
    QCOMPARE(m_state.PercorsiModifica[7].folder, songs());
    QCOMPARE(m_state.PercorsiSalvati[8].file, QStringLiteral("s3.wav"));
    QCOMPARE(m_windows.copyModes, QList<int>{0});
    QCOMPARE(m_windows.copyCloses, 1);
    QCOMPARE(m_questions.texts(),
             QStringList{QStringLiteral("Copia dei file eseguita con successo!")});
    QVERIFY(readBytes(m_state.pathsFile()).contains("\r\n7=nuova.mp3\r\n8=s3.wav\r\n"));
    QVERIFY(!folderEntries(songs()).contains(QStringLiteral("nuova.mp3.parziale")));
}

void TestSongCheck::failedCopyKeepsFormerEntry()
{
    fillAll();
    const QString outside = m_folder.outside();
    QVERIFY(writeBytes(outside + QStringLiteral("buona.mp3"), "x"));
    m_state.PercorsiModifica[2] = {QStringLiteral("sparita.mp3"), outside};
    m_state.PercorsiModifica[4] = {QStringLiteral("buona.mp3"), outside};

    QVERIFY(!checker().ApplicaCanzoni());
    QCOMPARE(m_state.PercorsiSalvati[2].file, QStringLiteral("s2.wav"));
    QCOMPARE(m_state.PercorsiSalvati[4].file, QStringLiteral("buona.mp3"));
    QCOMPARE(m_questions.asked.size(), 1);
    QVERIFY(m_questions.asked.first().text.contains(QStringLiteral("sparita.mp3")));
    QCOMPARE(m_questions.asked.first().icon, QuestionPort::Icon::Warning);
    QVERIFY(readBytes(m_state.pathsFile()).contains("\r\n2=s2.wav\r\n"));
}

void TestSongCheck::copyRefusesNamesOutsideTheSongsFolder()
{
    fillAll();
    const QString outside = m_folder.outside();
    QVERIFY(QDir().mkpath(outside + QStringLiteral("sub")));
    QVERIFY(writeBytes(outside + QStringLiteral("sub/x.mp3"), "x"));
    m_state.PercorsiModifica[5] = {QStringLiteral("../x.mp3"), outside + QStringLiteral("sub/")};
    QVERIFY(!checker().ApplicaCanzoni());
    QVERIFY(!QFile::exists(m_state.Path + QStringLiteral("/x.mp3")));
    QCOMPARE(m_state.PercorsiSalvati[5].file, QStringLiteral("s5.wav"));
}

void TestSongCheck::applyWithNothingToCopy()
{
    fillAll();
    QVERIFY(checker().ApplicaCanzoni());
    QVERIFY(m_windows.copyModes.isEmpty());
    QVERIFY(m_questions.asked.isEmpty());
    QVERIFY(readBytes(m_state.pathsFile()).startsWith("[Spot]\r\n0=s0.wav\r\n"));
}

QTEST_GUILESS_MAIN(TestSongCheck)
#include "tst_songcheck.moc"
