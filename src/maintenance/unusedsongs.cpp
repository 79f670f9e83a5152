#include "maintenance/unusedsongs.h"

#include "core/appstate.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace UnusedSongs {

namespace {

// Folders are compared as the rest of the program compares names: without regard to letter
// case, and with or without the trailing separator.
bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

// The used text with an index of where each run of four characters starts, so that most of a
// full folder's names are rejected by one look-up instead of a search through the whole text.
class UsedIndex {
public:
    explicit UsedIndex(QString text) : m_text(std::move(text))
    {
        for (qsizetype i = 0; i + Run <= m_text.size(); ++i)
            m_starts[key(QStringView(m_text).mid(i, Run))].push_back(i);
    }

    bool contains(QStringView lowerName) const
    {
        if (lowerName.size() < Run)
            return m_text.contains(lowerName);
        const auto found = m_starts.constFind(key(lowerName.first(Run)));
        if (found == m_starts.cend())
            return false;
        const QStringView text(m_text);
        return std::any_of(found->cbegin(), found->cend(),
                           [&](qsizetype start) { return text.mid(start).startsWith(lowerName); });
    }

private:
    static constexpr qsizetype Run = 4;
    static quint64 key(QStringView run)
    {
        quint64 k = 0;
        for (QChar c : run)
            k = (k << 16) | c.unicode();
        return k;
    }

    QString m_text;
    QHash<quint64, std::vector<qsizetype>> m_starts;
};

// The names of the plain, not hidden files directly inside folder. The entry type comes from
// the listing itself where the file system gives it, which spares a full Musiche one status
// call per file; a symbolic link is never taken for the file it points to.
QStringList plainFiles(const QString &folder)
{
    QStringList names;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = opendir(encoded.constData());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool plain = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            const QByteArray path = encoded + '/' + entry->d_name;
            plain = lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
        }
        if (plain)
            names << QFile::decodeName(entry->d_name);
    }
    closedir(dir);
    return names;
}

} // namespace

QString usedText(const PathsTable &table, Table choice, const QString &songsFolder)
{
    QString text;
    for (const SongSlot &slot : table) {
        if (choice == Table::Working && !sameFolder(slot.folder, songsFolder))
            continue;
        text += slot.file;
    }
    return text.toLower();
}

bool isUsed(const QString &name, const QString &usedText)
{
    return usedText.contains(name.toLower());
}

QStringList CercaFileInutili(const AppState &state, Table table)
{
    const PathsTable &paths =
        table == Table::Saved ? state.PercorsiSalvati : state.PercorsiModifica;
    const UsedIndex used(usedText(paths, table, state.songsFolder()));
    std::vector<std::pair<QString, QString>> unused; // lower-cased name, name
    for (const QString &name : plainFiles(state.songsFolder())) {
        QString lower = name.toLower();
        if (!used.contains(lower))
            unused.emplace_back(std::move(lower), name);
    }
    std::sort(unused.begin(), unused.end());
    QStringList names;
    names.reserve(qsizetype(unused.size()));
    for (auto &entry : unused)
        names << std::move(entry.second);
    return names;
}

} // namespace UnusedSongs
