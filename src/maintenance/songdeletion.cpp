#include "maintenance/songdeletion.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "maintenance/unusedsongs.h"

#include <QFile>

#include <sys/stat.h>

namespace SongDeletion {

namespace {

enum class Entry { Plain, Gone, Other };

// What the name is right now, without following a symbolic link.
Entry entryKind(const QString &path)
{
    struct stat status {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? Entry::Gone : Entry::Other;
    return S_ISREG(status.st_mode) ? Entry::Plain : Entry::Other;
}

} // namespace

Result deleteUnused(const AppState &state, const QStringList &FileInutili,
                    const std::function<void(int)> &progress)
{
    Result result;
    const QString songs = state.songsFolder();
    for (const QString &name : FileInutili) {
        if (name == u"/")
            continue;
        if (!CaseFind::isBareName(name)) {
            result.failed << name;
            continue;
        }
        // The saved table is read again for every file: what a slot uses now is never deleted.
        const QString used =
            UnusedSongs::usedText(state.PercorsiSalvati, UnusedSongs::Table::Saved, songs);
        if (UnusedSongs::isUsed(name, used))
            continue;
        const QString path = songs + name;
        const Entry kind = entryKind(path);
        if (kind == Entry::Gone)
            continue;
        if (kind != Entry::Plain || !QFile::remove(path)) {
            result.failed << name;
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
