#include "board/boardkeys.h"
#include "board/boardlayout.h"
#include "board/mouserules.h"
#include "board/titlebaranimation.h"
#include "board/windowdrag.h"

#include <QHash>
#include <QTest>

using BoardLayout::Box;
using BoardLayout::Geometry;
using Tops = QList<double>;

namespace BoardLayout {
char *toString(const Box &b)
{
    const QByteArray text = QByteArray::number(b.left) + ',' + QByteArray::number(b.top) + ' ' +
                            QByteArray::number(b.width) + 'x' + QByteArray::number(b.height);
    return qstrdup(text.constData());
}
} // namespace BoardLayout

namespace MouseRules {
char *toString(Action action)
{
    static const char *const names[] = {"None", "Play", "Toggle", "ShowOptions"};
    return qstrdup(names[static_cast<int>(action)]);
}
} // namespace MouseRules

namespace {

// One key of a scripted sequence: L R U D the arrows, E Enter, K the keypad's Enter, M, O
// Ctrl+O, S Shift+M; a trailing * marks a held key's repeat.
BoardKeys::Outcome pressScripted(BoardKeys &keys, const QString &token, bool optionsOpen)
{
    static const QHash<QChar, std::pair<int, Qt::KeyboardModifiers>> table{
        {u'L', {Qt::Key_Left, {}}},
        {u'R', {Qt::Key_Right, {}}},
        {u'U', {Qt::Key_Up, {}}},
        {u'D', {Qt::Key_Down, Qt::KeypadModifier}},
        {u'E', {Qt::Key_Return, {}}},
        {u'K', {Qt::Key_Enter, Qt::KeypadModifier}},
        {u'M', {Qt::Key_M, {}}},
        {u'O', {Qt::Key_O, Qt::ControlModifier}},
        {u'S', {Qt::Key_M, Qt::ShiftModifier}},
    };
    const auto [key, mods] = table.value(token.front());
    return keys.press(key, mods, token.endsWith(u'*'), optionsOpen, {});
}

// from, from + by, ... up to and including to.
Tops run(double from, double to, double by)
{
    Tops values;
    for (double v = from; by > 0 ? v <= to : v >= to; v += by)
        values << v;
    return values;
}

// The 19200 x 12000 layout: Tabella 2500,1000,14200,9600, both buttons at top 10850.
Geometry laidOut()
{
    Geometry g;
    BoardLayout::placeAtLoad(g, 19200, 12000);
    BoardLayout::resizePass(g, 19200, 12000, false, 3255);
    return g;
}

} // namespace

