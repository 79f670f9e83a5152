#include "platform/mixerapp.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestMixerApp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void start_data();
    void start();

private:
    void addProgram(const QString &name, bool executable);
    QString markerPath() const { return m_dir->filePath(QStringLiteral("started")); }

    QTemporaryDir *m_dir = nullptr;
    QByteArray m_savedPath;
};

void TestMixerApp::init()
{
    delete m_dir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_savedPath = qgetenv("PATH");
    // Only our stand-ins are on PATH, so the machine's own programs cannot interfere.
    qputenv("PATH", QFile::encodeName(m_dir->path()));
}

void TestMixerApp::cleanup()
{
    qputenv("PATH", m_savedPath);
}

// A stand-in that writes its name and arguments to the marker file.
void TestMixerApp::addProgram(const QString &name, bool executable)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray script =
        "#!/bin/sh\necho \"${0##*/} $*\" > '" + QFile::encodeName(markerPath()) + "'\n";
    QCOMPARE(file.write(script), script.size());
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (executable) {
        permissions |= QFileDevice::ExeOwner;
    }
    QVERIFY(file.setPermissions(permissions));
}

void TestMixerApp::start_data()
{
    QTest::addColumn<QStringList>("executables");
    QTest::addColumn<QStringList>("plainFiles");
    QTest::addColumn<QString>("started"); // name and arguments; empty: nothing starts

    const auto list = [](const char *text) {
        return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
    };
    QTest::newRow("first of the list wins")
        << list("gnome-control-center pavucontrol-qt pavucontrol") << QStringList()
        << QStringLiteral("pavucontrol ");
    QTest::newRow("Qt mixer") << list("gnome-control-center pavucontrol-qt") << QStringList()
                              << QStringLiteral("pavucontrol-qt ");
    QTest::newRow("MATE mixer") << list("mate-volume-control gnome-control-center") << QStringList()
                                << QStringLiteral("mate-volume-control ");
    QTest::newRow("GNOME settings on the sound page")
        << list("gnome-control-center") << QStringList()
        << QStringLiteral("gnome-control-center sound");
    QTest::newRow("a file that cannot run is passed over")
        << list("gnome-control-center") << list("pavucontrol")
        << QStringLiteral("gnome-control-center sound");
    QTest::newRow("terminal mixer is not one of them")
        << list("alsamixer") << QStringList() << QString();
    QTest::newRow("nothing installed") << QStringList() << list("pavucontrol") << QString();
}

void TestMixerApp::start()
{
    QFETCH(QStringList, executables);
    QFETCH(QStringList, plainFiles);
    QFETCH(QString, started);

    for (const QString &name : std::as_const(executables)) {
        addProgram(name, true);
    }
    for (const QString &name : std::as_const(plainFiles)) {
        addProgram(name, false);
    }

    MixerApp app;
    const std::optional<MixerApp::Candidate> found = app.find();
    QCOMPARE(found.has_value(), !started.isEmpty());
    if (found) {
        QCOMPARE(QFileInfo(found->program).absolutePath(),
                 QFileInfo(m_dir->path()).absoluteFilePath());
    }

    QCOMPARE(app.start(), !started.isEmpty());
    QFile marker(markerPath());
    if (started.isEmpty()) {
        QTest::qWait(300);
        QVERIFY(!marker.exists());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(marker.size() > 0, 5000);
    QVERIFY(marker.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLocal8Bit(marker.readAll()).trimmed(), started.trimmed());
}

QTEST_GUILESS_MAIN(TestMixerApp)
#include "tst_mixerapp.moc"
