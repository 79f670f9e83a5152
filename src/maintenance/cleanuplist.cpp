#include "maintenance/cleanuplist.h"

void CleanupList::load(const QList<SongFile> &files)
{
    m_entries = files;
    m_files.clear();
    for (const SongFile &file : files)
        m_files << file.name;
    m_count = int(files.size());
}

void CleanupList::setTicked(qsizetype index, bool ticked)
{
    if (index < 0 || index >= m_entries.size() || isTicked(index) == ticked)
        return;
    m_files[index] = ticked ? m_entries.at(index).name : QStringLiteral("/");
    m_count += ticked ? 1 : -1;
}

QList<CleanupList::SongFile> CleanupList::ticked() const
{
    QList<SongFile> files;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (isTicked(i))
            files << m_entries.at(i);
    }
    return files;
}

QString CleanupList::EtichettaNFile(int count)
{
    if (count == 0)
        return QStringLiteral("Nessun file verrà eliminato.");
    if (count == 1)
        return QStringLiteral("Verrà eliminato 1 file");
    return QStringLiteral("Verranno eliminati %1 file").arg(count);
}
