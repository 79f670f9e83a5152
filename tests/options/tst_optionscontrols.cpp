#include "core/settings.h"
#include "options/optionscontrols.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestOptionsControls : public QObject {
    Q_OBJECT

    static PathsTable table()
    {
        PathsTable result;
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = {u"song"_s + QString::number(i) + u".mp3"_s, u"Musiche/"_s};
        return result;
    }

private slots:
    // Controls fresh from the settings show no change; flipping any one check box does.
    void eachCheckKey_data()
    {
        QTest::addColumn<QString>("key");
        for (const QStringView key : OptionsControls::checkKeys())
            QTest::newRow(key.toLatin1().constData()) << key.toString();
    }

    void eachCheckKey()
    {
        QFETCH(QString, key);
        Settings settings;
        const PathsTable songs = table();
        OptionsControls controls = OptionsControls::fromSettings(settings, 0);
        QVERIFY(!CheckAnnullaModifiche(settings, controls, songs, songs));
        controls.setCheck(key, !controls.check(key));
        QVERIFY(CheckAnnullaModifiche(settings, controls, songs, songs));
        readControls(settings, controls);
        QCOMPARE(settings.number(key), controls.check(key) ? 1 : 0);
        QVERIFY(!CheckAnnullaModifiche(settings, controls, songs, songs));
    }

    void otherControls_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("fade button") << u"fade"_s;
        QTest::newRow("fade speed") << u"speed"_s;
        QTest::newRow("theme") << u"theme"_s;
        QTest::newRow("pack ticked") << u"pack"_s;
    }

    void otherControls()
    {
        QFETCH(QString, what);
        Settings settings;
        settings.setNumber(u"usazmp"_s, 0);
        const PathsTable songs = table();
        OptionsControls controls = OptionsControls::fromSettings(settings, 0);
        QVERIFY(!CheckAnnullaModifiche(settings, controls, songs, songs));
        if (what == u"fade")
            controls.fadeButton = 3;
        else if (what == u"speed")
            ++controls.fadeSpeed;
        else if (what == u"theme")
            controls.themeIndex = 1;
        else
            controls.packChecked = true;
        QVERIFY(CheckAnnullaModifiche(settings, controls, songs, songs));
    }

    // A disabled music-pack box over a stored 2 is no change, and applying keeps the 2.
    void disabledPack()
    {
        Settings settings;
        settings.setNumber(u"usazmp"_s, 2);
        const PathsTable songs = table();
        OptionsControls controls = OptionsControls::fromSettings(settings, 0);
        QVERIFY(!controls.packEnabled);
        QVERIFY(!CheckAnnullaModifiche(settings, controls, songs, songs));
        controls.packEnabled = true;
        QVERIFY(CheckAnnullaModifiche(settings, controls, songs, songs));
        controls.packEnabled = false;
        controls.packChecked = true;
        readControls(settings, controls);
        QCOMPARE(settings.number(u"usazmp"_s), 2);
    }

    void eachSlot_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("folder");
        for (int slot = 0; slot < SlotCount; ++slot) {
            QTest::newRow(qPrintable(u"file "_s + QString::number(slot))) << slot << false;
            QTest::newRow(qPrintable(u"folder "_s + QString::number(slot))) << slot << true;
        }
    }

    void eachSlot()
    {
        QFETCH(int, slot);
        QFETCH(bool, folder);
        Settings settings;
        const PathsTable saved = table();
        PathsTable working = saved;
        SongSlot &changed = working[static_cast<std::size_t>(slot)];
        (folder ? changed.folder : changed.file) += u"x"_s;
        QVERIFY(CheckAnnullaModifiche(settings, OptionsControls::fromSettings(settings, 0), saved,
                                      working));
    }

    void fadeRule_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Sinistro") << 0 << true;
        QTest::newRow("Destro") << 1 << true;
        QTest::newRow("Nessuno") << 2 << false;
        QTest::newRow("Entrambi") << 3 << true;
    }

    void fadeRule()
    {
        QFETCH(int, button);
        QFETCH(bool, enabled);
        QCOMPARE(fadeSpeedEnabled(button), enabled);
    }
};

QTEST_GUILESS_MAIN(TestOptionsControls)
#include "tst_optionscontrols.moc"
