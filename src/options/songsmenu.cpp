// The cell menu of the songs tab (mnuFile).
#include "options/songstab.h"

#include <QMenu>

namespace {
const QStringList MenuCategories{QStringLiteral("Spot"), QStringLiteral("Canto"),
                                 QStringLiteral("Colonne sonore"), QStringLiteral("Ballo"),
                                 QStringLiteral("Scelte dagli educatori")};

QAction *addEntry(QMenu *menu, const QString &name, const QString &text)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}
} // namespace

void SongsTab::addMoveMenus(QMenu *menu, const SongEditor::Menu &state)
{
    QMenu *moveTo = menu->addMenu(QStringLiteral("Sposta in..."));
    moveTo->menuAction()->setObjectName(QStringLiteral("mnumod6"));
    QMenu *replace = menu->addMenu(QStringLiteral("Sostituisci con..."));
    replace->menuAction()->setObjectName(QStringLiteral("mnumod7"));
    for (int c = 0; c < 5; ++c) {
        QMenu *to = moveTo->addMenu(MenuCategories.at(c));
        to->menuAction()->setObjectName(QStringLiteral("mnuspcat%1").arg(c));
        QMenu *with = replace->addMenu(MenuCategories.at(c));
        with->menuAction()->setObjectName(QStringLiteral("mnusost%1").arg(c));
        for (int i = 0; i < 5; ++i) {
            const QString text = state.categories.at(static_cast<std::size_t>(c)).at(i);
            connect(addEntry(to, QStringLiteral("mnucat%1_%2").arg(c).arg(i), text),
                    &QAction::triggered, this, [this, c, i] { m_editor->SpCanzone(i, c); });
            connect(addEntry(with, QStringLiteral("mnust%1_%2").arg(c).arg(i), text),
                    &QAction::triggered, this, [this, c, i] { m_editor->StCanzone(i, c); });
        }
    }
    replace->addSeparator();
    QMenu *unused = replace->addMenu(QStringLiteral("Non utilizzate"));
    unused->menuAction()->setObjectName(QStringLiteral("mnusost6"));
    unused->menuAction()->setEnabled(state.nonUtilizzate);
    for (int k = 0; k < state.unused.size(); ++k) {
        const QString name = state.unused.at(k);
        connect(addEntry(unused, QStringLiteral("mnuNusate%1").arg(k), name), &QAction::triggered,
                this, [this, name] { m_editor->useUnused(name); });
    }
}

void SongsTab::openMenu(int label, QPoint global)
{
    if (m_editor->DiffSposta() != 0)
        return;
    const SongEditor::Menu state = m_editor->openMenu(label);
    redraw(); // the cell is selected now
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuFile"));
    connect(addEntry(&menu, QStringLiteral("mnumod0"), QStringLiteral("Riproduci")),
            &QAction::triggered, this,
            [this, label] { emit playRequested(m_editor->slotOf(label)); });
    connect(addEntry(&menu, QStringLiteral("mnumod1"), QStringLiteral("Modifica")),
            &QAction::triggered, this, [this, label] { m_editor->chooseFile(label); });
    connect(addEntry(&menu, QStringLiteral("mnumod2"), QStringLiteral("Rimuovi")),
            &QAction::triggered, this,
            [this, label] { m_editor->RimuoviCanzone(m_editor->positionOf(label)); });
    menu.addSeparator();
    connect(addEntry(&menu, QStringLiteral("mnumod4"), QStringLiteral("Copia")),
            &QAction::triggered, this, [this] { m_editor->Copia(); });
    QAction *paste = addEntry(&menu, QStringLiteral("mnumod5"), QStringLiteral("Incolla"));
    paste->setEnabled(state.incolla);
    connect(paste, &QAction::triggered, this, [this] { m_editor->Incolla(); });
    addMoveMenus(&menu, state);
    menu.addSeparator();
    QAction *up = addEntry(&menu, QStringLiteral("mnumod9"), QStringLiteral("Sposta Su"));
    up->setEnabled(state.spostaSu);
    QAction *down = addEntry(&menu, QStringLiteral("mnumod10"), QStringLiteral("Sposta Giù"));
    down->setEnabled(state.spostaGiu);
    for (auto [action, delta] : {std::pair{up, 1}, std::pair{down, -1}})
        connect(action, &QAction::triggered, this, [this, delta = delta] {
            if (m_editor->selectionMove(delta))
                runMoves();
        });
    menu.exec(global);
    redraw();
}
