#include "core/appstate.h"
#include "core/settingsfile.h"
#include "tests/core/testfiles.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray DefaultForm =
    "indextema=0\r\ncommpercorsi=0\r\nriprodcontinua=0\r\nwmpsemprevisib=1\r\n"
    "autoplay=1\r\nvolprinc=50\r\nckvolprinc=1\r\nallungacella=1\r\n"
    "abbvolume=3\r\nsfumadx=1\r\nveragg=1\r\ncleanpath=0\r\nusazmp=2\r\n";

// The default form with some key lines replaced ("volprinc=7").
QByteArray formWith(const QList<QByteArray> &lines)
{
    QByteArray form = QByteArray("\n") + DefaultForm;
    for (const QByteArray &line : lines) {
        QByteArray needle = "\n";
        needle += line.left(line.indexOf('=') + 1);
        const qsizetype at = form.indexOf(needle) + 1;
        const qsizetype end = form.indexOf('\r', at);
        form.replace(at, end - at, line);
    }
    return form.mid(1);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsValues_data();
    void readsValues();
    void savesWrittenForm_data();
    void savesWrittenForm();
    void packChoice_data();
    void packChoice();
    void oldPathsKeyKeepsValue();
    void failedSave();

private:
    void load(const QByteArray *bytes);

    ProgramFolderFixture m_folder;
    AppState m_state;
    FakeProgress m_progress;
};

void TestSettings::init()
{
    QVERIFY(m_folder.reset(m_state, false));
    m_state.Avvio = 1;
    m_progress = FakeProgress();
}

void TestSettings::load(const QByteArray *bytes)
{
    if (bytes)
        QVERIFY(writeBytes(m_state.file(QStringLiteral("Impostazioni.ini")), *bytes));
    CaricaImpostazioni(m_state, m_progress);
}

void TestSettings::readsValues_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("key case and blanks") << QByteArray("  IndexTema  =  3  \r\n")
                                         << QStringLiteral("indextema") << QStringLiteral("3");
    QTest::newRow("empty abbvolume gives 1")
        << QByteArray("abbvolume=\r\n") << QStringLiteral("abbvolume") << QStringLiteral("1");
    QTest::newRow("absent abbvolume keeps 3")
        << QByteArray("volprinc=20\r\n") << QStringLiteral("abbvolume") << QStringLiteral("3");
    QTest::newRow("empty usazmp gives 0")
        << QByteArray("usazmp=  \r\n") << QStringLiteral("usazmp") << QStringLiteral("0");
    QTest::newRow("empty volprinc gives 50")
        << QByteArray("volprinc=\r\n") << QStringLiteral("volprinc") << QStringLiteral("50");
    QTest::newRow("empty wmpsemprevisib gives 1")
        << QByteArray("wmpsemprevisib=\n") << QStringLiteral("wmpsemprevisib")
        << QStringLiteral("1");
    QTest::newRow("last line wins") << QByteArray("volprinc=10\r\nvolprinc=90\r\n")
                                    << QStringLiteral("volprinc") << QStringLiteral("90");
    QTest::newRow("value lower-cased")
        << QByteArray("sfumadx=ABC\r\n") << QStringLiteral("sfumadx") << QStringLiteral("abc");
    QTest::newRow("value holds =")
        << QByteArray("volprinc= A=B \r\n") << QStringLiteral("volprinc") << QStringLiteral("a=b");
    QTest::newRow("hash line is not a key")
        << QByteArray("#volprinc=10\r\n") << QStringLiteral("volprinc") << QStringLiteral("50");
    QTest::newRow("percorsi lower-cased")
        << QByteArray("Percorsi = Vecchio.INI\r\n") << QStringLiteral("percorsi")
        << QStringLiteral("vecchio.ini");
    QTest::newRow("lf and bom") << QByteArray("\xef\xbb\xbfindextema=4\nveragg=0\n")
                                << QStringLiteral("indextema") << QStringLiteral("4");
    QTest::newRow("lone cr") << QByteArray("veragg=1\rautoplay=0\r") << QStringLiteral("autoplay")
                             << QStringLiteral("0");
    QTest::newRow("binary does not set keys") << QByteArray("\x00\xff=\x01\r\n=\r\n\x7f", 10)
                                              << QStringLiteral("indextema") << QStringLiteral("0");
}

void TestSettings::readsValues()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, key);
    QFETCH(QString, value);
    load(&bytes);
    QCOMPARE(m_state.settings.value(key), value);
}