class TestBoardLogic : public QObject {
    Q_OBJECT

private slots:
    // 19200 x 12000, worked out by hand from the margins and the row and column fractions.
    void layoutPass()
    {
        Geometry g;
        BoardLayout::placeAtLoad(g, 19200, 12000);
        QCOMPARE(g.tabella, (Box{2500, 1000, 14200, 9600}));
        QCOMPARE(g.btnEsci, (Box{1000, 10850, 9999, 495})); // the first pass corrects it
        const BoardLayout::PassResult pass = BoardLayout::resizePass(g, 19200, 12000, false, 3255);
        QVERIFY(!pass.snapHeight && !pass.snapWidth && pass.barCentred);
        QCOMPARE(pass.barLeft, 7972.5);
        QCOMPARE(g.tabella, (Box{2500, 1000, 14200, 9600}));
        QCOMPARE(g.btnEsci, (Box{2500, 10850, 12925, 495}));
        QCOMPARE(g.reset, (Box{15725, 10850, 975, 495}));
        const Tops lefts{7745, 9520, 11383.75, 13141, 15200};
        const Tops tops{1350.8333333333333, 3057.5, 5190.8333333333333, 7217.5, 9030.8333333333333};
        for (int c = 0; c < 5; ++c) {
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(g.numbers[c][i].left, lefts[i]); // fuzzy: the fractions are inexact
                QCOMPARE(g.numbers[c][i].top, tops[c]);
            }
        }
    }

    void snap_data()
    {
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<bool>("minimised");
        QTest::addColumn<bool>("snapHeight");
        QTest::addColumn<bool>("snapWidth");
        QTest::addColumn<Box>("tabella");
        QTest::addColumn<double>("buttonsTop");
        QTest::addColumn<double>("resetLeft");
        QTest::addColumn<double>("exitWidth");
        // From the 19200 x 12000 layout.
        QTest::newRow("height 2410: height rules skipped")
            << 16000.0 << 2410.0 << false << true << false << Box{2500, 1000, 11000, 9600}
            << 10850.0 << 12525.0 << 9725.0;
        QTest::newRow("height 2411 laid out")
            << 16000.0 << 2411.0 << false << false << false << Box{2500, 1000, 11000, 11} << 1261.0
            << 12525.0 << 9725.0;
        QTest::newRow("width 5010: width rules skipped")
            << 5010.0 << 9000.0 << false << false << true << Box{2500, 1000, 14200, 6600} << 7850.0
            << 15725.0 << 12925.0;
        QTest::newRow("width 5011 laid out")
            << 5011.0 << 9000.0 << false << false << false << Box{2500, 1000, 11, 6600} << 7850.0
            << 1536.0 << 12925.0;
        // The exit button takes W - (975 + 5300) only when that exceeds 1.
        QTest::newRow("exit: difference 1 keeps the width")
            << 6276.0 << 12000.0 << false << false << false << Box{2500, 1000, 1276, 9600}
            << 10850.0 << 2801.0 << 12925.0;
        QTest::newRow("minimised") << 3000.0 << 2000.0 << true << false << false
                                   << Box{2500, 1000, 14200, 9600} << 10850.0 << 15725.0 << 12925.0;
    }

    void snap()
    {
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(bool, minimised);
        QFETCH(bool, snapHeight);
        QFETCH(double, buttonsTop);
        Geometry g = laidOut();
        const Geometry before = g;
        const BoardLayout::PassResult pass = BoardLayout::resizePass(g, w, h, minimised, 3255);
        QCOMPARE(pass.snapHeight, snapHeight);
        QTEST(pass.snapWidth, "snapWidth");
        QCOMPARE(pass.barCentred, !snapHeight && !minimised); // centred by the height rules
        QTEST(g.tabella, "tabella");
        QCOMPARE(g.btnEsci.top, buttonsTop);
        QCOMPARE(g.reset.top, buttonsTop);
        QTEST(g.reset.left, "resetLeft");
        QTEST(g.btnEsci.width, "exitWidth");
        // The numbers follow the board picture in force; minimised, nothing moves.
        QCOMPARE(g.numbers[3][0].top, g.tabella.height * 0.7 + 497.5);
        if (minimised)
            QVERIFY(g.numbers == before.numbers);
    }

    void slides_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<double>("from");
        QTest::addColumn<Tops>("tops"); // after each tick; the last one stops the timer
        const int in = TitleBarAnimation::SlideIn;
        const int out = TitleBarAnimation::SlideOut;
        QTest::newRow("in from -350") << in << -350.0 << Tops{-290} + run(-270, 10, 20) + Tops{0};
        QTest::newRow("in from -300, still fast") << in << -300.0 << run(-240, 0, 20) + Tops{0};
        QTest::newRow("in from -100") << in << -100.0 << Tops{-80, -60, -40, -20, 0, 0};
        QTest::newRow("out from 0")
            << out << 0.0 << Tops{-60, -120} + run(-140, -320, -20) + Tops{-350};
        QTest::newRow("out from -315") << out << -315.0 << Tops{-350};
        QTest::newRow("out when hidden") << out << -350.0 << Tops{-350};
    }

    void slides()
    {
        QFETCH(int, function);
        QFETCH(double, from);
        QFETCH(Tops, tops);
        TitleBarAnimation anim;
        anim.bar.top = from;
        anim.bar.visible = from > -350;
        if (function == TitleBarAnimation::SlideIn)
            anim.startSlideIn();
        else
            anim.startSlideOut();
        QCOMPARE(anim.Funzionetimer, function);
        for (int n = 0; n < tops.size(); ++n) {
            const bool last = n == tops.size() - 1;
            QVERIFY(anim.timerOn);
            QCOMPARE(anim.tick(), !last); // moving steps let the interface repaint
            QCOMPARE(anim.bar.top, tops[n]);
        }
        QVERIFY(!anim.timerOn);
        QCOMPARE(anim.bar.visible, function == TitleBarAnimation::SlideIn);
    }

    void widen_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("steps");
        QTest::newRow("from 315, ends at 15") << 315.0 << 0.0 << 3;
        QTest::newRow("from 65, overshoots to -35") << 65.0 << 0.0 << 1;
        QTest::newRow("at 15, stops at once") << 15.0 << -350.0 << 0;
    }

    void widen()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(int, steps);
        TitleBarAnimation anim;
        anim.bar.left = left;
        anim.bar.top = top;
        anim.startWiden();
        for (int n = 1; n <= steps + 1; ++n) {
            anim.tick();
            const int moved = qMin(n, steps);
            QCOMPARE(anim.bar.top, 0.0);
            QCOMPARE(anim.timerOn, n <= steps);
            QCOMPARE(anim.bar.left, left - 100 * moved);
            QCOMPARE(anim.bar.width, 3255.0 + 200 * moved);
            QCOMPARE(anim.bar.minimizzaLeft, 360.0 + 200 * moved);
            QCOMPARE(anim.bar.normalizzaLeft, 1200.0 + 200 * moved);
            QCOMPARE(anim.bar.massimizzaLeft, 2160.0 + 200 * moved);
        }
    }

    void narrow_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<int>("steps");
        // The three buttons and 480 take 3285.
        QTest::newRow("wide bar") << 3855.0 << 3;
        QTest::newRow("one step to exactly 3285") << 3485.0 << 1;
        QTest::newRow("already narrow") << 3255.0 << 0;
    }

    void narrow()
    {
        QFETCH(double, width);
        QFETCH(int, steps);
        TitleBarAnimation anim;
        anim.bar.top = 0;
        anim.bar.left = 15;
        anim.bar.width = width;
        const TitleBarAnimation::Bar start = anim.bar;
        anim.InRestringimento = true;
        anim.startNarrow();
        for (int n = 1; n <= steps; ++n) {
            anim.tick();
            QCOMPARE(anim.bar.width, width - 200 * n);
            QCOMPARE(anim.bar.left, 15.0 + 100 * n);
            QCOMPARE(anim.bar.minimizzaLeft, start.minimizzaLeft - 200 * n);
            QCOMPARE(anim.bar.normalizzaLeft, start.normalizzaLeft - 200 * n);
            QCOMPARE(anim.bar.massimizzaLeft, start.massimizzaLeft - 200 * n);
            QVERIFY(anim.InRestringimento);
        }
        // The next tick ends the narrowing and is at once the first slide-out step.
        anim.tick();
        QVERIFY(!anim.InRestringimento);
        QCOMPARE(anim.Funzionetimer, int(TitleBarAnimation::SlideOut));
        QVERIFY(anim.timerOn);
        QCOMPARE(anim.bar.top, -60.0);
        QCOMPARE(anim.bar.width, width - 200 * steps);
        int more = 0;
        while (anim.timerOn && more < 100) {
            anim.tick();
            ++more;
        }
        QCOMPARE(more, 12); // -120, then by 20 to -320, then -350
        QVERIFY(!anim.bar.visible);
    }

    // The bar's origin is older than the window's position, as after an earlier drag step.
    void drag()
    {
        WindowDrag drag;
        drag.setOrigin(1500, 900);
        drag.press(300.4, 120.6, 1650, 980);
        QCOMPARE(drag.PosX, 150L);
        QCOMPARE(drag.PosY, 41L);
        drag.move(310.2, 125.7, 1650, 980);
        QCOMPARE(drag.CurX, 1810L);
        QCOMPARE(drag.CurY, 1026L);
        QCOMPARE(drag.targetLeft(), 1660.0);
        QCOMPARE(drag.targetTop(), 985.0);
        // The movement takes the window's position as the bar's new origin.
        QCOMPARE(drag.originLeft, 1650.0);
        QCOMPARE(drag.originTop, 980.0);
        drag.move(-45.4, 20, 1650, 980); // the pointer ran ahead of the bar
        QCOMPARE(drag.targetLeft(), 1455.0);
    }

    void mouseRules_data()
    {
        using A = MouseRules::Action;
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<A>("onNumber");
        QTest::addColumn<A>("onSurface");
        const Qt::KeyboardModifiers none, shift(Qt::ShiftModifier), ctrl(Qt::ControlModifier),
            alt(Qt::AltModifier);
        const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton;
        QTest::newRow("left") << left << none << false << A::Play << A::None;
        QTest::newRow("left+shift") << left << shift << false << A::Play << A::None;
        QTest::newRow("left+ctrl+shift+alt")
            << left << (ctrl | shift | alt) << false << A::Play << A::None;
        QTest::newRow("right") << right << none << false << A::Toggle << A::None;
        QTest::newRow("right+ctrl") << right << ctrl << false << A::ShowOptions << A::ShowOptions;
        QTest::newRow("right+shift") << right << shift << false << A::None << A::None;
        QTest::newRow("right+ctrl+shift") << right << (ctrl | shift) << false << A::None << A::None;
        QTest::newRow("right+ctrl+alt") << right << (ctrl | alt) << false << A::None << A::None;
        QTest::newRow("right+alt") << right << alt << false << A::None << A::None;
        QTest::newRow("middle") << Qt::MiddleButton << none << false << A::None << A::None;
        QTest::newRow("open: left") << left << none << true << A::None << A::None;
        QTest::newRow("open: right") << right << none << true << A::None << A::None;
        QTest::newRow("open: right+ctrl") << right << ctrl << true << A::None << A::ShowOptions;
    }

    void mouseRules()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(bool, optionsOpen);
        QTEST(MouseRules::onNumber(button, mods, optionsOpen), "onNumber");
        QTEST(MouseRules::onSurface(button, mods), "onSurface");
    }

    void boardKeys_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("optionsOpen");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QPoint>("focus"); // x category, y index
        QTest::addColumn<QString>("last"); // the last key's outcome
        const QPoint spot10(0, 0);
        QTest::newRow("first arrow only shows Spot 10")
            << "R" << false << true << spot10 << "frame";
        QTest::newRow("first Enter only shows the frame")
            << "E" << false << true << spot10 << "frame";
        QTest::newRow("first M only shows the frame") << "M" << false << true << spot10 << "frame";
        QTest::newRow("right along the row") << "R R R" << false << true << QPoint(0, 2) << "frame";
        QTest::newRow("right at a row's end: next row")
            << "R R R R R R" << false << true << QPoint(1, 0) << "frame";
        QTest::newRow("left at a row's start: previous row")
            << "D D L" << false << true << QPoint(0, 4) << "frame";
        QTest::newRow("left stops at Spot 10") << "L L" << false << true << spot10 << "none";
        QTest::newRow("up stops at the top row")
            << "R R U" << false << true << QPoint(0, 1) << "none";
        QTest::newRow("down stops at the last row")
            << "D D D D D D" << false << true << QPoint(4, 0) << "none";
        QTest::newRow("keypad arrows count")
            << "D D D*" << false << true << QPoint(2, 0) << "frame";
        QTest::newRow("right stops at the last number")
            << "D D D D D R R R R R R" << false << true << QPoint(4, 4) << "none";
        QTest::newRow("Enter: left click")
            << "D D D D R R R E" << false << true << QPoint(3, 3) << "number left";
        QTest::newRow("keypad Enter: left click")
            << "R K" << false << true << spot10 << "number left";
        QTest::newRow("M: right click")
            << "R R M" << false << true << QPoint(0, 1) << "number right";
        QTest::newRow("held Enter plays once") << "R E*" << false << true << spot10 << "none";
        QTest::newRow("held M flips once") << "R M*" << false << true << spot10 << "none";
        QTest::newRow("Shift+M is not M") << "R S" << false << true << spot10 << "none";
        QTest::newRow("Ctrl+O: ctrl + right click on the picture")
            << "O" << false << false << spot10 << "surface right ctrl";
        QTest::newRow("options open: arrows do nothing")
            << "R R" << true << false << spot10 << "none";
        QTest::newRow("options open: Enter does nothing")
            << "E E" << true << false << spot10 << "none";
        QTest::newRow("options open: Ctrl+O does nothing")
            << "O" << true << false << spot10 << "none";
    }

    void boardKeys()
    {
        QFETCH(QString, script);
        QFETCH(bool, optionsOpen);
        BoardKeys keys;
        BoardKeys::Outcome outcome;
        for (const QString &token : script.split(u' '))
            outcome = pressScripted(keys, token, optionsOpen);
        QTEST(keys.visible(), "visible");
        QTEST(QPoint(keys.category(), keys.index()), "focus");
        using Kind = BoardKeys::Outcome::Kind;
        QString last;
        switch (outcome.kind) {
        case Kind::None:
            last = QStringLiteral("none");
            break;
        case Kind::Frame:
            last = QStringLiteral("frame");
            break;
        case Kind::Number:
        case Kind::Surface:
            last = (outcome.kind == Kind::Number ? QStringLiteral("number")
                                                 : QStringLiteral("surface")) +
                   (outcome.button == Qt::LeftButton ? QStringLiteral(" left")
                                                     : QStringLiteral(" right")) +
                   (outcome.modifiers == Qt::ControlModifier ? QStringLiteral(" ctrl") : QString());
            break;
        }
        QTEST(last, "last");
    }

    void pointerHidesTheFrame_data()
    {
        QTest::addColumn<QPoint>("movedTo");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("moved") << QPoint(101, 100) << true;
        QTest::newRow("reported where it stood") << QPoint(100, 100) << false;
    }

    void pointerHidesTheFrame()
    {
        QFETCH(QPoint, movedTo);
        BoardKeys keys;
        QVERIFY(!keys.pointerMoved(movedTo)); // nothing to hide yet
        const auto shown = keys.press(Qt::Key_Right, {}, false, false, {100, 100});
        QCOMPARE(shown.kind, BoardKeys::Outcome::Kind::Frame);
        QTEST(keys.pointerMoved(movedTo), "hidden");
        QTEST(!keys.visible(), "hidden");
        // The next key shows the frame again where it was, without moving it.
        keys.press(Qt::Key_Right, {}, false, false, movedTo);
        QVERIFY(keys.visible());
        QCOMPARE(keys.index(), movedTo == QPoint(100, 100) ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestBoardLogic)
#include "tst_boardlogic.moc"
