#include "board/boardlayout.h"

#include <cstddef>

namespace BoardLayout {

namespace {

// Centre of each row as a fraction (n / 45) of the board picture's height, and of each column
// as a fraction (n / 8) of its width.
constexpr std::array<double, 5> RowCentre{4, 12, 22, 31.5, 40};
constexpr std::array<double, 5> ColumnCentre{3.2, 4.2, 5.25, 6.24, 7.4};

constexpr double TopMargin = 1000;
constexpr double SideMargin = 2500;
constexpr double ButtonGap = 250;
constexpr double StripGap = 300;
constexpr double StripMargin = 100;
// The picture leaves 2400 twips of the window's height, TopMargin of them above it.
constexpr double BelowPicture = 2400 - TopMargin;

} // namespace

Geometry::Geometry()
{
    for (auto &row : numbers) {
        for (Box &box : row)
            box = {0, 0, LabelWidth, LabelHeight};
    }
}

void placeAtLoad(Geometry &g, double windowWidth, double windowHeight)
{
    g.tabella = {SideMargin, TopMargin, windowWidth - 2 * SideMargin, windowHeight - 2400};
    g.btnEsci.top = g.tabella.bottom() + ButtonGap;
    g.btnEsci.left = 1000;
    // The first pass corrects left and width.
    g.btnEsci.width = 9999;
}

PassResult resizePass(Geometry &g, double w, double h, bool minimised, double barWidth)
{
    PassResult result;
    if (!minimised) {
        if (h > 2410) {
            g.tabella.top = TopMargin;
            g.tabella.height = h - 2400;
            g.btnEsci.top = g.tabella.bottom() + ButtonGap;
            g.reset.top = g.btnEsci.top;
            result.barCentred = true;
            result.barLeft = (w - barWidth) / 2;
        } else {
            result.snapHeight = true;
        }
        if (w > 5010) {
            g.tabella.left = SideMargin;
            g.tabella.width = w - 2 * SideMargin;
            g.reset.left = g.tabella.right() - g.reset.width;
            g.btnEsci.left = g.tabella.left;
            // Too narrow a window leaves the exit button as wide as it was.
            const double exitWidth = w - (g.reset.width + 5300);
            if (exitWidth > 1)
                g.btnEsci.width = exitWidth;
        } else {
            result.snapWidth = true;
        }
    }
    for (int c = 0; c < 5; ++c)
        posizionaRiga(g, c);
    return result;
}

void placeStrip(Geometry &g)
{
    g.btnEsci.width = ResetWidth;
    g.btnEsci.left = g.reset.left - StripGap - ResetWidth;
    g.strip = {g.tabella.left, g.tabella.bottom() + StripMargin,
               g.btnEsci.left - StripGap - g.tabella.left, BelowPicture - 2 * StripMargin};
}

void posizionaRiga(Geometry &g, int category)
{
    const Box &t = g.tabella;
    auto &row = g.numbers.at(static_cast<std::size_t>(category));
    const double top = t.height / 45 * RowCentre.at(static_cast<std::size_t>(category)) + t.top -
                       row[0].height / 2;
    const double spotWidth = g.numbers[0][0].width;
    for (std::size_t i = 0; i < row.size(); ++i) {
        row[i].top = top;
        row[i].left = category == 0 ? t.left + t.width / 8 * ColumnCentre.at(i) - spotWidth / 2
                                    : g.numbers[0][i].left;
    }
}

} // namespace BoardLayout
