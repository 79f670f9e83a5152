#include "options/songs/songeditor.h"

#include "core/appstate.h"
#include "core/ports.h"
#include "core/songcheck.h"

#include <utility>

namespace {
const QString Title = QStringLiteral("Opzioni");
const QString NotSet = QStringLiteral("Non Impostata o commentata");

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}
} // namespace

SongEditor::SongEditor(AppState &state, SongCheck &check, QuestionPort &questions,
                       SongFileDialog &dialog, std::function<QStringList()> unusedSongs)
    : m_state(state), m_check(check), m_questions(questions), m_choice(state, questions, dialog),
      m_unusedSongs(std::move(unusedSongs))
{
}

void SongEditor::resetOrder()
{
    for (int i = 0; i < 5; ++i) {
        m_labelAt[at(i)] = i;
        m_positionOf[at(i)] = i;
    }
}

void SongEditor::ComboSelCateg_Click(int category)
{
    m_category = qBound(0, category, 4);
    m_selected = NoCell;
    m_pendingMoves = 0;
    resetOrder();
    m_checkListShown = m_check.EsisteControllo();
    for (int offset = 0; offset < 5; ++offset)
        m_red[at(offset)] = m_checkListShown && m_check.SlotDaControllare(base() + offset);
}

void SongEditor::refresh()
{
    m_check.ControllaCanzoni();
    ComboSelCateg_Click(m_category);
}

int SongEditor::labelAt(int position) const
{
    return m_labelAt.at(at(position));
}

int SongEditor::positionOf(int label) const
{
    return m_positionOf.at(at(label));
}

int SongEditor::slotOf(int label) const
{
    return base() + positionOf(label);
}

QString SongEditor::workingName(int slot) const
{
    return m_state.PercorsiModifica.at(at(slot)).file;
}

SongEditor::Cell SongEditor::cell(int label) const
{
    Cell shown;
    shown.position = positionOf(label);
    shown.red = m_red.at(at(shown.position));
    shown.caption = workingName(slotOf(label));
    if (shown.red && shown.caption.trimmed().isEmpty())
        shown.caption = NotSet;
    shown.selected = m_selected != NoCell && labelAt(m_selected) == label;
    const SongSlot &song = m_state.PercorsiModifica.at(at(slotOf(label)));
    if (song.snippet.appliesTo(song.file))
        shown.snippet = song.snippet.text();
    return shown;
}

void SongEditor::SelDeselPulsante(int label, Button button)
{
    if (m_pendingMoves != 0 || label < 0 || label >= NoCell)
        return;
    if (m_selected != NoCell && labelAt(m_selected) == label) {
        if (button != Button::Right) // a right click never deselects
            m_selected = NoCell;
        return;
    }
    m_selected = positionOf(label);
}

void SongEditor::deselect()
{
    if (m_pendingMoves == 0)
        m_selected = NoCell;
}

SongEditor::Menu SongEditor::openMenu(int label)
{
    SelDeselPulsante(label, Button::Right);
    m_menuLabel = label;
    Menu menu;
    menu.incolla = !m_state.Appunti.file.isEmpty() || !m_state.Appunti.folder.isEmpty();
    const int position = positionOf(label);
    menu.spostaSu = position != 0;
    menu.spostaGiu = position != 4;
    for (int c = 0; c < 5; ++c) {
        for (int i = 0; i < 5; ++i)
            menu.categories[at(c)].append(QString::number((i + 1) * 10) + QStringLiteral(" => ") +
                                          workingName(c * 5 + i));
    }
    if (m_unusedSongs)
        menu.unused = m_unusedSongs();
    menu.nonUtilizzate = !menu.unused.isEmpty();
    return menu;
}

void SongEditor::chooseFile(int label)
{
    const Cell shown = cell(label);
    (void)m_choice.choose(slotOf(label), shown.red, shown.caption);
    refresh(); // also after a cancel
}

int SongEditor::askSwap(const QString &verb, int a, int b)
{
    const auto answer = m_questions.ask(
        QStringLiteral("Vuoi invertire le due canzoni anziché semplicemente ") + verb +
            QStringLiteral(" [") + workingName(a) + QStringLiteral("] ") +
            (verb == u"sostituire" ? QStringLiteral("con") : QStringLiteral("al posto di")) +
            QStringLiteral(" [") + workingName(b) + QStringLiteral("] ?"),
        Title, QuestionPort::Icon::Question, QuestionPort::Buttons::YesNoCancel,
        QuestionPort::Answer::Cancel);
    return answer == QuestionPort::Answer::Yes ? 1 : answer == QuestionPort::Answer::No ? 0 : -1;
}

void SongEditor::StCanzone(int index, int category)
{
    const int target = slotOf(m_menuLabel);
    const int source = category * 5 + index;
    // Replacing a slot by itself would only empty it.
    if (source == target)
        return;
    const int swap = askSwap(QStringLiteral("sostituire"), target, source);
    if (swap < 0)
        return;
    SongSlot &t = m_state.PercorsiModifica.at(at(target));
    SongSlot &s = m_state.PercorsiModifica.at(at(source));
    const SongSlot former = std::exchange(t, s);
    s = swap == 1 ? former : SongSlot{QString(), m_state.songsFolder()};
    refresh();
}

