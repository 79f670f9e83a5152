// The board's numbers: clicks, marks, hover, Reset.
#include "board/principale.h"

#include "board/boardpeers.h"
#include "core/appstate.h"
#include "core/categories.h"
#include "core/restorefile.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace {

const QColor Played(255, 0, 0);

void paint(QLabel *label, const QColor &colour, bool struck)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    QFont font = label->font();
    font.setStrikeOut(struck);
    label->setFont(font);
}

QColor systemColour(QPalette::ColorRole role)
{
    return QApplication::palette().color(role);
}

} // namespace

bool Principale::isPlayed(int category, int index) const
{
    return number(category, index)->palette().color(QPalette::WindowText) == Played;
}

void Principale::paintFree(int category, int index)
{
    paint(number(category, index), systemColour(QPalette::ButtonText), false);
}

void Principale::paintPlayed(int category, int index)
{
    paint(number(category, index), Played, true);
}

bool Principale::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseMove)
        return QWidget::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (watched == m_tabella) {
        if (type == QEvent::MouseMove)
            unhover();
        else if (type == QEvent::MouseButtonRelease)
            releaseOnSurface(mouse->button(), mouse->modifiers());
        return true;
    }
    const QVariant c = watched->property("category");
    if (!c.isValid())
        return QWidget::eventFilter(watched, event);
    const int index = watched->property("index").toInt();
    if (type == QEvent::MouseMove)
        hover(c.toInt(), index);
    else if (type == QEvent::MouseButtonRelease)
        releaseOnNumber(c.toInt(), index, mouse->button(), mouse->modifiers());
    // The press is taken too, so that the release comes back to the same number.
    return true;
}

void Principale::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void Principale::mouseReleaseEvent(QMouseEvent *event)
{
    releaseOnSurface(event->button(), event->modifiers());
}

void Principale::mouseMoveEvent(QMouseEvent *event)
{
    titleBarRule(Twips::fromPixels(event->position().y()));
    unhover();
}

void Principale::releaseOnSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (MouseRules::onSurface(button, modifiers) == MouseRules::Action::ShowOptions)
        m_peers.showOptions();
}

void Principale::releaseOnNumber(int category, int index, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers)
{
    switch (MouseRules::onNumber(button, modifiers, m_state.OpzioniAperte)) {
    case MouseRules::Action::Play:
        playNumber(category, index);
        break;
    case MouseRules::Action::Toggle:
        toggleNumber(category, index);
        break;
    case MouseRules::Action::ShowOptions:
        m_peers.showOptions();
        break;
    case MouseRules::Action::None:
        break;
    }
}

// The number is marked before the song plays and recorded only once the player has closed.
void Principale::playNumber(int category, int index)
{
    const SongSlot &slot = m_state.PercorsiSalvati.at(size_t(slotIndex(category, index)));
    percorso = slot.fullPath();
    paintPlayed(category, index);
    Tipo = slotTitle(category, index);
    const QPointer<Principale> alive(this);
    m_peers.playModal(percorso, Tipo);
    // The run may have ended while the song played (the system closing the board); the
    // restore file is gone by then and must not come back.
    if (!alive || m_ended)
        return;
    const TextFile::WriteResult written =
        RegistraGiocata(m_state.Path, ::category(category).code.toString(), index);
    reportRestoreWrite(written.ok, written.error);
}

void Principale::toggleNumber(int category, int index)
{
    const QString code = ::category(category).code.toString();
    TextFile::WriteResult written;
    if (isPlayed(category, index)) {
        paintFree(category, index);
        written = AnnullaGiocata(m_state.Path, code, index);
    } else {
        paintPlayed(category, index);
        written = RegistraGiocata(m_state.Path, code, index);
    }
    reportRestoreWrite(written.ok, written.error);
}

// The game goes on without the restore file; the presenter hears of it once per run rather
// than at every click.
void Principale::reportRestoreWrite(bool ok, const QString &error)
{
    if (ok || m_restoreWarned)
        return;
    m_restoreWarned = true;
    m_questions.inform(QStringLiteral("Impossibile aggiornare il file ") +
                           m_state.file(QStringLiteral("Ripristino.sav")) + QStringLiteral(":\n") +
                           error +
                           QStringLiteral("\n\nSe il programma si chiude in modo imprevisto, "
                                          "i numeri giocati non verranno ripristinati."),
                       QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
}

void Principale::hover(int category, int index)
{
    if (!isPlayed(category, index)) {
        QPalette colours = number(category, index)->palette();
        colours.setColor(QPalette::WindowText, systemColour(QPalette::Button));
        number(category, index)->setPalette(colours);
    }
    if (MoveCateg == category + 1 && MoveIndex == index)
        MoveCateg = 0;
    unhover();
    MoveCateg = category + 1;
    MoveIndex = index;
}

void Principale::unhover()
{
    if (MoveCateg != 0) {
        const int c = MoveCateg - 1;
        if (isPlayed(c, MoveIndex))
            paintPlayed(c, MoveIndex);
        else
            paintFree(c, MoveIndex);
    }
    MoveCateg = 0;
}

void Principale::onReset()
{
    for (int c = 0; c < CategoryCount; ++c) {
        for (int i = 0; i < SlotsPerCategory; ++i)
            paintFree(c, i);
    }
    if (!EliminaRipristino(m_state.Path))
        reportRestoreWrite(false, QStringLiteral("il file non può essere eliminato"));
}
