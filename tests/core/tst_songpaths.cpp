#include "core/appstate.h"
#include "core/songpaths.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

class TestSongPaths : public QObject {
    Q_OBJECT

private slots:
    void init();
    void lookup_data();
    void lookup();
    void loadsTables_data();
    void loadsTables();
    void probe_data();
    void probe();
    void savesWrittenForm();
    void failedSaveKeepsFile();
    void slotTitles_data();
    void slotTitles();

private:
    QString pathsFile() const { return m_state.pathsFile(); }

    ProgramFolderFixture m_folder;
    AppState m_state;
};

void TestSongPaths::init()
{
    QVERIFY(m_folder.reset(m_state, false));
}

void TestSongPaths::lookup_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("commented");

    QTest::newRow("plain") << QByteArray("3=Canzone.mp3\r\n") << 3 << QStringLiteral("Canzone.mp3")
                           << false;
    QTest::newRow("12 before 2, slot 2")
        << QByteArray("12=Dodici.mp3\r\n2=Due.mp3\r\n") << 2 << QStringLiteral("Due.mp3") << false;
    QTest::newRow("12 before 2, slot 12") << QByteArray("12=Dodici.mp3\r\n2=Due.mp3\r\n") << 12
                                          << QStringLiteral("Dodici.mp3") << false;
    QTest::newRow("20 is not 0") << QByteArray("20=Venti.mp3\r\n") << 0 << QString() << false;
    QTest::newRow("numeric with blanks is not a comment")
        << QByteArray("1 2=X.mp3\r\n") << 2 << QString() << false;
    QTest::newRow("semicolon") << QByteArray(";2=Due.mp3\r\n") << 2 << QStringLiteral("Due.mp3")
                               << true;
    QTest::newRow("semicolon blank")
        << QByteArray("; 2=Due.mp3\r\n") << 2 << QStringLiteral("Due.mp3") << true;
    QTest::newRow("leading blank")
        << QByteArray(" 2=Due.mp3\r\n") << 2 << QStringLiteral("Due.mp3") << true;
    QTest::newRow("x12 matches 2")
        << QByteArray("x12=X.mp3\r\n") << 2 << QStringLiteral("X.mp3") << true;
    QTest::newRow("x12 matches 12")
        << QByteArray("x12=X.mp3\r\n") << 12 << QStringLiteral("X.mp3") << true;
    QTest::newRow("inf is not a number")
        << QByteArray("inf2=X.mp3\r\n") << 2 << QStringLiteral("X.mp3") << true;
    QTest::newRow("nan is not a number")
        << QByteArray("nan4=Y.mp3\r\n") << 4 << QStringLiteral("Y.mp3") << true;
    QTest::newRow("other slot's line names the key")
        << QByteArray("1=Mio 2=brano.mp3\r\n") << 2 << QStringLiteral("Mio 2=brano.mp3") << true;
    QTest::newRow("blanks trimmed, inner kept") << QByteArray("4=   Mia  canzone.mp3  \r\n") << 4
                                                << QStringLiteral("Mia  canzone.mp3") << false;
    QTest::newRow("value holds =")
        << QByteArray("5=a=b.mp3\r\n") << 5 << QStringLiteral("a=b.mp3") << false;
    QTest::newRow("first match wins") << QByteArray("6=Primo.mp3\r\n6=Secondo.mp3\r\n") << 6
                                      << QStringLiteral("Primo.mp3") << false;
    QTest::newRow("commented line above plain one")
        << QByteArray(";7=Vecchio.mp3\r\n7=Nuovo.mp3\r\n") << 7 << QStringLiteral("Vecchio.mp3")
        << true;
    QTest::newRow("empty value") << QByteArray("8=\r\n") << 8 << QString() << false;
    QTest::newRow("sections ignored")
        << QByteArray("[Spot]\r\n\r\n[Scelte dagli educatori]\r\n24=Ultimo.mp3") << 24
        << QStringLiteral("Ultimo.mp3") << false;
    QTest::newRow("lf only") << QByteArray("0=a\n1=b\n") << 1 << QStringLiteral("b") << false;
    QTest::newRow("windows-1252") << QByteArray("9=Perch\xe9.mp3\r\n") << 9
                                  << QStringLiteral("Perch\u00e9.mp3") << false;
    QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf"
                                                  "0=Perch\xc3\xa9.mp3\r\n")
                                    << 0 << QStringLiteral("Perch\u00e9.mp3") << false;

    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many.append("; riga di commento\r\n");
    many.append("24=Ultimo.mp3\r\n");
    QTest::newRow("20000 lines") << many << 24 << QStringLiteral("Ultimo.mp3") << false;

    QByteArray huge = "3=Perch\xc3\xa9.mp3\r\n";
    huge.append(QByteArray("\xc3\xa9").repeated(25 * 1024 * 1024));
    // Far past any real paths file: not read at all, as if missing.
    QTest::newRow("50 MB file") << huge << 3 << QString() << false;
}

