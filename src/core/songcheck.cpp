#include "core/songcheck.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/events.h"
#include "core/filetree.h"
#include "core/ports.h"
#include "core/snippetsfile.h"
#include "core/songpaths.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>

namespace {

const QString CheckFile = QStringLiteral("CheckCanzoni.ini");
const QString ProgramTitle = QStringLiteral("Zefiro");

// A slot needs attention when it names nothing, names something that is not a bare file name
// (it would reach outside the songs folder), or its file is not there.
bool needsAttention(const SongSlot &slot)
{
    QString name = slot.file;
    if (name.remove(u' ').isEmpty())
        return true;
    return !CaseFind::isBareName(slot.file) || !TextFile::isReadableFile(slot.fullPath());
}

} // namespace

SongCheck::SongCheck(AppState &state, ProgressPort &progress, QuestionPort &questions,
                     StartupWindows &windows)
    : m_state(state), m_progress(progress), m_questions(questions), m_windows(windows)
{
}

void SongCheck::ControllaCanzoni()
{
    if (!m_progress.isVisible()) {
        m_progress.setMaximum(SlotCount);
        m_progress.show();
        letEventsRun();
    }
    m_progress.setCaption(QStringLiteral("Controllo Canzoni..."));
    letEventsRun();

    QStringList lines;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (needsAttention(m_state.PercorsiModifica.at(static_cast<size_t>(slot))))
            lines.append(QString::number(slot) + u';');
        m_progress.step();
    }
    const QString path = m_state.file(CheckFile);
    if (lines.isEmpty()) {
        // A stale list that cannot go only marks songs for a check they pass.
        static_cast<void>(TextFile::removeIfExists(path));
    } else if (const auto written = TextFile::writeLines(path, lines); !written.ok) {
        m_questions.inform(QStringLiteral("Impossibile scrivere il file ") + CheckFile +
                               QStringLiteral(": ") + written.error,
                           ProgramTitle, QuestionPort::Icon::Warning);
    }

    if (m_state.Avvio == 1 && !lines.isEmpty()) {
        const auto answer = m_questions.ask(
            QStringLiteral("ATTENZIONE!! Alcune caselle non hanno impostato alcun file o il file a "
                           "cui sono associate è inesistente. Le vuoi impostare ora?"),
            QStringLiteral("Controllo Canzoni"), QuestionPort::Icon::Warning,
            QuestionPort::Buttons::YesNo, QuestionPort::Answer::Yes);
        if (answer == QuestionPort::Answer::Yes) {
            m_progress.close();
            m_state.SchedaIniziale = 1;
            m_windows.showOptions();
        }
    }
    m_progress.close();
}

bool SongCheck::EsisteControllo() const
{
    return TextFile::isReadableFile(m_state.file(CheckFile));
}

bool SongCheck::SlotDaControllare(int slot) const
{
    const QString key = QString::number(slot) + u';';
    const QStringList lines = TextFile::readLines(m_state.file(CheckFile));
    for (const QString &line : lines) {
        if (line.startsWith(key))
            return true;
    }
    return false;
}

bool SongCheck::copySong(int slot)
{
    const auto index = static_cast<size_t>(slot);
    const SongSlot &picked = m_state.PercorsiModifica.at(index);
    const QString songs = m_state.songsFolder();
    const QString target = songs + picked.file;
    // Found once: each lookup may read the folder to match the name without regard to case.
    const QString sourcePath = picked.fullPath();
    QString error;
    if (!CaseFind::isBareName(picked.file) || !CaseFind::isBareName(picked.sourceName())) {
        error = QStringLiteral("il nome non è un semplice nome di file");
    } else if (!TextFile::isReadableFile(sourcePath)) {
        error = QStringLiteral("il file non esiste o non è leggibile");
    } else {
        QDir().mkpath(songs);
        const QString partial = target + PartialSuffix;
        FileTree::removeTree(partial);
        QFile source(sourcePath);
        if (source.copy(partial) && FileTree::replaceDurably(partial, target, source.size())) {
            m_state.PercorsiSalvati.at(index).file = picked.file;
            m_state.PercorsiModifica.at(index).folder = m_state.PercorsiSalvati.at(index).folder;
            m_state.PercorsiModifica.at(index).source.clear();
            return true;
        }
        error = source.error() != QFile::NoError
                    ? source.errorString()
                    : QStringLiteral("la copia non è completa (disco pieno?)");
        QFile::remove(partial);
    }
    m_questions.inform(QStringLiteral("Impossibile copiare il file \"") + sourcePath +
                           QStringLiteral("\" nella cartella Musiche: ") + error,
                       QStringLiteral("Copia file"), QuestionPort::Icon::Warning);
    return false;
}

bool SongCheck::ApplicaCanzoni()
{
    const QString songs = m_state.songsFolder();
    bool copying = false;
    for (const SongSlot &slot : m_state.PercorsiModifica)
        copying = copying || slot.pendingCopy(songs);
    if (copying) {
        m_state.ModoCopia = 0;
        m_windows.showCopy(0);
        letEventsRun();
    }

    bool allCopied = true;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const auto index = static_cast<size_t>(slot);
        SongSlot &saved = m_state.PercorsiSalvati.at(index);
        const SongSlot &working = m_state.PercorsiModifica.at(index);
        if (saved.folder != working.folder || working.pendingCopy(songs))
            allCopied = copySong(slot) && allCopied;
        else if (saved.file != working.file)
            saved.file = working.file;
    }
    // The points go with the song: a slot whose copy failed keeps its former song's points.
    for (size_t slot = 0; slot < size_t(SlotCount); ++slot) {
        SongSlot &saved = m_state.PercorsiSalvati.at(slot);
        const SongSlot &working = m_state.PercorsiModifica.at(slot);
        if (saved.file == working.file)
            saved.snippet = working.snippet;
    }
    if (copying)
        m_windows.closeCopy();
    if (copying && allCopied)
        m_questions.inform(QStringLiteral("Copia dei file eseguita con successo!"), ProgramTitle,
                           QuestionPort::Icon::None);

    const auto saved = SalvaPercorsi(m_state);
    if (!saved.ok) {
        m_questions.inform(QStringLiteral("Impossibile salvare le canzoni nel file ") +
                               m_state.FilePercorsi.mid(1) + QStringLiteral(": ") + saved.error,
                           ProgramTitle, QuestionPort::Icon::Warning);
    }
    const auto snippets = SnippetsFile::save(m_state);
    if (!snippets.ok) {
        m_questions.inform(QStringLiteral("Impossibile salvare gli estratti nel file ") +
                               QString(SnippetsFile::FileName) + QStringLiteral(": ") +
                               snippets.error,
                           ProgramTitle, QuestionPort::Icon::Warning);
    }
    return allCopied && saved.ok && snippets.ok;
}
