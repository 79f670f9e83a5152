#include "board/audienceentries.h"

#include "board/boardpeers.h"
#include "widgets/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

AudienceEntries::AudienceEntries(QWidget &board, BoardPeers &peers)
    : m_board(board), m_peers(peers), m_line(new QLabel(&board))
{
    m_line->setObjectName(QStringLiteral("RigaPubblico"));
    m_line->setAlignment(Qt::AlignCenter);
    m_line->setStyleSheet(QStringLiteral(
        "color: white; background: rgba(0, 0, 0, 160); font-weight: bold; font-size: 15px;"));
    m_line->hide();
}

bool AudienceEntries::key(const QKeyEvent &event)
{
    if (event.modifiers() != Qt::NoModifier)
        return false;
    if (event.key() == Qt::Key_F5)
        m_peers.toggleAudience();
    else if (event.key() == Qt::Key_F6)
        m_peers.reveal();
    else
        return false;
    return true;
}

void AudienceEntries::setLine(const QString &text)
{
    const QString line = text.isEmpty() ? QString() : QStringLiteral("Pubblico: ") + text;
    m_line->setText(line);
    m_line->setAccessibleName(line);
    m_line->setVisible(!line.isEmpty());
}

void AudienceEntries::place(const BoardLayout::Box &tabella)
{
    m_line->setGeometry(
        Twips::toPixels(tabella.left, 420, tabella.width, qMax(0.0, tabella.top - 480)));
}

void AudienceEntries::showMenu(QPoint global)
{
    auto *menu = new QMenu(&m_board);
    menu->setObjectName(QStringLiteral("MenuPubblico"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *audience = menu->addAction(QStringLiteral("Pubblico"));
    audience->setShortcut(QKeySequence(Qt::Key_F5));
    audience->setObjectName(QStringLiteral("mnuPubblico"));
    audience->setCheckable(true);
    audience->setChecked(m_peers.audienceOpen());
    QObject::connect(audience, &QAction::triggered, menu, [this] { m_peers.toggleAudience(); });
    QAction *reveal = menu->addAction(QStringLiteral("Rivela"));
    reveal->setShortcut(QKeySequence(Qt::Key_F6));
    reveal->setObjectName(QStringLiteral("mnuRivela"));
    QObject::connect(reveal, &QAction::triggered, menu, [this] { m_peers.reveal(); });
    menu->popup(global);
}
