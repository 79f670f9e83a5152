#include "options/songs/cellpulse.h"
#include "options/songs/cellslide.h"
#include "options/songs/cellstretch.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Background = CellStretch::Background;

Q_DECLARE_METATYPE(Background)

namespace {

// Runs "enter N" (mouse over cell N), "leave" (Accorciatutti), "grow" and "shrink" (one tick of
// each timer), or "run" (ticks of both timers, as the window runs them, until both stop), and
// returns each new width cell 0 takes.
QList<int> stretchTrace(CellStretch &stretch, const QStringList &script)
{
    QList<int> widths;
    auto record = [&] {
        if (widths.value(widths.size() - 1, CellStretch::RestWidth) != stretch.width(0))
            widths << stretch.width(0);
    };
    for (const QString &op : script) {
        if (op.startsWith(u"enter"))
            stretch.AttivaAllunga(op.mid(6).toInt());
        else if (op == u"leave")
            stretch.Accorciatutti();
        for (int guard = 0; guard < 100; ++guard) {
            if ((op == u"grow" || op == u"run") && stretch.timerAllunga()) {
                stretch.TimerAllunga_Timer();
                record();
            }
            if ((op == u"shrink" || op == u"run") && stretch.timerAccorcia()) {
                stretch.TimerAccorcia_Timer();
                record();
            }
            if (op != u"run" || (!stretch.timerAllunga() && !stretch.timerAccorcia()))
                break;
        }
    }
    return widths;
}

QList<int> range(int from, int to, int step)
{
    QList<int> values;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step)
        values << v;
    return values;
}

} // namespace

class TestCellAnimations : public QObject {
    Q_OBJECT

private slots:
    void stretch_data();
    void stretch();
    void stretchLimits();
    void colours_data();
    void colours();
    void move_data();
    void move();
    void moveSlidesBy120();
    void pulse();
    void pulseOtherGlyph();
};

void TestCellAnimations::stretch_data()
{
    QTest::addColumn<bool>("stretching");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<int>>("widths");
    const QList<int> grow = range(4205, 6655, 350) << 7000;
    const QList<int> shrink = range(6800, 4000, -200) << 3855;
    QTest::newRow("stretch while the mouse stays")
        << true << QStringList{u"enter 0"_s, u"run"_s} << grow;
    QTest::newRow("stretch, then shrink")
        << true << QStringList{u"enter 0"_s, u"run"_s, u"leave"_s, u"run"_s} << grow + shrink;
    QTest::newRow("left halfway: full stretch first")
        << true << QStringList{u"enter 0"_s, u"grow"_s, u"grow"_s, u"leave"_s, u"run"_s}
        << grow + shrink;
    QTest::newRow("another cell entered halfway")
        << true << QStringList{u"enter 0"_s, u"grow"_s, u"enter 1"_s, u"run"_s} << grow + shrink;
    QTest::newRow("back on the cell while shrinking")
        << true << QStringList{u"enter 0"_s, u"run"_s,     u"leave"_s, u"shrink"_s,
                               u"shrink"_s,  u"enter 0"_s, u"run"_s}
        << grow + QList<int>{6800, 6600, 6950, 7000};
    QTest::newRow("setting off: no stretch")
        << false << QStringList{u"enter 0"_s, u"run"_s, u"leave"_s, u"run"_s} << QList<int>();
}

void TestCellAnimations::stretch()
{
    QFETCH(bool, stretching);
    QFETCH(QStringList, script);
    QFETCH(QList<int>, widths);
    CellStretch cells(stretching);
    QCOMPARE(stretchTrace(cells, script), widths);
    for (int cell = 1; cell < CellStretch::Cells; ++cell) {
        if (!script.contains(u"enter 1"_s))
            QCOMPARE(cells.width(cell), CellStretch::RestWidth);
    }
}

// The ends of a stretch and of a shrink: name label and buttons with the background.
void TestCellAnimations::stretchLimits()
{
    CellStretch cells;
    cells.AttivaAllunga(3);
    while (cells.timerAllunga())
        cells.TimerAllunga_Timer();
    QCOMPARE(cells.width(3), 7000);
    QCOMPARE(cells.labelWidth(3), 7000 - 255);
    QCOMPARE(cells.buttonShift(3), 7000 - 3855);
    // The mouse is still on the cell: it stays stretched.
    for (int i = 0; i < 40 && cells.timerAccorcia(); ++i)
        cells.TimerAccorcia_Timer();
    QVERIFY(!cells.timerAccorcia());
    QCOMPARE(cells.width(3), 7000);
    cells.Accorciatutti();
    int ticks = 0;
    while (cells.timerAccorcia() && ticks < 100) {
        cells.TimerAccorcia_Timer();
        ++ticks;
    }
    QCOMPARE(ticks, 16);
    QCOMPARE(cells.width(3), 3855);
    QCOMPARE(cells.labelWidth(3), 3600);
    QCOMPARE(cells.buttonShift(3), 0);
    QVERIFY(!cells.InAccorciamento(3));
}

