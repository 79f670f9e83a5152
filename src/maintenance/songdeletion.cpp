#include "maintenance/songdeletion.h"

#include "core/appstate.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace SongDeletion {

namespace {

enum class Entry { Plain, Gone, Other };

// What the name is right now, without following a symbolic link.
Entry entryKind(const QByteArray &path)
{
    struct stat status {};
    if (lstat(path.constData(), &status) != 0)
        return errno == ENOENT ? Entry::Gone : Entry::Other;
    return S_ISREG(status.st_mode) ? Entry::Plain : Entry::Other;
}

// One entry directly inside a folder, checked on the bytes that reach the file system.
bool isBareName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/');
}

} // namespace

Result deleteUnused(const AppState &state, const QList<UnusedSongs::SongFile> &files,
                    const std::function<void(int)> &progress)
{
    Result result;
    const QByteArray songs = QFile::encodeName(state.songsFolder());
    for (const UnusedSongs::SongFile &file : files) {
        if (!isBareName(file.encoded)) {
            result.failed << file.name;
            continue;
        }
        // The used names are read again for every file: what a slot uses now is never deleted,
        // and a paths file that cannot be read keeps every song.
        const std::optional<QString> used = UnusedSongs::cleanupUsedText(state);
        if (!used || UnusedSongs::isUsed(file.name, *used))
            continue;
        const QByteArray path = songs + file.encoded;
        const Entry kind = entryKind(path);
        if (kind == Entry::Gone)
            continue;
        if (kind != Entry::Plain || unlink(path.constData()) != 0) {
            result.failed << file.name;
            continue;
        }
        ++result.deleted;
        if (progress)
            progress(result.deleted);
    }
    return result;
}

QString failureText(const QStringList &failed)
{
    constexpr qsizetype Named = 10;
    QString text = QStringLiteral("Impossibile eliminare: ") +
                   failed.first(qMin(Named, failed.size())).join(QStringLiteral(", "));
    if (failed.size() > Named)
        text += QStringLiteral(" e altri %1 file").arg(failed.size() - Named);
    return text;
}

} // namespace SongDeletion
