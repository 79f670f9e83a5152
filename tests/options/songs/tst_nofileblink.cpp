#include "options/songs/nofileblink.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The lblNoFile blink stepped tick by tick.
class TestNoFileBlink : public QObject {
    Q_OBJECT

private slots:
    void rhythm_data()
    {
        // Steps: "on" / "off" set whether the warning is wanted, "t" is a tick of Timer1.
        // After each step: visible, running, interval.
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<bool>>("visible");
        QTest::addColumn<QList<bool>>("running");
        QTest::addColumn<QList<int>>("interval");
        QTest::newRow("shown first 1 s, then hidden 1 s and shown 2 s")
            << QStringList{u"on"_s, u"t"_s, u"t"_s, u"t"_s, u"t"_s}
            << QList<bool>{true, false, true, false, true}
            << QList<bool>{true, true, true, true, true}
            << QList<int>{1000, 1000, 2000, 1000, 2000};
        QTest::newRow("never without the file")
            << QStringList{u"off"_s, u"t"_s, u"t"_s} << QList<bool>{false, false, false}
            << QList<bool>{false, false, false} << QList<int>{1000, 1000, 1000};
        QTest::newRow("the file goes while hidden: stays hidden")
            << QStringList{u"on"_s, u"t"_s, u"off"_s, u"t"_s}
            << QList<bool>{true, false, false, false} << QList<bool>{true, true, false, false}
            << QList<int>{1000, 1000, 1000, 1000};
        QTest::newRow("wanted again while blinking: the rhythm goes on")
            << QStringList{u"on"_s, u"t"_s, u"t"_s, u"on"_s, u"t"_s}
            << QList<bool>{true, false, true, true, false}
            << QList<bool>{true, true, true, true, true}
            << QList<int>{1000, 1000, 2000, 2000, 1000};
        QTest::newRow("the file back: shown at once")
            << QStringList{u"on"_s, u"t"_s, u"off"_s, u"on"_s}
            << QList<bool>{true, false, false, true} << QList<bool>{true, true, false, true}
            << QList<int>{1000, 1000, 1000, 1000};
    }

    void rhythm()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<bool>, visible);
        QFETCH(QList<bool>, running);
        QFETCH(QList<int>, interval);
        NoFileBlink blink;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            if (steps.at(i) == u"t"_s)
                blink.Timer1_Timer();
            else
                blink.setWanted(steps.at(i) == u"on"_s);
            QCOMPARE(blink.visible(), visible.at(i));
            QCOMPARE(blink.running(), running.at(i));
            QCOMPARE(blink.intervalMs(), interval.at(i));
        }
    }
};

QTEST_APPLESS_MAIN(TestNoFileBlink)
#include "tst_nofileblink.moc"