void TestCellAnimations::colours_data()
{
    QTest::addColumn<Background>("start");
    QTest::addColumn<Background>("under");
    QTest::addColumn<Background>("left");
    QTest::newRow("normal") << Background::NormOff << Background::NormOn << Background::NormOff;
    QTest::newRow("selected") << Background::SelOff << Background::SelOn << Background::SelOff;
}

void TestCellAnimations::colours()
{
    QFETCH(Background, start);
    QFETCH(Background, under);
    QFETCH(Background, left);
    for (bool stretching : {true, false}) {
        CellStretch cells(stretching);
        cells.setBackground(2, start);
        cells.AttivaAllunga(2);
        QCOMPARE(cells.background(2), under);
        QCOMPARE(cells.varAllungaObj(), 2);
        cells.AttivaAllunga(4);
        QCOMPARE(cells.background(2), left);
        QCOMPARE(cells.background(4), Background::NormOn);
        cells.Accorciatutti();
        QCOMPARE(cells.background(4), Background::NormOff);
        QCOMPARE(cells.varAllungaObj(), int(CellStretch::Nobody));
        QCOMPARE(cells.timerAllunga(), stretching);
    }
}

// Clicks are "down 1" / "up 3" (a cell's own arrow at that position), "sel-down 2" / "sel-up
// 0" (the selected cell's move buttons), or "ticks 3"; then ticks run until the move stops.
void TestCellAnimations::move_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QList<int>>("swaps"); // pairs of positions, in order
    QTest::addColumn<QList<int>>("order"); // label at each position at the end
    QTest::addColumn<int>("selected");     // iSelezionato at the end
    QTest::addColumn<QList<int>>("highlight");
    QTest::addColumn<int>("ticks");
    QTest::newRow("own arrow down")
        << QStringList{u"down 1"_s} << QList<int>{1, 2} << QList<int>{0, 2, 1, 3, 4} << 5
        << QList<int>{CellPulse::Down, 2} << 8;
    QTest::newRow("own arrow up") << QStringList{u"up 3"_s} << QList<int>{3, 2}
                                  << QList<int>{0, 1, 3, 2, 4} << 5 << QList<int>{CellPulse::Up, 2}
                                  << 8;
    QTest::newRow("down twice before the first step ends")
        << QStringList{u"down 1"_s, u"ticks 3"_s, u"down 1"_s} << QList<int>{1, 2, 2, 3}
        << QList<int>{0, 2, 3, 1, 4} << 5 << QList<int>{CellPulse::Down, 3} << 15;
    QTest::newRow("top cell up: nothing exchanged")
        << QStringList{u"sel-up 0"_s} << QList<int>() << QList<int>{0, 1, 2, 3, 4} << 0
        << QList<int>() << 1;
    QTest::newRow("bottom cell down: nothing exchanged")
        << QStringList{u"sel-down 4"_s} << QList<int>() << QList<int>{0, 1, 2, 3, 4} << 4
        << QList<int>() << 1;
    QTest::newRow("selected cell stays selected")
        << QStringList{u"sel-down 2"_s} << QList<int>{2, 3} << QList<int>{0, 1, 3, 2, 4} << 3
        << QList<int>() << 8;
    QTest::newRow("turned back halfway: the step ends first")
        << QStringList{u"down 1"_s, u"ticks 3"_s, u"up 1"_s} << QList<int>{1, 2, 2, 1}
        << QList<int>{0, 1, 2, 3, 4} << 5 << QList<int>{CellPulse::Up, 2} << 15;
    QTest::newRow("rows placed in another order move from where they stand")
        << QStringList{u"place 20134"_s, u"down 0"_s} << QList<int>{0, 1}
        << QList<int>{0, 2, 1, 3, 4} << 5 << QList<int>{CellPulse::Down, 0} << 8;
    QTest::newRow("queued past the bottom")
        << QStringList{u"down 3"_s, u"ticks 2"_s, u"down 3"_s} << QList<int>{3, 4}
        << QList<int>{0, 1, 2, 4, 3} << 5 << QList<int>{CellPulse::Down, 4} << 8;
}

