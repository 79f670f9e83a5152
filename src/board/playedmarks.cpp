#include "board/playedmarks.h"

bool PlayedMarks::isPlayed(int category, int index) const
{
    return m_played.at(size_t(category)).at(size_t(index));
}

void PlayedMarks::setPlayed(int category, int index, bool played)
{
    m_played.at(size_t(category)).at(size_t(index)) = played;
}

void PlayedMarks::clearAll()
{
    for (auto &row : m_played)
        row.fill(false);
}

int PlayedMarks::count() const
{
    int played = 0;
    for (const auto &row : m_played) {
        for (bool p : row)
            played += p ? 1 : 0;
    }
    return played;
}
