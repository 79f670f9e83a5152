#include "options/songs/filechoice.h"

#include "core/appstate.h"
#include "core/casefind.h"
#include "core/ports.h"
#include "options/songs/songfiledialog.h"
#include "options/songs/songnames.h"

#include <QFileInfo>

namespace {
const QString Title = QStringLiteral("Opzioni");

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
    const std::optional<SongSlot> entry = place(*path);
    if (!entry)
        return false;
    m_state.PercorsiModifica.at(static_cast<std::size_t>(slot)) = *entry;
    return true;
}

std::optional<SongSlot> FileChoice::place(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString songs = m_state.songsFolder();
    const QString target = SongNames::safeName(name);
    const QString existing = CaseFind::entryName(songs, target);
    if (!existing.isEmpty() && sameFile(path, songs + existing))
        return SongSlot{existing, songs}; // already in place
    if (!existing.isEmpty() &&
        m_questions.ask(QStringLiteral("Il file ") + songs + existing +
                            QStringLiteral(" esiste già. Lo vuoi sostituire?"),
                        Title, QuestionPort::Icon::Question, QuestionPort::Buttons::YesNo,
                        QuestionPort::Answer::No) != QuestionPort::Answer::Yes)
        return std::nullopt;
    // A clash replaces the file under the name the songs folder already gives it.
    SongSlot entry{existing.isEmpty() ? target : existing, info.absolutePath() + u'/'};
    if (entry.file != name)
        entry.source = name;
    if (target != name)
        m_questions.inform(QStringLiteral("Il nome del file \"") + name +
                               QStringLiteral("\" contiene \";\" o \"=\", che il file delle "
                                              "canzoni non può conservare: la canzone verrà "
                                              "copiata nella cartella Musiche come \"") +
                               entry.file + QStringLiteral("\"."),
                           Title, QuestionPort::Icon::Information);
    return entry;
}
