#include "core/categories.h"
#include "core/restorefile.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList names(const QList<RestoreFile::Mark> &marks)
{
    QStringList result;
    for (const RestoreFile::Mark &mark : marks)
        result.append(category(mark.category).code.toString() + QString::number(mark.number));
    return result;
}

} // namespace

class TestRestoreFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void markAndUnmark_data();
    void markAndUnmark();
    void restore_data();
    void restore();
    void folderInTheWay();
    void removal();

private:
    QString restorePath() const { return m_dir->filePath(QStringLiteral("Ripristino.sav")); }
    QTemporaryDir *m_dir = nullptr;
};

void TestRestoreFile::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void TestRestoreFile::markAndUnmark_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file
    QTest::addColumn<QStringList>("steps"); // "+ba2" marks, "-ba2" unmarks
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QStringList>("restored");

    const auto list = [](const char *text) {
        return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
    };
    QTest::newRow("mark") << QByteArray() << list("+ba2") << QByteArray("ba2\r\n") << list("ba2");
    QTest::newRow("mark twice") << QByteArray() << list("+sp0 +sp0") << QByteArray("sp0\r\n")
                                << list("sp0");
    QTest::newRow("marks in order") << QByteArray() << list("+se4 +sp0 +cs1")
                                    << QByteArray("se4\r\nsp0\r\ncs1\r\n") << list("se4 sp0 cs1");
    QTest::newRow("unmark first line")
        << QByteArray() << list("+sp0 +ba3 -sp0") << QByteArray("\r\nba3\r\n\r\n") << list("ba3");
    QTest::newRow("unmark middle line") << QByteArray() << list("+sp0 +ba3 +se4 -ba3")
                                        << QByteArray("sp0\r\nse4\r\n\r\n") << list("sp0 se4");
    QTest::newRow("unmark last line")
        << QByteArray() << list("+sp0 +ba3 -ba3") << QByteArray("sp0\r\n\r\n") << list("sp0");
    QTest::newRow("unmark only line")
        << QByteArray() << list("+ca1 -ca1") << QByteArray("\r\n\r\n") << list("");
    QTest::newRow("empty lines collect at the end")
        << QByteArray() << list("+ca1 -ca1 +cs4 +sp2 -sp2") << QByteArray("\r\n\r\ncs4\r\n\r\n")
        << list("cs4");
    QTest::newRow("mark again after unmark")
        << QByteArray() << list("+sp0 +ba3 -sp0 +sp0") << QByteArray("\r\nba3\r\n\r\nsp0\r\n")
        << list("ba3 sp0");
    QTest::newRow("unmark absent leaves bytes")
        << QByteArray("sp1\n") << list("-ca2") << QByteArray("sp1\n") << list("sp1");
    QTest::newRow("unmark with no file creates none")
        << QByteArray() << list("-ca2") << QByteArray() << list("");
    QTest::newRow("mark present leaves bytes")
        << QByteArray("sp1\n") << list("+sp1") << QByteArray("sp1\n") << list("sp1");
    QTest::newRow("rewrite turns lf into crlf")
        << QByteArray("sp1\nca0") << list("+ba0") << QByteArray("sp1\r\nca0\r\nba0\r\n")
        << list("sp1 ca0 ba0");
    QTest::newRow("entry at second character keeps its break")
        << QByteArray("Xsp1\r\n") << list("-sp1") << QByteArray("X\r\n\r\n") << list("");
}

void TestRestoreFile::markAndUnmark()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, steps);
    QFETCH(QByteArray, after);
    QFETCH(QStringList, restored);

    const QString folder = m_dir->path();
    if (!before.isNull())
        QVERIFY(writeBytes(restorePath(), before));
    for (const QString &step : steps) {
        const QString code = step.mid(1, 2);
        const int number = step.mid(3).toInt();
        const auto result = step.startsWith(u'+') ? RegistraGiocata(folder, code, number)
                                                  : AnnullaGiocata(folder, code, number);
        QVERIFY2(result.ok, qPrintable(result.error));
    }
    QCOMPARE(readBytes(restorePath()), after);
    QCOMPARE(names(RipristinaGiocate(folder)), restored);
}

void TestRestoreFile::restore_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("marks");

    QTest::newRow("upper case code") << QByteArray("SE4\r\n") << QStringList{QStringLiteral("se4")};
    QTest::newRow("empty lines skipped")
        << QByteArray("\r\n\r\nba3\r\n\r\n") << QStringList{QStringLiteral("ba3")};
    QTest::newRow("unknown code ignored")
        << QByteArray("xx1\r\nca2\r\n") << QStringList{QStringLiteral("ca2")};
    QTest::newRow("no final digit skips the line")
        << QByteArray("sp0\r\nspA\r\nba1")
        << QStringList{QStringLiteral("sp0"), QStringLiteral("ba1")};
    QTest::newRow("number at the bound") << QByteArray("sp5\r\nca5\r\n") << QStringList{};
    QTest::newRow("blanks around")
        << QByteArray(" ca1\r\ncs 2\r\n") << QStringList{QStringLiteral("cs2")};
    QTest::newRow("lf and lone cr")
        << QByteArray("sp0\nca1\rcs2")
        << QStringList{QStringLiteral("sp0"), QStringLiteral("ca1"), QStringLiteral("cs2")};
    QTest::newRow("binary and nul") << QByteArray("\x00\xffsp\x00"
                                                  "1\r\nse2",
                                                  11)
                                    << QStringList{QStringLiteral("se2")};

    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many.append("xx0\r\n");
    many.append("ba4\r\n");
    QTest::newRow("100000 lines") << many << QStringList{QStringLiteral("ba4")};
}

void TestRestoreFile::restore()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, marks);
    QVERIFY(writeBytes(restorePath(), bytes));
    QCOMPARE(names(RipristinaGiocate(m_dir->path())), marks);
}

void TestRestoreFile::folderInTheWay()
{
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("Ripristino.sav")));
    QVERIFY(RipristinaGiocate(m_dir->path()).isEmpty());
    const auto result = RegistraGiocata(m_dir->path(), QStringLiteral("sp"), 0);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(!EliminaRipristino(m_dir->path()));
    QVERIFY(QFileInfo(restorePath()).isDir());
}

void TestRestoreFile::removal()
{
    QVERIFY(EliminaRipristino(m_dir->path()));
    QVERIFY(RegistraGiocata(m_dir->path(), QStringLiteral("ba"), 2).ok);
    QVERIFY(QFileInfo::exists(restorePath()));
    QVERIFY(EliminaRipristino(m_dir->path()));
    QVERIFY(!QFileInfo::exists(restorePath()));
    QVERIFY(RipristinaGiocate(m_dir->path()).isEmpty());
    // Only the restore file goes.
    QCOMPARE(folderEntries(m_dir->path()), QStringList{});
}

QTEST_GUILESS_MAIN(TestRestoreFile)
#include "tst_restorefile.moc"