void TestSongPaths::lookup()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, slot);
    QFETCH(QString, value);
    QFETCH(bool, commented);

    QVERIFY(writeBytes(pathsFile(), bytes));
    const auto flag = [this, slot] {
        return m_state.PercorsoCommentato.at(static_cast<size_t>(slot));
    };

    QCOMPARE(LeggiPercorso(m_state, slot, false, 0), value);
    QVERIFY(!flag());
    QCOMPARE(LeggiPercorso(m_state, slot, true, 0), value);
    QCOMPARE(flag(), commented);

    CaricaPercorsi(m_state);
    QCOMPARE(m_state.PercorsiSalvati.at(static_cast<size_t>(slot)).file, value);
    QCOMPARE(flag(), commented);
}

void TestSongPaths::loadsTables_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("only slot 3") << QStringLiteral("file");
    QTest::newRow("no file") << QStringLiteral("absent");
    QTest::newRow("folder in the way") << QStringLiteral("folder");
}

void TestSongPaths::loadsTables()
{
    QFETCH(QString, kind);
    if (kind == u"file")
        QVERIFY(writeBytes(pathsFile(), "3=Canzone.mp3\r\n"));
    if (kind == u"folder")
        QVERIFY(QDir(m_state.Path).mkdir(QStringLiteral("Percorsi.ini")));
    // Leftovers of an earlier load must all be replaced.
    m_state.PercorsoCommentato.fill(true);
    for (auto &slot : m_state.PercorsiModifica)
        slot = {QStringLiteral("vecchia.mp3"), QStringLiteral("/altrove/")};

    CaricaPercorsi(m_state);

    const QString songs = m_state.Path + QStringLiteral("/Musiche/");
    for (size_t slot = 0; slot < SlotCount; ++slot) {
        const QString expected =
            slot == 3 && kind == u"file" ? QStringLiteral("Canzone.mp3") : QString();
        QCOMPARE(m_state.PercorsiSalvati.at(slot).file, expected);
        QCOMPARE(m_state.PercorsiModifica.at(slot).file, expected);
        QCOMPARE(m_state.PercorsiSalvati.at(slot).folder, songs);
        QCOMPARE(m_state.PercorsiModifica.at(slot).folder, songs);
        QVERIFY(!m_state.PercorsoCommentato.at(slot));
    }
    QCOMPARE(m_state.PercorsiSalvati.at(3).fullPath(),
             songs + (kind == u"file" ? QStringLiteral("Canzone.mp3") : QString()));
    // Reading never creates the file.
    QCOMPARE(QFileInfo::exists(pathsFile()), kind != u"absent");
}

void TestSongPaths::probe_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("result");

    QTest::newRow("semicolon in a song name")
        << true << QByteArray("0=a\r\n1=Tu;io.mp3\r\n") << QStringLiteral("1");
    QTest::newRow("commented layout") << true << QByteArray(";0=a\r\n") << QStringLiteral("1");
    QTest::newRow("no semicolon") << true << QByteArray("[Spot]\r\n0=a\r\n") << QStringLiteral("0");
    QTest::newRow("no file") << false << QByteArray() << QStringLiteral("0");
}

