#include "maintenance/cleanuplist.h"

void CleanupList::load(const QStringList &names)
{
    m_names = names;
    m_files = names;
    m_count = int(names.size());
}

void CleanupList::setTicked(qsizetype index, bool ticked)
{
    if (index < 0 || index >= m_names.size() || isTicked(index) == ticked)
        return;
    m_files[index] = ticked ? m_names.at(index) : QStringLiteral("/");
    m_count += ticked ? 1 : -1;
}

QString CleanupList::EtichettaNFile(int count)
{
    if (count == 0)
        return QStringLiteral("Nessun file verrà eliminato.");
    if (count == 1)
        return QStringLiteral("Verrà eliminato 1 file");
    return QStringLiteral("Verranno eliminati %1 file").arg(count);
}