void SongEditor::SpCanzone(int index, int category)
{
    const int from = slotOf(m_menuLabel);
    const int onto = category * 5 + index;
    if (onto == from)
        return;
    const int swap = askSwap(QStringLiteral("spostare"), from, onto);
    if (swap < 0)
        return;
    SongSlot &d = m_state.PercorsiModifica.at(at(from));
    SongSlot &s = m_state.PercorsiModifica.at(at(onto));
    const SongSlot former = std::exchange(s, d);
    if (swap == 1) {
        d = former;
        refresh();
    } else {
        RimuoviCanzone(positionOf(m_menuLabel));
    }
}

void SongEditor::RimuoviCanzone(int iOrdine)
{
    m_state.PercorsiModifica.at(at(base() + iOrdine)) = {QString(), m_state.songsFolder()};
    refresh();
}

void SongEditor::useUnused(const QString &name)
{
    const int slot = slotOf(m_menuLabel);
    m_state.PercorsiModifica.at(at(slot)) = m_choice.place(m_state.songsFolder() + name, slot);
    refresh();
}

void SongEditor::Copia()
{
    m_state.Appunti = m_state.PercorsiSalvati.at(at(slotOf(m_menuLabel)));
}

void SongEditor::Incolla()
{
    m_state.PercorsiModifica.at(at(slotOf(m_menuLabel))) = m_state.Appunti;
    refresh();
}

void SongEditor::Ripristina(int label)
{
    const int slot = slotOf(label);
    const SongSlot &saved = m_state.PercorsiSalvati.at(at(slot));
    m_state.PercorsiModifica.at(at(slot)) = {saved.file, m_state.songsFolder(), {}, saved.snippet};
    refresh();
}

bool SongEditor::ApplicaModifiche()
{
    const bool ok = m_check.ApplicaCanzoni();
    refresh();
    m_selected = NoCell;
    return ok;
}

bool SongEditor::setPoint(int label, Point point, qint64 ms)
{
    SongSlot &song = m_state.PercorsiModifica.at(at(slotOf(label)));
    if (song.file.isEmpty())
        return false;
    Snippet points = song.snippet.appliesTo(song.file) ? song.snippet : Snippet{0, 0, song.file};
    if (point == Point::Start) {
        points.start = qMax<qint64>(0, ms);
        if (points.end != 0 && points.end <= points.start)
            points.end = 0;
    } else {
        if (ms <= points.start)
            return false;
        points.end = ms;
    }
    song.snippet = points;
    return true;
}

void SongEditor::clearPoints(int label)
{
    m_state.PercorsiModifica.at(at(slotOf(label))).snippet = {};
}

int SongEditor::pointsLabel(int previewedPosition, bool takingPosition) const
{
    const int position = m_selected != NoCell ? m_selected : previewedPosition;
    if (position < 0 || position >= NoCell)
        return -1;
    if (takingPosition && position != previewedPosition)
        return -1;
    return labelAt(position);
}

void SongEditor::Resetta()
{
    if (m_questions.ask(QStringLiteral("Rinunci al tuo lavoro? Perderai le impostazioni di "
                                       "quiesta sessione relative alle canzoni"),
                        Title, QuestionPort::Icon::Warning, QuestionPort::Buttons::OkCancel,
                        QuestionPort::Answer::Cancel) == QuestionPort::Answer::Ok) {
        m_state.PercorsiModifica = m_state.PercorsiSalvati;
        m_check.ControllaCanzoni();
    }
    ComboSelCateg_Click(m_category);
}

bool SongEditor::cellMove(int label, int delta)
{
    const int position = positionOf(label);
    // While a cell slides, only its own arrows queue further steps.
    if (m_pendingMoves != 0 && position != m_selected)
        return false;
    m_selected = NoCell;
    if ((delta > 0 && position == 0) || (delta < 0 && position == 4))
        return false;
    m_selected = position;
    m_moveKeepsSelection = false;
    m_pendingMoves += delta > 0 ? 1 : -1;
    return true;
}

bool SongEditor::selectionMove(int delta)
{
    if (m_selected == NoCell)
        return false;
    if (m_pendingMoves == 0)
        m_moveKeepsSelection = true;
    m_pendingMoves += delta > 0 ? 1 : -1;
    return true;
}

bool SongEditor::stepMove(int up)
{
    if (up == 0 && m_pendingMoves != 0)
        up = m_pendingMoves > 0 ? 1 : -1;
    if (m_selected == NoCell || up == 0)
        return false;
    const int next = m_selected - up;
    const bool inside = next >= 0 && next <= 4;
    if (!inside) {
        m_pendingMoves = 0; // the end of the column: nothing is exchanged
    } else {
        std::swap(m_state.PercorsiModifica.at(at(base() + m_selected)),
                  m_state.PercorsiModifica.at(at(base() + next)));
        std::swap(m_red.at(at(m_selected)), m_red.at(at(next)));
        const int moving = labelAt(m_selected);
        const int other = labelAt(next);
        std::swap(m_labelAt.at(at(m_selected)), m_labelAt.at(at(next)));
        std::swap(m_positionOf.at(at(moving)), m_positionOf.at(at(other)));
        m_selected = next;
        m_pendingMoves -= up;
    }
    if (m_pendingMoves == 0 && !m_moveKeepsSelection)
        m_selected = NoCell;
    return inside;
}
