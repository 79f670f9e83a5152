#include "widgets/delayedprogress.h"
#include "widgets/progressione.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDelayedProgress : public QObject {
    Q_OBJECT

    qint64 m_now = 0;

    std::function<qint64()> clock()
    {
        return [this] { return m_now; };
    }

private slots:
    void init() { m_now = 1000; }

    // A run of the loader's calls, with the clock standing at `at` ms after show() when the
    // stage caption is set: the window appears only once the delay has passed.
    void appearsOnlyWhenSlow_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("at");
        QTest::addColumn<bool>("shown");
        QTest::newRow("quick reload") << 400 << 5 << false;
        QTest::newRow("just before the delay") << 400 << 399 << false;
        QTest::newRow("at the delay") << 400 << 400 << true;
        QTest::newRow("slow reload") << 400 << 2000 << true;
        QTest::newRow("no delay") << 0 << 0 << true;
    }

    void appearsOnlyWhenSlow()
    {
        QFETCH(int, delay);
        QFETCH(int, at);
        QFETCH(bool, shown);
        DelayedProgress progress(delay, clock());
        progress.setMaximum(30);
        progress.setValue(1);
        progress.show();
        QVERIFY(progress.isVisible());
        progress.step();
        m_now += at;
        progress.setCaption(u"Caricamento Temi..."_s);
        progress.step();
        // Whether or not the window is up, the bar has moved as the visible window's would.
        QCOMPARE(progress.value(), 3);
        QCOMPARE(progress.window() != nullptr && progress.window()->isVisible(), shown);
        if (shown) {
            Progressione *window = progress.window();
            QCOMPARE(window->findChild<QLabel *>(u"lblOggettoCaricato"_s)->text(),
                     u"Caricamento Temi..."_s);
            QCOMPARE(window->findChild<QProgressBar *>(u"BarraProgresso"_s)->maximum(), 30);
            QCOMPARE(window->findChild<QProgressBar *>(u"BarraProgresso"_s)->value(), 3);
            QCOMPARE(window->windowTitle(), u"Progressione"_s);
        }
        progress.close();
        QVERIFY(!progress.isVisible());
        QVERIFY(!progress.window() || !progress.window()->isVisible());
    }

    // Closed, the bar stands still as on the real window; shown again, the clock starts anew.
    void closedStandsStillAndRestarts()
    {
        DelayedProgress progress(400, clock());
        progress.setMaximum(5);
        progress.setValue(2);
        progress.step();
        QCOMPARE(progress.value(), 2);
        progress.show();
        m_now += 300;
        progress.close();
        progress.show();
        m_now += 300;
        progress.setCaption(u"Controllo Canzoni..."_s);
        QVERIFY(!progress.window());
        m_now += 100;
        progress.step();
        QVERIFY(progress.window() && progress.window()->isVisible());
        for (int i = 0; i < 10; ++i)
            progress.step();
        QCOMPARE(progress.value(), 5);
    }

    // Set after the load, a zero delay shows the next work's window at once, with its title.
    void delayChangedLater()
    {
        DelayedProgress progress(400, clock());
        progress.show();
        progress.close();
        progress.setTitle(u"Aggiornamento Temi"_s);
        progress.setDelay(0);
        QVERIFY(!progress.window());
        progress.show();
        QVERIFY(progress.window() && progress.window()->isVisible());
        QCOMPARE(progress.window()->windowTitle(), u"Aggiornamento Temi"_s);
    }
};

QTEST_MAIN(TestDelayedProgress)
#include "tst_delayedprogress.moc"
