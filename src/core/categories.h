#pragma once

#include <QString>
#include <QStringView>

#include <array>

// The five categories of the board in their fixed order, five slots each.
struct Category {
    int base;               // first slot of the category
    QStringView code;       // tag in the restore file
    QStringView array;      // name of the board's label array
    QStringView kindPrefix; // start of the player's title, ends with a blank
    QStringView section;    // header in the paths file
    QStringView packFolder; // delivery folder of a music pack
    QStringView displayName;
};

inline constexpr int CategoryCount = 5;
inline constexpr int SlotsPerCategory = 5;
inline constexpr int SlotCount = CategoryCount * SlotsPerCategory;

const std::array<Category, CategoryCount> &categories();
const Category &category(int index);

// -1 when the code names no category; the code is compared as given.
int categoryFromCode(const QString &code);

inline int slotIndex(int categoryIndex, int number)
{
    return categoryIndex * SlotsPerCategory + number;
}
inline int slotPoints(int number)
{
    return (number + 1) * 10;
}

// "Ballo " + 40: the title the player shows for a slot.
QString slotTitle(int categoryIndex, int number);