void TestSettings::savesWrittenForm_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("written");

    QTest::newRow("no file") << false << QByteArray() << DefaultForm;
    QTest::newRow("empty file") << true << QByteArray("") << DefaultForm;
    QTest::newRow("keys in any order") << true << QByteArray("usazmp=1\r\nindextema=2\r\n")
                                       << formWith({"indextema=2", "usazmp=1"});
    QTest::newRow("hash line kept after the keys")
        << true << QByteArray("# Nota=Mia\r\nveragg=0\r\n")
        << formWith({"veragg=0"}) + "# Nota=Mia\r\n";
    QTest::newRow("hash line without = lost")
        << true << QByteArray("# solo testo\r\n") << DefaultForm;
    QTest::newRow("line without = lost") << true << QByteArray("indextema\r\n") << DefaultForm;
    QTest::newRow("levelling on is written after the older keys")
        << true << QByteArray("UniformaVolume = 1\r\n#x=y\r\n")
        << DefaultForm + "uniformavolume=1\r\n#x=y\r\n";
    QTest::newRow("levelling at its default leaves the file as it always was")
        << true << QByteArray("uniformavolume=0\r\n") << DefaultForm;
    QTest::newRow("wrong-answer penalty on is written after levelling")
        << true << QByteArray("penalita=1\r\nuniformavolume=1\r\n")
        << DefaultForm + "uniformavolume=1\r\npenalita=1\r\n";
    QTest::newRow("wrong-answer penalty off leaves the file as it always was")
        << true << QByteArray("PENALITA=\r\n") << DefaultForm;
    QTest::newRow("phone buzzers on a port of their own are written after the penalty")
        << true << QByteArray("portabuzzer=9000\r\nbuzzertelefoni=1\r\npenalita=1\r\n")
        << DefaultForm + "penalita=1\r\nbuzzertelefoni=1\r\nportabuzzer=9000\r\n";
    QTest::newRow("phone buzzers off on the usual port leave the file as it always was")
        << true << QByteArray("buzzertelefoni=0\r\nportabuzzer=\r\n") << DefaultForm;
    QTest::newRow("unknown key kept verbatim")
        << true << QByteArray("  Altro = Valore \r\n#a=b\nZ=1\r\n")
        << DefaultForm + "  Altro = Valore \r\n#a=b\r\nZ=1\r\n";
    QTest::newRow("percorsi never written")
        << true << QByteArray("percorsi=Vecchio.ini\r\n") << DefaultForm;
    QTest::newRow("capitals come back lower-cased")
        << true << QByteArray("AUTOPLAY=ZERO\r\n") << formWith({"autoplay=zero"});
    QTest::newRow("windows-1252 comment saved as utf-8")
        << true << QByteArray("#Perch\xe9=s\xec\r\n")
        << DefaultForm + "#Perch\xc3\xa9=s\xc3\xac\r\n";
}

void TestSettings::savesWrittenForm()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, written);

    load(exists ? &bytes : nullptr);
    const auto result = SalvaImpostazioni(m_state);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(readBytes(m_state.file(QStringLiteral("Impostazioni.ini"))), written);

    // What was written reads back to the same record.
    const Settings first = m_state.settings;
    CaricaImpostazioni(m_state, m_progress);
    for (const SettingKey &key : settingKeys())
        QCOMPARE(m_state.settings.value(key.name.toString()), first.value(key.name.toString()));
    QCOMPARE(m_state.settings.extraLines(), first.extraLines());
}

void TestSettings::packChoice_data()
{
    QTest::addColumn<int>("avvio");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    // In memory before each load: usazmp=1.
    QTest::newRow("start reads the file") << 1 << QByteArray("usazmp=0\r\n") << QStringLiteral("0");
    QTest::newRow("start without key takes default")
        << 1 << QByteArray("veragg=0\r\n") << QStringLiteral("2");
    QTest::newRow("options reload keeps memory")
        << 2 << QByteArray("usazmp=0\r\n") << QStringLiteral("1");
    QTest::newRow("options reload without key keeps memory")
        << 2 << QByteArray("veragg=0\r\n") << QStringLiteral("1");
    QTest::newRow("idle board reads the file")
        << 0 << QByteArray("usazmp=0\r\n") << QStringLiteral("0");
}

void TestSettings::packChoice()
{
    QFETCH(int, avvio);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    m_state.settings.setValue(QStringLiteral("usazmp"), QStringLiteral("1"));
    m_state.settings.setValue(QStringLiteral("veragg"), QStringLiteral("7"));
    m_state.Avvio = avvio;
    load(&bytes);
    QCOMPARE(m_state.settings.value(QStringLiteral("usazmp")), expected);
    // Every other key starts from the file and the defaults whatever Avvio says.
    QCOMPARE(m_state.settings.value(QStringLiteral("veragg")),
             bytes.contains("veragg") ? QStringLiteral("0") : QStringLiteral("1"));
}

void TestSettings::oldPathsKeyKeepsValue()
{
    const QByteArray with = "percorsi=Vecchio.INI\r\n";
    load(&with);
    QCOMPARE(m_state.settings.value(QStringLiteral("percorsi")), QStringLiteral("vecchio.ini"));
    // A later load without the key leaves the name found before; an empty value clears it.
    const QByteArray without = "veragg=0\r\n";
    load(&without);
    QCOMPARE(m_state.settings.value(QStringLiteral("percorsi")), QStringLiteral("vecchio.ini"));
    const QByteArray empty = "percorsi=\r\n";
    load(&empty);
    QCOMPARE(m_state.settings.value(QStringLiteral("percorsi")), QString());
}

void TestSettings::failedSave()
{
    // A folder where the file should be reads as no file and cannot be saved over.
    QVERIFY(QDir(m_state.Path).mkdir(QStringLiteral("Impostazioni.ini")));
    m_state.settings.setValue(QStringLiteral("volprinc"), QStringLiteral("9"));
    load(nullptr);
    QCOMPARE(m_state.settings.value(QStringLiteral("volprinc")), QStringLiteral("50"));
    const auto result = SalvaImpostazioni(m_state);
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(QFileInfo(m_state.file(QStringLiteral("Impostazioni.ini"))).isDir());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
