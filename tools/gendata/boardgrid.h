#pragma once

// Where the board's numbers sit on the board picture, as fractions of its height (rows) and
// width (columns), and the cells drawn around them: a cell reaches halfway to each neighbouring
// number, and the outer cells as far out as the nearest gap is wide.
namespace BoardGrid {

struct Span {
    double from;
    double to;
};

inline constexpr double RowCentres[] = {4.0 / 45, 12.0 / 45, 22.0 / 45, 31.5 / 45, 40.0 / 45};
inline constexpr double ColumnCentres[] = {3.2 / 8, 4.2 / 8, 5.25 / 8, 6.24 / 8, 7.4 / 8};

constexpr Span span(const double (&centres)[5], int i)
{
    const double before = i > 0 ? (centres[i] - centres[i - 1]) / 2 : (centres[1] - centres[0]) / 2;
    const double after = i < 4 ? (centres[i + 1] - centres[i]) / 2 : (centres[4] - centres[3]) / 2;
    return {centres[i] - before, centres[i] + after};
}

constexpr Span row(int category)
{
    return span(RowCentres, category);
}
constexpr Span column(int index)
{
    return span(ColumnCentres, index);
}

} // namespace BoardGrid
