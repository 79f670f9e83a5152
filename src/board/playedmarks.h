#pragma once

#include "core/categories.h"

#include <array>

// Which of the board's 25 numbers have been played: category 0..4, index 0..4. The board's
// rules read these flags; the labels only show them.
class PlayedMarks {
public:
    bool isPlayed(int category, int index) const;
    void setPlayed(int category, int index, bool played);
    void clearAll();
    int count() const;

private:
    std::array<std::array<bool, SlotsPerCategory>, CategoryCount> m_played{};
};
