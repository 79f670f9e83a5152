#include "core/categories.h"

namespace {

constexpr std::array<Category, CategoryCount> Table{{
    {0, u"sp", u"spot", u"Spot ", u"[Spot]", u"Spot", u"Spot"},
    {5, u"ca", u"canto", u"Canto ", u"[Canto]", u"Canto", u"Canto"},
    {10, u"cs", u"ColSon", u"Colonne Sonore ", u"[Colonne Sonore]", u"ColSon", u"Colonne Sonore"},
    {15, u"ba", u"Ballo", u"Ballo ", u"[Ballo]", u"Ballo", u"Ballo"},
    {20, u"se", u"SceEdu", u"Scelte dagli Educatori ", u"[Scelte dagli educatori]", u"SceEdu",
     u"Scelte dagli Educatori"},
}};

} // namespace

const std::array<Category, CategoryCount> &categories()
{
    return Table;
}

const Category &category(int index)
{
    return Table.at(static_cast<size_t>(index));
}

int categoryFromCode(const QString &code)
{
    for (int i = 0; i < CategoryCount; ++i) {
        if (code == Table.at(static_cast<size_t>(i)).code)
            return i;
    }
    return -1;
}

QString slotTitle(int categoryIndex, int number)
{
    return category(categoryIndex).kindPrefix.toString() + QString::number(slotPoints(number));
}
