#include "core/textfile.h"
#include "tests/core/testfiles.h"

#include <QBuffer>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void readsLines_data();
    void readsLines();
    void missingFile_data();
    void missingFile();
    void hostileInput_data();
    void hostileInput();
    void writesCrlfUtf8();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void linksAreWrittenOnlyInsideTheFolder();
    void sameBytesAreNotRewritten_data();
    void sameBytesAreNotRewritten();
};

void TestTextFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QString perche = QStringLiteral("Perch\u00e9.mp3");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n")
                          << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("lf") << QByteArray("a\nb\n")
                        << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("lone cr") << QByteArray("a\rb\r")
                             << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    QTest::newRow("mixed, no final break") << QByteArray("a\r\nb\nc\rd")
                                           << QStringList{QStringLiteral("a"), QStringLiteral("b"),
                                                          QStringLiteral("c"), QStringLiteral("d")};
    QTest::newRow("empty lines kept")
        << QByteArray("\r\na\r\n\r\n") << QStringList{QString(), QStringLiteral("a"), QString()};
    QTest::newRow("lf cr is two breaks")
        << QByteArray("a\n\rb") << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
    QTest::newRow("empty file") << QByteArray("") << QStringList{};
    QTest::newRow("utf-8") << QByteArray("Perch\xc3\xa9.mp3\r\n") << QStringList{perche};
    QTest::newRow("utf-8 bom skipped")
        << QByteArray("\xef\xbb\xbfx=1\r\n") << QStringList{QStringLiteral("x=1")};
    QTest::newRow("cp1252") << QByteArray("Perch\xe9.mp3\r\n") << QStringList{perche};
    QTest::newRow("cp1252 high range")
        << QByteArray("\x80 \x93x\x94 \x9f")
        << QStringList{QStringLiteral("\u20ac \u201cx\u201d \u0178")};
    // One stray byte turns the whole file to Windows-1252, including valid-looking pairs.
    QTest::newRow("mostly utf-8 with one bad byte")
        << QByteArray("\xc3\xa9\r\n\xe9")
        << QStringList{QStringLiteral("\u00c3\u00a9"), QStringLiteral("\u00e9")};
}

void TestTextFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("f.ini"));
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(TextFile::readLines(path), lines);

    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QCOMPARE(TextFile::readLines(buffer), lines);
}

void TestTextFile::missingFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("absent") << QStringLiteral("absent");
    QTest::newRow("folder") << QStringLiteral("folder");
    // A named pipe would block a reader that opened it.
    QTest::newRow("fifo") << QStringLiteral("fifo");
}

void TestTextFile::missingFile()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Percorsi.ini"));
    if (kind == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Percorsi.ini")));
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    QVERIFY(!TextFile::isReadableFile(path));
    QVERIFY(TextFile::readLines(path).isEmpty());
    QVERIFY(TextFile::readText(path).isEmpty());
}

void TestTextFile::hostileInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<int>("lineCount"); // -1: whatever fits under the size limit

    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>((i * 7919) & 0xff));
    QTest::newRow("binary") << binary << QString() << -1;

    QTest::newRow("nul bytes") << QByteArray("3=a\0b\r\n\0\0\r\n", 11)
                               << QString(QStringLiteral("3=a") + QChar(0) + u"b") << 2;

    QByteArray hugeLine = "1=first\r\n";
    hugeLine.append(QByteArray(50 * 1024 * 1024, 'x'));
    hugeLine.append("\r\n2=after\r\n");
    QTest::newRow("50 MB line") << hugeLine << QStringLiteral("1=first") << 2;

    // The size limit cuts inside a two-byte character: the file is still UTF-8.
    QByteArray hugeUtf8 = "3=Perch\xc3\xa9.mp3\r\n";
    while (hugeUtf8.size() < 20 * 1024 * 1024)
        hugeUtf8.append("\xc3\xa9");
    QTest::newRow("oversized utf-8") << hugeUtf8 << QStringLiteral("3=Perch\u00e9.mp3") << 2;

    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many.append("line\r\n");
    QTest::newRow("100000 lines") << many << QStringLiteral("line") << 100000;
}

void TestTextFile::hostileInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, firstLine);
    QFETCH(int, lineCount);

    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const QStringList lines = TextFile::readLines(buffer);

    qsizetype total = 0;
    for (const QString &line : lines) {
        QVERIFY(line.size() <= TextFile::MaxLineChars);
        total += line.size();
    }
    QVERIFY(total <= TextFile::MaxFileBytes);
    if (lineCount >= 0)
        QCOMPARE(lines.size(), lineCount);
    if (!firstLine.isNull())
        QCOMPARE(lines.value(0), firstLine);
}

void TestTextFile::writesCrlfUtf8()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("f.ini"));
    // A longer old file must not leave its tail behind.
    QVERIFY(writeBytes(path, QByteArray(500, 'z')));

    const auto result = TextFile::writeLines(
        path, {QStringLiteral("Perch\u00e9.mp3"), QString(), QStringLiteral("x")});
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readBytes(path), QByteArray("Perch\xc3\xa9.mp3\r\n\r\nx\r\n"));
    QCOMPARE(folderEntries(dir.path()), QStringList{QStringLiteral("f.ini")});

    QVERIFY(TextFile::writeLines(path, {}).ok);
    QCOMPARE(readBytes(path), QByteArray(""));
}

void TestTextFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("repeat"); // lines of "new\r\n" written
    QTest::newRow("folder in the way") << QStringLiteral("folder") << 20000;
    QTest::newRow("parent is a file") << QStringLiteral("parent") << 20000;
    // The disk refuses the bytes (file size limit): works even for root, who ignores modes.
    QTest::newRow("write refused, large file") << QStringLiteral("fsize") << 20000;
    // A file smaller than any write buffer: the refusal must not wait for a flush nobody checks.
    QTest::newRow("write refused, small file") << QStringLiteral("fsize") << 60;
    // A real file system that has run out of space.
    QTest::newRow("full disk") << QStringLiteral("full") << 60;
}

void TestTextFile::failedWriteKeepsOldFile()
{
    QFETCH(QString, kind);
    QFETCH(int, repeat);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString folder = dir.path();
    if (kind == u"full") {
        if (::geteuid() != 0)
            QSKIP("mounting a small file system needs root");
        folder = dir.filePath(QStringLiteral("mnt"));
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(
            QProcess::execute(QStringLiteral("mount"),
                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                               QStringLiteral("size=64k"), QStringLiteral("tmpfs"), folder}),
            0);
    }
    const auto unmount = qScopeGuard([&] {
        if (kind == u"full")
            QProcess::execute(QStringLiteral("umount"), {folder});
    });
    QString path = folder + QStringLiteral("/f.ini");
    const QByteArray old = "old\r\n";
    if (kind == u"folder") {
        QVERIFY(QDir(folder).mkdir(QStringLiteral("f.ini")));
    } else if (kind == u"parent") {
        QVERIFY(writeBytes(path, old));
        path += QStringLiteral("/inner.ini");
    } else {
        QVERIFY(writeBytes(path, old));
    }
    if (kind == u"full") {
        // Fill every block that is left.
        QFile filler(folder + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) {
        }
    }
    const QStringList before = folderEntries(folder);

    TextFile::WriteResult result;
    const QString text = QString(QStringLiteral("new\r\n")).repeated(repeat);
    if (kind == u"fsize") {
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 64;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        result = TextFile::writeText(path, text);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    } else {
        result = TextFile::writeText(path, text);
    }

    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(folderEntries(folder), before);
    if (kind != u"folder")
        QCOMPARE(readBytes(folder + QStringLiteral("/f.ini")), old);
}

void TestTextFile::linksAreWrittenOnlyInsideTheFolder()
{
    QTemporaryDir outside, program;
    QVERIFY(outside.isValid() && program.isValid());
    const QString target = outside.filePath(QStringLiteral("system.conf"));
    QVERIFY(writeBytes(target, "precious\n"));
    const QString link = program.filePath(QStringLiteral("Impostazioni.ini"));
    QVERIFY(QFile::link(target, link));

    // A link out of the program folder: replaced by a regular file, its target untouched.
    const TextFile::WriteResult out = TextFile::writeText(link, QStringLiteral("a=1\r\n"));
    QVERIFY2(out.ok, qPrintable(out.error));
    QVERIFY(out.replacedLink);
    QCOMPARE(readBytes(target), QByteArray("precious\n"));
    QVERIFY(!QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(link), QByteArray("a=1\r\n"));
    QCOMPARE(folderEntries(program.path()), QStringList{QStringLiteral("Impostazioni.ini")});

    // A link to another file of the same folder is written through, as before.
    const QString inner = program.filePath(QStringLiteral("vero.ini"));
    QVERIFY(writeBytes(inner, "old\r\n"));
    const QString innerLink = program.filePath(QStringLiteral("Percorsi.ini"));
    QVERIFY(QFile::link(inner, innerLink));
    const TextFile::WriteResult in = TextFile::writeText(innerLink, QStringLiteral("b=2\r\n"));
    QVERIFY(in.ok);
    QVERIFY(!in.replacedLink);
    QVERIFY(QFileInfo(innerLink).isSymLink());
    QCOMPARE(readBytes(inner), QByteArray("b=2\r\n"));
}

namespace {

ino_t inode(const QString &path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

} // namespace

void TestTextFile::sameBytesAreNotRewritten_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("linkOut"); // the path is a link out of the folder to the old bytes
    QTest::addColumn<bool>("rewritten");
    QTest::newRow("same bytes") << QByteArray("a=1\r\n") << "a=1\r\n" << false << false;
    QTest::newRow("same size, other bytes") << QByteArray("a=1\r\n") << "a=2\r\n" << false << true;
    QTest::newRow("other line ends") << QByteArray("a=1\n") << "a=1\r\n" << false << true;
    QTest::newRow("link out, same bytes") << QByteArray("a=1\r\n") << "a=1\r\n" << true << true;
}

void TestTextFile::sameBytesAreNotRewritten()
{
    QFETCH(QByteArray, old);
    QFETCH(QString, text);
    QFETCH(bool, linkOut);
    QFETCH(bool, rewritten);
    QTemporaryDir outside, dir;
    QVERIFY(outside.isValid() && dir.isValid());
    const QString path = dir.filePath(QStringLiteral("f.ini"));
    const QString target = linkOut ? outside.filePath(QStringLiteral("f.ini")) : path;
    QVERIFY(writeBytes(target, old));
    if (linkOut)
        QVERIFY(QFile::link(target, path));
    const ino_t before = inode(path);

    const TextFile::WriteResult result = TextFile::writeText(path, text);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readBytes(path), text.toUtf8());
    QCOMPARE(inode(path) != before, rewritten);
    QCOMPARE(result.replacedLink, linkOut);
    QCOMPARE(readBytes(target), linkOut ? old : text.toUtf8());
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