void TestCellAnimations::move()
{
    QFETCH(QStringList, script);
    QFETCH(QList<int>, swaps);
    QFETCH(QList<int>, order);
    QFETCH(int, selected);
    QFETCH(QList<int>, highlight);
    QFETCH(int, ticks);
    CellSlide mover;
    QList<int> seenSwaps;
    QList<int> seenHighlight;
    int seenTicks = 0;
    auto tick = [&] {
        const CellSlide::Tick result = mover.TimerSposta_Timer();
        ++seenTicks;
        if (result.swapped)
            seenSwaps << result.swapped->at(0) << result.swapped->at(1);
        if (result.highlight)
            seenHighlight << result.highlight->at(0) << result.highlight->at(1);
    };
    for (const QString &op : script) {
        const QStringList words = op.split(u' ');
        const int n = words[1].toInt();
        if (words[0] == u"place") { // the label at each position, as digits
            std::array<int, CellSlide::Cells> labels{};
            for (int p = 0; p < CellSlide::Cells; ++p)
                labels.at(static_cast<std::size_t>(p)) = words[1].at(p).digitValue();
            mover.place(labels);
        } else if (words[0] == u"ticks") {
            for (int i = 0; i < n; ++i)
                tick();
        } else {
            const bool up = words[0].endsWith(u"up");
            mover.start(n, up ? 1 : -1, words[0].startsWith(u"sel"));
        }
    }
    for (int guard = 0; mover.active() && guard < 200; ++guard)
        tick();
    QVERIFY(!mover.active());
    QCOMPARE(seenSwaps, swaps);
    QList<int> labels;
    for (int p = 0; p < CellSlide::Cells; ++p) {
        labels << mover.labelAt(p);
        QCOMPARE(mover.positionOf(mover.labelAt(p)), p);
        QCOMPARE(mover.top(mover.labelAt(p)), CellSlide::PositionTops.at(p));
    }
    QCOMPARE(labels, order);
    QCOMPARE(mover.iSelezionato, selected);
    QCOMPARE(seenHighlight, highlight);
    QCOMPARE(seenTicks, ticks);
    QCOMPARE(mover.DiffSposta, 0);
}

void TestCellAnimations::moveSlidesBy120()
{
    CellSlide mover;
    mover.start(1, -1, false);
    QList<int> moving;
    QList<int> neighbour;
    for (int i = 0; i < 7; ++i) {
        const CellSlide::Tick tick = mover.TimerSposta_Timer();
        QCOMPARE(tick.raised, 1);
        QCOMPARE(tick.swapped.has_value(), i == 6);
        moving << mover.top(1);
        neighbour << mover.top(2);
    }
    QCOMPARE(moving, range(2520, 3240, 120));
    QCOMPARE(neighbour, range(3120, 2400, -120));
    QCOMPARE(mover.top(0), 1560);
    QCOMPARE(mover.top(3), 4080);
}

void TestCellAnimations::pulse()
{
    CellPulse pulse;
    QVERIFY(!pulse.active());
    const CellPulse::Glyph previous = pulse.AnimaEtichetta(CellPulse::Play, 3);
    QCOMPARE(previous.tipo, int(CellPulse::None));
    QVERIFY(pulse.active());
    QList<int> levels;
    for (int i = 0; i < 22; ++i) {
        pulse.tmrColore_Timer();
        levels << pulse.LivelloGrigio;
    }
    QCOMPARE(levels, range(240, 12, -12) + (QList<int>{240, 228}));
    // The same glyph again goes on where it was.
    QCOMPARE(pulse.AnimaEtichetta(CellPulse::Play, 3).tipo, int(CellPulse::None));
    QCOMPARE(pulse.LivelloGrigio, 228);
    const CellPulse::Glyph ended = pulse.stop();
    QCOMPARE(ended.tipo, int(CellPulse::Play));
    QCOMPARE(ended.index, 3);
    QVERIFY(!pulse.active());
    QCOMPARE(pulse.TipoEtichetta, int(CellPulse::None));
    QCOMPARE(pulse.LivelloGrigio, 0);
}

void TestCellAnimations::pulseOtherGlyph()
{
    CellPulse pulse;
    pulse.AnimaEtichetta(CellPulse::Menu, 1);
    pulse.tmrColore_Timer();
    pulse.tmrColore_Timer();
    const CellPulse::Glyph previous = pulse.AnimaEtichetta(CellPulse::Menu, 2);
    QCOMPARE(previous.tipo, int(CellPulse::Menu));
    QCOMPARE(previous.index, 1);
    QCOMPARE(pulse.iEtichetta, 2);
    QCOMPARE(pulse.LivelloGrigio, 0);
    pulse.tmrColore_Timer();
    QCOMPARE(pulse.LivelloGrigio, 240);
    QCOMPARE(pulse.AnimaEtichetta(CellPulse::MoveUp, 2).tipo, int(CellPulse::Menu));
    QCOMPARE(pulse.TipoEtichetta, int(CellPulse::MoveUp));
}

QTEST_GUILESS_MAIN(TestCellAnimations)
#include "tst_cellanimations.moc"
