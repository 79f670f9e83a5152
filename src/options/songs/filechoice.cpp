#include "options/songs/filechoice.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/filenames.h"
#include "core/ports.h"
#include "core/songcheck.h"
#include "options/songs/songfiledialog.h"
#include "options/songs/songnames.h"

#include <QFileInfo>

namespace {
const QString Title = QStringLiteral("Opzioni");

// A name as a message shows it: a long one (up to 246 bytes) in full would make the box wider
// than the screen, as a name without blanks cannot wrap.
QString shown(const QString &name)
{
    constexpr qsizetype Longest = 60;
    if (name.size() <= Longest)
        return name;
    // Neither part may split a character that takes two units.
    const qsizetype head = name.at(39).isHighSurrogate() ? 39 : 40;
    const qsizetype tail = name.at(name.size() - 16).isLowSurrogate() ? 15 : 16;
    return name.first(head) + u'…' + name.last(tail);
}

bool sameFile(const QString &a, const QString &b)
{
    const QString left = QFileInfo(a).canonicalFilePath();
    return !left.isEmpty() && left == QFileInfo(b).canonicalFilePath();
}
} // namespace

FileChoice::FileChoice(AppState &state, QuestionPort &questions, SongFileDialog &dialog)
    : m_state(state), m_questions(questions), m_dialog(dialog)
{
}

bool FileChoice::choose(int slot, bool red, const QString &caption)
{
    const std::optional<QString> path = m_dialog.open(SongNames::startFolder());
    if (!path || path->isEmpty())
        return false;
    const QString name = QFileInfo(*path).fileName();
    if (!red &&
        m_questions.ask(QStringLiteral("Sei sicuro di voler sostituire il file ") + caption +
                            QStringLiteral(" con il file ") + name + QStringLiteral("?"),
                        Title, QuestionPort::Icon::Question, QuestionPort::Buttons::YesNo,
                        QuestionPort::Answer::Yes) != QuestionPort::Answer::Yes)
        return false;
    m_state.PercorsiModifica.at(static_cast<std::size_t>(slot)) = place(*path, slot);
    return true;
}

SongSlot FileChoice::place(const QString &path, int slot)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString songs = m_state.songsFolder();
    // The same file chosen for another slot is copied once, under the name it has there.
    if (const SongSlot *same = pendingChoice(
            slot, [&path](const SongSlot &other) { return sameFile(path, other.fullPath()); }))
        return *same;
    const QString target = SongNames::safeName(name);
    const QString existing = CaseFind::entryName(songs, target);
    if (!existing.isEmpty() && sameFile(path, songs + existing))
        return {existing, songs}; // already in place
    QString takenBy;
    if (pendingChoice(slot, [&target](const SongSlot &other) {
            return other.file.compare(target, Qt::CaseInsensitive) == 0;
        }))
        takenBy = QStringLiteral("da un'altra canzone scelta");
    else if (!existing.isEmpty() &&
             m_questions.ask(QStringLiteral("Il file ") + songs + existing +
                                 QStringLiteral(" esiste già. Lo vuoi sostituire?"),
                             Title, QuestionPort::Icon::Question, QuestionPort::Buttons::YesNo,
                             QuestionPort::Answer::No) != QuestionPort::Answer::Yes)
        takenBy = QStringLiteral("da un altro file della cartella Musiche");
    // A replaced file keeps the name the songs folder already gives it.
    SongSlot entry{takenBy.isEmpty() ? (existing.isEmpty() ? target : existing)
                                     : freeName(target, slot),
                   info.absolutePath() + u'/'};
    if (entry.file != name)
        entry.source = name;
    tellName(name, target, takenBy, entry.file);
    return entry;
}

const SongSlot *FileChoice::pendingChoice(int slot,
                                          const std::function<bool(const SongSlot &)> &match) const
{
    const QString songs = m_state.songsFolder();
    for (int other = 0; other < SlotCount; ++other) {
        const SongSlot &entry = m_state.PercorsiModifica.at(static_cast<std::size_t>(other));
        if (other != slot && entry.pendingCopy(songs) && match(entry))
            return &entry;
    }
    return nullptr;
}

QString FileChoice::freeName(const QString &name, int slot) const
{
    const QString songs = m_state.songsFolder();
    // A name another slot holds is not free either, even while its file is missing.
    const auto taken = [this, slot, &songs](const QString &candidate) {
        if (!CaseFind::entryName(songs, candidate).isEmpty())
            return true;
        for (int other = 0; other < SlotCount; ++other) {
            const auto index = static_cast<std::size_t>(other);
            if (other != slot &&
                (m_state.PercorsiModifica.at(index).file.compare(candidate, Qt::CaseInsensitive) ==
                     0 ||
                 m_state.PercorsiSalvati.at(index).file.compare(candidate, Qt::CaseInsensitive) ==
                     0))
                return true;
        }
        return false;
    };
    return FileNames::numbered(name, false, taken, SongCheck::LongestName);
}

void FileChoice::tellName(const QString &name, const QString &target, const QString &takenBy,
                          const QString &stored)
{
    const QString reason = SongNames::unsafeReason(name);
    if (reason.isEmpty() && takenBy.isEmpty())
        return;
    QString text;
    if (!reason.isEmpty())
        text = QStringLiteral("Il nome del file \"") + shown(name) + QStringLiteral("\" ") + reason;
    if (!takenBy.isEmpty())
        text += (text.isEmpty() ? QStringLiteral("Il nome \"") : QStringLiteral(", e il nome \"")) +
                shown(target) + QStringLiteral("\" è già usato ") + takenBy;
    m_questions.inform(text +
                           QStringLiteral(": la canzone verrà copiata nella cartella Musiche "
                                          "come \"") +
                           shown(stored) + QStringLiteral("\"."),
                       Title, QuestionPort::Icon::Information);
}
