#include "core/programfolder.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QtTest>

// Where the program keeps its data: beside a portable executable, or in a per-user folder made
// from an installed program's data.
class TestProgramFolder : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString path(const QString &relative) const { return m_root.path() + u'/' + relative; }
    void put(const QString &relative, const QByteArray &bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).absolutePath()));
        QVERIFY(writeBytes(path(relative), bytes));
    }

private slots:
    void init() { QVERIFY(m_root.isValid()); }
    void cleanup() { QVERIFY(m_root.remove()); }

    void portableFolderKeepsItsDataBesideTheExecutable()
    {
        put(QStringLiteral("zefiro/zefiro"), "elf");
        put(QStringLiteral("zefiro/Temi/Blu/Blu.ini"), "x");
        const ProgramFolder folder = ProgramFolder::resolve(path(QStringLiteral("zefiro/zefiro")),
                                                            path(QStringLiteral("user")));
        QCOMPARE(folder.path, path(QStringLiteral("zefiro")));
        QVERIFY(folder.error.isEmpty());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("user"))));
    }

    void installedProgramWorksInAPerUserCopyOfItsData()
    {
        put(QStringLiteral("usr/bin/zefiro"), "elf");
        put(QStringLiteral("usr/share/zefiro/Temi/Blu/Blu.ini"), "tema");
        put(QStringLiteral("usr/share/zefiro/gr/play.jpg"), "jpg");
        put(QStringLiteral("usr/share/zefiro/Spot/jingle.wav"), "wav");
        put(QStringLiteral("usr/share/zefiro/PercorsiZMP.ini"), "pack");
        QFile::setPermissions(path(QStringLiteral("usr/share/zefiro/PercorsiZMP.ini")),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QString user = path(QStringLiteral("home/.local/share/Zefiro"));

        const ProgramFolder first =
            ProgramFolder::resolve(path(QStringLiteral("usr/bin/zefiro")), user);
        QCOMPARE(first.path, user);
        QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
        QCOMPARE(readBytes(user + u"/Temi/Blu/Blu.ini"), QByteArray("tema"));
        QCOMPARE(readBytes(user + u"/gr/play.jpg"), QByteArray("jpg"));
        QCOMPARE(readBytes(user + u"/Spot/jingle.wav"), QByteArray("wav"));
        QVERIFY(QFileInfo(user + u"/PercorsiZMP.ini").permissions() & QFile::WriteOwner);
        QVERIFY(!QFileInfo::exists(user + u"/zefiro"));

        // Later starts run on what the user made of the folder: nothing is copied over it again.
        QVERIFY(writeBytes(user + u"/Temi/Blu/Blu.ini", "cambiato"));
        QVERIFY(QFile::remove(user + u"/PercorsiZMP.ini"));
        const ProgramFolder again =
            ProgramFolder::resolve(path(QStringLiteral("usr/bin/zefiro")), user);
        QCOMPARE(again.path, user);
        QCOMPARE(readBytes(user + u"/Temi/Blu/Blu.ini"), QByteArray("cambiato"));
        QVERIFY(!QFileInfo::exists(user + u"/PercorsiZMP.ini"));
    }

    void aUserFolderThatCannotBeMadeIsReported()
    {
        put(QStringLiteral("usr/bin/zefiro"), "elf");
        put(QStringLiteral("usr/share/zefiro/Temi/Blu/Blu.ini"), "tema");
        put(QStringLiteral("blocked"), "a file where the folder should be");
        const ProgramFolder folder = ProgramFolder::resolve(path(QStringLiteral("usr/bin/zefiro")),
                                                            path(QStringLiteral("blocked/Zefiro")));
        QVERIFY(folder.path.isEmpty());
        QVERIFY(folder.error.contains(u"blocked"));
    }

    void withoutAnyDataTheExecutableFolderIsUsed()
    {
        put(QStringLiteral("bin/zefiro"), "elf");
        const ProgramFolder folder = ProgramFolder::resolve(path(QStringLiteral("bin/zefiro")),
                                                            path(QStringLiteral("user")));
        QCOMPARE(folder.path, path(QStringLiteral("bin")));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("user"))));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
