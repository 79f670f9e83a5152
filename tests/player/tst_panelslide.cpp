#include "tests/player/playerbench.h"

namespace {

QList<double> tops(const char *list)
{
    QList<double> result;
    for (const QString &t : QString::fromLatin1(list).split(u' '))
        result.append(t.toDouble());
    return result;
}

// Ticks Timer5 while it runs, at most limit times; the panel's top after each tick.
QList<double> run(PlayerBench &b, int limit = 40)
{
    QList<double> seen;
    while (b.model().timerOn(Timer::Timer5) && limit-- > 0) {
        b.logic.panel.tick();
        seen.append(b.model().panel().panelTop);
    }
    return seen;
}

} // namespace

class TestPanelSlide : public QObject {
    Q_OBJECT

private slots:
    void slides_data();
    void slides();
    void slideUpWhenAlreadyShown();
    void dockButton_data();
    void dockButton();
    void grip_data();
    void grip();
    void releaseOutsideStartsNothing();
    void slideDownButtonOnlyHides();
};

void TestPanelSlide::slides_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("dock");
    QTest::addColumn<QList<double>>("expected");
    const QList<double> down =
        tops("4720 5120 5520 5920 6170 6420 6670 6920 7020 7120 7220 7320 7350");
    const QList<double> up =
        tops("6950 6550 6150 5750 5350 5100 4850 4750 4650 4550 4450 4350 4320");
    QTest::newRow("down, docked") << false << 1 << down;
    QTest::newRow("down, undocked") << false << 0 << down;
    QTest::newRow("up, docked") << true << 1 << up;
    QTest::newRow("up, undocked") << true << 0 << up;
}

void TestPanelSlide::slides()
{
    QFETCH(bool, up);
    QFETCH(int, dock);
    QFETCH(QList<double>, expected);
    PlayerBench b;
    b.open(false, false, dock);
    PanelSlide &panel = b.logic.panel;
    if (!up) {
        panel.slittaAltoReleased(true);
        run(b);
        QCOMPARE(b.model().panel().panelTop, 4320.0);
    }
    const PanelGeometry before = b.model().panel();
    const int yields = b.view.yields;
    b.view.stripTops.clear();
    if (up)
        panel.slittaAltoReleased(true);
    else
        panel.slittaBassoReleased(true);

    QList<double> seen;
    QList<double> backdrops;
    QList<double> strips;
    while (b.model().timerOn(Timer::Timer5) && seen.size() < 40) {
        panel.tick();
        const PanelGeometry &g = b.model().panel();
        seen.append(g.panelTop);
        backdrops.append(g.backdropHeight);
        strips.append(g.stripTop);
        QCOMPARE(g.sideLeftHeight, g.backdropHeight);
        QCOMPARE(g.sideRightHeight, g.backdropHeight);
    }
    QCOMPARE(seen, expected);
    QCOMPARE(panel.SalitaWMP, up);
    // Every slide step lets the window redraw.
    QCOMPARE(b.view.yields - yields, expected.size());
    for (qsizetype i = 0; i < seen.size(); ++i) {
        if (dock == 1) {
            QCOMPARE(backdrops.at(i), seen.at(i) - 1050);
            QCOMPARE(strips.at(i), 240 + seen.at(i) - 1050);
        } else {
            QCOMPARE(backdrops.at(i), before.backdropHeight);
            QCOMPARE(strips.at(i), before.stripTop);
        }
    }
}

void TestPanelSlide::slideUpWhenAlreadyShown()
{
    PlayerBench b;
    b.open(false, false, 1);
    PanelSlide &panel = b.logic.panel;
    panel.slittaAltoReleased(true);
    run(b);
    b.view.stripTops.clear();
    panel.slittaAltoReleased(true);
    QCOMPARE(run(b), tops("4320"));
    // The step puts the strip at its designed top, then the fit puts it under the backdrop.
    QCOMPARE(b.view.stripTops.first(), 3500.0);
    QCOMPARE(b.view.stripTops.last(), 3510.0);
    QCOMPARE(b.model().panel().backdropHeight, 3270.0);
}

void TestPanelSlide::dockButton_data()
{
    QTest::addColumn<int>("dock");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<double>("backdrop"); // after the panel is up again
    QTest::newRow("docked, panel hidden") << 1 << false << 1 + 13 << "SganciatoN" << 6300.0;
    // The mode switches within the last step down, so that step's fit is not made: the video
    // area keeps the size of the step before.
    QTest::newRow("docked, panel shown") << 1 << true << 13 + 13 << "SganciatoN" << 6270.0;
    QTest::newRow("undocked, panel shown") << 0 << true << 13 + 13 << "AgganciatoN" << 3270.0;
}

