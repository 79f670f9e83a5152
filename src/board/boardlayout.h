#pragma once

#include <array>

// Where the board's controls go for a window size. Everything is in twips and floating point;
// the window converts to pixels when it applies the result.
namespace BoardLayout {

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double bottom() const { return top + height; }
    double right() const { return left + width; }
    bool operator==(const Box &) const = default;
};

inline constexpr double LabelWidth = 870;
inline constexpr double LabelHeight = 1005;
inline constexpr double ResetWidth = 975;
inline constexpr double ButtonHeight = 495;
// The board window in the normal state, as designed: left, top, width, height.
inline constexpr Box DesignedWindow{1620, 1065, 11385, 8955};
// Below these the window is pulled back to 2411 x 5011.
inline constexpr double SmallestHeight = 2411;
inline constexpr double SmallestWidth = 5011;

// The positions of every laid-out control; a pass changes only what its rules touch, so the
// values of the previous pass (or of the load) carry over.
struct Geometry {
    Box tabella;
    Box btnEsci{0, 0, 0, ButtonHeight};
    Box reset{0, 0, ResetWidth, ButtonHeight};
    // The teams' scores; empty without teams.
    Box strip;
    // [category][index], the numbers of the five rows.
    std::array<std::array<Box, 5>, 5> numbers{};
    Geometry();
};

// What a pass asks of the window besides the positions.
struct PassResult {
    bool snapHeight = false; // set the window height to SmallestHeight
    bool snapWidth = false;  // set the window width to SmallestWidth
    bool barCentred = false; // barLeft holds the bar's new left
    double barLeft = 0;
};

// The board picture and the exit button as the window's load places them.
void placeAtLoad(Geometry &g, double windowWidth, double windowHeight);

// One layout pass for a window of width w and height h; barWidth is the title bar's width.
// A minimised window keeps every size and position.
PassResult resizePass(Geometry &g, double w, double h, bool minimised, double barWidth);

// With teams: the score strip fills the space below the board picture from its left edge to
// the exit button, which narrows to Reset's width beside it. The picture, the numbers and
// Reset stay where they are.
void placeStrip(Geometry &g);

// The five numbers of one category, centred on their fractions of the board picture.
// Rows other than 0 take their columns from row 0, so row 0 is placed first.
void posizionaRiga(Geometry &g, int category);

} // namespace BoardLayout