void TestSongPaths::probe()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, result);
    if (exists)
        QVERIFY(writeBytes(pathsFile(), bytes));
    QCOMPARE(LeggiPercorso(m_state, 7, true, 1), result);
    QVERIFY(!m_state.PercorsoCommentato.at(7));
}

void TestSongPaths::savesWrittenForm()
{
    QVERIFY(writeBytes(pathsFile(), "; File dei percorsi\r\n"
                                    ";0=Commentata.mp3\r\n"
                                    "[Ballo]\r\n"
                                    "17= Ballo Perch\xe9.mp3 \r\n"
                                    "24=a=b.mp3\n"
                                    "nota a mano\r\n"));
    CaricaPercorsi(m_state);
    m_state.PercorsiSalvati.at(5).file = QStringLiteral("Nuova.mp3");
    const auto result = SalvaPercorsi(m_state);
    QVERIFY2(result.ok, qPrintable(result.error));

    const QByteArray expected =
        "[Spot]\r\n0=Commentata.mp3\r\n1=\r\n2=\r\n3=\r\n4=\r\n"
        "\r\n[Canto]\r\n5=Nuova.mp3\r\n6=\r\n7=\r\n8=\r\n9=\r\n"
        "\r\n[Colonne Sonore]\r\n10=\r\n11=\r\n12=\r\n13=\r\n14=\r\n"
        "\r\n[Ballo]\r\n15=\r\n16=\r\n17=Ballo Perch\xc3\xa9.mp3\r\n18=\r\n19=\r\n"
        "\r\n[Scelte dagli educatori]\r\n20=\r\n21=\r\n22=\r\n23=\r\n24=a=b.mp3\r\n";
    QCOMPARE(readBytes(pathsFile()), expected);
    QCOMPARE(expected.count("\r\n"), 34);

    // The music-pack file name is honoured for both directions.
    m_state.FilePercorsi = QStringLiteral("/PercorsiZMP.ini");
    m_state.PercorsoCommentato.fill(false);
    QVERIFY(SalvaPercorsi(m_state).ok);
    QCOMPARE(readBytes(m_state.Path + QStringLiteral("/PercorsiZMP.ini")), expected);
    QCOMPARE(LeggiPercorso(m_state, 0, true, 0), QStringLiteral("Commentata.mp3"));
    QVERIFY(!m_state.PercorsoCommentato.at(0));
}

void TestSongPaths::failedSaveKeepsFile()
{
    // The paths file is where the folder of the music pack's file should be.
    QVERIFY(QDir(m_state.Path).mkdir(QStringLiteral("PercorsiZMP.ini")));
    m_state.FilePercorsi = QStringLiteral("/PercorsiZMP.ini");
    const auto result = SalvaPercorsi(m_state);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(QFileInfo(pathsFile()).isDir());
}

void TestSongPaths::slotTitles_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("title");
    QTest::newRow("first") << 0 << 0 << 0 << QStringLiteral("Spot 10");
    QTest::newRow("ballo 30") << 3 << 2 << 17 << QStringLiteral("Ballo 30");
    QTest::newRow("last") << 4 << 4 << 24 << QStringLiteral("Scelte dagli Educatori 50");
    QTest::newRow("colonne sonore") << 2 << 1 << 11 << QStringLiteral("Colonne Sonore 20");
}

void TestSongPaths::slotTitles()
{
    QFETCH(int, category);
    QFETCH(int, number);
    QFETCH(int, slot);
    QFETCH(QString, title);
    QCOMPARE(slotIndex(category, number), slot);
    QCOMPARE(slotTitle(category, number), title);
}

QTEST_GUILESS_MAIN(TestSongPaths)
#include "tst_songpaths.moc"
