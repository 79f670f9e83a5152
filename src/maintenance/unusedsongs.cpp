#include "maintenance/unusedsongs.h"

#include "core/appstate.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <tuple>
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

// The name a presenter reads for the bytes of a file name: UTF-8 as the whole program writes
// names, or, for bytes that are not valid UTF-8, Windows-1252 as the data files are read.
QString shownName(const QByteArray &encoded)
{
    QString name = QFile::decodeName(encoded);
    return QFile::encodeName(name) == encoded ? name : TextFile::decode(encoded);
}

// The plain, not hidden files directly inside folder. The entry type comes from the listing
// itself where the file system gives it, which spares a full Musiche one status call per file;
// a symbolic link is never taken for the file it points to.
QList<SongFile> plainFiles(const QString &folder)
{
    QList<SongFile> files;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = opendir(encoded.constData());
    if (!dir)
        return files;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool plain = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            const QByteArray path = encoded + '/' + entry->d_name;
            plain = lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
        }
        if (plain) {
            const QByteArray name(entry->d_name);
            files.append({shownName(name), name});
        }
    }
    closedir(dir);
    return files;
}

// The files of Musiche whose shown names the used text does not hold, ordered by name without
// regard to letter case.
QList<SongFile> unusedFiles(const AppState &state, const QString &usedText)
{
    const UsedIndex used(usedText);
    std::vector<std::pair<QString, SongFile>> unused; // lower-cased name, file
    for (SongFile &file : plainFiles(state.songsFolder())) {
        QString lower = file.name.toLower();
        if (!used.contains(lower))
            unused.emplace_back(std::move(lower), std::move(file));
    }
    std::sort(unused.begin(), unused.end(), [](const auto &a, const auto &b) {
        return std::tie(a.first, a.second.name) < std::tie(b.first, b.second.name);
    });
    QList<SongFile> files;
    files.reserve(qsizetype(unused.size()));
    for (auto &entry : unused)
        files << std::move(entry.second);
    return files;
}

// The value of every line of a paths file that holds "=": whatever slot or older numbering the
// line gives, a name written there is a name the presenter may come back to.
std::optional<QString> pathsFileText(const QString &path)
{
    const TextFile::FileState state = TextFile::probe(path).state;
    if (state == TextFile::FileState::Missing)
        return QString();
    if (state != TextFile::FileState::Readable)
        return std::nullopt;
    QString text;
    for (const QString &line : TextFile::readLines(path)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0)
            text += QStringView(line).mid(equals + 1);
    }
    return text;
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

std::optional<QString> cleanupUsedText(const AppState &state)
{
    const QString songs = state.songsFolder();
    QString text = usedText(state.PercorsiSalvati, Table::Saved, songs) +
                   usedText(state.PercorsiModifica, Table::Saved, songs);
    for (const QString &name :
         {QStringLiteral("Percorsi.ini"), QStringLiteral("PercorsiZMP.ini")}) {
        const std::optional<QString> values = pathsFileText(state.file(name));
        if (!values)
            return std::nullopt;
        text += values->toLower();
    }
    return text;
}

QStringList CercaFileInutili(const AppState &state, Table table)
{
    const PathsTable &paths =
        table == Table::Saved ? state.PercorsiSalvati : state.PercorsiModifica;
    QStringList names;
    for (const SongFile &file : unusedFiles(state, usedText(paths, table, state.songsFolder())))
        names << file.name;
    return names;
}

QList<SongFile> cleanupFiles(const AppState &state)
{
    const std::optional<QString> used = cleanupUsedText(state);
    return used ? unusedFiles(state, *used) : QList<SongFile>();
}

} // namespace UnusedSongs
