#include "core/appstate.h"
#include "core/casefind.h"
#include "core/filenames.h"
#include "core/filetree.h"
#include "core/musicpack.h"
#include "core/ports.h"
#include "core/songpaths.h"

#include <QDir>
#include <QFileInfo>

bool MusicPack::EliminaSvn(const QString &packFolder)
{
    return FileTree::removeTree(m_state.file(packFolder) + QStringLiteral("/.svn"));
}

bool MusicPack::SpostaConNuovoNome(const QString &packPath, const QString &entry, int categoryIndex)
{
    const QString from = packPath + u'/' + entry;
    const QFileInfo info(from);
    const bool folder = info.isDir() && !info.isSymLink();
    const QString songs = m_state.songsFolder();
    const QString name = FileNames::numbered(entry, folder, [&songs](const QString &candidate) {
        return !CaseFind::entryName(songs, candidate).isEmpty();
    });
    if (!FileTree::moveEntry(from, songs + name))
        return false;
    if (folder)
        return true;
    const int first = category(categoryIndex).base;
    for (int slot = first; slot < first + SlotsPerCategory; ++slot) {
        SongSlot &saved = m_state.PercorsiSalvati.at(static_cast<size_t>(slot));
        if (saved.file == entry) {
            saved.file = name;
            m_state.PercorsiModifica.at(static_cast<size_t>(slot)).file = name;
            break;
        }
    }
    return true;
}

void MusicPack::InstallaPack()
{
    CaricaPercorsi(m_state);
    const QString songs = m_state.songsFolder();
    if (!QFileInfo(songs).isDir() && !QDir().mkpath(songs))
        report(QStringLiteral("Impossibile creare la cartella Musiche"));

    for (int c = 0; c < CategoryCount; ++c) {
        const QString folder = CaseFind::entryName(m_state.Path, category(c).packFolder.toString());
        const QString packPath = m_state.file(folder);
        const QFileInfo packInfo(packPath);
        // A pack folder that is a link leads outside the program folder: left alone.
        if (folder.isEmpty() || !packInfo.isDir() || packInfo.isSymLink())
            continue;
        QStringList entries = QDir(packPath).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const bool svn = entries.removeAll(QStringLiteral(".svn")) > 0;
        if (svn && !EliminaSvn(folder))
            report(QStringLiteral("Impossibile eliminare la cartella .svn di ") + folder);
        bool allMoved = true;
        for (qsizetype i = entries.size() - 1; i >= 0; --i) {
            const QString &entry = entries.at(i);
            const bool moved = CaseFind::entryName(songs, entry).isEmpty()
                                   ? FileTree::moveEntry(packPath + u'/' + entry, songs + entry)
                                   : SpostaConNuovoNome(packPath, entry, c);
            if (!moved) {
                allMoved = false;
                report(QStringLiteral("Impossibile spostare il file ") + folder + u'/' + entry +
                       QStringLiteral(" nella cartella Musiche"));
            }
        }
        if (allMoved && !QDir().rmdir(packPath))
            report(QStringLiteral("Impossibile eliminare la cartella ") + folder);
    }
    saveAndReport();
    if (m_copyShown) {
        m_windows.closeCopy();
        m_copyShown = false;
    }
}
