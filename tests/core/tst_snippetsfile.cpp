#include "core/appstate.h"
#include "core/snippetsfile.h"
#include "tests/core/testfiles.h"

#include <QTest>

class TestSnippetsFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void reading_data();
    void reading();
    void roundTrip();
    void within_data();
    void within();

private:
    QString file() const { return m_state.Path + u'/' + SnippetsFile::FileName; }

    ProgramFolderFixture m_folder;
    AppState m_state;
};

void TestSnippetsFile::init()
{
    QVERIFY(m_folder.reset(m_state));
    for (int slot = 0; slot < SlotCount; ++slot)
        m_state.PercorsiSalvati.at(size_t(slot)).file = QStringLiteral("s%1.mp3").arg(slot);
}

// What slot 3 (song "s3.mp3") gets from the file's bytes: start, end, or -1 for no points.
void TestSnippetsFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");

    QTest::newRow("plain") << QByteArray("3=72000;102000;s3.mp3\r\n") << qint64(72000)
                           << qint64(102000);
    QTest::newRow("end 0 is the song's end")
        << QByteArray("3=5000;0;s3.mp3\n") << qint64(5000) << qint64(0);
    QTest::newRow("another file's points")
        << QByteArray("3=5000;9000;other.mp3\r\n") << qint64(-1) << qint64(-1);
    QTest::newRow("name compared exactly")
        << QByteArray("3=5000;9000;S3.MP3\r\n") << qint64(-1) << qint64(-1);
    QTest::newRow("damaged lines skipped, good one kept")
        << QByteArray("3=abc;9000;s3.mp3\r\n3=5000\r\n3=-1;9000;s3.mp3\r\n=1;2;s3.mp3\r\n"
                      "3=9000;5000;s3.mp3\r\n3=1;2;\r\n3=1000;2000;s3.mp3\r\n")
        << qint64(1000) << qint64(2000);
    QTest::newRow("slot out of range")
        << QByteArray("25=1;2;s3.mp3\r\n-3=1;2;s3.mp3\r\n") << qint64(-1) << qint64(-1);
    QTest::newRow("first good line decides")
        << QByteArray("3=1000;2000;s3.mp3\r\n3=4000;8000;s3.mp3\r\n") << qint64(1000)
        << qint64(2000);
    QTest::newRow("missing file") << QByteArray() << qint64(-1) << qint64(-1);
}

void TestSnippetsFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    if (!bytes.isEmpty())
        QVERIFY(writeBytes(file(), bytes));
    m_state.PercorsiModifica = m_state.PercorsiSalvati;
    SnippetsFile::load(m_state);
    for (const PathsTable *table : {&m_state.PercorsiSalvati, &m_state.PercorsiModifica}) {
        const Snippet got = table->at(3).snippet;
        QCOMPARE(got.isSet(), start >= 0);
        if (start >= 0) {
            QCOMPARE(got.start, start);
            QCOMPARE(got.end, end);
            QCOMPARE(got.name, QStringLiteral("s3.mp3"));
        }
        for (size_t other : {size_t(2), size_t(4)})
            QVERIFY(!table->at(other).snippet.isSet());
    }
}

void TestSnippetsFile::roundTrip()
{
    m_state.PercorsiSalvati.at(0).snippet = {1500, 0, QStringLiteral("s0.mp3")};
    m_state.PercorsiSalvati.at(24).file = QStringLiteral("Città; è.mp3");
    m_state.PercorsiSalvati.at(24).snippet = {72000, 102000, QStringLiteral("Città; è.mp3")};
    // Points left over from a former song of the slot are not written.
    m_state.PercorsiSalvati.at(7).snippet = {1000, 2000, QStringLiteral("old.mp3")};
    QVERIFY(SnippetsFile::save(m_state).ok);
    QCOMPARE(readBytes(file()),
             QByteArray("0=1500;0;s0.mp3\r\n24=72000;102000;Citt\xc3\xa0; \xc3\xa8.mp3\r\n"));

    const PathsTable written = m_state.PercorsiSalvati;
    for (SongSlot &slot : m_state.PercorsiSalvati)
        slot.snippet = {9, 10, slot.file};
    SnippetsFile::load(m_state);
    QCOMPARE(m_state.PercorsiSalvati.at(0).snippet, written.at(0).snippet);
    QCOMPARE(m_state.PercorsiSalvati.at(24).snippet, written.at(24).snippet);
    QVERIFY(!m_state.PercorsiSalvati.at(7).snippet.isSet());
    QVERIFY(!m_state.PercorsiSalvati.at(1).snippet.isSet());
}

void TestSnippetsFile::within_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("end");
    QTest::addColumn<qint64>("duration");
    QTest::addColumn<qint64>("heldStart");
    QTest::addColumn<qint64>("heldEnd");
    QTest::addColumn<QString>("text");

    QTest::newRow("inside") << qint64(72000) << qint64(102999) << qint64(200000) << qint64(72000)
                            << qint64(102999) << QStringLiteral("01.12 - 01.42");
    QTest::newRow("length unknown") << qint64(72000) << qint64(0) << qint64(0) << qint64(72000)
                                    << qint64(0) << QStringLiteral("01.12 - fine");
    QTest::newRow("end past the end")
        << qint64(1000) << qint64(9000) << qint64(8000) << qint64(1000) << qint64(0)
        << QStringLiteral("00.01 - fine");
    QTest::newRow("start past the end")
        << qint64(9000) << qint64(0) << qint64(8000) << qint64(0) << qint64(0) << QString();
    QTest::newRow("both past the end")
        << qint64(9000) << qint64(12000) << qint64(8000) << qint64(0) << qint64(0) << QString();
}

void TestSnippetsFile::within()
{
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    QFETCH(qint64, duration);
    const Snippet held = Snippet{start, end, QStringLiteral("a.mp3")}.within(duration);
    QTEST(held.start, "heldStart");
    QTEST(held.end, "heldEnd");
    QTEST(held.text(), "text");
}

QTEST_GUILESS_MAIN(TestSnippetsFile)
#include "tst_snippetsfile.moc"