void TestPanelSlide::dockButton()
{
    QFETCH(int, dock);
    QFETCH(bool, shown);
    QFETCH(int, ticks);
    QFETCH(QString, picture);
    QFETCH(double, backdrop);
    PlayerBench b;
    b.open(false, false, dock);
    PanelSlide &panel = b.logic.panel;
    if (shown) {
        panel.slittaAltoReleased(true);
        run(b);
    }
    panel.agganciaPressed();
    QCOMPARE(b.picture(Image::Aggancia), dock ? u"AgganciatoP" : u"SganciatoP");
    QVERIFY(b.model().PulsantePremuto);
    panel.agganciaReleased(true);
    QCOMPARE(b.picture(Image::Aggancia), dock ? u"AgganciatoS" : u"SganciatoS");
    QVERIFY(!b.model().PulsantePremuto);
    const QList<double> seen = run(b);
    QCOMPARE(seen.size(), ticks);
    QVERIFY(seen.contains(7350.0));
    QCOMPARE(seen.last(), 4320.0);
    QCOMPARE(b.model().WMPSempreVisib, 1 - dock);
    QCOMPARE(b.picture(Image::Aggancia), picture);
    QCOMPARE(b.model().panel().backdropHeight, backdrop);
}

void TestPanelSlide::grip_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("moveBy"); // twips the pointer moves down while held
    QTest::addColumn<double>("top");
    QTest::addColumn<bool>("rising");
    QTest::newRow("down a little") << true << 1200 << 5520.0 << false;
    QTest::newRow("down past the bottom") << true << 5000 << 7350.0 << false;
    QTest::newRow("up past the top") << true << -300 << 4320.0 << true;
    QTest::newRow("up from hidden") << false << -2000 << 5350.0 << true;
}

void TestPanelSlide::grip()
{
    QFETCH(bool, shown);
    QFETCH(int, moveBy);
    QFETCH(double, top);
    QFETCH(bool, rising);
    PlayerBench b;
    b.open(false, false, 1);
    PanelSlide &panel = b.logic.panel;
    if (shown) {
        panel.slittaAltoReleased(true);
        run(b);
    }
    panel.gripPressed(90);
    panel.gripMoved(90 + moveBy, true);
    QVERIFY(b.model().timerOn(Timer::Timer5));
    QCOMPARE(panel.Timer5Function, 0);
    for (int i = 0; i < 5; ++i)
        panel.tick();
    // The pointer rests: the panel went to it once and stays there.
    QCOMPARE(b.model().panel().panelTop, top);
    QCOMPARE(panel.SalitaWMP, rising);
    QCOMPARE(b.model().panel().backdropHeight, top - 1050);
    panel.gripReleased();
    QVERIFY(!b.model().timerOn(Timer::Timer5));
    // A move with the right button held does not drag.
    panel.gripMoved(90 + 600, false);
    QVERIFY(!b.model().timerOn(Timer::Timer5));
}

void TestPanelSlide::releaseOutsideStartsNothing()
{
    PlayerBench b;
    b.open(false, false, 1);
    PanelSlide &panel = b.logic.panel;
    SkinButtons &skin = b.logic.skin;
    skin.NormalizzaPulsanti(MainHover::Dock);
    panel.agganciaPressed();
    panel.agganciaReleased(false);
    QCOMPARE(b.picture(Image::Aggancia), QStringLiteral("AgganciatoN"));
    skin.NormalizzaPulsanti(MainHover::SlideDown);
    panel.slittaBassoPressed();
    panel.slittaBassoReleased(false);
    QCOMPARE(b.picture(Image::SlittaBasso), QStringLiteral("ScorriBassoN"));
    skin.NormalizzaMiniPulsanti(MiniHover::SlideUp);
    panel.slittaAltoPressed();
    QCOMPARE(b.picture(Image::SlittaAlto), QStringLiteral("ScorriAltoP"));
    panel.slittaAltoReleased(false);
    QCOMPARE(b.picture(Image::SlittaAlto), QStringLiteral("ScorriAltoN"));
    QVERIFY(!b.model().timerOn(Timer::Timer5));
    QVERIFY(!b.model().PulsantePremuto);
    QCOMPARE(b.model().panel().panelTop, 7350.0);
}

void TestPanelSlide::slideDownButtonOnlyHides()
{
    PlayerBench b;
    b.open(false, false, 1);
    PanelSlide &panel = b.logic.panel;
    panel.slittaAltoReleased(true);
    run(b);
    panel.slittaBassoPressed();
    QCOMPARE(b.picture(Image::SlittaBasso), QStringLiteral("ScorriBassoP"));
    panel.slittaBassoReleased(true);
    QCOMPARE(b.picture(Image::SlittaBasso), QStringLiteral("ScorriBassoN"));
    QCOMPARE(run(b).size(), 13);
    QCOMPARE(b.model().panel().panelTop, 7350.0);
    QCOMPARE(b.model().WMPSempreVisib, 1);
    QVERIFY(!b.model().timerOn(Timer::Timer5));
}

QTEST_GUILESS_MAIN(TestPanelSlide)
#include "tst_panelslide.moc"
